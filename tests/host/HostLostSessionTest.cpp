// A host whose session lost its connection to the server (the server restarted, or ended the
// session's data connection): each action shows one box that names the lost connection and
// the way out, and closing and opening the session is that way out.
#include "support/PgTestServer.h"
#include "support/RunningHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string DatabaseOf(const std::string& uri)
{
    const std::size_t name = uri.find(":///") + 4;
    return uri.substr(name, uri.find('?') - name);
}

TEST(HostLostSessionTest, EachActionOnALostConnectionShowsOneBoxSayingToCloseAndOpenTheSession)
{
    if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSHOST and VQSREPO name no host and tool";
    struct Case {
        const char* what;
        std::function<void(const std::string& uri)> lose;
    };
    const Case cases[] = {
        {"a fast restart of the server", [](const std::string&) { vqtest::PgTestServer::Instance().Restart(); }},
        {"the data connection ended",
         [](const std::string& uri) {
             vqtest::PgTestServer::Instance().Run(
                 DatabaseOf(uri), "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                                  " WHERE datname = current_database() AND pid <> pg_backend_pid()"
                                  " AND pid NOT IN (SELECT pid FROM pg_locks WHERE locktype = 'advisory')");
         }},
    };
    const std::string selectRow = "select-row 59648 2\nidle\n";
    const std::string updateCommands = "update-commands\nidle\n";
    const std::string reopenView = "close-view\nopen-system-view\nidle\n";
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        vqtest::TempDir folder;
        const std::string uri = vqtest::PgTestServer::Instance().NewDatabase();
        ASSERT_EQ(std::system(("'" + std::string(std::getenv("VQSREPO")) + "' sample '" + uri + "'").c_str()), 0);
        vqtest::RunningHost host(folder.Path(), uri, "USER");
        host.Run("register-wyr\nset-resource-module vqsysres\nopen-session\nopen-system-view\nidle\n"
                 "select-row 59648 1\nidle\n");
        row.lose(uri);
        for (const std::string& action : {selectRow, updateCommands, reopenView}) {
            const std::vector<std::string> boxes = vqtest::RunningHost::Boxes(host.Run(action));
            ASSERT_EQ(boxes.size(), 1u) << action << host.Printed();
            EXPECT_NE(boxes[0].find("the connection to the server of " + uri + " was lost."), std::string::npos)
                << boxes[0];
            EXPECT_NE(boxes[0].find("close the session and open it again"), std::string::npos) << boxes[0];
            EXPECT_EQ(boxes[0].find("Unexpected error"), std::string::npos) << boxes[0];
        }
        const std::string reopened = host.Run("close-view\nclose-session\nopen-session\nopen-system-view\nidle\n" +
                                              selectRow + "dump\n");
        EXPECT_TRUE(vqtest::RunningHost::Boxes(reopened).empty()) << reopened;
        EXPECT_NE(reopened.find("Sample system 2"), std::string::npos) << reopened;
        EXPECT_EQ(host.Finish(), 0) << vqtest::RunningHost::WithoutUpdates(host.Printed());
    }
}

} // namespace
