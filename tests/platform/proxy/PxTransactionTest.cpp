#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace {

class PxTransactionTest : public PxStoreTest {
protected:
    PxTransactionTest() : m_a(PxAttach(m_repository.Path())), m_b(PxAttach(m_repository.Path(), "bob/test")) {}
    ~PxTransactionTest() override { PxFaultInjection::Reset(); }

    PxVQObjectPtr CommittedHost(PxVQLink& link, const char* name)
    {
        link.BeginTransaction();
        PxVQObjectPtr host = link.GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
        host->SetAttributeText("name", name);
        link.CommitTransaction();
        return host;
    }

    // The other session renames the committed host H1 to H2.
    PxVQObjectPtr RenamedByTheOther()
    {
        PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
        m_b->BeginTransaction();
        theirs->SetAttributeText("name", "H2");
        m_b->CommitTransaction();
        return theirs;
    }

    std::unique_ptr<PxVQLink> m_a;
    std::unique_ptr<PxVQLink> m_b;
};

// What only a repository file has: a lock file beside it, a disk that fills, a file that
// is damaged or missing.
class PxFileTransactionTest : public PxTransactionTest {};

TEST_P(PxTransactionTest, TwoLinksOnOneFileSeeEachOthersCommittedWork)
{
    m_a->BeginTransaction();
    m_a->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", "H1");
    EXPECT_EQ(m_b->GetLVQEnterprise()->CountOfMembers("hosts"), 0);
    EXPECT_TRUE(m_a->IsInTransaction());
    EXPECT_FALSE(m_b->IsInTransaction());
    m_a->CommitTransaction();
    EXPECT_FALSE(m_a->IsInTransaction());
    PxObjectPtr seen = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    ASSERT_TRUE(seen);
    EXPECT_EQ(seen->GetLink(), m_b.get());
}

TEST_P(PxTransactionTest, AbortRestoresAttributesAndRemovesCreatedObjects)
{
    PxVQObjectPtr host = CommittedHost(*m_a, "H1");
    PxVQEnterprisePtr enterprise = m_a->GetLVQEnterprise();
    PxObjectEdition edition = host->GetObjectEdition();

    m_a->BeginTransaction();
    host->SetAttributeText("name", "renamed");
    host->SetAttributeInt("port", 21);
    PxVQObjectPtr created = enterprise->CreateMember("hosts", "PxVQObject");
    PxVQObjectPtr child = created->CreateMember("packs", "PxVQObject");
    EXPECT_EQ(host->GetAttributeText("name"), "renamed");
    m_a->AbortTransaction();

    EXPECT_EQ(host->GetAttributeText("name"), "H1");
    EXPECT_FALSE(host->HasAttribute("port"));
    EXPECT_TRUE(edition.IsLatestEdition());
    EXPECT_FALSE(created->ObjectPresent());
    EXPECT_FALSE(child->ObjectPresent());
    EXPECT_EQ(enterprise->CountOfMembers("hosts"), 1);
    try {
        created->GetAttributeText("name");
        FAIL() << "an aborted creation answered";
    } catch (const PxException& e) {
        EXPECT_TRUE(e.IsObjectDeleted());
    }

    PxVQObjectPtr again = CommittedHost(*m_a, "H2");
    EXPECT_FALSE(created->ObjectPresent());
    EXPECT_TRUE(again->ObjectPresent());
}

TEST_P(PxTransactionTest, TheIdOfAnAbortedCreationIsNeverGivenAgain)
{
    m_a->BeginTransaction();
    PxVQObjectPtr aborted = m_a->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
    ASSERT_TRUE(aborted->PersistentLock(1));
    m_a->AbortTransaction();

    for (PxVQLink* link : {m_a.get(), m_b.get()}) {
        PxVQObjectPtr created = CommittedHost(*link, "H");
        EXPECT_FALSE(created->GetHandle() == aborted->GetHandle()) << "a kept handle would name the new object";
        EXPECT_FALSE(aborted->ObjectPresent());
        EXPECT_FALSE(created->GetPersistentLock());
        EXPECT_TRUE(created->WriteLock(0));
    }
}

TEST_P(PxFileTransactionTest, ALockFileMadeAfreshGivesNoStoredIdAgain)
{
    PxVQObjectPtr stored = CommittedHost(*m_a, "H1");
    PxHandle storedHandle = stored->GetHandle();
    stored = nullptr;
    m_a.reset();
    m_b.reset();
    std::string locks = std::string(m_repository.Path()) + "-locks";
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(locks + suffix);

    m_a = PxAttach(m_repository.Path());
    PxVQObjectPtr created = CommittedHost(*m_a, "H2");
    EXPECT_FALSE(created->GetHandle() == storedHandle);
    EXPECT_EQ(m_a->GetLVQEnterprise()->CountOfMembers("hosts"), 2);
}

TEST_P(PxTransactionTest, TheHostsTransactionOnTheSameSessionIsVisible)
{
    int hostSession = 0;
    auto host = PxAttach(m_repository.Path(), "alice/dev", &hostSession);
    auto module = PxAttach(m_repository.Path(), "alice/dev", &hostSession);
    host->BeginTransaction();
    EXPECT_TRUE(module->IsInTransaction());
    module->GetLVQEnterprise()->SetAttributeText("name", "ENT");
    EXPECT_THROW(module->BeginTransaction(), PxException);
    host->CommitTransaction();
    EXPECT_FALSE(module->IsInTransaction());
    EXPECT_EQ(m_b->GetLVQEnterprise()->GetAttributeText("name"), "ENT");
}

TEST_P(PxTransactionTest, CommittingATransactionThatIsNotOpenThrowsAndAbortingItIsQuiet)
{
    EXPECT_THROW(m_a->CommitTransaction(), PxException);
    EXPECT_NO_THROW(m_a->AbortTransaction()) << "an abort after the end of a transaction changes nothing";
    m_a->BeginTransaction();
    EXPECT_THROW(m_a->BeginTransaction(), PxException);
    m_a->AbortTransaction();
}

TEST_P(PxTransactionTest, AFailedCommitLosesNothing)
{
    PxVQObjectPtr host = CommittedHost(*m_a, "H1");
    m_a->BeginTransaction();
    host->SetAttributeText("name", "H1b");
    PxFaultInjection::Throw("PxLink::CommitTransaction", "commit refused");
    try {
        m_a->CommitTransaction();
        FAIL() << "the injected commit failure did not come";
    } catch (const VqReportableException& e) {
        EXPECT_EQ(e.GetErrorMessage(), "commit refused");
    }
    EXPECT_TRUE(m_a->IsInTransaction());
    m_a->CommitTransaction();
    m_b->ClearAllBuffers();
    EXPECT_EQ(m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1b")->GetAttributeText("name"), "H1b");
}

TEST_P(PxTransactionTest, ABusyRepositorySaysSoAndTheChangeCanBeTriedAgain)
{
    PxTesting::SetBusyTimeout(*m_b, 0);
    m_a->BeginTransaction();
    m_a->GetLVQEnterprise()->SetAttributeText("name", "A");
    m_b->BeginTransaction();
    PxVQEnterprisePtr theirs = m_b->GetLVQEnterprise();
    try {
        theirs->SetAttributeText("name", "B");
        FAIL() << "two sessions wrote at once";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(),
                  "Cannot change the repository: the repository is in use by another session; try again later.");
    }
    EXPECT_TRUE(m_b->IsInTransaction()) << "nothing was written";
    m_a->AbortTransaction();
    theirs->SetAttributeText("name", "B");
    m_b->CommitTransaction();
    EXPECT_EQ(m_a->GetLVQEnterprise()->GetAttributeText("name"), "B");
}

TEST_P(PxTransactionTest, AWriteOnWhatAnotherSessionChangedSinceItWasReadIsRefused)
{
    PxVQObjectPtr h1 = CommittedHost(*m_a, "H1");
    PxVQObjectPtr h2 = CommittedHost(*m_a, "H2");
    PxVQObjectPtr theirH1 = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    PxVQObjectPtr theirH2 = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H2");
    PxVQEnterprisePtr enterprise = m_a->GetLVQEnterprise();
    struct Case {
        const char* what;
        std::function<void()> read;   // by the first session, in its transaction
        std::function<void()> change; // committed by the other session meanwhile
        bool refused;
    };
    const Case cases[] = {
        {"an attribute read", [&] { h1->Refresh(); h1->GetAttributeText("name"); },
         [&] { theirH1->SetAttributeInt("port", 1); }, true},
        {"a list counted", [&] { enterprise->CountOfMembers("hosts"); },
         [&] { m_b->GetLVQEnterprise()->CreateMember("packs", "PxVQObject"); }, true},
        {"a member found by name", [&] { enterprise->FindMember("hosts", "name", "H9"); },
         [&] { theirH2->SetAttributeText("name", "H9"); }, true},
        {"a presence asked", [&] { h2->ObjectPresent(); },
         [&] { theirH2->UpdateEdition(); }, true},
        {"another object read", [&] { h1->Refresh(); h1->GetAttributeText("name"); },
         [&] { theirH2->SetAttributeInt("port", 2); }, false},
    };
    for (const Case& c : cases) {
        m_a->BeginTransaction();
        c.read();
        m_b->BeginTransaction();
        c.change();
        m_b->CommitTransaction();
        try {
            enterprise->SetAttributeText("note", c.what);
            EXPECT_FALSE(c.refused) << c.what;
            m_a->CommitTransaction();
        } catch (const PxException& e) {
            EXPECT_TRUE(c.refused) << c.what;
            const std::string refusal = "Cannot change the repository: another session has changed what this "
                                        "transaction read. The transaction was rolled back.";
            EXPECT_EQ(std::string(e.GetErrorMessage()), refusal);
            PxExpectFailedUntilCommitted(*m_a, refusal);
        }
    }
}

TEST_P(PxTransactionTest, ReadsAfterTheFirstChangeSeeTheNewestDataAndNeedNoCheck)
{
    PxVQObjectPtr h1 = CommittedHost(*m_a, "H1");
    PxVQObjectPtr theirH1 = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    m_b->BeginTransaction();
    theirH1->SetAttributeText("name", "H1b");
    m_b->CommitTransaction();

    m_a->BeginTransaction();
    m_a->GetLVQEnterprise()->SetAttributeText("note", "first");
    h1->Refresh();
    EXPECT_EQ(h1->GetAttributeText("name"), "H1b");
    h1->SetAttributeText("name", "H1c");
    m_a->CommitTransaction();
    theirH1->Refresh();
    EXPECT_EQ(theirH1->GetAttributeText("name"), "H1c");
}

TEST_P(PxFileTransactionTest, AFullDiskEndsTheTransactionCleanly)
{
    PxVQObjectPtr host = CommittedHost(*m_a, "kept");
    PxTesting::LimitDataFile(*m_a, 12);
    PxVQEnterprisePtr enterprise = m_a->GetLVQEnterprise();
    m_a->BeginTransaction();
    PxVQObjectPtr first = enterprise->CreateMember("hosts", "PxVQObject");
    std::string big(2000, 'x');
    try {
        for (int i = 0; i < 200; ++i)
            enterprise->CreateMember("hosts", "PxVQObject")->SetAttributeText("text", big.c_str());
        FAIL() << "the disk never filled";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(),
                  "Cannot change the repository: the disk is full. The transaction was rolled back.");
    }
    PxExpectFailedUntilCommitted(*m_a, "Cannot change the repository: the disk is full. The transaction was rolled back.");
    EXPECT_FALSE(first->ObjectPresent());
    EXPECT_EQ(enterprise->CountOfMembers("hosts"), 1);
    EXPECT_EQ(host->GetAttributeText("name"), "kept");
    m_a->BeginTransaction();
    host->SetAttributeText("name", "still usable");
    m_a->CommitTransaction();
}

TEST_P(PxFileTransactionTest, ADamagedOrMissingFileIsNamedInTheMessage)
{
    std::string damaged = m_repository.Directory() + "/damaged.vqr";
    std::ofstream(damaged) << std::string(4096, 'Z');
    PxVQLink link;
    try {
        link.AttachSession(damaged.c_str(), "alice", nullptr);
        FAIL() << "a damaged file was opened";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(),
                  CString("Cannot open the repository ") + damaged.c_str() +
                      ": the file is damaged or is not a repository.");
    }
    std::string missing = m_repository.Directory() + "/missing.vqr";
    try {
        link.AttachSession(missing.c_str(), "alice", nullptr);
        FAIL() << "a missing file was opened";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(),
                  CString("Cannot open the repository ") + missing.c_str() + ": the file cannot be opened.");
    }
    EXPECT_THROW(PxLink::CreateRepository(m_repository.Path()), PxException);
}

TEST_P(PxTransactionTest, ADeletionByAnotherSessionMakesTheObjectAbsent)
{
    PxVQObjectPtr host = CommittedHost(*m_a, "H1");
    PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    EXPECT_EQ(host->GetAttributeText("name"), "H1");
    m_b->BeginTransaction();
    theirs->DeleteObject();
    EXPECT_TRUE(host->ObjectPresent());
    m_b->CommitTransaction();
    EXPECT_FALSE(host->ObjectPresent());
    EXPECT_FALSE(theirs->ObjectPresent());
    EXPECT_EQ(host->GetAttributeText("name"), "H1") << "the buffer keeps what was read";
}

TEST_P(PxTransactionTest, BuffersKeepWhatWasReadUntilRefreshed)
{
    PxVQObjectPtr mine = CommittedHost(*m_a, "H1");
    EXPECT_EQ(mine->GetAttributeText("name"), "H1");
    PxVQObjectPtr theirs = RenamedByTheOther();
    EXPECT_EQ(mine->GetAttributeText("name"), "H1");
    mine->Refresh();
    EXPECT_EQ(mine->GetAttributeText("name"), "H2");
}

TEST_P(PxTransactionTest, AnotherSessionsCommitMakesAnEditionStale)
{
    PxVQObjectPtr mine = CommittedHost(*m_a, "H1");
    PxObjectEdition edition = mine->GetObjectEdition();
    PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    EXPECT_TRUE(edition.IsSameOid(theirs));
    m_b->BeginTransaction();
    theirs->SetAttributeText("name", "H2");
    theirs->SetAttributeText("address", "10.0.0.1");
    EXPECT_TRUE(edition.IsLatestEdition()) << "not committed yet";
    m_b->CommitTransaction();
    EXPECT_FALSE(edition.IsLatestEdition());
    EXPECT_FALSE(mine->GetObjectEdition().IsLatestEdition()) << "the buffer is still the old one";
    mine->Refresh();
    PxObjectEdition refreshed = mine->GetObjectEdition();
    EXPECT_TRUE(refreshed.IsLatestEdition());
    EXPECT_EQ(refreshed.GetEdition(), edition.GetEdition() + 1) << "one step per transaction";
    EXPECT_FALSE(PxObjectEdition().IsLatestEdition());
}

TEST_P(PxTransactionTest, ItsOwnChangeKeepsABufferStaleThatAnotherSessionsCommitOutdated)
{
    PxVQObjectPtr mine = CommittedHost(*m_a, "H1");
    const std::int64_t read = mine->GetObjectEdition().GetEdition();
    PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    m_b->BeginTransaction();
    theirs->SetAttributeText("name", "H2");
    m_b->CommitTransaction();
    m_a->BeginTransaction();
    mine->SetAttributeText("address", "10.0.0.1");
    m_a->CommitTransaction();
    EXPECT_FALSE(mine->GetObjectEdition().IsLatestEdition());
    EXPECT_EQ(mine->GetObjectEdition().GetEdition(), read) << "the buffer does not take on the other session's change";
    mine->Refresh();
    EXPECT_TRUE(mine->GetObjectEdition().IsLatestEdition());
}

TEST_P(PxTransactionTest, UpdateEditionMakesEarlierEditionsStale)
{
    PxVQObjectPtr mine = CommittedHost(*m_a, "H1");
    PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    PxObjectEdition before = theirs->GetObjectEdition();
    m_a->BeginTransaction();
    mine->UpdateEdition();
    m_a->CommitTransaction();
    EXPECT_FALSE(before.IsLatestEdition());
    EXPECT_TRUE(mine->GetObjectEdition().IsLatestEdition());
}

TEST_P(PxTransactionTest, AnEditionStepsOncePerTransactionHoweverOftenItIsUpdated)
{
    PxVQObjectPtr mine = CommittedHost(*m_a, "H1");
    PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    std::vector<PxVQObjectPtr> parts;
    m_a->BeginTransaction();
    for (int part = 0; part < 2; ++part)
        parts.push_back(mine->CreateMember("parts", "PxVQObject"));
    m_a->CommitTransaction();
    const Case cases[] = {
        {"two updates", [&] { mine->UpdateEdition(); mine->UpdateEdition(); }},
        {"the deletion of a member", [&] { parts.back()->DeleteObject(), parts.pop_back(); }},
        {"a change, then an update", [&] { mine->SetAttributeText("name", "H2"); mine->UpdateEdition(); }},
        {"an update, then a change", [&] { mine->UpdateEdition(); mine->SetAttributeText("name", "H3"); }},
        {"a change after an abort cleared the buffers",
         [&] {
             m_a->AbortTransaction();
             m_a->BeginTransaction();
             mine->SetAttributeText("name", "H4");
         }},
    };
    for (const bool together : {false, true}) {
        for (const Case& c : cases) {
            theirs->Refresh();
            std::int64_t before = theirs->GetObjectEdition().GetEdition();
            m_a->BeginTransaction();
            if (together)
                m_a->StepEditionsTogether();
            c.change();
            m_a->CommitTransaction();
            theirs->Refresh();
            EXPECT_EQ(theirs->GetObjectEdition().GetEdition(), before + 1) << c.what << (together ? ", together" : "");
            EXPECT_TRUE(mine->GetObjectEdition().IsLatestEdition()) << c.what << (together ? ", together" : "");
        }
    }
}

// A setter given what the attribute holds changes nothing: no edition steps, and on a server
// it asks nothing; a value of another type, or a new one, is a change.
TEST_P(PxTransactionTest, SettingTheValueAnAttributeHoldsChangesNothing)
{
    PxVQObjectPtr mine = CommittedHost(*m_a, "H1");
    PxVQObjectPtr other = CommittedHost(*m_a, "H2");
    m_a->BeginTransaction();
    mine->SetAttributeInt("port", 21);
    mine->SetAttributeNull("address");
    mine->SetAttributeObject("peer", other);
    mine->SetAttributeBlob("key", "\1\2", 2);
    m_a->CommitTransaction();
    PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    struct Case {
        const char* what;
        std::function<void()> set;
        bool changes;
    };
    const Case cases[] = {
        {"the same text", [&] { mine->SetAttributeText("name", "H1"); }, false},
        {"the same number", [&] { mine->SetAttributeInt("port", 21); }, false},
        {"null over null", [&] { mine->SetAttributeNull("address"); }, false},
        {"the same object", [&] { mine->SetAttributeObject("peer", other); }, false},
        {"the same bytes", [&] { mine->SetAttributeBlob("key", "\1\2", 2); }, false},
        {"the removal of an attribute it has not", [&] { mine->RemoveAttribute("none"); }, false},
        {"the number's text", [&] { mine->SetAttributeText("port", "21"); }, true},
        {"another text", [&] { mine->SetAttributeText("name", "H9"); }, true},
    };
    for (const Case& c : cases) {
        theirs->Refresh();
        const std::int64_t before = theirs->GetObjectEdition().GetEdition();
        m_a->BeginTransaction();
        mine->Refresh();
        mine->GetAttributeText("name"); // read inside the transaction, as the reads that chose the value
        const std::int64_t trips = PxPgConnection::RoundTrips();
        c.set();
        const std::int64_t asked = PxPgConnection::RoundTrips() - trips;
        m_a->CommitTransaction();
        theirs->Refresh();
        EXPECT_EQ(theirs->GetObjectEdition().GetEdition(), before + (c.changes ? 1 : 0)) << c.what;
        if (!c.changes) {
            EXPECT_EQ(asked, 0) << c.what;
        }
    }
}

// What a buffer read before the transaction shows may be older than the stored record: a setter
// given it writes all the same.
TEST_P(PxTransactionTest, AValueBufferedBeforeTheTransactionIsWrittenAllTheSame)
{
    PxVQObjectPtr mine = CommittedHost(*m_a, "H1");
    EXPECT_EQ(mine->GetAttributeText("name"), "H1");
    PxVQObjectPtr theirs = RenamedByTheOther();
    m_a->BeginTransaction();
    mine->SetAttributeText("name", "H1");
    m_a->CommitTransaction();
    theirs->Refresh();
    EXPECT_EQ(theirs->GetAttributeText("name"), "H1");
}

// Steps taken together are taken at the transaction's next read or at its commit: what the
// transaction reads then knows them, and a change of an object another session deleted
// fails the whole transaction there, while one the transaction deleted itself is no change.
TEST_P(PxTransactionTest, StepsTakenTogetherAreTakenBeforeTheNextReadOrTheCommit)
{
    PxVQObjectPtr host = CommittedHost(*m_a, "H1");
    PxVQObjectPtr other = CommittedHost(*m_a, "H2");
    PxVQObjectPtr theirs = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H1");
    const std::int64_t before = host->GetObjectEdition().GetEdition();

    m_a->BeginTransaction();
    m_a->StepEditionsTogether();
    host->SetAttributeText("address", "10.0.0.1");
    EXPECT_EQ(theirs->GetObjectEdition().GetEdition(), before) << "another session sees nothing yet";
    EXPECT_TRUE(host->GetObjectEdition().IsLatestEdition()) << "the read took the step first";
    EXPECT_EQ(host->GetObjectEdition().GetEdition(), before + 1);
    other->SetAttributeText("address", "10.0.0.2");
    other->DeleteObject();
    m_a->CommitTransaction();
    EXPECT_FALSE(other->ObjectPresent());

    struct Case {
        const char* what;
        std::function<void()> reporting; // after the change of the deleted host
        const char* consequence;
    };
    const Case cases[] = {
        {"a read", [&] { m_a->GetLVQEnterprise()->CountOfMembers("hosts"); }, "The transaction was rolled back."},
        {"the commit", [] {}, "The changes were not stored."},
    };
    for (const Case& c : cases) {
        PxVQObjectPtr gone = CommittedHost(*m_a, "H3");
        PxVQObjectPtr seenGone = m_b->GetLVQEnterprise()->FindMember("hosts", "name", "H3");
        m_b->BeginTransaction();
        seenGone->DeleteObject();
        m_b->CommitTransaction();
        m_a->BeginTransaction();
        m_a->StepEditionsTogether();
        host->SetAttributeText("address", c.what);
        gone->SetAttributeText("address", "10.0.0.3");
        std::string failure;
        try {
            c.reporting();
            m_a->CommitTransaction();
        } catch (const PxException& e) {
            failure = e.GetErrorMessage();
        }
        const std::string refusal = "Cannot change the object: it is no longer in the repository.";
        EXPECT_EQ(failure, refusal + " " + c.consequence) << c.what;
        if (m_a->IsInTransaction())
            PxExpectFailedUntilCommitted(*m_a, refusal + " The transaction was rolled back.");
        theirs->Refresh();
        EXPECT_EQ(theirs->GetAttributeText("address"), "10.0.0.1") << c.what << ": nothing of it is stored";
    }
}

PX_ON_BOTH_STORES(PxTransactionTest);
INSTANTIATE_TEST_SUITE_P(Stores, PxFileTransactionTest, ::testing::Values(PxStoreKind::File), PxStoreKindName);

} // namespace
