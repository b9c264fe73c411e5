// Open Selected and Options of the directory view: which dialog each item kind opens, the
// "Open" pickers of report groups, bundles and systems, and the checks that keep a soft link
// without options for the selected host type from opening an empty dialog.
#include "sysview/VqsDirectoryView.h"

#include "config/VqsOpenPickers.h"
#include "config/VqsOptionsSystemDlg.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "options/VqsSoftLinkOptionsDlg.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/VqException.h"
#include "shell/StatusMessage.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsConfigTreeItem.h"
#include "sysview/VqsSysFrame.h"
#include "win/Input.h"

namespace {

constexpr UINT ID_OPEN_MODEL = 32825;
constexpr UINT IDS_REFRESHING_VIEWS = 61524;
constexpr UINT IDS_NOT_IMPLEMENTED = 61636;
constexpr UINT IDS_CANNOT_ACCESS_SYSTEM = 61643;
constexpr UINT IDS_CANNOT_ACCESS_OPTIONS = 61502;
constexpr UINT IDS_NO_OPTIONS_FOR_HOST_TYPE = 61911;
constexpr UINT kOpenPlain = 0;
constexpr UINT kOpenOptions = VqsOpenPickerDlg::IDC_OPTIONS;
constexpr int kHostTypeNT = 0;
constexpr int kHostTypeQSR = 1;
constexpr int kHostTypeTarsk = 2;
constexpr int kIspecUsageNone = 0;
constexpr int kIspecUsageInput = 2;
constexpr UINT kDefaultBeep = 0;

// A profile that a Tarsk host generates with its Ispec has no options of its own.
BOOL IsTarskProfileWithoutOptions(const PxVQSoftLinkPtr& link, int hostType)
{
    if (hostType != kHostTypeTarsk || !link->_IsKindOf("PxVQProfileSoftLink"))
        return FALSE;
    const PxVQProfileSoftLinkPtr profile(link);
    return (profile->GetPrimary() && !profile->GetOverEvent()) || profile->GetAutoMaint();
}

} // namespace

// ---------------------------------------------------------------- commands

void VqsDirectoryView::OnOpenSelected()
{
    VqsConfigTreeItem* item = GetSelectedConfigItem();
    int kind = 0;
    if (!item || !item->GetObjectKind(kind))
        return;
    switch (kind) {
    case PxKindEnterprise:
        if (VqsSysFrame* frame = GetSysFrame())
            frame->PostMessage(WM_COMMAND, ID_OPEN_MODEL, 0);
        break;
    case PxKindIspecBundleData:
    case PxKindReportAlias:
    case PxKindBSSoftLink:
    case PxKindElementSoftLink:
        OpenSelectedItem(kOpenPlain);
        break;
    case PxKindReportGroup:
    case PxKindBundle:
    case PxKindSystem:
        RunPicker(item, kind);
        break;
    default:
        VqsMessageBoxId(IDS_NOT_IMPLEMENTED);
        break;
    }
}

void VqsDirectoryView::OnOptions() { OpenSelectedItem(kOpenOptions); }

// ---------------------------------------------------------------- pickers

namespace {

// The picker of the kind, built on the object's node; null when the model has no node.
std::unique_ptr<VqsOpenPickerDlg> MakePicker(VqsModel& model, const PxVQObjectPtr& object, int kind, CWnd* parent)
{
    switch (kind) {
    case PxKindReportGroup:
        if (VqsModelNode* node = model.FindReportGroupNode(PxVQReportGroupPtr(object)))
            return std::make_unique<VqsOpenRepGroupDlg>(node, parent);
        break;
    case PxKindBundle:
        if (VqsModelNode* node = model.FindBundleNode(PxVQBundlePtr(object)))
            return std::make_unique<VqsOpenBundleDlg>(node, parent);
        break;
    default:
        if (VqsModelNode* node = model.FindSystemNodeOfCurConfig(PxVQSystemPtr(object)))
            return std::make_unique<VqsOpenSystemDlg>(node, parent);
        break;
    }
    return nullptr;
}

PxVQObjectPtr PickedObject(VqsOpenPickerDlg& picker, int kind)
{
    switch (kind) {
    case PxKindReportGroup:
        return static_cast<VqsOpenRepGroupDlg&>(picker).GetSelected();
    case PxKindBundle:
        return static_cast<VqsOpenBundleDlg&>(picker).GetSelected();
    default:
        return static_cast<VqsOpenSystemDlg&>(picker).GetSelected();
    }
}

} // namespace

void VqsDirectoryView::RunPicker(VqsConfigTreeItem* item, int kind)
{
    const PxVQObjectPtr object = item->GetObject();
    if (!object || TellSelectionGone())
        return;
    INT_PTR result = IDCANCEL;
    PxVQObjectPtr picked;
    {
        VqsModel model;
        std::unique_ptr<VqsOpenPickerDlg> picker;
        {
            CWaitCursor wait;
            if (VqsSysApp* app = VqsGetApp())
                app->RefreshAllViews(&model);
            picker = MakePicker(model, object, kind, this);
        }
        // The refresh finds no node of an object another user deleted meanwhile.
        if (!picker) {
            TellSelectionGone();
            return;
        }
        StatusMessage status(GetSysFrame(), "");
        result = picker->DoModal();
        picked = PickedObject(*picker, kind);
    }
    // The picker's loop may have closed the view.
    if ((result != VqsOpenPickerDlg::IDC_OPTIONS && result != VqsOpenPickerDlg::IDC_ISPECS_IN_BUNDLE) || !picked ||
        !m_hWnd)
        return;
    if (picked->IsSameOid(object)) {
        OpenSelectedItem(static_cast<UINT>(result));
        return;
    }
    if (SelectPickedItem(item, picked))
        OpenSelectedItem(static_cast<UINT>(result));
}

// The picked object is a sibling of the item's object: its row is shown under the item's
// parent, which is expanded first when it is not shown.
BOOL VqsDirectoryView::SelectPickedItem(VqsConfigTreeItem* item, const PxVQObjectPtr& picked)
{
    if (!item->GetShownParent()) {
        VqsTreeItem* listed = item->GetListedParent();
        if (!listed)
            return FALSE;
        CWaitCursor wait;
        VqsRedrawSwitch redraw(this);
        if (!listed->MakeVisible())
            return FALSE;
    }
    VqsConfigTreeItem* pickedItem = FindItemOf(picked);
    if (!pickedItem)
        return FALSE;
    pickedItem->SelectExclusive();
    return TRUE;
}

// ---------------------------------------------------------------- the dialog of an item

void VqsDirectoryView::OpenSelectedItem(UINT mode)
{
    VqsConfigTreeItem* item = GetSelectedItems().size() == 1 ? GetSelectedConfigItem() : nullptr;
    int kind = 0;
    if (!item || !item->GetObjectKind(kind))
        return;
    switch (kind) {
    case PxKindSystem:
        OpenSystemOptions(item);
        break;
    case PxKindBSSoftLink:
    case PxKindElementSoftLink:
        OpenSoftLinkOptions(item, kind);
        break;
    case PxKindReportAlias:
        OpenReportAlias(item);
        break;
    case PxKindReportGroup:
        OpenReportGroup(item);
        break;
    case PxKindBundle:
        OpenBundle(item, mode);
        break;
    default:
        break;
    }
}

void VqsDirectoryView::OpenSystemOptions(VqsConfigTreeItem* item)
{
    const PxVQSystemPtr system = item->GetSystem();
    if (!system)
        return;
    try {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeSystem* node = nullptr;
        {
            StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
            CWaitCursor wait;
            node = model.LockSystemNode(bag, system);
        }
        if (!node)
            return;
        VqsOptionsSystemDlg dialog(&bag, node, system->GetObjectEdition(), this);
        dialog.DoModal();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_SYSTEM, error);
    }
}

// Shows "no options" in the status bar for a while instead of a dialog; the text goes again
// when the frame's timer says so, so the user interface is never held up.
void VqsDirectoryView::ShowNoOptionsNotice()
{
    VqsSysFrame* frame = GetSysFrame();
    if (!frame)
        return;
    if (!m_bNoticeShown)
        m_strStatusBeforeNotice = frame->GetStatusText();
    CString text;
    text.LoadString(IDS_NO_OPTIONS_FOR_HOST_TYPE);
    frame->SetStatusText(text);
    MessageBeep(kDefaultBeep);
    m_bNoticeShown = TRUE;
    SetTimer(kNoticeTimer, kNoticeMilliseconds);
}

void VqsDirectoryView::OnTimer(UINT_PTR id)
{
    if (id != kNoticeTimer)
        return;
    KillTimer(kNoticeTimer);
    if (!m_bNoticeShown)
        return;
    m_bNoticeShown = FALSE;
    if (VqsSysFrame* frame = GetSysFrame())
        frame->SetStatusText(m_strStatusBeforeNotice);
}

// Which soft links have no options for the selected option set's host type; TRUE when the
// caller may open the options dialog. `parentOptions` tells the dialog to show only the
// business segment's database pages.
BOOL VqsDirectoryView::CheckSoftLinkOptions(VqsConfigTreeItem*& item, int kind, BOOL& parentOptions,
                                            PxVQSoftLinkPtr& link, PxVQOptionSetPtr& optionSet)
{
    parentOptions = FALSE;
    if (kind == PxKindElementSoftLink && item->AllowsOptionsWhenMarked()) {
        auto* parent = dynamic_cast<VqsConfigTreeItem*>(item->GetParent());
        if (parent && parent->UsesSpecialColour())
            parent = dynamic_cast<VqsConfigTreeItem*>(parent->GetParent());
        if (!parent)
            return FALSE;
        item = parent;
        parentOptions = TRUE;
    }
    if (item->UsesSpecialColour())
        return FALSE;
    const PxVQObjectPtr object = item->GetObject();
    VqsSysFrame* frame = GetSysFrame();
    optionSet = frame ? frame->GetSelectedOptionSet() : PxVQOptionSetPtr();
    if (!object || !object->_IsKindOf("PxVQSoftLink") || !optionSet)
        return FALSE;
    link = PxVQSoftLinkPtr(object);
    const int hostType = optionSet->GetHostType();
    const BOOL ispec = link->_IsKindOf("PxVQIspecSoftLink");
    const int usage = ispec ? PxVQIspecSoftLinkPtr(link)->GetIspecUsage() : -1;
    if (usage == kIspecUsageInput && (hostType == kHostTypeQSR || hostType == kHostTypeTarsk))
        parentOptions = TRUE;
    if (IsTarskProfileWithoutOptions(link, hostType)) {
        ShowNoOptionsNotice();
        return FALSE;
    }
    if (hostType != kHostTypeQSR && item->IsAutomatic()) {
        MessageBeep(kDefaultBeep);
        return FALSE;
    }
    if ((hostType == kHostTypeNT && parentOptions) || usage == kIspecUsageNone) {
        ShowNoOptionsNotice();
        return FALSE;
    }
    return TRUE;
}

void VqsDirectoryView::OpenSoftLinkOptions(VqsConfigTreeItem* item, int kind)
{
    BOOL parentOptions = FALSE;
    PxVQSoftLinkPtr link;
    PxVQOptionSetPtr optionSet;
    if (!CheckSoftLinkOptions(item, kind, parentOptions, link, optionSet))
        return;
    try {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeOption* option = nullptr;
        VqsModelNodeLink* linkNode = nullptr;
        {
            StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
            if (!model.FindOptionsOfElementLink(bag, option, linkNode, item->GetConfig(), link, optionSet))
                return;
        }
        VqsSoftLinkOptionsDlg dialog(&bag, linkNode, option, 0, this);
        dialog.SetEventView(parentOptions);
        dialog.DoModal();
        const PxVQSoftLinkPtr shown = dialog.GetSoftLink();
        if (shown && shown->ObjectPresent() && m_hWnd) {
            if (VqsConfigTreeItem* shownItem = FindItemOf(shown))
                shownItem->SelectExclusive();
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTIONS, error);
    }
}

void VqsDirectoryView::OpenReportAlias(VqsConfigTreeItem* item)
{
    const PxVQReportSoftLinkAliasPtr alias(item->GetObject());
    if (!alias)
        return;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeRepAlias* aliasNode = nullptr;
    VqsModelNodeElementLink* reportNode = nullptr;
    {
        StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        if (!model.LockReportGroupNode(bag, alias->GetReportGroup()))
            return;
        reportNode = dynamic_cast<VqsModelNodeElementLink*>(model.LockElementLinkNode(bag, alias->GetSoftLink()));
        aliasNode = reportNode ? model.LockRepAliasNode(bag, alias) : nullptr;
    }
    if (aliasNode)
        model.EditReportAlias(bag, aliasNode, reportNode);
}

void VqsDirectoryView::OpenReportGroup(VqsConfigTreeItem* item)
{
    const PxVQReportGroupPtr group = item->GetReportGroup();
    if (!group)
        return;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeRepGroup* node = nullptr;
    {
        StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = model.LockReportGroupNode(bag, group);
    }
    if (node)
        model.EditReportGroup(bag, node);
}

void VqsDirectoryView::OpenBundle(VqsConfigTreeItem* item, UINT mode)
{
    const PxVQBundlePtr bundle = item->GetBundle();
    if (!bundle)
        return;
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeBundle* node = nullptr;
    {
        StatusMessage status(GetSysFrame(), IDS_REFRESHING_VIEWS);
        CWaitCursor wait;
        node = model.LockBundleNode(bag, bundle);
    }
    if (!node)
        return;
    if (mode == kOpenOptions)
        model.EditBundle(bag, node);
    else
        model.OpenIspecBundleDlg(bag, node);
}
