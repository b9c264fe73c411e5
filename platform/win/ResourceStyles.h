// Style names a resource file may use for windows and controls, with their bits.
#pragma once

#include "win/Types.h"

#include <optional>
#include <string_view>

namespace vqres {

std::optional<DWORD> StyleBits(std::string_view name);

} // namespace vqres
