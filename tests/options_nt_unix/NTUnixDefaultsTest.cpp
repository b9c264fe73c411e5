// "Defaults" on a NT or Unix page: every option shows its default, "Use default" boxes included, so
// that a further edit before Apply stores no shown default as an own value.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "proxy/PxBSegOptions.h"
#include "proxy/PxIspecOptions.h"

using namespace optionstest;

namespace {

constexpr int kOltpPage = 1;
constexpr int kUseDefaultService = 1110;
constexpr int kService = 1405;

struct NTUnixDefaultsTest : OptionsDialogHarness {};

} // namespace

TEST_F(NTUnixDefaultsTest, DefaultsTicksTheUseDefaultBoxOfAServiceWithAnOwnValue)
{
    for (const char* optionSet : {"NTGEN", "UNIXGEN"}) {
        SCOPED_TRACE(optionSet);
        Write([&] {
            StoredSegment<PxBSegOptionsPtr>(optionSet)->SetEnableOLTP(1);
            Options<PxIspecOptionsPtr>("ORDER", optionSet)->SetService("OWN");
        });
        const CString defaultService = Stored<PxIspecOptionsPtr>("ORDER", optionSet)->GetDefaultService();
        Session(Element("SYS1", "SALES", "ORDER"), optionSet, kOltpPage, [&] {
            ASSERT_FALSE(Checked(kUseDefaultService));
            Defaults();
            EXPECT_TRUE(Checked(kUseDefaultService));
            EXPECT_FALSE(Enabled(kService));
            EXPECT_EQ(Text(kService), defaultService.str());
            Click(kUseDefaultService);
            Click(kUseDefaultService);
            ApplyNow();
        });
        ui.Verify();
        const PxIspecOptionsPtr stored = Stored<PxIspecOptionsPtr>("ORDER", optionSet);
        EXPECT_TRUE(stored->IsDefaultService());
        EXPECT_EQ(stored->GetService(), defaultService);
    }
}
