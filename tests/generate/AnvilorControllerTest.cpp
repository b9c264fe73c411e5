#include "generate/CAnvilorController.h"
#include "generate/VqsDevMsgKiller.h"

#include "win/Sync.h"

#include <gtest/gtest.h>


namespace {

HWND FindControllerWindow() { return FindWindowEx(nullptr, nullptr, nullptr, "AnvilorController"); }

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

