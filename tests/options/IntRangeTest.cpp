#include "options/VqsIntRange.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

std::vector<IntRange> Ranges(std::initializer_list<IntRange> ranges) { return ranges; }

IntRangeList Of(std::initializer_list<IntRange> ranges)
{
    IntRangeList list;
    for (const IntRange& range : ranges)
        list.Add(range.lo, range.hi);
    return list;
}

// The ranges a plain set of rows makes: maximal runs of consecutive rows.
std::vector<IntRange> RunsOf(const std::set<int>& rows)
{
    std::vector<IntRange> runs;
    for (int row : rows) {
        if (!runs.empty() && runs.back().hi + 1 == row)
            runs.back().hi = row;
        else
            runs.push_back({row, row});
    }
    return runs;
}

TEST(IntRangeListTest, RowsAddedAndRemovedLeaveSortedDisjointJoinedRanges)
{
    struct Case {
        const char* story;
        IntRangeList list;
        std::vector<IntRange> expected;
    };
    IntRangeList joinedAcrossNeighbour = Of({{1, 3}, {7, 9}});
    joinedAcrossNeighbour.Add(5, 5);
    joinedAcrossNeighbour.Add(4, 4);
    IntRangeList middleOut = Of({{7, 9}});
    middleOut.Remove(8, 8);
    IntRangeList firstOut = Of({{7, 9}});
    firstOut.Remove(7, 7);
    IntRangeList allOut = Of({{7, 9}});
    allOut.Remove(7, 9);
    IntRangeList acrossRanges = Of({{1, 3}, {5, 6}, {8, 12}});
    acrossRanges.Remove(2, 10);
    IntRangeList startingBefore = Of({{5, 9}});
    startingBefore.Add(2, 6);
    IntRangeList swallowing = Of({{2, 3}, {5, 6}, {9, 9}});
    swallowing.Add(1, 7);
    IntRangeList pastTheEnd = Of({{7, 9}});
    pastTheEnd.Remove(7, 12);
    const Case cases[] = {
        {"a row between two ranges joins the one it touches and then its neighbour", joinedAcrossNeighbour,
         Ranges({{1, 5}, {7, 9}})},
        {"a row out of the middle splits its range", middleOut, Ranges({{7, 7}, {9, 9}})},
        {"the first row out shortens its range", firstOut, Ranges({{8, 9}})},
        {"the whole range out removes it", allOut, Ranges({})},
        {"a removal across ranges affects each of them", acrossRanges, Ranges({{1, 1}, {11, 12}})},
        {"a range starting before another merges with it", startingBefore, Ranges({{2, 9}})},
        {"a wide range swallows the ranges it covers", swallowing, Ranges({{1, 7}, {9, 9}})},
        {"a removal past a range's end removes it", pastTheEnd, Ranges({})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.list.Ranges(), c.expected) << c.story;
}

TEST(IntRangeListTest, BehavesAsAPlainSetOfRowsUnderRandomAddsAndRemovals)
{
    std::mt19937 random(20261207);
    for (int trial = 0; trial < 200; ++trial) {
        IntRangeList list;
        std::set<int> rows;
        for (int step = 0; step < 60; ++step) {
            int first = static_cast<int>(random() % 40);
            int last = first + static_cast<int>(random() % 8);
            if (random() % 2)
                std::swap(first, last);
            const bool add = random() % 3 != 0;
            if (add)
                list.Add(first, last);
            else
                list.Remove(first, last);
            for (int row = std::min(first, last); row <= std::max(first, last); ++row) {
                if (add)
                    rows.insert(row);
                else
                    rows.erase(row);
            }
            ASSERT_EQ(list.Ranges(), RunsOf(rows)) << "trial " << trial << " step " << step;
            ASSERT_EQ(list.RowCount(), static_cast<long long>(rows.size()));
            for (int row = -1; row <= 50; ++row)
                ASSERT_EQ(list.Contains(row), rows.count(row) == 1) << "row " << row;
        }
    }
}

} // namespace
