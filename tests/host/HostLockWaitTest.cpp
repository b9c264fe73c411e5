// Two stand-in hosts on one repository, a file or a database of the suite's PostgreSQL
// server: one holds a segment in a host transaction, the other waits for it. The scripts and
// their transcripts are in host/lock_wait/; in host/name_taken/ the waiting one is a New
// System's Finish, and the holder makes a system of the same name meanwhile; in
// host/refused_prepare/ the host's transaction goes on after its prepare was given up.
#include "support/RunningHost.h"
#include "support/PgTestServer.h"
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

    // The holder takes the segment; the waiter waits as its script says until the holder
    // lets the segment go. Neither prints an error.
    void HoldAndWait(const std::string& repository, const std::string& folder) const
    {
        const std::string holderScript = Script(folder, "holder.vqs");
        const std::size_t held = holderScript.find("say holding\n") + std::string("say holding\n").size();
        RunningHost holder(m_folder.Path(), repository, "HOLDER");
        holder.Send(holderScript.substr(0, held));
        ASSERT_TRUE(holder.ReadUntil("say: holding")) << holder.Printed();

        RunningHost waiter(m_folder.Path(), repository, "WAITER");
        waiter.Send(Script(folder, "waiter.vqs"));
        ASSERT_TRUE(waiter.ReadUntil("-> wait")) << waiter.Printed();
        holder.Send(holderScript.substr(held));

        EXPECT_EQ(holder.Finish(), 0);
        EXPECT_EQ(waiter.Finish(), 0);
        EXPECT_EQ(holder.Printed(), Script(folder, "holder.out"));
        EXPECT_EQ(waiter.Printed(), Script(folder, "waiter.out"));
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

} // namespace
