#include "options_tarsk/VqsOptionPageTarskBSegOLTP.h"

#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsSysApp.h"

#include <iostream>

namespace {

constexpr int IDC_CLIENT_ONLY = 1091;
constexpr int IDC_CLIENT_AND_SERVER = 1092;
constexpr int IDC_ENABLE_OLTP = 1090;
constexpr int IDC_USE_DEFAULT_ID = 1566;
constexpr int IDC_DEFAULT_SERVICE = 1567;
constexpr int IDC_TRANS_ID = 1568;
constexpr int IDC_TRANS_NUMBER = 1569;
constexpr int IDC_ICP_COPIES = 1570;
constexpr int IDC_MAX_TRANS_TIME = 1571;
constexpr int IDC_QUEUE_PRIORITY = 1572;
constexpr int IDC_DUMP_QUEUE = 1573;
constexpr int IDC_SERVICE_WAIT_TIME = 1574;
constexpr int IDC_RECOVER_ALL = 1575;
constexpr int IDC_RECOVER_NONE = 1576;
constexpr int IDC_RECOVER_INPUT = 1577;
constexpr int IDC_RECOVER_OUTPUT = 1578;

constexpr int kNoValidation = 0;
constexpr int kRecoverMessagesChoices = 4;

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageTarskBSegOLTP, VqsOptionPageBSegOLTP)
    ON_BN_CLICKED(IDC_RECOVER_ALL, &VqsOptionPageTarskBSegOLTP::OnRecoverMessagesChanged)
    ON_BN_CLICKED(IDC_RECOVER_NONE, &VqsOptionPageTarskBSegOLTP::OnRecoverMessagesChanged)
    ON_BN_CLICKED(IDC_RECOVER_INPUT, &VqsOptionPageTarskBSegOLTP::OnRecoverMessagesChanged)
    ON_BN_CLICKED(IDC_RECOVER_OUTPUT, &VqsOptionPageTarskBSegOLTP::OnRecoverMessagesChanged)
END_MESSAGE_MAP()

VqsOptionPageTarskBSegOLTP::VqsOptionPageTarskBSegOLTP(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId,
                                                       int pageIndex)
    : VqsOptionPageBSegOLTP(sheet, dialogId, pageIndex), m_pTarskSheet(sheet),
      m_transactionId(m_table.Text(IDC_TRANS_ID, VQS_TEXT_OPTION(PxTarskBSegOptions, OLTPQUBTransId), kNoValidation)),
      m_useDefaultId(m_table.DefaultBox(IDC_USE_DEFAULT_ID, IDC_TRANS_ID)),
      m_icpCopies(m_table.Number(IDC_ICP_COPIES, VQS_NUMBER_OPTION(PxTarskBSegOptions, OLTPICPcopies))),
      m_recoverMessages(&m_connector, IDC_RECOVER_ALL, IDC_RECOVER_NONE, IDC_RECOVER_INPUT, IDC_RECOVER_OUTPUT)
{
    m_oltpControls = {
        &m_transTimeout,
        &m_clientServer,
        &m_table.Text(IDC_DEFAULT_SERVICE, VQS_TEXT_OPTION(PxTarskBSegOptions, DefService), kNoValidation),
        &m_useDefaultId,
        &m_table.Number(IDC_TRANS_NUMBER, VQS_NUMBER_OPTION(PxTarskBSegOptions, OLTPQUBTransNumber)),
        &m_table.Number(IDC_MAX_TRANS_TIME, VQS_NUMBER_OPTION(PxTarskBSegOptions, OLTPMaxTransTime)),
        &m_table.Number(IDC_QUEUE_PRIORITY, VQS_NUMBER_OPTION(PxTarskBSegOptions, OLTPQueuePriority)),
        &m_table.Text(IDC_DUMP_QUEUE, VQS_TEXT_OPTION(PxTarskBSegOptions, OLTPDumpQueue), kNoValidation),
        &m_table.Number(IDC_SERVICE_WAIT_TIME, VQS_NUMBER_OPTION(PxTarskBSegOptions, ServiceWaitTime)),
        &m_recoverMessages,
    };
}

BOOL VqsOptionPageTarskBSegOLTP::OnInitDialog()
{
    VqsOptionPageBSegOLTP::OnInitDialog();
    const PxTarskBSegOptionsPtr& options = m_pTarskSheet->GetTarskOptions();
    const struct {
        BOOL (PxTarskBSegOptions::*upperLimit)(std::int64_t&) const;
        int id;
        int characters;
    } widths[] = {
        {&PxTarskBSegOptions::HasUpperLimitOLTPQUBTransNumber, IDC_TRANS_NUMBER, 4},
        {&PxTarskBSegOptions::HasUpperLimitOLTPICPcopies, IDC_ICP_COPIES, 2},
        {&PxTarskBSegOptions::HasUpperLimitOLTPMaxTransTime, IDC_MAX_TRANS_TIME, 4},
        {&PxTarskBSegOptions::HasUpperLimitOLTPQueuePriority, IDC_QUEUE_PRIORITY, 4},
        {&PxTarskBSegOptions::HasUpperLimitServiceWaitTime, IDC_SERVICE_WAIT_TIME, 10},
    };
    std::int64_t upper = 0;
    for (const auto& width : widths)
        if (((*options).*width.upperLimit)(upper))
            SendDlgItemMessage(width.id, EM_LIMITTEXT, static_cast<WPARAM>(width.characters), 0);
    return TRUE;
}

BOOL VqsOptionPageTarskBSegOLTP::ReadTwoPhaseCommit() const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(m_pTarskSheet->GetTarskOptions()->GetSoftLink());
    const PxLSEBusinessSegmentPtr segment =
        enterprise && link ? enterprise->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
    if (!segment) {
        std::clog << "OLTP options: no design business segment for the options; taken as two-phase commit\n";
        return TRUE;
    }
    return segment->GetTwoPhaseCommit() ? TRUE : FALSE;
}

BOOL VqsOptionPageTarskBSegOLTP::ConfigurationApplies() const
{
    return m_clientServer.m_nValue == 1 || (m_clientServer.m_nValue == 0 && m_bTwoPhaseCommit);
}

void VqsOptionPageTarskBSegOLTP::AdjustLoadedValues()
{
    VqsOptionPageBSegOLTP::AdjustLoadedValues();
    m_bTwoPhaseCommit = ReadTwoPhaseCommit();
    const int recoverMessages = m_pTarskSheet->GetTarskOptions()->GetOLTPRecoverMessages();
    if (recoverMessages >= 0 && recoverMessages < kRecoverMessagesChoices)
        m_recoverMessages.m_nValue = recoverMessages;
    m_loadConfig.m_bValue = ConfigurationApplies() && m_pTarskSheet->GetTarskOptions()->GetLoadConfig();
}

void VqsOptionPageTarskBSegOLTP::EnableDependentControls()
{
    const BOOL enabled = m_enableOltp.m_bValue;
    for (VqsOptCtrl* control : m_oltpControls)
        control->Enable(enabled);
    m_transactionId.Enable(enabled && !m_useDefaultId.m_bValue);
    m_icpCopies.Enable(enabled && ConfigurationApplies());
    m_loadConfig.Enable(enabled && ConfigurationApplies());
}

void VqsOptionPageTarskBSegOLTP::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_ENABLE_OLTP:
    case IDC_USE_DEFAULT_ID:
    case IDC_CLIENT_AND_SERVER:
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    case IDC_CLIENT_ONLY:
        if (!m_bTwoPhaseCommit)
            m_loadConfig.m_bValue = FALSE;
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

void VqsOptionPageTarskBSegOLTP::StoreOptions()
{
    VqsOptionPageBSegOLTP::StoreOptions();
    const int recoverMessages = m_recoverMessages.m_nValue;
    m_pTarskSheet->GetTarskOptions()->SetOLTPRecoverMessages(
        recoverMessages >= 0 && recoverMessages < kRecoverMessagesChoices ? recoverMessages : 0);
}

BOOL VqsOptionPageTarskBSegOLTP::IsNotUpdated()
{
    return VqsOptionPageBSegOLTP::IsNotUpdated() && !m_pTarskSheet->GetTarskOptions()->IsUpdatedOLTPRecoverMessages();
}

void VqsOptionPageTarskBSegOLTP::ClearOptions()
{
    VqsOptionPageBSegOLTP::ClearOptions();
    m_pTarskSheet->GetTarskOptions()->ClearOLTPRecoverMessages();
}
