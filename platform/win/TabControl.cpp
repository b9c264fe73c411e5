// The class procedure of "SysTabControl32" windows.
#include "win/CTabCtrl.h"
#include "win/ControlSupport.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vqwin::controls {

namespace {

struct Tab {
    std::string text;
    int image = -1;
    LPARAM param = 0;
    DWORD state = 0;
};

class TabProcedure final : public ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case TCM_GETITEMCOUNT:
            return static_cast<LRESULT>(m_tabs.size());
        case TCM_INSERTITEM:
            return Insert(hwnd, static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
        case TCM_GETITEM:
            return Get(static_cast<int>(wParam), reinterpret_cast<TCITEM*>(lParam));
        case TCM_SETITEM:
            return Set(hwnd, static_cast<int>(wParam), reinterpret_cast<const TCITEM*>(lParam));
        case TCM_DELETEITEM:
            return Delete(hwnd, static_cast<int>(wParam));
        case TCM_DELETEALLITEMS:
            m_tabs.clear();
            m_selection = -1;
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        case TCM_GETCURSEL:
            return m_selection;
        case TCM_SETCURSEL:
            return Select(hwnd, static_cast<int>(wParam));
        case TCM_SETIMAGELIST:
            return reinterpret_cast<LRESULT>(std::exchange(m_images, reinterpret_cast<HIMAGELIST>(lParam)));
        case TCM_GETIMAGELIST:
            return reinterpret_cast<LRESULT>(m_images);
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_VQ_USERACTION:
            return Act(hwnd, UserActionOf(lParam));
        default:
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        }
    }

private:
    Tab* At(int index)
    {
        const bool exists = index >= 0 && index < static_cast<int>(m_tabs.size());
        return exists ? &m_tabs[static_cast<std::size_t>(index)] : nullptr;
    }

    static void Apply(Tab& tab, const TCITEM& item)
    {
        if (item.mask & TCIF_TEXT)
            tab.text = item.pszText ? item.pszText : "";
        if (item.mask & TCIF_IMAGE)
            tab.image = item.iImage;
        if (item.mask & TCIF_PARAM)
            tab.param = item.lParam;
        if (item.mask & TCIF_STATE)
            tab.state = (tab.state & ~item.dwStateMask) | (item.dwState & item.dwStateMask);
    }

    LRESULT Insert(HWND hwnd, int index, const TCITEM* item)
    {
        if (!item || index < 0)
            return -1;
        index = std::min(index, static_cast<int>(m_tabs.size()));
        Tab tab;
        Apply(tab, *item);
        m_tabs.insert(m_tabs.begin() + index, std::move(tab));
        if (m_selection == -1 && m_tabs.size() == 1)
            m_selection = 0;
        else if (m_selection >= index)
            ++m_selection;
        InvalidateRect(hwnd, nullptr, TRUE);
        return index;
    }

    LRESULT Get(int index, TCITEM* item)
    {
        const Tab* tab = At(index);
        if (!tab || !item)
            return FALSE;
        if (item->mask & TCIF_TEXT)
            CopyText(tab->text, item->pszText, item->cchTextMax);
        if (item->mask & TCIF_IMAGE)
            item->iImage = tab->image;
        if (item->mask & TCIF_PARAM)
            item->lParam = tab->param;
        if (item->mask & TCIF_STATE)
            item->dwState = tab->state & item->dwStateMask;
        return TRUE;
    }

    LRESULT Set(HWND hwnd, int index, const TCITEM* item)
    {
        Tab* tab = At(index);
        if (!tab || !item)
            return FALSE;
        Apply(*tab, *item);
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }

    LRESULT Delete(HWND hwnd, int index)
    {
        if (!At(index))
            return FALSE;
        m_tabs.erase(m_tabs.begin() + index);
        if (m_selection == index)
            m_selection = -1;
        else if (m_selection > index)
            --m_selection;
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }

    LRESULT Select(HWND hwnd, int index)
    {
        if (!At(index))
            return -1;
        InvalidateRect(hwnd, nullptr, TRUE);
        return std::exchange(m_selection, index);
    }

    LRESULT Act(HWND hwnd, const vqui::UserAction& action)
    {
        if (action.kind != vqui::UserActionKind::SelectIndex || !At(action.index))
            return FALSE;
        TakeFocusAsUser(hwnd);
        if (action.index == m_selection)
            return TRUE;
        NMHDR changing{nullptr, 0, TCN_SELCHANGING};
        if (NotifyParent(hwnd, changing) || !IsWindow(hwnd) || !At(action.index))
            return TRUE;
        Select(hwnd, action.index);
        NMHDR changed{nullptr, 0, TCN_SELCHANGE};
        NotifyParent(hwnd, changed);
        return TRUE;
    }

    std::vector<Tab> m_tabs;
    int m_selection = -1;
    HIMAGELIST m_images = nullptr;
};

} // namespace

std::unique_ptr<ClassProcedure> MakeTabProcedure() { return std::make_unique<TabProcedure>(); }

} // namespace vqwin::controls
