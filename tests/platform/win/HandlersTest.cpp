#include "WinTestSupport.h"

#include "win/CFrameWnd.h"
#include "win/CView.h"
#include "win/Handlers.h"
#include "win/Messages.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_FAIL = WM_USER + 1;
constexpr UINT ID_FIND = 57636;

struct KnownFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::vector<std::string> g_reports;

// Reports the failures it knows, as a program's hook does.
bool ReportKnown(const MSG& message)
{
    try {
        throw;
    } catch (const KnownFailure& failure) {
        g_reports.push_back(std::to_string(message.message) + " " + failure.what());
        return true;
    } catch (...) {
        return false;
    }
}

class FailingWnd : public RecordingWnd {
public:
    int OnCreate(LPCREATESTRUCT) { throw KnownFailure("cannot create"); }
    LRESULT OnFail(WPARAM known, LPARAM)
    {
        if (known)
            throw KnownFailure("repository failure");
        throw std::logic_error("programming error");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FailingWnd, RecordingWnd)
    ON_MESSAGE(WM_FAIL, &FailingWnd::OnFail)
END_MESSAGE_MAP()

class FailingAtCreate : public FailingWnd {
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FailingAtCreate, FailingWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

struct HandlersTest : ::testing::Test {
    void SetUp() override
    {
        g_reports.clear();
        vqwin::SetHandlerFailureHook(&ReportKnown);
    }
    void TearDown() override { vqwin::SetHandlerFailureHook(nullptr); }
};

std::string g_log;

// A view whose Find runs a loop that handles what waits (as a dialog's modal loop does).
class LoopingView : public CView {
public:
    ~LoopingView() override { g_log += "view deleted;"; }
    void OnFind()
    {
        vqwin::PumpPending();
        g_log += m_hWnd ? "loop ended;" : "loop ended without its window;";
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LoopingView, CView)
    ON_COMMAND(ID_FIND, &LoopingView::OnFind)
END_MESSAGE_MAP()

} // namespace

TEST_F(HandlersTest, AFailureTheHookReportsEndsTheHandlerThere)
{
    FailingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    EXPECT_EQ(wnd.SendMessage(WM_FAIL, 1), 0);
    wnd.PostMessage(WM_FAIL, 1);
    EXPECT_NO_THROW(vqwin::PumpPending()) << "nothing reaches the loop that delivered it";
    EXPECT_EQ(g_reports, (std::vector<std::string>{"1025 repository failure", "1025 repository failure"}));

    EXPECT_THROW(wnd.SendMessage(WM_FAIL, 0), std::logic_error) << "a failure the hook does not know passes on";
    vqwin::SetHandlerFailureHook(nullptr);
    EXPECT_THROW(wnd.SendMessage(WM_FAIL, 1), KnownFailure) << "without a hook";
}

TEST_F(HandlersTest, AReportedFailureInCreationFailsTheCreation)
{
    FailingAtCreate wnd;
    EXPECT_FALSE(wnd.CreateTop());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(g_reports, std::vector<std::string>{"1 cannot create"});
}

TEST_F(HandlersTest, AViewClosedDuringALoopOfItsHandlerIsDeletedWhenTheHandlerReturns)
{
    g_log.clear();
    RecordingWnd host;
    ASSERT_TRUE(host.CreateTop("host", WS_POPUP | WS_VISIBLE));
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(LoopingView);
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 50), &host, 0, &context));
    frame->SetActiveView(dynamic_cast<CView*>(frame->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST))));
    const HWND frameWindow = frame->m_hWnd;

    frame->PostMessage(WM_CLOSE);
    frame->SendMessage(WM_COMMAND, ID_FIND);
    EXPECT_EQ(g_log, "loop ended without its window;view deleted;");
    EXPECT_FALSE(IsWindow(frameWindow));
}
