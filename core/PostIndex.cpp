// Open-addressing hash index of posts.
#include "core/PostIndex.h"

namespace core {

namespace {

std::uint64_t Mix(std::uint64_t h) {
    // The finaliser of splitmix64: spreads neighbouring post numbers over the table.
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebull;
    h ^= h >> 31;
    return h;
}

std::uint64_t Hash(PostIndex::Key key) {
    const std::uint64_t packed =
        (static_cast<std::uint64_t>(static_cast<std::uint32_t>(key.section)) << 32) |
        static_cast<std::uint32_t>(key.row);
    return Mix(packed ^ Mix(static_cast<std::uint32_t>(key.column)));
}

}  // namespace

size_t PostIndex::SlotFor(Key key) const {
    const size_t mask = slots_.size() - 1;
    size_t slot = Hash(key) & mask;
    while (slots_[slot].position != kEmpty && !(slots_[slot].key == key)) slot = (slot + 1) & mask;
    return slot;
}

void PostIndex::Insert(Key key, std::uint32_t position) {
    if ((used_ + 1) * 2 > slots_.size()) Grow();
    Slot& slot = slots_[SlotFor(key)];
    if (slot.position != kEmpty) return;
    slot = Slot{key, position};
    ++used_;
}

std::optional<std::uint32_t> PostIndex::Find(Key key) const {
    if (slots_.empty()) return std::nullopt;
    const Slot& slot = slots_[SlotFor(key)];
    if (slot.position == kEmpty) return std::nullopt;
    return slot.position;
}

void PostIndex::Clear() {
    slots_.clear();
    used_ = 0;
}

void PostIndex::Grow() {
    std::vector<Slot> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot{Key{0, 0, 0}, kEmpty});
    for (const Slot& slot : old)
        if (slot.position != kEmpty) slots_[SlotFor(slot.key)] = slot;
}

}  // namespace core
