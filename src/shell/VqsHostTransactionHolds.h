// The lock holds a host's open transaction keeps for its steps. A step inside it joins the
// host's repository transaction, so nothing it writes is stored before the host closes the
// transaction: a future-update or write hold it gives back meanwhile stays here until then,
// or another user could change, or make again, what is not stored yet. Reads go when their
// step gives them back.
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQObject.h"

#include <map>
#include <vector>

class VqsHostTransactionHolds {
public:
    // Whether a hold of the kind stays with the transaction.
    static bool Keeps(int kind);
    // One hold of the kind on each object, as many as the list names it.
    void Keep(PxTypedList<PxVQObjectPtr>& objects, int kind);
    bool IsEmpty() const { return m_kept.empty(); }
    // Gives every hold kept back, once the host's repository transaction has ended: the holds
    // of a kind all together, in one lock-store call however many the steps kept.
    void GiveBack();

private:
    std::map<int, std::vector<PxVQObjectPtr>> m_kept;
};
