// A name the user chose in a creating wizard is taken by another user while the wizard is
// open (real users leave a wizard open for minutes): Finish checks it again and is refused
// with the page's own message, the wizard shows the page with the focus on the name, and
// nothing is made; the wizard stays open, so the user can choose another name.
#include "SysViewTestSupport.h"

#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsNewGenSetPages.h"
#include "config/VqsNewSystemPages.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQTypes.h"
#include "support/ScriptedUiDriver.h"
#include "sysview/VqsOptionSetView.h"

#include <functional>
#include <sstream>

namespace {

constexpr UINT ID_NEW_SYSTEM = 32785;
constexpr UINT ID_ADD_GENERATE_SET = 32789;
constexpr UINT kLockProgressDialog = 105;
constexpr char kNameTaken[] = "The name is not unique.";
constexpr char kHostNameTaken[] = "Host name already exists.";

using Script = vqtest::ScriptedUiDriver::WindowScript;

struct CreationNameTakenTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    std::string beforeFinish;
    int focusAfterRefusal = 0;

    void SetUp() override
    {
        ui.WheneverDialog(kLockProgressDialog);
        SysViewTest::SetUp();
        OpenFrame();
    }

    std::string Dump() const
    {
        std::ostringstream out;
        PxRepositoryDump::WriteFile(sample.Path(), out);
        return out.str();
    }

    // Another user's change, stored in a session of its own.
    void AsAnotherUser(const std::function<void(const PxVQEnterprisePtr&)>& change) const
    {
        PxVQLink other;
        other.AttachSession(sample.Path().c_str(), "other/dev", nullptr);
        other.BeginTransaction();
        change(other.GetLVQEnterprise());
        other.CommitTransaction();
    }

    // On the wizard's last page another user takes the name; the user presses Finish, reads
    // the message and finds the wizard open on the name's page; then cancels it.
    void FinishAfterTheNameIsTaken(Script& lastPage, const std::function<void(const PxVQEnterprisePtr&)>& take,
                                   const char* message, UINT namePage)
    {
        lastPage
            .Run([this, take] {
                AsAnotherUser(take);
                beforeFinish = Dump();
            })
            .Finish()
            .OnPage(namePage)
            .Run([this] { focusAfterRefusal = ::GetDlgCtrlID(::GetFocus()); })
            .Cancel();
        ui.ExpectMessageBox(message, IDOK);
    }
};

} // namespace

TEST_F(CreationNameTakenTest, ASystemNameTakenBeforeFinishRefusesTheNewSystemAtItsName)
{
    Select({"Sample enterprise"});
    Script& lastPage = NewSystemToGenSetPage(ui).SetCheck(VqsSysGSPage::IDC_NO_GENSET);
    FinishAfterTheNameIsTaken(lastPage, [](const PxVQEnterprisePtr& enterprise) {
        enterprise->CreateSystem("OTHER")->SetLongName("ORDERS");
    }, kNameTaken, VqsSysOptPage::IDD);

    Command(ID_NEW_SYSTEM);

    ui.Verify();
    EXPECT_EQ(focusAfterRefusal, VqsSysOptPage::IDC_NAME);
    EXPECT_TRUE(Dump() == beforeFinish) << "the refused Finish made nothing";
}

// The generate set's name, then the new host's name, taken by another user.
TEST_F(CreationNameTakenTest, AGenerateSetOrHostNameTakenBeforeFinishRefusesTheNewGenerateSetAtThatName)
{
    struct NameCase {
        const char* setName;
        std::function<void(const PxVQEnterprisePtr&)> take;
        const char* message;
        UINT page;
        int field;
    };
    const NameCase cases[] = {
        {"Weekly",
         [](const PxVQEnterprisePtr& enterprise) {
             enterprise->GetSystem("SYS1")->GetCurConfig()->CreateOptionSet("OTHER", VQHostQSR)->SetLongName("Weekly");
         },
         kNameTaken, VqsGenSetOptPage::IDD, VqsGenSetOptPage::IDC_NAME},
        {"Monthly", [](const PxVQEnterprisePtr& enterprise) { enterprise->CreateHostInformation("QSRNEW"); },
         kHostNameTaken,
         VqsGenSetHostPage::IDD, VqsGenSetHostPage::IDC_NAME},
    };
    AsAnotherUser([](const PxVQEnterprisePtr& enterprise) {
        enterprise->GetHostInformation("QSRHOST")->RecursiveDeleteObject();
    });
    Expand("Sample system 1");
    for (const NameCase& nameCase : cases) {
        SCOPED_TRACE(nameCase.message);
        Select({"SALES business segment"});
        Script& lastPage = NewGenSetToFtpPage(ui, nameCase.setName);
        FinishAfterTheNameIsTaken(lastPage, nameCase.take, nameCase.message, nameCase.page);

        frame->GetOptionSetView()->SendMessage(WM_COMMAND, ID_ADD_GENERATE_SET, 0);
        vqwin::PumpPending();

        ui.Verify();
        EXPECT_EQ(focusAfterRefusal, nameCase.field);
        EXPECT_TRUE(Dump() == beforeFinish) << "the refused Finish made nothing";
    }
}
