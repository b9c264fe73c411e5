#include "win/Help.h"

#include <mutex>

namespace {

std::mutex g_mutex;
std::vector<vqwin::HelpRequest> g_requests;

} // namespace

BOOL WinHelp(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data)
{
    std::lock_guard lock(g_mutex);
    g_requests.push_back({owner, CString(helpFile), command, data});
    return TRUE;
}

namespace vqwin {

std::vector<HelpRequest> HelpRequests()
{
    std::lock_guard lock(g_mutex);
    return g_requests;
}

void ClearHelpRequests()
{
    std::lock_guard lock(g_mutex);
    g_requests.clear();
}

} // namespace vqwin
