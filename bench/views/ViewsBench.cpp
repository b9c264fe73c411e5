// A tree view at the size of a large system directory: expanding a tree of 20,000 items in
// one branch expansion (rows appended, sorted once) and painting one page of it.
#include "shell/VqsListFrame.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTreeItem.h"
#include "shell/VqsTreeView.h"
#include "win/CString.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

constexpr int kGroups = 100;
constexpr int kMembers = 199;  // 100 groups of 199 and the groups themselves: 20,000 items

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

// Children are listed in an order unlike the tree order, as repositories list them.
class Item : public VqsTreeItem {
public:
    Item(Item* parent, std::string text, int depth, View* view = nullptr)
        : VqsTreeItem(parent), m_text(std::move(text)), m_depth(depth), m_view(view)
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
        const int count = m_depth == 0 ? kGroups : m_depth == 1 ? kMembers : 0;
        for (int i = 0; i < count; ++i) {
            auto* child = new Item(this, Name(i * 7919 % count), m_depth + 1);
            child->UpdateState();
            AddChild(child, TRUE);
            if (insertRows)
                child->InsertRow();
        }
    }
    void UpdateState() override { SetState(m_depth < 2 ? (GetChildCount() ? Expanded : Collapsed) : Leaf); }
    VqsListView* GetView() override { return m_view ? m_view : VqsTreeItem::GetView(); }
    VqsTreeView* GetTreeView() override { return m_view ? m_view : VqsTreeItem::GetTreeView(); }

private:
    std::string Name(int index) const
    {
        CString name;
        name.Format("%s%05d", m_depth == 0 ? "SYSTEM" : "ELEMENT", index);
        return name.str();
    }

    std::string m_text;
    int m_depth;
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
        Item root(nullptr, "ENTERPRISE", 0, tree.view);
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
    Item root(nullptr, "ENTERPRISE", 0, tree.view);
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

} // namespace

BENCHMARK_MAIN();
