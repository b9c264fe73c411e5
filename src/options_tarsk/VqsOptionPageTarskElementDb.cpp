#include "options_tarsk/VqsOptionPageTarskElementDb.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_tarsk/VqsOptionsElementTarskSheets.h"
#include "options_tarsk/VqsTarskSysTables.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQOptions.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/Messages.h"

#include <cstdlib>
#include <string>

namespace {

constexpr int kNoValidation = 0;
constexpr int kReservedWord = 3;
constexpr const char* kDefaultPageSize = "0";
constexpr const char* kInvalidPackName = "Enter a valid pack name.";

int AuditSetting(BOOL useDefault, BOOL checked) { return useDefault ? 0 : checked ? 1 : 2; }

BOOL IsComboChange(int code)
{
    return code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_KILLFOCUS || code == CBN_CLOSEUP;
}

} // namespace

VqsOptionPageTarskElementDb::VqsOptionPageTarskElementDb(VqsOptionsSheet* sheet,
                                                         const VqsTarskSegmentDefaults& segment, UINT dialogId,
                                                         UINT captionId, int pageIndex, const VqsTarskDbControls& ids,
                                                         BOOL keepShownOnKeepAssignedOwn)
    : VqsTableOptionPage(sheet, dialogId, captionId, pageIndex), m_segment(segment), m_ids(ids),
      m_noQub(&m_connector, ids.noQub), m_packDefault(&m_connector, ids.packDefault),
      m_duplexDefault(&m_connector, ids.duplexDefault), m_noDuplex(&m_connector, ids.noDuplex),
      m_pageSizeDefault(&m_connector, ids.pageSizeDefault), m_audited(&m_connector, ids.audited),
      m_auditedDefault(&m_connector, ids.auditedDefault), m_keepAssigned(&m_connector, ids.keepAssigned),
      m_keepAssignedDefault(&m_connector, ids.keepAssignedDefault),
      m_pack(&m_connector, ids.pack, kReservedWord), m_duplexPack(&m_connector, ids.duplexPack, kReservedWord),
      m_pageSize(&m_connector, ids.pageSize, kNoValidation), m_qubNumber(&m_connector, ids.qubNumber),
      m_bKeepShownOnKeepAssignedOwn(keepShownOnKeepAssignedOwn)
{
}

void VqsOptionPageTarskElementDb::LimitText(UINT id, int characters)
{
    SendDlgItemMessage(static_cast<int>(id), EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
}

BOOL VqsOptionPageTarskElementDb::OnInitDialog()
{
    for (const char* size : vqstarsk::kPageSizes)
        SendDlgItemMessage(static_cast<int>(m_ids.pageSize), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    SendDlgItemMessage(static_cast<int>(m_ids.pageSize), CB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(kDefaultPageSize));
    VqsTableOptionPage::OnInitDialog();
    LimitText(m_ids.qubNumber, 6);
    return TRUE;
}

void VqsOptionPageTarskElementDb::Refuse(CDataExchange* pDX, UINT id, const char* message)
{
    VqsErrorBox(message);
    pDX->PrepareCtrl(static_cast<int>(id));
    pDX->Fail();
}

void VqsOptionPageTarskElementDb::RequireAtLeast(CDataExchange* pDX, VqsOptCtrlInt& box, UINT id,
                                                 std::int64_t least)
{
    if (!box.IsEnabled() || box.GetValue() >= least)
        return;
    const std::string message =
        "Please enter an integer greater than or equal to " + std::to_string(least) + ".";
    VqsErrorBox(message.c_str());
    pDX->PrepareEditCtrl(static_cast<int>(id));
    pDX->Fail();
}

void VqsOptionPageTarskElementDb::DoDataExchange(CDataExchange* pDX)
{
    VqsTableOptionPage::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate || !m_connector.IsStrict())
        return;
    for (auto* combo : {&m_pack, &m_duplexPack}) {
        CString name = combo->GetValue();
        name.TrimLeft();
        if (combo->IsEnabled() && name.IsEmpty())
            Refuse(pDX, combo == &m_pack ? m_ids.pack : m_ids.duplexPack, kInvalidPackName);
    }
}

std::optional<PxLSEBusinessSegmentPtr> VqsOptionPageTarskElementDb::DesignSegment() const
{
    return vqsoptiontable::ReadKnown([this] {
        VqsSysApp* app = VqsGetApp();
        const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
        const PxVQOptionsPtr options(m_pSheet->GetOptions());
        const PxVQElementSoftLinkPtr element(options ? options->GetSoftLink() : PxVQSoftLinkPtr());
        const PxVQBSSoftLinkPtr segment = element ? element->GetBSSoftLink() : PxVQBSSoftLinkPtr();
        return enterprise && segment ? enterprise->GetBusinessSegment(segment->GetName()) : PxLSEBusinessSegmentPtr();
    });
}

// Without the design-side segment the record's own setting is shown.
std::optional<BOOL> VqsOptionPageTarskElementDb::AuditedByDefault() const
{
    const std::optional<PxLSEBusinessSegmentPtr> segment = DesignSegment();
    if (!segment)
        return std::nullopt;
    return *segment ? (*segment)->GetProductionSystem() != 0 : m_nStoredAudited == 1;
}

void VqsOptionPageTarskElementDb::FillPackNames()
{
    const CStringArray names = VqsEnterprisePackNames();
    m_pack.SetItems(names);
    m_duplexPack.SetItems(names);
}

void VqsOptionPageTarskElementDb::AdjustLoadedValues()
{
    const VqsTarskDbPlacement stored = ReadPlacement();
    m_nStoredAudited = stored.audited;
    m_nStoredKeepAssigned = stored.keepAssigned;
    FillPackNames();
    LoadPageSize(stored);
    m_qubNumber.SetValue(stored.qubNumber);
    m_auditedDefault.m_bValue = stored.audited == 0;
    if (m_auditedDefault.m_bValue)
        vqsoptiontable::ShowKnownValue(m_audited, AuditedByDefault());
    else
        m_audited.SetValue(stored.audited == 1);
    m_keepAssignedDefault.m_bValue = stored.keepAssigned == 0;
    m_keepAssigned.m_bValue =
        m_keepAssignedDefault.m_bValue ? m_segment.GetKeepAssigned() != 0 : stored.keepAssigned == 1;
    m_noQub.m_bValue = stored.noQub;
    m_packDefault.m_bValue = stored.packDefault;
    m_pack.SetValue(stored.packDefault ? m_segment.GetDBPack() : stored.pack);
    LoadDuplex(stored);
}

// An own page size that could not be read is not available, and so is its "Use Default" box
// unless the record says the default is in force.
void VqsOptionPageTarskElementDb::LoadPageSize(const VqsTarskDbPlacement& stored)
{
    if (stored.pageSize) {
        const std::int64_t pageSize = vqstarsk::SnappedPageSize(*stored.pageSize);
        m_pageSize.SetValue(CString(std::to_string(pageSize).c_str()));
        m_pageSizeDefault.SetValue(stored.pageSizeDefault || pageSize == 0);
        return;
    }
    vqsoptiontable::ShowUnread(m_pageSize);
    if (stored.pageSizeDefault) {
        vqsoptiontable::ShowDefaultOver(m_pageSize, CString(kDefaultPageSize));
        m_pageSizeDefault.SetValue(TRUE);
    } else {
        m_pageSizeDefault.SetNotAvailable();
    }
}

void VqsOptionPageTarskElementDb::LoadDuplex(const VqsTarskDbPlacement& stored)
{
    if (HasQub()) {
        m_duplexDefault.m_bValue = stored.duplexDefault;
        m_duplexPack.SetValue(stored.duplexDefault ? DefaultDuplexPackShown() : stored.duplexPack);
        if (stored.duplexDefault && m_duplexPack.GetValue().IsEmpty())
            m_duplexDefault.m_bValue = FALSE;
    } else {
        m_duplexDefault.m_bValue = FALSE;
        m_duplexPack.SetValue("");
    }
    m_noDuplex.m_bValue = m_duplexPack.GetValue().IsEmpty() && HasQub();
    // Every QUB file has a DUPLEX copy: "No Duplex" cannot stand.
    if (m_segment.GetAllQUBduplex() && m_noDuplex.m_bValue) {
        m_noDuplex.m_bValue = FALSE;
        m_duplexDefault.m_bValue = TRUE;
        m_duplexPack.SetValue(m_segment.GetDefaultDuplexPack());
    }
}

void VqsOptionPageTarskElementDb::EnableDuplex()
{
    const BOOL allDuplex = m_segment.GetAllQUBduplex() != 0;
    const BOOL packsNamed = !m_duplexPack.GetValue().IsEmpty() && !m_segment.GetDefaultDuplexPack().IsEmpty();
    m_duplexDefault.Enable(HasQub() && (packsNamed || (allDuplex && m_duplexDefault.m_bValue)));
    m_noDuplex.Enable(HasQub() && !allDuplex);
    m_duplexPack.Enable(HasQub() && !m_duplexDefault.m_bValue && !m_noDuplex.m_bValue);
}

// The two audit-like "Use Default" boxes can only be checked again through their value box.
void VqsOptionPageTarskElementDb::EnableDependentControls()
{
    EnableDuplex();
    m_pack.Enable(!m_packDefault.m_bValue);
    m_pageSize.Enable(!m_pageSizeDefault.m_bValue && !m_pageSize.IsNotAvailable());
    m_qubNumber.Enable(!m_noQub.m_bValue);
    m_keepAssigned.Enable(!m_keepAssignedDefault.m_bValue);
    m_audited.Enable(!m_auditedDefault.m_bValue);
    m_keepAssignedDefault.Enable(m_keepAssignedDefault.m_bValue);
    m_auditedDefault.Enable(m_auditedDefault.m_bValue);
}

void VqsOptionPageTarskElementDb::StoreOptions()
{
    VqsTarskDbPlacement shown;
    shown.qubNumber = m_qubNumber.GetValue();
    shown.noQub = !HasQub();
    shown.pack = m_pack.GetValue();
    shown.packDefault = m_packDefault.m_bValue;
    shown.duplexPack = m_noDuplex.m_bValue ? CString() : m_duplexPack.GetValue();
    shown.duplexDefault = !m_noDuplex.m_bValue && m_duplexDefault.m_bValue;
    shown.pageSize = m_pageSize.IsNotAvailable() ? std::optional<std::int64_t>()
                                                 : std::atoll(m_pageSize.GetValue());
    shown.pageSizeDefault = m_pageSizeDefault.m_bValue && !m_pageSizeDefault.IsNotAvailable();
    // An "Audited" never read (its default could not be) keeps the stored setting.
    shown.audited = m_audited.IsNotAvailable() && !m_auditedDefault.m_bValue
                        ? m_nStoredAudited
                        : AuditSetting(m_auditedDefault.m_bValue, m_audited.m_bValue);
    shown.keepAssigned = AuditSetting(m_keepAssignedDefault.m_bValue, m_keepAssigned.m_bValue);
    WritePlacement(shown);
    VqsTableOptionPage::StoreOptions();
}

VqsOptCtrl* VqsOptionPageTarskElementDb::ChangedBinder(UINT id, int code)
{
    if (id == m_ids.qubNumber)
        return code == EN_CHANGE ? &m_qubNumber : nullptr;
    if (id == m_ids.pack || id == m_ids.duplexPack || id == m_ids.pageSize) {
        if (!IsComboChange(code))
            return nullptr;
        return id == m_ids.pack ? &m_pack : id == m_ids.duplexPack ? &m_duplexPack : &m_pageSize;
    }
    if (code != BN_CLICKED)
        return nullptr;
    VqsOptCtrlFlag* const boxes[] = {&m_noQub,    &m_packDefault,    &m_duplexDefault, &m_noDuplex,
                                     &m_pageSizeDefault, &m_audited, &m_auditedDefault, &m_keepAssigned,
                                     &m_keepAssignedDefault};
    const UINT boxIds[] = {m_ids.noQub,          m_ids.packDefault,   m_ids.duplexDefault,
                           m_ids.noDuplex,       m_ids.pageSizeDefault, m_ids.audited,
                           m_ids.auditedDefault, m_ids.keepAssigned,  m_ids.keepAssignedDefault};
    for (std::size_t i = 0; i < std::size(boxIds); ++i)
        if (boxIds[i] == id)
            return boxes[i];
    return nullptr;
}

BOOL VqsOptionPageTarskElementDb::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (VqsOptCtrl* binder = ChangedBinder(id, HIWORD(wParam)); binder && OnOptionChanged(binder, TRUE))
        OnTaken(id);
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

void VqsOptionPageTarskElementDb::OnTaken(UINT id)
{
    if (id == m_ids.qubNumber)
        OnQubChanged();
    else if (id == m_ids.noQub)
        OnNoQub();
    else if (id == m_ids.packDefault)
        OnPackDefault();
    else if (id == m_ids.duplexDefault)
        OnDuplexDefault();
    else if (id == m_ids.noDuplex)
        OnNoDuplex();
    else if (id == m_ids.pageSize)
        OnPageSizeChanged();
    else if (id == m_ids.pageSizeDefault)
        OnPageSizeDefault();
    else if (id == m_ids.audited)
        OnValueBox(m_audited, m_auditedDefault);
    else if (id == m_ids.keepAssigned)
        OnValueBox(m_keepAssigned, m_keepAssignedDefault);
    else if (id == m_ids.auditedDefault)
        OnAuditedDefault();
    else if (id == m_ids.keepAssignedDefault)
        OnKeepAssignedDefault();
}

void VqsOptionPageTarskElementDb::OnQubChanged()
{
    m_duplexPack.Enable(HasQub() && !m_duplexDefault.m_bValue && !m_noDuplex.m_bValue);
    m_duplexDefault.Enable(!m_segment.GetDefaultDuplexPack().IsEmpty() && HasQub() && !m_noDuplex.m_bValue);
    if (HasQub() && m_segment.GetAllQUBduplex()) {
        m_noDuplex.m_bValue = FALSE;
        m_noDuplex.Enable(FALSE);
    } else if (HasQub()) {
        m_noDuplex.Enable(TRUE);
    }
    UpdateData(FALSE);
}

void VqsOptionPageTarskElementDb::OnNoQub()
{
    if (m_noQub.m_bValue) {
        m_qubNumber.SetValue(0);
        m_qubNumber.Enable(FALSE);
        m_duplexDefault.m_bValue = FALSE;
        m_duplexDefault.Enable(FALSE);
        m_duplexPack.SetValue("");
        m_duplexPack.Enable(FALSE);
        m_noDuplex.m_bValue = FALSE;
        m_noDuplex.Enable(FALSE);
        UpdateData(FALSE);
    } else {
        m_qubNumber.Enable(TRUE);
    }
}

void VqsOptionPageTarskElementDb::OnPackDefault()
{
    m_pack.Enable(!m_packDefault.m_bValue);
    if (m_packDefault.m_bValue) {
        m_pack.SetValue(m_segment.GetDBPack());
        UpdateData(FALSE);
    }
}

void VqsOptionPageTarskElementDb::OnDuplexDefault()
{
    m_duplexPack.Enable(!m_duplexDefault.m_bValue);
    if (m_duplexDefault.m_bValue) {
        m_duplexPack.SetValue(m_segment.GetDefaultDuplexPack());
        UpdateData(FALSE);
    }
}

void VqsOptionPageTarskElementDb::OnNoDuplex()
{
    if (m_noDuplex.m_bValue) {
        m_duplexPack.SetValue("");
        m_duplexPack.Enable(FALSE);
        m_duplexDefault.m_bValue = FALSE;
        m_duplexDefault.Enable(FALSE);
        UpdateData(FALSE);
    } else {
        m_duplexDefault.Enable(!m_segment.GetDefaultDuplexPack().IsEmpty());
        m_duplexPack.Enable(TRUE);
    }
}

void VqsOptionPageTarskElementDb::OnPageSizeChanged()
{
    if (m_pageSize.GetValue() != kDefaultPageSize)
        return;
    m_pageSizeDefault.m_bValue = TRUE;
    m_pageSizeDefault.Enable(TRUE);
    m_pageSize.Enable(FALSE);
    UpdateData(FALSE);
}

void VqsOptionPageTarskElementDb::OnPageSizeDefault()
{
    if (m_pageSizeDefault.m_bValue)
        vqsoptiontable::ShowDefaultOver(m_pageSize, CString(kDefaultPageSize));
    else
        vqsoptiontable::ShowValueAgain(m_pageSize);
    m_pageSize.Enable(!m_pageSizeDefault.m_bValue && !m_pageSize.IsNotAvailable());
    UpdateData(FALSE);
}

void VqsOptionPageTarskElementDb::OnValueBox(VqsOptCtrlFlag& value, VqsOptCtrlFlag& useDefault)
{
    if (value.m_bValue)
        useDefault.m_bValue = FALSE;
    useDefault.Enable(!value.m_bValue);
    UpdateData(FALSE);
}

void VqsOptionPageTarskElementDb::OnAuditedDefault()
{
    if (m_auditedDefault.m_bValue)
        vqsoptiontable::ShowKnownValue(m_audited, AuditedByDefault());
    m_audited.Enable(!m_auditedDefault.m_bValue);
    UpdateData(FALSE);
}

void VqsOptionPageTarskElementDb::OnKeepAssignedDefault()
{
    if (m_keepAssignedDefault.m_bValue)
        m_keepAssigned.m_bValue = m_segment.GetKeepAssigned() != 0;
    else if (!m_bKeepShownOnKeepAssignedOwn)
        m_keepAssigned.m_bValue = m_nStoredKeepAssigned == 1;
    m_keepAssigned.Enable(!m_keepAssignedDefault.m_bValue);
    UpdateData(FALSE);
}
