// A tree view at the size of a large system directory: expanding a tree of 20,000 items in
// one branch expansion (rows appended, sorted once) and painting one page of it; expanding
// one item of 2,500 to 80,000 children, whose cost per child should barely grow with their
// number, and painting a page of such children.
#include "shell/VqsListFrame.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"
#include "win/CString.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

// Children of the top item and of each of them, listed in an order unlike the tree order or,
// as some repository lists are, in it.
struct Shape {
    int groups;
    int members;
    bool listedInOrder = false;
};

constexpr Shape kDirectory{100, 199};  // 100 groups of 199 and the groups themselves: 20,000 items

class Frame : public VqsListFrame {
public:
    Frame() : VqsListFrame(nullptr, nullptr, nullptr) {}
    VqsListView* GetCurrentView() override { return view; }
    VqsListView* GetNextView(VqsListView* previous) override { return previous ? nullptr : view; }
    VqsListView* GetNextPane(VqsListView* previous) override { return previous ? nullptr : view; }
    VqsListView* view = nullptr;
};

class View : public VqsTreeView {
public:
    void Refresh(VqsModel*) override {}
    int GetColumnCount() override { return 1; }
};

class Item : public VqsTreeItem {
public:
    Item(Item* parent, std::string text, int depth, Shape shape, View* view = nullptr)
        : VqsTreeItem(parent), m_text(std::move(text)), m_depth(depth), m_shape(shape), m_view(view)
    {
    }
    const char* GetText() override { return m_text.c_str(); }
    const char* GetDisplayText() override { return m_text.c_str(); }
    BOOL GetBitmap(VqsBitmapRef& bitmap) override
    {
        bitmap.nID = 130;
        return TRUE;
    }
    int Compare(VqsTreeItem* other) override
    {
        auto* item = static_cast<Item*>(other);
        if (m_depth != item->m_depth) {
            Item* deeper = m_depth > item->m_depth ? this : item;
            Item* ancestor = static_cast<Item*>(deeper->GetParent());
            if (ancestor == (deeper == this ? item : this))
                return deeper == this ? 1 : -1;
            return deeper == this ? ancestor->Compare(item) : Compare(ancestor);
        }
        if (GetParent() != item->GetParent())
            return static_cast<Item*>(GetParent())->Compare(item->GetParent());
        const int order = std::strcmp(m_text.c_str(), item->m_text.c_str());
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
    void FillChildren(int insertRows) override
    {
        const int count = ChildCount();
        for (int i = 0; i < count; ++i) {
            auto* child = new Item(this, Name(m_shape.listedInOrder ? i : i * 7919 % count), m_depth + 1, m_shape);
            child->UpdateState();
            AddChild(child, TRUE);
            if (insertRows)
                child->InsertRow();
        }
    }
    void UpdateState() override { SetState(ChildCount() ? (GetChildCount() ? Expanded : Collapsed) : Leaf); }
    VqsListView* GetView() override { return m_view ? m_view : VqsTreeItem::GetView(); }
    VqsTreeView* GetTreeView() override { return m_view ? m_view : VqsTreeItem::GetTreeView(); }

private:
    int ChildCount() const { return m_depth == 0 ? m_shape.groups : m_depth == 1 ? m_shape.members : 0; }

    std::string Name(int index) const
    {
        CString name;
        name.Format("%s%05d", m_depth == 0 ? "SYSTEM" : "ELEMENT", index);
        return name.str();
    }

    std::string m_text;
    int m_depth;
    Shape m_shape;
    View* m_view;
};

struct Tree {
    Tree()
    {
        host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
        frame = new Frame;
        VqsCreateFrameOverHost(frame, host.m_hWnd);
        view = new View;
        view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), frame, AFX_IDW_PANE_FIRST);
        view->ModifyStyle(0, LVS_REPORT | LVS_OWNERDRAWFIXED);
        frame->view = view;
        frame->RecalcLayout();
        static const VqsColumnSpec columns[] = {{"Name", 100}};
        view->InsertColumns(columns, 0, TRUE);
    }

    VqsSysApp app;
    CWnd host;
    Frame* frame = nullptr;
    View* view = nullptr;
};

void BM_ExpandTreeOf20000Items(benchmark::State& state)
{
    Tree tree;
    int rows = 0;
    for (auto _ : state) {
        Item root(nullptr, "ENTERPRISE", 0, kDirectory, tree.view);
        root.SetState(VqsTreeItem::Collapsed);
        root.InsertRow();
        root.ExpandBranch();
        state.PauseTiming();
        rows = tree.view->GetListCtrl().GetItemCount();
        tree.view->DeleteAllItems();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_ExpandTreeOf20000Items)->Unit(benchmark::kMillisecond);

void BM_PaintOnePageOf20000Items(benchmark::State& state)
{
    Tree tree;
    Item root(nullptr, "ENTERPRISE", 0, kDirectory, tree.view);
    root.SetState(VqsTreeItem::Collapsed);
    root.InsertRow();
    root.ExpandBranch();
    tree.view->GetListCtrl().EnsureVisible(10000, FALSE);
    for (auto _ : state) {
        tree.view->Invalidate();
        tree.view->UpdateWindow();
    }
    state.counters["rows"] = tree.view->GetListCtrl().GetCountPerPage();
}
BENCHMARK(BM_PaintOnePageOf20000Items)->Unit(benchmark::kMicrosecond);

// Items per second is children per second; at 80,000 it should be at least a third of the rate
// at 2,500 (only the one sort of the rows grows faster than the children).
void BM_ExpandOneItemOfManyChildren(benchmark::State& state)
{
    const int children = static_cast<int>(state.range(0));
    Tree tree;
    for (auto _ : state) {
        Item root(nullptr, "SYSTEM", 0, Shape{children, 0}, tree.view);
        root.SetState(VqsTreeItem::Collapsed);
        root.InsertRow();
        root.Expand();
        state.PauseTiming();
        tree.view->DeleteAllItems();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * children);
}
BENCHMARK(BM_ExpandOneItemOfManyChildren)->Arg(2500)->Arg(20000)->Arg(80000)->Unit(benchmark::kMillisecond);

// Every row of the last page asks whether it is its parent's last child.
void BM_PaintLastPageOfManyChildren(benchmark::State& state)
{
    const int children = static_cast<int>(state.range(0));
    Tree tree;
    Item root(nullptr, "SYSTEM", 0, Shape{children, 0, true}, tree.view);
    root.SetState(VqsTreeItem::Collapsed);
    root.InsertRow();
    root.Expand();
    tree.view->GetListCtrl().EnsureVisible(children, FALSE);
    for (auto _ : state) {
        tree.view->Invalidate();
        tree.view->UpdateWindow();
    }
    state.counters["rows"] = tree.view->GetListCtrl().GetCountPerPage();
}
BENCHMARK(BM_PaintLastPageOfManyChildren)->Arg(2500)->Arg(80000)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
