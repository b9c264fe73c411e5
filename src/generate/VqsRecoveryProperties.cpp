#include "generate/VqsRecoveryProperties.h"

#include "model/VqsLockBag.h"
#include "model/VqsTransaction.h"
#include "proxy/PxException.h"
#include "proxy/PxTypedList.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"
#include "win/CDateTimeCtrl.h"
#include "win/Clock.h"

#include <ctime>

namespace {

constexpr UINT kRecoveryPropertiesTemplate = 306;
constexpr int IDC_CURRENT_STATE = 1877;
constexpr int IDC_USER_ID = 1874;
constexpr int IDC_PACK_NAME = 1875;
constexpr int IDC_RETAIN_DATABASE = 1864;
constexpr int IDC_PARALLEL_COMPILES = 1867;
constexpr int IDC_REORG_TASKS = 1869;
constexpr int IDC_COMPILE_ALL = 1865;
constexpr int IDC_COMPILE_UPDATED = 1866;
constexpr int IDC_DELAY_COMPILE = 1871;
constexpr int IDC_DELAY_DATE = 1872;
constexpr int IDC_DELAY_TIME = 1873;
constexpr int IDC_FORCE_REORGANISE = 33023;
constexpr int IDC_STRUCTURES = 33024;

// The states of a generation run from 0 to 12 (Installing staged generate).
constexpr int kLastState = 12;

constexpr const char* kPopulateFailed = "Error populating recovery record attributes.";

// A write lock on the session for the scope.
class SessionWriteLock {
public:
    explicit SessionWriteLock(const PxVQRecoveryInfoPtr& session) : m_session(session)
    {
        m_bLocked = VqsLockBag::LockOutsideBag(m_session, VqsWriteLock).Succeeded();
    }
    ~SessionWriteLock()
    {
        if (!m_bLocked)
            return;
        try {
            VqsLockBag::GiveBackOutsideBag(m_session, VqsWriteLock);
        } catch (const VqException&) {
            // The session ended meanwhile; its locks went with it.
        }
    }
    SessionWriteLock(const SessionWriteLock&) = delete;
    SessionWriteLock& operator=(const SessionWriteLock&) = delete;

    BOOL IsLocked() const { return m_bLocked; }

private:
    PxVQRecoveryInfoPtr m_session;
    BOOL m_bLocked = FALSE;
};

} // namespace

BEGIN_MESSAGE_MAP(VqsRecoveryProperties, CDialog)
END_MESSAGE_MAP()

VqsRecoveryProperties::VqsRecoveryProperties(CWnd* parent) : CDialog(kRecoveryPropertiesTemplate, parent) {}

VqsRecoveryProperties::~VqsRecoveryProperties() = default;

BOOL VqsRecoveryProperties::OnInitDialog()
{
    try {
        LoadMembers();
        CDialog::OnInitDialog();
        FillStructures();
        ShowDelayDeployDate();
        if (m_nCompileAll == 0 || m_nCompileAll == 1)
            CheckRadioButton(IDC_COMPILE_ALL, IDC_COMPILE_UPDATED, IDC_COMPILE_ALL + m_nCompileAll);
    } catch (const VqReportableException& error) {
        VqsErrorBoxOf(error);
        EndDialog(IDCANCEL);
        return FALSE;
    }
    return TRUE;
}

void VqsRecoveryProperties::LoadMembers()
{
    m_nCurrentState = m_pRecoveryInfo->GetCurrentState();
    m_strUserId = m_pRecoveryInfo->GetUserId();
    m_strPackName = m_pRecoveryInfo->getPackName();
    m_nRetainExistingDatabase = m_pRecoveryInfo->GetRetainExistingDatabase() ? 1 : 0;
    m_nParallelCompiles = m_pRecoveryInfo->GetNumberOfParallelCompiles();
    m_nCompileAll = m_pRecoveryInfo->GetCompileAllFlag();
    m_nForceReorganise = m_pRecoveryInfo->getForceDBReOrg() ? 1 : 0;
}

void VqsRecoveryProperties::FillStructures()
{
    PxTypedList<PxVQRecoveryDBStructPtr> structures;
    m_pRecoveryInfo->GetListOfRecoveryDBStructs(structures);
    for (POSITION pos = structures.GetHeadPosition(); pos;)
        m_structures.AddString(structures.GetNext(pos)->GetStructName());
}

void VqsRecoveryProperties::ShowDelayDeployDate()
{
    const __time64_t time = m_pRecoveryInfo->getDelayDeployDate();
    const struct tm* local = _localtime64(&time);
    if (!local)
        return;
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(local->tm_year + 1900);
    date.wMonth = static_cast<WORD>(local->tm_mon + 1);
    date.wDay = static_cast<WORD>(local->tm_mday);
    date.wHour = static_cast<WORD>(local->tm_hour);
    date.wMinute = static_cast<WORD>(local->tm_min);
    date.wSecond = static_cast<WORD>(local->tm_sec);
    for (int id : {IDC_DELAY_DATE, IDC_DELAY_TIME})
        ::SendMessage(GetDlgItem(id)->GetSafeHwnd(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date));
}

void VqsRecoveryProperties::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STRUCTURES, m_structures);
    DDX_Text(pDX, IDC_CURRENT_STATE, m_nCurrentState);
    DDV_MinMaxInt(pDX, m_nCurrentState, 0, kLastState);
    DDX_Text(pDX, IDC_USER_ID, m_strUserId);
    DDX_Text(pDX, IDC_PACK_NAME, m_strPackName);
    DDX_Check(pDX, IDC_RETAIN_DATABASE, m_nRetainExistingDatabase);
    DDX_Text(pDX, IDC_PARALLEL_COMPILES, m_nParallelCompiles);
    DDX_Text(pDX, IDC_REORG_TASKS, m_nReorgTasks);
    DDX_Check(pDX, IDC_DELAY_COMPILE, m_nDelayCompile);
    DDX_Check(pDX, IDC_FORCE_REORGANISE, m_nForceReorganise);
}

void VqsRecoveryProperties::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(StoreMembers() ? IDOK : IDCANCEL);
}

BOOL VqsRecoveryProperties::StoreMembers()
{
    SessionWriteLock lock(m_pRecoveryInfo);
    if (!lock.IsLocked()) {
        VqsErrorBox(kPopulateFailed);
        return FALSE;
    }
    {
        VqsTransaction transaction;
        if (!transaction.IsUsable())
            return FALSE;
        try {
            m_pRecoveryInfo->SetNumberOfParallelCompiles(m_nParallelCompiles);
            m_pRecoveryInfo->SetUserId(m_strUserId);
            m_pRecoveryInfo->SetCurrentState(m_nCurrentState);
        } catch (const VqException& error) {
            transaction.SetFailed();
            VqsErrorBoxOf(error);
        } catch (const std::exception&) {
            transaction.SetFailed();
            VqsErrorBox(kPopulateFailed);
        }
    }
    return VqsTransaction::IsOk();
}
