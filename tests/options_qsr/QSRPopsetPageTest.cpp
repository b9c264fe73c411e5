// The Internal TOLVE page of a QSR business segment: the population grid of the internal
// structures and its defaults, which follow the Default TOLVE and Pack Allocation pages.
#include "QSRListPagesSupport.h"

#include "options_qsr/VqsOptionPageQSRBSegPopset.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"

using namespace optionstest;

namespace {

constexpr UINT kDefaultTolvePage = 5;
constexpr UINT kInternalTolvePage = 11;

constexpr int kInternal = 1787;
constexpr int kRoc = 1788;
constexpr int kAdhoc = 1792;
constexpr int kGlimmerdesk = 1796;
constexpr int kStructure = 1793;
constexpr int kPopulation = 1784;
constexpr int kPopulationDefault = 1798;
constexpr int kGrid = 1805;
constexpr int kDefaultPopulationIncrease = 1449;

constexpr int kCritic = 1;
constexpr int kDialogInfo = 3;
constexpr int kScl = 24;

struct QSRPopsetTest : QSRBSegSheetTest {
    Strings Rows() { return ListRows(Dialog(), kGrid, 5); }

    VqsOptionPageQSRBSegPopset& Page()
    {
        return dynamic_cast<VqsOptionPageQSRBSegPopset&>(*Dialog().GetSheet()->GetActivePage());
    }

    // The colour the grid draws a text in.
    COLORREF DrawnColour(const char* text)
    {
        HWND grid = PageItem(Dialog(), kGrid);
        ::InvalidateRect(grid, nullptr, TRUE);
        ::UpdateWindow(grid);
        const vqwin::DisplayOp* drawn = vqwin::GetWindowDisplayList(grid)->FindText(text);
        EXPECT_TRUE(drawn) << text;
        return drawn ? drawn->color : RGB(1, 2, 3);
    }
};

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlack = RGB(0, 0, 0);

} // namespace

TEST_F(QSRPopsetTest, ValuesAtTheirDefaultsAreGreyAndOnlyAChangedValueIsStored)
{
    Write([&] { Stored()->SetPopulationTOLVE(kCritic, 3000); });
    Session(kInternalTolvePage, [&] {
        const Strings rows = Rows();
        ASSERT_EQ(rows.size(), 5U);
        EXPECT_EQ(rows[0].substr(0, 15), "GLB-HUB|100000|");
        EXPECT_EQ(DrawnColour("100000"), kGrey);
        EXPECT_EQ(DrawnColour("3000"), kBlack);
        EXPECT_EQ(Page().GetGrid().GetMark(1, 1), 0);
        EXPECT_EQ(Page().GetGrid().GetMark(0, 0), 0) << "names are never marked";

        Choose(kStructure, "GLB-CRITIC");
        EXPECT_FALSE(Checked(kPopulationDefault));
        Type(kPopulation, "2500");
        EXPECT_EQ(Rows()[1].substr(0, 16), "GLB-CRITIC|2500|");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPopulationTOLVE(kCritic), 2500);
    for (int i = 0; i < VqsOptionPageQSRBSegPopset::kStructures; ++i) {
        if (i != kCritic) {
            EXPECT_FALSE(Stored()->IsUpdatedPopulationTOLVE(i)) << i;
        }
        EXPECT_FALSE(Stored()->IsUpdatedPopuIncreaseTOLVE(i)) << i;
        EXPECT_FALSE(Stored()->IsUpdatedPopulationPack(i)) << i;
    }
}

TEST_F(QSRPopsetTest, ThePopulationOfDialogInfoStopsAtItsLargest)
{
    Session(kInternalTolvePage, [&] {
        Choose(kStructure, "GLB-DIALOGINFO");
        Click(kPopulationDefault);
        Type(kPopulation, "199601");
        Answer("Please enter an integer in the range of 0 to 199600.", IDOK);
        ApplyNow();
        Type(kPopulation, "199600");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPopulationTOLVE(kDialogInfo), 199600);
}

TEST_F(QSRPopsetTest, CategoriesAreOfferedWhenTheSegmentUsesThem)
{
    PxLSEBuilder builder(*app.GetLink());
    const struct {
        int used;
    } cases[] = {{0}, {1}};
    for (const auto& c : cases) {
        Write([&] {
            builder.SetNumber(app.GetLSEEnterprise()->GetBusinessSegment("SALES"), "rocRequired", c.used);
            Stored()->SetAdhocInqReq(c.used);
            Stored()->SetPCEcap(c.used);
        });
        Session(kInternalTolvePage, [&] {
            EXPECT_TRUE(Enabled(kInternal));
            for (int id : {kRoc, kAdhoc, kGlimmerdesk})
                EXPECT_EQ(Enabled(id), c.used) << id;
        });
    }
}

// A value that equals its default is stored as the default: the structure follows the
// default from then on.
TEST_F(QSRPopsetTest, ANewDefaultIncreaseMovesEveryStructureThatHadTheOldOne)
{
    Write([&] {
        Stored()->SetPopulationIncrease(10);
        Stored()->SetPopuIncreaseTOLVE(0, 10);
        Stored()->SetPopuIncreaseTOLVE(kCritic, 7);
    });
    Session(kInternalTolvePage, [&] {
        ShowTab(kDefaultTolvePage);
        Type(kDefaultPopulationIncrease, "12");
        ShowTab(kInternalTolvePage);
        const Strings rows = Rows();
        EXPECT_EQ(rows[0], "GLB-HUB|100000|12|0|");
        EXPECT_EQ(rows[1], "GLB-CRITIC|2048|7|0|");
        EXPECT_EQ(rows[2], "GLB-SECURITY|20000|12|0|");
        EXPECT_EQ(Page().GetGrid().GetMark(0, 2), 1);
        EXPECT_EQ(Page().GetGrid().GetMark(1, 2), 0);
        EXPECT_TRUE(Enabled(kApplyNow)) << "a moved value of its own is to be stored";
        ShowTab(kDefaultTolvePage);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPopulationIncrease(), 12);
    EXPECT_TRUE(Stored()->IsDefaultPopuIncreaseTOLVE(0));
    EXPECT_EQ(Stored()->GetPopuIncreaseTOLVE(0), 12);
    EXPECT_EQ(Stored()->GetPopuIncreaseTOLVE(kCritic), 7);
}

TEST_F(QSRPopsetTest, ANewDatabasePackMovesTheStructuresThatTakeItButNotTheOthers)
{
    Write([&] {
        Stored()->SetDBPack("OLDDB");
        Stored()->SetROCoutput("ROCPK");
        Stored()->SetPCEcap(1);
        Stored()->SetPopulationPack(kScl, "OWNPK");
    });
    Session(kInternalTolvePage, [&] {
        EXPECT_EQ(Rows()[0], "GLB-HUB|100000|0|0|OLDDB");
        Sheet().SetPopsetDBPack("NEWDB");
        for (const std::string& row : Rows())
            EXPECT_EQ(row.substr(row.size() - 5), "NEWDB") << row;
        Click(kGlimmerdesk);
        const Strings glimmerdesk = Rows();
        ASSERT_EQ(glimmerdesk.size(), 5U);
        EXPECT_EQ(glimmerdesk[0], "GLB-WDP-WCF|50000|0|0|NEWDB");
        EXPECT_EQ(glimmerdesk[4], "GLB-WDP-SCL|10000|0|0|OWNPK");
        Choose(kStructure, "GLB-WDP-SCL");
        Click(kPopulationDefault);
        Type(kPopulation, "20000");
        Click(kRoc);
        EXPECT_EQ(Rows()[0], "ROC-H|800|0|0|ROCPK");
        ApplyNow();
    });
    EXPECT_FALSE(Stored()->IsUpdatedPopulationPack(0)) << "still the default";
    EXPECT_EQ(Stored()->GetPopulationPack(kScl), "OWNPK");
    EXPECT_EQ(Stored()->GetPopulationTOLVE(kScl), 20000);
}
