#include "options_tarsk/VqsOptionPageTarskBSegEnv.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"

namespace {

constexpr int IDC_SHOW_DELIMITERS = 1530;
constexpr int IDC_REVERSE_MESSAGES = 1531;
constexpr int IDC_USE_PAINTER = 1532;
constexpr int IDC_ROC_USES_DATABASE = 1533;
constexpr int IDC_IDLE_TERMINALS = 1534;
constexpr int IDC_KEEP_ASSIGNED = 1535;
constexpr int IDC_OVERRIDE_REM_RESERVE = 1536;
constexpr int IDC_ALL_QUB_DUPLEX = 1537;
constexpr int IDC_SUPPRESS_DELIMITERS = 1538;
constexpr int IDC_STATIC_ICP = 33094;
constexpr int IDC_ICP_COPIES = 1546;
constexpr int IDC_MAX_TRANS_TIME = 1547;
constexpr int IDC_QUEUE_PRIORITY = 1548;
constexpr int IDC_QUICKLOOKS = 1540;
constexpr int IDC_DEFERRED_UPDATE = 1541;
constexpr int IDC_RECOVER_ALL = 1542;
constexpr int IDC_RECOVER_NONE = 1543;
constexpr int IDC_RECOVER_INPUT = 1544;
constexpr int IDC_RECOVER_OUTPUT = 1545;
constexpr int IDC_DUMP_QUEUE = 1552;
constexpr int IDC_DEFAULT_DUPLEX_PACK = 1553;
constexpr int IDC_LEFT_DELIMITER = 1555;
constexpr int IDC_RIGHT_DELIMITER = 1556;
constexpr int IDC_BACKGROUND = 1100;
constexpr int IDC_FOREGROUND = 1101;

constexpr int kPackNameOrEmpty = 4;
constexpr int kRecoveryChoices = 2;
constexpr int kRecoverMessagesChoices = 4;

constexpr const char* kDuplexPackMissing =
    "Please enter a valid Pack name:\nDefault DUPLEX Pack must be defined if all QUB file are to be DUPLEX.";

// The most characters of a bounded number edit.
struct NumberWidth {
    int id;
    int characters;
};
constexpr NumberWidth kNumberWidths[] = {{IDC_ICP_COPIES, 2}, {IDC_MAX_TRANS_TIME, 4}, {IDC_QUEUE_PRIORITY, 4}};

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageTarskBSegEnv, VqsOptionPageBSegEnv)
    ON_WM_CTLCOLOR()
    ON_BN_CLICKED(IDC_QUICKLOOKS, &VqsOptionPageTarskBSegEnv::OnRecoveryChanged)
    ON_BN_CLICKED(IDC_DEFERRED_UPDATE, &VqsOptionPageTarskBSegEnv::OnRecoveryChanged)
    ON_BN_CLICKED(IDC_RECOVER_ALL, &VqsOptionPageTarskBSegEnv::OnRecoverMessagesChanged)
    ON_BN_CLICKED(IDC_RECOVER_NONE, &VqsOptionPageTarskBSegEnv::OnRecoverMessagesChanged)
    ON_BN_CLICKED(IDC_RECOVER_INPUT, &VqsOptionPageTarskBSegEnv::OnRecoverMessagesChanged)
    ON_BN_CLICKED(IDC_RECOVER_OUTPUT, &VqsOptionPageTarskBSegEnv::OnRecoverMessagesChanged)
END_MESSAGE_MAP()

VqsOptionPageTarskBSegEnv::VqsOptionPageTarskBSegEnv(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId,
                                                     int pageIndex)
    : VqsOptionPageBSegEnv(sheet, dialogId, pageIndex), m_pTarskSheet(sheet),
      m_showDelimiters(m_table.Flag(IDC_SHOW_DELIMITERS, VQS_OPTION(PxTarskBSegOptions, ShowDelim))),
      m_usePainter(m_table.Flag(IDC_USE_PAINTER, VQS_OPTION(PxTarskBSegOptions, BSUsePainter))),
      m_keepAssigned(m_table.Flag(IDC_KEEP_ASSIGNED, VQS_OPTION(PxTarskBSegOptions, KeepAssigned))),
      m_allQubDuplex(m_table.Flag(IDC_ALL_QUB_DUPLEX, VQS_OPTION(PxTarskBSegOptions, AllQUBduplex))),
      m_suppressDelimiters(m_table.Flag(IDC_SUPPRESS_DELIMITERS, VQS_OPTION(PxTarskBSegOptions, SuppressDelimiters))),
      m_icpCopies(m_table.Number(IDC_ICP_COPIES, VQS_NUMBER_OPTION(PxTarskBSegOptions, ICPcopies))),
      m_maxTransTime(m_table.Number(IDC_MAX_TRANS_TIME, VQS_NUMBER_OPTION(PxTarskBSegOptions, MaxTransTime))),
      m_queuePriority(m_table.Number(IDC_QUEUE_PRIORITY, VQS_NUMBER_OPTION(PxTarskBSegOptions, QueuePriority))),
      m_dumpQueue(m_table.Text(IDC_DUMP_QUEUE, VQS_TEXT_OPTION(PxTarskBSegOptions, DumpQueue), 0)),
      m_defaultDuplexPack(m_table.Combo(IDC_DEFAULT_DUPLEX_PACK,
                                        VQS_TEXT_OPTION(PxTarskBSegOptions, DefaultDuplexPack), kPackNameOrEmpty)),
      m_leftDelimiter(m_table.Char(IDC_LEFT_DELIMITER, VQS_OPTION(PxTarskBSegOptions, LDelim))),
      m_rightDelimiter(m_table.Char(IDC_RIGHT_DELIMITER, VQS_OPTION(PxTarskBSegOptions, RDelim))),
      m_foreground(m_table.Colour(IDC_FOREGROUND, VQS_OPTION(PxTarskBSegOptions, BSFColor))),
      m_background(m_table.Colour(IDC_BACKGROUND, VQS_OPTION(PxTarskBSegOptions, BSBColor))),
      m_recovery(&m_connector, IDC_QUICKLOOKS, IDC_DEFERRED_UPDATE),
      m_recoverMessages(&m_connector, IDC_RECOVER_ALL, IDC_RECOVER_NONE, IDC_RECOVER_INPUT, IDC_RECOVER_OUTPUT),
      m_sample(*this, m_usePainter, m_background, m_foreground)
{
    m_table.Flag(IDC_REVERSE_MESSAGES, VQS_OPTION(PxTarskBSegOptions, ReverseMsgOrder));
    m_table.Flag(IDC_ROC_USES_DATABASE, VQS_OPTION(PxTarskBSegOptions, ROCusesDB));
    m_table.Flag(IDC_IDLE_TERMINALS, VQS_OPTION(PxTarskBSegOptions, IdleTerminals));
    m_table.Flag(IDC_OVERRIDE_REM_RESERVE, VQS_OPTION(PxTarskBSegOptions, OverrideREMreserve));
    m_table.Flag(IDC_STATIC_ICP, VQS_OPTION(PxTarskBSegOptions, StaticICP));
    const PxTarskBSegOptionsPtr& options = Options();
    m_allQubDuplex.m_bValue = options->GetAllQUBduplex();
    m_keepAssigned.m_bValue = options->GetKeepAssigned();
    m_defaultDuplexPack.SetValue(options->GetDefaultDuplexPack());
}

const PxTarskBSegOptionsPtr& VqsOptionPageTarskBSegEnv::Options() const { return m_pTarskSheet->GetTarskOptions(); }

BOOL VqsOptionPageTarskBSegEnv::OnInitDialog()
{
    m_sample.FillColourNames(IDC_BACKGROUND, IDC_FOREGROUND);
    VqsOptionPageBSegEnv::OnInitDialog();
    std::int64_t upper = 0;
    const PxTarskBSegOptionsPtr& options = Options();
    const BOOL bounded[] = {options->HasUpperLimitICPcopies(upper), options->HasUpperLimitMaxTransTime(upper),
                            options->HasUpperLimitQueuePriority(upper)};
    VqsOptCtrlInt* numbers[] = {&m_icpCopies, &m_maxTransTime, &m_queuePriority};
    for (size_t i = 0; i < std::size(kNumberWidths); ++i)
        if (bounded[i])
            numbers[i]->SetTextLimit(kNumberWidths[i].characters, 0);
    return TRUE;
}

void VqsOptionPageTarskBSegEnv::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPageBSegEnv::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate || !m_connector.IsStrict() || !m_allQubDuplex.m_bValue)
        return;
    CString pack = m_defaultDuplexPack.GetValue();
    if (!pack.TrimLeft().IsEmpty())
        return;
    VqsErrorBox(kDuplexPackMissing);
    pDX->PrepareCtrl(IDC_DEFAULT_DUPLEX_PACK);
    pDX->Fail();
}

void VqsOptionPageTarskBSegEnv::AdjustLoadedValues()
{
    FillPackNames();
    m_ownBackground = m_background.GetValue();
    m_ownForeground = m_foreground.GetValue();
    if (m_usePainter.m_bValue) {
        m_background.SetNotAvailable();
        m_foreground.SetNotAvailable();
    }
    const PxTarskBSegOptionsPtr& options = Options();
    const int recovery = options->GetRecovery();
    if (recovery >= 0 && recovery < kRecoveryChoices)
        m_recovery.m_nValue = recovery;
    const int recoverMessages = options->GetRecoverMessages();
    if (recoverMessages >= 0 && recoverMessages < kRecoverMessagesChoices)
        m_recoverMessages.m_nValue = recoverMessages;
}

void VqsOptionPageTarskBSegEnv::FillPackNames()
{
    const CStringArray names = VqsEveryEnterprisePackName();
    const CString shown = m_defaultDuplexPack.GetValue();
    m_defaultDuplexPack.SetItems(names);
    m_defaultDuplexPack.SetValue(shown);
}

void VqsOptionPageTarskBSegEnv::EnableDependentControls()
{
    m_sample.EnableByPainter();
    const BOOL delimiters = !m_suppressDelimiters.m_bValue;
    m_showDelimiters.Enable(delimiters);
    m_leftDelimiter.Enable(delimiters);
    m_rightDelimiter.Enable(delimiters);
}

void VqsOptionPageTarskBSegEnv::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_USE_PAINTER:
        if (m_usePainter.m_bValue) {
            m_ownBackground = m_background.GetValue();
            m_ownForeground = m_foreground.GetValue();
            m_background.SetValue(Options()->GetDefaultBSBColor());
            m_foreground.SetValue(Options()->GetDefaultBSFColor());
            m_background.SetNotAvailable();
            m_foreground.SetNotAvailable();
        } else {
            m_background.SetValue(m_ownBackground);
            m_foreground.SetValue(m_ownForeground);
        }
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    case IDC_BACKGROUND:
        m_sample.Repaint();
        break;
    case IDC_FOREGROUND:
        m_sample.Repaint();
        UpdateData(FALSE);
        break;
    case IDC_SUPPRESS_DELIMITERS:
        EnableDependentControls();
        break;
    case IDC_ALL_QUB_DUPLEX:
        m_pTarskSheet->RefreshInternDbPagePacks(m_allQubDuplex.m_bValue);
        break;
    case IDC_DEFAULT_DUPLEX_PACK:
        m_pTarskSheet->SetInternDbPageDefaultPack(m_defaultDuplexPack.GetValue());
        break;
    default:
        break;
    }
}

HBRUSH VqsOptionPageTarskBSegEnv::OnCtlColor(CDC* dc, CWnd* control, UINT)
{
    return m_sample.OnCtlColor(dc, control);
}

void VqsOptionPageTarskBSegEnv::StoreOptions()
{
    VqsOptionPageBSegEnv::StoreOptions();
    PxTarskBSegOptions& options = *Options();
    options.SetDumpQueue(CString(m_dumpQueue.GetValue()).Trim());
    options.SetRecovery(static_cast<PxEnumRecovery>(m_recovery.m_nValue == 1 ? 1 : 0));
    const int recoverMessages = m_recoverMessages.m_nValue;
    options.SetRecoverMessages(recoverMessages >= 0 && recoverMessages < kRecoverMessagesChoices ? recoverMessages
                                                                                                   : 0);
}

BOOL VqsOptionPageTarskBSegEnv::IsNotUpdated()
{
    const PxTarskBSegOptionsPtr& options = Options();
    return VqsOptionPageBSegEnv::IsNotUpdated() && !options->IsUpdatedRecovery() &&
           !options->IsUpdatedRecoverMessages();
}

void VqsOptionPageTarskBSegEnv::ClearOptions()
{
    VqsOptionPageBSegEnv::ClearOptions();
    PxTarskBSegOptions& options = *Options();
    options.ClearRecovery();
    options.ClearRecoverMessages();
    options.ClearEventMaximumInIspecs();
    options.ClearEventMaximumInReports();
}
