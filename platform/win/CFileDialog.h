// The file-open and file-save dialog of the class library over GetOpenFileName and
// GetSaveFileName (see CommonDialogs.h).
#pragma once

#include "win/CString.h"
#include "win/CommonDialogs.h"

class CWnd;

class CFileDialog {
public:
    // `filter` as "Batch Files (*.bat)|*.bat||".
    explicit CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                         DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                         CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // IDOK with a file chosen, else IDCANCEL (CommDlgExtendedError tells a failure).
    INT_PTR DoModal();
    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;

    OPENFILENAME m_ofn{};

private:
    BOOL m_bOpenFileDialog;
    CString m_strDefaultExtension;
    std::string m_filter;
    char m_szFileName[MAX_PATH + 1] = "";
};
