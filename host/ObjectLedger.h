// The objects the host has handed out (Get/New copies and HostAlloc blocks) until they are freed,
// so that leaks can be counted and foreign or repeated frees refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <variant>
#include <vector>

#include "hostlink/HostApi.h"

namespace host {

// A HostAlloc block.
using AllocatedBlock = std::vector<unsigned char>;

struct BuiltSurface;

using ObjectPayload = std::variant<HostPointObject, HostLineObject, HostArcObject,
                                   HostPolylineObject, HostCurveObject, HostSurfaceObject,
                                   HostTextObject, HostLayerObject, AllocatedBlock>;

// One object handed out: the payload the caller sees, the storage its pointers point into, and
// the attributes the host keeps beside it.
struct HandedObject {
    ObjectPayload payload;
    std::vector<HostVector3> points;  // behind a polyline's, curve's or surface's pointer
    int color = 0;
    int layer = 0;
    bool selected = false;
    std::uint32_t sourceId = 0;  // entity it was read from; 0 for a new object
    // A surface's geometry, built on its first query (host/BuiltSurface.h); null until then.
    std::shared_ptr<const BuiltSurface> built;
};

class ObjectLedger {
public:
    ObjectLedger() = default;
    ObjectLedger(const ObjectLedger&) = delete;
    ObjectLedger& operator=(const ObjectLedger&) = delete;

    // Keeps the object until it is freed and returns the pointer the caller gets: the address of
    // the payload (of the bytes, for a block).
    void* Hand(std::unique_ptr<HandedObject> object);
    // The object behind a pointer handed out and not yet freed, or null.
    [[nodiscard]] HandedObject* Find(const void* handedOut);
    // Like Find, but only when the payload is a T.
    template <class T>
    [[nodiscard]] HandedObject* FindAs(const void* handedOut) {
        HandedObject* object = Find(handedOut);
        return object && std::holds_alternative<T>(object->payload) ? object : nullptr;
    }
    // Releases an object (a text's text block with it). A pointer that is not outstanding is
    // refused and counted; false then.
    bool Free(const void* handedOut);
    // Objects and blocks handed out and not freed.
    [[nodiscard]] std::size_t Outstanding() const { return objects_.size(); }
    // Frees refused since the last Reset (double frees, foreign pointers).
    [[nodiscard]] std::size_t RejectedFrees() const { return rejectedFrees_; }
    // Releases everything and clears the counts.
    void Reset();

    // Storage for the points of an object about to be handed out: for `count` points of a large
    // object, the storage of a freed one that holds them (its old points still in it: the caller
    // fills it), else none.
    [[nodiscard]] std::vector<HostVector3> StorageFor(std::size_t count);
    // Freed point storage kept for StorageFor.
    [[nodiscard]] std::size_t KeptStorage() const { return kept_.size(); }

    // Objects of fewer points are left to the allocator.
    static constexpr std::size_t kLargeObjectPoints = (std::size_t{2} << 20) / sizeof(HostVector3);
    // At most this many freed storages are kept.
    static constexpr std::size_t kKeptStorages = 4;

private:
    // Keeps the point storage of an object being freed when it is large.
    void Keep(std::vector<HostVector3> points);

    std::unordered_map<const void*, std::unique_ptr<HandedObject>> objects_;
    std::size_t rejectedFrees_ = 0;
    // The point storage of freed large objects, to be handed out again: a job gets, frees and
    // makes surfaces of a million points, and fresh memory is cleared by the system page by page,
    // which costs more than filling it.
    std::vector<std::vector<HostVector3>> kept_;
};

}  // namespace host
