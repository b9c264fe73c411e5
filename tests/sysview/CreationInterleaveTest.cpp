// Two and three users, each in a process of their own on one repository (a file or a
// database of the suite's server), each in a dialog that locks on its pages and creates at
// its end: one stands before its Finish while the others stand on their first page; then all
// go on at once, so that one user's Finish meets the others' pages' Next and their Finishes,
// and every user leaves the lock-progress box to wait. Round after round, each dialog ends
// with what it makes stored whole or refused with its message, no two objects share a name,
// and no round waits for good.
#include "RaceRound.h"
#include "SysViewTestSupport.h"

#include "config/VqsNewBSLinkPages.h"
#include "config/VqsNewGenSetPages.h"
#include "config/VqsNewSystemPages.h"
#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizardPages.h"
#include "hosts/VqsHostListFrame.h"
#include "hosts/VqsHostNewSheet.h"
#include "hosts/VqsHostView.h"
#include "hosts/VqsPackNewDlg.h"
#include "model/VqsModel.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQTypes.h"
#include "sysview/VqsOptionSetView.h"
#include "win/MbString.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

namespace {

using racetest::RoundPipes;

constexpr UINT ID_ADD_HOST = 32783;
constexpr UINT ID_ADD_PACK = 32819;
constexpr UINT IDD_NEW_PACK = 241;
constexpr UINT IDD_HOST_SPEC = 140;
constexpr int IDC_HOST_ADDRESS = 1043;
constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT kNewHostPage = 235;
constexpr UINT kHostFtpPage = 102;
constexpr UINT kLockProgressDialog = 105;
// Bounds a round whose users wait for each other, so that a deadlock fails the test; no round that
// ends comes near it, at any load.
constexpr std::chrono::milliseconds kLongestRound{90'000};

// New System and Add Business Segment with a first generate set on an OS Tarsk host, New
// Generate Set on a new QSR host of the user's own, New Host (Windows),
// New Pack, and the options of the Windows host NTHOST with its address changed.
enum class Dialog { NewSystem, AddSegment, NewGenSet, NewHost, NewPack, EditHost };
const char* const kDialogNames[] = {"NewSystem", "AddSegment", "NewGenSet", "NewHost", "NewPack", "EditHost"};

struct Case {
    Store store;
    std::vector<Dialog> users;
    // All users of one dialog make objects of one name, on one system; otherwise each its own.
    bool oneName;
};

std::vector<Case> Cases()
{
    const Dialog all[] = {Dialog::NewSystem, Dialog::AddSegment, Dialog::NewGenSet,
                          Dialog::NewHost,   Dialog::NewPack,    Dialog::EditHost};
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server}) {
        for (std::size_t first = 0; first < std::size(all); ++first) {
            if (all[first] != Dialog::EditHost)
                cases.push_back({store, {all[first], all[first]}, true});
            for (std::size_t second = first + 1; second < std::size(all); ++second)
                cases.push_back({store, {all[first], all[second]}, false});
        }
        cases.push_back({store, {Dialog::AddSegment, Dialog::AddSegment, Dialog::NewHost}, true});
        cases.push_back({store, {Dialog::NewSystem, Dialog::AddSegment, Dialog::NewGenSet}, false});
        cases.push_back({store, {Dialog::NewHost, Dialog::NewHost, Dialog::NewPack}, true});
    }
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name = StoreName(info.param.store);
    for (Dialog dialog : info.param.users)
        name += kDialogNames[static_cast<int>(dialog)];
    return name + (info.param.oneName ? "OneName" : "");
}

// A user who leaves the lock-progress box to wait, and who, told that a name or the segment
// is taken now, reads the message and cancels the dialog.
class RaceUser : public vqtest::ScriptedUiDriver {
public:
    RaceUser() { WheneverDialog(kLockProgressDialog); }

    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog)
            return vqui::UiAction::Wait();
        if (event.kind == vqui::EventKind::MessageBox && IsRefusal(event.text.str()) && !refused) {
            refused = true;
            return vqui::UiAction::End(IDOK);
        }
        if (refused && (event.kind == vqui::EventKind::Wizard || event.kind == vqui::EventKind::Dialog))
            return vqui::UiAction::Press(IDCANCEL);
        return ScriptedUiDriver::NextAction(event);
    }

    // A refused dialog ends before the rest of its script.
    void Ended(const vqui::UiEvent& event, int result) override
    {
        if (!refused)
            ScriptedUiDriver::Ended(event, result);
    }

    static bool IsRefusal(const std::string& text)
    {
        return text == "The name is not unique." || text == "Host name already exists." ||
               text == "Contents have changed and will be updated." ||
               text.rfind("Cannot add the Business Segment specification:", 0) == 0;
    }

    bool refused = false;
};

struct CreationInterleaveTest : SysViewTest, ::testing::WithParamInterface<Case> {
    static constexpr int kRounds = 2;
    RaceUser ui;
    std::string repository;

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam().store, dir);
    }

    // The name of what the user's dialog makes.
    std::string Named(const char* stem, int round, std::size_t user) const
    {
        const std::string name = stem + std::to_string(round);
        return GetParam().oneName ? name : name + "U" + std::to_string(user);
    }
    // The system an Add Business Segment or a New Generate Set works on: its name and its
    // long name, as the tree shows it.
    std::string OwnSystem(int round, std::size_t user) const
    {
        const Dialog dialog = GetParam().users[user];
        return Named(dialog == Dialog::AddSegment ? "RS" : "RG", round, user);
    }
    std::string OwnSystemText(int round, std::size_t user) const { return "Race " + OwnSystem(round, user); }
    // The first New Generate Set of a round makes a QSR host.
    bool MakesTheRoundsQsrHost(std::size_t user) const
    {
        const std::vector<Dialog>& users = GetParam().users;
        return std::find(users.begin(), users.end(), Dialog::NewGenSet) - users.begin() ==
               static_cast<std::ptrdiff_t>(user);
    }

    // The systems the users work on (SALES linked for New Generate Set), and no QSR host, so
    // that New Generate Set makes one.
    void PrepareRound(int round)
    {
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        const std::vector<Dialog>& users = GetParam().users;
        for (std::size_t user = 0; user < users.size(); ++user) {
            if ((users[user] == Dialog::AddSegment || users[user] == Dialog::NewGenSet) &&
                !System(OwnSystem(round, user).c_str()))
                MakeSystem(OwnSystemText(round, user), OwnSystem(round, user), users[user] == Dialog::NewGenSet);
        }
        DeleteHostsOfType(VQHostQSR);
        app.CloseSession();
    }

    // The user's dialog through its pages to its Finish. The user who finishes first waits
    // for the others before its Finish; the others wait on their first page, before anything
    // that might wait for the first user's locks.
    void ScriptDialog(int round, std::size_t user, bool finishesFirst, RoundPipes& pipes)
    {
        const std::function<void()> wait = [&pipes] { pipes.ArriveAndWait(); };
        const std::function<void()> goOn = [] {};
        const std::function<void()> onPages = finishesFirst ? goOn : wait;
        const std::function<void()> beforeFinish = finishesFirst ? wait : goOn;
        switch (GetParam().users[user]) {
        case Dialog::NewSystem:
            NewSystemToGenSetPage(ui, Named("RACE", round, user), onPages)
                .Type(VqsSysGSPage::IDC_NAME, "Nightly")
                .Next()
                .OnPage(VqsSysGSHostPage::IDD)
                .Click(VqsSysGSHostPage::IDC_TARSK)
                .Run(beforeFinish)
                .Finish();
            break;
        case Dialog::AddSegment:
            AddSegmentToFinish(ui, onPages, beforeFinish);
            break;
        case Dialog::NewGenSet: {
            auto& script = ui.ExpectWizard()
                               .OnPage(VqsGenSetOptPage::IDD)
                               .Run(onPages)
                               .Type(VqsGenSetOptPage::IDC_NAME, Named("Weekly", round, user))
                               .Next()
                               .OnPage(VqsGenSetTypePage::IDD);
            // Once one New Generate Set of the round has made its QSR host, another one's
            // target page offers Finish there: a second one goes to the Tarsk host that is there.
            if (!MakesTheRoundsQsrHost(user)) {
                script.Click(VqsGenSetTypePage::IDC_TARSK).Run(beforeFinish).Finish();
                break;
            }
            script.Click(VqsGenSetTypePage::IDC_QSR)
                .Next()
                .OnPage(VqsGenSetHostPage::IDD)
                .Type(VqsGenSetHostPage::IDC_NAME, "QS" + std::to_string(round) + "U" + std::to_string(user))
                .Type(VqsGenSetHostPage::IDC_ADDRESS, "qsr.example")
                .Next()
                .OnPage(VqsGenSetHostFTPPage::IDD)
                .Run(beforeFinish)
                .Finish();
            break;
        }
        case Dialog::NewHost:
            ui.ExpectWizard()
                .OnPage(kNewHostPage)
                .Type(VqsHostNewGeneralPage::IDC_NAME, Named("WH", round, user))
                .Type(VqsHostNewGeneralPage::IDC_ADDRESS, "wh.example")
                .Click(VqsHostNewGeneralPage::IDC_WINDOWS)
                .Run(onPages)
                .Next()
                .OnPage(kHostFtpPage)
                .Run(beforeFinish)
                .Finish();
            break;
        case Dialog::NewPack:
            ui.ExpectDialog(IDD_NEW_PACK).Type(VqsPackNewDlg::IDC_NAME, Named("PK", round, user)).Run(wait).OK();
            break;
        case Dialog::EditHost:
            ui.ExpectDialog(IDD_HOST_SPEC).Run(wait).Replace(IDC_HOST_ADDRESS, EditedAddress(round, user)).OK();
            ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
            break;
        }
    }

    void StartDialog(int round, std::size_t user)
    {
        switch (GetParam().users[user]) {
        case Dialog::NewSystem:
            StartWizard(Wizard::NewSystem, "");
            break;
        case Dialog::AddSegment:
            StartWizard(Wizard::AddSegment, OwnSystemText(round, user));
            break;
        case Dialog::NewGenSet:
            StartWizard(Wizard::NewGenSet, OwnSystemText(round, user));
            break;
        case Dialog::NewHost:
            OpenHostFrame()->SendMessage(WM_COMMAND, ID_ADD_HOST, 0);
            vqwin::PumpPending();
            break;
        case Dialog::NewPack:
            OpenHostFrame()->SendMessage(WM_COMMAND, ID_ADD_PACK, 0);
            vqwin::PumpPending();
            break;
        case Dialog::EditHost: {
            auto* frame = OpenHostFrame();
            auto* hosts = dynamic_cast<VqsHostView*>(frame->GetNextPane(frame->GetNextPane(nullptr)));
            CListCtrl& list = hosts->GetListCtrl();
            for (int row = 0; row < list.GetItemCount(); ++row) {
                if (list.GetItemText(row, 0).str() == "NTHOST")
                    vqui::user::SelectIndex(hosts->m_hWnd, row);
            }
            vqwin::PumpPending();
            hosts->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
            vqwin::PumpPending();
            break;
        }
        }
    }


    static std::string EditedAddress(int round, std::size_t user)
    {
        return "e" + std::to_string(round) + "u" + std::to_string(user) + ".example";
    }

    // In the user's process: 'S' when the dialog stored what it makes, 'R' when it was
    // refused with its message, 'F' for anything else.
    char Play(int round, std::size_t user, RoundPipes& pipes)
    {
        if (!app.OpenSession(repository.c_str(), "ABC", nullptr))
            return 'F';
        OpenFrame();
        ScriptDialog(round, user, user == static_cast<std::size_t>(round) % GetParam().users.size(), pipes);
        StartDialog(round, user);
        if (!ui.refused)
            ui.Verify();
        if (::testing::Test::HasFailure())
            return 'F';
        return ui.refused ? 'R' : 'S';
    }

    // How many objects of the user's dialog, of the name it gives, the repository holds.
    int CountMade(PxVQLink& link, int round, std::size_t user) const
    {
        const PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
        switch (GetParam().users[user]) {
        case Dialog::NewSystem: {
            PxTypedList<PxVQSystemPtr> systems;
            enterprise->GetListOfSystems(systems);
            int count = 0;
            for (POSITION pos = systems.GetHeadPosition(); pos;) {
                const PxVQSystemPtr system = systems.GetNext(pos);
                if (system->GetName() == Named("RACE", round, user).c_str()) {
                    ++count;
                    EXPECT_EQ(system->GetCurConfig()->CountOfBSSoftLinks(), 1);
                    EXPECT_TRUE(system->GetCurConfig()->GetOptionSet("NIGHTLY"));
                }
            }
            return count;
        }
        case Dialog::AddSegment: {
            const PxVQCurConfigPtr config = enterprise->GetSystem(OwnSystem(round, user).c_str())->GetCurConfig();
            EXPECT_EQ(bool(config->GetOptionSet("NIGHTLY")), config->CountOfBSSoftLinks() == 1);
            return config->CountOfBSSoftLinks();
        }
        case Dialog::NewGenSet: {
            const PxVQCurConfigPtr config = enterprise->GetSystem(OwnSystem(round, user).c_str())->GetCurConfig();
            return config->CountOfOptionSets();
        }
        case Dialog::NewHost:
            return CountNamed<PxVQHostInformationPtr>(Named("WH", round, user), [&](auto& list) {
                enterprise->GetListOfHostInformations(list);
            });
        case Dialog::NewPack:
            return CountNamed<PxVQPackInformationPtr>(Named("PK", round, user), [&](auto& list) {
                enterprise->GetListOfPackInformations(list);
            });
        case Dialog::EditHost:
            return enterprise->GetHostInformation("NTHOST")->GetAddress() == EditedAddress(round, user).c_str() ? 1 : 0;
        }
        return 0;
    }

    template <class Ptr, class Read>
    static int CountNamed(const std::string& name, Read read)
    {
        PxTypedList<Ptr> list;
        read(list);
        int count = 0;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            count += _mbsicmp(list.GetNext(pos)->GetName().GetString(), name.c_str()) == 0 ? 1 : 0;
        return count;
    }
};

} // namespace

TEST_P(CreationInterleaveTest, EveryDialogEndsStoredWholeOrRefusedWithItsMessageAndNoTwoObjectsShareAName)
{
    const std::vector<Dialog>& users = GetParam().users;
    for (int round = 1; round <= kRounds; ++round) {
        PrepareRound(round);
        const std::string outcomes = racetest::RunRound(
            users.size(), [&](std::size_t user, RoundPipes& pipes) { return Play(round, user, pipes); }, kLongestRound);

        PxVQLink link;
        link.AttachSession(repository.c_str(), "checker/dev", nullptr);
        // Users of one dialog on one name (or one system) share what they make: one of them
        // stores it, the others are refused.
        for (std::size_t user = 0; user < users.size(); ++user) {
            SCOPED_TRACE("round " + std::to_string(round) + ", user " + std::to_string(user) + ": " + outcomes);
            ASSERT_NE(outcomes[user], 'T') << "a dialog never ended";
            ASSERT_NE(outcomes[user], 'F');
            int sharing = 0;
            int stored = 0;
            for (std::size_t other = 0; other < users.size(); ++other) {
                if (users[other] == users[user] && (GetParam().oneName || other == user)) {
                    ++sharing;
                    stored += outcomes[other] == 'S' ? 1 : 0;
                }
            }
            if (users[user] == Dialog::EditHost) {
                // Told that another user changed the host meanwhile, the user sees it again.
                EXPECT_EQ(CountMade(link, round, user), stored);
                continue;
            }
            EXPECT_EQ(stored, 1) << "one of " << sharing << " stores";
            EXPECT_EQ(CountMade(link, round, user), 1) << "what the dialog makes is there once";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CreationInterleaveTest, ::testing::ValuesIn(Cases()), CaseName);
