#include "HostUiDriver.h"

#include "support/ScopedResourceLibrary.h"
#include "win/CDialog.h"
#include "win/Input.h"
#include "win/Messages.h"
#include "win/ModuleResources.h"
#include "win/Window.h"
#include "win/UiDriver.h"

#include <gtest/gtest.h>

#include <optional>
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

// Dialog 100 whose OK wants a name (and says so, staying open) and whose Cancel may refuse.
class NameDialog : public CDialog {
public:
    NameDialog() : CDialog(100) {}
    void OnOK() override
    {
        ++oks;
        GetDlgItemText(1001, name);
        if (name.IsEmpty()) {
            AfxMessageBox("Give a name.");
            return;
        }
        CDialog::OnOK();
    }
    void OnCancel() override
    {
        ++cancels;
        if (!refuseCancel)
            CDialog::OnCancel();
    }
    CString name;
    int oks = 0;
    int cancels = 0;
    bool refuseCancel = false;
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

// Answers and dialogs left alone go through the buttons' handlers, as the user's OK and
// Cancel (or Enter and Escape) do; only a dialog that stays open after Cancel is ended
// without them, and the script hears of it.
TEST_F(HostUiDriverTest, AnswersPressTheButtonsSoThatTheDialogsHandlersRun)
{
    struct Case {
        const char* what;
        std::string typed;
        std::optional<int> answer;
        bool refuseCancel;
        int result;
        int oks;
        int cancels;
        Strings printed;
        std::vector<std::pair<int, std::string>> errors;
    };
    const std::string refused = "dialog 100 stayed open after Cancel; it was ended without its handlers";
    const Case cases[] = {
        {"IDOK with a name", "SYS1", IDOK, false, IDOK, 1, 0, {"dialog: 100 \"Simple\" -> IDOK"}, {}},
        {"IDOK refused, then cancelled", "", IDOK, false, IDCANCEL, 1, 1,
         {"msgbox: [] Give a name. -> IDOK", "dialog: 100 \"Simple\" -> IDCANCEL"}, {}},
        {"IDCANCEL", "SYS1", IDCANCEL, false, IDCANCEL, 0, 1, {"dialog: 100 \"Simple\" -> IDCANCEL"}, {}},
        {"nothing queued", "SYS1", std::nullopt, false, IDCANCEL, 0, 1, {"dialog: 100 \"Simple\" -> IDCANCEL"}, {}},
        {"Cancel refused", "SYS1", std::nullopt, true, IDCANCEL, 0, 1, {"dialog: 100 \"Simple\" -> IDCANCEL"},
         {{2, refused}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        errors.clear();
        driver.ExpectDialog(2, 100);
        driver.AddDialogAction(3, Act(1001, vqui::UserActionKind::Type, c.typed, 1));
        if (c.answer)
            driver.Answer(4, *c.answer);
        NameDialog dialog;
        dialog.refuseCancel = c.refuseCancel;
        int result = 0;
        EXPECT_EQ(Printed([&] { result = static_cast<int>(dialog.DoModal()); }), c.printed);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(dialog.oks, c.oks);
        EXPECT_EQ(dialog.cancels, c.cancels);
        EXPECT_EQ(errors, c.errors);
    }
}

TEST_F(HostUiDriverTest, StepsQueuedForADialogThatEndedBeforeThemAreErrorsOfTheirLines)
{
    driver.ExpectDialog(2, 100);
    driver.AddDialogAction(3, Act(IDOK, vqui::UserActionKind::Click));
    driver.AddDialogAction(4, Act(1001, vqui::UserActionKind::Type, "late"));
    driver.Answer(5, IDOK);
    SimpleDialog dialog;
    EXPECT_EQ(Printed([&] { dialog.DoModal(); }), Strings{"dialog: 100 \"Simple\" -> IDOK"});
    EXPECT_EQ(errors, (std::vector<std::pair<int, std::string>>{
                          {4, "dialog 100 had ended before this step"},
                          {5, "dialog 100 had ended before the answer IDOK"}}));
}

// Dialog 100 noting, for each key that comes down, whether Shift is held then.
class KeyDialog : public SimpleDialog {
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            shiftHeld.push_back(GetKeyState(VK_SHIFT) < 0);
        return SimpleDialog::PreTranslateMessage(msg);
    }
    std::vector<bool> shiftHeld;
};

// A key goes to the control with the focus, through the dialog's translation, with its
// modifiers held while it is handled: Tab moves to the next tab stop, Escape cancels; a step
// of the host's own sees where the focus is between them.
TEST_F(HostUiDriverTest, KeysComeAsTheKeyboardSendsThem)
{
    std::vector<int> focused;
    const auto seeFocus = [&](const vqui::UiEvent&) {
        focused.push_back(GetDlgCtrlID(GetFocus()));
        return std::optional<vqui::UiAction>();
    };
    driver.ExpectDialog(2, 100);
    driver.AddDialogStep(3, seeFocus);
    driver.AddDialogAction(4, vqui::UiAction::Key(VK_TAB));
    driver.AddDialogStep(5, seeFocus);
    driver.AddDialogAction(6, vqui::UiAction::Key(VK_TAB, FSHIFT));
    driver.AddDialogAction(7, vqui::UiAction::Key(VK_ESCAPE));
    KeyDialog dialog;
    EXPECT_EQ(Printed([&] { EXPECT_EQ(dialog.DoModal(), IDCANCEL); }), Strings{"dialog: 100 \"Simple\" -> IDCANCEL"});
    EXPECT_EQ(focused, (std::vector<int>{1001, 1002}));
    EXPECT_EQ(dialog.shiftHeld, (std::vector<bool>{false, true, false}));
    EXPECT_FALSE(GetKeyState(VK_SHIFT) < 0) << "released after the key";
    EXPECT_TRUE(errors.empty());
}

namespace {

vqui::MenuEntry MenuCommand(const char* text, UINT id, bool enabled = true, bool checked = false)
{
    vqui::MenuEntry item;
    item.text = text;
    item.id = id;
    item.enabled = enabled;
    item.checked = checked;
    return item;
}

// The option-set list's kind of menu, with a nested pop-up.
std::vector<vqui::MenuEntry> ContextMenu()
{
    vqui::MenuEntry separator;
    separator.kind = vqui::MenuEntry::Kind::Separator;
    vqui::MenuEntry add;
    add.kind = vqui::MenuEntry::Kind::Popup;
    add.text = "&Add";
    add.items = {MenuCommand("&Host...", 40)};
    return {MenuCommand("&Delete\tDel", 10, false), separator, MenuCommand("&Lock", 20),
            MenuCommand("Show &Preview", 30, true, true), add};
}

} // namespace

// Every pop-up menu prints its items with their states; the one expected gets the command
// its choice names by id or by the text the user reads, and one not expected is dismissed.
TEST_F(HostUiDriverTest, APopUpMenuShowsItsItemsAndTakesTheCommandChosenByIdOrText)
{
    const Strings items = {"popup: 10 \"&Delete\\tDel\" greyed", "popup: -", "popup: 20 \"&Lock\" enabled",
                           "popup: 30 \"Show &Preview\" enabled checked", "popup: \"&Add\" enabled >",
                           "popup:   40 \"&Host...\" enabled"};
    struct Case {
        std::optional<std::string> choice;
        UINT command;
        std::string error;
    };
    const Case cases[] = {
        {std::nullopt, 0, {}},
        {"lock", 20, {}},
        {"SHOW PREVIEW", 30, {}},
        {"40", 40, {}},
        {"host...", 40, {}},
        {"Delete", 0, "command 10 of the pop-up menu is greyed"},
        {"&Lock", 0, "the pop-up menu has no command \"&Lock\""},
        {"99", 0, "the pop-up menu has no command \"99\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice.value_or("(none)"));
        errors.clear();
        driver.ExpectMenu(3);
        if (c.choice) {
            ASSERT_TRUE(driver.Choose(4, *c.choice));
            EXPECT_FALSE(driver.Choose(5, "Lock")) << "one choice a menu";
        }
        UINT command = 0;
        Strings printed = Printed([&] { command = vqui::ShowPopupMenu(ContextMenu()); });
        EXPECT_EQ(command, c.command);
        Strings expected = items;
        expected.push_back(c.command ? "popup: -> " + std::to_string(c.command) : "popup: -> dismissed");
        EXPECT_EQ(printed, expected);
        using Errors = std::vector<std::pair<int, std::string>>;
        const Errors expectedErrors = c.error.empty() ? Errors{} : Errors{{4, c.error}};
        EXPECT_EQ(errors, expectedErrors);
    }
}

// A menu takes a choice, not an answer; an answer after its choice is for the next box. A
// menu expected is no box or dialog, and a menu shown while a box or dialog is expected first
// is dismissed, leaving that expectation.
TEST_F(HostUiDriverTest, AMenuTakesNoAnswerAndIsNoBoxOrDialog)
{
    using Errors = std::vector<std::pair<int, std::string>>;
    driver.ExpectMenu(2);
    EXPECT_FALSE(driver.Answer(3, IDNO));
    driver.Choose(4, "Lock");
    EXPECT_TRUE(driver.Answer(5, IDNO));
    Strings printed = Printed([&] {
        EXPECT_EQ(vqui::ShowPopupMenu(ContextMenu()), 20u);
        EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO), IDNO);
    });
    EXPECT_EQ(printed.back(), "msgbox: [] Sure? -> IDNO");
    EXPECT_TRUE(errors.empty());

    driver.ExpectMenu(7);
    driver.ExpectDialog(8, 100);
    driver.ExpectMenu(9);
    printed = Printed([&] {
        EXPECT_EQ(AfxMessageBox("Sure?", MB_YESNO), IDYES);
        EXPECT_EQ(vqui::ShowPopupMenu(ContextMenu()), 0u);
        SimpleDialog dialog;
        dialog.DoModal();
        driver.ReportUnmet();
    });
    EXPECT_EQ(printed.back(), "dialog: 100 \"Simple\" -> IDCANCEL");
    EXPECT_EQ(errors, (Errors{{7, "the expected pop-up menu was not shown; a message box was"},
                              {9, "nothing was shown for the expected pop-up menu"}}));
}
