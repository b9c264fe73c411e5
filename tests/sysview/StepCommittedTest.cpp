// Steps whose change is stored (an options dialog's OK and a wizard's Finish committed, a Lock
// or an Unlock placed in the lock store), after which the views' refresh reads a generate
// set's lock state from the suite's server and finds the lock connection gone: the change
// stands, the user is told at most once, of the lost connection and never that the step
// failed, and a dialog ends as its OK or Finish asked.
#include "SysViewTestSupport.h"

#include <algorithm>

#include "config/VqsOptionsGenSetDlg.h"
#include "proxy/PxPersistentLock.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQTypes.h"
#include "shell/VqsMsgBox.h"
#include "sysview/VqsOptionSetView.h"
#include "win/Messages.h"

namespace {

constexpr UINT IDD_GENSET_OPTIONS = 141;
constexpr UINT ID_OPTIONS = 32772;
constexpr UINT ID_LOCK = 32809;
constexpr UINT ID_UNLOCK = 32810;
constexpr UINT ID_ADD_GENERATE_SET = 32789;
// The lost connection's own message, with no step's context before it.
constexpr char kConnectionLost[] = "Cannot reach the repository's locks: the connection to the server of ";

// Plays the script, says Yes to a question and reads every other box.
class StepUser : public vqtest::ScriptedUiDriver {
public:
    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (event.kind != vqui::EventKind::MessageBox)
            return ScriptedUiDriver::NextAction(event);
        const std::vector<int> buttons = vqui::MessageBoxButtons(event.style);
        if (std::find(buttons.begin(), buttons.end(), IDYES) != buttons.end())
            return vqui::UiAction::End(IDYES);
        boxes.push_back(event.text.GetString());
        return vqui::UiAction::End(buttons.front());
    }

    std::vector<std::string> boxes;
};

struct StepCommittedTest;

struct Case {
    const char* name;
    // Runs the step, the lock connection lost once its change is stored.
    void (*step)(StepCommittedTest& test, StepUser& user);
    // What another user reads of the generate sets once the step is done (StoredGenSets).
    std::string stored;
};

struct StepCommittedTest : OtherProcessLockTest<Case> {
    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(Store::Server, dir);
        StartGatedSession(repository, {});
        SelectFirstGenerateSet("Sample system 1");
        // The host idles before the step: a lost connection is the step's to tell.
        VqsEndOfAction();
    }
    void TearDown() override
    {
        PxFaultInjection::Reset();
        OtherProcessLockTest<Case>::TearDown();
    }

    // The lock connection ends as the views next read a set's lock state, after `skip` reads.
    void LoseLockConnectionAtTheViewsRead(int skip = 0)
    {
        PxFaultInjection::Run("PxVQObject::GetPersistentLock", [this] { EndLockConnections(repository); }, skip);
    }
    // The same once the step's transaction is committed.
    void LoseLockConnectionAfterTheCommit()
    {
        PxFaultInjection::Run("PxLink::CommitTransaction", [this] { LoseLockConnectionAtTheViewsRead(); });
    }

    // The first generate set's description and its manual locks, and the names of the sets,
    // as another user reads them.
    std::string StoredGenSets() const
    {
        PxVQLink other;
        other.AttachSession(repository.c_str(), "other/dev", nullptr);
        PxTypedList<PxVQOptionSetPtr> sets;
        other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetListOfOptionSets(sets);
        const CList<PxVQOptionSetPtr, const PxVQOptionSetPtr&>& list = sets;
        std::string first;
        std::string names;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQOptionSetPtr set = list.GetNext(pos);
            if (!set->_IsKindOf("PxVQGenSet"))
                continue;
            names += std::string(" ") + set->GetName().GetString();
            if (!first.empty())
                continue;
            const PxPersistentLockPtr lock = set->GetPersistentLock();
            first = std::string(set->GetDescription()) + ", manual locks " +
                    std::to_string(lock ? lock->GetManualLockCount() : 0);
        }
        return first + ";" + names;
    }
};

std::string CaseName(const ::testing::TestParamInfo<Case>& info) { return info.param.name; }
void PrintTo(const Case& each, std::ostream* out) { *out << each.name; }

const Case kCases[] = {
    {"GenerateSetOptionsOK",
     [](StepCommittedTest& test, StepUser& user) {
         user.ExpectDialog(IDD_GENSET_OPTIONS)
             .Replace(VqsOptionsGenSetDlg::IDC_DESCRIPTION, "Changed")
             .Run([&test] { test.LoseLockConnectionAfterTheCommit(); })
             .OK();
         test.Command(ID_OPTIONS);
     },
     "Changed, manual locks 0; NTGEN QSRGEN TARSKGEN UNIXGEN"},
    {"Lock",
     [](StepCommittedTest& test, StepUser&) {
         test.LoseLockConnectionAtTheViewsRead();
         test.Command(ID_LOCK);
     },
     "Generate set for NTHOST, manual locks 1; NTGEN QSRGEN TARSKGEN UNIXGEN"},
    // The Unlock reads the set's lock twice itself: before it removes it and after.
    {"Unlock",
     [](StepCommittedTest& test, StepUser&) {
         test.Command(ID_LOCK);
         test.LoseLockConnectionAtTheViewsRead(2);
         test.Command(ID_UNLOCK);
     },
     "Generate set for NTHOST, manual locks 0; NTGEN QSRGEN TARSKGEN UNIXGEN"},
    // The set's notice waits for the end of the Finish's transaction. The wizard makes its QSR
    // host on the way.
    {"NewGenerateSetFinish",
     [](StepCommittedTest& test, StepUser& user) {
         test.DeleteHostsOfType(VQHostQSR);
         NewGenSetToFtpPage(user, "NIGHTLY").Run([&test] { test.LoseLockConnectionAfterTheCommit(); }).Finish();
         test.frame->GetOptionSetView()->SendMessage(WM_COMMAND, ID_ADD_GENERATE_SET, 0);
         vqwin::PumpPending();
     },
     "Generate set for NTHOST, manual locks 0; NTGEN QSRGEN TARSKGEN UNIXGEN NIGHTLY"},
};

} // namespace

TEST_P(StepCommittedTest, TheStepEndsAsAskedWithItsChangeStoredAndTellsAtMostTheLostConnection)
{
    StepUser user;

    GetParam().step(*this, user);

    user.Verify();
    EXPECT_LE(user.boxes.size(), 1u);
    for (const std::string& box : user.boxes)
        EXPECT_EQ(box.rfind(kConnectionLost, 0), 0u) << box;
    EXPECT_EQ(StoredGenSets(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Steps, StepCommittedTest, ::testing::ValuesIn(kCases), CaseName);
