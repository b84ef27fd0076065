// Test fixture for the post height computation: a controller bound to the real stand-in host,
// surfaces sampled as grids, a table built in code, and the entities the computation drew.
#pragma once

#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/HeightComputation.h"
#include "core/TableDefinition.h"
#include "host/Drawing.h"
#include "tests/hostlink/ControllerFixture.h"

namespace heights_testing {

inline constexpr double kPi = 3.141592653589793;

// rows x columns points, row after row, from point(row, column).
template <typename PointAt>
std::vector<HostVector3> GridOf(int rows, int columns, PointAt point) {
    std::vector<HostVector3> points;
    points.reserve(std::size_t(rows) * std::size_t(columns));
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) points.push_back(point(r, c));
    return points;
}

// A height field z(x, y) over [x0, x1] x [y0, y1], n x n points; columns run along +x and rows
// along +y, so the surface's side 0 faces up.
template <typename Height>
std::vector<HostVector3> HeightField(double x0, double x1, double y0, double y1, int n, Height z) {
    return GridOf(n, n, [&](int r, int c) {
        const double x = x0 + (x1 - x0) * c / (n - 1);
        const double y = y0 + (y1 - y0) * r / (n - 1);
        return HostVector3{x, y, z(x, y)};
    });
}

[[nodiscard]] inline double Distance(const HostVector3& a, const HostVector3& b) {
    return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) +
                     (a.z - b.z) * (a.z - b.z));
}
[[nodiscard]] inline HostVector3 ToHost(const CApiPoint& p) { return {p.x, p.y, p.z}; }
[[nodiscard]] inline HostVector3 ToHost(const CApiVect& v) { return {v.x, v.y, v.z}; }

class HeightsTest : public ControllerTest {
protected:
    // A surface entity of rows x columns points, selected unless said otherwise.
    std::uint32_t AddSurface(int rows, int columns, std::vector<HostVector3> points,
                             bool selected = true) {
        const std::uint32_t id = host_.ActiveDrawing().Add(
            host::SurfaceGeometry{rows, columns, kHostSurfacePointGrid, 0, std::move(points)},
            /*color=*/5, /*layer=*/1);
        host_.ActiveDrawing().Find(id)->selected = selected;
        return id;
    }
    // A square height field of n x n points (side 0 up), selected.
    template <typename Height>
    std::uint32_t AddHeightField(double x0, double x1, double y0, double y1, int n, Height z) {
        return AddSurface(n, n, HeightField(x0, x1, y0, y1, n, z));
    }
    // Appends a post numbered 1, 1, next column, at (x, y, z) along `axis`.
    PostLocation& AddPost(double x, double y, double z, CApiVect axis = CApiVect{0, 0, 1}) {
        PostLocation post;
        post.Section = 1;
        post.Row = 1;
        post.Column = static_cast<int>(table_.PostCount()) + 1;
        post.Post.point.x = x;
        post.Post.point.y = y;
        post.Post.point.z = z;
        axis.normalize();
        post.Post.vect = axis;
        return *table_.Append(post);
    }
    // Binds the controller (to `api` when given), prepares and computes every post.
    void Run(HostApi* api = nullptr) {
        Bind(api);
        PrepareHeightComputation(ctrl_, table_);
        ComputeAllHeights(ctrl_, table_);
    }
    // The entities on the result layer, in drawing order.
    [[nodiscard]] std::vector<host::Entity> Drawn() const {
        std::vector<host::Entity> drawn;
        host_.ActiveDrawing().ForEach([&](const host::Entity& e) {
            if (e.layer == core::kHeightsLayer) drawn.push_back(e);
        });
        return drawn;
    }
    // The result layer's entities of one kind.
    template <typename Geometry>
    [[nodiscard]] std::vector<std::pair<Geometry, int>> DrawnOf() const {
        std::vector<std::pair<Geometry, int>> found;  // geometry and colour
        for (const host::Entity& e : Drawn())
            if (const auto* g = std::get_if<Geometry>(&e.geometry)) found.emplace_back(*g, e.color);
        return found;
    }

    TableDefinition table_;
};

}  // namespace heights_testing
