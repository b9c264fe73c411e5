#include "../sysview/SysViewTestSupport.h"
#include "RecoveryTestSupport.h"

#include "generate/VqsGenerateCommands.h"
#include "generate/VqsSynchEvent.h"
#include "generate/VqsSynchOptionsDlg.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxTesting.h"
#include "serialize/SerializeTesting.h"
#include "support/ScriptedUiDriver.h"
#include "vqclient/VqcTesting.h"
#include "win/Clock.h"
#include "win/PrivateProfile.h"
#include "win/Window.h"
#include "win/CComboBox.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

constexpr UINT IDD_GENERATE = 160;
constexpr UINT IDD_SYNCH_OPTIONS = 158;
constexpr UINT IDD_SELECT_SESSION = 294;
constexpr int kGenSetCombo = 1021;
constexpr int kHostCombo = 1790;
constexpr int kGenerateReports = 1789;
// A start the client refuses while nothing in the repository says why.
constexpr char kNotStarted[] = "Cannot proceed with generation:\nThe generation client did not start the generation.";

struct GenerateSystemTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    vqclock::ManualClock clock;
    vqclock::ScopedClock scopedClock{clock};
    std::string log = dir.File("generate.log");

    void SetUp() override
    {
        clock.SetSleepMovesClock(true);
        vqclient::Reset();
        vqclient::SetGenerationLog(log);
        vqserialize::Reset();
        ui.WheneverDialog(105);
        SysViewTest::SetUp();
        OpenFrame();
        Select({"Sample system 1"});
    }

    void TearDown() override
    {
        ui.WheneverDialog(105);
        SysViewTest::TearDown();
        vqclient::SetGenerationLog("");
    }

    PxVQGenSetPtr GenSet(const char* name)
    {
        return PxVQGenSetPtr(System("SYS1")->GetCurConfig()->GetOptionSet(name));
    }

    // Whether another user may take the generate set for write now, as its options' OK does.
    bool OtherCanWrite(const char* name) const
    {
        PxVQLink other;
        other.AttachSession(sample.Path().c_str(), "XYZ/dev", nullptr);
        const PxVQObjectPtr genSet(other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet(name));
        return genSet->WriteLock(0).Succeeded();
    }

    // The text a control of the open "Generate System" dialog shows.
    static std::string Shown(int id)
    {
        HWND combo = GetDlgItem(FindWindowEx(nullptr, nullptr, nullptr, "Generate System"), id);
        const LRESULT index = SendMessage(combo, CB_GETCURSEL, 0, 0);
        char text[64] = {};
        if (index >= 0)
            SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
        return text;
    }

    static bool Enabled(int id)
    {
        return IsWindowEnabled(GetDlgItem(FindWindowEx(nullptr, nullptr, nullptr, "Generate System"), id));
    }
};

} // namespace

TEST_F(GenerateSystemTest, TheUserGeneratesTheSystemWithTheGenerateSetOfTheFrame)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("UNIXGEN")));
    ui.ExpectDialog(IDD_GENERATE).OK();
    VqsGenerateSystem(*view);
    ui.Verify();

    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 62), "generation 1: kind 2 genset \"UNIXGEN\" host \"UNIXHOST\" segment ");
    EXPECT_EQ(vqclient::FrameWindowOf(1), frame->m_hWnd) << "progress goes to the frame that asked";
    EXPECT_TRUE(GenSet("UNIXGEN")->GetPersistentLock()) << "the generate set stays locked for a restart";
}

TEST_F(GenerateSystemTest, AStartTheClientRefusesLeavesNothingLockedAndSaysSo)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    vqclient::FailNextStart();
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox(kNotStarted, IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_FALSE(GenSet("NTGEN")->GetPersistentLock());
    EXPECT_FALSE(GenSet("NTGEN")->IsLocked());
}

TEST_F(GenerateSystemTest, TheDialogOffersTheHostsOfTheChosenSetsHostType)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("QSRGEN")));
    ui.ExpectDialog(IDD_GENERATE)
        .Run([&] {
            EXPECT_EQ(Shown(kHostCombo), "QSRHOST") << "the frame's option set is preselected";
            EXPECT_TRUE(Enabled(kGenerateReports)) << "the configuration holds report links";
        })
        .Select(kGenSetCombo, 2)
        .Run([&] { EXPECT_EQ(Shown(kHostCombo), "TARSKHOST"); })
        .Cancel();
    VqsGenerateSystem(*view);
    ui.Verify();
    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(GenerateSystemTest, ASynchronisationEventHeldElsewhereEndsTheCommandInsteadOfHangingIt)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    VqsSynchEventHold other;
    ASSERT_TRUE(other.Acquire());
    const DWORD timeout = VqsSynchEventHold::GetTimeout();
    VqsSynchEventHold::SetTimeout(0);
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBoxId(61520, IDOK);
    VqsGenerateSystem(*view);
    VqsSynchEventHold::SetTimeout(timeout);
    ui.Verify();
    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(GenerateSystemTest, ExtractWritesTheSystemOnlyWhenTheSerializerOpens)
{
    vqserialize::FailNextOpen();
    VqsExtractSystem(*view);
    EXPECT_EQ(vqserialize::Calls(), (Strings{"VQSSerializeOpen"}));

    vqserialize::Reset();
    VqsExtractSystem(*view);
    EXPECT_EQ(vqserialize::Calls(),
              (Strings{"VQSSerializeOpen", "VQSSetParentWindow", "VQSExtractSystem SYS1", "VQSSerializeClose"}));
}

TEST_F(GenerateSystemTest, AnExtractToAFullDeviceIsReportedAsFailed)
{
    setenv("VQ_EXTRACT_DIR", dir.Path().c_str(), 1);
    std::filesystem::create_symlink("/dev/full", dir.File("SYS1.vqx"));
    ui.ExpectMessageBox("Cannot write the extract " + dir.File("SYS1.vqx") + ": No space left on device.", IDOK);
    VqsExtractSystem(*view);
    unsetenv("VQ_EXTRACT_DIR");
    ui.Verify();
    EXPECT_EQ(vqserialize::Calls(),
              (Strings{"VQSSerializeOpen", "VQSSetParentWindow", "VQSExtractSystem SYS1", "VQSSerializeClose"}));
}

TEST_F(GenerateSystemTest, InteractiveSynchronisationIsStoredAsNoAutomaticSynchronisationOnly)
{
    WritePrivateProfileStringA("systems", "Remove Old Options", "Y", ini.c_str());
    ui.ExpectDialog(IDD_SYNCH_OPTIONS).Click(1054).OK();
    VqsRunSynchOptions(frame);
    ui.ExpectDialog(IDD_SYNCH_OPTIONS).Click(1053).Cancel();
    VqsRunSynchOptions(frame);
    ui.Verify();
    EXPECT_EQ(Setting("Auto Synchronize"), "N");
    EXPECT_EQ(Setting("Remove Old Options"), "Y");
}

TEST_F(GenerateSystemTest, AGenerateSetThatCannotBeLockedAfterTheStartCancelsTheGeneration)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    PxFaultInjection::Throw("PxVQObject::PersistentLock");
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox("Cannot proceed with generation:\nInjected repository failure", IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();
    PxFaultInjection::Reset();

    std::ifstream written(log);
    std::string line;
    std::vector<std::string> lines;
    while (std::getline(written, line))
        lines.push_back(line.substr(0, 20));
    EXPECT_EQ(lines, (Strings{"generation 1: kind 2", "cancel 1: Syncronisa"}));
    EXPECT_TRUE(OtherCanWrite("NTGEN")) << "the future-update locks went with the command";
}

// The start's future-update locks are granted, and the start of the generation then fails
// on a read (its connection lost): one box, and neither the generate set nor its options
// stay locked.
TEST_F(GenerateSystemTest, AStartWhoseReadFailsAfterItsLocksLeavesNothingLocked)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    PxFaultInjection::Run("PxLink::FutureUpdateLock", [] {
        PxFaultInjection::Throw("PxObject::GetStringProperty", "The connection to the server was lost.");
    });
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox("Cannot proceed with generation:\nThe connection to the server was lost.", IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();
    PxFaultInjection::Reset();

    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_TRUE(OtherCanWrite("NTGEN"));
    EXPECT_FALSE(GenSet("NTGEN")->GetPersistentLock());
}

TEST_F(GenerateSystemTest, SynchronizeSaysWhatItDoesAndKeepsNoLockAfterwards)
{
    frametest::HostLines().clear();
    VqsSynchronizeConfig(*view);
    ui.Verify();
    Strings shown;
    for (const std::string& line : frametest::HostLines()) {
        if (line.find("Synchronising system configuration...") != std::string::npos)
            shown.push_back(line);
    }
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_FALSE(GenSet("NTGEN")->IsLocked());
    EXPECT_FALSE(System("SYS1")->GetCurConfig()->IsLocked());
}

TEST_F(GenerateSystemTest, WithAnUnfinishedGenerationTheUserIsOfferedItsStatusFirst)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    app.GetLink()->BeginTransaction();
    System("SYS1")->CreateRecoveryInfo(PxVQOptionSetPtr(GenSet("NTGEN")));
    app.GetLink()->CommitTransaction();

    ui.ExpectMessageBoxId(61919, IDYES);
    ui.ExpectDialog(IDD_SELECT_SESSION).Cancel();
    VqsGenerateSystem(*view);
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).Cancel();
    VqsGenerateSystem(*view);
    ui.Verify();
    EXPECT_TRUE(vqclient::Requests().empty());
}

namespace {

// An interrupted generation of NTGEN by the user of `link`: its recovery record, stopped while
// it generated files, and the persistent lock it placed on the generate set, which the record
// names.
PxVQRecoveryInfoPtr InterruptedGeneration(PxVQLink& link)
{
    PxVQSystemPtr system = link.GetLVQEnterprise()->GetSystem("SYS1");
    PxVQOptionSetPtr genSet = system->GetCurConfig()->GetOptionSet("NTGEN");
    link.BeginTransaction();
    const PxVQRecoveryInfoPtr session = system->CreateRecoveryInfo(genSet);
    session->setGenerateType(2);
    session->SetCurrentState(6);
    session->SetUserId(link.GetProcess()->GetUserCode());
    link.CommitTransaction();
    PlaceHoldNamedBy(session, genSet);
    return session;
}

} // namespace

// The sample's SALES carries another user's shared design lock, which holds nothing.
TEST_F(GenerateSystemTest, DecliningTheRestartOfItsOwnGenerationTheUserGeneratesAfreshAndItsLockIsTakenOver)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    InterruptedGeneration(*app.GetLink());
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).OK();
    VqsGenerateSystem(*view);
    ui.Verify();

    const Strings requests = vqclient::Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].substr(0, 35), "generation 1: kind 2 genset \"NTGEN\"");
    EXPECT_EQ(GenSet("NTGEN")->GetIntProperty("persistentLockCount"), 1) << "one generation holds the set";
    EXPECT_FALSE(GenSet("NTGEN")->IsLocked());
}

TEST_F(GenerateSystemTest, AnotherUsersInterruptedGenerationStillRefusesAFreshOne)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    PxVQLink other;
    other.AttachSession(sample.Path().c_str(), "XYZ/dev", nullptr);
    InterruptedGeneration(other);
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBoxId(61874, IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_TRUE(vqclient::Requests().empty());
    const PxPersistentLockPtr lock = GenSet("NTGEN")->GetPersistentLock();
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->GetUserCode(), "XYZ/dev");
    EXPECT_EQ(lock->GetLockCount(), 1);
}

TEST_F(GenerateSystemTest, ASessionOpenInAnotherUsersSelectSessionIsNotOfferedForARestart)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    PxVQLink other;
    other.AttachSession(sample.Path().c_str(), "XYZ/dev", nullptr);
    InterruptedGeneration(other);
    const PxVQSystemPtr seen = other.GetLVQEnterprise()->GetSystem("SYS1");
    ASSERT_TRUE(seen->GetRecoveryInfo(seen->GetCurConfig()->GetOptionSet("NTGEN"))->LongReadLock().Succeeded());
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBoxId(61874, IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(GenerateSystemTest, AFreshGenerationTheClientRefusesLeavesTheInterruptedGenerationItsLock)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    InterruptedGeneration(*app.GetLink());
    vqclient::FailNextStart();
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox(kNotStarted, IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_EQ(GenSet("NTGEN")->GetIntProperty("persistentLockCount"), 1);
    EXPECT_FALSE(GenSet("NTGEN")->IsLocked());
}

// The fresh generation takes the interrupted one's lock over with no moment between in which
// another user's Lock of the set is granted.
TEST_F(GenerateSystemTest, TakingTheInterruptedGenerationsLockOverTheStartLeavesAnotherUsersLockNoMoment)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    InterruptedGeneration(*app.GetLink());
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).OK();
    LockOfNtGenAtEachCall other(sample.Path(), "PxLink::FutureUpdateLock");
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_GT(other.asked, 0);
    EXPECT_EQ(other.granted, 0);
    EXPECT_EQ(vqclient::Requests().size(), 1u);
}

TEST_F(GenerateSystemTest, WhileTheUsersGenerationRunsASecondOneOfTheSameSetIsRefusedBeforeAnyDialog)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    ui.ExpectDialog(IDD_GENERATE).OK();
    VqsGenerateSystem(*view);
    ui.ExpectMessageBoxId(61874, IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_EQ(vqclient::Requests().size(), 1u);
    EXPECT_EQ(GenSet("NTGEN")->GetIntProperty("persistentLockCount"), 1);
    EXPECT_FALSE(GenSet("NTGEN")->IsLocked());
}

// Her own manual Lock of the set refuses her Generate System as any lock does at that step.
TEST_F(GenerateSystemTest, ASetTheUserLockedHerselfRefusesHerGenerateSystemWithTheLockedText)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    ASSERT_TRUE(GenSet("NTGEN")->PersistentLock(1).Succeeded());
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox("Cannot generate the System:\nOption Set is locked by another user.", IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_TRUE(vqclient::Requests().empty());
}

TEST_F(GenerateSystemTest, ALockStoreBusyPastItsTimeoutStopsNoGenerationAndItsEndFreesTheSet)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    ui.ExpectDialog(IDD_GENERATE).OK();
    VqsGenerateSystem(*view);
    ui.Verify();

    // Another process keeps the lock file in a long transaction: every claim check stays busy.
    PxTesting::SetBusyTimeout(*app.GetLink(), 0);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open((sample.Path() + "-locks").c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    const vqclient::Played working = vqclient::PlayProgress(1, 0, "working");
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(working, vqclient::Played::Posted) << "the generation goes on";

    EXPECT_EQ(vqclient::PlayProgress(1, 3, "Generation finished"), vqclient::Played::Posted);
    ui.Verify();
    EXPECT_FALSE(GenSet("NTGEN")->GetPersistentLock()) << "its end lifted its hold";
    EXPECT_EQ(GenSet("NTGEN")->GetGenerationClaim(), PxVQObject::GenerationClaim::None);
}

// The user's generation hold that no session names (its generation finished, the hold's lift
// lost) is told as hers, by the generation it was placed for: only her Unlock lifts it.
TEST_F(GenerateSystemTest, AFinishedGenerationsRecordLeavesTheUsersOwnHoldInPlaceAndSaysWhoseItIs)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    const PxVQRecoveryInfoPtr finished = InterruptedGeneration(*app.GetLink());
    app.GetLink()->BeginTransaction();
    finished->SetCurrentState(8);
    finished->SetHoldId(0);
    app.GetLink()->CommitTransaction();
    ui.ExpectMessageBoxId(61919, IDNO);
    ui.ExpectDialog(IDD_GENERATE).OK();
    ui.ExpectMessageBox("Lock failed:\nGenerate process for user ABC persistently locked NTGEN.", IDOK);
    VqsGenerateSystem(*view);
    ui.Verify();

    EXPECT_TRUE(vqclient::Requests().empty());
    EXPECT_EQ(GenSet("NTGEN")->GetIntProperty("persistentLockCount"), 1);
}

TEST_F(GenerateSystemTest, TheFrameFreesTheTextOfEveryProgressEventAlsoWhenItClosesBeforeTheEventArrives)
{
    frame->SetCurrentOptionSet(PxVQOptionSetPtr(GenSet("NTGEN")));
    ui.ExpectDialog(IDD_GENERATE).OK();
    VqsGenerateSystem(*view);
    ui.Verify();

    ASSERT_EQ(vqclient::PlayProgress(1, 1, "Compiling ORDER"), vqclient::Played::Posted);
    vqwin::PumpPending();
    EXPECT_EQ(vqclient::EventTextsNotTaken(), 0) << "the open frame took the event";
    ASSERT_EQ(vqclient::PlayProgress(1, 3, "Generation finished"), vqclient::Played::Posted);
    CloseFrame();
    vqwin::PumpPending();
    EXPECT_EQ(vqclient::EventTextsNotTaken(), 0) << "the frame closed with the event still waiting";
    EXPECT_EQ(vqclient::PlayProgress(1, 1, "after the frame"), vqclient::Played::NoGeneration);
    EXPECT_EQ(vqclient::EventTextsNotTaken(), 0);
}
