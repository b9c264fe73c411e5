#include "ModelTestSupport.h"

#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQEnterprise.h"
#include "shell/VqsDisplayNames.h"

namespace {

// Every object granted by a lock call of the session link, in order.
std::vector<std::int64_t> g_granted;

int RecordGranted(PxLockErrorInfo& info)
{
    if (info.GetErrorCode() == 0 && info.GetObject())
        g_granted.push_back(static_cast<std::int64_t>(info.GetObject()->GetHandle().MapKey()));
    return 0;
}

struct LockBagTest : ModelTest {
    std::unique_ptr<VqsModel> model;
    std::unique_ptr<PxVQLink> other;
    VqsModelNodeSystem* sys1 = nullptr;
    VqsModelNodeSystem* sys2 = nullptr;
    PxRetryFunction previous = nullptr;

    void SetUp() override
    {
        ModelTest::SetUp();
        model = std::make_unique<VqsModel>();
        sys1 = model->FindSystemNodeOfCurConfig(System("SYS1"));
        sys2 = model->FindSystemNodeOfCurConfig(System("SYS2"));
        other = OtherUser();
        g_granted.clear();
        previous = app.GetLink()->PxSetRetryFunction(&RecordGranted);
        view->notices.clear();
    }
    void TearDown() override
    {
        app.GetLink()->PxSetRetryFunction(previous);
        PxFaultInjection::Reset();
        model.reset();
        ModelTest::TearDown();
    }
    // Whether the other user may write the system now (nothing of ours is in the way).
    bool OtherCanWrite(const char* system) const
    {
        const PxVQSystemPtr object = other->GetLVQEnterprise()->GetSystem(system);
        if (!object->WriteLock(0).Succeeded())
            return false;
        object->UnLock();
        return true;
    }
    bool OtherCanRead(const char* system) const
    {
        const PxVQSystemPtr object = other->GetLVQEnterprise()->GetSystem(system);
        if (!object->ReadLock().Succeeded())
            return false;
        object->UnLock();
        return true;
    }
};

CObList& List(CObList& list, std::initializer_list<VqsModelNode*> nodes)
{
    for (VqsModelNode* node : nodes)
        list.AddTail(node);
    return list;
}

} // namespace

TEST_F(LockBagTest, ARecordingBagLocksOnlyWhenAskedAndThenReleasesOnce)
{
    VqsLockBag bag(VqsNoLock);
    EXPECT_EQ(bag.LockNode(sys1), 1);
    EXPECT_TRUE(bag.Contains(sys1));
    EXPECT_EQ(bag.GetHoldCount(), 0u);
    EXPECT_TRUE(OtherCanWrite("SYS1"));
    bag.Release();
    EXPECT_TRUE(bag.Contains(sys1));

    EXPECT_EQ(bag.LockObjects(VqsFutureUpdateLock), 1);
    EXPECT_EQ(bag.GetHoldCount(), 1u);
    EXPECT_FALSE(OtherCanWrite("SYS1"));
    EXPECT_TRUE(OtherCanRead("SYS1"));
    bag.Release();
    EXPECT_TRUE(OtherCanWrite("SYS1"));
    EXPECT_TRUE(g_granted.size() == 1u);
}

TEST_F(LockBagTest, AnObjectAlreadyInTheBagIsNotLockedAgain)
{
    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(bag.LockNode(sys1), 1);
    EXPECT_EQ(bag.LockNode(sys1), 1);
    EXPECT_EQ(g_granted.size(), 1u);
    EXPECT_EQ(bag.GetCount(), 1);
}

TEST_F(LockBagTest, NodesLockedTogetherAreLockedInOneCallAndAnObjectTwiceListedIsGivenBackWhole)
{
    {
        VqsLockBag bag(VqsWriteLock);
        CObList nodes;
        EXPECT_EQ(bag.LockNodesTogether(List(nodes, {sys1, sys2, sys1})), 1);
        EXPECT_EQ(bag.GetCount(), 2);
        EXPECT_EQ(g_granted.size(), 2u) << "each object granted once";
        EXPECT_FALSE(OtherCanRead("SYS1"));
        EXPECT_FALSE(OtherCanRead("SYS2"));
    }
    EXPECT_TRUE(OtherCanWrite("SYS1")) << "no hold is left behind";
    EXPECT_TRUE(OtherCanWrite("SYS2"));
}

TEST_F(LockBagTest, LockingAnEmptyBagCountsAHoldWithoutACall)
{
    VqsLockBag bag(VqsWriteLock);
    EXPECT_EQ(bag.LockObjects(VqsWriteLock), 1);
    EXPECT_EQ(bag.GetHoldCount(), 2u);
    EXPECT_TRUE(g_granted.empty());
}

TEST_F(LockBagTest, DestroyingABagHeldTwiceUnlocksEveryObjectTwice)
{
    {
        VqsLockBag bag(VqsWriteLock);
        CObList nodes;
        ASSERT_EQ(bag.LockNodes(List(nodes, {sys1, sys2})), 1);
        ASSERT_EQ(bag.LockObjects(VqsWriteLock), 1);
        EXPECT_EQ(bag.GetHoldCount(), 2u);
        bag.Release();
        EXPECT_FALSE(OtherCanWrite("SYS1"));
        EXPECT_FALSE(OtherCanWrite("SYS2"));
        ASSERT_EQ(bag.LockObjects(VqsWriteLock), 1);
    }
    EXPECT_TRUE(OtherCanWrite("SYS1"));
    EXPECT_TRUE(OtherCanWrite("SYS2"));
}

TEST_F(LockBagTest, ABagHoldingAnObjectOfAnAbortedTransactionGivesEveryOtherLockBack)
{
    struct Row {
        const char* how;
        std::function<void(std::unique_ptr<VqsLockBag>&)> giveBack;
    };
    const Row rows[] = {
        {"the bag ends", [](std::unique_ptr<VqsLockBag>& bag) { bag.reset(); }},
        {"all unlocked", [](std::unique_ptr<VqsLockBag>& bag) { bag->UnlockAll(); }},
    };
    for (const Row& row : rows) {
        auto bag = std::make_unique<VqsLockBag>(VqsWriteLock);
        ASSERT_EQ(bag->LockNode(sys1), 1);
        app.GetLink()->BeginTransaction();
        VqsModelNodeHost made(&model->GetRootNode(), app.GetLink()->GetLVQEnterprise()->CreateHostInformation("MADE"));
        ASSERT_EQ(bag->LockNode(&made), 1);
        app.GetLink()->AbortTransaction();
        row.giveBack(bag);
        EXPECT_TRUE(OtherCanWrite("SYS1")) << row.how;
    }
}

TEST_F(LockBagTest, UnlockingAllEmptiesTheBagAndKeepsItsHoldCount)
{
    VqsLockBag bag(VqsWriteLock);
    bag.LockNode(sys1);
    bag.LockObjects(VqsWriteLock);
    bag.UnlockAll();
    EXPECT_EQ(bag.GetCount(), 0);
    EXPECT_EQ(bag.GetHoldCount(), 2u);
    EXPECT_TRUE(OtherCanWrite("SYS1"));
    EXPECT_EQ(bag.LockNode(sys2), 1);
    EXPECT_FALSE(OtherCanWrite("SYS2"));
}

TEST_F(LockBagTest, TakingANodeOverOfTheSameKindMovesTheLastLock)
{
    VqsLockBag from(VqsWriteLock);
    from.LockNode(sys1);
    from.LockObjects(VqsWriteLock);
    VqsLockBag to(VqsWriteLock);
    EXPECT_EQ(to.TakeOverNode(sys1, from), 1);
    EXPECT_TRUE(to.Contains(sys1));
    EXPECT_FALSE(from.Contains(sys1));
    from.UnlockAll();
    EXPECT_FALSE(OtherCanRead("SYS1"));
    to.Release();
    EXPECT_TRUE(OtherCanWrite("SYS1"));
}

TEST_F(LockBagTest, TakingANodeOverOfAnotherKindLocksItAnew)
{
    VqsLockBag from(VqsWriteLock);
    from.LockNode(sys1);
    VqsLockBag to(VqsReadLock);
    EXPECT_EQ(to.TakeOverNode(sys1, from), 1);
    EXPECT_TRUE(to.Contains(sys1));
    EXPECT_TRUE(OtherCanRead("SYS1"));
    EXPECT_FALSE(OtherCanWrite("SYS1"));
}

TEST_F(LockBagTest, LockingNodesFromAnotherBagTakesThemOverAndEndsTheOthersLocksOnTheirParents)
{
    VqsModelNodeConfig* config = model->FindConfigNode(System("SYS1")->GetCurConfig());
    VqsModelNodeBSLink* sales = model->FindConfigNodeOfBSLink(Segment("SYS1", "SALES"));
    VqsModelNodeBSLink* payroll = model->FindConfigNodeOfBSLink(Segment("SYS1", "PAYROLL"));
    ASSERT_TRUE(config && sales && payroll);
    VqsLockBag from(VqsWriteLock);
    CObList held;
    from.LockNodes(List(held, {config, sales}));

    VqsLockBag to(VqsWriteLock);
    CObList nodes;
    EXPECT_EQ(to.LockNodesFrom(List(nodes, {sales, payroll}), from), 1);

    EXPECT_TRUE(to.Contains(sales));
    EXPECT_TRUE(to.Contains(payroll));
    EXPECT_FALSE(to.Contains(config));
    EXPECT_EQ(from.GetHoldCount(), 0u);
    const PxVQCurConfigPtr otherConfig = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
    EXPECT_TRUE(otherConfig->WriteLock(0).Succeeded()) << "the held parent outside the list is given back";
    otherConfig->UnLock();
    const PxVQBSSoftLinkPtr otherSales = otherConfig->GetBSSoftLink("SALES");
    EXPECT_FALSE(otherSales->ReadLock().Succeeded());
}

TEST_F(LockBagTest, LockingNodesFromAnotherBagReadLocksUnheldParentsOnlyWhileItRuns)
{
    VqsModelNodeBSLink* sales = model->FindConfigNodeOfBSLink(Segment("SYS1", "SALES"));
    VqsLockBag from(VqsWriteLock);
    from.LockNode(sys2);
    VqsLockBag to(VqsWriteLock);
    CObList nodes;
    EXPECT_EQ(to.LockNodesFrom(List(nodes, {sales}), from), 1);
    const PxVQCurConfigPtr otherConfig = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
    EXPECT_TRUE(otherConfig->WriteLock(0).Succeeded());
    otherConfig->UnLock();
    EXPECT_TRUE(OtherCanWrite("SYS2"));
    EXPECT_TRUE(to.Contains(sales));
}

TEST_F(LockBagTest, ANodeWhoseObjectVanishedIsReportedWithItsKind)
{
    const CString system = VqsGetObjectKindName(PxKindSystem);
    struct Case {
        UINT id;
        std::string text;
    };
    const Case cases[] = {
        {61746, std::string(system) + " item has been deleted."},
        {61750, std::string(system) + " item has been deleted.\nRefresh the view and open the dialog again."},
        {61755, "Cannot proceed with Add operation: " + std::string(system) + " has been deleted."},
    };
    other->BeginTransaction();
    other->GetLVQEnterprise()->GetSystem("SYS2")->DeleteObject();
    other->CommitTransaction();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        vqui::ClearTranscript();
        VqsLockBag bag(VqsWriteLock);
        EXPECT_EQ(bag.LockNode(sys2), 1) << "a vanished object is nothing to lock";
        EXPECT_FALSE(bag.Contains(sys2));
        EXPECT_EQ(bag.ReportDeleted(c.id, sys2), 1);
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.text});
        EXPECT_EQ(TakeHints(), std::vector<int>{VqsNodeGone});
    }
    VqsLockBag bag(VqsWriteLock);
    bag.LockNode(sys1);
    vqui::ClearTranscript();
    EXPECT_EQ(bag.ReportDeleted(61746, sys1), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LockBagTest, ALockThatThrowsFailsWithAMessageUnlessTheObjectIsGone)
{
    PxFaultInjection::Throw("PxVQObject::WriteLock", "The lock file is out of reach.", 0, 1, true);
    VqsLockBag bag(VqsWriteLock);
    EXPECT_EQ(bag.LockNode(sys1), 0) << "the object is still there: the lock did not happen";
    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Cannot lock one of the objects:\nThe lock file is out of reach.");

    other->BeginTransaction();
    other->GetLVQEnterprise()->GetSystem("SYS2")->DeleteObject();
    other->CommitTransaction();
    vqui::ClearTranscript();
    PxFaultInjection::Throw("PxVQObject::WriteLock", "The object is gone.", 0, 1, true);
    EXPECT_EQ(bag.LockNode(sys2), 1) << "a vanished object counts as done";
    EXPECT_FALSE(bag.Contains(sys2));
    EXPECT_TRUE(Boxes().empty());
}

// The read of the presence that follows a grant fails (a failed transaction, a lost data
// connection): the call tells the user once and fails, and once the bags end, every hold,
// the one just granted and one a bag took over from another, is given back.
TEST_F(LockBagTest, ALockWhosePresenceReadFailsLeavesNothingHeld)
{
    struct Case {
        const char* call;
        int readsBefore; // reads of presence that pass before the failing one
        std::function<int(LockBagTest&, VqsLockBag& bag, VqsLockBag& other)> lock;
    };
    const Case cases[] = {
        {"one node", 0, [](LockBagTest& test, VqsLockBag& bag, VqsLockBag&) { return bag.LockNode(test.sys1); }},
        {"nodes together, after their list lock", 2,
         [](LockBagTest& test, VqsLockBag& bag, VqsLockBag&) {
             CObList nodes;
             return bag.LockNodesTogether(List(nodes, {test.sys1, test.sys2}));
         }},
        {"nodes taken over from another bag", 1,
         [](LockBagTest& test, VqsLockBag& bag, VqsLockBag& other) {
             EXPECT_EQ(other.LockNode(test.sys1), 1);
             CObList nodes;
             return bag.TakeOverNodes(List(nodes, {test.sys1, test.sys2}), other);
         }},
    };
    for (const Case& each : cases) {
        SCOPED_TRACE(each.call);
        vqui::ClearTranscript();
        {
            VqsLockBag other(VqsReadLock);
            VqsLockBag bag(VqsFutureUpdateLock);
            PxFaultInjection::Throw("PxObject::ObjectPresent", "The connection to the server was lost.",
                                    each.readsBefore);
            EXPECT_EQ(each.lock(*this, bag, other), 0);
            PxFaultInjection::Reset();
        }
        EXPECT_EQ(Boxes(), (std::vector<std::string>{"Cannot lock one of the objects:\nThe connection to the server was lost."}));
        EXPECT_TRUE(OtherCanWrite("SYS1"));
        EXPECT_TRUE(OtherCanWrite("SYS2"));
    }
}

TEST_F(LockBagTest, ALockRefusedBecauseAnotherUserHoldsTheObjectFails)
{
    const PxVQSystemPtr object = other->GetLVQEnterprise()->GetSystem("SYS1");
    ASSERT_TRUE(object->WriteLock(0).Succeeded());
    app.GetLink()->PxSetRetryFunction(nullptr);
    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(bag.LockNode(sys1), 0);
    EXPECT_FALSE(bag.Contains(sys1));
    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Please try again after some time."), std::string::npos) << boxes[0];
}

namespace {

std::vector<std::string> g_wyr;
int g_answer = 1;

int OnQuery(const char* name)
{
    g_wyr.push_back(std::string("query ") + name);
    return g_answer;
}

void OnNotify(const char* name) { g_wyr.push_back(std::string("notify ") + name); }

void OnLog(int, const char*, const char*) {}

} // namespace

TEST_F(ModelTest, TheHostsBusinessSegmentLockAsksOnceAndGivesTheSegmentBack)
{
    g_wyr.clear();
    g_answer = 1;
    app.RegisterWYRCallBack(&OnQuery, &OnNotify, &OnLog);
    {
        VqsBSLock lock;
        EXPECT_EQ(lock.Lock("SALES"), 1);
        EXPECT_EQ(lock.Lock("sales"), 1);
        g_answer = 0;
        EXPECT_EQ(lock.Lock("STOCK"), 0);
        EXPECT_EQ(lock.GetName(), "SALES");
        g_answer = 1;
        EXPECT_EQ(lock.Lock("STOCK"), 1);
    }
    EXPECT_EQ(g_wyr, (std::vector<std::string>{"query SALES", "query STOCK", "query STOCK", "notify SALES",
                                               "notify STOCK"}));
}

TEST_F(LockBagTest, ABagWhoseRepositoryCannotBeReadStillEndsAndGivesItsLocksBack)
{
    {
        VqsLockBag bag(VqsWriteLock);
        ASSERT_EQ(bag.LockNode(sys1), 1);
        ASSERT_EQ(bag.LockObjects(VqsWriteLock), 1);
        ASSERT_FALSE(OtherCanWrite("SYS1"));
        // The data can no longer be read (its connection is gone); the locks still can be given back.
        PxFaultInjection::Throw("PxObject::ObjectPresent", "The connection to the server was lost.", 0, 1000);
    }
    PxFaultInjection::Reset();
    EXPECT_TRUE(OtherCanWrite("SYS1"));
}
