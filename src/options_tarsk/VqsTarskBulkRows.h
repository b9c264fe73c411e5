// Which Tarsk record stands behind a row of the bulk grid, and so whether a Tarsk column
// applies to it. An input Ispec (usage 2) never has a Tarsk Ispec column; an event Ispec
// (type 0) only where a rule says so.
#pragma once

#include "options/VqsElementListCtrlPxAdapter.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"
#include "proxy/PxTarskIspecOptions.h"

namespace vqstarskbulk {

// The Ispec's usage (1 inquiry, 2 input, 3 output, 4 both); 0 for a row that is no Ispec.
int UsageOf(PxOptionsPtr* row);
// The component rule: not an input Ispec, not an event Ispec, a component record.
PxTarskCompOptionsPtr ComponentOf(PxOptionsPtr* row);
// An event Ispec that is not an input Ispec.
PxTarskEventOptionsPtr EventOf(PxOptionsPtr* row);

} // namespace vqstarskbulk
