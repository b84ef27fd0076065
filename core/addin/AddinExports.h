// The add-in's three entry points, the only names the library exports: the host's command
// and its file-open and file-save events.
#pragma once

// TAVROSET_EXPORT marks a function the library exports under its plain C name; the build
// defines it with the system's mark (core/addin/CMakeLists.txt).
#ifndef TAVROSET_EXPORT
#define TAVROSET_EXPORT
#endif

extern "C" {

// Runs one job on the host's operations table `hostApi`. Always 1.
TAVROSET_EXPORT int UserApp_nCallback(void* hostApi);
// Shows "File Open API WORKS!". Always 1.
TAVROSET_EXPORT int FileOpenEntryPoint();
// Shows "File Save API WORKS!". Always 1.
TAVROSET_EXPORT int FileSaveEntryPoint();

}  // extern "C"
