// Global memory blocks: movable, shareable byte blocks addressed by handle, as the clipboard
// takes them. Handles are never reused, so a stale or made-up handle is recognised.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace platform {

// A global memory block; GlobalHandle::None is no block.
enum class GlobalHandle : std::uint64_t { None = 0 };

// A new zero-filled block of `bytes` bytes, or None when the limit set by SetGlobalMemoryLimit
// would be exceeded or memory is exhausted.
[[nodiscard]] GlobalHandle AllocateGlobal(std::size_t bytes);
// Whether `handle` is a block allocated and not yet freed.
[[nodiscard]] bool IsGlobalBlock(GlobalHandle handle);
// The block's bytes, stable until it is freed; null for an unknown handle. Counts a lock.
[[nodiscard]] void* LockGlobal(GlobalHandle handle);
// Undoes one lock; false for an unknown handle or a block that is not locked.
bool UnlockGlobal(GlobalHandle handle);
// The block's size in bytes, 0 for an unknown handle.
[[nodiscard]] std::size_t GlobalSize(GlobalHandle handle);
// Frees the block; false for an unknown handle (freed already, or never allocated).
bool FreeGlobal(GlobalHandle handle);

// The number of blocks allocated and not yet freed (tests check that nothing leaks).
[[nodiscard]] std::size_t GlobalBlocksInUse();
// Caps the bytes of all live blocks together, so that allocation failures can be provoked;
// none removes the cap.
void SetGlobalMemoryLimit(std::optional<std::size_t> bytes);
// Frees every block and removes the cap. Reset the clipboard first: it holds blocks too.
void ResetGlobalMemory();

}  // namespace platform
