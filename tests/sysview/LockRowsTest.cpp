// A host's Prepare of a segment read-locks what the frames' Refresh read-locks, every
// configuration's subtree, and locks each object once: on the suite's server it writes hardly
// more rows to the lock table than a Refresh of the same enterprise does.
#include "SysViewTestSupport.h"

#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsSysApp.h"
#include "support/LockRowsCounter.h"
#include "support/PgTestServer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace {

constexpr UINT ID_REFRESH = 32805;

struct LockRowsTest : SysViewTest {
    std::string uri;
    std::optional<vqtest::LockRowsCounter> counter;

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        uri = vqtest::PgTestServer::Instance().NewDatabase();
        vqrepo::CreateRepositoryFile(uri, vqrepo::SampleDescription({6, 1, 4}));
        counter.emplace(uri);
        ASSERT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
        OpenFrame();
    }

    void TearDown() override
    {
        CloseFrame();
        SysViewTest::TearDown();
    }

    // The lock rows the step wrote.
    template <class Step>
    std::int64_t LockRowsOf(Step step)
    {
        const std::int64_t before = counter->Written();
        step();
        vqwin::PumpPending();
        return counter->Written() - before;
    }
};

TEST_F(LockRowsTest, AHostsPrepareWritesAtMostATenthMoreLockRowsThanARefresh)
{
    const std::int64_t refresh = LockRowsOf([&] { frame->SendMessage(WM_COMMAND, ID_REFRESH, 0); });
    const std::int64_t prepare = LockRowsOf([&] {
        ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
        app.TransactionClosed();
    });
    EXPECT_GT(refresh, 6 * 10) << "every system down to its option records";
    EXPECT_LE(prepare * 10, refresh * 11) << prepare << " rows against " << refresh;
}

} // namespace
