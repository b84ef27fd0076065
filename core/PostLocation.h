// One post of the fixture table: its numbers, location and axis, and the computed hits.
#pragma once

#include "hostlink/ApiGeometry.h"

class PostLocation {
public:
    int Section = 0;
    int Row = 0;
    int Column = 0;
    CApiPointVect Post;  // location and unit axis direction
    CApiPointVect Hit0;  // hit on group 0; after the computation its point's z is the height
    CApiPointVect Hit1;  // hit on group 1
    CApiPointVect Hit2;  // hit on group 2

    // The post's height: the z of Hit0's point.
    [[nodiscard]] double Height() const { return Hit0.point.z; }
};
