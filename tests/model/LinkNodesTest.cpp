#include "ModelTestSupport.h"

#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "win/Clock.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

struct LinkNodesTest : SalesModelTest {
    void SetUp() override
    {
        SalesModelTest::SetUp();
        TakeHints();
    }

    // The records of the links that have option nodes, once every option set's nodes are built.
    std::vector<PxOptionsPtr> RecordsWithNodes(std::initializer_list<PxVQSoftLinkPtr> links)
    {
        config->LoadOptionSets(VqsLoadCached);
        CObList optionSets;
        config->GetOptionSetNodes(optionSets);
        for (POSITION pos = optionSets.GetHeadPosition(); pos;)
            static_cast<VqsModelNodeOSet*>(optionSets.GetNext(pos))->BuildOptionNodes(VqsLoadCached);
        std::vector<PxOptionsPtr> withNodes;
        for (const PxVQSoftLinkPtr& link : links) {
            PxTypedList<PxOptionsPtr> records;
            link->GetAllOptions(records);
            for (POSITION pos = records.GetHeadPosition(); pos;) {
                const PxOptionsPtr record = records.GetNext(pos);
                if (model.LookupNode(record))
                    withNodes.push_back(record);
            }
        }
        return withNodes;
    }

    VqsModelNodeElementLink* ElementNode(const char* name)
    {
        sales->LoadElementLinks(VqsLoadCached);
        return sales->FindElementLinkNode(Element("SYS1", "SALES", name));
    }

    std::vector<std::string> ElementNames(const CObList& nodes) const
    {
        std::vector<std::string> names;
        for (POSITION pos = nodes.GetHeadPosition(); pos;)
            names.emplace_back(static_cast<VqsModelNodeLink*>(nodes.GetNext(pos))->GetSoftLink()->GetName());
        return names;
    }

    template <class Write>
    void AsOtherUser(Write write)
    {
        auto other = OtherUser();
        other->BeginTransaction();
        write(*other);
        other->CommitTransaction();
    }

    template <class Write>
    void InRepository(Write write)
    {
        app.GetLink()->BeginTransaction();
        write();
        app.GetLink()->CommitTransaction();
    }

    PxVQOptionSetPtr OptionSet(const char* name) const { return System("SYS1")->GetCurConfig()->GetOptionSet(name); }
};

} // namespace

TEST_F(LinkNodesTest, TheSegmentShowsItsElementsWithProfilesUnderTheirIspecsAndNoScripts)
{
    CObList links;
    sales->LoadElementLinks(VqsLoadCached);
    sales->GetElementLinkNodes(links);

    const std::vector<std::string> names = ElementNames(links);
    EXPECT_EQ(std::count(names.begin(), names.end(), "INITDB"), 0) << "SQL script links get no node";
    VqsModelNodeElementLink* customer = ElementNode("CUSTOMER");
    VqsModelNodeElementLink* byName = ElementNode("CUSTBYNAME");
    ASSERT_TRUE(customer && byName);
    EXPECT_EQ(byName->GetIspecNode(), customer);
    EXPECT_TRUE(byName->IsPlacedBelow());
    EXPECT_EQ(names.back(), "CUSTBYNAME") << "profiles under an Ispec are made after the others";
    EXPECT_TRUE(TakeHints().empty()) << "the first read tells the views nothing";

    CObList siblings;
    byName->GetSiblings(siblings);
    EXPECT_EQ(ElementNames(siblings), std::vector<std::string>{"CUSTBYNAME"});
    siblings.RemoveAll();
    customer->GetSiblings(siblings);
    EXPECT_EQ(siblings.GetCount(), links.GetCount() - 1);
}

TEST_F(LinkNodesTest, ALaterReadTellsTheViewsOfEachNewElementAndHidesProfilesWithoutTheirIspec)
{
    sales->LoadElementLinks(VqsLoadCached);
    TakeHints();
    AsOtherUser([&](PxVQLink& other) {
        const PxVQBSSoftLinkPtr segment =
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
        segment->CreateElementSoftLink("NEWREPORT", VQSoftLinkReport);
        const PxVQProfileSoftLinkPtr orphan = segment->CreateElementSoftLink("ORPHAN", VQSoftLinkProfile);
        const PxVQIspecSoftLinkPtr elsewhere =
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("STOCK")->GetElementSoftLink(
                "ORDER");
        orphan->SetComponent(elsewhere);
    });

    sales->LoadElementLinks(VqsLoadReread);

    EXPECT_EQ(TakeHints(), std::vector<int>{VqsKindElementLink});
    EXPECT_NE(ElementNode("NEWREPORT"), nullptr);
    EXPECT_EQ(ElementNode("ORPHAN"), nullptr) << "its Ispec has no entry in this segment";
}

TEST_F(LinkNodesTest, ANodeWithoutItsSoftLinkHasNoIspecType)
{
    const VqsModelNodeElementLink bare(sales, PxVQElementSoftLinkPtr());
    EXPECT_EQ(bare.GetIspecType(), 0);
    EXPECT_FALSE(bare.IsIspecType(0));
}

TEST_F(LinkNodesTest, ReservedElementsAndDesignMatches)
{
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    struct Case {
        const char* element;
        bool reserved;
        int ispecType;
    } cases[] = {{"EVENT", true, 2}, {"STARTUP", true, 5}, {"CALCTAX", false, 5}, {"CUSTOMER", false, 1},
                 {"ENQUIRY", false, 1}, {"MONTHLY", false, 3}, {"ORDBYDATE", false, 4}};
    for (const Case& c : cases) {
        VqsModelNodeElementLink* node = ElementNode(c.element);
        ASSERT_NE(node, nullptr) << c.element;
        EXPECT_EQ(node->IsReservedElement(), c.reserved) << c.element;
        EXPECT_EQ(node->IsSystemElement(), c.reserved) << c.element;
        EXPECT_EQ(node->GetIspecType(), c.ispecType) << c.element;
        EXPECT_TRUE(node->IsIspecType(c.ispecType)) << c.element;
        EXPECT_TRUE(ElementSoftLinkMatches(node, design->GetElement(c.element))) << c.element;
    }
    EXPECT_FALSE(ElementSoftLinkMatches(ElementNode("MONTHLY"), design->GetElement("CUSTOMER")));
    EXPECT_TRUE(ProfileSoftLinkMatches(ElementNode("CUSTBYNAME"), "CUSTOMER"));
    EXPECT_FALSE(ProfileSoftLinkMatches(ElementNode("CUSTBYNAME"), "customer"));
    EXPECT_TRUE(BSSoftLinkMatches(sales, app.GetLSEEnterprise()->GetBusinessSegment("SALES")));

    AsOtherUser([&](PxVQLink& other) {
        other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->CreateElementSoftLink(
            "closedown", VQSoftLinkGlobalLogic);
        other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->CreateElementSoftLink(
            "STARTUPX", VQSoftLinkIspec);
    });
    sales->LoadElementLinks(VqsLoadReread);
    EXPECT_TRUE(ElementNode("closedown")->IsReservedElement()) << "names compare ignoring case";
    EXPECT_FALSE(ElementNode("STARTUPX")->IsReservedElement());
    PxFaultInjection::Throw("PxVQIspecSoftLink::GetElementType");
    EXPECT_FALSE(ElementNode("EVENT")->IsReservedElement()) << "a repository failure answers no";
    PxFaultInjection::Reset();
}

TEST_F(LinkNodesTest, SegmentLinksComeNewestFirstAndThoseOfOneSecondKeepTheirOrder)
{
    {
        vqclock::ManualClock later(1800000000);
        vqclock::ScopedClock scope(later);
        InRepository([&] { System("SYS1")->GetCurConfig()->CreateBSSoftLink("NEWER"); });
    }
    config->LoadBSLinks(VqsLoadReread);

    CObList byCreation;
    config->GetBSLinkNodesByCreation(byCreation);

    EXPECT_EQ(ElementNames(byCreation), (std::vector<std::string>{"NEWER", "SALES", "PAYROLL", "STOCK"}));
    EXPECT_TRUE(VqsModelNodeLink::IsEarlier(0xFFFFFFFF, 5, 0, 1)) << "the high word is signed";
    EXPECT_TRUE(VqsModelNodeLink::IsEarlier(1, 5, 1, 0xFFFFFFF0)) << "the low word is not";
}

TEST_F(LinkNodesTest, FlagAndValueWritesTellTheViews)
{
    VqsModelNodeElementLink* customer = ElementNode("CUSTOMER");

    customer->SetUpdatedFlag(1);
    EXPECT_TRUE(customer->IsSoftLinkUpdated());
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsKindElementLink});

    EXPECT_EQ(customer->SetSoftLinkValue(1), 1);
    EXPECT_EQ(Element("SYS1", "SALES", "CUSTOMER")->GetUnusedMark(), 1);
    EXPECT_EQ(TakeHints(), std::vector<int>{VqsKindElementLink});

    PxFaultInjection::Throw("PxVQSoftLink::SetUnusedMark", "The repository is read only.");
    EXPECT_EQ(customer->SetSoftLinkValue(0), 0);
    PxFaultInjection::Reset();
    EXPECT_TRUE(TakeHints().empty()) << "a refused value tells nothing";
    EXPECT_EQ(Element("SYS1", "SALES", "CUSTOMER")->GetUnusedMark(), 1);
}

// Each step judges its success after its commit: a refused commit makes it answer failure,
// with the one box of the refusal, and its links stay as stored.
TEST_F(LinkNodesTest, AStepWhoseCommitIsRefusedAnswersFailure)
{
    const PxLSEElementPtr order = app.GetLSEEnterprise()->GetBusinessSegment("SALES")->GetElement("ORDER");
    struct Row {
        const char* step;
        std::function<int()> run;
        const char* stays; // the link of SALES in SYS1 still there afterwards
    };
    const Row rows[] = {
        {"the unused mark", [&] { return ElementNode("CUSTOMER")->SetSoftLinkValue(1); }, "CUSTOMER"},
        {"an element link's design data",
         [&] { return ElementNode("ORDER")->AddIspecsToBundles(order, CStringList()); }, "ORDER"},
        {"an Ispec link's deletion", [&] { return ElementNode("CUSTOMER")->Delete(); }, "CUSTOMER"},
        {"a profile link's deletion", [&] { return ElementNode("CUSTBYNAME")->Delete(); }, "CUSTBYNAME"},
        {"a segment link's deletion",
         [&] {
             return VqsModelNodeBSLink::DeleteSoftLink(config, model.FindConfigNodeOfBSLink(Segment("SYS1", "STOCK")));
         },
         "CUSTOMER"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.step);
        vqui::ClearTranscript();
        PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full.");
        EXPECT_EQ(row.run(), 0);
        PxFaultInjection::Reset();
        EXPECT_EQ(Boxes(), std::vector<std::string>{"Cannot commit the transaction:\nThe disk is full."});
        EXPECT_TRUE(Element("SYS1", "SALES", row.stays)->ObjectPresent());
        EXPECT_NE(ElementNode(row.stays), nullptr);
        EXPECT_TRUE(Segment("SYS1", "STOCK")->ObjectPresent());
        EXPECT_EQ(Element("SYS1", "SALES", "CUSTOMER")->GetUnusedMark(), 0);
    }
}

TEST_F(LinkNodesTest, ReplacingAPackNameFollowsTheTableOfEachPlatform)
{
    const PxVQBSSoftLinkPtr segment = Segment("SYS1", "SALES");
    const PxUnixBSegOptionsPtr unix = segment->GetOptions(OptionSet("UNIXGEN"));
    const PxNTBSegOptionsPtr nt = segment->GetOptions(OptionSet("NTGEN"));
    InRepository([&] { unix->SetReorgPack("OWNPACK"); });

    sales->ReplacePackName(OptionSet("UNIXGEN"), VQHostUnix, 1, "", "NEWPATH");
    EXPECT_EQ(std::string(unix->GetObjPack()), "NEWPATH") << "an empty old name replaces the defaults";
    EXPECT_EQ(std::string(unix->GetBSExtractPack()), "NEWPATH");
    EXPECT_EQ(std::string(unix->GetReorgPack()), "OWNPACK") << "an own value is not a default";
    EXPECT_TRUE(segment->GetUpdatedFlag());

    sales->ReplacePackName(OptionSet("UNIXGEN"), VQHostUnix, 1, "OWNPACK", "");
    EXPECT_TRUE(unix->IsDefaultReorgPack()) << "an empty new name goes back to the default";

    sales->ReplacePackName(OptionSet("UNIXGEN"), VQHostUnix, 2, "", "NEWTS");
    EXPECT_EQ(std::string(unix->GetDefPack()), "NEWTS");

    sales->ReplacePackName(OptionSet("NTGEN"), VQHostNT, 2, "", "NEWFG");
    EXPECT_EQ(std::string(nt->GetDefPack()), "NEWFG") << "the Windows default pack names the initial Filegroup";
    sales->ReplacePackName(OptionSet("NTGEN"), VQHostNT, 1, "", "NTPATH");
    EXPECT_EQ(std::string(nt->GetReorgPack()), "NTPATH");
    EXPECT_EQ(std::string(nt->GetBSExtractPack()), "NTPATH");
    sales->ReplacePackName(OptionSet("NTGEN"), VQHostUnix, 1, "NTPATH", "OTHER");
    EXPECT_EQ(std::string(nt->GetReorgPack()), "NTPATH") << "options of another platform are left alone";

    CString first = "kept";
    CString second = "kept";
    sales->GetInitialPackNames(VQHostQSR, first, second);
    EXPECT_EQ(std::string(first) + std::string(second), "keptkept");
    sales->GetInitialPackNames(VQHostUnix, first, second);
    EXPECT_EQ(first, PxUnixBSegOptions::GetInitialPackName("SALES", 2));
    EXPECT_EQ(second, PxUnixBSegOptions::GetInitialPackName("SALES", 1));
}

TEST_F(LinkNodesTest, AnIspecWhoseProfileCannotGoStaysWithItsProfile)
{
    VqsModelNodeElementLink* customer = ElementNode("CUSTOMER");
    ASSERT_NE(ElementNode("CUSTBYNAME"), nullptr);
    PxFaultInjection::Throw("PxVQObject::DeleteObject", "The profile is in use.");

    EXPECT_EQ(customer->Delete(), 0);
    PxFaultInjection::Reset();

    EXPECT_TRUE(Element("SYS1", "SALES", "CUSTOMER")->ObjectPresent());
    EXPECT_TRUE(Element("SYS1", "SALES", "CUSTBYNAME")->ObjectPresent());
    EXPECT_EQ(ElementNode("CUSTOMER"), customer);
    EXPECT_EQ(Boxes().size(), 1u);

    EXPECT_EQ(customer->Delete(), 1);
    EXPECT_FALSE(Element("SYS1", "SALES", "CUSTOMER"));
    EXPECT_FALSE(Element("SYS1", "SALES", "CUSTBYNAME"));
    EXPECT_EQ(ElementNode("CUSTBYNAME"), nullptr);
}

TEST_F(LinkNodesTest, AnOutputOnlyIspecLeavesEveryBundleAndComesBackToThoseHoldingAll)
{
    sales->LoadBundles(VqsLoadCached);
    VqsModelNodeElementLink* order = ElementNode("ORDER");
    const PxVQIspecSoftLinkPtr ispec = Element("SYS1", "SALES", "ORDER");
    auto bundlesOf = [&] {
        std::vector<std::string> names;
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        ispec->GetListOfIspecBundleData(entries);
        for (POSITION pos = entries.GetHeadPosition(); pos;)
            names.emplace_back(entries.GetNext(pos)->GetBundleInformation()->GetName());
        std::sort(names.begin(), names.end());
        return names;
    };
    ASSERT_EQ(bundlesOf(), (std::vector<std::string>{"ORDERS", "WEBALL"}));
    const PxLSEElementPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES")->GetElement("ORDER");
    CStringList primaryProfiles;

    InRepository([&] { ispec->SetIspecUsage(WYR_ISPEC_USAGE_INPUT); });
    PxLSEBuilder builder(*app.GetLink());
    // The design says output only: storing the element's data takes it out of both bundles.
    InRepository([&] { builder.SetText(design, "usage", "O"); });
    EXPECT_EQ(order->AddIspecsToBundles(design, primaryProfiles), 1);
    EXPECT_EQ(ispec->GetIspecUsage(), WYR_ISPEC_USAGE_OUTPUT);
    EXPECT_TRUE(bundlesOf().empty()) << "also the bundle that lists it by name";

    InRepository([&] { builder.SetText(design, "usage", "I"); });
    EXPECT_EQ(order->AddIspecsToBundles(design, primaryProfiles), 1);
    EXPECT_EQ(bundlesOf(), std::vector<std::string>{"WEBALL"}) << "only the bundles holding every Ispec";
}

TEST_F(LinkNodesTest, ARestartFindsWhoHoldsTheSegment)
{
    VqsModelNodeBSLink* payroll = model.FindConfigNodeOfBSLink(Segment("SYS1", "PAYROLL"));
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("PAYROLL");
    const PxVQOptionSetPtr genSet = OptionSet("NTGEN");
    PxVQRecoveryInfoPtr recovery;
    InRepository([&] { recovery = System("SYS1")->CreateRecoveryInfo(genSet); });
    auto setRecovery = [&](int state, int type, int flag) {
        InRepository([&] {
            recovery->SetCurrentState(state);
            recovery->setGenerateType(type);
            recovery->SetGenerationFlag(flag);
        });
    };
    const std::string notLocked = "Cannot restart the generation:\nBusiness Segment is not locked.";
    struct Case {
        const char* what;
        int state, type, flag;
        int result;
        std::vector<std::string> boxes;
        bool held;
    } cases[] = {
        {"not locked, flag 2", 3, 2, 2, 1, {}, false},
        {"not locked, another flag", 3, 2, 0, 0, {notLocked}, false},
        {"state 8 locks again", 8, 2, 0, 1, {}, true},
        {"a bundle generation locks again", 3, 9, 0, 1, {}, true},
    };
    for (const Case& c : cases) {
        setRecovery(c.state, c.type, c.flag);
        VqsBSLock lock;
        EXPECT_EQ(payroll->LockForGeneration(1, lock, design, recovery->GetHandle()), c.result) << c.what;
        EXPECT_EQ(Boxes(), c.boxes) << c.what;
        EXPECT_EQ(lock.IsHeld() != 0, c.held) << c.what;
        vqui::ClearTranscript();
    }

    PxLSEBuilder builder(*app.GetLink());
    InRepository([&] { builder.LockBusinessSegment(design, "abc/ws12", 1); });
    setRecovery(3, 2, 0);
    VqsBSLock lock;
    EXPECT_EQ(payroll->LockForGeneration(1, lock, design, recovery->GetHandle()), 1) << "the session's own user";
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(payroll->LockForGeneration(0, lock, design, recovery->GetHandle()), 1);
    EXPECT_TRUE(lock.IsHeld()) << "a first generation locks by name";

    const PxLSEBusinessSegmentPtr stock = app.GetLSEEnterprise()->GetBusinessSegment("STOCK");
    InRepository([&] { builder.LockBusinessSegment(stock, "OTHER/ws1", 1); });
    EXPECT_EQ(payroll->LockForGeneration(1, lock, stock, recovery->GetHandle()), 0);
    EXPECT_EQ(Boxes(),
        std::vector<std::string>{"Cannot restart the generation:\nBusiness Segment is locked by another user."});
}

TEST_F(LinkNodesTest, GenerationInputKeepsTheBundleIspecsAndFindsTheReports)
{
    VqsBSLock lock;
    PxLSEBusinessSegmentPtr segment;
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    VqsDesignLinkPairList pairs;
    for (const char* name : {"CUSTOMER", "ENQUIRY", "AUDIT", "ORDER"})
        pairs.AddTail(VqcSyncPair{design->GetElement(name), Element("SYS1", "SALES", name)});
    pairs.AddTail(VqcSyncPair{design->GetElement("NOTES"), Element("SYS1", "SALES", "ORDER")});

    ASSERT_EQ(sales->FillBundleIspecs(0, lock, PxHandle(), segment, pairs), 1);

    EXPECT_TRUE(segment->IsSameOid(design));
    EXPECT_TRUE(lock.IsHeld());
    std::vector<std::string> names;
    for (POSITION pos = pairs.GetHeadPosition(); pos;)
        names.emplace_back(pairs.GetNext(pos).link->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"CUSTOMER", "ORDER"})) << "usage B or I, and the same name";

    VqsDesignLinkPairList reports;
    ASSERT_EQ(sales->FillReports(0, lock, PxHandle(), segment, reports), 1);
    names.clear();
    for (POSITION pos = reports.GetHeadPosition(); pos;)
        names.emplace_back(reports.GetNext(pos).element->GetStringProperty("name"));
    EXPECT_EQ(names, (std::vector<std::string>{"MONTHLY", "DAILY"}));
}

TEST_F(LinkNodesTest, UpdatedOptionsAreFoundOnTheSegmentOrAnElementTakenOverIntoTheBag)
{
    VqsLockBag other(VqsReadLock);
    VqsLockBag bag(VqsReadLock);
    int updated = 0;
    EXPECT_EQ(sales->LoadUpdatedElementLinks(updated, other, bag), 1);
    EXPECT_EQ(updated, 0);
    EXPECT_TRUE(bag.Contains(ElementNode("CUSTOMER"))) << "every element link is taken into the bag";

    InRepository([&] { Element("SYS1", "SALES", "MONTHLY")->SetUpdatedFlag(1); });
    VqsLockBag again(VqsReadLock);
    EXPECT_EQ(sales->LoadUpdatedElementLinks(updated, other, again), 1);
    EXPECT_EQ(updated, 1) << "the refreshed element link tells";

    InRepository([&] { Segment("SYS1", "SALES")->SetUpdatedFlag(1); });
    VqsLockBag none(VqsReadLock);
    updated = 0;
    EXPECT_EQ(sales->LoadUpdatedElementLinks(updated, other, none), 1);
    EXPECT_EQ(updated, 1);
    EXPECT_EQ(none.GetCount(), 0) << "the segment's own flag answers at once";
}

TEST_F(LinkNodesTest, DeletingSoftLinksTakesTheirNodesAlong)
{
    VqsModelNodeElementLink* customer = ElementNode("CUSTOMER");
    ASSERT_NE(ElementNode("CUSTBYNAME"), nullptr);
    const std::vector<PxOptionsPtr> customerRecords = RecordsWithNodes({Element("SYS1", "SALES", "CUSTOMER"),
                                                                       Element("SYS1", "SALES", "CUSTBYNAME")});
    ASSERT_FALSE(customerRecords.empty());
    EXPECT_EQ(customer->DeleteSoftLink(), 1);
    EXPECT_EQ(ElementNode("CUSTOMER"), nullptr);
    EXPECT_EQ(ElementNode("CUSTBYNAME"), nullptr) << "the profile placed under it goes with it";
    EXPECT_FALSE(Element("SYS1", "SALES", "CUSTBYNAME")) << "in the repository as in the model";
    for (const PxOptionsPtr& record : customerRecords)
        EXPECT_EQ(model.LookupNode(record), nullptr) << "the option nodes of its records leave the model";

    VqsModelNodeBSLink* stock = model.FindConfigNodeOfBSLink(Segment("SYS1", "STOCK"));
    PxFaultInjection::Throw("PxVQObject::DeleteObject", "The repository is read only.");
    EXPECT_EQ(VqsModelNodeBSLink::DeleteSoftLink(config, stock), 0);
    PxFaultInjection::Reset();
    EXPECT_EQ(config->FindBSLinkNode(Segment("SYS1", "STOCK")), stock);
    const std::vector<PxOptionsPtr> stockRecords =
        RecordsWithNodes({Segment("SYS1", "STOCK"), Element("SYS1", "STOCK", "CUSTOMER")});
    EXPECT_EQ(VqsModelNodeBSLink::DeleteSoftLink(config, stock), 1);
    EXPECT_FALSE(Segment("SYS1", "STOCK"));
    for (const PxOptionsPtr& record : stockRecords)
        EXPECT_EQ(model.LookupNode(record), nullptr) << "the records of the segment and of its elements";
    CObList links;
    config->GetBSLinkNodes(links);
    EXPECT_EQ(ElementNames(links), (std::vector<std::string>{"SALES", "PAYROLL"}));
}

TEST_F(LinkNodesTest, AComponentIsCollectedThroughItsOrdinateProfile)
{
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    PxLSEElementPtr element;
    CString name;
    const PxLSEElementPtr profile =
        VqsModelNodeElementLink::CollectDesignParts(design->GetElement("CUSTOMER"), element, name);
    EXPECT_TRUE(profile->IsSameOid(design->GetElement("CUSTBYNAME")));
    EXPECT_FALSE(element) << "only a profile named $... names its first ordinate's target";
    const PxLSEElementPtr report = design->GetElement("MONTHLY");
    EXPECT_TRUE(VqsModelNodeElementLink::CollectDesignParts(report, element, name)->IsSameOid(report));
}
