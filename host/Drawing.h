// The stand-in host's drawing: entities in drawing order with their own ids, layers, views,
// selection and the current colour, layer and views.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/EntityGeometry.h"
#include "host/geometry/LargePages.h"

namespace host {

// Layers are numbered 0 to 999 (three digits), colours 0 to 255.
inline constexpr int kLayerCount = 1000;
inline constexpr int kColorCount = 256;
[[nodiscard]] inline bool IsLayerNumber(int layer) { return layer >= 0 && layer < kLayerCount; }
[[nodiscard]] inline bool IsColorNumber(int color) { return color >= 0 && color < kColorCount; }

// Longest layer name the drawing keeps (HostLayerName hands out at most 59 characters).
inline constexpr std::size_t kMaxLayerName = 59;
// Longest view name (a view record holds 31 characters and the terminator).
inline constexpr std::size_t kMaxViewName = 31;

struct Entity {
    std::uint32_t id = 0;
    int color = 0;
    int layer = 0;
    bool selected = false;
    EntityGeometry geometry;
};

struct Layer {
    std::string name;
    bool visible = true;
    friend bool operator==(const Layer&, const Layer&) = default;
};

struct View {
    std::string name;
    Matrix4 matrix = IdentityMatrix();
    friend bool operator==(const View&, const View&) = default;
};

// The view numbers a new drawing has: 1 Top, 2 Front, 3 Right, 4 Left, 5 Back, 6 Bottom, 7 Iso.
[[nodiscard]] std::map<int, View> StandardViews();

class Drawing {
public:
    Drawing();

    // ---- entities, in drawing order ----
    // Appends an entity with a new id (its layer is created when missing); returns the id.
    // The geometry must be valid (CheckGeometry), colour and layer in range.
    std::uint32_t Add(EntityGeometry geometry, int color, int layer);
    // Like Add, but into the place of the deleted entity `formerId` when that place is still
    // empty, so that deleting, changing and re-adding an entity keeps its place in the order.
    std::uint32_t AddInPlaceOf(std::uint32_t formerId, EntityGeometry geometry, int color,
                               int layer);
    // Removes a live entity; false when `id` is not one.
    bool Delete(std::uint32_t id);
    // The live entity with this id, or null.
    [[nodiscard]] Entity* Find(std::uint32_t id);
    [[nodiscard]] const Entity* Find(std::uint32_t id) const;
    // Id of the first live entity, or 0 when there is none.
    [[nodiscard]] std::uint32_t First() const;
    // Id of the live entity after the place of `id` (which may have been deleted), or 0.
    [[nodiscard]] std::uint32_t Next(std::uint32_t id) const;
    [[nodiscard]] std::size_t EntityCount() const { return liveCount_; }
    // Calls `visit` for every live entity in drawing order.
    void ForEach(const std::function<void(const Entity&)>& visit) const;
    void ForEach(const std::function<void(Entity&)>& visit);
    // Removes every entity, layer and view and restores the settings of a new drawing; ids
    // already given out are never given again.
    void Clear();
    // Replaces the contents by `other`'s (entities get new ids).
    void ReplaceWith(const Drawing& other);
    // Appends `other`'s entities (new ids) and adds its layers that this drawing lacks; views and
    // settings of `other` are not taken. Returns the ids of the appended entities.
    std::vector<std::uint32_t> MergeFrom(const Drawing& other);

    // ---- layers ----
    [[nodiscard]] const std::map<int, Layer>& Layers() const { return layers_; }
    [[nodiscard]] bool HasLayer(int layer) const { return layers_.count(layer) != 0; }
    // Adds a layer when it is missing; an existing layer keeps its name and visibility.
    void AddLayer(int layer, Layer record);
    // Sets a layer's name and visibility, adding it when missing.
    void SetLayer(int layer, Layer record) { layers_[layer] = std::move(record); }
    // Shows or hides a layer; false when there is no such layer.
    bool ShowLayer(int layer, bool show);

    // ---- views ----
    [[nodiscard]] const std::map<int, View>& Views() const { return views_; }
    // Replaces the views (at least one); a current or construction view no longer listed
    // becomes the lowest listed one.
    void SetViews(std::map<int, View> views);
    [[nodiscard]] int CurrentView() const { return currentView_; }
    [[nodiscard]] int ConstructionView() const { return constructionView_; }
    // Makes a listed view current; false when it does not exist.
    bool SetCurrentView(int number);
    bool SetConstructionView(int number);

    // ---- current colour and layer for new entities ----
    [[nodiscard]] int CurrentColor() const { return currentColor_; }
    [[nodiscard]] int CurrentLayer() const { return currentLayer_; }
    // Out-of-range values are refused (false) and change nothing.
    bool SetCurrentColor(int color);
    bool SetCurrentLayer(int layer);

    // ---- selection ----
    void UnselectAll();
    [[nodiscard]] std::size_t SelectedCount() const;

private:
    struct Slot {
        std::optional<Entity> entity;
    };
    // The slots in drawing order, in blocks that never move: block k holds kFirstBlock << k
    // slots. A job adds tens of thousands of entities one by one; a vector of slots would copy
    // them all at every growth and fill fresh memory for each copy, which costs more than the
    // entities themselves.
    class SlotBlocks {
    public:
        [[nodiscard]] std::size_t size() const { return size_; }
        [[nodiscard]] Slot& operator[](std::size_t slot) {
            const auto [block, offset] = Locate(slot);
            return blocks_[block][offset];
        }
        [[nodiscard]] const Slot& operator[](std::size_t slot) const {
            const auto [block, offset] = Locate(slot);
            return blocks_[block][offset];
        }
        // Appends an empty slot.
        void emplace_back();
        void clear();
        // Calls `visit` for every slot there is when it starts, in order.
        template <class Visit>
        void ForEach(Visit&& visit) const {
            const std::size_t count = size_;
            for (std::size_t slot = 0; slot < count; ++slot) visit((*this)[slot]);
        }
        template <class Visit>
        void ForEach(Visit&& visit) {
            const std::size_t count = size_;
            for (std::size_t slot = 0; slot < count; ++slot) visit((*this)[slot]);
        }

    private:
        static constexpr std::size_t kFirstBlock = 64;
        using Block = std::vector<Slot, geometry::LargePageAllocator<Slot>>;
        // Block k starts at slot kFirstBlock * (2^k - 1).
        static std::pair<std::size_t, std::size_t> Locate(std::size_t slot) {
            const std::size_t block = std::bit_width(slot / kFirstBlock + 1) - 1;
            return {block, slot + kFirstBlock - (kFirstBlock << block)};
        }

        std::vector<Block> blocks_;  // each reserved to its whole size when made
        std::size_t size_ = 0;
    };

    Entity& Place(std::size_t slot, EntityGeometry geometry, int color, int layer);
    [[nodiscard]] std::uint32_t LiveIdFrom(std::size_t slot) const;
    // The slot of an id given out since the last Clear, deleted or not; none for other ids.
    [[nodiscard]] std::optional<std::size_t> SlotOf(std::uint32_t id) const;

    SlotBlocks slots_;
    // Slot of every id this drawing has given out since its last Clear, deleted ones included:
    // ids are given out one after the other, so the slot of id firstId_ + i is slotOfId_[i].
    std::vector<std::uint32_t> slotOfId_;
    std::uint32_t firstId_ = 1;
    std::size_t liveCount_ = 0;
    std::uint32_t lastId_ = 0;

    std::map<int, Layer> layers_;
    std::map<int, View> views_;
    int currentView_ = 1;
    int constructionView_ = 1;
    int currentColor_ = 10;
    int currentLayer_ = 1;
};

}  // namespace host
