// The directory view's commands that change the tree's objects or move the selection:
// Delete, Parents and the commands that add a report group, a bundle, a report or an
// Ispec under the selected item.
#include "sysview/VqsDirectoryView.h"

#include "model/VqsFixedSettings.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsParentsDlg.h"
#include "sysview/VqsSysFrame.h"
#include "sysview/VqsTreeItemSystem.h"

#include <vector>

namespace {

constexpr int kRightAdminister = 2;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_REMOVING_DATA = 61596;
constexpr UINT IDS_NO_PREVIOUS_CONFIGS = 61603;

BOOL HasAdministerRight()
{
    VqsSysApp* app = VqsGetApp();
    return app && app->HasRight(kRightAdminister);
}

void AppendOldConfigs(const PxVQSystemPtr& system, PxTypedList<PxVQObjectPtr>& objects)
{
    PxTypedList<PxVQOldConfigPtr> configs;
    system->GetListOfOldConfigs(configs);
    for (POSITION position = configs.GetHeadPosition(); position;)
        objects.AddTail(PxVQObjectPtr(configs.GetNext(position)));
}

// A folder has no object of its own: the subtree locked for its children is its link's.
PxVQObjectPtr NearestObject(VqsConfigTreeItem* item)
{
    for (; item; item = dynamic_cast<VqsConfigTreeItem*>(item->GetParent())) {
        if (PxVQObjectPtr object = item->GetObject())
            return object;
    }
    return PxVQObjectPtr();
}

} // namespace

// ---------------------------------------------------------------- delete

// The objects the selected rows stand for, in row order; FALSE when the selection may not
// be deleted as a whole (rows under different parents, a row whose object is gone).
BOOL VqsDirectoryView::CollectDeleteList(PxTypedList<PxVQObjectPtr>& objects)
{
    const std::vector<VqsConfigTreeItem*> items = GetSelectedItems();
    VqsTreeItem* parent = items.front()->GetParent();
    for (VqsConfigTreeItem* item : items) {
        if (!item || item->GetParent() != parent || !item->IsOpenable())
            return FALSE;
        if (auto* holder = dynamic_cast<VqsTreeItemOldConfigs*>(item)) {
            holder->Expand();
            AppendOldConfigs(holder->GetSystem(), objects);
        } else if (dynamic_cast<VqsTreeItemSystem*>(item)) {
            AppendOldConfigs(item->GetSystem(), objects);
            objects.AddTail(item->GetObject());
        } else {
            objects.AddTail(item->GetObject());
        }
    }
    return TRUE;
}

void VqsDirectoryView::OnDelete()
{
    const std::vector<VqsConfigTreeItem*> items = GetSelectedItems();
    if (items.empty() || !items.front())
        return;
    VqsConfigTreeItem* first = items.front();
    const BOOL needsRight = !VqsNonAdminCanDeleteGenSets() || dynamic_cast<VqsTreeItemSystem*>(first);
    if (needsRight && !HasAdministerRight()) {
        VqsMessageBoxId(IDS_SECURITY_VIOLATION);
        return;
    }
    PxVQObjectPtr commonParent;
    if (VqsTreeItem* parent = first->GetParent()) {
        auto* parentItem = dynamic_cast<VqsConfigTreeItem*>(parent);
        if (!parentItem)
            return;
        commonParent = NearestObject(parentItem);
    }
    PxTypedList<PxVQObjectPtr> objects;
    try {
        if (!CollectDeleteList(objects))
            return;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_NO_PREVIOUS_CONFIGS, error);
        return;
    }
    if (objects.IsEmpty())
        return;
    VqsSysFrame* frame = GetSysFrame();
    {
        StatusMessage refreshing(frame, IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        if (VqsSysApp* app = VqsGetApp())
            app->RefreshAllViews(&model);
        if (!model.LockSubtree(bag, commonParent))
            return;
        StatusMessage removing(frame, IDS_REMOVING_DATA);
        model.DeleteObject(bag, objects);
    }
    OnSelectionChanged();
}

// ---------------------------------------------------------------- parents

namespace {

std::vector<VqsTreeItem*> ListedAncestors(VqsTreeItem* item)
{
    std::vector<VqsTreeItem*> ancestors;
    for (VqsTreeItem* parent = item->GetListedParent(); parent; parent = parent->GetListedParent())
        ancestors.push_back(parent);
    return ancestors;
}

} // namespace

void VqsDirectoryView::OnParents()
{
    VqsTreeItem* selected = GetSelectedItems().size() == 1 ? GetSelectedItem() : nullptr;
    if (!selected)
        return;
    const std::vector<VqsTreeItem*> ancestors = ListedAncestors(selected);
    VqsParentsDlg dialog(this);
    for (VqsTreeItem* ancestor : ancestors)
        dialog.AddName(ancestor->GetText());
    // The dialog's loop may have closed the view, and its items with it.
    if (dialog.DoModal() != IDOK || !m_hWnd)
        return;
    const int chosen = dialog.GetSelectedIndex();
    if (chosen < 0 || chosen >= static_cast<int>(ancestors.size()))
        return;
    VqsTreeItem* parent = ancestors[static_cast<std::size_t>(chosen)];
    if (!parent->IsShown()) {
        CWaitCursor wait;
        BOOL shown = FALSE;
        {
            VqsRedrawSwitch redraw(this);
            shown = parent->MakeVisible();
            RedrawAllItems();
        }
        UpdateWindow();
        if (!shown)
            return;
    }
    parent->SelectExclusive();
    parent->EnsureVisible();
    OnSelectionChanged();
    PostUpdateAllCommands();
}

// ---------------------------------------------------------------- add commands

template <class Child, class Object, class Node>
void VqsDirectoryView::RunAddCommand(BOOL underParent, Object (VqsConfigTreeItem::*objectOf)(),
                                     Node* (VqsModel::*lockNode)(VqsLockBag&, const Object&),
                                     Child (VqsModel::*runDialog)(VqsLockBag&, Node*))
{
    VqsConfigTreeItem* item = GetSelectedItems().size() == 1 ? GetSelectedConfigItem() : nullptr;
    if (!item || (underParent && !dynamic_cast<VqsConfigTreeItem*>(item->GetParent())))
        return;
    const Object object = (item->*objectOf)();
    if (!object)
        return;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    Node* node = nullptr;
    {
        StatusMessage refreshing(GetSysFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = (model.*lockNode)(bag, object);
    }
    if (!node)
        return;
    const Child child = (model.*runDialog)(bag, node);
    // The dialog's loop may have closed the view, and its items with it.
    if (!child || !m_hWnd)
        return;
    CWaitCursor wait;
    item->Expand();
    if (VqsConfigTreeItem* childItem = FindItemOf(child))
        childItem->SelectExclusive();
    OnSelectionChanged();
}

void VqsDirectoryView::OnNewReportGroup()
{
    RunAddCommand(FALSE, &VqsConfigTreeItem::GetBSSoftLink, &VqsModel::LockBSLinkNode, &VqsModel::OpenReportGroupDlg);
}

void VqsDirectoryView::OnAddReport()
{
    RunAddCommand(TRUE, &VqsConfigTreeItem::GetReportGroup, &VqsModel::LockReportGroupNode, &VqsModel::EditRepAlias);
}

void VqsDirectoryView::OnNewBundle()
{
    RunAddCommand(FALSE, &VqsConfigTreeItem::GetBSSoftLink, &VqsModel::LockBSLinkNode, &VqsModel::OpenBundleDlg);
}

// The Ispec membership dialog adds the entries itself; the bundle's row is opened to show them.
void VqsDirectoryView::OnAddIspec()
{
    VqsConfigTreeItem* item = GetSelectedItems().size() == 1 ? GetSelectedConfigItem() : nullptr;
    if (!item || !dynamic_cast<VqsConfigTreeItem*>(item->GetParent()))
        return;
    const PxVQBundlePtr bundle = item->GetBundle();
    if (!bundle)
        return;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeBundle* node = nullptr;
    {
        StatusMessage refreshing(GetSysFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = model.LockBundleNode(bag, bundle);
    }
    if (!node)
        return;
    model.EditIspecBundle(bag, node);
    CWaitCursor wait;
    item->Expand();
    OnSelectionChanged();
}
