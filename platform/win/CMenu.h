// The class library's menu over an HMENU (see Menu.h).
#pragma once

#include "win/Menu.h"
#include "win/Object.h"

class CString;
class CWnd;

class CMenu : public CObject {
public:
    CMenu() = default;
    // Destroys the menu it holds.
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    // The object attached to the handle, else a temporary one that lives as long as the menu.
    static CMenu* FromHandle(HMENU menu);
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(LPCTSTR name);
    BOOL DestroyMenu();

    // (UINT)-1 when the object holds no menu.
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    CMenu* GetSubMenu(int position) const;
    int GetMenuString(UINT item, LPTSTR buffer, int size, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);
    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup = 0, LPCTSTR text = nullptr);
    BOOL DeleteMenu(UINT item, UINT flags);
    BOOL RemoveMenu(UINT item, UINT flags);
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};
