// "Defaults" on a QSR page: every option shows its default, "Use default" boxes included.
#include "../options_tarsk/OptionsDialogHarness.h"

using namespace optionstest;

namespace {

struct QSRDefaultsTest : OptionsDialogHarness {};

} // namespace

TEST_F(QSRDefaultsTest, DefaultsTicksTheUseDefaultBoxOfAServiceWithAnOwnValue)
{
    for (const char* optionSet : {"QSRGEN"})
        CheckDefaultsShowTheDefaultServiceAndStoreNoOwnValue(optionSet);
}
