// The directory view's answer to change notices: an object already shown is refreshed in
// place, a new object gets an item when its parent's children are shown, a removed object
// loses its item, and the two view-wide notices mark the frame stale or redraw the marked
// rows. The tree is never rebuilt here, so a parent that was never expanded stays lazy.
#include "sysview/VqsDirectoryView.h"

#include "model/VqsModelNode.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "sysview/VqsSysFrame.h"
#include "sysview/VqsTreeFolder.h"
#include "sysview/VqsTreeItemSoftLink.h"
#include "sysview/VqsTreeItemSystem.h"

namespace {

constexpr int kHintColoursChanged = 19;
constexpr int kHintChangedElsewhere = 18;

BOOL IsExpandedAndShown(VqsTreeItem* item) { return item && item->GetState() == VqsTreeItem::Expanded; }

// The related object when it is set and of the class the hint expects.
BOOL RelatedIs(const PxVQObjectPtr* related, const char* className)
{
    return related && *related && (*related)->_IsKindOf(className);
}

// The folder kind bit of an element link's class.
UINT FolderOfElementLink(const PxVQElementSoftLinkPtr& link)
{
    if (link->_IsKindOf("PxVQIspecSoftLink"))
        return VqsDirectoryView::FolderIspecs;
    if (link->_IsKindOf("PxVQProfileSoftLink"))
        return VqsDirectoryView::FolderProfiles;
    if (link->_IsKindOf("PxVQGlobalLogicSoftLink"))
        return VqsDirectoryView::FolderGlobalLogics;
    if (link->_IsKindOf("PxVQReportSoftLink"))
        return VqsDirectoryView::FolderReports;
    return 0;
}

} // namespace

VqsConfigTreeItem* VqsDirectoryView::FindItemOf(const PxObjectPtr& object) const
{
    return object ? FindItem(object->GetHandle().MapKey()) : nullptr;
}

// An object with an item is refreshed in place; otherwise an expanded parent makes the
// item as its own fill would, and any other parent only shows that it has children now.
BOOL VqsDirectoryView::InsertUnder(VqsConfigTreeItem* parent, const PxVQObjectPtr& object)
{
    if (VqsConfigTreeItem* item = FindItemOf(object)) {
        item->RefreshItem();
        return TRUE;
    }
    if (IsExpandedAndShown(parent))
        parent->FillChildren(TRUE);
    else
        parent->UpdateRow(TRUE);
    return TRUE;
}

// Element links, report groups and bundles enter the folder of their kind first; the item
// follows when the link item shows its children and the folder is not collapsed.
BOOL VqsDirectoryView::InsertInFolder(VqsTreeItemBSSoftLink* link, UINT kind, const PxVQObjectPtr& object)
{
    VqsTreeFolder* folder = link->FindFolder(kind);
    if (!folder)
        return FALSE;
    folder->UpdateCache(object, TRUE);
    if (!IsExpandedAndShown(link)) {
        link->UpdateRow(TRUE);
        return TRUE;
    }
    if (folder->GetState() != VqsTreeItem::Collapsed) {
        folder->FillChildren(TRUE);
        folder->UpdateRow(TRUE);
    }
    return TRUE;
}

BOOL VqsDirectoryView::OnConfigChanged(const PxVQObjectPtr& object, const PxVQObjectPtr& related)
{
    VqsConfigTreeItem* systemItem = FindItemOf(related);
    if (!systemItem)
        return FALSE;
    if (VqsConfigTreeItem* item = FindItemOf(object)) {
        item->RefreshItem();
        return TRUE;
    }
    if (object->_IsKindOf("PxVQCurConfig"))
        return InsertUnder(systemItem, object);
    auto* system = dynamic_cast<VqsTreeItemSystem*>(systemItem);
    VqsTreeItemOldConfigs* oldConfigs = system ? system->FindOldConfigsItem() : nullptr;
    return oldConfigs && InsertUnder(oldConfigs, object);
}

// A hidden current configuration shows its links under the system: they are made when
// something of it is shown.
BOOL VqsDirectoryView::OnBSLinkChanged(const PxVQObjectPtr& object, const PxVQObjectPtr& related)
{
    VqsConfigTreeItem* configItem = FindItemOf(related);
    if (!configItem)
        return FALSE;
    if (VqsConfigTreeItem* item = FindItemOf(object)) {
        item->RefreshItem();
        return TRUE;
    }
    const BOOL shownChildren = IsExpandedAndShown(configItem) ||
                               (!configItem->IsShown() && configItem->HasShownDescendant());
    if (shownChildren)
        configItem->FillChildren(TRUE);
    else
        configItem->UpdateRow(TRUE);
    return TRUE;
}

BOOL VqsDirectoryView::OnElementLinkChanged(const PxVQObjectPtr& object, const PxVQObjectPtr& related)
{
    auto* linkItem = dynamic_cast<VqsTreeItemBSSoftLink*>(FindItemOf(related));
    if (!linkItem || !object->_IsKindOf("PxVQElementSoftLink"))
        return FALSE;
    if (VqsConfigTreeItem* item = FindItemOf(object)) {
        item->RefreshItem();
        return TRUE;
    }
    const PxVQElementSoftLinkPtr link(object);
    if (link->_IsKindOf("PxVQProfileSoftLink")) {
        if (const PxVQIspecSoftLinkPtr component = PxVQProfileSoftLinkPtr(link)->GetComponent()) {
            VqsConfigTreeItem* componentItem = FindItemOf(component);
            return componentItem && InsertUnder(componentItem, object);
        }
    }
    const UINT kind = FolderOfElementLink(link);
    return kind && InsertInFolder(linkItem, kind, object);
}

BOOL VqsDirectoryView::OnGroupingChanged(UINT folder, const PxVQObjectPtr& object, const PxVQObjectPtr& related)
{
    auto* linkItem = dynamic_cast<VqsTreeItemBSSoftLink*>(FindItemOf(related));
    if (!linkItem)
        return FALSE;
    if (VqsConfigTreeItem* item = FindItemOf(object)) {
        item->RefreshItem();
        return TRUE;
    }
    return InsertInFolder(linkItem, folder, object);
}

void VqsDirectoryView::OnObjectRemoved(const PxVQObjectPtr& object, const PxVQObjectPtr* related)
{
    VqsTreeItem* selected = GetSelectedItems().size() == 1 ? GetSelectedItem() : nullptr;
    if (VqsConfigTreeItem* item = FindItemOf(object)) {
        const BOOL moveSelection = selected && item->IsAncestorOf(selected) && item != selected;
        VqsTreeItem* parent = item->GetParent();
        if (auto* folder = dynamic_cast<VqsTreeFolder*>(parent))
            folder->UpdateCache(object, FALSE);
        if (parent) {
            VqsTreeItem* shownParent = parent->IsShown() ? parent : parent->GetShownParent();
            parent->RemoveChild(item);
            if (moveSelection && shownParent)
                shownParent->SelectExclusive();
        }
    } else if (VqsConfigTreeItem* relatedItem = related ? FindItemOf(*related) : nullptr) {
        auto* linkItem = dynamic_cast<VqsTreeItemBSSoftLink*>(relatedItem);
        if (linkItem && object->_IsKindOf("PxVQElementSoftLink"))
            linkItem->UpdateElementLinkCache(PxVQElementSoftLinkPtr(object), FALSE);
        relatedItem->UpdateRow(TRUE);
    }
    if (object->_IsKindOf("PxVQReportSoftLink"))
        m_pRoot->OnReportLinkRemoved(object);
    else if (object->_IsKindOf("PxVQIspecSoftLink"))
        m_pRoot->OnIspecLinkRemoved(object);
    OnSelectionChanged();
}

void VqsDirectoryView::RedrawMarkedRows()
{
    CListCtrl& list = GetListCtrl();
    for (int row = 0; row < list.GetItemCount(); ++row) {
        VqsTreeItem* item = GetItem(row);
        if (item && item->UsesSpecialColour())
            RedrawItems(row, row);
    }
    UpdateWindow();
}

void VqsDirectoryView::OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr* related)
{
    if (!m_pRoot)
        return;
    if (hint == kHintColoursChanged) {
        RedrawMarkedRows();
        return;
    }
    if (!object || !*object)
        return;
    const PxVQObjectPtr& changed = *object;
    const PxVQObjectPtr parent = related ? *related : PxVQObjectPtr();
    BOOL treeChanged = FALSE;
    switch (hint) {
    case VqsKindEnterprise:
        m_pRoot->RefreshItem();
        return;
    case VqsKindSystem:
        treeChanged = InsertUnder(m_pRoot, changed);
        break;
    case VqsKindConfig:
        treeChanged = RelatedIs(related, "PxVQSystem") && OnConfigChanged(changed, parent);
        break;
    case VqsKindBSLink:
        treeChanged = RelatedIs(related, "PxVQConfig") && OnBSLinkChanged(changed, parent);
        break;
    case VqsKindElementLink:
        treeChanged = RelatedIs(related, "PxVQBSSoftLink") && OnElementLinkChanged(changed, parent);
        break;
    case VqsKindRepGroup:
        treeChanged = RelatedIs(related, "PxVQBSSoftLink") && OnGroupingChanged(FolderReportGroups, changed, parent);
        break;
    case VqsKindBundle:
        treeChanged = RelatedIs(related, "PxVQBSSoftLink") && OnGroupingChanged(FolderBundles, changed, parent);
        break;
    case VqsKindRepAlias:
    case VqsKindIspecBundleData: {
        const char* parentClass = hint == VqsKindRepAlias ? "PxVQReportGroup" : "PxVQBundle";
        VqsConfigTreeItem* parentItem = RelatedIs(related, parentClass) ? FindItemOf(parent) : nullptr;
        treeChanged = parentItem && InsertUnder(parentItem, changed);
        break;
    }
    case VqsNodeGone:
        OnObjectRemoved(changed, related);
        return;
    case kHintChangedElsewhere:
        if (VqsSysFrame* frame = GetSysFrame(); frame && FindItemOf(changed))
            frame->SetRefreshPending();
        return;
    default:
        return;
    }
    if (treeChanged)
        PostUpdateAllCommands();
}
