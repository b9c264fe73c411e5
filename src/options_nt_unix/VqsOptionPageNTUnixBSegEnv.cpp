#include "options_nt_unix/VqsOptionPageNTUnixBSegEnv.h"

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr int IDC_SHOW_DELIMITERS = 1074;
constexpr int IDC_LEFT_DELIMITER = 1075;
constexpr int IDC_RIGHT_DELIMITER = 1076;
constexpr int IDC_LOG_ACTIVITIES = 1077;
constexpr int IDC_LOG_TRANSACTIONS = 1078;
constexpr int IDC_REVERSE_MESSAGES = 1079;
constexpr int IDC_25_LINE_TERMINAL = 2016;
constexpr int IDC_MAX_IN_ISPECS = 32881;
constexpr int IDC_MAX_IN_REPORTS = 32882;
constexpr int IDC_IGNORE_NATIONAL_ITEMS = 33042;
constexpr int IDC_COLLATING_SEQUENCE = 33043;
constexpr int IDC_USE_DEFAULT_COLLATING = 33044;

constexpr int kNotNil = 4;
constexpr int kMaximumCharacters = 2;

} // namespace

template <class Record>
VqsOptionPageLoggingBSegEnv<Record>::VqsOptionPageLoggingBSegEnv(VqsOptions_BSeg_Sheet* sheet, UINT dialogId,
                                                                 int pageIndex)
    : VqsOptionPageBSegEnv(sheet, dialogId, pageIndex),
      m_logActivities(m_table.Flag(IDC_LOG_ACTIVITIES, VQS_OPTION(Record, LogAct))),
      m_logTransactions(m_table.Flag(IDC_LOG_TRANSACTIONS, VQS_OPTION(Record, LogTrans)))
{
    m_table.Flag(IDC_REVERSE_MESSAGES, VQS_OPTION(Record, ReverseMsgOrder));
}

// Transactions are logged only while activities are: the record is not asked otherwise.
template <class Record>
void VqsOptionPageLoggingBSegEnv<Record>::AdjustLoadedValues()
{
    if (!m_logActivities.m_bValue)
        m_logTransactions.m_bValue = FALSE;
}

template <class Record>
void VqsOptionPageLoggingBSegEnv<Record>::EnableDependentControls()
{
    m_logTransactions.Enable(m_logActivities.m_bValue);
}

template <class Record>
void VqsOptionPageLoggingBSegEnv<Record>::OnOptionTaken(UINT id)
{
    if (id != IDC_LOG_ACTIVITIES)
        return;
    m_logTransactions.Enable(m_logActivities.m_bValue);
    if (!m_logActivities.m_bValue) {
        m_logTransactions.m_bValue = FALSE;
        UpdateData(FALSE);
    }
}

template class VqsOptionPageLoggingBSegEnv<PxNTBSegOptions>;
template class VqsOptionPageLoggingBSegEnv<PxUnixBSegOptions>;

BEGIN_MESSAGE_MAP(VqsOptionPageUnixBSegEnv, VqsOptionPageLoggingBSegEnv<PxUnixBSegOptions>)
    ON_EN_CHANGE(IDC_COLLATING_SEQUENCE, &VqsOptionPageUnixBSegEnv::OnCollatingSequenceChanged)
    ON_BN_CLICKED(IDC_USE_DEFAULT_COLLATING, &VqsOptionPageUnixBSegEnv::OnUseDefaultCollatingClicked)
END_MESSAGE_MAP()

VqsOptionPageUnixBSegEnv::VqsOptionPageUnixBSegEnv(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageLoggingBSegEnv(sheet, dialogId, pageIndex),
      m_maxInIspecs(m_table.Number(IDC_MAX_IN_ISPECS,
                                   VQS_NUMBER_OPTION(PxUnixBSegOptions, UnixEventMultiRecordMaxInIspecs),
                                   VqsOptionTable::Validate)),
      m_maxInReports(m_table.Number(IDC_MAX_IN_REPORTS,
                                    VQS_NUMBER_OPTION(PxUnixBSegOptions, UnixEventMultiRecordMaxInReports),
                                    VqsOptionTable::Validate)),
      m_ignoreNationalItems(
          m_table.Flag(IDC_IGNORE_NATIONAL_ITEMS, VQS_OPTION(PxUnixBSegOptions, IgnoreNationalItems))),
      m_collatingSequence(&m_connector, IDC_COLLATING_SEQUENCE, -1, kNotNil),
      m_useDefaultCollating(&m_connector, IDC_USE_DEFAULT_COLLATING)
{
    m_table.Flag(IDC_SHOW_DELIMITERS, VQS_OPTION(PxUnixBSegOptions, ShowDelim));
    m_table.Flag(IDC_25_LINE_TERMINAL, VQS_OPTION(PxUnixBSegOptions, 25LineTerminal));
    m_table.Char(IDC_LEFT_DELIMITER, VQS_OPTION(PxUnixBSegOptions, LDelim));
    m_table.Char(IDC_RIGHT_DELIMITER, VQS_OPTION(PxUnixBSegOptions, RDelim));
}

PxUnixBSegOptions& VqsOptionPageUnixBSegEnv::UnixRecord() const { return dynamic_cast<PxUnixBSegOptions&>(Record()); }

BOOL VqsOptionPageUnixBSegEnv::OnInitDialog()
{
    VqsOptionPageLoggingBSegEnv::OnInitDialog();
    std::int64_t upper = 0;
    if (UnixRecord().HasUpperLimitUnixEventMultiRecordMaxInIspecs(upper))
        m_maxInIspecs.SetTextLimit(kMaximumCharacters, 0);
    if (UnixRecord().HasUpperLimitUnixEventMultiRecordMaxInReports(upper))
        m_maxInReports.SetTextLimit(kMaximumCharacters, 0);
    return TRUE;
}

BOOL VqsOptionPageUnixBSegEnv::HasCcsVersionSupport() const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(UnixRecord().GetSoftLink());
    const PxLSEBusinessSegmentPtr segment =
        enterprise && link ? enterprise->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
    return !segment || segment->GetCcsVersionSupport() != 0;
}

void VqsOptionPageUnixBSegEnv::AdjustLoadedValues()
{
    VqsOptionPageLoggingBSegEnv::AdjustLoadedValues();
    const PxUnixBSegOptions& options = UnixRecord();
    m_bCcsVersionSupport = HasCcsVersionSupport();
    m_useDefaultCollating.m_bValue = options.IsDefaultCollatingSequence();
    m_collatingSequence.SetMaxLength(static_cast<int>(options.GetMaxLengthCollatingSequence()));
    vqsoptiontable::ShowReadValue(m_collatingSequence, [&] { return options.GetCollatingSequence(); });
}

void VqsOptionPageUnixBSegEnv::EnableCcsControls()
{
    const BOOL ignore = m_ignoreNationalItems.m_bValue;
    m_ignoreNationalItems.Enable(m_bCcsVersionSupport);
    m_useDefaultCollating.Enable(m_bCcsVersionSupport && !ignore);
    m_collatingSequence.Enable(m_bCcsVersionSupport && !ignore && !m_useDefaultCollating.m_bValue &&
                               !m_collatingSequence.IsNotAvailable());
}

void VqsOptionPageUnixBSegEnv::EnableDependentControls()
{
    VqsOptionPageLoggingBSegEnv::EnableDependentControls();
    EnableCcsControls();
}

void VqsOptionPageUnixBSegEnv::OnOptionTaken(UINT id)
{
    VqsOptionPageLoggingBSegEnv::OnOptionTaken(id);
    if (id == IDC_IGNORE_NATIONAL_ITEMS) {
        EnableCcsControls();
        UpdateData(FALSE);
    }
}

void VqsOptionPageUnixBSegEnv::OnUseDefaultCollatingClicked()
{
    if (!OnOptionChanged(&m_useDefaultCollating, TRUE))
        return;
    if (m_useDefaultCollating.m_bValue) {
        vqsoptiontable::ShowReadDefaultOver(m_collatingSequence,
                                            [this] { return UnixRecord().GetDefaultCollatingSequence(); });
    } else {
        vqsoptiontable::ShowValueAgain(m_collatingSequence);
    }
    EnableCcsControls();
    UpdateData(FALSE);
}

void VqsOptionPageUnixBSegEnv::StoreOptions()
{
    VqsOptionPageLoggingBSegEnv::StoreOptions();
    PxUnixBSegOptions& options = UnixRecord();
    if (m_collatingSequence.IsNotAvailable() && !m_useDefaultCollating.m_bValue)
        return;
    CString sequence = m_collatingSequence.GetValue();
    sequence.TrimLeft();
    if (m_useDefaultCollating.m_bValue || sequence.IsEmpty() || sequence == options.GetDefaultCollatingSequence())
        options.MakeDefaultCollatingSequence();
    else
        options.SetCollatingSequence(sequence);
}

BOOL VqsOptionPageUnixBSegEnv::IsNotUpdated()
{
    return VqsOptionPageLoggingBSegEnv::IsNotUpdated() && !UnixRecord().IsUpdatedCollatingSequence();
}

void VqsOptionPageUnixBSegEnv::ClearOptions()
{
    VqsOptionPageLoggingBSegEnv::ClearOptions();
    UnixRecord().ClearCollatingSequence();
}
