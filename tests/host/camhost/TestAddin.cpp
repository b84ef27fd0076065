// A small add-in library for camhost's tests: its command reports, in a message box, how many
// surfaces the host has selected, then adds a point; its file hooks report that they were called.
#include <string>

#include "hostlink/HostApi.h"
#include "platform/MessageService.h"

#define TEST_ADDIN_EXPORT extern "C" __attribute__((visibility("default")))

TEST_ADDIN_EXPORT int UserApp_nCallback(void* hostApi) {
    HostApi& api = *static_cast<HostApi*>(hostApi);
    int selected = 0;
    for (HostHandle handle = api.HostFirstEntity(api.HostDrawing()); api.HostEntityValid(handle);
         handle = api.HostNextEntity(handle)) {
        HostSurfaceObject* surface = api.HostGetSurface(handle);
        if (surface == nullptr) continue;
        if (api.HostIsSelected(surface)) ++selected;
        api.HostFree(surface);
    }
    platform::ShowMessage("test add-in: " + std::to_string(selected) + " surfaces selected");
    HostPointObject* point = api.HostNewPoint();
    *point = {1.0, 2.0, 3.0};
    api.HostAddPoint(api.HostDrawing(), point);
    api.HostFree(point);
    return 1;
}

TEST_ADDIN_EXPORT int FileOpenEntryPoint() {
    platform::ShowMessage("test add-in: drawing opened");
    return 1;
}

TEST_ADDIN_EXPORT int FileSaveEntryPoint() {
    platform::ShowMessage("test add-in: drawing saved");
    return 1;
}
