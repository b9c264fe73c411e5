#include "generate/VqsSelectSession.h"

#include "generate/VqsGenerateStart.h"
#include "generate/VqsRecoveryProperties.h"
#include "model/VqsLockBag.h"
#include "model/VqsRunningGeneration.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxProcess.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/Clock.h"
#include "win/ListView.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr UINT kSelectSessionTemplate = 294;
constexpr int IDC_SESSION_LIST = 32853;
constexpr int IDC_RESTART = 33025;
constexpr int IDC_MONITOR = 321;
constexpr int IDC_INSTALL = 322;
constexpr int IDC_PROPERTIES = 1876;
constexpr int IDC_DELETE = 32854;

constexpr UINT IDS_SELECT_SESSION_TITLE = 61914;
constexpr UINT IDS_FAILED_STAGED_INSTALL = 62002;
constexpr UINT IDS_INCOMPLETE = 62004;

constexpr int kAdministratorRight = 0x40;

// Generate types and states the dialog treats apart.
constexpr int kTypeReportGenerate = 1;
constexpr int kTypeSystemGenerate = 2;
constexpr int kTypeSystemAndReport = 5;
constexpr int kTypeAutoReport = 8;
constexpr int kStateGenerateFiles = 6;
constexpr int kStateDeploying = 8;
constexpr int kStateStaged = 10;
constexpr int kStateMonitor = 11;
constexpr int kGenerationFlagWithReports = 2;

const struct {
    UINT header;
    int width;
} kColumns[] = {{61921, 95}, {61922, 145}, {61923, 110}, {61924, 85}, {61925, 175}};

// String ids of the names of generate types 0-10 and states 0-12; 0 is an empty name.
constexpr UINT kTypeNameIds[] = {61926, 61927, 61928, 61929, 61930, 61931, 0, 0, 61932, 61933, 61997};
constexpr UINT kStateNameIds[] = {0,     61934, 61935, 61936, 61937, 61938, 61939,
                                  61940, 61941, 61942, 61994, 62005, 62006};

// The names of generate types and states, loaded each time the dialog starts.
struct SessionNames {
    CString types[std::size(kTypeNameIds)];
    CString states[std::size(kStateNameIds)];
};
SessionNames g_names;

template <std::size_t N>
void LoadNames(CString (&names)[N], const UINT (&ids)[N])
{
    for (std::size_t i = 0; i < N; ++i) {
        names[i].Empty();
        if (ids[i])
            names[i].LoadString(ids[i]);
    }
}

template <std::size_t N>
CString NameOf(const CString (&names)[N], int number)
{
    return number >= 0 && static_cast<std::size_t>(number) < N ? names[number] : CString();
}

CString TypeText(const PxVQRecoveryInfoPtr& session)
{
    const int type = session->getGenerateType();
    if (type == kTypeSystemAndReport && session->GetGenerationFlag() != kGenerationFlagWithReports &&
        session->GetCurrentState() != kStateStaged)
        return NameOf(g_names.types, kTypeSystemGenerate);
    return NameOf(g_names.types, type);
}

CString StateText(const PxVQRecoveryInfoPtr& session)
{
    const int state = session->GetCurrentState();
    const CString name = NameOf(g_names.states, state);
    CString incomplete;
    incomplete.LoadString(IDS_INCOMPLETE);
    CString text;
    const int completeness = session->GetStateCompleteness();
    if (state == kStateGenerateFiles && completeness >= 0 && completeness <= 100)
        text.Format("%s%s (%d%%)", incomplete.GetString(), name.GetString(), completeness);
    else if (state == kStateStaged || state == kStateMonitor)
        text = name;
    else
        text = incomplete + name;
    return text;
}

CString SessionUserCode()
{
    PxVQLink* link = VqsGetApp()->GetLink();
    return link ? link->GetProcess()->GetUserCode() : CString();
}

// The session's user id is the short form of the user's code (the user's own under its short
// code, which another session of the user may hold).
bool OwnUnderShortCode(const PxVQRecoveryInfoPtr& session, const CString& userCode)
{
    const CString userId = session->GetUserId();
    const CString shortCode = VqsShortUserCode(userCode);
    return userId != userCode && shortCode != userCode && userId == shortCode;
}

// The filters that hide a session from the user, before it is held.
bool ShownTo(const PxVQRecoveryInfoPtr& session, const CString& userCode)
{
    if (VqsRecoverySessionRuns(session))
        return false;
    const bool own = OwnUnderShortCode(session, userCode);
    if (session->GetUserId() != userCode && !own && !VqsGetApp()->HasRight(kAdministratorRight))
        return false;
    return !session->IsLocked() || own;
}

bool StagedAutoReport(const PxVQRecoveryInfoPtr& session)
{
    return session->getGenerateType() == kTypeAutoReport && session->getStagedInstall();
}

// A report session whose files are all gone has nothing to restart.
bool ReportSessionWithoutFiles(const PxVQRecoveryInfoPtr& session)
{
    if (session->getGenerateType() != kTypeReportGenerate)
        return false;
    PxTypedList<PxVQRecoveryFileInfoPtr> files;
    session->GetListOfRecoveryFileInfos(files);
    return files.IsEmpty();
}

// The record of a session nothing is left of goes as it is met, with the hold it names should that
// still stand (a restart's host died owing the lift), unless its set is claimed: by a generation
// that runs (one that took that hold over keeps it named by the record until it ends), or by the
// restart's own end that the lock store has not taken yet (the lift it owes is made before the
// claim goes).
void DeleteEndedSession(const PxVQRecoveryInfoPtr& session)
{
    const PxVQOptionSetPtr genSet = session->GetGenSet();
    if (!genSet || genSet->GetGenerationClaimUser().IsEmpty())
        VqsDeleteRecoverySession(session);
}

} // namespace

bool VqsSessionOffered(const PxVQRecoveryInfoPtr& session)
{
    return ShownTo(session, SessionUserCode()) && !VqsNothingLeftToRestart(session) && !StagedAutoReport(session) &&
           !ReportSessionWithoutFiles(session);
}

bool VqsAnySessionOffered(const PxVQSystemPtr& system,
                          const std::function<bool(const PxVQRecoveryInfoPtr&)>& wanted)
{
    if (!system)
        return false;
    try {
        PxTypedList<PxVQRecoveryInfoPtr> sessions;
        system->GetListOfRecoveryInfos(sessions);
        const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQRecoveryInfoPtr& session = list.GetNext(pos);
            if (session && wanted(session) && !VqsHoldHandedOver(session) && VqsSessionOffered(session))
                return true;
        }
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error) || VqsIsStoreBusy(error))
            throw;
    }
    return false;
}

// The long read locks of the listed sessions, given back together.
class VqsSelectSession::SessionLocks {
public:
    SessionLocks() = default;
    ~SessionLocks() { ReleaseAll(); }
    SessionLocks(const SessionLocks&) = delete;
    SessionLocks& operator=(const SessionLocks&) = delete;

    // A session held already keeps its lock: nothing is asked of the store.
    BOOL Lock(const PxVQRecoveryInfoPtr& session)
    {
        if (Holds(session))
            return TRUE;
        if (!VqsLockBag::LockOutsideBag(session, VqsLongReadLock).Succeeded())
            return FALSE;
        m_sessions.push_back(session);
        return TRUE;
    }

    // Gives back the session's lock, once it is deleted.
    void Release(const PxVQRecoveryInfoPtr& session)
    {
        if (!Holds(session))
            return;
        Unlock(session);
        std::erase_if(m_sessions, [&](const PxVQRecoveryInfoPtr& held) { return held->IsSameOid(session); });
    }

    // Gives back the locks of the sessions no longer listed.
    void KeepOnly(const std::vector<PxVQRecoveryInfoPtr>& listed) noexcept
    {
        std::erase_if(m_sessions, [&](const PxVQRecoveryInfoPtr& held) {
            if (Among(listed, held))
                return false;
            Unlock(held);
            return true;
        });
    }

    void ReleaseAll() noexcept
    {
        for (const PxVQRecoveryInfoPtr& session : m_sessions)
            Unlock(session);
        m_sessions.clear();
    }

private:
    static bool Among(const std::vector<PxVQRecoveryInfoPtr>& sessions, const PxVQRecoveryInfoPtr& session)
    {
        return std::any_of(sessions.begin(), sessions.end(),
                           [&](const PxVQRecoveryInfoPtr& other) { return other->IsSameOid(session); });
    }
    bool Holds(const PxVQRecoveryInfoPtr& session) const { return Among(m_sessions, session); }

    static void Unlock(const PxVQRecoveryInfoPtr& session) noexcept
    {
        try {
            VqsLockBag::GiveBackOutsideBag(session, VqsLongReadLock);
        } catch (const VqException&) {
            // A session deleted meanwhile holds no lock any more.
        }
    }

    std::vector<PxVQRecoveryInfoPtr> m_sessions;
};

BEGIN_MESSAGE_MAP(VqsSelectSession, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SESSION_LIST, &VqsSelectSession::OnItemChanged)
    ON_BN_CLICKED(IDC_RESTART, &VqsSelectSession::OnRestart)
    ON_BN_CLICKED(IDC_MONITOR, &VqsSelectSession::OnMonitor)
    ON_BN_CLICKED(IDC_INSTALL, &VqsSelectSession::OnInstall)
    ON_BN_CLICKED(IDC_PROPERTIES, &VqsSelectSession::OnProperties)
    ON_BN_CLICKED(IDC_DELETE, &VqsSelectSession::OnDelete)
END_MESSAGE_MAP()

VqsSelectSession::VqsSelectSession(CWnd* parent)
    : CDialog(kSelectSessionTemplate, parent), m_pLocks(std::make_unique<SessionLocks>())
{
}

VqsSelectSession::~VqsSelectSession() = default;

void VqsSelectSession::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SESSION_LIST, m_list);
}

BOOL VqsSelectSession::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString title;
    title.LoadString(IDS_SELECT_SESSION_TITLE);
    SetWindowText(title);
    LoadNames(g_names.types, kTypeNameIds);
    LoadNames(g_names.states, kStateNameIds);
    m_list.SetExtendedStyle(m_list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    InsertColumns();
    if (!Filled())
        return FALSE;
    m_bOpened = TRUE;
    EnableActions(FALSE, FALSE, FALSE);
    return TRUE;
}

// A list that cannot be filled whole is not shown, as it opens or after a Delete: a session left
// out because the store could not answer (a busy lock store, a lost connection) would read as
// none. The failure is told and the dialog ends.
BOOL VqsSelectSession::Filled()
{
    try {
        FillList();
        return TRUE;
    } catch (const VqReportableException& error) {
        VqsErrorBoxOf(error);
        EndDialog(IDCANCEL);
        return FALSE;
    }
}

void VqsSelectSession::InsertColumns()
{
    int column = 0;
    for (const auto& definition : kColumns) {
        CString header;
        header.LoadString(definition.header);
        m_list.InsertColumn(column++, header, LVCFMT_LEFT, definition.width);
    }
}

// A session listed again keeps the lock it holds, and only those of the sessions no longer listed
// are given back: a refill asks the store to take no lock again, so that after a step the store
// refused in part (a full disk refusing to take locks back) the list shows what it holds.
void VqsSelectSession::FillList()
{
    m_list.DeleteAllItems();
    m_rowKeys.clear();
    std::vector<PxVQRecoveryInfoPtr> listed;
    const bool anySession = m_pSystem && m_pSystem->CountOfRecoveryInfos() > 0;
    if (anySession) {
        const CString userCode = SessionUserCode();
        PxTypedList<PxVQRecoveryInfoPtr> sessions;
        m_pSystem->GetListOfRecoveryInfos(sessions);
        for (POSITION pos = sessions.GetHeadPosition(); pos;) {
            PxVQRecoveryInfoPtr session = sessions.GetNext(pos);
            if (session && ListSession(session, userCode)) {
                AppendRow(session);
                listed.push_back(session);
            }
        }
    }
    m_pLocks->KeepOnly(listed);
    if (!anySession) {
        GetDlgItem(IDC_DELETE)->EnableWindow(FALSE);
        EnableActions(FALSE, FALSE, FALSE);
    }
}

// The filters of the list; deletes the sessions nobody can use any more on the way. A
// session a generation runs on (a restart of it, on any host) is never offered.
BOOL VqsSelectSession::ListSession(const PxVQRecoveryInfoPtr& session, const CString& userCode)
{
    if (!ShownTo(session, userCode))
        return FALSE;
    // Deleted as the dialog opens: a refill after a Delete the store refused tries no deletion
    // of its own, which the store would refuse again.
    if (VqsNothingLeftToRestart(session)) {
        if (!m_bOpened)
            DeleteEndedSession(session);
        return FALSE;
    }
    if (StagedAutoReport(session)) {
        if (m_pSystem->CountOfRecoveryInfos() == 1)
            VqsDeleteRecoverySession(session);
        return FALSE;
    }
    if (!m_pLocks->Lock(session) && !OwnUnderShortCode(session, userCode))
        return FALSE;
    if (ReportSessionWithoutFiles(session)) {
        DeleteHeld(session);
        return FALSE;
    }
    return TRUE;
}

CString VqsSessionStartTime(const PxVQRecoveryInfoPtr& session)
{
    const __time64_t time = session->getGenerateDate();
    const struct tm* local = _localtime64(&time);
    if (!local)
        return CString();
    char day[64] = {};
    char clock[64] = {};
    std::strftime(day, sizeof day, "%x", local);
    std::strftime(clock, sizeof clock, "%X", local);
    return CString(day) + " " + clock;
}

void VqsSelectSession::AppendRow(const PxVQRecoveryInfoPtr& session)
{
    const int row = m_list.GetItemCount();
    PxVQOptionSetPtr genSet = session->GetGenSet();
    m_list.InsertItem(row, genSet ? genSet->GetName() : CString());
    m_list.SetItemText(row, 1, VqsSessionStartTime(session));
    m_list.SetItemText(row, 2, TypeText(session));
    m_list.SetItemText(row, 3, session->GetUserId());
    m_list.SetItemText(row, 4, StateText(session));
    m_rowKeys.push_back(session->GetHandle().GetDisplayString(1));
}

void VqsSelectSession::EnableActions(BOOL restart, BOOL monitor, BOOL install)
{
    GetDlgItem(IDC_RESTART)->EnableWindow(restart);
    GetDlgItem(IDC_MONITOR)->EnableWindow(monitor);
    GetDlgItem(IDC_INSTALL)->EnableWindow(install);
}

PxVQRecoveryInfoPtr VqsSelectSession::SessionOfRow(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_rowKeys.size())
        return PxVQRecoveryInfoPtr();
    return m_pSystem->GetRecoveryInfo(m_rowKeys[static_cast<std::size_t>(row)]);
}

PxVQRecoveryInfoPtr VqsSelectSession::SelectedSession() const
{
    return SessionOfRow(m_list.GetNextItem(-1, LVNI_SELECTED));
}

void VqsSelectSession::OnItemChanged(NMHDR*, LRESULT* result)
{
    *result = 0;
    PxVQRecoveryInfoPtr session = SelectedSession();
    if (!session) {
        EnableActions(FALSE, FALSE, FALSE);
        return;
    }
    const int state = session->GetCurrentState();
    EnableActions(state != kStateStaged && state != kStateMonitor, state == kStateMonitor || state == kStateDeploying,
                  state == kStateStaged);
}

void VqsSelectSession::OnRestart()
{
    m_nChoice = ChoiceRestart;
    OnOK();
}

void VqsSelectSession::OnMonitor()
{
    m_nChoice = ChoiceMonitor;
    OnOK();
}

void VqsSelectSession::OnInstall()
{
    if (!SelectedSession())
        return;
    if (m_list.GetItemCount() >= 2) {
        for (int row = 0; row < m_list.GetItemCount(); ++row) {
            PxVQRecoveryInfoPtr session = SessionOfRow(row);
            if (session && session->GetCurrentState() != kStateStaged && session->getStagedInstall())
                VqsMessageBoxId(IDS_FAILED_STAGED_INSTALL);
        }
    }
    m_nChoice = ChoiceInstall;
    OnOK();
}

void VqsSelectSession::OnProperties()
{
    PxVQRecoveryInfoPtr session = SelectedSession();
    if (!session)
        return;
    VqsRecoveryProperties properties(this);
    properties.SetRecoveryInfo(session);
    properties.DoModal();
}

void VqsSelectSession::OnDelete()
{
    try {
        PxVQRecoveryInfoPtr session = SelectedSession();
        if (!session)
            return;
        // A restart, an install or a monitor of the session began since the list was filled:
        // it is not deleted under it, and no longer offered.
        if (!VqsRefusedWhileSessionRuns(session))
            DeleteSession(session);
    } catch (const VqReportableException& error) {
        VqsErrorBoxOf(error);
        return;
    }
    if (Filled())
        EnableActions(FALSE, FALSE, FALSE);
}

void VqsSelectSession::DeleteSession(const PxVQRecoveryInfoPtr& session)
{
    const int type = session->getGenerateType();
    if (type == kTypeSystemAndReport)
        DeleteAutoReports();
    if (type == kTypeSystemGenerate)
        NotifySegmentLinks();
    DeleteHeld(session);
}

// The session's lock goes with it: a deletion refused or failed leaves the session with its lock,
// listed again without a lock asked of the store.
void VqsSelectSession::DeleteHeld(const PxVQRecoveryInfoPtr& session)
{
    if (VqsDeleteRecoverySession(session))
        m_pLocks->Release(session);
}

void VqsSelectSession::DeleteAutoReports()
{
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    m_pSystem->GetListOfRecoveryInfos(sessions);
    for (POSITION pos = sessions.GetHeadPosition(); pos;) {
        PxVQRecoveryInfoPtr session = sessions.GetNext(pos);
        if (session->getGenerateType() == kTypeAutoReport)
            DeleteHeld(session);
    }
}

void VqsSelectSession::NotifySegmentLinks()
{
    PxVQCurConfigPtr config = m_pSystem->GetCurConfig();
    if (!config)
        return;
    PxTypedList<PxVQBSSoftLinkPtr> links;
    config->GetListOfBSSoftLinks(links);
    for (POSITION pos = links.GetHeadPosition(); pos;)
        VqsGetApp()->WyrNotify(links.GetNext(pos)->GetName());
}

void VqsSelectSession::OnOK()
{
    try {
        PxVQRecoveryInfoPtr session = SelectedSession();
        if (!session)
            return;
        m_pLocks->ReleaseAll();
        m_recoveryHandle = session->GetHandle();
        if (session->getGenerateType() == kTypeSystemAndReport)
            PairAutoReport();
    } catch (const VqReportableException& error) {
        VqsErrorBoxOf(error);
        return;
    }
    EndDialog(IDOK);
}

// The newest Auto Report session goes with the chosen System & Report session; older ones
// are deleted.
void VqsSelectSession::PairAutoReport()
{
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    m_pSystem->GetListOfRecoveryInfos(sessions);
    std::vector<PxVQRecoveryInfoPtr> autoReports;
    PxVQRecoveryInfoPtr newest;
    for (POSITION pos = sessions.GetHeadPosition(); pos;) {
        PxVQRecoveryInfoPtr session = sessions.GetNext(pos);
        if (session->getGenerateType() != kTypeAutoReport)
            continue;
        autoReports.push_back(session);
        if (!newest || session->getGenerateDate() > newest->getGenerateDate())
            newest = session;
    }
    if (!newest)
        return;
    m_secondHandle = newest->GetHandle();
    for (const PxVQRecoveryInfoPtr& older : autoReports)
        if (!older->IsSameOid(newest))
            VqsDeleteRecoverySession(older);
}

void VqsSelectSession::OnCancel()
{
    m_nChoice = ChoiceNone;
    m_pLocks->ReleaseAll();
    CDialog::OnCancel();
}
