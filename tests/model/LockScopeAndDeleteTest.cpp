#include "ModelTestSupport.h"

#include "model/VqsLockManager.h"
#include "model/VqsLockScope.h"
#include "model/VqsLockThread.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "proxy/PxFaultInjection.h"
#include "win/CCmdTarget.h"

namespace {

// Whether a locking period is open on the link: only then does the progress display take
// a wait.
bool LockingPeriodOpen(PxVQLink* link)
{
    VqsLockThread* thread = VqsLockManager::GetInstance()->FindThreadOfLink(link);
    VqsLockProgressDlg& progress = thread->GetProgressDlg();
    const int waiting = progress.StartWait(1, "System");
    progress.EndWait(0);
    return waiting != 0;
}

} // namespace

TEST_F(ModelTest, NestedLockScopesOnOneLinkMakeOneLockingPeriod)
{
    PxVQLink* link = app.GetLink();
    ASSERT_NE(VqsLockManager::GetInstance()->FindThreadOfLink(link), nullptr);
    vqwin::ResetWaitCursorState();
    EXPECT_FALSE(LockingPeriodOpen(link));
    {
        VqsLockScope outer(link);
        EXPECT_TRUE(LockingPeriodOpen(link));
        {
            VqsLockScope inner(link);
            VqsLockScope copy(inner);
            EXPECT_EQ(VqsLockScope::OpenScopes(link), 3u);
        }
        EXPECT_EQ(VqsLockScope::OpenScopes(link), 1u);
        EXPECT_TRUE(LockingPeriodOpen(link)) << "the inner scopes do not end the period";
        EXPECT_EQ(vqwin::GetWaitCursorState().depth, 1);
    }
    EXPECT_EQ(VqsLockScope::OpenScopes(link), 0u);
    EXPECT_FALSE(LockingPeriodOpen(link));
    EXPECT_EQ(vqwin::GetWaitCursorState().begins, 3);
    EXPECT_EQ(vqwin::GetWaitCursorState().depth, 0);
}

TEST_F(ModelTest, DeletingANodeDeletesItsObjectAndTellsTheViews)
{
    const PxVQReportGroupPtr group = ReportGroup("SYS1", "SALES", "MONTHEND");
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    group->GetListOfReportSoftLinkAliases(aliases);
    const PxVQReportSoftLinkAliasPtr alias = aliases.GetHead();
    VqsModel model;
    VqsModelNodeRepAlias* node = model.FindRepAliasNode(alias);
    ASSERT_NE(node, nullptr);
    VqsModelNodeRepGroup* groupNode = model.FindReportGroupNode(group);
    TakeHints();

    EXPECT_EQ(node->Delete(), 1);

    EXPECT_FALSE(alias->ObjectPresent());
    EXPECT_EQ(model.LookupNode(alias), nullptr);
    CObList left;
    groupNode->GetRepAliasNodes(left);
    EXPECT_EQ(left.GetCount(), 1);
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsNodeGone});
}

TEST_F(ModelTest, ARefusedDeleteKeepsTheNode)
{
    const PxVQReportGroupPtr group = ReportGroup("SYS1", "SALES", "MONTHEND");
    VqsModel model;
    VqsModelNodeRepGroup* node = model.FindReportGroupNode(group);
    ASSERT_NE(node, nullptr);
    PxFaultInjection::Throw("PxVQObject::DeleteObject", "The repository is read only.");

    EXPECT_EQ(node->Delete(), 0);
    PxFaultInjection::Reset();

    EXPECT_TRUE(group->ObjectPresent());
    EXPECT_EQ(model.LookupNode(group), node);
    EXPECT_EQ(Boxes().size(), 1u);
}
