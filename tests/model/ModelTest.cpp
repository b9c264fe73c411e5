#include "ModelTestSupport.h"

#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQOptionSet.h"

#include <functional>

namespace {

std::vector<std::string> Names(const CObList& nodes)
{
    std::vector<std::string> names;
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        const auto* node = static_cast<const VqsModelNode*>(nodes.GetNext(pos));
        names.push_back(node->GetObject()->GetStringProperty("name").GetString());
    }
    return names;
}

std::vector<std::string> SystemNames(VqsModel& model)
{
    CObList systems;
    model.GetRootNode().GetSystemNodes(systems);
    return Names(systems);
}

} // namespace

TEST_F(ModelTest, TwoCachedLoadsReadTheSystemsOnceAndAnnounceNone)
{
    VqsModel model;
    model.GetRootNode().LoadSystems(VqsLoadCached);
    model.GetRootNode().LoadSystems(VqsLoadCached);

    EXPECT_EQ(PxTesting::ListReads("PxVQEnterprise::GetListOfSystems"), 1);
    EXPECT_EQ(SystemNames(model), (std::vector<std::string>{"SYS1", "SYS2"}));
    EXPECT_TRUE(TakeHints().empty()) << "reading the systems changed none of them";
    EXPECT_EQ(model.GetIndexCount(), 3);
}

TEST_F(ModelTest, ARereadKeepsASystemAnotherUserDeletedAndADroppingReadRemovesItWithItsNotice)
{
    VqsModel model;
    model.GetRootNode().LoadSystems(VqsLoadCached);
    TakeHints();
    DeleteAsOtherUser([](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetSystem("SYS2")); });

    model.GetRootNode().LoadSystems(VqsLoadReread);
    CObList systems;
    model.GetRootNode().GetSystemNodes(systems);
    EXPECT_EQ(systems.GetCount(), 2);
    EXPECT_TRUE(TakeHints().empty()) << "SYS1 is as it was, SYS2 stays untouched";

    model.GetRootNode().LoadSystems(VqsLoadDropVanished);
    EXPECT_EQ(SystemNames(model), std::vector<std::string>{"SYS1"});
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsNodeGone});
    EXPECT_EQ(model.GetIndexCount(), 2);
}

TEST_F(ModelTest, EachKindSaysItGoesAwayWithItsOwnCode)
{
    struct Case {
        const char* what;
        std::function<PxVQObjectPtr(PxVQEnterprise&)> find;
        std::function<void(VqsModel&, int mode)> load;
        int code;
    };
    auto optionSets = [](VqsModel& model, int mode) {
        VqsModelNodeSystem* system = model.FindSystemNodeOfCurConfig(model.GetRootNode().GetEnterprise()->GetSystem("SYS1"));
        system->LoadCurConfig(VqsLoadCached);
        CObList configs;
        system->GetConfigNodes(configs);
        static_cast<VqsModelNodeConfig*>(configs.GetHead())->LoadOptionSets(mode);
    };
    const Case cases[] = {
        {"host", [](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetHostInformation("UNIXHOST")); },
         [](VqsModel& model, int mode) { model.GetRootNode().LoadHosts(mode); }, VqsHostGone},
        {"pack", [](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetPackInformation("TARSKPACK")); },
         [](VqsModel& model, int mode) { model.GetRootNode().LoadPacks(mode); }, VqsPackGone},
        {"option set",
         [](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetSystem("SYS1")->GetCurConfig()->GetOptionSet("QSRGEN")); },
         optionSets, VqsOptionSetGone},
        {"system", [](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetSystem("SYS2")); },
         [](VqsModel& model, int mode) { model.GetRootNode().LoadSystems(mode); }, VqsNodeGone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        VqsModel model;
        c.load(model, VqsLoadCached);
        DeleteAsOtherUser(c.find);
        TakeHints();
        c.load(model, VqsLoadDropVanished);
        const std::vector<int> hints = TakeHints();
        ASSERT_FALSE(hints.empty());
        EXPECT_EQ(hints.front(), c.code);
        EXPECT_TRUE(view->notices.empty());
    }
}

TEST_F(ModelTest, RereadingKnownBusinessSegmentLinksNeitherRefreshesNorAnnouncesThem)
{
    VqsModel model;
    VqsModelNodeConfig* config = model.FindConfigNode(System("SYS1")->GetCurConfig());
    ASSERT_NE(config, nullptr);
    config->LoadBSLinks(VqsLoadCached);
    TakeHints();

    config->LoadBSLinks(VqsLoadReread);
    CObList links;
    config->GetBSLinkNodes(links);
    EXPECT_EQ(Names(links), (std::vector<std::string>{"SALES", "PAYROLL", "STOCK"}));
    EXPECT_TRUE(TakeHints().empty());
    EXPECT_EQ(PxTesting::ListReads("PxVQConfig::GetListOfBSSoftLinks"), 2);
}

TEST_F(ModelTest, RereadingKnownSystemsKeepsThemInPlaceWithWhatAnotherUserChanged)
{
    VqsModel model;
    model.GetRootNode().LoadSystems(VqsLoadCached);
    ASSERT_EQ(SystemNames(model), (std::vector<std::string>{"SYS1", "SYS2"}));
    auto other = OtherUser();
    other->BeginTransaction();
    other->GetLVQEnterprise()->GetSystem("SYS2")->SetName("SYS9");
    other->CommitTransaction();
    TakeHints();
    model.GetRootNode().LoadSystems(VqsLoadReread);
    EXPECT_EQ(SystemNames(model), (std::vector<std::string>{"SYS1", "SYS9"})) << "the read of the list brings each afresh";
    EXPECT_TRUE(TakeHints().empty());
}

TEST_F(ModelTest, ASystemThatAnotherUserAddsIsPlacedAfterItsPredecessor)
{
    VqsModel model;
    model.GetRootNode().LoadSystems(VqsLoadCached);
    auto other = OtherUser();
    other->BeginTransaction();
    other->GetLVQEnterprise()->CreateSystem("SYS3");
    other->CommitTransaction();
    TakeHints();

    model.GetRootNode().LoadSystems(VqsLoadReread);
    EXPECT_EQ(SystemNames(model), (std::vector<std::string>{"SYS1", "SYS2", "SYS3"}));
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsKindSystem}) << "only the new system is announced";
}

TEST_F(ModelTest, TheModelIndexesEveryNodeWithAnObjectAndForgetsThemWithTheModel)
{
    VqsModel model;
    VqsModelNodeEnterprise& root = model.GetRootNode();
    root.LoadChildren(VqsLoadCached);
    CObList children;
    root.GetChildren(children);
    EXPECT_EQ(model.GetIndexCount(), children.GetCount() + 1);
    for (POSITION pos = children.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNode*>(children.GetNext(pos));
        EXPECT_EQ(model.LookupNode(node->GetObject()), node);
        EXPECT_EQ(node->GetRoot(), &root);
        EXPECT_EQ(node->GetModel(), &model);
    }
}

TEST_F(ModelTest, DroppingAbsentChildrenRemovesOnlyThoseWhoseObjectsAreGone)
{
    VqsModel model;
    model.GetRootNode().LoadHosts(VqsLoadCached);
    DeleteAsOtherUser([](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetHostInformation("QSRHOST")); });
    TakeHints();
    model.GetRootNode().DropAbsentChildren();
    CObList hosts;
    model.GetRootNode().GetHostNodes(hosts);
    EXPECT_EQ(Names(hosts), (std::vector<std::string>{"NTHOST", "TARSKHOST", "UNIXHOST"}));
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsHostGone});
}

TEST_F(ModelTest, RefreshingAPackAssociationRereadsItsPlatformAssociations)
{
    auto firstData = [](const PxVQEnterprisePtr& enterprise) {
        PxTypedList<PxVQHostPackDataPtr> entries;
        enterprise->GetPackInformation("SALESPATH")->GetListOfHostPackData(entries);
        return entries.GetHead();
    };
    VqsModel model;
    VqsModelNodePackAssociation* node = model.FindPackAssociationNode(firstData(app.GetEnterprise()));
    ASSERT_NE(node, nullptr);
    const PxVQKeshPackAssociationNTPtr nt = node->GetHostPackData()->GetPackAssociationNT();
    EXPECT_EQ(nt->GetPath(), "/vq/nt/sales");
    auto other = OtherUser();
    other->BeginTransaction();
    firstData(other->GetLVQEnterprise())->GetPackAssociationNT()->SetPath("/vq/nt/new");
    other->CommitTransaction();
    TakeHints();

    node->Refresh();

    EXPECT_EQ(nt->GetPath(), "/vq/nt/new");
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsKindPackAssociation});
}
