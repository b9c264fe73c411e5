// Prepares of the host's transaction after the first, on a file and on the suite's server:
// they lock as the first does and write nothing the user did not change. The QSR Ispec records
// of the enterprise are given their subsystem numbers while the transaction is open, each
// record whose number differs once; a record that carries its number is left alone.
#include "../shell/ShellTestSupport.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxSqlite.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "support/PgTestServer.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The round trips the numbering of a Prepare inside the host's transaction adds to its locks:
// its reads of the configurations' segment links, of their element links, of those links' names
// alone, of the records' links and of the design segments' elements and subsystems, each of all
// of them together (a few a design segment at most), however many records there are.
constexpr std::int64_t kNumberingTrips = 17;

struct RepeatedPrepareTest : ShellTest, ::testing::WithParamInterface<bool> {
    std::string repository;

    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(app.SetResourceModule("vqsysres"));
        app.SetIniPath(dir.File("vqsys.ini").c_str());
    }

    void TearDown() override
    {
        if (app.IsTransactionPending())
            app.TransactionFailed();
        app.CloseSession();
    }

    // A session on a new repository of the sample with that many systems a segment.
    void Open(int systemsOfASegment)
    {
        app.CloseSession();
        repository = GetParam() ? vqtest::PgTestServer::Instance().NewDatabase()
                                : dir.File("sample" + std::to_string(systemsOfASegment) + ".vqr");
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription({systemsOfASegment, 3, 0}));
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
    }

    // The editions of every object of the repository added up, as stored: a step of any
    // object's edition raises it.
    std::int64_t StoredEditions() const
    {
        const char* sql = "SELECT coalesce(sum(edition), 0) FROM px_object";
        if (!GetParam()) {
            PxDatabase db(repository, false, PxAccess::ReadOnly);
            PxQuery query(db, sql, "editions");
            return query.Step() ? query.Int(0) : 0;
        }
        PxPgConnection db(repository);
        db.Execute("SET search_path TO vq_repository", "schema");
        return PxPgConnection::Query(db, sql, "editions").Run().Int(0, 0);
    }

    std::string CustomerNumber() const
    {
        const PxVQCurConfigPtr config = app.GetEnterprise()->GetSystem("SYS1")->GetCurConfig();
        return std::string(PxQSRIspecOptionsPtr(config->GetOptionSet("QSRGEN")->GetOptions(
                                                    PxVQSoftLinkPtr(config->GetBSSoftLink("SALES")->GetElementSoftLink("CUSTOMER"))))
                               ->GetSubsystemNum());
    }

    // The round trips to the server of a Prepare of SALES in the host's transaction.
    std::int64_t TripsOfPrepare()
    {
        const std::int64_t before = PxPgConnection::RoundTrips();
        EXPECT_TRUE(app.PrepareForTransaction("SALES", 0));
        return PxPgConnection::RoundTrips() - before;
    }

    // A host transaction of that many Prepares, closed: how many more round trips the costliest
    // Prepare after the first made than the first (which numbers nothing, no transaction being
    // open yet).
    std::int64_t HostTransactionOf(int prepares)
    {
        const std::int64_t first = TripsOfPrepare();
        std::int64_t most = first;
        for (int later = 1; later < prepares; ++later)
            most = std::max(most, TripsOfPrepare());
        app.TransactionClosed();
        return most - first;
    }
};

} // namespace

TEST_P(RepeatedPrepareTest, ARecordWhoseNumberDiffersIsGivenItOnceInsideTheHostTransaction)
{
    Open(2);
    ASSERT_EQ(CustomerNumber(), "1");
    const std::int64_t unnumbered = StoredEditions();
    const std::int64_t first = TripsOfPrepare();
    TripsOfPrepare();
    EXPECT_LE(TripsOfPrepare() - first, kNumberingTrips) << "the second Prepare gave every number";
    app.TransactionClosed();
    EXPECT_EQ(CustomerNumber(), "2") << "the first number no subsystem carries";
    EXPECT_GT(StoredEditions(), unnumbered);
}

// On records that carry their numbers every Prepare writes nothing and costs the locks of the
// first and the numbering's reads, whatever the number of systems.
TEST_P(RepeatedPrepareTest, LaterPreparesWriteNothingAndCostWhatTheFirstDoes)
{
    std::vector<std::int64_t> added;
    for (int systemsOfASegment : {2, 6}) {
        SCOPED_TRACE(systemsOfASegment);
        Open(systemsOfASegment);
        HostTransactionOf(2);
        const std::int64_t numbered = StoredEditions();
        for (int prepares : {2, 3}) {
            added.push_back(HostTransactionOf(prepares));
            EXPECT_LE(added.back(), kNumberingTrips) << prepares << " Prepares";
            EXPECT_EQ(StoredEditions(), numbered) << "no object's edition moved";
        }
        EXPECT_EQ(CustomerNumber(), "2");
    }
    ASSERT_EQ(added.size(), 4u);
    EXPECT_EQ(added[2], added[0]) << "6 systems a segment against 2, two Prepares";
    EXPECT_EQ(added[3], added[1]) << "three Prepares";
}

INSTANTIATE_TEST_SUITE_P(Stores, RepeatedPrepareTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Server" : "File"; });
