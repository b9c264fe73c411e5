#include "shell/VqsDialog.h"

#include "shell/VqsOpenDialogButton.h"
#include "shell/VqsSysApp.h"
#include "win/CComboBox.h"
#include "win/Help.h"

#include <algorithm>

namespace {

int AllowLongNames()
{
    auto* app = dynamic_cast<VqsSysApp*>(AfxGetApp());
    return app ? app->GetAllowLongNames() : 0;
}

void MoveRect(RECT* rect, int dx, int dy)
{
    rect->left += dx;
    rect->right += dx;
    rect->top += dy;
    rect->bottom += dy;
}

void MoveRectTo(RECT* rect, int x, int y) { MoveRect(rect, x - rect->left, y - rect->top); }

} // namespace

CWnd* VqsDialog::ResizeSpec::GetCtrlRect(CWnd* dialog, RECT* rect, UINT id) const
{
    CWnd* control = dialog->GetDlgItem(static_cast<int>(id ? id : m_nID));
    if (!control)
        return nullptr;
    if (auto* combo = dynamic_cast<CComboBox*>(control))
        combo->GetDroppedControlRect(rect);
    else
        control->GetWindowRect(rect);
    dialog->ScreenToClient(rect);
    return control;
}

void VqsDialog::ResizeSpec::Resize(CWnd* dialog, const SIZE* delta)
{
    CRect rect;
    CWnd* control = GetCtrlRect(dialog, &rect);
    if (!control)
        return;
    const CRect before = rect;
    if (!Apply(&rect, dialog, delta))
        return;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
    if (rect.left == before.left && rect.top == before.top)
        flags |= SWP_NOMOVE;
    if (rect.Width() == before.Width() && rect.Height() == before.Height())
        flags |= SWP_NOSIZE;
    control->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), flags);
}

void VqsDialog::ResizeSpecRightEdge::Init(CWnd*, const SIZE*) {}

BOOL VqsDialog::ResizeSpecRightEdge::Apply(RECT* rect, CWnd*, const SIZE* delta)
{
    if (delta->cx == 0)
        return FALSE;
    rect->right += delta->cx;
    return TRUE;
}

void VqsDialog::ResizeSpecAtBottom::Init(CWnd*, const SIZE*) {}

BOOL VqsDialog::ResizeSpecAtBottom::Apply(RECT* rect, CWnd*, const SIZE* delta)
{
    if (delta->cy == 0)
        return FALSE;
    MoveRect(rect, 0, delta->cy);
    return TRUE;
}

void VqsDialog::ResizeSpecAtCorner::Init(CWnd*, const SIZE*) {}

BOOL VqsDialog::ResizeSpecAtCorner::Apply(RECT* rect, CWnd*, const SIZE* delta)
{
    MoveRect(rect, delta->cx, delta->cy);
    return TRUE;
}

void VqsDialog::ResizeSpecAtBottomRightEdge::Init(CWnd* dialog, const SIZE*)
{
    CRect own;
    CRect partner;
    if (m_nPartner != 0 && GetCtrlRect(dialog, &partner, m_nPartner) && GetCtrlRect(dialog, &own))
        m_nGap = partner.left - own.right;
}

BOOL VqsDialog::ResizeSpecAtBottomRightEdge::Apply(RECT* rect, CWnd* dialog, const SIZE* delta)
{
    int widen = delta->cx;
    CRect partner;
    if (m_nPartner != 0 && GetCtrlRect(dialog, &partner, m_nPartner))
        widen = partner.left - rect->right - m_nGap;
    MoveRect(rect, 0, delta->cy);
    rect->right += widen;
    return TRUE;
}

void VqsDialog::ResizeSpecDowntoBottomRightEdge::Init(CWnd* dialog, const SIZE*)
{
    CRect own;
    if (!GetCtrlRect(dialog, &own))
        return;
    CRect top;
    if (GetCtrlRect(dialog, &top, m_nTop))
        m_nTopGap = top.top - own.top;
    CRect right;
    if (m_nRight != 0 && GetCtrlRect(dialog, &right, m_nRight))
        m_nRightGap = right.left - own.right;
}

BOOL VqsDialog::ResizeSpecDowntoBottomRightEdge::Apply(RECT* rect, CWnd* dialog, const SIZE* delta)
{
    int top = rect->top + delta->cy;
    int right = rect->right + delta->cx;
    CRect topControl;
    if (GetCtrlRect(dialog, &topControl, m_nTop))
        top = topControl.top - m_nTopGap;
    CRect rightControl;
    if (m_nRight != 0 && GetCtrlRect(dialog, &rightControl, m_nRight))
        right = rightControl.left - m_nRightGap;
    *rect = CRect(rect->left, top, right, rect->bottom + delta->cy);
    return TRUE;
}

void VqsDialog::ResizeSpecDowntoCtrlRightEdge::Init(CWnd* dialog, const SIZE*)
{
    CRect own;
    CRect bottom;
    if (GetCtrlRect(dialog, &own) && GetCtrlRect(dialog, &bottom, m_nBottom))
        m_nGap = bottom.top - own.bottom;
}

BOOL VqsDialog::ResizeSpecDowntoCtrlRightEdge::Apply(RECT* rect, CWnd* dialog, const SIZE* delta)
{
    int bottom = rect->bottom + delta->cy;
    CRect bottomControl;
    if (GetCtrlRect(dialog, &bottomControl, m_nBottom))
        bottom = bottomControl.top - m_nGap;
    rect->right += delta->cx;
    rect->bottom = bottom;
    return TRUE;
}

void VqsDialog::ResizeSpecAtCtrl::Init(CWnd* dialog, const SIZE*)
{
    CRect anchor;
    CRect own;
    if (GetCtrlRect(dialog, &anchor, m_nAnchor) && GetCtrlRect(dialog, &own)) {
        m_nOffsetX = anchor.left - own.left;
        m_nOffsetY = anchor.top - own.top;
    }
}

BOOL VqsDialog::ResizeSpecAtCtrl::Apply(RECT* rect, CWnd* dialog, const SIZE* delta)
{
    if (m_nAnchor == 0)
        return FALSE;
    CRect anchor;
    if (GetCtrlRect(dialog, &anchor, m_nAnchor))
        MoveRectTo(rect, anchor.left - m_nOffsetX, anchor.top - m_nOffsetY);
    else
        MoveRect(rect, delta->cx, delta->cy);
    return TRUE;
}

void VqsDialog::ResizeSpecAtBottomProportionalPos::Init(CWnd* dialog, const SIZE* windowSize)
{
    m_nInitialWidth = windowSize->cx;
    CRect own;
    if (GetCtrlRect(dialog, &own)) {
        m_nInitialLeft = own.left;
        m_nBottomDistance = windowSize->cy - own.top;
    }
}

BOOL VqsDialog::ResizeSpecAtBottomProportionalPos::Apply(RECT* rect, CWnd* dialog, const SIZE*)
{
    CRect window;
    dialog->GetWindowRect(&window);
    const int width = window.Width();
    const int height = window.Height();
    const int x = m_nInitialWidth != 0 ? width * m_nInitialLeft / m_nInitialWidth : rect->left;
    int y = height - m_nBottomDistance;
    if (m_nA > 0 && m_nB > 0)
        y = std::min(y, height * m_nA / (m_nA + m_nB));
    MoveRectTo(rect, x, y);
    return TRUE;
}

BEGIN_MESSAGE_MAP(VqsDialog, CDialog)
    ON_WM_HELPINFO()
    ON_WM_SIZE()
END_MESSAGE_MAP()

VqsDialog::VqsDialog(UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_connector(this), m_bLongNames(AllowLongNames())
{
}

VqsDialog::~VqsDialog() = default;

BOOL VqsDialog::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (!handlerInfo)
        m_connector.OnCommand(id, code);
    return CDialog::OnCmdMsg(id, code, extra, handlerInfo);
}

BOOL VqsDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (wParam == IDOK) {
        CWnd* focus = GetFocus();
        if (focus && focus != GetDlgItem(IDOK) && dynamic_cast<VqsOpenDialogButton*>(focus)) {
            focus->SendMessage(BM_CLICK);
            return TRUE;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

void VqsDialog::DoDataExchange(CDataExchange* pDX) { m_connector.DoDataExchange(pDX); }

BOOL VqsDialog::OnInitDialog()
{
    if (!CDialog::OnInitDialog())
        return FALSE;
    ResizeSpec** specs = nullptr;
    const UINT count = GetResizeSpecs(&specs);
    if (count > 0) {
        CRect window;
        GetWindowRect(&window);
        const SIZE size{window.Width(), window.Height()};
        for (UINT i = 0; i < count; ++i)
            specs[i]->Init(this, &size);
    }
    return TRUE;
}

UINT VqsDialog::GetResizeSpecs(ResizeSpec***) { return 0; }

void VqsDialog::OnSize(UINT type, int cx, int cy)
{
    CDialog::OnSize(type, cx, cy);
    if (m_bSized) {
        const SIZE delta{cx - m_nLastWidth, cy - m_nLastHeight};
        ResizeSpec** specs = nullptr;
        const UINT count = GetResizeSpecs(&specs);
        for (UINT i = 0; i < count; ++i)
            specs[i]->Resize(this, &delta);
    }
    m_nLastWidth = cx;
    m_nLastHeight = cy;
    m_bSized = TRUE;
}

BOOL VqsDialog::OnHelpInfo(HELPINFO* info)
{
    if (info->iContextType == HELPINFO_WINDOW && info->dwContextId != 0) {
        if (CWinApp* app = AfxGetApp())
            app->WinHelp(HID_BASE_CONTROL + static_cast<DWORD>(info->iCtrlId), HELP_CONTEXTPOPUP);
        return TRUE;
    }
    return CDialog::OnHelpInfo(info);
}
