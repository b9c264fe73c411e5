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
    {"Button", &controls::MakeButtonProcedure},
    {"Static", &controls::MakeStaticProcedure},
    {"Edit", &controls::MakeEditProcedure},
    {"ComboBox", &controls::MakeComboBoxProcedure},
    {"ListBox", &controls::MakeListBoxProcedure},
    {"msctls_updown32", &controls::MakeSpinProcedure},
    {"SysTabControl32", &controls::MakeTabProcedure},
    {"SysDateTimePick32", &controls::MakeDateTimeProcedure},
    {"ScrollBar", &controls::MakeScrollBarProcedure},
};

} // namespace

ClassProcedureFactory FindStandardClass(const std::string& name)
{
    const auto named = [&](const StandardClass& entry) { return mbcs::CompareNoCase(entry.name, name) == 0; };
    const auto* found = std::find_if(std::begin(kStandardClasses), std::end(kStandardClasses), named);
    return found == std::end(kStandardClasses) ? nullptr : found->factory;
}

} // namespace vqwin::detail
