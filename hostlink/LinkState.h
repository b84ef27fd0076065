// The link library's process-wide state: the host's operations table, the surface groups, the
// cached CView records and the view counter. One instance, used from the host's UI thread.
#pragma once

#include <array>

#include "hostlink/HostApi.h"
#include "hostlink/LinkExport.h"
#include "hostlink/LinkList.h"

namespace ravelink {

inline constexpr int kSurfaceGroups = 20;
inline constexpr int kFirstViewNumber = 22;

// Numbered sets of host surfaces; the surfaces belong to the store until their group is emptied.
struct SurfaceGroupStore {
    std::array<unsigned char, kSurfaceGroups> loaded{};
    std::array<CLinkList, kSurfaceGroups> lists;  // each block holds one HostSurfaceObject*
    std::array<int, kSurfaceGroups> cursors{};    // list index of the next search start, -1 none

    SurfaceGroupStore() { cursors.fill(-1); }
};

struct LinkState {
    HostApi* api = nullptr;
    SurfaceGroupStore groups;
    HostViewRecord cview{};
    HostViewRecord cviewInverse{};
    int nextViewNumber = kFirstViewNumber;
};

// The one instance.
RAVELINK_API LinkState& State();

// The bound host table; asserts with a hint when no Setup bound one.
RAVELINK_API HostApi& Host();

// True for a group number the store has room for (0 to 19).
[[nodiscard]] inline bool IsGroup(int group) { return group >= 0 && group < kSurfaceGroups; }

// The surface at `index` of a group's list.
[[nodiscard]] HostSurfaceObject* SurfaceAt(int group, int index);

// Appends a surface to a group's list; the store owns it from now on.
void AppendSurface(int group, HostSurfaceObject* surface);

// Releases every surface of a group, empties its list and clears its cursor.
void EmptyGroup(int group);

// The handle of the drawing's last entity (not valid when the drawing is empty).
[[nodiscard]] HostHandle LastEntity(int drawing);

// Forgets everything without calling the host (tests use this between cases, after the host
// whose objects the store held is gone).
RAVELINK_API void ResetLinkStateForTests();

}  // namespace ravelink
