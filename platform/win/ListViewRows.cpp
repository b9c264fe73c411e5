#include "win/ListViewRows.h"

#include "win/ListView.h"
#include "win/Mbcs.h"

#include <algorithm>
#include <numeric>

namespace vqwin::detail {

namespace {

bool IsSelected(UINT state) { return (state & LVIS_SELECTED) != 0; }

} // namespace

int ListViewRows::Insert(int index, ListViewRow row)
{
    const int at = (index < 0 || index > Count()) ? Count() : index;
    const bool selected = IsSelected(row.state);
    m_rows.insert(m_rows.begin() + at, std::move(row));
    if (m_selected > 0) {
        m_firstSelected += at <= m_firstSelected ? 1 : 0;
        m_lastSelected += at <= m_lastSelected ? 1 : 0;
    }
    if (selected)
        SelectionChanged(at, true);
    return at;
}

void ListViewRows::Erase(int index)
{
    if (IsSelectedRow(index)) {
        m_rows[static_cast<std::size_t>(index)].state &= ~static_cast<UINT>(LVIS_SELECTED);
        SelectionChanged(index, false);
    }
    m_rows.erase(m_rows.begin() + index);
    if (m_selected > 0) {
        m_firstSelected -= index < m_firstSelected ? 1 : 0;
        m_lastSelected -= index < m_lastSelected ? 1 : 0;
    }
}

void ListViewRows::Clear()
{
    m_rows.clear();
    m_selected = 0;
}

bool ListViewRows::IsSelectedRow(int row) const { return IsSelected(m_rows[static_cast<std::size_t>(row)].state); }

void ListViewRows::FindSelectedSpan()
{
    m_selected = 0;
    for (int row = 0; row < Count(); ++row) {
        if (IsSelectedRow(row))
            SelectionChanged(row, true);
    }
}

void ListViewRows::SelectionChanged(int row, bool selected)
{
    if (selected) {
        m_firstSelected = m_selected == 0 ? row : std::min(m_firstSelected, row);
        m_lastSelected = m_selected == 0 ? row : std::max(m_lastSelected, row);
        ++m_selected;
        return;
    }
    if (--m_selected == 0)
        return;
    if (row == m_firstSelected) {
        while (!IsSelectedRow(m_firstSelected))
            ++m_firstSelected;
    }
    if (row == m_lastSelected) {
        while (!IsSelectedRow(m_lastSelected))
            --m_lastSelected;
    }
}

void ListViewRows::Resize(int count)
{
    while (Count() > std::max(count, 0))
        Erase(Count() - 1);
    m_rows.resize(static_cast<std::size_t>(std::max(count, 0)));
}

const ListViewCell* ListViewRows::Cell(int row, int column) const
{
    const std::vector<ListViewCell>& cells = m_rows[static_cast<std::size_t>(row)].cells;
    return column >= 0 && static_cast<std::size_t>(column) < cells.size() ? &cells[static_cast<std::size_t>(column)]
                                                                          : nullptr;
}

void ListViewRows::SetCell(int row, int column, ListViewCell cell)
{
    std::vector<ListViewCell>& cells = m_rows[static_cast<std::size_t>(row)].cells;
    if (cells.size() <= static_cast<std::size_t>(column))
        cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = std::move(cell);
}

void ListViewRows::InsertColumn(int column)
{
    for (ListViewRow& row : m_rows) {
        if (row.cells.size() > static_cast<std::size_t>(column))
            row.cells.insert(row.cells.begin() + column, ListViewCell{});
    }
}

void ListViewRows::EraseColumn(int column)
{
    for (ListViewRow& row : m_rows) {
        if (row.cells.size() > static_cast<std::size_t>(column))
            row.cells.erase(row.cells.begin() + column);
    }
}

void ListViewRows::SetState(int row, UINT state)
{
    UINT& current = m_rows[static_cast<std::size_t>(row)].state;
    const bool was = IsSelected(current);
    current = state;
    if (was != IsSelected(state))
        SelectionChanged(row, !was);
}

int ListViewRows::Next(int start, UINT state) const
{
    int first = std::max(start + 1, 0);
    int end = Count();
    if (state & LVIS_SELECTED) {
        if (m_selected == 0)
            return -1;
        first = std::max(first, m_firstSelected);
        end = std::min(end, m_lastSelected + 1);
    }
    for (int i = first; i < end; ++i) {
        if ((m_rows[static_cast<std::size_t>(i)].state & state) == state)
            return i;
    }
    return -1;
}

int ListViewRows::FindParam(int start, LPARAM param) const
{
    for (int i = std::max(start + 1, 0); i < Count(); ++i) {
        if (m_rows[static_cast<std::size_t>(i)].param == param)
            return i;
    }
    return -1;
}

int ListViewRows::SortedPosition(const std::string& text, bool descending) const
{
    auto newGoesAfter = [&](const ListViewRow& row) {
        const std::string& other = row.cells.empty() || row.cells[0].callback ? std::string() : row.cells[0].text;
        const int order = mbcs::CompareNoCase(other, text);
        return descending ? order >= 0 : order <= 0;
    };
    const auto it = std::partition_point(m_rows.begin(), m_rows.end(), newGoesAfter);
    return static_cast<int>(it - m_rows.begin());
}

void ListViewRows::Reorder(const std::vector<std::size_t>& order)
{
    std::deque<ListViewRow> sorted;
    for (std::size_t index : order)
        sorted.push_back(std::move(m_rows[index]));
    m_rows = std::move(sorted);
    FindSelectedSpan();
}

std::vector<std::size_t> SortedOrder(std::size_t count, const std::function<int(std::size_t, std::size_t)>& compare)
{
    std::vector<std::size_t> order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::vector<std::size_t> merged(count);
    for (std::size_t width = 1; width < count; width *= 2) {
        for (std::size_t left = 0; left < count; left += 2 * width) {
            const std::size_t middle = std::min(left + width, count);
            const std::size_t right = std::min(left + 2 * width, count);
            std::size_t a = left;
            std::size_t b = middle;
            std::size_t out = left;
            while (a < middle && b < right)
                merged[out++] = compare(order[a], order[b]) > 0 ? order[b++] : order[a++];
            while (a < middle)
                merged[out++] = order[a++];
            while (b < right)
                merged[out++] = order[b++];
        }
        order.swap(merged);
    }
    return order;
}

} // namespace vqwin::detail
