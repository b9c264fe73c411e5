#include "OptionsTestSupport.h"
#include "TestOptionSheet.h"

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxTypedList.h"

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

struct OptionSheetTest : OptionsTest {
    void SetUp() override
    {
        OptionsTest::SetUp();
        TestOptionSheet::Register();
        TestFlagPage::s_refusal.Empty();
        ClearPaintedColours();
    }

    PxTarskBSegOptionsPtr Record() const
    {
        PxTarskBSegOptionsPtr record(Segment("SYS1", "SALES")->GetOptions(OptionSet("TARSKGEN")));
        record->Refresh();
        return record;
    }

    // The sample paints the records of QSR and Tarsk segments with the design's colours; the
    // tests start from records without own values.
    void ClearPaintedColours()
    {
        Commit(*app.GetLink(), [&] {
            PxTypedList<PxOptionsPtr> records;
            Segment("SYS1", "SALES")->GetAllOptions(records);
            for (POSITION pos = records.GetHeadPosition(); pos;) {
                const PxOptionsPtr record = records.GetNext(pos);
                if (const PxTarskBSegOptionsPtr tarsk = record) {
                    tarsk->ClearBSFColor();
                    tarsk->ClearBSBColor();
                } else if (const PxQSRBSegOptionsPtr qsr = record) {
                    qsr->ClearBSFColor();
                    qsr->ClearBSBColor();
                }
            }
        });
    }

    // Gives the segment's record own values before the dialog opens.
    void StoreBeforehand(int fullKeshOff, int pceCap)
    {
        Commit(*app.GetLink(), [&] {
            PxTarskBSegOptionsPtr record = Record();
            if (fullKeshOff >= 0)
                record->SetFullKESHOFF(fullKeshOff);
            if (pceCap >= 0)
                record->SetPCEcap(pceCap);
            Segment("SYS1", "SALES")->SetUpdatedFlag(1);
        });
    }

    void MarkSegmentUnused()
    {
        Commit(*app.GetLink(), [&] { Segment("SYS1", "SALES")->SetUnusedMark(1); });
    }

    std::unique_ptr<OpenedOptions> OpenSegment(UINT selectPage = 0)
    {
        return std::make_unique<OpenedOptions>(Segment("SYS1", "SALES"), OptionSet("TARSKGEN"), selectPage);
    }

    static VqsOptionPage* Page(VqsSoftLinkOptionsDlg& dialog, int index)
    {
        return dialog.GetSheet()->GetOptionPage(index);
    }
};

} // namespace

TEST_F(OptionSheetTest, TabImagesShowDefaultsOwnValuesAndTheModifiedMark)
{
    StoreBeforehand(1, -1);
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_EQ(TabImage(dialog, 0), 1);
            EXPECT_EQ(TabImage(dialog, 1), 0);
            EXPECT_EQ(TabImage(dialog, 2), 0);
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kUndo)));
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kDefaults)));
            ClickOnPage(dialog, kDefaults);
            EXPECT_EQ(TabImage(dialog, 0), 9);
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kDefaults)));
            ShowPage(dialog, 1);
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_EQ(TabImage(dialog, 1), 12);
            ClickOnPage(dialog, kUndo);
            EXPECT_EQ(TabImage(dialog, 1), 0);
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(Page(dialog, 1)->IsModified());
            EXPECT_TRUE(Page(dialog, 0)->IsModified());
        })
        .Cancel();
    EXPECT_EQ(opened->DoModal(), IDCANCEL);
    EXPECT_EQ(Record()->GetFullKESHOFF(), 1);
}

TEST_F(OptionSheetTest, TheFirstChangeTakesTheEditLockThatAnotherUserThenCannotTake)
{
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    auto other = OtherUser();
    auto othersRecord = [&] {
        return PxVQObjectPtr(other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")
                                 ->GetOptions(other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()
                                                  ->GetOptionSet("TARSKGEN")));
    };
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(dialog.IsEditLocked());
            PxVQObjectPtr record = othersRecord();
            ASSERT_TRUE(record->FutureUpdateLock().Succeeded());
            record->UnLock();
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(dialog.IsEditLocked());
            EXPECT_FALSE(record->FutureUpdateLock().Succeeded());
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(Page(dialog, 0)->IsModified());
        })
        .Cancel();
    opened->DoModal();
    EXPECT_TRUE(othersRecord()->FutureUpdateLock().Succeeded());
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionSheetTest, OwnValuesAreStoredBeforeAnotherPageReturnsToItsDefaults)
{
    StoreBeforehand(1, -1);
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            ClickOnPage(dialog, kDefaults);
            ShowPage(dialog, 2);
            ClickOnPage(dialog, kSeparateCompile);
        })
        .OK();
    EXPECT_EQ(opened->DoModal(), IDOK);
    const PxTarskBSegOptionsPtr record = Record();
    EXPECT_FALSE(record->IsUpdatedFullKESHOFF());
    EXPECT_EQ(record->GetPCEcap(), 1);
    EXPECT_EQ(Segment("SYS1", "SALES")->GetUpdatedFlag(), 1);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionSheetTest, DefaultsOfTheLastPageWithOwnValuesClearTheUpdatedMark)
{
    StoreBeforehand(1, -1);
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog).Run([&] { ClickOnPage(dialog, kDefaults); }).OK();
    EXPECT_EQ(opened->DoModal(), IDOK);
    EXPECT_FALSE(Record()->IsUpdated());
    EXPECT_EQ(Segment("SYS1", "SALES")->GetUpdatedFlag(), 0);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionSheetTest, ObsoleteOptionsReturningToDefaultsAskFirstAndNoAppliesNothing)
{
    StoreBeforehand(1, -1);
    MarkSegmentUnused();
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] { ClickOnPage(dialog, kDefaults); })
        .OK()
        .Run([&] {
            EXPECT_TRUE(Page(dialog, 0)->IsModified());
            EXPECT_EQ(Record()->GetFullKESHOFF(), 1);
        })
        .Cancel();
    ui.ExpectMessageBoxId(61560, IDNO);
    EXPECT_EQ(opened->DoModal(), IDCANCEL);
    EXPECT_EQ(Record()->GetFullKESHOFF(), 1);
    EXPECT_TRUE(Segment("SYS1", "SALES"));
}

TEST_F(OptionSheetTest, ObsoleteOptionsReturningToDefaultsWithYesRemoveTheLinkAndCloseTheDialog)
{
    StoreBeforehand(1, -1);
    MarkSegmentUnused();
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog).Run([&] { ClickOnPage(dialog, kDefaults); }).OK();
    ui.ExpectMessageBoxId(61560, IDYES);
    EXPECT_EQ(opened->DoModal(), IDCANCEL);
    EXPECT_FALSE(Segment("SYS1", "SALES"));
}

TEST_F(OptionSheetTest, ApplyNowAppliesTheActivePageAndLeavesTheOthersModified)
{
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            ClickOnPage(dialog, kSeparateCompile);
            ShowPage(dialog, 1);
            ClickOnPage(dialog, kSeparateCompile);
            ClickOnPage(dialog, kApplyNow);
            EXPECT_FALSE(Page(dialog, 1)->IsModified());
            EXPECT_TRUE(Page(dialog, 0)->IsModified());
            EXPECT_EQ(Record()->GetEnableOLTP(), 1);
            EXPECT_FALSE(Record()->IsUpdatedFullKESHOFF());
        })
        .Cancel();
    opened->DoModal();
    EXPECT_FALSE(Record()->IsUpdatedFullKESHOFF());
    EXPECT_EQ(Segment("SYS1", "SALES")->GetUpdatedFlag(), 1);
}

TEST_F(OptionSheetTest, APageCheckThatFailsShowsWhyStoresNothingAndKeepsTheDialogOpen)
{
    TestFlagPage::s_refusal = "Flag refused";
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] { ClickOnPage(dialog, kSeparateCompile); })
        .OK()
        .Run([&] { EXPECT_TRUE(Page(dialog, 0)->IsModified()); })
        .Cancel();
    ui.ExpectMessageBox("Cannot save option values:\nFlag refused", IDOK);
    EXPECT_EQ(opened->DoModal(), IDCANCEL);
    EXPECT_FALSE(Record()->IsUpdated());
    EXPECT_EQ(Segment("SYS1", "SALES")->GetUpdatedFlag(), 0);
}

TEST_F(OptionSheetTest, AStartPageTheSheetDoesNotHaveOpensTheFirstPage)
{
    for (UINT start : {2U, 3U, 99U}) {
        auto opened = OpenSegment(start);
        VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] { EXPECT_EQ(dialog.GetSheet()->GetActiveIndex(), start == 2 ? 2 : 0) << start; })
            .Cancel();
        opened->DoModal();
    }
}

TEST_F(OptionSheetTest, TheSheetRefusesARecordOfAnotherClassOrNoneAndKeepsItsOwn)
{
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            VqsOptionsSheet* sheet = dialog.GetSheet();
            const PxOptionsPtr own = sheet->GetOptions();
            EXPECT_FALSE(sheet->SetOptions(Element("SYS1", "SALES", "STARTUP")->GetOptions(OptionSet("TARSKGEN"))));
            EXPECT_FALSE(sheet->SetOptions(PxOptionsPtr()));
            EXPECT_TRUE(sheet->GetOptions()->IsSameOid(own));
            EXPECT_TRUE(sheet->SetOptions(own));
        })
        .Cancel();
    opened->DoModal();
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(OptionSheetTest, ACommitThatFailsKeepsThePageModifiedAndStoresNothing)
{
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            ClickOnPage(dialog, kSeparateCompile);
            PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full.");
            ClickOnPage(dialog, kApplyNow);
            EXPECT_TRUE(Page(dialog, 0)->IsModified());
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
        })
        .Cancel();
    ui.ExpectMessageBox("Cannot commit the transaction:\nThe disk is full.", IDOK);
    opened->DoModal();
    PxFaultInjection::Reset();
    EXPECT_FALSE(Record()->IsUpdatedFullKESHOFF());
    EXPECT_EQ(Segment("SYS1", "SALES")->GetUpdatedFlag(), 0);
}

TEST_F(OptionSheetTest, TheTitleNamesTheKindAndPlatformAndAnEventViewOfASegmentSaysEvent)
{
    for (BOOL eventView : {FALSE, TRUE}) {
        auto opened = OpenSegment();
        VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
        dialog.SetEventView(eventView);
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                CString title;
                dialog.GetWindowText(title);
                EXPECT_EQ(title, eventView ? "EVENT options for OS Tarsk" : "Business Segment options for OS Tarsk");
                CString kind;
                dialog.GetDlgItem(1064)->GetWindowText(kind);
                EXPECT_EQ(kind, "Business Segment:");
            })
            .Cancel();
        opened->DoModal();
    }
}

TEST_F(OptionSheetTest, ARefusedEditLockPutsTheControlBackAndMarksNothing)
{
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            PxFaultInjection::RefuseLock("PxLink::FutureUpdateLock", 2);
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(Page(dialog, 0)->IsModified());
            EXPECT_FALSE(dialog.IsEditLocked());
            EXPECT_EQ(TabImage(dialog, 0), 0);
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_TRUE(dialog.IsEditLocked());
        })
        .Cancel();
    // The lock layer's own description of the refusal.
    ui.ExpectMessageBox("Cannot lock options for SALES business segment in option set TARSKGEN as it is currently locked by "
                        "another user.\nPlease try again after some time.",
                        IDOK);
    opened->DoModal();
    PxFaultInjection::Reset();
    EXPECT_FALSE(Record()->IsUpdated());
}
