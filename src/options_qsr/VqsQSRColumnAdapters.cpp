#include "options_qsr/VqsQSRColumnAdapters.h"

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxQSREventOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "shell/VqsSysApp.h"
#include "win/Input.h"
#include "win/UiDriver.h"

#include <string>

namespace {

constexpr UINT IDS_BLANK = 61897;
constexpr UINT IDS_SEGMENT_DELETED = 62473;

constexpr std::int64_t kUsualComponentExpected = 100;
constexpr std::int64_t kUsualEventVolume = 1000;
constexpr int kOutputUsage = 3;
constexpr int kBothUsage = 4;
constexpr const char* kLeftOutSubsystem = "LSS";
constexpr const char* kPrimaryNumber = "1";

// The subsystems that have a letter for a number.
const std::map<std::string, const char*> kLetteredSubsystems = {{"QUERY", "A"}, {"ROC", "C"}};

template <class Record>
Record* RecordOf(PxOptionsPtr* row)
{
    return dynamic_cast<Record*>(VqsRowRecord(row));
}

CString NameOf(PxOptionsPtr* row)
{
    const PxVQSoftLinkPtr link = VqsRowSoftLink(row);
    return link ? link->GetName() : CString();
}

// How a number cell is written: the value limits of the row's record.
template <class Record>
BOOL LimitOf(PxOptionsPtr* row, BOOL (Record::*limitOf)(std::int64_t&) const, std::int64_t& limit)
{
    const Record* record = RecordOf<Record>(row);
    return record && (record->*limitOf)(limit);
}

} // namespace

// ---- expected number

VqsQSRIspecExpectedPxAdapter::VqsQSRIspecExpectedPxAdapter(VqsOptCtrlString* edit)
    : VqsNumericValuePxAdapter("Expected", 60, edit)
{
}

BOOL VqsQSRIspecExpectedPxAdapter::GetValue(PxOptionsPtr* row, std::int64_t& value)
{
    if (const auto* component = RecordOf<PxQSRCompOptions>(row)) {
        value = component->GetExpected();
        return TRUE;
    }
    if (const auto* event = RecordOf<PxQSREventOptions>(row)) {
        value = event->GetVolume();
        return TRUE;
    }
    return FALSE;
}

void VqsQSRIspecExpectedPxAdapter::SetValue(PxOptionsPtr* row, std::int64_t value)
{
    if (auto* component = RecordOf<PxQSRCompOptions>(row))
        component->SetExpected(value != 0 ? value : kUsualComponentExpected);
    else if (auto* event = RecordOf<PxQSREventOptions>(row))
        event->SetVolume(value != 0 ? value : kUsualEventVolume);
}

BOOL VqsQSRIspecExpectedPxAdapter::HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    if (RecordOf<PxQSRCompOptions>(row))
        return LimitOf<PxCompOptions>(row, &PxCompOptions::HasLowerLimitExpected, limit);
    return LimitOf<PxEventOptions>(row, &PxEventOptions::HasLowerLimitVolume, limit);
}

BOOL VqsQSRIspecExpectedPxAdapter::HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    if (RecordOf<PxQSRCompOptions>(row))
        return LimitOf<PxCompOptions>(row, &PxCompOptions::HasUpperLimitExpected, limit);
    return LimitOf<PxEventOptions>(row, &PxEventOptions::HasUpperLimitVolume, limit);
}

// ---- pack

VqsElementListCtrlIspecPackPxAdapter::VqsElementListCtrlIspecPackPxAdapter(VqsOptCtrlFlag* defaultBox,
                                                                           VqsOptCtrlCombo* combo)
    : VqsComboWithDefaultValuePxAdapter("Pack", 60, defaultBox, combo)
{
}

PxCompOptions* VqsElementListCtrlIspecPackPxAdapter::ComponentOf(PxOptionsPtr* row)
{
    return IsNonInputComponentOrMainEvent(row) ? RecordOf<PxCompOptions>(row) : nullptr;
}

BOOL VqsElementListCtrlIspecPackPxAdapter::GetDefault(PxOptionsPtr* row, CString& value)
{
    const PxCompOptions* component = ComponentOf(row);
    if (component)
        value = component->GetDefaultCompPack();
    return component != nullptr;
}

BOOL VqsElementListCtrlIspecPackPxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    const PxCompOptions* component = ComponentOf(row);
    if (component)
        value = component->GetCompPack();
    return component != nullptr;
}

BOOL VqsElementListCtrlIspecPackPxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    const PxCompOptions* component = ComponentOf(row);
    if (component)
        isDefault = component->IsDefaultCompPack();
    return component != nullptr;
}

void VqsElementListCtrlIspecPackPxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    if (PxCompOptions* component = ComponentOf(row))
        component->SetCompPack(value);
}

void VqsElementListCtrlIspecPackPxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (PxCompOptions* component = ComponentOf(row); component && makeDefault)
        component->MakeDefaultCompPack();
}

// ---- VSS and XE

PxQSRCompOptions* VqsQSRComponentFlagPxAdapter::Applies(PxOptionsPtr* row)
{
    auto* component = RecordOf<PxQSRCompOptions>(row);
    const PxVQIspecSoftLinkPtr ispec(VqsRowSoftLink(row));
    if (!component || !ispec)
        return component;
    const int usage = ispec->GetIspecUsage();
    return usage == kOutputUsage || usage == kBothUsage ? component : nullptr;
}

VqsElementListCtrlQSRVSSPxAdapter::VqsElementListCtrlQSRVSSPxAdapter(VqsOptCtrlFlag* defaultBox,
                                                                     VqsOptCtrlFlag* valueBox)
    : VqsQSRComponentFlagPxAdapter("VSS", 45, defaultBox, valueBox,
                                   VQS_OPTION(PxQSRCompOptions, IspecOptimizeBlocksize2Vss))
{
}

VqsElementListCtrlQSRXEPxAdapter::VqsElementListCtrlQSRXEPxAdapter(VqsOptCtrlFlag* defaultBox,
                                                                   VqsOptCtrlFlag* valueBox)
    : VqsQSRComponentFlagPxAdapter("XE", 45, defaultBox, valueBox, VQS_OPTION(PxQSRCompOptions, IspecExtendedEdition))
{
}

// ---- combo

VqsComboPxAdapter::VqsComboPxAdapter(const char* title, int width, VqsOptCtrlCombo* combo)
    : VqsElementListCtrlPxAdapter(title, width), m_pCombo(combo)
{
}

BOOL VqsComboPxAdapter::TextOf(PxOptionsPtr* row, const char* pending, CString& text)
{
    if (!GetValue(row, text))
        return FALSE;
    if (pending)
        text = pending;
    return TRUE;
}

void VqsComboPxAdapter::GetText(PxOptionsPtr* row, char* buffer, int length)
{
    CString text;
    CopyCellText(GetValue(row, text) ? text : CString(), buffer, length);
}

void VqsComboPxAdapter::SetText(PxOptionsPtr* row, const char* text, int)
{
    CString current;
    if (!GetValue(row, current))
        return;
    if (vqsadapter::StartsWithMark(text))
        RestoreDefault(row);
    else
        SetValue(row, text);
}

void VqsComboPxAdapter::ShowBlank(BOOL enable)
{
    m_pCombo->SetValue("");
    m_pCombo->ShowNotAvailable(IDS_BLANK);
    m_pCombo->SaveState();
    m_pCombo->Revert();
    m_pCombo->Enable(enable);
}

BOOL VqsComboPxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    CString text;
    if (!TextOf(row, pending, text)) {
        ShowBlank(FALSE);
        m_strCommon.Empty();
        return FALSE;
    }
    m_pCombo->Enable(TRUE);
    if (!pending)
        m_pCombo->ShowNotAvailable(IDS_BLANK);
    m_pCombo->SelectText(text);
    m_pCombo->SaveState();
    m_pCombo->Revert();
    m_strCommon = text;
    return TRUE;
}

BOOL VqsComboPxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    CString text;
    if (!TextOf(row, pending, text)) {
        ShowBlank(FALSE);
        return FALSE;
    }
    if (text == m_strCommon)
        return TRUE;
    ShowBlank(TRUE);
    return FALSE;
}

BOOL VqsComboPxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_pCombo->IsEnabled())
        return FALSE;
    const CString chosen = m_pCombo->GetSelectedText();
    // While the blank placeholder shows, the binder holds no value to compare with.
    const BOOL changed = m_pCombo->IsNotAvailable() ? m_pCombo->GetCurSel() >= 0 && chosen != m_pCombo->GetValue()
                                                    : m_pCombo->IsModified();
    if (!changed || chosen.IsEmpty() || chosen == " ")
        return FALSE;
    m_pCombo->SetValue(chosen);
    CopyCellText(chosen, buffer, length);
    return TRUE;
}

void VqsComboPxAdapter::RefreshEditor() { m_pCombo->SaveState(); }

void VqsComboPxAdapter::SetMatchText(const char* text) { m_strMatch = text ? text : ""; }

BOOL VqsComboPxAdapter::MatchesRow(PxOptionsPtr* row, const char* pending)
{
    CString text;
    return TextOf(row, pending, text) && text.CompareNoCase(m_strMatch) == 0;
}

// ---- subsystem

VqsElementListCtrlQSRSubsysPxAdapter::VqsElementListCtrlQSRSubsysPxAdapter(const PxBSegOptionsPtr& segment,
                                                                           VqsOptCtrlCombo* combo)
    : VqsComboPxAdapter("Subsystem", 90, combo)
{
    const PxVQBSSoftLinkPtr link = segment ? PxVQBSSoftLinkPtr(segment->GetSoftLink()) : PxVQBSSoftLinkPtr();
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr design = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxLSEBusinessSegmentPtr designSegment =
        link && design ? design->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
    if (!designSegment) {
        AfxMessageBox(IDS_SEGMENT_DELETED, MB_OK);
        return;
    }
    PxTypedList<PxLSESubsystemPtr> subsystems;
    designSegment->GetSubsystemList(subsystems);
    for (POSITION pos = subsystems.GetHeadPosition(); pos;) {
        const PxLSESubsystemPtr subsystem = subsystems.GetNext(pos);
        const CString name = subsystem->GetName();
        if (name == kLeftOutSubsystem)
            continue;
        const auto lettered = kLetteredSubsystems.find(name.GetString());
        const std::string number =
            lettered != kLetteredSubsystems.end() ? lettered->second : std::to_string(subsystem->GetNumber());
        m_namesByNumber[number] = name;
        if (lettered == kLetteredSubsystems.end())
            m_choices.Add(name);
    }
    m_pCombo->SetItems(m_choices);
}

PxQSRIspecOptions* VqsElementListCtrlQSRSubsysPxAdapter::IspecOf(PxOptionsPtr* row)
{
    if (RecordOf<PxQSRCompOptions>(row) || RecordOf<PxQSREventOptions>(row))
        return RecordOf<PxQSRIspecOptions>(row);
    return nullptr;
}

BOOL VqsElementListCtrlQSRSubsysPxAdapter::GetValue(PxOptionsPtr* row, CString& value)
{
    const PxQSRIspecOptions* ispec = IspecOf(row);
    if (!ispec)
        return FALSE;
    const auto name = m_namesByNumber.find(ispec->GetSubsystemNum().GetString());
    if (name == m_namesByNumber.end())
        return FALSE;
    value = name->second;
    return TRUE;
}

void VqsElementListCtrlQSRSubsysPxAdapter::SetValue(PxOptionsPtr* row, const char* value)
{
    PxQSRIspecOptions* ispec = IspecOf(row);
    if (!ispec)
        return;
    for (const auto& [number, name] : m_namesByNumber) {
        if (name == value) {
            ispec->SetSubsystemNum(number.c_str());
            return;
        }
    }
}

void VqsElementListCtrlQSRSubsysPxAdapter::RestoreDefault(PxOptionsPtr* row)
{
    if (PxQSRIspecOptions* ispec = IspecOf(row))
        ispec->SetSubsystemNum(kPrimaryNumber);
}

// ---- report sort sizes

VqsQSRReportSortMemSizePxAdapter::VqsQSRReportSortMemSizePxAdapter(VqsOptCtrlString* edit)
    : VqsNumericValuePxAdapter("Sort Mem Size", 80, edit)
{
}

BOOL VqsQSRReportSortMemSizePxAdapter::GetValue(PxOptionsPtr* row, std::int64_t& value)
{
    const auto* report = RecordOf<PxQSRReportOptions>(row);
    if (report)
        value = report->GetSortMemSize();
    return report != nullptr;
}

void VqsQSRReportSortMemSizePxAdapter::SetValue(PxOptionsPtr* row, std::int64_t value)
{
    if (auto* report = RecordOf<PxQSRReportOptions>(row))
        report->SetSortMemSize(value);
}

BOOL VqsQSRReportSortMemSizePxAdapter::HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    return LimitOf<PxQSRReportOptions>(row, &PxQSRReportOptions::HasLowerLimitSortMemSize, limit);
}

BOOL VqsQSRReportSortMemSizePxAdapter::HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    return LimitOf<PxQSRReportOptions>(row, &PxQSRReportOptions::HasUpperLimitSortMemSize, limit);
}

VqsQSRReportSortDiskSizePxAdapter::VqsQSRReportSortDiskSizePxAdapter(VqsOptCtrlString* edit,
                                                                     VqsOptCtrlFlag* defaultBox)
    : VqsNumericWithDefaultValuePxAdapter("Sort Disk Size", 80, defaultBox, edit)
{
}

BOOL VqsQSRReportSortDiskSizePxAdapter::GetDefault(PxOptionsPtr* row, std::int64_t& value)
{
    const auto* report = RecordOf<PxQSRReportOptions>(row);
    if (report)
        value = report->GetDefaultSortDiskSize();
    return report != nullptr;
}

BOOL VqsQSRReportSortDiskSizePxAdapter::GetValue(PxOptionsPtr* row, std::int64_t& value)
{
    const auto* report = RecordOf<PxQSRReportOptions>(row);
    if (report)
        value = report->GetSortDiskSize();
    return report != nullptr;
}

BOOL VqsQSRReportSortDiskSizePxAdapter::IsDefault(PxOptionsPtr* row, int& isDefault)
{
    const auto* report = RecordOf<PxQSRReportOptions>(row);
    if (report)
        isDefault = report->IsDefaultSortDiskSize();
    return report != nullptr;
}

void VqsQSRReportSortDiskSizePxAdapter::SetValue(PxOptionsPtr* row, std::int64_t value)
{
    if (auto* report = RecordOf<PxQSRReportOptions>(row))
        report->SetSortDiskSize(value);
}

void VqsQSRReportSortDiskSizePxAdapter::MakeDefault(PxOptionsPtr* row, int makeDefault)
{
    if (auto* report = RecordOf<PxQSRReportOptions>(row); report && makeDefault)
        report->MakeDefaultSortDiskSize();
}

BOOL VqsQSRReportSortDiskSizePxAdapter::HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    return LimitOf<PxQSRReportOptions>(row, &PxQSRReportOptions::HasLowerLimitSortDiskSize, limit);
}

BOOL VqsQSRReportSortDiskSizePxAdapter::HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    return LimitOf<PxQSRReportOptions>(row, &PxQSRReportOptions::HasUpperLimitSortDiskSize, limit);
}

VqsQSRReportUsesDBPxAdapter::VqsQSRReportUsesDBPxAdapter(VqsOptCtrlFlag* defaultBox, VqsOptCtrlFlag* valueBox)
    : VqsFlagOptionPxAdapter("ROC Uses DB", 90, defaultBox, valueBox, VQS_OPTION(PxQSRReportOptions, ReportROCusesDB))
{
}

// ---- profile sizing

VqsElementListCtrlProfileSizingPxAdapter::VqsElementListCtrlProfileSizingPxAdapter(VqsOptCtrlCombo* typeCombo,
                                                                                   VqsOptCtrlString* valueEdit)
    : VqsSizingPxAdapter(typeCombo, valueEdit,
                         {VqsSizingKind::Default, VqsSizingKind::Expected, VqsSizingKind::Percent})
{
}

BOOL VqsElementListCtrlProfileSizingPxAdapter::IsAutomaticProfile(PxOptionsPtr* row)
{
    const CString name = NameOf(row);
    return !name.IsEmpty() && name[0] == '$';
}

void VqsElementListCtrlProfileSizingPxAdapter::ShowLocked()
{
    Show({VqsSizingKind::Default, 0});
    m_pType->Enable(FALSE);
    m_pValue->Enable(FALSE);
}

BOOL VqsElementListCtrlProfileSizingPxAdapter::LoadEditor(PxOptionsPtr* row, const char* pending)
{
    VqsSizing sizing;
    if (GetSizing(row, sizing) && IsAutomaticProfile(row)) {
        ShowLocked();
        m_loaded = VqsSizing{};
        return TRUE;
    }
    return VqsSizingPxAdapter::LoadEditor(row, pending);
}

BOOL VqsElementListCtrlProfileSizingPxAdapter::MergeEditor(PxOptionsPtr* row, const char* pending)
{
    VqsSizing sizing;
    if (GetSizing(row, sizing) && IsAutomaticProfile(row)) {
        ShowLocked();
        return FALSE;
    }
    return VqsSizingPxAdapter::MergeEditor(row, pending);
}

BOOL VqsElementListCtrlProfileSizingPxAdapter::GetEditorText(char* buffer, int length)
{
    if (!m_pType->IsEnabled())
        return FALSE;
    const BOOL typeChanged = m_pType->IsModified();
    if (!typeChanged && !m_pValue->IsModified())
        return FALSE;
    const VqsSizingKind kind = KindAt(m_pType->GetCurSel());
    CString value = kind == VqsSizingKind::Default ? CString() : m_pValue->GetControlText();
    if (value.IsEmpty() && kind != VqsSizingKind::Default)
        value = "0";
    // A percentage out of range becomes a whole one, whatever the edit held before.
    const BOOL tooLargePercent = kind == VqsSizingKind::Percent && value.GetLength() >= 3 && value != "100";
    const VqsSizingEdit edit = VqsComposeSizingText(kind, value, tooLargePercent ? CString() : m_pValue->GetValue());
    if (!edit.accepted)
        MessageBeep(static_cast<UINT>(-1));
    if (edit.text.IsEmpty()) {
        m_pValue->Revert();
        m_pType->Revert();
        return FALSE;
    }
    m_pValue->SetValue(edit.value);
    // Writing the text the edit already shows would tell the panel of a change again.
    if (m_pValue->GetControlText() != edit.value)
        m_pValue->SetControlText(edit.value);
    m_pType->SetValue(m_pType->GetSelectedText());
    CopyCellText(edit.text, buffer, length);
    return TRUE;
}

BOOL VqsElementListCtrlProfileSizingPxAdapter::GetSizing(PxOptionsPtr* row, VqsSizing& sizing)
{
    const auto* profile = RecordOf<PxProfileOptions>(row);
    if (!profile)
        return FALSE;
    if (!profile->IsDefaultExpectedOrVolume())
        sizing = {VqsSizingKind::Expected, profile->GetExpectedOrVolume()};
    else if (!profile->IsDefaultPercent())
        sizing = {VqsSizingKind::Percent, profile->GetPercent()};
    else
        sizing = {VqsSizingKind::Default, 0};
    return TRUE;
}

void VqsElementListCtrlProfileSizingPxAdapter::SetSizing(PxOptionsPtr* row, const VqsSizing& sizing)
{
    auto* profile = RecordOf<PxProfileOptions>(row);
    if (!profile)
        return;
    if (sizing.kind == VqsSizingKind::Expected)
        profile->SetExpectedOrVolume(sizing.number);
    else
        profile->MakeDefaultExpectedOrVolume();
    if (sizing.kind == VqsSizingKind::Percent)
        profile->SetPercent(sizing.number);
    else
        profile->MakeDefaultPercent();
}
