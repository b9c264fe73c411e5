// The enterprise's packs as the pack combos of the NT and Unix pages offer them: database
// packs (type not defined yet, or a Tablespace/Filegroup) or path packs (type not defined
// yet, or a disk path). A pack without a name is never offered.
#pragma once

#include "shell/VqsOptCtrlCombo.h"
#include "win/Collections.h"

namespace vqsntunix {

enum class PackList { Database, Path };

// The names in the enterprise's order; none without an enterprise.
CStringArray EnterprisePacks(PackList list);
// The combo's items become these; the text it shows (or its not-available state) stays.
void OfferChoices(VqsOptCtrlCombo& combo, const CStringArray& choices);

} // namespace vqsntunix
