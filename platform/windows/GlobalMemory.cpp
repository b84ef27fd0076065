// Global memory on Windows: the system's movable blocks. The program's own blocks (allocated and
// neither freed nor handed to the clipboard) are counted, so that leaks show and a limit can be
// set; blocks the clipboard owns are the system's.
#include <algorithm>
#include <unordered_map>

#include "platform/GlobalMemory.h"
#include "platform/windows/GlobalBlocks.h"
#include "platform/windows/SystemHeaders.h"

namespace platform {
namespace {

struct GlobalMemoryState {
    std::unordered_map<HGLOBAL, std::size_t> own;  // block -> bytes asked for
    std::size_t bytesInUse = 0;
    std::optional<std::size_t> limit;
};

GlobalMemoryState& State() {
    static GlobalMemoryState state;
    return state;
}

HGLOBAL Native(GlobalHandle handle) {
    return reinterpret_cast<HGLOBAL>(static_cast<std::uintptr_t>(handle));
}

GlobalHandle Ours(HGLOBAL block) {
    return static_cast<GlobalHandle>(reinterpret_cast<std::uintptr_t>(block));
}

// Own blocks, and blocks the clipboard gave out; a made-up handle is neither.
bool Known(GlobalHandle handle) {
    if (handle == GlobalHandle::None) return false;
    return State().own.contains(Native(handle)) ||
           ::GlobalFlags(Native(handle)) != GMEM_INVALID_HANDLE;
}

}  // namespace

GlobalHandle AllocateGlobal(std::size_t bytes) {
    GlobalMemoryState& state = State();
    if (state.limit && bytes > *state.limit - std::min(state.bytesInUse, *state.limit))
        return GlobalHandle::None;
    // At least one byte, so that even an empty block has an address to lock.
    const HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes == 0 ? 1 : bytes);
    if (block == nullptr) return GlobalHandle::None;
    state.own.emplace(block, bytes);
    state.bytesInUse += bytes;
    return Ours(block);
}

bool IsGlobalBlock(GlobalHandle handle) { return Known(handle); }

void* LockGlobal(GlobalHandle handle) {
    return Known(handle) ? ::GlobalLock(Native(handle)) : nullptr;
}

bool UnlockGlobal(GlobalHandle handle) {
    if (!Known(handle) || (::GlobalFlags(Native(handle)) & GMEM_LOCKCOUNT) == 0) return false;
    ::GlobalUnlock(Native(handle));
    return true;
}

std::size_t GlobalSize(GlobalHandle handle) {
    const auto own = State().own.find(Native(handle));
    if (own != State().own.end()) return own->second;
    return Known(handle) ? ::GlobalSize(Native(handle)) : 0;
}

bool FreeGlobal(GlobalHandle handle) {
    GlobalMemoryState& state = State();
    const auto found = state.own.find(Native(handle));
    if (found == state.own.end()) return false;
    state.bytesInUse -= found->second;
    ::GlobalFree(found->first);
    state.own.erase(found);
    return true;
}

void HandOverGlobalBlock(GlobalHandle handle) {
    GlobalMemoryState& state = State();
    const auto found = state.own.find(Native(handle));
    if (found == state.own.end()) return;
    state.bytesInUse -= found->second;
    state.own.erase(found);
}

std::size_t GlobalBlocksInUse() { return State().own.size(); }

void SetGlobalMemoryLimit(std::optional<std::size_t> bytes) { State().limit = bytes; }

void ResetGlobalMemory() {
    GlobalMemoryState& state = State();
    for (const auto& [block, bytes] : state.own) ::GlobalFree(block);
    state.own.clear();
    state.bytesInUse = 0;
    state.limit.reset();
}

}  // namespace platform
