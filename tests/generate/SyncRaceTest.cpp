// Two and three users, each in a process of their own on one repository (a file or a
// database of the suite's server), act on one system at the same moment, round after round:
// they synchronise its configuration by the Synchronize command or a script's report
// generation, the host runs a transaction over its segment link, renames an element of it
// or deletes a system linking the segment, one user restarts an interrupted generation of a
// set while another generates the system with that set; they leave the lock-progress box to
// wait. Every step ends, stored or refused with its message, the synchronisation is stored
// and nothing stays locked.
#include "../sysview/RaceRound.h"
#include "../sysview/SysViewTestSupport.h"
#include "RecoveryTestSupport.h"
#include "ScriptCalls.h"

#include "generate/CAnvilorController.h"
#include "generate/VqsGenerateCommands.h"
#include "generate/VqsGenerateStatus.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "support/PgTestServer.h"
#include "vqclient/VqcTesting.h"
#include "win/Clock.h"
#include "win/Messages.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <random>

namespace {

using racetest::RoundPipes;

constexpr UINT kLockProgressDialog = 105;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT IDS_OPTION_SET_LOCKED = 61874;
constexpr UINT IDS_OPTION_SET_NOT_LOCKED = 61875;
constexpr UINT IDS_RESTART_OFFER = 61919;
constexpr UINT kRemovePromptDialog = 152;
constexpr UINT kGenerateDialog = 160;
constexpr UINT kSelectSessionDialog = 294;
constexpr int kSessionList = 32853;
constexpr int kRestartButton = 33025;
constexpr char kItemDeleted[] = "item has been deleted.";
// Bounds a round whose users wait for each other, so that a deadlock fails the test; no
// round that ends comes near it, at any load.
constexpr int kLongestRoundMilliseconds = 60'000;

// A script's start refused: while another user generates the set, or with what it waited
// for given up.
constexpr char kNotStarted[] = "E1014: Unable to start generate. Elements Locked.";

// The host's transaction prepares for a rename in the SALES segment (of a report no
// configuration links, so that it holds the segment's links and changes nothing) and closes;
// its rename of SALES's report MONTHLY renames the report's link in every configuration.
// Delete removes SYS2, which links SALES, answering the question about changed options No.
// ABC restarts its generation of SYS1's NTGEN that stopped holding the set; XYZ generates
// SYS1 with NTGEN, declining the offer to restart.
enum class Step { Synchronize, ScriptReports, HostTransaction, HostRename, Delete, Restart, GenerateSystem };

struct Case {
    Store store;
    const char* name;
    std::vector<Step> users;
    int rounds;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server}) {
        cases.push_back({store, "TwoScripts", {Step::ScriptReports, Step::ScriptReports}, 4});
        cases.push_back({store, "ScriptAndSynchronize", {Step::ScriptReports, Step::Synchronize}, 4});
        cases.push_back({store, "TwoSynchronizes", {Step::Synchronize, Step::Synchronize}, 3});
        cases.push_back({store, "ThreeUsers", {Step::Synchronize, Step::ScriptReports, Step::ScriptReports}, 3});
        cases.push_back({store, "HostTransactionAndSynchronize", {Step::HostTransaction, Step::Synchronize}, 4});
        cases.push_back({store, "HostTransactionAndScript", {Step::HostTransaction, Step::ScriptReports}, 4});
        cases.push_back({store, "HostTransactionAmongThree",
                         {Step::Synchronize, Step::HostTransaction, Step::ScriptReports}, 3});
        cases.push_back({store, "RenameAndDeleteOfASystemLinkingTheSegment", {Step::HostRename, Step::Delete}, 3});
        cases.push_back({store, "RestartAndAnotherUsersGenerateSystemOfTheSet", {Step::Restart, Step::GenerateSystem}, 6});
    }
    return cases;
}

// A user who leaves the lock-progress box to wait and answers No to Delete's question about
// changed options and to the offer to restart. A user who meets the others inside the step
// (`arrive`) does so at that question of Delete or at the first dialog of a generation's
// start, and notes every other message box.
class WaitingUser : public vqtest::ScriptedUiDriver {
public:
    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog)
            return vqui::UiAction::Wait();
        const bool noting = static_cast<bool>(arrive);
        if (!arrived && noting && MeetsTheOthers(event)) {
            arrived = true;
            arrive();
        }
        if (event.kind == vqui::EventKind::MessageBox && IsAnsweredNo(event.text))
            return vqui::UiAction::End(IDNO);
        if (event.kind == vqui::EventKind::MessageBox && noting) {
            boxes.push_back(event.text.GetString());
            return vqui::UiAction::End(IDOK);
        }
        return ScriptedUiDriver::NextAction(event);
    }

    std::function<void()> arrive;
    bool arrived = false;
    std::vector<std::string> boxes;

private:
    static bool IsAnsweredNo(const CString& text)
    {
        return text == ResourceText(IDS_CHECK_CHANGED_OPTIONS) || text == ResourceText(IDS_RESTART_OFFER);
    }

    static bool MeetsTheOthers(const vqui::UiEvent& event)
    {
        if (event.kind == vqui::EventKind::Dialog)
            return event.templateId == kSelectSessionDialog || event.templateId == kGenerateDialog;
        return event.kind == vqui::EventKind::MessageBox && event.text == ResourceText(IDS_CHECK_CHANGED_OPTIONS);
    }
};

struct SyncRaceTest : SysViewTest, ::testing::WithParamInterface<Case> {
    WaitingUser ui;
    std::string repository;

    SyncRaceTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam().store, dir);
    }

    bool Plays(Step step) const
    {
        const std::vector<Step>& users = GetParam().users;
        return std::find(users.begin(), users.end(), step) != users.end();
    }

    // The host's steps and Delete leave the revision a segment link was synchronised with as
    // it was.
    bool Synchronises() const
    {
        return Plays(Step::Synchronize) || Plays(Step::ScriptReports) || Plays(Step::Restart) ||
               Plays(Step::GenerateSystem);
    }

    // A round with a Delete or a restart starts on a new sample, whose SYS2 links SALES as
    // SYS1 does. Every segment link of SYS1 forgets the design revision it was synchronised
    // with, so that each step of the round synchronises it in full. A restart finds ABC's
    // interrupted generation of NTGEN, which holds the set.
    void PrepareRound(int round)
    {
        if ((Plays(Step::Delete) || Plays(Step::Restart)) && round > 1) {
            repository = GetParam().store == Store::Server
                             ? NewSharedSample(Store::Server, dir)
                             : dir.File("round" + std::to_string(round) + ".vqr");
            if (GetParam().store == Store::File)
                vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription());
        }
        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        PxTypedList<PxVQBSSoftLinkPtr> links;
        link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetListOfBSSoftLinks(links);
        link.BeginTransaction();
        for (POSITION pos = links.GetHeadPosition(); pos;)
            links.GetNext(pos)->SetSyncGenRevisionGUID(GUID{});
        link.CommitTransaction();
        if (Plays(Step::Restart))
            InterruptGenerationOfNtGen(repository);
    }

    // A few reads after the go, as many as the round's seed says, so that the users' first
    // lock requests come in a different order from round to round.
    void Stagger(int round, std::size_t user)
    {
        std::mt19937 seeded(static_cast<unsigned>(round * 7919 + static_cast<int>(user)));
        for (unsigned reads = seeded() % 4; reads > 0; --reads) {
            PxTypedList<PxVQSystemPtr> systems;
            app.GetLink()->GetLVQEnterprise()->GetListOfSystems(systems);
        }
    }

    // In the user's process: 'S' when the step went through, 'R' when it was refused with its
    // message (a script's start; a Delete told its system was deleted), 'F' for anything else.
    char Play(Step step, int round, std::size_t user, RoundPipes& pipes)
    {
        if (!app.OpenSession(repository.c_str(), step == Step::GenerateSystem ? "XYZ" : "ABC", nullptr))
            return 'F';
        const auto arrive = [&] {
            pipes.ArriveAndWait();
            Stagger(round, user);
        };
        if (step == Step::Synchronize) {
            OpenFrame();
            Select({"Sample system 1"});
            arrive();
            VqsSynchronizeConfig(*view);
        } else if (step == Step::Delete) {
            OpenFrame();
            Select({"Sample system 2"});
            ui.arrive = arrive;
            ui.WheneverDialog(kRemovePromptDialog).Press(IDYES);
            vqui::user::PressKey(view->m_hWnd, VK_DELETE);
            vqwin::PumpPending();
            if (ui.boxes.size() == 1 && ui.boxes.front().find(kItemDeleted) != std::string::npos)
                return 'R';
            for (const std::string& box : ui.boxes)
                ADD_FAILURE() << "the Delete said: " << box;
        } else if (step == Step::Restart || step == Step::GenerateSystem) {
            return StartGeneration(step, user, arrive);
        } else if (step == Step::HostTransaction || step == Step::HostRename) {
            arrive();
            if (!app.PrepareForTransaction("SALES", 0))
                return 'F';
            const bool renamed = step == Step::HostTransaction
                                     ? app.Rename("LSEREPORT", "NOREPORT2", "NOREPORT", "SALES")
                                     : app.Rename("LSEREPORT", "MONTHEND", "MONTHLY", "SALES");
            app.TransactionClosed();
            // A host goes idle after its transaction, which gives back what its prepare read.
            app.OnHostIdle();
            if (!renamed)
                return 'F';
        } else {
            vqclient::Reset();
            vqclient::SetGenerationLog(dir.File("generate" + std::to_string(user) + ".log"));
            CComObject<CAnvilorController>* controller = nullptr;
            if (CComObject<CAnvilorController>::CreateInstance(&controller) != S_OK)
                return 'F';
            controller->AddRef();
            const std::string genSet = "SYS1.NTGEN";
            const HRESULT set = SetMandatoryValues(*controller, genSet);
            arrive();
            const HRESULT started =
                set == S_OK ? CallAsScript(*controller, "GenerateReports", {genSet.c_str(), "MONTHLY"}) : set;
            controller->Release();
            if (started != S_OK) {
                ComErrorInfo info;
                const std::string text = GetErrorInfo(info) ? info.description.GetString() : "";
                if (text.rfind(kNotStarted, 0) == 0)
                    return 'R';
                ADD_FAILURE() << "the script's start failed: " << text;
                return 'F';
            }
        }
        ui.Verify();
        return ::testing::Test::HasFailure() ? 'F' : 'S';
    }

    // The restart meets the other user at the session list, Generate System at its dialog;
    // each is refused when the other's generation holds the set.
    char StartGeneration(Step step, std::size_t user, const std::function<void()>& arrive)
    {
        vqclient::Reset();
        vqclient::SetGenerationLog(dir.File("generate" + std::to_string(user) + ".log"));
        // Generate System pauses for the client's start.
        vqclock::ManualClock clock;
        clock.SetSleepMovesClock(true);
        vqclock::ScopedClock scopedClock(clock);
        OpenFrame();
        Select({"Sample system 1"});
        ui.arrive = arrive;
        if (step == Step::Restart) {
            ui.ExpectDialog(kSelectSessionDialog).Select(kSessionList, 0).Click(kRestartButton);
            VqsShowGenerateStatus(*view);
        } else {
            frame->SetCurrentOptionSet(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
            ui.ExpectDialog(kGenerateDialog).OK();
            VqsGenerateSystem(*view);
        }
        ui.Verify();
        if (::testing::Test::HasFailure())
            return 'F';
        if (ui.boxes.empty())
            return vqclient::Requests().size() == 1 ? 'S' : 'F';
        const std::string refused = ui.boxes.front();
        if (ui.boxes.size() == 1 && (refused == ResourceText(IDS_OPTION_SET_LOCKED).GetString() ||
                                     (step == Step::Restart && refused == ResourceText(IDS_OPTION_SET_NOT_LOCKED).GetString())))
            return 'R';
        for (const std::string& box : ui.boxes)
            ADD_FAILURE() << "the generation's start said: " << box;
        return 'F';
    }
};

} // namespace

TEST_P(SyncRaceTest, EveryStepEndsStoredOrRefusedAndNothingStaysLocked)
{
    const std::vector<Step>& users = GetParam().users;
    for (int round = 1; round <= GetParam().rounds; ++round) {
        PrepareRound(round);
        const std::string outcomes = racetest::RunRound(
            users.size(), [&](std::size_t user, RoundPipes& pipes) { return Play(users[user], round, user, pipes); },
            std::chrono::milliseconds(kLongestRoundMilliseconds));
        SCOPED_TRACE("round " + std::to_string(round) + ": " + outcomes);
        ASSERT_EQ(outcomes.find('T'), std::string::npos) << "a step never ended";
        ASSERT_EQ(outcomes.find('F'), std::string::npos);

        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        const PxVQBSSoftLinkPtr sales = link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
        for (std::size_t user = 0; user < users.size(); ++user) {
            if (users[user] == Step::Delete && outcomes[user] == 'S') {
                EXPECT_FALSE(link.GetLVQEnterprise()->GetSystem("SYS2")) << "the Delete stored nothing";
            }
            if (users[user] == Step::HostRename) {
                EXPECT_TRUE(sales->GetElementSoftLink("MONTHEND")) << "the rename stored nothing";
            }
        }
        const PxVQConfigPtr config = link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
        EXPECT_FALSE(config->IsLocked());
        if (Plays(Step::Restart)) {
            const PxPersistentLockPtr hold =
                link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->GetPersistentLock();
            ASSERT_TRUE(hold) << "ABC's generation lost its hold";
            EXPECT_EQ(hold->GetUserCode().str(), "ABC");
        }
        PxTypedList<PxVQBSSoftLinkPtr> links;
        config->GetListOfBSSoftLinks(links);
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            const PxVQBSSoftLinkPtr segmentLink = links.GetNext(pos);
            EXPECT_FALSE(segmentLink->IsLocked());
            const PxLSEBusinessSegmentPtr segment = link.GetLSEEnterprise()->GetBusinessSegment(segmentLink->GetName());
            const PxLSERevisionIdPtr revision = segment ? segment->GetSyncGenRevision() : PxLSERevisionIdPtr();
            if (!revision || !Synchronises())
                continue;
            const GUID stored = segmentLink->GetSyncGenRevisionGUID();
            const GUID design = revision->GetGuid();
            EXPECT_EQ(std::memcmp(&stored, &design, sizeof(GUID)), 0) << segmentLink->GetName().GetString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SyncRaceTest, ::testing::ValuesIn(Cases()), StoreCaseName<Case>);
