// Add Business Segment and New Generate Set while another user deletes the system they work
// on, on a repository file and on the suite's server. The other user's Delete lands at each
// moment from the command to the Finish: before the command, or begun there (the other user
// holding the enterprise for write) and ended while this user's next step waits for it. Each
// way ends with one box that says what went, and the wizard ends as when a page finds its
// configuration gone; nothing of the creation is stored, and no step ends silently.
#include "SysViewTestSupport.h"

#include "config/VqsHostWizardPages.h"
#include "config/VqsNewBSLinkPages.h"
#include "config/VqsNewGenSetPages.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQTypes.h"
#include "sysview/VqsOptionSetView.h"
#include "win/CPropertySheet.h"

#include <memory>
#include <stdexcept>

namespace {

constexpr UINT ID_ADD_BUSINESS_SEGMENT = 32771;
constexpr UINT ID_ADD_GENERATE_SET = 32789;
constexpr char kItemDeleted[] = "item has been deleted.";
constexpr char kSystemText[] = "Doomed system";
constexpr char kSystemName[] = "T1X";

using Wizard = SysViewTest::Wizard;

// Where the other user's Delete lands: all of it before the command; or begun before the
// command, on the wizard's first page, on a later page, or before the Finish, and ended
// while this user's next step waits for the enterprise.
enum class Moment { BeforeCommand, AtCommand, FirstPage, LaterPage, Finish };
const char* const kMomentNames[] = {"BeforeCommand", "AtCommand", "FirstPage", "LaterPage", "Finish"};

struct Case {
    Store store;
    Wizard wizard;
    Moment moment;
};

std::vector<Case> Cases()
{
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server})
        for (Wizard wizard : {Wizard::AddSegment, Wizard::NewGenSet})
            for (Moment moment :
                 {Moment::BeforeCommand, Moment::AtCommand, Moment::FirstPage, Moment::LaterPage, Moment::Finish})
                cases.push_back({store, wizard, moment});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info)
{
    return std::string(StoreName(info.param.store)) +
           (info.param.wizard == Wizard::AddSegment ? "AddSegment" : "NewGenSet") +
           kMomentNames[static_cast<int>(info.param.moment)];
}

struct CreationTargetGoneTest : OtherProcessLockTest<Case> {
    WizardUser user;
    std::unique_ptr<OtherUsersSystemDelete> otherUsersDelete;

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam().store, dir);
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        MakeSystem(kSystemText, kSystemName, GetParam().wizard == Wizard::NewGenSet);
        // New Generate Set makes its QSR host on the way.
        DeleteHostsOfType(VQHostQSR);
        app.CloseSession();
        otherUsersDelete = std::make_unique<OtherUsersSystemDelete>(repository, kSystemName);
        StartGatedSession(repository, {});
        RetryGate::atWait = [this] { otherUsersDelete->End(); };
    }

    void TearDown() override
    {
        OtherProcessLockTest::TearDown();
        otherUsersDelete.reset();
    }

    // The step of the user where the Delete begins.
    std::function<void()> At(Moment moment)
    {
        return [this, moment] {
            if (GetParam().moment == moment)
                otherUsersDelete->Begin();
        };
    }

    void ScriptWizard()
    {
        if (GetParam().moment == Moment::BeforeCommand || GetParam().moment == Moment::AtCommand)
            return;
        if (GetParam().wizard == Wizard::AddSegment) {
            user.ExpectWizard()
                .OnPage(VqsBSGenPage::IDD)
                .Run(At(Moment::FirstPage))
                .Next()
                .OnPage(VqsBSGSPage::IDD)
                .Type(VqsBSGSPage::IDC_NAME, "Nightly")
                .Run(At(Moment::LaterPage))
                .Next()
                .OnPage(VqsBSGSHostPage::IDD)
                .Click(VqsBSGSHostPage::IDC_TARSK)
                .Run(At(Moment::Finish))
                .Finish();
            return;
        }
        user.ExpectWizard()
            .OnPage(VqsGenSetOptPage::IDD)
            .Type(VqsGenSetOptPage::IDC_NAME, "Nightly")
            .Run(At(Moment::FirstPage))
            .Next()
            .OnPage(VqsGenSetTypePage::IDD)
            .Click(VqsGenSetTypePage::IDC_QSR)
            .Run(At(Moment::LaterPage))
            .Next()
            .OnPage(VqsGenSetHostPage::IDD)
            .Type(VqsGenSetHostPage::IDC_NAME, "QSRNEW")
            .Type(VqsGenSetHostPage::IDC_ADDRESS, "qsr.example")
            .Next()
            .OnPage(VqsGenSetHostFTPPage::IDD)
            .Run(At(Moment::Finish))
            .Finish();
    }

    // The user selects where the command is offered, then sends it.
    void RunCommand()
    {
        if (GetParam().wizard == Wizard::AddSegment)
            Select({kSystemText});
        else {
            Expand(kSystemText);
            Select({"SALES business segment"});
        }
        if (GetParam().moment == Moment::BeforeCommand) {
            otherUsersDelete->Begin();
            otherUsersDelete->End();
        }
        At(Moment::AtCommand)();
        if (GetParam().wizard == Wizard::AddSegment) {
            Command(ID_ADD_BUSINESS_SEGMENT);
            return;
        }
        frame->GetOptionSetView()->SendMessage(WM_COMMAND, ID_ADD_GENERATE_SET, 0);
        vqwin::PumpPending();
    }
};

} // namespace

TEST_P(CreationTargetGoneTest, EachWayEndsWithOneBoxSayingWhatWentAndStoresNothing)
{
    ScriptWizard();

    RunCommand();

    EXPECT_TRUE(otherUsersDelete->Ended()) << "the other user's Delete ended";
    ASSERT_EQ(user.boxes.size(), 1u) << (user.boxes.empty() ? "no box" : user.boxes.front());
    EXPECT_NE(user.boxes.front().find(kItemDeleted), std::string::npos) << user.boxes.front();
    EXPECT_FALSE(user.leftOpen) << "the wizard ends as when a page finds its configuration gone";
    PxVQLink checker;
    checker.AttachSession(repository.c_str(), "checker/dev", nullptr);
    EXPECT_FALSE(checker.GetLVQEnterprise()->GetSystem(kSystemName));
    EXPECT_FALSE(checker.GetLVQEnterprise()->GetHostInformation("QSRNEW")) << "no host made for a set not made";
}

INSTANTIATE_TEST_SUITE_P(Cases, CreationTargetGoneTest, ::testing::ValuesIn(Cases()), CaseName);
