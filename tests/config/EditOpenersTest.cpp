#include "EditDialogTestSupport.h"

#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQOptionSet.h"
#include "win/CComboBox.h"
#include "win/CEdit.h"

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_GENSET_OPTIONS = 141;
constexpr int IDC_GENSET_NAME = 1384;
constexpr int IDC_GENSET_HOST = 1386;

struct EditOpenersTest : EditDialogTest {
    template <class Node, class Object>
    Node* LockNode(VqsModel& model, VqsLockBag& bag, Node* (VqsModel::*lock)(VqsLockBag&, const Object&),
                   const Object& object)
    {
        Node* node = (model.*lock)(bag, object);
        EXPECT_NE(node, nullptr);
        return node;
    }
};

} // namespace

// An opener that cannot read what its dialog needs says so in its own words and opens nothing.
TEST_F(EditOpenersTest, AnOpenerThatCannotReadTheObjectSaysSoInItsOwnWords)
{
    struct Case {
        const char* message;
        std::function<void(EditOpenersTest&, VqsModel&, VqsLockBag&)> open;
    };
    const Case cases[] = {
        {"Cannot access Report Generate Groups:\nInjected repository failure",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             auto* group = test.LockNode(model, bag, &VqsModel::LockReportGroupNode, test.Group());
             PxFaultInjection::Throw("PxVQObject::GetObjectEdition");
             model.EditReportGroup(bag, group);
         }},
        {"Cannot access Quorbit Bundles:\nInjected repository failure",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             auto* bundle = test.LockNode(model, bag, &VqsModel::LockBundleNode, test.Bundle("ORDERS"));
             PxFaultInjection::Throw("PxVQObject::GetObjectEdition");
             model.EditBundle(bag, bundle);
         }},
        {"Cannot access Option Set specification:\nInjected repository failure",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             auto* genSet = test.LockNode(model, bag, &VqsModel::LockGenSetNode,
                                          PxVQGenSetPtr(test.CurConfig()->GetOptionSet("NTGEN")));
             PxFaultInjection::Throw("PxVQObject::GetObjectEdition");
             model.EditGenSet(bag, genSet);
         }},
    };
    for (const Case& each : cases) {
        ui.ExpectMessageBox(each.message, IDOK);
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        each.open(*this, model, bag);
        PxFaultInjection::Reset();
        ui.Verify();
    }
}

// An opener is granted the enterprise's read, and the read of its presence that follows
// fails (the session's transaction failed, or its data connection was lost): the user is told
// once, nothing opens, and the read is given back, so that another user's Delete, which takes
// the enterprise for write, does not wait for it.
TEST_F(EditOpenersTest, AnOpenerWhoseReadFailsAfterItsLockGivesTheLockBack)
{
    struct Case {
        const char* opener;
        std::function<bool(EditOpenersTest&, VqsModel&, VqsLockBag&)> open;
    };
    const Case cases[] = {
        {"System Options",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             return model.LockSystemNode(bag, test.System("SYS2")) != nullptr;
         }},
        {"Generate Set Options",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             return model.LockGenSetNode(bag, PxVQGenSetPtr(test.CurConfig()->GetOptionSet("NTGEN"))) != nullptr;
         }},
        {"Business Segment options",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             return model.LockBSLinkNode(bag, test.SegmentLink()) != nullptr;
         }},
        {"Report Generate Group",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             return model.LockReportGroupNode(bag, test.Group()) != nullptr;
         }},
        {"Quorbit Bundle",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             return model.LockBundleNode(bag, test.Bundle("ORDERS")) != nullptr;
         }},
        {"Host options",
         [](EditOpenersTest& test, VqsModel& model, VqsLockBag& bag) {
             PxTypedList<PxVQHostInformationPtr> hosts;
             test.Enterprise()->GetListOfHostInformations(hosts);
             return model.LockHostNode(bag, hosts.GetHead()) != nullptr;
         }},
    };
    const std::unique_ptr<PxVQLink> other = OtherUser();
    const PxVQEnterprisePtr enterprise = other->GetLVQEnterprise();
    for (const Case& each : cases) {
        SCOPED_TRACE(each.opener);
        ui.ExpectMessageBox("Cannot lock one of the objects:\nThe transaction failed.", IDOK);
        // Every read fails from the enterprise's lock on.
        PxFaultInjection::Run("PxVQObject::ReadLock",
                              [] { PxFaultInjection::Throw("PxObject::ObjectPresent", "The transaction failed.", 0, 1000); });
        {
            VqsModel model;
            VqsLockBag bag(VqsReadLock);
            EXPECT_FALSE(each.open(*this, model, bag));
            PxFaultInjection::Reset();
        }
        ui.Verify();
        const bool free = enterprise->WriteLock(0).Succeeded();
        EXPECT_TRUE(free) << "another user's Delete waits on the enterprise";
        if (free)
            enterprise->UnLock();
    }
}

// A generate set of a previous configuration is only shown: its own name, no host to
// choose, and OK writes nothing.
TEST_F(EditOpenersTest, AGenerateSetOfAPreviousConfigurationIsOnlyShown)
{
    PxTypedList<PxVQOldConfigPtr> olds;
    System()->GetListOfOldConfigs(olds);
    ASSERT_FALSE(olds.IsEmpty());
    const PxVQGenSetPtr old(olds.GetHead()->GetOptionSet());
    ASSERT_TRUE(old);
    const std::int64_t edition = old->GetObjectEdition().GetEdition();
    int hosts = 0;
    BOOL readOnly = FALSE;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Run([&] {
            hosts = CWnd::FromHandle(Control(IDD_GENSET_OPTIONS, IDC_GENSET_HOST))->SendMessage(CB_GETCOUNT);
            readOnly = (CWnd::FromHandle(Control(IDD_GENSET_OPTIONS, IDC_GENSET_NAME))->GetStyle() & ES_READONLY) != 0;
        })
        .OK();
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeGenSet* node = model.LockGenSetNode(bag, old);
    ASSERT_NE(node, nullptr);
    model.EditGenSet(bag, node);
    ui.Verify();
    EXPECT_EQ(hosts, 1);
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(old->GetObjectEdition().GetEdition(), edition);
}
