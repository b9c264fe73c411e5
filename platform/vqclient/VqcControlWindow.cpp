#include "vqclient/VqcControlWindow.h"

#include "vqclient/VqcTesting.h"

#include "win/MessageMap.h"

BEGIN_MESSAGE_MAP(VqcControlWindow, CWnd)
    ON_MESSAGE(WM_VQC_PLAY_PROGRESS, &VqcControlWindow::OnPlayProgress)
    ON_MESSAGE(WM_VQC_INTERRUPT, &VqcControlWindow::OnInterrupt)
END_MESSAGE_MAP()

void VqcControlWindow::Ensure()
{
    // Kept for the life of the process: the window system may be gone before static objects end.
    static VqcControlWindow* window = new VqcControlWindow;
    if (!window->m_hWnd || !IsWindow(window->m_hWnd))
        window->CreateEx(0, nullptr, kVqcControlWindowName, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr);
}

LRESULT VqcControlWindow::OnPlayProgress(WPARAM code, LPARAM text)
{
    const char* value = reinterpret_cast<const char*>(text);
    return static_cast<LRESULT>(
        vqclient::PlayProgress(vqclient::LastGenerateNumber(), static_cast<int>(code), value ? value : ""));
}

LRESULT VqcControlWindow::OnInterrupt(WPARAM state, LPARAM)
{
    return vqclient::Interrupt(vqclient::LastGenerateNumber(), static_cast<int>(state)) ? 1 : 0;
}
