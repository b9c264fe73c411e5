// The module as the host loads it: the shared library and its 31 exported calls, found by
// name.
#pragma once

#include "library/VqsExports.h"

#include <string>

#define VQS_EXPORTED_CALLS(X)                                                                                          \
    X(VqsAddMenuItems)                                                                                                 \
    X(VqsCanChangeLongNamesFlag)                                                                                       \
    X(VqsChangeLongNamesFlag)                                                                                          \
    X(VqsCloseSession)                                                                                                 \
    X(VqsCloseView)                                                                                                    \
    X(VqsCreate)                                                                                                       \
    X(VqsImplementCommandID)                                                                                           \
    X(VqsImplementCommandName)                                                                                         \
    X(VqsImplementGO)                                                                                                  \
    X(VqsOnIdle)                                                                                                       \
    X(VqsOpenHostView)                                                                                                 \
    X(VqsOpenSession)                                                                                                  \
    X(VqsOpenSystemView)                                                                                               \
    X(VqsPrepareForTransaction)                                                                                        \
    X(VqsRegisterWYRCallBack)                                                                                          \
    X(VqsRemoveBusinessSegmentList)                                                                                    \
    X(VqsRename)                                                                                                       \
    X(VqsSetBusinessSegment)                                                                                           \
    X(VqsSetColor)                                                                                                     \
    X(VqsSetFont)                                                                                                      \
    X(VqsSetHelpFilePath)                                                                                              \
    X(VqsSetIniPath)                                                                                                   \
    X(VqsSetResourceModule)                                                                                            \
    X(VqsSetSecurityMask)                                                                                              \
    X(VqsTransactionClosed)                                                                                            \
    X(VqsTransactionFailed)                                                                                            \
    X(VqsUpdateCommands)                                                                                               \
    X(IsTestDll)                                                                                                       \
    X(IspecTypeChange)                                                                                                 \
    X(Test)                                                                                                            \
    X(willingToClose)

class HostModule {
public:
    HostModule() = default;
    ~HostModule();
    HostModule(const HostModule&) = delete;
    HostModule& operator=(const HostModule&) = delete;

    // Loads the library and finds every call; false with the reason in `error` otherwise.
    bool Load(const std::string& path, std::string& error);
    // Unloads the library (the module ends); the calls are gone afterwards.
    void Unload();

#define VQS_DECLARE_CALL(name) decltype(&::name) name = nullptr;
    VQS_EXPORTED_CALLS(VQS_DECLARE_CALL)
#undef VQS_DECLARE_CALL

private:
    void* m_library = nullptr;
};
