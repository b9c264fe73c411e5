#include "generate/VqsDevMsgKiller.h"

VqsDevMsgKiller::VqsDevMsgKiller(CAnvilorController* controller)
    : m_pController(controller), m_end(FALSE, TRUE)
{
    m_bAutoDelete = FALSE;
}

VqsDevMsgKiller::~VqsDevMsgKiller() = default;

BOOL VqsDevMsgKiller::InitInstance()
{
    WaitForSingleObject(m_end, INFINITE);
    return FALSE;
}

void VqsDevMsgKiller::End()
{
    if (!m_hThread)
        return;
    m_end.SetEvent();
    constexpr DWORD notRunning = static_cast<DWORD>(-1);
    DWORD previous = 0;
    do {
        previous = ResumeThread();
    } while (previous != notRunning && previous > 1);
    WaitForSingleObject(m_hThread, INFINITE);
}
