// Throughput of the window core: posted messages through the pump, and recording a paint
// of 1,000 owner-drawn rows.
#include "win/CDC.h"
#include "win/CWnd.h"
#include "win/DisplayList.h"

#include <benchmark/benchmark.h>

namespace {

constexpr UINT WM_COUNT = WM_USER + 1;

class CountingWnd : public CWnd {
public:
    LRESULT OnCount(WPARAM, LPARAM)
    {
        ++count;
        return 0;
    }
    long count = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWnd, CWnd)
    ON_MESSAGE(WM_COUNT, &CountingWnd::OnCount)
END_MESSAGE_MAP()

void PostedMessages(benchmark::State& state)
{
    CountingWnd wnd;
    wnd.CreateEx(0, "Bench", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    const auto batch = state.range(0);
    for (auto _ : state) {
        for (long i = 0; i < batch; ++i)
            wnd.PostMessage(WM_COUNT);
        vqwin::PumpPending();
    }
    state.SetItemsProcessed(state.iterations() * batch);
}
BENCHMARK(PostedMessages)->Arg(1)->Arg(1000);

class RowsWnd : public CWnd {
public:
    void OnPaint()
    {
        CPaintDC dc(this);
        const int stops[] = {120, 240};
        for (int row = 0; row < 1000; ++row) {
            const CRect rect(0, row * 18, 400, (row + 1) * 18);
            dc.FillSolidRect(&rect, GetSysColor(row % 7 ? COLOR_WINDOW : COLOR_HIGHLIGHT));
            dc.SetTextColor(GetSysColor(row % 3 ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
            dc.TabbedTextOut(rect.left + 20, rect.top, "CUSTOMER\tREPORT\tPROFILE", -1, 2, stops, rect.left + 20);
            dc.MoveTo(rect.left + 8, rect.top);
            dc.LineTo(rect.left + 8, rect.bottom);
            if (row == 500)
                dc.DrawFocusRect(&rect);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RowsWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

void ThousandRowPaint(benchmark::State& state)
{
    RowsWnd wnd;
    wnd.CreateEx(0, "Bench", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 18000, nullptr, nullptr);
    for (auto _ : state) {
        wnd.Invalidate();
        wnd.UpdateWindow();
    }
    state.counters["ops"] = static_cast<double>(vqwin::GetWindowDisplayList(wnd.m_hWnd)->Size());
}
BENCHMARK(ThousandRowPaint)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
