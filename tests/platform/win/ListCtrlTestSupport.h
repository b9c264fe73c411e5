// A parent window for list-control tests: it records the notifications it gets, answers
// LVN_GETDISPINFO and WM_MEASUREITEM as the test says, and can refuse state changes.
#pragma once

#include "win/CListCtrl.h"
#include "win/CString.h"
#include "win/CWnd.h"

#include <functional>
#include <string>
#include <vector>

struct ListNotice {
    UINT code;
    int item;
    int subItem;
    UINT newState;
    UINT oldState;
    UINT changed;
};

class ListParent : public CWnd {
public:
    BOOL CreateTop() { return CreateEx(0, "ListParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY)
            return OnNotice(*reinterpret_cast<NMHDR*>(lParam));
        if (message == WM_MEASUREITEM && rowHeight > 0) {
            ++measured;
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(rowHeight);
            return TRUE;
        }
        if (message == WM_MEASUREITEM)
            ++measured;
        if (message == WM_CONTEXTMENU)
            contextMenus.push_back(lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }

    // The notices as short words, e.g. "changed 1 0>3" (row 1 went from state 0 to 3).
    std::vector<std::string> Log(bool withTexts = false) const
    {
        std::vector<std::string> log;
        for (const ListNotice& n : notices) {
            if (n.code == LVN_GETDISPINFO || (!withTexts && n.changed && n.changed != LVIF_STATE))
                continue;
            log.push_back(Describe(n));
        }
        return log;
    }

    static std::string Describe(const ListNotice& n)
    {
        auto state = [&](const char* word) {
            return std::string(word) + " " + std::to_string(n.item) + " " + std::to_string(n.oldState) + ">" +
                   std::to_string(n.newState);
        };
        switch (n.code) {
        case LVN_ITEMCHANGING:
            return n.changed == LVIF_STATE ? state("changing") : "changing text " + std::to_string(n.subItem);
        case LVN_ITEMCHANGED:
            return n.changed == LVIF_STATE ? state("changed") : "changed text " + std::to_string(n.subItem);
        case LVN_COLUMNCLICK:
            return "column " + std::to_string(n.subItem);
        case LVN_KEYDOWN:
            return "key " + std::to_string(n.newState);
        case LVN_INSERTITEM:
            return "insert " + std::to_string(n.item);
        case NM_CLICK:
            return "click " + std::to_string(n.item);
        case NM_DBLCLK:
            return "double-click " + std::to_string(n.item);
        case NM_RCLICK:
            return "right-click " + std::to_string(n.item);
        case NM_SETFOCUS:
            return "setfocus";
        case NM_KILLFOCUS:
            return "killfocus";
        case NM_RETURN:
            return "return";
        default:
            return "notice " + std::to_string(static_cast<int>(n.code));
        }
    }

    std::vector<ListNotice> notices;
    std::vector<LPARAM> contextMenus;
    std::function<void(NMLVDISPINFO&)> dispInfo;
    std::function<LRESULT(NMLVCUSTOMDRAW&)> customDraw;
    int refuseRow = -2; // LVN_ITEMCHANGING of this row is refused
    int rowHeight = 0;  // the answer to WM_MEASUREITEM; 0: none
    int measured = 0;

private:
    LRESULT OnNotice(NMHDR& header)
    {
        ListNotice notice{header.code, -1, 0, 0, 0, 0};
        switch (header.code) {
        case LVN_ITEMCHANGING:
        case LVN_ITEMCHANGED:
        case LVN_COLUMNCLICK:
        case LVN_INSERTITEM:
        case LVN_DELETEITEM: {
            const auto& list = reinterpret_cast<const NMLISTVIEW&>(header);
            notice = {header.code, list.iItem, list.iSubItem, list.uNewState, list.uOldState, list.uChanged};
            break;
        }
        case NM_CLICK:
        case NM_DBLCLK:
        case NM_RCLICK: {
            const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
            notice = {header.code, activate.iItem, activate.iSubItem, 0, 0, 0};
            break;
        }
        case LVN_KEYDOWN:
            notice.newState = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
            break;
        case LVN_GETDISPINFO:
            if (dispInfo)
                dispInfo(reinterpret_cast<NMLVDISPINFO&>(header));
            break;
        case NM_CUSTOMDRAW:
            return customDraw ? customDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header)) : CDRF_DODEFAULT;
        default:
            break;
        }
        notices.push_back(notice);
        if (header.code == LVN_ITEMCHANGING && notice.item == refuseRow)
            return TRUE;
        LRESULT result = 0;
        CWnd::OnNotify(header.idFrom, reinterpret_cast<LPARAM>(&header), &result);
        return result;
    }
};

// A report list in a parent, with columns "Name" 100, "Kind" 60, "Note" 80.
struct ListFixture {
    explicit ListFixture(DWORD style = LVS_REPORT | LVS_SHOWSELALWAYS, CRect rect = CRect(0, 0, 300, 200))
    {
        parent.CreateTop();
        list.Create(WS_CHILD | WS_VISIBLE | style, rect, &parent, 1001);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Kind", LVCFMT_LEFT, 60, 1);
        list.InsertColumn(2, "Note", LVCFMT_LEFT, 80, 2);
    }

    void AddRows(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            list.InsertItem(list.GetItemCount(), name);
        parent.notices.clear();
    }

    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> texts;
        for (int row = 0; row < list.GetItemCount(); ++row)
            texts.push_back(list.GetItemText(row, column).str());
        return texts;
    }

    ListParent parent;
    CListCtrl list;
};
