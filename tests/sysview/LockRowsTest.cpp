// A host's Prepare of a segment read-locks what the frames' Refresh read-locks, every
// configuration's subtree, and locks each object once: on the suite's server it writes hardly
// more rows to the lock table than a Refresh of the same enterprise does.
#include "SysViewTestSupport.h"

#include "proxy/PxPostgres.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsSysApp.h"
#include "support/PgTestServer.h"

#include <cstdint>
#include <string>

namespace {

constexpr UINT ID_REFRESH = 32805;

struct LockRowsTest : SysViewTest {
    std::string uri;

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        uri = vqtest::PgTestServer::Instance().NewDatabase();
        vqrepo::CreateRepositoryFile(uri, vqrepo::SampleDescription({6, 1, 4}));
        CountLockRowsWritten();
        ASSERT_TRUE(app.OpenSession(uri.c_str(), "ABC", nullptr));
        OpenFrame();
    }

    void TearDown() override
    {
        CloseFrame();
        SysViewTest::TearDown();
    }

    // Every row the lock table takes or changes is counted.
    void CountLockRowsWritten() const
    {
        const std::size_t start = uri.find(":///") + 4;
        vqtest::PgTestServer::Instance().Run(
            uri.substr(start, uri.find('?') - start),
            "SET search_path TO vq_repository;"
            "CREATE TABLE lock_rows(written bigint NOT NULL); INSERT INTO lock_rows VALUES(0);"
            "CREATE FUNCTION count_lock_rows() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN"
            " UPDATE vq_repository.lock_rows SET written = written + (SELECT count(*) FROM rows); RETURN NULL; END$$;"
            "CREATE TRIGGER inserted AFTER INSERT ON px_lock REFERENCING NEW TABLE AS rows"
            " FOR EACH STATEMENT EXECUTE FUNCTION count_lock_rows();"
            "CREATE TRIGGER updated AFTER UPDATE ON px_lock REFERENCING NEW TABLE AS rows"
            " FOR EACH STATEMENT EXECUTE FUNCTION count_lock_rows()");
    }

    std::int64_t LockRowsWritten() const
    {
        PxPgConnection db(uri);
        return PxPgConnection::Query(db, "SELECT written FROM vq_repository.lock_rows", "count").Run().Int(0, 0);
    }

    // The lock rows the step wrote.
    template <class Step>
    std::int64_t LockRowsOf(Step step)
    {
        const std::int64_t before = LockRowsWritten();
        step();
        vqwin::PumpPending();
        return LockRowsWritten() - before;
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
