// Two and three users, each in a process of their own on one repository (a file or a
// database of the suite's server), press Finish in a creating wizard at the same moment,
// round after round, and leave the lock-progress box to wait: every Finish ends, each user's
// objects are stored whole or the Finish is refused with the page's message (the wizard
// stays open on the page of the name), and no two systems share a name.
#include "RaceRound.h"
#include "SysViewTestSupport.h"

#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsNewBSLinkPages.h"
#include "config/VqsNewGenSetPages.h"
#include "config/VqsNewSystemPages.h"
#include "model/VqsModel.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQTypes.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "support/PgTestServer.h"
#include "support/ScriptedUiDriver.h"
#include "sysview/VqsOptionSetView.h"

#include <chrono>

namespace {

using racetest::RoundPipes;

constexpr UINT kLockProgressDialog = 105;
constexpr char kNameTaken[] = "The name is not unique.";
// Bounds a round whose Finishes wait for each other, so that a deadlock fails the test; no
// round that ends comes near it, at any load.
constexpr int kLongestRoundMilliseconds = 90'000;

// New System (all of one round under one name, with a new host each), Add Business Segment
// with a first generate set (each on a system of their own), New Generate Set (likewise).
using Wizard = SysViewTest::Wizard;

struct Case {
    Store store;
    const char* name;
    std::vector<Wizard> users;
    int rounds;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server}) {
        cases.push_back({store, "NewSystemsOfOneName", {Wizard::NewSystem, Wizard::NewSystem}, 3});
        cases.push_back({store, "AddSegments", {Wizard::AddSegment, Wizard::AddSegment}, 3});
        cases.push_back({store, "NewGenerateSets", {Wizard::NewGenSet, Wizard::NewGenSet}, 3});
        cases.push_back({store, "ThreeWizards", {Wizard::NewSystem, Wizard::AddSegment, Wizard::NewGenSet}, 2});
        cases.push_back({store, "ThreeNewSystemsOfOneName", {Wizard::NewSystem, Wizard::NewSystem, Wizard::NewSystem}, 2});
    }
    return cases;
}

// A user who leaves the lock-progress box to wait, and who, when a Finish is refused for a
// name that is taken now, reads the message, notes the page the wizard shows and cancels it.
class RaceUser : public vqtest::ScriptedUiDriver {
public:
    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog)
            return vqui::UiAction::Wait();
        if (event.kind == vqui::EventKind::MessageBox && event.text == kNameTaken && !refused) {
            refused = true;
            return vqui::UiAction::End(IDOK);
        }
        if (event.kind == vqui::EventKind::Wizard && refused) {
            pageAfterRefusal = event.templateId;
            return vqui::UiAction::Press(IDCANCEL);
        }
        return ScriptedUiDriver::NextAction(event);
    }

    bool refused = false;
    UINT pageAfterRefusal = 0;
};

struct CreationRaceTest : SysViewTest, ::testing::WithParamInterface<Case> {
    RaceUser ui;
    std::string repository;

    CreationRaceTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam().store, dir);
    }

    static std::string SystemName(int round) { return "RACE" + std::to_string(round); }
    static std::string HostName(int round, std::size_t user)
    {
        return "UX" + std::to_string(round) + std::to_string(user);
    }
    // The system a user's Add Business Segment or New Generate Set works on: its long name,
    // as the tree shows it, and its name.
    static std::string OwnSystemText(int round, std::size_t user) { return "Race " + OwnSystem(round, user); }
    static std::string OwnSystem(int round, std::size_t user)
    {
        return "R" + std::to_string(round) + "U" + std::to_string(user);
    }

    // Each user's own system (with the sample's SALES segment linked for New Generate Set),
    // and no UNIX host, so that New System makes one.
    void PrepareRound(int round)
    {
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        const std::vector<Wizard>& users = GetParam().users;
        for (std::size_t user = 0; user < users.size(); ++user) {
            if (users[user] != Wizard::NewSystem)
                MakeSystem(OwnSystemText(round, user), OwnSystem(round, user), users[user] == Wizard::NewGenSet);
        }
        DeleteHostsOfType(VQHostUnix);
        app.CloseSession();
    }

    // The user's wizard up to its last page, where the user waits for the others and then
    // presses Finish.
    void ScriptWizard(Wizard wizard, int round, std::size_t user, RoundPipes& pipes)
    {
        const auto arrive = [&pipes] { pipes.ArriveAndWait(); };
        switch (wizard) {
        case Wizard::NewSystem:
            NewSystemToGenSetPage(ui, SystemName(round))
                .Type(VqsSysGSPage::IDC_NAME, "Nightly")
                .Next()
                .OnPage(VqsSysGSHostPage::IDD)
                .Click(VqsSysGSHostPage::IDC_UNIX)
                .Next()
                .OnPage(VqsSysHostPage::IDD)
                .Type(VqsSysHostPage::IDC_NAME, HostName(round, user))
                .Type(VqsSysHostPage::IDC_ADDRESS, "ux.example")
                .Next()
                .OnPage(VqsSysHostFTPPage::IDD)
                .Run(arrive)
                .Finish();
            break;
        case Wizard::AddSegment:
            AddSegmentToFinish(ui, [] {}, arrive);
            break;
        case Wizard::NewGenSet:
            ui.ExpectWizard()
                .OnPage(VqsGenSetOptPage::IDD)
                .Type(VqsGenSetOptPage::IDC_NAME, "Weekly")
                .Next()
                .OnPage(VqsGenSetTypePage::IDD)
                .Click(VqsGenSetTypePage::IDC_TARSK)
                .Run(arrive)
                .Finish();
            break;
        }
    }

    // In the user's process: 'S' when the Finish stored, 'R' when it was refused for the
    // name with the wizard back on the name's page, 'F' for anything else.
    char Play(Wizard wizard, int round, std::size_t user, RoundPipes& pipes)
    {
        if (!app.OpenSession(repository.c_str(), "ABC", nullptr))
            return 'F';
        OpenFrame();
        ScriptWizard(wizard, round, user, pipes);
        StartWizard(wizard, OwnSystemText(round, user));
        ui.Verify();
        if (::testing::Test::HasFailure())
            return 'F';
        if (!ui.refused)
            return 'S';
        return wizard == Wizard::NewSystem && ui.pageAfterRefusal == VqsSysOptPage::IDD ? 'R' : 'F';
    }

    // Every user's Finish of the round at the same moment; how each went, in user order
    // ('T' for one that did not end in time).
    std::string RunRound(int round)
    {
        const std::vector<Wizard>& users = GetParam().users;
        return racetest::RunRound(
            users.size(), [&](std::size_t user, RoundPipes& pipes) { return Play(users[user], round, user, pipes); },
            std::chrono::milliseconds(kLongestRoundMilliseconds));
    }

    PxVQCurConfigPtr OwnConfig(PxVQLink& link, int round, std::size_t user) const
    {
        return link.GetLVQEnterprise()->GetSystem(OwnSystem(round, user).c_str())->GetCurConfig();
    }
};

} // namespace

TEST_P(CreationRaceTest, EveryFinishEndsStoredWholeOrRefusedAndNoTwoSystemsShareAName)
{
    const std::vector<Wizard>& users = GetParam().users;
    for (int round = 1; round <= GetParam().rounds; ++round) {
        PrepareRound(round);
        const std::string outcomes = RunRound(round);

        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        PxTypedList<PxVQSystemPtr> systems;
        link.GetLVQEnterprise()->GetListOfSystems(systems);
        int named = 0;
        for (POSITION pos = systems.GetHeadPosition(); pos;)
            named += systems.GetNext(pos)->GetName() == SystemName(round).c_str() ? 1 : 0;
        int newSystems = 0;
        int stored = 0;
        for (std::size_t user = 0; user < users.size(); ++user) {
            SCOPED_TRACE("round " + std::to_string(round) + ", user " + std::to_string(user) + ": " + outcomes);
            ASSERT_NE(outcomes[user], 'T') << "a Finish never ended";
            ASSERT_NE(outcomes[user], 'F');
            const bool made = outcomes[user] == 'S';
            stored += made ? 1 : 0;
            const PxVQHostInformationPtr host = link.GetLVQEnterprise()->GetHostInformation(HostName(round, user).c_str());
            switch (users[user]) {
            case Wizard::NewSystem:
                ++newSystems;
                EXPECT_EQ(bool(host), made) << "a refused Finish makes no host";
                if (made) {
                    const PxVQCurConfigPtr config =
                        link.GetLVQEnterprise()->GetSystem(SystemName(round).c_str())->GetCurConfig();
                    EXPECT_EQ(config->CountOfBSSoftLinks(), 1);
                    EXPECT_TRUE(config->GetOptionSet("NIGHTLY"));
                }
                break;
            case Wizard::AddSegment:
                EXPECT_TRUE(made);
                EXPECT_EQ(OwnConfig(link, round, user)->CountOfBSSoftLinks(), 1);
                EXPECT_TRUE(OwnConfig(link, round, user)->GetOptionSet("NIGHTLY"));
                break;
            case Wizard::NewGenSet:
                EXPECT_TRUE(made);
                EXPECT_TRUE(OwnConfig(link, round, user)->GetOptionSet("WEEKLY"));
                break;
            }
        }
        EXPECT_EQ(named, newSystems > 0 ? 1 : 0) << "round " << round << ": " << outcomes;
        EXPECT_EQ(stored, static_cast<int>(users.size()) - (newSystems > 1 ? newSystems - 1 : 0)) << outcomes;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CreationRaceTest, ::testing::ValuesIn(Cases()), StoreCaseName<Case>);
