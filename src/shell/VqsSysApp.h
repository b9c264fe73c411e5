// The module's application object: the repository session, the frames, the host's settings
// and callbacks, and everything else that lives longer than a window.
#pragma once

#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQEnterprise.h"
#include "shell/VqsHostCallbacks.h"
#include "shell/VqsHostTransactionHolds.h"
#include "win/CImageList.h"
#include "win/CString.h"
#include "win/CWinApp.h"
#include "win/Collections.h"
#include "win/Gdi.h"

#include <memory>
#include <optional>
#include <vector>

class CBitmap;
class CDC;
class CListCtrl;
class PxVQLink;
class PxVQSystem;
class PxVQBSSoftLink;
class PxVQElementSoftLink;
class PxVQGenSet;
class VqsListFrame;
class VqsListView;
class VqsLockBag;
class VqsModel;
class VqsModelNode;
class VqsModelNodeBSLink;
class VqsModelNodeConfig;
class VqsModelNodeElementLink;
struct VqsPreparedTransaction;
struct VqsSegmentLinkChoice;
class VqsScriptPropertyMgr;

// A bitmap of the resource library by number or, when the number is 0, by name; {0, null}
// names none.
struct VqsBitmapRef {
    UINT nID = 0;
    LPCTSTR lpszName = nullptr;
};

// An image of the application's object image list: a base image (0-5) and a variant, 0 for
// the plain image or 1-3 for the base under that overlay (1 modified, 2 no longer matches
// the design, 3 gone).
struct VqsImageRef {
    int nBase = 0;
    int nVariant = 0;
};

// The index of the image in the object image list.
int VqsComputeImageIndex(VqsImageRef image);
// Puts the ascending (bitmap 195) or descending (194) arrow on one column of the list's
// header and takes it off the others; a header without buttons is left alone.
void VqsSetHeaderSortArrow(CListCtrl* list, int column, BOOL ascending);

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

    // The frames as the host reaches them, by window handle: open (a new system frame becomes
    // the current frame), close, menu export, commands, command-state reports and fonts.
    HWND OpenSystemView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message);
    HWND OpenHostView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message);
    // Destroys the frame (an unknown handle destroys nothing); the current frame becomes the
    // window of the first active frame that the remaining frames name.
    void CloseView(HWND frame);
    // 61661 for a null argument or an unknown frame.
    BOOL AddMenuItems(HWND frame, VqsMenuItemCallBack callback);
    // Posts the command to the frame; nothing for an unknown handle.
    void ImplementCommandID(HWND frame, UINT id);
    // FALSE only when the name is not one of the host's command names.
    BOOL ImplementCommandName(HWND frame, LPCTSTR name);
    // Reports command states to the frame's update callback: id 0 all of them (after the
    // stale-view question when the frame is its own active frame), else that one.
    void UpdateCommands(HWND frame, UINT id = 0);
    // Copies the font as the views' font; with a frame handle that frame takes it at once.
    void SetFont(HWND frame, const LOGFONT* font);
    // The open frame with that window; null for an unknown handle.
    VqsListFrame* FindFrameByHandle(HWND frame);
    void RemoveFrame(VqsListFrame* frame);
    // The long-names flag may change only while the enterprise has no systems.
    BOOL CanChangeLongNamesFlag() const;
    void ChangeLongNamesFlag(BOOL allow);
    // The host's idle hook: releases what the last prepare holds unless its host transaction
    // is pending, then the framework's idle processing, once.
    void OnHostIdle();

    // The change broadcast: a notice goes to every view of every open frame but its sender,
    // or waits in the queue while a transaction is pending.
    struct NotificationStruct {
        int code = 0;
        VqsListView* sender = nullptr;
        PxVQObjectPtr object;
        PxVQObjectPtr object2;
    };
    void BroadcastObjectChange(int code, VqsListView* senderView, const PxVQObjectPtr* object,
                               const PxVQObjectPtr* object2);
    void BeginTransaction();
    // Delivers the queued notices in order when `ok`, drops them otherwise.
    void FinishTransaction(bool ok);
    BOOL IsTransactionPending() const { return m_bTransactionPending; }
    // Only the name "system" (any case) is known: the colour becomes the system colour and
    // every view hears of it (code 19).
    void SetColor(COLORREF color, LPCTSTR name);

    // The host's transactions; their rules are in README.md beside this file.
    BOOL PrepareForTransaction(LPCTSTR businessSegment, int kind);
    BOOL Rename(LPCTSTR kindKeyword, LPCTSTR newName, LPCTSTR oldName, LPCTSTR businessSegment);
    BOOL Create(LPCTSTR kindKeyword, LPCTSTR elementName, LPCTSTR businessSegment);
    BOOL IspecTypeChange(LPCTSTR businessSegment, LPCTSTR ispecName, LPCTSTR usage);
    void TransactionClosed();
    void TransactionFailed();
    bool HasHostTransactionFailed() const { return m_bHostTransactionFailed != FALSE; }
    // A transaction of the module's own joins the link's open one (the host's), or the host's
    // transaction that has failed and is pending. Inside a host step it is a part of that
    // step. Otherwise it is a step of the user's own in the host's transaction, whole by a
    // savepoint; while the host's transaction has failed it is refused with one box that says
    // why. Whether it may write.
    bool JoinHostTransaction();
    // The joined transaction ends, `ok` when nothing of it failed: a user's step keeps what it
    // wrote or undoes it, a host step learns that a part of it failed. Whether what it wrote
    // stands.
    bool LeaveHostTransaction(bool ok) noexcept;
    // While the host's repository transaction is open, the holds it keeps for its steps;
    // null otherwise.
    VqsHostTransactionHolds* OpenHostTransactionHolds();
    // Whether the host's open transaction holds locks from its prepare or its earlier steps.
    // They stand outside the one order every step takes its own locks in, so its lock calls
    // must not wait: two users each creating inside a pending host transaction would wait
    // for each other for ever.
    bool HostTransactionHoldsLocks() const;
    // Adds the Ispec, with the usage, to every bundle of the link that holds all Ispecs,
    // each bundle write-locked into the bag; 0 when a lock was refused.
    int AddIspecToAllIspecBundles(VqsLockBag& writeBag, VqsModelNodeBSLink* linkNode,
                                  const PxVQIspecSoftLinkPtr& ispecLink, int usage);
    // Locks an element link whose design element changed its kind, with what deleting it
    // touches; the Ispec bundle data of an Ispec link are deleted. 0 when refused.
    int RemoveElementLinkForCreate(VqsLockBag& writeBag, VqsModelNodeElementLink* linkNode);

    // Bitmaps of the resource library, loaded on first use and kept as long as the
    // application; null when the library has no such bitmap. An image is loaded with the
    // platform's colour mapping (the header's sort arrows).
    CBitmap* GetCachedBitmap(UINT id);
    CBitmap* GetCachedBitmap(LPCTSTR idOrName);
    CBitmap* GetCachedBitmap(const VqsBitmapRef& bitmap);
    CBitmap* GetCachedImage(UINT id);
    // The object image list, built on first use: bases 0-5, overlays 1-3 from images 6-8,
    // then every base under every overlay. Null while bitmap 191 cannot make it.
    CImageList* GetObjectImageList();
    // The caller's list when it has one; else a duplicate of the object images is attached.
    CImageList* CopyImageList(CImageList* list);
    // The size of one object image; empty while there are none.
    CSize GetImageSize();
    // Draws the image at x, centred in the `height` pixels from y (never above y).
    BOOL DrawObjectImage(CDC* dc, VqsImageRef image, int x, int y, int height, BOOL selected);

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
    // Destroys every open frame, the last one first.
    void DestroyFrames();
    void SignOnGenerationClient(const void* nodeHandle) const;
    void IdleUntil(bool (*done)());
    void ReleasePreparedState();
    // The links locked and the host's repository transaction begun; FALSE when refused.
    BOOL PrepareAndBegin(LPCTSTR businessSegment, int kind);
    BOOL PrepareLinks(LPCTSTR businessSegment, int kind);
    BOOL PrepareConfigLinks(const std::vector<VqsModelNodeConfig*>& configs, VqsLockBag& local,
                            const CString& businessSegment, int kind);
    void PrepareLinksInOrder(const std::vector<VqsModelNodeConfig*>& configs,
                             const std::vector<VqsSegmentLinkChoice>& taken, int kind);
    void PrepareLink(VqsModelNodeBSLink* chosen, int kind);
    BOOL RenameElement(int linkType, LPCTSTR newName, LPCTSTR oldName);
    BOOL ClearNameForRename(VqsModelNodeBSLink* segmentNode, VqsModelNodeElementLink* renamed, LPCTSTR newName,
                            LPCTSTR oldName);
    BOOL LockLinksInTheWay(const std::vector<VqsModelNodeElementLink*>& doomed,
                           const std::vector<VqsModelNodeElementLink*>& kept);
    BOOL KeepMarkedUnused(const std::vector<VqsModelNodeElementLink*>& kept, const CString& line);
    BOOL CreateElement(int linkType, LPCTSTR elementName, LPCTSTR businessSegment);
    BOOL CreateInLink(VqsModelNodeBSLink* linkNode, int linkType, const PxLSEElementPtr& element);
    int KeepIspecLinkInLine(VqsModelNodeBSLink* segmentNode, VqsModelNodeElementLink* node,
                            const PxLSEElementPtr& element, std::vector<VqsModelNodeElementLink*>& setAside);
    BOOL ClearNameForCreate(VqsModelNodeBSLink* segmentNode, int linkType, const CString& name);
    BOOL ClearLinksForCreate(VqsModelNodeBSLink* segmentNode, const std::vector<VqsModelNodeElementLink*>& inTheWay,
                             const CString& name, LPCTSTR kind, std::vector<VqsModelNodeElementLink*>& kept);
    BOOL RemoveLinkForCreate(VqsModelNodeElementLink* node);
    BOOL ChangeIspecUsage(VqsModelNodeBSLink* segmentNode, const PxVQIspecSoftLinkPtr& ispec, int usage);
    // Takes the Ispec out of every bundle that lists it, each bundle write-locked into the
    // prepared write bag; FALSE when a lock or a write failed.
    BOOL RemoveIspecFromBundles(VqsModelNodeBSLink* segmentNode, const PxVQIspecSoftLinkPtr& ispec);
    // The host's repository transaction, when the host has none open of its own: begun at
    // the prepare, committed when the host's transaction closes, aborted when it fails; the
    // holds kept for its steps and the prepared write locks go after it. Whether the host's
    // transaction stands: committed here, or the host's own.
    void BeginHostTransaction();
    bool EndHostTransaction(bool commit);
    bool IsHostTransactionOpen() const;
    // The store failed the host's transaction (a refused write, a lost connection, a refused
    // savepoint; `reason` when the link does not tell it): it stores nothing, so it holds
    // nothing from now on. Its repository transaction is rolled back, the holds kept for its
    // steps and both prepared bags are given back; its later steps answer 0, without a box,
    // and the user's own steps are refused, until the host ends it.
    void FailHostTransaction(LPCTSTR reason = nullptr) noexcept;
    // Whether the host's transaction has failed; one that the store failed (a read outside
    // the host's steps met the refusal of an earlier write) fails here.
    bool CheckHostTransactionFailed() noexcept;
    // The host's transaction has ended (or the next begins): nothing of it is remembered.
    void ForgetHostTransaction();
    // A host step: its savepoint set; FALSE, the step answers 0, when the host's transaction
    // has failed or its last prepare was refused. Throws when the savepoint is refused, the
    // host's transaction failed by then.
    BOOL BeginHostStep();
    // The answer of a host step that did its work (`done`): what it wrote stands, or is undone
    // when it or a part of it failed. Throws when the savepoint's end is refused, the host's
    // transaction failed by then.
    BOOL EndHostStep(BOOL done);
    // A failure left the host step: what it wrote is undone, or, when the store failed the
    // host's transaction, the transaction fails. Never throws.
    void AbandonHostStep() noexcept;
    // Where a step of the host's transaction began: the notices queued then, and whether its
    // savepoint was set.
    struct StepStart {
        INT_PTR notices = 0;
        bool savepoint = false;
        bool failed = false; // a transaction of the step failed
    };
    StepStart StartStep();
    // Keeps or undoes what the step wrote; FALSE when undone. A refused savepoint fails the
    // host's transaction and is thrown on.
    BOOL EndStep(const StepStart& start, bool keep);
    // After an undone step the prepared links show what is stored again.
    void RereadPreparedLinks();
    // Gives back the prepared bags' locks, once; the bags stay ready for the next steps.
    void ReleasePreparedLocks();
    void ShowUserStepRefused();
    // The host's transaction closed or failed: the write locks go, the notices are
    // delivered or dropped.
    void EndPreparedTransaction(bool closed);
    void Log(int code, LPCTSTR level, LPCTSTR text) const;

    BOOL HasIniPath() const { return !m_strIniPath.IsEmpty(); }
    CString ReadSetting(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, DWORD size) const;
    void WriteSetting(LPCTSTR section, LPCTSTR key, LPCTSTR value);
    BOOL ReadYesSwitch(LPCTSTR section, LPCTSTR key) const;
    void ReadLayout(LPCTSTR key, UINT& first, UINT& second) const;
    void WriteLayout(LPCTSTR key, UINT first, UINT second);

    struct IconStruct;
    CBitmap* GetCachedBitmap(UINT id, LPCTSTR name, BOOL asImage);
    IconStruct* FindCachedBitmap(UINT id, LPCTSTR name) const;
    void FreeCachedBitmaps();
    BOOL BuildObjectImageList();

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
    CTypedPtrList<CPtrList, IconStruct*> m_bitmapCache{10};
    CImageList m_objectImages;
    CSize m_objectImageSize;
    int m_nRepositoryMode = 0;
    BOOL m_bAllowLongNames = FALSE;
    PxVQLink* m_pLink = nullptr;
    PxVQEnterprisePtr m_pEnterprise;
    PxLSEEnterprisePtr m_pLSEEnterprise;
    HWND m_hCurrentFrame = nullptr;
    VqsScriptPropertyMgr* m_pScriptPropertyMgr = nullptr;
    CTypedPtrList<CObList, VqsListFrame*> m_frames{10};
    CList<NotificationStruct, NotificationStruct&> m_notifications{10};
    BOOL m_bTransactionPending = FALSE;
    std::unique_ptr<VqsPreparedTransaction> m_pPrepared;
    BOOL m_bOwnsHostTransaction = FALSE;
    VqsHostTransactionHolds m_hostTransactionHolds;
    // The store failed the host's transaction: every later step answers failure until it ends.
    BOOL m_bHostTransactionFailed = FALSE;
    // What the store refused when it failed the host's transaction.
    CString m_strHostTransactionFailure;
    // The last prepare was refused: the host's steps have nothing prepared to work on.
    BOOL m_bNothingPrepared = FALSE;
    // The host step running now, and the user's own step in the host's transaction.
    std::optional<StepStart> m_hostStep;
    std::optional<StepStart> m_userStep;
};

// The application object of the module (the one alive now); null when there is none.
VqsSysApp* VqsGetApp();
