// The savepoint that makes each host step whole, refused by the repository or cut with its
// server connection where it is set, released or rolled back to: the host's transaction has
// failed. The step shows one box and answers 0, so do the steps after it (a new prepare too),
// and Transaction Closed stores nothing of the transaction, the step answered 1 before it
// included.
#include "../shell/ShellTestSupport.h"

#include "model/VqsSyncResult.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "shell/VqsMsgBox.h"
#include "support/PgTestServer.h"

#include <string>
#include <vector>

namespace {

// The error boxes shown so far.
std::vector<std::string> ErrorBoxes()
{
    std::vector<std::string> boxes;
    for (const vqui::TranscriptEntry& entry : vqui::Transcript())
        if (entry.event.kind == vqui::EventKind::MessageBox && entry.event.caption.str() == "Wrenfield Error")
            boxes.push_back(entry.event.text.str());
    return boxes;
}

struct HostStepSavepointTest : ShellTest, ::testing::WithParamInterface<bool> {
    std::string repository;

    void SetUp() override
    {
        ShellTest::SetUp();
        repository = GetParam() ? vqtest::PgTestServer::Instance().NewDatabase() : dir.File("sample.vqr");
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription());
        ASSERT_TRUE(app.SetResourceModule("vqsysres"));
        app.SetIniPath(dir.File("vqsys.ini").c_str());
    }

    void TearDown() override
    {
        PxFaultInjection::Reset();
        app.CloseSession();
    }

    // Ends the server's data connection of the session, as a server going away does.
    void CutDataConnection() const { vqtest::PgTestServer::Instance().EndDataConnections(repository); }

    // The server refuses the second write of the text as a full disk does: a rename's in the
    // second system, of a link whose edition an earlier step has stepped, so that nothing but
    // the release of the step's savepoint follows it to the server.
    void RefuseTheSecondWriteOf(const std::string& text) const
    {
        vqtest::PgTestServer::Instance().Run(
            vqtest::PgTestServer::DatabaseOf(repository),
            "CREATE SEQUENCE vq_repository.writes; CREATE FUNCTION vq_repository.refuse() RETURNS trigger"
            " LANGUAGE plpgsql AS $$BEGIN IF nextval('vq_repository.writes') = 2 THEN RAISE EXCEPTION"
            " 'could not extend file' USING ERRCODE = '53100'; END IF; RETURN NEW; END$$;"
            "CREATE TRIGGER refuse BEFORE INSERT ON vq_repository.px_attribute FOR EACH ROW"
            " WHEN (NEW.bytes = '" + text + "'::bytea) EXECUTE FUNCTION vq_repository.refuse()");
    }

    // Whether another user finds a link of that name in SALES of the first system.
    bool Stored(const char* name) const
    {
        PxVQLink other;
        other.AttachSession(repository.c_str(), "other/dev", nullptr);
        const PxVQBSSoftLinkPtr segment =
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
        return segment->GetElementSoftLink(name) != nullptr;
    }
};

} // namespace

TEST_P(HostStepSavepointTest, ASavepointRefusedOrCutFailsTheWholeHostTransaction)
{
    enum class Fault { Refused, Cut, WriteRefused };
    struct Row {
        const char* what;
        bool server;
        const char* operation;
        Fault fault;
        bool cancelledQuestion; // the step undoes what it wrote
    };
    const Row rows[] = {
        {"set, refused", false, "PxLink::SetSavepoint", Fault::Refused, false},
        {"released, refused", false, "PxLink::ReleaseSavepoint", Fault::Refused, false},
        {"rolled back to, refused", false, "PxLink::RollbackToSavepoint", Fault::Refused, true},
        {"set, cut", true, "PxLink::SetSavepoint", Fault::Cut, false},
        {"released, its write refused", true, "PxLink::ReleaseSavepoint", Fault::WriteRefused, false},
        {"released, cut", true, "PxLink::ReleaseSavepoint", Fault::Cut, false},
        {"rolled back to, cut", true, "PxLink::RollbackToSavepoint", Fault::Cut, true},
    };
    for (const Row& row : rows) {
        if (row.server != GetParam())
            continue;
        SCOPED_TRACE(row.what);
        vqui::ClearTranscript();
        VqsEndOfAction();
        if (row.fault == Fault::WriteRefused)
            RefuseTheSecondWriteOf("MONTHEND");
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        app.SetSynchronizeMode(VqsSyncInteractive);
        ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
        ASSERT_TRUE(app.Rename("LSECOMPONENT", "ORDER2", "ORDER", "SALES"));
        ASSERT_TRUE(app.Rename("LSEREPORT", "QUARTERLY", "MONTHLY", "SALES"));
        bool reached = false;
        if (row.fault == Fault::Refused)
            PxFaultInjection::Throw(row.operation, "Cannot change the repository: the disk is full.");
        else
            PxFaultInjection::Run(row.operation, [&] {
                reached = !app.GetLink()->HasTransactionFailed();
                if (row.fault == Fault::Cut)
                    CutDataConnection();
            });
        // The user cancels the question of the link ORDER2 in the way: nothing is answered.
        EXPECT_FALSE(row.cancelledQuestion ? app.Rename("LSECOMPONENT", "ORDER2", "CUSTOMER", "SALES")
                                           : app.Rename("LSEREPORT", "MONTHEND", "QUARTERLY", "SALES"));
        PxFaultInjection::Reset();
        EXPECT_EQ(reached, row.fault != Fault::Refused) << "the failure met the savepoint";
        const std::vector<std::string> boxes = ErrorBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].rfind("Cannot rename ", 0), 0u) << boxes[0];
        EXPECT_FALSE(app.Rename("LSEREPORT", "YEARLY", "DAILY", "SALES"));
        EXPECT_FALSE(app.PrepareForTransaction("SALES", 0));
        app.TransactionClosed();
        EXPECT_EQ(ErrorBoxes().size(), 1u) << "the later steps and the close show nothing";
        EXPECT_TRUE(Stored("ORDER"));
        EXPECT_FALSE(Stored("ORDER2"));
        EXPECT_TRUE(Stored("MONTHLY"));
        EXPECT_FALSE(Stored("QUARTERLY"));
        EXPECT_FALSE(Stored("MONTHEND"));
        EXPECT_FALSE(Stored("YEARLY"));
        app.CloseSession();
    }
}

INSTANTIATE_TEST_SUITE_P(Stores, HostStepSavepointTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Server" : "File"; });
