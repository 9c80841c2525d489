# bash completion for helmholtz                               -*- shell-script -*-

_helmholtz()
{
    # Plain COMP_WORDS, so that it works without the bash-completion package;
    # "--format=c" arrives as "--format" "=" "c".
    local cword=$COMP_CWORD
    local cur=${COMP_WORDS[cword]} prev=${COMP_WORDS[cword - 1]}
    [[ $cur == = ]] && cur= && prev=${COMP_WORDS[cword - 1]}
    [[ $prev == = ]] && prev=${COMP_WORDS[cword - 2]}
    local words=("${COMP_WORDS[@]}")

    local commands="frequency volume thickness diameter surface response absorber batch"
    local common="--format --delimiter --units --sound-speed --temperature --help"
    local sweep="--only-possible --plot --log-x --linear-x"
    local model="--ends --ports --slot --pitch"
    if ((cword == 1)); then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
        --format)
            COMPREPLY=($(compgen -W "text csv json" -- "$cur"))
            return
            ;;
        --delimiter)
            COMPREPLY=($(compgen -W "comma semicolon tab" -- "$cur"))
            return
            ;;
        --units)
            COMPREPLY=($(compgen -W "metric imperial screen" -- "$cur"))
            return
            ;;
        --ends)
            COMPREPLY=($(compgen -W "screen flanged free flanged-free" -- "$cur"))
            return
            ;;
        --plot-quantity)
            COMPREPLY=($(compgen -W "gain absorption-area" -- "$cur"))
            return
            ;;
        --grid)
            COMPREPLY=($(compgen -W "square triangular" -- "$cur"))
            return
            ;;
        --fill-at)
            COMPREPLY=($(compgen -W "facing wall" -- "$cur"))
            return
            ;;
        --porous)
            COMPREPLY=($(compgen -W "miki delany-bazley" -- "$cur"))
            return
            ;;
        --incidence)
            COMPREPLY=($(compgen -W "normal diffuse" -- "$cur"))
            return
            ;;
        --bands)
            COMPREPLY=($(compgen -W "third-octave octave" -- "$cur"))
            return
            ;;
        --solve)
            COMPREPLY=($(compgen -W "depth pitch holes" -- "$cur"))
            return
            ;;
        --frequency | --volume | --thickness | --diameter | --surface | --sound-speed | --temperature | --ports | --slot | --pitch | --holes | --slots | --open-area | --depth | --fill | --flow-resistivity | --band | --per-octave | --tune)
            return
            ;;
        --plot)
            # An SVG file, or - for the chart on standard output.
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -f -X '!*.svg' -- "$cur") $(compgen -d -- "$cur") $(compgen -W "-" -- "$cur"))
            return
            ;;
    esac

    local options
    case ${words[1]} in
        frequency) options="--volume --diameter --surface --thickness $model $sweep $common" ;;
        volume) options="--frequency --diameter --surface --thickness $model $sweep $common" ;;
        thickness) options="--frequency --volume --diameter --surface $model $sweep $common" ;;
        diameter | surface) options="--frequency --volume --thickness --ends --ports --pitch $sweep $common" ;;
        response) options="--volume --diameter --surface --thickness $model --plot --plot-quantity --band --per-octave $common" ;;
        absorber) options="--holes --slots --pitch --open-area --grid --thickness --depth --fill --flow-resistivity --fill-at --porous --incidence --band --per-octave --bands --ratings --tune --solve --plot --format --delimiter --sound-speed --temperature --help" ;;
        batch)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W "$common --ends --ports" -- "$cur"))
            else
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -f -- "$cur"))
            fi
            return
            ;;
        *) return ;;
    esac
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
} &&
    complete -F _helmholtz helmholtz

# ex: filetype=sh
