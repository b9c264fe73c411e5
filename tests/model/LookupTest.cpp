#include "ModelTestSupport.h"

#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "shell/VqsDisplayNames.h"

#include <functional>

namespace {

// A node of a kind the lookups do not expect, entered under an object's handle.
class StrangerNode : public VqsModelNode {
public:
    StrangerNode(VqsModelNode* parent, const PxVQObjectPtr& object) : VqsModelNode(parent, object) {}
    PxVQObjectPtr GetObject() const override { return Object(); }
    int LockPath(VqsLockBag&, const PxVQObjectPtr&) override { return 1; }
    int GetKind() const override { return 0; }
};

struct LookupTest : ModelTest {
    void TearDown() override
    {
        PxFaultInjection::Reset();
        ModelTest::TearDown();
    }
};

PxVQReportSoftLinkAliasPtr FirstAlias(const PxVQReportGroupPtr& group)
{
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    group->GetListOfReportSoftLinkAliases(aliases);
    return aliases.GetHead();
}

} // namespace

TEST_F(LookupTest, AReportAliasOfANeverExpandedSegmentIsFoundReadingEachListOnItsPathOnce)
{
    const PxVQReportSoftLinkAliasPtr alias = FirstAlias(ReportGroup("SYS2", "SALES", "MONTHEND"));
    VqsModel model;
    PxTesting::ResetListReads();

    VqsModelNodeRepAlias* node = model.FindRepAliasNode(alias);

    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->GetObject()->IsSameOid(alias));
    EXPECT_EQ(PxTesting::ListReads("PxVQEnterprise::GetListOfSystems"), 1);
    EXPECT_EQ(PxTesting::ListReads("PxVQSystem::GetListOfOldConfigs"), 1);
    EXPECT_EQ(PxTesting::ListReads("PxVQConfig::GetListOfBSSoftLinks"), 1);
    EXPECT_EQ(PxTesting::ListReads("PxVQBSSoftLink::GetListOfReportGroups"), 1);
    EXPECT_EQ(PxTesting::ListReads("PxVQReportGroup::GetListOfReportSoftLinkAliases"), 1);
    EXPECT_EQ(PxTesting::ListReads(), 5) << "no list off the path is read";

    PxTesting::ResetListReads();
    EXPECT_EQ(model.FindRepAliasNode(alias), node);
    EXPECT_EQ(PxTesting::ListReads(), 0) << "an object already in the model costs no read";
}

TEST_F(LookupTest, EachFindGivesTheNodeOfItsObject)
{
    const PxVQSystemPtr system = System("SYS1");
    const PxVQCurConfigPtr current = system->GetCurConfig();
    const PxVQBSSoftLinkPtr sales = Segment("SYS1", "SALES");
    const PxVQOptionSetPtr ntGen = current->GetOptionSet("NTGEN");
    PxTypedList<PxVQBundlePtr> bundles;
    sales->GetListOfBundles(bundles);
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundles.GetTail()->GetListOfIspecBundleData(entries);
    const PxVQPackInformationPtr pack = app.GetEnterprise()->GetPackInformation("TARSKPACK");
    PxTypedList<PxVQHostPackDataPtr> packData;
    pack->GetListOfHostPackData(packData);
    const PxVQElementSoftLinkPtr customer = sales->GetElementSoftLink("CUSTOMER");
    const PxOptionsPtr customerOptions = ntGen->GetOptions(PxVQSoftLinkPtr(customer));

    struct Case {
        const char* what;
        std::function<VqsModelNode*(VqsModel&)> find;
        PxVQObjectPtr object;
        int kind;
    };
    const Case cases[] = {
        {"system", [&](VqsModel& m) { return m.FindSystemNodeOfCurConfig(system); }, system, VqsKindSystem},
        {"current configuration", [&](VqsModel& m) { return m.FindCurConfigNode(current); }, current, VqsKindConfig},
        {"configuration", [&](VqsModel& m) { return m.FindConfigNode(current); }, current, VqsKindConfig},
        {"option set", [&](VqsModel& m) { return m.FindOptionSetNode(ntGen); }, ntGen, VqsKindOptionSet},
        {"generate set", [&](VqsModel& m) { return m.FindGenSetNode(PxVQGenSetPtr(ntGen)); }, ntGen, VqsKindOptionSet},
        {"pack", [&](VqsModel& m) { return m.FindPackNode(pack); }, pack, VqsKindPack},
        {"pack association", [&](VqsModel& m) { return m.FindPackAssociationNode(packData.GetHead()); },
         packData.GetHead(), VqsKindPackAssociation},
        {"business-segment link", [&](VqsModel& m) { return m.FindConfigNodeOfBSLink(sales); }, sales, VqsKindBSLink},
        {"bundle", [&](VqsModel& m) { return m.FindBundleNode(bundles.GetTail()); }, bundles.GetTail(), VqsKindBundle},
        {"Ispec bundle data", [&](VqsModel& m) { return m.FindIspecBundleDataNode(entries.GetHead()); },
         entries.GetHead(), VqsKindIspecBundleData},
        {"element link", [&](VqsModel& m) { return m.FindElementLinkNode(customer); }, customer, VqsKindElementLink},
        {"option", [&](VqsModel& m) { return m.FindOptionNode(customerOptions); }, customerOptions, VqsKindOption},
        {"link of a segment soft link", [&](VqsModel& m) { return m.FindOptionNodeOfOSet(PxVQSoftLinkPtr(sales)); },
         sales, VqsKindBSLink},
        {"link of an element soft link",
         [&](VqsModel& m) { return m.FindOptionNodeOfOSet(PxVQSoftLinkPtr(customer)); }, customer, VqsKindElementLink},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VqsModel model;
        VqsModelNode* node = c.find(model);
        ASSERT_NE(node, nullptr);
        EXPECT_TRUE(node->GetObject()->IsSameOid(c.object));
        EXPECT_EQ(node->GetKind(), c.kind);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LookupTest, ANodeOfAnotherClassUnderTheHandleGivesNull)
{
    VqsModel model;
    const PxVQSystemPtr system = System("SYS1");
    StrangerNode stranger(&model.GetRootNode(), system);
    EXPECT_EQ(model.LookupNode(system), &stranger);
    EXPECT_EQ(model.FindSystemNodeOfCurConfig(system), nullptr);
}

TEST_F(LookupTest, ARepositoryFailureInANestedFindIsReportedOnceNamingTheNestedObject)
{
    const PxVQOptionSetPtr optionSet = System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
    VqsModel model;
    PxFaultInjection::Throw("PxVQSystem::GetListOfOldConfigs", "The old configurations are out of reach.");

    EXPECT_EQ(model.FindOptionSetNode(optionSet), nullptr);

    const std::vector<std::string> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    const std::string kind = VqsGetObjectKindName(PxKindCurrentConfiguration).GetString();
    EXPECT_NE(boxes[0].find("Cannot access the " + kind), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[0].find("The old configurations are out of reach."), std::string::npos) << boxes[0];
}

TEST_F(LookupTest, AnObjectThatIsNoLongerListedGivesNullWithoutAMessage)
{
    const PxVQSystemPtr system = System("SYS2");
    DeleteAsOtherUser([](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetSystem("SYS2")); });
    VqsModel model;
    EXPECT_EQ(model.FindSystemNodeOfCurConfig(system), nullptr);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LookupTest, AHostNameIsADuplicateOnlyOfAnotherPresentHostInAnyCase)
{
    VqsModel model;
    VqsModelNodeEnterprise& root = model.GetRootNode();
    EXPECT_TRUE(root.FindHostByName("nthost", nullptr)) << "hosts never loaded are loaded first";

    VqsModelNodeHost* ntHost = root.FindHostNode(app.GetEnterprise()->GetHostInformation("NTHOST"));
    ASSERT_NE(ntHost, nullptr);
    EXPECT_FALSE(root.FindHostByName("NTHOST", ntHost)) << "the host being renamed keeps its own name";
    EXPECT_FALSE(root.FindHostByName("NOHOST", nullptr));

    DeleteAsOtherUser([](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetHostInformation("UNIXHOST")); });
    EXPECT_FALSE(root.FindHostByName("UnixHost", nullptr)) << "a host gone from the repository is ignored";
}

TEST_F(LookupTest, TheSmallOperationsFindOrMakeNodesWithoutNotices)
{
    VqsModel model;
    const PxVQPackInformationPtr pack = app.GetEnterprise()->GetPackInformation("TARSKPACK");
    VqsModelNodePack* packNode = model.GetPackNode(pack);
    ASSERT_NE(packNode, nullptr);
    EXPECT_EQ(model.GetPackNode(pack), packNode);

    const PxVQCurConfigPtr config = System("SYS1")->GetCurConfig();
    const PxVQOptionSetPtr optionSet = config->GetOptionSet("QSRGEN");
    EXPECT_EQ(model.GetOptionSetNode(optionSet, config), nullptr) << "the configuration is not in the model";
    ASSERT_NE(model.FindConfigNode(config), nullptr);
    view->notices.clear();
    VqsModelNodeOSet* optionSetNode = model.GetOptionSetNode(optionSet, config);
    ASSERT_NE(optionSetNode, nullptr);
    EXPECT_TRUE(optionSetNode->GetObject()->IsSameOid(optionSet));
    EXPECT_TRUE(TakeHints().empty());
}
