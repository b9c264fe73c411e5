// A host on a repository on the server whose connections the server ends while the user
// works: each action that meets the loss, Generate System or a click that fills a pane among
// them, shows one box, and it names the lost connection.
#include "support/RunningHost.h"
#include "support/PgTestServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

TEST(HostDeadConnectionTest, EachActionOnALostConnectionShowsOneBoxNamingTheLoss)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    const std::string others = "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                               " WHERE datname = current_database() AND pid <> pg_backend_pid()";
    const std::string lockConnection = "SELECT pg_terminate_backend(pid, 10000) FROM pg_locks"
                                       " WHERE locktype = 'advisory' AND objsubid = 1 AND granted";
    const std::string systemClicked = "select-row 59648 1\nidle\n";
    const std::string generate = "expect-dialog 160\nclick 1\ncommand-id 32792\nidle\n";
    // The system's generate sets are read as the system is clicked; the segment shows below it.
    const std::string segmentClicked = "select-row 59648 1\nidle\ncommand-id 32797\nidle\nselect-row 59648 2\nidle\n";
    struct Case {
        const char* what;
        std::string lost;                // what the server ends
        std::string before;              // what the user did before
        std::vector<std::string> after;  // the actions that meet the loss, one box each
    };
    const Case cases[] = {
        {"both connections", others, systemClicked, {"command-id 32792\nidle\n"}},
        {"the lock connection", lockConnection, systemClicked, {generate}},
        {"both connections while a generation runs", others, systemClicked + generate, {"command-id 32792\nidle\n"}},
        {"the lock connection while a generation runs", lockConnection, systemClicked + generate, {generate}},
        {"the lock connection, the system clicked after", lockConnection, systemClicked,
         {"select-row 59648 0\nidle\nselect-row 59648 1\nidle\n", generate}},
        {"the lock connection, a segment's Options", lockConnection, "", {segmentClicked, "command-id 32772\nidle\n"}},
        {"the lock connection, Generate System of a system clicked after", lockConnection, "",
         {systemClicked, "command-id 32792\nidle\n"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        vqtest::TempDir folder;
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + uri + "'").c_str()), 0);
        vqtest::RunningHost host(folder.Path(), uri, "USER");
        host.Run("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n" + row.before);
        const std::size_t name = uri.find(":///") + 4;
        vqtest::PgTestServer::Instance().Run(uri.substr(name, uri.find('?') - name), row.lost);
        for (const std::string& action : row.after) {
            const std::string printed = host.Run(action);
            const std::vector<std::string> boxes = vqtest::RunningHost::Boxes(printed);
            ASSERT_EQ(boxes.size(), 1u) << action << printed;
            EXPECT_NE(boxes[0].find("the connection to the server of " + uri + " was lost."), std::string::npos)
                << boxes[0];
        }
        host.Finish();
    }
}

} // namespace
