#include "../sysview/SysViewTestSupport.h"
#include "RecoveryTestSupport.h"

#include "generate/VqsGenerateCommands.h"
#include "generate/VqsGenerateStatus.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "support/ScriptedUiDriver.h"
#include "vqclient/VqcTesting.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT IDD_SELECT_SESSION = 294;
constexpr int kSessionList = 32853;
constexpr int kRestart = 33025;
constexpr int kMonitor = 321;
constexpr int kInstall = 322;
constexpr int kDelete = 32854;

struct Session {
    const char* genSet = "NTGEN";
    int type = 2;
    int state = 3;
    std::vector<const char*> files = {};
    const char* user = "ABC";
};

struct GenerateStatusTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    std::string log = dir.File("generate.log");

    void SetUp() override
    {
        vqclient::Reset();
        vqclient::SetGenerationLog(log);
        ui.WheneverDialog(105);
        SysViewTest::SetUp();
        OpenFrame();
        Select({"Sample system 1"});
    }

    void TearDown() override
    {
        SysViewTest::TearDown();
        vqclient::SetGenerationLog("");
    }

    PxVQOptionSetPtr OptionSet(const char* name) { return System("SYS1")->GetCurConfig()->GetOptionSet(name); }

    PxVQRecoveryInfoPtr AddSession(const Session& spec)
    {
        app.GetLink()->BeginTransaction();
        PxVQRecoveryInfoPtr session = System("SYS1")->CreateRecoveryInfo(OptionSet(spec.genSet));
        session->setGenerateType(spec.type);
        session->SetCurrentState(spec.state);
        session->SetUserId(spec.user);
        session->SetGenerationFlag(2);
        for (const char* file : spec.files)
            session->CreateRecoveryFileInfo(file);
        app.GetLink()->CommitTransaction();
        return session;
    }

    // The user chooses the session of the row with the button; `message` is a box that follows.
    void Choose(int row, int button, UINT message = 0)
    {
        ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, row).Click(button);
        if (message)
            ui.ExpectMessageBoxId(message, IDOK);
        VqsShowGenerateStatus(*view);
        ui.Verify();
    }

    static std::string Tail(const std::string& request, const char* from)
    {
        const std::size_t at = request.find(from);
        return at == std::string::npos ? request : request.substr(at);
    }
};

} // namespace

TEST(RecoveryFileNameTest, AReportFileNamesTheReportAndTheNameItIsGeneratedAs)
{
    struct Case {
        const char* file;
        bool report;
        const char* name;
        const char* asName;
    } cases[] = {
        {"<X>", false, "", ""},
        {"DAILY", true, "DAILY", ""},
        {"DAILY<DX>", true, "DAILY", "DX"},
        {"DAILY<DX>rest", true, "DAILY", "DX"},
        {"DAILY<DX", true, "DAILY", "DX"},
        {"DAILY<", true, "DAILY", ""},
    };
    for (const Case& c : cases) {
        CString name("old");
        CString asName("old");
        EXPECT_EQ(VqsParseRecoveryFileName(c.file, name, asName), c.report) << c.file;
        if (c.report) {
            EXPECT_EQ(name.str(), c.name) << c.file;
            EXPECT_EQ(asName.str(), c.asName) << c.file;
        }
    }
}

TEST_F(GenerateStatusTest, RestartingAReportSessionGeneratesTheReportsItsFilesNameAndTellsOfThoseGone)
{
    AddSession({"NTGEN", 1, 5, {"MONTHLY<MX>", "<GHOST>", "NOSUCH", "DAILY", "GONE<GX>"}});
    ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, 0).Click(kRestart);
    ui.ExpectMessageBox("These Reports of the generation do not match the model any more and are left out of the "
                        "restart:\nNOSUCH\nGONE\n\nThey may have been deleted or made hanging.",
                        IDOK);
    VqsShowGenerateStatus(*view);
    ui.Verify();

    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 35), "generation 1: kind 4 genset \"NTGEN\"");
    EXPECT_EQ(Tail(requests[0], "reports"), "reports \"MONTHLY\" as \"MX\" \"DAILY\" scripted 0")
        << "files that name no report of the segment are left out";
    EXPECT_EQ(OptionSet("NTGEN")->GetIntProperty("persistentLockCount"), 1)
        << "the restart holds its set as a report generation does";
}

TEST_F(GenerateStatusTest, ARestartWhoseReportsAreAllGoneSaysSoAndStartsNothing)
{
    AddSession({"NTGEN", 1, 5, {"NOSUCH", "GONE<GX>"}});
    ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, 0).Click(kRestart);
    ui.ExpectMessageBox("Cannot restart the generation: none of its Reports matches the model any more:\nNOSUCH\n"
                        "GONE\n\nThey may have been deleted or made hanging.",
                        IDOK);
    VqsShowGenerateStatus(*view);
    ui.Verify();
    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(GenerateStatusTest, AnUnfinishedSystemSessionWhoseGenerateSetLostItsLockIsNotRestarted)
{
    AddSession({"NTGEN", 2, 3});
    Choose(0, kRestart, 61875);
    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(GenerateStatusTest, AnUnfinishedSessionRestartsOnlyUnderItsOwnHoldAndLeavesAnotherHoldWhereItIs)
{
    struct Case {
        const char* what;
        const char* user;
        bool holdGone;
    };
    const Case cases[] = {
        {"another user's generation holds the set", "XYZ", false},
        {"a later generation of the set took the session's hold over", "ABC", true},
    };
    for (const Case& row : cases) {
        const PxVQRecoveryInfoPtr session = AddSession({.type = 2, .state = 3, .user = row.user});
        app.GetLink()->BeginTransaction();
        session->SetHoldGone(row.holdGone ? 1 : 0);
        app.GetLink()->CommitTransaction();
        ASSERT_TRUE(OptionSet("NTGEN")->PersistentLock(0).Succeeded());

        Choose(0, kRestart, 61875);

        EXPECT_TRUE(vqclient::Requests().empty()) << row.what;
        EXPECT_EQ(OptionSet("NTGEN")->GetIntProperty("persistentLockCount"), 1) << row.what;
        OptionSet("NTGEN")->RemovePersistentLock(0, 1);
        app.GetLink()->BeginTransaction();
        session->DeleteObject();
        app.GetLink()->CommitTransaction();
    }
}

TEST_F(GenerateStatusTest, AFinishedSessionRestartsWithoutThePersistentLock)
{
    AddSession({"NTGEN", 2, 8});
    Choose(0, kRestart);
    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 20), "generation 1: kind 4");
    EXPECT_NE(requests[0].find("segment \"SALES\" link \"SALES\""), std::string::npos) << "the element record goes";
}

TEST_F(GenerateStatusTest, MonitoringFromBelowTheSystemNamesTheSystemAndTheSession)
{
    const PxVQRecoveryInfoPtr session = AddSession({"NTGEN", 2, 11});
    Expand("Sample system 1");
    Select({"SALES business segment"});
    Choose(0, kMonitor);

    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(Tail(requests[0], "system"),
              "system \"SYS1\" recovery " + std::string(session->GetHandle().GetDisplayString(0).GetString()) +
                  " second #0 scripted 0");
    EXPECT_EQ(vqclient::FrameWindowOf(1), frame->m_hWnd);
}

TEST_F(GenerateStatusTest, AReportInstallAsksOnceForEachStagedSystemInstallOfTheSameSetAndHost)
{
    AddSession({"NTGEN", 5, 10});
    AddSession({"NTGEN", 2, 10});
    AddSession({"UNIXGEN", 2, 10});
    AddSession({"NTGEN", 2, 3});
    AddSession({"NTGEN", 1, 10, {"DAILY"}});
    Strings rows;
    auto listed = [&] {
        HWND dialog = FindWindowEx(nullptr, nullptr, nullptr, "Select Session to Restart");
        const LRESULT count = SendMessage(GetDlgItem(dialog, kSessionList), LVM_GETITEMCOUNT, 0, 0);
        rows.assign(static_cast<std::size_t>(count), "");
    };
    ui.ExpectDialog(IDD_SELECT_SESSION).Run(listed).Select(kSessionList, 4).Click(kInstall);
    ui.ExpectMessageBoxId(62141, IDYES);
    ui.ExpectMessageBoxId(62141, IDNO);
    VqsShowGenerateStatus(*view);
    ui.Verify();
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_TRUE(vqclient::Requests().empty()) << "No ends the command";

    ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, 4).Click(kInstall);
    ui.ExpectMessageBoxId(62141, IDYES);
    ui.ExpectMessageBoxId(62141, IDYES);
    VqsShowGenerateStatus(*view);
    ui.Verify();
    ASSERT_EQ(vqclient::Requests().size(), 1u);
    EXPECT_EQ(vqclient::Requests()[0].substr(0, 21), "generation 1: kind 10");
}

TEST_F(GenerateStatusTest, AReportInstallOnAQsrHostAsksNothing)
{
    AddSession({"QSRGEN", 2, 10});
    AddSession({"QSRGEN", 1, 10, {"DAILY"}});
    Choose(1, kInstall);
    ASSERT_EQ(vqclient::Requests().size(), 1u);
    EXPECT_EQ(vqclient::Requests()[0].substr(0, 21), "generation 1: kind 10");
}

Strings g_segmentCalls;

TEST_F(GenerateStatusTest, ARestartTheClientRefusesSaysSoAndGivesTheSegmentBack)
{
    g_segmentCalls.clear();
    app.RegisterWYRCallBack([](const char* name) { return g_segmentCalls.push_back(std::string("lock ") + name), 1; },
                            [](const char* name) { g_segmentCalls.push_back(std::string("free ") + name); }, nullptr);
    AddSession({"NTGEN", 2, 8});
    vqclient::FailNextStart();
    ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, 0).Click(kRestart);
    ui.ExpectMessageBox("Cannot proceed with generation:\nThe generation client did not start the generation.", IDOK);
    VqsShowGenerateStatus(*view);
    ui.Verify();
    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_EQ(g_segmentCalls, (Strings{"lock SALES", "free SALES"}));

    g_segmentCalls.clear();
    Choose(0, kRestart);
    EXPECT_EQ(g_segmentCalls, (Strings{"lock SALES"})) << "a started restart keeps the segment";
}

TEST_F(GenerateStatusTest, AnUnfinishedSystemSessionRestartsAndItsGenerationKeepsTheGenerateSetLock)
{
    PlaceHoldNamedBy(AddSession({"NTGEN", 2, 3}), OptionSet("NTGEN"));
    Choose(0, kRestart);

    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 35), "generation 1: kind 4 genset \"NTGEN\"");
    EXPECT_NE(requests[0].find("segment \"SALES\" link \"SALES\""), std::string::npos) << "the element record goes";
    const PxPersistentLockPtr lock = OptionSet("NTGEN")->GetPersistentLock();
    ASSERT_TRUE(lock) << "the restarted generation holds the set";
    EXPECT_EQ(lock->GetLockCount(), 1);
    EXPECT_EQ(lock->GetManualLockCount(), 0);
}

// A manual Lock keeps every start of the set out: the owner's restart of the interrupted
// generation, and another user's restart of it too. Only the owner's Unlock helps: she is not
// asked to try again. The configuration is synchronised first, so that the restart's
// synchronisation has nothing to change of the set.
TEST_F(GenerateStatusTest, AManualLockOnTheGenerateSetStopsTheRestartWhoeverRestartsAndBothLocksStay)
{
    VqsSynchronizeConfig(*view);
    ui.Verify();
    const struct {
        const char* what;
        const char* owner;
        const char* told;
    } cases[] = {
        {"the owner restarts", "ABC", "Lock failed:\nABC manually locked NTGEN."},
        {"another user restarts the owner's session", "XYZ",
         "Lock failed:\nXYZ manually locked NTGEN.\nPlease try again after some time."},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.what);
        PxVQLink owner;
        owner.AttachSession(sample.Path().c_str(), row.owner, nullptr);
        const PxVQOptionSetPtr ownersSet =
            owner.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
        const PxVQRecoveryInfoPtr session = AddSession({.type = 2, .state = 3, .user = row.owner});
        PlaceHoldNamedBy(session, ownersSet);
        ASSERT_TRUE(ownersSet->PersistentLock(1).Succeeded());
        ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, 0).Click(kRestart);
        ui.ExpectMessageBox(row.told, IDOK);
        VqsShowGenerateStatus(*view);
        ui.Verify();

        EXPECT_TRUE(vqclient::Requests().empty());
        const PxPersistentLockPtr lock = OptionSet("NTGEN")->GetPersistentLock();
        ASSERT_TRUE(lock);
        EXPECT_EQ(lock->GetLockCount(), 2);
        EXPECT_EQ(lock->GetManualLockCount(), 1);
        ownersSet->RemovePersistentLock(1, 1);
        ownersSet->RemovePersistentLock(0, 1);
        app.GetLink()->BeginTransaction();
        session->DeleteObject();
        app.GetLink()->CommitTransaction();
    }
}

// A session that stopped finished (Deploying) while its set still carries its hold, as when the
// hold's lift at its stop was lost with the server: its restart, run to its end, and its Delete
// each lift that hold.
TEST_F(GenerateStatusTest, AFinishedSessionsHoldStillStandingGoesWithItsRestartsEndOrItsDelete)
{
    for (const bool deleted : {false, true}) {
        SCOPED_TRACE(deleted ? "deleted" : "restarted to its end");
        PlaceHoldNamedBy(AddSession({"NTGEN", 2, 8}), OptionSet("NTGEN"));
        if (deleted) {
            ui.ExpectDialog(IDD_SELECT_SESSION).Select(kSessionList, 0).Click(kDelete).Cancel();
            VqsShowGenerateStatus(*view);
            ui.Verify();
        } else {
            Choose(0, kRestart);
            ASSERT_EQ(vqclient::Requests().size(), 1u);
            EXPECT_EQ(vqclient::PlayProgress(vqclient::LastGenerateNumber(), 3, "Generation finished"),
                      vqclient::Played::Posted);
        }
        EXPECT_FALSE(OptionSet("NTGEN")->GetPersistentLock());
        EXPECT_EQ(System("SYS1")->CountOfRecoveryInfos(), 0);
    }
}
