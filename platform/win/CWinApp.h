// The application object: one per module, reachable through AfxGetApp while it lives.
#pragma once

#include "win/CString.h"
#include "win/Help.h"
#include "win/Object.h"

class CWinApp : public CObject {
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Opens help on the application's help file (to the help sink, see Help.h).
    virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

    // The application's title; message boxes without a caption of their own show it.
    LPCTSTR m_pszAppName;
    // The help file WinHelp names.
    LPCTSTR m_pszHelpFilePath = "";

private:
    CString m_appName;
};

// The application object constructed last and still alive; null when there is none.
CWinApp* AfxGetApp();
