# What every Windows build (cross-built on Linux, or with MSYS2 on Windows)
# sets before its targets are made: everything is linked statically, so that
# helmholtz.exe imports system DLLs only (KERNEL32, SHELL32, msvcrt) and runs
# on a bare Windows with nothing beside it. -static also takes winpthread's
# static library instead of its DLL.
add_link_options(-static -static-libgcc -static-libstdc++)
