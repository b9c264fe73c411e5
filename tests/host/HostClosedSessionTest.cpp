// A host closes its session while another process holds the repository's lock file: the close
// keeps the host about one busy timeout at most, and what it could not give back, the session's
// end with it, is made by the host's process once the file is let go. A host whose script ends
// with its session left open meanwhile unloads the module, which ends the session with one brief
// try and names the end that stays in the log. On the suite's server a session's locks go with
// its connection: such a host ends at once while another transaction holds the lock tables.
#include "support/HeldLockTables.h"
#include "support/PgTestServer.h"
#include "support/RefusedLockWrites.h"
#include "support/RunningHost.h"
#include "support/TempDir.h"

#include "proxy/PxLockStore.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// The rows of a table of the lock file, read beside the process that holds it.
int RowsOf(const std::string& lockFile, const std::string& table)
{
    sqlite3* file = nullptr;
    sqlite3_stmt* count = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(lockFile.c_str(), &file, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
        sqlite3_prepare_v2(file, ("SELECT count(*) FROM " + table).c_str(), -1, &count, nullptr) == SQLITE_OK &&
        sqlite3_step(count) == SQLITE_ROW)
        rows = sqlite3_column_int(count, 0);
    sqlite3_finalize(count);
    sqlite3_close(file);
    return rows;
}

TEST(HostClosedSessionTest, ACloseWhileAnotherProcessHoldsTheLockFileEndsSoonAndItsEndIsMadeOnceTheFileIsLetGo)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    vqtest::TempDir folder;
    const std::string repository = folder.File("sample.vqr");
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + repository + "'").c_str()), 0);

    vqtest::RunningHost holder(folder.Path(), "sample.vqr", "HOLDER");
    holder.Send("set-resource-module vqsysres\nopen-session\nprepare-transaction SALES 0\nsay prepared\n");
    ASSERT_TRUE(holder.ReadUntil("say: prepared")) << holder.Printed();

    std::optional<vqtest::RefusedLockWrites> held(std::in_place, repository, true);
    const auto closing = std::chrono::steady_clock::now();
    holder.Send("close-session\nsay closed\n");
    ASSERT_TRUE(holder.ReadUntil("say: closed")) << holder.Printed();
    // The host, another process, shows no count of its waits: the close is timed, against a
    // bound that holds at any load. It waits one busy timeout and a brief try, and does little
    // else; a close that waits patiently took five busy timeouts for its first give-back alone
    // (the begins of a lock-table transaction), and as many again for the session's end.
    const auto shortOfPatientWaits = std::chrono::milliseconds(kPxBusyTimeoutMilliseconds * 5);
    EXPECT_LT(std::chrono::steady_clock::now() - closing, shortOfPatientWaits);
    EXPECT_EQ(RowsOf(repository + "-locks", "px_session"), 1) << "the end is owed";
    EXPECT_GT(RowsOf(repository + "-locks", "px_lock"), 0) << "the segment is held until then";
    held.reset();

    // Waited in line, the segment comes with the end, which wakes the waiter.
    vqtest::RunningHost waiter(folder.Path(), "sample.vqr", "WAITER");
    waiter.Send("set-resource-module vqsysres\nopen-session\nlock-waits wait\nprepare-transaction SALES 0\n"
                "say prepared\n");
    ASSERT_TRUE(waiter.ReadUntil("say: prepared")) << waiter.Printed();
    EXPECT_NE(waiter.Printed().find("result: prepare-transaction 1"), std::string::npos) << waiter.Printed();
    EXPECT_EQ(RowsOf(repository + "-locks", "px_session"), 1) << "the waiter's alone";
    // Closed only once its session is counted.
    waiter.Send("transaction-closed\nclose-session\n");
    EXPECT_EQ(waiter.Finish(), 0);
    EXPECT_EQ(holder.Finish(), 0);
}

TEST(HostClosedSessionTest, AHostEndingWithItsSessionOpenWhileAnotherProcessHoldsTheLockFileEndsAndLogsTheSessionsEnd)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    vqtest::TempDir folder;
    const std::string repository = folder.File("sample.vqr");
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + repository + "'").c_str()), 0);

    vqtest::RunningHost host(folder.Path(), "sample.vqr", "USER");
    host.Run("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n");
    std::optional<vqtest::RefusedLockWrites> held(std::in_place, repository, true);
    // A host hung at its unload prints nothing: the silence bound kills it, and it fails here.
    EXPECT_EQ(host.Finish(), 0) << host.Printed();
    const std::string logged = vqtest::ReadWholeFile(folder.File("USER.stderr"));
    EXPECT_NE(logged.find(" WARNING The locks of a closed session on the repository "), std::string::npos) << logged;
    EXPECT_EQ(RowsOf(repository + "-locks", "px_session"), 1) << "its end stays with the file held";
    held.reset();

    // The session of a process that ended holds nothing: another host takes the segment at once.
    vqtest::RunningHost other(folder.Path(), "sample.vqr", "OTHER");
    const std::string prepared = other.Run("set-resource-module vqsysres\nopen-session\nprepare-transaction SALES 0\n");
    EXPECT_NE(prepared.find("result: prepare-transaction 1"), std::string::npos) << prepared;
    other.Send("transaction-closed\nclose-session\n");
    EXPECT_EQ(other.Finish(), 0);
}

TEST(HostClosedSessionTest, AHostEndingWithItsSessionOpenWhileTheServersLockTablesAreHeldEndsAndLeavesNothingHeld)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    vqtest::TempDir folder;
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + repository + "'").c_str()), 0);

    vqtest::RunningHost host(folder.Path(), repository, "USER");
    host.Run("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n");
    std::optional<vqtest::HeldLockTables> held(std::in_place, repository);
    EXPECT_EQ(host.Finish(), 0) << host.Printed();
    const std::string logged = vqtest::ReadWholeFile(folder.File("USER.stderr"));
    EXPECT_EQ(logged, "") << "its locks went with its connection: nothing stays to name";
    held.reset();

    vqtest::RunningHost other(folder.Path(), repository, "OTHER");
    const std::string prepared = other.Run("set-resource-module vqsysres\nopen-session\nprepare-transaction SALES 0\n");
    EXPECT_NE(prepared.find("result: prepare-transaction 1"), std::string::npos) << prepared;
    other.Send("transaction-closed\nclose-session\n");
    EXPECT_EQ(other.Finish(), 0);
}

} // namespace
