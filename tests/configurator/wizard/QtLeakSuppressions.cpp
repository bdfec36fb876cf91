// Leak-check suppressions built into the wizard's test programs: Qt's font handling leaves
// fontconfig's caches allocated when the configurator ends the process from inside the event loop.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
