#include "OptionsTestSupport.h"

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxNTGLGOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxVQConfig.h"
#include "win/ImageList.h"

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

struct OptionsDialogTest : OptionsTest {
    PxNTGLGOptionsPtr StoredNtOptions(const char* element) const
    {
        const auto options = Options<PxNTGLGOptionsPtr>(element, "NTGEN");
        options->Refresh();
        return options;
    }

    // The other user's view of an element link of SALES in SYS1.
    static PxVQElementSoftLinkPtr OthersElement(PxVQLink& other, const char* element)
    {
        return other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->GetElementSoftLink(
            element);
    }

    static PxVQOptionSetPtr OthersOptionSet(PxVQLink& other, const char* name)
    {
        return other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet(name);
    }

    static CString ComboText(VqsSoftLinkOptionsDlg& dialog, int id)
    {
        CString text;
        dialog.GetDlgItem(id)->GetWindowText(text);
        return text;
    }
};

} // namespace

TEST_F(OptionsDialogTest, TheRightsDecideBetweenEditingReadingAndNoDialog)
{
    const struct {
        int mask;
        bool opens;
        bool readOnly;
    } cases[] = {{0, true, false}, {1 | 4, true, false}, {1 | 4 | 32, true, false}, {1 | 32, true, true},
                 {1, false, false}, {1 | 2 | 8 | 16, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        app.SetSecurityMask(c.mask);
        OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("NTGEN"));
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        if (c.opens) {
            ui.ExpectDialog(kOptionsDialog)
                .Run([&] {
                    EXPECT_EQ(dialog.IsReadOnly(), c.readOnly);
                    EXPECT_EQ(::IsWindowVisible(PageItem(dialog, kApplyNow)), !c.readOnly);
                    EXPECT_EQ(::IsWindowVisible(PageItem(dialog, kDefaults)), !c.readOnly);
                    EXPECT_EQ(::IsWindowEnabled(PageItem(dialog, kSeparateCompile)), !c.readOnly);
                })
                .OK();
            EXPECT_EQ(opened.DoModal(), IDOK);
        } else {
            ui.ExpectDialog(kOptionsDialog);
            ui.ExpectMessageBoxId(61667, IDOK);
            EXPECT_EQ(opened.DoModal(), IDCANCEL);
        }
        EXPECT_FALSE(dialog.IsEditLocked());
        ui.Verify();
    }
}

TEST_F(OptionsDialogTest, OptionsOfAPreviousConfigurationOpenReadOnly)
{
    PxVQElementSoftLinkPtr oldLink;
    PxVQOptionSetPtr oldSet;
    Commit(*app.GetLink(), [&] {
        PxTypedList<PxVQOldConfigPtr> olds;
        System("SYS1")->GetListOfOldConfigs(olds);
        PxVQOldConfigPtr old = olds.GetHead();
        oldLink = old->CreateBSSoftLink("SALES")->CreateElementSoftLink("STARTUP", 4);
        oldLink->CreateBlankOptions();
        oldSet = old->GetOptionSet();
    });
    OpenedOptions opened(oldLink, oldSet);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(dialog.IsReadOnly());
            EXPECT_FALSE(::IsWindowVisible(PageItem(dialog, kApplyNow)));
            EXPECT_FALSE(::IsWindowVisible(PageItem(dialog, kUndo)));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kSeparateCompile)));
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_FALSE(dialog.IsEditLocked());
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionsDialogTest, ARecordChangedByAnotherUserIsShownAgainAtTheFirstChangeWhichIsDropped)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    auto other = OtherUser();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            Commit(*other, [&] {
                PxNTGLGOptionsPtr(OthersElement(*other, "STARTUP")->GetOptions(OthersOptionSet(*other, "NTGEN")))
                    ->SetSeparateCompile(1);
            });
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(dialog.GetSheet()->GetOptionPage(0)->IsModified());
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(dialog.GetSheet()->GetOptionPage(0)->IsModified());
        })
        .OK();
    ui.ExpectMessageBoxId(61747, IDOK);
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_EQ(StoredNtOptions("STARTUP")->GetSeparateCompile(), 0);
}

// An automatic profile's page shows its expected number as it opens: that is no change, and
// another user may still take the record for update until the first real one.
TEST_F(OptionsDialogTest, AnOpenedDialogHoldsNoEditLockUntilTheFirstChange)
{
    OpenedOptions opened(Element("SYS1", "SALES", "CUSTBYNAME"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    auto other = OtherUser();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(dialog.IsEditLocked());
            const PxVQObjectPtr record(OthersElement(*other, "CUSTBYNAME")->GetOptions(OthersOptionSet(*other, "NTGEN")));
            EXPECT_TRUE(record->FutureUpdateLock().Succeeded());
            record->UnLock();
        })
        .Cancel();
    opened.DoModal();
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionsDialogTest, AnElementDeletedByAnotherUserClosesTheDialogAtTheFirstChange)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    auto other = OtherUser();
    ui.ExpectDialog(kOptionsDialog).Run([&] {
        Commit(*other, [&] { OthersElement(*other, "STARTUP")->RecursiveDeleteObject(); });
        ClickOnPage(dialog, kSeparateCompile);
    }).Wait();
    ui.ExpectMessageBox("Environmental options item has been deleted.\nRefresh the view and open the dialog again.",
                        IDOK);
    EXPECT_EQ(opened.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.IsEditLocked());
}

TEST_F(OptionsDialogTest, ChoosingAnotherElementAsksToSaveTheChangesFirst)
{
    const struct {
        int answer;
        const char* shownAfter;
        int startupStored;
    } cases[] = {{IDCANCEL, "STARTUP", -1}, {IDNO, "CALCTAX", -1}, {IDYES, "CALCTAX", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        Commit(*app.GetLink(), [&] { Options<PxNTGLGOptionsPtr>("STARTUP", "NTGEN")->ClearSeparateCompile(); });
        OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("NTGEN"));
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                EXPECT_EQ(ComboText(dialog, kElementCombo), "STARTUP");
                ClickOnPage(dialog, kSeparateCompile);
            })
            .SelectText(kElementCombo, "CALCTAX")
            .Run([&] {
                EXPECT_EQ(ComboText(dialog, kElementCombo), c.shownAfter);
                EXPECT_EQ(dialog.GetSoftLink()->GetName(), c.shownAfter);
                EXPECT_EQ(dialog.GetSheet()->GetOptionPage(0)->IsModified(), c.answer == IDCANCEL);
                EXPECT_EQ(dialog.IsEditLocked(), c.answer == IDCANCEL);
            })
            .Cancel();
        ui.ExpectMessageBoxId(61503, c.answer);
        opened.DoModal();
        ui.Verify();
        const PxNTGLGOptionsPtr stored = StoredNtOptions("STARTUP");
        EXPECT_EQ(stored->IsUpdatedSeparateCompile() ? stored->GetSeparateCompile() : -1, c.startupStored);
    }
}

TEST_F(OptionsDialogTest, ChoosingAnotherOptionSetOfTheSamePlatformKindShowsItsRecord)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_EQ(ComboText(dialog, kOptionSetCombo), "NTGEN");
            EXPECT_EQ(dialog.GetSheet()->GetOptions()->GetOptionsType(), 0);
        })
        .SelectText(kOptionSetCombo, "UNIXGEN")
        .Run([&] {
            EXPECT_EQ(ComboText(dialog, kOptionSetCombo), "NTGEN");
            EXPECT_EQ(dialog.GetSheet()->GetOptions()->GetOptionsType(), 0);
        })
        .Cancel();
    opened.DoModal();
}

TEST_F(OptionsDialogTest, ChoosingAnotherGenerateSetOfThePlatformShowsItsOptions)
{
    Commit(*app.GetLink(), [&] {
        System("SYS1")->GetCurConfig()->CreateOptionSet("TARSK2", 2);
        Element("SYS1", "SALES", "STARTUP")->CreateBlankOptions();
        Options<PxTarskGLGOptionsPtr>("STARTUP", "TARSK2")->SetGLGSOMName("SECOND");
    });
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] { ClickOnPage(dialog, kSeparateCompile); })
        .SelectText(kOptionSetCombo, "TARSK2")
        .Run([&] {
            EXPECT_EQ(ComboText(dialog, kOptionSetCombo), "TARSK2");
            EXPECT_TRUE(dialog.GetSheet()->GetOptions()->IsSameOid(Options<PxTarskGLGOptionsPtr>("STARTUP", "TARSK2")));
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            CString module;
            ::GetWindowText(PageItem(dialog, kObjectModule), module.GetBuffer(64), 64);
            module.ReleaseBuffer();
            EXPECT_EQ(module, "SECOND");
            EXPECT_FALSE(dialog.IsEditLocked());
        })
        .Cancel();
    ui.ExpectMessageBoxId(61503, IDNO);
    opened.DoModal();
    EXPECT_FALSE(Options<PxTarskGLGOptionsPtr>("STARTUP", "TARSKGEN")->IsUpdated());
}

TEST_F(OptionsDialogTest, TheTitleAndKindTextNameTheElementKindAndAnAutomaticProfileAsSuch)
{
    const struct {
        const char* element;
        const char* optionSet;
        const char* title;
        const char* kindText;
    } cases[] = {{"CUSTBYNAME", "NTGEN", "Automatic Profile options for Windows", "Automatic Profile:"},
                 {"STARTUP", "UNIXGEN", "Global Logic options for UNIX", "Global Logic:"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        OpenedOptions opened(Element("SYS1", "SALES", c.element), OptionSet(c.optionSet));
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        CString title;
        CString kindText;
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                dialog.GetWindowText(title);
                dialog.GetDlgItem(1064)->GetWindowText(kindText);
            })
            .Cancel();
        opened.DoModal();
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(kindText, c.kindText);
    }
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionsDialogTest, TheTabIconsOfThePagesAreGivenBackWithTheDialog)
{
    UsePlatformNeutralSheets();
    std::vector<HICON> icons;
    {
        OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("NTGEN"));
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                VqsOptionsSheet& sheet = *dialog.GetSheet();
                for (int index = 0; index < sheet.GetPageCount(); ++index)
                    icons.push_back(sheet.GetPage(index)->m_psp.hIcon);
            })
            .Cancel();
        opened.DoModal();
    }
    ASSERT_EQ(icons.size(), 6u);
    for (HICON icon : icons) {
        ASSERT_TRUE(icon);
        EXPECT_FALSE(DestroyIcon(icon)) << "the icon was still held";
    }
}
