// Two and three users, each in a process of their own on one repository (a file or a
// database of the suite's server), delete a system or press OK in its System Options or in
// its generate set's options at the same moment, round after round, and leave the lock-progress box to wait: every step ends,
// stored whole or refused with its message, and the system is gone at the end. Of the users
// deleting one system, one deletes it and each other is told that it went.
#include "RaceRound.h"
#include "SysViewTestSupport.h"

#include "config/VqsOptionsGenSetDlg.h"
#include "config/VqsOptionsSystemDlg.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeOSet.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQTypes.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "support/ScriptedUiDriver.h"
#include "win/Messages.h"
#include "win/UserActions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

namespace {

using racetest::RoundPipes;

constexpr UINT kLockProgressDialog = 105;
constexpr UINT IDD_GENSET_OPTIONS = 141;
constexpr UINT IDD_SYSTEM_OPTIONS = 142;
constexpr UINT ID_OPTIONS = 32772;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT kRemovePromptDialog = 152;
constexpr char kItemDeleted[] = "item has been deleted.";
// Bounds a round whose steps wait for each other, so that a deadlock fails the test; no
// round that ends comes near it, at any load.
constexpr int kLongestRoundMilliseconds = 60'000;

constexpr char kGenSet[] = "RACE";

// A Delete answers the question about changed options No, a checked Delete Yes and then
// Yes to the prompt about the system.
enum class Step { Delete, CheckedDelete, Options, GenSetOptions };

struct User {
    Step step;
    int system; // which of the round's systems
};

struct Case {
    Store store;
    const char* name;
    std::vector<User> users;
    int rounds;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server}) {
        const int rounds = store == Store::File ? 6 : 4;
        cases.push_back({store, "TwoDeletesOfOneSystem", {{Step::Delete, 0}, {Step::Delete, 0}}, rounds});
        cases.push_back({store, "DeleteAndOptionsOfOneSystem", {{Step::Delete, 0}, {Step::Options, 0}}, rounds});
        cases.push_back({store, "DeleteAndOptionsOfAnother", {{Step::Delete, 0}, {Step::Options, 1}}, rounds});
        cases.push_back({store, "TwoCheckedDeletesOfOneSystem", {{Step::CheckedDelete, 0}, {Step::CheckedDelete, 0}}, rounds});
        cases.push_back({store, "CheckedDeleteAndOptionsOfOneSystem", {{Step::CheckedDelete, 0}, {Step::Options, 0}}, rounds});
        cases.push_back({store, "DeleteAndGenSetOptionsOfOneSystem", {{Step::Delete, 0}, {Step::GenSetOptions, 0}}, rounds});
        cases.push_back({store, "DeleteAndGenSetOptionsOfAnother", {{Step::Delete, 0}, {Step::GenSetOptions, 1}}, rounds});
        cases.push_back(
            {store, "TwoDeletesAndOptionsOfOneSystem", {{Step::Delete, 0}, {Step::Options, 0}, {Step::Delete, 0}}, 3});
        cases.push_back({store,
                         "DeleteAndBothOptionsOfOneSystem",
                         {{Step::GenSetOptions, 0}, {Step::Delete, 0}, {Step::Options, 0}},
                         3});
    }
    return cases;
}

// A user who leaves the lock-progress box to wait and notes every message box. Delete's
// question about changed options is where a deleting user waits for the others; answered No.
// An options dialog left open after a refused OK is cancelled.
class RaceUser : public vqtest::ScriptedUiDriver {
public:
    RaceUser(std::function<void()> arrive, bool checkChanges) : m_arrive(std::move(arrive)), m_checkChanges(checkChanges)
    {
        m_question.LoadString(IDS_CHECK_CHANGED_OPTIONS);
        WheneverDialog(kLockProgressDialog);
        if (checkChanges)
            WheneverDialog(kRemovePromptDialog).Press(IDYES);
    }

    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog)
            return vqui::UiAction::Wait();
        if (event.kind == vqui::EventKind::MessageBox && event.text == m_question) {
            m_arrive();
            return vqui::UiAction::End(m_checkChanges ? IDYES : IDNO);
        }
        if (event.kind == vqui::EventKind::MessageBox) {
            boxes.push_back(event.text.GetString());
            return vqui::UiAction::End(IDOK);
        }
        if (event.kind == vqui::EventKind::Dialog &&
            (event.templateId == IDD_SYSTEM_OPTIONS || event.templateId == IDD_GENSET_OPTIONS) && !boxes.empty())
            return vqui::UiAction::Press(IDCANCEL);
        return ScriptedUiDriver::NextAction(event);
    }

    // 'S' when no box was shown, 'R' when the only box says the system was deleted, 'F' else.
    char Outcome() const
    {
        if (boxes.empty())
            return 'S';
        const bool deleted = boxes.size() == 1 && boxes.front().find(kItemDeleted) != std::string::npos;
        return deleted ? 'R' : 'F';
    }

    std::vector<std::string> boxes;

private:
    std::function<void()> m_arrive;
    bool m_checkChanges;
    CString m_question;
};

struct DeleteRaceTest : SysViewTest, ::testing::WithParamInterface<Case> {
    std::string repository;

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam().store, dir);
    }

    static std::string SystemText(int round, int system)
    {
        return "Delete race " + std::to_string(round) + " " + std::to_string(system);
    }
    static std::string SystemName(int round, int system)
    {
        return "D" + std::to_string(round) + "S" + std::to_string(system);
    }
    static std::string Description(std::size_t user) { return "Changed by " + std::to_string(user); }

    void PrepareRound(int round)
    {
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        for (int system = 0; system < 2; ++system)
            MakeSystem(SystemText(round, system), SystemName(round, system), false);
        PxVQLink* link = app.GetLink();
        link->BeginTransaction();
        for (int system = 0; system < 2; ++system) {
            const PxVQSystemPtr made = link->GetLVQEnterprise()->GetSystem(SystemName(round, system).c_str());
            made->GetCurConfig()->CreateOptionSet(kGenSet, VQHostTarsk)->SetLongName("Race set");
        }
        link->CommitTransaction();
        app.CloseSession();
    }

    // A few reads after the go, as many as the round's seed says, so that the users' first
    // lock requests come in a different order from round to round.
    void Stagger(int round, std::size_t user)
    {
        std::mt19937 seeded(static_cast<unsigned>(round * 7919 + static_cast<int>(user)));
        const int reads = static_cast<int>(seeded() % 4);
        for (int i = 0; i < reads; ++i) {
            PxTypedList<PxVQSystemPtr> systems;
            app.GetLink()->GetLVQEnterprise()->GetListOfSystems(systems);
        }
    }

    // In the user's process: how the user's step went.
    char Play(const User& user, int round, std::size_t index, RoundPipes& pipes)
    {
        if (!app.OpenSession(repository.c_str(), "ABC", nullptr))
            return 'F';
        OpenFrame();
        const auto arrive = [&] {
            pipes.ArriveAndWait();
            Stagger(round, index);
        };
        RaceUser ui(arrive, user.step == Step::CheckedDelete);
        Select({SystemText(round, user.system)});
        if (::testing::Test::HasFailure())
            return 'F';
        if (user.step == Step::Delete || user.step == Step::CheckedDelete) {
            vqui::user::PressKey(view->m_hWnd, VK_DELETE);
            vqwin::PumpPending();
        } else if (user.step == Step::GenSetOptions) {
            ui.ExpectDialog(IDD_GENSET_OPTIONS)
                .Type(VqsOptionsGenSetDlg::IDC_DESCRIPTION, Description(index))
                .Run(arrive)
                .OK();
            OpenGenSetOptions(round, user.system);
        } else {
            ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
                .Type(VqsOptionsSystemDlg::IDC_DESCRIPTION, Description(index))
                .Run(arrive)
                .OK();
            Command(ID_OPTIONS);
        }
        if (ui.Outcome() == 'F')
            for (const std::string& box : ui.boxes)
                std::fprintf(stderr, "user %zu was told: %s\n", index, box.c_str());
        return ::testing::Test::HasFailure() ? 'F' : ui.Outcome();
    }

    // As the generate set view opens them.
    void OpenGenSetOptions(int round, int system)
    {
        const PxVQGenSetPtr genSet(
            System(SystemName(round, system).c_str())->GetCurConfig()->GetOptionSet(kGenSet));
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        if (VqsModelNodeGenSet* node = model.LockGenSetNode(bag, genSet))
            model.EditGenSet(bag, node);
    }

    std::string RunRound(int round)
    {
        const std::vector<User>& users = GetParam().users;
        return racetest::RunRound(
            users.size(),
            [&](std::size_t index, RoundPipes& pipes) { return Play(users[index], round, index, pipes); },
            std::chrono::milliseconds(kLongestRoundMilliseconds));
    }
};

} // namespace

TEST_P(DeleteRaceTest, EveryStepEndsStoredWholeOrRefusedWithItsMessage)
{
    const std::vector<User>& users = GetParam().users;
    for (int round = 1; round <= GetParam().rounds; ++round) {
        PrepareRound(round);
        const std::string outcomes = RunRound(round);

        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        const PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
        for (std::size_t index = 0; index < users.size(); ++index) {
            SCOPED_TRACE("round " + std::to_string(round) + ", user " + std::to_string(index) + ": " + outcomes);
            ASSERT_NE(outcomes[index], 'T') << "a step never ended";
            ASSERT_NE(outcomes[index], 'F');
            const User& user = users[index];
            const PxVQSystemPtr system = enterprise->GetSystem(SystemName(round, user.system).c_str());
            if (user.step == Step::Delete || user.step == Step::CheckedDelete) {
                EXPECT_FALSE(system) << "the system outlived its Delete";
                continue;
            }
            const bool deletedToo = std::any_of(users.begin(), users.end(), [&](const User& other) {
                return other.step != Step::Options && other.step != Step::GenSetOptions && other.system == user.system;
            });
            if (!deletedToo && user.step == Step::Options) {
                EXPECT_EQ(system->GetDescription(), Description(index).c_str());
            }
            if (!deletedToo && user.step == Step::GenSetOptions) {
                EXPECT_EQ(system->GetCurConfig()->GetOptionSet(kGenSet)->GetDescription(), Description(index).c_str());
            }
            if (outcomes[index] == 'R') {
                EXPECT_TRUE(deletedToo) << "refused with no Delete of its system";
            }
        }
        // One Delete of a system deletes it; every other is told that the system went.
        for (int system = 0; system < 2; ++system) {
            const auto silentDelete = [&](std::size_t index) {
                return users[index].system == system && outcomes[index] == 'S' &&
                       (users[index].step == Step::Delete || users[index].step == Step::CheckedDelete);
            };
            int silent = 0;
            for (std::size_t index = 0; index < users.size(); ++index)
                silent += silentDelete(index) ? 1 : 0;
            EXPECT_LE(silent, 1) << "round " << round << ": " << outcomes;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeleteRaceTest, ::testing::ValuesIn(Cases()), StoreCaseName<Case>);
