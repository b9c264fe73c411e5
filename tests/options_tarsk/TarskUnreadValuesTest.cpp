// Numbers a Tarsk page reads in its own code: one whose read failed shows as not available,
// stays so whatever the user does to the box or choice that hides it, and is never written.
#include "OptionsDialogHarness.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTarskReportOptions.h"

using namespace optionstest;

namespace {

constexpr int kProfileEnvironmentTab = 0;
constexpr int kDefaultEstimates = 32912;
constexpr int kExpectedEstimate = 32914;
constexpr int kPercentEstimate = 32915;
constexpr int kExpectedOrVolume = 32938;

constexpr int kExtractFileTab = 1;
constexpr int kExpectedDefault = 1005;
constexpr int kExpected = 1026;
constexpr int kTapeRecordsPerBlock = 1066;
constexpr int kLabelled = 1014;
constexpr int kFileA = 0;

struct TarskUnreadValuesTest : OptionsDialogHarness {
    PxTarskReportOptionsPtr Report() const { return Stored<PxTarskReportOptionsPtr>("MONTHLY", "TARSKGEN"); }
    PxTarskProfileOptionsPtr Profile() const { return Stored<PxTarskProfileOptionsPtr>("CUSTBYNAME", "TARSKGEN"); }
};

} // namespace

TEST_F(TarskUnreadValuesTest, ANumberThePageCouldNotReadIsNeverWritten)
{
    const struct {
        const char* story;
        const char* element;
        UINT tab;
        std::function<void()> store;
        const char* failing;
        std::function<void()> act;
        std::function<void()> check;
    } cases[] = {
        {"a profile's own expected number, chosen again", "CUSTBYNAME", kProfileEnvironmentTab,
         [&] { Profile()->SetExpectedOrVolume(2500); }, "PxProfileOptions::GetExpectedOrVolume",
         [&] {
             EXPECT_TRUE(Checked(kExpectedEstimate));
             ExpectUnread(kExpectedOrVolume);
             Click(kDefaultEstimates);
             Click(kExpectedEstimate);
             ExpectUnread(kExpectedOrVolume);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Profile()->GetExpectedOrVolume(), 2500); }},
        {"a profile's own expected number, after Defaults and Undo", "CUSTBYNAME", kProfileEnvironmentTab,
         [&] { Profile()->SetExpectedOrVolume(2500); }, nullptr,
         [&] {
             Defaults();
             FailEveryRead("PxProfileOptions::GetExpectedOrVolume");
             Undo();
             PxFaultInjection::Reset();
             ExpectUnread(kExpectedOrVolume);
             Click(kPercentEstimate);
             Click(kExpectedEstimate);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Profile()->GetExpectedOrVolume(), 2500); }},
        {"a report file's expected number behind its default box", "MONTHLY", kExtractFileTab,
         [&] {
             Report()->SetExtractFileUse(kFileA, 1);
             Report()->SetExtractFileExpected(kFileA, 5000);
         },
         "PxTarskReportOptions::GetExtractFileExpected",
         [&] {
             ExpectUnread(kExpected);
             Click(kExpectedDefault);
             Click(kExpectedDefault);
             ExpectUnread(kExpected);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Report()->GetExtractFileExpected(kFileA), 5000); }},
        {"a tape report file's records per block", "MONTHLY", kExtractFileTab,
         [&] {
             Report()->SetExtractFileUse(kFileA, 1);
             Report()->SetExtractFileKind(kFileA, 1);
             Report()->SetExtractFileRecOrBlock(kFileA, 12);
         },
         "PxTarskReportOptions::GetExtractFileRecOrBlock",
         [&] {
             ExpectUnread(kTapeRecordsPerBlock);
             Click(kLabelled);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Report()->GetExtractFileRecOrBlock(kFileA), 12); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Write(c.store);
        if (c.failing)
            FailEveryRead(c.failing);
        Session(Element("SYS1", "SALES", c.element), "TARSKGEN", c.tab, [&] {
            PxFaultInjection::Reset();
            c.act();
        });
        PxFaultInjection::Reset();
        c.check();
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}

// Values of a profile's FOLN page that could not be read: an own minimum page size shows as
// not available and its "Use Default" box is neither ticked nor written; "Audited", whose
// default could not be read, is neither shown nor written when its "Use Default" box is
// cleared; a check box or a choice of buttons shows no state and is disabled. An Apply of
// another edit leaves them as stored.
TEST_F(TarskUnreadValuesTest, AnUnreadValueIsNeitherTakenForTheDefaultNorWritten)
{
    constexpr int kPageSize = 32971;
    constexpr int kUseDefaultPageSize = 32925;
    constexpr int kAudited = 32932;
    constexpr int kUseDefaultAudited = 32931;
    constexpr int kCompression = 32935;
    constexpr int kRecordLocking = 32936;
    constexpr int kPageLocking = 32937;
    constexpr int kLoadFactor = 32930;
    const auto expectUnknownBox = [&](int id) {
        EXPECT_FALSE(Checked(id)) << id;
        EXPECT_FALSE(Enabled(id)) << id;
    };
    const struct {
        const char* story;
        std::function<void()> store;
        const char* unread;
        std::function<void()> act;
    } cases[] = {
        {"an own page size", [&] { Profile()->SetProfileMinPageSize(1792); },
         "PxTarskProfileOptions::GetProfileMinPageSize",
         [&] {
             ExpectUnread(kPageSize);
             expectUnknownBox(kUseDefaultPageSize);
         }},
        {"the default page size, its box cleared", [&] { Profile()->MakeDefaultProfileMinPageSize(); },
         "PxTarskProfileOptions::GetProfileMinPageSize",
         [&] {
             EXPECT_TRUE(Checked(kUseDefaultPageSize));
             Click(kUseDefaultPageSize);
             ExpectUnread(kPageSize);
         }},
        {"Audited by default, the default unread, its box cleared", [&] { Profile()->SetProAudited(static_cast<PxEnumBSAudited>(0)); },
         "PxLSEEnterprise::GetBusinessSegment",
         [&] {
             EXPECT_TRUE(Checked(kUseDefaultAudited));
             expectUnknownBox(kAudited);
             Click(kUseDefaultAudited);
             expectUnknownBox(kAudited);
         }},
        {"compression", [&] { Profile()->SetProCompression(1); }, "PxTarskProfileOptions::GetProCompression",
         [&] { expectUnknownBox(kCompression); }},
        {"page-level locking", [&] { Profile()->SetProPageLevelLocking(1); },
         "PxTarskProfileOptions::GetProPageLevelLocking",
         [&] {
             expectUnknownBox(kRecordLocking);
             expectUnknownBox(kPageLocking);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Write(c.store);
        const Strings changes =
            ChangesAfterAFailedRead([&] { return PxOptionsPtr(Profile()); }, {c.unread}, [&](BOOL failing) {
                Session(Element("SYS1", "SALES", "CUSTBYNAME"), "TARSKGEN", kProfileEnvironmentTab, [&] {
                    PxFaultInjection::Reset();
                    if (failing)
                        c.act();
                    Type(kLoadFactor, failing ? "60" : "50");
                    ApplyNow();
                });
            });
        EXPECT_EQ(changes, (Strings{"- ProLoadFactor = 50", "+ ProLoadFactor = 60"}));
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}
