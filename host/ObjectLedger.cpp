// Accounting of the objects handed out by the host.
#include "host/ObjectLedger.h"

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
    objects_.erase(found);
    // The text object owns its HostAlloc block; another pointer there is the caller's own.
    if (textBlock && FindAs<AllocatedBlock>(textBlock)) objects_.erase(textBlock);
    return true;
}

void ObjectLedger::Reset() {
    objects_.clear();
    rejectedFrees_ = 0;
}

}  // namespace host
