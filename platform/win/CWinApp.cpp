#include "win/CWinApp.h"

#include "win/CWinThread.h"
#include "win/CWnd.h"
#include "win/Help.h"

#include <atomic>

namespace {
std::atomic<CWinApp*> g_app{nullptr};
}

CWinApp::CWinApp(LPCTSTR appName) : m_appName(appName)
{
    m_pszAppName = m_appName.GetString();
    g_app.store(this);
}

CWinApp::~CWinApp()
{
    CWinApp* self = this;
    g_app.compare_exchange_strong(self, nullptr);
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command)
{
    CWnd* main = AfxGetMainWnd();
    ::WinHelp(main ? main->m_hWnd : nullptr, m_pszHelpFilePath, command, data);
}

CWinApp* AfxGetApp() { return g_app.load(); }
