// Two stand-in hosts on one repository, a file or a database of the suite's PostgreSQL
// server: one holds a segment in a host transaction, the other waits for it. The scripts and
// their transcripts are in host/lock_wait/; in host/name_taken/ the waiting one is a New
// System's Finish, and the holder makes a system of the same name meanwhile; in
// host/refused_prepare/ the host's transaction goes on after its prepare was given up. In
// host/created_in_transaction/ and host/created_in_failed_transaction/ the holder has made
// a system in its transaction, and the other host's New System of that name waits until the
// transaction closes or fails; in host/created_in_two_transactions/ both hosts make a system
// inside a transaction of their own. In host/refused_write_holds_nothing/ the file refuses a
// write of the holder's transaction after it made a system: the other host, run meanwhile,
// finds nothing of it held or stored (HostRefusedWriteTest has the same on the server). In
// host/deleted_row/ the other host deletes the system the holder has selected, and a command
// the holder gives on its row then says once which item went.
#include "support/RunningHost.h"
#include "support/PgTestServer.h"
#include "support/RefusedWrite.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using vqtest::ReadWholeFile;
using vqtest::RunningHost;

class HostLockWaitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO") || !std::getenv("VQ_SOURCE"))
            GTEST_SKIP() << "VQSHOST, VQSREPO and VQ_SOURCE name no host, tool and tree";
    }

    static std::string Script(const std::string& folder, const std::string& name)
    {
        return ReadWholeFile(std::string(std::getenv("VQ_SOURCE")) + "/tests/host/" + folder + "/" + name);
    }

    void MakeSample(const std::string& repository) const
    {
        const std::string command = "'" + std::string(std::getenv("VQSREPO")) + "' sample '" + repository + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    // Sends the host the next lines of its script: through the line "say MARK", or the rest.
    static void SendThrough(RunningHost& host, const std::string& script, std::size_t& sent,
                            const std::string& mark = "")
    {
        const std::string line = "say " + mark + "\n";
        const std::size_t end = mark.empty() ? script.size() : script.find(line, sent) + line.size();
        host.Send(script.substr(sent, end - sent));
        sent = end;
    }

    // The holder takes the segment; the waiter waits as its script says until the holder
    // lets the segment go. Neither prints an error.
    void HoldAndWait(const std::string& repository, const std::string& folder) const
    {
        const std::string holderScript = Script(folder, "holder.vqs");
        std::size_t held = 0;
        RunningHost holder(m_folder.Path(), repository, "HOLDER");
        SendThrough(holder, holderScript, held, "holding");
        ASSERT_TRUE(holder.ReadUntil("say: holding")) << holder.Printed();

        RunningHost waiter(m_folder.Path(), repository, "WAITER");
        waiter.Send(Script(folder, "waiter.vqs"));
        ASSERT_TRUE(waiter.ReadUntil("-> wait")) << waiter.Printed();
        SendThrough(holder, holderScript, held);

        EXPECT_EQ(holder.Finish(), 0);
        EXPECT_EQ(waiter.Finish(), 0);
        EXPECT_EQ(holder.Printed(), Script(folder, "holder.out"));
        EXPECT_EQ(waiter.Printed(), Script(folder, "waiter.out"));
    }

    // The holder runs its script through the line "say MARK"; the other host runs to its end
    // meanwhile; then the holder runs the rest. Each prints what its transcript says.
    void RunOtherAtMark(const std::string& repository, const std::string& folder, const std::string& mark) const
    {
        const std::string holderScript = Script(folder, "holder.vqs");
        std::size_t held = 0;
        RunningHost holder(m_folder.Path(), repository, "HOLDER");
        SendThrough(holder, holderScript, held, mark);
        ASSERT_TRUE(holder.ReadUntil("say: " + mark)) << holder.Printed();

        RunningHost other(m_folder.Path(), repository, "OTHER");
        other.Send(Script(folder, "other.vqs"));
        EXPECT_EQ(other.Finish(), 0);
        SendThrough(holder, holderScript, held);
        EXPECT_EQ(holder.Finish(), 0);
        EXPECT_EQ(holder.Printed(), Script(folder, "holder.out"));
        EXPECT_EQ(other.Printed(), Script(folder, "other.out"));
    }

    // Both hosts prepare a transaction on one segment: the second waits for the first, holding
    // the enterprise for read. Both make a system in their transaction: the first is refused
    // at once, the second goes on once the first has ended. Neither prints an error.
    void CreateInBothTransactions(const std::string& repository) const
    {
        const std::string folder = "created_in_two_transactions";
        const std::string firstScript = Script(folder, "first.vqs");
        const std::string secondScript = Script(folder, "second.vqs");
        std::size_t firstSent = 0;
        std::size_t secondSent = 0;
        RunningHost first(m_folder.Path(), repository, "FIRST");
        RunningHost second(m_folder.Path(), repository, "SECOND");
        SendThrough(first, firstScript, firstSent, "prepared");
        ASSERT_TRUE(first.ReadUntil("say: prepared")) << first.Printed();
        SendThrough(second, secondScript, secondSent, "prepared");
        ASSERT_TRUE(second.ReadUntil("-> wait")) << second.Printed();
        SendThrough(first, firstScript, firstSent, "closed");
        ASSERT_TRUE(first.ReadUntil("say: closed")) << first.Printed();
        ASSERT_TRUE(second.ReadUntil("say: prepared")) << second.Printed();
        SendThrough(second, secondScript, secondSent);
        EXPECT_EQ(second.Finish(), 0);
        SendThrough(first, firstScript, firstSent);
        EXPECT_EQ(first.Finish(), 0);
        EXPECT_EQ(first.Printed(), Script(folder, "first.out"));
        EXPECT_EQ(second.Printed(), Script(folder, "second.out"));
    }

    vqtest::TempDir m_folder;
};

TEST_F(HostLockWaitTest, AWaitOnAFileIsGivenUpWithCancelAndTheNextIsWaitedOut)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    HoldAndWait(repository, "lock_wait");
}

TEST_F(HostLockWaitTest, AWaitOnTheServerIsGivenUpWithCancelAndTheNextIsWaitedOut)
{
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    MakeSample(repository);
    HoldAndWait(repository, "lock_wait");
}

TEST_F(HostLockWaitTest, ANameTakenOnAFileWhileTheFinishWaitsIsRefusedAtThePage)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    HoldAndWait(repository, "name_taken");
}

TEST_F(HostLockWaitTest, ANameTakenOnTheServerWhileTheFinishWaitsIsRefusedAtThePage)
{
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    MakeSample(repository);
    HoldAndWait(repository, "name_taken");
}

TEST_F(HostLockWaitTest, ARenameAndACreationAfterAPrepareGivenUpOnAFileAnswerFailure)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    HoldAndWait(repository, "refused_prepare");
}

TEST_F(HostLockWaitTest, ARenameAndACreationAfterAPrepareGivenUpOnTheServerAnswerFailure)
{
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    MakeSample(repository);
    HoldAndWait(repository, "refused_prepare");
}

TEST_F(HostLockWaitTest, ASystemMadeInAPendingHostTransactionOnAFileKeepsItsNameUntilTheTransactionCloses)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    HoldAndWait(repository, "created_in_transaction");
}

TEST_F(HostLockWaitTest, ASystemMadeInAPendingHostTransactionOnTheServerKeepsItsNameUntilTheTransactionCloses)
{
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    MakeSample(repository);
    HoldAndWait(repository, "created_in_transaction");
}

TEST_F(HostLockWaitTest, ASystemMadeInAHostTransactionThatFailsOnAFileIsNotStored)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    HoldAndWait(repository, "created_in_failed_transaction");
}

TEST_F(HostLockWaitTest, ASystemMadeInAHostTransactionThatFailsOnTheServerIsNotStored)
{
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    MakeSample(repository);
    HoldAndWait(repository, "created_in_failed_transaction");
}

TEST_F(HostLockWaitTest, AHostTransactionWhoseWriteTheFileRefusedHoldsNothingBeforeItEnds)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    const vqtest::RefusedWrite refused(repository, "CLIENT");
    // The holder's transaction fails; the other host waits for nothing it held.
    RunOtherAtMark(repository, "refused_write_holds_nothing", "failed");
}

TEST_F(HostLockWaitTest, TwoHostsMakingSystemsInTheirPendingTransactionsOnAFileNeverWaitForEachOther)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    CreateInBothTransactions(repository);
}

TEST_F(HostLockWaitTest, TwoHostsMakingSystemsInTheirPendingTransactionsOnTheServerNeverWaitForEachOther)
{
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    MakeSample(repository);
    CreateInBothTransactions(repository);
}

TEST_F(HostLockWaitTest, ACommandOnASystemTheOtherHostDeletedOnAFileSaysOnceWhatWent)
{
    const std::string repository = m_folder.File("sample.vqr");
    MakeSample(repository);
    RunOtherAtMark(repository, "deleted_row", "selected");
}

TEST_F(HostLockWaitTest, ACommandOnASystemTheOtherHostDeletedOnTheServerSaysOnceWhatWent)
{
    const std::string repository = vqtest::PgTestServer::Instance().NewDatabase();
    MakeSample(repository);
    RunOtherAtMark(repository, "deleted_row", "selected");
}

} // namespace
