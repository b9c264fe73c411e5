#include "options_tarsk/VqsOptionPageTarskSystemEventDb.h"

#include "options/VqsEnterprisePackNames.h"
#include "options/VqsLimitDigits.h"
#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "options_tarsk/VqsTarskSysTables.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"

#include <cstdlib>
#include <string>

namespace {

constexpr UINT IDS_FOLN = 61569;

constexpr int IDC_QUB_NUMBER = 32940;
constexpr int IDC_NO_QUB = 32941;
constexpr int IDC_PACK = 32942;
constexpr int IDC_PACK_DEFAULT = 32943;
constexpr int IDC_DUPLEX_PACK = 32944;
constexpr int IDC_DUPLEX_DEFAULT = 32945;
constexpr int IDC_NO_DUPLEX = 32946;
constexpr int IDC_PAGE_SIZE = 32970;
constexpr int IDC_PAGE_SIZE_DEFAULT = 32948;
constexpr int IDC_SIZE_DEFAULT = 32949;
constexpr int IDC_SIZE_MAX_PAGES = 32950;
constexpr int IDC_MAX_PAGES = 32951;
constexpr int IDC_INITIAL_RESERVE = 32952;
constexpr int IDC_LOAD_FACTOR = 32953;
constexpr int IDC_AUDITED_DEFAULT = 32954;
constexpr int IDC_AUDITED = 32955;
constexpr int IDC_KEEP_ASSIGNED_DEFAULT = 32956;
constexpr int IDC_KEEP_ASSIGNED = 32957;
constexpr int IDC_RECORD_LOCKING = 32958;
constexpr int IDC_PAGE_LOCKING = 32959;
constexpr int IDC_COMPRESSION = 32960;
constexpr int IDC_DATA_PAGE_FACTOR = 32910;
constexpr int IDC_INDEX_PAGE_FACTOR = 32911;
constexpr int IDC_MERGE_FACTOR = 32913;
constexpr int IDC_REVERT_LAYOUT = 33085;

constexpr int kSlot = vqstarsk::kEventSlot;
constexpr int kNoValidation = 0;
constexpr int kRequiredPackName = 3;
constexpr std::int64_t kLeastMaxPages = 8;
constexpr const char* kMaxPagesTooSmall = "Please enter an integer greater than or equal to 8.";
constexpr const char* kDefaultPageSize = "0";

PxEnumBSAudited FlagValue(BOOL useDefault, BOOL checked)
{
    return static_cast<PxEnumBSAudited>(useDefault ? 0 : checked ? 1 : 2);
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageTarskSystemEventDb, VqsOptionPage)
    ON_EN_CHANGE(IDC_MAX_PAGES, &VqsOptionPageTarskSystemEventDb::OnMaxPagesChanged)
    ON_EN_CHANGE(IDC_INITIAL_RESERVE, &VqsOptionPageTarskSystemEventDb::OnInitialReserveChanged)
    ON_EN_CHANGE(IDC_LOAD_FACTOR, &VqsOptionPageTarskSystemEventDb::OnLoadFactorChanged)
    ON_EN_CHANGE(IDC_INDEX_PAGE_FACTOR, &VqsOptionPageTarskSystemEventDb::OnIndexPageFactorChanged)
    ON_EN_CHANGE(IDC_DATA_PAGE_FACTOR, &VqsOptionPageTarskSystemEventDb::OnDataPageFactorChanged)
    ON_EN_CHANGE(IDC_MERGE_FACTOR, &VqsOptionPageTarskSystemEventDb::OnMergeFactorChanged)
    ON_EN_CHANGE(IDC_QUB_NUMBER, &VqsOptionPageTarskSystemEventDb::OnQubChanged)
    ON_BN_CLICKED(IDC_RECORD_LOCKING, &VqsOptionPageTarskSystemEventDb::OnLockingChanged)
    ON_BN_CLICKED(IDC_PAGE_LOCKING, &VqsOptionPageTarskSystemEventDb::OnLockingChanged)
    ON_BN_CLICKED(IDC_COMPRESSION, &VqsOptionPageTarskSystemEventDb::OnCompressionChanged)
    ON_BN_CLICKED(IDC_REVERT_LAYOUT, &VqsOptionPageTarskSystemEventDb::OnRevertChanged)
    ON_CBN_EDITCHANGE(IDC_PACK, &VqsOptionPageTarskSystemEventDb::OnPackChanged)
    ON_CBN_SELCHANGE(IDC_PACK, &VqsOptionPageTarskSystemEventDb::OnPackChanged)
    ON_CBN_KILLFOCUS(IDC_PACK, &VqsOptionPageTarskSystemEventDb::OnPackChanged)
    ON_CBN_CLOSEUP(IDC_PACK, &VqsOptionPageTarskSystemEventDb::OnPackChanged)
    ON_CBN_EDITCHANGE(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemEventDb::OnDuplexChanged)
    ON_CBN_SELCHANGE(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemEventDb::OnDuplexChanged)
    ON_CBN_KILLFOCUS(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemEventDb::OnDuplexChanged)
    ON_CBN_CLOSEUP(IDC_DUPLEX_PACK, &VqsOptionPageTarskSystemEventDb::OnDuplexChanged)
    ON_BN_CLICKED(IDC_NO_QUB, &VqsOptionPageTarskSystemEventDb::OnNoQub)
    ON_BN_CLICKED(IDC_PACK_DEFAULT, &VqsOptionPageTarskSystemEventDb::OnPackDefault)
    ON_BN_CLICKED(IDC_DUPLEX_DEFAULT, &VqsOptionPageTarskSystemEventDb::OnDuplexDefault)
    ON_BN_CLICKED(IDC_NO_DUPLEX, &VqsOptionPageTarskSystemEventDb::OnNoDuplex)
    ON_CBN_EDITCHANGE(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemEventDb::OnPageSizeChanged)
    ON_CBN_SELCHANGE(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemEventDb::OnPageSizeChanged)
    ON_CBN_KILLFOCUS(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemEventDb::OnPageSizeChanged)
    ON_CBN_CLOSEUP(IDC_PAGE_SIZE, &VqsOptionPageTarskSystemEventDb::OnPageSizeChanged)
    ON_BN_CLICKED(IDC_PAGE_SIZE_DEFAULT, &VqsOptionPageTarskSystemEventDb::OnPageSizeDefault)
    ON_BN_CLICKED(IDC_AUDITED, &VqsOptionPageTarskSystemEventDb::OnAudited)
    ON_BN_CLICKED(IDC_AUDITED_DEFAULT, &VqsOptionPageTarskSystemEventDb::OnAuditedDefault)
    ON_BN_CLICKED(IDC_KEEP_ASSIGNED, &VqsOptionPageTarskSystemEventDb::OnKeepAssigned)
    ON_BN_CLICKED(IDC_KEEP_ASSIGNED_DEFAULT, &VqsOptionPageTarskSystemEventDb::OnKeepAssignedDefault)
    ON_BN_CLICKED(IDC_SIZE_DEFAULT, &VqsOptionPageTarskSystemEventDb::OnSizingChanged)
    ON_BN_CLICKED(IDC_SIZE_MAX_PAGES, &VqsOptionPageTarskSystemEventDb::OnSizingChanged)
END_MESSAGE_MAP()

VqsOptionPageTarskSystemEventDb::VqsOptionPageTarskSystemEventDb(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId,
                                                                 int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_FOLN, pageIndex), m_pTarskSheet(sheet),
      m_packDefault(&m_connector, IDC_PACK_DEFAULT), m_duplexDefault(&m_connector, IDC_DUPLEX_DEFAULT),
      m_noDuplex(&m_connector, IDC_NO_DUPLEX), m_revertLayout(&m_connector, IDC_REVERT_LAYOUT),
      m_noQub(&m_connector, IDC_NO_QUB), m_audited(&m_connector, IDC_AUDITED),
      m_pageSizeDefault(&m_connector, IDC_PAGE_SIZE_DEFAULT), m_auditedDefault(&m_connector, IDC_AUDITED_DEFAULT),
      m_keepAssignedDefault(&m_connector, IDC_KEEP_ASSIGNED_DEFAULT), m_keepAssigned(&m_connector, IDC_KEEP_ASSIGNED),
      m_compression(&m_connector, IDC_COMPRESSION), m_pack(&m_connector, IDC_PACK, kRequiredPackName),
      m_duplexPack(&m_connector, IDC_DUPLEX_PACK, kRequiredPackName),
      m_pageSize(&m_connector, IDC_PAGE_SIZE, kNoValidation), m_qubNumber(&m_connector, IDC_QUB_NUMBER),
      m_maxPages(&m_connector, IDC_MAX_PAGES), m_initialReserve(&m_connector, IDC_INITIAL_RESERVE),
      m_loadFactor(&m_connector, IDC_LOAD_FACTOR), m_indexPageFactor(&m_connector, IDC_INDEX_PAGE_FACTOR),
      m_dataPageFactor(&m_connector, IDC_DATA_PAGE_FACTOR), m_mergeFactor(&m_connector, IDC_MERGE_FACTOR),
      m_sizing(&m_connector, IDC_SIZE_DEFAULT, IDC_SIZE_MAX_PAGES),
      m_locking(&m_connector, IDC_RECORD_LOCKING, IDC_PAGE_LOCKING)
{
    const PxTarskBSegOptionsPtr& options = sheet->GetTarskOptions();
    m_pack.SetTextLimit(static_cast<int>(options->GetMaxLengthDBPack()));
    m_duplexPack.SetTextLimit(static_cast<int>(options->GetMaxLengthDefaultDuplexPack()));
    const NumberBounds<PxTarskBSegOptions> bounds[] = {
        {m_qubNumber, &PxTarskBSegOptions::HasLowerLimitsysTableQub2, &PxTarskBSegOptions::HasUpperLimitsysTableQub2},
        {m_maxPages, &PxTarskBSegOptions::HasLowerLimitsysMaxPages, &PxTarskBSegOptions::HasUpperLimitsysMaxPages},
        {m_initialReserve, &PxTarskBSegOptions::HasLowerLimitsysTableInitialReserve,
         &PxTarskBSegOptions::HasUpperLimitsysTableInitialReserve},
        {m_loadFactor, &PxTarskBSegOptions::HasLowerLimitsysTableLoadFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableLoadFactor},
        {m_dataPageFactor, &PxTarskBSegOptions::HasLowerLimitsysTableDataPageFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableDataPageFactor},
        {m_indexPageFactor, &PxTarskBSegOptions::HasLowerLimitsysTableIndexPageFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableIndexPageFactor},
        {m_mergeFactor, &PxTarskBSegOptions::HasLowerLimitsysTableMergeFactor,
         &PxTarskBSegOptions::HasUpperLimitsysTableMergeFactor},
    };
    ApplyBounds(*options, bounds);
}

void VqsOptionPageTarskSystemEventDb::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPage::DoDataExchange(pDX);
    if (pDX->m_bSaveAndValidate && m_connector.IsStrict() && m_maxPages.IsEnabled() &&
        m_maxPages.GetValue() < kLeastMaxPages) {
        VqsErrorBox(kMaxPagesTooSmall);
        pDX->PrepareEditCtrl(IDC_MAX_PAGES);
        pDX->Fail();
    }
}

BOOL VqsOptionPageTarskSystemEventDb::OnInitDialog()
{
    for (const char* size : vqstarsk::kPageSizes)
        SendDlgItemMessage(IDC_PAGE_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    SendDlgItemMessage(IDC_PAGE_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kDefaultPageSize));
    VqsOptionPage::OnInitDialog();
    const struct {
        int id;
        int characters;
    } limits[] = {{IDC_QUB_NUMBER, 6},      {IDC_MAX_PAGES, 10},        {IDC_INITIAL_RESERVE, 3},
                  {IDC_LOAD_FACTOR, 3},     {IDC_DATA_PAGE_FACTOR, 3},  {IDC_INDEX_PAGE_FACTOR, 3},
                  {IDC_MERGE_FACTOR, 2}};
    for (const auto& limit : limits)
        SendDlgItemMessage(limit.id, EM_LIMITTEXT, static_cast<WPARAM>(limit.characters), 0);
    return TRUE;
}

PxLSEBusinessSegmentPtr VqsOptionPageTarskSystemEventDb::DesignSegment() const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(m_pTarskSheet->GetTarskOptions()->GetSoftLink());
    return enterprise && link ? enterprise->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
}

void VqsOptionPageTarskSystemEventDb::FillPackNames()
{
    const CStringArray names = VqsEnterprisePackNames();
    m_pack.SetItems(names);
    m_duplexPack.SetItems(names);
}

void VqsOptionPageTarskSystemEventDb::LoadOptions()
{
    const PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    FillPackNames();
    const std::int64_t pageSize = vqstarsk::SnappedPageSize(options.GetsysTablePageSize(kSlot));
    m_compression.m_bValue = options.GetBSCompression(kSlot);
    m_revertLayout.m_bValue = options.GetEVENTRevertStdLayout();
    m_qubNumber.SetValue(options.GetsysTableQub2(kSlot));
    m_pageSize.SetValue(CString(std::to_string(pageSize)));
    m_maxPages.SetValue(options.GetsysMaxPages(kSlot));
    m_initialReserve.SetValue(options.GetsysTableInitialReserve(kSlot));
    m_loadFactor.SetValue(options.GetsysTableLoadFactor(kSlot));
    m_dataPageFactor.SetValue(options.GetsysTableDataPageFactor(kSlot));
    m_indexPageFactor.SetValue(options.GetsysTableIndexPageFactor(kSlot));
    m_mergeFactor.SetValue(options.GetsysTableMergeFactor(kSlot));

    const int audited = options.GetBSAudited(kSlot);
    m_auditedDefault.m_bValue = audited == 0;
    if (!m_auditedDefault.m_bValue)
        m_audited.m_bValue = audited == 1;
    else if (const PxLSEBusinessSegmentPtr segment = DesignSegment())
        m_audited.m_bValue = segment->GetProductionSystem() ? TRUE : FALSE;
    const int keepAssigned = options.GetBSKeepAssigned(kSlot);
    m_keepAssignedDefault.m_bValue = keepAssigned == 0;
    m_keepAssigned.m_bValue = m_keepAssignedDefault.m_bValue ? m_pTarskSheet->GetKeepAssigned() : keepAssigned == 1;

    m_noQub.m_bValue = options.IsDefaultsysTableQub2(kSlot);
    m_pageSizeDefault.m_bValue = options.IsDefaultsysTablePageSize(kSlot) || pageSize == 0;
    m_locking.m_nValue = options.GetBSPageLevelLocking(kSlot) ? 1 : 0;
    m_sizing.m_nValue = options.GetBSMaxPagesSpecified(kSlot) ? 1 : 0;
    m_packDefault.m_bValue = options.IsDefaultSysTablePack(kSlot);
    m_pack.SetValue(m_packDefault.m_bValue ? m_pTarskSheet->GetPacksPagePack() : options.GetSysTablePack(kSlot));
    LoadDuplex();
    EnableControls();
    UpdateData(FALSE);
}

void VqsOptionPageTarskSystemEventDb::LoadDuplex()
{
    const PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    const CString environmentDuplex = m_pTarskSheet->GetEnvPageValue();
    const BOOL hasQub = m_qubNumber.GetValue() != 0;
    if (hasQub) {
        m_duplexDefault.m_bValue = options.IsDefaultSysTableDuplexPack(kSlot);
        if (m_duplexDefault.m_bValue) {
            m_duplexPack.SetValue(environmentDuplex);
            if (environmentDuplex.IsEmpty())
                m_duplexDefault.m_bValue = FALSE;
        } else {
            m_duplexPack.SetValue(options.GetSysTableDuplexPack(kSlot));
        }
    } else {
        m_duplexDefault.m_bValue = FALSE;
        m_duplexPack.SetValue("");
    }
    m_noDuplex.m_bValue = m_duplexPack.GetValue().IsEmpty() && hasQub;
    if (m_pTarskSheet->GetAllQUBduplex() && m_noDuplex.m_bValue) {
        m_noDuplex.m_bValue = FALSE;
        m_duplexDefault.m_bValue = TRUE;
        m_duplexPack.SetValue(environmentDuplex);
    }
}

void VqsOptionPageTarskSystemEventDb::EnableControls()
{
    const BOOL hasQub = m_qubNumber.GetValue() != 0;
    const BOOL allDuplex = m_pTarskSheet->GetAllQUBduplex();
    m_duplexDefault.Enable(hasQub && (m_duplexDefault.m_bValue ||
                                      (!m_duplexPack.GetValue().IsEmpty() && !m_pTarskSheet->GetEnvPageValue().IsEmpty())));
    m_noDuplex.Enable(hasQub && !allDuplex);
    m_duplexPack.Enable(hasQub && !m_duplexDefault.m_bValue && !m_noDuplex.m_bValue);
    m_pack.Enable(!m_packDefault.m_bValue);
    m_pageSize.Enable(!m_pageSizeDefault.m_bValue);
    m_qubNumber.Enable(!m_noQub.m_bValue);
    m_keepAssigned.Enable(!m_keepAssignedDefault.m_bValue);
    m_keepAssignedDefault.Enable(m_keepAssignedDefault.m_bValue);
    m_audited.Enable(!m_auditedDefault.m_bValue);
    m_auditedDefault.Enable(m_auditedDefault.m_bValue);
    m_maxPages.Enable(m_sizing.m_nValue == 1);
}

void VqsOptionPageTarskSystemEventDb::OnQubChanged()
{
    if (!Taken(m_qubNumber))
        return;
    const BOOL hasQub = m_qubNumber.GetValue() != 0;
    m_duplexPack.Enable(hasQub && !m_duplexDefault.m_bValue && !m_noDuplex.m_bValue);
    m_duplexDefault.Enable(!m_pTarskSheet->GetEnvPageValue().IsEmpty() && hasQub && !m_noDuplex.m_bValue);
    if (hasQub && m_pTarskSheet->GetAllQUBduplex()) {
        m_noDuplex.m_bValue = FALSE;
        m_noDuplex.Enable(FALSE);
    } else if (hasQub) {
        m_noDuplex.Enable(TRUE);
    }
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnNoQub()
{
    if (!Taken(m_noQub))
        return;
    if (m_noQub.m_bValue) {
        m_qubNumber.SetValue(0);
        m_qubNumber.Enable(FALSE);
        m_duplexDefault.m_bValue = FALSE;
        m_duplexDefault.Enable(FALSE);
        m_duplexPack.SetValue("");
        m_duplexPack.Enable(FALSE);
        m_noDuplex.m_bValue = FALSE;
        m_noDuplex.Enable(FALSE);
    } else {
        m_qubNumber.Enable(TRUE);
    }
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnPackDefault()
{
    if (!Taken(m_packDefault))
        return;
    if (m_packDefault.m_bValue)
        m_pack.SetValue(m_pTarskSheet->GetPacksPagePack());
    m_pack.Enable(!m_packDefault.m_bValue);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnDuplexDefault()
{
    if (!Taken(m_duplexDefault))
        return;
    if (m_duplexDefault.m_bValue)
        m_duplexPack.SetValue(m_pTarskSheet->GetEnvPageValue());
    m_duplexPack.Enable(!m_duplexDefault.m_bValue);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnNoDuplex()
{
    if (!Taken(m_noDuplex))
        return;
    if (m_noDuplex.m_bValue) {
        m_duplexPack.SetValue("");
        m_duplexDefault.m_bValue = FALSE;
        m_duplexDefault.Enable(FALSE);
        m_duplexPack.Enable(FALSE);
    } else {
        m_duplexDefault.Enable(!m_pTarskSheet->GetEnvPageValue().IsEmpty());
        m_duplexPack.Enable(TRUE);
    }
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnPageSizeChanged()
{
    if (!Taken(m_pageSize))
        return;
    if (m_pageSize.GetValue() == kDefaultPageSize) {
        m_pageSizeDefault.m_bValue = TRUE;
        m_pageSizeDefault.Enable(TRUE);
        m_pageSize.Enable(FALSE);
    }
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnPageSizeDefault()
{
    if (!Taken(m_pageSizeDefault))
        return;
    if (m_pageSizeDefault.m_bValue)
        m_pageSize.SetValue(kDefaultPageSize);
    m_pageSize.Enable(!m_pageSizeDefault.m_bValue);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnAudited()
{
    if (!Taken(m_audited))
        return;
    if (m_audited.m_bValue)
        m_auditedDefault.m_bValue = FALSE;
    m_auditedDefault.Enable(!m_audited.m_bValue);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnAuditedDefault()
{
    if (!Taken(m_auditedDefault))
        return;
    if (m_auditedDefault.m_bValue) {
        const PxLSEBusinessSegmentPtr segment = DesignSegment();
        m_audited.m_bValue = segment ? segment->GetProductionSystem() != 0
                                     : m_pTarskSheet->GetTarskOptions()->GetBSAudited(kSlot) == 1;
    }
    m_audited.Enable(!m_auditedDefault.m_bValue);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnKeepAssigned()
{
    if (!Taken(m_keepAssigned))
        return;
    if (m_keepAssigned.m_bValue)
        m_keepAssignedDefault.m_bValue = FALSE;
    m_keepAssignedDefault.Enable(!m_keepAssigned.m_bValue);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnKeepAssignedDefault()
{
    if (!Taken(m_keepAssignedDefault))
        return;
    if (m_keepAssignedDefault.m_bValue)
        m_keepAssigned.m_bValue = m_pTarskSheet->GetKeepAssigned();
    m_keepAssigned.Enable(!m_keepAssignedDefault.m_bValue);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::OnSizingChanged()
{
    if (!Taken(m_sizing))
        return;
    m_maxPages.Enable(m_sizing.m_nValue == 1);
    if (m_sizing.m_nValue == 0 && m_maxPages.GetValue() < kLeastMaxPages)
        m_maxPages.SetValue(0);
    Shown();
}

void VqsOptionPageTarskSystemEventDb::StoreOptions()
{
    PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    if (m_qubNumber.GetValue() == 0)
        options.MakeDefaultsysTableQub2(kSlot);
    else
        options.SetsysTableQub2(kSlot, m_qubNumber.GetValue());
    if (m_packDefault.m_bValue)
        options.MakeDefaultSysTablePack(kSlot);
    else
        options.SetSysTablePack(kSlot, m_pack.GetValue());
    if (m_noDuplex.m_bValue)
        options.SetSysTableDuplexPack(kSlot, "");
    else if (m_duplexDefault.m_bValue)
        options.MakeDefaultSysTableDuplexPack(kSlot);
    else
        options.SetSysTableDuplexPack(kSlot, m_duplexPack.GetValue());
    if (m_pageSizeDefault.m_bValue)
        options.MakeDefaultsysTablePageSize(kSlot);
    else
        options.SetsysTablePageSize(kSlot, std::atoll(m_pageSize.GetValue()));
    options.SetBSCompression(kSlot, m_compression.m_bValue);
    options.SetEVENTRevertStdLayout(m_revertLayout.m_bValue);
    options.SetsysTableIndexPageFactor(kSlot, m_indexPageFactor.GetValue());
    options.SetsysTableDataPageFactor(kSlot, m_dataPageFactor.GetValue());
    options.SetsysTableInitialReserve(kSlot, m_initialReserve.GetValue());
    options.SetsysTableMergeFactor(kSlot, m_mergeFactor.GetValue());
    options.SetsysTableLoadFactor(kSlot, m_loadFactor.GetValue());
    options.SetBSMaxPagesSpecified(kSlot, m_sizing.m_nValue);
    options.SetBSPageLevelLocking(kSlot, m_locking.m_nValue);
    options.SetsysMaxPages(kSlot, m_maxPages.GetValue());
    options.SetBSAudited(kSlot, FlagValue(m_auditedDefault.m_bValue, m_audited.m_bValue));
    options.SetBSKeepAssigned(kSlot, FlagValue(m_keepAssignedDefault.m_bValue, m_keepAssigned.m_bValue));
}

void VqsOptionPageTarskSystemEventDb::ClearOptions()
{
    PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    options.ClearBSMaxPagesSpecified(kSlot);
    options.ClearBSCompression(kSlot);
    options.ClearBSPageLevelLocking(kSlot);
    options.ClearSysTableDuplexPack(kSlot);
    options.ClearEVENTRevertStdLayout();
    options.ClearsysTableQub2(kSlot);
    options.ClearsysTablePageSize(kSlot);
    options.ClearsysMaxPages(kSlot);
    options.ClearsysTableInitialReserve(kSlot);
    options.ClearsysTableLoadFactor(kSlot);
    options.ClearsysTableDataPageFactor(kSlot);
    options.ClearsysTableIndexPageFactor(kSlot);
    options.ClearsysTableMergeFactor(kSlot);
    options.ClearBSAudited(kSlot);
    options.ClearBSKeepAssigned(kSlot);
    options.ClearSysTablePack(kSlot);
}

BOOL VqsOptionPageTarskSystemEventDb::IsNotUpdated()
{
    const PxTarskBSegOptions& options = *m_pTarskSheet->GetTarskOptions();
    return !(options.IsUpdatedBSMaxPagesSpecified(kSlot) || options.IsUpdatedBSCompression(kSlot) ||
             options.IsUpdatedBSPageLevelLocking(kSlot) || options.IsUpdatedSysTableDuplexPack(kSlot) ||
             options.IsUpdatedEVENTRevertStdLayout() || options.IsUpdatedsysTableQub2(kSlot) ||
             options.IsUpdatedsysTablePageSize(kSlot) || options.IsUpdatedsysMaxPages(kSlot) ||
             options.IsUpdatedsysTableInitialReserve(kSlot) || options.IsUpdatedsysTableLoadFactor(kSlot) ||
             options.IsUpdatedsysTableDataPageFactor(kSlot) || options.IsUpdatedsysTableIndexPageFactor(kSlot) ||
             options.IsUpdatedsysTableMergeFactor(kSlot) || options.IsUpdatedBSAudited(kSlot) ||
             options.IsUpdatedBSKeepAssigned(kSlot) || options.IsUpdatedSysTablePack(kSlot));
}
