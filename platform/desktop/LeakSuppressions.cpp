// The leak checker of the sanitize build ignores what the system's font library keeps for the
// life of the process (its caches are never freed); every leak of our own is still reported.
// Compiled into every program that links the desktop backend (the checker asks the program).
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
