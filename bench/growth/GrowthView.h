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

// Runs the step; on the server, counts the round trips to it ("trips"), the transactions it
// began ("xacts") and the rows its statements answered ("rowsRead") meanwhile.
template <class Step>
void Timed(benchmark::State& state, bool server, Step step)
{
    const std::int64_t trips = PxPgConnection::RoundTrips();
    const std::int64_t transactions = PxPgConnection::Transactions();
    const std::int64_t rowsRead = PxPgConnection::RowsReceived();
    step();
    if (!server)
        return;
    state.counters["trips"] = static_cast<double>(PxPgConnection::RoundTrips() - trips);
    state.counters["xacts"] = static_cast<double>(PxPgConnection::Transactions() - transactions);
    state.counters["rowsRead"] = static_cast<double>(PxPgConnection::RowsReceived() - rowsRead);
}

// Times `step` on a view made ready by `ready`; `done` runs after it, outside the time.
template <class Ready, class Step, class Done>
void TimeOnView(benchmark::State& state, const std::string& repository, Ready ready, Step step, Done done)
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
            done(open);
            rows = open.Rows();
        }
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
}

template <class Ready, class Step>
void TimeOnView(benchmark::State& state, const std::string& repository, Ready ready, Step step)
{
    TimeOnView(state, repository, ready, step, [](OpenView&) {});
}

} // namespace vqgrowth
