#include "options/VqsIntRange.h"

#include <algorithm>
#include <utility>

void IntRangeList::Add(int first, int last)
{
    if (first > last)
        std::swap(first, last);
    // The ranges that overlap or touch [first, last] are those from the first whose end
    // reaches first - 1 to the last whose start is at most last + 1.
    auto begin = std::lower_bound(m_ranges.begin(), m_ranges.end(), first,
                                  [](const IntRange& range, int row) { return range.hi < row - 1; });
    auto end = begin;
    IntRange joined{first, last};
    while (end != m_ranges.end() && end->lo <= last + 1) {
        joined.lo = std::min(joined.lo, end->lo);
        joined.hi = std::max(joined.hi, end->hi);
        ++end;
    }
    if (begin == end) {
        m_ranges.insert(begin, joined);
        return;
    }
    *begin = joined;
    m_ranges.erase(begin + 1, end);
}

void IntRangeList::Remove(int first, int last)
{
    if (first > last)
        std::swap(first, last);
    auto begin = std::lower_bound(m_ranges.begin(), m_ranges.end(), first,
                                  [](const IntRange& range, int row) { return range.hi < row; });
    auto end = begin;
    while (end != m_ranges.end() && end->lo <= last)
        ++end;
    if (begin == end)
        return;
    std::vector<IntRange> kept;
    if (begin->lo < first)
        kept.push_back({begin->lo, first - 1});
    if ((end - 1)->hi > last)
        kept.push_back({last + 1, (end - 1)->hi});
    const auto at = m_ranges.erase(begin, end);
    m_ranges.insert(at, kept.begin(), kept.end());
}

bool IntRangeList::Contains(int row) const
{
    const auto found = std::lower_bound(m_ranges.begin(), m_ranges.end(), row,
                                        [](const IntRange& range, int value) { return range.hi < value; });
    return found != m_ranges.end() && found->Contains(row);
}

long long IntRangeList::RowCount() const
{
    long long count = 0;
    for (const IntRange& range : m_ranges)
        count += static_cast<long long>(range.hi) - range.lo + 1;
    return count;
}
