#include "win/Help.h"

#include <mutex>

namespace {

std::mutex g_helpMutex;
std::vector<vqwin::HelpRequest> g_helpRequests;

} // namespace

BOOL WinHelp(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data)
{
    std::lock_guard lock(g_helpMutex);
    g_helpRequests.push_back(vqwin::HelpRequest{window, helpFile ? helpFile : "", command, data});
    return TRUE;
}

namespace vqwin {

std::vector<HelpRequest> HelpRequests()
{
    std::lock_guard lock(g_helpMutex);
    return g_helpRequests;
}

void ClearHelpRequests()
{
    std::lock_guard lock(g_helpMutex);
    g_helpRequests.clear();
}

} // namespace vqwin
