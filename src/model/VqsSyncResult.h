// What the synchronisation of a configuration with the design hands to the generation:
// the design business segment found, the configuration's soft link to it and the pairs
// of design object and element soft link, in the order the links were visited.
#pragma once

#include "model/VqsBSPackReplacement.h"
#include "vqclient/GenerateInfo.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxVQBSSoftLink.h"

// The synchronisation modes of the settings.
enum VqsSyncMode : int { VqsSyncFullAuto = 0, VqsSyncInteractive = 1, VqsSyncDefaultAuto = 2 };
// Stored as the last synchronisation option when the segment was only located.
inline constexpr int kVqsSyncLocateOnly = 3;

// The operations for which a model synchronises, as the model's flag.
enum VqsSyncOperation : int {
    VqsSyncForRestart = 1,
    VqsSyncForGeneration = 2,
    VqsSyncForReports = 3,
    VqsSyncForAddSegment = 4,
    VqsSyncCommand = 5,
};

// The generation request's element record.
using VqsSyncResult = VqsElementSyncRecord;
