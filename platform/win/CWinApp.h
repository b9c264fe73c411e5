// The application object: the thread object of the thread that loads the module, reachable
// through AfxGetApp while it lives.
#pragma once

#include "win/CString.h"
#include "win/CWinThread.h"

class CWinApp : public CWinThread {
public:
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Hands a help request for the application's help file to the help system (see
    // win/Help.h), owned by the main window when there is one.
    virtual void WinHelp(DWORD_PTR data, UINT command);

    // Replaces the help file path with a copy of `path` (null: none).
    void SetHelpFilePath(LPCTSTR path);

    // The application's title; message boxes without a caption of their own show it.
    LPCTSTR m_pszAppName;
    // The help file of WinHelp; null until one is set.
    LPCTSTR m_pszHelpFilePath = nullptr;

private:
    CString m_appName;
    CString m_helpFilePath;
};

// The application object constructed last and still alive; null when there is none.
CWinApp* AfxGetApp();
