#include "ModelTestSupport.h"

#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsTime.h"

namespace {

struct DescriptionTest : ModelTest {
    std::string Describe(VqsModelNode* node) const { return node ? node->GetDescription().GetString() : "<no node>"; }

    // Changes made as the user would, in a transaction of the session.
    template <class Body>
    void Change(Body change)
    {
        PxVQLink& link = *app.GetLink();
        link.BeginTransaction();
        change();
        link.CommitTransaction();
    }
    PxOptionsPtr Record(const char* optionSet, const char* element) const
    {
        const PxVQOptionSetPtr set = System("SYS1")->GetCurConfig()->GetOptionSet(optionSet);
        return set->GetOptions(PxVQSoftLinkPtr(Element("SYS1", "SALES", element)));
    }
};

} // namespace

TEST_F(DescriptionTest, AHostCountsTheGenerateSetsNamingItInAnyCase)
{
    Change([&] { PxVQGenSetPtr(System("SYS2")->GetCurConfig()->GetOptionSet("NTGEN"))->SetHostName("nthost"); });
    VqsModel model;
    model.GetRootNode().LoadHosts(VqsLoadCached);
    VqsModelNodeHost* host = model.GetRootNode().FindHostNode(app.GetEnterprise()->GetHostInformation("NTHOST"));
    EXPECT_EQ(Describe(host), "Host NTHOST\r\nis used in 2 generate sets\r\n"
                              "and is found to be referenced in 1 previous configurations.");
}

TEST_F(DescriptionTest, AHostThatIsGoneShowsAsterisksAndReadsNoConfiguration)
{
    VqsModel model;
    model.GetRootNode().LoadHosts(VqsLoadCached);
    VqsModelNodeHost* host = model.GetRootNode().FindHostNode(app.GetEnterprise()->GetHostInformation("UNIXHOST"));
    DeleteAsOtherUser([](PxVQEnterprise& e) { return PxVQObjectPtr(e.GetHostInformation("UNIXHOST")); });
    PxTesting::ResetListReads();
    EXPECT_EQ(Describe(host), "Host ***\r\nis used in 0 generate sets\r\n"
                              "and is found to be referenced in 0 previous configurations.");
    EXPECT_EQ(PxTesting::ListReads(), 0);
}

TEST_F(DescriptionTest, ABusinessSegmentLinkCountsOnlyTheKindsOfChildrenItHolds)
{
    VqsModel model;
    VqsModelNodeBSLink* link = model.FindConfigNodeOfBSLink(Segment("SYS1", "SALES"));
    ASSERT_NE(link, nullptr);
    const std::string head = "Business Segment entry SALES business segment\r\nincludes ";
    const std::string tail = "\r\nand 0 of its elements contain(s) updated options.";
    EXPECT_EQ(Describe(link), head + "0 Report Generate Group(s), 0 Quorbit Bundle(s)" + tail);
    link->LoadReportGroups(VqsLoadCached);
    EXPECT_EQ(Describe(link), head + "1 Report Generate Group(s), 0 Quorbit Bundle(s)" + tail);
    link->LoadBundles(VqsLoadCached);
    EXPECT_EQ(Describe(link), head + "1 Report Generate Group(s), 2 Quorbit Bundle(s)" + tail);
}

TEST_F(DescriptionTest, AReportGroupCountsItsReportsLoadingThemWhenNeeded)
{
    VqsModel model;
    VqsModelNodeRepGroup* group = model.FindReportGroupNode(ReportGroup("SYS1", "SALES", "MONTHEND"));
    EXPECT_EQ(Describe(group), "Report GenerateGroup MONTHEND includes 2 report(s).");
}

TEST_F(DescriptionTest, ASystemCountsItsSegmentsOptionSetsAndPreviousConfigurations)
{
    VqsModel model;
    EXPECT_EQ(Describe(model.FindSystemNodeOfCurConfig(System("SYS1"))),
              "System Sample system 1 contains options \r\nfor 3 Business Segment(s)\r\nin 4 Option Set(s)\r\n"
              "and keeps 1 previous configuration(s).");
}

TEST_F(DescriptionTest, AnOptionSetCountsUpdatedSegmentAndElementRecordsAndUnusedOnes)
{
    Change([&] {
        PxNTCompOptionsPtr(Record("NTGEN", "CUSTOMER"))->SetCompPack("PK1");
        PxNTProfileOptionsPtr(Record("NTGEN", "CUSTBYNAME"))->SetPack("PK2");
        Element("SYS1", "SALES", "CUSTBYNAME")->SetUnusedMark(1);
        const PxVQOptionSetPtr set = System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
        PxBSegOptionsPtr(set->GetOptions(PxVQSoftLinkPtr(Segment("SYS1", "SALES"))))->SetAsDBase("DB1");
    });
    VqsModel model;
    VqsModelNodeOSet* set = model.FindOptionSetNode(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    const std::string expected = "Generate Set NTGEN contains updated options\r\nfor 1 Business "
                                 "Segment(s)\r\nand 2 element(s)\r\nincluding 1 unused options.";
    EXPECT_EQ(Describe(set), expected) << "from the repository";
    set->BuildOptionNodes(VqsLoadCached);
    EXPECT_EQ(Describe(set), expected) << "from the option nodes";
}

TEST_F(DescriptionTest, AnElementLinkListsEachSetOnceAndOnlyExplicitBundles)
{
    // The sample has updated options of CUSTOMER in QSRGEN and TARSKGEN.
    Change([&] {
        PxNTCompOptionsPtr(Record("NTGEN", "CUSTOMER"))->SetCompPack("PK1");
        PxNTProfileOptionsPtr(Record("NTGEN", "CUSTBYNAME"))->SetPack("PK2");
        PxUnixProfileOptionsPtr(Record("UNIXGEN", "CUSTBYNAME"))->SetPack("PK2");
    });
    VqsModel model;
    VqsModelNodeElementLink* customer = model.FindElementLinkNode(Element("SYS1", "SALES", "CUSTOMER"));
    EXPECT_EQ(Describe(customer), "Ispec CUSTOMER of SALES options has been edited in\r\n"
                                  "NTGEN, QSRGEN, TARSKGEN, UNIXGEN. "
                                  "Explicit membership exists for Bundles ORDERS.");
    VqsModelNodeElementLink* profile = model.FindElementLinkNode(Element("SYS1", "SALES", "CUSTBYNAME"));
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->GetIspecNode(), customer);
    EXPECT_EQ(Describe(profile), "Options for CUSTOMER of SALES Automatic Profile with CUSTOMER of SALES ordinate have been "
                                 "edited in\r\nNTGEN, UNIXGEN. ");
    VqsModelNodeElementLink* monthly = model.FindElementLinkNode(Element("SYS1", "SALES", "MONTHLY"));
    EXPECT_EQ(Describe(monthly), "Report MONTHLY of SALES options has been edited in\r\nno sets. ");
}

TEST_F(DescriptionTest, AliasesBundlesAndTheirEntriesNameWhatTheyHold)
{
    VqsModel model;
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    ReportGroup("SYS1", "SALES", "MONTHEND")->GetListOfReportSoftLinkAliases(aliases);
    EXPECT_EQ(Describe(model.FindRepAliasNode(aliases.GetHead())),
              "Report MONTHLY of SALES \r\nis included into Report Generate Group MONTHEND.\r\n");

    PxTypedList<PxVQBundlePtr> bundles;
    Segment("SYS1", "SALES")->GetListOfBundles(bundles);
    const PxVQBundlePtr orders = bundles.GetTail();
    EXPECT_EQ(Describe(model.FindBundleNode(orders)), "Quorbit Bundle ORDERS contains 2 Ispec(s).");
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    orders->GetListOfIspecBundleData(entries);
    EXPECT_EQ(Describe(model.FindIspecBundleDataNode(entries.GetHead())),
              "Ispec ORDER of SALES \r\nis included in Quorbit Bundle ORDERS.\r\n");
}

TEST_F(DescriptionTest, APreviousConfigurationTellsWhenAndWhereItWasGenerated)
{
    VqsModel model;
    PxTypedList<PxVQOldConfigPtr> configs;
    System("SYS1")->GetListOfOldConfigs(configs);
    const PxVQOldConfigPtr old = configs.GetHead();
    CString time;
    FormatTime64(old->GetCreatedTimeStamp(), time, "%x %X");
    EXPECT_EQ(Describe(model.FindConfigNode(old)), std::string("The system has been generated ") + time.GetString() +
                                                       "\r\nfrom Generate Set NTGEN\r\non the host NTHOST\r\n"
                                                       "as System ***\r\nand as Database ***");
}

TEST_F(DescriptionTest, ARepositoryFailureLeavesTheValuesNotYetGathered)
{
    VqsModel model;
    VqsModelNodeSystem* system = model.FindSystemNodeOfCurConfig(System("SYS1"));
    ASSERT_NE(system, nullptr);
    PxFaultInjection::Throw("PxVQSystem::CountOfOldConfigs", "The repository went away.");
    EXPECT_EQ(Describe(system), "System Sample system 1 contains options \r\nfor 0 Business Segment(s)\r\n"
                                "in 0 Option Set(s)\r\nand keeps 0 previous configuration(s).");
    PxFaultInjection::Reset();
    EXPECT_TRUE(Boxes().empty());
}
