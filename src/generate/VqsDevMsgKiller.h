// The automation controller's responder: while a scripted generation starts or runs,
// nobody answers the module's message boxes, so this thread looks for a box captioned
// "Wrenfield Message" once per interval, presses its Cancel (else its OK) button and
// reports the box's text and the button to the controller's window.
//
// It pauses cooperatively: the controller resumes and pauses it, and a paused thread
// waits at the start of a pass and before each report, never inside a window call.
#pragma once

#include "win/CWinThread.h"
#include "win/Sync.h"

#include <atomic>

class CAnvilorController;

class VqsDevMsgKiller : public CWinThread {
public:
    static constexpr DWORD kPassInterval = 30000;

    explicit VqsDevMsgKiller(CAnvilorController* controller);
    ~VqsDevMsgKiller() override;

    // The thread body: passes while resumed, until the thread is ended.
    BOOL InitInstance() override;
    void Resume();
    void Pause();
    BOOL IsPaused() const { return m_paused.load(); }
    // Ends the thread, paused or not, and waits until it has ended. The object is the
    // caller's to delete afterwards.
    void End();

private:
    // FALSE once the thread is to end.
    BOOL WaitUntilResumed();
    void AnswerOneBox();
    void Report(const char* text);

    CAnvilorController* m_pController;
    CEvent m_resumed;
    CEvent m_end;
    std::atomic<bool> m_paused{true};
    std::atomic<bool> m_ended{false};
    char m_text[100] = {};
};
