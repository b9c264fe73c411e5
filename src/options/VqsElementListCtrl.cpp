#include "options/VqsElementListCtrl.h"

#include "options/VqsBulkOptionPanel.h"
#include "shell/VqsValueScope.h"
#include "win/CCmdTarget.h"
#include "win/CDC.h"
#include "win/CHeaderCtrl.h"

#include <cstring>

namespace {

constexpr COLORREF kDefaultColour = RGB(160, 160, 160);
constexpr COLORREF kValueColour = RGB(0, 0, 0);
constexpr LONG kBold = 700;

// The cell text without its default mark.
void DropMark(char* text)
{
    if (text && text[0] == kVqsDefaultMark)
        std::memmove(text, text + 1, std::strlen(text));
}

} // namespace

BEGIN_MESSAGE_MAP(VqsElementListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, &VqsElementListCtrl::OnGetDispInfo)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &VqsElementListCtrl::OnCustomDraw)
END_MESSAGE_MAP()

VqsElementListCtrl::~VqsElementListCtrl() = default;

void VqsElementListCtrl::AttachPanel(VqsBulkOptionPanel* panel)
{
    m_pPanel = panel;
    CHeaderCtrl* header = GetHeaderCtrl();
    for (int column = header ? header->GetItemCount() - 1 : -1; column >= 0; --column)
        DeleteColumn(column);
    if (!panel)
        return;
    for (int column = 0; column < panel->GetColumnCount(); ++column) {
        VqsElementListCtrlPxAdapter* adapter = panel->GetAdapter(column);
        InsertColumn(column, adapter->GetTitle(), adapter->GetFormat() == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT,
                     adapter->GetWidth());
    }
    DeleteAllItems();
    SetItemCountEx(panel->GetRowCount(), LVSICF_NOINVALIDATEALL);
}

void VqsElementListCtrl::OnGetDispInfo(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
    *result = 0;
    if (!m_pPanel || !(info->item.mask & LVIF_TEXT) || !info->item.pszText || info->item.cchTextMax <= 0)
        return;
    const BOOL selected = (GetItemState(info->item.iItem, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    info->item.pszText[0] = '\0';
    m_pPanel->GetCellText(selected, info->item.iItem, info->item.iSubItem, info->item.pszText,
                          info->item.cchTextMax);
    DropMark(info->item.pszText);
}

void VqsElementListCtrl::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    *result = CDRF_DODEFAULT;
    if (!m_pPanel)
        return;
    const DWORD stage = draw->nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT || stage == CDDS_ITEMPREPAINT) {
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    }
    if (stage != (CDDS_ITEMPREPAINT | CDDS_SUBITEM))
        return;
    CDC* dc = CDC::FromHandle(draw->nmcd.hdc);
    const int row = static_cast<int>(draw->nmcd.dwItemSpec);
    const int column = draw->iSubItem;
    BOOL edited = FALSE;
    draw->clrText = kValueColour;
    if (column > 0) {
        char text[kVqsCellTextLength] = "";
        m_pPanel->GetCellText(FALSE, row, column, text, kVqsCellTextLength - 1);
        draw->clrText = text[0] == kVqsDefaultMark ? kDefaultColour : kValueColour;
        edited = m_pPanel->IsCellEdited(row, column);
    }
    if (CFont* font = dc ? CellFont(*dc, edited) : nullptr)
        dc->SelectObject(font);
    *result = CDRF_NEWFONT;
}

CFont* VqsElementListCtrl::CellFont(CDC& dc, BOOL bold)
{
    if (!m_normalFont.GetSafeHandle()) {
        CFont* current = dc.GetCurrentFont();
        LOGFONT description{};
        if (!current || !current->GetLogFont(&description))
            return nullptr;
        description.lfWeight = 0;
        m_normalFont.CreateFontIndirect(&description);
        description.lfWeight = kBold;
        m_boldFont.CreateFontIndirect(&description);
    }
    return bold ? &m_boldFont : &m_normalFont;
}

void VqsElementListCtrl::SelectMatching(int column, const char* text, BOOL invert, int mode)
{
    if (!m_pPanel || column < 0 || column >= m_pPanel->GetColumnCount())
        return;
    const std::vector<SelectionChange> changes = MatchRows(column, text, invert, mode);
    {
        VqsCountScope<int> busy(m_nBusy);
        for (const SelectionChange& change : changes)
            SetItemState(change.row, change.select ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }
    m_pPanel->LoadEditors(this);
}

// Every row is read before the selection changes: a read that fails leaves the selection, and
// the editors loaded for it, as they were.
std::vector<VqsElementListCtrl::SelectionChange> VqsElementListCtrl::MatchRows(int column, const char* text,
                                                                               BOOL invert, int mode)
{
    VqsElementListCtrlPxAdapter* adapter = m_pPanel->GetAdapter(column);
    adapter->SetMatchText(text);
    CWaitCursor wait;
    std::vector<SelectionChange> changes;
    for (int row = 0; row < GetItemCount(); ++row) {
        const BOOL selected = m_selection.Contains(row);
        if (mode == RefineSelection && !selected)
            continue;
        char pending[kVqsCellTextLength] = "";
        const BOOL hasPending = m_pPanel->GetPendingText(row, column, pending, kVqsCellTextLength - 1);
        const BOOL matches = adapter->MatchesRow(m_pPanel->GetRow(row), hasPending ? pending : nullptr);
        const BOOL hit = invert ? !matches : matches;
        if (hit && !selected && mode != RefineSelection)
            changes.push_back({row, TRUE});
        else if (!hit && selected && mode != ExtendSelection)
            changes.push_back({row, FALSE});
    }
    return changes;
}
