// The settings the application reads from and writes to the host-named settings file.
#include "shell/VqsSysApp.h"

#include "win/LibraryLoader.h"
#include "win/PrivateProfile.h"

#include <cstdio>

namespace {

const char kSystems[] = "systems";
const char kStartup[] = "startup";
const char kTamberlyn[] = "Tamberlyn";

const char* const kPortKeys[] = {"Default Port on NT hosts", "Default Port on QSR hosts",
                                 "Default Port on Tarsk hosts", "Default Port on Unix hosts"};
constexpr UINT kDefaultPort = 7777;
constexpr UINT kLayoutLimit = 9999;

BOOL IsKnownHostType(int hostType) { return hostType >= 0 && hostType <= 3; }

BOOL BeginsWithYes(const CString& value) { return !value.IsEmpty() && (value[0] == 'Y' || value[0] == 'y'); }

} // namespace

void VqsSysApp::SetIniPath(LPCTSTR path)
{
    if (AfxIsValidString(path))
        m_strIniPath = path;
}

CString VqsSysApp::ReadSetting(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, DWORD size) const
{
    CString value;
    GetPrivateProfileStringA(section, key, defaultValue, value.GetBuffer(static_cast<int>(size)), size, m_strIniPath);
    value.ReleaseBuffer();
    return value;
}

void VqsSysApp::WriteSetting(LPCTSTR section, LPCTSTR key, LPCTSTR value)
{
    if (HasIniPath())
        WritePrivateProfileStringA(section, key, value, m_strIniPath);
}

int VqsSysApp::GetDisplayFolders() const
{
    if (!HasIniPath())
        return 63;
    return static_cast<int>(GetPrivateProfileIntA(kSystems, "Display folders", 63, m_strIniPath));
}

void VqsSysApp::SetDisplayFolders(int folders)
{
    CString value;
    value.Format("0x%08x", static_cast<unsigned>(folders));
    WriteSetting(kSystems, "Display folders", value);
}

BOOL VqsSysApp::GetSortByType() const
{
    if (!HasIniPath())
        return FALSE;
    return ReadSetting(kSystems, "Sort by", "name", 5).CompareNoCase("name") != 0;
}

void VqsSysApp::SetSortBy(BOOL byType) { WriteSetting(kSystems, "Sort by", byType ? "type" : "name"); }

int VqsSysApp::GetPreviousConfig() const
{
    if (!HasIniPath())
        return 0;
    return static_cast<int>(GetPrivateProfileIntA(kSystems, "Previous Config", 0, m_strIniPath));
}

void VqsSysApp::SetPreviousConfig(int on)
{
    CString value;
    value.Format("%1d", on);
    WriteSetting(kSystems, "Previous Config", value);
}

int VqsSysApp::GetOptionsPreview() const
{
    if (!HasIniPath())
        return 0;
    return static_cast<int>(GetPrivateProfileIntA(kSystems, "Options Preview", 0, m_strIniPath));
}

void VqsSysApp::SetOptionsPreview(int on)
{
    CString value;
    value.Format("%1d", on);
    WriteSetting(kSystems, "Options Preview", value);
}

int VqsSysApp::GetSynchronizeMode() const
{
    if (!HasIniPath())
        return 2;
    CString autoSynchronize = ReadSetting(kSystems, "Auto Synchronize", "Y", 2);
    if (autoSynchronize.IsEmpty())
        return 2;
    if (!BeginsWithYes(autoSynchronize))
        return 1;
    CString removeOld = ReadSetting(kSystems, "Remove Old Options", "N", 2);
    if (removeOld.IsEmpty())
        return 2;
    return BeginsWithYes(removeOld) ? 0 : 2;
}

void VqsSysApp::SetSynchronizeMode(int mode)
{
    WriteSetting(kSystems, "Auto Synchronize", mode == 1 ? "N" : "Y");
    if (mode != 1)
        WriteSetting(kSystems, "Remove Old Options", mode == 0 ? "Y" : "N");
}

void VqsSysApp::ReadLayout(LPCTSTR key, UINT& first, UINT& second) const
{
    if (!HasIniPath())
        return;
    CString value = ReadSetting(kSystems, key, "", 10);
    UINT parsedFirst = first;
    UINT parsedSecond = second;
    if (std::sscanf(value, "%u,%u", &parsedFirst, &parsedSecond) >= 1) {
        first = parsedFirst;
        second = parsedSecond;
    }
}

void VqsSysApp::WriteLayout(LPCTSTR key, UINT first, UINT second)
{
    if (first >= kLayoutLimit || second >= kLayoutLimit)
        return;
    CString value;
    value.Format("%u,%u", first, second);
    WriteSetting(kSystems, key, value);
}

void VqsSysApp::GetSystemFrameLayout(UINT& first, UINT& second) const
{
    first = 60;
    second = 40;
    ReadLayout("System Frame Layout", first, second);
}

void VqsSysApp::SetSystemFrameLayout(UINT first, UINT second) { WriteLayout("System Frame Layout", first, second); }

void VqsSysApp::GetHostFrameLayout(UINT& first, UINT& second) const
{
    first = 50;
    second = 50;
    ReadLayout("Host Frame Layout", first, second);
}

void VqsSysApp::SetHostFrameLayout(UINT first, UINT second) { WriteLayout("Host Frame Layout", first, second); }

UINT VqsSysApp::GetDefaultPort(int hostType) const
{
    if (!HasIniPath() || !IsKnownHostType(hostType))
        return kDefaultPort;
    CString value = ReadSetting(kSystems, kPortKeys[hostType], "", 16);
    UINT port = 0;
    return std::sscanf(value, "%u", &port) == 1 ? port : kDefaultPort;
}

void VqsSysApp::SetDefaultPort(int hostType, UINT port)
{
    if (!IsKnownHostType(hostType) || port == 0 || port >= 10000)
        return;
    CString value;
    value.Format("%u", port);
    WriteSetting(kSystems, kPortKeys[hostType], value);
}

BOOL VqsSysApp::ReadYesSwitch(LPCTSTR section, LPCTSTR key) const
{
    if (!HasIniPath())
        return TRUE;
    CString value = ReadSetting(section, key, "N", 16);
    return value.IsEmpty() || value.CompareNoCase("Y") == 0;
}

BOOL VqsSysApp::GetHelpDebug() const { return ReadYesSwitch(kStartup, "debughelp"); }

BOOL VqsSysApp::GetHelpNoPopup() const { return ReadYesSwitch(kStartup, "helpNoPopup"); }

BOOL VqsSysApp::GetDisassociateComponentAndProfileOracle() const
{
    if (!HasIniPath())
        return FALSE;
    return ReadSetting(kTamberlyn, "DisassociateComponentAndProfileOracle", "N", 16).CompareNoCase("Y") == 0;
}
