// The "Environment" tabs of Tarsk components and events, used through the options dialog.
#include "OptionsDialogHarness.h"

#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"

using namespace optionstest;

namespace {

constexpr int kInternalAndExternal = 1695;
constexpr int kExternalOnly = 1696;
constexpr int kAllowExternal = 1697;
constexpr int kMaximumInIspecs = 1703;
constexpr int kMaximumInReports = 1704;
constexpr int kAccessGroup = 32966;
constexpr int kRetrievalGroup = 32967;
constexpr int kModuleLabel = 33086;
constexpr int kUsePainter = 1434;
constexpr int kVolume = 1111;

struct TarskIspecEnvPagesTest : OptionsDialogHarness {
    INT_PTR Session(const char* element, const std::function<void()>& actions)
    {
        return OptionsDialogHarness::Session(Element("SYS1", "SALES", element), "TARSKGEN", 0, actions);
    }
    PxTarskCompOptionsPtr Component(const char* element = "CUSTOMER") const
    {
        return Stored<PxTarskCompOptionsPtr>(element, "TARSKGEN");
    }
};

} // namespace

// Hidden controls keep their options; only what the Ispec's usage has no use for is hidden.
TEST_F(TarskIspecEnvPagesTest, TheUsageOfTheComponentDecidesWhatIsShown)
{
    const struct {
        const char* element;
        bool accessShown;
        bool moduleShown;
    } cases[] = {{"CUSTOMER", true, true}, {"ORDER", false, true}, {"AUDIT", true, false}};
    for (const auto& c : cases) {
        Session(c.element, [&] {
            for (int id : {kInternalAndExternal, kExternalOnly, kAllowExternal, kMaximumInIspecs, kMaximumInReports,
                           kAccessGroup, kRetrievalGroup})
                EXPECT_EQ(Visible(id), c.accessShown) << c.element << ' ' << id;
            for (int id : {kObjectModule, kModuleLabel})
                EXPECT_EQ(Visible(id), c.moduleShown) << c.element << ' ' << id;
            EXPECT_TRUE(Visible(kUsePainter)) << c.element;
        });
    }
}

TEST_F(TarskIspecEnvPagesTest, ExternalOnlyAccessExcludesTheOtherTwo)
{
    Session("CUSTOMER", [&] {
        Click(kExternalOnly);
        EXPECT_FALSE(Enabled(kInternalAndExternal));
        EXPECT_FALSE(Enabled(kAllowExternal));
        Click(kExternalOnly);
        EXPECT_TRUE(Enabled(kInternalAndExternal));
        EXPECT_TRUE(Enabled(kAllowExternal));
        Click(kInternalAndExternal);
        Click(kAllowExternal);
        EXPECT_FALSE(Enabled(kExternalOnly));
        Click(kInternalAndExternal);
        EXPECT_FALSE(Enabled(kExternalOnly)) << "still excluded by Allow External Access";
        Click(kAllowExternal);
        EXPECT_TRUE(Enabled(kExternalOnly));
        Click(kAllowExternal);
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetInternalAndExternal(), 0);
    EXPECT_EQ(Component()->GetExternalOnly(), 0);
    EXPECT_EQ(Component()->GetAllowExternal(), 1);
}

TEST_F(TarskIspecEnvPagesTest, StoredConflictingAccessLoadsAsInternalAndExternalAlone)
{
    Write([&] {
        Component()->SetInternalAndExternal(1);
        Component()->SetExternalOnly(1);
    });
    Session("CUSTOMER", [&] {
        EXPECT_TRUE(Checked(kInternalAndExternal));
        EXPECT_FALSE(Checked(kExternalOnly));
        EXPECT_FALSE(Enabled(kExternalOnly));
        Type(kMaximumInIspecs, "12");
        Type(kObjectModule, "MOD1");
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetExternalOnly(), 0);
    EXPECT_EQ(Component()->GetMultirecordMaximumInIspecs(), 12);
    EXPECT_EQ(Component()->GetSOMName(), "MOD1");
}

// The privilege has no control, yet an own value of it is a change the Defaults button drops.
TEST_F(TarskIspecEnvPagesTest, AnOwnUserPrivilegeCountsAsAChange)
{
    Write([&] {
        Component()->ClearFColor();
        Component()->SetUserPrivilege(3);
    });
    Session("CUSTOMER", [&] { EXPECT_TRUE(::IsWindowEnabled(PageItem(Dialog(), kDefaults))); });
    Write([&] { Component()->ClearUserPrivilege(); });
    Session("CUSTOMER", [&] { EXPECT_FALSE(::IsWindowEnabled(PageItem(Dialog(), kDefaults))); });
}

TEST_F(TarskIspecEnvPagesTest, AnEventStoresItsVolumeAndObjectModule)
{
    Session("EVENT", [&] {
        Type(kVolume, "5000");
        Type(kObjectModule, "EVMOD");
        ApplyNow();
    });
    const PxTarskEventOptionsPtr event = Stored<PxTarskEventOptionsPtr>("EVENT", "TARSKGEN");
    EXPECT_EQ(event->GetVolume(), 5000);
    EXPECT_EQ(event->GetSOMName(), "EVMOD");
}
