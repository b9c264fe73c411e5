// One pack of a business segment to be replaced when the segment's options move to another
// platform, and the lists the model fills for a generation.
#pragma once

#include "proxy/PxVQBSSoftLink.h"
#include "proxy/VqcSyncPair.h"
#include "win/Collections.h"
#include "win/CString.h"

struct VqsBSPackReplacement {
    PxVQBSSoftLinkPtr bsSoftLink;
    // 1 data packs and report extract packs; 2 the default pack, the event set, component
    // and profile packs.
    int packKind = 0;
    // 0 for a pack the options name; 1 and 2 for the segment's initial packs of those kinds.
    int origin = 0;
    CString packName;
    CString newPackName;

    // Both have a soft link, the same one, equal numbers and names equal ignoring case.
    bool Matches(const VqsBSPackReplacement& other) const;
};

using VqsBSPackReplacementList = CList<VqsBSPackReplacement, const VqsBSPackReplacement&>;

// Appends the record unless an equal one is listed already.
void VqsAddPackReplacement(VqsBSPackReplacementList& list, const VqsBSPackReplacement& record);

// Pairs of (design element, element soft link).
using VqsDesignLinkPairList = CList<VqcSyncPair, const VqcSyncPair&>;
