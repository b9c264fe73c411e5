// The system view of a growth benchmark's repository in a window of its own, and the timing
// of one step on it with the view opened and closed outside the time.
#pragma once

#include "GrowthSupport.h"

#include "proxy/PxPostgres.h"
#include "win/CWnd.h"

#include <cstdint>
#include <string>

class CListCtrl;
class VqsDirectoryView;
class VqsSysFrame;

namespace vqgrowth {

class GrowthHost : public CWnd {
public:
    GrowthHost();
};

// The system view of a repository, open with only the top row selected.
class OpenView {
public:
    explicit OpenView(const std::string& repository);
    ~OpenView();
    OpenView(const OpenView&) = delete;
    OpenView& operator=(const OpenView&) = delete;

    CListCtrl& List() const;
    int Rows() const;
    void Select(int row) const;
    // Selects the first row whose text starts with `text`.
    void SelectRowOf(const char* text) const;
    void ExpandBranch() const;
    // Find with the text typed into the Find dialog.
    void Find(const std::string& text) const;

    VqsDirectoryView* view = nullptr;

private:
    GrowthHost m_host;
    VqsSysFrame* m_frame = nullptr;
};

// The view's frame among the application's frames while it lives, as the host opens it: the
// change notices of a step, and the refreshes of every view, reach its view.
class HeardFrame {
public:
    explicit HeardFrame(VqsSysFrame* frame);
    ~HeardFrame();
    HeardFrame(const HeardFrame&) = delete;
    HeardFrame& operator=(const HeardFrame&) = delete;

private:
    VqsSysFrame* m_frame;
};

// Runs the step; on the server, counts the round trips to it ("trips") and the transactions
// it began ("xacts") meanwhile.
template <class Step>
void Timed(benchmark::State& state, bool server, Step step)
{
    const std::int64_t trips = PxPgConnection::RoundTrips();
    const std::int64_t transactions = PxPgConnection::Transactions();
    step();
    if (!server)
        return;
    state.counters["trips"] = static_cast<double>(PxPgConnection::RoundTrips() - trips);
    state.counters["xacts"] = static_cast<double>(PxPgConnection::Transactions() - transactions);
}

// Times `step` on a view made ready by `ready`.
template <class Ready, class Step>
void TimeOnView(benchmark::State& state, const std::string& repository, Ready ready, Step step)
{
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        {
            OpenView open(repository);
            ready(open);
            state.ResumeTiming();
            step(open);
            state.PauseTiming();
            rows = open.Rows();
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

} // namespace vqgrowth
