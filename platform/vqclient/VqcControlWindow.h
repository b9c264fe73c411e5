// The client's hidden window "VqClient", made at the first start of a generation. A host
// (or a person at it) plays the progress of the last generation started by sending it
// WM_VQC_PLAY_PROGRESS with the event code as wParam and the text (const char*) as lParam;
// the answer is 1 when the progress was posted, 0 when no generation runs, 2 when the
// generation has no window left to show it (event 3 still ends the generation). WM_VQC_INTERRUPT
// with the state as wParam stops that generation, leaving its recovery record
// (vqclient::Interrupt); the answer is 1 when the record was written.
#pragma once

#include "win/CWnd.h"
#include "win/Messages.h"

constexpr UINT WM_VQC_PLAY_PROGRESS = WM_USER + 1;
constexpr UINT WM_VQC_INTERRUPT = WM_USER + 2;
constexpr char kVqcControlWindowName[] = "VqClient";

class VqcControlWindow : public CWnd {
public:
    // Makes the window once; later calls do nothing.
    static void Ensure();

protected:
    LRESULT OnPlayProgress(WPARAM code, LPARAM text);
    LRESULT OnInterrupt(WPARAM state, LPARAM);

    DECLARE_MESSAGE_MAP()
};
