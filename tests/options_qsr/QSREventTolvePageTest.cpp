// The Event TOLVE page, the only tab of a QSR business segment's sheet for the system EVENT
// structure: its "Use default" boxes, buffer rules, memo population and filler accounting.
#include "QSRTestSupport.h"

#include "options_qsr/VqsOptionPageQSRBSegEventTOLVE.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "win/CDC.h"

using namespace optionstest;

namespace {

constexpr int kOptimizeBlocksize = 1785;
constexpr int kOptimizeBlocksizeDefault = 1786;
constexpr int kReblockFactor = 1168;
constexpr int kBuffers = 1175;
constexpr int kPerUser = 1176;
constexpr int kPerUserDefault = 1312;
constexpr int kPerRandomUser = 1177;
constexpr int kPerSerialUser = 1178;
constexpr int kAreaSize = 1450;
constexpr int kAreaSizeDefault = 1315;
constexpr int kFiller = 1851;
constexpr int kFillerRemaining = 1857;
constexpr int kFillerRemainingLabel = 1863;
constexpr int kLastFiller = 1858;
constexpr int kMemoUseDefault = 32981;
constexpr int kByExpectedNumber = 32982;
constexpr int kByPercentage = 32983;
constexpr int kExpectedNumber = 32985;
constexpr int kPercentage = 32986;

struct QSREventTolveTest : QSRBSegSheetTest {
    void EventSession(const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
        Session(0, actions, endWithOk);
    }

    VqsOptionPageQSRBSegEventTOLVE& Page()
    {
        return dynamic_cast<VqsOptionPageQSRBSegEventTOLVE&>(*Dialog().GetSheet()->GetActivePage());
    }

    // An earlier generation of SALES with QSRGEN whose EVENT layout held KNOWN, at the filler
    // given; the design EVENT now also shows a new item of 130 characters.
    void GeneratedWithFiller(std::int64_t filler)
    {
        PxLSEBuilder builder(*app.GetLink());
        const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        Write([&] {
            const PxVQOldConfigPtr old = System("SYS1")->CreateOldConfig();
            old->SetGenerationTime(1);
            const PxVQOptionSetPtr set = old->CreateOptionSet("QSRGEN", VQHostQSR);
            const PxVQBSSoftLinkPtr segment = old->CreateBSSoftLink("SALES");
            PxVQIspecSoftLinkPtr(segment->CreateElementSoftLink("EVENT", VQSoftLinkIspec))->SetIspecDataItems("KNOWN,");
            set->CreateBlankOptions();
            PxQSRBSegOptionsPtr(set->GetOptions(PxVQSoftLinkPtr(segment)))->SetEventDBfiller(filler);
            const PxLSEIspecPtr event = design->GetElement("EVENT");
            for (const auto& [name, length] : {std::pair{"KNOWN", 40}, std::pair{"NEWITEM", 130}}) {
                const PxLSEElementPtr item = builder.AddElement(design, "PxLSEDataItem", name);
                builder.SetText(item, "edit", "A");
                builder.SetNumber(item, "length", length);
                builder.AddScreenDataUsage(event, item, 'D', 0, false);
            }
        });
    }
};

} // namespace

TEST_F(QSREventTolveTest, AUseDefaultBoxShowsTheDefaultTolveValueAndStoresTheDefault)
{
    Write([&] {
        Stored()->SetOptimizeBlocksize2Vss(1);
        Stored()->SetEventOptimizeBlocksize2Vss(0);
    });
    EventSession([&] {
        EXPECT_FALSE(Checked(kOptimizeBlocksizeDefault));
        EXPECT_FALSE(Checked(kOptimizeBlocksize));
        Click(kOptimizeBlocksizeDefault);
        EXPECT_TRUE(Checked(kOptimizeBlocksize));
        EXPECT_FALSE(Enabled(kOptimizeBlocksize));
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultEventOptimizeBlocksize2Vss());
}

TEST_F(QSREventTolveTest, ADefaultChangeReachesOnlyAValueThatUsesTheDefault)
{
    Write([&] { Stored()->SetEventReblockFactor(5); });
    EventSession([&] {
        Sheet().SyncEventTOLVEOptimizeBlocksize(1);
        EXPECT_TRUE(Checked(kOptimizeBlocksize)) << "its box is checked";
        Sheet().SetReblockFactorOnPages(9);
        EXPECT_EQ(Text(kReblockFactor), "5") << "a value of its own";
        Click(kOptimizeBlocksizeDefault);
        Sheet().SyncEventTOLVEOptimizeBlocksize(0);
        EXPECT_TRUE(Checked(kOptimizeBlocksize));
    }, FALSE);
}

TEST_F(QSREventTolveTest, TheAreaSizeAtItsDefaultIsNotAvailable)
{
    Write([&] { Stored()->SetEventAreaSize(1200); });
    EventSession([&] {
        EXPECT_EQ(Text(kAreaSize), "1200");
        Click(kAreaSizeDefault);
        EXPECT_EQ(Text(kAreaSize), "<not available>");
        EXPECT_FALSE(Enabled(kAreaSize));
        Click(kAreaSizeDefault);
        EXPECT_EQ(Text(kAreaSize), "1200");
        Click(kAreaSizeDefault);
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultEventAreaSize());
}

TEST_F(QSREventTolveTest, NoBuffersClearsTheDefaultOfAPerUserValueAndZeroesThemAll)
{
    Write([&] {
        Stored()->SetDataSetBuffersPUser(4);
        Stored()->SetEventBuffers(10);
    });
    EventSession([&] {
        EXPECT_TRUE(Checked(kPerUserDefault));
        EXPECT_EQ(Text(kPerUser), "4");
        Type(kBuffers, "0");
        EXPECT_FALSE(Checked(kPerUserDefault));
        for (int id : {kPerUser, kPerRandomUser, kPerSerialUser}) {
            EXPECT_EQ(Text(id), "0") << id;
            EXPECT_FALSE(Enabled(id)) << id;
        }
        ApplyNow();
    });
    EXPECT_FALSE(Stored()->IsDefaultEventBuffersPUser());
    EXPECT_EQ(Stored()->GetEventBuffersPUser(), 0);
}

TEST_F(QSREventTolveTest, TheMemoPopulationChoiceFollowsItsDefaultBox)
{
    Write([&] {
        Stored()->SetEventMemoDataUseDef(0);
        Stored()->SetEventMemoPerOrExpect(0);
        Stored()->SetEventPercentage(50);
    });
    EventSession([&] {
        EXPECT_TRUE(Checked(kByPercentage)) << "a percentage other than 100 is chosen";
        EXPECT_TRUE(Enabled(kPercentage));
        EXPECT_FALSE(Enabled(kExpectedNumber));
        Click(kMemoUseDefault);
        EXPECT_TRUE(Checked(kByExpectedNumber));
        EXPECT_EQ(Text(kPercentage), "100");
        EXPECT_EQ(Text(kExpectedNumber), "0");
        for (int id : {kPercentage, kExpectedNumber, kByExpectedNumber, kByPercentage})
            EXPECT_FALSE(Enabled(id)) << id;
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetEventMemoDataUseDef(), 1);
    EXPECT_EQ(Stored()->GetEventMemoPerOrExpect(), 0);
    EXPECT_EQ(Stored()->GetEventPercentage(), 100);
}

TEST_F(QSREventTolveTest, NewItemsBeyondTheFillerShowByHowMuchItIsExceeded)
{
    GeneratedWithFiller(80);
    Write([&] { Stored()->SetEventDBfiller(100); });
    EventSession([&] {
        EXPECT_EQ(Text(kLastFiller), "80");
        EXPECT_EQ(Text(kFillerRemaining), "30");
        EXPECT_EQ(Text(kFillerRemainingLabel), "Filler space exceeded by:");

        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dc.SetBkColor(RGB(255, 255, 255));
        dc.SetTextColor(RGB(0, 0, 0));
        EXPECT_TRUE(Page().OnCtlColor(&dc, Page().GetDlgItem(kFillerRemaining), 0));
        EXPECT_EQ(dc.GetBkColor(), RGB(255, 255, 0));

        Type(kFiller, "200");
        EXPECT_EQ(Text(kFillerRemaining), "70");
        EXPECT_EQ(Text(kFillerRemainingLabel), "Filler space remaining:");
        EXPECT_FALSE(Page().OnCtlColor(&dc, Page().GetDlgItem(kFillerRemaining), 0));
        Type(kFiller, "0");
        EXPECT_EQ(Text(kFillerRemaining), "0");
    });
}

TEST_F(QSREventTolveTest, WithoutAnEarlierGenerationTheWholeFillerIsFree)
{
    Write([&] { Stored()->SetEventDBfiller(100); });
    EventSession([&] {
        EXPECT_EQ(Text(kFillerRemaining), "100");
        EXPECT_EQ(Text(kLastFiller), "0");
    });
}

TEST(QSREventTolveColourTest, TheWarningColourContrastsWithTheDisplay)
{
    EXPECT_EQ(VqsOptionPageQSRBSegEventTOLVE::WarningColour(RGB(255, 255, 255), RGB(0, 0, 0)), RGB(255, 255, 0));
    EXPECT_EQ(VqsOptionPageQSRBSegEventTOLVE::WarningColour(RGB(100, 100, 100), RGB(250, 0, 20)),
              RGB(0, 200, 0));
}
