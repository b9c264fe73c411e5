#include "win/ControlSupport.h"
#include "win/Mbcs.h"
#include "win/WindowRegistry.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace vqwin::detail {

namespace {

struct StandardClass {
    std::string_view name;
    ClassProcedureFactory factory;
};

// The control classes every window can be made of, whether or not a typed object is made for
// it; a class registered under the same name replaces one of these.
constexpr StandardClass kStandardClasses[] = {
    {"Button", &MakeButtonProcedure},
    {"Static", &MakeStaticProcedure},
    {"Edit", &MakeEditProcedure},
    {"ComboBox", &MakeComboBoxProcedure},
    {"ListBox", &MakeListBoxProcedure},
    {"msctls_updown32", &MakeSpinProcedure},
    {"SysTabControl32", &MakeTabProcedure},
    {"SysDateTimePick32", &MakeDateTimeProcedure},
};

} // namespace

ClassProcedureFactory FindStandardClass(const std::string& name)
{
    const auto* found = std::find_if(std::begin(kStandardClasses), std::end(kStandardClasses),
                                     [&](const StandardClass& entry) { return mbcs::CompareNoCase(entry.name, name) == 0; });
    return found == std::end(kStandardClasses) ? nullptr : found->factory;
}

} // namespace vqwin::detail
