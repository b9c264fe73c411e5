// Values a Unix page reads in its own code: one whose read failed shows as not available,
// stays so when its "Use default" box is ticked and cleared, and is never written.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"

using namespace optionstest;

namespace {

constexpr int kEnvironmentPage = 0;
constexpr int kCollatingSequence = 33043;
constexpr int kUseDefaultCollating = 33044;

constexpr int kComponentStoragePage = 2;
constexpr int kUseDefaultFree = 1893;
constexpr int kFree = 1894;
constexpr int kSca = 1954;
constexpr int kComponentIndex = 1926;
constexpr int kPack = 1900;

struct UnixUnreadValuesTest : OptionsDialogHarness {
    PxUnixBSegOptionsPtr SegmentRecord() const { return StoredSegment<PxUnixBSegOptionsPtr>("UNIXGEN"); }
    PxUnixCompOptionsPtr Component() const { return Stored<PxUnixCompOptionsPtr>("ORDER", "UNIXGEN"); }
};

} // namespace

TEST_F(UnixUnreadValuesTest, AValueThePageCouldNotReadIsNeverWritten)
{
    Write([&] { app.GetLSEEnterprise()->GetBusinessSegment("SALES")->SetAttributeInt("ccsVersionSupport", 1); });
    const struct {
        const char* story;
        PxVQSoftLinkPtr link;
        UINT page;
        std::function<void()> store;
        const char* failing;
        std::function<void()> act;
        std::function<void()> check;
    } cases[] = {
        {"a segment's own collating sequence", PxVQSoftLinkPtr(Segment("SYS1", "SALES")), kEnvironmentPage,
         [&] { SegmentRecord()->SetCollatingSequence("OWN"); }, "PxUnixBSegOptions::GetCollatingSequence",
         [&] {
             ExpectUnread(kCollatingSequence);
             Click(kUseDefaultCollating);
             Click(kUseDefaultCollating);
             ExpectUnread(kCollatingSequence);
             ApplyNow();
         },
         [&] { EXPECT_EQ(SegmentRecord()->GetCollatingSequence(), "OWN"); }},
        {"a component table's own percent free", PxVQSoftLinkPtr(Element("SYS1", "SALES", "ORDER")),
         kComponentStoragePage, [&] { Component()->SetComponentPercentFree(0, 30); },
         "PxUnixCompOptions::GetComponentPercentFree",
         [&] {
             ExpectUnread(kFree);
             Click(kUseDefaultFree);
             Click(kUseDefaultFree);
             ExpectUnread(kFree);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Component()->GetComponentPercentFree(0), 30); }},
        {"a component table's own storage clause", PxVQSoftLinkPtr(Element("SYS1", "SALES", "ORDER")),
         kComponentStoragePage, [&] { Component()->SetCompSQLsca(0, "TABLESPACE OWN"); },
         "PxUnixCompOptions::GetCompSQLsca",
         [&] {
             ExpectUnread(kSca);
             Click(kUseDefaultFree);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Component()->GetCompSQLsca(0), "TABLESPACE OWN"); }},
        {"a component index's own tablespace", PxVQSoftLinkPtr(Element("SYS1", "SALES", "ORDER")),
         kComponentStoragePage, [&] { Component()->SetComponentTablespace(1, "STOCKTS"); }, nullptr,
         [&] {
             FailEveryRead("PxUnixCompOptions::GetComponentTablespace");
             Click(kComponentIndex);
             PxFaultInjection::Reset();
             ExpectUnread(kPack);
             Click(kUseDefaultFree);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Component()->GetComponentTablespace(1), "STOCKTS"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Write(c.store);
        if (c.failing)
            FailEveryRead(c.failing);
        Session(c.link, "UNIXGEN", c.page, [&] {
            PxFaultInjection::Reset();
            c.act();
        });
        PxFaultInjection::Reset();
        c.check();
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}
