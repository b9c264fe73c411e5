// Reading the rows of a list control on the page shown, as the user sees them.
#pragma once

#include "QSRTestSupport.h"

#include "win/ListView.h"

#include <string>
#include <vector>

namespace optionstest {

// Each row's texts of the columns, joined by "|".
inline std::vector<std::string> ListRows(VqsSoftLinkOptionsDlg& dialog, int id, int columns)
{
    HWND list = PageItem(dialog, id);
    std::vector<std::string> rows;
    const int count = static_cast<int>(::SendMessage(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        std::string joined;
        for (int column = 0; column < columns; ++column) {
            char text[128] = "";
            LVITEM item{};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof(text);
            ::SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
            joined += (column ? "|" : "") + std::string(text);
        }
        rows.push_back(joined);
    }
    return rows;
}

} // namespace optionstest
