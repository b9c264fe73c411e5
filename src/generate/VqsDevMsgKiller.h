// The automation controller's responder thread. It is created suspended with the controller
// and runs only while the controller has it resumed; it ends when the controller ends it.
#pragma once

#include "win/CWinThread.h"

class CAnvilorController;

class VqsDevMsgKiller : public CWinThread {
public:
    explicit VqsDevMsgKiller(CAnvilorController* controller);
    ~VqsDevMsgKiller() override;

    // The thread body: runs until the thread is ended.
    BOOL InitInstance() override;
    // Ends the thread wherever it stands, suspended or not, and waits until it has ended.
    // The object is the caller's to delete afterwards.
    void End();

private:
    CAnvilorController* m_pController;
    CEvent m_end;
};
