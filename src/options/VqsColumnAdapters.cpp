#include "options/VqsColumnAdapters.h"

#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEElement.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "shell/VqsSysApp.h"
#include "win/Input.h"

#include <charconv>
#include <cstring>

namespace {

constexpr UINT IDS_BLANK = 61897;

constexpr const char* kYes = "Yes";
constexpr const char* kNo = "No";
constexpr const char* kTypeNames[] = {"Event", "Standard", "Memo", "Table", "Direct", "OVI"};
constexpr const char* kUsageNames[] = {"Inquiry", "Input", "Output", "I/O"};
constexpr const char* kUnknown = "Unknown";

constexpr int kEventType = 0;
constexpr int kInputUsage = 2;

PxVQIspecSoftLinkPtr IspecOf(PxOptionsPtr* row) { return PxVQIspecSoftLinkPtr(VqsRowSoftLink(row)); }

BOOL IsNonInputComponentOrEvent(PxOptionsPtr* row, BOOL mainEvent)
{
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    if (!ispec || ispec->GetIspecUsage() == kInputUsage)
        return FALSE;
    if (ispec->GetIspecType() == kEventType)
        return (ispec->GetName() == "EVENT") == (mainEvent != FALSE);
    return (*row)->_IsKindOf("PxCompOptions");
}

} // namespace

std::optional<std::int64_t> VqsParseNumber(const char* text)
{
    if (!text || !*text)
        return std::nullopt;
    const char* end = text + std::strlen(text);
    std::int64_t value = 0;
    const auto [stop, error] = std::from_chars(text, end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

CString VqsFormatNumber(std::int64_t value)
{
    CString text;
    text.Format("%lld", static_cast<long long>(value));
    return text;
}

namespace vqsadapter {

void ShowCheck(VqsOptCtrlFlag& box, BOOL checked)
{
    box.m_bValue = checked ? TRUE : FALSE;
    box.SaveState();
    box.Revert();
}

void ShowText(VqsOptCtrlString& edit, const char* text)
{
    edit.SetValue(text);
    edit.SaveState();
    edit.Revert();
}

void ShowBlank(VqsOptCtrlString& edit)
{
    edit.SetValue("");
    edit.SaveState();
    edit.SetNotAvailable(IDS_BLANK);
    edit.Revert();
}

BOOL StartsWithMark(const char* text) { return text && text[0] == kVqsDefaultMark; }

BOOL IsDigits(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return FALSE;
    return TRUE;
}

} // namespace vqsadapter

void VqsElementListCtrlROStringPxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    CopyCellText(GetString(row), buffer, length);
}

void VqsElementListCtrlROStringPxAdapter::SetMatchText(const char* text) { m_reference = text ? text : ""; }

BOOL VqsElementListCtrlROStringPxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    if (!VqsRowRecord(row))
        return FALSE;
    const CString text = pending ? CString(pending) : GetString(row);
    if (m_reference.IsEmpty())
        return text.IsEmpty();
    return text.GetLength() >= m_reference.GetLength() &&
           std::memcmp(text.GetString(), m_reference.GetString(), static_cast<std::size_t>(m_reference.GetLength())) ==
               0;
}

CString VqsElementListCtrlElNamePxAdapter::GetString(PxOptionsPtr* row)
{
    const PxVQSoftLinkPtr link = VqsRowSoftLink(row);
    return link ? link->GetName() : CString();
}

CString VqsElementListCtrlProfNamePxAdapter::GetString(PxOptionsPtr* row)
{
    const CString name = VqsElementListCtrlElNamePxAdapter::GetString(row);
    if (name.IsEmpty() || name[0] != '$')
        return name;
    const auto cached = m_shownNames.find(std::string(name));
    if (cached != m_shownNames.end())
        return cached->second;
    const PxVQProfileSoftLinkPtr profile(VqsRowSoftLink(row));
    const CString shown = profile ? name + ":" + profile->GetOrdinateName() : name;
    m_shownNames.emplace(std::string(name), shown);
    return shown;
}

VqsProfileOverIspecPxAdapter::VqsProfileOverIspecPxAdapter() : VqsElementListCtrlROStringPxAdapter("Over Ispec", 80) {}

CString VqsProfileOverIspecPxAdapter::GetString(PxOptionsPtr* row)
{
    const PxVQProfileSoftLinkPtr profile(VqsRowSoftLink(row));
    if (!profile)
        return CString();
    if (const PxVQIspecSoftLinkPtr component = profile->GetComponent())
        return component->GetName();
    const CString name = profile->GetName();
    const auto cached = m_overIspecs.find(std::string(name));
    if (cached != m_overIspecs.end())
        return cached->second;
    const CString found = FindInDesign(row, name);
    m_overIspecs.emplace(std::string(name), found);
    return found;
}

CString VqsProfileOverIspecPxAdapter::FindInDesign(PxOptionsPtr* row, const CString& profileName)
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQElementSoftLinkPtr link(VqsRowSoftLink(row));
    const PxVQBSSoftLinkPtr segmentLink = link ? link->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    if (!enterprise || !segmentLink)
        return CString();
    const PxLSEBusinessSegmentPtr segment = enterprise->GetBusinessSegment(segmentLink->GetName());
    const PxLSEElementPtr element = segment ? segment->GetElement(profileName) : PxLSEElementPtr();
    if (!element)
        return CString();
    PxTypedList<PxLSERelationPtr> relations;
    element->GetTargetList(relations);
    for (POSITION pos = relations.GetHeadPosition(); pos;) {
        const PxLSERelationPtr relation = relations.GetNext(pos);
        const CString kind = relation->GetRelationString();
        if (kind.Find('O') < 0 && kind.Find('o') < 0)
            continue;
        const PxLSEDskObjectPtr target = relation->GetTarget();
        if (target && target->_IsKindOf("PxLSEEvent"))
            return "EVENT";
        if (target && target->_IsKindOf("PxLSEComponent"))
            return target->GetName();
    }
    return CString();
}

VqsElementListCtrlIspecTypePxAdapter::VqsElementListCtrlIspecTypePxAdapter(const char* title, int width)
    : VqsElementListCtrlPxAdapter(title, width)
{
    for (const char* name : kTypeNames)
        m_choices.Add(name);
}

void VqsElementListCtrlIspecTypePxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    const int type = ispec ? ispec->GetIspecType() : -1;
    CopyCellText(type >= 0 && type <= 5 ? kTypeNames[type] : kUnknown, buffer, length);
}

int VqsElementListCtrlIspecTypePxAdapter::TypeOfText(const char* text)
{
    switch (text ? text[0] : '\0') {
    case 'D':
        return 4;
    case 'M':
        return 2;
    case 'O':
        return 5;
    case 'S':
        return 1;
    case 'T':
        return 3;
    default:
        return 0;
    }
}

void VqsElementListCtrlIspecTypePxAdapter::SetMatchText(const char* text) { m_nReference = TypeOfText(text); }

BOOL VqsElementListCtrlIspecTypePxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    if (pending)
        return TypeOfText(pending) == m_nReference;
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    return ispec && ispec->GetIspecType() == m_nReference;
}

VqsElementListCtrlIspecUsagePxAdapter::VqsElementListCtrlIspecUsagePxAdapter(const char* title, int width)
    : VqsElementListCtrlPxAdapter(title, width)
{
    for (const char* name : kUsageNames)
        m_choices.Add(name);
}

void VqsElementListCtrlIspecUsagePxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    const int usage = ispec ? ispec->GetIspecUsage() : 0;
    CopyCellText(usage >= 1 && usage <= 4 ? kUsageNames[usage - 1] : kUnknown, buffer, length);
}

int VqsElementListCtrlIspecUsagePxAdapter::UsageOfText(const char* text)
{
    if (!text || std::strlen(text) < 3)
        return 0;
    switch (text[2]) {
    case 'q':
        return 1;
    case 'p':
        return 2;
    case 't':
        return 3;
    case 'O':
        return 4;
    default:
        return 0;
    }
}

void VqsElementListCtrlIspecUsagePxAdapter::SetMatchText(const char* text) { m_nReference = UsageOfText(text); }

BOOL VqsElementListCtrlIspecUsagePxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    if (pending)
        return UsageOfText(pending) == m_nReference;
    const PxVQIspecSoftLinkPtr ispec = IspecOf(row);
    return ispec && ispec->GetIspecUsage() == m_nReference;
}

VqsBOOLValuePxAdapter::VqsBOOLValuePxAdapter(const char* title, int width, VqsOptCtrlFlag* box)
    : VqsElementListCtrlPxAdapter(title, width), m_pBox(box)
{
    m_choices.Add(kYes);
    m_choices.Add(kNo);
}

void VqsBOOLValuePxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    int value = 0;
    CopyCellText(GetValue(row, value) ? (value ? kYes : kNo) : "", buffer, length);
}

void VqsBOOLValuePxAdapter::SetText(PxOptionsPtr* row, const char* text, int)
{
    int current = 0;
    if (GetValue(row, current))
        SetValue(row, text && std::strcmp(text, kYes) == 0 ? 1 : 0);
}

BOOL VqsBOOLValuePxAdapter::ValueOf(PxOptionsPtr* row, const char* pending, int& value)
{
    if (!GetValue(row, value))
        return FALSE;
    if (pending)
        value = std::strcmp(pending, kYes) == 0 ? 1 : 0;
    return TRUE;
}

void VqsBOOLValuePxAdapter::ShowInBox(int value, BOOL enable)
{
    vqsadapter::ShowCheck(*m_pBox, value);
    m_pBox->Enable(enable);
}

BOOL VqsBOOLValuePxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    int value = 0;
    if (!ValueOf(row, pending, value)) {
        ShowInBox(0, FALSE);
        return FALSE;
    }
    ShowInBox(value, TRUE);
    return TRUE;
}

BOOL VqsBOOLValuePxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    int value = 0;
    if (!ValueOf(row, pending, value)) {
        ShowInBox(0, FALSE);
        return FALSE;
    }
    if (value != m_pBox->m_bValue)
        vqsadapter::ShowCheck(*m_pBox, FALSE);
    return TRUE;
}

BOOL VqsBOOLValuePxAdapter::GetEditorText(char* buffer, int length)
{
    const BOOL checked = m_pBox->IsChecked();
    CopyCellText(checked ? kYes : kNo, buffer, length);
    const BOOL modified = m_pBox->IsModified();
    m_pBox->m_bValue = checked;
    return modified;
}

void VqsBOOLValuePxAdapter::RefreshEditor() { m_pBox->SaveState(); }

void VqsBOOLValuePxAdapter::SetMatchText(const char* text)
{
    m_nReference = text && std::strcmp(text, kYes) == 0 ? 1 : 0;
}

BOOL VqsBOOLValuePxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    int value = 0;
    return ValueOf(row, pending, value) && value == m_nReference;
}

VqsNumericValuePxAdapter::VqsNumericValuePxAdapter(const char* title, int width, VqsOptCtrlString* edit)
    : VqsElementListCtrlPxAdapter(title, width), m_pEdit(edit)
{
}

BOOL VqsNumericValuePxAdapter::HasLowerLimit(PxOptionsPtr*, std::int64_t&) { return FALSE; }

BOOL VqsNumericValuePxAdapter::HasUpperLimit(PxOptionsPtr*, std::int64_t&) { return FALSE; }

void VqsNumericValuePxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    std::int64_t value = 0;
    CopyCellText(GetValue(row, value) ? VqsFormatNumber(value) : CString(), buffer, length);
}

void VqsNumericValuePxAdapter::SetText(PxOptionsPtr* row, const char* text, int)
{
    std::int64_t current = 0;
    const std::optional<std::int64_t> value = VqsParseNumber(text);
    if (value && GetValue(row, current))
        SetValue(row, *value);
}

std::optional<std::int64_t> VqsNumericValuePxAdapter::ValueOf(PxOptionsPtr* row, const char* pending, BOOL& applies)
{
    std::int64_t value = 0;
    applies = GetValue(row, value);
    if (!applies)
        return std::nullopt;
    return pending ? VqsParseNumber(pending) : std::optional<std::int64_t>(value);
}

BOOL VqsNumericValuePxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    std::int64_t limit = 0;
    m_lowerLimit = HasLowerLimit(row, limit) ? std::optional<std::int64_t>(limit) : std::nullopt;
    m_upperLimit = HasUpperLimit(row, limit) ? std::optional<std::int64_t>(limit) : std::nullopt;
    m_pEdit->Enable(TRUE);
    BOOL applies = FALSE;
    const std::optional<std::int64_t> value = ValueOf(row, pending, applies);
    if (!applies) {
        vqsadapter::ShowBlank(*m_pEdit);
        m_pEdit->Enable(FALSE);
        return FALSE;
    }
    vqsadapter::ShowText(*m_pEdit, pending ? CString(pending) : VqsFormatNumber(*value));
    m_reference = value;
    return TRUE;
}

BOOL VqsNumericValuePxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    BOOL applies = FALSE;
    const std::optional<std::int64_t> value = ValueOf(row, pending, applies);
    if (!applies) {
        m_pEdit->Enable(FALSE);
        return FALSE;
    }
    if (value == m_reference)
        return TRUE;
    vqsadapter::ShowText(*m_pEdit, "");
    return FALSE;
}

BOOL VqsNumericValuePxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_pEdit->IsEnabled())
        return FALSE;
    const CString text = m_pEdit->GetControlText();
    const std::optional<std::int64_t> number = VqsParseNumber(text);
    const BOOL valid = vqsadapter::IsDigits(text) && (text.IsEmpty() || (number && (!m_lowerLimit || *number >= *m_lowerLimit) &&
                                                             (!m_upperLimit || *number <= *m_upperLimit)));
    if (valid) {
        CopyCellText(text, buffer, length);
        m_pEdit->SetValue(text);
    } else {
        MessageBeep(static_cast<UINT>(-1));
        m_pEdit->Revert();
    }
    return m_pEdit->IsModified();
}

void VqsNumericValuePxAdapter::RefreshEditor() { m_pEdit->SaveState(); }

void VqsNumericValuePxAdapter::SetMatchText(const char* text) { m_reference = VqsParseNumber(text); }

BOOL VqsNumericValuePxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    BOOL applies = FALSE;
    const std::optional<std::int64_t> value = ValueOf(row, pending, applies);
    return applies && value && value == m_reference;
}

VqsReportOltpClientPxAdapter::VqsReportOltpClientPxAdapter(VqsOptCtrlFlag* box, const PxBSegOptionsPtr& segment)
    : VqsBOOLValuePxAdapter("OLTP Client", 90, box), m_pSegment(segment)
{
}

BOOL VqsReportOltpClientPxAdapter::GetValue(PxOptionsPtr* row, int& value)
{
    const PxReportOptionsPtr report(row ? *row : PxOptionsPtr());
    if (!report || !m_pSegment || !m_pSegment->GetEnableOLTP())
        return FALSE;
    value = report->GetOLTPClient();
    return TRUE;
}

void VqsReportOltpClientPxAdapter::SetValue(PxOptionsPtr* row, int value)
{
    if (const PxReportOptionsPtr report = PxReportOptionsPtr(row ? *row : PxOptionsPtr()))
        report->SetOLTPClient(value);
}

BOOL IsNonInputComponentOrMainEvent(PxOptionsPtr* row) { return IsNonInputComponentOrEvent(row, TRUE); }

BOOL IsNonInputComponentOrOtherEvent(PxOptionsPtr* row) { return IsNonInputComponentOrEvent(row, FALSE); }
