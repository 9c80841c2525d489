# fish completion for helmholtz

set -l commands frequency volume thickness diameter surface batch
complete -c helmholtz -f
complete -c helmholtz -n "not __fish_seen_subcommand_from $commands" -a frequency -d 'Compute the resonant frequency (choices 1 and 5)'
complete -c helmholtz -n "not __fish_seen_subcommand_from $commands" -a volume -d 'Compute the volume (choices 2 and 6)'
complete -c helmholtz -n "not __fish_seen_subcommand_from $commands" -a thickness -d 'Compute the wall thickness (choices 3 and 7)'
complete -c helmholtz -n "not __fish_seen_subcommand_from $commands" -a diameter -d 'Compute the round orifice diameter (choice 4)'
complete -c helmholtz -n "not __fish_seen_subcommand_from $commands" -a surface -d 'Compute the orifice surface (choice 8)'
complete -c helmholtz -n "not __fish_seen_subcommand_from $commands" -a batch -d 'Compute a CSV file of designs'
complete -c helmholtz -n "not __fish_seen_subcommand_from $commands" -s V -l version -d 'Show the version and exit'
complete -c helmholtz -s h -l help -d 'Show the help and exit'

complete -c helmholtz -n "__fish_seen_subcommand_from $commands" -l format -x -a 'text csv json' -d 'Answer format'
complete -c helmholtz -n "__fish_seen_subcommand_from $commands" -l delimiter -x -a 'comma semicolon tab' -d 'CSV separator'
complete -c helmholtz -n "__fish_seen_subcommand_from $commands" -l sound-speed -x -d 'Speed of sound, cm/s, m/s or ft/s'
complete -c helmholtz -n "__fish_seen_subcommand_from $commands" -l temperature -x -d 'Air temperature, C, F or K'
complete -c helmholtz -n "__fish_seen_subcommand_from volume thickness diameter surface" -l frequency -x -d 'Frequency, Hz or kHz'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency thickness diameter surface" -l volume -x -d 'Volume, cc ml cm3 dm3 l L m3 in3 ft3'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume diameter surface" -l thickness -x -d 'Wall thickness, mm cm dm m in ft'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume thickness" -l diameter -x -d 'Round orifice diameter, mm cm dm m in ft'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume thickness" -l surface -x -d 'Orifice surface, mm2 cm2 dm2 m2 in2'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume thickness diameter surface" -l only-possible -d 'Leave out the designs that fail the plausibility test'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume thickness diameter surface" -l plot -r -F -a '-' -d 'Draw a chart into an SVG file, or - for the terminal'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume thickness diameter surface" -l ends -x -a 'screen flanged free flanged-free' -d 'End corrections of the neck'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume thickness diameter surface" -l ports -x -d 'Identical orifices on the cavity'
complete -c helmholtz -n "__fish_seen_subcommand_from frequency volume thickness" -l slot -x -d 'Rectangular orifice WxH, mm cm dm m in ft'
complete -c helmholtz -n "__fish_seen_subcommand_from batch" -F -d 'CSV file, - for standard input'
