#include "shell/VqsExceptionData.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CDialog.h"

#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"

#include <gtest/gtest.h>

namespace {

struct MessageBoxTest : ::testing::Test {
    vqtest::ScopedResourceLibrary resources;
    VqsSysApp app;
    vqtest::ScriptedUiDriver ui;

    void SetUp() override { vqui::ClearTranscript(); }

    const vqui::TranscriptEntry& Last()
    {
        m_transcript = vqui::Transcript();
        return m_transcript.back();
    }

private:
    std::vector<vqui::TranscriptEntry> m_transcript;
};

} // namespace

TEST_F(MessageBoxTest, AnIdWithoutTextShowsTheMissingStringText)
{
    ui.ExpectMessageBox("<String not found for ID=99999>", IDOK, "Wrenfield Error");
    EXPECT_EQ(VqsErrorBoxId(99999), IDOK);
    EXPECT_EQ(Last().event.style, MB_OK | MB_ICONEXCLAMATION);
}

TEST_F(MessageBoxTest, EachKindShowsItsCaptionAndTheTitleIsPutBack)
{
    ui.ExpectMessageBox("done", IDOK, "Wrenfield Message")
        .ExpectMessageBox("sure?", IDYES, "Please confirm")
        .ExpectMessageBox("other kind", IDOK, "vqsys");
    EXPECT_EQ(VqsMessageBox("done", 300), IDOK);
    EXPECT_EQ(Last().event.style, MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(Last().event.helpId, 300u);
    EXPECT_TRUE(VqsConfirmBox("sure?"));
    EXPECT_EQ(Last().event.style, MB_YESNO | MB_ICONQUESTION);
    VqsShowMessageBox(7, "other kind", MB_OK, 0);
    EXPECT_STREQ(app.m_pszAppName, "vqsys");
}

TEST_F(MessageBoxTest, QuestionBoxesAnswerYesOrNo)
{
    ui.ExpectMessageBox("Delete?", IDYES, "Wrenfield Message").ExpectMessageBox("Delete?", IDNO);
    EXPECT_TRUE(VqsQuestionBox("Delete?"));
    EXPECT_FALSE(VqsQuestionBox("Delete?"));
}

TEST_F(MessageBoxTest, CancelLeavesTheOutFlagAndReturnsFalse)
{
    ui.ExpectMessageBox("Save changes?", IDCANCEL, "Wrenfield Message")
        .ExpectMessageBox("Save changes?", IDNO)
        .ExpectMessageBox("Save changes?", IDYES, "Please confirm");
    BOOL yes = 42;
    EXPECT_FALSE(VqsQuestionCancelBox(yes, "Save changes?"));
    EXPECT_EQ(yes, 42);
    EXPECT_EQ(Last().event.style, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_TRUE(VqsQuestionCancelBox(yes, "Save changes?"));
    EXPECT_FALSE(yes);
    EXPECT_TRUE(VqsConfirmCancelBox(yes, "Save changes?"));
    EXPECT_TRUE(yes);
}

TEST_F(MessageBoxTest, BoxesByIdTakeTheirTextFromTheStringTable)
{
    ui.ExpectMessageBox("Report", IDYES, "Please confirm")
        .ExpectMessageBox("Report", IDCANCEL, "Wrenfield Message")
        .ExpectMessageBox("Configuration error: no resource library is found.", IDOK, "Wrenfield Error");
    EXPECT_TRUE(VqsConfirmBoxId(61477));
    BOOL yes = FALSE;
    EXPECT_FALSE(VqsQuestionCancelBoxId(yes, 61477));
    VqsErrorBoxId(61481);  // compiled into the module
}

TEST(MessageBoxWithoutApplicationTest, TheBoxShowsWithoutCaption)
{
    vqtest::ScopedResourceLibrary resources;
    vqtest::ScriptedUiDriver ui;
    ASSERT_EQ(AfxGetApp(), nullptr);
    ui.ExpectMessageBox("no application", IDOK);
    VqsErrorBox("no application");
    ASSERT_EQ(ui.Seen().size(), 1u);
    EXPECT_EQ(ui.Seen()[0].caption, "");
}

TEST_F(MessageBoxTest, ErrorReportsJoinContextAndMessageAfterTakingDownLockProgress)
{
    static std::size_t boxesBeforeHook;
    boxesBeforeHook = 99;
    VqsSetHideLockProgressHook([] { boxesBeforeHook = vqui::Transcript().size(); });
    ui.ExpectMessageBox("Cannot open system link.:\nlink SYS1 failed", IDOK, "Wrenfield Error")
        .ExpectMessageBox("Error:\nbroken", IDOK, "Wrenfield Error");
    ShowErrorById(61484, VqsExceptionData("link %1 failed", __FILE__, __LINE__, "SYS1"));
    EXPECT_EQ(boxesBeforeHook, 0u);
    ShowErrorById(99999, VqsExceptionData("broken", __FILE__, __LINE__));
    VqsSetHideLockProgressHook(nullptr);
}

// Each read of a session whose connection is gone fails naming the loss: the user is told once
// a command of the host, with the way out, also in the dialogs the command opens. The host's
// idle call ends a command.
TEST_F(MessageBoxTest, ALostConnectionIsToldOnceAnActionWithTheWayOut)
{
    const char* lost = "Cannot read the repository: the connection to the server of postgresql:///team was lost.";
    const std::string wayOut = "\nThe session cannot work without its connection: close the session and open it again.";
    ui.ExpectMessageBox("Cannot access Option Sets:\n" + std::string(lost) + wayOut, IDOK, "Wrenfield Error")
        .ExpectMessageBox(lost + wayOut, IDOK);
    ui.ExpectDialog(143)
        .Run([&] { VqsErrorBox(lost); })
        .Type(1403, "x")
        .Run([&] { VqsErrorBox(lost); })
        .Cancel();
    ui.ExpectMessageBox("Cannot read the repository: the server refused: no.", IDOK);
    ShowErrorById(61642, VqsExceptionData(lost, __FILE__, __LINE__));
    EXPECT_EQ(VqsErrorBox(lost), IDOK);
    app.OnHostIdle();
    VqsErrorBox(lost);
    CDialog dialog(143, nullptr);
    dialog.DoModal();
    VqsErrorBox("Cannot read the repository: the server refused: no.");
    ui.Verify();
}

// A failed transaction refuses each later statement with its first refusal: an action shows
// that refusal once; the next action, in a dialog too, shows it again. Other failures show
// each time.
TEST_F(MessageBoxTest, TheRefusalOfAFailedTransactionIsShownOnceAnAction)
{
    const VqsExceptionData refusal("Cannot change the repository: the disk is full. The transaction was rolled back.",
                                   __FILE__, __LINE__);
    const VqsExceptionData other("Cannot read the repository: the server refused: no.", __FILE__, __LINE__);
    ui.ExpectMessageBox(std::string("Cannot access Option Sets:\n") + refusal.GetErrorMessage().GetString(), IDOK)
        .ExpectMessageBox(other.GetErrorMessage().GetString(), IDOK)
        .ExpectMessageBox(other.GetErrorMessage().GetString(), IDOK);
    ui.ExpectDialog(143)
        .Run([&] { VqsErrorBoxOf(refusal); })
        .Cancel();
    ui.ExpectMessageBox(refusal.GetErrorMessage().GetString(), IDOK);
    ShowErrorById(61642, refusal);
    VqsErrorBoxOf(refusal);
    VqsErrorBoxOf(other);
    VqsErrorBoxOf(other);
    CDialog dialog(143, nullptr);
    dialog.DoModal();
    ui.Verify();
}
