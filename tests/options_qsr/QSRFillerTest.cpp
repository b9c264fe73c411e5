// How much of a TOLVE structure's database filler the items added since its last generation
// take: the item lists, the search for that generation, and the storage of new items.
#include "../model/ModelTestSupport.h"

#include "options_qsr/VqsQSRFiller.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "win/Clock.h"

#include <memory>

namespace {

constexpr std::int64_t kNow = 1800000000;

struct QSRFillerTest : ModelTest {
    vqclock::ManualClock clock{kNow};
    vqclock::ScopedClock clockScope{clock};

    template <class Write>
    void InRepository(Write write)
    {
        app.GetLink()->BeginTransaction();
        write();
        app.GetLink()->CommitTransaction();
    }

    // A configuration of an earlier generation of SYS1 with the option set, holding SALES
    // and, unless `withStructure` is clear, the structure's link in it.
    PxVQOldConfigPtr Generation(std::int64_t time, const char* optionSet, bool withStructure = true)
    {
        PxVQOldConfigPtr old;
        InRepository([&] {
            old = System("SYS1")->CreateOldConfig();
            old->SetGenerationTime(time);
            old->CreateOptionSet(optionSet, VQHostQSR);
            const PxVQBSSoftLinkPtr segment = old->CreateBSSoftLink("SALES");
            if (withStructure)
                segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
        });
        return old;
    }

    // The generation found for CUSTOMER from `segment` in QSRGEN, by its time; 0 for none.
    std::int64_t FoundTime(const PxVQBSSoftLinkPtr& segment)
    {
        PxVQBSSoftLinkPtr foundSegment;
        PxVQIspecSoftLinkPtr foundStructure;
        PxVQOptionSetPtr foundSet;
        if (!FindLastGenerationOfIspec(segment, "CUSTOMER", "QSRGEN", foundSegment, foundStructure, foundSet))
            return 0;
        EXPECT_EQ(foundSegment->GetName(), "SALES");
        EXPECT_EQ(foundStructure->GetName(), "CUSTOMER");
        EXPECT_EQ(foundSet->GetName(), "QSRGEN");
        return PxVQOldConfigPtr(foundSegment->GetConfig())->GetGenerationTime();
    }
};

TEST(QSRCommaListTest, AnItemIsWhatAheadOfACommaStandsWhateverItsCase)
{
    const struct {
        const char* name;
        const char* list;
        BOOL found;
    } cases[] = {
        {"Y", "X,Y,", TRUE},      {"y", "X,Y,", TRUE},   {"CUSTNAME", "custname,", TRUE},
        {"Z", "X,Y,Z", FALSE},    {"X", "", FALSE},      {"X", "XY,", FALSE},
        {"XY", "X,Y,", FALSE},    {"X", "X", FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsInCommaList(c.name, c.list), c.found) << c.name << " in \"" << c.list << '"';
}

TEST_F(QSRFillerTest, TheLatestGenerationUpToNowWithTheSameOptionSetIsFound)
{
    EXPECT_EQ(FoundTime(Segment("SYS1", "SALES")), 0) << "no earlier generation of QSRGEN";
    Generation(kNow - 300, "QSRGEN");
    Generation(kNow - 100, "QSRGEN");
    Generation(kNow + 50, "QSRGEN");
    Generation(kNow - 50, "NTGEN");
    Generation(kNow - 20, "QSRGEN", false);
    Generation(kNow - 200, "QSRGEN");
    EXPECT_EQ(FoundTime(Segment("SYS1", "SALES")), kNow - 100)
        << "later ones, other option sets and generations without the structure do not count";
}

TEST_F(QSRFillerTest, FromAnEarlierGenerationTheOneBeforeItIsFound)
{
    Generation(kNow - 300, "QSRGEN");
    const PxVQOldConfigPtr middle = Generation(kNow - 200, "QSRGEN");
    Generation(kNow - 100, "QSRGEN");
    EXPECT_EQ(FoundTime(middle->GetBSSoftLink("SALES")), kNow - 300) << "never the configuration itself";
}

TEST_F(QSRFillerTest, TwoGenerationsAtTheSameTimeGiveTheFirstListed)
{
    const PxVQOldConfigPtr first = Generation(kNow - 100, "QSRGEN");
    Generation(kNow - 100, "QSRGEN");
    PxVQBSSoftLinkPtr segment;
    PxVQIspecSoftLinkPtr structure;
    PxVQOptionSetPtr set;
    ASSERT_TRUE(FindLastGenerationOfIspec(Segment("SYS1", "SALES"), "CUSTOMER", "QSRGEN", segment, structure, set));
    EXPECT_TRUE(segment->GetConfig()->IsSameOid(first));
}

struct QSRNewItemsTest : QSRFillerTest {
    std::unique_ptr<PxLSEBuilder> builder;
    PxLSEBusinessSegmentPtr design;
    PxLSEIspecPtr ispec;
    PxVQIspecSoftLinkPtr link;

    void SetUp() override
    {
        QSRFillerTest::SetUp();
        builder = std::make_unique<PxLSEBuilder>(*app.GetLink());
        design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        InRepository([&] {
            ispec = builder->AddElement(design, "PxLSEComponent", "FILLED");
            builder->SetText(ispec, "usage", "B");
            link = Segment("SYS1", "SALES")->CreateElementSoftLink("FILLED", VQSoftLinkIspec);
        });
    }

    PxLSEElementPtr Item(const char* name, const char* edit, int length)
    {
        const PxLSEElementPtr item = builder->AddElement(design, "PxLSEDataItem", name);
        builder->SetText(item, "edit", edit);
        builder->SetNumber(item, "length", length);
        return item;
    }

    void Use(const PxLSEElementPtr& target, char usage = 'D', int memo = 0, bool keywordTerm = false)
    {
        builder->AddScreenDataUsage(ispec, target, usage, memo, keywordTerm);
    }

    void Layout(const char* items, const char* fillerItems = "")
    {
        InRepository([&] {
            link->SetIspecDataItems(items);
            link->SetIspecFillerDataItems(fillerItems);
        });
    }
};

TEST_F(QSRNewItemsTest, EachNewItemCountsByItsEditAndTheKnownOnesNotAtAll)
{
    InRepository([&] {
        Use(Item("NUM5", "N", 5));
        Use(Item("SIGNED5", "S", 5), 'B');
        Use(Item("KANJI5", "K", 5), 'O');
        Use(Item("ALPHA7", "A", 7));
        Use(Item("DATE8", "D", 8));
        const PxLSEElementPtr keyword = builder->AddElement(design, "PxLSEKeyword", "PAIR");
        builder->AddDataItemToKeyword(PxLSEKeywordPtr(keyword), PxLSEDataItemPtr(Item("PART3", "N", 3)));
        builder->AddDataItemToKeyword(PxLSEKeywordPtr(keyword), PxLSEDataItemPtr(Item("PART4", "N", 4)));
        Use(keyword);
        Use(Item("OLD", "A", 100));
        Use(Item("INFILLER", "A", 100));
        Use(Item("GLB.REPORT", "A", 100));
        Use(Item("MEMO", "A", 100), 'D', 1);
        Use(Item("TERM", "A", 100), 'D', 0, true);
        Use(Item("INPUTONLY", "A", 100), 'I');
    });
    Layout("old,GLB-REPORT,", "INFILLER,");
    EXPECT_EQ(ComputeNewItemsSize(link, Segment("SYS1", "SALES")), 3 + 4 + 10 + 7 + 4 + 7);
}

TEST_F(QSRNewItemsTest, NothingCountsWithoutALayoutOrForAStructureNotOnTheDatabase)
{
    InRepository([&] { Use(Item("NEW", "A", 9)); });
    Layout("");
    EXPECT_EQ(ComputeNewItemsSize(link, Segment("SYS1", "SALES")), 0) << "no layout yet";
    Layout("X,");
    EXPECT_EQ(ComputeNewItemsSize(link, Segment("SYS1", "SALES")), 9);
    InRepository([&] { builder->SetNumber(ispec, "externalOnlyIspec", 1); });
    EXPECT_EQ(ComputeNewItemsSize(link, Segment("SYS1", "SALES")), 0) << "external only";
    InRepository([&] {
        builder->SetNumber(ispec, "externalOnlyIspec", 0);
        builder->SetText(ispec, "usage", "I");
    });
    EXPECT_EQ(ComputeNewItemsSize(link, Segment("SYS1", "SALES")), 0) << "an input structure";
}

} // namespace
