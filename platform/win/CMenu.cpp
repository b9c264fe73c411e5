#include "win/CMenu.h"

#include "win/CString.h"
#include "win/CWnd.h"
#include "win/MenuObjects.h"

#include <utility>

CMenu::~CMenu() { DestroyMenu(); }

CMenu* CMenu::FromHandle(HMENU menu) { return vqwin::detail::MenuObject(menu); }

BOOL CMenu::Attach(HMENU menu)
{
    if (m_hMenu || !vqwin::detail::AttachMenuObject(menu, this))
        return FALSE;
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    vqwin::detail::DetachMenuObject(m_hMenu, this);
    return std::exchange(m_hMenu, nullptr);
}

BOOL CMenu::CreateMenu() { return Attach(::CreateMenu()); }

BOOL CMenu::CreatePopupMenu() { return Attach(::CreatePopupMenu()); }

BOOL CMenu::LoadMenu(UINT id) { return LoadMenu(MAKEINTRESOURCE(id)); }

BOOL CMenu::LoadMenu(LPCTSTR name) { return !m_hMenu && Attach(::LoadMenu(nullptr, name)); }

BOOL CMenu::DestroyMenu() { return m_hMenu ? ::DestroyMenu(Detach()) : FALSE; }

UINT CMenu::GetMenuItemCount() const { return static_cast<UINT>(::GetMenuItemCount(m_hMenu)); }

UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }

CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

int CMenu::GetMenuString(UINT item, LPTSTR buffer, int size, UINT flags) const
{
    return ::GetMenuString(m_hMenu, item, buffer, size, flags);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const
{
    const int length = ::GetMenuString(m_hMenu, item, nullptr, 0, flags);
    ::GetMenuString(m_hMenu, item, text.GetBufferSetLength(length), length + 1, flags);
    text.ReleaseBuffer();
    return text.GetLength();
}

UINT CMenu::GetMenuState(UINT item, UINT flags) const { return ::GetMenuState(m_hMenu, item, flags); }

UINT CMenu::EnableMenuItem(UINT item, UINT enable)
{
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, enable));
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) { return ::CheckMenuItem(m_hMenu, item, check); }

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, LPCTSTR text)
{
    return ::AppendMenu(m_hMenu, flags, idOrPopup, text);
}

BOOL CMenu::InsertMenu(UINT position, UINT flags, UINT_PTR idOrPopup, LPCTSTR text)
{
    return ::InsertMenu(m_hMenu, position, flags, idOrPopup, text);
}

BOOL CMenu::DeleteMenu(UINT item, UINT flags) { return ::DeleteMenu(m_hMenu, item, flags); }

BOOL CMenu::RemoveMenu(UINT item, UINT flags) { return ::RemoveMenu(m_hMenu, item, flags); }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect)
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner ? owner->GetSafeHwnd() : nullptr, rect);
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* menu) { return ::SetMenu(m_hWnd, menu ? menu->GetSafeHmenu() : nullptr); }

CMenu* CWnd::GetSystemMenu(BOOL revert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, revert)); }
