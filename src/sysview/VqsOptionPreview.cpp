#include "sysview/VqsOptionPreview.h"

#include "model/VqsModelNode.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQTypes.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSortBatch.h"
#include "shell/VqsSysApp.h"
#include "win/ListView.h"

#include <cstring>
#include <memory>

namespace {

constexpr UINT IDB_OPTION_PREVIEW = 148;
constexpr UINT IDS_OPTION = 61688;
constexpr UINT IDS_VALUE = 61689;
constexpr UINT IDS_CANNOT_ACCESS_OPTION_VALUES = 61502;
constexpr UINT IDS_NOT_AVAILABLE = 61554;
constexpr UINT ID_TOGGLE_PREVIEW = 32806;
// Object images of the rows.
constexpr int kGroupImage = 0;
constexpr int kUpdatedGroupImage = 1;
constexpr int kOptionImage = 2;
// View-type bits, both sorted styles, label editing.
constexpr DWORD kStylesCleared = 0x233;
constexpr DWORD kStylesSet =
    LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER;

// Links whose options are the generation's own and are not shown.
BOOL HasNoShownOptions(const PxVQSoftLinkPtr& link)
{
    const int type = link->GetElementType();
    const CString name = link->GetName();
    if (type == VQSoftLinkIspec)
        return name.CompareNoCase("EVENT") == 0;
    if (type == VQSoftLinkGlobalLogic)
        return name.CompareNoCase("STARTUP") == 0 || name.CompareNoCase("CLOSEUPDATE") == 0 ||
               name.CompareNoCase("CLOSEDOWN") == 0;
    return FALSE;
}

// The one soft link among the objects; null for none or several.
PxVQSoftLinkPtr SingleSoftLink(const VqsObjectList& objects)
{
    PxVQSoftLinkPtr found;
    for (POSITION position = objects.GetHeadPosition(); position;) {
        const PxObjectPtr& object = objects.GetNext(position);
        if (!object || !object->_IsKindOf("PxVQSoftLink"))
            continue;
        if (found)
            return PxVQSoftLinkPtr();
        found = PxVQSoftLinkPtr(object);
    }
    return found;
}

BOOL SameSort(const PxOptionsPtr& a, const PxOptionsPtr& b)
{
    return a->GetOptionsType() == b->GetOptionsType() && a->GetOptionsKind() == b->GetOptionsKind();
}

} // namespace

// ---------------------------------------------------------------- rows

VqsListView* VqsOptionTreeItem::GetView() { return m_pView; }

VqsTreeView* VqsOptionTreeItem::GetTreeView() { return m_pView; }

namespace {

int Depth(const VqsTreeItem* item)
{
    int depth = 0;
    for (const VqsTreeItem* parent = item->GetParent(); parent; parent = parent->GetParent())
        ++depth;
    return depth;
}

} // namespace

int VqsOptionTreeItem::Compare(VqsTreeItem* other)
{
    if (other == this)
        return 0;
    if (IsAncestorOf(other))
        return -1;
    if (other->IsAncestorOf(this))
        return 1;
    VqsTreeItem* mine = this;
    VqsTreeItem* theirs = other;
    int myDepth = Depth(mine);
    int theirDepth = Depth(theirs);
    for (; myDepth > theirDepth; --myDepth)
        mine = mine->GetParent();
    for (; theirDepth > myDepth; --theirDepth)
        theirs = theirs->GetParent();
    while (mine->GetParent() != theirs->GetParent()) {
        mine = mine->GetParent();
        theirs = theirs->GetParent();
    }
    auto* sibling = dynamic_cast<VqsOptionTreeItem*>(theirs);
    return sibling ? static_cast<VqsOptionTreeItem*>(mine)->CompareSibling(sibling) : 0;
}

VqsOptionTreeItemItem::VqsOptionTreeItemItem(VqsTreeItem* parent, VqsOptionPreview* view, const PxOptionItemPtr& item)
    : VqsOptionTreeItem(parent, view), m_item(item), m_strName(item->GetName())
{
    ReadValue(item);
}

void VqsOptionTreeItemItem::ReadValue(const PxOptionItemPtr& item)
{
    m_item = item;
    try {
        m_strValue = m_item->GetValueText();
    } catch (const VqException& error) {
        if (VqsIsLostConnection(error))
            throw;
        m_strValue.LoadString(IDS_NOT_AVAILABLE);
    }
}

void VqsOptionTreeItemItem::Number(int index)
{
    m_nIndex = index;
    m_strNumberedName.Format("%s [%d]", m_strName.GetString(), index);
}

BOOL VqsOptionTreeItemItem::GetColumnText(int column, CString& text)
{
    if (column != 1)
        return FALSE;
    text = m_strValue;
    return TRUE;
}

BOOL VqsOptionTreeItemItem::GetBitmap(VqsBitmapRef&) { return FALSE; }

BOOL VqsOptionTreeItemItem::GetOverlayImage(VqsImageRef& image)
{
    image.nBase = kOptionImage;
    image.nVariant = 0;
    return TRUE;
}

int VqsOptionTreeItemItem::CompareSibling(VqsOptionTreeItem* other)
{
    auto* item = dynamic_cast<VqsOptionTreeItemItem*>(other);
    if (!item)
        return 0;
    const int names = std::strcmp(m_strName.GetString(), item->m_strName.GetString());
    if (names != 0)
        return names < 0 ? -1 : 1;
    if (m_nIndex >= 0 && item->m_nIndex >= 0 && m_nIndex != item->m_nIndex)
        return m_nIndex < item->m_nIndex ? -1 : 1;
    return 0;
}

VqsOptionTreeItemGroup::VqsOptionTreeItemGroup(VqsOptionPreview* view, const PxOptionGroup& group, int sequence)
    : VqsOptionTreeItem(nullptr, view), m_bUpdated(group.IsUpdated()), m_group(group), m_strName(group.GetName()),
      m_nSequence(sequence)
{
}

BOOL VqsOptionTreeItemGroup::GetBitmap(VqsBitmapRef& bitmap)
{
    bitmap.nID = IDB_OPTION_PREVIEW;
    bitmap.lpszName = nullptr;
    return TRUE;
}

BOOL VqsOptionTreeItemGroup::GetOverlayImage(VqsImageRef& image)
{
    image.nBase = m_bUpdated ? kUpdatedGroupImage : kGroupImage;
    image.nVariant = 0;
    return TRUE;
}

// Groups keep the order in which the record lists them.
int VqsOptionTreeItemGroup::CompareSibling(VqsOptionTreeItem* other)
{
    auto* group = dynamic_cast<VqsOptionTreeItemGroup*>(other);
    if (!group || group->m_nSequence == m_nSequence)
        return 0;
    return m_nSequence < group->m_nSequence ? -1 : 1;
}

void VqsOptionTreeItemGroup::UpdateState()
{
    std::vector<PxOptionItemPtr> items;
    m_group.GetOptionItems(items);
    if (items.empty())
        SetState(Leaf);
    else if (GetState() == Leaf)
        SetState(GetChildCount() ? Expanded : Collapsed);
}

void VqsOptionTreeItemGroup::FillChildren(int insertRows)
{
    std::vector<PxOptionItemPtr> items;
    m_group.GetOptionItems(items);
    VqsOptionTreeItemItem* previous = nullptr;
    int counter = 0;
    for (const PxOptionItemPtr& item : items) {
        auto* row = new VqsOptionTreeItemItem(this, m_pView, item);
        if (previous && previous->GetName() == row->GetName()) {
            if (counter == 0) {
                previous->Number(0);
                counter = 1;
            }
            row->Number(counter++);
        } else {
            counter = 0;
        }
        row->UpdateState();
        AddChild(row, TRUE);
        if (insertRows)
            row->InsertRow();
        previous = row;
    }
}

// Option rows exist only while the group is expanded.
void VqsOptionTreeItemGroup::Update(const PxOptionGroup& group)
{
    m_group = group;
    m_strName = group.GetName();
    m_bUpdated = group.IsUpdated();
    UpdateRow(TRUE);
    if (GetChildren().IsEmpty())
        return;
    std::vector<PxOptionItemPtr> items;
    m_group.GetOptionItems(items);
    for (const PxOptionItemPtr& item : items) {
        if (VqsOptionTreeItemItem* row = FindRowOf(item)) {
            row->ReadValue(item);
            row->UpdateRow(TRUE);
        }
    }
}

VqsOptionTreeItemItem* VqsOptionTreeItemGroup::FindRowOf(const PxOptionItemPtr& item) const
{
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        auto* row = dynamic_cast<VqsOptionTreeItemItem*>(GetChildren().GetNext(position));
        if (row && row->IsRowOf(item))
            return row;
    }
    return nullptr;
}

// ---------------------------------------------------------------- the view

BEGIN_MESSAGE_MAP(VqsOptionPreview, VqsTreeView)
    ON_WM_SIZE()
END_MESSAGE_MAP()

VqsOptionPreview::VqsOptionPreview() = default;

VqsOptionPreview::~VqsOptionPreview() { DeleteGroups(); }

void VqsOptionPreview::OnInitialUpdate()
{
    ModifyStyle(kStylesCleared, kStylesSet);
    CString option;
    CString value;
    option.LoadString(IDS_OPTION);
    value.LoadString(IDS_VALUE);
    const VqsColumnSpec columns[] = {{option.GetString(), 1}, {value.GetString(), 1}};
    InsertColumns(columns, 0, TRUE);
}

int VqsOptionPreview::GetColumnCount() { return 2; }

void VqsOptionPreview::Refresh(VqsModel*) {}

void VqsOptionPreview::DeleteGroups()
{
    for (VqsOptionTreeItemGroup* group : m_groups) {
        group->RemoveRows(FALSE);
        delete group;
    }
    m_groups.clear();
}

void VqsOptionPreview::Clear()
{
    DeleteGroups();
    DeleteAllItems();
    m_options = PxOptionsPtr();
    m_softLink = PxVQSoftLinkPtr();
    m_optionSet = PxVQOptionSetPtr();
    ModifyStyle(0, LVS_NOCOLUMNHEADER);
}

void VqsOptionPreview::ShowOptionSet(const PxVQOptionSetPtr& optionSet, const VqsObjectList& objects)
{
    PxOptionsPtr options;
    PxVQSoftLinkPtr link;
    try {
        link = optionSet && optionSet->ObjectPresent() ? SingleSoftLink(objects) : PxVQSoftLinkPtr();
        if (link && link->ObjectPresent() && !HasNoShownOptions(link))
            options = link->GetOptions(optionSet);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_VALUES, error);
    }
    if (!options) {
        if (m_options)
            Clear();
        return;
    }
    if (m_options && !SameSort(m_options, options))
        Clear();
    m_options = options;
    m_softLink = link;
    m_optionSet = optionSet;
    m_bRefillNeeded = TRUE;
    if (m_bShown)
        Fill();
}

// Rows of a record of the same sort stay and take the new values; other counts start anew.
void VqsOptionPreview::Fill()
{
    if (!m_options || !m_bRefillNeeded)
        return;
    CWaitCursor wait;
    VqsRedrawSwitch redraw(this);
    std::vector<PxOptionGroup> groups;
    m_options->GetListOfOptionGroups(groups);
    if (!m_groups.empty() && m_groups.size() != groups.size()) {
        DeleteGroups();
        DeleteAllItems();
    }
    BOOL reported = FALSE;
    auto report = [&](const VqReportableException& error) {
        if (!reported)
            ShowErrorById(IDS_CANNOT_ACCESS_OPTION_VALUES, error);
        reported = TRUE;
    };
    if (m_groups.empty()) {
        VqsSortBatch batch(this);
        int sequence = 0;
        for (const PxOptionGroup& group : groups) {
            std::unique_ptr<VqsOptionTreeItemGroup> row;
            try {
                row = std::make_unique<VqsOptionTreeItemGroup>(this, group, sequence++);
                row->UpdateState();
            } catch (const VqReportableException& error) {
                report(error);
                continue;
            }
            if (!row->InsertRow())
                continue;
            m_groups.push_back(row.release());
        }
    } else {
        for (std::size_t i = 0; i < groups.size(); ++i) {
            try {
                m_groups[i]->Update(groups[i]);
            } catch (const VqReportableException& error) {
                report(error);
                m_groups[i]->Collapse();
            }
        }
    }
    ModifyStyle(LVS_NOCOLUMNHEADER, 0);
    m_bRefillNeeded = FALSE;
}

void VqsOptionPreview::OnSize(UINT type, int cx, int cy)
{
    VqsTreeView::OnSize(type, cx, cy);
    if ((type != SIZE_RESTORED && type != SIZE_MAXIMIZED) || !m_hWnd)
        return;
    VqsSysFrame* frame = dynamic_cast<VqsSysFrame*>(GetListFrame());
    if (cy > 0 && !m_bShown) {
        if (frame)
            frame->PostUpdateCommand(ID_TOGGLE_PREVIEW);
        m_bShown = TRUE;
        Fill();
    } else if (cy == 0 && m_bShown) {
        if (frame)
            frame->PostUpdateCommand(ID_TOGGLE_PREVIEW);
        m_bShown = FALSE;
    }
}

void VqsOptionPreview::OnObjectChanged(int hint, const PxVQObjectPtr* object, const PxVQObjectPtr*)
{
    if (!m_options || !object || !*object)
        return;
    const BOOL recordChanged = hint == VqsKindOption && (*object)->IsSameOid(m_options);
    const BOOL linkChanged =
        (hint == VqsKindBSLink || hint == VqsKindElementLink) && m_softLink && (*object)->IsSameOid(m_softLink);
    if (!recordChanged && !linkChanged)
        return;
    VqsObjectList objects;
    objects.AddTail(PxObjectPtr(m_softLink));
    m_bRefillNeeded = TRUE;
    ShowOptionSet(m_optionSet, objects);
}
