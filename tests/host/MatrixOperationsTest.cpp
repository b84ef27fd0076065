// Matrix inverse, transform and cross product through the operations table.
#include <cstring>

#include "HostFixture.h"
#include "host/MatrixMath.h"

namespace host::testing {
namespace {

class MatrixOperationsTest : public HostFixture {};

const Matrix4 kRotateAndMove = {0, -1, 0, 5, 1, 0, 0, -2, 0, 0, 1, 3, 0, 0, 0, 1};

void ExpectNear(const Matrix4& a, const Matrix4& b) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a[i], b[i], 1e-12) << "element " << i;
}

// Guards against an inversion that overwrites its input while reading it: the link library
// passes one matrix as both arguments.
TEST_F(MatrixOperationsTest, InvertsInPlace) {
    Matrix4 m = kRotateAndMove;
    ASSERT_EQ(api_.HostInvertMatrix(m.data(), m.data()), 0);
    ExpectNear(m, *Inverse(kRotateAndMove));
    ASSERT_EQ(api_.HostInvertMatrix(m.data(), m.data()), 0);
    ExpectNear(m, kRotateAndMove);
}

// Guards against misaligned access: view records are packed, so their matrix is not aligned.
TEST_F(MatrixOperationsTest, WorksOnThePackedMatrixOfAViewRecord) {
    HostViewRecord cview, inverse;
    ASSERT_EQ(api_.HostGetView(&cview, 7), 0);
    ASSERT_EQ(api_.HostInvertMatrix(cview.matrix, inverse.matrix), 0);
    const HostVector3 p{1, 2, 3};
    HostVector3 there, back;
    api_.HostTransform(&p, &there, cview.matrix, 1);
    api_.HostTransform(&there, &back, inverse.matrix, 1);
    EXPECT_NEAR(back.x, 1, 1e-12);
    EXPECT_NEAR(back.y, 2, 1e-12);
    EXPECT_NEAR(back.z, 3, 1e-12);
}

TEST_F(MatrixOperationsTest, SingularMatrixFailsAndLeavesTheResult) {
    const std::vector<Matrix4> singular = {
        Matrix4{},
        Matrix4{1, 2, 3, 0, 2, 4, 6, 0, 0, 0, 1, 0, 0, 0, 0, 1},  // dependent rows
        Matrix4{1, 0, 0, 0, 0, std::numeric_limits<double>::infinity(), 0, 0, 0, 0, 1, 0, 0, 0, 0,
                1},
    };
    for (const Matrix4& m : singular) {
        Matrix4 result;
        result.fill(7);
        EXPECT_EQ(api_.HostInvertMatrix(m.data(), result.data()), -1);
        EXPECT_EQ(result[0], 7);
    }
}

TEST_F(MatrixOperationsTest, TransformMovesPointsButNotDirections) {
    const HostVector3 p{1, 0, 0};
    HostVector3 out;
    api_.HostTransform(&p, &out, kRotateAndMove.data(), 1);
    EXPECT_EQ(out, (HostVector3{5, -1, 3}));
    api_.HostTransform(&p, &out, kRotateAndMove.data(), 0);
    EXPECT_EQ(out, (HostVector3{0, 1, 0}));
    EXPECT_EQ(api_.HostTransform(&p, nullptr, kRotateAndMove.data(), 1), -1);
}

TEST_F(MatrixOperationsTest, CrossProductIsRightHandedAndMayOverwriteAnArgument) {
    HostVector3 a{1, 0, 0}, b{0, 1, 0}, result;
    api_.HostCrossProduct(&result, &a, &b);
    EXPECT_EQ(result, (HostVector3{0, 0, 1}));
    api_.HostCrossProduct(&a, &a, &b);
    EXPECT_EQ(a, (HostVector3{0, 0, 1}));
}

TEST(StandardViews, AreRotationsWithTheDepthAxisAsThirdColumn) {
    for (const auto& [number, view] : StandardViews()) {
        const Matrix4& m = view.matrix;
        const HostVector3 x{m[0], m[4], m[8]}, y{m[1], m[5], m[9]}, depth{m[2], m[6], m[10]};
        const HostVector3 n = CrossProduct(x, y);
        EXPECT_NEAR(n.x, depth.x, 1e-12) << view.name;
        EXPECT_NEAR(n.y, depth.y, 1e-12) << view.name;
        EXPECT_NEAR(n.z, depth.z, 1e-12) << view.name;
    }
}

}  // namespace
}  // namespace host::testing
