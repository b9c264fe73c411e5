#include "model/VqsModelNodeOption.h"

#include "model/VqsLockBag.h"
#include "model/VqsModelNodeOSet.h"

VqsModelNodeOSet* VqsModelNodeOption::GetOptionSetNode() const { return static_cast<VqsModelNodeOSet*>(GetParent()); }

int VqsModelNodeOption::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }
