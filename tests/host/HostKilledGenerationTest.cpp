// Two hosts on one repository: a generation runs while its host lives, and reads as
// interrupted once that host is killed.
#include "support/RunningHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Runs a script to its end in the folder; what it printed.
std::string RunScript(const vqtest::TempDir& folder, const std::string& name, const std::string& script)
{
    folder.Write(name + ".vqs", script);
    const std::string command = "cd '" + folder.Path() + "' && VQ_GENERATION_LOG= '" + std::getenv("VQSHOST") +
                                "' --repo sample.vqr --script " + name + ".vqs >" + name + ".txt 2>/dev/null";
    (void)!std::system(command.c_str());
    return folder.Read(name + ".txt");
}

const char* const kRestartFirstSession = "expect-dialog 294\n"
                                         "select 32853 0\n"
                                         "click 33025\n";

TEST(HostKilledGenerationTest, AGenerationRunsWhileItsHostLivesAndCanBeRestartedOnceItIsKilled)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    vqtest::TempDir folder;
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + folder.File("sample.vqr") + "'")
                              .c_str()),
              0);

    vqtest::RunningHost first(folder.Path(), "sample.vqr", "USER");
    first.Send(std::string("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n"
                          "select-row 59648 1\nidle\nexpect-dialog 160\nclick 1\ncommand-id 32792\nidle\n"
                          "client-interrupt 3\n") +
              kRestartFirstSession + "command-id 32859\nidle\nsay restarted\n");
    ASSERT_TRUE(first.ReadUntil("say: restarted")) << first.Printed();

    const std::string opening = "register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n"
                                "select-row 59648 1\nidle\n";
    const std::string whileRunning =
        RunScript(folder, "running",
                  opening + "expect-dialog 294\ndump\nclick 2\ncommand-id 32859\nidle\n"
                            "close-view\nclose-session\nopen-session OTHER\nopen-system-view\nidle\n"
                            "select-row 59648 1\nidle\nexpect-message 61874\ncommand-id 32792\nidle\n"
                            "close-view\nclose-session\n");
    EXPECT_EQ(whileRunning.find("error:"), std::string::npos) << whileRunning;
    EXPECT_NE(whileRunning.find("dump:   32853 SysListView32 \"\" 0 items"), std::string::npos)
        << "the running restart is not offered" << whileRunning;

    first.Kill();

    const std::string afterKill =
        RunScript(folder, "killed",
                  opening + kRestartFirstSession + "command-id 32859\nidle\ngeneration-log\nclose-view\nclose-session\n");
    EXPECT_EQ(afterKill.find("error:"), std::string::npos) << afterKill;
    EXPECT_EQ(afterKill.find("msgbox:"), std::string::npos) << afterKill;
    EXPECT_NE(afterKill.find("message: statusTextSet: Restarting Generate process..."), std::string::npos) << afterKill;
    EXPECT_NE(afterKill.find("genlog: generation 2: kind 4 genset \"NTGEN\""), std::string::npos)
        << "the killed host's restart" << afterKill;
    EXPECT_NE(afterKill.find("genlog: generation 1: kind 4 genset \"NTGEN\""), std::string::npos)
        << "this host's restart" << afterKill;
}

} // namespace
