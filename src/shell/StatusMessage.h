// A status text for the length of a scope: shown in the host's status bar when made, and the
// text shown before it put back when it ends. Nested ones restore in reverse order.
#pragma once

#include "win/CString.h"
#include "win/Object.h"

class VqsListFrame;

class StatusMessage : public CObject {
public:
    // Without a frame nothing is shown.
    StatusMessage(VqsListFrame* frame, const char* text);
    // The text of a string id; an empty text when it has none.
    StatusMessage(VqsListFrame* frame, UINT stringId);
    // Shows the previous text again (with "statusTextSet:", even an empty one), unless the
    // frame's window is gone meanwhile.
    ~StatusMessage() override;
    StatusMessage(const StatusMessage&) = delete;
    StatusMessage& operator=(const StatusMessage&) = delete;

private:
    void Show(const char* text);

    VqsListFrame* m_pFrame;
    HWND m_hFrame = nullptr;
    CString m_strPrevious;
};
