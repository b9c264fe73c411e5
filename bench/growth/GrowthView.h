// The system view of a growth benchmark's repository in a window of its own, and the timing
// of one step on it with the view opened and closed outside the time.
#pragma once

#include "GrowthSupport.h"

#include "win/CWnd.h"

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
