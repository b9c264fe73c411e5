#include "ControlTestSupport.h"

#include "support/ScopedTimeZone.h"
#include "win/CDateTimeCtrl.h"
#include "win/Clock.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

namespace {

constexpr int kDateId = 1859;

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

bool operator==(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wDayOfWeek == b.wDayOfWeek;
}

TEST(DateTimeCtrlTest, APickerStartsAtTheLocalTimeOfTheClock)
{
    vqtest::ScopedTimeZone zone("UTC");
    vqclock::ManualClock clock(1700000000); // 2023-11-14 22:13:20 UTC, a Tuesday
    vqclock::ScopedClock installed(clock);
    ParentWnd parent;
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_VISIBLE, CRect(0, 0, 100, 20), &parent, kDateId));
    SYSTEMTIME now{};
    ASSERT_EQ(picker.GetTime(&now), GDT_VALID);
    SYSTEMTIME expected = Time(2023, 11, 14, 22, 13, 20);
    expected.wDayOfWeek = 2;
    EXPECT_TRUE(now == expected);
}

TEST(DateTimeCtrlTest, TheProgramSetsOnlyRealDatesAndNoneOnlyWithShowNone)
{
    ParentWnd parent;
    CDateTimeCtrl picker;
    picker.Create(WS_VISIBLE, CRect(0, 0, 100, 20), &parent, kDateId);
    const SYSTEMTIME leapDay = Time(2024, 2, 29);
    ASSERT_TRUE(picker.SetTime(&leapDay));
    SYSTEMTIME read{};
    picker.GetTime(&read);
    EXPECT_EQ(read.wDay, 29);
    EXPECT_EQ(read.wDayOfWeek, 4) << "the picker works out the day of the week";
    const SYSTEMTIME noDay = Time(2023, 2, 29);
    EXPECT_FALSE(picker.SetTime(&noDay));
    EXPECT_FALSE(picker.SetTime(nullptr));
    EXPECT_EQ(picker.GetTime(&read), GDT_VALID);

    CDateTimeCtrl optional;
    optional.Create(WS_VISIBLE | DTS_SHOWNONE, CRect(0, 0, 100, 20), &parent, kDateId + 1);
    EXPECT_TRUE(optional.SetTime(nullptr));
    EXPECT_EQ(optional.GetTime(&read), GDT_NONE);
    EXPECT_TRUE(parent.notices.empty());
}

TEST(DateTimeCtrlTest, AUserEntryChangesTheGivenPartsAndIsAnnounced)
{
    ParentWnd parent;
    CDateTimeCtrl picker;
    picker.Create(WS_VISIBLE, CRect(0, 0, 100, 20), &parent, kDateId);
    const SYSTEMTIME start = Time(2024, 1, 10, 8, 30, 0);
    picker.SetTime(&start);
    std::vector<SYSTEMTIME> announced;
    parent.onNotify = [&](NMHDR* header) -> LRESULT {
        auto* change = reinterpret_cast<NMDATETIMECHANGE*>(header);
        EXPECT_EQ(change->dwFlags, GDT_VALID);
        announced.push_back(change->st);
        return 0;
    };
    vqui::user::Type(picker, "2024-05-01");
    vqui::user::Type(picker, "13:45");
    vqui::user::Type(picker, "2025-12-31 23:59:58");
    ASSERT_EQ(announced.size(), 3u);
    EXPECT_EQ(announced[0].wMonth, 5);
    EXPECT_EQ(announced[0].wHour, 8) << "the time of day is kept";
    EXPECT_EQ(announced[1].wDay, 1);
    EXPECT_EQ(announced[1].wMinute, 45);
    SYSTEMTIME read{};
    picker.GetTime(&read);
    EXPECT_EQ(read.wYear, 2025);
    EXPECT_EQ(read.wSecond, 58);
    EXPECT_EQ(parent.Codes(kDateId).front(), DTN_DATETIMECHANGE);

    EXPECT_THROW(vqui::user::Type(picker, "2024-02-30"), vqui::UserActionError);
    EXPECT_THROW(vqui::user::Type(picker, "soon"), vqui::UserActionError);
}

} // namespace
