// The sanitizers' default options, linked into every program of a sanitizer
// build and into nothing else. A finding ends the program by abort(), as a
// crash does, so that the console's crash restore gives the terminal back;
// UndefinedBehaviorSanitizer would otherwise end it through _exit and leave
// the terminal raw. Options given in the environment still override these.

extern "C" const char* __asan_default_options() { return "abort_on_error=1"; }

extern "C" const char* __ubsan_default_options() { return "abort_on_error=1:halt_on_error=1:print_stacktrace=1"; }
