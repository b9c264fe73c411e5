#include "shell/VqsHostTransactionHolds.h"

#include "model/VqsLockBag.h"

#include <utility>

bool VqsHostTransactionHolds::Keeps(int kind) { return kind >= VqsFutureUpdateLock; }

void VqsHostTransactionHolds::Keep(PxTypedList<PxVQObjectPtr>& objects, int kind)
{
    std::vector<PxVQObjectPtr>& kept = m_kept[kind];
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        kept.push_back(objects.GetNext(pos));
}

void VqsHostTransactionHolds::GiveBack()
{
    for (auto& [kind, kept] : std::exchange(m_kept, {})) {
        PxTypedList<PxVQObjectPtr> objects;
        for (const PxVQObjectPtr& object : kept)
            objects.AddTail(object);
        VqsLockBag::GiveBackTogether(objects);
    }
}
