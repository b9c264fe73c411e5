// The application object: one per module, reachable through AfxGetApp while it lives.
#pragma once

#include "win/CString.h"
#include "win/Object.h"

class CWinApp : public CObject {
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The application's title; message boxes without a caption of their own show it.
    LPCTSTR m_pszAppName;

private:
    CString m_appName;
};

// The application object constructed last and still alive; null when there is none.
CWinApp* AfxGetApp();
