// A generation's hold is named by the one recovery session that carries it, on a repository
// file and on a server: an older session of the same user and set (stopped Deploying, its hold
// unlocked since, or replaced by a fresh generation; or a record of an earlier build, which names
// no hold) neither lifts nor takes a later generation's hold, by its Delete or its Restart, and
// the later generation's Restart runs; also where the holds have no identity (a member's role on
// a team's repository its owner has not brought up to date). A fresh generation that takes an
// interrupted one's hold over leaves it with the interrupted session whatever stops it before it
// leaves a record of its own, or cancels it, and another user's Delete of that session and the
// hand-over exclude each other. A session whose hold such a generation took over and that has
// ended since is not offered for restart. A generation runs and ends while another process holds
// the lock store without holding up its host, and leaves nothing held.
#include "../sysview/SysViewTestSupport.h"
#include "ScriptCalls.h"

#include "generate/CAnvilorController.h"
#include "generate/VqsGenerateCommands.h"
#include "generate/VqsGenerateStart.h"
#include "generate/VqsGenerateStatus.h"
#include "generate/VqsSelectSession.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockStore.h"
#include "proxy/PxLocking.h"
#include "proxy/PxOptions.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "shell/VqsMsgBox.h"
#include "support/ChildProcess.h"
#include "support/ClockActingAt.h"
#include "support/HeldLockTables.h"
#include "support/PgTestServer.h"
#include "support/RefusedLockWrites.h"
#include "support/ScriptedUiDriver.h"
#include "repo/RepoFile.h"
#include "support/TeamRepository.h"
#include "vqclient/VqClient.h"
#include "vqclient/VqcGenerations.h"
#include "vqclient/VqcTesting.h"
#include "win/CListCtrl.h"
#include "win/Clock.h"
#include "win/Messages.h"
#include "win/Sync.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT IDD_GENERATE = 160;
constexpr UINT IDD_PICKER = 301;
constexpr UINT IDD_GENERATE_REPORTS = 222;
constexpr int kGenerateReports = 1789;
constexpr UINT IDD_SELECT_SESSION = 294;
constexpr int kSessionList = 32853;
constexpr int kRestart = 33025;
constexpr int kDelete = 32854;
constexpr int kStateDeploying = 8;
constexpr UINT IDS_OPTION_SET_LOCKED = 61874;
// A busy timeout short enough that a test meets a busy lock store at no real cost.
constexpr int kShortBusyTimeout = 50;
constexpr const char* kLockStoreBusy =
    "Cannot reach the repository's locks: the repository is in use by another session; try again later.";

// A script's GenerateSystem of SYS1's NTGEN through the automation controller, which the
// script holds until it is done.
class ScriptedGeneration {
public:
    ScriptedGeneration()
    {
        EXPECT_EQ(CComObject<CAnvilorController>::CreateInstance(&m_controller), S_OK);
        m_controller->AddRef();
    }
    ~ScriptedGeneration() { m_controller->Release(); }
    ScriptedGeneration(const ScriptedGeneration&) = delete;
    ScriptedGeneration& operator=(const ScriptedGeneration&) = delete;

    // The number of the generation started, whether the call answers success as `succeeds` says.
    unsigned long GenerateSystem(bool succeeds)
    {
        EXPECT_EQ(SetMandatoryValues(*m_controller, "SYS1.NTGEN"), S_OK);
        EXPECT_EQ(CallAsScript(*m_controller, "GenerateSystem", {"SYS1.NTGEN"}) == S_OK, succeeds);
        return vqclient::LastGenerateNumber();
    }

    // The number of the generation started; 0 when the call answers a failure.
    unsigned long GenerateSystemIfItStarts()
    {
        EXPECT_EQ(SetMandatoryValues(*m_controller, "SYS1.NTGEN"), S_OK);
        return CallAsScript(*m_controller, "GenerateSystem", {"SYS1.NTGEN"}) == S_OK ? vqclient::LastGenerateNumber()
                                                                                     : 0;
    }

private:
    CComObject<CAnvilorController>* m_controller = nullptr;
};

struct GenerationHoldTest : SysViewTest, ::testing::WithParamInterface<Store> {
    vqtest::ScriptedUiDriver ui;
    vqclock::ManualClock clock;
    vqclock::ScopedClock scopedClock{clock};
    std::string repository;

    void SetUp() override
    {
        clock.SetSleepMovesClock(true);
        vqclient::Reset();
        vqclient::SetGenerationLog(dir.File("generate.log"));
        ui.WheneverDialog(105);
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewRepository();
        OpenSessionAsTheHostDoes();
        frame->SetCurrentOptionSet(NtGen());
    }

    void TearDown() override
    {
        PxFaultInjection::Reset();
        SysViewTest::TearDown();
        vqclient::SetGenerationLog("");
    }

    virtual std::string NewRepository() { return NewSharedSample(GetParam(), dir); }
    // Whether the store gives the holds it places an identity; either, when nothing is said.
    virtual std::optional<bool> HoldsHaveIdentities() const { return true; }

    PxVQOptionSetPtr NtGen() const { return System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"); }

    // Generate System of NTGEN, declining the restart offered (unless `offered` says otherwise,
    // when there is a session); `told` expects what follows the dialog. The generation's number.
    unsigned long GenerateSystem(const std::function<void()>& told = {}, std::optional<bool> offered = {})
    {
        if (offered.value_or(System("SYS1")->CountOfRecoveryInfos() > 0))
            ui.ExpectMessageBoxId(61919, IDNO);
        ui.ExpectDialog(IDD_GENERATE).OK();
        if (told)
            told();
        VqsGenerateSystem(*view);
        ui.Verify();
        return vqclient::LastGenerateNumber();
    }

    // Generate System, the generation stopped in the state; its recovery session.
    PxVQRecoveryInfoPtr GenerateSystemStoppedIn(int state, std::optional<bool> offered = {})
    {
        const unsigned long number = GenerateSystem({}, offered);
        EXPECT_NE(number, 0u);
        EXPECT_TRUE(vqclient::Interrupt(number, state));
        return Newest();
    }

    PxVQRecoveryInfoPtr Newest() const
    {
        PxTypedList<PxVQRecoveryInfoPtr> sessions;
        System("SYS1")->GetListOfRecoveryInfos(sessions);
        const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
        return list.IsEmpty() ? PxVQRecoveryInfoPtr() : list.GetTail();
    }

    // The user chooses the session of the row (as Show Generate Status lists them, the oldest
    // first) with the button; `told` expects what follows.
    void Choose(int row, int button, const std::function<void()>& told = {})
    {
        vqtest::ScriptedUiDriver::WindowScript& dialog =
            ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, row).Click(button);
        if (button == kDelete)
            dialog.Cancel();
        if (told)
            told();
        VqsShowGenerateStatus(*view);
        ui.Verify();
    }

    // The session closed and opened again: the locks it held are dropped as at the holder's close.
    void ReopenSession()
    {
        CloseFrame();
        app.CloseSession();
        OpenSessionAsTheHostDoes();
    }

    // The user's host, a process of its own with its own session, runs the step and is killed:
    // as the operation `at` begins (after `skip` calls of it), or, with none, once the step is
    // done. This process's session is closed meanwhile and opened again after.
    void OnAHostThatDies(const std::function<void()>& step, const char* at, int skip)
    {
        CloseFrame();
        app.CloseSession();
        {
            vqtest::ChildProcess host([&] {
                OpenSessionAsTheHostDoes();
                if (at)
                    PxFaultInjection::Run(at, [] { std::raise(SIGKILL); }, skip);
                step();
            });
            EXPECT_EQ(host.WaitReady(), at == nullptr) << "the host was not killed where it should have been";
            host.Kill();
        }
        OpenSessionAsTheHostDoes();
    }

    // The first recovery session of SYS1, as Show Generate Status lists them.
    PxVQRecoveryInfoPtr Oldest() const
    {
        PxTypedList<PxVQRecoveryInfoPtr> sessions;
        System("SYS1")->GetListOfRecoveryInfos(sessions);
        const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
        return list.IsEmpty() ? PxVQRecoveryInfoPtr() : list.GetHead();
    }

    // The record, as an earlier build wrote it: it names no hold.
    void AsAnEarlierBuildWroteIt(const PxVQRecoveryInfoPtr& session) const
    {
        app.GetLink()->BeginTransaction();
        session->SetHoldId(0);
        app.GetLink()->CommitTransaction();
    }

    // The session with its frame, the generation client signed on as its user: the recovery
    // records the client writes name ABC, unless another user opens it.
    void OpenSessionAsTheHostDoes(const char* user = "ABC")
    {
        ASSERT_TRUE(app.OpenSession(repository.c_str(), user, nullptr));
        VqcSetSignOnUserName(user);
        OpenFrame();
        Select({"Sample system 1"});
    }

    // The step, done by her and then by another user in a session of their own; hers after.
    void ByHerAndAnotherUser(const std::function<void()>& step)
    {
        for (const char* user : {"ABC", "XYZ"}) {
            SCOPED_TRACE(user);
            ReopenAs(user);
            step();
        }
        ReopenAs("ABC");
    }

    void ReopenAs(const char* user)
    {
        CloseFrame();
        app.CloseSession();
        OpenSessionAsTheHostDoes(user);
        frame->SetCurrentOptionSet(NtGen());
    }

    // The rows Show Generate Status lists.
    int ListedSessions()
    {
        VqsSelectSession dialog(nullptr);
        dialog.SetSystem(System("SYS1"));
        int rows = -1;
        ui.ExpectDialog(IDD_SELECT_SESSION)
            .Run([&] { rows = dynamic_cast<CListCtrl&>(*dialog.GetDlgItem(kSessionList)).GetItemCount(); })
            .Cancel();
        dialog.DoModal();
        ui.Verify();
        return rows;
    }

    // Show Generate Status, in which the user deletes the session of each row given in turn, each
    // Delete after `before` (its index); `told` expects what the dialog tells meanwhile. How many
    // rows the list shows after each Delete.
    std::vector<int> ListedAfterDeletes(const std::vector<int>& rows, const std::function<void(std::size_t)>& before,
                                        const std::function<void()>& told)
    {
        VqsSelectSession dialog(nullptr);
        dialog.SetSystem(System("SYS1"));
        std::vector<int> listed;
        vqtest::ScriptedUiDriver::WindowScript& script = ui.ExpectDialog(IDD_SELECT_SESSION);
        for (std::size_t deletion = 0; deletion < rows.size(); ++deletion)
            script.Run([&before, deletion] { before(deletion); })
                .Select(kSessionList, rows[deletion])
                .Click(kDelete)
                .Run([&] {
                    listed.push_back(dynamic_cast<CListCtrl&>(*dialog.GetDlgItem(kSessionList)).GetItemCount());
                });
        script.Cancel();
        told();
        dialog.DoModal();
        ui.Verify();
        return listed;
    }

    // Generate System offers no restart (61919): the user leaves its dialog.
    void GenerateSystemOffersNoRestart()
    {
        ui.ExpectDialog(IDD_GENERATE).Cancel();
        VqsGenerateSystem(*view);
        ui.Verify();
    }

    // The lock store takes writes again: the session's thread makes the releases it owes, with no
    // step of the user's.
    void OwedReleasesMade()
    {
        const DWORD retrying = PxTesting::GiveBackThread(*app.GetLink());
        ASSERT_NE(retrying, 0u) << "nothing is owed";
        clock.Advance(kPxLongestRetryDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "something is owed still";
    }

    // The generation that `start` starts finishes while the lock store refuses to lift its hold
    // (`held` by another connection, else as a full disk refuses it); the store takes writes
    // again and the session makes the lift it owes, or, `hostDies`, her host is killed first,
    // owing it.
    void FinishWhileTheLockStoreRefusesTheLift(const std::function<unsigned long()>& start, bool held, bool hostDies)
    {
        if (!hostDies) {
            PxTesting::SetBusyTimeout(*app.GetLink(), 50);
            const unsigned long number = start();
            {
                const vqtest::RefusedLockWrites refused(repository, held);
                vqclient::PlayProgress(number, 3, "Generation finished");
            }
            OwedReleasesMade();
            return;
        }
        CloseFrame();
        app.CloseSession();
        std::optional<vqtest::RefusedLockWrites> refused;
        {
            unsigned long number = 0;
            vqtest::ChildProcess host(std::vector<std::function<void()>>{
                [&] {
                    OpenSessionAsTheHostDoes();
                    number = start();
                },
                [&] {
                    vqclient::PlayProgress(number, 3, "Generation finished");
                    if (PxTesting::GiveBackThread(*app.GetLink()) == 0)
                        throw std::runtime_error("the lift is not owed");
                }});
            ASSERT_TRUE(host.WaitReady());
            refused.emplace(repository, held);
            EXPECT_TRUE(host.RunNextStep());
            host.Kill();
        }
        refused.reset();
        OpenSessionAsTheHostDoes();
    }

    // How another connection holds the lock store: by its write lock (the lock file's, or the
    // lock tables' transaction lock on a server), or, on a server, by the lock tables themselves
    // in ACCESS EXCLUSIVE mode.
    enum class StoreHold { WriteLock, TablesExclusive };

    // The ways another connection can hold the store of the test's kind.
    std::vector<StoreHold> StoreHolds() const
    {
        if (GetParam() == Store::Server)
            return {StoreHold::WriteLock, StoreHold::TablesExclusive};
        return {StoreHold::WriteLock};
    }

    void TakeHoldOfTheLockStore(StoreHold how)
    {
        if (how == StoreHold::WriteLock)
            heldStore.emplace(repository, true);
        else
            heldTables.emplace(repository);
    }

    void LetGoOfTheLockStore()
    {
        heldStore.reset();
        heldTables.reset();
    }

    // Another process that holds the lock store for as long as the test wants: each of its steps
    // (ChildProcess::RunNextStep) takes hold of the store or lets it go, in turn, `holds` times.
    // It starts with this session closed, which is opened again after, waiting `kBusyTimeout`
    // for a busy store.
    std::unique_ptr<vqtest::ChildProcess> ProcessHoldingTheLockStore(int holds,
                                                                     StoreHold how = StoreHold::WriteLock)
    {
        CloseFrame();
        app.CloseSession();
        std::vector<std::function<void()>> steps{[] {}};
        for (int hold = 0; hold < holds; ++hold) {
            steps.push_back([this, how] { TakeHoldOfTheLockStore(how); });
            steps.push_back([this] { LetGoOfTheLockStore(); });
        }
        auto process = std::make_unique<vqtest::ChildProcess>(steps);
        EXPECT_TRUE(process->WaitReady());
        OpenSessionAsTheHostDoes();
        frame->SetCurrentOptionSet(NtGen());
        PxTesting::SetBusyTimeout(*app.GetLink(), kBusyTimeout);
        return process;
    }
    static constexpr int kBusyTimeout = 500;
    // Another connection's hold of the lock store, of this process or of the holding process.
    std::optional<vqtest::RefusedLockWrites> heldStore;
    std::optional<vqtest::HeldLockTables> heldTables;

    // Generate System of NTGEN, then the other process takes hold of the lock store; the
    // generation's number.
    unsigned long GenerateSystemThenHoldTheStore(vqtest::ChildProcess& holder)
    {
        const unsigned long number = GenerateSystem();
        EXPECT_NE(number, 0u);
        EXPECT_TRUE(holder.RunNextStep());
        return number;
    }

    // Plays the event of the generation while another process holds the lock store: the host
    // waits for the store a few brief tries (its claim asked once, briefly, what is owed tried),
    // and at the generation's end one busy timeout more (its first release, owed when refused,
    // as those behind it are). How long it waited.
    std::uint64_t PlayWhileTheStoreIsHeld(unsigned long number, int code, vqclient::Played played)
    {
        PxTesting::ResetBusyWaited();
        EXPECT_EQ(vqclient::PlayProgress(number, code, "Generating"), played);
        const std::uint64_t waited = PxTesting::BusyWaited();
        const int releasing = code == 3 ? kBusyTimeout : 0;
        EXPECT_LE(waited, releasing + 5 * kPxBriefBusyMilliseconds) << "at event " << code;
        return waited;
    }

    // Generate System of NTGEN, two events and the last while another process holds the lock
    // store as `how` says, each keeping the host waiting for the store as PlayWhileTheStoreIsHeld
    // allows; the generation ends as asked with no box, and once the store is let go nothing of
    // it is held.
    void GenerationRunsAndEndsWhileTheStoreIsHeld(StoreHold how)
    {
        const std::unique_ptr<vqtest::ChildProcess> other = ProcessHoldingTheLockStore(1, how);
        const unsigned long number = GenerateSystemThenHoldTheStore(*other);
        std::uint64_t waited = 0;
        for (const int code : {1, 1, 3})
            waited += PlayWhileTheStoreIsHeld(number, code, vqclient::Played::Posted);
        EXPECT_GT(waited, 0u) << "the store was not held";
        ui.Verify();
        EXPECT_EQ(vqclient::PlayProgress(number, 1, "after its end"), vqclient::Played::NoGeneration);

        ASSERT_TRUE(other->RunNextStep());
        OwedReleasesMade();
        AnotherUserTakesEveryObjectOfTheGeneration();
        other->Finish();
    }

    // Another user deletes the session, as Show Generate Status's Delete does.
    void DeleteAsAnotherUser(const PxVQRecoveryInfoPtr& session) const
    {
        PxVQLink other;
        other.AttachSession(repository.c_str(), "XYZ", nullptr);
        const PxVQSystemPtr system = other.GetLVQEnterprise()->GetSystem("SYS1");
        const PxVQRecoveryInfoPtr seen = system->GetRecoveryInfo(session->GetHandle());
        const PxVQOptionSetPtr genSet = seen->GetGenSet();
        genSet->RemovePersistentLock(0, 1);
        other.BeginTransaction();
        seen->DeleteObject();
        other.CommitTransaction();
    }

    std::int64_t HoldId() const
    {
        const PxPersistentLockPtr lock = NtGen()->GetPersistentLock();
        return lock && lock->GetLockCount() > lock->GetManualLockCount() ? lock->GetHoldId() : 0;
    }

    // The later generation's session carries the set's hold, and its Restart runs under it.
    void LaterGenerationRestartsUnderItsHold(const PxVQRecoveryInfoPtr& later, int row, std::int64_t hold)
    {
        EXPECT_EQ(hold != 0, HoldsHaveIdentities().value_or(hold != 0));
        EXPECT_EQ(HoldId(), hold) << "the later generation's hold went";
        EXPECT_EQ(NtGen()->GetIntProperty("persistentLockCount"), 1) << "the later generation's hold went";
        EXPECT_EQ(later->GetHoldId(), hold);
        EXPECT_TRUE(VqsGenerationLockOfSession(later)) << "the later session does not carry the hold";
        const std::size_t before = vqclient::Requests().size();
        ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, row).Click(kRestart);
        VqsShowGenerateStatus(*view);
        ui.Verify();
        ASSERT_EQ(vqclient::Requests().size(), before + 1) << "its Restart did not run";
        EXPECT_NE(vqclient::Requests().back().find(": kind 4 genset \"NTGEN\""), std::string::npos);
        EXPECT_EQ(HoldId(), hold) << "the restart runs under the hold";
    }

    // Another user write-locks what a generation of NTGEN takes (the system, its configuration,
    // its segment links and their options of NTGEN, the set) and claims the set: nothing of
    // them is held any more.
    void AnotherUserTakesEveryObjectOfTheGeneration() const
    {
        PxVQLink other;
        other.AttachSession(repository.c_str(), "XYZ", nullptr);
        const PxVQSystemPtr system = other.GetLVQEnterprise()->GetSystem("SYS1");
        const PxVQCurConfigPtr config = system->GetCurConfig();
        const PxVQOptionSetPtr genSet = config->GetOptionSet("NTGEN");
        PxTypedList<PxVQObjectPtr> objects;
        objects.AddTail(PxVQObjectPtr(system));
        objects.AddTail(PxVQObjectPtr(config));
        objects.AddTail(PxVQObjectPtr(genSet));
        PxTypedList<PxVQBSSoftLinkPtr> links;
        config->GetListOfBSSoftLinks(links);
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            const PxVQBSSoftLinkPtr link = links.GetNext(pos);
            objects.AddTail(PxVQObjectPtr(link));
            if (const PxOptionsPtr options = link->GetOptions(genSet))
                objects.AddTail(PxVQObjectPtr(options));
        }
        EXPECT_TRUE(other.WriteLock(objects, 0).Succeeded()) << "an object of the generation stays locked";
        EXPECT_FALSE(genSet->GetPersistentLock()) << "the set stays held";
        EXPECT_TRUE(genSet->ClaimForGeneration()) << "the set stays claimed";
        genSet->ReleaseGenerationClaim();
        other.UnLock(objects);
    }

    // An older session of the user and set whose hold went (stopped Deploying, its hold unlocked
    // since or while it ran, or replaced by a fresh generation; or a record of an earlier build),
    // and a later generation of hers interrupted: the older session's Delete or Restart leaves
    // the later generation's hold, whose Restart runs under it. An unfinished older session whose
    // record names the hold that was unlocked is offered to no one, and Show Generate Status
    // deletes it as it meets it, leaving the later generation's hold.
    void OlderSessionsLeaveTheLaterInterruptedGenerationsHold();
};

// The same on a team's repository that its owner has not brought up to date yet, opened by a
// member's role: the holds the member's generations place have no identity.
struct GenerationHoldOnATeamRepositoryTest : GenerationHoldTest {
    std::unique_ptr<vqtest::TeamRepository> team;

    std::string NewRepository() override
    {
        team = std::make_unique<vqtest::TeamRepository>(true);
        return team->MemberUri();
    }
    std::optional<bool> HoldsHaveIdentities() const override { return false; }
};

// The same on the suite's server alone, which a test may restart.
struct GenerationOnAServerTest : GenerationHoldTest {};

// The same in a member's session opened before the owner brought the repository up to date.
struct GenerationHoldInASessionOpenedBeforeTheUpgradeTest : GenerationHoldOnATeamRepositoryTest {
    void SetUp() override
    {
        GenerationHoldOnATeamRepositoryTest::SetUp();
        ASSERT_FALSE(vqrepo::UpgradeServerRepository(team->OwnerUri()).empty());
    }
    std::optional<bool> HoldsHaveIdentities() const override { return std::nullopt; }
};

std::string CaseName(const ::testing::TestParamInfo<Store>& info) { return StoreName(info.param); }

} // namespace

TEST_P(GenerationHoldTest, AnOlderSessionsDeleteOrRestartLeavesTheLaterInterruptedGenerationsHold)
{
    OlderSessionsLeaveTheLaterInterruptedGenerationsHold();
}

TEST_P(GenerationHoldOnATeamRepositoryTest, AnOlderSessionsDeleteOrRestartLeavesTheLaterInterruptedGenerationsHold)
{
    OlderSessionsLeaveTheLaterInterruptedGenerationsHold();
}

TEST_P(GenerationHoldInASessionOpenedBeforeTheUpgradeTest,
       AnOlderSessionsDeleteOrRestartLeavesTheLaterInterruptedGenerationsHold)
{
    OlderSessionsLeaveTheLaterInterruptedGenerationsHold();
}

// The older session whose hold went is marked so before the later generation's hold is placed:
// the store refusing the mark, the generation is cancelled with one box and places no hold; the
// next Generate System places it, and the older session carries nothing of it.
TEST_P(GenerationHoldOnATeamRepositoryTest, AGenerationWhoseMarkOfAnOlderSessionIsRefusedPlacesNoHold)
{
    const PxVQRecoveryInfoPtr older = GenerateSystemStoppedIn(kStateDeploying);
    PxFaultInjection::Throw("PxVQRecoveryInfo::SetHoldGone", "The disk is full.");
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox("Cannot proceed with generation:\nThe disk is full.", IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();
    PxFaultInjection::Reset();

    EXPECT_EQ(vqclient::RunningGenerations(), 0) << "the generation was not cancelled";
    EXPECT_FALSE(NtGen()->GetPersistentLock());
    EXPECT_EQ(older->GetHoldGone(), 0);
    const PxVQRecoveryInfoPtr later = GenerateSystemStoppedIn(1);
    EXPECT_NE(older->GetHoldGone(), 0);
    LaterGenerationRestartsUnderItsHold(later, 1, 0);
}

void GenerationHoldTest::OlderSessionsLeaveTheLaterInterruptedGenerationsHold()
{
    enum class Older { Deploying, Unlocked, UnlockedWhileRunning, Replaced };
    enum class Step { Delete, Restart };
    const struct {
        const char* what;
        Older older;
        bool earlierBuild;
        Step step;
    } cases[] = {
        {"Delete of a Deploying session", Older::Deploying, false, Step::Delete},
        {"Restart of a Deploying session", Older::Deploying, false, Step::Restart},
        {"Delete of a session whose hold was unlocked", Older::Unlocked, false, Step::Delete},
        {"Restart of a session whose hold was unlocked", Older::Unlocked, false, Step::Restart},
        {"Delete of a session replaced by a fresh generation", Older::Replaced, false, Step::Delete},
        {"Restart of a session replaced by a fresh generation", Older::Replaced, false, Step::Restart},
        {"Delete of an earlier build's Deploying session", Older::Deploying, true, Step::Delete},
        {"Restart of an earlier build's Deploying session", Older::Deploying, true, Step::Restart},
        {"Delete of an earlier build's session whose hold was unlocked", Older::Unlocked, true, Step::Delete},
        {"Restart of an earlier build's session whose hold was unlocked", Older::Unlocked, true, Step::Restart},
        {"Delete of a session whose hold was unlocked while it ran", Older::UnlockedWhileRunning, false, Step::Delete},
        {"Restart of a session whose hold was unlocked while it ran", Older::UnlockedWhileRunning, false,
         Step::Restart},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        PxVQRecoveryInfoPtr older;
        if (row.older == Older::UnlockedWhileRunning) {
            const unsigned long running = GenerateSystem();
            ASSERT_TRUE(NtGen()->RemovePersistentLock(0, 1).Succeeded()) << "the owner's Unlock";
            ASSERT_TRUE(vqclient::Interrupt(running, 3));
            older = Newest();
        } else {
            older = GenerateSystemStoppedIn(row.older == Older::Deploying ? kStateDeploying : 3);
        }
        if (row.older == Older::Unlocked) {
            ASSERT_TRUE(NtGen()->RemovePersistentLock(0, 1).Succeeded()) << "the owner's Unlock";
        }
        if (row.earlierBuild)
            AsAnEarlierBuildWroteIt(older);
        // An unfinished session whose record names the hold that went has nothing left to restart.
        const bool nothingLeft = row.older != Older::Deploying && row.older != Older::Replaced && older->GetHoldId();
        const PxVQRecoveryInfoPtr later = GenerateSystemStoppedIn(1, nothingLeft ? std::optional(false) : std::nullopt);
        const std::int64_t hold = HoldId();

        int laterRow = 0;
        if (nothingLeft) {
            EXPECT_EQ(ListedSessions(), 1) << "whichever step was meant, it is deleted as it is met";
            EXPECT_FALSE(older->ObjectPresent());
        } else if (row.step == Step::Delete) {
            Choose(0, kDelete);
            EXPECT_FALSE(older->ObjectPresent());
        } else if (row.older == Older::Deploying) {
            Choose(0, kRestart);
            EXPECT_EQ(vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished"),
                      vqclient::Played::Posted);
            EXPECT_FALSE(older->ObjectPresent()) << "the finished restart leaves nothing of its session";
        } else {
            const UINT told = row.older == Older::Replaced ? 61915 : 61875;
            Choose(0, kRestart, [&] { ui.ExpectMessageBoxId(told, IDOK); });
            laterRow = 1;
        }
        LaterGenerationRestartsUnderItsHold(later, laterRow, hold);

        // What is left goes for the next row: the restart ends, the sessions are deleted.
        vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished");
        EXPECT_FALSE(NtGen()->GetPersistentLock()) << "the restart's end lifts its hold";
        while (System("SYS1")->CountOfRecoveryInfos() > 0)
            Choose(0, kDelete);
    }
}

// A finished bundle session goes when the user declines the bundle restart offered: the hold of
// the user's interrupted system generation of the set stays with it.
TEST_P(GenerationHoldTest, DecliningABundleRestartLeavesTheSystemGenerationsHold)
{
    const std::int64_t liftedHold = [&] {
        EXPECT_TRUE(NtGen()->PlaceGenerationHold().Succeeded());
        const std::int64_t id = HoldId();
        NtGen()->LiftGenerationHold();
        return id;
    }();
    app.GetLink()->BeginTransaction();
    const PxVQRecoveryInfoPtr bundle = System("SYS1")->CreateRecoveryInfo(NtGen());
    bundle->setGenerateType(PxVQRecoveryInfo::kBundleGenerate);
    bundle->SetCurrentState(kStateDeploying);
    bundle->SetUserId("ABC");
    bundle->SetHoldId(liftedHold);
    app.GetLink()->CommitTransaction();
    const PxVQRecoveryInfoPtr later = GenerateSystemStoppedIn(3);
    const std::int64_t hold = HoldId();

    Expand("Sample system 1");
    Select({"SALES business segment"});
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_PICKER).Cancel();
    VqsGenerateBundle(*view);
    ui.Verify();

    EXPECT_FALSE(bundle->ObjectPresent());
    Select({"Sample system 1"});
    LaterGenerationRestartsUnderItsHold(later, 0, hold);
}

// While the later generation runs, a Delete of the older session (Deploying) leaves its hold.
TEST_P(GenerationHoldTest, ADeleteOfAnOlderSessionWhileALaterGenerationRunsLeavesThatGenerationsHold)
{
    GenerateSystemStoppedIn(kStateDeploying);
    const unsigned long running = GenerateSystem();
    const std::int64_t hold = HoldId();
    ASSERT_NE(hold, 0);

    Choose(0, kDelete);

    EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
    EXPECT_EQ(HoldId(), hold) << "the running generation's hold went";
    ASSERT_TRUE(vqclient::Interrupt(running, 2));
    LaterGenerationRestartsUnderItsHold(Newest(), 0, hold);
}

// The fresh generation that took the interrupted generation's hold over after a declined
// restart stops, and the store refuses its recovery record, which would name the hold: the
// interrupted session names the hold still, and after the holder's close its Restart takes it.
// The hold a start places is carried by the generation's claim from the claim's own step on:
// nothing is left to hand on, so a hand-on refused by the store cannot leave the hold to the
// holder's close.
TEST_P(GenerationHoldTest, ARefusedRecordOrHandOnLeavesAHoldTheOwnersRestartTakesAfterTheHoldersClose)
{
    enum class Start { FreshAfterDeclinedRestart, SystemWithReports };
    const struct {
        const char* what;
        Start start;
    } cases[] = {
        {"the fresh generation's record refused", Start::FreshAfterDeclinedRestart},
        {"the hand-on refused", Start::SystemWithReports},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        if (row.start == Start::FreshAfterDeclinedRestart) {
            GenerateSystemStoppedIn(3);
            const unsigned long fresh = GenerateSystem();
            PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full.");
            ui.ExpectMessageBox("Generation " + std::to_string(fresh) +
                                    " of the Generate Set \"NTGEN\" stopped before it finished: its recovery record "
                                    "could not be written: The disk is full.\nThe Generate Set's persistent lock stays "
                                    "with the generation before it that did not finish, whose lock it took over: Show "
                                    "Generate Status offers that one for a restart.",
                                IDOK, "Anvilor Client");
            EXPECT_FALSE(vqclient::Interrupt(fresh, 3));
            ui.Verify();
        } else {
            PxFaultInjection::Throw("PxVQObject::HandOnGenerationHold", "The disk is full.");
            ui.ExpectDialog(IDD_GENERATE).SetCheck(kGenerateReports).OK();
            ui.ExpectDialog(IDD_GENERATE_REPORTS).OK();
            VqsGenerateSystem(*view);
            ui.Verify();
            ASSERT_TRUE(vqclient::Interrupt(vqclient::LastGenerateNumber(), 3));
        }
        PxFaultInjection::Reset();
        const std::int64_t hold = HoldId();

        ReopenSession();
        LaterGenerationRestartsUnderItsHold(Newest(), 0, hold);
        vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished");
        EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
        EXPECT_FALSE(NtGen()->GetPersistentLock());
    }
}

// A generation's end whose lift and give-back of the set the lock store refuses for a moment (its
// disk full; another connection holding it): both are owed by the session and made once the
// store takes writes again, with no step of the user's, and the next Generate System of the set,
// hers or another user's, starts.
TEST_P(GenerationHoldTest, AGenerationsEndTheLockStoreRefusedGivesTheSetBackOnceItTakesWritesAgain)
{
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "the lock store held" : "its disk full");
        FinishWhileTheLockStoreRefusesTheLift(
            [this] {
                const unsigned long number = GenerateSystem();
                EXPECT_NE(number, 0u);
                return number;
            },
            held, false);
        EXPECT_FALSE(NtGen()->GetPersistentLock());
        {
            PxVQLink other;
            other.AttachSession(repository.c_str(), "XYZ", nullptr);
            const PxVQOptionSetPtr seen = other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
            EXPECT_TRUE(seen->ClaimForGeneration()) << "another user's generation of the set starts";
            seen->ReleaseGenerationClaim();
        }
        const unsigned long next = GenerateSystem();
        EXPECT_NE(next, 0u) << "her next Generate System starts";
        vqclient::PlayProgress(next, 3, "Generation finished");
    }
}

// Her generation finishes while the lock store refuses to lift its hold (its disk full, refusing
// the deletes of lock rows or their updates too), so that her session owes the lift. Her next
// Generate System of the set meanwhile tells the store's words in one box, never her own finished
// generation as the set's lock; once the store takes writes, the one after runs to its end.
TEST_P(GenerationHoldTest, HerGenerateSystemWhileTheStoreRefusesTheLiftOfHerFinishedGenerationSaysTheStoresWords)
{
    using Refusing = vqtest::RefusedLockWrites::Refusing;
    const std::string storeWords = std::string("Cannot proceed with generation:\nCannot reach the repository's locks: ") +
                                   (GetParam() == Store::File ? "constraint failed" : "the disk is full.");
    PxTesting::SetBusyTimeout(*app.GetLink(), kShortBusyTimeout);
    for (const Refusing refusing : {Refusing::Deletes, Refusing::DeletesAndUpdates}) {
        SCOPED_TRACE(refusing == Refusing::Deletes ? "deletes refused" : "updates refused too");
        const unsigned long finished = GenerateSystem();
        {
            const vqtest::RefusedLockWrites refused(repository, false, refusing);
            vqclient::PlayProgress(finished, 3, "Generation finished");
            ASSERT_NE(PxTesting::GiveBackThread(*app.GetLink()), 0u) << "the lift is not owed";
            GenerateSystem([&] { ui.ExpectMessageBox(storeWords, IDOK); });
            EXPECT_EQ(vqclient::LastGenerateNumber(), finished) << "a generation started under her own hold";
        }
        OwedReleasesMade();
        const unsigned long next = GenerateSystem();
        ASSERT_NE(next, finished) << "her Generate System once the store takes writes";
        EXPECT_EQ(vqclient::PlayProgress(next, 3, "Generation finished"), vqclient::Played::Posted);
        EXPECT_FALSE(NtGen()->GetPersistentLock());
    }
}

// She interrupts a generation while the lock store refuses to take locks back (its disk full), so
// that her session owes the give-back of its claim: the claim is still hers. Her next generation
// of the set, a script's Generate System that takes the interrupted hold over or her Restart of
// the interrupted session, claims the set it owes and runs to its end with no box; once the store
// takes writes nothing of either generation is held or listed.
TEST_P(GenerationHoldTest, HerNextGenerationOfASetWhoseClaimsGiveBackSheOwesRunsToItsEnd)
{
    for (const bool restart : {false, true}) {
        SCOPED_TRACE(restart ? "her Restart" : "a script's Generate System");
        PxTesting::SetBusyTimeout(*app.GetLink(), 50);
        const unsigned long interrupted = GenerateSystem({}, false);
        std::optional<vqtest::RefusedLockWrites> refused(std::in_place, repository, false,
                                                         vqtest::RefusedLockWrites::Refusing::Deletes);
        ASSERT_TRUE(vqclient::Interrupt(interrupted, 3));
        ASSERT_NE(PxTesting::GiveBackThread(*app.GetLink()), 0u) << "the claim's give-back is not owed";
        ScriptedGeneration script;
        if (restart)
            Choose(0, kRestart);
        else
            script.GenerateSystem(true);
        const unsigned long next = vqclient::LastGenerateNumber();
        ASSERT_NE(next, interrupted) << "her next generation did not start";
        EXPECT_EQ(vqclient::PlayProgress(next, 1, "Generating"), vqclient::Played::Posted);
        EXPECT_EQ(vqclient::PlayProgress(next, 3, "Generation finished"), vqclient::Played::Posted);
        ui.Verify();
        refused.reset();
        OwedReleasesMade();
        // The session whose hold the finished generation took over is deleted as it was.
        if (!restart)
            Choose(0, kDelete);
        EXPECT_EQ(ListedSessions(), 0);
        EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
        AnotherUserTakesEveryObjectOfTheGeneration();
    }
}

// The lock store refuses, from a moment of a Delete of a recovery session on, to lift holds
// and take locks back (its disk full): refused before its lift stands, the Delete leaves the
// session with its hold, told once, and its Restart runs once the store takes writes again; from
// the deletion's commit on, the session and its hold are gone together, and what the Delete
// still owes the store is given back with no step of the user's.
TEST_P(GenerationHoldTest, ADeleteWhoseLiftTheLockStoreRefusesKeepsTheSessionWithItsHoldOrDeletesBoth)
{
    const struct {
        const char* moment;
        bool sessionStays;
    } moments[] = {
        {"PxVQObject::ClaimForGeneration", true},
        {"PxVQObject::CarryGenerationHold", true},
        {"PxVQObject::LiftGenerationHold", true},
        {"PxLink::CommitTransaction", false},
        {"PxVQObject::GiveBackGenerationClaim", false},
    };
    for (const auto& row : moments) {
        SCOPED_TRACE(row.moment);
        const PxVQRecoveryInfoPtr session = GenerateSystemStoppedIn(3);
        const std::int64_t hold = HoldId();
        std::optional<vqtest::RefusedLockWrites> refused;
        PxFaultInjection::Run(row.moment, [&] { refused.emplace(repository, false); });
        Choose(0, kDelete, [&] {
            if (row.sessionStays)
                ui.ExpectMessageBox(std::string("Cannot delete an object:\nCannot reach the repository's locks: ") +
                                        (GetParam() == Store::File ? "constraint failed" : "the disk is full."),
                                    IDOK);
        });
        PxFaultInjection::Reset();
        const DWORD retrying = PxTesting::GiveBackThread(*app.GetLink());
        refused.reset();
        if (retrying != 0) {
            clock.Advance(kPxLongestRetryDelayMilliseconds);
            EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "nothing is owed any more";
        }
        if (row.sessionStays) {
            LaterGenerationRestartsUnderItsHold(session, 0, hold);
            vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished");
        }
        EXPECT_FALSE(session->ObjectPresent());
        EXPECT_FALSE(NtGen()->GetPersistentLock());
    }
}

// Show Generate Status's Deletes while the lock store refuses to take locks back (a full disk:
// deletes and updates refused, or deletes only). The Delete of an interrupted session, whose hold
// cannot be lifted, shows one box, and the list still shows the session; pressed again, it tells
// the store's refusal again, never the user's own claim still owed to the store as a use of the
// session; the Delete of a session stopped Deploying, which names no hold, is made, and the list
// still shows the other. Once the store takes writes again, a Delete removes the interrupted
// session with its hold.
TEST_P(GenerationHoldTest, DeletesTheLockStoreRefusesInPartLeaveTheListAsItHoldsIt)
{
    using Refusing = vqtest::RefusedLockWrites::Refusing;
    for (const Refusing refusing : {Refusing::DeletesAndUpdates, Refusing::Deletes}) {
        SCOPED_TRACE(refusing == Refusing::Deletes ? "deletes refused" : "deletes and updates refused");
        const PxVQRecoveryInfoPtr deploying = GenerateSystemStoppedIn(kStateDeploying);
        const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
        std::optional<vqtest::RefusedLockWrites> refused;
        refused.emplace(repository, false, refusing);
        const std::string refusal = std::string("Cannot delete an object:\nCannot reach the repository's locks: ") +
                                    (GetParam() == Store::File ? "constraint failed" : "the disk is full.");
        // Her claim of the session, held still in the store, is hers again: the store refuses
        // the lift again.
        const std::vector<int> listed = ListedAfterDeletes(
            {1, 1, 0, 0},
            [&](std::size_t deletion) {
                if (deletion == 3)
                    refused.reset();
            },
            [&] {
                ui.ExpectMessageBox(refusal, IDOK);
                ui.ExpectMessageBox(refusal, IDOK);
            });

        EXPECT_EQ(listed, (std::vector<int>{2, 2, 1, 0}));
        EXPECT_FALSE(deploying->ObjectPresent());
        EXPECT_FALSE(interrupted->ObjectPresent());
        EXPECT_FALSE(NtGen()->GetPersistentLock());
    }
}

// Show Generate Status opens while another connection holds the lock store past the wait the
// store allows (on a server also its lock tables, which no statement can even read): one box says
// the repository is in use, within one busy timeout, where the list showed empty as though the
// system had no session; once the store is let go the session is listed.
TEST_P(GenerationHoldTest, ShowGenerateStatusOnABusyLockStoreSaysSoInOneBoxInsteadOfAnEmptyList)
{
    GenerateSystemStoppedIn(3);
    PxTesting::SetBusyTimeout(*app.GetLink(), kShortBusyTimeout);
    for (const StoreHold how : StoreHolds()) {
        SCOPED_TRACE(how == StoreHold::WriteLock ? "its write lock held" : "its tables held");
        TakeHoldOfTheLockStore(how);
        {
            // The other connection would let go once the dialog had waited past the quiet wait.
            const vqtest::ClockActingAt releasing(clock, kPxQuietBusyMilliseconds, [&] { LetGoOfTheLockStore(); });
            PxTesting::ResetBusyWaited();
            ui.ExpectDialog(IDD_SELECT_SESSION);
            ui.ExpectMessageBox(kLockStoreBusy, IDOK);
            VqsShowGenerateStatus(*view);
            ui.Verify();
            EXPECT_FALSE(releasing.Acted()) << "the dialog waited for the store with nothing on screen";
            EXPECT_LE(PxTesting::BusyWaited(), static_cast<std::uint64_t>(kShortBusyTimeout));
        }
        LetGoOfTheLockStore();
        EXPECT_EQ(ListedSessions(), 1);
    }
}

// Generate System, by the user or by a script, whose claim of the set meets a lock store another
// connection has just taken: the claim waits one busy timeout and the store's words are told (to
// the user in one box, to the script as its error), never a start the generation client did not
// make. Nothing is held once the store is let go.
TEST_P(GenerationHoldTest, AGenerateSystemWhoseClaimMeetsABusyLockStoreTellsTheStoresWords)
{
    PxTesting::SetBusyTimeout(*app.GetLink(), kShortBusyTimeout);
    for (const bool script : {false, true}) {
        SCOPED_TRACE(script ? "a script" : "the user");
        std::optional<vqtest::RefusedLockWrites> held;
        PxFaultInjection::Run("PxVQObject::ClaimForGeneration", [&] { held.emplace(repository, true); });
        PxTesting::ResetBusyWaited();
        if (script) {
            ScriptedGeneration scripted;
            scripted.GenerateSystem(false);
            ComErrorInfo error;
            ASSERT_TRUE(GetErrorInfo(error));
            EXPECT_EQ(error.description.str(), kLockStoreBusy);
        } else {
            GenerateSystem([&] {
                ui.ExpectMessageBox(std::string("Cannot proceed with generation:\n") + kLockStoreBusy, IDOK);
            });
        }
        // The claim, and the lift of the hold placed for the start, owed once refused.
        EXPECT_LE(PxTesting::BusyWaited(), static_cast<std::uint64_t>(2 * kShortBusyTimeout + 5 * kPxBriefBusyMilliseconds));
        PxFaultInjection::Reset();
        held.reset();
        EXPECT_TRUE(vqclient::Requests().empty());
        EXPECT_FALSE(NtGen()->GetPersistentLock());
        EXPECT_EQ(NtGen()->GetGenerationClaim(), PxVQObject::GenerationClaim::None);
    }
}

// A Delete in Show Generate Status while another connection holds the lock store: one box says
// the repository is in use and the session stays listed, never a Delete refused as though the
// session were in use with nothing said; once the store is let go its Delete is made.
TEST_P(GenerationHoldTest, ADeleteOnABusyLockStoreSaysSoInOneBoxAndLeavesTheSessionListed)
{
    const PxVQRecoveryInfoPtr session = GenerateSystemStoppedIn(3);
    PxTesting::SetBusyTimeout(*app.GetLink(), kShortBusyTimeout);
    std::optional<vqtest::RefusedLockWrites> held;
    const std::vector<int> listed = ListedAfterDeletes(
        {0, 0},
        [&](std::size_t deletion) {
            if (deletion == 0)
                held.emplace(repository, true);
            else
                held.reset();
        },
        [&] { ui.ExpectMessageBox(kLockStoreBusy, IDOK); });

    EXPECT_EQ(listed, (std::vector<int>{1, 0}));
    EXPECT_FALSE(session->ObjectPresent());
    EXPECT_FALSE(NtGen()->GetPersistentLock());
}

// A Restart whose claim of its session fails (the lock store's failure: busy through its wait, say)
// does not start, with one box telling that failure, and gives back its claim of the generate set:
// the session's next Restart runs under its hold.
TEST_P(GenerationHoldTest, ARestartWhoseSessionsClaimFailsGivesTheSetsClaimBack)
{
    const PxVQRecoveryInfoPtr session = GenerateSystemStoppedIn(3);
    const std::int64_t hold = HoldId();
    PxFaultInjection::Throw("PxVQObject::ClaimForGeneration", "Injected repository failure", 1);
    Choose(0, kRestart, [&] { ui.ExpectMessageBox("Cannot proceed with generation:\nInjected repository failure", IDOK); });
    PxFaultInjection::Reset();
    LaterGenerationRestartsUnderItsHold(session, 0, hold);
}

// Two generations of one user on one set: a second hold beside the hold of the user's
// interrupted generation is refused with the box that names the step refused and the
// interrupted session, which is to be restarted (or deleted) first; the set keeps one hold, the
// interrupted generation's.
TEST_P(GenerationHoldTest, ASecondHoldOfTheUserOnTheSetIsRefusedNamingTheStepAndTheInterruptedSession)
{
    const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
    const std::int64_t hold = HoldId();
    ui.ExpectDialog(IDD_GENERATE_REPORTS).OK();
    ui.ExpectMessageBox("Cannot generate the Reports:\nThe generation of NTGEN that ABC started " +
                            VqsSessionStartTime(interrupted).str() +
                            " did not finish and holds the Option Set.\nRestart it, or delete it, in Show "
                            "Generate Status first.",
                        IDOK);
    const std::size_t before = vqclient::Requests().size();
    VqsGenerateReports(*view);
    ui.Verify();

    EXPECT_EQ(vqclient::Requests().size(), before);
    LaterGenerationRestartsUnderItsHold(interrupted, 0, hold);
}

// Another user deletes the session while its Restart waits between the restart's claims: the
// Restart says that the session is gone, and no generation runs without it.
TEST_P(GenerationHoldTest, ARestartWhoseSessionAnotherUserDeletedSaysSo)
{
    const struct {
        const char* what;
        const char* at;
        int skip;
    } cases[] = {
        {"deleted before the synchronisation's segment lock", "PxLSEEnterprise::GetLockedObject", 0},
        {"deleted between the claims of the set and of the session", "PxVQObject::ClaimForGeneration", 1},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
        PxFaultInjection::Run(row.at, [&] { DeleteAsAnotherUser(interrupted); }, row.skip);
        const std::size_t before = vqclient::Requests().size();
        Choose(0, kRestart, [&] { ui.ExpectMessageBoxId(61682, IDOK); });
        PxFaultInjection::Reset();

        EXPECT_EQ(vqclient::Requests().size(), before) << "the restart ran on without its session";
        EXPECT_FALSE(NtGen()->GetPersistentLock()) << "the hold went with its session";
        EXPECT_EQ(NtGen()->GetGenerationClaim(), PxVQObject::GenerationClaim::None);
    }
}

// A declined restart's fresh generation takes the interrupted generation's hold over, and its
// host dies, or its lock connection ends, as the start claims the interrupted session, as the
// generation claims the set, or (killed) while it runs: the interrupted session still names the
// hold, and its Restart runs under it.
TEST_P(GenerationHoldTest, AFreshGenerationStoppedBeforeItsOwnRecordLeavesTheHoldToTheInterruptedSession)
{
    enum class Stop { Killed, Cut };
    const struct {
        const char* what;
        Stop stop;
        int claimsBefore; // -1: once the generation runs
    } cases[] = {
        {"killed as the start claims the interrupted session", Stop::Killed, 0},
        {"killed as the generation claims the set", Stop::Killed, 1},
        {"killed while the generation runs", Stop::Killed, -1},
        {"the lock connection ends as the start claims the interrupted session", Stop::Cut, 0},
        {"the lock connection ends as the generation claims the set", Stop::Cut, 1},
    };
    for (const auto& row : cases) {
        if (row.stop == Stop::Cut && GetParam() != Store::Server)
            continue;
        SCOPED_TRACE(row.what);
        GenerateSystemStoppedIn(3);
        const std::int64_t hold = HoldId();
        if (row.stop == Stop::Killed) {
            OnAHostThatDies([this] { GenerateSystem(); },
                            row.claimsBefore < 0 ? nullptr : "PxVQObject::ClaimForGeneration", row.claimsBefore);
        } else {
            PxFaultInjection::Run("PxVQObject::ClaimForGeneration", [this] { EndLockConnections(repository); },
                                  row.claimsBefore);
            ui.ExpectMessageBoxId(61919, IDNO);
            ui.ExpectDialog(IDD_GENERATE).OK();
            ui.ExpectMessageBox("Cannot proceed with generation:\nCannot reach the repository's locks: the connection "
                                "to the server of " + repository + " was lost.\nThe session cannot work without "
                                "its connection: close the session and open it again.",
                                IDOK);
            VqsGenerateSystem(*view);
            ui.Verify();
            PxFaultInjection::Reset();
            VqsEndOfAction();
            ReopenSession();
        }

        LaterGenerationRestartsUnderItsHold(Oldest(), 0, hold);
        vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished");
        while (System("SYS1")->CountOfRecoveryInfos() > 0)
            Choose(0, kDelete);
    }
}

// A declined restart's fresh generation takes the interrupted generation's hold over and is
// cancelled: its synchronisation after the start fails (the store refuses its write, or its
// data connection ends), or the user's session closes while it runs. It gives the hold back to
// the interrupted session, which still names it: its Restart runs under it.
TEST_P(GenerationHoldTest, AFreshGenerationCancelledAfterItsStartGivesTheTakenHoldBackToTheInterruptedSession)
{
    enum class Cancel { WriteRefused, DataConnectionEnded, SessionClosed };
    const struct {
        const char* what;
        Cancel cancel;
    } cases[] = {
        {"a write of the synchronisation refused", Cancel::WriteRefused},
        {"the data connection ends before the synchronisation", Cancel::DataConnectionEnded},
        {"the session closes while the generation runs", Cancel::SessionClosed},
    };
    for (const auto& row : cases) {
        if (row.cancel == Cancel::DataConnectionEnded && GetParam() != Store::Server)
            continue;
        SCOPED_TRACE(row.what);
        GenerateSystemStoppedIn(3);
        const std::int64_t hold = HoldId();
        ui.ExpectMessageBoxId(61919, IDNO);
        ui.ExpectDialog(IDD_GENERATE).OK();
        // Armed as the generation claims the set: what fails comes after its start.
        if (row.cancel == Cancel::WriteRefused) {
            PxFaultInjection::Run("PxVQObject::ClaimForGeneration",
                                  [] { PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full."); }, 1);
            ui.ExpectMessageBox("Cannot commit the transaction:\nThe disk is full.", IDOK);
        } else if (row.cancel == Cancel::DataConnectionEnded) {
            PxFaultInjection::Run("PxVQObject::ClaimForGeneration", [this] { EndDataConnections(repository); }, 1);
            ui.ExpectMessageBox("Cannot access the Current Configuration:\nCannot read the repository: the connection "
                                "to the server of " + repository + " was lost.\nThe session cannot work without "
                                "its connection: close the session and open it again.",
                                IDOK);
        }
        VqsGenerateSystem(*view);
        ui.Verify();
        PxFaultInjection::Reset();
        EXPECT_EQ(vqclient::RunningGenerations(), row.cancel == Cancel::SessionClosed ? 1 : 0);

        ReopenSession();
        EXPECT_EQ(vqclient::RunningGenerations(), 0) << "the generation was not cancelled";
        LaterGenerationRestartsUnderItsHold(Oldest(), 0, hold);
        vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished");
        while (System("SYS1")->CountOfRecoveryInfos() > 0)
            Choose(0, kDelete);
    }
}

// A declined restart's fresh generation took the interrupted generation's hold over and has
// ended since: finished, or interrupted and then restarted to its finish. Nothing is left to
// restart of the interrupted session: Generate System offers no restart, the session's Restart
// says what happened and that Delete removes it, and its Delete does.
TEST_P(GenerationHoldTest, ASessionWhoseHoldAnEndedLaterGenerationTookOverIsNotOfferedAndItsRestartSaysWhy)
{
    const struct {
        const char* what;
        bool restarted;
    } cases[] = {
        {"the later generation finished", false},
        {"the later generation was interrupted, and its restart finished", true},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
        const unsigned long later = GenerateSystem();
        if (row.restarted) {
            ASSERT_TRUE(vqclient::Interrupt(later, 3));
            Choose(1, kRestart);
        }
        EXPECT_EQ(vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished"),
                  vqclient::Played::Posted);
        ASSERT_EQ(System("SYS1")->CountOfRecoveryInfos(), 1);

        const std::size_t before = vqclient::Requests().size();
        ui.ExpectDialog(IDD_GENERATE).Cancel();
        VqsGenerateSystem(*view);
        ui.Verify();
        Choose(0, kRestart, [&] { ui.ExpectMessageBoxId(61978, IDOK); });
        EXPECT_EQ(vqclient::Requests().size(), before);
        Choose(0, kDelete);
        EXPECT_FALSE(interrupted->ObjectPresent());
        EXPECT_FALSE(NtGen()->GetPersistentLock());
    }
}

namespace {

// How the lock store refuses a generation's lift at its end, and whether her host lives to make it.
struct RefusedLift {
    const char* what;
    bool held;
    bool hostDies;
};
constexpr RefusedLift kRefusedLifts[] = {
    {"its disk full", false, false},
    {"the lock store held", true, false},
    {"her host dies owing the lift", false, true},
};

} // namespace

// A declined restart's fresh generation took the interrupted generation's hold over and finishes
// while the lock store refuses its lift. Once the store takes writes, or should her host die
// owing the lift, the interrupted session is offered for a restart to no user, hers or another's,
// and its Restart says that the generation that took its hold over has ended; its Delete removes
// it with whatever hold is left.
TEST_P(GenerationHoldTest, ASessionWhoseHoldAGenerationEndedWithItsLiftRefusedTookOverIsOfferedToNoOne)
{
    for (const RefusedLift& row : kRefusedLifts) {
        SCOPED_TRACE(row.what);
        const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
        FinishWhileTheLockStoreRefusesTheLift([this] { return GenerateSystem(); }, row.held, row.hostDies);

        ByHerAndAnotherUser([&] {
            GenerateSystemOffersNoRestart();
            Choose(0, kRestart, [&] { ui.ExpectMessageBoxId(61978, IDOK); });
        });
        Choose(0, kDelete);
        EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
        EXPECT_FALSE(NtGen()->GetPersistentLock());
    }
}

// A Restart finishes while the lock store refuses its lift. Once the store takes writes, or
// should her host die owing the lift, Show Generate Status lists the session to no user and
// deletes it, with whatever hold is left, and no Generate System offers a restart.
TEST_P(GenerationHoldTest, ARestartThatFinishedWithItsLiftRefusedIsNeitherListedNorOffered)
{
    for (const RefusedLift& row : kRefusedLifts) {
        SCOPED_TRACE(row.what);
        GenerateSystemStoppedIn(3);
        FinishWhileTheLockStoreRefusesTheLift(
            [this] {
                Choose(0, kRestart);
                return vqclient::LastGenerateNumber();
            },
            row.held, row.hostDies);

        ByHerAndAnotherUser([&] {
            EXPECT_EQ(ListedSessions(), 0);
            GenerateSystemOffersNoRestart();
        });
        EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
        EXPECT_FALSE(NtGen()->GetPersistentLock());
    }
}

// The build before this one left the record of a Restart that finished while the lock store
// refused its lift as the restart had found it: interrupted (Logging On), naming the hold its
// host lifted once the store took writes. Nothing can go on with it: no Generate System offers
// it, and Show Generate Status lists it to no user and deletes it.
TEST_P(GenerationHoldTest, AnEarlierBuildsRecordOfARestartThatFinishedOwingItsLiftIsNeitherListedNorOffered)
{
    const PxVQRecoveryInfoPtr session = GenerateSystemStoppedIn(1);
    FinishWhileTheLockStoreRefusesTheLift(
        [this] {
            Choose(0, kRestart);
            return vqclient::LastGenerateNumber();
        },
        false, false);
    app.GetLink()->BeginTransaction();
    session->SetHoldGone(0);
    app.GetLink()->CommitTransaction();
    ASSERT_FALSE(NtGen()->GetPersistentLock());

    ByHerAndAnotherUser([&] {
        GenerateSystemOffersNoRestart();
        EXPECT_EQ(ListedSessions(), 0);
    });
    EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
}

// A declined restart's fresh generation took the interrupted generation's hold over and was
// interrupted, and its own session's Restart finishes while the lock store refuses its lift. While
// the lift is owed, the first session's Restart says that the generation that took its hold over
// has ended, not that a later one is to be restarted: that later session is listed no more.
TEST_P(GenerationHoldTest, ARestartOfASessionHandedOverToAnotherWhoseRestartEndedOwingItsLiftSaysItEnded)
{
    GenerateSystemStoppedIn(3);
    ASSERT_TRUE(vqclient::Interrupt(GenerateSystem(), 3));
    Choose(1, kRestart);
    {
        const vqtest::RefusedLockWrites refused(repository, false);
        vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished");

        Choose(0, kRestart, [&] { ui.ExpectMessageBoxId(61978, IDOK); });
    }
    OwedReleasesMade();
    Choose(0, kDelete);
    EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
    EXPECT_FALSE(NtGen()->GetPersistentLock());
}

// Another user deletes the interrupted session while the user's declined restart's fresh
// generation takes its hold over: before the start claims the session, the Delete takes the
// session with its hold and the start stops with one box; after, the Delete is refused and the
// generation runs under the hold, which the session names until that generation ends. No fresh
// generation runs without a hold.
TEST_P(GenerationHoldTest, AnotherUsersDeleteOfTheInterruptedSessionAndTheHandOverOfItsHoldExcludeEachOther)
{
    CloseFrame();
    app.CloseSession();
    // XYZ's process deletes the first session at each of its steps: with its hold, then refused
    // while the session is claimed for the hand-over.
    vqtest::ChildProcess other(std::vector<std::function<void()>>{
        [this] {
            if (!app.OpenSession(repository.c_str(), "XYZ", nullptr))
                throw std::runtime_error("no session");
        },
        [this] {
            if (!VqsDeleteRecoverySession(Oldest()))
                throw std::runtime_error("not deleted");
        },
        [this] {
            ui.ExpectMessageBox(
                "The generation of NTGEN that did not finish is in use by ABC.\nPlease try again after some time.", IDOK);
            if (VqsDeleteRecoverySession(Oldest()))
                throw std::runtime_error("deleted");
        }});
    ASSERT_TRUE(other.WaitReady());
    OpenSessionAsTheHostDoes();
    const struct {
        const char* what;
        int claimsBefore;
        bool deleted;
    } cases[] = {
        {"the Delete comes before the start claims the session", 0, true},
        {"the Delete comes between the start's claims of the session and of the set", 1, false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
        const std::int64_t hold = HoldId();
        bool deleting = false;
        PxFaultInjection::Run("PxVQObject::ClaimForGeneration", [&] { deleting = other.RunNextStep(); },
                              row.claimsBefore);
        const std::size_t before = vqclient::Requests().size();
        ui.ExpectMessageBoxId(61919, IDNO);
        ui.ExpectDialog(IDD_GENERATE).OK();
        if (row.deleted)
            ui.ExpectMessageBoxId(61946, IDOK);
        VqsGenerateSystem(*view);
        ui.Verify();
        PxFaultInjection::Reset();

        EXPECT_TRUE(deleting) << "the other user's Delete did not run, or did not come to what it should";
        EXPECT_EQ(interrupted->ObjectPresent(), !row.deleted);
        if (row.deleted) {
            EXPECT_EQ(vqclient::Requests().size(), before) << "the fresh generation started";
            EXPECT_EQ(HoldId(), 0) << "the hold stayed without its session";
        } else {
            ASSERT_EQ(vqclient::Requests().size(), before + 1) << "the fresh generation did not start";
            EXPECT_EQ(HoldId(), hold) << "the fresh generation runs without the hold";
            EXPECT_EQ(interrupted->GetHoldId(), hold);
            vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished");
            Choose(0, kDelete);
        }
    }
}

namespace {

// Another user's Delete of the user's interrupted session, step by step as it goes: it claims
// the session, carries its hold, deletes it and commits, then lifts the hold.
struct OtherUsersSessionDelete {
    PxVQLink other;
    PxVQRecoveryInfoPtr session;
    PxVQOptionSetPtr genSet;

    OtherUsersSessionDelete(const std::string& repository, const PxVQRecoveryInfoPtr& interrupted)
    {
        other.AttachSession(repository.c_str(), "XYZ", nullptr);
        session = other.GetLVQEnterprise()->GetSystem("SYS1")->GetRecoveryInfo(interrupted->GetHandle());
        genSet = session->GetGenSet();
    }
    void HoldSession(std::int64_t hold) const
    {
        ASSERT_TRUE(session->ClaimForGeneration());
        ASSERT_TRUE(genSet->CarryGenerationHold(hold));
    }
    void DeleteSession()
    {
        other.BeginTransaction();
        session->DeleteObject();
        other.CommitTransaction();
    }
    void LiftHold() const
    {
        genSet->LiftGenerationHold();
        session->ReleaseGenerationClaim();
    }
};

} // namespace

// While another user's Delete holds her interrupted session, no generation of that user runs:
// her Generate System says the session is in use by that user, and the hold stays with it.
TEST_P(GenerationHoldTest, AGenerateSystemWhileAnotherUsersDeleteHoldsTheSessionSaysItIsInUseByThatUser)
{
    const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
    const std::int64_t hold = HoldId();
    OtherUsersSessionDelete deleting(repository, interrupted);
    deleting.HoldSession(hold);
    const std::size_t before = vqclient::Requests().size();
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox(
        "The generation of NTGEN that did not finish is in use by XYZ.\nPlease try again after some time.", IDOK);

    VqsGenerateSystem(*view);

    ui.Verify();
    EXPECT_EQ(vqclient::Requests().size(), before);
    EXPECT_EQ(HoldId(), hold);
    deleting.DeleteSession();
    deleting.LiftHold();
}

// The other user's Delete of the session whose hold her declined restart's fresh generation
// takes over has deleted the session and ended, its lift of the hold refused and owed, as the
// start claims the session: the hold goes with the session, and she is told so, not that the
// generation client did not start.
TEST_P(GenerationHoldTest, AFreshStartWhoseTakenOverSessionAnotherUsersDeleteTookSaysTheHoldWentWithIt)
{
    const PxVQRecoveryInfoPtr interrupted = GenerateSystemStoppedIn(3);
    const std::int64_t hold = HoldId();
    OtherUsersSessionDelete deleting(repository, interrupted);
    PxFaultInjection::Run("PxVQObject::ClaimForGeneration", [&] {
        deleting.HoldSession(hold);
        deleting.DeleteSession();
        deleting.session->ReleaseGenerationClaim();
    });
    const std::size_t before = vqclient::Requests().size();
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBoxId(61946, IDOK);

    VqsGenerateSystem(*view);

    ui.Verify();
    EXPECT_EQ(vqclient::Requests().size(), before) << "the fresh generation started";
    deleting.LiftHold();
    EXPECT_EQ(HoldId(), 0);
}

// Generate System, by the user or by a script, while the lock store refuses to end lock rows (its
// disk full for deletes): every lock is granted and every give-back owed, and the generation runs
// and ends with no box; with the set locked by another user, the start is refused with that
// refusal's box. Refusing the updates of lock rows too, or every write from the generation's start
// on (its synchronisation's first lock), the synchronisation's lock is refused with one box and the
// generation is cancelled, with no hold placed. Nothing is held once the store takes writes again.
TEST_P(GenerationHoldTest, AGenerateSystemWhoseReleasesTheLockStoreRefusesRunsOrStopsWithOneBox)
{
    using Refusing = vqtest::RefusedLockWrites::Refusing;
    PxTesting::SetBusyTimeout(*app.GetLink(), 50);
    const std::string lockRefused =
        std::string("Cannot lock one of the objects:\nCannot reach the repository's locks: ") +
        (GetParam() == Store::File ? "constraint failed" : "the disk is full.");
    const std::string setLocked = ResourceText(IDS_OPTION_SET_LOCKED).GetString();
    const struct {
        const char* what;
        Refusing refusing;
        bool fromTheStart; // else from the synchronisation's first lock on
        bool setLockedByOther;
        bool script;
        const std::string* box; // the one box the user sees; the generation runs without one
    } rows[] = {
        {"deletes refused", Refusing::Deletes, true, false, false, nullptr},
        {"deletes refused, a script", Refusing::Deletes, true, false, true, nullptr},
        {"deletes refused, the set locked", Refusing::Deletes, true, true, false, &setLocked},
        {"updates refused too", Refusing::DeletesAndUpdates, true, false, false, &lockRefused},
        {"updates refused too, a script", Refusing::DeletesAndUpdates, true, false, true, &lockRefused},
        {"disk full at the synchronisation", Refusing::EveryWrite, false, false, false, &lockRefused},
        {"disk full at the synchronisation, a script", Refusing::EveryWrite, false, false, true, &lockRefused},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        PxVQLink other;
        other.AttachSession(repository.c_str(), "XYZ", nullptr);
        const PxVQOptionSetPtr lockedByOther =
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
        if (row.setLockedByOther) {
            ASSERT_TRUE(lockedByOther->PersistentLock(1));
        }
        std::optional<vqtest::RefusedLockWrites> refused;
        const auto refuse = [&] { refused.emplace(repository, false, row.refusing); };
        if (row.fromTheStart)
            refuse();
        else
            PxFaultInjection::Run("PxVQObject::ClaimForGeneration",
                                  [&] { PxFaultInjection::Run("PxVQObject::FutureUpdateLock", refuse); });
        const auto told = [&] {
            if (row.box)
                ui.ExpectMessageBox(*row.box, IDOK);
        };
        const std::size_t before = vqclient::Requests().size();
        ScriptedGeneration script;
        if (row.script)
            told();
        const unsigned long number = row.script ? script.GenerateSystem(!row.box) : GenerateSystem(told);
        ui.Verify();
        PxFaultInjection::Reset();
        const bool runs = vqclient::Requests().size() > before &&
                          vqclient::PlayProgress(number, 3, "Generation finished") != vqclient::Played::NoGeneration;
        EXPECT_EQ(runs, !row.box);
        const DWORD retrying = PxTesting::GiveBackThread(*app.GetLink());
        refused.reset();
        if (retrying != 0) {
            clock.Advance(kPxLongestRetryDelayMilliseconds);
            EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "nothing is owed any more";
        }
        if (row.setLockedByOther)
            lockedByOther->RemovePersistentLock(1, 1);
        AnotherUserTakesEveryObjectOfTheGeneration();
    }
}

// Rounds of two generations of hers, the first ended every way (interrupted in each state,
// finished, cancelled) and the second started and ended while the lock store refuses deletes (a
// full disk): once the store takes writes again, a hold that stands is one a listed session
// carries, and deleting what is listed leaves the set free.
TEST_P(GenerationHoldTest, RoundsOfGenerationsEndedEveryWayWhileTheStoreRefusesDeletesLeaveNoHoldUnlisted)
{
    PxTesting::SetBusyTimeout(*app.GetLink(), 50);
    constexpr int kFinish = 0;
    for (int first = kFinish; first <= 10; ++first) {
        for (int second = kFinish; second <= 10; second += 4) {
            SCOPED_TRACE("first ended " + std::to_string(first) + ", second " + std::to_string(second));
            const unsigned long number = GenerateSystem();
            ASSERT_NE(number, 0u);
            std::optional<vqtest::RefusedLockWrites> refused(std::in_place, repository, false,
                                                             vqtest::RefusedLockWrites::Refusing::Deletes);
            if (first == kFinish)
                vqclient::PlayProgress(number, 3, "Generation finished");
            else
                vqclient::Interrupt(number, first);
            ScriptedGeneration script;
            const unsigned long next = script.GenerateSystemIfItStarts();
            if (next == 0)
                ;
            else if (second == kFinish)
                vqclient::PlayProgress(next, 3, "Generation finished");
            else
                vqclient::Interrupt(next, second);
            ui.Verify();
            refused.reset();
            if (PxTesting::GiveBackThread(*app.GetLink()) != 0)
                OwedReleasesMade();
            if (HoldId() != 0) {
                PxTypedList<PxVQRecoveryInfoPtr> sessions;
                System("SYS1")->GetListOfRecoveryInfos(sessions);
                bool carried = false;
                const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
                for (POSITION pos = list.GetHeadPosition(); pos;)
                    carried = VqsGenerationLockOfSession(list.GetNext(pos)) || carried;
                EXPECT_TRUE(carried) << "a hold no session carries";
            }
            for (int deletes = 0; deletes < 3 && ListedSessions() > 0; ++deletes)
                Choose(0, kDelete);
            EXPECT_FALSE(NtGen()->GetPersistentLock()) << "a hold no session lists";
        }
    }
}

// Another process holds the lock store for longer than a whole generation: no event of it keeps
// the host waiting on the store past about one busy timeout (its claim is asked once, briefly;
// what the store refuses to take back is owed), it ends as asked with no box, and once the store
// is let go nothing of it is held.
TEST_P(GenerationHoldTest, AGenerationRunsAndEndsWhileAnotherProcessHoldsTheLockStoreWithoutHoldingUpItsHost)
{
    GenerationRunsAndEndsWhileTheStoreIsHeld(StoreHold::WriteLock);
}

// A server answers a claim's check outside its lock tables' transactions, held or not: only a
// lock file keeps it waiting.
struct GenerationHoldOnALockFileTest : GenerationHoldTest {};

// The store says that the generation's claim is gone (given back behind its back) between events
// that find the lock file held by another process: those take nothing away, and the first event
// the store answers stops the generation with one box.
TEST_P(GenerationHoldOnALockFileTest, AClaimTheStoreSaysIsGoneStopsTheGenerationAmongEventsThatFindTheStoreHeld)
{
    const std::unique_ptr<vqtest::ChildProcess> other = ProcessHoldingTheLockStore(2);
    const unsigned long number = GenerateSystemThenHoldTheStore(*other);
    PlayWhileTheStoreIsHeld(number, 1, vqclient::Played::Posted);
    ASSERT_TRUE(other->RunNextStep());
    ASSERT_TRUE(NtGen()->ReleaseGenerationClaim());
    ASSERT_TRUE(other->RunNextStep());
    EXPECT_GT(PlayWhileTheStoreIsHeld(number, 1, vqclient::Played::Posted), 0u) << "the store was not held";
    ASSERT_TRUE(other->RunNextStep());

    ui.ExpectMessageBox("Generation " + std::to_string(number) +
                            " of the Generate Set \"NTGEN\" stopped before it finished: the claim on the generate"
                            " set was lost: its claim on the generate set went with its repository session.\nIts"
                            " session no longer holds the Generate Set, so it goes no further beside another"
                            " generation of the set.\nIt left no recovery session, and the Generate Set's"
                            " persistent lock goes with it: generate again.",
                        IDOK, "Anvilor Client");
    EXPECT_EQ(vqclient::PlayProgress(number, 1, "Generating"), vqclient::Played::NoGeneration);
    ui.Verify();
    other->Finish();
}

// Generate Bundle while another process holds the lock file, with a bundle session of the user's
// to offer: one box says the repository is in use, never a bundle generation begun as though there
// were no session to restart; once the file is let go the restart is offered.
TEST_P(GenerationHoldOnALockFileTest, AGenerateBundleOnABusyLockFileSaysSoInsteadOfOfferingNoRestart)
{
    app.GetLink()->BeginTransaction();
    const PxVQRecoveryInfoPtr bundle = System("SYS1")->CreateRecoveryInfo(NtGen());
    bundle->setGenerateType(PxVQRecoveryInfo::kBundleGenerate);
    bundle->SetCurrentState(kStateDeploying);
    bundle->SetUserId("ABC");
    app.GetLink()->CommitTransaction();
    Expand("Sample system 1");
    Select({"SALES business segment"});
    PxTesting::SetBusyTimeout(*app.GetLink(), 50);
    {
        const vqtest::RefusedLockWrites held(repository, true);
        ui.ExpectMessageBox(std::string("Cannot proceed with generation:\n") + kLockStoreBusy, IDOK);
        VqsGenerateBundle(*view);
        ui.Verify();
    }
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_PICKER).Cancel();
    VqsGenerateBundle(*view);
    ui.Verify();
}

// Another transaction holds the server's lock tables in ACCESS EXCLUSIVE mode for longer than a
// whole generation: as on a held lock file, each event keeps the host waiting one brief try of its
// claim at most, a busy store is no loss, and the end waits one busy timeout for its lift, which is
// owed; once the tables are let go nothing of the generation is held.
TEST_P(GenerationOnAServerTest, AGenerationRunsAndEndsWhileAnotherTransactionHoldsTheLockTablesExclusively)
{
    GenerationRunsAndEndsWhileTheStoreIsHeld(StoreHold::TablesExclusive);
}

// The server restarts while the user's generation runs. The first step that meets the lost
// connection (a view's refresh the start asked for) tells it in one box, with the generation that
// went with it, which ends there: its next progress finds nothing more to tell.
TEST_P(GenerationOnAServerTest, AServerRestartWhileAGenerationRunsIsToldInOneBoxWithTheGenerationItEnded)
{
    const unsigned long number = GenerateSystem();
    VqsEndOfAction();
    vqtest::PgTestServer::Instance().Restart();
    const std::string lost = "the connection to the server of " + repository + " was lost.";
    ui.ExpectMessageBox("Cannot read the repository: " + lost + "\n\nGeneration 1 of the Generate Set \"NTGEN\" stopped "
                        "before it finished: the claim on the generate set was lost: Cannot reach the repository's "
                        "locks: " + lost + "\nIts session no longer holds the Generate Set, so it goes no further beside "
                        "another generation of the set.\nIt left no recovery session, and the Generate Set's persistent "
                        "lock goes with it: generate again.\nThe session cannot work without its connection: close the "
                        "session and open it again.",
                        IDOK);
    vqwin::PumpPending();
    EXPECT_EQ(vqclient::PlayProgress(number, 0, "working"), vqclient::Played::NoGeneration);
    ui.Verify();
}

INSTANTIATE_TEST_SUITE_P(Stores, GenerationHoldTest, ::testing::Values(Store::File, Store::Server), CaseName);
INSTANTIATE_TEST_SUITE_P(Stores, GenerationHoldOnALockFileTest, ::testing::Values(Store::File), CaseName);
INSTANTIATE_TEST_SUITE_P(Stores, GenerationOnAServerTest, ::testing::Values(Store::Server), CaseName);
INSTANTIATE_TEST_SUITE_P(Stores, GenerationHoldOnATeamRepositoryTest, ::testing::Values(Store::Server), CaseName);
INSTANTIATE_TEST_SUITE_P(Stores, GenerationHoldInASessionOpenedBeforeTheUpgradeTest, ::testing::Values(Store::Server),
                         CaseName);
