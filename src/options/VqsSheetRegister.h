// The sheet registry: the options dialog hands it an options record, and it asks one sheet
// factory after another to build the sheet of the record's platform and kind. Factories are
// registered when the module starts; the last one registered is tried first.
#pragma once

#include "proxy/PxOptions.h"
#include "win/Object.h"

class VqsOptionsSheet;
class VqsSoftLinkOptionsDlg;

// Builds the sheet of a record of its class; null for a record of another class.
using VqsSheetFactory = VqsOptionsSheet* (*)(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                             UINT selectPage);

class VqsSheetRegister : public CObject {
public:
    explicit VqsSheetRegister(VqsSheetFactory factory) { AddFactory(factory); }

    // Puts the factory at the head of the registry.
    static void AddFactory(VqsSheetFactory factory);
    // The new sheet of the record (the caller owns it), or null: silently for an empty or
    // vanished record, otherwise after a message saying why.
    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);
    // Empties the registry.
    static void FreeFactories();
    static int Count();
};

// The factory of a sheet class over the records of one class.
template <class Sheet, class RecordPtr>
VqsOptionsSheet* VqsMakeOptionsSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                     UINT selectPage)
{
    const RecordPtr typed(options);
    return typed ? new Sheet(ownerDialog, typed, selectPage) : nullptr;
}
