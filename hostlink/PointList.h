// CApiPointLst: a list of point copies with running extent and step statistics, from which a grid
// spacing is derived without a second pass over the points. Add-ins share its layout (below).
#pragma once

#include <cstddef>

#include "hostlink/LinkExport.h"

#include "hostlink/ApiGeometry.h"
#include "hostlink/LinkList.h"

class RAVELINK_API CApiPointLst {
public:
    // Statistic values after Clear.
    static constexpr double kNoStep = 9999999.9999;
    static constexpr double kDefaultSpacing = 0.1;
    // Spacing as a share of the extent, and the smallest step that counts.
    static constexpr double kSpacingShareOfExtent = 0.002;
    static constexpr double kSmallestStep = 0.001;

    // An empty list with cleared statistics.
    CApiPointLst();
    // An empty list, then every point of `src` in order passed to Add (statistics recomputed);
    // src's cursor is left on its last point. A null `src` gives an empty list.
    explicit CApiPointLst(CApiPointLst* src);
    // A deep copy: its own copies of the points, the statistics as they stand.
    CApiPointLst(const CApiPointLst& other) = default;
    CApiPointLst& operator=(const CApiPointLst& other) = default;
    // Frees all points.
    virtual ~CApiPointLst();

    // Appends a copy of the whole record at `p` and updates the statistics; nothing for null.
    void Add(CApiPoint* p);
    // The number of points.
    [[nodiscard]] int Get_Count() const;
    // Cursor movement over the list's own copies; null (cursor unchanged) when there is no such
    // point. The pointers stay valid until their point is removed.
    CApiPoint* GetFirst();
    CApiPoint* GetNext();
    CApiPoint* GetLast();
    // The point at the cursor, or null.
    [[nodiscard]] CApiPoint* Get();
    // The point at `index`, moving the cursor there; null for an index outside 0 .. count - 1.
    CApiPoint* Get(int index);
    // Copies the smallest and largest coordinates seen (whole records); a null target is skipped.
    void Get_MinMaxPoints(CApiPoint* min, CApiPoint* max);
    // Each spacing is the larger of 0.2 % of the extent and the smallest step; stored in
    // spacingX/spacingY and written to the non-null targets.
    void Get_GridSpacing(double* sx, double* sy);
    // Resets the statistics; the points stay.
    void Clear();
    // Removes every point, then Clear.
    void removeall();

    double spacingY;
    double minStepY;
    double lastY;
    double spacingX;
    double minStepX;
    double lastX;
    CApiPoint maxPoint;
    CApiPoint minPoint;
    CLinkList points;

private:
    void NoteStep(const CApiPoint& p);
};

// The layout add-ins rely on: a vtable pointer, then the fields in declaration order.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Winvalid-offsetof"
static_assert(sizeof(CApiPointLst) == 176 && offsetof(CApiPointLst, spacingY) == 8 &&
              offsetof(CApiPointLst, minStepY) == 16 && offsetof(CApiPointLst, lastY) == 24 &&
              offsetof(CApiPointLst, spacingX) == 32 && offsetof(CApiPointLst, minStepX) == 40 &&
              offsetof(CApiPointLst, lastX) == 48 && offsetof(CApiPointLst, maxPoint) == 56 &&
              offsetof(CApiPointLst, minPoint) == 88 && offsetof(CApiPointLst, points) == 120);
#pragma GCC diagnostic pop
