// The wave surface of the surface benchmarks: a doubly curved height field with a few hundred
// waves over 1,000 x 1,000 model units, columns along +x and rows along +y.
#pragma once

#include <cmath>
#include <cstddef>
#include <vector>

namespace bench {

// n x n points of the wave, row after row, as points of type Point (x, y and z in that order).
template <class Point>
std::vector<Point> WavePoints(int n) {
    constexpr double kSide = 1000.0;
    std::vector<Point> points;
    points.reserve(std::size_t(n) * n);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            const double x = kSide * c / (n - 1);
            const double y = kSide * r / (n - 1);
            points.push_back({x, y, 20.0 * std::sin(x / 40.0) * std::cos(y / 55.0) + 0.01 * x});
        }
    }
    return points;
}

}  // namespace bench
