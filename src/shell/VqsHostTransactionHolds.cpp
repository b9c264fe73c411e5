#include "shell/VqsHostTransactionHolds.h"

#include "model/VqsLockBag.h"
#include "proxy/VqException.h"

bool VqsHostTransactionHolds::Keeps(int kind) { return kind >= VqsFutureUpdateLock; }

void VqsHostTransactionHolds::Keep(PxTypedList<PxVQObjectPtr>& objects)
{
    for (POSITION pos = objects.GetHeadPosition(); pos;)
        m_objects.AddTail(objects.GetNext(pos));
}

void VqsHostTransactionHolds::GiveBack()
{
    while (!m_objects.IsEmpty()) {
        const PxVQObjectPtr object = m_objects.RemoveHead();
        try {
            object->UnLock();
        } catch (const VqReportableException&) {
            // An object made in an aborted transaction holds no lock; the others go all the same.
        }
    }
}
