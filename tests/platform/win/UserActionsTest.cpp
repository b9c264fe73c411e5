#include "win/Messages.h"
#include "win/UserActions.h"
#include "win/Window.h"

#include <gtest/gtest.h>

namespace {

class ClickCounter : public vqwin::ClassProcedure {
public:
    static inline int clicks = 0;
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_VQ_USERACTION)
            return ::DefWindowProc(hwnd, message, wParam, lParam);
        auto* action = reinterpret_cast<const vqui::UserAction*>(lParam);
        if (action->kind != vqui::UserActionKind::Click)
            return FALSE;
        ++clicks;
        return TRUE;
    }
};

HWND MakeCounter()
{
    vqwin::RegisterWindowClass("TestClickCounter", [] { return std::unique_ptr<vqwin::ClassProcedure>(new ClickCounter); });
    return CreateWindowEx(0, "TestClickCounter", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                          nullptr);
}

} // namespace

TEST(UserActionsTest, ActionsReachTheControlThatKnowsThem)
{
    HWND window = MakeCounter();
    ClickCounter::clicks = 0;
    vqui::user::Click(window);
    EXPECT_EQ(ClickCounter::clicks, 1);
    EXPECT_THROW(vqui::user::SelectIndex(window, 1), vqui::UserActionError);
    DestroyWindow(window);
}

TEST(UserActionsTest, MissingOrDisabledWindowsRefuseActions)
{
    HWND window = MakeCounter();
    EnableWindow(window, FALSE);
    try {
        vqui::user::Click(window);
        FAIL() << "a disabled window took a click";
    } catch (const vqui::UserActionError& e) {
        EXPECT_NE(std::string(e.what()).find("disabled"), std::string::npos);
    }
    DestroyWindow(window);
    EXPECT_THROW(vqui::user::Click(window), vqui::UserActionError);
}
