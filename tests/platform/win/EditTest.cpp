#include "ControlTestSupport.h"

#include "win/CEdit.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr int kEditId = 1401;
const std::vector<UINT> kChanged{EN_UPDATE, EN_CHANGE};

class EditTest : public ::testing::Test {
protected:
    CEdit& Make(DWORD style)
    {
        edit.Create(WS_VISIBLE | style, CRect(0, 0, 200, 100), &parent, kEditId);
        parent.Clear();
        return edit;
    }

    std::string Line(int index, int size = 64)
    {
        char buffer[128];
        std::memset(buffer, 'x', sizeof buffer);
        const int count = edit.GetLine(index, buffer, size);
        return std::string(buffer, static_cast<std::size_t>(count));
    }

    ParentWnd parent;
    CEdit edit;
};

TEST_F(EditTest, ProgramTextNotifiesASingleLineEditButNotAMultiLineOne)
{
    Make(0);
    edit.SetWindowText("ABC");
    EXPECT_EQ(WindowText(edit), "ABC");
    EXPECT_EQ(parent.Codes(kEditId), kChanged);

    CEdit multi;
    multi.Create(ES_MULTILINE, CRect(0, 0, 100, 100), &parent, kEditId + 1);
    parent.Clear();
    multi.SetWindowText("one\r\ntwo");
    EXPECT_EQ(parent.Codes(kEditId + 1), std::vector<UINT>{EN_UPDATE});
    EXPECT_EQ(multi.GetLineCount(), 2);
}

TEST_F(EditTest, TypedTextFollowsTheCaseStylesAndNotifiesPerCharacter)
{
    Make(ES_UPPERCASE);
    vqui::user::Type(edit, "ab1");
    EXPECT_EQ(WindowText(edit), "AB1");
    const std::vector<UINT> expected{EN_SETFOCUS, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE, EN_UPDATE, EN_CHANGE};
    EXPECT_EQ(parent.Codes(kEditId), expected);

    edit.ModifyStyle(ES_UPPERCASE, ES_LOWERCASE);
    vqui::user::ReplaceText(edit, "XyZ");
    EXPECT_EQ(WindowText(edit), "xyz");
    vqui::user::ReplaceText(edit, "");
    EXPECT_EQ(WindowText(edit), "") << "replacing with nothing erases the text";

    edit.ModifyStyle(ES_LOWERCASE, 0);
    edit.SetWindowText("keep");
    EXPECT_EQ(WindowText(edit), "keep") << "text set by the program keeps its case";
}

TEST_F(EditTest, NumberStyleLimitAndReadOnlyRefuseTypedInput)
{
    Make(ES_NUMBER);
    edit.LimitText(5);
    vqui::user::Type(edit, "12a34-5678");
    EXPECT_EQ(WindowText(edit), "12345");
    EXPECT_EQ(edit.GetLimitText(), 5u);

    edit.SetWindowText("123456789");
    EXPECT_EQ(WindowText(edit), "123456789") << "the limit holds for typed text only";

    edit.SetReadOnly(TRUE);
    EXPECT_TRUE(edit.GetStyle() & ES_READONLY);
    parent.Clear();
    vqui::user::ReplaceText(edit, "0");
    EXPECT_EQ(WindowText(edit), "123456789");
    EXPECT_TRUE(parent.Codes(kEditId).empty());
}

TEST_F(EditTest, AProgramsTextLongerThanTheLimitTakesNoTypingButCanBeShortened)
{
    Make(0);
    edit.LimitText(3);
    edit.SetWindowText("abcdef");
    vqui::user::Type(edit, "g");
    EXPECT_EQ(WindowText(edit), "abcdef");
    vqui::user::PressKey(edit, VK_BACK);
    EXPECT_EQ(WindowText(edit), "abcde");
    vqui::user::ReplaceText(edit, "wxyz");
    EXPECT_EQ(WindowText(edit), "wxy");
}

TEST_F(EditTest, TypingReplacesTheSelectionAndKeysMoveAndErase)
{
    Make(0);
    edit.SetWindowText("hello world");
    edit.SetFocus();
    edit.SetSel(6, 11);
    vqui::user::Type(edit, "there");
    EXPECT_EQ(WindowText(edit), "hello there");
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 11);
    EXPECT_EQ(end, 11);

    vqui::user::PressKey(edit, VK_HOME);
    vqui::user::PressKey(edit, VK_DELETE);
    vqui::user::PressKey(edit, VK_END);
    vqui::user::PressKey(edit, VK_BACK);
    EXPECT_EQ(WindowText(edit), "ello ther");

    edit.SetSel(7, 2);
    EXPECT_EQ(edit.GetSel(), MAKELONG(2, 7));
    edit.SetSel(0, -1);
    EXPECT_EQ(edit.GetSel(), MAKELONG(0, 9));
    edit.SetSel(-1, 0);
    EXPECT_EQ(edit.GetSel(), MAKELONG(9, 9));
}

TEST_F(EditTest, ReplaceSelKeepsToTheLimitAndCanBeUndone)
{
    Make(0);
    edit.SetWindowText("abc");
    edit.LimitText(5);
    edit.SetSel(3, 3);
    parent.Clear();
    edit.ReplaceSel("defgh", TRUE);
    EXPECT_EQ(WindowText(edit), "abcde");
    EXPECT_EQ(parent.Codes(kEditId), kChanged);
    ASSERT_TRUE(edit.CanUndo());
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(WindowText(edit), "abc");
    edit.ReplaceSel("x");
    EXPECT_FALSE(edit.CanUndo());
}

TEST_F(EditTest, MultiLineEditCountsLinesAndCopiesThemWithTheLengthWord)
{
    Make(ES_MULTILINE | ES_WANTRETURN);
    vqui::user::Type(edit, "first line\nsecond\n");
    EXPECT_EQ(WindowText(edit), "first line\r\nsecond\r\n");
    EXPECT_EQ(edit.GetLineCount(), 3);
    EXPECT_EQ(Line(0), "first line");
    EXPECT_EQ(Line(1), "second");
    EXPECT_EQ(Line(2), "");
    EXPECT_EQ(Line(0, 5), "first") << "cut to the length word";
    EXPECT_EQ(Line(3), "") << "no such line";

    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(edit.GetLine(1, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "second") << "terminated when the buffer has room";

    edit.SetWindowText("");
    EXPECT_EQ(edit.GetLineCount(), 1);

    CEdit single;
    single.Create(0, CRect(0, 0, 10, 10), &parent, kEditId + 1);
    vqui::user::Type(single, "a\nb");
    EXPECT_EQ(WindowText(single), "ab") << "a single-line edit takes no line break";
    EXPECT_EQ(single.GetLineCount(), 1);
}

TEST_F(EditTest, UndoTakesBackTheLastTypingAndASecondUndoRedoesIt)
{
    Make(ES_MULTILINE);
    edit.SetWindowText("base");
    EXPECT_FALSE(edit.CanUndo()) << "setting the text empties the undo buffer";
    edit.SetSel(4, 4);
    vqui::user::Type(edit, " one");
    vqui::user::PressKey(edit, VK_LEFT);
    vqui::user::Type(edit, "X");
    EXPECT_EQ(WindowText(edit), "base onXe");
    parent.Clear();

    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(WindowText(edit), "base one");
    EXPECT_EQ(parent.Codes(kEditId), kChanged) << "an undo reports a change";
    EXPECT_TRUE(edit.Undo());
    EXPECT_EQ(WindowText(edit), "base onXe");

    edit.EmptyUndoBuffer();
    EXPECT_FALSE(edit.Undo());
    EXPECT_EQ(WindowText(edit), "base onXe");
}

// The way the option pages keep a multi-line edit within a number of lines: each accepted
// keystroke empties the undo buffer; one too many is taken back with an undo.
TEST_F(EditTest, ALimitCheckOnChangeTakesBackTheKeystrokeThatBreaksIt)
{
    Make(ES_MULTILINE | ES_WANTRETURN);
    constexpr int kMaxLines = 3;
    int refusals = 0;
    parent.onCommand = [&](const Notice& notice) {
        if (notice.code != EN_CHANGE)
            return;
        if (edit.GetLineCount() > kMaxLines) {
            ++refusals;
            edit.Undo();
        }
        edit.EmptyUndoBuffer();
    };
    vqui::user::Type(edit, "a\nb\nc\nd");
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(WindowText(edit), "a\r\nb\r\ncd");
    EXPECT_FALSE(edit.Undo()) << "an accepted keystroke cannot be undone afterwards";
}

TEST_F(EditTest, DoubleByteTextIsNeverSplit)
{
    Make(ES_MULTILINE);
    const std::string kanji = "\x93\xfa\x96\x7b"; // two double-byte characters
    vqui::user::Type(edit, (kanji + "A").c_str());
    EXPECT_EQ(WindowText(edit), kanji + "A");
    EXPECT_EQ(Line(0, 3), kanji.substr(0, 2));
    edit.SetSel(1, 3);
    EXPECT_EQ(edit.GetSel(), MAKELONG(0, 2));
    vqui::user::PressKey(edit, VK_END);
    vqui::user::PressKey(edit, VK_BACK);
    vqui::user::PressKey(edit, VK_BACK);
    EXPECT_EQ(WindowText(edit), kanji.substr(0, 2));

    edit.SetWindowText("");
    edit.LimitText(3);
    vqui::user::Type(edit, (kanji + "A").c_str());
    EXPECT_EQ(WindowText(edit), kanji.substr(0, 2) + "A");
}

TEST_F(EditTest, FocusChangesAreReported)
{
    Make(0);
    CEdit other;
    other.Create(0, CRect(0, 0, 10, 10), &parent, kEditId + 1);
    edit.SetFocus();
    other.SetFocus();
    EXPECT_EQ(parent.Codes(kEditId), (std::vector<UINT>{EN_SETFOCUS, EN_KILLFOCUS}));
    EXPECT_EQ(parent.Codes(kEditId + 1), std::vector<UINT>{EN_SETFOCUS});
}

TEST_F(EditTest, PasswordEditPaintsMaskedTextButKeepsItsText)
{
    Make(ES_PASSWORD);
    edit.SetWindowText("secret");
    EXPECT_EQ(edit.GetPasswordChar(), '*');
    edit.UpdateWindow();
    auto list = vqwin::GetWindowDisplayList(edit);
    EXPECT_NE(list->FindText("******"), nullptr);
    EXPECT_EQ(list->FindText("secret"), nullptr);
    EXPECT_EQ(WindowText(edit), "secret");

    edit.SetPasswordChar(0);
    EXPECT_FALSE(edit.GetStyle() & ES_PASSWORD);
}

TEST_F(EditTest, AnObjectSubclassingATemplateEditKeepsItsState)
{
    HWND hwnd = MakeControl("Edit", ES_NUMBER, parent, kEditId + 2, "42");
    SendMessage(hwnd, EM_LIMITTEXT, 3, 0);
    CEdit late;
    ASSERT_TRUE(late.SubclassDlgItem(kEditId + 2, &parent));
    EXPECT_EQ(late.GetLimitText(), 3u);
    vqui::user::Type(late, "7x89");
    EXPECT_EQ(WindowText(late), "427");
}

TEST_F(EditTest, MultiLineEditWantsEnterOnlyWithWantReturn)
{
    Make(ES_MULTILINE);
    EXPECT_FALSE(edit.SendMessage(WM_GETDLGCODE, VK_RETURN) & DLGC_WANTALLKEYS);
    edit.ModifyStyle(0, ES_WANTRETURN);
    EXPECT_TRUE(edit.SendMessage(WM_GETDLGCODE, VK_RETURN) & DLGC_WANTALLKEYS);
}

} // namespace
