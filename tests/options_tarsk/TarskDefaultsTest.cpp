// "Defaults" on a Tarsk page: every option shows its default, "Use default" boxes included.
#include "../options_tarsk/OptionsDialogHarness.h"

using namespace optionstest;

namespace {

struct TarskDefaultsTest : OptionsDialogHarness {};

} // namespace

TEST_F(TarskDefaultsTest, DefaultsTicksTheUseDefaultBoxOfAServiceWithAnOwnValue)
{
    for (const char* optionSet : {"TARSKGEN"})
        CheckDefaultsShowTheDefaultServiceAndStoreNoOwnValue(optionSet);
}
