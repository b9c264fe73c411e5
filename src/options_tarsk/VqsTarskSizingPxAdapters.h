// The "Sizing" columns of the Tarsk bulk panels. A profile's sizing is its expected number,
// its percentage or its page maximum (with the switch that makes the maximum count), or its
// default estimates; an Ispec's is a component's expected number or page maximum, or an
// event's volume. Writing one kind to a profile returns the other two to their defaults.
#pragma once

#include "options_tarsk/VqsSizingPxAdapter.h"

class VqsElementListCtrlTarskProfileSizingPxAdapter : public VqsSizingPxAdapter {
public:
    VqsElementListCtrlTarskProfileSizingPxAdapter(VqsOptCtrlCombo* typeCombo, VqsOptCtrlString* valueEdit);

    BOOL GetSizing(PxOptionsPtr* row, VqsSizing& sizing) override;
    void SetSizing(PxOptionsPtr* row, const VqsSizing& sizing) override;
};

// Applies to events and components that are not input Ispecs. An event's volume takes the
// number of any text, a page maximum's too.
class VqsTarskIspecSizingPxAdapter : public VqsSizingPxAdapter {
public:
    VqsTarskIspecSizingPxAdapter(VqsOptCtrlCombo* typeCombo, VqsOptCtrlString* valueEdit);

    BOOL GetSizing(PxOptionsPtr* row, VqsSizing& sizing) override;
    void SetSizing(PxOptionsPtr* row, const VqsSizing& sizing) override;
};
