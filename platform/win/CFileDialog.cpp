#include "win/CFileDialog.h"

#include "win/CWnd.h"

#include <algorithm>
#include <cstring>

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags, LPCTSTR filter,
                         CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_strDefaultExtension(defaultExtension)
{
    if (filter) {
        m_filter = filter;
        std::replace(m_filter.begin(), m_filter.end(), '|', '\0');
        m_filter.push_back('\0');
    }
    if (fileName)
        std::strncpy(m_szFileName, fileName, MAX_PATH);
    m_ofn.lStructSize = sizeof(OPENFILENAME);
    m_ofn.hwndOwner = parent ? parent->m_hWnd : nullptr;
    m_ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = MAX_PATH;
    m_ofn.Flags = flags;
    m_ofn.lpstrDefExt = defaultExtension ? m_strDefaultExtension.GetString() : nullptr;
}

INT_PTR CFileDialog::DoModal()
{
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    return chosen ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const { return m_ofn.lpstrFile; }

CString CFileDialog::GetFileName() const { return m_ofn.lpstrFile + m_ofn.nFileOffset; }

CString CFileDialog::GetFileExt() const { return m_ofn.nFileExtension ? m_ofn.lpstrFile + m_ofn.nFileExtension : ""; }
