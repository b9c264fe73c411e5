// Prepares of the host's transaction after the first, on a file and on the suite's server:
// they lock as the first does and write nothing the user did not change. The QSR Ispec records
// of the enterprise are given their subsystem numbers while the transaction is open, each
// record whose number differs once; a record that carries its number is left alone.
#include "../shell/ShellTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxSqlite.h"
#include "proxy/PxTesting.h"
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
#include "support/RefusedWrite.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

// The round trips the numbering of a Prepare inside the host's transaction adds to its locks:
// its reads of the configurations' segment links, of their element links, of those links' names
// alone, of the records' links and own numbers alone and of the design segments' elements and
// subsystems, each of all of them together (a few a design segment at most), however many
// records there are.
constexpr std::int64_t kNumberingTrips = 18;
// The round trips a Prepare that numbers every record adds to those: the numbers and the steps
// of the records' editions go to the server together, with the reads that follow them.
constexpr std::int64_t kNumbersWrittenTrips = 2;
// The lock-store calls that give back what a host transaction held, Closed or Failed and the
// host idle after it, whatever the number of Prepares or of systems: the holds its steps kept,
// the prepared write locks and the prepared reads.
constexpr std::uint64_t kEndUnlockCalls = 3;

// The error boxes shown since the transcript was cleared.
std::size_t ErrorBoxes()
{
    std::size_t boxes = 0;
    for (const vqui::TranscriptEntry& entry : vqui::Transcript())
        boxes += entry.event.kind == vqui::EventKind::MessageBox && entry.event.caption.str() == "Wrenfield Error";
    return boxes;
}

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

    // The locks the repository's lock store records, of every session.
    std::int64_t LockRows() const
    {
        const char* sql = "SELECT count(*) FROM px_lock";
        if (!GetParam()) {
            PxDatabase db(repository + "-locks", false, PxAccess::ReadOnly);
            PxQuery query(db, sql, "locks");
            return query.Step() ? query.Int(0) : 0;
        }
        PxPgConnection db(repository);
        db.Execute("SET search_path TO vq_repository", "schema");
        return PxPgConnection::Query(db, sql, "locks").Run().Int(0, 0);
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

    // The lock-store calls of the end of a host transaction of that many Prepares, closed or
    // failed, and of the host's idle after it.
    std::uint64_t UnlockCallsOfEnd(int prepares, bool closed)
    {
        for (int prepare = 0; prepare < prepares; ++prepare)
            EXPECT_TRUE(app.PrepareForTransaction("SALES", 0));
        const std::uint64_t before = PxTesting::UnlockCalls();
        if (closed)
            app.TransactionClosed();
        else
            app.TransactionFailed();
        app.OnHostIdle();
        return PxTesting::UnlockCalls() - before;
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

// The holds a host transaction keeps for its steps (the earlier Prepares' write locks) go back
// with the prepared locks in a few lock-store calls, however many systems and Prepares there are,
// and nothing stays held.
TEST_P(RepeatedPrepareTest, AHostTransactionGivesBackWhatItHeldInAFewLockCallsWhateverItsSize)
{
    std::vector<std::uint64_t> calls;
    for (int systemsOfASegment : {2, 6}) {
        Open(systemsOfASegment);
        for (const bool closed : {true, false})
            for (int prepares : {2, 3}) {
                SCOPED_TRACE(testing::Message() << systemsOfASegment << " systems a segment, " << prepares
                                                << " Prepares, " << (closed ? "closed" : "failed"));
                calls.push_back(UnlockCallsOfEnd(prepares, closed));
                EXPECT_LE(calls.back(), kEndUnlockCalls);
                EXPECT_EQ(LockRows(), 0) << "nothing stays held";
            }
    }
    ASSERT_EQ(calls.size(), 8u);
    for (std::size_t index = 0; index < 4; ++index)
        EXPECT_EQ(calls[index + 4], calls[index]) << "6 systems a segment against 2";
}

// The first host transaction on records that carry no subsystem number yet: its second Prepare
// numbers every record, in as many round trips whatever their number.
TEST_P(RepeatedPrepareTest, APrepareThatNumbersEveryRecordCostsTheSameTripsWhateverTheirNumber)
{
    std::vector<std::int64_t> added;
    for (int systemsOfASegment : {2, 6}) {
        SCOPED_TRACE(systemsOfASegment);
        Open(systemsOfASegment);
        const std::int64_t unnumbered = StoredEditions();
        added.push_back(HostTransactionOf(2));
        EXPECT_LE(added.back(), kNumberingTrips + kNumbersWrittenTrips);
        EXPECT_EQ(CustomerNumber(), "2");
        EXPECT_GT(StoredEditions(), unnumbered);
    }
    EXPECT_EQ(added[1], added[0]) << "6 systems a segment against 2";
}

// The numbers and their editions' steps reach the store together: one refused there, or the
// connection cut as they go, fails the Prepare and the host's transaction with one box; nothing
// of it is stored and nothing stays held.
TEST_P(RepeatedPrepareTest, ANumberTheStoreRefusesOrACutFailsThePrepareAndTheHostTransaction)
{
    for (const bool cut : {false, true}) {
        if (cut && !GetParam())
            continue;
        SCOPED_TRACE(cut ? "cut" : "refused");
        Open(2);
        const std::int64_t unnumbered = StoredEditions();
        ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
        std::optional<vqtest::RefusedWrite> refused;
        if (cut)
            PxFaultInjection::Run("PxSession::TakePutOffSteps",
                                  [&] { vqtest::PgTestServer::Instance().EndDataConnections(repository); });
        else
            refused.emplace(repository, "2");
        vqui::ClearTranscript();
        EXPECT_FALSE(app.PrepareForTransaction("SALES", 0));
        PxFaultInjection::Reset();
        EXPECT_EQ(ErrorBoxes(), 1u);
        EXPECT_FALSE(app.PrepareForTransaction("SALES", 0)) << "the host's transaction has failed";
        app.TransactionClosed();
        app.OnHostIdle();
        refused.reset();
        EXPECT_EQ(ErrorBoxes(), 1u);
        EXPECT_EQ(LockRows(), 0) << "nothing stays held";
        EXPECT_EQ(StoredEditions(), unnumbered) << "nothing stored";
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, RepeatedPrepareTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Server" : "File"; });
