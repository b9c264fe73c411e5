// Two and three stand-in hosts on one repository, a file or a database of the suite's
// PostgreSQL server: a running generation keeps its recovery session from every host, a
// second generation of the user beside an interrupted one's hold is refused and the session's
// Delete gives the hold back, and a report generation holds its set as a system generation does. Each case ends with the set
// free. The scripts and their transcripts are in host/generation_hosts/.
#include "support/RunningHost.h"
#include "support/PgTestServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using vqtest::ReadWholeFile;
using vqtest::RunningHost;

constexpr char kRunning[] = "say running\n";

class HostGenerationSessionTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO") || !std::getenv("VQ_SOURCE"))
            GTEST_SKIP() << "VQSHOST, VQSREPO and VQ_SOURCE name no host, tool and tree";
        m_repository = GetParam() ? vqtest::PgTestServer::Instance().NewDatabase() : m_folder.File("sample.vqr");
        const std::string command = "'" + std::string(std::getenv("VQSREPO")) + "' sample '" + m_repository + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }

    static std::string Script(const std::string& name)
    {
        return ReadWholeFile(std::string(std::getenv("VQ_SOURCE")) + "/tests/host/generation_hosts/" + name);
    }

    // A host that runs its script up to "say running" and waits there for the rest.
    void RunUpToRunning(RunningHost& host, const std::string& name) const
    {
        const std::string script = Script(name + ".vqs");
        host.Send(script.substr(0, script.find(kRunning) + sizeof kRunning - 1));
        ASSERT_TRUE(host.ReadUntil("say: running")) << host.Printed();
    }

    void RunTheRest(RunningHost& host, const std::string& name) const
    {
        const std::string script = Script(name + ".vqs");
        host.Send(script.substr(script.find(kRunning) + sizeof kRunning - 1));
        EXPECT_EQ(host.Finish(), 0);
        EXPECT_EQ(host.Printed(), Script(name + ".out"));
    }

    // A host that runs the whole script as the user.
    void RunWhole(const std::string& name, const std::string& user) const
    {
        RunningHost host(m_folder.Path(), m_repository, user);
        host.Send(Script(name + ".vqs"));
        EXPECT_EQ(host.Finish(), 0);
        EXPECT_EQ(host.Printed(), Script(name + ".out")) << name;
    }

    vqtest::TempDir m_folder;
    std::string m_repository;
};

TEST_P(HostGenerationSessionTest, ARunningRestartIsNeitherOfferedNorDeletedOnAnotherHostAndIsRestartableOnceItStops)
{
    RunningHost restarting(m_folder.Path(), m_repository, "USER");
    RunUpToRunning(restarting, "restarting");
    RunWhole("looking", "OTHER");
    RunTheRest(restarting, "restarting");
    RunWhole("restarting_after", "OTHER");
}

// No other generation of CAROL's runs beside her interrupted one's hold: her report generation
// is refused, naming the session, which ALICE then deletes with its hold.
TEST_P(HostGenerationSessionTest, ASessionDeletedAfterASecondGenerationOfItsSetWasRefusedGivesBackItsHold)
{
    RunWhole("interrupted", "CAROL");
    RunWhole("reporting_refused", "CAROL");
    RunWhole("deleting", "ALICE");
    RunWhole("generating", "CAROL");
}

TEST_P(HostGenerationSessionTest, ARunningReportGenerationHoldsItsSetAndSystemAgainstDeleteAndNamesItself)
{
    RunningHost reporting(m_folder.Path(), m_repository, "BOB");
    RunUpToRunning(reporting, "reporting");
    RunWhole("refused_delete", "ALICE");
    RunTheRest(reporting, "reporting");
    RunWhole("generating", "ALICE");
}

INSTANTIATE_TEST_SUITE_P(OnAFileAndOnTheServer, HostGenerationSessionTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Server" : "File";
                         });

} // namespace
