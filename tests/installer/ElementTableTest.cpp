// The element table's growth: by half again, at most one page per step, records kept.
#include "installer/ElementTable.h"

#include <gtest/gtest.h>

namespace {

using markup::ElementTable;
constexpr size_t kPage = ElementTable::kPageRecords;

// Takes indices until `used` records are in use, tagging each record with its index.
void FillTo(ElementTable& table, size_t used) {
    while (table.used() < used) {
        const std::int32_t index = table.take();
        ASSERT_GT(index, 0);
        table[index].startTagOpen = index;
    }
}

TEST(ElementTableTest, FirstReservationAndGrowthByHalf) {
    ElementTable table;
    ASSERT_TRUE(table.restart(8));
    EXPECT_EQ(table.capacity(), 8u);
    EXPECT_EQ(table.used(), 1u);
    EXPECT_EQ(table.pageTableCapacity(), 4u);  // 2 x last page 0 + 4
    const size_t expected[] = {12, 18, 27, 40, 60};
    for (size_t capacity : expected) {
        FillTo(table, table.capacity() + 1);
        EXPECT_EQ(table.capacity(), capacity);
        EXPECT_EQ(table.pageRecords(0), capacity);  // the last page is sized exactly
    }
}

TEST(ElementTableTest, CrossingIntoTheNextPageFillsThePreviousOne) {
    ElementTable table;
    ASSERT_TRUE(table.restart(50'000));
    FillTo(table, 50'001);
    EXPECT_EQ(table.capacity(), 75'000u);
    EXPECT_EQ(table.pageRecords(0), kPage);
    EXPECT_EQ(table.pageRecords(1), 75'000u - kPage);
    // Records survive every re-allocation.
    for (std::int32_t index = 1; index < 50'001; index += 997)
        EXPECT_EQ(table[index].startTagOpen, index);
}

TEST(ElementTableTest, GrowthIsCappedAtOneMorePage) {
    ElementTable table;
    ASSERT_TRUE(table.restart(4 * kPage));
    EXPECT_EQ(table.pageTableCapacity(), 10u);  // last page 3: 2 x 3 + 4
    FillTo(table, 4 * kPage + 1);
    // Half again would reach page 5; the table stops at the end of page 4.
    EXPECT_EQ(table.capacity(), 5 * kPage);
    EXPECT_EQ(table.pageRecords(4), kPage);
    EXPECT_EQ(table.pageTableCapacity(), 10u);
    FillTo(table, 5 * kPage + 1);
    EXPECT_EQ(table.capacity(), 6 * kPage);
    EXPECT_EQ(table.pageTableCapacity(), 10u);
    EXPECT_EQ(table[static_cast<std::int32_t>(4 * kPage)].startTagOpen,
              static_cast<std::int32_t>(4 * kPage));
}

TEST(ElementTableTest, PageTableGrowsWhenTheLastPageReachesIt) {
    ElementTable table;
    ASSERT_TRUE(table.restart(3 * kPage + 1));
    EXPECT_EQ(table.pageTableCapacity(), 10u);
    ASSERT_TRUE(table.restart(10 * kPage + 5));
    EXPECT_EQ(table.pageTableCapacity(), 24u);  // last page 10 reached 10 entries: 2 x 10 + 4
    EXPECT_EQ(table.pageRecords(3), kPage);     // the old partial last page was filled up
    EXPECT_EQ(table.pageRecords(10), 5u);
}

TEST(ElementTableTest, RestartClearsTheDocumentNodeAndKeepsTheCapacity) {
    ElementTable table;
    ASSERT_TRUE(table.restart(100));
    FillTo(table, 50);
    table[0].firstChild = 7;
    ASSERT_TRUE(table.restart(8));
    EXPECT_EQ(table.used(), 1u);
    EXPECT_EQ(table.capacity(), 100u);
    EXPECT_EQ(table[0].firstChild, 0);
    EXPECT_EQ(table.allocatedBytes(), 100 * sizeof(markup::ElementRecord) + 4 * sizeof(void*));
}

}  // namespace
