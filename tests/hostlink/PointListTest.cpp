// CApiPointLst: statistics while adding, grid spacing, indexed access, and both copy paths.
#include "hostlink/PointList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr double kNoStep = CApiPointLst::kNoStep;

CApiPoint Point(double x, double y, double z = 0.0, unsigned char flag = 0) {
    return CApiPoint{flag, x, y, z};
}

void AddAll(CApiPointLst& list, std::vector<CApiPoint> points) {
    for (CApiPoint& p : points) list.Add(&p);
}

void ExpectCleared(const CApiPointLst& list) {
    EXPECT_EQ(list.spacingX, 0.1);
    EXPECT_EQ(list.spacingY, 0.1);
    EXPECT_EQ(list.minStepX, kNoStep);
    EXPECT_EQ(list.minStepY, kNoStep);
    EXPECT_EQ(list.lastX, kNoStep);
    EXPECT_EQ(list.lastY, kNoStep);
    for (const double c : {list.maxPoint.x, list.maxPoint.y, list.maxPoint.z})
        EXPECT_EQ(c, -kNoStep);
    for (const double c : {list.minPoint.x, list.minPoint.y, list.minPoint.z})
        EXPECT_EQ(c, kNoStep);
}

TEST(PointListTest, ClearKeepsThePointsAndTheNextAddMeasuresNoStep) {
    CApiPointLst list;
    AddAll(list, {Point(0, 0), Point(1, 1), Point(3, 4)});
    list.Clear();
    EXPECT_EQ(list.Get_Count(), 3);
    ExpectCleared(list);
    CApiPoint far = Point(500, 500);
    list.Add(&far);
    EXPECT_EQ(list.minStepX, kNoStep);
    EXPECT_EQ(list.minStepY, kNoStep);
    EXPECT_EQ(list.maxPoint.x, 500);
}

TEST(PointListTest, StepsAtOrBelowTheThresholdAreIgnored) {
    CApiPointLst list;
    AddAll(list, {Point(0, 0), Point(0.0005, 5), Point(2, 5)});
    EXPECT_DOUBLE_EQ(list.minStepX, 1.9995);
    EXPECT_EQ(list.minStepY, 5);
}

TEST(PointListTest, StepsAreMeasuredBetweenConsecutivePointsOnly) {
    CApiPointLst list;
    // 0 and 0.5 are close in value but never consecutive.
    AddAll(list, {Point(0, 0), Point(10, 0), Point(0.5, 0)});
    EXPECT_EQ(list.minStepX, 9.5);
}

TEST(PointListTest, ExtentTakesEachAxisOnItsOwn) {
    CApiPointLst list;
    AddAll(list, {Point(1, -2, 3, 7), Point(-4, 5, -6, 9)});
    CApiPoint min = Point(99, 99, 99, 42);
    CApiPoint max = Point(99, 99, 99, 42);
    list.Get_MinMaxPoints(&min, &max);
    // Whole records: the flags are the statistics' own (0), not the added points'.
    EXPECT_EQ(min.flag, 0);
    EXPECT_EQ(max.flag, 0);
    EXPECT_EQ(min.x, -4);
    EXPECT_EQ(min.y, -2);
    EXPECT_EQ(min.z, -6);
    EXPECT_EQ(max.x, 1);
    EXPECT_EQ(max.y, 5);
    EXPECT_EQ(max.z, 3);
    list.Get_MinMaxPoints(nullptr, nullptr);  // no crash
}

TEST(PointListTest, GridSpacingIsTheLargerOfShareOfExtentAndSmallestStep) {
    struct Case {
        std::vector<CApiPoint> points;
        double spacingX;
        double spacingY;
    };
    const Case cases[] = {
        {{Point(0, 0), Point(0.5, 0.5), Point(1000, 100)}, 2.0, 0.5},
        {{Point(0, 0), Point(0.5, 0.5), Point(100, 1000)}, 0.5, 2.0},
        {{Point(3, 4)}, kNoStep, kNoStep},
        {{}, kNoStep, kNoStep},
    };
    for (const Case& c : cases) {
        CApiPointLst list;
        AddAll(list, c.points);
        double sx = 0;
        double sy = 0;
        list.Get_GridSpacing(&sx, &sy);
        EXPECT_DOUBLE_EQ(sx, c.spacingX) << c.points.size();
        EXPECT_DOUBLE_EQ(sy, c.spacingY) << c.points.size();
        EXPECT_EQ(list.spacingX, sx);
        EXPECT_EQ(list.spacingY, sy);
    }
}

TEST(PointListTest, IndexedAccessGivesNullOutsideTheList) {
    CApiPointLst empty;
    EXPECT_EQ(empty.Get(0), nullptr);
    EXPECT_EQ(empty.Get(), nullptr);
    EXPECT_EQ(empty.GetFirst(), nullptr);

    CApiPointLst list;
    AddAll(list, {Point(0, 0), Point(1, 0), Point(2, 0)});
    for (const int index : {-1, 3, 100}) EXPECT_EQ(list.Get(index), nullptr) << index;
    ASSERT_NE(list.Get(1), nullptr);
    EXPECT_EQ(list.Get(1)->x, 1);
    EXPECT_EQ(list.Get()->x, 1);  // the cursor moved there
    EXPECT_EQ(list.GetNext()->x, 2);
    EXPECT_EQ(list.GetNext(), nullptr);
    EXPECT_EQ(list.GetLast()->x, 2);
}

TEST(PointListTest, AddStoresItsOwnCopyOfTheWholeRecord) {
    CApiPointLst list;
    CApiPoint p = Point(1, 2, 3, 3);
    list.Add(&p);
    p.x = 50;
    CApiPoint* stored = list.GetFirst();
    EXPECT_NE(stored, &p);
    EXPECT_EQ(stored->flag, 3);
    EXPECT_EQ(stored->x, 1);
    list.Add(nullptr);
    EXPECT_EQ(list.Get_Count(), 1);
}

TEST(PointListTest, ConstructionFromAListRecomputesTheStatistics) {
    CApiPointLst source;
    AddAll(source, {Point(0, 0, 0, 2), Point(4, 1, 0, 3), Point(5, 9, 0, 3)});
    source.Clear();
    source.GetFirst();
    CApiPointLst copy(&source);
    EXPECT_EQ(copy.Get_Count(), 3);
    EXPECT_EQ(copy.minStepX, 1);
    EXPECT_EQ(copy.minStepY, 1);
    EXPECT_EQ(copy.maxPoint.y, 9);
    EXPECT_EQ(copy.Get(2)->flag, 3);
    EXPECT_EQ(source.Get()->x, 5);  // source's cursor left on its last point

    CApiPointLst fromNull(nullptr);
    EXPECT_EQ(fromNull.Get_Count(), 0);
}

// Guards against a member-wise copy sharing the list's nodes (freed twice, edits seen by both).
TEST(PointListTest, CopiesOwnTheirPoints) {
    CApiPointLst original;
    AddAll(original, {Point(1, 1), Point(2, 2)});
    CApiPointLst copy(original);
    CApiPointLst assigned;
    AddAll(assigned, {Point(7, 7)});
    assigned = original;
    for (CApiPointLst* list : {&copy, &assigned}) {
        EXPECT_EQ(list->Get_Count(), 2);
        EXPECT_EQ(list->minStepX, original.minStepX);
        EXPECT_NE(list->GetFirst(), original.GetFirst());
        list->GetFirst()->x = 99;
        list->removeall();
    }
    EXPECT_EQ(original.Get_Count(), 2);
    EXPECT_EQ(original.GetFirst()->x, 1);
}

}  // namespace
