#include "OptionsTestSupport.h"

#include <algorithm>

#include "options/VqsOptionsSheet.h"
#include "proxy/PxNTGLGOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxUnixGLGOptions.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

struct GlobalLogicOptionsTest : OptionsTest {};

} // namespace

TEST_F(GlobalLogicOptionsTest, TickingSeparateCompileAndApplyingStoresItAndMarksTheElementUpdated)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kObjectModule)));
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kObjectModule)));
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
            EXPECT_EQ(TabImage(dialog, 0), 12);
            TypeOnPage(dialog, kObjectModule, "MOD7");
            TakeHints();
            ClickOnPage(dialog, kApplyNow);
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
            EXPECT_EQ(TabImage(dialog, 0), 1);
            const std::vector<int> hints = TakeHints();
            EXPECT_NE(std::find(hints.begin(), hints.end(), VqsKindElementLink), hints.end());
            EXPECT_EQ(hints.back(), VqsKindOption);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);

    const auto options = Options<PxTarskGLGOptionsPtr>("STARTUP", "TARSKGEN");
    options->Refresh();
    EXPECT_EQ(options->GetSeparateCompile(), 1);
    EXPECT_EQ(options->GetGLGSOMName(), "MOD7");
    EXPECT_EQ(Element("SYS1", "SALES", "STARTUP")->GetUpdatedFlag(), 1);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(GlobalLogicOptionsTest, CancelAfterAChangeStoresNothingAndLeavesNoLock)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(dialog.IsEditLocked());
        })
        .Cancel();
    EXPECT_EQ(opened.DoModal(), IDCANCEL);

    EXPECT_FALSE(Options<PxNTGLGOptionsPtr>("STARTUP", "NTGEN")->IsUpdated());
    EXPECT_EQ(Element("SYS1", "SALES", "STARTUP")->GetUpdatedFlag(), 0);
    auto other = OtherUser();
    const PxVQObjectPtr othersRecord = other->GetLVQEnterprise()
                                           ->GetSystem("SYS1")
                                           ->GetCurConfig()
                                           ->GetBSSoftLink("SALES")
                                           ->GetElementSoftLink("STARTUP")
                                           ->GetOptions(other->GetLVQEnterprise()
                                                            ->GetSystem("SYS1")
                                                            ->GetCurConfig()
                                                            ->GetOptionSet("NTGEN"));
    EXPECT_TRUE(othersRecord->WriteLock(0).Succeeded());
}

TEST_F(GlobalLogicOptionsTest, OkWithoutAChangeTakesNoLockAndWritesNothing)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("UNIXGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog).OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_FALSE(dialog.IsEditLocked());
    EXPECT_FALSE(Options<PxUnixGLGOptionsPtr>("STARTUP", "UNIXGEN")->IsUpdated());
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(GlobalLogicOptionsTest, TheNtAndUnixPagesStoreSeparateCompileAndDefaultsClearIt)
{
    const struct {
        const char* optionSet;
        const char* title;
    } cases[] = {{"NTGEN", "Global Logic options for Windows"}, {"UNIXGEN", "Global Logic options for UNIX"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.optionSet);
        auto stored = [&] {
            PxOptionsPtr record = Element("SYS1", "SALES", "STARTUP")->GetOptions(OptionSet(c.optionSet));
            record->Refresh();
            return record->GetOptionValueText(*record->GetOptionFields().front(), 0);
        };
        OpenedOptions ticking(Element("SYS1", "SALES", "STARTUP"), OptionSet(c.optionSet));
        VqsSoftLinkOptionsDlg& dialog = ticking.Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                CString title;
                dialog.GetWindowText(title);
                EXPECT_EQ(title, c.title);
                ClickOnPage(dialog, kSeparateCompile);
            })
            .OK();
        EXPECT_EQ(ticking.DoModal(), IDOK);
        EXPECT_EQ(stored(), "1");
        EXPECT_EQ(Element("SYS1", "SALES", "STARTUP")->GetUpdatedFlag(), 1);

        OpenedOptions resetting(Element("SYS1", "SALES", "STARTUP"), OptionSet(c.optionSet));
        VqsSoftLinkOptionsDlg& again = resetting.Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                EXPECT_TRUE(IsCheckedOnPage(again, kSeparateCompile));
                ClickOnPage(again, kDefaults);
                EXPECT_FALSE(IsCheckedOnPage(again, kSeparateCompile));
                ClickOnPage(again, kApplyNow);
                EXPECT_EQ(TabImage(again, 0), 0);
            })
            .OK();
        EXPECT_EQ(resetting.DoModal(), IDOK);
        EXPECT_EQ(stored(), "0");
        EXPECT_EQ(Element("SYS1", "SALES", "STARTUP")->GetUpdatedFlag(), 0);
    }
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(GlobalLogicOptionsTest, ALogicThatCannotBePerformedShowsSeparateCompileClearedAndDisabled)
{
    Commit(*app.GetLink(), [&] { Options<PxTarskGLGOptionsPtr>("CALCTAX", "TARSKGEN")->SetSeparateCompile(1); });
    OpenedOptions opened(Element("SYS1", "SALES", "CALCTAX"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kSeparateCompile)));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kObjectModule)));
        })
        .Cancel();
    opened.DoModal();
}

TEST_F(GlobalLogicOptionsTest, ALogicWithParametersAlwaysCompilesApartAndStoresIt)
{
    Commit(*app.GetLink(), [&] {
        PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "CALCTAX"))->SetPerformable(1);
    });
    OpenedOptions opened(Element("SYS1", "SALES", "CALCTAX"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kSeparateCompile)));
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kObjectModule)));
            TypeOnPage(dialog, kObjectModule, "TAXMOD");
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    const auto options = Options<PxTarskGLGOptionsPtr>("CALCTAX", "TARSKGEN");
    options->Refresh();
    EXPECT_EQ(options->GetSeparateCompile(), 1);
    EXPECT_EQ(options->GetGLGSOMName(), "TAXMOD");
}

TEST_F(GlobalLogicOptionsTest, TheQsrSheetHasNothingToChangeAndOkAppliesNothing)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("QSRGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            VqsOptionsSheet* sheet = dialog.GetSheet();
            EXPECT_EQ(sheet->GetPageCount(), 1);
            EXPECT_EQ(PageItem(dialog, kApplyNow), nullptr);
            EXPECT_EQ(TabImage(dialog, 0), 0);
            CString text;
            sheet->GetActivePage()->GetDlgItem(-1)->GetWindowText(text);
            EXPECT_EQ(text, "No options are available.");
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_FALSE(dialog.IsEditLocked());
    EXPECT_EQ(Element("SYS1", "SALES", "STARTUP")->GetUpdatedFlag(), 0);
}

TEST_F(GlobalLogicOptionsTest, HelpOpensTheSheetsTopic)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("TARSKGEN"));
    ui.ExpectDialog(kOptionsDialog).Press(57670).Cancel();
    ui.ExpectMessageBox("Help debug. Requesting Help topic with ID = 131900 (0x2033C hex)", IDOK);
    opened.DoModal();
}
