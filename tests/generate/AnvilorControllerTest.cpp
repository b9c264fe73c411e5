#include "generate/CAnvilorController.h"
#include "generate/VqsDevMsgKiller.h"

#include "win/Sync.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

HWND FindControllerWindow() { return FindWindowEx(nullptr, nullptr, nullptr, "AnvilorController"); }

class WatchedResponder : public VqsDevMsgKiller {
public:
    explicit WatchedResponder(std::atomic<bool>& ran) : VqsDevMsgKiller(nullptr), m_ran(ran) {}
    BOOL InitInstance() override
    {
        m_ran = true;
        return VqsDevMsgKiller::InitInstance();
    }

private:
    std::atomic<bool>& m_ran;
};

DWORD ExitCode(HANDLE thread)
{
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    return code;
}

} // namespace

TEST(AnvilorControllerTest, TheControllerOwnsAHiddenPopupWindowWhileItLives)
{
    ASSERT_EQ(FindControllerWindow(), nullptr);
    CComObject<CAnvilorController>* controller = nullptr;
    ASSERT_EQ(CComObject<CAnvilorController>::CreateInstance(&controller), S_OK);
    controller->AddRef();

    HWND window = FindControllerWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window, controller->m_hWnd);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtr(window, GWL_STYLE)) & (WS_POPUP | WS_CHILD | WS_VISIBLE), WS_POPUP);
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 100);
    EXPECT_EQ(rect.bottom, 100);

    void* unknown = nullptr;
    ASSERT_EQ(controller->QueryInterface(IID_IUnknown, &unknown), S_OK);
    EXPECT_EQ(static_cast<IUnknown*>(unknown)->Release(), 1u);
    EXPECT_EQ(controller->Release(), 0u);
    EXPECT_FALSE(IsWindow(window));
}

TEST(AnvilorControllerTest, TheResponderWaitsSuspendedAndEndsWhenEnded)
{
    std::atomic<bool> ran{false};
    WatchedResponder responder(ran);
    ASSERT_TRUE(responder.CreateThread(CREATE_SUSPENDED));
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(responder.m_nThreadID));
    EXPECT_FALSE(ran) << "a suspended responder does not run";
    EXPECT_EQ(ExitCode(responder.m_hThread), STILL_ACTIVE);

    responder.End();
    EXPECT_NE(ExitCode(responder.m_hThread), STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(responder.m_hThread, 0), WAIT_OBJECT_0);
}

TEST(AnvilorControllerTest, ARunningResponderEndsAsWell)
{
    std::atomic<bool> ran{false};
    WatchedResponder responder(ran);
    ASSERT_TRUE(responder.CreateThread());
    ASSERT_TRUE(vqwin::WaitUntilThreadWaits(responder.m_nThreadID));
    EXPECT_TRUE(ran);
    EXPECT_EQ(responder.SuspendThread(), 0u);
    EXPECT_EQ(responder.SuspendThread(), 1u);
    responder.End();
    EXPECT_EQ(WaitForSingleObject(responder.m_hThread, 0), WAIT_OBJECT_0);

    VqsDevMsgKiller neverStarted(nullptr);
    neverStarted.End();
}
