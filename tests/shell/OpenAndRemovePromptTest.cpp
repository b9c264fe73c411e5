#include "ListFrameTestSupport.h"
#include "ShellTestSupport.h"

#include "shell/VqsRemovePromptDlg.h"
#include "support/ScriptedUiDriver.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"

#include <string>
#include <vector>

namespace {

constexpr UINT kOpenTemplate = 132;
constexpr UINT kRemovePrompt = 152;
constexpr UINT ID_OPEN = 32825;
constexpr int kHostAndPackLists = 1003;

struct OpenAndRemovePromptTest : ShellTest {
    void SetUp() override
    {
        ShellTest::SetUp();
        ASSERT_TRUE(app.SetResourceModule("vqsysres"));
        frame = host.MakeFrame();
        ASSERT_NE(frame, nullptr);
        frametest::HostLines().clear();
    }

    frametest::HostWindow host;
    frametest::TestFrame* frame = nullptr;
};

} // namespace

TEST_F(OpenAndRemovePromptTest, HostAndPackListsAsksTheHostToOpenTheHostView)
{
    vqtest::ScriptedUiDriver ui;
    std::vector<std::string> drawn;
    ui.ExpectDialog(kOpenTemplate)
        .Run([&] {
            CWnd* button = CWnd::GetFocus() ? CWnd::GetFocus()->GetParent()->GetDlgItem(kHostAndPackLists) : nullptr;
            ASSERT_NE(button, nullptr);
            button->Invalidate();
            button->UpdateWindow();
            for (const vqwin::DisplayOp& op : vqwin::GetWindowDisplayList(button->m_hWnd)->Ops()) {
                if (op.kind == vqwin::DisplayOp::Kind::Text && !op.text.empty())
                    drawn.push_back(op.text);
                if (op.kind == vqwin::DisplayOp::Kind::Line)
                    drawn.push_back("underline at " + std::to_string(op.from.x));
            }
        })
        .Click(kHostAndPackLists);
    frame->SendMessage(WM_COMMAND, ID_OPEN);
    ASSERT_EQ(drawn.size(), 2u);
    EXPECT_EQ(drawn[0], "Host and Pack lists") << "the '&' is not drawn";
    EXPECT_EQ(drawn[1].rfind("underline at ", 0), 0u) << "the mnemonic is underlined";
    EXPECT_EQ(frametest::HostLinesStartingWith("message: openHostView:"),
              (std::vector<std::string>{"message: openHostView: -"}));
}

TEST_F(OpenAndRemovePromptTest, WithoutTheRightToOpenTheHostViewThePickerRefusesAndCloses)
{
    app.SetSecurityMask(1);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kOpenTemplate).Click(kHostAndPackLists);
    ui.ExpectMessageBox("Security violation - access not allowed", IDOK);
    frame->SendMessage(WM_COMMAND, ID_OPEN);
    EXPECT_TRUE(frametest::HostLinesStartingWith("message: openHostView:").empty());
}

TEST_F(OpenAndRemovePromptTest, CancelOpensNothing)
{
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kOpenTemplate).Cancel();
    frame->SendMessage(WM_COMMAND, ID_OPEN);
    EXPECT_TRUE(frametest::HostLinesStartingWith("message: openHostView:").empty());
}

TEST_F(OpenAndRemovePromptTest, TheRemovePromptAnswersWithTheButtonPressed)
{
    const struct {
        int button;
        int result;
    } cases[] = {{IDYES, IDYES}, {VqsRemovePromptDlg::IDC_YES_TO_ALL, 1349}, {IDNO, IDNO}, {IDCANCEL, IDCANCEL}};
    for (const auto& c : cases) {
        vqtest::ScriptedUiDriver ui;
        CString shown;
        ui.ExpectDialog(kRemovePrompt)
            .Run([&] {
                CWnd* dialog = CWnd::GetFocus() ? CWnd::GetFocus()->GetParent() : nullptr;
                ASSERT_NE(dialog, nullptr);
                dialog->GetDlgItemText(1350, shown);
            })
            .Press(c.button);
        EXPECT_EQ(VqsAskRemove(nullptr, "System SYS1", TRUE), c.result) << c.button;
        EXPECT_EQ(shown, "System SYS1");
    }
}

TEST_F(OpenAndRemovePromptTest, YesToAllIsGreyedWhenNoFurtherObjectsFollow)
{
    vqtest::ScriptedUiDriver ui;
    BOOL enabled = TRUE;
    ui.ExpectDialog(kRemovePrompt)
        .Run([&] {
            CWnd* dialog = CWnd::GetFocus() ? CWnd::GetFocus()->GetParent() : nullptr;
            ASSERT_NE(dialog, nullptr);
            enabled = dialog->GetDlgItem(VqsRemovePromptDlg::IDC_YES_TO_ALL)->IsWindowEnabled();
        })
        .Press(IDNO);
    EXPECT_EQ(VqsAskRemove(nullptr, "Report group MONTHEND", FALSE), IDNO);
    EXPECT_FALSE(enabled);
}

TEST_F(OpenAndRemovePromptTest, EnterOnTheOpenButtonClicksIt)
{
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kOpenTemplate)
        .Run([] { ASSERT_EQ(CWnd::GetFocus()->GetDlgCtrlID(), kHostAndPackLists); })
        .Key(VK_RETURN);
    frame->SendMessage(WM_COMMAND, ID_OPEN);
    EXPECT_EQ(frametest::HostLinesStartingWith("message: openHostView:").size(), 1u);
}
