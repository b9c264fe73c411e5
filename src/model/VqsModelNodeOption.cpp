#include "model/VqsModelNodeOption.h"

#include "model/VqsLockBag.h"

int VqsModelNodeOption::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }
