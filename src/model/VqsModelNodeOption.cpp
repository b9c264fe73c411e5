#include "model/VqsModelNodeOption.h"

#include "model/VqsLockBag.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeOSet.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"

namespace {

const UINT IDS_CANNOT_COLLECT_PACKS = 61624;

} // namespace

int VqsModelNodeOption::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }

void VqsModelNodeOption::CollectPacks(VqsPackSpecList&) {}

bool VqsModelNodeOption::LockForPackCollection(VqsLockBag& bag)
{
    const PxOptionsPtr options = GetOptions();
    VqsModelNodeEnterprise* root = GetRoot();
    VqsModelNode* optionSet = GetParent();
    try {
        if (PxCompOptionsPtr(options)) {
            if (!bag.LockNode(root))
                return false;
            root->LoadPacks(VqsLoadReread);
            return bag.LockNode(optionSet) != 0;
        }
        if (PxIspecOptionsPtr(options) || PxGLGOptionsPtr(options))
            return bag.LockNode(optionSet) != 0;
        CObList nodes;
        nodes.AddTail(root);
        nodes.AddTail(optionSet);
        if (!bag.LockNodes(nodes))
            return false;
        root->LoadPacks(VqsLoadReread);
        return true;
    } catch (const VqReportableException& error) {
        bag.Release();
        ShowErrorById(IDS_CANNOT_COLLECT_PACKS, error);
        return false;
    }
}
