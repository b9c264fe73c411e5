#include "win/ItemList.h"

#include "win/Mbcs.h"

#include <algorithm>
#include <cstring>

namespace vqwin::controls {

namespace {

bool Matches(std::string_view item, std::string_view text, bool exact)
{
    if (exact)
        return mbcs::CompareNoCase(item, text) == 0;
    return item.size() >= text.size() && mbcs::IsCharBoundary(item, text.size()) &&
           mbcs::CompareNoCase(item.substr(0, text.size()), text) == 0;
}

} // namespace

ListItem* ItemList::At(int index)
{
    return index >= 0 && index < Count() ? &m_items[static_cast<std::size_t>(index)] : nullptr;
}

const ListItem* ItemList::At(int index) const
{
    return index >= 0 && index < Count() ? &m_items[static_cast<std::size_t>(index)] : nullptr;
}

int ItemList::Add(ListItem item, bool sorted)
{
    auto at = m_items.end();
    if (sorted) {
        const auto sortsBefore = [](const std::string& text, const ListItem& each) {
            return mbcs::CompareNoCase(text, each.text) < 0;
        };
        at = std::upper_bound(m_items.begin(), m_items.end(), item.text, sortsBefore);
    }
    const auto inserted = m_items.insert(at, std::move(item));
    return static_cast<int>(inserted - m_items.begin());
}

int ItemList::Insert(int index, ListItem item)
{
    if (index < 0)
        index = Count();
    if (index > Count())
        return -1;
    m_items.insert(m_items.begin() + index, std::move(item));
    return index;
}

bool ItemList::Erase(int index)
{
    if (!At(index))
        return false;
    m_items.erase(m_items.begin() + index);
    return true;
}

int ItemList::Find(int start, std::string_view text, bool exact) const
{
    const int count = Count();
    if (count == 0 || text.empty())
        return -1;
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int step = 0; step < count; ++step) {
        const int index = (first + step) % count;
        if (Matches(m_items[static_cast<std::size_t>(index)].text, text, exact))
            return index;
    }
    return -1;
}

LRESULT ItemList::CopyText(int index, bool hasStrings, LPSTR buffer, LRESULT error) const
{
    const ListItem* item = At(index);
    if (!item || !buffer)
        return error;
    if (!hasStrings) {
        std::memcpy(buffer, &item->data, sizeof item->data);
        return sizeof item->data;
    }
    std::memcpy(buffer, item->text.c_str(), item->text.size() + 1);
    return static_cast<LRESULT>(item->text.size());
}

LRESULT ItemList::TextLength(int index, bool hasStrings, LRESULT error) const
{
    const ListItem* item = At(index);
    if (!item)
        return error;
    return hasStrings ? static_cast<LRESULT>(item->text.size()) : sizeof item->data;
}

LRESULT ItemList::FindText(int start, LPARAM text, bool exact, LRESULT error) const
{
    const auto* wanted = reinterpret_cast<LPCSTR>(text);
    const int found = Find(start, wanted ? wanted : "", exact);
    return found < 0 ? error : found;
}

LRESULT ItemList::Data(int index, LRESULT error) const
{
    const ListItem* item = At(index);
    return item ? static_cast<LRESULT>(item->data) : error;
}

LRESULT ItemList::SetData(int index, LPARAM data, LRESULT done, LRESULT error)
{
    ListItem* item = At(index);
    if (!item)
        return error;
    item->data = static_cast<ULONG_PTR>(data);
    return done;
}

ListItem ItemList::FromParam(bool hasStrings, LPARAM lParam)
{
    ListItem item;
    if (hasStrings) {
        const auto* text = reinterpret_cast<LPCSTR>(lParam);
        item.text = text ? text : "";
    } else {
        item.data = static_cast<ULONG_PTR>(lParam);
    }
    return item;
}

} // namespace vqwin::controls
