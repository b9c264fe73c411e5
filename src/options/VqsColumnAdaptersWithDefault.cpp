#include "options/VqsColumnAdaptersWithDefault.h"

#include "options/VqsCopiedIspec.h"
#include "options/VqsEnterprisePackNames.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxTarskCompOptions.h"
#include "win/Input.h"

#include <cstring>

namespace {

constexpr UINT IDS_BLANK = 61897;

const char* AfterMark(const char* text) { return vqsadapter::StartsWithMark(text) ? text + 1 : text; }

CString Marked(const CString& text) { return CString(kVqsDefaultMark) + text; }

void Blank(VqsOptCtrlCombo& combo)
{
    combo.SetValue("");
    combo.SaveState();
    combo.ShowNotAvailable(IDS_BLANK);
}

void ShowInCombo(VqsOptCtrlCombo& combo, const CString& text)
{
    combo.SetValue(text);
    combo.SaveState();
    combo.Revert();
}

// The box's state as the user left it becomes its value; TRUE when the user changed it.
BOOL TakeCheck(VqsOptCtrlFlag& box)
{
    const BOOL modified = box.IsModified();
    box.m_bValue = box.IsChecked();
    return modified;
}

} // namespace

// ---- yes/no with default

VqsBoolWithDefaultValuePxAdapter::VqsBoolWithDefaultValuePxAdapter(const char* title, int width,
                                                                   VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox)
    : VqsElementListCtrlPxAdapter(title, width), m_pDefaultBox(defaultBox), m_pValueBox(valueBox)
{
    m_choices.Add("Yes");
    m_choices.Add("No");
}

BOOL VqsBoolWithDefaultValuePxAdapter::StateOf(PxOptionsPtr* row, const char* pending, State& state)
{
    int isDefault = 0;
    if (!IsDefault(row, isDefault))
        return FALSE;
    if (pending) {
        state.isDefault = vqsadapter::StartsWithMark(pending);
        state.value = AfterMark(pending)[0] == 'Y';
        return TRUE;
    }
    state.isDefault = isDefault;
    state.value = 0;
    return isDefault ? GetDefault(row, state.value) : GetValue(row, state.value);
}

void VqsBoolWithDefaultValuePxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    State state{0, 0};
    if (!StateOf(row, nullptr, state)) {
        CopyCellText("", buffer, length);
        return;
    }
    const CString text = state.value ? "Yes" : "No";
    CopyCellText(state.isDefault ? Marked(text) : text, buffer, length);
}

void VqsBoolWithDefaultValuePxAdapter::SetText(PxOptionsPtr* row, const char* text, int)
{
    int isDefault = 0;
    if (!text || !IsDefault(row, isDefault))
        return;
    if (vqsadapter::StartsWithMark(text))
        MakeDefault(row, TRUE);
    else
        SetValue(row, text[0] == 'Y' ? 1 : 0);
}

void VqsBoolWithDefaultValuePxAdapter::ShowNotApplicable()
{
    for (VqsOptCtrlFlag* box : {m_pDefaultBox, m_pValueBox}) {
        vqsadapter::ShowCheck(*box, FALSE);
        box->Enable(FALSE);
    }
}

BOOL VqsBoolWithDefaultValuePxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    GetDefault(row, m_nDefault);
    m_pDefaultBox->Enable(TRUE);
    m_pValueBox->Enable(TRUE);
    State state{0, 0};
    if (!StateOf(row, pending, state)) {
        ShowNotApplicable();
        return FALSE;
    }
    if (state.isDefault)
        m_pValueBox->Enable(FALSE);
    vqsadapter::ShowCheck(*m_pDefaultBox, state.isDefault);
    vqsadapter::ShowCheck(*m_pValueBox, state.value);
    m_reference = state;
    return TRUE;
}

BOOL VqsBoolWithDefaultValuePxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    State state{0, 0};
    if (!StateOf(row, pending, state)) {
        ShowNotApplicable();
        return FALSE;
    }
    if (state == m_reference)
        return TRUE;
    vqsadapter::ShowCheck(*m_pDefaultBox, FALSE);
    vqsadapter::ShowCheck(*m_pValueBox, FALSE);
    return FALSE;
}

BOOL VqsBoolWithDefaultValuePxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_pDefaultBox->IsEnabled())
        return FALSE;
    const BOOL modified = TakeCheck(*m_pDefaultBox) | TakeCheck(*m_pValueBox);
    if (m_pDefaultBox->m_bValue) {
        vqsadapter::ShowCheck(*m_pValueBox, m_nDefault);
        CopyCellText(Marked(m_nDefault ? "Yes" : "No"), buffer, length);
    } else {
        CopyCellText(m_pValueBox->m_bValue ? "Yes" : "No", buffer, length);
    }
    return modified;
}

void VqsBoolWithDefaultValuePxAdapter::RefreshEditor()
{
    m_pDefaultBox->SaveState();
    m_pValueBox->SaveState();
    if (m_pDefaultBox->m_bValue)
        vqsadapter::ShowCheck(*m_pValueBox, m_nDefault);
    m_pValueBox->Enable(!m_pDefaultBox->m_bValue);
}

void VqsBoolWithDefaultValuePxAdapter::SetMatchText(const char* text)
{
    m_reference.isDefault = vqsadapter::StartsWithMark(text);
    m_reference.value = text && AfterMark(text)[0] == 'Y';
}

BOOL VqsBoolWithDefaultValuePxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    State state{0, 0};
    return StateOf(row, pending, state) && state == m_reference;
}

// ---- text with default (shared)

VqsTextWithDefaultPxAdapter::VqsTextWithDefaultPxAdapter(const char* title, int width, VqsOptCtrlFlag* defaultBox)
    : VqsElementListCtrlPxAdapter(title, width), m_pDefaultBox(defaultBox)
{
}

BOOL VqsTextWithDefaultPxAdapter::MayEdit(PxOptionsPtr*) { return TRUE; }

BOOL VqsTextWithDefaultPxAdapter::StateOf(PxOptionsPtr* row, const char* pending, State& state)
{
    int isDefault = 0;
    if (!IsDefault(row, isDefault))
        return FALSE;
    if (pending) {
        state.isDefault = vqsadapter::StartsWithMark(pending) || m_strDefault == pending;
        state.text = AfterMark(pending);
        return TRUE;
    }
    state.isDefault = isDefault;
    return isDefault ? GetDefault(row, state.text) : GetValue(row, state.text);
}

void VqsTextWithDefaultPxAdapter::PrimeDefault(VqsOptionRows* rows)
{
    for (INT_PTR index = 0; rows && index < rows->GetSize(); ++index)
        if (GetDefault(&rows->ElementAt(index), m_strDefault))
            return;
}

void VqsTextWithDefaultPxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    int isDefault = 0;
    CString text;
    if (!IsDefault(row, isDefault)) {
        CopyCellText("", buffer, length);
        return;
    }
    if (!isDefault) {
        GetValue(row, text);
        isDefault = !text.IsEmpty() && text == m_strDefault;
    }
    if (isDefault) {
        GetDefault(row, text);
        text = Marked(text);
    }
    CopyCellText(text, buffer, length);
}

void VqsTextWithDefaultPxAdapter::SetText(PxOptionsPtr* row, const char* text, int)
{
    int isDefault = 0;
    if (!text || !IsDefault(row, isDefault))
        return;
    if (vqsadapter::StartsWithMark(text))
        MakeDefault(row, TRUE);
    else
        SetValue(row, text);
}

BOOL VqsTextWithDefaultPxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    const BOOL mayEdit = MayEdit(row);
    m_pDefaultBox->Enable(mayEdit);
    EnableValue(mayEdit);
    State state{0, CString()};
    if (!StateOf(row, pending, state)) {
        vqsadapter::ShowCheck(*m_pDefaultBox, FALSE);
        m_pDefaultBox->Enable(FALSE);
        ShowBlankValue();
        EnableValue(FALSE);
        return FALSE;
    }
    vqsadapter::ShowCheck(*m_pDefaultBox, state.isDefault);
    if (state.isDefault) {
        EnableValue(FALSE);
        if (!ShowDefaultValue())
            ShowBlankValue();
    } else {
        ShowValue(state.text);
    }
    m_reference = state;
    return TRUE;
}

BOOL VqsTextWithDefaultPxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    State state{0, CString()};
    if (!StateOf(row, pending, state)) {
        m_pDefaultBox->Enable(FALSE);
        EnableValue(FALSE);
        return FALSE;
    }
    if (state == m_reference)
        return TRUE;
    vqsadapter::ShowCheck(*m_pDefaultBox, FALSE);
    ShowBlankValue();
    return FALSE;
}

void VqsTextWithDefaultPxAdapter::RefreshEditor()
{
    m_pDefaultBox->SaveState();
    if (!m_pDefaultBox->m_bValue) {
        SaveValue();
        EnableValue(TRUE);
        return;
    }
    EnableValue(FALSE);
    if (!ShowDefaultValue())
        ShowBlankValue();
}

void VqsTextWithDefaultPxAdapter::SetMatchText(const char* text)
{
    m_reference.isDefault = vqsadapter::StartsWithMark(text);
    m_reference.text = AfterMark(text ? text : "");
}

BOOL VqsTextWithDefaultPxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    int isDefault = 0;
    if (!IsDefault(row, isDefault))
        return FALSE;
    if (pending)
        return m_reference.text == AfterMark(pending);
    CString value;
    return GetValue(row, value) && value == m_reference.text;
}

// ---- text with default: an edit box

VqsStringWithDefaultValuePxAdapter::VqsStringWithDefaultValuePxAdapter(const char* title, int width,
                                                                       VqsOptCtrlFlag* defaultBox,
                                                                       VqsOptCtrlString* edit)
    : VqsTextWithDefaultPxAdapter(title, width, defaultBox), m_pEdit(edit)
{
}

void VqsStringWithDefaultValuePxAdapter::ShowValue(const CString& text) { vqsadapter::ShowText(*m_pEdit, text); }

BOOL VqsStringWithDefaultValuePxAdapter::ShowDefaultValue()
{
    vqsadapter::ShowText(*m_pEdit, m_strDefault);
    return TRUE;
}

void VqsStringWithDefaultValuePxAdapter::ShowBlankValue() { vqsadapter::ShowText(*m_pEdit, ""); }

void VqsStringWithDefaultValuePxAdapter::EnableValue(BOOL enable) { m_pEdit->Enable(enable); }

void VqsStringWithDefaultValuePxAdapter::SaveValue() { m_pEdit->SaveState(); }

BOOL VqsStringWithDefaultValuePxAdapter::GetEditorText(char* buffer, int length)
{
    const BOOL modified = TakeCheck(*m_pDefaultBox) | m_pEdit->IsModified();
    if (m_pDefaultBox->m_bValue) {
        ShowDefaultValue();
        CopyCellText(Marked(m_strDefault), buffer, length);
    } else {
        m_pEdit->SetValue(m_pEdit->GetControlText());
        CopyCellText(m_pEdit->GetValue(), buffer, length);
    }
    return modified;
}

// ---- numeric with default

BOOL VqsNumericWithDefaultValuePxAdapter::HasLowerLimit(PxOptionsPtr*, std::int64_t&) { return FALSE; }

BOOL VqsNumericWithDefaultValuePxAdapter::HasUpperLimit(PxOptionsPtr*, std::int64_t&) { return FALSE; }

BOOL VqsNumericWithDefaultValuePxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    std::int64_t number = 0;
    if (!GetDefault(row, number))
        return FALSE;
    value = VqsFormatNumber(number);
    return TRUE;
}

BOOL VqsNumericWithDefaultValuePxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    std::int64_t number = 0;
    if (!GetValue(row, number))
        return FALSE;
    value = VqsFormatNumber(number);
    return TRUE;
}

void VqsNumericWithDefaultValuePxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    if (const std::optional<std::int64_t> number = VqsParseNumber(value))
        SetValue(row, *number);
}

BOOL VqsNumericWithDefaultValuePxAdapter::GetEditorText(char* buffer, int length)
{
    if (m_pEdit->IsEnabled()) {
        const CString text = m_pEdit->GetControlText();
        const std::optional<std::int64_t> number = VqsParseNumber(text);
        std::int64_t limit = 0;
        const BOOL valid = vqsadapter::IsDigits(text) && (text.IsEmpty() || number);
        const BOOL withinLimits = !number || ((!HasLowerLimit(nullptr, limit) || *number >= limit) &&
                                              (!HasUpperLimit(nullptr, limit) || *number <= limit));
        if (!valid || !withinLimits) {
            MessageBeep(static_cast<UINT>(-1));
            m_pEdit->Revert();
        }
    }
    return VqsStringWithDefaultValuePxAdapter::GetEditorText(buffer, length);
}

void VqsNumericWithDefaultValuePxAdapter::SetMatchText(const char* text)
{
    m_numberReference = VqsParseNumber(AfterMark(text ? text : ""));
}

BOOL VqsNumericWithDefaultValuePxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    std::int64_t value = 0;
    if (!GetValue(row, value))
        return FALSE;
    const std::optional<std::int64_t> shown = pending ? VqsParseNumber(AfterMark(pending)) : value;
    return shown && shown == m_numberReference;
}

// ---- combo with default

VqsComboWithDefaultValuePxAdapter::VqsComboWithDefaultValuePxAdapter(const char* title, int width,
                                                                     VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo)
    : VqsTextWithDefaultPxAdapter(title, width, defaultBox), m_pCombo(combo)
{
}

BOOL VqsComboWithDefaultValuePxAdapter::MayEdit(PxOptionsPtr* row)
{
    CString unused;
    return GetDefault(row, unused);
}

void VqsComboWithDefaultValuePxAdapter::ShowValue(const CString& text) { ShowInCombo(*m_pCombo, text); }

BOOL VqsComboWithDefaultValuePxAdapter::ShowDefaultValue()
{
    if (m_pCombo->FindExact(m_strDefault) < 0)
        return FALSE;
    ShowInCombo(*m_pCombo, m_strDefault);
    return TRUE;
}

void VqsComboWithDefaultValuePxAdapter::ShowBlankValue() { Blank(*m_pCombo); }

void VqsComboWithDefaultValuePxAdapter::EnableValue(BOOL enable) { m_pCombo->Enable(enable); }

void VqsComboWithDefaultValuePxAdapter::SaveValue() { m_pCombo->SaveState(); }

BOOL VqsComboWithDefaultValuePxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_pDefaultBox->IsEnabled() && !m_pCombo->IsEnabled())
        return FALSE;
    const BOOL comboChanged = m_pCombo->IsNotAvailable() ? m_pCombo->GetSelectedText() != m_pCombo->GetValue() &&
                                                               m_pCombo->GetCurSel() >= 0
                                                         : m_pCombo->IsModified();
    const BOOL modified = TakeCheck(*m_pDefaultBox) | comboChanged;
    if (m_pDefaultBox->m_bValue) {
        CopyCellText(ShowDefaultValue() ? Marked(m_strDefault) : CString(kVqsDefaultMark), buffer, length);
        if (m_pCombo->FindExact(m_strDefault) < 0)
            ShowBlankValue();
        return modified;
    }
    if (m_pCombo->IsNotAvailable() && m_pCombo->GetCurSel() < 0) {
        m_pCombo->SetCurSel(0);
        CopyCellText("", buffer, length);
        return modified;
    }
    m_pCombo->SetValue(m_pCombo->GetSelectedText());
    CopyCellText(m_pCombo->GetValue(), buffer, length);
    return modified;
}

void VqsComboWithDefaultValuePxAdapter::FillWithPacks()
{
    const CStringArray names = VqsEveryEnterprisePackName();
    m_pCombo->SetItems(names);
}

// ---- combo with default and none

VqsComboWithDefaultAndNoneValuePxAdapter::VqsComboWithDefaultAndNoneValuePxAdapter(
    const char* title, int width, VqsOptCtrlFlag* noneBox, VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo)
    : VqsElementListCtrlPxAdapter(title, width), m_pNoneBox(noneBox), m_pDefaultBox(defaultBox), m_pCombo(combo)
{
}

BOOL VqsComboWithDefaultAndNoneValuePxAdapter::StateOf(PxOptionsPtr* row, const char* pending, State& state)
{
    int isNone = 0;
    int isDefault = 0;
    if (!IsNone(row, isNone) || !IsDefault(row, isDefault))
        return FALSE;
    if (pending) {
        const BOOL marked = vqsadapter::StartsWithMark(pending);
        state.kind = !marked ? Kind::Value : pending[1] == '\0' ? Kind::None : Kind::Default;
        state.text = AfterMark(pending);
        return TRUE;
    }
    state.kind = isNone ? Kind::None : isDefault ? Kind::Default : Kind::Value;
    state.text.Empty();
    if (state.kind == Kind::Default)
        return GetDefault(row, state.text);
    return state.kind == Kind::None || GetValue(row, state.text);
}

void VqsComboWithDefaultAndNoneValuePxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    State state{Kind::Value, CString()};
    if (!StateOf(row, nullptr, state)) {
        CopyCellText("", buffer, length);
        return;
    }
    CopyCellText(state.kind == Kind::Value ? state.text : Marked(state.text), buffer, length);
}

void VqsComboWithDefaultAndNoneValuePxAdapter::SetText(PxOptionsPtr* row, const char* text, int length)
{
    int isNone = 0;
    if (!text || !IsNone(row, isNone))
        return;
    if (!vqsadapter::StartsWithMark(text))
        SetValue(row, text, length);
    else if (text[1] == '\0')
        SetNone(row, TRUE);
    else
        MakeDefault(row, TRUE);
}

void VqsComboWithDefaultAndNoneValuePxAdapter::SaveAll()
{
    m_pNoneBox->SaveState();
    m_pDefaultBox->SaveState();
    m_pCombo->SaveState();
}

void VqsComboWithDefaultAndNoneValuePxAdapter::ShowNotApplicable()
{
    vqsadapter::ShowCheck(*m_pNoneBox, FALSE);
    vqsadapter::ShowCheck(*m_pDefaultBox, FALSE);
    Blank(*m_pCombo);
    m_pNoneBox->Enable(FALSE);
    m_pDefaultBox->Enable(FALSE);
    m_pCombo->Enable(FALSE);
}

void VqsComboWithDefaultAndNoneValuePxAdapter::Show(const State& state)
{
    vqsadapter::ShowCheck(*m_pNoneBox, state.kind == Kind::None);
    vqsadapter::ShowCheck(*m_pDefaultBox, state.kind == Kind::Default);
    if (state.kind == Kind::None)
        Blank(*m_pCombo);
    else
        ShowInCombo(*m_pCombo, state.kind == Kind::Default ? m_strDefault : state.text);
    m_pCombo->Enable(state.kind == Kind::Value);
    m_pDefaultBox->Enable(state.kind != Kind::None);
}

BOOL VqsComboWithDefaultAndNoneValuePxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    GetDefault(row, m_strDefault);
    m_pDefaultBox->Enable(TRUE);
    m_pCombo->Enable(TRUE);
    m_pNoneBox->Enable(m_bAllowNone);
    State state{Kind::Value, CString()};
    if (!StateOf(row, pending, state)) {
        ShowNotApplicable();
        return FALSE;
    }
    Show(state);
    m_reference = state;
    return TRUE;
}

BOOL VqsComboWithDefaultAndNoneValuePxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    State state{Kind::Value, CString()};
    if (!StateOf(row, pending, state)) {
        ShowNotApplicable();
        return FALSE;
    }
    if (state == m_reference)
        return TRUE;
    vqsadapter::ShowCheck(*m_pNoneBox, FALSE);
    vqsadapter::ShowCheck(*m_pDefaultBox, FALSE);
    Blank(*m_pCombo);
    return FALSE;
}

BOOL VqsComboWithDefaultAndNoneValuePxAdapter::GetEditorText(char* buffer, int length)
{
    const BOOL noneChanged = TakeCheck(*m_pNoneBox);
    const BOOL defaultChanged = TakeCheck(*m_pDefaultBox);
    const BOOL comboChanged = !m_pCombo->IsNotAvailable() && m_pCombo->IsModified();
    const BOOL modified = noneChanged || defaultChanged || comboChanged;
    if (m_pNoneBox->m_bValue) {
        Show({Kind::None, CString()});
        CopyCellText(CString(kVqsDefaultMark), buffer, length);
    } else if (noneChanged || m_pDefaultBox->m_bValue) {
        Show({Kind::Default, m_strDefault});
        CopyCellText(m_pDefaultBox->m_bValue ? Marked(m_strDefault) : m_strDefault, buffer, length);
    } else if (m_pCombo->IsNotAvailable()) {
        CopyCellText("", buffer, length);
    } else {
        m_pCombo->SetValue(m_pCombo->GetSelectedText());
        CopyCellText(m_pCombo->GetValue(), buffer, length);
    }
    return modified;
}

void VqsComboWithDefaultAndNoneValuePxAdapter::RefreshEditor() { SaveAll(); }

void VqsComboWithDefaultAndNoneValuePxAdapter::SetMatchText(const char* text)
{
    m_reference.kind = Kind::Value;
    m_reference.text = AfterMark(text ? text : "");
}

BOOL VqsComboWithDefaultAndNoneValuePxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    State state{Kind::Value, CString()};
    if (!StateOf(row, pending, state))
        return FALSE;
    CString value;
    return pending ? state.text == m_reference.text : GetValue(row, value) && value == m_reference.text;
}

// ---- the platform-neutral columns

VqsElementListCtrlIspecServicePxAdapter::VqsElementListCtrlIspecServicePxAdapter(VqsOptCtrlFlag* defaultBox,
                                                                                 VqsOptCtrlString* edit,
                                                                                 const PxBSegOptionsPtr& segment)
    : VqsStringWithDefaultValuePxAdapter("OLTP Service", 90, defaultBox, edit), m_pSegment(segment)
{
}

namespace {

// The Ispec record of a row the OLTP service applies to; null otherwise.
PxIspecOptionsPtr ServiceRecord(PxOptionsPtr* row, const PxBSegOptionsPtr& segment)
{
    const PxIspecOptionsPtr ispec(row ? *row : PxOptionsPtr());
    if (!ispec || !segment || !segment->GetEnableOLTP())
        return PxIspecOptionsPtr();
    if (!ispec->_IsKindOf("PxCompOptions") && !ispec->_IsKindOf("PxEventOptions"))
        return PxIspecOptionsPtr();
    return VqsTakesNoOwnService(VqsRowSoftLink(row)) ? PxIspecOptionsPtr() : ispec;
}

} // namespace

BOOL VqsElementListCtrlIspecServicePxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    const PxIspecOptionsPtr ispec = ServiceRecord(row, m_pSegment);
    if (ispec)
        value = ispec->GetDefaultService();
    return ispec != nullptr;
}

BOOL VqsElementListCtrlIspecServicePxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    const PxIspecOptionsPtr ispec = ServiceRecord(row, m_pSegment);
    if (ispec)
        value = ispec->GetService();
    return ispec != nullptr;
}

BOOL VqsElementListCtrlIspecServicePxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    const PxIspecOptionsPtr ispec = ServiceRecord(row, m_pSegment);
    if (ispec)
        isDefault = ispec->IsDefaultService();
    return ispec != nullptr;
}

void VqsElementListCtrlIspecServicePxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    if (const PxIspecOptionsPtr ispec = ServiceRecord(row, m_pSegment))
        ispec->SetService(value);
}

void VqsElementListCtrlIspecServicePxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (const PxIspecOptionsPtr ispec = ServiceRecord(row, m_pSegment); ispec && makeDefault)
        ispec->MakeDefaultService();
}

VqsElementListCtrlProfilePackPxAdapter::VqsElementListCtrlProfilePackPxAdapter(VqsOptCtrlFlag* defaultBox,
                                                                               VqsOptCtrlCombo* combo)
    : VqsComboWithDefaultValuePxAdapter("Pack", 80, defaultBox, combo)
{
}

namespace {

template <class RecordPtr>
RecordPtr RecordOf(PxOptionsPtr* row)
{
    return RecordPtr(row ? *row : PxOptionsPtr());
}

// Reads one field of the row's record into `out`; FALSE when the row holds no such record.
template <class RecordPtr, class T, class Read>
BOOL ReadField(PxOptionsPtr* row, T& out, Read read)
{
    const RecordPtr record = RecordOf<RecordPtr>(row);
    if (record)
        out = ((*record).*read)();
    return record != nullptr;
}

template <class RecordPtr, class Write>
void WriteField(PxOptionsPtr* row, const char* value, Write write)
{
    if (const RecordPtr record = RecordOf<RecordPtr>(row))
        ((*record).*write)(value);
}

template <class RecordPtr, class Make>
void MakeFieldDefault(PxOptionsPtr* row, int makeDefault, Make make)
{
    if (const RecordPtr record = RecordOf<RecordPtr>(row); record && makeDefault)
        ((*record).*make)();
}

} // namespace

BOOL VqsElementListCtrlProfilePackPxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    return ReadField<PxProfileOptionsPtr>(row, value, &PxProfileOptions::GetDefaultPack);
}

BOOL VqsElementListCtrlProfilePackPxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    return ReadField<PxProfileOptionsPtr>(row, value, &PxProfileOptions::GetPack);
}

BOOL VqsElementListCtrlProfilePackPxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    return ReadField<PxProfileOptionsPtr>(row, isDefault, &PxProfileOptions::IsDefaultPack);
}

void VqsElementListCtrlProfilePackPxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    WriteField<PxProfileOptionsPtr>(row, value, &PxProfileOptions::SetPack);
}

void VqsElementListCtrlProfilePackPxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    MakeFieldDefault<PxProfileOptionsPtr>(row, makeDefault, &PxProfileOptions::MakeDefaultPack);
}

VqsReportExtractPackPxAdapter::VqsReportExtractPackPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo)
    : VqsComboWithDefaultValuePxAdapter("Extract Pack", 80, defaultBox, combo)
{
}

BOOL VqsReportExtractPackPxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    return ReadField<PxReportOptionsPtr>(row, value, &PxReportOptions::GetDefaultExtractPack);
}

BOOL VqsReportExtractPackPxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    return ReadField<PxReportOptionsPtr>(row, value, &PxReportOptions::GetExtractPack);
}

BOOL VqsReportExtractPackPxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    return ReadField<PxReportOptionsPtr>(row, isDefault, &PxReportOptions::IsDefaultExtractPack);
}

void VqsReportExtractPackPxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    WriteField<PxReportOptionsPtr>(row, value, &PxReportOptions::SetExtractPack);
}

void VqsReportExtractPackPxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    MakeFieldDefault<PxReportOptionsPtr>(row, makeDefault, &PxReportOptions::MakeDefaultExtractPack);
}

VqsElementListCtrlIspecPageSizePxAdapter::VqsElementListCtrlIspecPageSizePxAdapter(VqsOptCtrlFlag* defaultBox,
                                                                                   VqsOptCtrlCombo* combo,
                                                                                   const PxOptionsPtr& tarskSegment)
    : VqsComboWithDefaultValuePxAdapter("Page Size", 75, defaultBox, combo), m_pTarskSegment(tarskSegment)
{
}

namespace {

PxTarskCompOptionsPtr PageSizeRecord(PxOptionsPtr* row)
{
    const PxTarskCompOptionsPtr component = RecordOf<PxTarskCompOptionsPtr>(row);
    return component && IsNonInputComponentOrMainEvent(row) ? component : PxTarskCompOptionsPtr();
}

} // namespace

BOOL VqsElementListCtrlIspecPageSizePxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    value.Empty();
    return PageSizeRecord(row) != nullptr;
}

BOOL VqsElementListCtrlIspecPageSizePxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    const PxTarskCompOptionsPtr component = PageSizeRecord(row);
    if (component)
        value = VqsFormatNumber(component->GetMinPageSize());
    return component != nullptr;
}

BOOL VqsElementListCtrlIspecPageSizePxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    const PxTarskCompOptionsPtr component = PageSizeRecord(row);
    if (component)
        isDefault = component->IsDefaultMinPageSize();
    return component != nullptr;
}

void VqsElementListCtrlIspecPageSizePxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    const PxTarskCompOptionsPtr component = PageSizeRecord(row);
    if (!component)
        return;
    const std::int64_t size = VqsParseNumber(value).value_or(0);
    if (size == 0)
        component->MakeDefaultMinPageSize();
    else
        component->SetMinPageSize(size);
}

void VqsElementListCtrlIspecPageSizePxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (const PxTarskCompOptionsPtr component = PageSizeRecord(row); component && makeDefault)
        component->MakeDefaultMinPageSize();
}
