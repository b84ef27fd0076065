// Conversion between the drawing's entities and the objects the host hands out.
#pragma once

#include <memory>
#include <string>
#include <variant>

#include "host/Drawing.h"
#include "host/ObjectLedger.h"

namespace host {

// A copy of the entity as the object of its kind, with its colour, layer and selection. Its
// points (a polyline's, curve's or surface's) go into `storage` (ObjectLedger::StorageFor).
[[nodiscard]] std::unique_ptr<HandedObject> CopyOfEntity(const Entity& entity,
                                                         std::vector<HostVector3> storage = {});

// The number of points the copy of an entity holds.
[[nodiscard]] std::size_t PointCount(const EntityGeometry& geometry);

// A new, empty object of the payload type T with the given colour and layer.
template <class T>
[[nodiscard]] std::unique_ptr<HandedObject> NewObject(int color, int layer) {
    auto object = std::make_unique<HandedObject>();
    object->payload = T{};
    object->color = color;
    object->layer = layer;
    return object;
}

// A new surface of rows x columns points at the origin, or null for fewer than 2 x 2 points or
// more than the host accepts. Its points go into `storage` (ObjectLedger::StorageFor).
[[nodiscard]] std::unique_ptr<HandedObject> NewSurfaceObject(
    std::uint32_t form, std::uint32_t options, std::uint32_t rows, std::uint32_t columns, int color,
    int layer, std::vector<HostVector3> storage = {});

// The geometry an object stands for, or the reason it cannot be added: pointers or counts that
// were changed by the caller, a text that is not in a HostAlloc block, numbers out of range.
platform::Expected<EntityGeometry> GeometryOfObject(const HandedObject& object,
                                                    ObjectLedger& ledger);

}  // namespace host
