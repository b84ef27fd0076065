// The link library's process-wide state.
#include "hostlink/LinkState.h"

#include "hostlink/DigPointSource.h"
#include "platform/Invariant.h"
#include "platform/ProcessState.h"

namespace ravelink {
namespace {

// The library's state is part of what a reset of the process's state puts back, for as long as
// the library is loaded.
const platform::StateResetRegistration kResetRegistration([] {
    ResetLinkStateForTests();
    ResetDigPointSource();
});

}  // namespace

LinkState& State() {
    static LinkState state;
    return state;
}

HostApi& Host() {
    HostApi* api = State().api;
    TAVRO_INVARIANT(api != nullptr, "the host was called before CSurfcamCtrl::Setup bound it");
    return *api;
}

HostSurfaceObject* SurfaceAt(int group, int index) {
    void* block = State().groups.lists[group].BlockAt(index);
    return block != nullptr ? *static_cast<HostSurfaceObject**>(block) : nullptr;
}

void AppendSurface(int group, HostSurfaceObject* surface) {
    // A surface the list cannot hold (no memory for its block) goes back to the host at once.
    if (State().groups.lists[group].AddBlock(&surface, sizeof surface) == 0)
        Host().HostFree(surface);
}

void EmptyGroup(int group) {
    SurfaceGroupStore& store = State().groups;
    CLinkList& list = store.lists[group];
    for (void* block = list.GoFirst(); block != nullptr; block = list.GoNext())
        Host().HostFree(*static_cast<HostSurfaceObject**>(block));
    list.RemoveAll();
    store.cursors[group] = -1;
}

HostHandle LastEntity(int drawing) {
    HostApi& host = Host();
    HostHandle last{};
    for (HostHandle h = host.HostFirstEntity(drawing); host.HostEntityValid(h);
         h = host.HostNextEntity(h))
        last = h;
    return last;
}

void ResetLinkStateForTests() {
    LinkState& state = State();
    for (CLinkList& list : state.groups.lists) list.RemoveAll();
    state = LinkState{};
}

}  // namespace ravelink
