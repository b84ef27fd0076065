// CApiPointGrid: one node of a depth grid (a summed depth, its sample count and how the value came
// about). Add-ins read nodes through a cloud grid's cells, so they share its layout (below).
#pragma once

#include <cstddef>

#include "hostlink/LinkExport.h"

class RAVELINK_API CApiPointGrid {
public:
    // Values of cellFlag.
    static constexpr unsigned char kNoValue = 0;
    static constexpr unsigned char kMeasured = 1;
    static constexpr unsigned char kInterpolated = 2;
    static constexpr unsigned char kExtended = 4;
    static constexpr unsigned char kReplaceable = 8;

    // A node without a value (all fields 0).
    CApiPointGrid() = default;
    CApiPointGrid(const CApiPointGrid&) = default;
    CApiPointGrid& operator=(const CApiPointGrid&) = default;
    virtual ~CApiPointGrid() = default;

    // A measured sample (flag 1) joins the node's mean; any other value replaces the node's value
    // only when the node has none, is flagged 8, or the value is higher than its depth.
    void SetDepth(int flag, double z);
    // Makes `z` the node's only sample with `flag`, whatever it held.
    void OverWriteDepth(int flag, double z);
    // The mean of the samples, 0 without samples.
    [[nodiscard]] double GetDepth() const;
    // How the value came about (kNoValue ... kReplaceable).
    [[nodiscard]] unsigned char GetFlag() const { return cellFlag; }

    int sampleCount = 0;
    double depthSum = 0.0;
    unsigned char cellFlag = 0;

private:
    [[nodiscard]] bool IsFree() const;
};

// The layout add-ins rely on: a vtable pointer, then the fields in declaration order.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(CApiPointGrid) == 32 && offsetof(CApiPointGrid, sampleCount) == 8 &&
              offsetof(CApiPointGrid, depthSum) == 16 && offsetof(CApiPointGrid, cellFlag) == 24);
#pragma GCC diagnostic pop
