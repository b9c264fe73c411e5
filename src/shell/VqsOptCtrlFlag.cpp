#include "shell/VqsOptCtrlFlag.h"

#include "win/CButton.h"
#include "win/CDataExchange.h"
#include "win/CWnd.h"

VqsOptCtrlFlag::VqsOptCtrlFlag(VqsDialogCtrlConnector* connector, UINT id)
    : VqsOptCtrl(connector), m_nID(static_cast<WORD>(id))
{
}

void VqsOptCtrlFlag::ExchangeValue(CDataExchange* pDX) { DDX_Check(pDX, m_nID, m_bValue); }

void VqsOptCtrlFlag::SetValue(BOOL value)
{
    m_bValue = value;
    SetNotAvailableState(FALSE);
}

void VqsOptCtrlFlag::SetNotAvailable() { SetNotAvailableState(TRUE); }

void VqsOptCtrlFlag::ShowPlaceholder(CDataExchange*)
{
    SetCheck(FALSE);
    Enable(FALSE);
}

void VqsOptCtrlFlag::Enable(BOOL enable)
{
    if (HWND box = GetOwnerItem(m_nID))
        ::EnableWindow(box, enable && !IsNotAvailable());
}

BOOL VqsOptCtrlFlag::IsEnabled()
{
    HWND box = GetOwnerItem(m_nID);
    return box && ::IsWindowEnabled(box);
}

void VqsOptCtrlFlag::SetReadOnly() { Enable(FALSE); }

void VqsOptCtrlFlag::Show(BOOL show)
{
    if (HWND box = GetOwnerItem(m_nID))
        ::ShowWindow(box, show ? SW_SHOW : SW_HIDE);
}

void VqsOptCtrlFlag::SaveState() { m_bSaved = m_bValue; }

BOOL VqsOptCtrlFlag::IsValueModified() { return IsEnabled() && IsChecked() != m_bSaved; }

BOOL VqsOptCtrlFlag::ControlDiffersFromSaved() { return IsChecked() != m_bSaved; }

void VqsOptCtrlFlag::RestoreSavedValue() { m_bValue = m_bSaved; }

void VqsOptCtrlFlag::ShowValue() { SetCheck(m_bValue != 0); }

BOOL VqsOptCtrlFlag::IsChecked() const
{
    HWND box = GetOwnerItem(m_nID);
    return box && ::SendMessage(box, BM_GETCHECK) == BST_CHECKED;
}

void VqsOptCtrlFlag::SetCheck(BOOL check)
{
    if (HWND box = GetOwnerItem(m_nID))
        ::SendMessage(box, BM_SETCHECK, check ? BST_CHECKED : BST_UNCHECKED);
}
