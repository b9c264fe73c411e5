#include "shell/VqsFindObjectDlg.h"
#include "shell/VqsSysApp.h"

#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kFind = 143;
constexpr int kSearchText = 1403;

struct FindObjectDlgTest : ::testing::Test {
    void SetUp() override { vqui::ClearTranscript(); }

    CString TitleShown(VqsFindObjectDlg& dialog, const char* word)
    {
        CString title;
        dialog.m_strTitleWord = word;
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(kFind).Run([&] { dialog.GetWindowText(title); }).Cancel();
        dialog.DoModal();
        return title;
    }

    VqsSysApp app;
    vqtest::ScopedResourceLibrary library;
};

} // namespace

TEST_F(FindObjectDlgTest, TheTitleNamesWhatIsSearched)
{
    VqsFindObjectDlg dialog(nullptr);
    EXPECT_EQ(TitleShown(dialog, "Systems"), "Find Systems");
    EXPECT_EQ(TitleShown(dialog, ""), "Find ");
    EXPECT_EQ(TitleShown(dialog, "100%"), "Find 100%");
}

TEST_F(FindObjectDlgTest, OkHandsBackTheTextAndCancelLeavesIt)
{
    VqsFindObjectDlg dialog(nullptr);
    dialog.m_strSearchText = "CUST";
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kFind)
        .Run([&] {
            EXPECT_EQ(dialog.GetDlgItem(kSearchText)->GetFocus(), dialog.GetDlgItem(kSearchText));
            dialog.SetDlgItemText(kSearchText, "ORDER");
        })
        .Cancel();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.m_strSearchText, "CUST");

    ui.ExpectDialog(kFind)
        .Run([&] {
            CString shown;
            dialog.GetDlgItemText(kSearchText, shown);
            EXPECT_EQ(shown, "CUST");
            dialog.SetDlgItemText(kSearchText, "");
        })
        .OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_strSearchText, "");
}
