// The element table's growth: by half again, at most one page per step, records kept.
#include "installer/ElementTable.h"

#include <gtest/gtest.h>

namespace {

using markup::ElementTable;
constexpr size_t kPage = ElementTable::kPageRecords;

// Takes indices until `used` records are in use, tagging each record with its index.
void FillTo(ElementTable& table, size_t used) {
    while (table.Used() < used) {
        const std::int32_t index = table.Take();
        ASSERT_GT(index, 0);
        table[index].startTagOpen = index;
    }
}

TEST(ElementTableTest, FirstReservationAndGrowthByHalf) {
    ElementTable table;
    ASSERT_TRUE(table.Restart(8));
    EXPECT_EQ(table.Capacity(), 8u);
    EXPECT_EQ(table.Used(), 1u);
    EXPECT_EQ(table.PageTableCapacity(), 4u);  // 2 x last page 0 + 4
    const size_t expected[] = {12, 18, 27, 40, 60};
    for (size_t capacity : expected) {
        FillTo(table, table.Capacity() + 1);
        EXPECT_EQ(table.Capacity(), capacity);
        EXPECT_EQ(table.PageRecords(0), capacity);  // the last page is sized exactly
    }
}

TEST(ElementTableTest, CrossingIntoTheNextPageFillsThePreviousOne) {
    ElementTable table;
    ASSERT_TRUE(table.Restart(50'000));
    FillTo(table, 50'001);
    EXPECT_EQ(table.Capacity(), 75'000u);
    EXPECT_EQ(table.PageRecords(0), kPage);
    EXPECT_EQ(table.PageRecords(1), 75'000u - kPage);
    // Records survive every re-allocation.
    for (std::int32_t index = 1; index < 50'001; index += 997)
        EXPECT_EQ(table[index].startTagOpen, index);
}

TEST(ElementTableTest, GrowthIsCappedAtOneMorePage) {
    ElementTable table;
    ASSERT_TRUE(table.Restart(4 * kPage));
    EXPECT_EQ(table.PageTableCapacity(), 10u);  // last page 3: 2 x 3 + 4
    FillTo(table, 4 * kPage + 1);
    // Half again would reach page 5; the table stops at the end of page 4.
    EXPECT_EQ(table.Capacity(), 5 * kPage);
    EXPECT_EQ(table.PageRecords(4), kPage);
    EXPECT_EQ(table.PageTableCapacity(), 10u);
    FillTo(table, 5 * kPage + 1);
    EXPECT_EQ(table.Capacity(), 6 * kPage);
    EXPECT_EQ(table.PageTableCapacity(), 10u);
    EXPECT_EQ(table[static_cast<std::int32_t>(4 * kPage)].startTagOpen,
              static_cast<std::int32_t>(4 * kPage));
}

TEST(ElementTableTest, PageTableGrowsWhenTheLastPageReachesIt) {
    ElementTable table;
    ASSERT_TRUE(table.Restart(3 * kPage + 1));
    EXPECT_EQ(table.PageTableCapacity(), 10u);
    ASSERT_TRUE(table.Restart(10 * kPage + 5));
    EXPECT_EQ(table.PageTableCapacity(), 24u);  // last page 10 reached 10 entries: 2 x 10 + 4
    EXPECT_EQ(table.PageRecords(3), kPage);     // the old partial last page was filled up
    EXPECT_EQ(table.PageRecords(10), 5u);
}

TEST(ElementTableTest, RestartClearsTheDocumentNodeAndKeepsTheCapacity) {
    ElementTable table;
    ASSERT_TRUE(table.Restart(100));
    FillTo(table, 50);
    table[0].firstChild = 7;
    ASSERT_TRUE(table.Restart(8));
    EXPECT_EQ(table.Used(), 1u);
    EXPECT_EQ(table.Capacity(), 100u);
    EXPECT_EQ(table[0].firstChild, 0);
    EXPECT_EQ(table.AllocatedBytes(), 100 * sizeof(markup::ElementRecord) + 4 * sizeof(void*));
}

}  // namespace
