// The rows a selection or a pending edit covers, as a set of closed ranges of row indexes.
// The ranges are kept sorted, disjoint and apart (touching ranges are joined), so that two
// lists holding the same rows are equal and a row is found by a binary search.
#pragma once

#include <vector>

struct IntRange {
    int lo;
    int hi;

    bool Contains(int x) const { return lo <= x && x <= hi; }
    bool operator==(const IntRange&) const = default;
};

class IntRangeList {
public:
    // Adds the rows first to last (in either order).
    void Add(int first, int last);
    // Removes the rows first to last (in either order); rows not in the set are let be.
    void Remove(int first, int last);
    void RemoveAll() { m_ranges.clear(); }

    bool Contains(int row) const;
    bool IsEmpty() const { return m_ranges.empty(); }
    // The number of rows in the set.
    long long RowCount() const;
    const std::vector<IntRange>& Ranges() const { return m_ranges; }

    bool operator==(const IntRangeList&) const = default;

private:
    std::vector<IntRange> m_ranges;
};
