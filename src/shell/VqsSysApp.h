// The module's application object: the settings held for the host.
#pragma once

#include "win/CWinApp.h"
#include "win/CString.h"

class VqsSysApp : public CWinApp {
public:
    VqsSysApp();
    ~VqsSysApp() override;

    // The host-named settings file; empty means built-in defaults and no writes.
    void SetIniPath(LPCTSTR path);
    const CString& GetIniPath() const { return m_strIniPath; }

    int GetDisplayFolders() const;
    void SetDisplayFolders(int folders);
    BOOL GetSortByType() const;
    void SetSortBy(BOOL byType);
    int GetPreviousConfig() const;
    void SetPreviousConfig(int on);
    int GetOptionsPreview() const;
    void SetOptionsPreview(int on);
    // 0 synchronise and remove old options, 1 no automatic synchronisation,
    // 2 synchronise and keep old options.
    int GetSynchronizeMode() const;
    void SetSynchronizeMode(int mode);
    void GetSystemFrameLayout(UINT& first, UINT& second) const;
    void SetSystemFrameLayout(UINT first, UINT second);
    void GetHostFrameLayout(UINT& first, UINT& second) const;
    void SetHostFrameLayout(UINT first, UINT second);
    // Host types: 0 NT, 1 QSR, 2 Tarsk, 3 Unix.
    UINT GetDefaultPort(int hostType) const;
    void SetDefaultPort(int hostType, UINT port);

    // The design enterprise's allow-long-names setting, as the application holds it.
    int GetAllowLongNames() const { return m_bAllowLongNames; }
    void SetAllowLongNames(int allow) { m_bAllowLongNames = allow; }

    BOOL GetHelpDebug() const;
    BOOL GetHelpNoPopup() const;
    BOOL GetDisassociateComponentAndProfileOracle() const;

private:
    BOOL HasIniPath() const { return !m_strIniPath.IsEmpty(); }
    CString ReadSetting(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, DWORD size) const;
    void WriteSetting(LPCTSTR section, LPCTSTR key, LPCTSTR value);
    BOOL ReadYesSwitch(LPCTSTR section, LPCTSTR key) const;
    void ReadLayout(LPCTSTR key, UINT& first, UINT& second) const;
    void WriteLayout(LPCTSTR key, UINT first, UINT second);

    CString m_strIniPath;
    int m_bAllowLongNames = 0;
};
