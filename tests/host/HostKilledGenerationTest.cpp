// Two hosts on one repository: a generation runs while its host lives, and reads as
// interrupted once that host is killed.
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A host that runs the lines written to it as they come; what it prints is read line by line.
class LiveHost {
public:
    LiveHost(const std::string& folder, const std::string& repository)
    {
        int input[2];
        int output[2];
        if (pipe(input) != 0 || pipe(output) != 0)
            return;
        m_pid = fork();
        if (m_pid == 0) {
            dup2(input[0], 0);
            dup2(output[1], 1);
            const int errors = open("/dev/null", O_WRONLY);
            dup2(errors, 2);
            close(input[1]);
            close(output[0]);
            setenv("VQ_GENERATION_LOG", "", 1);
            if (chdir(folder.c_str()) == 0)
                execl(std::getenv("VQSHOST"), "vqshost", "--repo", repository.c_str(), "--script", "-",
                      static_cast<char*>(nullptr));
            _exit(127);
        }
        close(input[0]);
        close(output[1]);
        m_input = input[1];
        m_output = fdopen(output[0], "r");
    }
    ~LiveHost()
    {
        Kill();
        if (m_output)
            std::fclose(m_output);
    }
    LiveHost(const LiveHost&) = delete;
    LiveHost& operator=(const LiveHost&) = delete;

    void Run(const std::string& lines) { (void)!write(m_input, lines.data(), lines.size()); }
    // Reads what the host prints up to the line; false when it ends before printing it.
    bool ReadUpTo(const std::string& wanted)
    {
        char buffer[4096];
        while (m_output && std::fgets(buffer, sizeof buffer, m_output))
            if (std::string(buffer) == wanted + "\n")
                return true;
        return false;
    }
    void Kill()
    {
        if (m_input >= 0)
            close(m_input);
        m_input = -1;
        if (m_pid <= 0)
            return;
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }

private:
    pid_t m_pid = 0;
    int m_input = -1;
    std::FILE* m_output = nullptr;
};

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

    LiveHost first(folder.Path(), "sample.vqr");
    first.Run(std::string("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n"
                          "select-row 59648 1\nidle\nexpect-dialog 160\nclick 1\ncommand-id 32792\nidle\n"
                          "client-interrupt 3\n") +
              kRestartFirstSession + "command-id 32859\nidle\nsay restarted\n");
    ASSERT_TRUE(first.ReadUpTo("say: restarted"));

    const std::string opening = "register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n"
                                "select-row 59648 1\nidle\n";
    const std::string whileRunning =
        RunScript(folder, "running",
                  opening + "expect-dialog 294\ndump\nclick 2\ncommand-id 32859\nidle\n"
                            "close-view\nclose-session\nopen-session OTHER\nopen-system-view\nidle\n"
                            "select-row 59648 1\nidle\nexpect-message 61919\nanswer IDNO\nexpect-dialog 160\n"
                            "click 1\nexpect-message 61874\ncommand-id 32792\nidle\nclose-view\nclose-session\n");
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
