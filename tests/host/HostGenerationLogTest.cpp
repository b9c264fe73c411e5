#include "HostGenerationLog.h"

#include "support/PgTestServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

TEST(HostGenerationLogTest, TheLogIsNamedAfterTheRepositoryOrAsConfigured)
{
    struct Case {
        const char* repository;
        const char* configured;
        const char* log;
    };
    const Case cases[] = {
        {"repos/sample.vqr", nullptr, "repos/sample.vqr.genlog"},
        {"sample.vqr", "", "sample.vqr.genlog"},
        {"repos/sample.vqr", "/logs/generations.log", "/logs/generations.log"},
        {"postgresql://vq@db.example:5432/team", nullptr, "team.genlog"},
        {"postgresql:///vq_12?host=/run/pg&user=vq", nullptr, "vq_12.genlog"},
        {"postgres://db.example/sales%20team?sslmode=require", nullptr, "sales_20team.genlog"},
        {"postgresql://db.example?dbname=team&user=vq", nullptr, "team.genlog"},
        {"postgresql://db.example", nullptr, "postgresql.genlog"},
        {"postgresql://db.example/../../etc/x", nullptr, ".._.._etc_x.genlog"},
        {"postgresql://db.example/team", "/logs/team.log", "/logs/team.log"},
        {"", nullptr, ""},
        {"", "/logs/generations.log", "/logs/generations.log"},
    };
    for (const Case& row : cases)
        EXPECT_EQ(GenerationLogPath(row.repository, row.configured), row.log) << row.repository;
}

// Runs the host in the folder; its exit status, what it printed in out.txt and err.txt.
int RunHost(const vqtest::TempDir& folder, const std::string& arguments, const std::string& environment = "")
{
    const std::string command = "cd '" + folder.Path() + "' && " + environment + " '" + std::getenv("VQSHOST") +
                                "' " + arguments + " >out.txt 2>err.txt";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class HostRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO") || !std::getenv("VQ_SOURCE"))
            GTEST_SKIP() << "VQSHOST, VQSREPO and VQ_SOURCE name no host, tool and tree";
    }

    vqtest::TempDir m_folder;
};

TEST_F(HostRunTest, AGenerationOnAServerRepositoryIsLoggedUnderTheDatabasesNameInTheWorkingFolder)
{
    const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
    const std::size_t name = uri.find(":///") + 4;
    const std::string database = uri.substr(name, uri.find('?') - name);
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + uri + "'").c_str()), 0);
    const std::string script = std::string(std::getenv("VQ_SOURCE")) + "/tests/host/generate_system.vqs";

    EXPECT_EQ(RunHost(m_folder, "--repo '" + uri + "' --script '" + script + "'", "VQ_GENERATION_LOG="), 0)
        << m_folder.Read("err.txt");
    const std::string request = "generation 1: kind 2 genset \"NTGEN\" host \"NTHOST\"";
    EXPECT_NE(m_folder.Read("out.txt").find("genlog: " + request), std::string::npos) << m_folder.Read("out.txt");
    EXPECT_EQ(m_folder.Read(database + ".genlog").find(request), 0U);
}

TEST_F(HostRunTest, AGenerationLogThatCannotBeWrittenStopsTheHostBeforeItStarts)
{
    const std::string log = m_folder.File("missing/generations.log");
    EXPECT_EQ(RunHost(m_folder, "--repo sample.vqr --script -", "VQ_GENERATION_LOG='" + log + "'"), 2);
    EXPECT_EQ(m_folder.Read("err.txt").find("vqshost: cannot write the generation log " + log +
                                            ": No such file or directory\n"),
              0U)
        << m_folder.Read("err.txt");
    EXPECT_EQ(m_folder.Read("out.txt"), "");
}

} // namespace
