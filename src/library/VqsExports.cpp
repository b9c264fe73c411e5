#include "library/VqsExports.h"

#include "go/VqsGoDispatcher.h"
#include "logging/LogControl.h"
#include "proxy/VqException.h"
#include "serialize/Serialize.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "vqclient/VqClient.h"
#include "win/LibraryLoader.h"
#include "win/Mbcs.h"

#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>

namespace {

VqsSysApp& App()
{
    VqsSysApp* app = VqsGetApp();
    if (!app)
        throw std::logic_error("the module is not started");
    return *app;
}

// Tells the host's log and the user what stopped an exported call; nothing may escape here.
// The log line names the call; the box says only what failed (a refusal's own text, shown
// once an action), as every step's box does. A lost connection is no unexpected error.
void ReportEscaped(const char* exportName, const char* what, const VqException* error = nullptr) noexcept
{
    try {
        CString text(what);
        if (!VqsNamesLostConnection(what))
            text.Format("Unexpected error in %s: %s", exportName, what);
        if (VqsSysApp* app = VqsGetApp())
            app->LogError(0, text);
        if (error)
            VqsErrorBoxOf(*error);
        else
            VqsErrorBox(what);
    } catch (...) {
    }
}

// Runs an export's body; anything thrown is reported and the export answers `failure`.
template <class Result, class Body>
Result Guarded(const char* exportName, Result failure, Body body) noexcept
{
    VqsNoteModuleCall();
    try {
        return body();
    } catch (const VqException& error) {
        ReportEscaped(exportName, error.GetErrorMessage(), &error);
    } catch (const std::exception& error) {
        ReportEscaped(exportName, error.what());
    } catch (...) {
        ReportEscaped(exportName, "unknown exception");
    }
    return failure;
}

template <class Body>
void Guarded(const char* exportName, Body body) noexcept
{
    Guarded(exportName, 0, [&] {
        body();
        return 0;
    });
}

// Appends `text` to `buffer` (length `used`) without passing `capacity` - 1 bytes or
// splitting a double-byte character.
int AppendCut(char* buffer, int used, int capacity, const char* text)
{
    const std::size_t room = static_cast<std::size_t>(capacity - 1 - used);
    const std::size_t length = mbcs::CutLength(text, room);
    std::memcpy(buffer + used, text, length);
    buffer[used + static_cast<int>(length)] = '\0';
    return used + static_cast<int>(length);
}

} // namespace

extern "C" {

BOOL VqsAddMenuItems(HWND frame, VqsMenuItemCallBack callback)
{
    return Guarded("VqsAddMenuItems", FALSE, [&] { return App().AddMenuItems(frame, callback); });
}

BOOL VqsCanChangeLongNamesFlag()
{
    return Guarded("VqsCanChangeLongNamesFlag", FALSE, [&] { return App().CanChangeLongNamesFlag(); });
}

void VqsChangeLongNamesFlag(BOOL allow)
{
    Guarded("VqsChangeLongNamesFlag", [&] { App().ChangeLongNamesFlag(allow); });
}

void VqsCloseSession()
{
    Guarded("VqsCloseSession", [&] { App().CloseSession(); });
}

int VqsCloseView(HWND frame)
{
    return Guarded("VqsCloseView", 0, [&] {
        App().CloseView(frame);
        return 1;
    });
}

BOOL VqsCreate(const char* kindKeyword, const char* elementName, const char* businessSegment)
{
    return Guarded("VqsCreate", FALSE, [&] { return App().Create(kindKeyword, elementName, businessSegment); });
}

void VqsImplementCommandID(HWND frame, UINT id)
{
    Guarded("VqsImplementCommandID", [&] { App().ImplementCommandID(frame, id); });
}

BOOL VqsImplementCommandName(HWND frame, const char* name)
{
    return Guarded("VqsImplementCommandName", FALSE, [&] { return App().ImplementCommandName(frame, name); });
}

int VqsImplementGO(char* text, const char* businessSegment)
{
    return Guarded("VqsImplementGO", 0,
                   [&] { return VqsGoDispatcher::Instance()->ImplementGoCommand(text, businessSegment); });
}

void VqsOnIdle()
{
    Guarded("VqsOnIdle", [&] { App().OnHostIdle(); });
}

HWND VqsOpenHostView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message)
{
    return Guarded("VqsOpenHostView", HWND{}, [&] { return App().OpenHostView(host, update, message); });
}

BOOL VqsOpenSession(const void* a, const void* b, const void* nodeHandle, int repositoryMode)
{
    return Guarded("VqsOpenSession", FALSE, [&] { return App().OpenSessionForHost(a, b, nodeHandle, repositoryMode); });
}

HWND VqsOpenSystemView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message)
{
    return Guarded("VqsOpenSystemView", HWND{}, [&] { return App().OpenSystemView(host, update, message); });
}

BOOL VqsPrepareForTransaction(const char* businessSegment, int kind)
{
    return Guarded("VqsPrepareForTransaction", FALSE,
                   [&] { return App().PrepareForTransaction(businessSegment, kind); });
}

void VqsRegisterWYRCallBack(VqsWYRQueryCallBack query, VqsWYRNotifyCallBack notify, VqsWYRLogCallBack log)
{
    Guarded("VqsRegisterWYRCallBack", [&] { App().RegisterWYRCallBack(query, notify, log); });
}

void VqsRemoveBusinessSegmentList()
{
    Guarded("VqsRemoveBusinessSegmentList", [&] { App().RemoveBusinessSegmentList(); });
}

BOOL VqsRename(const char* kindKeyword, const char* newName, const char* oldName, const char* businessSegment)
{
    return Guarded("VqsRename", FALSE, [&] { return App().Rename(kindKeyword, newName, oldName, businessSegment); });
}

int VqsSetBusinessSegment(const char* name)
{
    return Guarded("VqsSetBusinessSegment", 0, [&] { return App().SetBusinessSegment(name); });
}

void VqsSetColor(COLORREF color, const char* name)
{
    Guarded("VqsSetColor", [&] { App().SetColor(color, name); });
}

void VqsSetFont(HWND frame, const LOGFONT* font)
{
    Guarded("VqsSetFont", [&] { App().SetFont(frame, font); });
}

int VqsSetHelpFilePath(const char* path)
{
    return Guarded("VqsSetHelpFilePath", 0, [&] { return App().SetHelpFilePath(path); });
}

void VqsSetIniPath(const char* path)
{
    Guarded("VqsSetIniPath", [&] {
        App().SetIniPath(path);
        const char* readable = AfxIsValidString(path) ? path : nullptr;
        g_VquLogCntrl.SetIniPath(readable);
        VqcSetIniPath(readable);
    });
}

BOOL VqsSetResourceModule(const char* libraryName)
{
    return Guarded("VqsSetResourceModule", FALSE, [&] { return App().SetResourceModule(libraryName); });
}

void VqsSetSecurityMask(int mask)
{
    Guarded("VqsSetSecurityMask", [&] { App().SetSecurityMask(mask); });
}

void VqsTransactionClosed()
{
    Guarded("VqsTransactionClosed", [&] { App().TransactionClosed(); });
}

void VqsTransactionFailed()
{
    Guarded("VqsTransactionFailed", [&] { App().TransactionFailed(); });
}

void VqsUpdateCommands(HWND frame)
{
    Guarded("VqsUpdateCommands", [&] { App().UpdateCommands(frame); });
}

int IsTestDll(char* buffer)
{
    return Guarded("IsTestDll", 0, [&] {
        if (!buffer)
            return 0;
        buffer[0] = '\0';
        const int used = AppendCut(buffer, 0, kVqsTestDllTextCapacity, IsVqclientTestDll());
        if (IsVqSerializeTestDll())
            AppendCut(buffer, used, kVqsTestDllTextCapacity, " VqSerialize.dll");
        return 1;
    });
}

BOOL IspecTypeChange(const char* businessSegment, const char* ispecName, const char* usage)
{
    return Guarded("IspecTypeChange", FALSE, [&] { return App().IspecTypeChange(businessSegment, ispecName, usage); });
}

void Test(int) {}

BOOL willingToClose()
{
    return Guarded("willingToClose", FALSE, [&] { return App().WillingToClose(); });
}

} // extern "C"
