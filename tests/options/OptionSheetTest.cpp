#include "OptionsTestSupport.h"
#include "TestOptionSheet.h"

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "repo/RepoFile.h"
#include "repo/RepoSample.h"
#include "model/VqsLockRetryCallback.h"
#include "support/ChildProcess.h"
#include "support/PgTestServer.h"

#include <stdexcept>

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
    // The lock layer's own description of the refusal, which meets the link, locked before
    // its record.
    ui.ExpectMessageBox("Cannot lock SALES business segment as it is currently locked by another user.\nPlease try again "
                        "after some time.",
                        IDOK);
    opened->DoModal();
    PxFaultInjection::Reset();
    EXPECT_FALSE(Record()->IsUpdated());
}

namespace {

// The dialog of this process and another process on a sample of their own, a file or a
// database of the suite's server; the other process starts before this one opens its
// session there and runs its steps as the test says, or as this one's lock waits.
struct OptionSheetTwoProcessTest : OptionSheetTest, ::testing::WithParamInterface<bool> {
    std::string repository;
    std::unique_ptr<vqtest::ChildProcess> other;
    static inline std::function<void()> s_onLockWait;

    void StartProcesses(const std::vector<std::function<void()>>& steps)
    {
        app.CloseSession();
        repository = GetParam() ? vqtest::PgTestServer::Instance().NewDatabase() : sample.Directory().File("shared.vqr");
        vqrepo::CreateRepositoryFile(repository, vqrepo::SampleDescription());
        other = std::make_unique<vqtest::ChildProcess>(steps);
        ASSERT_TRUE(other->WaitReady());
        ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC", nullptr));
        app.GetLink()->PxSetRetryFunction(&OnLockWait);
        ClearPaintedColours();
    }

    void TearDown() override
    {
        s_onLockWait = nullptr;
        OptionSheetTest::TearDown();
        other.reset();
    }

    static int OnLockWait(PxLockErrorInfo& info)
    {
        constexpr int kHeldByAnother = 3;
        if (info.GetErrorCode() == kHeldByAnother && s_onLockWait)
            std::exchange(s_onLockWait, nullptr)();
        return VqsLockRetryCallback(info);
    }

    // The other process's link, which lives until the process ends, and its view of SYS1.
    PxVQLink& OthersLink() const
    {
        static PxVQLink* link = nullptr;
        if (!link) {
            link = new PxVQLink;
            link->AttachSession(repository.c_str(), "OTHER/dev", nullptr);
        }
        return *link;
    }

    PxVQCurConfigPtr OthersConfig() const { return OthersLink().GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig(); }
    PxVQBSSoftLinkPtr OthersSales() const { return OthersConfig()->GetBSSoftLink("SALES"); }
    PxOptionsPtr OthersRecord(const char* optionSet) const
    {
        return OthersSales()->GetOptions(OthersConfig()->GetOptionSet(optionSet));
    }

    // What another user's step takes, or throws.
    static void LockForUpdate(const PxVQObjectPtr& object)
    {
        if (!object->FutureUpdateLock().Succeeded())
            throw std::runtime_error("the other process waits");
    }
    static void LockForWrite(const PxVQObjectPtr& object)
    {
        if (!object->WriteLock(0).Succeeded())
            throw std::runtime_error("the other process waits");
    }
};

std::string StoreName(const ::testing::TestParamInfo<bool>& info) { return info.param ? "Server" : "File"; }

} // namespace

// A dialog only opened holds nothing, though an automatic profile's page shows its expected
// number as it opens: the other process's own first change on the record and its link is
// granted at once and stored.
TEST_P(OptionSheetTwoProcessTest, AnOpenedDialogLetsAnotherProcessTakeAndChangeTheRecord)
{
    StartProcesses({[] {},
                    [this] {
                        const PxVQElementSoftLinkPtr profile = OthersSales()->GetElementSoftLink("CUSTBYNAME");
                        const PxVQObjectPtr record(profile->GetOptions(OthersConfig()->GetOptionSet("NTGEN")));
                        LockForUpdate(profile);
                        LockForUpdate(record);
                        OthersLink().BeginTransaction();
                        PxProfileOptionsPtr(record)->SetExpectedOrVolume(500);
                        OthersLink().CommitTransaction();
                        record->UnLock();
                        profile->UnLock();
                    }});
    OpenedOptions opened(Element("SYS1", "SALES", "CUSTBYNAME"), OptionSet("NTGEN"));
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(other->RunNextStep());
            EXPECT_FALSE(opened.Dialog().IsEditLocked());
        })
        .Cancel();
    opened.DoModal();
    const PxProfileOptionsPtr record(Element("SYS1", "SALES", "CUSTBYNAME")->GetOptions(OptionSet("NTGEN")));
    record->Refresh();
    EXPECT_EQ(record->GetExpectedOrVolume(), 500);
}

// The other process writes an element's record as its own steps do, holding the segment and
// the element link first. This dialog's first change waits for the link holding nothing, so the
// other process gets the record at once; the change then shows what it stored.
TEST_P(OptionSheetTwoProcessTest, AFirstChangeWaitingForTheLinkHoldsNotItsRecord)
{
    StartProcesses({[] {},
                    [this] {
                        LockForWrite(OthersSales());
                        LockForWrite(OthersSales()->GetElementSoftLink("STARTUP"));
                    },
                    [this] {
                        const PxVQObjectPtr record(OthersSales()->GetElementSoftLink("STARTUP")->GetOptions(
                            OthersConfig()->GetOptionSet("TARSKGEN")));
                        const bool granted = record->WriteLock(0).Succeeded();
                        if (granted) {
                            OthersLink().BeginTransaction();
                            PxTarskGLGOptionsPtr(record)->SetSeparateCompile(1);
                            OthersLink().CommitTransaction();
                            record->UnLock();
                        }
                        OthersSales()->GetElementSoftLink("STARTUP")->UnLock();
                        OthersSales()->UnLock();
                        if (!granted)
                            throw std::runtime_error("the record is held");
                    }});
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    bool stored = false;
    ui.WheneverDialog(kLockProgressDialog);
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            ASSERT_TRUE(other->RunNextStep());
            s_onLockWait = [&] { stored = other->RunNextStep(); };
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(dialog.GetSheet()->GetOptionPage(0)->IsModified());
        })
        .Cancel();
    ui.ExpectMessageBoxId(61747, IDOK);
    opened.DoModal();
    EXPECT_TRUE(stored);
}

// Yes to the removal of obsolete options waits while the other process holds the configuration
// for its own step; that change, stored meanwhile in another option set, keeps the segment: the
// dialog says the contents changed and shows them, and nothing is removed.
TEST_P(OptionSheetTwoProcessTest, ARemovalThatWaitedFindsTheOtherProcesssNewOptionsAndKeepsTheLink)
{
    StartProcesses({[this] { LockForUpdate(OthersConfig()); },
                    [this] {
                        OthersLink().BeginTransaction();
                        PxBSegOptionsPtr(OthersRecord("NTGEN"))->SetFullKESHOFF(1);
                        OthersLink().CommitTransaction();
                        OthersConfig()->UnLock();
                    }});
    StoreBeforehand(1, -1);
    MarkSegmentUnused();
    auto opened = OpenSegment();
    VqsSoftLinkOptionsDlg& dialog = opened->Dialog();
    bool letGo = false;
    s_onLockWait = [&] { letGo = other->RunNextStep(); };
    ui.WheneverDialog(kLockProgressDialog);
    ui.ExpectDialog(kOptionsDialog).Run([&] { ClickOnPage(dialog, kDefaults); }).OK().Cancel();
    ui.ExpectMessageBoxId(61560, IDYES);
    ui.ExpectMessageBoxId(61747, IDOK);
    EXPECT_EQ(opened->DoModal(), IDCANCEL);
    EXPECT_TRUE(letGo);
    ASSERT_TRUE(Segment("SYS1", "SALES"));
    EXPECT_EQ(Record()->GetFullKESHOFF(), 1);
    const PxBSegOptionsPtr others(Segment("SYS1", "SALES")->GetOptions(OptionSet("NTGEN")));
    others->Refresh();
    EXPECT_EQ(others->GetFullKESHOFF(), 1);
}

INSTANTIATE_TEST_SUITE_P(Stores, OptionSheetTwoProcessTest, ::testing::Bool(), StoreName);
