// The packs a new business-segment link takes in one existing generate set, where the
// segment's initial packs clash with packs of the enterprise: the initial Tablespace/
// Filegroup and path packs and their replacements (empty where the initial pack stands).
#pragma once

#include "proxy/PxVQOptionSet.h"
#include "win/Collections.h"
#include "win/CString.h"

struct VqsGSetPackReplacement {
    PxVQGenSetPtr genSet;
    CString defaultTablespacePack;
    CString defaultPathPack;
    CString replacementTablespacePack;
    CString replacementPathPack;
};

using VqsGSetPackReplacementList = CList<VqsGSetPackReplacement, const VqsGSetPackReplacement&>;
