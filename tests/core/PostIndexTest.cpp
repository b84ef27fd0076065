// The post index: first position wins, every key found again after growth, misses stay misses.
#include "core/PostIndex.h"

#include <gtest/gtest.h>

namespace {

TEST(PostIndexTest, KeepsTheFirstPositionOfEachKeyAcrossGrowth) {
    core::PostIndex index;
    EXPECT_FALSE(index.Find({1, 1, 1}));
    std::uint32_t position = 0;
    for (int section = -2; section <= 2; ++section)
        for (int row = 0; row < 40; ++row)
            for (int column = 0; column < 40; ++column)
                index.Insert({section, row, column}, position++);
    index.Insert({0, 0, 0}, 999999);  // a later duplicate does not replace the first
    position = 0;
    for (int section = -2; section <= 2; ++section)
        for (int row = 0; row < 40; ++row)
            for (int column = 0; column < 40; ++column)
                ASSERT_EQ(index.Find({section, row, column}), position++);
    EXPECT_FALSE(index.Find({3, 0, 0}));
    EXPECT_FALSE(index.Find({0, 40, 0}));
    index.Clear();
    EXPECT_FALSE(index.Find({0, 0, 0}));
}

}  // namespace
