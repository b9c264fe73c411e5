// The directory view's generation commands: Generate System, Generate Reports, Generate
// Bundle, Report Differences, Synchronize and Extract, each on the view's selection.
// The view's command handlers call them.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "win/CString.h"

class VqsDirectoryView;

void VqsGenerateSystem(VqsDirectoryView& view);
void VqsSynchronizeConfig(VqsDirectoryView& view);
void VqsExtractSystem(VqsDirectoryView& view);
void VqsGenerateReports(VqsDirectoryView& view);
void VqsGenerateBundle(VqsDirectoryView& view);
void VqsReportDifferences(VqsDirectoryView& view);

// The generation inputs: the shown name of the configuration's system (empty, after a
// message, when it cannot be read), and the configuration's generate sets whose host type
// has a host (FALSE, after a message, when there is none).
CString VqsGenerationSystemText(const PxVQCurConfigPtr& config);
BOOL VqsCollectGenerateSets(const PxVQCurConfigPtr& config, PxTypedList<PxVQGenSetPtr>& genSets);
