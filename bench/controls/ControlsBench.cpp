// The list control at the size of a large directory tree: inserting, sorting and painting
// 50,000 owner-drawn rows.
#include "win/CDC.h"
#include "win/CListCtrl.h"
#include "win/CString.h"
#include "win/DisplayList.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

constexpr int kRows = 50000;
constexpr int kRowHeight = 18;

// Row i's value in a scattered order. 7919 is prime, so the rows keep distinct values while
// the count is not a multiple of it; the product is taken in 64 bits, as it outgrows an int
// beyond 271,000 rows.
constexpr int ScatteredValue(int i, int rows)
{
    return static_cast<int>(static_cast<std::int64_t>(i) * 7919 % rows);
}
static_assert(ScatteredValue(999'999, 1'000'000) == 992'081);

class Parent : public CWnd {
public:
    Parent() { CreateEx(0, "BenchParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr); }
};

// Draws a row as the views do: a fill, the name, then the other columns at tab stops.
class DrawnList : public CListCtrl {
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        CDC* dc = CDC::FromHandle(item->hDC);
        const int row = static_cast<int>(item->itemID);
        const bool selected = (item->itemState & ODS_SELECTED) != 0;
        dc->FillSolidRect(&item->rcItem, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc->TextOut(item->rcItem.left + 20, item->rcItem.top, GetItemText(row, 0));
        const int stops[] = {140};
        dc->TabbedTextOut(item->rcItem.left + 160, item->rcItem.top, GetItemText(row, 1), 1, stops,
                          item->rcItem.left + 160);
    }
};

void Fill(CListCtrl& list)
{
    for (int i = 0; i < kRows; ++i) {
        const int value = ScatteredValue(i, kRows);
        const std::string name = "ELEMENT" + std::to_string(value);
        const int row = list.InsertItem(LVIF_TEXT | LVIF_PARAM, i, name.c_str(), 0, 0, 0, value);
        list.SetItemText(row, 1, "Ispec\tCUSTOMER");
    }
}

void Create(DrawnList& list, Parent& parent, int height)
{
    list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, CRect(0, 0, 400, height), &parent,
                1);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 160);
    list.InsertColumn(1, "Kind", LVCFMT_LEFT, 240, 1);
}

int CompareData(LPARAM a, LPARAM b, LPARAM descending)
{
    const int order = a < b ? -1 : (a > b ? 1 : 0);
    return descending ? -order : order;
}

void InsertRows(benchmark::State& state)
{
    Parent parent;
    for (auto _ : state) {
        DrawnList list;
        Create(list, parent, 300);
        Fill(list);
        benchmark::DoNotOptimize(list.GetItemCount());
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(InsertRows)->Unit(benchmark::kMillisecond);

void SortRows(benchmark::State& state)
{
    Parent parent;
    DrawnList list;
    Create(list, parent, 300);
    Fill(list);
    LPARAM descending = 0;
    for (auto _ : state) {
        list.SortItems(&CompareData, static_cast<DWORD_PTR>(descending));
        descending = !descending;
    }
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(SortRows)->Unit(benchmark::kMillisecond);

// The list is tall enough to show every row, so one paint draws all of them.
void PaintRows(benchmark::State& state)
{
    Parent parent;
    DrawnList list;
    Create(list, parent, 20 + kRows * kRowHeight);
    Fill(list);
    list.SetItemState(kRows / 2, LVIS_SELECTED, LVIS_SELECTED);
    for (auto _ : state) {
        list.Invalidate();
        list.UpdateWindow();
    }
    state.counters["ops"] = static_cast<double>(vqwin::GetWindowDisplayList(list)->Size());
    state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(PaintRows)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
