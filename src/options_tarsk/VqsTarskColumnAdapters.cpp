#include "options_tarsk/VqsTarskColumnAdapters.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_tarsk/VqsTarskBulkRows.h"
#include "proxy/PxException.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEGlobalLogic.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTarskReportOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsSysApp.h"
#include "win/Input.h"

#include <cctype>
#include <cstring>
#include <functional>

using namespace vqstarskbulk;

namespace {

constexpr UINT IDS_NOT_AVAILABLE = 61554;
constexpr UINT IDS_BLANK = 61897;
constexpr int kOutputUsage = 3;

constexpr const char* kBlankEntry = " ";
constexpr const char* kInternalOnly = "Internal Only";
constexpr const char* kInternalAndExternal = "Internal/External";
constexpr const char* kExternalOnly = "External Only";
constexpr const char* kDefaultSOMName = "GROUP1";

constexpr UINT kBeep = static_cast<UINT>(-1);
constexpr UINT kBeepAsterisk = 64;
constexpr UINT kBeepHand = 1;

template <class Ptr>
Ptr RecordOf(PxOptionsPtr* row)
{
    return Ptr(row ? *row : PxOptionsPtr());
}

CString RowName(PxOptionsPtr* row)
{
    const PxVQSoftLinkPtr link = VqsRowSoftLink(row);
    return link ? link->GetName() : CString();
}

// Runs a write the repository may refuse; a refusal that left the stored value other than
// the one asked for beeps and is noted for the report after the apply.
template <class Write, class Stored>
void WriteOrNote(VqsTarskBulkRefusals* refusals, PxOptionsPtr* row, const CString& column, Write write, Stored stored)
{
    try {
        write();
    } catch (const PxException&) {
        if (stored())
            return;
        MessageBeep(kBeep);
        if (refusals)
            refusals->Add(RowName(row), column);
    }
}

void ShowInCombo(VqsOptCtrlCombo& combo, const char* text)
{
    combo.SetValue(text);
    combo.SaveState();
    combo.Revert();
}

// "No", also behind a default mark.
bool SaysNo(const char* text) { return text && (text[0] == 'N' || (text[0] != '\0' && text[1] == 'N')); }

// Letters and digits, with a default mark allowed in front.
bool IsModuleName(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (!(std::isalnum(c) && c < 0x80) && !(i == 0 && c == kVqsDefaultMark))
            return false;
    }
    return true;
}

} // namespace

// ---- refusals

void VqsTarskBulkRefusals::Add(const CString& element, const CString& column)
{
    m_entries.push_back(element + " (" + column + ")");
}

CString VqsTarskBulkRefusals::Describe() const
{
    CString text;
    for (const CString& entry : m_entries)
        text += (text.IsEmpty() ? "" : "\n") + entry;
    return text;
}

// ---- duplex packs

VqsTarskQUBDuplexPxAdapter::VqsTarskQUBDuplexPxAdapter(const char* title, int width, VqsOptCtrlFlag* noneBox,
                                                       VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo,
                                                       const PxTarskBSegOptionsPtr& segment)
    : VqsComboWithDefaultAndNoneValuePxAdapter(title, width, noneBox, defaultBox, combo), m_pSegment(segment),
      m_pNone(noneBox), m_pDefault(defaultBox), m_pDuplexCombo(combo)
{
}

void VqsTarskQUBDuplexPxAdapter::FillChoices()
{
    const CStringArray names = VqsEveryEnterprisePackName();
    m_choices.RemoveAll();
    for (INT_PTR index = 0; index < names.GetSize(); ++index)
        m_choices.Add(names[index]);
    m_pDuplexCombo->SetItems(names);
}

BOOL VqsTarskQUBDuplexPxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    CString unused;
    int isDefault = 0;
    m_bAllowNone = ReadPack(row, unused, isDefault) && m_pSegment && !m_pSegment->GetAllQUBduplex();
    m_bForced = FALSE;
    return VqsComboWithDefaultAndNoneValuePxAdapter::LoadEditor(row, pending);
}

void VqsTarskQUBDuplexPxAdapter::EnableEditors(BOOL enable)
{
    vqsadapter::ShowCheck(*m_pDefault, FALSE);
    m_pDefault->Enable(FALSE);
    m_pDuplexCombo->SetValue("");
    m_pDuplexCombo->SaveState();
    m_pDuplexCombo->ShowNotAvailable(enable ? IDS_NOT_AVAILABLE : IDS_BLANK);
    m_pDuplexCombo->Enable(FALSE);
    vqsadapter::ShowCheck(*m_pNone, enable);
    m_pNone->Enable(enable);
    m_bForced = TRUE;
}

BOOL VqsTarskQUBDuplexPxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_bForced)
        return VqsComboWithDefaultAndNoneValuePxAdapter::GetEditorText(buffer, length);
    m_bForced = FALSE;
    CopyCellText(m_pNone->m_bValue ? CString(kVqsDefaultMark) : CString(), buffer, length);
    return TRUE;
}

BOOL VqsTarskQUBDuplexPxAdapter::IsNone(PxOptionsPtr* row, int& isNone)
{
    CString pack;
    int isDefault = 0;
    if (!ReadPack(row, pack, isDefault))
        return FALSE;
    pack.Trim();
    isNone = !m_pSegment->GetAllQUBduplex() && !isDefault && pack.IsEmpty();
    return TRUE;
}

BOOL VqsTarskQUBDuplexPxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    CString unused;
    int isDefault = 0;
    if (!ReadPack(row, unused, isDefault))
        return FALSE;
    value = m_pSegment->GetDefaultDuplexPack();
    return TRUE;
}

BOOL VqsTarskQUBDuplexPxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    int isDefault = 0;
    return ReadPack(row, value, isDefault);
}

BOOL VqsTarskQUBDuplexPxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    CString unused;
    return ReadPack(row, unused, isDefault);
}

void VqsTarskQUBDuplexPxAdapter::SetValue(PxOptionsPtr* row, const char* value, int)
{
    WritePack(row, value && std::strcmp(value, kBlankEntry) == 0 ? "" : value);
}

void VqsTarskQUBDuplexPxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (makeDefault)
        MakePackDefault(row);
}

void VqsTarskQUBDuplexPxAdapter::SetNone(PxOptionsPtr* row, int none)
{
    if (none)
        WritePack(row, "");
}

VqsTarskIspecQUBDuplexPackPxAdapter::VqsTarskIspecQUBDuplexPackPxAdapter(VqsOptCtrlFlag* noneBox,
                                                                         VqsOptCtrlFlag* defaultBox,
                                                                         VqsOptCtrlCombo* combo,
                                                                         const PxTarskBSegOptionsPtr& segment)
    : VqsTarskQUBDuplexPxAdapter("Duplex Pack", 80, noneBox, defaultBox, combo, segment)
{
}

BOOL VqsTarskIspecQUBDuplexPackPxAdapter::ReadPack(PxOptionsPtr* row, CString& pack, int& isDefault)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (!component || !m_pSegment || component->GetWEXQUBno() == 0)
        return FALSE;
    pack = component->GetQUBDuplexPack();
    isDefault = component->IsDefaultQUBDuplexPack();
    return TRUE;
}

void VqsTarskIspecQUBDuplexPackPxAdapter::WritePack(PxOptionsPtr* row, const char* pack)
{
    if (const PxTarskCompOptionsPtr component = ComponentOf(row))
        component->SetQUBDuplexPack(pack);
}

void VqsTarskIspecQUBDuplexPackPxAdapter::MakePackDefault(PxOptionsPtr* row)
{
    if (const PxTarskCompOptionsPtr component = ComponentOf(row))
        component->MakeDefaultQUBDuplexPack();
}

VqsTarskProfileQUBDuplexPxAdapter::VqsTarskProfileQUBDuplexPxAdapter(VqsOptCtrlFlag* noneBox,
                                                                     VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo,
                                                                     const PxTarskBSegOptionsPtr& segment)
    : VqsTarskQUBDuplexPxAdapter("Qub Duplex", 80, noneBox, defaultBox, combo, segment)
{
}

BOOL VqsTarskProfileQUBDuplexPxAdapter::ReadPack(PxOptionsPtr* row, CString& pack, int& isDefault)
{
    const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row);
    if (!profile || !m_pSegment || profile->GetProfileWEXQUBno() == 0)
        return FALSE;
    pack = profile->GetProfileQUBDuplexPack();
    isDefault = profile->IsDefaultProfileQUBDuplexPack();
    return TRUE;
}

void VqsTarskProfileQUBDuplexPxAdapter::WritePack(PxOptionsPtr* row, const char* pack)
{
    if (const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row))
        profile->SetProfileQUBDuplexPack(pack);
}

void VqsTarskProfileQUBDuplexPxAdapter::MakePackDefault(PxOptionsPtr* row)
{
    if (const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row))
        profile->MakeDefaultProfileQUBDuplexPack();
}

// ---- QUB numbers

VqsTarskQubNoPxAdapter::VqsTarskQubNoPxAdapter(VqsOptCtrlFlag* noQubBox, VqsOptCtrlString* edit,
                                               VqsTarskQUBDuplexPxAdapter* duplex, VqsTarskBulkRefusals* refusals)
    : VqsNumericWithDefaultValuePxAdapter("Qub No", 75, noQubBox, edit), m_pDuplex(duplex), m_pRefusals(refusals)
{
}

BOOL VqsTarskQubNoPxAdapter::MergeEditor(PxOptionsPtr*, const char*)
{
    vqsadapter::ShowCheck(*m_pDefaultBox, TRUE);
    m_pDefaultBox->Enable(FALSE);
    vqsadapter::ShowText(*m_pEdit, "");
    m_pEdit->Enable(FALSE);
    return FALSE;
}

BOOL VqsTarskQubNoPxAdapter::GetEditorText(char* buffer, int length)
{
    const BOOL changed = VqsNumericWithDefaultValuePxAdapter::GetEditorText(buffer, length);
    if (!changed || !m_pDuplex)
        return changed;
    const std::int64_t number = vqsadapter::StartsWithMark(buffer) ? 0 : VqsParseNumber(buffer).value_or(0);
    if (number <= 0)
        m_pDuplex->EnableEditors(FALSE);
    else if (!m_pDuplex->IsNoneBoxEnabled())
        m_pDuplex->EnableEditors(TRUE);
    return changed;
}

BOOL VqsTarskQubNoPxAdapter::GetDefault(PxOptionsPtr* row, std::int64_t& value)
{
    std::int64_t number = 0;
    int isDefault = 0;
    return ReadNumber(row, number, isDefault, value);
}

BOOL VqsTarskQubNoPxAdapter::GetValue(PxOptionsPtr* row, std::int64_t& value)
{
    std::int64_t defaultNumber = 0;
    int isDefault = 0;
    return ReadNumber(row, value, isDefault, defaultNumber);
}

BOOL VqsTarskQubNoPxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    std::int64_t number = 0;
    std::int64_t defaultNumber = 0;
    if (!ReadNumber(row, number, isDefault, defaultNumber))
        return FALSE;
    isDefault = isDefault || number == 0;
    return TRUE;
}

void VqsTarskQubNoPxAdapter::SetValue(PxOptionsPtr* row, std::int64_t value)
{
    std::int64_t current = 0;
    if (!GetValue(row, current))
        return;
    if (value == 0) {
        MakeNumberDefault(row);
        return;
    }
    WriteOrNote(
        m_pRefusals, row, m_title, [&] { WriteNumber(row, value); },
        [&] {
            std::int64_t stored = 0;
            return GetValue(row, stored) && stored == value;
        });
}

void VqsTarskQubNoPxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    std::int64_t current = 0;
    if (makeDefault && GetValue(row, current))
        MakeNumberDefault(row);
}

BOOL VqsElementListCtrlIspecQubNoPxAdapter::ReadNumber(PxOptionsPtr* row, std::int64_t& number, int& isDefault,
                                                       std::int64_t& defaultNumber)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (!component)
        return FALSE;
    number = component->GetWEXQUBno();
    isDefault = component->IsDefaultWEXQUBno();
    defaultNumber = component->GetDefaultWEXQUBno();
    return TRUE;
}

void VqsElementListCtrlIspecQubNoPxAdapter::WriteNumber(PxOptionsPtr* row, std::int64_t number)
{
    ComponentOf(row)->SetWEXQUBno(number);
}

void VqsElementListCtrlIspecQubNoPxAdapter::MakeNumberDefault(PxOptionsPtr* row)
{
    ComponentOf(row)->MakeDefaultWEXQUBno();
}

BOOL VqsTarskProfileQubNoPxAdapter::ReadNumber(PxOptionsPtr* row, std::int64_t& number, int& isDefault,
                                               std::int64_t& defaultNumber)
{
    const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row);
    if (!profile)
        return FALSE;
    number = profile->GetProfileWEXQUBno();
    isDefault = profile->IsDefaultProfileWEXQUBno();
    defaultNumber = number;
    return TRUE;
}

void VqsTarskProfileQubNoPxAdapter::WriteNumber(PxOptionsPtr* row, std::int64_t number)
{
    RecordOf<PxTarskProfileOptionsPtr>(row)->SetProfileWEXQUBno(number);
}

void VqsTarskProfileQubNoPxAdapter::MakeNumberDefault(PxOptionsPtr* row)
{
    RecordOf<PxTarskProfileOptionsPtr>(row)->MakeDefaultProfileWEXQUBno();
}

// ---- Ispec pack

VqsTarskIspecPackPxAdapter::VqsTarskIspecPackPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo)
    : VqsComboWithDefaultValuePxAdapter("Pack", 90, defaultBox, combo)
{
}

BOOL VqsTarskIspecPackPxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (component)
        value = component->GetDefaultCompPack();
    return component != nullptr;
}

BOOL VqsTarskIspecPackPxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (component)
        value = component->GetCompPack();
    return component != nullptr;
}

BOOL VqsTarskIspecPackPxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (component)
        isDefault = component->IsDefaultCompPack();
    return component != nullptr;
}

void VqsTarskIspecPackPxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    if (const PxTarskCompOptionsPtr component = ComponentOf(row))
        component->SetCompPack(value);
}

void VqsTarskIspecPackPxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (const PxTarskCompOptionsPtr component = ComponentOf(row); component && makeDefault)
        component->MakeDefaultCompPack();
}

// ---- profile page size

VqsTarskProfilePageSizePxAdapter::VqsTarskProfilePageSizePxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlCombo* combo,
                                                                   VqsTarskBulkRefusals* refusals)
    : VqsComboWithDefaultValuePxAdapter("Page Size", 75, defaultBox, combo), m_pRefusals(refusals)
{
}

BOOL VqsTarskProfilePageSizePxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    value.Empty();
    return RecordOf<PxTarskProfileOptionsPtr>(row) != nullptr;
}

BOOL VqsTarskProfilePageSizePxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row);
    if (!profile)
        return FALSE;
    const std::int64_t size = profile->GetProfileMinPageSize();
    value = size > 0 ? VqsFormatNumber(size) : CString();
    return TRUE;
}

BOOL VqsTarskProfilePageSizePxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row);
    if (profile)
        isDefault = profile->IsDefaultProfileMinPageSize();
    return profile != nullptr;
}

void VqsTarskProfilePageSizePxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row);
    if (!profile)
        return;
    const std::int64_t size = VqsParseNumber(value).value_or(0);
    if (size == 0) {
        profile->MakeDefaultProfileMinPageSize();
        return;
    }
    WriteOrNote(
        m_pRefusals, row, m_title, [&] { profile->SetProfileMinPageSize(size); },
        [&] { return profile->GetProfileMinPageSize() == size; });
}

void VqsTarskProfilePageSizePxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (const auto profile = RecordOf<PxTarskProfileOptionsPtr>(row); profile && makeDefault)
        profile->MakeDefaultProfileMinPageSize();
}

// ---- multiple-record maxima

VqsTarskIspecMultiMaxPxAdapter::VqsTarskIspecMultiMaxPxAdapter(const char* title, VqsOptCtrlString* edit, Getter get,
                                                               Setter set, Limit lower, Limit upper,
                                                               VqsTarskBulkRefusals* refusals)
    : VqsNumericValuePxAdapter(title, 75, edit), m_get(get), m_set(set), m_lower(lower), m_upper(upper),
      m_pRefusals(refusals)
{
}

BOOL VqsTarskIspecMultiMaxPxAdapter::GetValue(PxOptionsPtr* row, std::int64_t& value)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (component)
        value = ((*component).*m_get)();
    return component != nullptr;
}

void VqsTarskIspecMultiMaxPxAdapter::SetValue(PxOptionsPtr* row, std::int64_t value)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (!component)
        return;
    // std::invoke, not .* in the lambdas: with the sanitizers the compiler takes the member
    // call's temporary for uninitialised.
    PxTarskCompOptions& options = *component;
    WriteOrNote(
        m_pRefusals, row, m_title, [&] { std::invoke(m_set, options, value); },
        [&] { return std::invoke(m_get, options) == value; });
}

BOOL VqsTarskIspecMultiMaxPxAdapter::HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    return component && ((*component).*m_lower)(limit);
}

BOOL VqsTarskIspecMultiMaxPxAdapter::HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    return component && ((*component).*m_upper)(limit);
}

VqsTarskIspecMultiMaxAccessIspecsPxAdapter::VqsTarskIspecMultiMaxAccessIspecsPxAdapter(VqsOptCtrlString* edit,
                                                                                       VqsTarskBulkRefusals* refusals)
    : VqsTarskIspecMultiMaxPxAdapter("Multi Rec Max", edit, &PxTarskCompOptions::GetMultirecordMaximumInIspecs,
                                     &PxTarskCompOptions::SetMultirecordMaximumInIspecs,
                                     &PxTarskCompOptions::HasLowerLimitMultirecordMaximumInIspecs,
                                     &PxTarskCompOptions::HasUpperLimitMultirecordMaximumInIspecs, refusals)
{
}

VqsTarskIspecMultiMaxAccessReportsPxAdapter::VqsTarskIspecMultiMaxAccessReportsPxAdapter(
    VqsOptCtrlString* edit, VqsTarskBulkRefusals* refusals)
    : VqsTarskIspecMultiMaxPxAdapter("Multi Rec Max Rpt", edit, &PxTarskCompOptions::GetMultirecordMaximumInReports,
                                     &PxTarskCompOptions::SetMultirecordMaximumInReports,
                                     &PxTarskCompOptions::HasLowerLimitMultirecordMaximumInReports,
                                     &PxTarskCompOptions::HasUpperLimitMultirecordMaximumInReports, refusals)
{
}

// ---- yes/no columns of components

VqsTarskIspecRevertStdLayoutPxAdapter::VqsTarskIspecRevertStdLayoutPxAdapter(VqsOptCtrlFlag* box)
    : VqsBOOLValuePxAdapter("Revert Std", 50, box)
{
}

BOOL VqsTarskIspecRevertStdLayoutPxAdapter::GetValue(PxOptionsPtr* row, int& value)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (component)
        value = component->GetCompRevertStdLayout();
    return component != nullptr;
}

void VqsTarskIspecRevertStdLayoutPxAdapter::SetValue(PxOptionsPtr* row, int value)
{
    if (const PxTarskCompOptionsPtr component = ComponentOf(row))
        component->SetCompRevertStdLayout(value);
}

VqsTarskIspecAllowExternalPxAdapter::VqsTarskIspecAllowExternalPxAdapter(VqsOptCtrlFlag* box)
    : VqsBOOLValuePxAdapter("Allow External", 50, box)
{
}

BOOL VqsTarskIspecAllowExternalPxAdapter::GetValue(PxOptionsPtr* row, int& value)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (component)
        value = component->GetAllowExternal();
    return component != nullptr;
}

void VqsTarskIspecAllowExternalPxAdapter::SetValue(PxOptionsPtr* row, int value)
{
    if (const PxTarskCompOptionsPtr component = ComponentOf(row))
        component->SetAllowExternal(value);
}

// ---- inter-database access

VqsTarskIspecInterDBPxAdapter::VqsTarskIspecInterDBPxAdapter(VqsOptCtrlCombo* combo,
                                                             VqsTarskIspecAllowExternalPxAdapter* allowExternal)
    : VqsElementListCtrlPxAdapter("Inter DB", 80), m_pCombo(combo), m_pAllowExternal(allowExternal)
{
    for (const char* text : {kBlankEntry, kInternalOnly, kInternalAndExternal, kExternalOnly})
        m_choices.Add(text);
    m_pCombo->SetItems(m_choices);
}

CString VqsTarskIspecInterDBPxAdapter::TextOf(PxOptionsPtr* row)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (!component)
        return CString();
    if (component->GetExternalOnly())
        return kExternalOnly;
    return component->GetInternalAndExternal() ? kInternalAndExternal : kInternalOnly;
}

void VqsTarskIspecInterDBPxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    CopyCellText(TextOf(row), buffer, length);
}

void VqsTarskIspecInterDBPxAdapter::SetText(PxOptionsPtr* row, const char* text, int)
{
    const PxTarskCompOptionsPtr component = ComponentOf(row);
    if (!component || !text)
        return;
    component->SetInternalAndExternal(std::strcmp(text, kInternalAndExternal) == 0);
    component->SetExternalOnly(std::strcmp(text, kExternalOnly) == 0);
}

void VqsTarskIspecInterDBPxAdapter::ShowNotApplicable()
{
    ShowInCombo(*m_pCombo, kBlankEntry);
    m_pCombo->Enable(FALSE);
    if (m_pAllowExternal)
        m_pAllowExternal->Box()->Enable(FALSE);
}

BOOL VqsTarskIspecInterDBPxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    const CString stored = TextOf(row);
    if (stored.IsEmpty()) {
        ShowNotApplicable();
        return FALSE;
    }
    m_strLoaded = pending ? CString(pending) : stored;
    ShowInCombo(*m_pCombo, m_strLoaded);
    m_pCombo->Enable(TRUE);
    if (m_pAllowExternal)
        m_pAllowExternal->Box()->Enable(m_strLoaded != kExternalOnly);
    return TRUE;
}

BOOL VqsTarskIspecInterDBPxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    const CString stored = TextOf(row);
    if (stored.IsEmpty()) {
        ShowNotApplicable();
        return FALSE;
    }
    if ((pending ? CString(pending) : stored) == m_strLoaded)
        return TRUE;
    ShowInCombo(*m_pCombo, kBlankEntry);
    return FALSE;
}

BOOL VqsTarskIspecInterDBPxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_pCombo->IsEnabled() || !m_pCombo->IsModified())
        return FALSE;
    const CString chosen = m_pCombo->GetSelectedText();
    const BOOL allowExternal = m_pAllowExternal && m_pAllowExternal->Box()->IsChecked();
    if (chosen == kExternalOnly && allowExternal) {
        MessageBeep(kBeepAsterisk);
        m_pCombo->Revert();
        return FALSE;
    }
    if (chosen == kBlankEntry) {
        MessageBeep(kBeepHand);
        m_pCombo->Revert();
        return FALSE;
    }
    m_pCombo->SetValue(chosen);
    if (m_pAllowExternal)
        m_pAllowExternal->Box()->Enable(chosen != kExternalOnly);
    CopyCellText(chosen, buffer, length);
    return TRUE;
}

void VqsTarskIspecInterDBPxAdapter::RefreshEditor() { m_pCombo->SaveState(); }

void VqsTarskIspecInterDBPxAdapter::SetMatchText(const char* text) { m_strMatch = text ? text : ""; }

BOOL VqsTarskIspecInterDBPxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    const CString stored = TextOf(row);
    return !stored.IsEmpty() && (pending ? CString(pending) : stored) == m_strMatch;
}

// ---- SOM names

VqsTarskSOMNamePxAdapter::VqsTarskSOMNamePxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlString* edit)
    : VqsStringWithDefaultValuePxAdapter("SOM Name", 90, defaultBox, edit)
{
}

BOOL VqsTarskSOMNamePxAdapter::GetEditorText(char* buffer, int length)
{
    if (m_pEdit->IsEnabled() && !IsModuleName(m_pEdit->GetControlText())) {
        MessageBeep(kBeep);
        m_pEdit->Revert();
    }
    return VqsStringWithDefaultValuePxAdapter::GetEditorText(buffer, length);
}

namespace {

CString Shown(const CString& name) { return name == kDefaultSOMName ? CString() : name; }

} // namespace

BOOL VqsTarskSOMNamePxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    Name name;
    if (!ReadName(row, name))
        return FALSE;
    value = Shown(name.defaultValue);
    return TRUE;
}

BOOL VqsTarskSOMNamePxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    Name name;
    if (!ReadName(row, name))
        return FALSE;
    value = Shown(name.value);
    return TRUE;
}

BOOL VqsTarskSOMNamePxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    Name name;
    if (!ReadName(row, name))
        return FALSE;
    isDefault = name.isDefault;
    return TRUE;
}

void VqsTarskSOMNamePxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    Name name;
    if (!ReadName(row, name))
        return;
    if (value && std::strcmp(value, kDefaultSOMName) == 0) {
        MakeDefault(row, TRUE);
        return;
    }
    WriteName(row, value);
}

void VqsTarskSOMNamePxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    Name name;
    if (!makeDefault || !ReadName(row, name))
        return;
    WriteName(row, kDefaultSOMName);
    MakeNameDefault(row);
}

BOOL VqsTarskIspecSOMNamePxAdapter::ReadName(PxOptionsPtr* row, Name& name)
{
    if (UsageOf(row) == kOutputUsage)
        return FALSE;
    const auto ispec = RecordOf<PxTarskIspecOptionsPtr>(row);
    if (!ispec || !((*row)->_IsKindOf("PxCompOptions") || (*row)->_IsKindOf("PxEventOptions")))
        return FALSE;
    name.value = ispec->GetSOMName();
    name.defaultValue = ispec->GetDefaultSOMName();
    name.isDefault = ispec->IsDefaultSOMName();
    return TRUE;
}

void VqsTarskIspecSOMNamePxAdapter::WriteName(PxOptionsPtr* row, const char* name)
{
    RecordOf<PxTarskIspecOptionsPtr>(row)->SetSOMName(name);
}

void VqsTarskIspecSOMNamePxAdapter::MakeNameDefault(PxOptionsPtr* row)
{
    RecordOf<PxTarskIspecOptionsPtr>(row)->MakeDefaultSOMName();
}

BOOL VqsTarskGLGSOMNamePxAdapter::ReadName(PxOptionsPtr* row, Name& name)
{
    const auto logic = RecordOf<PxTarskGLGOptionsPtr>(row);
    if (!logic)
        return FALSE;
    name.value = logic->GetGLGSOMName();
    name.defaultValue = logic->GetDefaultGLGSOMName();
    name.isDefault = logic->IsDefaultGLGSOMName();
    return TRUE;
}

void VqsTarskGLGSOMNamePxAdapter::WriteName(PxOptionsPtr* row, const char* name)
{
    RecordOf<PxTarskGLGOptionsPtr>(row)->SetGLGSOMName(name);
}

void VqsTarskGLGSOMNamePxAdapter::MakeNameDefault(PxOptionsPtr* row)
{
    RecordOf<PxTarskGLGOptionsPtr>(row)->MakeDefaultGLGSOMName();
}

void VqsTarskGLGSOMNamePxAdapter::ShowDisabled()
{
    vqsadapter::ShowCheck(*m_pDefaultBox, FALSE);
    m_pDefaultBox->Enable(FALSE);
    vqsadapter::ShowBlank(*m_pEdit);
    m_pEdit->Enable(FALSE);
}

BOOL VqsTarskGLGSOMNamePxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    const BOOL loaded = VqsTarskSOMNamePxAdapter::LoadEditor(row, pending);
    if (!m_bEnabled)
        ShowDisabled();
    return loaded;
}

BOOL VqsTarskGLGSOMNamePxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    const BOOL merged = VqsTarskSOMNamePxAdapter::MergeEditor(row, pending);
    if (!m_bEnabled)
        ShowDisabled();
    return merged;
}

void VqsTarskGLGSOMNamePxAdapter::EnableEditors(BOOL enable)
{
    m_bEnabled = enable;
    if (!enable) {
        ShowDisabled();
        return;
    }
    m_pDefaultBox->Enable(TRUE);
    m_pEdit->Enable(!m_pDefaultBox->m_bValue);
}

// ---- separate compilation of global logics

VqsTarskGlgSeparateCompilePxAdapter::VqsTarskGlgSeparateCompilePxAdapter(VqsOptCtrlFlag* box,
                                                                         const PxBSegOptionsPtr& segment,
                                                                         VqsTarskGLGSOMNamePxAdapter* somName)
    : VqsBOOLValuePxAdapter("Separately Compiled", 150, box), m_pSomName(somName)
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr design = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link = segment ? PxVQBSSoftLinkPtr(segment->GetSoftLink()) : PxVQBSSoftLinkPtr();
    if (design && link)
        m_pDesignSegment = design->GetBusinessSegment(link->GetName());
}

BOOL VqsTarskGlgSeparateCompilePxAdapter::HasParameters(PxOptionsPtr* row) const
{
    if (!m_pDesignSegment)
        return FALSE;
    const PxLSEGlobalLogicPtr logic(m_pDesignSegment->GetElement(RowName(row)));
    return logic && !logic->GetParameters().IsEmpty();
}

void VqsTarskGlgSeparateCompilePxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    if (RecordOf<PxTarskGLGOptionsPtr>(row) && HasParameters(row))
        CopyCellText("~Yes", buffer, length);
    else
        VqsBOOLValuePxAdapter::GetText(row, buffer, length);
}

BOOL VqsTarskGlgSeparateCompilePxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    const BOOL loaded = VqsBOOLValuePxAdapter::LoadEditor(row, pending);
    int compiled = 0;
    GetValue(row, compiled);
    if (loaded && pending)
        compiled = !SaysNo(pending);
    if (m_pSomName)
        m_pSomName->EnableEditors(compiled);
    return loaded;
}

BOOL VqsTarskGlgSeparateCompilePxAdapter::GetEditorText(char* buffer, int length)
{
    const BOOL changed = VqsBOOLValuePxAdapter::GetEditorText(buffer, length);
    if (changed && m_pSomName)
        m_pSomName->EnableEditors(!SaysNo(buffer));
    return changed;
}

BOOL VqsTarskGlgSeparateCompilePxAdapter::GetValue(PxOptionsPtr* row, int& value)
{
    const auto logic = RecordOf<PxTarskGLGOptionsPtr>(row);
    if (!logic)
        return FALSE;
    if (HasParameters(row)) {
        value = 1;
        return FALSE;
    }
    value = logic->GetSeparateCompile();
    return TRUE;
}

void VqsTarskGlgSeparateCompilePxAdapter::SetValue(PxOptionsPtr* row, int value)
{
    int current = 0;
    if (GetValue(row, current))
        RecordOf<PxTarskGLGOptionsPtr>(row)->SetSeparateCompile(value);
}

// ---- reports

VqsTarskReportSortMemSizePxAdapter::VqsTarskReportSortMemSizePxAdapter(VqsOptCtrlString* edit)
    : VqsNumericValuePxAdapter("Sort Mem Size", 150, edit)
{
}

BOOL VqsTarskReportSortMemSizePxAdapter::GetValue(PxOptionsPtr* row, std::int64_t& value)
{
    const auto report = RecordOf<PxTarskReportOptionsPtr>(row);
    if (report)
        value = report->GetSortMemSize();
    return report != nullptr;
}

void VqsTarskReportSortMemSizePxAdapter::SetValue(PxOptionsPtr* row, std::int64_t value)
{
    if (const auto report = RecordOf<PxTarskReportOptionsPtr>(row))
        report->SetSortMemSize(value);
}

BOOL VqsTarskReportSortMemSizePxAdapter::HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    const auto report = RecordOf<PxTarskReportOptionsPtr>(row);
    return report && report->HasLowerLimitSortMemSize(limit);
}

BOOL VqsTarskReportSortMemSizePxAdapter::HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    const auto report = RecordOf<PxTarskReportOptionsPtr>(row);
    return report && report->HasUpperLimitSortMemSize(limit);
}

VqsTarskReportUsesDBPxAdapter::VqsTarskReportUsesDBPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox)
    : VqsBoolWithDefaultValuePxAdapter("ROC Uses DB", 90, defaultBox, valueBox)
{
}

BOOL VqsTarskReportUsesDBPxAdapter::GetDefault(PxOptionsPtr* row, int& value)
{
    const auto report = RecordOf<PxTarskReportOptionsPtr>(row);
    if (report)
        value = report->GetDefaultReportROCusesDB();
    return report != nullptr;
}

BOOL VqsTarskReportUsesDBPxAdapter::GetValue(PxOptionsPtr* row, int& value)
{
    const auto report = RecordOf<PxTarskReportOptionsPtr>(row);
    if (report)
        value = report->GetReportROCusesDB();
    return report != nullptr;
}

BOOL VqsTarskReportUsesDBPxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    const auto report = RecordOf<PxTarskReportOptionsPtr>(row);
    if (report)
        isDefault = report->IsDefaultReportROCusesDB();
    return report != nullptr;
}

void VqsTarskReportUsesDBPxAdapter::SetValue(PxOptionsPtr* row, int value)
{
    if (const auto report = RecordOf<PxTarskReportOptionsPtr>(row))
        report->SetReportROCusesDB(value);
}

void VqsTarskReportUsesDBPxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (const auto report = RecordOf<PxTarskReportOptionsPtr>(row); report && makeDefault)
        report->MakeDefaultReportROCusesDB();
}
