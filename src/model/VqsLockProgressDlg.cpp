#include "model/VqsLockProgressDlg.h"

#include "win/CDataExchange.h"
#include "win/CMenu.h"
#include "win/ImageList.h"
#include "win/LibraryLoader.h"

namespace {

constexpr UINT kLockProgressTemplate = 105;
constexpr int kTotalElapsedEdit = 1582;
constexpr int kObjectsLockedEdit = 1583;
constexpr int kCurrentElapsedEdit = 1584;
constexpr int kAttemptsEdit = 1585;
constexpr int kCurrentObjectEdit = 1586;
constexpr UINT kStillIcon = 106;
constexpr UINT kFrameIcons[] = {155, 157, 159};
constexpr UINT_PTR kProgressTimer = 2;
constexpr UINT kProgressTimerMilliseconds = 200;
constexpr __time64_t kShowDelaySeconds = 2;
// Above the dialog class's own WM_USER messages.
constexpr UINT WM_VQS_HIDE_PROGRESS = WM_USER + 100;
constexpr __time64_t kSecondsPerDay = 24 * 60 * 60;

HICON LoadResourceIcon(UINT id) { return ::LoadIcon(AfxGetResourceHandle(), MAKEINTRESOURCE(id)); }

} // namespace

BEGIN_MESSAGE_MAP(VqsLockProgressDlg, CDialog)
ON_WM_TIMER()
ON_WM_CLOSE()
ON_WM_INITMENUPOPUP()
ON_WM_SYSCOMMAND()
ON_MESSAGE(WM_VQS_HIDE_PROGRESS, &VqsLockProgressDlg::OnHideRequest)
END_MESSAGE_MAP()

CString VqsFormatTimeSpan(__time64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    CString text;
    text.Format("%02d:%02d:%02d", static_cast<int>(seconds % kSecondsPerDay / 3600), static_cast<int>(seconds % 3600 / 60),
                static_cast<int>(seconds % 60));
    return text;
}

VqsLockProgressDlg::VqsLockProgressDlg() : CDialog(kLockProgressTemplate)
{
    m_hStillIcon = LoadResourceIcon(kStillIcon);
    for (int frame = 0; frame < 3; ++frame)
        m_hFrameIcons[frame] = LoadResourceIcon(kFrameIcons[frame]);
}

VqsLockProgressDlg::~VqsLockProgressDlg() = default;

void VqsLockProgressDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Text(pDX, kCurrentElapsedEdit, m_strCurrentElapsed);
    DDX_Text(pDX, kObjectsLockedEdit, m_nObjectsLocked);
    DDX_Text(pDX, kCurrentObjectEdit, m_strCurrentObject);
    DDX_Text(pDX, kTotalElapsedEdit, m_strTotalElapsed);
    DDX_Text(pDX, kAttemptsEdit, m_strAttempts);
}

BOOL VqsLockProgressDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        systemMenu->DeleteMenu(SC_SIZE, MF_BYCOMMAND);
        systemMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        systemMenu->EnableMenuItem(SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
    }
    SetWindowIcon(m_hStillIcon);
    m_showDelay = kShowDelaySeconds;
    SetTimer(kProgressTimer, kProgressTimerMilliseconds);
    ShowWindow(SW_SHOWMINNOACTIVE);
    m_hRequestWnd.store(m_hWnd);
    m_ready.SetEvent();
    return TRUE;
}

void VqsLockProgressDlg::BeginPeriod()
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (m_bActive)
        return;
    m_bActive = 1;
    m_bCancelled.store(0);
    m_bWaiting = 0;
    m_nObjectCount = 0;
    m_strKindText.Empty();
    m_periodStart = _time64(nullptr);
}

// The timer would hide the window at its next tick; the request hides it at once, so that
// the end of a period never waits for time to pass.
void VqsLockProgressDlg::EndPeriod()
{
    {
        CSingleLock lock(&m_semaphore, TRUE);
        if (!m_bActive)
            return;
        m_bActive = 0;
    }
    if (!m_bShown.load())
        return;
    if (HWND window = m_hRequestWnd.load())
        ::PostMessage(window, WM_VQS_HIDE_PROGRESS, 0, 0);
    ::WaitForSingleObject(m_hidden, INFINITE);
}

void VqsLockProgressDlg::NoteFirstResult(int count, const CString& kindText, int failed)
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (!m_bActive)
        return;
    m_nObjectCount = count;
    m_strKindText = kindText;
    m_bWaiting = 0;
    if (failed)
        PostMinimize();
}

BOOL VqsLockProgressDlg::IsInPeriod()
{
    CSingleLock lock(&m_semaphore, TRUE);
    return m_bActive;
}

int VqsLockProgressDlg::StartWait(int count, const CString& kindText)
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (!m_bActive)
        return 0;
    m_nObjectCount = count;
    m_nAttempts = 1;
    m_bWaiting = 1;
    m_waitStart = _time64(nullptr);
    m_strKindText = kindText;
    if (m_bCancelled.load()) {
        m_bWaiting = 0;
        PostMinimize();
        return 0;
    }
    return 1;
}

int VqsLockProgressDlg::NextAttempt(int attempts)
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (!m_bActive)
        return 0;
    m_nAttempts = attempts + 1;
    if (m_bCancelled.load()) {
        m_bWaiting = 0;
        PostMinimize();
        return 0;
    }
    m_bWaiting = 1;
    return 1;
}

void VqsLockProgressDlg::EndWait(int failed)
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (!m_bActive)
        return;
    m_bWaiting = 0;
    if (failed)
        PostMinimize();
}

BOOL VqsLockProgressDlg::PostClose()
{
    HWND window = m_hRequestWnd.load();
    return window && ::PostMessage(window, WM_CLOSE, 0, 0);
}

void VqsLockProgressDlg::NoteEnded()
{
    m_hRequestWnd.store(nullptr);
    MarkHidden();
    m_ready.SetEvent();
}

void VqsLockProgressDlg::OnCancel() { m_bCancelled.store(1); }

void VqsLockProgressDlg::OnTimer(UINT_PTR id)
{
    if (id != kProgressTimer) {
        CDialog::OnTimer(id);
        return;
    }
    {
        CSingleLock lock(&m_semaphore, TRUE);
        const __time64_t now = _time64(nullptr);
        ShowIfWaitedLongEnough(now);
        HideOutsidePeriod();
        if (m_bShown.load())
            UpdateDisplayValues(now);
    }
    if (m_bShown.load())
        UpdateData(FALSE);
}

void VqsLockProgressDlg::ShowIfWaitedLongEnough(__time64_t now)
{
    if (!m_bActive || !m_bWaiting || m_bShown.load())
        return;
    if (now - m_periodStart < m_showDelay || now - m_waitStart < m_showDelay)
        return;
    m_hidden.ResetEvent();
    m_bShown.store(1);
    m_bAnimating = 0;
    m_btnCancel.EnableWindow(TRUE);
    ShowWindow(SW_SHOWNORMAL);
    ShowWindow(SW_RESTORE);
}

// Also hides the minimised window of the start, at the first tick.
void VqsLockProgressDlg::HideOutsidePeriod()
{
    if (m_bActive)
        return;
    if (IsWindowVisible()) {
        m_strCurrentObject.Empty();
        ShowWindow(SW_HIDE);
    }
    if (m_bShown.load())
        MarkHidden();
}

void VqsLockProgressDlg::UpdateDisplayValues(__time64_t now)
{
    if (m_bWaiting) {
        if (!m_bAnimating) {
            m_bAnimating = 1;
            m_btnCancel.EnableWindow(TRUE);
            m_nFrame = 0;
        } else {
            m_nFrame = (m_nFrame + 1) % 3;
        }
        SetWindowIcon(m_hFrameIcons[m_nFrame]);
        m_strAttempts.Format("%u", static_cast<unsigned>(m_nAttempts));
        m_strCurrentElapsed = VqsFormatTimeSpan(now - m_waitStart);
    } else {
        if (m_bAnimating) {
            SetWindowIcon(m_hStillIcon);
            m_bAnimating = 0;
        }
        m_strAttempts.Empty();
        m_strCurrentElapsed.Empty();
    }
    m_nObjectsLocked = m_nObjectCount;
    m_strTotalElapsed = VqsFormatTimeSpan(now - m_periodStart);
    m_strCurrentObject = m_strKindText;
}

LRESULT VqsLockProgressDlg::OnHideRequest(WPARAM, LPARAM)
{
    CSingleLock lock(&m_semaphore, TRUE);
    HideOutsidePeriod();
    return 0;
}

void VqsLockProgressDlg::OnClose()
{
    KillTimer(kProgressTimer);
    m_hRequestWnd.store(nullptr);
    MarkHidden();
    EndDialog(IDCANCEL);
}

// Only the end of the repository session closes the dialog.
void VqsLockProgressDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == SC_CLOSE)
        return;
    CDialog::OnSysCommand(id, lParam);
}

void VqsLockProgressDlg::OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu)
{
    if (sysMenu && popup) {
        const BOOL minimized = IsIconic();
        popup->EnableMenuItem(SC_RESTORE, MF_BYCOMMAND | (minimized ? MF_ENABLED : MF_GRAYED));
        popup->EnableMenuItem(SC_MINIMIZE, MF_BYCOMMAND | (minimized ? MF_GRAYED : MF_ENABLED));
    }
    CDialog::OnInitMenuPopup(popup, index, sysMenu);
}

void VqsLockProgressDlg::SetWindowIcon(HICON icon)
{
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
}

// Posted, never sent: the caller holds the semaphore that the lock thread's timer takes.
void VqsLockProgressDlg::PostMinimize()
{
    if (HWND window = m_hRequestWnd.load())
        ::PostMessage(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void VqsLockProgressDlg::MarkHidden()
{
    m_bShown.store(0);
    m_hidden.SetEvent();
}
