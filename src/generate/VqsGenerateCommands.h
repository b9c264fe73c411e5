// The directory view's generation commands: Generate System, Synchronize and Extract, each
// on the view's selected current configuration. The view's command handlers call them.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "win/CString.h"

class VqsDirectoryView;

void VqsGenerateSystem(VqsDirectoryView& view);
void VqsSynchronizeConfig(VqsDirectoryView& view);
void VqsExtractSystem(VqsDirectoryView& view);

// The generation inputs: the shown name of the configuration's system (empty, after a
// message, when it cannot be read), and the configuration's generate sets whose host type
// has a host (FALSE, after a message, when there is none).
CString VqsGenerationSystemText(const PxVQCurConfigPtr& config);
BOOL VqsCollectGenerateSets(const PxVQCurConfigPtr& config, PxTypedList<PxVQGenSetPtr>& genSets);
