#include "options_tarsk/VqsOptionPageTarskProfileDb.h"

#include "options_tarsk/VqsOptionsElementTarskSheets.h"
#include "options_tarsk/VqsTarskSysTables.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/Messages.h"

namespace {

constexpr UINT IDS_FOLN = 61569;

constexpr UINT IDC_DEFAULT_ESTIMATES = 32912;
constexpr UINT IDC_EXPECTED_ESTIMATE = 32914;
constexpr UINT IDC_PERCENT_ESTIMATE = 32915;
constexpr UINT IDC_PERCENT = 32916;
constexpr UINT IDC_POPULATION_SIZING = 32926;
constexpr UINT IDC_MAX_PAGES_SIZING = 32927;
constexpr UINT IDC_MAX_PAGES = 32928;
constexpr UINT IDC_INITIAL_RESERVE = 32929;
constexpr UINT IDC_LOAD_FACTOR = 32930;
constexpr UINT IDC_COMPRESSION = 32935;
constexpr UINT IDC_RECORD_LOCKING = 32936;
constexpr UINT IDC_PAGE_LOCKING = 32937;
constexpr UINT IDC_EXPECTED_OR_VOLUME = 32938;
constexpr UINT IDC_DATA_PAGE_FACTOR = 32910;
constexpr UINT IDC_INDEX_PAGE_FACTOR = 32911;
constexpr UINT IDC_MERGE_FACTOR = 32913;

constexpr VqsTarskDbControls kControls = {32917, 32918, 32919, 32920, 32921, 32922, 32923,
                                          32971, 32925, 32932, 32931, 32934, 32933};

constexpr int kPopulationSizing = 0;
constexpr int kMaxPagesSizing = 1;
constexpr std::int64_t kLeastMaxPages = 8;
constexpr std::int64_t kLeastEstimate = 1;
constexpr const char* kEventDatabase = "EVENT";

// The database the profile's ordinate relation points to: "EVENT" for the system EVENT,
// a component's name, or empty. The first relation marked with an O to an event or a
// component decides.
CString OrdinateDatabase(const PxLSEProfilePtr& profile)
{
    PxTypedList<PxLSERelationPtr> relations;
    profile->GetTargetList(relations);
    for (POSITION pos = relations.GetHeadPosition(); pos;) {
        const PxLSERelationPtr relation = relations.GetNext(pos);
        const CString marks = relation->GetRelationString();
        if (marks.Find('O') < 0 && marks.Find('o') < 0)
            continue;
        const PxLSEDskObjectPtr target = relation->GetTarget();
        if (PxLSEEventPtr(target))
            return kEventDatabase;
        if (const PxLSEComponentPtr component{target})
            return component->GetName();
    }
    return CString();
}

} // namespace

VqsOptionPageTarskProfileDb::VqsOptionPageTarskProfileDb(VqsOptions_Profile_Tarsk_Sheet* sheet, UINT dialogId,
                                                         int pageIndex)
    : VqsOptionPageTarskElementDb(sheet, *sheet, dialogId, IDS_FOLN, pageIndex, kControls, TRUE),
      m_pTypedSheet(sheet),
      m_sizing(m_table.Radio(VQS_OPTION(PxTarskProfileOptions, ProMaxPagesSpecify), IDC_POPULATION_SIZING,
                             IDC_MAX_PAGES_SIZING)),
      m_maxPages(m_table.Number(IDC_MAX_PAGES, VQS_NUMBER_OPTION(PxTarskProfileOptions, ProMaxPages),
                                VqsOptionTable::Validate)),
      m_estimate(&m_connector, IDC_DEFAULT_ESTIMATES, IDC_EXPECTED_ESTIMATE, IDC_PERCENT_ESTIMATE),
      m_expectedOrVolume(&m_connector, IDC_EXPECTED_OR_VOLUME), m_percent(&m_connector, IDC_PERCENT)
{
    m_table.Number(IDC_INITIAL_RESERVE, VQS_NUMBER_OPTION(PxTarskProfileOptions, ProInitialReserve),
                   VqsOptionTable::Validate);
    m_table.Number(IDC_LOAD_FACTOR, VQS_NUMBER_OPTION(PxTarskProfileOptions, ProLoadFactor),
                   VqsOptionTable::Validate);
    m_table.Number(IDC_DATA_PAGE_FACTOR, VQS_NUMBER_OPTION(PxTarskProfileOptions, ProDataPageFactor),
                   VqsOptionTable::Validate);
    m_table.Number(IDC_INDEX_PAGE_FACTOR, VQS_NUMBER_OPTION(PxTarskProfileOptions, ProIndexPageFactor),
                   VqsOptionTable::Validate);
    m_table.Number(IDC_MERGE_FACTOR, VQS_NUMBER_OPTION(PxTarskProfileOptions, ProMergeFactor),
                   VqsOptionTable::Validate);
    m_table.Flag(IDC_COMPRESSION, VQS_OPTION(PxTarskProfileOptions, ProCompression));
    m_table.Radio(VQS_OPTION(PxTarskProfileOptions, ProPageLevelLocking), IDC_RECORD_LOCKING, IDC_PAGE_LOCKING);

    const PxTarskProfileOptions& options = Options();
    SetBounds(m_qubNumber, options, &PxTarskProfileOptions::HasLowerLimitProfileWEXQUBno,
              &PxTarskProfileOptions::HasUpperLimitProfileWEXQUBno);
    SetBounds(m_expectedOrVolume, options, &PxProfileOptions::HasLowerLimitExpectedOrVolume,
              &PxProfileOptions::HasUpperLimitExpectedOrVolume);
    SetBounds(m_percent, options, &PxProfileOptions::HasLowerLimitPercent, &PxProfileOptions::HasUpperLimitPercent);
    m_pack.SetTextLimit(static_cast<int>(options.GetMaxLengthPack()));
    m_duplexPack.SetTextLimit(static_cast<int>(options.GetMaxLengthPack()));
}

PxTarskProfileOptions& VqsOptionPageTarskProfileDb::Options() const
{
    return *m_pTypedSheet->GetTarskOptions();
}

// The forced sizing is decided once, on the first showing; a profile whose design model
// cannot be found loads as one that is not forced.
BOOL VqsOptionPageTarskProfileDb::OnInitDialog()
{
    if (!m_bInitialised) {
        m_bInitialised = TRUE;
        m_bForced = MaxPagesForcedByRelations();
    }
    VqsOptionPageTarskElementDb::OnInitDialog();
    const struct {
        UINT id;
        int characters;
    } limits[] = {{IDC_MERGE_FACTOR, 2},        {IDC_DATA_PAGE_FACTOR, 3}, {IDC_INDEX_PAGE_FACTOR, 3},
                  {IDC_LOAD_FACTOR, 3},         {IDC_INITIAL_RESERVE, 3},  {IDC_MAX_PAGES, 10},
                  {IDC_EXPECTED_OR_VOLUME, 10}, {IDC_PERCENT, 3}};
    for (const auto& limit : limits)
        LimitText(limit.id, limit.characters);
    return TRUE;
}

BOOL VqsOptionPageTarskProfileDb::MaxPagesForcedByRelations() const
{
    try {
        const PxTarskProfileOptions& options = Options();
        const PxVQElementSoftLinkPtr element(options.GetSoftLink());
        const PxVQBSSoftLinkPtr segmentLink = element ? element->GetBSSoftLink() : PxVQBSSoftLinkPtr();
        VqsSysApp* app = VqsGetApp();
        const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
        if (!segmentLink || !enterprise)
            return FALSE;
        const PxLSEBusinessSegmentPtr segment = enterprise->GetBusinessSegment(segmentLink->GetName());
        const PxLSEProfilePtr profile(segment ? segment->GetElement(element->GetName()) : PxLSEElementPtr());
        if (!profile)
            return FALSE;
        const CString database = OrdinateDatabase(profile);
        if (database == kEventDatabase) {
            const PxTarskBSegOptionsPtr segmentOptions(segmentLink->GetOptions(options.GetOptionSet()));
            return segmentOptions && segmentOptions->GetBSMaxPagesSpecified(vqstarsk::kEventSlot);
        }
        if (database.IsEmpty())
            return FALSE;
        const PxVQIspecSoftLinkPtr ispec(segmentLink->GetElementSoftLink(database));
        const PxTarskCompOptionsPtr component(ispec ? ispec->GetOptions(options.GetOptionSet()) : PxOptionsPtr());
        return component && component->GetCompMaxPagesSpecify();
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
        return FALSE;
    }
}

void VqsOptionPageTarskProfileDb::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPageTarskElementDb::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate || !m_connector.IsStrict())
        return;
    RequireAtLeast(pDX, m_maxPages, IDC_MAX_PAGES, kLeastMaxPages);
    RequireAtLeast(pDX, m_expectedOrVolume, IDC_EXPECTED_OR_VOLUME, kLeastEstimate);
    RequireAtLeast(pDX, m_percent, IDC_PERCENT, kLeastEstimate);
}

VqsTarskDbPlacement VqsOptionPageTarskProfileDb::ReadPlacement() const
{
    const PxTarskProfileOptions& options = Options();
    VqsTarskDbPlacement stored;
    stored.qubNumber = options.GetProfileWEXQUBno();
    stored.noQub = options.IsDefaultProfileWEXQUBno();
    stored.packDefault = options.IsDefaultPack();
    stored.pack = options.GetPack();
    stored.duplexDefault = options.IsDefaultProfileQUBDuplexPack();
    stored.duplexPack = options.GetProfileQUBDuplexPack();
    stored.pageSize = vqsoptiontable::ReadKnown([&] { return options.GetProfileMinPageSize(); });
    stored.pageSizeDefault = options.IsDefaultProfileMinPageSize();
    stored.audited = static_cast<int>(options.GetProAudited());
    stored.keepAssigned = static_cast<int>(options.GetProKeepAssigned());
    return stored;
}

void VqsOptionPageTarskProfileDb::WritePlacement(const VqsTarskDbPlacement& shown)
{
    PxTarskProfileOptions& options = Options();
    if (shown.qubNumber != 0)
        options.SetProfileWEXQUBno(shown.qubNumber);
    else
        options.MakeDefaultProfileWEXQUBno();
    if (shown.packDefault)
        options.MakeDefaultPack();
    else
        options.SetPack(shown.pack);
    if (shown.duplexDefault)
        options.MakeDefaultProfileQUBDuplexPack();
    else
        options.SetProfileQUBDuplexPack(shown.duplexPack);
    if (shown.pageSizeDefault)
        options.MakeDefaultProfileMinPageSize();
    else if (shown.pageSize)
        options.SetProfileMinPageSize(*shown.pageSize);
    options.SetProAudited(static_cast<PxEnumBSAudited>(shown.audited));
    options.SetProKeepAssigned(static_cast<PxEnumBSAudited>(shown.keepAssigned));
}

CString VqsOptionPageTarskProfileDb::DefaultDuplexPackShown() const
{
    return Options().GetDefaultProfileQUBDuplexPack();
}

void VqsOptionPageTarskProfileDb::StoreOptions()
{
    VqsOptionPageTarskElementDb::StoreOptions();
    PxTarskProfileOptions& options = Options();
    if (m_estimate.m_nValue != ExpectedNumber)
        options.MakeDefaultExpectedOrVolume();
    else if (!m_expectedOrVolume.IsNotAvailable())
        options.SetExpectedOrVolume(m_expectedOrVolume.GetValue());
    if (m_estimate.m_nValue != Percentage)
        options.MakeDefaultPercent();
    else if (!m_percent.IsNotAvailable())
        options.SetPercent(m_percent.GetValue());
}

BOOL VqsOptionPageTarskProfileDb::IsNotUpdated()
{
    const PxTarskProfileOptions& options = Options();
    return VqsOptionPageTarskElementDb::IsNotUpdated() && !options.IsUpdatedProfileWEXQUBno() &&
           !options.IsUpdatedProfileNoDuplex() && !options.IsUpdatedProfileMinPageSize() &&
           !options.IsUpdatedProAudited() && !options.IsUpdatedProKeepAssigned() &&
           !options.IsUpdatedProfileQUBDuplexPack() && !options.IsUpdatedExpectedOrVolume() &&
           !options.IsUpdatedPack() && !options.IsUpdatedPercent();
}

void VqsOptionPageTarskProfileDb::ClearOptions()
{
    VqsOptionPageTarskElementDb::ClearOptions();
    PxTarskProfileOptions& options = Options();
    options.ClearProfileWEXQUBno();
    options.ClearProfileMinPageSize();
    options.ClearProAudited();
    options.ClearProKeepAssigned();
    options.ClearProfileQUBDuplexPack();
    options.ClearExpectedOrVolume();
    options.ClearPack();
    options.ClearPercent();
}

// The chosen estimate's box shows its number, the others are not available.
void VqsOptionPageTarskProfileDb::ShowEstimate(Estimate estimate)
{
    m_estimate.m_nValue = estimate;
    if (estimate == ExpectedNumber)
        vqsoptiontable::ShowValueAgain(m_expectedOrVolume);
    else
        m_expectedOrVolume.SetNotAvailable();
    if (estimate == Percentage)
        vqsoptiontable::ShowValueAgain(m_percent);
    else
        m_percent.SetNotAvailable();
}

void VqsOptionPageTarskProfileDb::AdjustLoadedValues()
{
    VqsOptionPageTarskElementDb::AdjustLoadedValues();
    const PxTarskProfileOptions& options = Options();
    if (m_bForced)
        m_sizing.m_nValue = kMaxPagesSizing;
    vqsoptiontable::ShowReadValue(m_expectedOrVolume, [&] { return options.GetExpectedOrVolume(); });
    vqsoptiontable::ShowReadValue(m_percent, [&] { return options.GetPercent(); });
    if (m_sizing.m_nValue == kMaxPagesSizing)
        ShowEstimate(DefaultEstimates);
    else if (!options.IsDefaultExpectedOrVolume())
        ShowEstimate(ExpectedNumber);
    else if (!options.IsDefaultPercent())
        ShowEstimate(Percentage);
    else
        ShowEstimate(DefaultEstimates);
}

void VqsOptionPageTarskProfileDb::EnableDependentControls()
{
    VqsOptionPageTarskElementDb::EnableDependentControls();
    m_sizing.Enable(TRUE);
    m_sizing.EnableButton(!m_bForced, kPopulationSizing);
    m_maxPages.Enable(m_sizing.m_nValue == kMaxPagesSizing);
    EnableEstimates();
}

void VqsOptionPageTarskProfileDb::EnableEstimates()
{
    const BOOL byPopulation = m_sizing.m_nValue == kPopulationSizing;
    m_estimate.Enable(byPopulation);
    m_expectedOrVolume.Enable(byPopulation && m_estimate.m_nValue == ExpectedNumber &&
                              !m_expectedOrVolume.IsNotAvailable());
    m_percent.Enable(byPopulation && m_estimate.m_nValue == Percentage && !m_percent.IsNotAvailable());
}

void VqsOptionPageTarskProfileDb::OnOptionTaken(UINT id)
{
    if (id == IDC_POPULATION_SIZING || id == IDC_MAX_PAGES_SIZING)
        OnSizingTaken();
}

void VqsOptionPageTarskProfileDb::OnSizingTaken()
{
    if (m_bForced)
        m_sizing.m_nValue = kMaxPagesSizing;
    m_maxPages.Enable(m_sizing.m_nValue == kMaxPagesSizing);
    if (m_sizing.m_nValue == kPopulationSizing) {
        if (m_maxPages.GetValue() < kLeastMaxPages)
            m_maxPages.SetValue(0);
        if (m_estimate.m_nValue != ExpectedNumber)
            m_expectedOrVolume.SetNotAvailable();
        if (m_estimate.m_nValue != Percentage)
            m_percent.SetNotAvailable();
    } else {
        ShowEstimate(DefaultEstimates);
    }
    EnableEstimates();
    UpdateData(FALSE);
}

void VqsOptionPageTarskProfileDb::OnEstimateClicked(UINT id)
{
    if (!OnOptionChanged(&m_estimate, TRUE))
        return;
    ShowEstimate(id == IDC_DEFAULT_ESTIMATES   ? DefaultEstimates
                 : id == IDC_EXPECTED_ESTIMATE ? ExpectedNumber
                                               : Percentage);
    UpdateData(FALSE);
    EnableEstimates();
}

BOOL VqsOptionPageTarskProfileDb::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    const BOOL estimate = id == IDC_DEFAULT_ESTIMATES || id == IDC_EXPECTED_ESTIMATE || id == IDC_PERCENT_ESTIMATE;
    if (code == BN_CLICKED && estimate)
        OnEstimateClicked(id);
    else if (code == EN_CHANGE && id == IDC_EXPECTED_OR_VOLUME)
        OnOptionChanged(&m_expectedOrVolume, TRUE);
    else if (code == EN_CHANGE && id == IDC_PERCENT)
        BeginModify(nullptr, TRUE);
    return VqsOptionPageTarskElementDb::OnCommand(wParam, lParam);
}
