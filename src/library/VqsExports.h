// The module's exported calls: the whole of what a host sees of the library. Every call runs
// on the host's user-interface thread; none lets an exception out: a failure inside is shown
// in an error box, logged, and the call answers its failure value (0, or nothing).
// The host keeps no framework state of its own (no resources, no application object), so the
// module's state is the only one and a call has nothing to switch.
#pragma once

#include "shell/VqsHostCallbacks.h"
#include "win/Gdi.h"
#include "win/Types.h"

#define VQS_EXPORT __attribute__((visibility("default")))

// The buffer that IsTestDll fills holds at least this many bytes.
constexpr int kVqsTestDllTextCapacity = 256;

extern "C" {

VQS_EXPORT BOOL VqsAddMenuItems(HWND frame, VqsMenuItemCallBack callback);
VQS_EXPORT BOOL VqsCanChangeLongNamesFlag();
VQS_EXPORT void VqsChangeLongNamesFlag(BOOL allow);
VQS_EXPORT void VqsCloseSession();
VQS_EXPORT int VqsCloseView(HWND frame);
VQS_EXPORT BOOL VqsCreate(const char* kindKeyword, const char* elementName, const char* businessSegment);
VQS_EXPORT void VqsImplementCommandID(HWND frame, UINT id);
VQS_EXPORT BOOL VqsImplementCommandName(HWND frame, const char* name);
VQS_EXPORT int VqsImplementGO(char* text, const char* businessSegment);
VQS_EXPORT void VqsOnIdle();
VQS_EXPORT HWND VqsOpenHostView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message);
VQS_EXPORT BOOL VqsOpenSession(const void* a, const void* b, const void* nodeHandle, int repositoryMode);
VQS_EXPORT HWND VqsOpenSystemView(HWND host, VqsViewUpdateCallBack update, VqsViewMessageCallBack message);
VQS_EXPORT BOOL VqsPrepareForTransaction(const char* businessSegment, int kind);
VQS_EXPORT void VqsRegisterWYRCallBack(VqsWYRQueryCallBack query, VqsWYRNotifyCallBack notify, VqsWYRLogCallBack log);
VQS_EXPORT void VqsRemoveBusinessSegmentList();
VQS_EXPORT BOOL VqsRename(const char* kindKeyword, const char* newName, const char* oldName,
                          const char* businessSegment);
VQS_EXPORT int VqsSetBusinessSegment(const char* name);
VQS_EXPORT void VqsSetColor(COLORREF color, const char* name);
VQS_EXPORT void VqsSetFont(HWND frame, const LOGFONT* font);
VQS_EXPORT int VqsSetHelpFilePath(const char* path);
VQS_EXPORT void VqsSetIniPath(const char* path);
VQS_EXPORT BOOL VqsSetResourceModule(const char* libraryName);
VQS_EXPORT void VqsSetSecurityMask(int mask);
VQS_EXPORT void VqsTransactionClosed();
VQS_EXPORT void VqsTransactionFailed();
VQS_EXPORT void VqsUpdateCommands(HWND frame);
// Writes the test-library texts into `buffer` (kVqsTestDllTextCapacity bytes, cut on a
// character boundary); 0 for a null buffer.
VQS_EXPORT int IsTestDll(char* buffer);
VQS_EXPORT BOOL IspecTypeChange(const char* businessSegment, const char* ispecName, const char* usage);
VQS_EXPORT void Test(int);
VQS_EXPORT BOOL willingToClose();

} // extern "C"
