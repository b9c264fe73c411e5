// A host on a repository on the server whose connections the server ends while the user
// works: Generate System then shows one box, and it names the lost connection.
#include "support/RunningHost.h"
#include "support/PgTestServer.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

TEST(HostDeadConnectionTest, AGenerateSystemOnALostConnectionShowsOneBoxNamingTheLoss)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    const std::string others = "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                               " WHERE datname = current_database() AND pid <> pg_backend_pid()";
    const std::string lockConnection = "SELECT pg_terminate_backend(pid, 10000) FROM pg_locks"
                                       " WHERE locktype = 'advisory' AND objsubid = 1 AND granted";
    const std::string generate = "expect-dialog 160\nclick 1\ncommand-id 32792\nidle\n";
    struct Case {
        const char* what;
        std::string lost;      // what the server ends
        std::string before;    // what the user did before
        std::string attempt;   // the Generate System that meets the loss
    };
    const Case cases[] = {
        {"both connections", others, "", "command-id 32792\nidle\n"},
        {"the lock connection", lockConnection, "", generate},
        {"both connections while a generation runs", others, generate, "command-id 32792\nidle\n"},
        {"the lock connection while a generation runs", lockConnection, generate, generate},
        {"the lock connection, the system clicked after", lockConnection, "",
         "select-row 59648 0\nidle\nselect-row 59648 1\nidle\n" + generate},
    };
    for (const Case& row : cases) {
        vqtest::TempDir folder;
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + uri + "'").c_str()), 0);
        vqtest::RunningHost host(folder.Path(), uri, "USER");
        host.Send("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n"
                  "select-row 59648 1\nidle\n" +
                  row.before + "say working\n");
        ASSERT_TRUE(host.ReadUntil("say: working")) << row.what << "\n" << host.Printed();
        const std::size_t start = host.Printed().size();
        const std::size_t name = uri.find(":///") + 4;
        vqtest::PgTestServer::Instance().Run(uri.substr(name, uri.find('?') - name), row.lost);
        host.Send(row.attempt + "say done\n");
        ASSERT_TRUE(host.ReadUntil("say: done")) << row.what << "\n" << host.Printed();
        const std::vector<std::string> boxes = vqtest::RunningHost::Boxes(host.Printed().substr(start));
        ASSERT_EQ(boxes.size(), 1u) << row.what << "\n" << host.Printed().substr(start);
        EXPECT_NE(boxes[0].find("the connection to the server of " + uri + " was lost."), std::string::npos)
            << row.what << "\n" << boxes[0];
        host.Finish();
    }
}

} // namespace
