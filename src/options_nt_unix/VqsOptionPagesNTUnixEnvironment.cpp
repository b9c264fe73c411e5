#include "options_nt_unix/VqsOptionPagesNTUnixEnvironment.h"

#include "options/VqsLimitDigits.h"
#include "options_nt_unix/VqsNTUnixDesign.h"
#include "options_nt_unix/VqsNTUnixPackLists.h"
#include "proxy/PxEventOptions.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQProfileSoftLink.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr UINT IDS_GENERATE = 61563;

constexpr UINT IDC_USER_PRIVILEGE = 1105;
constexpr UINT IDC_COMPONENT_PACK = 1432;
constexpr UINT IDC_USE_DEFAULT_COMPONENT_PACK = 1389;
constexpr UINT IDC_EXPECTED = 1027;
constexpr UINT IDC_MULTI_RECORD_ISPECS = 61965;
constexpr UINT IDC_MULTI_RECORD_REPORTS = 61966;
constexpr UINT IDC_VOLUME = 1111;
constexpr UINT IDC_CLUSTER_INDEX = 1767;
constexpr UINT IDC_USE_DEFAULT_CLUSTER_INDEX = 1768;

constexpr UINT IDC_PROFILE_PACK = 1411;
constexpr UINT IDC_USE_DEFAULT_PROFILE_PACK = 1006;
constexpr UINT IDC_DEFAULT_ESTIMATES = 1072;
constexpr UINT IDC_EXPECTED_ESTIMATE = 1056;
constexpr UINT IDC_PERCENT_ESTIMATE = 1057;
constexpr UINT IDC_PROFILE_EXPECTED = 1407;

constexpr UINT IDC_ROLL_BACK_SEGMENT = 1779;
constexpr UINT IDC_DISK = 1051;
constexpr UINT IDC_TAPE = 1052;
constexpr UINT IDC_INTERNAL = 32873;
constexpr UINT IDC_GENERIC = 32874;
constexpr UINT IDC_USE_DEFAULT_BLOCKING = 1008;
constexpr UINT IDC_DISK_BLOCKING = 1036;
constexpr UINT IDC_TAPE_BLOCKING = 1066;

constexpr int kReservedWord = 3;
constexpr int kNoValidator = 0;
constexpr int kIdValidator = 1;
constexpr int kOutputUsage = 3;
constexpr int kInputOutputUsage = 4;
constexpr int kRollBackSegmentLength = 30;
constexpr int kExtractFiles = 26;

std::int64_t EditNumber(const CWnd& page, UINT id)
{
    CString text;
    page.GetDlgItemText(static_cast<int>(id), text);
    return std::strtoll(text, nullptr, 10);
}

} // namespace

VqsOptionPageNTUnixIspecEnv::VqsOptionPageNTUnixIspecEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageIspecEnv(sheet, dialogId, pageIndex),
      m_userPrivilege(m_table.Number(IDC_USER_PRIVILEGE, VQS_NUMBER_OPTION(PxIspecOptions, UserPrivilege)))
{
}

BOOL VqsOptionPageNTUnixIspecEnv::OnInitDialog()
{
    VqsOptionPageIspecEnv::OnInitDialog();
    LimitDigits(m_userPrivilege, *m_pTypedSheet->GetTypedOptions(), &PxIspecOptions::HasUpperLimitUserPrivilege, 2);
    return TRUE;
}

template <class Traits>
VqsOptionPagePlatformComponentEnv<Traits>::VqsOptionPagePlatformComponentEnv(VqsOptions_Ispec_Sheet* sheet,
                                                                             UINT dialogId, int pageIndex)
    : VqsOptionPageNTUnixIspecEnv(sheet, dialogId, pageIndex),
      m_pack(m_table.Combo(IDC_COMPONENT_PACK, VQS_TEXT_OPTION(PxCompOptions, CompPack), kReservedWord)),
      m_useDefaultPack(m_table.DefaultBox(IDC_USE_DEFAULT_COMPONENT_PACK, IDC_COMPONENT_PACK)),
      m_expected(m_table.Number(IDC_EXPECTED, VQS_NUMBER_OPTION(PxCompOptions, Expected),
                                Traits::kUnix ? VqsOptionTable::Validate : VqsOptionTable::Modify)),
      m_userMaintained(m_table.Flag(Traits::kUserMaintainedId, VQS_OPTION(Record, CompUserMaintained)))
{
    if constexpr (Traits::kUnix) {
        m_multiRecordInIspecs = &m_table.Number(
            IDC_MULTI_RECORD_ISPECS, VQS_NUMBER_OPTION(Record, UnixMultiRecordMaxInIspecs), VqsOptionTable::Validate);
        m_multiRecordInReports = &m_table.Number(
            IDC_MULTI_RECORD_REPORTS, VQS_NUMBER_OPTION(Record, UnixMultiRecordMaxInReports), VqsOptionTable::Validate);
    }
}

template <class Traits>
BOOL VqsOptionPagePlatformComponentEnv<Traits>::OnInitDialog()
{
    VqsOptionPageNTUnixIspecEnv::OnInitDialog();
    const PxCompOptionsPtr record(m_pTypedSheet->GetTypedOptions());
    if (record)
        LimitDigits(m_expected, *record, &PxCompOptions::HasUpperLimitExpected, 8);
    if constexpr (Traits::kUnix) {
        const PxUnixCompOptionsPtr unixRecord(record);
        if (unixRecord) {
            LimitDigits(*m_multiRecordInReports, *unixRecord, &Record::HasUpperLimitUnixMultiRecordMaxInReports, 2);
            LimitDigits(*m_multiRecordInIspecs, *unixRecord, &Record::HasUpperLimitUnixMultiRecordMaxInIspecs, 2);
        }
    }
    return TRUE;
}

template <class Traits>
BOOL VqsOptionPagePlatformComponentEnv<Traits>::OnSetActive()
{
    const BOOL active = VqsOptionPageNTUnixIspecEnv::OnSetActive();
    UpdateData(FALSE);
    return active;
}

template <class Traits>
void VqsOptionPagePlatformComponentEnv<Traits>::AdjustLoadedValues()
{
    VqsOptionPageNTUnixIspecEnv::AdjustLoadedValues();
    vqsntunix::OfferChoices(m_pack, vqsntunix::EnterprisePacks(vqsntunix::PackList::Database));
}

template <class Traits>
BOOL VqsOptionPagePlatformComponentEnv<Traits>::IsUsedByProfileLogic() const
{
    const PxLSEElementPtr element = vqsntunix::EditedDesignElement(*m_pSheet);
    if (!element)
        return FALSE;
    PxTypedList<PxLSERelationPtr> relations;
    element->GetSourceList(relations);
    for (POSITION pos = relations.GetHeadPosition(); pos;) {
        const PxLSERelationPtr relation = relations.GetNext(pos);
        if (!relation || relation->GetRelationString().Find('O') < 0)
            continue;
        if (vqsntunix::IsConditionalProfile(PxLSEProfilePtr(relation->GetSource())))
            return TRUE;
    }
    return FALSE;
}

template <class Traits>
void VqsOptionPagePlatformComponentEnv<Traits>::EnableDependentControls()
{
    VqsOptionPageNTUnixIspecEnv::EnableDependentControls();
    const PxVQIspecSoftLinkPtr link(vqsntunix::EditedLink(*m_pSheet));
    const int usage = link ? link->GetIspecUsage() : 0;
    BOOL markable = usage == kOutputUsage || usage == kInputOutputUsage;
    if (markable && !m_userMaintained.m_bValue && IsUsedByProfileLogic())
        markable = FALSE;
    m_userMaintained.Enable(markable);
    if (VqsOptionPageUnixComponentOracledb* storage = Storage()) {
        TellStoragePack();
        storage->SetExpectedNumber(vqsoptiontable::KnownValue(m_expected));
    }
}

template <class Traits>
VqsOptionPageUnixComponentOracledb* VqsOptionPagePlatformComponentEnv<Traits>::Storage() const
{
    if constexpr (Traits::kUnix)
        return VqsFindSheetPage<VqsOptionPageUnixComponentOracledb>(*m_pSheet);
    return nullptr;
}

template <class Traits>
void VqsOptionPagePlatformComponentEnv<Traits>::TellStoragePack()
{
    if (VqsOptionPageUnixComponentOracledb* storage = Storage()) {
        storage->EnablePackCombo(!m_useDefaultPack.m_bValue);
        storage->SetPackText(vqsoptiontable::KnownValue(m_pack));
    }
}

template <class Traits>
void VqsOptionPagePlatformComponentEnv<Traits>::OnOptionTaken(UINT id)
{
    VqsOptionPageNTUnixIspecEnv::OnOptionTaken(id);
    if (id == IDC_USE_DEFAULT_COMPONENT_PACK)
        UpdateData(FALSE);
    if (id == IDC_USE_DEFAULT_COMPONENT_PACK || id == IDC_COMPONENT_PACK)
        TellStoragePack();
    else if (id == IDC_EXPECTED)
        if (VqsOptionPageUnixComponentOracledb* storage = Storage())
            storage->SetExpectedNumber(vqsoptiontable::KnownValue(m_expected));
}

template <class Traits>
std::optional<CString> VqsOptionPagePlatformComponentEnv<Traits>::GetPackText() const
{
    if (m_hWnd)
        return vqsoptiontable::KnownValue(m_pack);
    const PxCompOptionsPtr record(m_pTypedSheet->GetTypedOptions());
    return vqsoptiontable::ReadKnown([&] { return record->GetCompPack(); });
}

template <class Traits>
BOOL VqsOptionPagePlatformComponentEnv<Traits>::IsPackDefault() const
{
    if (m_hWnd)
        return m_useDefaultPack.m_bValue;
    return PxCompOptionsPtr(m_pTypedSheet->GetTypedOptions())->IsDefaultCompPack();
}

template <class Traits>
std::optional<std::int64_t> VqsOptionPagePlatformComponentEnv<Traits>::GetExpectedNumber() const
{
    if (m_hWnd)
        return vqsoptiontable::KnownValue(m_expected);
    const PxCompOptionsPtr record(m_pTypedSheet->GetTypedOptions());
    return vqsoptiontable::ReadKnown([&] { return record->GetExpected(); });
}

template <class Traits>
void VqsOptionPagePlatformComponentEnv<Traits>::TakePackText(const CString& text)
{
    if (m_hWnd)
        m_pack.SetValue(text);
}

template <class Traits>
void VqsOptionPagePlatformComponentEnv<Traits>::TakeExpectedNumber(std::int64_t value)
{
    if (m_hWnd)
        m_expected.SetValue(value);
}

template class VqsOptionPagePlatformComponentEnv<VqsNTComponentEnvTraits>;
template class VqsOptionPagePlatformComponentEnv<VqsUnixComponentEnvTraits>;

VqsOptionPageNTUnixEventEnv::VqsOptionPageNTUnixEventEnv(VqsOptions_Ispec_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageNTUnixIspecEnv(sheet, dialogId, pageIndex),
      m_volume(m_table.Number(IDC_VOLUME, VQS_NUMBER_OPTION(PxEventOptions, Volume)))
{
}

BOOL VqsOptionPageNTUnixEventEnv::OnInitDialog()
{
    VqsOptionPageNTUnixIspecEnv::OnInitDialog();
    if (const PxEventOptionsPtr record{m_pTypedSheet->GetTypedOptions()})
        LimitDigits(m_volume, *record, &PxEventOptions::HasUpperLimitVolume, 8);
    return TRUE;
}

VqsOptionPageNTComponentGenerate::VqsOptionPageNTComponentGenerate(VqsOptionsSheet* sheet, UINT dialogId,
                                                                   int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_GENERATE, pageIndex),
      m_clusterIndex(m_table.Combo(IDC_CLUSTER_INDEX, VQS_TEXT_OPTION(PxNTCompOptions, ClusterIndex), kNoValidator,
                                   VqsOptionTable::NoValidate)),
      m_useDefault(m_table.DefaultBox(IDC_USE_DEFAULT_CLUSTER_INDEX, IDC_CLUSTER_INDEX))
{
}

// The ordinates of the profiles over this component, and the profiles whose ordinate is
// named like it.
void VqsOptionPageNTComponentGenerate::AdjustLoadedValues()
{
    CStringArray names;
    const PxVQIspecSoftLinkPtr component(PxVQOptionsPtr(m_pSheet->GetOptions())->GetSoftLink());
    const PxVQBSSoftLinkPtr segment = component ? component->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    if (segment) {
        PxTypedList<PxVQElementSoftLinkPtr> links;
        segment->GetListOfElementSoftLinks(links);
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            const PxVQProfileSoftLinkPtr profile(links.GetNext(pos));
            if (!profile)
                continue;
            const PxVQIspecSoftLinkPtr over = profile->GetComponent();
            const CString ordinate = profile->GetOrdinateName();
            if (over && over->IsSameOid(PxObjectPtr(component)))
                names.Add(ordinate);
            else if (ordinate == component->GetName())
                names.Add(profile->GetName());
        }
    }
    vqsntunix::OfferChoices(m_clusterIndex, names);
}

template <class Traits>
VqsOptionPagePlatformProfileEnv<Traits>::VqsOptionPagePlatformProfileEnv(VqsOptions_Profile_Sheet* sheet,
                                                                         UINT dialogId, int pageIndex)
    : VqsOptionPageProfileEnv(sheet, dialogId, pageIndex), m_userMaintained(&m_connector, Traits::kUserMaintainedId)
{
}

template <class Traits>
BOOL VqsOptionPagePlatformProfileEnv<Traits>::OnSetActive()
{
    const BOOL active = VqsOptionPageProfileEnv::OnSetActive();
    UpdateData(FALSE);
    return active;
}

// A clear box is the default only when the default is clear too.
template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::StoreOptions()
{
    VqsOptionPageProfileEnv::StoreOptions();
    const PxPtr<Record> record(m_pTypedSheet->GetTypedOptions());
    const int marked = m_userMaintained.m_bValue ? 1 : 0;
    if (marked == (record->GetDefaultProfUserMaintained() ? 1 : 0))
        record->MakeDefaultProfUserMaintained();
    else
        record->SetProfUserMaintained(marked);
}

template <class Traits>
BOOL VqsOptionPagePlatformProfileEnv<Traits>::IsNotUpdated()
{
    return VqsOptionPageProfileEnv::IsNotUpdated() &&
           !PxPtr<Record>(m_pTypedSheet->GetTypedOptions())->IsUpdatedProfUserMaintained();
}

template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::ClearOptions()
{
    VqsOptionPageProfileEnv::ClearOptions();
    PxPtr<Record>(m_pTypedSheet->GetTypedOptions())->ClearProfUserMaintained();
}

template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::AdjustLoadedValues()
{
    VqsOptionPageProfileEnv::AdjustLoadedValues();
    vqsntunix::OfferChoices(m_pack, vqsntunix::EnterprisePacks(vqsntunix::PackList::Database));
    m_userMaintained.m_bValue = PxPtr<Record>(m_pTypedSheet->GetTypedOptions())->GetProfUserMaintained();
}

template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::EnableDependentControls()
{
    VqsOptionPageProfileEnv::EnableDependentControls();
    TellStorage();
    m_userMaintained.Enable(!IsUserMaintainedLocked());
}

// The profile's logic ties it to what it is over: an event it does not span, a component
// marked user-maintained, a linked ordinate or a condition. A link that cannot be followed
// ties nothing.
template <class Traits>
BOOL VqsOptionPagePlatformProfileEnv<Traits>::IsUserMaintainedLocked() const
{
    const PxPtr<Record> record(m_pTypedSheet->GetTypedOptions());
    if ((m_userMaintained.m_bValue ? 1 : 0) != (record->GetDefaultProfUserMaintained() ? 1 : 0))
        return FALSE;
    const PxLSEProfilePtr profile(vqsntunix::EditedDesignElement(*m_pSheet));
    const PxVQBSSoftLinkPtr segment = vqsntunix::EditedSegmentLink(*m_pSheet);
    if (!profile || !segment)
        return FALSE;
    PxTypedList<PxLSERelationPtr> relations;
    profile->GetTargetList(relations);
    for (POSITION pos = relations.GetHeadPosition(); pos;) {
        const PxLSERelationPtr relation = relations.GetNext(pos);
        const PxLSEDskObjectPtr target = relation ? relation->GetTarget() : PxLSEDskObjectPtr();
        if (!target || !vqsntunix::IsOverRelation(relation->GetRelationString()))
            continue;
        if (target->_IsA("PxLSEEvent"))
            return profile->GetSpanAllEvents() ? FALSE : TRUE;
        const PxVQElementSoftLinkPtr link = segment->GetElementSoftLink(target->GetName());
        if (!link)
            return FALSE;
        const PxPtr<typename Traits::ComponentRecord> component(link->GetOptions(record->GetOptionSet()));
        if (component && component->GetCompUserMaintained())
            return TRUE;
    }
    return vqsntunix::HasLinkedOrdinate(profile) || vqsntunix::HasCondition(profile);
}

template <class Traits>
VqsOptionPageUnixProfileOracledb* VqsOptionPagePlatformProfileEnv<Traits>::Storage() const
{
    if constexpr (Traits::kUnix)
        return VqsFindSheetPage<VqsOptionPageUnixProfileOracledb>(*m_pSheet);
    return nullptr;
}

template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::TellStorage()
{
    VqsOptionPageUnixProfileOracledb* storage = Storage();
    if (!storage)
        return;
    storage->EnablePackCombo(!m_useDefaultPack.m_bValue);
    storage->SetPackText(vqsoptiontable::KnownValue(m_pack));
    storage->EnableExpectedNumber(IsExpectedNumberOwn());
    storage->SetExpectedNumber(GetExpectedNumber());
}

template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::OnOptionTaken(UINT id)
{
    VqsOptionPageProfileEnv::OnOptionTaken(id);
    if (id == IDC_PROFILE_PACK || id == IDC_USE_DEFAULT_PROFILE_PACK)
        TellStorage();
}

template <class Traits>
BOOL VqsOptionPagePlatformProfileEnv<Traits>::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == Traits::kUserMaintainedId && code == BN_CLICKED)
        OnOptionChanged(&m_userMaintained, TRUE);
    const BOOL handled = VqsOptionPageProfileEnv::OnCommand(wParam, lParam);
    const BOOL estimate = code == BN_CLICKED && (id == IDC_DEFAULT_ESTIMATES || id == IDC_EXPECTED_ESTIMATE ||
                                                 id == IDC_PERCENT_ESTIMATE);
    if (estimate || (id == IDC_PROFILE_EXPECTED && code == EN_CHANGE && m_bModified))
        TellStorage();
    return handled;
}

template <class Traits>
std::optional<CString> VqsOptionPagePlatformProfileEnv<Traits>::GetPackText() const
{
    if (m_hWnd)
        return vqsoptiontable::KnownValue(m_pack);
    return vqsoptiontable::ReadKnown([&] { return m_pTypedSheet->GetTypedOptions()->GetPack(); });
}

template <class Traits>
BOOL VqsOptionPagePlatformProfileEnv<Traits>::IsPackDefault() const
{
    if (m_hWnd)
        return m_useDefaultPack.m_bValue;
    return m_pTypedSheet->GetTypedOptions()->IsDefaultPack();
}

// While the page shows the expected number it is the edit's, as typed so far.
template <class Traits>
std::optional<std::int64_t> VqsOptionPagePlatformProfileEnv<Traits>::GetExpectedNumber() const
{
    if (!m_hWnd)
        return vqsoptiontable::ReadKnown([&] { return m_pTypedSheet->GetTypedOptions()->GetExpectedOrVolume(); });
    if (m_expectedNumber.IsValueUnread())
        return std::nullopt;
    if (m_estimate.m_nValue == ExpectedNumber)
        return EditNumber(*this, IDC_PROFILE_EXPECTED);
    return m_expectedNumber.GetValue();
}

template <class Traits>
BOOL VqsOptionPagePlatformProfileEnv<Traits>::IsExpectedNumberOwn() const
{
    if (m_hWnd)
        return m_estimate.m_nValue == ExpectedNumber;
    return !m_pTypedSheet->GetTypedOptions()->IsDefaultExpectedOrVolume();
}

template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::TakePackText(const CString& text)
{
    if (m_hWnd)
        m_pack.SetValue(text);
}

template <class Traits>
void VqsOptionPagePlatformProfileEnv<Traits>::TakeExpectedNumber(std::int64_t value)
{
    if (m_hWnd && m_estimate.m_nValue == ExpectedNumber)
        m_expectedNumber.SetValue(value);
}

template class VqsOptionPagePlatformProfileEnv<VqsNTProfileEnvTraits>;
template class VqsOptionPagePlatformProfileEnv<VqsUnixProfileEnvTraits>;

template <bool Unix>
VqsOptionPagePlatformReportEnv<Unix>::VqsOptionPagePlatformReportEnv(VqsOptions_Report_Sheet* sheet, UINT dialogId,
                                                                     int pageIndex)
    : VqsOptionPageReportEnv(sheet, dialogId, pageIndex)
{
    if constexpr (Unix)
        m_rollBackSegment = std::make_unique<VqsOptCtrlString>(&m_connector, IDC_ROLL_BACK_SEGMENT,
                                                               kRollBackSegmentLength, kIdValidator);
}

template <bool Unix>
PxUnixReportOptionsPtr VqsOptionPagePlatformReportEnv<Unix>::UnixRecord() const
{
    return PxUnixReportOptionsPtr(m_pTypedSheet->GetTypedOptions());
}

template <bool Unix>
void VqsOptionPagePlatformReportEnv<Unix>::AdjustLoadedValues()
{
    VqsOptionPageReportEnv::AdjustLoadedValues();
    vqsntunix::OfferChoices(m_extractPack, vqsntunix::EnterprisePacks(vqsntunix::PackList::Path));
    if constexpr (Unix)
        m_rollBackSegment->SetValue(UnixRecord()->GetRollBackSegmentName());
}

template <bool Unix>
BOOL VqsOptionPagePlatformReportEnv<Unix>::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if constexpr (Unix)
        if (LOWORD(wParam) == IDC_ROLL_BACK_SEGMENT && HIWORD(wParam) == EN_CHANGE)
            OnOptionChanged(m_rollBackSegment.get(), TRUE);
    return VqsOptionPageReportEnv::OnCommand(wParam, lParam);
}

// The default name shown is stored only once the segment has a name of its own.
template <bool Unix>
void VqsOptionPagePlatformReportEnv<Unix>::StoreOptions()
{
    if constexpr (Unix) {
        const PxUnixReportOptionsPtr record = UnixRecord();
        const CString name = m_rollBackSegment->GetValue();
        if (record->IsUpdatedRollBackSegmentName() || name != record->GetDefaultRollBackSegmentName())
            record->SetRollBackSegmentName(name);
    }
    VqsOptionPageReportEnv::StoreOptions();
}

template <bool Unix>
BOOL VqsOptionPagePlatformReportEnv<Unix>::IsNotUpdated()
{
    if constexpr (Unix)
        if (UnixRecord()->IsUpdatedRollBackSegmentName())
            return FALSE;
    return VqsOptionPageReportEnv::IsNotUpdated();
}

template <bool Unix>
void VqsOptionPagePlatformReportEnv<Unix>::ClearOptions()
{
    if constexpr (Unix)
        UnixRecord()->ClearRollBackSegmentName();
    VqsOptionPageReportEnv::ClearOptions();
}

template class VqsOptionPagePlatformReportEnv<false>;
template class VqsOptionPagePlatformReportEnv<true>;

template <bool Unix>
VqsOptionPagePlatformReportExtractFile<Unix>::VqsOptionPagePlatformReportExtractFile(VqsOptions_Report_Sheet* sheet,
                                                                                     UINT dialogId, int pageIndex)
    : VqsOptionPageReportExtractFile(sheet, dialogId, pageIndex), m_kind(&m_connector, IDC_DISK, IDC_TAPE),
      m_format(&m_connector, IDC_INTERNAL, IDC_GENERIC)
{
    if constexpr (Unix) {
        m_useDefaultBlocking = std::make_unique<VqsOptCtrlFlag>(&m_connector, IDC_USE_DEFAULT_BLOCKING);
        m_diskBlocking = std::make_unique<VqsOptCtrlInt>(&m_connector, IDC_DISK_BLOCKING);
        m_tapeBlocking = std::make_unique<VqsOptCtrlInt>(&m_connector, IDC_TAPE_BLOCKING);
    }
}

template <bool Unix>
void VqsOptionPagePlatformReportExtractFile<Unix>::LoadOptions()
{
    const PxReportOptionsPtr& record = m_pTypedSheet->GetTypedOptions();
    m_kind.m_nValue = record->GetExtractFileKind(m_nFileIndex) ? Tape : Disk;
    m_format.m_nValue = record->GetRecordFormat(m_nFileIndex) ? 1 : 0;
    if constexpr (Unix) {
        const PxUnixReportOptionsPtr unix(record);
        std::int64_t limit = 0;
        if (unix->HasLowerLimitExtractFileRecOrBlock(limit)) {
            m_diskBlocking->SetMinimum(limit);
            m_tapeBlocking->SetMinimum(1);
        }
        if (unix->HasUpperLimitExtractFileRecOrBlock(limit)) {
            m_diskBlocking->SetMaximum(limit);
            m_tapeBlocking->SetMaximum(limit);
        }
        m_useDefaultBlocking->m_bValue = unix->IsDefaultExtractFileRecOrBlock(m_nFileIndex);
        if (m_useDefaultBlocking->m_bValue) {
            m_diskBlocking->SetNotAvailable();
        } else {
            const std::int64_t blocking = unix->GetExtractFileRecOrBlock(m_nFileIndex);
            m_diskBlocking->SetValue(blocking);
            m_tapeBlocking->SetValue(std::max<std::int64_t>(blocking, 1));
        }
    }
    VqsOptionPageReportExtractFile::LoadOptions();
}

template <bool Unix>
void VqsOptionPagePlatformReportExtractFile<Unix>::StoreOptions()
{
    VqsOptionPageReportExtractFile::StoreOptions();
    const PxReportOptionsPtr& record = m_pTypedSheet->GetTypedOptions();
    if constexpr (Unix) {
        const PxUnixReportOptionsPtr unix(record);
        if (m_kind.m_nValue == Tape)
            unix->SetExtractFileRecOrBlock(m_nFileIndex, m_tapeBlocking->GetValue());
        else if (m_useDefaultBlocking->m_bValue)
            unix->MakeDefaultExtractFileRecOrBlock(m_nFileIndex);
        else
            unix->SetExtractFileRecOrBlock(m_nFileIndex, m_diskBlocking->GetValue());
    }
    record->SetExtractFileKind(m_nFileIndex, m_kind.m_nValue);
    record->SetRecordFormat(m_nFileIndex, m_format.m_nValue);
}

// The kind, format and blocking of every extract file count: a report is never taken for being
// at its defaults while one of its files keeps own values.
template <bool Unix>
BOOL VqsOptionPagePlatformReportExtractFile<Unix>::IsNotUpdated()
{
    if (!VqsOptionPageReportExtractFile::IsNotUpdated())
        return FALSE;
    const PxReportOptionsPtr& record = m_pTypedSheet->GetTypedOptions();
    for (int file = 0; file < kExtractFiles; ++file) {
        if constexpr (Unix)
            if (PxUnixReportOptionsPtr(record)->IsUpdatedExtractFileRecOrBlock(file))
                return FALSE;
        if (record->IsUpdatedRecordFormat(file) || record->IsUpdatedExtractFileKind(file))
            return FALSE;
    }
    return TRUE;
}

template <bool Unix>
void VqsOptionPagePlatformReportExtractFile<Unix>::ClearOptions()
{
    VqsOptionPageReportExtractFile::ClearOptions();
    const PxReportOptionsPtr& record = m_pTypedSheet->GetTypedOptions();
    if constexpr (Unix)
        PxUnixReportOptionsPtr(record)->ClearExtractFileRecOrBlock(m_nFileIndex);
    record->ClearExtractFileKind(m_nFileIndex);
    record->ClearRecordFormat(m_nFileIndex);
}

template <bool Unix>
void VqsOptionPagePlatformReportExtractFile<Unix>::EnableDependentControls()
{
    const BOOL used = m_useFile.m_bValue;
    m_format.Enable(used);
    if constexpr (!Unix) {
        m_kind.Enable(FALSE);
    } else {
        const BOOL disk = used && m_kind.m_nValue == Disk;
        m_kind.Enable(used);
        m_useDefaultBlocking->Enable(disk);
        m_diskBlocking->Enable(disk && !m_useDefaultBlocking->m_bValue);
        m_tapeBlocking->Enable(used && m_kind.m_nValue == Tape);
    }
}

template <bool Unix>
BOOL VqsOptionPagePlatformReportExtractFile<Unix>::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED && (id == IDC_DISK || id == IDC_TAPE)) {
        if (OnOptionChanged(&m_kind, TRUE))
            EnableDependentControls();
    } else if (code == BN_CLICKED && (id == IDC_INTERNAL || id == IDC_GENERIC)) {
        OnOptionChanged(&m_format, TRUE);
    } else if constexpr (Unix) {
        if (code == BN_CLICKED && id == IDC_USE_DEFAULT_BLOCKING && OnOptionChanged(m_useDefaultBlocking.get(), TRUE)) {
            if (m_useDefaultBlocking->m_bValue)
                m_diskBlocking->SetNotAvailable();
            EnableDependentControls();
            UpdateData(FALSE);
        } else if (code == EN_CHANGE && (id == IDC_DISK_BLOCKING || id == IDC_TAPE_BLOCKING)) {
            BeginModify(nullptr, TRUE);
        }
    }
    return VqsOptionPageReportExtractFile::OnCommand(wParam, lParam);
}

template class VqsOptionPagePlatformReportExtractFile<false>;
template class VqsOptionPagePlatformReportExtractFile<true>;
