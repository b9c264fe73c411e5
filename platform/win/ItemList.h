// Internal to platform/win: the items of a combo box or list box.
#pragma once

#include "win/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace vqwin::controls {

struct ListItem {
    std::string text;
    ULONG_PTR data = 0;
    UINT height = 0;       // of an item of a variable-height owner-drawn box
    bool selected = false; // in a box of multiple selection
    int check = 0;         // in a check list box
};

class ItemList {
public:
    // The item a box adds: the text, or in a box without strings the data, from lParam.
    static ListItem FromParam(bool hasStrings, LPARAM lParam);

    int Count() const { return static_cast<int>(m_items.size()); }
    ListItem* At(int index);
    const ListItem* At(int index) const;

    // A sorted box places the item after every item whose text does not sort after its own,
    // without regard to case. Returns the item's index.
    int Add(ListItem item, bool sorted);
    // At `index`, or at the end for -1; -1 when the index is past the end.
    int Insert(int index, ListItem item);
    bool Erase(int index);
    void Clear() { m_items.clear(); }

    // The first item after `start` (-1: from the top), going round to the top, whose text
    // begins with `text` (or, exact, equals it) without regard to case; -1 when none. An empty
    // text finds nothing.
    int Find(int start, std::string_view text, bool exact) const;

    // The answers of the box messages that read items (text or, in a box without strings,
    // the item data), with the box's own error value for a missing item.
    LRESULT CopyText(int index, bool hasStrings, LPSTR buffer, LRESULT error) const;
    LRESULT TextLength(int index, bool hasStrings, LRESULT error) const;
    LRESULT FindText(int start, LPARAM text, bool exact, LRESULT error) const;
    LRESULT Data(int index, LRESULT error) const;
    LRESULT SetData(int index, LPARAM data, LRESULT done, LRESULT error);

private:
    std::vector<ListItem> m_items;
};

} // namespace vqwin::controls
