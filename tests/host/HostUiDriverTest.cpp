#include "HostUiDriver.h"

#include "support/ScopedResourceLibrary.h"
#include "win/CDialog.h"
#include "win/UiDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

// Dialog 100 of the window-system tests: an edit 1001, a check box 1002, OK, Cancel and a
// button 1003.
class SimpleDialog : public CDialog {
public:
    SimpleDialog() : CDialog(100) {}
    void OnOK() override
    {
        GetDlgItemText(1001, name);
        checked = IsDlgButtonChecked(1002);
        CDialog::OnOK();
    }
    CString name;
    UINT checked = 0;
};

struct HostUiDriverTest : ::testing::Test {
    vqtest::ScopedResourceLibrary library{"dialogtests", vqtest::SourceFolder("tests/platform/win/resources")};
    std::vector<std::pair<int, std::string>> errors;
    HostUiDriver driver{[this](int line, const std::string& message) { errors.emplace_back(line, message); }};
    vqui::ScopedUiDriver installed{driver};

    // What the driver printed while `body` ran.
    template <class Body>
    static Strings Printed(Body body)
    {
        ::testing::internal::CaptureStdout();
        body();
        const std::string text = ::testing::internal::GetCapturedStdout();
        Strings lines;
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = text.find('\n', at);
            lines.push_back(text.substr(at, end - at));
            at = end + 1;
        }
        return lines;
    }
    static vqui::UiAction Act(int control, vqui::UserActionKind kind, std::string text = {}, int state = 0)
    {
        vqui::UserAction action;
        action.kind = kind;
        action.text = std::move(text);
        action.state = state;
        return vqui::UiAction::Act(control, action);
    }
};

} // namespace

TEST_F(HostUiDriverTest, AnExpectedDialogIsFilledInAndEnded)
{
    driver.ExpectDialog(4, 100);
    ASSERT_TRUE(driver.AddDialogAction(5, Act(1001, vqui::UserActionKind::Type, "SYS1", 1)));
    ASSERT_TRUE(driver.AddDialogAction(6, Act(1002, vqui::UserActionKind::SetCheck, {}, 1)));
    ASSERT_TRUE(driver.AddDialogAction(7, Act(IDOK, vqui::UserActionKind::Click)));
    SimpleDialog dialog;
    EXPECT_EQ(Printed([&] { EXPECT_EQ(dialog.DoModal(), IDOK); }), Strings{"dialog: 100 \"Simple\" -> IDOK"});
    EXPECT_EQ(dialog.name, "SYS1");
    EXPECT_EQ(dialog.checked, 1u);
    EXPECT_TRUE(errors.empty());
}

TEST_F(HostUiDriverTest, AnAnswerEndsTheDialogAndAnUnexpectedOneIsCancelled)
{
    driver.ExpectDialog(2, 100);
    driver.Answer(3, 1003);
    EXPECT_FALSE(driver.AddDialogAction(4, Act(1001, vqui::UserActionKind::Type, "late"))) << "the dialog is answered";
    SimpleDialog first;
    SimpleDialog second;
    EXPECT_EQ(Printed([&] {
                  first.DoModal();
                  second.DoModal();
              }),
              (Strings{"dialog: 100 \"Simple\" -> 1003", "dialog: 100 \"Simple\" -> IDCANCEL"}));
    EXPECT_TRUE(errors.empty());
}

TEST_F(HostUiDriverTest, WhatWasNotShownIsReportedWithItsLine)
{
    driver.ExpectMessage(7, "Expected text");
    driver.Answer(8, IDNO);
    driver.ExpectDialog(9, 101);
    driver.AddDialogAction(10, Act(4711, vqui::UserActionKind::Click));
    driver.ExpectDialog(12, 100);
    const Strings printed = Printed([&] {
        AfxMessageBox("Other text", MB_YESNO);
        SimpleDialog dialog;
        dialog.DoModal();
        driver.ReportUnmet();
    });
    EXPECT_EQ(printed, (Strings{"msgbox: [] Other text -> IDNO", "dialog: 100 \"Simple\" -> IDCANCEL"}));
    ASSERT_EQ(errors.size(), 3u);
    EXPECT_EQ(errors[0], std::make_pair(7, std::string("the expected message \"Expected text\" was not shown; "
                                                       "\"Other text\" was")));
    EXPECT_EQ(errors[1], std::make_pair(9, std::string("the expected dialog 101 was not shown; dialog 100 was")));
    EXPECT_EQ(errors[2], std::make_pair(12, std::string("nothing was shown for the expected dialog 100")));
}
