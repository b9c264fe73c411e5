// What a host transaction's prepare built: the model of the enterprise, the business-segment
// links the host's transaction concerns, and the locks on them.
#pragma once

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"

#include <memory>

class VqsModelNodeBSLink;

struct VqsPreparedTransaction {
    VqsLockBag readBag{VqsReadLock};
    VqsLockBag writeBag{VqsWriteLock};
    std::unique_ptr<VqsModel> model;
    // Nodes of the model.
    CTypedPtrList<CObList, VqsModelNodeBSLink*> links{10};

    // Unlocks both bags and lets the model and its links go.
    void Release()
    {
        links.RemoveAll();
        readBag.UnlockAll();
        writeBag.UnlockAll();
        model.reset();
    }
};
