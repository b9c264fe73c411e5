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

VqsModelNodeOSet* VqsModelNodeOption::GetOptionSetNode() const { return static_cast<VqsModelNodeOSet*>(GetParent()); }

int VqsModelNodeOption::LockPath(VqsLockBag& bag, const PxVQObjectPtr&) { return bag.LockNode(this); }

void VqsModelNodeOption::CollectPacks(VqsPackSpecList&) {}

bool VqsModelNodeOption::LockForPackCollection(VqsLockBag& bag)
{
    const PxOptionsPtr options = GetOptions();
    VqsModelNodeEnterprise* root = GetRoot();
    try {
        if (PxCompOptionsPtr(options)) {
            if (!bag.LockNode(root))
                return false;
            root->LoadPacks(VqsLoadReread);
            return bag.LockNode(GetOptionSetNode()) != 0;
        }
        if (PxIspecOptionsPtr(options) || PxGLGOptionsPtr(options))
            return bag.LockNode(GetOptionSetNode()) != 0;
        CObList nodes;
        nodes.AddTail(root);
        nodes.AddTail(GetOptionSetNode());
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
