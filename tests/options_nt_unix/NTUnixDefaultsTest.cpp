// "Defaults" on an NT or Unix page: every option shows its default, "Use default" boxes included.
#include "../options_tarsk/OptionsDialogHarness.h"

using namespace optionstest;

namespace {

struct NTUnixDefaultsTest : OptionsDialogHarness {};

} // namespace

TEST_F(NTUnixDefaultsTest, DefaultsTicksTheUseDefaultBoxOfAServiceWithAnOwnValue)
{
    for (const char* optionSet : {"NTGEN", "UNIXGEN"})
        CheckDefaultsShowTheDefaultServiceAndStoreNoOwnValue(optionSet);
}
