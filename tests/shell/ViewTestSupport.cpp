#include "ViewTestSupport.h"

#include "proxy/VqException.h"
#include "shell/VqsSysApp.h"
#include "win/MbString.h"

#include <algorithm>

namespace viewtest {

VqsListView* ViewFrame::Next(VqsListView* previous) const
{
    if (!previous)
        return views.empty() ? nullptr : views.front();
    auto at = std::find(views.begin(), views.end(), previous);
    return at == views.end() || at + 1 == views.end() ? nullptr : *(at + 1);
}

ViewFrame* MakeViewFrame(CWnd& host, int width, int height)
{
    host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr);
    auto* frame = new ViewFrame;
    return VqsCreateFrameOverHost(frame, host.m_hWnd) ? frame : nullptr;
}

// ---------------------------------------------------------------- rows

CString RowsView::GetColumnText(VqsListItem* item, int column)
{
    auto* row = dynamic_cast<Row*>(item);
    if (!row || column < 0 || column >= static_cast<int>(row->texts.size()))
        return CString();
    return CString(row->texts[static_cast<std::size_t>(column)].c_str());
}

int RowsView::Add(Row* row, BOOL sorted)
{
    const int index = InsertListItem(sorted, -1, row, reinterpret_cast<LPARAM>(static_cast<VqsListItem*>(row)), FALSE);
    if (index >= 0)
        row->SetListed(true);
    return index;
}

std::vector<std::string> RowsView::Texts()
{
    std::vector<std::string> texts;
    for (int row = 0; row < GetListCtrl().GetItemCount(); ++row)
        texts.push_back(GetListCtrl().GetItemText(row, 0).str());
    return texts;
}

// ---------------------------------------------------------------- tree

ScriptItem::ScriptItem(Script& owner, std::string itemName, ScriptItem* parent, TreeView* view)
    : VqsTreeItem(parent), script(owner), name(std::move(itemName)), serial(++owner.created), treeView(view)
{
}

BOOL ScriptItem::GetBitmap(VqsBitmapRef& bitmap)
{
    if (!script.bitmaps.count(name))
        return FALSE;
    bitmap.nID = 130;
    return TRUE;
}

BOOL ScriptItem::GetOverlayImage(VqsImageRef& image)
{
    if (!script.images.count(name))
        return FALSE;
    image = VqsImageRef{1, 0};
    return TRUE;
}

BOOL ScriptItem::GetColumnText(int column, CString& text)
{
    auto found = script.columns.find(name);
    if (found == script.columns.end() || column < 1 || column > static_cast<int>(found->second.size()))
        return FALSE;
    text = found->second[static_cast<std::size_t>(column - 1)].c_str();
    return TRUE;
}

namespace {

std::vector<const char*> PathOf(VqsTreeItem* item)
{
    std::vector<const char*> path;
    for (; item; item = item->GetParent())
        path.insert(path.begin(), item->GetText());
    return path;
}

} // namespace

int ScriptItem::Compare(VqsTreeItem* other)
{
    ++script.comparisons;
    const std::vector<const char*> mine = PathOf(this);
    const std::vector<const char*> theirs = PathOf(other);
    for (std::size_t i = 0; i < mine.size() && i < theirs.size(); ++i) {
        if (const int order = _mbsicmp(mine[i], theirs[i]))
            return order < 0 ? -1 : 1;
    }
    return mine.size() < theirs.size() ? -1 : mine.size() > theirs.size() ? 1 : 0;
}

ScriptItem* ScriptItem::Child(const std::string& childName)
{
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        auto* child = static_cast<ScriptItem*>(GetChildren().GetNext(position));
        if (child->name == childName)
            return child;
    }
    return nullptr;
}

void ScriptItem::FillChildren(int insertRows)
{
    ++script.fills[name];
    if (script.failing.count(name))
        throw VqReportableException(__FILE__, __LINE__, "The repository is not available.");
    for (const std::string& childName : script.children[name]) {
        if (Child(childName))
            continue;
        auto* child = new ScriptItem(script, childName, this);
        child->UpdateState();
        AddChild(child, TRUE);
        if (insertRows && child->IsShown() && !child->InsertRow())
            RemoveChild(child);
    }
}

void ScriptItem::UpdateState()
{
    const bool hasChildren = !script.children[name].empty();
    if (GetState() == Leaf && hasChildren)
        SetState(GetChildCount() ? Expanded : Collapsed);
    else if ((GetState() == Collapsed || GetState() == Expanded) && !hasChildren)
        SetState(Leaf);
}

VqsListView* ScriptItem::GetView() { return treeView ? treeView : VqsTreeItem::GetView(); }

VqsTreeView* ScriptItem::GetTreeView()
{
    if (rowless)
        return nullptr;
    return treeView ? treeView : VqsTreeItem::GetTreeView();
}

LRESULT TreeView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == LVM_SORTITEMS)
        ++sorts;
    return VqsTreeView::WindowProc(message, wParam, lParam);
}

std::vector<std::string> TreeView::Rows()
{
    std::vector<std::string> rows;
    for (int row = 0; row < GetListCtrl().GetItemCount(); ++row) {
        VqsTreeItem* item = GetItem(row);
        rows.push_back(item ? std::string(2 * static_cast<std::size_t>(item->GetLevel()), ' ') + item->GetText()
                            : std::string("?"));
    }
    return rows;
}

int TreeView::SelectedRow()
{
    return GetListCtrl().GetSelectedCount() == 1 ? GetListCtrl().GetNextItem(-1, LVNI_SELECTED) : -1;
}

} // namespace viewtest
