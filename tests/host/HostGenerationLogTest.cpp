#include "HostGenerationLog.h"
#include "support/RunningHost.h"

#include "support/PgTestServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>
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

TEST(HostGenerationLogTest, TheLogIsReadWhenItCanBeAndWithinItsBound)
{
    vqtest::TempDir folder;
    {
        std::ofstream log(folder.File("two.genlog"));
        log << "generation 1: kind 2\ncancel 1: reason\n";
    }
    {
        std::ofstream log(folder.File("long.genlog"));
        log << std::string(64, 'x') << '\n';
    }
    struct Case {
        std::string path;
        std::size_t limit;
        bool read;
        std::string problem;
    };
    const Case cases[] = {
        {folder.File("two.genlog"), kGenerationLogLimit, true, ""},
        {folder.File("long.genlog"), 64, false, "it holds more than 64 bytes"},
        {"/dev/zero", kGenerationLogLimit, false, "it holds more than 4194304 bytes"},
        {folder.File("missing.genlog"), kGenerationLogLimit, false, "No such file or directory"},
        {folder.Path(), kGenerationLogLimit, false, "Is a directory"},
    };
    for (const Case& row : cases) {
        std::vector<std::string> lines;
        std::string problem;
        EXPECT_EQ(ReadGenerationLog(row.path, lines, problem, row.limit), row.read) << row.path;
        EXPECT_EQ(problem, row.problem) << row.path;
        if (row.read) {
            EXPECT_EQ(lines, (std::vector<std::string>{"generation 1: kind 2", "cancel 1: reason"}));
        }
    }
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

TEST_F(HostRunTest, ASecondHostOnTheRepositoryKeepsTheLogOfTheFirstOnesGeneration)
{
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + m_folder.File("sample.vqr") + "'")
                              .c_str()),
              0);
    const std::string script = std::string(std::getenv("VQ_SOURCE")) + "/tests/host/generate_system.vqs";
    ASSERT_EQ(RunHost(m_folder, "--repo sample.vqr --script '" + script + "'", "VQ_GENERATION_LOG="), 0)
        << m_folder.Read("err.txt");

    m_folder.Write("second.vqs", "generation-log\n");
    EXPECT_EQ(RunHost(m_folder, "--repo sample.vqr --script second.vqs", "VQ_GENERATION_LOG="), 0)
        << m_folder.Read("out.txt");
    const std::string request = "genlog: generation 1: kind 2 genset \"NTGEN\" host \"NTHOST\"";
    EXPECT_EQ(m_folder.Read("out.txt").find(request), 0U) << m_folder.Read("out.txt");
}

// The genlog lines a host printed, without their "genlog: ".
std::vector<std::string> LogLines(const std::string& printed)
{
    std::vector<std::string> lines;
    std::istringstream text(printed);
    for (std::string line; std::getline(text, line);) {
        if (line.rfind("genlog: ", 0) == 0)
            lines.push_back(line.substr(8));
    }
    return lines;
}

TEST_F(HostRunTest, TheGenerationsOfTwoHostsAtOnceAreToldApartInTheLogTheyShare)
{
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + m_folder.File("sample.vqr") + "'")
                              .c_str()),
              0);
    // Each host generates a system of its own: SYS1's NTGEN, SYS2's NTGEN.
    auto generate = [](int row) {
        return "register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\nselect-row 59648 " +
               std::to_string(row) + "\nidle\nexpect-dialog 160\nclick 1\ncommand-id 32792\nidle\nsay generating\n";
    };
    vqtest::RunningHost first(m_folder.Path(), "sample.vqr", "FIRST");
    first.Send(generate(1));
    ASSERT_TRUE(first.ReadUntil("say: generating")) << first.Printed();
    vqtest::RunningHost second(m_folder.Path(), "sample.vqr", "SECOND");
    second.Send(generate(2) + "client-progress 3 done\n");
    EXPECT_EQ(second.Finish(), 0) << second.Printed();
    first.Send("client-progress 3 done\ngeneration-log\n");
    EXPECT_EQ(first.Finish(), 0) << first.Printed();

    const std::vector<std::string> lines = LogLines(first.Printed());
    ASSERT_EQ(lines.size(), 4u) << first.Printed();
    const std::string firstSession = lines[0].substr(lines[0].rfind(" ("));
    const std::string secondSession = lines[1].substr(lines[1].rfind(" ("));
    EXPECT_NE(firstSession, secondSession);
    EXPECT_EQ(lines[0].rfind("generation 1: kind 2 genset \"NTGEN\"", 0), 0u) << lines[0];
    EXPECT_EQ(lines[1].rfind("generation 1: kind 2 genset \"NTGEN\"", 0), 0u) << lines[1];
    EXPECT_EQ(lines[2], "finish 1" + secondSession);
    EXPECT_EQ(lines[3], "finish 1" + firstSession);
}

TEST_F(HostRunTest, ALogOnADeviceThatNeverEndsIsAScriptErrorNotARunOutOfMemory)
{
    m_folder.Write("log.vqs", "generation-log\n");
    EXPECT_EQ(RunHost(m_folder, "--script log.vqs", "VQ_GENERATION_LOG=/dev/zero"), 1);
    EXPECT_EQ(m_folder.Read("out.txt"),
              "error: line 1: generation-log: cannot read the generation log /dev/zero: it holds more than 4194304 bytes\n");
}

// The folder for temporary files that is missing is named, so that the user knows what to
// make.
TEST_F(HostRunTest, AMissingFolderForTemporaryFilesIsNamedWhenTheSessionCannotOpen)
{
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + m_folder.File("sample.vqr") + "'")
                              .c_str()),
              0);
    m_folder.Write("open.vqs", "set-resource-module vqsysres\nopen-session\n");
    const std::string missing = m_folder.File("missing");
    const std::string environment = "TEMP= TMPDIR='" + missing + "' VQ_GENERATION_LOG= VQ_COM_REGISTRY='" +
                                    m_folder.File("com.ini") + "'";
    EXPECT_EQ(RunHost(m_folder, "--repo sample.vqr --script open.vqs", environment), 0);
    const std::string named =
        "the folder for temporary files cannot be used: No such file or directory [" + missing + "]";
    EXPECT_NE(m_folder.Read("out.txt").find(named), std::string::npos) << m_folder.Read("out.txt");
}

// Under the sanitizers the leak check ran at the end of such a run over the thread-local
// storage the module left behind when the host unloaded it, and crashed.
TEST_F(HostRunTest, AfterADamagedRepositoryIsRefusedTheHostStillEndsWithItsOwnStatus)
{
    m_folder.Write("damaged.vqr", "this is not a repository\n");
    m_folder.Write("use.vqs", "set-resource-module vqsysres\n"
                              "open-session\n"
                              "open-system-view\n"
                              "open-host-view\n"
                              "go \"SYSTEM SYS1\"\n"
                              "automation-create\n"
                              "automation GetProperty SYS1.NTGEN.Generate.DatabaseName\n"
                              "automation-release\n"
                              "close-view\n"
                              "use-view 1\n"
                              "close-view\n");
    const std::string environment = "VQ_GENERATION_LOG= VQ_COM_REGISTRY='" + m_folder.File("com.ini") + "'";
    EXPECT_EQ(RunHost(m_folder, "--repo damaged.vqr --script use.vqs", environment), 0)
        << m_folder.Read("out.txt") << m_folder.Read("err.txt");
}

} // namespace
