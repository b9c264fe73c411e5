#include "generate/VqsGenerateProgress.h"

#include "vqclient/VqClient.h"
#include "win/Messages.h"

void VqsDiscardPendingProgress(HWND window)
{
    MSG msg;
    while (::PeekMessage(&msg, window, WM_GENERATE_PROGRESS, WM_GENERATE_PROGRESS, PM_REMOVE))
        VqcTakeEventText(msg.lParam);
}
