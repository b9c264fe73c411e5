// What the lock tests share: the started module under a manual clock, a session on a
// repository file of the test's own, another user's link, the session's lock thread and
// progress dialog, and a retry gate.
//
// The gate makes the race between the locking thread and the lock thread's timer
// deterministic: before each retry question it waits until the lock thread has handled
// everything up to the present clock (its timer ticks, the driver's answers).
#pragma once

#include "com/ComRegistry.h"
#include "model/VqsLockManager.h"
#include "model/VqsLockThread.h"
#include "proxy/PxVQLink.h"
#include "shell/ShellTestSupport.h"
#include "shell/VqsSysApp.h"
#include "support/ScriptedUiDriver.h"
#include "support/TempDir.h"
#include "win/Clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vqtest {

constexpr UINT kLockProgressDialog = 105;

// What the progress dialog shows, read on its own thread.
struct ProgressView {
    std::int64_t clock = 0;
    std::string totalElapsed;
    std::string objectsLocked;
    std::string currentElapsed;
    std::string attempts;
    std::string currentObject;
    HICON icon = nullptr;
    bool iconic = false;
};

// Reads the dialog of the calling lock thread.
ProgressView ReadProgress();

class LockSessionTest : public ::testing::Test {
protected:
    LockSessionTest();
    ~LockSessionTest() override;

    // A new, empty repository file in the test's folder.
    std::string NewRepository(const std::string& name = "repository.vqr");
    // Opens the application's session. The progress dialog opens with it: the driver lets it
    // be unless the test adds steps to WheneverDialog(kLockProgressDialog) before.
    void OpenSession(const std::string& repository);
    std::unique_ptr<PxVQLink> AttachOtherUser(const std::string& repository, const char* userCode = "OTHER/dev");

    PxVQLink* Link() const { return app.GetLink(); }
    VqsLockManager& Manager() const { return *VqsLockManager::GetInstance(); }
    VqsLockThread* LockThread() const { return Manager().FindThreadOfLink(Link()); }
    HWND ProgressWindow() const;
    // Blocks until the lock thread has handled everything up to now.
    void SettleLockThread() const;

    // Puts the gate in front of the session's retry callback until the session closes; the
    // step, when given, runs at each retry question before the callback.
    void GateRetries(std::function<void()> step = {});
    // The attempt counters of the retry questions asked through the gate, and the clock.
    static std::vector<int> GatedAttempts();
    static std::vector<std::int64_t> GatedClock();

    std::int64_t Now() const { return clock.Now(); }
    static std::vector<std::string> Boxes();
    static std::vector<std::string> LogLines();

    TempDir dir;
    vqcom::ScopedRegistryFile registry{dir.File("registry.ini").c_str()};
    vqclock::ManualClock clock;
    vqclock::ScopedClock scopedClock{clock};
    ScriptedUiDriver ui;
    StartedModule module;
    VqsSysApp& app = *VqsGetApp();
};

} // namespace vqtest
