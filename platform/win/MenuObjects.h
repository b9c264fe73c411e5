// Internal to platform/win: the class-library objects of menu handles.
#pragma once

#include "win/Types.h"

class CMenu;

namespace vqwin::detail {

// The object attached to the menu, else a temporary one that lives as long as the menu;
// null for a handle that is no menu.
CMenu* MenuObject(HMENU menu);
bool AttachMenuObject(HMENU menu, CMenu* object);
void DetachMenuObject(HMENU menu, const CMenu* object);

} // namespace vqwin::detail
