#include "ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQReportSoftLink.h"

#include <functional>

namespace {

struct NodeLockTest : ModelTest {
    PxVQEnterprisePtr Enterprise() const { return app.GetEnterprise(); }
    PxVQBundlePtr Bundle(const char* name) const
    {
        return NamedIn<PxVQBundlePtr>(name, [&](auto& list) { Segment("SYS1", "SALES")->GetListOfBundles(list); });
    }
    PxVQIspecBundleDataPtr FirstEntry(const char* bundle) const
    {
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        Bundle(bundle)->GetListOfIspecBundleData(entries);
        return entries.GetHead();
    }
};

bool Holds(const VqsLockBag& bag, const PxObjectPtr& object) { return bag.ContainsObject(object); }

} // namespace

// Each kind of object is found (or made) in the model and locked with every node above it.
TEST_F(NodeLockTest, LockingAnObjectLocksTheWayFromTheRootAndGivesItsNode)
{
    struct Case {
        const char* what;
        std::function<PxVQObjectPtr(NodeLockTest&)> object;
        std::function<VqsModelNode*(VqsModel&, VqsLockBag&, const PxVQObjectPtr&)> lock;
        bool belowSystem;
    };
    const Case cases[] = {
        {"enterprise", [](NodeLockTest& t) { return PxVQObjectPtr(t.Enterprise()); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockEnterpriseNode(b, PxVQEnterprisePtr(o)); },
         false},
        {"host", [](NodeLockTest& t) { return PxVQObjectPtr(t.Enterprise()->GetHostInformation("QSRHOST")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockHostNode(b, PxVQHostInformationPtr(o)); },
         false},
        {"pack", [](NodeLockTest& t) { return PxVQObjectPtr(t.Enterprise()->GetPackInformation("SALESFG")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockPackNode(b, PxVQPackInformationPtr(o)); },
         false},
        {"system", [](NodeLockTest& t) { return PxVQObjectPtr(t.System("SYS2")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockSystemNode(b, PxVQSystemPtr(o)); }, true},
        {"current configuration", [](NodeLockTest& t) { return PxVQObjectPtr(t.System("SYS1")->GetCurConfig()); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockCurConfigNode(b, PxVQCurConfigPtr(o)); },
         true},
        {"previous configuration",
         [](NodeLockTest& t) {
             PxTypedList<PxVQOldConfigPtr> old;
             t.System("SYS1")->GetListOfOldConfigs(old);
             return PxVQObjectPtr(old.GetHead());
         },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockConfigNode(b, PxVQConfigPtr(o)); }, true},
        {"segment link", [](NodeLockTest& t) { return PxVQObjectPtr(t.Segment("SYS1", "STOCK")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockBSLinkNode(b, PxVQBSSoftLinkPtr(o)); },
         true},
        {"report group", [](NodeLockTest& t) { return PxVQObjectPtr(t.ReportGroup("SYS1", "SALES", "MONTHEND")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) {
             return m.LockReportGroupNode(b, PxVQReportGroupPtr(o));
         },
         true},
        {"report alias",
         [](NodeLockTest& t) {
             PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
             t.ReportGroup("SYS1", "SALES", "MONTHEND")->GetListOfReportSoftLinkAliases(aliases);
             return PxVQObjectPtr(aliases.GetTail());
         },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) {
             return m.LockRepAliasNode(b, PxVQReportSoftLinkAliasPtr(o));
         },
         true},
        {"bundle", [](NodeLockTest& t) { return PxVQObjectPtr(t.Bundle("ORDERS")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockBundleNode(b, PxVQBundlePtr(o)); }, true},
        {"Ispec entry", [](NodeLockTest& t) { return PxVQObjectPtr(t.FirstEntry("ORDERS")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) {
             return m.LockIspecBundleDataNode(b, PxVQIspecBundleDataPtr(o));
         },
         true},
        {"option set", [](NodeLockTest& t) { return PxVQObjectPtr(t.System("SYS2")->GetCurConfig()->GetOptionSet("QSRGEN")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockOptionSetNode(b, PxVQOptionSetPtr(o)); },
         true},
        {"generate set", [](NodeLockTest& t) { return PxVQObjectPtr(t.System("SYS2")->GetCurConfig()->GetOptionSet("NTGEN")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockGenSetNode(b, PxVQGenSetPtr(o)); }, true},
        {"options",
         [](NodeLockTest& t) {
             const PxVQOptionSetPtr set = t.System("SYS1")->GetCurConfig()->GetOptionSet("UNIXGEN");
             return PxVQObjectPtr(t.Segment("SYS1", "PAYROLL")->GetOptions(set));
         },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockOptionNode(b, PxOptionsPtr(o)); }, true},
        {"element link", [](NodeLockTest& t) { return PxVQObjectPtr(t.Element("SYS1", "PAYROLL", "CUSTOMER")); },
         [](VqsModel& m, VqsLockBag& b, const PxVQObjectPtr& o) { return m.LockElementLinkNode(b, PxVQSoftLinkPtr(o)); },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        const PxVQObjectPtr object = c.object(*this);
        ASSERT_TRUE(object);

        VqsModelNode* node = c.lock(model, bag, object);

        ASSERT_NE(node, nullptr);
        EXPECT_TRUE(node->GetObject()->IsSameOid(object));
        EXPECT_TRUE(Holds(bag, object));
        EXPECT_TRUE(Holds(bag, Enterprise()));
        for (VqsModelNode* above = node->GetParent(); above; above = above->GetParent())
            EXPECT_TRUE(bag.Contains(above)) << above->GetKind();
        if (!c.belowSystem) {
            EXPECT_FALSE(Holds(bag, System("SYS1"))) << "nothing below the root is locked on the way";
        }
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(NodeLockTest, ANullObjectGivesNoNodeAndLocksNothing)
{
    VqsModel model;
    VqsLockBag bag(VqsWriteLock);
    EXPECT_EQ(model.LockSystemNode(bag, PxVQSystemPtr()), nullptr);
    EXPECT_EQ(model.LockOptionNode(bag, PxOptionsPtr()), nullptr);
    EXPECT_EQ(model.LockElementLinkNode(bag, PxVQSoftLinkPtr()), nullptr);
    EXPECT_EQ(bag.GetCount(), 0);
}

TEST_F(NodeLockTest, APathAlreadyHeldIsNotLockedAgainAndOnlyTheNewNodeIsRefreshed)
{
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    ASSERT_NE(model.LockSystemNode(bag, System("SYS1")), nullptr);
    EXPECT_EQ(TakeHints(), (std::vector<int>{VqsKindEnterprise, VqsKindSystem}));
    const INT_PTR held = bag.GetCount();

    ASSERT_NE(model.LockCurConfigNode(bag, System("SYS1")->GetCurConfig()), nullptr);
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsKindConfig});
    EXPECT_EQ(bag.GetCount(), held + 1);
}

// A node made on the way to an object the bag already holds (locked through another model)
// is announced, so that an open view shows its row without a refresh.
TEST_F(NodeLockTest, ANodeMadeForAnObjectTheBagHoldsIsAnnouncedToTheViews)
{
    VqsLockBag bag(VqsReadLock);
    VqsModel first;
    const PxVQReportGroupPtr group = ReportGroup("SYS1", "SALES", "MONTHEND");
    ASSERT_NE(first.LockReportGroupNode(bag, group), nullptr);
    TakeHints();

    VqsModel second;
    ASSERT_NE(second.LockReportGroupNode(bag, group), nullptr);

    EXPECT_EQ(TakeHints(), (std::vector<int>{VqsKindSystem, VqsKindConfig, VqsKindBSLink, VqsKindRepGroup}));
}

TEST_F(NodeLockTest, ASystemAnotherUserDeletedIsToldOnceAndGivesNoNode)
{
    VqsModel model;
    model.GetRootNode().LoadSystems(VqsLoadCached);
    DeleteAsOtherUser([](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetSystem("SYS2")); });

    VqsLockBag bag(VqsWriteLock);
    EXPECT_EQ(model.LockSystemNode(bag, System("SYS1")), model.GetRootNode().FindSystemNode(System("SYS1")));
    CObList systems;
    model.GetRootNode().GetSystemNodes(systems);
    auto* gone = static_cast<VqsModelNodeSystem*>(systems.GetTail());
    EXPECT_EQ(model.LockSystemNode(bag, gone->GetSystem()), nullptr);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"System item has been deleted."});
}

TEST_F(NodeLockTest, ThePathOfAHostLocksTheRootAndEveryPackButNoSystem)
{
    VqsModel model;
    const PxVQHostInformationPtr host = Enterprise()->GetHostInformation("NTHOST");
    VqsModelNodeHost* node = model.GetRootNode().FindOrCreateHostNode(host, false);
    VqsLockBag bag(VqsReadLock);

    ASSERT_EQ(node->LockPath(bag, host), 1);

    EXPECT_TRUE(Holds(bag, host));
    PxTypedList<PxVQPackInformationPtr> packs;
    Enterprise()->GetListOfPackInformations(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;)
        EXPECT_TRUE(Holds(bag, packs.GetNext(pos)));
    EXPECT_FALSE(Holds(bag, System("SYS1")));
    EXPECT_FALSE(Holds(bag, System("SYS2")));
}

TEST_F(NodeLockTest, APackAssociationOfAHostNotYetReadReadsTheHostsOnceAndLocksTheHost)
{
    VqsModel model;
    const PxVQPackInformationPtr pack = Enterprise()->GetPackInformation("SALESPATH");
    VqsModelNodePack* packNode = model.GetRootNode().FindOrCreatePackNode(pack, false);
    packNode->LoadPackAssociations(VqsLoadCached);
    CObList associations;
    packNode->GetPackAssociationNodes(associations);
    auto* association = static_cast<VqsModelNodePackAssociation*>(associations.GetHead());
    PxTesting::ResetListReads();
    VqsLockBag bag(VqsReadLock);

    ASSERT_EQ(association->LockPath(bag, pack), 1);

    EXPECT_EQ(PxTesting::ListReads("PxVQEnterprise::GetListOfHostInformations"), 1);
    EXPECT_TRUE(Holds(bag, association->GetHostInformation()));
    EXPECT_TRUE(Holds(bag, association->GetObject()));
}

TEST_F(NodeLockTest, LockingTheWholeModelReadsEverySystemDownToItsOptionsAndDropsWhatIsGone)
{
    VqsModel model;
    model.GetRootNode().LoadSystems(VqsLoadCached);
    DeleteAsOtherUser([](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetSystem("SYS2")); });
    VqsLockBag bag(VqsReadLock);

    model.LockSubtree(bag, PxVQObjectPtr());

    CObList systems;
    model.GetRootNode().GetSystemNodes(systems);
    EXPECT_EQ(systems.GetCount(), 1);
    EXPECT_TRUE(Holds(bag, Segment("SYS1", "SALES")));
    EXPECT_TRUE(Holds(bag, Element("SYS1", "SALES", "ORDER")));
    EXPECT_TRUE(Holds(bag, Segment("SYS1", "SALES")->GetOptions(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"))));
}

TEST_F(NodeLockTest, TheRefreshCommandRefreshesEveryViewThenLocksTheWholeModelAndClearsStaleViews)
{
    auto* frame = static_cast<VqsListFrame*>(app.GetFrameList().GetHead());
    frame->SetRefreshPending();
    frametest::HostLines().clear();

    frame->SendMessage(WM_COMMAND, 32805, 0);

    EXPECT_EQ(view->refreshes, 1);
    EXPECT_FALSE(frame->IsRefreshPending());
    EXPECT_EQ(PxTesting::ListReads("PxVQEnterprise::GetListOfSystems"), 1);
    EXPECT_EQ(PxTesting::ListReads("PxVQConfig::GetListOfBSSoftLinks"), 0);
    EXPECT_EQ(PxTesting::ListReads("PxVQConfig::BSSoftLinksOf"), 2)
        << "the two current configurations together, and the old one";
    EXPECT_EQ(frametest::HostLinesStartingWith("message: statusTextSet:"),
              (std::vector<std::string>{"message: statusTextSet: Refreshing the views...", "message: statusTextSet: "}));
    auto other = OtherUser();
    EXPECT_TRUE(other->GetLVQEnterprise()->WriteLock(0).Succeeded()) << "the read locks end with the command";
}

// A tree item asks for the node of the object it shows: made below its parent's node,
// without a notice, and only when the model has the parent's node.
TEST_F(NodeLockTest, ATreeItemGetsTheNodeOfItsObjectBelowItsParentsNode)
{
    VqsModel model;
    const PxVQSystemPtr system = System("SYS1");
    const PxVQCurConfigPtr config = system->GetCurConfig();
    const PxVQBSSoftLinkPtr sales = Segment("SYS1", "SALES");
    const PxVQReportGroupPtr group = ReportGroup("SYS1", "SALES", "MONTHEND");
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    group->GetListOfReportSoftLinkAliases(aliases);
    const PxVQBundlePtr orders = Bundle("ORDERS");
    const PxVQIspecBundleDataPtr entry = FirstEntry("ORDERS");
    TakeHints();
    PxTesting::ResetListReads();

    EXPECT_EQ(model.GetCurConfigNode(config, system), nullptr);
    VqsModelNodeSystem* systemNode = model.GetSystemNode(system);
    ASSERT_NE(systemNode, nullptr);
    VqsModelNodeCurConfig* configNode = model.GetCurConfigNode(config, system);
    ASSERT_NE(configNode, nullptr);
    EXPECT_EQ(configNode->GetParent(), systemNode);
    VqsModelNodeBSLink* link = model.GetBSLinkNode(sales, config);
    ASSERT_NE(link, nullptr);
    VqsModelNodeRepGroup* groupNode = model.GetReportGroupNode(group, sales);
    ASSERT_NE(groupNode, nullptr);
    VqsModelNodeRepAlias* alias = model.GetRepAliasNode(aliases.GetHead(), group);
    ASSERT_NE(alias, nullptr);
    EXPECT_EQ(alias->GetParent(), groupNode);
    VqsModelNodeBundle* bundle = model.GetBundleNode(orders, sales);
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(bundle->GetParent(), link);
    EXPECT_EQ(model.GetIspecBundleDataNode(entry, orders)->GetParent(), bundle);
    EXPECT_EQ(model.GetSystemNode(system), systemNode);
    EXPECT_TRUE(TakeHints().empty());
    EXPECT_EQ(PxTesting::ListReads(), 0);
}

TEST_F(NodeLockTest, TheOptionsOfAnElementLinkAreFoundWithTheirLinkBothLocked)
{
    VqsModel model;
    const PxVQCurConfigPtr config = System("SYS1")->GetCurConfig();
    const PxVQOptionSetPtr set = config->GetOptionSet("UNIXGEN");
    const PxVQElementSoftLinkPtr customer = Element("SYS1", "PAYROLL", "CUSTOMER");
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeOption* option = nullptr;
    VqsModelNodeLink* link = nullptr;

    ASSERT_TRUE(model.FindOptionsOfElementLink(bag, option, link, config, customer, set));

    EXPECT_TRUE(link->GetObject()->IsSameOid(customer));
    EXPECT_TRUE(option->GetObject()->IsSameOid(customer->GetOptions(set)));
    EXPECT_TRUE(Holds(bag, customer));
    EXPECT_TRUE(Holds(bag, option->GetObject()));
    EXPECT_TRUE(Holds(bag, Segment("SYS1", "PAYROLL")));
    EXPECT_FALSE(model.FindOptionsOfElementLink(bag, option, link, config, customer, PxVQOptionSetPtr()));
}

// Before the packs that options name are compared with the enterprise's packs, the option
// node locks what the comparison needs, by the kind of options.
TEST_F(NodeLockTest, AnOptionNodeLocksWhatItsPackCollectionNeeds)
{
    struct Case {
        const char* element;
        bool rootAndPacks;
    };
    const Case cases[] = {{"CUSTOMER", true}, {"EVENT", false}, {"MONTHLY", true}, {"ORDBYDATE", true}, {nullptr, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element ? c.element : "segment");
        VqsModel model;
        const PxVQOptionSetPtr set = System("SYS1")->GetCurConfig()->GetOptionSet("UNIXGEN");
        const PxVQSoftLinkPtr link =
            c.element ? PxVQSoftLinkPtr(Element("SYS1", "SALES", c.element)) : PxVQSoftLinkPtr(Segment("SYS1", "SALES"));
        VqsModelNodeOption* option = nullptr;
        {
            VqsLockBag finding(VqsNoLock);
            option = model.LockOptionNode(finding, link->GetOptions(set));
        }
        ASSERT_NE(option, nullptr);
        PxTesting::ResetListReads();
        VqsLockBag bag(VqsReadLock);

        EXPECT_TRUE(option->LockForPackCollection(bag));

        EXPECT_TRUE(Holds(bag, set));
        EXPECT_EQ(Holds(bag, Enterprise()), c.rootAndPacks);
        EXPECT_EQ(PxTesting::ListReads("PxVQEnterprise::GetListOfPackInformations"), c.rootAndPacks ? 1 : 0);
    }
}

TEST_F(NodeLockTest, AHostNodeReadsItsTypeOnce)
{
    VqsModel model;
    const PxVQHostInformationPtr host = Enterprise()->GetHostInformation("TARSKHOST");
    VqsModelNodeHost* node = model.GetHostNode(host);
    EXPECT_EQ(node->GetHostType(), VQHostTarsk);
    app.GetLink()->BeginTransaction();
    host->SetHostType(VQHostUnix);
    app.GetLink()->CommitTransaction();
    EXPECT_EQ(node->GetHostType(), VQHostTarsk);
    EXPECT_EQ(VqsModel().GetHostNode(host)->GetHostType(), VQHostUnix);
}

TEST_F(NodeLockTest, APreviousConfigurationWithoutItsOptionSetIsReadAgainAtTheNextLoad)
{
    const PxVQSystemPtr system = System("SYS2");
    app.GetLink()->BeginTransaction();
    const PxVQOldConfigPtr old = system->CreateOldConfig();
    app.GetLink()->CommitTransaction();
    VqsModel model;
    VqsModelNodeOldConfig* node = model.GetOldConfigNode(old, system);
    ASSERT_EQ(node, nullptr) << "the system has no node yet";
    node = model.GetSystemNode(system)->FindOrCreateOldConfigNode(old, false);

    node->LoadOptionSets(VqsLoadCached);
    CObList sets;
    node->GetOptionSetNodes(sets);
    EXPECT_TRUE(sets.IsEmpty());

    app.GetLink()->BeginTransaction();
    old->CreateOptionSet("NTGEN", 0);
    app.GetLink()->CommitTransaction();
    node->LoadOptionSets(VqsLoadCached);
    node->GetOptionSetNodes(sets);
    EXPECT_EQ(sets.GetCount(), 1);
}

// A repository failure on the way down is shown with the text of the step it met.
TEST_F(NodeLockTest, ARepositoryFailureOnTheWayIsShownWithTheStepsTextAndGivesNoNode)
{
    struct Case {
        const char* operation;
        std::function<VqsModelNode*(NodeLockTest&, VqsModel&, VqsLockBag&)> lock;
        const char* text;
    };
    const Case cases[] = {
        {"PxObject::Refresh",
         [](NodeLockTest& t, VqsModel& m, VqsLockBag& b) { return m.LockEnterpriseNode(b, t.Enterprise()); },
         "Cannot access System Enterprise data"},
        {"PxVQConfig::GetSystem",
         [](NodeLockTest& t, VqsModel& m, VqsLockBag& b) {
             return m.LockCurConfigNode(b, t.System("SYS1")->GetCurConfig());
         },
         "Cannot access current system configuration"},
        {"PxVQOptionSet::GetConfig",
         [](NodeLockTest& t, VqsModel& m, VqsLockBag& b) {
             return m.LockOptionSetNode(b, t.System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
         },
         "Cannot access the Business Segment entry"},
        {"PxVQReportSoftLinkAlias::GetReportGroup",
         [](NodeLockTest& t, VqsModel& m, VqsLockBag& b) {
             PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
             t.ReportGroup("SYS1", "SALES", "MONTHEND")->GetListOfReportSoftLinkAliases(aliases);
             return m.LockRepAliasNode(b, aliases.GetHead());
         },
         "Cannot access Report in the group"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation);
        vqui::ClearTranscript();
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        PxFaultInjection::Throw(c.operation);

        EXPECT_EQ(c.lock(*this, model, bag), nullptr);

        PxFaultInjection::Reset();
        EXPECT_EQ(Boxes(), std::vector<std::string>{std::string(c.text) + ":\nInjected repository failure"});
    }
}

// The new-report-group and new-bundle dialogs give the bag's locks back before they open;
// cancelled, they make nothing.
TEST_F(NodeLockTest, CancelledNewGroupAndBundleDialogsMakeNothingAndTheLocksAreGivenBack)
{
    VqsModel model;
    VqsLockBag bag(VqsWriteLock);
    VqsModelNodeBSLink* link = model.LockBSLinkNode(bag, Segment("SYS1", "SALES"));
    ASSERT_NE(link, nullptr);

    EXPECT_FALSE(model.OpenReportGroupDlg(bag, link));
    EXPECT_FALSE(model.OpenBundleDlg(bag, link));

    EXPECT_EQ(bag.GetHoldCount(), 0u);
    EXPECT_TRUE(OtherUser()->GetLVQEnterprise()->WriteLock(0).Succeeded());
}
