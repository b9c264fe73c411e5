// What the system view tests share: a session on a copy of the sample repository, a
// settings file, and a system frame over a host window as the host opens it, with the
// directory view's rows as the user reads them.
#pragma once

#include "../shell/ListFrameTestSupport.h"
#include "../shell/ShellTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"
#include "support/ChildProcess.h"
#include "support/SampleRepository.h"
#include "support/ScriptedUiDriver.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsNewBSLinkPages.h"
#include "config/VqsNewGenSetPages.h"
#include "config/VqsNewSystemPages.h"
#include "support/ScopedTimeZone.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsSysFrame.h"
#include "win/Clock.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class VqsHostListFrame;

using Strings = std::vector<std::string>;

struct SysViewTest : ShellTest {
    vqtest::SampleRepository sample;
    vqtest::ScopedTimeZone zone{"UTC"};
    std::string ini = dir.File("vqsys.ini");
    CWnd host;
    VqsSysFrame* frame = nullptr;
    VqsDirectoryView* view = nullptr;
    Strings logLines;
    std::unique_ptr<frametest::HostWindow> hostWindow;

    void SetUp() override;
    void TearDown() override;

    // A system frame over a host window of the given client size (a document window of the
    // host, which File > Close closes, with WS_EX_MDICHILD).
    void OpenFrame(int width = 1006, int height = 600, DWORD hostExStyle = 0);
    void CloseFrame();

    // The rows, each as its item's name indented by two blanks a level.
    Strings Rows();
    // The row of the item of that name; -1 when none.
    int RowOf(const std::string& text);
    // Makes the rows of these names the selection.
    void Select(std::initializer_list<std::string> texts);
    VqsTreeItem* Item(const std::string& text);
    // Selects the row and expands it with the Expand command.
    void Expand(const std::string& text);
    // The command as the host sends it, with the waiting messages handled afterwards.
    void Command(UINT id);
    // The directory view's answer for a command: "enabled", "checked", both or "-".
    std::string State(UINT id);
    std::string Setting(const char* key);
    PxVQSystemPtr System(const char* name) const;

    // What the races of the creating dialogs prepare and start, in the session of this
    // process: a system of that tree text and name (with the SALES segment linked when asked),
    // no host of a type, and a creating wizard started where it is offered (Add Business
    // Segment on the system of that text, New Generate Set on its SALES link).
    enum class Wizard { NewSystem, AddSegment, NewGenSet };
    void MakeSystem(const std::string& text, const std::string& name, bool linkSales);
    // The host list frame over a host window of its own, as the host opens it.
    VqsHostListFrame* OpenHostFrame();
    void DeleteHostsOfType(int hostType);
    void StartWizard(Wizard wizard, const std::string& systemText);
    // The first generate set of the system's SALES segment selected in the option-set list,
    // which is the current pane then.
    void SelectFirstGenerateSet(const std::string& systemText);

    // The session of this process on the repository, with `step` run at each retry question
    // of its locks (RetryGate), and its frame.
    void StartGatedSession(const std::string& repository, std::function<void()> step);
    // The lock-progress box shows (not minimised, as it starts) once a lock has been waited for.
    bool ProgressShown() const;
};

// Before each retry question of the session's locks: once the lock thread has caught up with
// the clock, the step runs; then the module's own callback answers.
struct RetryGate {
    static inline DWORD lockThread = 0;
    static inline std::function<void()> step;
    // Runs, after `step`, at each question about a lock another session holds (a wait).
    static inline std::function<void()> atWait;

    static int Ask(PxLockErrorInfo& info);
};

// Where a repository that several processes share is kept: a file in the test's folder or a
// database of the suite's PostgreSQL server.
enum class Store { File, Server };
const char* StoreName(Store store);
// A case's test name: its store's, then its own.
template <class Case>
std::string StoreCaseName(const ::testing::TestParamInfo<Case>& info)
{
    return std::string(StoreName(info.param.store)) + info.param.name;
}
// A text of the resource library.
CString ResourceText(UINT id);
// A new sample repository there, with no session of this process on it.
std::string NewSharedSample(Store store, const vqtest::TempDir& dir);
// The server ends the lock connection of every session on the repository (a database of the
// suite's server): the advisory locks their claims and locks live by are gone.
void EndLockConnections(const std::string& repository);
// The server ends the data connection of every session on the repository, as a server going
// away does; their lock connections stay.
void EndDataConnections(const std::string& repository);

// Another user's Delete of a system, a second session of this process, in two steps: it takes
// the enterprise for write (as every Delete does first), then deletes the system with its
// configurations and commits, giving back every lock. Neither step waits for anything.
class OtherUsersSystemDelete {
public:
    OtherUsersSystemDelete(const std::string& repository, std::string systemName);
    void Begin();
    // Once begun, and only once.
    void End();
    // All of it at once in one transaction, taking no lock: the test holds this user's step
    // where its own locks would keep a Delete out (as when they were lost), and lets one
    // land there.
    void Land();
    bool Ended() const { return m_ended; }

private:
    std::unique_ptr<PxVQLink> m_user;
    PxVQEnterprisePtr m_enterprise;
    std::string m_systemName;
    bool m_begun = false;
    bool m_ended = false;
};

// The user of a step another user's Delete meets: reads every box (a question is cancelled),
// and leaves at once every window that waits for them, each noted as shown.
class BoxReader : public vqui::UiDriver {
public:
    BoxReader() : m_installed(*this) {}

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;

    std::vector<std::string> boxes;
    std::vector<std::string> shownWindows;

private:
    vqui::ScopedUiDriver m_installed;
};

// The user of a creating wizard another user's Delete meets: plays the script, reads every box
// and, should the wizard still wait after a box or after its Finish, cancels it; a wizard the
// user had to leave, or that ended once a box was shown, ends before the rest of its script.
class WizardUser : public vqtest::ScriptedUiDriver {
public:
    WizardUser();

    vqui::UiAction NextAction(const vqui::UiEvent& event) override;
    void Ended(const vqui::UiEvent& event, int result) override;

    std::vector<std::string> boxes;
    bool finished = false;
    bool leftOpen = false;
};

// A test whose session waits, the lock-progress box left up, for what another process holds:
// the scripted user, the clock the lock thread follows, the shared repository and the other
// process, whose steps the test runs one by one.
template <class Param>
struct OtherProcessLockTest : SysViewTest, ::testing::WithParamInterface<Param> {
    vqtest::ScriptedUiDriver ui;
    vqclock::ManualClock clock;
    vqclock::ScopedClock scopedClock{clock};
    std::string repository;
    std::unique_ptr<vqtest::ChildProcess> other;

    // Each session opens the lock-progress dialog; a test gives it steps before its own session.
    OtherProcessLockTest() { ui.WheneverDialog(105); }

    void TearDown() override
    {
        SysViewTest::TearDown();
        RetryGate::step = nullptr;
        RetryGate::atWait = nullptr;
        other.reset();
    }

    // The other process's link on the repository, for its steps; it lives until the process ends.
    PxVQLink& ChildLink() const
    {
        static PxVQLink* link = nullptr;
        if (!link) {
            link = new PxVQLink;
            link->AttachSession(repository.c_str(), "other/dev", nullptr);
        }
        return *link;
    }
};

// A test of steps on SYS1 ("Sample system 1") of a shared sample repository, which another
// user's Delete (a second session of this process, waiting for nothing) meets.
template <class Param>
struct SystemGoneTest : OtherProcessLockTest<Param> {
    std::unique_ptr<OtherUsersSystemDelete> otherUsersDelete;

    // The session of this process on a new sample there, with its frame.
    void StartOn(Store store)
    {
        this->SysViewTest::SetUp();
        this->app.CloseSession();
        this->repository = NewSharedSample(store, this->dir);
        otherUsersDelete = std::make_unique<OtherUsersSystemDelete>(this->repository, "SYS1");
        this->StartGatedSession(this->repository, {});
    }

    void TearDown() override
    {
        PxFaultInjection::Reset();
        OtherProcessLockTest<Param>::TearDown();
        otherUsersDelete.reset();
    }

    // The other user's whole Delete.
    void DeleteNow()
    {
        otherUsersDelete->Begin();
        otherUsersDelete->End();
    }

    // Whether another user could take the enterprise for write now: this user holds nothing.
    bool NothingHeld() const
    {
        PxVQLink checker;
        checker.AttachSession(this->repository.c_str(), "checker/dev", nullptr);
        const PxVQEnterprisePtr enterprise = checker.GetLVQEnterprise();
        const bool free = enterprise->WriteLock(0).Succeeded();
        if (free)
            enterprise->UnLock();
        return free;
    }
};

// The same for a case that is a store alone.
struct SystemGoneOnStoreTest : SystemGoneTest<Store> {
    void SetUp() override { StartOn(GetParam()); }
};
// A case's test name when the case is a store alone.
std::string StoreParamName(const ::testing::TestParamInfo<Store>& info);

// A creating wizard from its target-host page on: the user picks Unix, has the host UXNEW
// made and goes on to the FTP page.
template <class Target, class HostPage, class Ftp>
vqtest::ScriptedUiDriver::WindowScript& ThroughNewUnixHost(vqtest::ScriptedUiDriver::WindowScript& script)
{
    return script.OnPage(Target::IDD)
        .Click(Target::IDC_UNIX)
        .Next()
        .OnPage(HostPage::IDD)
        .Type(HostPage::IDC_NAME, "UXNEW")
        .Type(HostPage::IDC_ADDRESS, "ux.example")
        .Next()
        .OnPage(Ftp::IDD);
}

// The New Generate Set wizard from its first page to its FTP page: the set of that name on
// QSR, with the new host QSRNEW.
inline vqtest::ScriptedUiDriver::WindowScript& NewGenSetToFtpPage(vqtest::ScriptedUiDriver& ui, const char* name)
{
    return ui.ExpectWizard()
        .OnPage(VqsGenSetOptPage::IDD)
        .Type(VqsGenSetOptPage::IDC_NAME, name)
        .Next()
        .OnPage(VqsGenSetTypePage::IDD)
        .Click(VqsGenSetTypePage::IDC_QSR)
        .Next()
        .OnPage(VqsGenSetHostPage::IDD)
        .Type(VqsGenSetHostPage::IDC_NAME, "QSRNEW")
        .Type(VqsGenSetHostPage::IDC_ADDRESS, "qsr.example")
        .Next()
        .OnPage(VqsGenSetHostFTPPage::IDD);
}

// The New System wizard from its first page to its generate-set page: the system (ORDERS)
// with the segment the wizard offers first. `onFirstPage` runs before the name is typed.
inline vqtest::ScriptedUiDriver::WindowScript& NewSystemToGenSetPage(
    vqtest::ScriptedUiDriver& ui, const std::string& name = "ORDERS", std::function<void()> onFirstPage = [] {})
{
    return ui.ExpectWizard("New System Wizard")
        .OnPage(VqsSysOptPage::IDD)
        .Run(std::move(onFirstPage))
        .Type(VqsSysOptPage::IDC_NAME, name)
        .Next()
        .Next()
        .OnPage(VqsSysBSPage::IDD)
        .Next()
        .OnPage(VqsSysGSPage::IDD);
}

// The Add Business Segment wizard from its first page to its Finish: the first generate set
// Nightly on the OS Tarsk host. `onFirstPage` runs before the first Next, `beforeFinish`
// before Finish.
inline vqtest::ScriptedUiDriver::WindowScript& AddSegmentToFinish(vqtest::ScriptedUiDriver& ui,
                                                                  std::function<void()> onFirstPage,
                                                                  std::function<void()> beforeFinish)
{
    return ui.ExpectWizard()
        .OnPage(VqsBSGenPage::IDD)
        .Run(std::move(onFirstPage))
        .Next()
        .OnPage(VqsBSGSPage::IDD)
        .Type(VqsBSGSPage::IDC_NAME, "Nightly")
        .Next()
        .OnPage(VqsBSGSHostPage::IDD)
        .Click(VqsBSGSHostPage::IDC_TARSK)
        .Run(std::move(beforeFinish))
        .Finish();
}
