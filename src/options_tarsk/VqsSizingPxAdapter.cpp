#include "options_tarsk/VqsSizingPxAdapter.h"

#include "options/VqsColumnAdapters.h"
#include "win/Input.h"

#include <algorithm>

namespace {

constexpr UINT IDS_NOT_AVAILABLE = 61554;

const char* WithoutMark(const char* text) { return vqsadapter::StartsWithMark(text) ? text + 1 : text; }

void ShowInCombo(VqsOptCtrlCombo& combo, const char* text)
{
    combo.SetValue(text);
    combo.SaveState();
    combo.Revert();
}

} // namespace

VqsSizingPxAdapter::VqsSizingPxAdapter(VqsOptCtrlCombo* typeCombo, VqsOptCtrlString* valueEdit,
                                       std::vector<VqsSizingKind> kinds)
    : VqsElementListCtrlPxAdapter("Sizing", 80), m_pType(typeCombo), m_pValue(valueEdit), m_kinds(std::move(kinds))
{
    CStringArray names;
    for (VqsSizingKind kind : m_kinds)
        names.Add(VqsSizingKindName(kind));
    m_pType->SetItems(names);
}

BOOL VqsSizingPxAdapter::KnowsPercent() const
{
    return std::find(m_kinds.begin(), m_kinds.end(), VqsSizingKind::Percent) != m_kinds.end();
}

VqsSizingKind VqsSizingPxAdapter::KindAt(int index) const
{
    return index >= 0 && index < static_cast<int>(m_kinds.size()) ? m_kinds[static_cast<std::size_t>(index)]
                                                                   : VqsSizingKind::Default;
}

void VqsSizingPxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    VqsSizing sizing;
    CopyCellText(GetSizing(row, sizing) ? VqsFormatSizing(sizing) : CString(), buffer, length);
}

void VqsSizingPxAdapter::SetText(PxOptionsPtr* row, const char* text, int)
{
    VqsSizing current;
    if (GetSizing(row, current))
        SetSizing(row, VqsParseSizing(text, KnowsPercent()));
}

void VqsSizingPxAdapter::Show(const VqsSizing& sizing)
{
    const bool offered = std::find(m_kinds.begin(), m_kinds.end(), sizing.kind) != m_kinds.end();
    const VqsSizingKind shown = offered ? sizing.kind : m_kinds.front();
    ShowInCombo(*m_pType, VqsSizingKindName(shown));
    m_pType->Enable(TRUE);
    const BOOL hasValue = shown != VqsSizingKind::Default;
    vqsadapter::ShowText(*m_pValue, hasValue && offered ? VqsFormatSizing({VqsSizingKind::Expected, sizing.number}) : "");
    m_pValue->Enable(hasValue);
}

void VqsSizingPxAdapter::ShowNotApplicable()
{
    ShowInCombo(*m_pType, "");
    m_pType->ShowNotAvailable(IDS_NOT_AVAILABLE);
    vqsadapter::ShowBlank(*m_pValue);
    m_pType->Enable(FALSE);
    m_pValue->Enable(FALSE);
}

BOOL VqsSizingPxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    VqsSizing sizing;
    if (!GetSizing(row, sizing)) {
        ShowNotApplicable();
        return FALSE;
    }
    if (pending)
        sizing = VqsParseSizing(pending, KnowsPercent());
    Show(sizing);
    m_loaded = sizing;
    return TRUE;
}

BOOL VqsSizingPxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    VqsSizing sizing;
    if (!GetSizing(row, sizing)) {
        ShowNotApplicable();
        return FALSE;
    }
    if (pending)
        sizing = VqsParseSizing(pending, KnowsPercent());
    if (sizing == m_loaded)
        return TRUE;
    Show({m_kinds.front(), 0});
    vqsadapter::ShowText(*m_pValue, "");
    return FALSE;
}

BOOL VqsSizingPxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_pType->IsEnabled())
        return FALSE;
    const BOOL typeChanged = m_pType->IsModified();
    if (!typeChanged && !m_pValue->IsModified())
        return FALSE;
    const VqsSizingKind kind = KindAt(m_pType->GetCurSel());
    CString value = kind == VqsSizingKind::Default ? CString() : m_pValue->GetControlText();
    if (typeChanged && value.IsEmpty() && kind != VqsSizingKind::Default)
        value = "0";
    const VqsSizingEdit edit = VqsComposeSizingText(kind, value, m_pValue->GetValue());
    if (!edit.accepted)
        MessageBeep(static_cast<UINT>(-1));
    if (edit.text.IsEmpty()) {
        m_pValue->Revert();
        m_pType->Revert();
        return FALSE;
    }
    m_pValue->SetValue(edit.value);
    m_pValue->SetControlText(edit.value);
    m_pType->SetValue(m_pType->GetSelectedText());
    CopyCellText(edit.text, buffer, length);
    return TRUE;
}

void VqsSizingPxAdapter::RefreshEditor()
{
    if (!m_pType->IsEnabled())
        return;
    m_pType->SaveState();
    if (KindAt(m_pType->GetCurSel()) == VqsSizingKind::Default) {
        vqsadapter::ShowText(*m_pValue, "");
        m_pValue->Enable(FALSE);
        return;
    }
    m_pValue->Enable(TRUE);
    m_pValue->SaveState();
}

void VqsSizingPxAdapter::SetMatchText(const char* text) { m_strMatch = WithoutMark(text ? text : ""); }

BOOL VqsSizingPxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    VqsSizing sizing;
    if (!GetSizing(row, sizing))
        return FALSE;
    const CString text = pending ? CString(pending) : VqsFormatSizing(sizing);
    return CString(WithoutMark(text)).CompareNoCase(m_strMatch) == 0;
}
