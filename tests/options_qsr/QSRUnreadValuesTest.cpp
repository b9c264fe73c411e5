// Values a QSR page reads in its own code: one whose read failed shows as not available, stays
// so whatever the user does to the box or choice that hides it, and is never written.
#include "QSRElementTestSupport.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxQSRBSegOptions.h"

using namespace optionstest;

namespace {

constexpr int kEnvironmentTab = 0;
constexpr int kUsePainter = 1099;
constexpr int kBackground = 1100;
constexpr int kValidateUsercode = 1113;
constexpr int kPofName = 1121;
constexpr int kPofFamily = 1122;

constexpr int kEventAreaSize = 1450;
constexpr int kEventAreaSizeDefault = 1315;

constexpr int kComponentTOLVETab = 2;
constexpr int kComponentAreaSize = 1450;
constexpr int kComponentUseDefaultAreaSize = 1315;

constexpr int kExtractFileTab = 1;
constexpr int kTapeRecordsPerBlock = 1066;
constexpr int kUseDefaultExpected = 1005;
constexpr int kExpected = 1026;
constexpr int kTapeLabelled = 1014;
constexpr int kFirstFile = 0;

struct QSRUnreadValuesTest : QSRElementTest {
    PxQSRBSegOptionsPtr SegmentOptions() const { return StoredSegment<PxQSRBSegOptionsPtr>("QSRGEN"); }
    PxQSRReportOptionsPtr Report() const { return Stored<PxQSRReportOptionsPtr>("MONTHLY"); }
    VqsOptions_BSeg_QSR_Sheet& SegmentSheet()
    {
        return dynamic_cast<VqsOptions_BSeg_QSR_Sheet&>(*Dialog().GetSheet());
    }

    void TickAndClear(int box)
    {
        Click(box);
        Click(box);
    }
};

} // namespace

TEST_F(QSRUnreadValuesTest, AValueThePageCouldNotReadIsNeverWritten)
{
    const struct {
        const char* story;
        const char* element; // null: the business segment SALES
        BOOL eventView;
        UINT tab;
        std::function<void()> store;
        const char* failing;
        std::function<void()> act;
        std::function<void()> check;
    } cases[] = {
        {"a segment's own background colour behind the painter", nullptr, FALSE, kEnvironmentTab,
         [&] {
             SegmentOptions()->SetBSUsePainter(1);
             SegmentOptions()->SetBSBColor(static_cast<PxEnumBColor>(3));
         },
         "PxQSRBSegOptions::GetBSBColor",
         [&] {
             Click(kUsePainter);
             EXPECT_FALSE(Enabled(kBackground));
             ApplyNow();
         },
         [&] {
             EXPECT_EQ(SegmentOptions()->GetBSBColor(), 3);
             EXPECT_EQ(SegmentOptions()->GetBSUsePainter(), 0);
         }},
        {"a segment's POF family, offered again", nullptr, FALSE, kEnvironmentTab,
         [&] {
             SegmentOptions()->SetReapplyCompletedIndependentTrans(1);
             SegmentOptions()->SetPOFname("POFA");
             SegmentOptions()->SetPOFfamily("FAM");
         },
         "PxQSRBSegOptions::GetPOFfamily",
         [&] {
             ExpectUnread(kPofFamily);
             SegmentSheet().NotifyEnvAndDefTOLVEPages(0);
             SegmentSheet().NotifyEnvAndDefTOLVEPages(1);
             ExpectUnread(kPofFamily);
             Click(kValidateUsercode);
             ApplyNow();
         },
         [&] {
             EXPECT_EQ(SegmentOptions()->GetPOFfamily(), "FAM");
             EXPECT_EQ(SegmentOptions()->GetPOFname(), "POFA");
         }},
        {"a segment's POF name, after Defaults and Undo", nullptr, FALSE, kEnvironmentTab,
         [&] {
             SegmentOptions()->SetReapplyCompletedIndependentTrans(1);
             SegmentOptions()->SetPOFname("POFA");
         },
         nullptr,
         [&] {
             Defaults();
             FailEveryRead("PxQSRBSegOptions::GetPOFname");
             Undo();
             PxFaultInjection::Reset();
             ExpectUnread(kPofName);
             Click(kValidateUsercode);
             ApplyNow();
         },
         [&] { EXPECT_EQ(SegmentOptions()->GetPOFname(), "POFA"); }},
        {"an Event TOLVE area size behind its default box", nullptr, TRUE, 0,
         [&] { SegmentOptions()->SetEventAreaSize(1200); }, "PxQSRBSegOptions::GetEventAreaSize",
         [&] {
             ExpectUnread(kEventAreaSize);
             TickAndClear(kEventAreaSizeDefault);
             ExpectUnread(kEventAreaSize);
             ApplyNow();
         },
         [&] { EXPECT_EQ(SegmentOptions()->GetEventAreaSize(), 1200); }},
        {"a component's area size behind its default box", "CUSTOMER", FALSE, kComponentTOLVETab,
         [&] { Component("CUSTOMER")->SetAreaSize(500); }, "PxQSRCompOptions::GetAreaSize",
         [&] {
             ExpectUnread(kComponentAreaSize);
             TickAndClear(kComponentUseDefaultAreaSize);
             ExpectUnread(kComponentAreaSize);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Component("CUSTOMER")->GetAreaSize(), 500); }},
        {"a report file's expected number behind its default box", "MONTHLY", FALSE, kExtractFileTab,
         [&] {
             Report()->SetExtractFileUse(kFirstFile, 1);
             Report()->SetExtractFileExpected(kFirstFile, 5000);
         },
         "PxQSRReportOptions::GetExtractFileExpected",
         [&] {
             ExpectUnread(kExpected);
             TickAndClear(kUseDefaultExpected);
             ExpectUnread(kExpected);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Report()->GetExtractFileExpected(kFirstFile), 5000); }},
        {"a tape report file's records per block", "MONTHLY", FALSE, kExtractFileTab,
         [&] {
             Report()->SetExtractFileUse(kFirstFile, 1);
             Report()->SetExtractFileKind(kFirstFile, 1);
             Report()->SetExtractFileRecOrBlock(kFirstFile, 12);
         },
         "PxQSRReportOptions::GetExtractFileRecOrBlock",
         [&] {
             ExpectUnread(kTapeRecordsPerBlock);
             Click(kTapeLabelled);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Report()->GetExtractFileRecOrBlock(kFirstFile), 12); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Write(c.store);
        if (c.eventView)
            BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
        if (c.failing)
            FailEveryRead(c.failing);
        const PxVQSoftLinkPtr link =
            c.element ? PxVQSoftLinkPtr(Element("SYS1", "SALES", c.element)) : PxVQSoftLinkPtr(Segment("SYS1", "SALES"));
        OptionsDialogHarness::Session(link, "QSRGEN", c.tab, [&] {
            PxFaultInjection::Reset();
            c.act();
        });
        PxFaultInjection::Reset();
        c.check();
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}

// The component's pack the Environment page could not read is not the memo data pack's
// default on the TOLVE page: shown as not available there, it is not written when the memo
// pack's "Use default" box is cleared, and an Apply of another edit leaves both packs stored.
TEST_F(QSRUnreadValuesTest, AComponentPackThatCouldNotBeReadIsNotTheMemoPacksDefault)
{
    constexpr int kComponentEnvironmentTab = 0;
    constexpr int kMemoPack = 32973;
    constexpr int kUseDefaultMemoPack = 32972;
    PxLSEBuilder builder(*app.GetLink());
    const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
    Write([&] {
        builder.AddScreenDataUsage(PxLSEIspecPtr(design->GetElement("CUSTOMER")), design->GetElement("CUSTNAME"), 'D',
                                   1, false);
        Component("CUSTOMER")->SetCompPack("STOCKPATH");
        Component("CUSTOMER")->MakeDefaultMemoDataPack();
        Component("CUSTOMER")->SetAreaSize(400);
    });
    const Strings changes = ChangesAfterAFailedRead(
        [&] { return PxOptionsPtr(Component("CUSTOMER")); }, {"PxCompOptions::GetCompPack"}, [&](BOOL failing) {
            Session("CUSTOMER", kComponentEnvironmentTab, [&] {
                ShowTab(kComponentTOLVETab);
                PxFaultInjection::Reset();
                if (failing) {
                    ExpectUnread(kMemoPack);
                    Click(kUseDefaultMemoPack);
                    ExpectUnread(kMemoPack);
                }
                Type(kComponentAreaSize, failing ? "600" : "500");
                ApplyNow();
            });
        });
    EXPECT_EQ(changes, (Strings{"- AreaSize = 500", "+ AreaSize = 600"}));
    EXPECT_EQ(MessageBoxes(), Strings{});
}
