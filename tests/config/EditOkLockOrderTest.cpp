// OK of an edit dialog locks what it checks above the edited object (the enterprise, the
// configuration, the segment link) before the edited object: it holds nothing of the edited
// object while it waits, so another user's step that holds the owner and wants the edited
// object (a Delete) never waits on it in a circle.
#include "EditDialogTestSupport.h"

#include "config/VqsOptRepGroupDlg.h"
#include "config/VqsOptionsGenSetDlg.h"
#include "config/VqsOptionsSystemDlg.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQReportGroup.h"

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_GENSET_OPTIONS = 141;
constexpr UINT IDD_SYSTEM_OPTIONS = 142;
constexpr UINT IDD_REPORT_GROUP = 223;
constexpr char kObjectLocked[] =
    "Lock failed:\nan object is currently locked by another user.\nPlease try again after some time.";

struct Case {
    const char* what;
    UINT dialog;
    int description;
    // What the refused lock above says.
    const char* refusal;
    std::function<void(EditDialogTest&)> open;
    std::function<PxVQObjectPtr(EditDialogTest&, PxVQLink&)> edited;
};

std::vector<Case> Cases()
{
    return {
        {"System Options", IDD_SYSTEM_OPTIONS, VqsOptionsSystemDlg::IDC_DESCRIPTION, kObjectLocked,
         [](EditDialogTest& test) {
             VqsModel model;
             VqsLockBag bag(VqsReadLock);
             VqsModelNodeSystem* node = model.LockSystemNode(bag, test.System());
             VqsOptionsSystemDlg dialog(&bag, node, node->GetSystem()->GetObjectEdition(), nullptr);
             dialog.DoModal();
         },
         [](EditDialogTest&, PxVQLink& other) { return PxVQObjectPtr(other.GetLVQEnterprise()->GetSystem("SYS1")); }},
        {"Generate Set Options", IDD_GENSET_OPTIONS, VqsOptionsGenSetDlg::IDC_DESCRIPTION, kObjectLocked,
         [](EditDialogTest& test) {
             VqsModel model;
             VqsLockBag bag(VqsReadLock);
             model.EditGenSet(bag, model.LockGenSetNode(bag, PxVQGenSetPtr(test.CurConfig()->GetOptionSet("NTGEN"))));
         },
         [](EditDialogTest&, PxVQLink& other) {
             return PxVQObjectPtr(other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
         }},
        {"report group edit", IDD_REPORT_GROUP, VqsRepGroupDlgBase::IDC_DESCRIPTION,
         "Cannot lock SALES business segment as it is currently locked by another user.\nPlease try again after "
         "some time.",
         [](EditDialogTest& test) {
             VqsModel model;
             VqsLockBag bag(VqsReadLock);
             model.EditReportGroup(bag, model.LockReportGroupNode(bag, test.Group()));
         },
         [](EditDialogTest& test, PxVQLink& other) {
             const PxVQBSSoftLinkPtr link = test.SegmentLink();
             return PxVQObjectPtr(other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink(
                 link->GetName())->GetReportGroup("MONTHEND"));
         }},
    };
}

} // namespace

TEST_F(EditDialogTest, AnOKWaitingForTheLockAboveHoldsNothingOfTheEditedObject)
{
    for (const Case& c : Cases()) {
        int otherLock = -1;
        ui.ExpectDialog(c.dialog)
            .Replace(c.description, "Changed")
            .Run([] { PxFaultInjection::RefuseLock("PxVQObject::WriteLock", PxLockRefused); })
            .OK()
            .Run([&] { otherLock = c.edited(*this, *OtherUser())->FutureUpdateLock().GetErrorCode(); })
            .Cancel();
        ui.ExpectMessageBox(c.refusal, IDOK);
        c.open(*this);
        PxFaultInjection::Reset();
        ui.Verify();
        EXPECT_EQ(otherLock, PxLockGranted) << c.what;
    }
}
