#include "win/CWinApp.h"

#include "win/CWnd.h"
#include "win/Help.h"

#include <atomic>

namespace {
std::atomic<CWinApp*> g_app{nullptr};
}

CWinApp::CWinApp(LPCTSTR appName) : m_appName(appName)
{
    m_pszAppName = m_appName.GetString();
    m_bAutoDelete = FALSE;
    AttachToCurrentThread();
    g_app.store(this);
}

CWinApp::~CWinApp()
{
    CWinApp* self = this;
    g_app.compare_exchange_strong(self, nullptr);
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::WinHelp(DWORD_PTR data, UINT command)
{
    CWnd* main = GetMainWnd();
    ::WinHelp(main ? main->m_hWnd : nullptr, m_pszHelpFilePath, command, data);
}

void CWinApp::SetHelpFilePath(LPCTSTR path)
{
    m_helpFilePath = path;
    m_pszHelpFilePath = path ? m_helpFilePath.GetString() : nullptr;
}

CWinApp* AfxGetApp() { return g_app.load(); }
