#include "ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxVQOptionSet.h"

#include <string>
#include <utility>
#include <vector>

namespace {

struct OptionNodesTest : ModelTest {
    VqsModel model;
    VqsModelNodeBSLink* sales = nullptr;

    void SetUp() override
    {
        ModelTest::SetUp();
        model.SetEnterprise(app.GetEnterprise());
        sales = model.FindConfigNodeOfBSLink(Segment("SYS1", "SALES"));
        ASSERT_NE(sales, nullptr);
    }

    PxVQOptionSetPtr OptionSet(const char* name, const char* system = "SYS1") const
    {
        return System(system)->GetCurConfig()->GetOptionSet(name);
    }
    VqsModelNodeOSet* OptionSetNode(const char* name) { return model.FindOptionSetNode(OptionSet(name)); }
    template <class Ptr = PxOptionsPtr>
    Ptr Record(const char* optionSet, const char* element, const char* segment = "SALES") const
    {
        const PxVQSoftLinkPtr link = *element ? PxVQSoftLinkPtr(Element("SYS1", segment, element))
                                              : PxVQSoftLinkPtr(Segment("SYS1", segment));
        return Ptr(OptionSet(optionSet)->GetOptions(link));
    }
    VqsModelNodeOption* OptionNode(const char* optionSet, const char* element, const char* segment = "SALES")
    {
        return model.FindOptionNode(Record(optionSet, element, segment));
    }
    VqsModelNodeElementLink* ElementNode(const char* name)
    {
        sales->LoadElementLinks(VqsLoadCached);
        return sales->FindElementLinkNode(Element("SYS1", "SALES", name));
    }
    template <class Write>
    void InRepository(Write write)
    {
        app.GetLink()->BeginTransaction();
        write();
        app.GetLink()->CommitTransaction();
    }
    static std::vector<std::pair<std::string, int>> Listed(const VqsPackSpecList& packs)
    {
        std::vector<std::pair<std::string, int>> listed;
        for (POSITION pos = packs.GetHeadPosition(); pos;) {
            const VqsModelNode::PackSpec& spec = packs.GetNext(pos);
            listed.emplace_back(std::string(spec.name), spec.type);
        }
        return listed;
    }
    static std::vector<std::string> Replacements(const VqsBSPackReplacementList& list)
    {
        std::vector<std::string> texts;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const VqsBSPackReplacement& record = list.GetNext(pos);
            texts.push_back(std::string(record.bsSoftLink->GetName()) + " " + std::to_string(record.packKind) + " " +
                            std::to_string(record.origin) + " " + std::string(record.packName));
        }
        return texts;
    }
};

} // namespace

TEST_F(OptionNodesTest, EachKindGathersTheNodesEditedWithIt)
{
    VqsModelNodeElementLink* customer = ElementNode("CUSTOMER");
    VqsModelNodeElementLink* byName = ElementNode("CUSTBYNAME");
    VqsModelNodeElementLink* monthly = ElementNode("MONTHLY");
    VqsModelNodeElementLink* startup = ElementNode("STARTUP");
    struct Case {
        const char* optionSet;
        const char* element;
        VqsModelNodeLink* linkNode;
        std::vector<VqsModelNode*> (*expected)(OptionNodesTest&, VqsModelNodeLink*);
    };
    const Case cases[] = {
        {"NTGEN", "CUSTOMER", customer,
         [](OptionNodesTest& t, VqsModelNodeLink* link) {
             return std::vector<VqsModelNode*>{link, t.OptionNode("NTGEN", "")};
         }},
        {"QSRGEN", "CUSTOMER", customer,
         [](OptionNodesTest& t, VqsModelNodeLink* link) {
             return std::vector<VqsModelNode*>{t.sales, link, t.OptionNode("QSRGEN", "")};
         }},
        {"QSRGEN", "MONTHLY", monthly,
         [](OptionNodesTest& t, VqsModelNodeLink* link) {
             return std::vector<VqsModelNode*>{t.sales, link, t.OptionNode("QSRGEN", "")};
         }},
        {"UNIXGEN", "CUSTBYNAME", byName,
         [](OptionNodesTest& t, VqsModelNodeLink* link) {
             return std::vector<VqsModelNode*>{t.sales, link, t.ElementNode("CUSTOMER"), t.OptionNode("UNIXGEN", ""),
                                               t.OptionNode("UNIXGEN", "CUSTBYNAME")};
         }},
        {"NTGEN", "STARTUP", startup,
         [](OptionNodesTest&, VqsModelNodeLink* link) { return std::vector<VqsModelNode*>{link}; }},
        {"QSRGEN", "STARTUP", startup,
         [](OptionNodesTest&, VqsModelNodeLink*) { return std::vector<VqsModelNode*>{}; }},
        {"TARSKGEN", "", sales,
         [](OptionNodesTest& t, VqsModelNodeLink*) { return std::vector<VqsModelNode*>{t.sales}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.optionSet) + " " + c.element);
        VqsModelNodeOption* option = OptionNode(c.optionSet, c.element);
        ASSERT_NE(option, nullptr);
        CObList nodes;
        EXPECT_EQ(option->CollectEditNodes(nodes, c.linkNode), 1);
        std::vector<VqsModelNode*> gathered;
        for (POSITION pos = nodes.GetHeadPosition(); pos;)
            gathered.push_back(static_cast<VqsModelNode*>(nodes.GetNext(pos)));
        EXPECT_EQ(gathered, c.expected(*this, c.linkNode));
    }
}

TEST_F(OptionNodesTest, AnElementTargetLocksTheOptionSetBeforeTheRecord)
{
    VqsModelNodeOption* option = OptionNode("NTGEN", "CUSTOMER");
    ASSERT_NE(option, nullptr);
    {
        VqsLockBag bag(VqsReadLock);
        EXPECT_EQ(option->LockPath(bag, PxVQObjectPtr(Element("SYS1", "SALES", "CUSTOMER"))), 1);
        EXPECT_TRUE(bag.Contains(option->GetOptionSetNode()));
        EXPECT_EQ(bag.GetCount(), 2);
    }
    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(option->LockPath(bag, PxVQObjectPtr(Segment("SYS1", "SALES"))), 1);
    EXPECT_FALSE(bag.Contains(option->GetOptionSetNode()));
    EXPECT_EQ(bag.GetCount(), 1);

    VqsLockBag forSegment(VqsReadLock);
    VqsModelNodeOSet* optionSet = OptionSetNode("NTGEN");
    EXPECT_EQ(optionSet->LockPath(forSegment, PxVQObjectPtr(Segment("SYS1", "PAYROLL"))), 1);
    EXPECT_FALSE(forSegment.Contains(option)) << "only the records of that segment";
    EXPECT_TRUE(forSegment.Contains(OptionNode("NTGEN", "CUSTOMER", "PAYROLL")));
}

TEST_F(OptionNodesTest, TheRecordsNameTheirPacksInOrder)
{
    const PxQSRBSegOptionsPtr qsr = Record<PxQSRBSegOptionsPtr>("QSRGEN", "");
    const PxNTBSegOptionsPtr nt = Record<PxNTBSegOptionsPtr>("NTGEN", "");
    InRepository([&] {
        qsr->SetDefPack("QDEF");
        qsr->SetKORAXpack("KPACK");
        qsr->SetPackMapping("  FROM1 TO1\tFROM2  TO2 ");
        nt->SetDefPack("");
        nt->SetReorgPack("");
        PxNTReportOptionsPtr(Record("NTGEN", "MONTHLY"))->SetExtractPack("EXTRACTS");
        PxUnixProfileOptionsPtr(Record("UNIXGEN", "CUSTBYNAME"))->SetPack("PROFILES");
    });
    struct Case {
        const char* optionSet;
        const char* element;
        std::vector<std::pair<std::string, int>> packs;
    } cases[] = {
        {"QSRGEN", "", {{"QDEF", 0}, {"KPACK", 0}, {"FROM1", 0}, {"FROM2", 0}}},
        {"NTGEN", "", {{"", 2}, {"SALESPATH", 1}}},
        {"NTGEN", "MONTHLY", {{"EXTRACTS", 1}}},
        {"QSRGEN", "MONTHLY", {}},
        {"UNIXGEN", "CUSTBYNAME", {{"PROFILES", 2}}},
        {"NTGEN", "EVENT", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.optionSet) + " " + c.element);
        VqsPackSpecList packs;
        OptionNode(c.optionSet, c.element)->CollectPacks(packs);
        EXPECT_EQ(Listed(packs), c.packs);
    }

    VqsPackSpecList ofSegment;
    VqsModelNodeOSet* unix = OptionSetNode("UNIXGEN");
    unix->BuildOptionNodes(VqsLoadCached);
    unix->CollectPacks(ofSegment, Segment("SYS1", "PAYROLL"));
    for (const auto& [name, type] : Listed(ofSegment))
        EXPECT_EQ(name.find("SALES"), std::string::npos) << name;
    VqsPackSpecList all;
    unix->CollectPacks(all, PxVQBSSoftLinkPtr());
    EXPECT_GT(all.GetCount(), ofSegment.GetCount());
}

TEST_F(OptionNodesTest, AnUpdatedElementPackIsListedOncePerSegmentAndReplacedInTheElementsOnly)
{
    InRepository([&] {
        for (const char* segment : {"SALES", "PAYROLL"}) {
            for (const char* element : {"CUSTOMER", "ORDER"})
                Record<PxCompOptionsPtr>("NTGEN", element, segment)->SetCompPack("oldfg");
        }
        Record<PxReportOptionsPtr>("NTGEN", "MONTHLY")->SetExtractPack("OLDPATH");
    });
    VqsModelNodeOSet* nt = OptionSetNode("NTGEN");
    nt->BuildOptionNodes(VqsLoadCached);
    VqsBSPackReplacementList list;
    nt->CollectElementPacks(0, list, Segment("SYS1", "SALES"));
    nt->CollectElementPacks(0, list, Segment("SYS1", "PAYROLL"));
    EXPECT_EQ(Replacements(list),
              (std::vector<std::string>{"SALES 2 0 oldfg", "SALES 1 0 OLDPATH", "PAYROLL 2 0 oldfg"}));

    VqsBSPackReplacementList replacements;
    replacements.AddTail(VqsBSPackReplacement{Segment("SYS1", "SALES"), 2, 0, "oldfg", "NEWFG"});
    replacements.AddTail(VqsBSPackReplacement{Segment("SYS1", "SALES"), 2, 0, "SALESFG", "NEWDEF"});
    nt->ApplyPackReplacements(replacements);

    EXPECT_EQ(std::string(Record<PxCompOptionsPtr>("NTGEN", "ORDER")->GetCompPack()), "NEWFG");
    EXPECT_EQ(std::string(Record<PxCompOptionsPtr>("NTGEN", "ORDER", "PAYROLL")->GetCompPack()), "oldfg");
    EXPECT_EQ(std::string(Record<PxBSegOptionsPtr>("NTGEN", "")->GetDefPack()), "SALESFG")
        << "the segment's own options are not the elements'";
    EXPECT_EQ(std::string(Record<PxReportOptionsPtr>("NTGEN", "MONTHLY")->GetExtractPack()), "OLDPATH");
}

TEST_F(OptionNodesTest, MovingASegmentToUnixListsItsChangedPacksAndTheInitialOnes)
{
    const PxNTBSegOptionsPtr nt = Record<PxNTBSegOptionsPtr>("NTGEN", "");
    InRepository([&] {
        nt->SetReorgPack("MYREORG");
        nt->SetLogPack("MYLOG");
        Record<PxCompOptionsPtr>("NTGEN", "CUSTOMER")->SetCompPack("CUSTFG");
    });
    const std::string path(PxUnixBSegOptions::GetInitialPackName("SALES", 1));
    const std::string tablespace(PxUnixBSegOptions::GetInitialPackName("SALES", 2));
    struct Case {
        const char* what;
        int target;
        PxVQOptionSetPtr optionSet;
        std::vector<std::string> listed;
    } cases[] = {
        {"to Unix",
         VQHostUnix,
         OptionSet("NTGEN"),
         {"SALES 1 0 MYREORG", "SALES 1 0 MYREORG", "SALES 1 0 MYLOG", "SALES 2 1 " + tablespace, "SALES 2 0 CUSTFG"}},
        {"without an option set", VQHostUnix, PxVQOptionSetPtr(), {"SALES 1 1 " + path, "SALES 2 2 " + tablespace}},
        {"to Windows", VQHostNT, OptionSet("UNIXGEN"),
         {"SALES 2 1 " + std::string(PxNTBSegOptions::GetInitialPackName("SALES", 2))}},
        {"to the same platform", VQHostNT, OptionSet("NTGEN"), {}},
        {"to QSR", VQHostQSR, OptionSet("NTGEN"), {}},
    };
    for (const Case& c : cases) {
        VqsBSPackReplacementList list;
        sales->CollectBSegPackReplacements(c.target, c.optionSet, list);
        EXPECT_EQ(Replacements(list), c.listed) << c.what;
    }
}

TEST_F(OptionNodesTest, QSRIspecsGetTheirSubsystemNumbersInsideATransaction)
{
    PxLSEBuilder builder(*app.GetLink());
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    InRepository([&] {
        builder.SetText(design->GetElement("ORDER"), "subsystem", "QUERY");
        builder.SetText(design->GetElement("NOTES"), "subsystem", "ROC");
        builder.SetText(design->GetElement("AUDIT"), "subsystem", "NOWHERE");
        builder.SetText(app.GetLSEEnterprise()->GetBusinessSegment("PAYROLL")->GetElement("ORDER"), "subsystem", "ROC");
    });
    auto number = [&](const char* element) {
        return std::string(Record<PxQSRIspecOptionsPtr>("QSRGEN", element)->GetSubsystemNum());
    };
    VqsModelNodeOSet* qsr = OptionSetNode("QSRGEN");
    InRepository([&] { Record<PxQSRIspecOptionsPtr>("QSRGEN", "AUDIT")->SetSubsystemNum("9"); });

    qsr->BuildOptionNodes(VqsLoadReread);
    EXPECT_EQ(number("CUSTOMER"), "1") << "outside a transaction only nodes are made";

    InRepository([&] { qsr->BuildOptionNodes(VqsLoadReread); });
    EXPECT_EQ(number("CUSTOMER"), "2") << "no subsystem: the first number no subsystem carries";
    EXPECT_EQ(number("EVENT"), "2");
    EXPECT_EQ(number("ORDER"), "A") << "QUERY whatever its own number";
    EXPECT_EQ(number("NOTES"), "C");
    EXPECT_EQ(number("AUDIT"), "9") << "a subsystem no number names leaves the record alone";
    EXPECT_EQ(std::string(Record<PxQSRIspecOptionsPtr>("QSRGEN", "ORDER", "PAYROLL")->GetSubsystemNum()), "C")
        << "each record is looked up in its own segment";

    const PxVQGenSetPtr templateSet = OptionSet("QSRGEN", "SYS2");
    InRepository([&] {
        PxQSRIspecOptionsPtr(templateSet->GetOptions(PxVQSoftLinkPtr(
                                 System("SYS2")->GetCurConfig()->GetBSSoftLink("SALES")->GetElementSoftLink("ORDER"))))
            ->SetSubsystemNum("7");
        for (const char* segment : {"SALES", "PAYROLL", "STOCK"}) {
            const PxVQBSSoftLinkPtr link = System("SYS2")->GetCurConfig()->GetBSSoftLink(segment);
            templateSet->GetOptions(PxVQSoftLinkPtr(link->GetElementSoftLink("NOTES")))->DeleteObject();
        }
    });
    InRepository([&] { qsr->BuildOptionNodes(VqsLoadReread, templateSet); });
    EXPECT_EQ(number("ORDER"), "7") << "the template's record of the element";
    EXPECT_EQ(number("NOTES"), "C") << "the template does not name it: unchanged";
}

TEST_F(OptionNodesTest, DeletingTheOnlySetWithUpdatedOptionsClearsTheLink)
{
    const PxVQElementSoftLinkPtr monthly = Element("SYS1", "SALES", "MONTHLY");
    const PxVQElementSoftLinkPtr daily = Element("SYS1", "SALES", "DAILY");
    const PxVQElementSoftLinkPtr byDate = Element("SYS1", "SALES", "ORDBYDATE");
    InRepository([&] {
        Record<PxReportOptionsPtr>("NTGEN", "MONTHLY")->SetExtractPack("X");
        Record<PxReportOptionsPtr>("NTGEN", "DAILY")->SetExtractPack("X");
        Record<PxReportOptionsPtr>("UNIXGEN", "DAILY")->SetExtractPack("Y");
        Record<PxProfileOptionsPtr>("NTGEN", "ORDBYDATE")->SetPack("X");
        for (const PxVQElementSoftLinkPtr& link : {monthly, daily, byDate})
            link->SetUpdatedFlag(1);
        byDate->SetUnusedMark(1);
    });

    EXPECT_TRUE(OptionSetNode("NTGEN")->DeleteNode());

    EXPECT_FALSE(OptionSet("NTGEN"));
    EXPECT_FALSE(monthly->GetUpdatedFlag()) << "its only updated options went with the set";
    EXPECT_TRUE(daily->GetUpdatedFlag()) << "another set still holds its updated options";
    EXPECT_FALSE(byDate->ObjectPresent()) << "a link no longer in use goes";
    EXPECT_EQ(ElementNode("ORDBYDATE"), nullptr);
    EXPECT_EQ(model.LookupNode(OptionSet("UNIXGEN")), model.FindOptionSetNode(OptionSet("UNIXGEN")));
}

TEST_F(OptionNodesTest, AnOptionSetNameIsUsedWhenAnotherSetCarriesIt)
{
    VqsModelNodeConfig* config = sales->GetConfigNode();
    VqsModelNodeOSet* nt = OptionSetNode("NTGEN");
    struct Case {
        bool longNames;
        const char* name;
        const char* shortName;
        const VqsModelNodeOSet* skip;
        bool nameUsed;
        bool shortNameUsed;
    } cases[] = {
        {true, "New set", "ntgen", nullptr, false, true},
        {true, "New set", "ntgen", nt, false, false},
        {false, "UnixGen", "", nullptr, true, false},
        {false, "NEWGEN", "NTGEN", nullptr, false, false},
    };
    for (const Case& c : cases) {
        app.SetAllowLongNames(c.longNames);
        bool nameUsed = true;
        bool shortNameUsed = true;
        config->IsOptionSetNameUsed(c.name, nameUsed, c.shortName, shortNameUsed, c.skip);
        EXPECT_EQ(nameUsed, c.nameUsed) << c.name << " " << c.shortName;
        EXPECT_EQ(shortNameUsed, c.shortNameUsed) << c.name << " " << c.shortName;
    }
}
