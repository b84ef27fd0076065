// The state of the CreateDigSurface call in progress and the two adapters through which the host
// draws its points from it: the caller's point function, or rows of a point list.
#pragma once

#include <cstdio>

#include "hostlink/HostApi.h"
#include "hostlink/LinkExport.h"
#include "hostlink/PointList.h"

namespace ravelink {

// The caller's point function: fills the point and returns 1 at the end, 2 at the end of a row,
// a negative value on error and anything else for a point.
using DigPointFunction = int (*)(CApiPoint*);

// Process-wide, like the one temporary file the host reads beside it: one call at a time.
struct DigPointSource {
    DigPointFunction next = nullptr;  // callback form
    CApiPointLst* list = nullptr;     // list form: the points, row after row
    int perRow = 0;
    int rowCount = 0;
    int delivered = 0;  // points delivered in the current row
    int row = 0;
    bool inProgress = false;  // a CreateDigSurface is handing points to the host
};

// The one instance.
DigPointSource& DigSource();

// Forgets the last call's values (tests use this between cases).
RAVELINK_API void ResetDigPointSource();

// Adapter of the callback form: 3 for a point, 2 at a row's end, 1 at the end, 4 on error.
int PointFunctionAdapter(std::FILE* file, double* xyz);

// Adapter of the list form: rowCount rows of perRow points from the list's cursor on, the rows
// ended by 2 and the whole by 1; 4, with a message, when the list has no point to give.
int PointListAdapter(std::FILE* file, double* xyz);

}  // namespace ravelink
