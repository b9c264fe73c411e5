// Switches redraw off on a window for the lifetime of the switch. Switches on one window
// nest: the first one switches redraw off, the last one to end switches it on again.
#pragma once

#include "win/Types.h"

class CWnd;

class VqsRedrawSwitch {
public:
    explicit VqsRedrawSwitch(CWnd* window);
    VqsRedrawSwitch(const VqsRedrawSwitch& other);
    VqsRedrawSwitch& operator=(const VqsRedrawSwitch&) = delete;
    ~VqsRedrawSwitch();

private:
    HWND m_hWnd;
};
