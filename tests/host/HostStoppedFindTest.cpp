// A user of a repository on the server finds a system of a long list: the search stops inside
// the systems it has read, or inside those it asked for ahead, and every step after it works
// as before.
#include "support/PgTestServer.h"
#include "support/RunningHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(HostStoppedFindTest, StepsAfterAFindThatStoppedInsideWhatItReadAheadShowNoBox)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
    ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + uri +
                           "' --sample-scale=40,1,10 > /dev/null")
                              .c_str()),
              0);
    // Sample system 5 is in the chunk the search reads before it asks for the next ones ahead;
    // Sample system 11 in those asked ahead.
    for (const std::string name : {"Sample system 5", "Sample system 11"}) {
        SCOPED_TRACE(name);
        vqtest::TempDir folder;
        vqtest::RunningHost host(folder.Path(), uri, "USER");
        host.Run("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n");
        const struct {
            const char* what;
            std::string action;
        } steps[] = {
            {"Find", "select-row 59648 0\nexpect-dialog 143\nset-text 1403 \"" + name +
                         "\"\nclick 1\ncommand-id 57636\nidle\n"},
            {"another system selected", "select-row 59648 1\nidle\n"},
            {"Generate System", "expect-dialog 160\nclick 2\ncommand-id 32792\nidle\n"},
            {"Find Next", "command-id 57640\nidle\n"},
            {"the view reopened", "close-view\nopen-system-view\nidle\n"},
        };
        for (const auto& step : steps) {
            const std::string printed = host.Run(step.action);
            EXPECT_TRUE(vqtest::RunningHost::Boxes(printed).empty()) << step.what << "\n" << printed;
            if (step.what == std::string("Find")) {
                EXPECT_NE(printed.find("statusTextSet: " + name + "\n"), std::string::npos) << printed;
            }
        }
        EXPECT_NE(host.Printed().find("dialog: 160 "), std::string::npos) << host.Printed();
        EXPECT_EQ(host.Finish(), 0) << host.Printed();
    }
}

} // namespace
