#include "support/SampleRepository.h"

#include "proxy/PxBSegOptions.h"
#include "proxy/PxCompOptions.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQSystem.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace {

template <class List>
std::string Names(List& list)
{
    std::string names;
    for (POSITION position = list.GetHeadPosition(); position;) {
        if (!names.empty())
            names += ' ';
        names += list.GetNext(position)->GetAttributeText("name").GetString();
    }
    return names;
}

class RepoSampleTest : public ::testing::Test {
protected:
    RepoSampleTest() : m_link(std::make_unique<PxVQLink>())
    {
        m_link->AttachSession(m_sample.Path().c_str(), "tester/dev", nullptr);
        m_enterprise = m_link->GetLVQEnterprise();
    }

    PxVQCurConfigPtr FirstConfig() const { return m_enterprise->GetSystem("SYS1")->GetCurConfig(); }

    vqtest::SampleRepository m_sample{vqrepo::SampleScale{}};
    std::unique_ptr<PxVQLink> m_link;
    PxVQEnterprisePtr m_enterprise;
};

TEST_F(RepoSampleTest, TheSampleAnswersItsListsInRepositoryOrder)
{
    PxTypedList<PxVQSystemPtr> systems;
    m_enterprise->GetListOfSystems(systems);
    EXPECT_EQ(Names(systems), "SYS1 SYS2 SYS3 SYS4 SYS5 SYS6");
    PxTypedList<PxVQHostInformationPtr> hosts;
    m_enterprise->GetListOfHostInformations(hosts);
    EXPECT_EQ(Names(hosts), "NTHOST QSRHOST TARSKHOST UNIXHOST");
    std::set<int> hostTypes;
    for (POSITION position = hosts.GetHeadPosition(); position;)
        hostTypes.insert(hosts.GetNext(position)->GetHostType());
    EXPECT_EQ(hostTypes, (std::set<int>{0, 1, 2, 3}));
    PxTypedList<PxVQPackInformationPtr> packs;
    m_enterprise->GetListOfPackInformations(packs);
    EXPECT_EQ(packs.GetCount(), 10);
    EXPECT_EQ(packs.GetHead()->GetName(), "SALESPATH");

    PxTypedList<PxVQBSSoftLinkPtr> segments;
    FirstConfig()->GetListOfBSSoftLinks(segments);
    EXPECT_EQ(Names(segments), "SALES");
    PxTypedList<PxVQOptionSetPtr> sets;
    FirstConfig()->GetListOfOptionSets(sets);
    EXPECT_EQ(Names(sets), "NTGEN QSRGEN TARSKGEN UNIXGEN");
    PxTypedList<PxVQElementSoftLinkPtr> elements;
    segments.GetHead()->GetListOfElementSoftLinks(elements);
    EXPECT_EQ(Names(elements),
              "EVENT CUSTOMER ORDER NOTES AUDIT ENQUIRY CUSTBYNAME ORDBYDATE MONTHLY DAILY STARTUP CALCTAX");

    PxTypedList<PxLSEBusinessSegmentPtr> designSegments;
    m_link->GetLSEEnterprise()->GetBSList(designSegments);
    EXPECT_EQ(Names(designSegments), "SALES PAYROLL STOCK");
    EXPECT_EQ(m_link->GetLSEEnterprise()->GetAllowLongNames(), 1);
}

TEST_F(RepoSampleTest, EveryLinkHasOneRecordPerOptionSet)
{
    PxTypedList<PxVQBSSoftLinkPtr> segments;
    FirstConfig()->GetListOfBSSoftLinks(segments);
    for (POSITION position = segments.GetHeadPosition(); position;) {
        PxVQBSSoftLinkPtr segment = segments.GetNext(position);
        PxTypedList<PxOptionsPtr> records;
        segment->GetAllOptions(records);
        EXPECT_EQ(records.GetCount(), 4);
        PxTypedList<PxVQElementSoftLinkPtr> elements;
        segment->GetListOfElementSoftLinks(elements);
        for (POSITION at = elements.GetHeadPosition(); at;) {
            elements.GetNext(at)->GetAllOptions(records);
            EXPECT_EQ(records.GetCount(), 4);
        }
    }
}

TEST_F(RepoSampleTest, LinksCarryTheDesignData)
{
    PxVQBSSoftLinkPtr sales = FirstConfig()->GetBSSoftLink("SALES");
    EXPECT_EQ(sales->GetLanguage(1), "ENGLISH");
    EXPECT_EQ(sales->GetPrimaryLanguageSlot(), 1);
    EXPECT_EQ(sales->GetSubsystemName("A"), "QUERY");
    EXPECT_EQ(sales->GetSysUseROC(), 1);
    EXPECT_EQ(sales->GetGuidBlob().size(), 48u);

    PxVQIspecSoftLinkPtr event = sales->GetElementSoftLink("EVENT");
    EXPECT_EQ(event->GetIspecType(), 0);
    EXPECT_EQ(event->GetGuidBlob().size(), 96u);
    EXPECT_EQ(PxVQIspecSoftLinkPtr(sales->GetElementSoftLink("ORDER"))->GetIspecType(), 3);
    EXPECT_EQ(PxVQIspecSoftLinkPtr(sales->GetElementSoftLink("ORDER"))->GetIspecUsage(), WYR_ISPEC_USAGE_INPUT);
    EXPECT_EQ(PxVQIspecSoftLinkPtr(sales->GetElementSoftLink("ENQUIRY"))->GetIspecType(), 5);
    PxVQProfileSoftLinkPtr byName = sales->GetElementSoftLink("CUSTBYNAME");
    EXPECT_EQ(byName->GetOrdinateName(), "CUSTOMER");
    EXPECT_EQ(byName->GetPrimary(), 1);
    EXPECT_TRUE(byName->GetComponent()->IsSameOid(sales->GetElementSoftLink("CUSTOMER")));
    EXPECT_EQ(PxVQProfileSoftLinkPtr(sales->GetElementSoftLink("ORDBYDATE"))->GetOverEvent(), 1);
    EXPECT_EQ(PxVQReportSoftLinkPtr(sales->GetElementSoftLink("MONTHLY"))->GetFastLoad(), 1);
    EXPECT_FALSE(sales->GetElementSoftLink("INITDB"));

    PxQSRBSegOptionsPtr qsr = sales->GetOptions(FirstConfig()->GetOptionSet("QSRGEN"));
    ASSERT_TRUE(qsr);
    EXPECT_EQ(qsr->GetBSFColor(), PxBColorWhite);
    EXPECT_TRUE(qsr->IsUpdatedBSFColor());
    PxBSegOptionsPtr unix = sales->GetOptions(FirstConfig()->GetOptionSet("UNIXGEN"));
    EXPECT_EQ(unix->GetDefPack(), "SALESTS");
    EXPECT_TRUE(m_enterprise->GetPackInformation("SALESTS"));
}

TEST_F(RepoSampleTest, ReportGroupsBundlesAndPackAssociationsAreThere)
{
    PxVQBSSoftLinkPtr sales = FirstConfig()->GetBSSoftLink("SALES");
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    sales->GetReportGroup("MONTHEND")->GetListOfReportSoftLinkAliases(aliases);
    ASSERT_EQ(aliases.GetCount(), 2);
    EXPECT_EQ(aliases.GetHead()->GetGenerateAs(), "MONTHLY1");
    EXPECT_EQ(aliases.GetHead()->GetSoftLink()->GetName(), "MONTHLY");

    PxTypedList<PxVQBundlePtr> bundles;
    sales->GetListOfBundles(bundles);
    ASSERT_EQ(Names(bundles), "WEBALL ORDERS");
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    bundles.GetHead()->GetListOfIspecBundleData(entries);
    std::string ispecs;
    for (POSITION position = entries.GetHeadPosition(); position;)
        ispecs += std::string(entries.GetNext(position)->GetIspecInformation()->GetName()) + " ";
    EXPECT_EQ(ispecs, "EVENT CUSTOMER ORDER NOTES ENQUIRY ");

    PxTypedList<PxVQHostPackDataPtr> data;
    m_enterprise->GetPackInformation("SALESPATH")->GetListOfHostPackData(data);
    ASSERT_EQ(data.GetCount(), 4);
    EXPECT_EQ(data.GetHead()->GetPackAssociationNT()->GetPath(), "/vq/nt/sales");
    EXPECT_EQ(data.GetTail()->GetPackAssociationUnix()->GetPath(), "/vq/unix/sales");
    EXPECT_EQ(m_enterprise->GetSystem("SYS1")->CountOfOldConfigs(), 1);
    EXPECT_TRUE(m_link->GetLSEEnterprise()->GetLockedObject(m_link->GetLSEEnterprise()->GetBusinessSegment("SALES")));
}

TEST(RepoSampleScaleTest, TheScaleAddsSystemsSegmentsAndElements)
{
    vqtest::SampleRepository sample(vqrepo::SampleScale{3, 4, 10});
    PxVQLink link;
    link.AttachSession(sample.Path().c_str(), "tester", nullptr);
    PxTypedList<PxVQSystemPtr> systems;
    link.GetLVQEnterprise()->GetListOfSystems(systems);
    ASSERT_EQ(systems.GetCount(), 3 * 4);
    // Each segment has three systems of its own, each configuration one segment.
    std::string taken;
    for (POSITION position = systems.GetHeadPosition(); position;) {
        PxTypedList<PxVQBSSoftLinkPtr> segments;
        systems.GetNext(position)->GetCurConfig()->GetListOfBSSoftLinks(segments);
        taken += (taken.empty() ? "" : " ") + Names(segments);
    }
    EXPECT_EQ(taken, "SALES SALES SALES PAYROLL PAYROLL PAYROLL STOCK STOCK STOCK SEG004 SEG004 SEG004");
    PxTypedList<PxLSEElementPtr> elements;
    link.GetLSEEnterprise()->GetBusinessSegment("SEG004")->GetElementList(elements);
    EXPECT_EQ(elements.GetCount(), 16 + 10);
}

TEST(RepoSampleScaleTest, AScaleIsThreeWholeNumbersAndNothingElse)
{
    struct Case {
        const char* text;
        bool read;
        int systems, segments, elements;
    };
    const Case cases[] = {
        {"100,20,500", true, 100, 20, 500}, {"1,1,0", true, 1, 1, 0},   {"0,1,0", false, 9, 9, 9},
        {"1,0,0", false, 9, 9, 9},          {"1,1,-1", false, 9, 9, 9}, {"1,2,3x", false, 9, 9, 9},
        {"1,2", false, 9, 9, 9},            {"1,,3", false, 9, 9, 9},   {"1,2,99999999999", false, 9, 9, 9},
        {"", false, 9, 9, 9},
        // Within the largest sample: each factor and the element links of all configurations.
        {"1000,1,0", true, 1000, 1, 0},     {"1001,1,0", false, 9, 9, 9}, {"1,1000,0", true, 1, 1000, 0},
        {"1,1001,0", false, 9, 9, 9},       {"1,1,100000", true, 1, 1, 100000},
        {"1,1,100001", false, 9, 9, 9},     {"2147483647,1,1", false, 9, 9, 9},
        {"1,1,100000000", false, 9, 9, 9},  {"125,1000,0", true, 125, 1000, 0},
        {"126,1000,0", false, 9, 9, 9},     {"19,1,100000", true, 19, 1, 100000},
        {"20,1,100000", false, 9, 9, 9},
    };
    for (const Case& row : cases) {
        vqrepo::SampleScale scale{9, 9, 9};
        EXPECT_EQ(vqrepo::ParseSampleScale(row.text, scale), row.read) << row.text;
        EXPECT_EQ(scale.systems, row.systems) << row.text;
        EXPECT_EQ(scale.segments, row.segments) << row.text;
        EXPECT_EQ(scale.elementsPerSegment, row.elements) << row.text;
    }
}

} // namespace

TEST_F(RepoSampleTest, TheSecondSystemsGenerateSetsHoldChangedPacks)
{
    const PxVQCurConfigPtr config = m_enterprise->GetSystem("SYS2")->GetCurConfig();
    const PxVQBSSoftLinkPtr sales = config->GetBSSoftLink("SALES");
    const PxCompOptionsPtr customer = sales->GetElementSoftLink("CUSTOMER")->GetOptions(config->GetOptionSet("NTGEN"));
    EXPECT_EQ(customer->GetCompPack(), "ORDERSFG");
    EXPECT_FALSE(m_enterprise->GetPackInformation("ORDERSFG")) << "a pack the enterprise lacks";
    const PxReportOptionsPtr monthly = sales->GetElementSoftLink("MONTHLY")->GetOptions(config->GetOptionSet("NTGEN"));
    EXPECT_EQ(monthly->GetExtractPack(), "REPORTSPATH");
    const PxUnixBSegOptionsPtr unix = sales->GetOptions(config->GetOptionSet("UNIXGEN"));
    EXPECT_EQ(unix->GetReorgPack(), "SALESREORG");
    const PxQSRBSegOptionsPtr qsr = sales->GetOptions(config->GetOptionSet("QSRGEN"));
    EXPECT_EQ(qsr->GetPackMapping(), "OLDDB SALESDB OLDLOG SALESLOG");
    for (const char* element : {"CUSTOMER", "MONTHLY", "ORDBYDATE"})
        EXPECT_TRUE(sales->GetElementSoftLink(element)->GetUpdatedFlag()) << element;
    EXPECT_TRUE(sales->GetUpdatedFlag());
    EXPECT_FALSE(FirstConfig()->GetBSSoftLink("SALES")->GetUpdatedFlag()) << "the first system keeps its defaults";
}
