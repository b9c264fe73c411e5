// Internal to platform/win: the rows of a list view and their cells, kept apart from the
// window so that the control's messages stay readable.
#pragma once

#include "win/Types.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vqwin::detail {

struct ListViewCell {
    std::string text;
    bool callback = false; // the owner supplies the text (LPSTR_TEXTCALLBACK)
};

struct ListViewRow {
    std::vector<ListViewCell> cells; // cell 0 is the item's own text, cell n the n-th column's
    int image = 0;
    LPARAM param = 0;
    UINT state = 0;
    int indent = 0;
};

class ListViewRows {
public:
    int Count() const { return static_cast<int>(m_rows.size()); }
    bool IsIndex(int index) const { return index >= 0 && index < Count(); }
    const ListViewRow& operator[](int index) const { return m_rows[static_cast<std::size_t>(index)]; }

    // Inserts at the index (at the end when it is negative or past the end); returns where.
    int Insert(int index, ListViewRow row);
    void Erase(int index);
    void Clear();
    // Rows of a virtual list: they keep only their states.
    void Resize(int count);

    // The cell, or null when the row has none there (an empty text).
    const ListViewCell* Cell(int row, int column) const;
    void SetCell(int row, int column, ListViewCell cell);
    void SetImage(int row, int image) { m_rows[static_cast<std::size_t>(row)].image = image; }
    void SetParam(int row, LPARAM param) { m_rows[static_cast<std::size_t>(row)].param = param; }
    void SetIndent(int row, int indent) { m_rows[static_cast<std::size_t>(row)].indent = indent; }
    // A column inserted or deleted moves the cells to its right.
    void InsertColumn(int column);
    void EraseColumn(int column);

    void SetState(int row, UINT state);
    int SelectedCount() const { return m_selected; }
    // The first row after `start` (-1: from the top) whose state has every bit of `state`; a
    // search for selected rows looks only between the first and the last selected row.
    int Next(int start, UINT state) const;
    // The first row after `start` (-1: from the top) with the item data; -1 when none.
    int FindParam(int start, LPARAM param) const;
    // Where a row of this text goes in a list kept sorted by text (without regard to case),
    // after the rows of equal text.
    int SortedPosition(const std::string& text, bool descending) const;
    // Puts the rows in the given order (a permutation of their indices).
    void Reorder(const std::vector<std::size_t>& order);

private:
    bool IsSelectedRow(int row) const;
    // Finds the span of the selected rows again by looking through them all.
    void FindSelectedSpan();
    // A row's selection changed: the span takes a selected row in, and closes up on the
    // selected rows left when one at its end is no longer selected.
    void SelectionChanged(int row, bool selected);

    // A deque: rows are often inserted at the top, one by one, in long lists.
    std::deque<ListViewRow> m_rows;
    int m_selected = 0;
    // The first and the last selected row while a row is selected.
    int m_firstSelected = 0;
    int m_lastSelected = -1;
};

// The order of `count` elements by `compare` (negative: the first goes before the second):
// a stable merge sort that stays within bounds whatever the comparison answers.
std::vector<std::size_t> SortedOrder(std::size_t count, const std::function<int(std::size_t, std::size_t)>& compare);

} // namespace vqwin::detail
