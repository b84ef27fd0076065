// Accounting of the objects handed out by the host.
#include "host/ObjectLedger.h"

#include <algorithm>
#include <cstdio>

namespace host {
namespace {

const void* PayloadAddress(HandedObject& object) {
    if (auto* block = std::get_if<AllocatedBlock>(&object.payload)) return block->data();
    return std::visit([](auto& payload) -> const void* { return &payload; }, object.payload);
}

}  // namespace

void* ObjectLedger::Hand(std::unique_ptr<HandedObject> object) {
    const void* address = PayloadAddress(*object);
    objects_.emplace(address, std::move(object));
    return const_cast<void*>(address);
}

HandedObject* ObjectLedger::Find(const void* handedOut) {
    const auto found = objects_.find(handedOut);
    return found == objects_.end() ? nullptr : found->second.get();
}

bool ObjectLedger::Free(const void* handedOut) {
    const auto found = objects_.find(handedOut);
    if (found == objects_.end()) {
        ++rejectedFrees_;
        std::fprintf(stderr, "host: HostFree of %p refused: not an object the host handed out\n",
                     handedOut);
        return false;
    }
    const char* textBlock = nullptr;
    if (auto* text = std::get_if<HostTextObject>(&found->second->payload)) textBlock = text->text;
    Keep(std::move(found->second->points));
    objects_.erase(found);
    // The text object owns its HostAlloc block; another pointer there is the caller's own.
    if (textBlock && FindAs<AllocatedBlock>(textBlock)) objects_.erase(textBlock);
    return true;
}

void ObjectLedger::Reset() {
    objects_.clear();
    rejectedFrees_ = 0;
    kept_.clear();
}

std::vector<HostVector3> ObjectLedger::StorageFor(std::size_t count) {
    if (count < kLargeObjectPoints) return {};
    // The smallest that holds them.
    auto best = kept_.end();
    for (auto it = kept_.begin(); it != kept_.end(); ++it)
        if (it->capacity() >= count && (best == kept_.end() || it->capacity() < best->capacity()))
            best = it;
    if (best == kept_.end()) return {};
    std::vector<HostVector3> storage = std::move(*best);
    kept_.erase(best);
    return storage;
}

void ObjectLedger::Keep(std::vector<HostVector3> points) {
    if (points.capacity() < kLargeObjectPoints) return;
    if (kept_.size() == kKeptStorages) {
        // The smallest kept makes room, unless this one is smaller still.
        const auto smallest = std::min_element(
            kept_.begin(), kept_.end(),
            [](const auto& a, const auto& b) { return a.capacity() < b.capacity(); });
        if (smallest->capacity() >= points.capacity()) return;
        kept_.erase(smallest);
    }
    kept_.push_back(std::move(points));
}

}  // namespace host
