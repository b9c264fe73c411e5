// Activation as the platform does it: a modal dialog takes the activation from its owner and
// gives it back when it ends, with the focus on the control that had it; a message box
// deactivates the window it shows over; a window activated without the focus inside takes
// the focus.
#include "DialogTestSupport.h"

#include "win/Activation.h"
#include "win/CDialog.h"
#include "win/CWinApp.h"

#include "support/ScriptedUiDriver.h"

namespace {

using Strings = std::vector<std::string>;

constexpr int kOther = 1003;

// Dialog 100, writing down the activation and focus messages it gets itself.
class ListeningDialog : public CDialog {
public:
    explicit ListeningDialog(CWnd* parent = nullptr) : CDialog(100, parent) {}

    void OnActivate(UINT state, CWnd*, BOOL)
    {
        heard.push_back(state == WA_INACTIVE ? "deactivated" : "activated");
        Default();
    }
    void OnSetFocus(CWnd*) { heard.push_back("focus"); }

    Strings heard;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ListeningDialog, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_SETFOCUS()
END_MESSAGE_MAP()

} // namespace

TEST_F(DialogTest, AModalDialogAndAMessageBoxTakeTheActivationAndGiveItBack)
{
    ListeningDialog outer;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Run([&] {
            EXPECT_EQ(::GetActiveWindow(), outer.m_hWnd);
            EXPECT_EQ(outer.heard, Strings{"activated"});
            outer.heard.clear();
            ::SetFocus(::GetDlgItem(outer, kOther));

            ListeningDialog inner(&outer);
            ui.ExpectDialog(100).Run([&] { EXPECT_EQ(::GetActiveWindow(), inner.m_hWnd); }).Cancel();
            inner.DoModal();
            EXPECT_EQ(outer.heard, (Strings{"deactivated", "activated"}));
            EXPECT_EQ(::GetActiveWindow(), outer.m_hWnd);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(outer, kOther)) << "back on the control that had it";

            outer.heard.clear();
            ::SetFocus(::GetDlgItem(outer, kOther));
            ui.ExpectMessageBox("Over the dialog", IDOK);
            AfxMessageBox("Over the dialog");
            EXPECT_EQ(outer.heard, (Strings{"deactivated", "activated"}));
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(outer, kOther));
        })
        .Cancel();
    outer.DoModal();
    ui.Verify();
}
