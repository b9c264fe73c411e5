#include "win/CWinApp.h"

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

CWinApp* AfxGetApp() { return g_app.load(); }
