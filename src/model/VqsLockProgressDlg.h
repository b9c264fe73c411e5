// The lock progress dialog of a repository link: its lock thread runs it modally for the
// whole session. It stays hidden outside locking periods and shows itself only when an
// object has been waited for two seconds within a locking period at least as old; Cancel
// makes the next retry give up.
//
// The user-interface thread never waits for the window: it writes the shared state under
// the dialog's semaphore and posts its few window requests (minimise, hide at the end of a
// period); the 200 ms timer on the lock thread turns the state into what the window shows.
#pragma once

#include "win/CButton.h"
#include "win/CDialog.h"
#include "win/CString.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <atomic>

class CMenu;

class VqsLockProgressDlg : public CDialog {
public:
    VqsLockProgressDlg();
    ~VqsLockProgressDlg() override;

    // Called from the user-interface thread through the lock manager.
    void BeginPeriod();
    // Returns once the dialog is hidden.
    void EndPeriod();
    void NoteFirstResult(int count, const CString& kindText, int failed);
    // Whether a locking period is open: a wait shows here, and the user may give it up.
    BOOL IsInPeriod();
    // 1 while the wait goes on, 0 when the user cancelled or no period is open.
    int StartWait(int count, const CString& kindText);
    int NextAttempt(int attempts);
    void EndWait(int failed);

    // Signalled once the dialog has its window and timer, or has ended without them.
    HANDLE GetReadyEvent() const { return m_ready; }
    // Posts WM_CLOSE to the window; FALSE when there is no window (yet or any more).
    BOOL PostClose();
    // Called on the lock thread once the modal loop has ended, however it ended.
    void NoteEnded();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    void OnCancel() override;
    void OnTimer(UINT_PTR id);
    void OnClose();
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    void OnSysCommand(UINT id, LPARAM lParam);
    LRESULT OnHideRequest(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The parts of a timer tick, run under the semaphore.
    void ShowIfWaitedLongEnough(__time64_t now);
    void HideOutsidePeriod();
    void UpdateDisplayValues(__time64_t now);
    void SetWindowIcon(HICON icon);
    void PostMinimize();
    void MarkHidden();

    CButton m_btnCancel;
    CString m_strCurrentElapsed;
    int m_nObjectsLocked = 0;
    CString m_strCurrentObject;
    CString m_strTotalElapsed;
    CString m_strAttempts;

    // Shared with the user-interface thread, under m_semaphore.
    int m_bActive = 0;
    int m_nObjectCount = 0;
    CString m_strKindText;
    int m_bWaiting = 0;
    int m_nAttempts = 0;
    __time64_t m_periodStart = 0;
    __time64_t m_waitStart = 0;
    CSemaphore m_semaphore{1, 1};
    // Set by Cancel on the lock thread, read by the retry questions.
    std::atomic<int> m_bCancelled{0};
    // Set by the timer when it shows the window; EndPeriod waits on m_hidden for it to clear.
    std::atomic<int> m_bShown{0};
    CEvent m_hidden{TRUE, TRUE};
    CEvent m_ready{FALSE, TRUE};
    // The window the user-interface thread posts its requests to; null without one.
    std::atomic<HWND> m_hRequestWnd{nullptr};

    // Window side, on the lock thread.
    int m_bAnimating = 0;
    int m_nFrame = 0;
    __time64_t m_showDelay = 0;
    HICON m_hStillIcon = nullptr;
    HICON m_hFrameIcons[3] = {};
};

// A time span as "%H:%M:%S": hours within the day, minutes and seconds, two digits each.
CString VqsFormatTimeSpan(__time64_t seconds);
