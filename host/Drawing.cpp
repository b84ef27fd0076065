// The drawing's entities, layers, views, selection and current settings.
#include "host/Drawing.h"

#include <cmath>

#include "platform/Invariant.h"

namespace host {
namespace {

View MakeView(const char* name, HostVector3 x, HostVector3 y, HostVector3 depth) {
    return {name, {x.x, y.x, depth.x, 0, x.y, y.y, depth.y, 0, x.z, y.z, depth.z, 0, 0, 0, 0, 1}};
}

}  // namespace

std::map<int, View> StandardViews() {
    const double r2 = 1.0 / std::sqrt(2.0), r3 = 1.0 / std::sqrt(3.0), r6 = 1.0 / std::sqrt(6.0);
    return {
        {1, MakeView("Top", {1, 0, 0}, {0, 1, 0}, {0, 0, 1})},
        {2, MakeView("Front", {1, 0, 0}, {0, 0, 1}, {0, -1, 0})},
        {3, MakeView("Right", {0, 1, 0}, {0, 0, 1}, {1, 0, 0})},
        {4, MakeView("Left", {0, -1, 0}, {0, 0, 1}, {-1, 0, 0})},
        {5, MakeView("Back", {-1, 0, 0}, {0, 0, 1}, {0, 1, 0})},
        {6, MakeView("Bottom", {1, 0, 0}, {0, -1, 0}, {0, 0, -1})},
        {7, MakeView("Iso", {-r2, r2, 0}, {-r6, -r6, 2 * r6}, {r3, r3, r3})},
    };
}

void Drawing::SlotBlocks::emplace_back() {
    const auto [block, offset] = Locate(size_);
    if (block == blocks_.size()) {
        // Reserved whole, so that the block never reallocates and its slots never move.
        blocks_.emplace_back().reserve(kFirstBlock << block);
    }
    blocks_[block].emplace_back();
    ++size_;
}

void Drawing::SlotBlocks::clear() {
    blocks_.clear();
    size_ = 0;
}

Drawing::Drawing() { Clear(); }

Entity& Drawing::Place(std::size_t slot, EntityGeometry geometry, int color, int layer) {
    // Ids are never reused, so a handle of a deleted entity can never name another one.
    TAVRO_INVARIANT(lastId_ != UINT32_MAX, "entity ids of this drawing are exhausted");
    TAVRO_INVARIANT(CheckGeometry(geometry) && IsColorNumber(color) && IsLayerNumber(layer),
                    "check entities before adding them (CheckGeometry)");
    const std::uint32_t id = ++lastId_;
    slotOfId_.push_back(std::uint32_t(slot));
    slots_[slot].entity = Entity{id, color, layer, false, std::move(geometry)};
    ++liveCount_;
    AddLayer(layer, {});
    return *slots_[slot].entity;
}

std::uint32_t Drawing::Add(EntityGeometry geometry, int color, int layer) {
    slots_.emplace_back();
    return Place(slots_.size() - 1, std::move(geometry), color, layer).id;
}

std::uint32_t Drawing::AddInPlaceOf(std::uint32_t formerId, EntityGeometry geometry, int color,
                                    int layer) {
    const std::optional<std::size_t> slot = SlotOf(formerId);
    if (!slot || slots_[*slot].entity) return Add(std::move(geometry), color, layer);
    return Place(*slot, std::move(geometry), color, layer).id;
}

bool Drawing::Delete(std::uint32_t id) {
    Entity* entity = Find(id);
    if (!entity) return false;
    slots_[*SlotOf(id)].entity.reset();
    --liveCount_;
    return true;
}

Entity* Drawing::Find(std::uint32_t id) {
    return const_cast<Entity*>(static_cast<const Drawing*>(this)->Find(id));
}

const Entity* Drawing::Find(std::uint32_t id) const {
    const std::optional<std::size_t> slot = SlotOf(id);
    if (!slot) return nullptr;
    const std::optional<Entity>& entity = slots_[*slot].entity;
    return entity && entity->id == id ? &*entity : nullptr;
}

std::optional<std::size_t> Drawing::SlotOf(std::uint32_t id) const {
    if (id < firstId_ || id - firstId_ >= slotOfId_.size()) return std::nullopt;
    return slotOfId_[id - firstId_];
}

std::uint32_t Drawing::LiveIdFrom(std::size_t slot) const {
    for (; slot < slots_.size(); ++slot)
        if (slots_[slot].entity) return slots_[slot].entity->id;
    return 0;
}

std::uint32_t Drawing::First() const { return LiveIdFrom(0); }

std::uint32_t Drawing::Next(std::uint32_t id) const {
    const std::optional<std::size_t> slot = SlotOf(id);
    return slot ? LiveIdFrom(*slot + 1) : 0;
}

void Drawing::ForEach(const std::function<void(const Entity&)>& visit) const {
    slots_.ForEach([&](const Slot& slot) {
        if (slot.entity) visit(*slot.entity);
    });
}

void Drawing::ForEach(const std::function<void(Entity&)>& visit) {
    slots_.ForEach([&](Slot& slot) {
        if (slot.entity) visit(*slot.entity);
    });
}

void Drawing::Clear() {
    slots_.clear();
    slotOfId_.clear();
    firstId_ = lastId_ + 1;
    liveCount_ = 0;
    layers_.clear();
    views_ = StandardViews();
    currentView_ = constructionView_ = 1;
    currentColor_ = 10;
    currentLayer_ = 1;
}

void Drawing::ReplaceWith(const Drawing& other) {
    Clear();
    layers_ = other.layers_;
    views_ = other.views_;
    currentView_ = other.currentView_;
    constructionView_ = other.constructionView_;
    currentColor_ = other.currentColor_;
    currentLayer_ = other.currentLayer_;
    other.ForEach([&](const Entity& e) { Add(e.geometry, e.color, e.layer); });
}

std::vector<std::uint32_t> Drawing::MergeFrom(const Drawing& other) {
    for (const auto& [number, layer] : other.layers_) AddLayer(number, layer);
    std::vector<std::uint32_t> added;
    other.ForEach([&](const Entity& e) { added.push_back(Add(e.geometry, e.color, e.layer)); });
    return added;
}

void Drawing::AddLayer(int layer, Layer record) { layers_.try_emplace(layer, std::move(record)); }

bool Drawing::ShowLayer(int layer, bool show) {
    const auto found = layers_.find(layer);
    if (found == layers_.end()) return false;
    found->second.visible = show;
    return true;
}

void Drawing::SetViews(std::map<int, View> views) {
    TAVRO_INVARIANT(!views.empty(), "a drawing always has a view");
    views_ = std::move(views);
    if (!views_.count(currentView_)) currentView_ = views_.begin()->first;
    if (!views_.count(constructionView_)) constructionView_ = views_.begin()->first;
}

bool Drawing::SetCurrentView(int number) {
    if (!views_.count(number)) return false;
    currentView_ = number;
    return true;
}

bool Drawing::SetConstructionView(int number) {
    if (!views_.count(number)) return false;
    constructionView_ = number;
    return true;
}

bool Drawing::SetCurrentColor(int color) {
    if (!IsColorNumber(color)) return false;
    currentColor_ = color;
    return true;
}

bool Drawing::SetCurrentLayer(int layer) {
    if (!IsLayerNumber(layer)) return false;
    currentLayer_ = layer;
    return true;
}

void Drawing::UnselectAll() {
    ForEach([](Entity& e) { e.selected = false; });
}

std::size_t Drawing::SelectedCount() const {
    std::size_t count = 0;
    ForEach([&](const Entity& e) { count += e.selected ? 1 : 0; });
    return count;
}

}  // namespace host
