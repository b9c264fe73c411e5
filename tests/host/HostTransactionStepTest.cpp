// A host's transaction on a repository file and on the suite's server, as a host and its user
// meet it. A step answered 0 because the user cancelled its question takes only itself: the
// steps answered 1 before and after it stand (host/cancelled_host_step.vqs, the same
// transcript on both). A write the repository refuses fails the whole transaction: until the
// host ends it, its later steps answer 0, a new prepare included, Transaction Closed stores
// nothing of it, and each of the user's own steps is refused with one box; once the host has
// ended it, they work.
#include "support/PgTestServer.h"
#include "support/RefusedWrite.h"
#include "support/RunningHost.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using vqtest::CountOf;
using vqtest::RunningHost;

// The answers the host printed ("result: " lines), in order.
std::vector<std::string> Results(const std::string& printed)
{
    std::vector<std::string> results;
    std::istringstream lines(printed);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("result: ", 0) == 0)
            results.push_back(line.substr(8));
    return results;
}

// Whether the host showed one error box, naming a refusal that rolled the transaction back.
bool OneRefusal(const std::string& printed)
{
    const std::vector<std::string> boxes = RunningHost::ErrorBoxes(printed);
    return boxes.size() == 1 && boxes[0].find("The transaction was rolled back.") != std::string::npos;
}

const std::string kStart = "set-resource-module vqsysres\nopen-session\n";
// CUSTOMER's rename meets the refused write.
const std::string kRefusedRename = "prepare-transaction SALES 0\nrename LSEREPORT QUARTERLY MONTHLY SALES\n"
                                   "rename LSECOMPONENT CLIENT CUSTOMER SALES\n";

class HostTransactionStepTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        if (!std::getenv("VQSHOST") || !std::getenv("VQSREPO") || !std::getenv("VQ_SOURCE"))
            GTEST_SKIP() << "VQSHOST, VQSREPO and VQ_SOURCE name no host, tool and tree";
        m_repository = GetParam() ? vqtest::PgTestServer::Instance().NewDatabase() : m_folder.File("sample.vqr");
        ASSERT_EQ(std::system(("'" + Tool() + "' sample '" + m_repository + "'").c_str()), 0);
    }

    static std::string Tool() { return std::getenv("VQSREPO"); }
    static std::string Source(const std::string& name)
    {
        return vqtest::ReadWholeFile(std::string(std::getenv("VQ_SOURCE")) + "/tests/host/" + name);
    }

    std::string Dump() const { return vqtest::DumpOf(m_repository); }

    vqtest::TempDir m_folder;
    std::string m_repository;
};

TEST_P(HostTransactionStepTest, TheCancelledQuestionOfARenameOrACreationTakesOnlyItsOwnStep)
{
    const std::string before = Dump();
    RunningHost host(m_folder.Path(), m_repository, "USER");
    host.Send(Source("cancelled_host_step.vqs"));
    EXPECT_EQ(host.Finish(), 0);
    EXPECT_EQ(host.Printed(), Source("cancelled_host_step.out"));
    const std::string after = Dump();
    for (const char* renamed : {"ORDER2", "QUARTERLY", "YEARLY"})
        EXPECT_EQ(CountOf(after, std::string("name = \"") + renamed + "\"\n"), 2u) << renamed << " in both systems";
    EXPECT_EQ(CountOf(after, "name = \"CUSTOMER\"\n"), CountOf(before, "name = \"CUSTOMER\"\n"))
        << "neither renamed nor created";
    EXPECT_EQ(CountOf(after, "unusedMark = 1\n"), CountOf(before, "unusedMark = 1\n")) << "nothing kept unused";
}

TEST_P(HostTransactionStepTest, AfterARefusedWriteASecondPrepareAndItsRenameAnswerZeroAndClosedStoresNothing)
{
    const vqtest::RefusedWrite refused(m_repository, "CLIENT");
    RunningHost host(m_folder.Path(), m_repository, "USER");
    const std::string printed = host.Run(kStart + kRefusedRename +
                                         "prepare-transaction SALES 0\nrename LSEREPORT YEARLY DAILY SALES\n"
                                         "transaction-closed\n");
    EXPECT_TRUE(OneRefusal(printed)) << printed;
    const std::vector<std::string> results = {"set-resource-module 1", "open-session 1", "prepare-transaction 1",
                                              "rename 1",              "rename 0",       "prepare-transaction 0",
                                              "rename 0"};
    EXPECT_EQ(Results(printed), results);
    const std::string stored = Dump();
    for (const char* renamed : {"\"QUARTERLY\"", "\"YEARLY\"", "\"CLIENT\""})
        EXPECT_EQ(stored.find(renamed), std::string::npos) << renamed;
}

TEST_P(HostTransactionStepTest, AfterARefusedWriteEachOfTheUsersStepsShowsOneBoxUntilTheHostEndsTheTransaction)
{
    const std::string openView = "open-system-view\nidle\n";
    const std::string deleteThirdSystem =
        "select-row 59648 3\nidle\ncommand-id 57632\nexpect-message 61908\nanswer IDNO\nidle\n";
    const std::string systemOptions = "select-row 59648 1\nidle\nexpect-dialog 142\n"
                                      "set-text 1395 \"CHANGED SYSTEM\"\nclick 1\ncommand-id 32772\nidle\n";
    std::unique_ptr<vqtest::RefusedWrite> refused = std::make_unique<vqtest::RefusedWrite>(m_repository, "CLIENT");
    RunningHost host(m_folder.Path(), m_repository, "USER");
    ASSERT_TRUE(OneRefusal(host.Run(kStart + openView + kRefusedRename)));
    refused.reset();
    for (const std::string& step : {deleteThirdSystem, systemOptions}) {
        const std::string printed = host.Run(step);
        EXPECT_TRUE(OneRefusal(printed)) << printed;
        EXPECT_NE(printed.find("Cannot begin transaction"), std::string::npos) << printed;
    }
    const std::string refusedSteps = Dump();
    EXPECT_NE(refusedSteps.find("Sample system 3"), std::string::npos);
    EXPECT_EQ(refusedSteps.find("CHANGED SYSTEM"), std::string::npos);

    host.Run("transaction-failed\nidle\n");
    for (const std::string& step : {deleteThirdSystem, systemOptions}) {
        const std::string printed = host.Run(step);
        EXPECT_TRUE(RunningHost::ErrorBoxes(printed).empty()) << printed;
    }
    const std::string done = Dump();
    EXPECT_EQ(done.find("Sample system 3"), std::string::npos);
    EXPECT_NE(done.find("CHANGED SYSTEM"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Stores, HostTransactionStepTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Server" : "File"; });

} // namespace
