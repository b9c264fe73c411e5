// The "Environment" pages of QSR components and events: the subsystem shown by name, the
// input Ispecs' options that do not apply, and the component pack the TOLVE page follows.
#include "QSRElementTestSupport.h"

using namespace optionstest;

namespace {

constexpr int kUserPrivilege = 1105;
constexpr int kSubsystem = 1745;
constexpr int kHighFrequency = 1302;
constexpr int kComponentPack = 1432;
constexpr int kUseDefaultPack = 1389;
constexpr int kExpected = 1027;
constexpr int kMonthlyVolume = 1111;
constexpr int kMemoPack = 32973;

constexpr const char* kNotInList = "The subsystem name is not in subsystem list, do the synchronize and try again.";

struct QSRIspecEnvPagesTest : QSRElementTest {
    void NameSubsystems(std::initializer_list<std::pair<const char*, const char*>> names)
    {
        Write([&] {
            for (const auto& [number, name] : names)
                Segment("SYS1", "SALES")->SetSubsystemName(number, name);
        });
    }
    void StoreSubsystem(const char* number)
    {
        Write([&] { Component("CUSTOMER")->SetSubsystemNum(number); });
    }
};

} // namespace

TEST_F(QSRIspecEnvPagesTest, TheSubsystemIsShownByNameAndAChosenNameStoresItsNumber)
{
    NameSubsystems({{"2", "SALES"}, {"5", "STOCK"}});
    StoreSubsystem("5");
    Session("CUSTOMER", 0, [&] {
        EXPECT_EQ(ComboItems(kSubsystem), (Strings{"PRIMARY", "SALES", "STOCK"}));
        EXPECT_EQ(Text(kSubsystem), "STOCK");
        Choose(kSubsystem, "SALES");
        ApplyNow();
    });
    EXPECT_EQ(Component("CUSTOMER")->GetSubsystemNum(), "2");
}

// The design no longer names the stored subsystem: the user is told, and an apply of other
// options keeps the stored number instead of writing the first subsystem's.
TEST_F(QSRIspecEnvPagesTest, AStoredSubsystemWithoutANameIsKeptByAnApply)
{
    StoreSubsystem("7");
    Session("CUSTOMER", 1, [&] {
        Answer(kNotInList, IDOK);
        ShowTab(0);
        EXPECT_EQ(Text(kSubsystem), "");
        Type(kUserPrivilege, "3");
        ApplyNow();
    });
    EXPECT_EQ(Component("CUSTOMER")->GetSubsystemNum(), "7");
    EXPECT_EQ(Component("CUSTOMER")->GetUserPrivilege(), 3);
}

TEST_F(QSRIspecEnvPagesTest, ASegmentWithoutSubsystemNamesOffersOnlyPrimary)
{
    NameSubsystems({{"1", ""}});
    Session("CUSTOMER", 1, [&] {
        Answer(kNotInList, IDOK);
        ShowTab(0);
        EXPECT_EQ(ComboItems(kSubsystem), Strings{"PRIMARY"});
        EXPECT_EQ(Text(kSubsystem), "PRIMARY");
        Click(kHighFrequency);
        ApplyNow();
    });
    EXPECT_EQ(Component("CUSTOMER")->GetSubsystemNum(), "1");
    EXPECT_TRUE(Component("CUSTOMER")->GetHighFrequency());
}

// An input Ispec has no expected number or pack: they are not available, cannot be changed
// and an apply of the page's other options does not write them.
TEST_F(QSRIspecEnvPagesTest, AnInputComponentsExpectedNumberAndPackAreNotAvailableAndNotWritten)
{
    SetUsage("CUSTOMER", 2);
    Session("CUSTOMER", 0, [&] {
        for (int id : {kExpected, kComponentPack}) {
            EXPECT_EQ(Text(id), kNotAvailable) << id;
            EXPECT_FALSE(Enabled(id)) << id;
        }
        EXPECT_FALSE(Checked(kUseDefaultPack));
        EXPECT_FALSE(Enabled(kUseDefaultPack));
        Click(kHighFrequency);
        ApplyNow();
    });
    const PxQSRCompOptionsPtr stored = Component("CUSTOMER");
    EXPECT_TRUE(stored->GetHighFrequency());
    EXPECT_FALSE(stored->IsUpdatedExpected());
    EXPECT_FALSE(stored->IsUpdatedCompPack());
}

TEST_F(QSRIspecEnvPagesTest, AnInputEventsMonthlyVolumeIsNotAvailableAndNotWritten)
{
    SetUsage("EVENT", 2);
    Session("EVENT", 0, [&] {
        EXPECT_EQ(Text(kMonthlyVolume), kNotAvailable);
        EXPECT_FALSE(Enabled(kMonthlyVolume));
        Type(kUserPrivilege, "4");
        ApplyNow();
    });
    const auto stored = Stored<PxQSREventOptionsPtr>("EVENT");
    EXPECT_EQ(stored->GetUserPrivilege(), 4);
    EXPECT_FALSE(stored->IsUpdatedVolume());
}

TEST_F(QSRIspecEnvPagesTest, TheComponentsOwnPackAndExpectedNumberAreStored)
{
    Session("CUSTOMER", 0, [&] {
        EXPECT_TRUE(Checked(kUseDefaultPack));
        EXPECT_FALSE(Enabled(kComponentPack));
        Click(kUseDefaultPack);
        EXPECT_TRUE(Enabled(kComponentPack));
        Choose(kComponentPack, "STOCKPATH");
        Type(kExpected, "250");
        ApplyNow();
    });
    EXPECT_EQ(Component("CUSTOMER")->GetCompPack(), "STOCKPATH");
    EXPECT_EQ(Component("CUSTOMER")->GetExpected(), 250);
}

// The memo data pack of the TOLVE tab follows the Environment tab's pack while it is on its
// default, before anything is applied.
TEST_F(QSRIspecEnvPagesTest, TheMemoPackFollowsThePackChosenOnTheEnvironmentTab)
{
    Session("CUSTOMER", 2, [&] {
        ShowTab(0);
        Click(kUseDefaultPack);
        Choose(kComponentPack, "PAYROLLPATH");
        ShowTab(2);
        EXPECT_EQ(Text(kMemoPack), "PAYROLLPATH");
    });
}
