// Geometry value types: the documented edge cases of lengths, rotations, angles and arcs.
#include "hostlink/ApiGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kTight = 1e-12;

CApiPoint Point(double x, double y, double z, unsigned char flag = 0) {
    CApiPoint p;
    p.flag = flag;
    p.x = x;
    p.y = y;
    p.z = z;
    return p;
}

CApiVect Vect(double x, double y, double z) {
    CApiVect v;
    v.x = x;
    v.y = y;
    v.z = z;
    return v;
}

void ExpectVect(const CApiVect& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, kTight);
    EXPECT_NEAR(v.y, y, kTight);
    EXPECT_NEAR(v.z, z, kTight);
}

TEST(ApiGeometryTest, DefaultsAreTheDocumentedOnes) {
    const CApiArc arc;
    EXPECT_EQ(arc.center.flag, 0);
    ExpectVect(arc.normal, 0, 0, 1);
    ExpectVect(arc.startDir, 0, 0, 1);
    // Regression: sweep and radius were left uninitialised, so reading them was undefined.
    EXPECT_EQ(arc.sweep, 0.0);
    EXPECT_EQ(arc.radius, 0.0);
    const CApiPointVect pv;
    ExpectVect(pv.vect, 0, 0, 1);
    const CApiView view;
    EXPECT_EQ(view.number, 0);
}

TEST(ApiGeometryTest, NormalizeAndMagHonourTheZeroTolerance) {
    CApiVect tiny = Vect(0, 0, 0.0003);  // squared length 9e-8
    EXPECT_FALSE(tiny.normalize());
    EXPECT_EQ(tiny.z, 0.0003);
    EXPECT_EQ(tiny.mag(), 0.0);
    CApiVect small = Vect(0, 0, 0.001);
    EXPECT_TRUE(small.normalize());
    ExpectVect(small, 0, 0, 1);
    CApiVect justUnder = Vect(std::sqrt(0.99e-7), 0, 0);
    EXPECT_EQ(justUnder.mag(), 0.0);
    EXPECT_DOUBLE_EQ(Vect(3, 4, 0).mag(), 5.0);
    // A unit vector is returned untouched, bit for bit.
    CApiVect unit = Vect(0, 1, 0);
    EXPECT_TRUE(unit.normalize());
    EXPECT_EQ(unit.y, 1.0);
}

TEST(ApiGeometryTest, DirectionsFromPointsAndLines) {
    CApiVect v;
    v.vfrom2p(Point(1, 1, 1), Point(1, 1, 1));
    ExpectVect(v, 0, 0, 0);
    v.vfrom2p(Point(1, 1, 1), Point(1, 1, 3));
    ExpectVect(v, 0, 0, 1);
    CApiLine line;
    line.start = Point(0, 0, 0);
    line.end = Point(0, -2, 0);
    v = line;
    ExpectVect(v, 0, -1, 0);
    v = Point(10, 0, 0);
    ExpectVect(v, 1, 0, 0);
    v = Point(0, 0, 0);
    ExpectVect(v, 0, 0, 0);
    v.dist2p(Point(1, 2, 3), Point(2, 4, 6));
    ExpectVect(v, 1, 2, 3);
    v *= -2;
    ExpectVect(v, -2, -4, -6);
}

TEST(ApiGeometryTest, RotationsTurnTheDocumentedWay) {
    CApiVect v = Vect(1, 0, 0);
    v.rotate_XY(90);
    ExpectVect(v, 0, -1, 0);
    v = Vect(0, 1, 0);
    v.rotate_YZ(90);
    ExpectVect(v, 0, 0, -1);
    v = Vect(0, 0, 1);
    v.rotate_ZX(90);
    ExpectVect(v, -1, 0, 0);
    v.vfromangle(90);
    ExpectVect(v, 0, 1, 0);
}

TEST(ApiGeometryTest, PlaneAnglesOfVectorsAndLines) {
    CApiVect v = Vect(0, 1, 1);
    EXPECT_DOUBLE_EQ(v.XYAngle(), 90.0);
    EXPECT_DOUBLE_EQ(v.YZAngle(), 45.0);
    EXPECT_DOUBLE_EQ(v.ZXAngle(), 0.0);
    EXPECT_DOUBLE_EQ(v.XZAngle(), 90.0);
    EXPECT_DOUBLE_EQ(Vect(-1, 0, 0).XYAngle(), 180.0);
    CApiLine line;
    line.start = Point(1, 1, 1);
    line.end = Point(2, 1, 2);
    EXPECT_DOUBLE_EQ(line.XZAngle(), 45.0);
    EXPECT_DOUBLE_EQ(line.ZXAngle(), 45.0);
    EXPECT_DOUBLE_EQ(line.length(), std::sqrt(2.0));
}

TEST(ApiGeometryTest, ZxSlopeAndIntersect) {
    CApiLine vertical;
    vertical.start = Point(2, 0, 1);
    vertical.end = Point(2, 5, 7);
    EXPECT_EQ(vertical.ZX_slope(), 1.0);
    EXPECT_EQ(vertical.ZX_yintersect(), -1.0);
    CApiLine sloped;
    sloped.start = Point(1, 0, 3);
    sloped.end = Point(3, 0, 7);
    EXPECT_EQ(sloped.ZX_slope(), 2.0);
    EXPECT_EQ(sloped.ZX_yintersect(), 1.0);
}

TEST(ApiGeometryTest, CalcPointXyKeepsTheCentreRecordAndTakesOff360Once) {
    CApiArc arc;
    arc.center = Point(10, 20, 30, 7);
    arc.radius = 2;
    CApiPoint out;
    arc.calc_point_XY(&out, 90);
    EXPECT_EQ(out.flag, 7);
    EXPECT_EQ(out.x, 10);
    EXPECT_EQ(out.y, 22);
    EXPECT_EQ(out.z, 30);
    CApiPoint at450;
    arc.calc_point_XY(&at450, 450);
    EXPECT_EQ(at450.x, out.x);
    EXPECT_EQ(at450.y, out.y);
    CApiPoint at720;
    arc.calc_point_XY(&at720, 720);  // 360 by the general formula
    EXPECT_NEAR(at720.x, 12, kTight);
    EXPECT_NEAR(at720.y, 20, kTight);
}

TEST(ApiGeometryTest, CalcPointZxUsesOneConventionForAllAngles) {
    CApiArc arc;
    arc.center = Point(1, 5, 1);
    arc.radius = 1;
    for (double deg : {0.0, 30.0, 90.0, 135.0, 180.0, 270.0, 300.0}) {
        CApiPoint out;
        arc.calc_point_ZX(&out, deg);
        EXPECT_NEAR(out.x, 1 + std::cos(deg * DEG2RAD), kTight) << deg;
        EXPECT_NEAR(out.z, 1 + std::sin(deg * DEG2RAD), kTight) << deg;
        EXPECT_EQ(out.y, 5);
    }
}

TEST(ApiGeometryTest, BeginPointLeavesTheFlag) {
    CApiArc arc;
    arc.center = Point(1, 1, 1);
    arc.startDir = Vect(0, 1, 0);
    arc.radius = 3;
    CApiPoint out = Point(0, 0, 0, 9);
    arc.calc_beginpoint(&out);
    EXPECT_EQ(out.flag, 9);
    EXPECT_EQ(out.y, 4);
    EXPECT_EQ(out.z, 1);
}

CApiArc ArcFrom(double startDeg, double sweepDeg) {
    CApiArc arc;
    arc.center = Point(0, 0, 5, 4);
    arc.radius = 1;
    arc.startDir.vfromangle(startDeg);
    arc.sweep = sweepDeg * DEG2RAD;
    return arc;
}

TEST(ApiGeometryTest, ExtentsOfFullAndPartialArcs) {
    CApiPoint min, max;
    CApiArc full = ArcFrom(0, 0);
    full.sweep = 6.2832;
    full.calc_extents_XY(&min, &max);
    EXPECT_EQ(min.x, -1);
    EXPECT_EQ(min.y, -1);
    EXPECT_EQ(max.x, 1);
    EXPECT_EQ(max.y, 1);
    EXPECT_EQ(min.flag, 0);
    EXPECT_EQ(max.z, 5);

    CApiArc almost = ArcFrom(45, 0);
    almost.sweep = FULL_CIRCLE_RAD;  // exactly 6.2831 follows the partial rules
    almost.calc_extents_XY(&min, &max);
    EXPECT_NEAR(max.x, 1, 1e-9);
    EXPECT_NEAR(min.y, -1, 1e-9);

    CApiArc wrap = ArcFrom(350, 20);  // crosses +X, not +Y
    wrap.calc_extents_XY(&min, &max);
    EXPECT_NEAR(max.x, 1, kTight);
    EXPECT_NEAR(max.y, std::sin(10 * DEG2RAD), 1e-12);
    EXPECT_NEAR(min.y, -std::sin(10 * DEG2RAD), 1e-12);

    CApiArc quarter = ArcFrom(0, 90);
    quarter.calc_extents_XY(&min, &max);
    EXPECT_NEAR(min.x, 0, kTight);
    EXPECT_NEAR(min.y, 0, kTight);
    EXPECT_NEAR(max.x, 1, kTight);
    EXPECT_NEAR(max.y, 1, kTight);
}

TEST(ApiGeometryTest, TrimTwoAnglesRunsTheShortWay) {
    CApiArc arc;
    arc.center = Point(0, 0, 0);
    arc.radius = 1;
    EXPECT_TRUE(arc.trim_2angles_ZX(10, 350));
    EXPECT_NEAR(arc.sweep, 20 * DEG2RAD, kTight);
    ExpectVect(arc.startDir, std::cos(350 * DEG2RAD), 0, std::sin(350 * DEG2RAD));
    EXPECT_FALSE(arc.trim_2angles_ZX(10, 100));
    EXPECT_NEAR(arc.sweep, 90 * DEG2RAD, kTight);
    ExpectVect(arc.startDir, std::cos(10 * DEG2RAD), 0, std::sin(10 * DEG2RAD));
}

TEST(ApiGeometryTest, TrimTwoAnglesEndsOnAbsurdInput) {
    // Regression: angles that adding 360 cannot bring together kept the loop going for ever.
    CApiArc arc;
    arc.radius = 1;
    EXPECT_FALSE(arc.trim_2angles_ZX(NAN, 10));
    EXPECT_FALSE(arc.trim_2angles_ZX(INFINITY, 10));
    EXPECT_EQ(arc.sweep, 0.0);
    ExpectVect(arc.startDir, 0, 0, 1);
    (void)arc.trim_2angles_ZX(1e300, 0);
    EXPECT_TRUE(arc.trim_2angles_ZX(3600000 + 10, 5));  // far apart but reducible
    EXPECT_NEAR(arc.sweep, 5 * DEG2RAD, 1e-9);
}

}  // namespace
