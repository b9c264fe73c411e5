#include "shell/VqsOptCtrlRadio.h"

#include "win/CButton.h"
#include "win/CDataExchange.h"
#include "win/CWnd.h"

namespace {
constexpr UINT kSelectOneChoice = 61529;
}

VqsOptCtrlRadio::VqsOptCtrlRadio(VqsDialogCtrlConnector* connector, std::initializer_list<UINT> ids)
    : VqsOptCtrl(connector), m_nCount(static_cast<unsigned int>(ids.size()))
{
    for (UINT id : ids)
        m_ids.Add(static_cast<WORD>(id));
}

HWND VqsOptCtrlRadio::Button(int index) const { return GetOwnerItem(m_ids[index]); }

void VqsOptCtrlRadio::ExchangeValue(CDataExchange* pDX)
{
    if (!pDX->m_bSaveAndValidate) {
        for (unsigned int index = 0; index < m_nCount; ++index)
            ShowCheck(pDX->PrepareCtrl(m_ids[index]), index);
        return;
    }
    // A failure puts the focus on the first button the user can reach.
    for (unsigned int index = 0; index < m_nCount; ++index) {
        if (::IsWindowEnabled(pDX->PrepareCtrl(m_ids[index])))
            break;
    }
    const int checked = FindCheckedIndex();
    if (checked < 0)
        FailWithMessage(pDX, kSelectOneChoice);
    m_nValue = checked;
}

void VqsOptCtrlRadio::Enable(BOOL enable)
{
    for (unsigned int index = 0; index < m_nCount; ++index)
        EnableButton(enable, static_cast<int>(index));
}

BOOL VqsOptCtrlRadio::IsEnabled()
{
    HWND first = Button(0);
    return first && ::IsWindowEnabled(first);
}

void VqsOptCtrlRadio::SetReadOnly()
{
    const int checked = GetCheckedIndex();
    for (unsigned int index = 0; index < m_nCount; ++index)
        EnableButton(static_cast<int>(index) == checked, static_cast<int>(index));
}

void VqsOptCtrlRadio::Show(BOOL show)
{
    for (unsigned int index = 0; index < m_nCount; ++index) {
        if (HWND button = Button(static_cast<int>(index)))
            ::ShowWindow(button, show ? SW_SHOW : SW_HIDE);
    }
}

void VqsOptCtrlRadio::SaveState() { m_nSaved = m_nValue; }

void VqsOptCtrlRadio::SetValue(int index)
{
    m_nValue = index;
    SetNotAvailableState(FALSE);
}

void VqsOptCtrlRadio::SetNotAvailable() { SetNotAvailableState(TRUE); }

void VqsOptCtrlRadio::ShowPlaceholder(CDataExchange*)
{
    for (unsigned int index = 0; index < m_nCount; ++index) {
        if (HWND button = Button(static_cast<int>(index))) {
            ::SendMessage(button, BM_SETCHECK, BST_UNCHECKED);
            ::EnableWindow(button, FALSE);
        }
    }
}

BOOL VqsOptCtrlRadio::IsValueModified() { return GetCheckedIndex() != m_nSaved; }

BOOL VqsOptCtrlRadio::ControlDiffersFromSaved() { return GetCheckedIndex() != m_nSaved; }

void VqsOptCtrlRadio::RestoreSavedValue() { m_nValue = m_nSaved; }

void VqsOptCtrlRadio::ShowValue()
{
    for (unsigned int index = 0; index < m_nCount; ++index) {
        if (HWND button = Button(static_cast<int>(index)))
            ShowCheck(button, index);
    }
}

void VqsOptCtrlRadio::ShowCheck(HWND button, unsigned int index) const
{
    ::SendMessage(button, BM_SETCHECK, static_cast<int>(index) == m_nValue ? BST_CHECKED : BST_UNCHECKED);
}

int VqsOptCtrlRadio::GetCheckedIndex() const
{
    const int checked = FindCheckedIndex();
    return checked < 0 ? 0 : checked;
}

int VqsOptCtrlRadio::FindCheckedIndex() const
{
    for (unsigned int index = 0; index < m_nCount; ++index) {
        HWND button = Button(static_cast<int>(index));
        if (button && ::SendMessage(button, BM_GETCHECK) == BST_CHECKED)
            return static_cast<int>(index);
    }
    return -1;
}

void VqsOptCtrlRadio::EnableButton(BOOL enable, int index)
{
    if (index < 0 || static_cast<unsigned int>(index) >= m_nCount)
        return;
    if (HWND button = Button(index))
        ::EnableWindow(button, enable && !IsNotAvailable());
}
