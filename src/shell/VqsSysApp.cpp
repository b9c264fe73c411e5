#include "shell/VqsSysApp.h"

#include "com/CComModule.h"
#include "generate/CAnvilorController.h"
#include "generate/VqsScriptPropertyMgr.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsModuleResources.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsPreparedTransaction.h"
#include "shell/VqsMsgBox.h"
#include "vqclient/VqClient.h"
#include "win/LibraryLoader.h"
#include "win/ModalLoop.h"
#include "win/Sync.h"

#include <atomic>

namespace {

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_AnvilorController, CAnvilorController)
END_OBJECT_MAP()

// In single-user mode the host and one test session may share the repository node.
constexpr int kSingleUserProcessLimit = 3;
constexpr int kAdministratorRight = 64;
constexpr int kSecurityMaskBits = 127;
// Between two idle turns while the generation client's threads end.
constexpr DWORD kIdleTurnMilliseconds = 20;

std::atomic<const VqsLockThreadHooks*> g_lockThreads{nullptr};

bool NoActiveMainThreads() { return !AnyActiveMainThreads(); }
bool NoActiveWorkThreads() { return !AnyActiveWorkThreads(); }
bool NoMainThreads() { return GetMainThreadCount() == 0; }

// The generation client signs on with the user code up to its first '/'.
CString SignOnName(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash < 0 ? userCode : userCode.Left(slash);
}

void RegisterAutomationServer()
{
    CoInitialize(nullptr);
    CComModule* module = VqsGetComModule();
    if (!module)
        return;
    module->Init(ObjectMap, nullptr);
    module->RegisterServer();
    module->RegisterClassObjects(CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE);
}

} // namespace

// A modal window waiting for the user ends an action of the host's command.
VqsSysApp::VqsSysApp() : CWinApp("vqsys")
{
    vqres::SetModuleResources(&VqsGetModuleResources());
    vqui::SetModalIdleHook(&VqsEndOfDialogAction);
}

VqsSysApp::~VqsSysApp()
{
    vqui::SetModalIdleHook(nullptr);
    DestroyFrames();
    if (m_pLink) {
        LogWarning(0, "The repository session was still open when the module was unloaded.");
        DropLink();
    }
    FreeCachedBitmaps();
    delete m_pScriptPropertyMgr;
    if (m_hResourceLibrary)
        AfxFreeLibrary(m_hResourceLibrary);
}

BOOL VqsSysApp::InitInstance()
{
    if (HGDIOBJ font = GetStockObject(SYSTEM_FONT))
        ::GetObject(font, sizeof(LOGFONT), &m_viewFont);
    m_systemColor = GetSysColor(COLOR_WINDOWTEXT);
    if (!m_pScriptPropertyMgr)
        m_pScriptPropertyMgr = new VqsScriptPropertyMgr;
    return CWinApp::InitInstance();
}

int VqsSysApp::ExitInstance()
{
    if (CComModule* module = VqsGetComModule()) {
        module->RevokeClassObjects();
        module->Term();
    }
    return CWinApp::ExitInstance();
}

BOOL VqsSysApp::SetResourceModule(LPCTSTR libraryName)
{
    RegisterAutomationServer();
    if (!AfxIsValidString(libraryName)) {
        LogError(61481, "The resource library name is not a readable text.");
        VqsErrorBoxId(61481);
        return FALSE;
    }
    if (m_hResourceLibrary) {
        AfxFreeLibrary(m_hResourceLibrary);
        m_hResourceLibrary = nullptr;
    }
    HINSTANCE library = AfxLoadLibrary(libraryName);
    if (!library) {
        // The box keeps its one text; which file is at fault and why goes to the log.
        LogError(61481, vqwin::LastLibraryLoadError());
        VqsErrorBoxId(61481);
        return FALSE;
    }
    m_hResourceLibrary = library;
    AfxSetResourceHandle(library);
    return TRUE;
}

BOOL VqsSysApp::OpenSession(const void* a, const void* b, const void* nodeHandle)
{
    if (!m_hResourceLibrary) {
        VqsErrorBoxId(61482);
        return FALSE;
    }
    if (m_pLink) {
        VqsErrorBoxId(61483);
        return FALSE;
    }
    try {
        AttachLink(a, b, nodeHandle);
        if (m_nRepositoryMode != 0 && IsSingleUserModeBusy()) {
            VqsErrorBoxId(62140);
            DropLink();
            return FALSE;
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(61484, error);
        DropLink();
        return FALSE;
    } catch (...) {
        DropLink();
        throw;
    }
    const CString notice = m_pLink->GetRepositoryNotice();
    if (!notice.IsEmpty())
        LogWarning(0, notice);
    if (const VqsLockThreadHooks* hooks = g_lockThreads.load())
        hooks->startThread(m_pLink);
    return TRUE;
}

void VqsSysApp::AttachLink(const void* a, const void* b, const void* nodeHandle)
{
    if (!AfxIsValidString(static_cast<LPCSTR>(a)))
        throw VqsExceptionData("The repository name cannot be read.", __FILE__, __LINE__);
    if (b && !AfxIsValidString(static_cast<LPCSTR>(b)))
        throw VqsExceptionData("The user code cannot be read.", __FILE__, __LINE__);
    m_pLink = new PxVQLink;
    m_pLink->AttachSession(a, b, nodeHandle);
    m_pEnterprise = m_pLink->GetLVQEnterprise();
    m_pLSEEnterprise = m_pLink->GetLSEEnterprise();
    m_bAllowLongNames = m_pLSEEnterprise->GetAllowLongNames() != 0;
}

BOOL VqsSysApp::IsSingleUserModeBusy() const
{
    return m_pLink->GetProcess()->GetNode()->NumberOfProcesses() >= kSingleUserProcessLimit;
}

// The session's enterprises belong to the link and go with it.
void VqsSysApp::DropLink()
{
    EndHostTransaction(false);
    ReleasePreparedState();
    ForgetHostTransaction();
    m_pEnterprise = nullptr;
    m_pLSEEnterprise = nullptr;
    delete m_pLink;
    m_pLink = nullptr;
}

BOOL VqsSysApp::OpenSessionForHost(const void* a, const void* b, const void* nodeHandle, int repositoryMode)
{
    m_nRepositoryMode = repositoryMode;
    const BOOL opened = OpenSession(a, b, nodeHandle);
    try {
        if (opened)
            SignOnGenerationClient(nodeHandle);
    } catch (...) {
        VqcSetWorkPath();
        throw;
    }
    VqcSetWorkPath();
    return opened;
}

void VqsSysApp::SignOnGenerationClient(const void* nodeHandle) const
{
    VqcSetSignOnUserName(SignOnName(m_pLink->GetProcess()->GetUserCode()));
    VqcSetNodeHandle(nodeHandle);
    VqcSetRepositoryMode(m_nRepositoryMode);
}

void VqsSysApp::CloseSession()
{
    if (AnyActiveMainThreads()) {
        CancelAllMainThreads();
        IdleUntil(&NoActiveMainThreads);
    }
    if (GetMainThreadCount() != 0) {
        IdleUntil(&NoActiveWorkThreads);
        CancelAllMainThreads();
        IdleUntil(&NoMainThreads);
    }
    m_pfnWYRQuery = nullptr;
    m_pfnWYRNotify = nullptr;
    m_pfnWYRLog = nullptr;
    if (!m_pLink)
        return;
    // The frames show this session's objects: they close with it, so that no view reads
    // through the closed link (a box for every row it repaints).
    DestroyFrames();
    try {
        if (const VqsLockThreadHooks* hooks = g_lockThreads.load())
            hooks->stopAllThreads();
    } catch (const VqException& error) {
        LogWarning(0, error.GetErrorMessage());
    }
    DropLink();
}

// Idle processing in turns until `done`; the client's threads may need the user-interface
// thread's idle work to end, so it never blocks on them.
void VqsSysApp::IdleUntil(bool (*done)())
{
    while (!done()) {
        OnIdle(0);
        if (!done())
            Sleep(kIdleTurnMilliseconds);
    }
}

BOOL VqsSysApp::WillingToClose()
{
    if (!AnyActiveMainThreads())
        return TRUE;
    BOOL yes = FALSE;
    return VqsQuestionCancelBoxId(yes, 62142) && yes;
}

BOOL VqsSysApp::SetHelpFilePath(LPCTSTR path)
{
    if (!AfxIsValidString(path) || !*path)
        return FALSE;
    m_strHelpPath = path;
    CWinApp::SetHelpFilePath(m_strHelpPath);
    return TRUE;
}

void VqsSysApp::SetSecurityMask(int mask)
{
    m_nSecurityMask = mask & kSecurityMaskBits;
    VqcSetAdminUser(HasRight(kAdministratorRight));
}

BOOL VqsSysApp::HasRight(int right) const { return !IsSecurityOn() || (m_nSecurityMask & right) != 0; }

BOOL VqsSysApp::SetBusinessSegment(LPCTSTR name)
{
    if (!AfxIsValidString(name) || !*name)
        return FALSE;
    if (!m_businessSegments.Find(name))
        m_businessSegments.AddTail(name);
    return TRUE;
}

BOOL VqsSysApp::IsBusinessSegmentAllowed(LPCTSTR name) const
{
    if (!IsSecurityOn())
        return TRUE;
    return AfxIsValidString(name) && m_businessSegments.Find(name) != nullptr;
}

void VqsSysApp::RegisterWYRCallBack(VqsWYRQueryCallBack query, VqsWYRNotifyCallBack notify, VqsWYRLogCallBack log)
{
    m_pfnWYRQuery = query;
    m_pfnWYRNotify = notify;
    m_pfnWYRLog = log;
}

BOOL VqsSysApp::WyrQuery(const char* value) const { return !m_pfnWYRQuery || m_pfnWYRQuery(value) != 0; }

void VqsSysApp::WyrNotify(const char* value) const
{
    if (m_pfnWYRNotify)
        m_pfnWYRNotify(value);
}

void VqsSysApp::Log(int code, LPCTSTR level, LPCTSTR text) const
{
    if (m_pfnWYRLog)
        m_pfnWYRLog(code, level, text ? text : "");
}

void VqsSysApp::LogError(int code, LPCTSTR text) const { Log(code, "ERROR", text); }

void VqsSysApp::LogInfo(int code, LPCTSTR text) const { Log(code, "INFO", text); }

void VqsSysApp::LogWarning(int code, LPCTSTR text) const { Log(code, "WARNING", text); }

CWnd* VqsSysApp::GetFirstActiveFrame()
{
    CWnd* active = nullptr;
    for (POSITION pos = m_frames.GetHeadPosition(); pos && !active;)
        active = m_frames.GetNext(pos)->GetActiveFrame();
    return active;
}

VqsListFrame* VqsSysApp::FindFrame(const CWnd* frame)
{
    for (POSITION pos = m_frames.GetHeadPosition(); frame && pos;) {
        VqsListFrame* candidate = m_frames.GetNext(pos);
        if (candidate == frame)
            return candidate;
    }
    return nullptr;
}

void VqsSysApp::RouteToActiveFrame(PxPtr<PxVQSystem>& system, PxPtr<PxVQBSSoftLink>& bsLink,
                                   PxPtr<PxVQElementSoftLink>& elementLink, PxPtr<PxVQGenSet>& genSet)
{
    if (VqsListFrame* active = FindFrame(GetFirstActiveFrame()))
        active->GetSelectionContext(system, bsLink, elementLink, genSet);
}

void VqsSysApp::RefreshAllViews(VqsModel* model)
{
    for (POSITION pos = m_frames.GetHeadPosition(); pos;) {
        VqsListFrame* frame = m_frames.GetNext(pos);
        if (frame->GetSafeHwnd())
            frame->RefreshViews(model);
    }
}

void VqsSysApp::ClearRefreshPending()
{
    for (POSITION pos = m_frames.GetHeadPosition(); pos;)
        m_frames.GetNext(pos)->ClearRefreshPending();
}

void VqsSysApp::SetLockThreadHooks(const VqsLockThreadHooks* hooks) { g_lockThreads.store(hooks); }

VqsSysApp* VqsGetApp() { return dynamic_cast<VqsSysApp*>(AfxGetApp()); }
