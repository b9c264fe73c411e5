// Two and three stand-in hosts on one repository, a file or a database of the suite's
// PostgreSQL server: a generation ends once, whatever ends it. Its host closes its session
// (asked first), dies, loses its lock connection or the server, or cannot write the recovery
// record of its interruption; each case ends with the generate set free or shown as
// interrupted and restartable, never with a second generation of the set beside a running one,
// and every refusal says why. What a generation uses stays with it until it ends: its set and
// system are not deleted under it nor its set locked by another user, and Show Lock Status
// names it (whatever became of its hold), an install keeps its recovery session, and a hold
// whose generation died no longer refuses. A restart waiting to take its set under the
// interrupted generation's hold leaves that hold where it was when its host dies or its lock
// connection goes, and a Delete of its session meanwhile takes the hold along.
#include "support/PgTestServer.h"
#include "support/RunningHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using Host = vqtest::RunningHost;

// The user's steps, as the host scripts write them.
const std::string kOpen = "register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n"
                          "select-row 59648 1\nidle\n";
const std::string kClose = "close-view\nclose-session\n";
const std::string kGenerateSystem = "expect-dialog 160\nclick 1\ncommand-id 32792\nidle\n";
const std::string kGenerateSystemWithReports =
    "expect-dialog 160\ncheck 1789 1\nclick 1\nexpect-dialog 222\nclick 1\ncommand-id 32792\nidle\n";
const std::string kGenerateReports = "expect-dialog 222\nclick 1\ncommand-id 32808\nidle\n";
const std::string kDeclineRestart = "expect-message 61919\nanswer IDNO\n";
const std::string kRestartFirstSession = "expect-dialog 294\nselect 32853 0\nclick 33025\ncommand-id 32859\nidle\n";
// The same, refused with 61874 before any question or dialog as a generation of the set runs.
const std::string kGenerateSystemRefused = "expect-message 61874\ncommand-id 32792\nidle\n";
const std::string kGenerateReportsRefused = "expect-message 61874\ncommand-id 32808\nidle\n";
// Show Generate Status while a restart runs: its session is not offered.
const std::string kRestartNotOffered = "expect-dialog 294\ndump\nclick 2\ncommand-id 32859\nidle\n";
constexpr char kNoSessionListed[] = "dump:   32853 SysListView32 \"\" 0 items";
const std::string kRunning = "client-progress 0 \"working\"\n";
// Generate System through the automation object, as a script starts it.
const std::string kAutomationGenerateSystem = "automation-create\n"
                                              "automation SetProperty SYS1.NTGEN.LoginDetails.FTPUsername vq\n"
                                              "automation SetProperty SYS1.NTGEN.LoginDetails.FTPPassword secret\n"
                                              "automation SetProperty SYS1.NTGEN.InitSystemPath.SystemPath /vq/sys1\n"
                                              "automation SetProperty SYS1.NTGEN.Generate.EnvironmentName TEST\n"
                                              "automation SetProperty SYS1.NTGEN.Generate.DatabaseName SALESDB\n"
                                              "automation GenerateSystem SYS1.NTGEN\n";
const std::string kFinish = "client-progress 3 \"Generation finished\"\n";

constexpr char kQuestion62142[] = "msgbox: [Wrenfield Message] Wrenfield cannot be shut down while there is a Generate in progress.";
constexpr char kLocked61874[] = "Cannot generate the System:\\nOption Set is locked by another user.";
constexpr char kNotLocked61875[] = "Option Set is not locked.";
constexpr char kClientBox[] = "msgbox: [Anvilor Client] Generation ";

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The host ended with 0; else what it printed, without the view updates.
::testing::AssertionResult EndedCleanly(Host& host)
{
    if (host.Finish() == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << Host::WithoutUpdates(host.Printed());
}

int Count(const std::string& text, const std::string& part)
{
    int count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

class HostGenerationEndsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
            GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    }

    // A new sample repository: a file in the folder, or a database of the suite's server.
    void MakeSample(bool onServer)
    {
        m_repository = onServer ? vqtest::PgTestServer::Instance().NewDatabase() : m_folder.File("sample.vqr");
        const std::string command = "'" + std::string(std::getenv("VQSREPO")) + "' sample '" + m_repository + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    // The shared generation log: the repository's, beside a file or named after the database.
    std::string Log() const
    {
        return m_folder.Read(m_repository.rfind("postgresql:", 0) != 0 ? "sample.vqr.genlog" : Database() + ".genlog");
    }

    std::string Database() const
    {
        const std::size_t start = m_repository.find(":///") + 4;
        return m_repository.substr(start, m_repository.find('?') - start);
    }

    // The server ends the user's lock connection: its session-level advisory lock, which the
    // session's claim and locks live by, is gone.
    void CutLockConnection(const std::string& user) const
    {
        vqtest::PgTestServer::Instance().Run(
            Database(), "SELECT pg_terminate_backend(k.pid, 10000) FROM pg_locks k JOIN vq_repository.px_session s"
                        " ON k.classid::bigint = s.id >> 32 AND k.objid::bigint = s.id & 4294967295"
                        " WHERE k.locktype = 'advisory' AND k.objsubid = 1 AND k.granted AND k.database ="
                        " (SELECT oid FROM pg_database WHERE datname = current_database()) AND s.user_code = '" +
                            user + "'");
    }

    // From now on the server meets each write of the table's rows that `when` selects with the
    // trigger's action, until Disarm.
    void AtWrite(const std::string& table, const std::string& when, const std::string& action) const
    {
        vqtest::PgTestServer::Instance().Run(
            Database(), "CREATE FUNCTION vq_repository.fault() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN " + action +
                            " RETURN NEW; END $$; CREATE TRIGGER fault BEFORE INSERT OR UPDATE ON vq_repository." +
                            table + " FOR EACH ROW WHEN (" + when + ") EXECUTE FUNCTION vq_repository.fault();");
    }
    void Disarm() const
    {
        vqtest::PgTestServer::Instance().Run(Database(), "DROP FUNCTION vq_repository.fault() CASCADE;");
    }

    std::unique_ptr<Host> Open(const std::string& user)
    {
        auto host = std::make_unique<Host>(m_folder.Path(), m_repository, user);
        host->Run(kOpen);
        return host;
    }

    // The user's system generation is interrupted, and the user's restart of it waits with the
    // lock progress dialog up for the segment that HOLDER keeps in a host transaction, before
    // it takes the set for update under the hold. Answers HOLDER, whose LetGo ends that.
    std::unique_ptr<Host> RestartWaitingUnderTheHold(Host& user)
    {
        user.Run(kGenerateSystem + "client-interrupt 3\n");
        auto holder = std::make_unique<Host>(m_folder.Path(), m_repository, "HOLDER");
        holder->Run("set-resource-module vqsysres\nopen-session\nprepare-transaction SALES 1\n");
        user.Send("lock-waits wait\n" + kRestartFirstSession);
        EXPECT_TRUE(user.ReadUntil("-> wait")) << Host::WithoutUpdates(user.Printed());
        return holder;
    }
    static void LetGo(Host& holder)
    {
        holder.Run("transaction-closed\nclose-session\n");
        EXPECT_TRUE(EndedCleanly(holder));
    }

    vqtest::TempDir m_folder;
    std::string m_repository;
};

// ---------------------------------------------------------------- the host closes its session

TEST_F(HostGenerationEndsTest, ClosingDuringAGenerationAsksFirstAndYesCancelsItAndFreesTheSet)
{
    MakeSample(false);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem);

    const std::string kept = alice->Run("expect-message 62142\nanswer IDNO\nwilling-to-close\n"
                                        "expect-message 62142\nanswer IDCANCEL\nwilling-to-close\n" +
                                        kRunning);
    EXPECT_EQ(Count(kept, kQuestion62142), 2) << kept;
    EXPECT_EQ(Count(kept, "result: willing-to-close 0"), 2) << kept;
    EXPECT_TRUE(Has(kept, "result: client-progress 1")) << "No and Cancel keep the generation" << kept;

    auto bob = Open("BOB");
    const std::string refused = bob->Run(kGenerateSystemRefused);
    EXPECT_TRUE(Has(refused, kLocked61874)) << "a generation runs" << refused;

    const std::string closed = alice->Run("expect-message 62142\nanswer IDYES\nwilling-to-close\n" + kClose);
    EXPECT_TRUE(Has(closed, "result: willing-to-close 1")) << closed;
    EXPECT_TRUE(Has(Log(), "cancel 1: Session closed")) << Log();

    const std::string after = bob->Run(kGenerateSystem);
    EXPECT_FALSE(Has(after, "msgbox:")) << "the set is free and nothing is offered for a restart" << after;
    EXPECT_EQ(Count(Log(), ": kind 2 genset \"NTGEN\""), 2) << Log();
    EXPECT_TRUE(EndedCleanly(*alice));
    bob->Run(kFinish + kClose);
    EXPECT_TRUE(EndedCleanly(*bob));
}

TEST_F(HostGenerationEndsTest, ARestartCancelledAsItsSessionClosesEndsWithItsRecoverySession)
{
    MakeSample(false);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem + "client-interrupt 3\n" + kRestartFirstSession);
    alice->Run("expect-message 62142\nanswer IDYES\nwilling-to-close\n" + kClose);
    EXPECT_TRUE(Has(Log(), "cancel 2: Session closed")) << Log();

    // Nothing is left held or offered: the set is free for the next user's fresh generation.
    auto bob = Open("BOB");
    const std::string after = bob->Run(kGenerateSystem);
    EXPECT_FALSE(Has(after, "msgbox:")) << after;
    EXPECT_TRUE(Has(Log(), "generation 1: kind 2 genset \"NTGEN\"")) << Log();
    EXPECT_TRUE(EndedCleanly(*alice));
    bob->Run(kFinish + kClose);
    EXPECT_TRUE(EndedCleanly(*bob));
}

// ---------------------------------------------------------------- the host dies

TEST_F(HostGenerationEndsTest, AHostKilledDuringAFreshGenerationLeavesTheSetFreeForEveryHost)
{
    MakeSample(false);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem);
    auto bob = Open("BOB");
    EXPECT_TRUE(Has(bob->Run(kGenerateSystemRefused), kLocked61874)) << "a generation runs";

    alice->Kill();

    // No recovery session was left to restart: the set's hold went with the claim.
    auto carol = Open("CAROL");
    const std::string carols = carol->Run(kGenerateSystemWithReports);
    EXPECT_FALSE(Has(carols, "msgbox:")) << carols;
    EXPECT_TRUE(Has(bob->Run(kGenerateSystemRefused), kLocked61874)) << "CAROL's generation runs";
    carol->Kill();

    auto owner = Open("ALICE");
    const std::string owners = owner->Run(kGenerateSystem);
    EXPECT_FALSE(Has(owners, "msgbox:")) << "the owner on a new host" << owners;
    owner->Run(kFinish + kClose);
    const std::string bobs = bob->Run(kGenerateSystem);
    EXPECT_FALSE(Has(bobs, "msgbox:")) << bobs;
    bob->Run(kFinish + kClose);
    EXPECT_TRUE(EndedCleanly(*owner));
    EXPECT_TRUE(EndedCleanly(*bob));
}

// ---------------------------------------------------------------- the server

TEST_F(HostGenerationEndsTest, ALostLockConnectionStopsTheGenerationAtItsNextStepAndItIsToldOnce)
{
    MakeSample(true);
    auto alice = Open("ALICE");
    alice->Run(kGenerateReports);
    auto bob = Open("BOB");
    EXPECT_TRUE(Has(bob->Run(kGenerateReportsRefused), kLocked61874)) << "a generation runs";

    CutLockConnection("ALICE");
    const std::string bobs = bob->Run(kGenerateReports);
    EXPECT_FALSE(Has(bobs, "msgbox:")) << "ALICE's claim went with her lock connection" << bobs;

    const std::string stopped = alice->Run(kRunning + kFinish);
    EXPECT_EQ(Count(stopped, kClientBox), 1) << stopped;
    EXPECT_TRUE(Has(stopped, "the connection to the server of")) << stopped;
    EXPECT_EQ(Count(stopped, "result: client-progress 0"), 2) << "it goes no further" << stopped;
    EXPECT_TRUE(Has(Log(), "interrupt 1: the claim on the generate set was lost")) << Log();
    EXPECT_FALSE(Has(Log(), "finish 1 (")) << Log();

    bob->Run(kFinish + kClose);
    EXPECT_TRUE(Has(Log(), "finish 1 (")) << "BOB's" << Log();
    EXPECT_TRUE(EndedCleanly(*bob));
}

TEST_F(HostGenerationEndsTest, ClosingAfterTheLockConnectionWentTellsTheGenerationsEndInsteadOfAsking)
{
    MakeSample(true);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem);
    CutLockConnection("ALICE");

    const std::string closing = alice->Run("willing-to-close\n");
    EXPECT_FALSE(Has(closing, kQuestion62142)) << "no generation runs" << closing;
    EXPECT_EQ(Count(closing, kClientBox), 1) << closing;
    EXPECT_TRUE(Has(closing, "result: willing-to-close 1")) << closing;
    EXPECT_TRUE(Has(Log(), "interrupt 1: the claim on the generate set was lost")) << Log();
    alice->Run(kClose);
    EXPECT_FALSE(Has(Log(), "cancel 1")) << "it ended once" << Log();
    alice->Finish();
}

TEST_F(HostGenerationEndsTest, AScriptsGenerationWhoseClaimWentEndsForTheScriptToo)
{
    MakeSample(true);
    auto alice = Open("ALICE");
    alice->Run(kAutomationGenerateSystem + "idle\n");
    CutLockConnection("ALICE");

    const std::string stopped = alice->Run(kRunning + "idle\n");
    EXPECT_EQ(Count(stopped, kClientBox), 1) << stopped;
    EXPECT_TRUE(Has(stopped, "event: 3 Generation 1 of the Generate Set \"NTGEN\" stopped before it finished: the"
                             " claim on the generate set was lost: ")) << stopped;
    alice->Run("automation-release\n" + kClose);
    alice->Finish();
}

TEST_F(HostGenerationEndsTest, ARestartWhoseLockConnectionIsLostLeavesItsSessionToOneRestart)
{
    MakeSample(true);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem + "client-interrupt 3\n" + kRestartFirstSession);
    auto bob = Open("BOB");
    EXPECT_TRUE(Has(bob->Run(kRestartNotOffered), kNoSessionListed)) << "the restart runs";

    CutLockConnection("ALICE");
    const std::string second = bob->Run(kRestartFirstSession);
    EXPECT_FALSE(Has(second, "msgbox:")) << second;
    const std::string stopped = alice->Run(kFinish);
    EXPECT_EQ(Count(stopped, kClientBox), 1) << stopped;
    EXPECT_FALSE(Has(stopped, "none is open")) << stopped;
    EXPECT_TRUE(Has(stopped, "result: client-progress 0")) << stopped;

    // Only BOB's restart ends the session: it finishes, and the set is free for a third user.
    bob->Run(kFinish);
    auto carol = Open("CAROL");
    const std::string carols = carol->Run(kGenerateSystem);
    EXPECT_FALSE(Has(carols, "msgbox:")) << "no session offered, no lock left" << carols;
    carol->Run(kFinish + kClose);
    bob->Run(kClose);
    EXPECT_TRUE(EndedCleanly(*bob));
    EXPECT_TRUE(EndedCleanly(*carol));
}

// The synchronisation meets the lost connection: the generation, whose claim went with it, ends
// there, told in the box of the loss.
TEST_F(HostGenerationEndsTest, ALockConnectionCutBeforeTheSynchronisationEndsTheGeneration)
{
    // Generate System from the view, and the automation's.
    const struct {
        std::string start;
        std::string told;
    } starts[] = {
        {kGenerateSystem, "the connection to the server of"},
        {kAutomationGenerateSystem, "result: automation GenerateSystem 0x80004005"},
    };
    for (const auto& start : starts) {
        SCOPED_TRACE(start.start);
        MakeSample(true);
        auto alice = Open("ALICE");
        // The request is logged and the set claimed, then the start waits a second before it
        // synchronises: the server cuts the lock connection as the synchronisation asks for its
        // first lock, before anything of it is granted.
        AtWrite("px_lock", "NEW.oid > 0",
                "IF EXISTS(SELECT 1 FROM vq_repository.px_lock l JOIN vq_repository.px_session s ON s.id = l.session"
                " WHERE l.session = NEW.session AND s.user_code = 'ALICE' AND l.oid < 0"
                " AND l.oid > -4611686018427387904) THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF;");
        alice->Send(start.start + "say requested\n");
        ASSERT_TRUE(alice->ReadUntil("say: requested")) << Host::WithoutUpdates(alice->Printed());
        Disarm();
        const std::string shown = Host::WithoutUpdates(alice->Printed());
        EXPECT_TRUE(Has(Log(), "interrupt 1: the claim on the generate set was lost")) << Log();
        EXPECT_TRUE(Has(shown, start.told)) << shown;
        EXPECT_TRUE(Has(alice->Run(kRunning), "result: client-progress 0")) << "nothing runs";

        auto bob = Open("BOB");
        const std::string bobs = bob->Run(kGenerateSystem);
        EXPECT_FALSE(Has(bobs, "msgbox:")) << bobs;
        bob->Run(kFinish + kClose);
        EXPECT_TRUE(EndedCleanly(*bob));
    }
}

TEST_F(HostGenerationEndsTest, AGenerationStartedWithTheLockConnectionCutNamesTheLostConnection)
{
    for (const std::string& start :
         {kGenerateSystem, kGenerateSystemWithReports, kGenerateReports, kDeclineRestart + kGenerateSystem,
          std::string(kRestartFirstSession)}) {
        SCOPED_TRACE(start);
        MakeSample(true);
        auto alice = Open("ALICE");
        if (start == kRestartFirstSession || start.rfind(kDeclineRestart, 0) == 0)
            alice->Run(kGenerateSystem + "client-interrupt 3\n");
        CutLockConnection("ALICE");
        const std::string shown = alice->Run(start);
        EXPECT_TRUE(Has(shown, "the connection to the server of")) << shown;
        EXPECT_FALSE(Has(Log(), "generation 2")) << Log();
    }
}

TEST_F(HostGenerationEndsTest, AGenerationThatGoesOnAfterAFastServerRestartIsToldAndTheSetIsFreedForTheNext)
{
    MakeSample(true);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem);
    vqtest::PgTestServer::Instance().Restart();
    const std::string stopped = alice->Run(kFinish);
    EXPECT_EQ(Count(stopped, kClientBox), 1) << stopped;
    EXPECT_FALSE(Has(Log(), "finish 1 (")) << Log();

    auto bob = Open("BOB");
    const std::string bobs = bob->Run(kGenerateSystem);
    EXPECT_FALSE(Has(bobs, "msgbox:")) << "the lost generation's hold went with it" << bobs;
    bob->Run(kFinish + kClose);
    EXPECT_TRUE(EndedCleanly(*bob));
}

// What the server does at the write of a recovery record: as at a fast restart, or as a full
// disk; and how the user reads it.
const struct {
    const char* what;
    std::string action;
    std::string told;
} kRecordWriteFaults[] = {
    {"every connection ended, as at a fast restart of the server",
     "PERFORM pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = current_database()"
     " AND pid <> pg_backend_pid(); PERFORM pg_terminate_backend(pg_backend_pid());",
     "the connection to the server of"},
    {"the write refused", "RAISE EXCEPTION 'disk full' USING ERRCODE = '53100';", "the disk is full."},
};

TEST_F(HostGenerationEndsTest, AGenerationInterruptedAtAServerRestartEndsThereAndIsLoggedBeforeTheNextOne)
{
    for (const auto& row : kRecordWriteFaults) {
        SCOPED_TRACE(row.what);
        MakeSample(true);
        auto alice = Open("ALICE");
        alice->Run(kGenerateSystem);
        AtWrite("px_object", "NEW.class = 'PxVQRecoveryInfo'", row.action);

        const std::string interrupted = alice->Run("client-interrupt 3\n");
        EXPECT_TRUE(Has(interrupted, "result: client-interrupt 0")) << "no record of its stop" << interrupted;
        EXPECT_EQ(Count(interrupted, kClientBox), 1) << interrupted;
        EXPECT_TRUE(Has(interrupted, "of the Generate Set \"NTGEN\" stopped before it finished: its recovery record"
                                     " could not be written: ")) << interrupted;
        EXPECT_TRUE(Has(interrupted, row.told)) << interrupted;
        const std::string next = alice->Run(kRunning);
        EXPECT_TRUE(Has(next, "result: client-progress 0")) << "nothing runs" << next;
        EXPECT_FALSE(Has(next, kClientBox)) << "told once" << next;

        auto bob = Open("BOB");
        const std::string bobs = bob->Run(kGenerateSystem);
        EXPECT_FALSE(Has(bobs, "msgbox:")) << "its claim and hold are given back" << bobs;
        const std::string log = Log();
        const std::size_t ended = log.find("interrupt 1: its recovery record could not be written: ");
        const std::size_t bobsStart = log.find("generation 1: kind 2", log.find("generation 1: kind 2") + 1);
        EXPECT_LT(ended, bobsStart) << log;
        bob->Run(kFinish + kClose);
        alice->Run(kClose);
        EXPECT_FALSE(Has(Log(), "cancel 1")) << "it ended once" << Log();
        EXPECT_TRUE(EndedCleanly(*bob));
        alice->Finish();
    }
}

TEST_F(HostGenerationEndsTest, ARestartInterruptedAtAServerRestartLeavesItsSessionToOneRestart)
{
    for (const auto& row : kRecordWriteFaults) {
        SCOPED_TRACE(row.what);
        MakeSample(true);
        auto alice = Open("ALICE");
        alice->Run(kGenerateSystem + "client-interrupt 3\n" + kRestartFirstSession);
        AtWrite("px_attribute", "NEW.name = 'currentState'", row.action);

        const std::string interrupted = alice->Run("client-interrupt 5\n");
        EXPECT_TRUE(Has(interrupted, "result: client-interrupt 0")) << interrupted;
        EXPECT_EQ(Count(interrupted, kClientBox), 1) << interrupted;
        EXPECT_TRUE(Has(interrupted, row.told)) << interrupted;
        EXPECT_TRUE(Has(interrupted, "The recovery session it restarted stays interrupted")) << interrupted;
        EXPECT_TRUE(Has(Log(), "interrupt 2: its recovery record could not be written: ")) << Log();
        Disarm();

        auto bob = Open("BOB");
        const std::string restarted = bob->Run(kRestartFirstSession);
        EXPECT_FALSE(Has(restarted, "msgbox:")) << "the session is offered and restarts" << restarted;
        bob->Run(kFinish + kClose);
        alice->Run(kClose);
        EXPECT_FALSE(Has(Log(), "cancel 2")) << "it ended once" << Log();
        EXPECT_TRUE(EndedCleanly(*bob));
        alice->Finish();
    }
}

// ---------------------------------------------------------------- a restart under the hold

// The restart waits for its segment before it takes the set under the interrupted generation's
// hold, which stays in the store: its host killed, or its lock connection cut, there, the hold
// still refuses another user, and the owner's next restart runs under it.
TEST_F(HostGenerationEndsTest, ARestartKilledOrCutWhileItWaitsLeavesTheHoldToTheOwnersNextRestart)
{
    const struct {
        const char* what;
        bool onServer;
        bool cut;
    } rows[] = {{"host killed, file", false, false}, {"host killed, server", true, false}, {"lock connection cut", true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        MakeSample(row.onServer);
        auto alice = Open("ALICE");
        const auto holder = RestartWaitingUnderTheHold(*alice);
        if (row.cut)
            CutLockConnection("ALICE");
        else
            alice->Kill();
        LetGo(*holder);
        if (row.cut) {
            const std::string stopped = alice->Run(kClose);
            EXPECT_TRUE(Has(stopped, "the connection to the server of")) << stopped;
            alice->Finish();
        }

        auto bob = Open("BOB");
        const std::string bobs = bob->Run(kDeclineRestart + "expect-dialog 160\nclick 1\nexpect-message 61874\n"
                                                            "command-id 32792\nidle\n");
        EXPECT_TRUE(Has(bobs, kLocked61874)) << "the hold refuses another user" << bobs;
        bob->Run(kClose);
        auto owner = Open("ALICE");
        const std::string restarted = owner->Run(kRestartFirstSession);
        EXPECT_FALSE(Has(restarted, "msgbox:")) << restarted;
        EXPECT_EQ(Count(Log(), ": kind 4 genset \"NTGEN\""), 1) << Log();
        owner->Run(kFinish + kClose);
        EXPECT_TRUE(EndedCleanly(*owner));
        EXPECT_TRUE(EndedCleanly(*bob));
    }
}

// Another user deletes the session while its restart waits for its segment: the hold goes with
// the session, the restart stops once it goes on, and no hold is left without a listed session.
TEST_F(HostGenerationEndsTest, ASessionDeletedWhileItsRestartWaitsTakesItsHoldAlong)
{
    for (const bool onServer : {false, true}) {
        SCOPED_TRACE(onServer ? "server" : "file");
        MakeSample(onServer);
        auto alice = Open("ALICE");
        const auto holder = RestartWaitingUnderTheHold(*alice);
        auto bob = Open("BOB");
        const std::string deleted =
            bob->Run("expect-dialog 294\nselect 32853 0\nclick 32854\ndump\nclick 2\ncommand-id 32859\nidle\n");
        EXPECT_TRUE(Has(deleted, kNoSessionListed)) << deleted;
        EXPECT_FALSE(Has(deleted, "msgbox:")) << deleted;
        LetGo(*holder);
        const std::string stopped = alice->Run(kRunning);
        EXPECT_EQ(Count(stopped, "msgbox:"), 1) << stopped;
        EXPECT_TRUE(Has(stopped, "result: client-progress 0")) << "nothing runs" << stopped;

        auto carol = Open("CAROL");
        const std::string carols = carol->Run(kGenerateSystem);
        EXPECT_FALSE(Has(carols, "msgbox:")) << "no session is offered and no hold is left" << carols;
        carol->Run(kFinish + kClose);
        alice->Run(kClose);
        bob->Run(kClose);
        EXPECT_TRUE(EndedCleanly(*carol));
        EXPECT_TRUE(EndedCleanly(*alice));
        EXPECT_TRUE(EndedCleanly(*bob));
    }
}

// ---------------------------------------------------------------- what runs keeps what it uses

// The generate set NTGEN in the option-set pane of Sample system 1's SALES segment.
const std::string kSelectGenerateSet = "command-id 32795\nidle\nselect-row 59648 2\nidle\nselect-row 59648 0 1\nidle\n";
const std::string kDeleteSelected = "command-id 57632\nexpect-message 61908\nanswer IDNO\nidle\n";
const std::string kShowLockStatus = "command-id 32807\nidle\n";
constexpr char kGenerationOfAlice[] = "Lock failed:\\nGenerate process for user ALICE persistently locked NTGEN.";

TEST_F(HostGenerationEndsTest, AKilledOrCutRestartOfAReportSessionLeavesTheSetFreeAndTheSessionRestartable)
{
    for (const bool onServer : {false, true}) {
        SCOPED_TRACE(onServer ? "lock connection cut" : "host killed");
        MakeSample(onServer);
        auto alice = Open("ALICE");
        alice->Run(kGenerateReports + "client-interrupt 3\n" + kRestartFirstSession);
        if (onServer)
            CutLockConnection("ALICE");
        else
            alice->Kill();

        // BOB administers: he is offered ALICE's session, declines and generates.
        auto bob = Open("BOB");
        const std::string bobs = bob->Run(kDeclineRestart + kGenerateReports);
        EXPECT_EQ(Count(bobs, "msgbox:"), 1) << "the restart's hold went with it" << bobs;
        bob->Run(kFinish + kClose);
        auto owner = Open("ALICE");
        const std::string listed = owner->Run(kRestartNotOffered);
        EXPECT_TRUE(Has(listed, "dump:   32853 SysListView32 \"\" 1 items")) << listed;
        owner->Run(kClose);
        EXPECT_TRUE(EndedCleanly(*bob));
        EXPECT_TRUE(EndedCleanly(*owner));
    }
}

// Whatever became of its hold, a running generation is what Show Lock Status names, and
// another user's Lock of its set is refused as the hold would refuse it.
TEST_F(HostGenerationEndsTest, AfterTheOwnersUnlockARunningGenerationsSetIsNamedAsItsAndNeitherLockedNorDeleted)
{
    MakeSample(false);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem);
    auto owner = Open("ALICE");
    const std::string unlocked = owner->Run(
        kSelectGenerateSet + "command-id 32810\nexpect-message 61713 NTGEN\nanswer IDYES\nexpect-message 62129 NTGEN\nanswer IDYES\nidle\n");
    EXPECT_FALSE(Has(unlocked, "error:")) << unlocked;
    owner->Run(kClose);

    auto bob = Open("BOB");
    const std::string status = bob->Run(kSelectGenerateSet + kShowLockStatus);
    EXPECT_TRUE(Has(status, "Option set NTGEN persistently locked by Generate process for user ALICE on ")) << status;
    const std::string locked = bob->Run("command-id 32809\nidle\n");
    EXPECT_EQ(Count(locked, "msgbox: [Wrenfield Error]"), 1) << locked;
    EXPECT_TRUE(Has(locked, kGenerationOfAlice)) << locked;
    const std::string set = bob->Run(kDeleteSelected);
    EXPECT_EQ(Count(set, "msgbox: [Wrenfield Error]"), 1) << set;
    EXPECT_TRUE(Has(set, kGenerationOfAlice)) << set;
    const std::string system = bob->Run("select-row 59648 1\nidle\n" + kDeleteSelected);
    EXPECT_EQ(Count(system, "msgbox: [Wrenfield Error]"), 1) << system;
    EXPECT_TRUE(Has(system, kGenerationOfAlice)) << system;

    alice->Run(kFinish + kClose);
    const std::string free = bob->Run("select-row 59648 0 1\nidle\n" + kShowLockStatus);
    EXPECT_TRUE(Has(free, "Option set NTGEN is not locked.")) << "BOB's Lock placed nothing" << free;
    const std::string generated = bob->Run("select-row 59648 1\nidle\n" + kGenerateSystem);
    EXPECT_FALSE(Has(generated, "msgbox:")) << "the set and its system are there, and free" << generated;
    bob->Run(kFinish + kClose);
    EXPECT_TRUE(EndedCleanly(*alice));
    EXPECT_TRUE(EndedCleanly(*owner));
    EXPECT_TRUE(EndedCleanly(*bob));
}

TEST_F(HostGenerationEndsTest, AScriptsReportGenerationWhichPlacesNoHoldKeepsItsSetAndSystemFromDelete)
{
    MakeSample(false);
    auto alice = Open("ALICE");
    const std::string started = alice->Run("automation-create\n"
               "automation SetProperty SYS1.NTGEN.LoginDetails.FTPUsername vq\n"
               "automation SetProperty SYS1.NTGEN.LoginDetails.FTPPassword secret\n"
               "automation SetProperty SYS1.NTGEN.InitSystemPath.SystemPath /vq/sys1\n"
               "automation SetProperty SYS1.NTGEN.Generate.EnvironmentName TEST\n"
               "automation SetProperty SYS1.NTGEN.Generate.DatabaseName SALESDB\n"
               "automation GenerateReports SYS1.NTGEN *\nidle\n");
    ASSERT_TRUE(Has(Log(), "generation 1: kind 1 genset \"NTGEN\"")) << started << Log();

    auto bob = Open("BOB");
    const std::string system = bob->Run(kDeleteSelected);
    EXPECT_EQ(Count(system, "msgbox: [Wrenfield Error]"), 1) << system;
    EXPECT_TRUE(Has(system, kGenerationOfAlice)) << system;
    EXPECT_TRUE(Has(alice->Run("client-interrupt 3\n"), "result: client-interrupt 1")) << "its stop is recorded";
    alice->Run(kClose);
    bob->Run(kClose);
    EXPECT_TRUE(EndedCleanly(*alice));
    EXPECT_TRUE(EndedCleanly(*bob));
}

TEST_F(HostGenerationEndsTest, AnInstallKeepsItsSessionFromTheUsersOtherHost)
{
    MakeSample(false);
    auto installing = Open("ALICE");
    installing->Run(kGenerateSystem + "client-interrupt 10\n" +
                    "expect-dialog 294\nselect 32853 0\nclick 322\ncommand-id 32859\nidle\n");
    EXPECT_TRUE(Has(Log(), "generation 2: kind 10 genset \"NTGEN\"")) << Log();

    auto other = Open("ALICE");
    EXPECT_TRUE(Has(other->Run(kRestartNotOffered), kNoSessionListed)) << "the install runs on it";
    installing->Run(kFinish);
    const std::string after = other->Run(kRestartNotOffered);
    EXPECT_TRUE(Has(after, "dump:   32853 SysListView32 \"\" 1 items")) << "listed again once it ends" << after;
    installing->Run(kClose);
    other->Run(kClose);
    EXPECT_TRUE(EndedCleanly(*installing));
    EXPECT_TRUE(EndedCleanly(*other));
}

TEST_F(HostGenerationEndsTest, AKilledHostsHoldNoLongerRefusesAHostOpenBeforeTheKill)
{
    MakeSample(false);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem);
    auto bob = Open("BOB");
    alice->Kill();

    const std::string deleted = bob->Run(kSelectGenerateSet + kDeleteSelected);
    EXPECT_FALSE(Has(deleted, "Lock failed")) << deleted;
    EXPECT_FALSE(Has(deleted, "msgbox: [Wrenfield Error]")) << deleted;
    bob->Run(kClose);
    EXPECT_TRUE(EndedCleanly(*bob));
}

// ---------------------------------------------------------------- the host forks, the module ends

// The host forks a child that ends at once with exit(), as a host's child whose exec failed
// does, or by unloading the module, while its user's session holds locks in a host transaction
// and her generation runs: the child ends within the host's second, and her session, locks,
// hold and generation are as they were. The child's end sets nothing her waits for the server wake at: a step that
// waits for the server's answer costs the host no more processor after the fork than before.
TEST_F(HostGenerationEndsTest, AChildTheHostForksEndsAtOnceAndLeavesItsParentsSessionLocksAndGenerationAlone)
{
    for (const bool onServer : {false, true}) {
        SCOPED_TRACE(onServer ? "server" : "file");
        MakeSample(onServer);
        auto alice = Open("ALICE");
        alice->Run(kGenerateSystem + kRunning + "prepare-transaction SALES 0\n");
        const std::string forked = alice->Run("fork-child exit\nfork-child unload\n");
        EXPECT_EQ(Count(forked, "fork-child: the child ended with 127"), 2) << forked;

        auto bob = Open("BOB");
        EXPECT_TRUE(Has(bob->Run(kGenerateSystemRefused), kLocked61874)) << "her generation runs still";
        const std::string waited = bob->Run("prepare-transaction SALES 0\n");
        EXPECT_TRUE(Has(waited, "result: prepare-transaction 0")) << "her locks stay hers" << waited;
        bob->Run(kClose);

        const std::string hers = alice->Run("transaction-closed\n" + kRunning + kFinish + kClose);
        EXPECT_FALSE(Has(hers, "msgbox:")) << hers;
        EXPECT_TRUE(Has(Log(), "finish 1 (")) << Log();
        EXPECT_FALSE(Has(Log(), "interrupt 1")) << Log();
        EXPECT_EQ(Count(Log(), ": kind 2 genset \"NTGEN\""), 1) << "no other generation started" << Log();
        EXPECT_TRUE(EndedCleanly(*alice));
        EXPECT_TRUE(EndedCleanly(*bob));
    }
}

TEST_F(HostGenerationEndsTest, TheHostsWaitsForTheServerCostNoMoreProcessorAfterItsChildEndedThanBefore)
{
    MakeSample(true);
    auto alice = Open("ALICE");
    // Each statement that places locks keeps the host waiting for the server's answer.
    vqtest::PgTestServer::Instance().Run(
        Database(), "CREATE FUNCTION vq_repository.slow() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                    "PERFORM pg_sleep(0.2); RETURN NULL; END $$; CREATE TRIGGER slow AFTER INSERT ON "
                    "vq_repository.px_lock FOR EACH STATEMENT EXECUTE FUNCTION vq_repository.slow();");
    const std::string kStep = "prepare-transaction SALES 0\ntransaction-closed\n";
    const double start = alice->ProcessorSeconds();
    alice->Run(kStep);
    const double before = alice->ProcessorSeconds() - start;

    EXPECT_TRUE(Has(alice->Run("fork-child exit\n"), "fork-child: the child ended with 127"));
    const double forked = alice->ProcessorSeconds();
    const std::string stepped = alice->Run(kStep);
    const double after = alice->ProcessorSeconds() - forked;
    EXPECT_TRUE(Has(stepped, "result: prepare-transaction 1")) << stepped;
    // A wait that never waits costs the whole wait of each statement.
    EXPECT_LT(after, before + 0.4) << "before the fork " << before;
    alice->Run(kClose);
    EXPECT_TRUE(EndedCleanly(*alice));
}

// A host ends (unloading the module) with what it left open: a host transaction it prepared, a
// session with a view, a running generation. The module's end uses nothing destroyed before it:
// the host ends with 0 and no sanitizer report (in a build with the sanitizers).
TEST_F(HostGenerationEndsTest, AHostEndingWithWhatItLeftOpenEndsCleanly)
{
    const struct {
        const char* left;
        std::string script;
    } kLeftOpen[] = {
        {"a prepared host transaction", "set-resource-module vqsysres\nopen-session\nprepare-transaction SALES 0\n"},
        {"a session and a view", kOpen},
        {"a running generation", kOpen + kGenerateSystem + kRunning},
    };
    for (const bool onServer : {false, true}) {
        MakeSample(onServer);
        int row = 0;
        for (const auto& left : kLeftOpen) {
            SCOPED_TRACE(std::string(onServer ? "server, " : "file, ") + left.left);
            const std::string user = "USER" + std::to_string(onServer) + std::to_string(row++);
            Host host(m_folder.Path(), m_repository, user);
            host.Run(left.script);
            EXPECT_EQ(host.Finish(), 0) << Host::WithoutUpdates(host.Printed());
            const std::string errors = m_folder.Read(user + ".stderr");
            EXPECT_FALSE(Has(errors, "Sanitizer") || Has(errors, "runtime error")) << errors;
        }
    }
}

// The server stops answering as the module ends, while the lift of the user's finished
// generation's hold is owed (the lock store refused it): the end gives up at its bound and names
// the hold that stays in the log.
TEST_F(HostGenerationEndsTest, AModulesEndOnAServerThatStopsAnsweringNamesTheHoldWhoseLiftItLeaves)
{
    MakeSample(true);
    auto alice = Open("ALICE");
    alice->Run(kGenerateSystem + kRunning);
    const auto meetLiftsWith = [&](const std::string& action) {
        vqtest::PgTestServer::Instance().Run(
            Database(), "CREATE OR REPLACE FUNCTION vq_repository.lifted() RETURNS trigger LANGUAGE plpgsql AS $$ "
                        "BEGIN " + action + " RETURN COALESCE(NEW, OLD); END $$;");
    };
    meetLiftsWith("RAISE EXCEPTION 'refused';");
    vqtest::PgTestServer::Instance().Run(
        Database(), "CREATE TRIGGER lifted BEFORE UPDATE OR DELETE ON vq_repository.px_persistent_lock FOR EACH ROW "
                    "EXECUTE FUNCTION vq_repository.lifted();");
    const std::string finished = alice->Run(kFinish);
    EXPECT_TRUE(Has(Log(), "finish 1 (")) << finished;

    meetLiftsWith("PERFORM pg_sleep(30);");
    EXPECT_EQ(alice->Finish(), 0) << Host::WithoutUpdates(alice->Printed());
    const std::string logged = m_folder.Read("ALICE.stderr");
    EXPECT_TRUE(Has(logged, " WARNING The generation hold ")) << logged;
    EXPECT_TRUE(Has(logged, "a step of user ALICE lifted it")) << logged;
    vqtest::PgTestServer::Instance().Run(
        Database(), "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE wait_event = 'PgSleep';");
}

} // namespace
