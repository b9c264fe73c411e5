// The module's application object: the repository session, the frames, the host's settings
// and callbacks, and everything else that lives longer than a window.
#pragma once

#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQEnterprise.h"
#include "win/CString.h"
#include "win/CWinApp.h"
#include "win/Collections.h"
#include "win/Gdi.h"

class PxVQLink;
class PxVQSystem;
class PxVQBSSoftLink;
class PxVQElementSoftLink;
class PxVQGenSet;
class VqsListFrame;
class VqsModel;
class VqsScriptPropertyMgr;

// The host's callbacks of VqsRegisterWYRCallBack. Query and notify take a business-segment
// name; the query's non-zero answer means yes. The log sink gets a code, "ERROR", "INFO" or
// "WARNING", and the text.
using VqsWYRQueryCallBack = int (*)(const char* value);
using VqsWYRNotifyCallBack = void (*)(const char* value);
using VqsWYRLogCallBack = void (*)(int code, const char* level, const char* text);

// How the session reaches the lock manager's lock thread of its link; the lock manager
// installs them when the module starts. Without them a session runs without a lock thread.
struct VqsLockThreadHooks {
    void (*startThread)(PxVQLink* link);
    void (*stopAllThreads)();
};

class VqsSysApp : public CWinApp {
public:
    VqsSysApp();
    // Frees what the object holds; a session left open is logged and its link deleted
    // (closing a session is the host's VqsCloseSession).
    ~VqsSysApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // Describes the request (shown when "debughelp" is set), turns pop-up requests into
    // context requests when "helpNoPopup" is set, then hands it to the help system.
    void WinHelp(DWORD_PTR data, UINT command) override;

    // Registers the automation server and loads the resource library; 61481 when the name
    // is not readable or the library cannot be loaded.
    BOOL SetResourceModule(LPCTSTR libraryName);
    HINSTANCE GetResourceLibrary() const { return m_hResourceLibrary; }

    // Opens the repository session: a is the repository, b the user code, nodeHandle the
    // host's session handle. Shows its own message and answers FALSE on failure.
    BOOL OpenSession(const void* a, const void* b, const void* nodeHandle);
    // What the host's VqsOpenSession asks: stores the repository mode, opens the session,
    // signs the generation client on when it opened, and always ends with its work path.
    BOOL OpenSessionForHost(const void* a, const void* b, const void* nodeHandle, int repositoryMode);
    // Cancels and waits for the generation client's threads (idling, never blocking),
    // forgets the WYR callbacks and closes the link.
    void CloseSession();
    // TRUE when no generation runs, or the user agrees to cancel it (62142).
    BOOL WillingToClose();

    PxVQLink* GetLink() const { return m_pLink; }
    PxVQEnterprisePtr GetEnterprise() const { return m_pEnterprise; }
    PxLSEEnterprisePtr GetLSEEnterprise() const { return m_pLSEEnterprise; }
    int GetRepositoryMode() const { return m_nRepositoryMode; }
    void SetRepositoryMode(int mode) { m_nRepositoryMode = mode; }
    BOOL GetAllowLongNames() const { return m_bAllowLongNames; }
    void SetAllowLongNames(BOOL allow) { m_bAllowLongNames = allow; }
    VqsScriptPropertyMgr* GetScriptPropertyMgr() const { return m_pScriptPropertyMgr; }
    const LOGFONT& GetViewFont() const { return m_viewFont; }
    void SetViewFont(const LOGFONT& font) { m_viewFont = font; }
    COLORREF GetSystemColor() const { return m_systemColor; }
    void SetSystemColor(COLORREF color) { m_systemColor = color; }
    HWND GetCurrentFrame() const { return m_hCurrentFrame; }
    void SetCurrentFrame(HWND frame) { m_hCurrentFrame = frame; }

    // The settings file named by the host; empty means built-in defaults and no writes.
    void SetIniPath(LPCTSTR path);
    const CString& GetIniPath() const { return m_strIniPath; }
    // Keeps a readable, non-empty path as the help file; anything else is ignored.
    BOOL SetHelpFilePath(LPCTSTR path);
    const CString& GetHelpPath() const { return m_strHelpPath; }

    // The security mask keeps its low seven bits; bit 0 switches security on. The rights
    // tested are 2, 4, 8, 32 and 64 (administrator).
    void SetSecurityMask(int mask);
    int GetSecurityMask() const { return m_nSecurityMask; }
    BOOL IsSecurityOn() const { return (m_nSecurityMask & 1) != 0; }
    BOOL HasRight(int right) const;
    // Adds a readable, non-empty name to the allowed business segments (once); FALSE when
    // the name is ignored.
    BOOL SetBusinessSegment(LPCTSTR name);
    void RemoveBusinessSegmentList() { m_businessSegments.RemoveAll(); }
    BOOL IsBusinessSegmentAllowed(LPCTSTR name) const;

    void RegisterWYRCallBack(VqsWYRQueryCallBack query, VqsWYRNotifyCallBack notify, VqsWYRLogCallBack log);
    // TRUE without a query callback, else the callback's answer.
    BOOL WyrQuery(const char* value) const;
    void WyrNotify(const char* value) const;
    void LogError(int code, LPCTSTR text) const;
    void LogInfo(int code, LPCTSTR text) const;
    void LogWarning(int code, LPCTSTR text) const;

    // The open frames in opening order; the application owns them.
    CTypedPtrList<CObList, VqsListFrame*>& GetFrameList() { return m_frames; }
    // The first active frame that the open frames name, asked in list order.
    CWnd* GetFirstActiveFrame();
    // The open frame that is this window object; null when it is not in the list.
    VqsListFrame* FindFrame(const CWnd* frame);
    // The selection of the first active frame, when it is an open frame.
    void RouteToActiveFrame(PxPtr<PxVQSystem>& system, PxPtr<PxVQBSSoftLink>& bsLink,
                            PxPtr<PxVQElementSoftLink>& elementLink, PxPtr<PxVQGenSet>& genSet);
    void RefreshAllViews(VqsModel* model);
    void ClearRefreshPending();

    static void SetLockThreadHooks(const VqsLockThreadHooks* hooks);

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

    BOOL GetHelpDebug() const;
    BOOL GetHelpNoPopup() const;
    BOOL GetDisassociateComponentAndProfileOracle() const;

private:
    void AttachLink(const void* a, const void* b, const void* nodeHandle);
    BOOL IsSingleUserModeBusy() const;
    void DropLink();
    void SignOnGenerationClient(const void* nodeHandle) const;
    void IdleUntil(bool (*done)());
    void Log(int code, LPCTSTR level, LPCTSTR text) const;

    BOOL HasIniPath() const { return !m_strIniPath.IsEmpty(); }
    CString ReadSetting(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, DWORD size) const;
    void WriteSetting(LPCTSTR section, LPCTSTR key, LPCTSTR value);
    BOOL ReadYesSwitch(LPCTSTR section, LPCTSTR key) const;
    void ReadLayout(LPCTSTR key, UINT& first, UINT& second) const;
    void WriteLayout(LPCTSTR key, UINT first, UINT second);

    HINSTANCE m_hResourceLibrary = nullptr;
    LOGFONT m_viewFont{};
    COLORREF m_systemColor = 0;
    CString m_strIniPath;
    CString m_strHelpPath;
    CStringList m_businessSegments{10};
    VqsWYRQueryCallBack m_pfnWYRQuery = nullptr;
    VqsWYRNotifyCallBack m_pfnWYRNotify = nullptr;
    VqsWYRLogCallBack m_pfnWYRLog = nullptr;
    int m_nSecurityMask = 0;
    int m_nRepositoryMode = 0;
    BOOL m_bAllowLongNames = FALSE;
    PxVQLink* m_pLink = nullptr;
    PxVQEnterprisePtr m_pEnterprise;
    PxLSEEnterprisePtr m_pLSEEnterprise;
    HWND m_hCurrentFrame = nullptr;
    VqsScriptPropertyMgr* m_pScriptPropertyMgr = nullptr;
    CTypedPtrList<CObList, VqsListFrame*> m_frames{10};
};

// The application object of the module (the one alive now); null when there is none.
VqsSysApp* VqsGetApp();
