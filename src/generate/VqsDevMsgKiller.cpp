#include "generate/VqsDevMsgKiller.h"

#include "generate/CAnvilorController.h"
#include "vqclient/VqClient.h"
#include "win/CButton.h"
#include "win/Messages.h"
#include "win/Window.h"

#include <string>

namespace {

constexpr char kBoxCaption[] = "Wrenfield Message";

HWND FirstStaticWithText(HWND box, char* text, int size)
{
    for (HWND child = FindWindowEx(box, nullptr, "Static", nullptr); child;
         child = FindWindowEx(box, child, "Static", nullptr)) {
        text[0] = '\0';
        GetWindowText(child, text, size);
        if (text[0])
            return child;
    }
    text[0] = '\0';
    return nullptr;
}

// Clicks Cancel, else OK; the name of the button clicked, empty when neither exists.
std::string PressButton(HWND box)
{
    for (const char* name : {"Cancel", "OK"}) {
        if (HWND button = FindWindowEx(box, nullptr, nullptr, name)) {
            PostMessage(button, BM_CLICK, 0, 0);
            return name;
        }
    }
    return std::string();
}

} // namespace

VqsDevMsgKiller::VqsDevMsgKiller(CAnvilorController* controller)
    : m_pController(controller), m_resumed(FALSE, TRUE), m_end(FALSE, TRUE)
{
    m_bAutoDelete = FALSE;
}

VqsDevMsgKiller::~VqsDevMsgKiller() = default;

BOOL VqsDevMsgKiller::InitInstance()
{
    while (WaitUntilResumed()) {
        AnswerOneBox();
        WaitForSingleObject(m_end, kPassInterval);
    }
    return FALSE;
}

void VqsDevMsgKiller::Resume()
{
    m_paused = false;
    m_resumed.SetEvent();
}

void VqsDevMsgKiller::Pause()
{
    m_paused = true;
    m_resumed.ResetEvent();
}

void VqsDevMsgKiller::End()
{
    m_ended = true;
    m_end.SetEvent();
    m_resumed.SetEvent();
    if (m_hThread)
        WaitForSingleObject(m_hThread, INFINITE);
}

BOOL VqsDevMsgKiller::WaitUntilResumed()
{
    WaitForSingleObject(m_resumed, INFINITE);
    return !m_ended.load();
}

void VqsDevMsgKiller::AnswerOneBox()
{
    HWND box = FindWindowEx(nullptr, nullptr, nullptr, kBoxCaption);
    if (!box)
        return;
    FirstStaticWithText(box, m_text, sizeof m_text);
    const std::string message = m_text;
    const std::string button = PressButton(box);
    if (message.empty())
        return;
    for (const std::string& line : {std::string("***** Wrenfield Message *****"), message, "Auto Responded:" + button}) {
        if (!WaitUntilResumed())
            return;
        Report(line.c_str());
    }
}

void VqsDevMsgKiller::Report(const char* text)
{
    HWND window = m_pController ? m_pController->m_hWnd : nullptr;
    const LPARAM owned = VqcMakeEventText(text);
    if (!window || !PostMessage(window, CAnvilorController::WM_GENERATE_PROGRESS, 0, owned))
        VqcTakeEventText(owned);
}
