// The named event "VqsSynchEvent", shared with the generation client, used as a binary
// semaphore: made signalled, taken by a wait, given back by whoever took it. A system
// generation holds it while it locks and synchronises its configuration. The wait is
// bounded, so a hold never given back cannot hang the user interface.
#pragma once

#include "win/Sync.h"

class VqsSynchEventHold {
public:
    VqsSynchEventHold();
    // Gives the event back when it is held.
    ~VqsSynchEventHold();
    VqsSynchEventHold(const VqsSynchEventHold&) = delete;
    VqsSynchEventHold& operator=(const VqsSynchEventHold&) = delete;

    // Waits for the event; FALSE when the wait timed out.
    BOOL Acquire();
    void Release();
    BOOL IsHeld() const { return m_bHeld; }

    static DWORD GetTimeout();
    static void SetTimeout(DWORD milliseconds);

private:
    CEvent m_event;
    BOOL m_bHeld = FALSE;
};
