#include "options_nt_unix/VqsOptionPageNTUnixBSegBulkOptions.h"

#include "options/VqsColumnAdaptersWithDefault.h"
#include "options_qsr/VqsQSRColumnAdapters.h"

namespace {

constexpr int IDC_ISPEC_SERVICE = 1967;
constexpr int IDC_ISPEC_SERVICE_DEFAULT = 1964;
constexpr int IDC_ISPEC_PACK = 1974;
constexpr int IDC_ISPEC_PACK_DEFAULT = 1975;
constexpr int IDC_ISPEC_EXPECTED = 1027;

constexpr int IDC_PROFILE_PACK_DEFAULT = 1995;
constexpr int IDC_PROFILE_PACK = 1994;
constexpr int IDC_PROFILE_SIZING_TYPE = 1996;
constexpr int IDC_PROFILE_SIZING_VALUE = 1997;

constexpr int IDC_REPORT_EXTRACT_PACK_DEFAULT = 1991;
constexpr int IDC_REPORT_EXTRACT_PACK = 1985;
constexpr int IDC_REPORT_OLTP_CLIENT = 1993;

constexpr int IDC_GLG_SEPARATE_COMPILE = 1017;

constexpr int kNoValidator = 0;
constexpr int kServiceCharacters = 15;
constexpr int kExpectedCharacters = 8;
constexpr int kSizingCharacters = 10;

constexpr std::int64_t kExpectedInPlaceOfZero = 100;
constexpr std::int64_t kVolumeInPlaceOfZero = 1000;

template <class Record>
Record* RecordOf(PxOptionsPtr* row)
{
    return dynamic_cast<Record*>(VqsRowRecord(row));
}

} // namespace

template <class Traits>
VqsPlatformIspecExpectedPxAdapter<Traits>::VqsPlatformIspecExpectedPxAdapter(VqsOptCtrlString* edit)
    : VqsNumericValuePxAdapter("Expected", 60, edit)
{
}

template <class Traits>
BOOL VqsPlatformIspecExpectedPxAdapter<Traits>::GetValue(PxOptionsPtr* row, std::int64_t& value)
{
    if (auto* component = RecordOf<typename Traits::Component>(row)) {
        value = component->GetExpected();
        return TRUE;
    }
    if (auto* event = RecordOf<typename Traits::Event>(row)) {
        value = event->GetVolume();
        return TRUE;
    }
    return FALSE;
}

template <class Traits>
void VqsPlatformIspecExpectedPxAdapter<Traits>::SetValue(PxOptionsPtr* row, std::int64_t value)
{
    if (auto* component = RecordOf<typename Traits::Component>(row))
        component->SetExpected(value ? value : kExpectedInPlaceOfZero);
    else if (auto* event = RecordOf<typename Traits::Event>(row))
        event->SetVolume(value ? value : kVolumeInPlaceOfZero);
}

template <class Traits>
BOOL VqsPlatformIspecExpectedPxAdapter<Traits>::HasLowerLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    if (auto* component = RecordOf<typename Traits::Component>(row))
        return component->HasLowerLimitExpected(limit);
    if (auto* event = RecordOf<typename Traits::Event>(row))
        return event->HasLowerLimitVolume(limit);
    return FALSE;
}

template <class Traits>
BOOL VqsPlatformIspecExpectedPxAdapter<Traits>::HasUpperLimit(PxOptionsPtr* row, std::int64_t& limit)
{
    if (auto* component = RecordOf<typename Traits::Component>(row))
        return component->HasUpperLimitExpected(limit);
    if (auto* event = RecordOf<typename Traits::Event>(row))
        return event->HasUpperLimitVolume(limit);
    return FALSE;
}

template <class Traits>
VqsPlatformGlgSeparateCompilePxAdapter<Traits>::VqsPlatformGlgSeparateCompilePxAdapter(VqsOptCtrlFlag* box)
    : VqsBOOLValuePxAdapter("Separately Compiled", 150, box)
{
}

template <class Traits>
BOOL VqsPlatformGlgSeparateCompilePxAdapter<Traits>::GetValue(PxOptionsPtr* row, int& value)
{
    auto* logic = RecordOf<typename Traits::GlobalLogic>(row);
    if (!logic)
        return FALSE;
    value = logic->GetSeparateCompile();
    return TRUE;
}

template <class Traits>
void VqsPlatformGlgSeparateCompilePxAdapter<Traits>::SetValue(PxOptionsPtr* row, int value)
{
    if (auto* logic = RecordOf<typename Traits::GlobalLogic>(row))
        logic->SetSeparateCompile(value);
}

template <class Traits>
VqsPlatformIspecBulkOptionPanel<Traits>::VqsPlatformIspecBulkOptionPanel(VqsElementListCtrl* list,
                                                                         const PxBSegOptionsPtr& segment, CWnd* parent)
    : VqsBulkOptionPanel(Traits::kIspecPanel, list, segment, parent),
      m_service(&m_connector, IDC_ISPEC_SERVICE, kServiceCharacters, kNoValidator),
      m_serviceDefault(&m_connector, IDC_ISPEC_SERVICE_DEFAULT), m_pack(&m_connector, IDC_ISPEC_PACK, kNoValidator),
      m_packDefault(&m_connector, IDC_ISPEC_PACK_DEFAULT),
      m_expected(&m_connector, IDC_ISPEC_EXPECTED, kExpectedCharacters, kNoValidator)
{
}

template <class Traits>
BOOL VqsPlatformIspecBulkOptionPanel<Traits>::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Ispec Name", 70));
    AddColumn(new VqsElementListCtrlIspecTypePxAdapter("Type", 60));
    AddColumn(new VqsElementListCtrlIspecUsagePxAdapter("Usage", 60));
    AddColumn(new VqsPlatformIspecExpectedPxAdapter<Traits>(&m_expected));
    AddColumn(new VqsElementListCtrlIspecServicePxAdapter(&m_serviceDefault, &m_service, m_pSegment));
    AddColumn(new VqsElementListCtrlIspecPackPxAdapter(&m_packDefault, &m_pack));
    return TRUE;
}

template <class Traits>
VqsPlatformProfileBulkOptionPanel<Traits>::VqsPlatformProfileBulkOptionPanel(VqsElementListCtrl* list,
                                                                             const PxBSegOptionsPtr& segment,
                                                                             CWnd* parent)
    : VqsBulkOptionPanel(Traits::kProfilePanel, list, segment, parent),
      m_packDefault(&m_connector, IDC_PROFILE_PACK_DEFAULT), m_pack(&m_connector, IDC_PROFILE_PACK, kNoValidator),
      m_sizingType(&m_connector, IDC_PROFILE_SIZING_TYPE, kNoValidator),
      m_sizingValue(&m_connector, IDC_PROFILE_SIZING_VALUE, kSizingCharacters, kNoValidator)
{
}

template <class Traits>
BOOL VqsPlatformProfileBulkOptionPanel<Traits>::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlProfNamePxAdapter("Profile Name", 100));
    AddColumn(new VqsProfileOverIspecPxAdapter());
    AddColumn(new VqsElementListCtrlProfilePackPxAdapter(&m_packDefault, &m_pack));
    AddColumn(new VqsElementListCtrlProfileSizingPxAdapter(&m_sizingType, &m_sizingValue));
    return TRUE;
}

template <class Traits>
VqsPlatformReportBulkOptionPanel<Traits>::VqsPlatformReportBulkOptionPanel(VqsElementListCtrl* list,
                                                                           const PxBSegOptionsPtr& segment,
                                                                           CWnd* parent)
    : VqsBulkOptionPanel(Traits::kReportPanel, list, segment, parent),
      m_extractPackDefault(&m_connector, IDC_REPORT_EXTRACT_PACK_DEFAULT),
      m_extractPack(&m_connector, IDC_REPORT_EXTRACT_PACK, kNoValidator),
      m_oltpClient(&m_connector, IDC_REPORT_OLTP_CLIENT)
{
}

template <class Traits>
BOOL VqsPlatformReportBulkOptionPanel<Traits>::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Report Name", 100));
    AddColumn(new VqsReportExtractPackPxAdapter(&m_extractPackDefault, &m_extractPack));
    AddColumn(new VqsReportOltpClientPxAdapter(&m_oltpClient, m_pSegment));
    return TRUE;
}

template <class Traits>
VqsPlatformGlbLogicsBulkOptionPanel<Traits>::VqsPlatformGlbLogicsBulkOptionPanel(VqsElementListCtrl* list,
                                                                                 const PxBSegOptionsPtr& segment,
                                                                                 CWnd* parent)
    : VqsBulkOptionPanel(Traits::kGlobalLogicsPanel, list, segment, parent),
      m_separateCompile(&m_connector, IDC_GLG_SEPARATE_COMPILE)
{
}

template <class Traits>
BOOL VqsPlatformGlbLogicsBulkOptionPanel<Traits>::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Logic Name", 120));
    AddColumn(new VqsPlatformGlgSeparateCompilePxAdapter<Traits>(&m_separateCompile));
    return TRUE;
}

template <class Traits>
void VqsOptionPagePlatformBSegBulkOptions<Traits>::CreatePanels()
{
    const PxBSegOptionsPtr& segment = m_pTypedSheet->GetTypedOptions();
    auto* ispecs = new VqsPlatformIspecBulkOptionPanel<Traits>(&m_list, segment, this);
    ispecs->Create(Traits::kIspecPanel, this);
    AdoptPanel(Ispecs, ispecs);
    auto* profiles = new VqsPlatformProfileBulkOptionPanel<Traits>(&m_list, segment, this);
    profiles->Create(Traits::kProfilePanel, this);
    AdoptPanel(Profiles, profiles);
    auto* reports = new VqsPlatformReportBulkOptionPanel<Traits>(&m_list, segment, this);
    reports->Create(Traits::kReportPanel, this);
    AdoptPanel(Reports, reports);
    auto* logics = new VqsPlatformGlbLogicsBulkOptionPanel<Traits>(&m_list, segment, this);
    logics->Create(Traits::kGlobalLogicsPanel, this);
    AdoptPanel(GlobalLogics, logics);
}

template class VqsOptionPagePlatformBSegBulkOptions<VqsNTBulkTraits>;
template class VqsOptionPagePlatformBSegBulkOptions<VqsUnixBulkTraits>;
