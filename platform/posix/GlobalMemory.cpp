// The process's global memory blocks, kept in one table with their lock counts.
#include "platform/GlobalMemory.h"

#include <algorithm>
#include <memory>
#include <new>
#include <unordered_map>

namespace platform {
namespace {

struct Block {
    std::unique_ptr<std::byte[]> bytes;
    std::size_t size = 0;
    int locks = 0;
};

struct GlobalMemoryState {
    std::unordered_map<std::uint64_t, Block> blocks;
    std::uint64_t lastHandle = 0;
    std::size_t bytesInUse = 0;
    std::optional<std::size_t> limit;
};

GlobalMemoryState& State() {
    static GlobalMemoryState state;
    return state;
}

Block* Find(GlobalHandle handle) {
    const auto found = State().blocks.find(static_cast<std::uint64_t>(handle));
    return found != State().blocks.end() ? &found->second : nullptr;
}

}  // namespace

GlobalHandle AllocateGlobal(std::size_t bytes) {
    GlobalMemoryState& state = State();
    if (state.limit && bytes > *state.limit - std::min(state.bytesInUse, *state.limit))
        return GlobalHandle::None;
    // At least one byte, so that even an empty block has an address to lock.
    std::unique_ptr<std::byte[]> storage(new (std::nothrow) std::byte[bytes == 0 ? 1 : bytes]());
    if (storage == nullptr) return GlobalHandle::None;
    const std::uint64_t handle = ++state.lastHandle;
    state.blocks.emplace(handle, Block{std::move(storage), bytes, 0});
    state.bytesInUse += bytes;
    return static_cast<GlobalHandle>(handle);
}

bool IsGlobalBlock(GlobalHandle handle) { return Find(handle) != nullptr; }

void* LockGlobal(GlobalHandle handle) {
    Block* block = Find(handle);
    if (block == nullptr) return nullptr;
    ++block->locks;
    return block->bytes.get();
}

bool UnlockGlobal(GlobalHandle handle) {
    Block* block = Find(handle);
    if (block == nullptr || block->locks == 0) return false;
    --block->locks;
    return true;
}

std::size_t GlobalSize(GlobalHandle handle) {
    const Block* block = Find(handle);
    return block != nullptr ? block->size : 0;
}

bool FreeGlobal(GlobalHandle handle) {
    GlobalMemoryState& state = State();
    const auto found = state.blocks.find(static_cast<std::uint64_t>(handle));
    if (found == state.blocks.end()) return false;
    state.bytesInUse -= found->second.size;
    state.blocks.erase(found);
    return true;
}

std::size_t GlobalBlocksInUse() { return State().blocks.size(); }

void SetGlobalMemoryLimit(std::optional<std::size_t> bytes) { State().limit = bytes; }

void ResetGlobalMemory() {
    GlobalMemoryState& state = State();
    state.blocks.clear();
    state.bytesInUse = 0;
    state.limit.reset();
}

}  // namespace platform
