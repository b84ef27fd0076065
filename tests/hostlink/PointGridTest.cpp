// CApiPointGrid: averaging of measured samples and the replace rule for every other value.
#include "hostlink/PointGrid.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Sample {
    int flag;
    double z;
};

struct SetDepthCase {
    const char* name;
    std::vector<Sample> before;  // SetDepth calls on a new node
    Sample sample;
    double depth;
    int flag;
    int count;
};

TEST(PointGridTest, SetDepthAveragesMeasuredAndKeepsTheHighestOtherValue) {
    const SetDepthCase cases[] = {
        {"empty takes anything", {}, {2, 7}, 7, 2, 1},
        {"measured samples average", {{1, 3}}, {1, 5}, 4, 1, 2},
        {"lower value is refused", {{1, 9}}, {2, 7}, 9, 1, 1},
        {"higher value replaces", {{1, 9}}, {2, 10}, 10, 2, 1},
        {"flag 8 takes a lower value", {{8, 100}}, {2, 1}, 1, 2, 1},
        {"flag 8 takes a measured sample alone", {{8, 100}}, {1, 1}, 1, 1, 1},
        // Guards against comparing with the raw sum: 6 is above the mean 4 but below the sum 8.
        {"higher than the mean of two", {{1, 3}, {1, 5}}, {2, 6}, 6, 2, 1},
        // ... and against letting a lower value win when depths are negative (sum -8).
        {"lower than a negative mean", {{1, -3}, {1, -5}}, {2, -6}, -4, 1, 2},
        {"flag kept in eight bits", {}, {0x104, 1}, 1, 4, 1},
    };
    for (const SetDepthCase& c : cases) {
        CApiPointGrid node;
        for (const Sample& s : c.before) node.SetDepth(s.flag, s.z);
        node.SetDepth(c.sample.flag, c.sample.z);
        EXPECT_DOUBLE_EQ(node.GetDepth(), c.depth) << c.name;
        EXPECT_EQ(node.GetFlag(), c.flag) << c.name;
        EXPECT_EQ(node.sampleCount, c.count) << c.name;
    }
}

TEST(PointGridTest, DepthWithoutSamplesIsZero) {
    CApiPointGrid node;
    EXPECT_EQ(node.GetDepth(), 0);
    node.depthSum = 5;
    node.sampleCount = -2;
    EXPECT_EQ(node.GetDepth(), 0);
    // A node without samples counts as empty, whatever its sum says.
    node.SetDepth(2, 1);
    EXPECT_EQ(node.GetDepth(), 1);
    EXPECT_EQ(node.sampleCount, 1);
}

}  // namespace
