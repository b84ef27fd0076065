// CLinkList: owned copies, cursor rules, removal, the skip cache's start points, copying, and a
// randomised run against a plain vector.
#include "hostlink/LinkList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

// A list of `count` int blocks holding 0 .. count - 1.
CLinkList Numbers(int count) {
    CLinkList list;
    for (int i = 0; i < count; ++i) list.AddBlock(&i, sizeof i);
    return list;
}

int Value(const void* block) {
    int value;
    std::memcpy(&value, block, sizeof value);
    return value;
}

void WalkForward(CLinkList& list) {
    for (void* block = list.GoFirst(); block != nullptr; block = list.GoNext()) {
    }
}

TEST(LinkListTest, AddBlockStoresATerminatedCopy) {
    CLinkList list;
    char text[] = "hello";
    ASSERT_EQ(list.AddBlock(text, 5), 1);
    auto* stored = static_cast<const unsigned char*>(list.CurrentBlock());
    EXPECT_NE(static_cast<const void*>(stored), static_cast<const void*>(text));
    EXPECT_EQ(std::memcmp(stored, "hello\0\0", 7), 0);
    text[0] = 'J';
    EXPECT_EQ(stored[0], 'h');
    EXPECT_EQ(list.CursorIndex(), 0);
}

// Guards against copying from a block that is not there, or a negative size taken as 4 GB.
TEST(LinkListTest, AddBlockRefusesBlocksThatAreNotThere) {
    CLinkList list;
    const char shortBlock[4] = {};
    EXPECT_EQ(list.AddBlock(nullptr, 4), 0);
    EXPECT_EQ(list.AddBlock(shortBlock, -1), 0);
    EXPECT_EQ(list.BlockCount(), 0);
    // An empty block is fine: it still gets its two zero bytes.
    EXPECT_EQ(list.AddBlock(nullptr, 0), 1);
    ASSERT_NE(list.CurrentBlock(), nullptr);
    EXPECT_EQ(static_cast<const char*>(list.CurrentBlock())[0], '\0');
}

TEST(LinkListTest, BlockAtOutsideTheListGivesNullAndLeavesTheCursor) {
    CLinkList empty;
    EXPECT_EQ(empty.BlockAt(0), nullptr);
    EXPECT_EQ(empty.CursorIndex(), -1);

    CLinkList list = Numbers(5);
    list.BlockAt(2);
    for (const int index : {-1, 5, 6, 1 << 30}) {
        EXPECT_EQ(list.BlockAt(index), nullptr) << index;
        EXPECT_EQ(list.CursorIndex(), 2) << index;
        EXPECT_EQ(list.StepsTo(index), -1) << index;
    }
}

TEST(LinkListTest, CursorStopsAtTheEnds) {
    CLinkList list = Numbers(3);
    ASSERT_NE(list.GoLast(), nullptr);
    EXPECT_EQ(list.GoNext(), nullptr);
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(Value(list.CurrentBlock()), 2);
    ASSERT_NE(list.GoFirst(), nullptr);
    EXPECT_EQ(list.GoPrev(), nullptr);
    EXPECT_EQ(list.CursorIndex(), 0);

    CLinkList empty;
    EXPECT_EQ(empty.GoFirst(), nullptr);
    EXPECT_EQ(empty.GoLast(), nullptr);
    EXPECT_EQ(empty.GoNext(), nullptr);
    EXPECT_EQ(empty.CurrentBlock(), nullptr);
}

TEST(LinkListTest, RemoveCurrentMovesTheCursorOn) {
    struct Case {
        int count;
        int removeAt;
        int cursorAfter;  // -1: no cursor
        int valueAfter;
    } cases[] = {
        {3, 2, 1, 1},  // the last node: the new last node, index 1
        {3, 1, 1, 2},  // a middle node: the following node takes its index
        {3, 0, 0, 1},
        {1, 0, -1, 0},
    };
    for (const Case& c : cases) {
        CLinkList list = Numbers(c.count);
        list.BlockAt(c.removeAt);
        list.RemoveCurrent();
        EXPECT_EQ(list.BlockCount(), c.count - 1);
        EXPECT_EQ(list.CursorIndex(), c.cursorAfter) << c.removeAt;
        if (c.cursorAfter >= 0) {
            EXPECT_EQ(Value(list.CurrentBlock()), c.valueAfter);
        }
    }
    CLinkList empty;
    empty.RemoveCurrent();
    EXPECT_EQ(empty.BlockCount(), 0);
}

TEST(LinkListTest, RemoveAllLeavesAnEmptyListThatCanBeRefilled) {
    CLinkList list = Numbers(100);
    WalkForward(list);
    list.RemoveAll();
    EXPECT_EQ(list.BlockCount(), 0);
    EXPECT_EQ(list.CurrentBlock(), nullptr);
    EXPECT_EQ(list.BlockAt(0), nullptr);
    for (int i = 0; i < 70; ++i) list.AddBlock(&i, sizeof i);
    // Guards against slots left over from before RemoveAll pointing at freed nodes.
    for (int i = 0; i < 70; ++i) ASSERT_EQ(Value(list.BlockAt(i)), i);
}

TEST(LinkListTest, OneSequentialPassBoundsEveryIndexedWalk) {
    CLinkList list = Numbers(10000);
    WalkForward(list);
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        const int index = static_cast<int>(random() % 10000);
        ASSERT_LE(list.StepsTo(index), 32) << "from " << list.CursorIndex() << " to " << index;
        ASSERT_EQ(Value(list.BlockAt(index)), index);
    }
}

TEST(LinkListTest, StartPointsFollowTheCacheRules) {
    CLinkList list = Numbers(200);  // block count 199 / 32 = 6
    WalkForward(list);              // slots 1 .. 5 filled (indices 63 .. 191)
    list.BlockAt(100);
    struct Case {
        int target;
        int steps;
    } cases[] = {
        {100, 0},  // the cursor itself
        {0, 0},    // first
        {199, 0},  // last
        {101, 1},  // next to the cursor, although slot 3 would start at 127
        {99, 1},   // before the cursor
        {96, 31},  // from slot 3 (index 127), not the cursor 4 steps away
        {20, 20},  // block 0 has no slot; 20 < 100 / 2: from the first
        {60, 3},   // from slot 1 (index 63)
        {195, 4},  // block 6 is not below the block count: from the last
    };
    for (const Case& c : cases) EXPECT_EQ(list.StepsTo(c.target), c.steps) << c.target;
}

TEST(LinkListTest, ANewBlockCountEmptiesTheCache) {
    CLinkList list = Numbers(65);  // block count 2: slot 1
    WalkForward(list);
    list.BlockAt(10);
    EXPECT_EQ(list.StepsTo(40), 63 - 40);
    list.AddBlock("x", 1);  // 66 blocks: block count unchanged, slot kept
    list.BlockAt(10);
    EXPECT_EQ(list.StepsTo(40), 63 - 40);
    for (int i = 66; i < 97; ++i) list.AddBlock(&i, sizeof i);  // block count 3
    list.BlockAt(10);
    EXPECT_EQ(list.StepsTo(40), 30);  // from the cursor at 10
}

// Guards against a cached node whose index moved when an earlier node was removed.
TEST(LinkListTest, RemovalEmptiesTheCache) {
    CLinkList list = Numbers(5000);
    WalkForward(list);
    list.BlockAt(100);
    list.RemoveCurrent();
    for (const int index : {4000, 131, 2047, 4998}) {
        ASSERT_EQ(Value(list.BlockAt(index)), index + 1) << index;
    }
}

TEST(LinkListTest, CopiesOwnTheirBlocks) {
    CLinkList original = Numbers(100);
    original.BlockAt(42);
    CLinkList copy(original);
    EXPECT_EQ(copy.BlockCount(), 100);
    EXPECT_EQ(copy.CursorIndex(), 42);
    EXPECT_NE(copy.CurrentBlock(), original.CurrentBlock());
    *static_cast<int*>(copy.BlockAt(7)) = -7;
    EXPECT_EQ(Value(original.BlockAt(7)), 7);
    original.RemoveAll();
    for (int i = 0; i < 100; ++i) ASSERT_EQ(Value(copy.BlockAt(i)), i == 7 ? -7 : i);

    CLinkList assigned = Numbers(3);
    assigned = copy;
    EXPECT_EQ(assigned.BlockCount(), 100);
    CLinkList& same = assigned;
    assigned = same;  // self-assignment keeps the blocks
    EXPECT_EQ(Value(assigned.BlockAt(99)), 99);
}

// Random operations checked against a vector of the same values, cursor included.
TEST(LinkListTest, BehavesLikeAVectorWithACursor) {
    std::mt19937 random(11);
    CLinkList list;
    std::vector<int> model;
    int cursor = -1;
    int next = 0;
    for (int step = 0; step < 200000; ++step) {
        const unsigned operation = random() % 100;
        const int size = static_cast<int>(model.size());
        if (operation < 45) {
            ASSERT_EQ(list.AddBlock(&next, sizeof next), 1);
            model.push_back(next++);
            cursor = size;
        } else if (operation < 75) {
            const int index = static_cast<int>(random() % (size + 2)) - 1;
            const void* block = list.BlockAt(index);
            if (index >= 0 && index < size) {
                cursor = index;
                ASSERT_NE(block, nullptr);
            } else {
                ASSERT_EQ(block, nullptr);
            }
        } else if (operation < 85) {
            if (list.GoNext() != nullptr) ++cursor;
        } else if (operation < 92) {
            if (list.GoPrev() != nullptr) --cursor;
        } else if (operation < 94) {
            cursor = list.GoLast() != nullptr ? size - 1 : -1;
        } else if (operation < 99) {
            list.RemoveCurrent();
            if (cursor >= 0) {
                model.erase(model.begin() + cursor);
                if (cursor == static_cast<int>(model.size())) --cursor;
            }
        } else if (random() % 20 == 0) {
            list.RemoveAll();
            model.clear();
            cursor = -1;
        }
        ASSERT_EQ(list.BlockCount(), static_cast<int>(model.size())) << step;
        ASSERT_EQ(list.CursorIndex(), cursor) << step;
        if (cursor >= 0) {
            ASSERT_EQ(Value(list.CurrentBlock()), model[cursor]) << step;
        }
    }
}

}  // namespace
