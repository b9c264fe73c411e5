#include "model/LockTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockRetryCallback.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeEnterprise.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxLocking.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsLockFailure.h"
#include "support/ClockActingAt.h"
#include "support/PgTestServer.h"
#include "support/SampleRepository.h"
#include "win/ImageList.h"
#include "win/Menu.h"
#include "win/Sync.h"

#include <sqlite3.h>

#include <memory>
#include <string>
#include <thread>
#include <utility>

using vqtest::kLockProgressDialog;
using vqtest::LockSessionTest;
using vqtest::ProgressView;

namespace {

using Strings = std::vector<std::string>;

HICON Icon(UINT id) { return LoadIcon(nullptr, MAKEINTRESOURCE(id)); }

} // namespace

TEST_F(LockSessionTest, TheSessionsLockThreadRunsItsHiddenProgressDialogFromOpenToClose)
{
    OpenSession(NewRepository());
    PxVQLink* link = Link();
    VqsLockThread* thread = LockThread();
    ASSERT_NE(thread, nullptr);
    const DWORD threadId = thread->m_nThreadID;
    Manager().StartThread(link);
    EXPECT_EQ(LockThread(), thread) << "a second start does nothing";

    HWND progress = ProgressWindow();
    CString caption;
    CWnd::FromHandle(progress)->GetWindowText(caption);
    EXPECT_EQ(caption, "Anvilor Client - Lock Progress");
    EXPECT_TRUE(IsIconic(progress)) << "it starts minimised";
    EXPECT_EQ(CWnd::FromHandle(progress)->GetIcon(TRUE), Icon(106));
    clock.Advance(200);
    SettleLockThread();
    EXPECT_FALSE(IsWindowVisible(progress)) << "hidden from the first tick on";

    app.CloseSession();
    EXPECT_EQ(Manager().FindThreadOfLink(link), nullptr);
    EXPECT_FALSE(vqwin::WaitUntilThreadWaits(threadId)) << "the thread has ended when the session is closed";
    EXPECT_EQ(vqui::Describe(vqui::Transcript().back()), "dialog 105 \"Anvilor Client - Lock Progress\" -> Cancel");
}

TEST_F(LockSessionTest, ALockingPeriodEndsAtOnceWhileTheDialogWasNeverShown)
{
    const std::string repository = NewRepository();
    OpenSession(repository);
    Manager().BeginLocking(Link());
    PxVQObjectPtr enterprise(app.GetEnterprise());
    EXPECT_TRUE(enterprise->WriteLock(0));
    Manager().EndLocking(Link());

    auto second = AttachOtherUser(repository);
    Manager().StartThread(second.get());
    Manager().BeginLocking(second.get());
    Manager().EndLocking(second.get());
    Manager().StopAllThreads(second.get());
    EXPECT_EQ(Manager().FindThreadOfLink(second.get()), nullptr);
}

TEST_F(LockSessionTest, AWaitForAnotherUserShowsAfterTwoSecondsCountsAttemptsAndCancelGivesUpSilently)
{
    ProgressView first;
    ProgressView second;
    ui.WheneverDialog(kLockProgressDialog)
        .Run([&] { first = vqtest::ReadProgress(); })
        .Wait()
        .Run([&] { second = vqtest::ReadProgress(); })
        .Cancel()
        .Wait();
    const std::string repository = NewRepository();
    OpenSession(repository);
    auto other = AttachOtherUser(repository);
    ASSERT_TRUE(other->GetLVQEnterprise()->WriteLock(0));
    GateRetries();
    PxVQObjectPtr enterprise(app.GetEnterprise());
    const std::int64_t start = Now();

    Manager().BeginLocking(Link());
    const PxLockErrorInfo result = enterprise->WriteLock(0);
    SettleLockThread();
    EXPECT_TRUE(IsIconic(ProgressWindow())) << "Cancel minimises the dialog";
    Manager().EndLocking(Link());

    EXPECT_EQ(result.GetErrorCode(), PxLockGivenUp);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(IsWindowVisible(ProgressWindow())) << "hidden when the locking period ends";
    EXPECT_EQ(first.clock - start, 2) << "shown at the first tick two seconds into the wait";
    EXPECT_EQ(first.totalElapsed, "00:00:02");
    EXPECT_EQ(first.currentElapsed, "00:00:02");
    EXPECT_EQ(first.objectsLocked, "1");
    EXPECT_EQ(first.currentObject, VqsGetObjectKindName(enterprise->GetObjectKind()).str());
    EXPECT_EQ(first.icon, Icon(155)) << "the first frame of the animation";
    EXPECT_FALSE(first.iconic);
    EXPECT_LT(std::stoi(first.attempts), std::stoi(second.attempts)) << "the attempts count up";
    EXPECT_EQ(second.attempts, std::to_string(GatedAttempts().back()));
    ui.Verify();
}

// A bag's lock call that its caller makes outside any locking period of its own waits for
// another user's lock as any other does, until the other user lets go: never given up at once
// with nothing said, as only the user's Cancel in the progress box may.
TEST_F(LockSessionTest, ABagsLockOutsideALockingPeriodWaitsForAnotherUser)
{
    const std::string repository = NewRepository();
    OpenSession(repository);
    auto other = AttachOtherUser(repository);
    const PxVQObjectPtr held(other->GetLVQEnterprise());
    ASSERT_TRUE(held->WriteLock(0));
    bool letGo = false;
    GateRetries([&] {
        if (!std::exchange(letGo, true))
            held->UnLock();
    });
    VqsModel model;
    VqsLockBag bag(VqsWriteLock);

    EXPECT_EQ(bag.LockNode(&model.GetRootNode()), 1);

    EXPECT_TRUE(letGo);
    EXPECT_TRUE(bag.Contains(&model.GetRootNode()));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LockSessionTest, ALockThatWaitsLessThanTwoSecondsNeverShowsTheDialog)
{
    ui.WheneverDialog(kLockProgressDialog).Run([] { ADD_FAILURE() << "the progress dialog was shown"; });
    const std::string repository = NewRepository();
    OpenSession(repository);
    auto other = AttachOtherUser(repository);
    PxVQObjectPtr theirs(other->GetLVQEnterprise());
    ASSERT_TRUE(theirs->WriteLock(0));
    const std::uint64_t start = clock.TickMilliseconds();
    GateRetries([&] {
        if (clock.TickMilliseconds() - start >= 1000)
            theirs->UnLock();
    });

    Manager().BeginLocking(Link());
    EXPECT_TRUE(PxVQObjectPtr(app.GetEnterprise())->WriteLock(0));
    Manager().EndLocking(Link());
    EXPECT_GT(GatedAttempts().size(), 1u);
}

TEST_F(LockSessionTest, TheRetryCallbackGivesUpOnWhatItCannotFollow)
{
    const std::string repository = NewRepository();
    OpenSession(repository);
    auto other = AttachOtherUser(repository);
    const PxVQObjectPtr withoutThread(other->GetLVQEnterprise());
    const PxVQObjectPtr ofSession(app.GetEnterprise());
    struct Case {
        int code;
        int attempts;
        bool sessionObject;
        int answer;
        int codeAfter;
        int attemptsAfter;
    };
    const Case cases[] = {
        {-1, 0, true, 0, -1, 0},  // unknown: given up, logged
        {8, 2, true, 0, 8, 2},    // unknown: given up, logged
        {1, 0, true, 0, 1, 0},    // given up already
        {3, 0, false, 0, 1, 0},   // a link without lock thread does not wait
        {6, 4, false, 0, 6, 4},   // a busy store nobody can give up: declined, not given up
        {0, 0, false, 0, 0, 0},   // reported to nobody
        {7, 0, false, 0, 7, 0},
        {3, 0, true, 1, 3, 1},    // waits inside the session's locking period
        {6, 1, true, 1, 6, 2},
    };
    Manager().BeginLocking(Link());
    for (const Case& c : cases) {
        PxLockErrorInfo info(c.code, c.sessionObject ? ofSession : withoutThread);
        info.SetAttemptCount(c.attempts);
        EXPECT_EQ(VqsLockRetryCallback(info), c.answer) << "code " << c.code;
        EXPECT_EQ(info.GetErrorCode(), c.codeAfter) << "code " << c.code;
        EXPECT_EQ(info.GetAttemptCount(), c.attemptsAfter) << "code " << c.code;
    }
    Manager().EndLocking(Link());
    EXPECT_EQ(LogLines(),
              (Strings{"WARNING 0 A repository lock call reported the unknown lock code -1; the lock is not tried again.",
                       "WARNING 0 A repository lock call reported the unknown lock code 8; the lock is not tried again."}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LockSessionTest, AManualLockOnOptionsIsReportedAfterTheProgressIsMinimised)
{
    vqtest::SampleRepository sample;
    OpenSession(sample.Path());
    PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
    PxTypedList<PxVQOptionSetPtr> optionSets;
    config->GetListOfOptionSets(optionSets);
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    config->GetListOfBSSoftLinks(segments);
    PxVQOptionSetPtr optionSet = optionSets.GetHead();
    PxVQBSSoftLinkPtr segment = segments.GetHead();
    PxVQObjectPtr options(PxVQOptionsPtr(optionSet->GetOptions(PxVQSoftLinkPtr(segment))));

    auto other = AttachOtherUser(sample.Path(), "USR1");
    PxVQObjectPtr theirs = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
    PxTypedList<PxVQOptionSetPtr> theirSets;
    PxVQCurConfigPtr(theirs)->GetListOfOptionSets(theirSets);
    PxTypedList<PxVQBSSoftLinkPtr> theirSegments;
    PxVQCurConfigPtr(theirs)->GetListOfBSSoftLinks(theirSegments);
    PxVQObjectPtr theirOptions(
        PxVQOptionsPtr(theirSets.GetHead()->GetOptions(PxVQSoftLinkPtr(theirSegments.GetHead()))));
    ASSERT_TRUE(theirOptions->PersistentLock(1));
    ASSERT_TRUE(theirOptions->PersistentLock(1));

    ASSERT_TRUE(app.GetAllowLongNames()) << "the sample enterprise allows long names";
    // Each named as the lists show it, by its long name.
    ui.ExpectMessageBox("Lock failed:\nUSR1 manually locked options for " +
                            std::string(segment->GetStringProperty("longName").GetString()) + " in option set " +
                            optionSet->GetStringProperty("longName").GetString() +
                            ".\nPlease try again after some time.",
                        IDOK);
    Manager().BeginLocking(Link());
    const PxLockErrorInfo result = options->WriteLock(0);
    EXPECT_EQ(result.GetErrorCode(), PxLockPersistentlyLocked);
    VqsDescribeLockTarget(result);
    SettleLockThread();
    EXPECT_TRUE(IsIconic(ProgressWindow()));
    Manager().EndLocking(Link());
    ui.Verify();
}

TEST_F(LockSessionTest, OnlyTheEndOfTheSessionClosesTheProgressDialog)
{
    OpenSession(NewRepository());
    HWND progress = ProgressWindow();
    HMENU systemMenu = GetSystemMenu(progress, FALSE);
    EXPECT_EQ(GetMenuState(systemMenu, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1)) << "Size is gone";
    EXPECT_TRUE(GetMenuState(systemMenu, SC_CLOSE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_TRUE(GetMenuState(systemMenu, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);

    const auto popUp = [&] { SendMessage(progress, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(systemMenu), MAKELPARAM(0, TRUE)); };
    popUp();
    EXPECT_FALSE(GetMenuState(systemMenu, SC_RESTORE, MF_BYCOMMAND) & MF_GRAYED) << "minimised at the start";
    EXPECT_TRUE(GetMenuState(systemMenu, SC_MINIMIZE, MF_BYCOMMAND) & MF_GRAYED);

    PostMessage(progress, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessage(progress, WM_COMMAND, IDCANCEL, 0);
    SettleLockThread();
    EXPECT_TRUE(IsWindow(progress)) << "neither Close nor Cancel ends the dialog";
}

TEST(LockProgressDlgTest, ElapsedTimesShowHoursWithinTheDayMinutesAndSeconds)
{
    const std::pair<__time64_t, const char*> cases[] = {
        {0, "00:00:00"}, {2, "00:00:02"}, {3725, "01:02:05"}, {86400 + 61, "00:01:01"}, {-5, "00:00:00"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(VqsFormatTimeSpan(seconds), text) << seconds;
}

TEST_F(LockSessionTest, WithoutAUserToAskAShownProgressDialogIsCancelledAndTheSessionStillCloses)
{
    const std::string repository = NewRepository();
    OpenSession(repository);
    auto other = AttachOtherUser(repository);
    ASSERT_TRUE(other->GetLVQEnterprise()->WriteLock(0));
    GateRetries();
    vqui::UiDriver* driver = vqui::InstallUiDriver(nullptr);

    Manager().BeginLocking(Link());
    const PxLockErrorInfo result = PxVQObjectPtr(app.GetEnterprise())->WriteLock(0);
    Manager().EndLocking(Link());
    vqui::InstallUiDriver(driver);

    // Given up (1) or, once the ended thread has taken its callback back, refused (3).
    EXPECT_FALSE(result);
    EXPECT_EQ(vqui::Describe(vqui::Transcript().back()),
              "dialog 105 \"Anvilor Client - Lock Progress\" -> Cancel (no driver)");
    app.CloseSession();
    EXPECT_EQ(app.GetLink(), nullptr);
}

TEST(LockManagerUnloadTest, TheModuleEndsTheLockThreadOfASessionLeftOpen)
{
    vqtest::TempDir dir;
    vqcom::ScopedRegistryFile registry(dir.File("registry.ini").c_str());
    const std::string repository = dir.File("repository.vqr");
    PxLink::CreateRepository(repository.c_str());
    VqsStartModule();
    VqsSysApp& app = *VqsGetApp();
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    vqtest::ScriptedUiDriver ui;
    ui.WheneverDialog(kLockProgressDialog);
    ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC/XYZ", nullptr));
    const DWORD threadId = VqsLockManager::GetInstance()->FindThreadOfLink(app.GetLink())->m_nThreadID;

    VqsEndModule();
    EXPECT_FALSE(vqwin::WaitUntilThreadWaits(threadId));
    EXPECT_EQ(VqsLockManager::GetInstance(), nullptr);
}

namespace {

// Another session in the lock store's one-at-a-time serialisation, as a long lock call of
// theirs keeps it: the lock file in a write transaction, or the server's advisory lock held.
class BusyLockStore {
public:
    BusyLockStore(const std::string& repository, bool server)
    {
        if (server) {
            m_server = std::make_unique<PxPgConnection>(repository);
            m_server->Execute("BEGIN; SELECT pg_advisory_xact_lock(29871, 2)", "test");
            return;
        }
        if (sqlite3_open((repository + "-locks").c_str(), &m_file) != SQLITE_OK ||
            sqlite3_exec(m_file, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
            ADD_FAILURE() << "the lock file cannot be kept busy";
    }
    ~BusyLockStore() { sqlite3_close(m_file); }
    BusyLockStore(const BusyLockStore&) = delete;
    BusyLockStore& operator=(const BusyLockStore&) = delete;

    void Release()
    {
        if (m_server)
            m_server->Execute("COMMIT", "test");
        else
            sqlite3_exec(m_file, "COMMIT", nullptr, nullptr, nullptr);
    }

private:
    std::unique_ptr<PxPgConnection> m_server;
    sqlite3* m_file = nullptr;
};

} // namespace

class BusyLockStoreTest : public LockSessionTest {
protected:
    // A session on a new repository of the store, its retries gated and its store's own wait
    // for a busy lock store cut to nothing, so that each attempt meets the busy store.
    std::string OpenGatedSession(bool server)
    {
        const std::string repository = server ? vqtest::PgTestServer::Instance().NewDatabase() : NewRepository();
        if (server)
            PxLink::CreateRepository(repository.c_str());
        OpenSession(repository);
        GateRetries();
        PxTesting::SetBusyTimeout(*Link(), 0);
        return repository;
    }
};

TEST_F(BusyLockStoreTest, ALockStoreKeptBusyPastTwoSecondsIsWaitedForWithoutTheProgressDialog)
{
    ui.WheneverDialog(kLockProgressDialog).Run([] { ADD_FAILURE() << "the progress dialog was shown"; });
    for (const bool server : {false, true}) {
        const std::string repository = OpenGatedSession(server);
        BusyLockStore busy(repository, server);
        const std::uint64_t start = clock.TickMilliseconds();
        const std::size_t told = GatedAttempts().size();
        {
            // The other session ends its transaction three seconds into the wait.
            const vqtest::ClockActingAt releasing(clock, 3000, [&] { busy.Release(); });
            Manager().BeginLocking(Link());
            EXPECT_TRUE(PxVQObjectPtr(app.GetEnterprise())->WriteLock(0)) << (server ? "server" : "file");
            SettleLockThread();
            Manager().EndLocking(Link());
        }
        const std::uint64_t waited = clock.TickMilliseconds() - start;
        EXPECT_GE(waited, 3000u);
        EXPECT_LT(waited, kPxQuietBusyMilliseconds);
        EXPECT_EQ(GatedAttempts().size(), told + 1) << "the callback heard of the grant only";
        EXPECT_TRUE(Boxes().empty());
        app.CloseSession();
    }
}

// A store that stays busy is no longer waited for without end: past the quiet wait the progress
// dialog shows the wait, naming no object, and the user's Cancel gives it up with nothing said.
TEST_F(BusyLockStoreTest, ALockStoreBusyPastTheQuietWaitShowsTheDialogNamingNoObjectAndCancelGivesUp)
{
    std::vector<ProgressView> shown;
    ui.WheneverDialog(kLockProgressDialog).Run([&] { shown.push_back(vqtest::ReadProgress()); }).Cancel().Wait();
    for (const bool server : {false, true}) {
        const std::string repository = OpenGatedSession(server);
        BusyLockStore busy(repository, server);
        const std::uint64_t start = clock.TickMilliseconds();
        const std::size_t told = GatedAttempts().size();

        Manager().BeginLocking(Link());
        const PxLockErrorInfo result = PxVQObjectPtr(app.GetEnterprise())->WriteLock(0);
        SettleLockThread();
        Manager().EndLocking(Link());
        busy.Release();

        const char* store = server ? "server" : "file";
        EXPECT_EQ(result.GetErrorCode(), PxLockGivenUp) << store;
        EXPECT_GE(clock.TickMilliseconds() - start, kPxQuietBusyMilliseconds) << store;
        EXPECT_GT(GatedAttempts().size(), told) << store;
        ASSERT_EQ(shown.size(), server ? 2u : 1u) << store;
        EXPECT_EQ(shown.back().currentObject, "") << store;
        EXPECT_TRUE(Boxes().empty()) << store;
        app.CloseSession();
    }
}

// A bag's try (a wizard page's step taking its anchor's objects before it waits for them in the
// one order) gives up on a busy lock store after one brief try, as on a lock another session
// holds: -1, nothing told and nothing more held, so that the step waits for them as it does for
// such a lock. The other session would let the store go only past the quiet wait.
TEST_F(BusyLockStoreTest, ABagsTryGivesUpOnABusyLockStoreAfterOneBriefTry)
{
    for (const bool server : {false, true}) {
        const std::string repository = OpenGatedSession(server);
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        ASSERT_EQ(bag.LockNode(&model.GetRootNode()), 1);
        BusyLockStore busy(repository, server);
        const vqtest::ClockActingAt releasing(clock, kPxQuietBusyMilliseconds, [&] { busy.Release(); });

        EXPECT_EQ(bag.TryLockObjects(VqsWriteLock), -1) << (server ? "server" : "file");
        EXPECT_FALSE(releasing.Acted()) << "the try waited for the store";
        EXPECT_EQ(bag.GetHoldCount(), 1u);
        EXPECT_TRUE(Boxes().empty());
        busy.Release();
        bag.ReleaseAll();
        app.CloseSession();
    }
}
