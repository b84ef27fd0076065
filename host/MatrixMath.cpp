// Gauss-Jordan inversion with partial pivoting, transforms and cross products.
#include "host/MatrixMath.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host {

std::optional<Matrix4> Inverse(const Matrix4& m) {
    double scale = 0.0;
    for (double value : m) {
        if (!std::isfinite(value)) return std::nullopt;
        scale = std::max(scale, std::abs(value));
    }
    // A pivot this small against the largest element means the rows are dependent.
    const double tiny = scale * 1e-14;
    double a[4][8];
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m[4 * r + c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    for (int column = 0; column < 4; ++column) {
        int pivot = column;
        for (int r = column + 1; r < 4; ++r)
            if (std::abs(a[r][column]) > std::abs(a[pivot][column])) pivot = r;
        if (!(std::abs(a[pivot][column]) > tiny)) return std::nullopt;
        std::swap(a[pivot], a[column]);
        const double divisor = a[column][column];
        for (double& value : a[column]) value /= divisor;
        for (int r = 0; r < 4; ++r) {
            if (r == column) continue;
            const double factor = a[r][column];
            for (int c = 0; c < 8; ++c) a[r][c] -= factor * a[column][c];
        }
    }
    Matrix4 inverse;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) inverse[4 * r + c] = a[r][c + 4];
    return inverse;
}

HostVector3 Transform(const Matrix4& m, HostVector3 p, bool isPoint) {
    const double w = isPoint ? 1.0 : 0.0;
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z + m[3] * w,
            m[4] * p.x + m[5] * p.y + m[6] * p.z + m[7] * w,
            m[8] * p.x + m[9] * p.y + m[10] * p.z + m[11] * w};
}

HostVector3 CrossProduct(HostVector3 a, HostVector3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

}  // namespace host
