// The Bulk Options page of a business segment, used as a person uses it: rows selected in
// the element list, an editor of the kind's panel changed, the edits applied or undone.
#include "OptionsTestSupport.h"

#include "options/VqsColumnAdapters.h"
#include "options/VqsOptionPageBSegBulkOptions.h"
#include "options/VqsOptionsGenericSheets.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxTesting.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQSystem.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQTypes.h"
#include "support/ChildProcess.h"
#include "win/Activation.h"
#include "win/CButton.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"
#include "win/Input.h"
#include "win/UserActions.h"

#include <algorithm>
#include <functional>
#include <memory>

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

constexpr int kBulkPage = 5;
constexpr int kUseDefault = 1110;
constexpr int kText = 1405;
constexpr int kSelectionFilter = 33071;
constexpr int kNameColumn = 0;
constexpr int kUsageColumn = 2;
constexpr int kServiceColumn = 3;
constexpr UINT kSelectElementsDialog = 329;

struct BulkOptionsTest : OptionsTest {
    void SetUp() override
    {
        OptionsTest::SetUp();
        UsePlatformNeutralSheets();
        Commit(*app.GetLink(), [&] { SegmentOptions()->SetEnableOLTP(1); });
    }
    void TearDown() override
    {
        PxFaultInjection::Reset();
        OptionsTest::TearDown();
    }

    PxBSegOptionsPtr SegmentOptions() const
    {
        return PxBSegOptionsPtr(Segment("SYS1", "SALES")->GetOptions(OptionSet("NTGEN")));
    }

    PxIspecOptionsPtr StoredIspec(const char* name) const
    {
        auto options = Options<PxIspecOptionsPtr>(name, "NTGEN");
        options->Refresh();
        return options;
    }

    // Opens the business segment's options on the Bulk Options page and runs `use` there.
    void OnBulkPage(std::function<void(VqsSoftLinkOptionsDlg&, VqsOptionPageBSegBulkOptions&)> use,
                    int end = IDCANCEL)
    {
        OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("NTGEN"), kBulkPage);
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        auto& script = ui.ExpectDialog(kOptionsDialog).Run([&] {
            auto* page = dynamic_cast<VqsOptionPageBSegBulkOptions*>(dialog.GetSheet()->GetActivePage());
            ASSERT_TRUE(page);
            use(dialog, *page);
        });
        if (end == IDOK)
            script.OK();
        else
            script.Cancel();
        opened.DoModal();
    }
};

// The names of the rows, in list order.
Strings RowNames(VqsOptionPageBSegBulkOptions& page)
{
    Strings names;
    for (int row = 0; row < page.GetList().GetItemCount(); ++row)
        names.push_back(std::string(page.GetList().GetItemText(row, kNameColumn)));
    return names;
}

int RowOf(VqsOptionPageBSegBulkOptions& page, const char* name)
{
    const Strings names = RowNames(page);
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

// The user selects exactly these rows.
void SelectRows(VqsOptionPageBSegBulkOptions& page, std::initializer_list<const char*> names)
{
    page.GetList().SetItemState(-1, 0, LVIS_SELECTED);
    for (const char* name : names)
        page.GetList().SetItemState(RowOf(page, name), LVIS_SELECTED, LVIS_SELECTED);
}

HWND PanelItem(VqsOptionPageBSegBulkOptions& page, int id) { return page.GetCurrentPanel()->GetDlgItem(id)->m_hWnd; }

// The user types a service name for the selected rows.
void TypeService(VqsOptionPageBSegBulkOptions& page, const char* text)
{
    if (::SendMessage(PanelItem(page, kUseDefault), BM_GETCHECK, 0, 0) == BST_CHECKED)
        vqui::user::Click(PanelItem(page, kUseDefault));
    vqui::user::ReplaceText(PanelItem(page, kText), text);
}

} // namespace

TEST_F(BulkOptionsTest, TheIspecsAreListedWithoutTheMainEventAndTheirUsages)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg&, VqsOptionPageBSegBulkOptions& page) {
        EXPECT_EQ(RowNames(page), (Strings{"CUSTOMER", "ORDER", "NOTES", "AUDIT", "ENQUIRY"}));
        EXPECT_EQ(page.GetList().GetItemText(RowOf(page, "AUDIT"), kUsageColumn), "Output");
        EXPECT_EQ(page.GetList().GetItemText(RowOf(page, "AUDIT"), kServiceColumn), "");
        EXPECT_EQ(std::string(page.GetList().GetItemText(RowOf(page, "ORDER"), kServiceColumn)),
                  std::string(StoredIspec("ORDER")->GetDefaultService()));
    });
}

// The page lists its rows from the option records of all the segment's links, read in one
// read, not one read a link.
TEST_F(BulkOptionsTest, ThePageReadsTheOptionRecordsOfTheSegmentsLinksTogether)
{
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(links);
    ASSERT_GT(links.GetCount(), 8);
    PxTesting::ResetListReads();
    OnBulkPage([&](VqsSoftLinkOptionsDlg&, VqsOptionPageBSegBulkOptions& page) {
        ASSERT_GT(page.GetList().GetItemCount(), 1);
        EXPECT_EQ(PxTesting::ListReads("PxVQSoftLink::AllOptionsOf"), 1);
        // The few of the dialog's own records.
        EXPECT_LT(PxTesting::ListReads("PxVQSoftLink::GetOptions"), links.GetCount() / 2) << "a read a link";
    });
}

TEST_F(BulkOptionsTest, AServiceTypedForTwoRowsIsAppliedToThemAloneInOneTransaction)
{
    OnBulkPage(
        [&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
            SelectRows(page, {"ORDER", "NOTES"});
            TypeService(page, "SVC9");
            VqsBulkOptionPanel& panel = *page.GetCurrentPanel();
            EXPECT_TRUE(panel.IsCellEdited(RowOf(page, "ORDER"), kServiceColumn));
            EXPECT_FALSE(panel.IsCellEdited(RowOf(page, "CUSTOMER"), kServiceColumn));
            EXPECT_EQ(page.GetList().GetItemText(RowOf(page, "NOTES"), kServiceColumn), "SVC9");
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kUndo)));
            ui.ExpectMessageBoxId(62135, IDYES);
            TakeHints();
            ClickOnPage(dialog, kApplyNow);
            const std::vector<int> hints = TakeHints();
            EXPECT_GE(std::count(hints.begin(), hints.end(), VqsKindElementLink), 2);
            EXPECT_FALSE(panel.HasEdits());
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
        },
        IDOK);
    EXPECT_EQ(StoredIspec("ORDER")->GetService(), "SVC9");
    EXPECT_EQ(StoredIspec("NOTES")->GetService(), "SVC9");
    EXPECT_FALSE(StoredIspec("CUSTOMER")->IsUpdatedService());
    EXPECT_EQ(Element("SYS1", "SALES", "ORDER")->GetUpdatedFlag(), 1);
    EXPECT_EQ(Element("SYS1", "SALES", "CUSTOMER")->GetUpdatedFlag(), 0);
}

// An Ispec the design copies from another takes no OLTP service of its own.
TEST_F(BulkOptionsTest, TheServiceColumnNeitherShowsNorTakesAServiceForACopiedIspec)
{
    Commit(*app.GetLink(), [&] {
        PxLSEBuilder(*app.GetLink())
            .SetNumber(app.GetLSEEnterprise()->GetBusinessSegment("SALES")->GetElement("NOTES"), "copyFrom", 1);
    });
    OnBulkPage(
        [&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
            EXPECT_EQ(page.GetList().GetItemText(RowOf(page, "NOTES"), kServiceColumn), "");
            SelectRows(page, {"NOTES"});
            EXPECT_FALSE(::IsWindowEnabled(PanelItem(page, kUseDefault)));
            EXPECT_FALSE(::IsWindowEnabled(PanelItem(page, kText)));
            SelectRows(page, {"ORDER", "NOTES"});
            EXPECT_FALSE(::IsWindowEnabled(PanelItem(page, kText)));
            SelectRows(page, {"ORDER"});
            TypeService(page, "SVC9");
            ui.ExpectMessageBoxId(62135, IDYES);
            ClickOnPage(dialog, kApplyNow);
        },
        IDOK);
    EXPECT_EQ(StoredIspec("ORDER")->GetService(), "SVC9");
    EXPECT_FALSE(StoredIspec("NOTES")->IsUpdatedService());
}

TEST_F(BulkOptionsTest, AnEditOfTheSameRowsReplacesTheLastAndAnEditOfOtherRowsGoesOnTopOfIt)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg&, VqsOptionPageBSegBulkOptions& page) {
        SelectRows(page, {"CUSTOMER", "ORDER", "NOTES"});
        TypeService(page, "FIRST");
        TypeService(page, "SECOND");
        SelectRows(page, {"NOTES", "CUSTOMER"});
        TypeService(page, "THIRD");
        const auto cell = [&](const char* name) {
            return std::string(page.GetList().GetItemText(RowOf(page, name), kServiceColumn));
        };
        EXPECT_EQ(cell("ORDER"), "SECOND");
        EXPECT_EQ(cell("CUSTOMER"), "THIRD");
        EXPECT_EQ(cell("NOTES"), "THIRD");
        SelectRows(page, {"ORDER", "AUDIT"});
        EXPECT_FALSE(::IsWindowEnabled(PanelItem(page, kText)));
    });
}

TEST_F(BulkOptionsTest, AnsweringNoToTheBulkQuestionKeepsTheEditsAndUndoDropsThem)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
        SelectRows(page, {"ORDER"});
        TypeService(page, "SVC9");
        ui.ExpectMessageBoxId(62135, IDNO);
        ClickOnPage(dialog, kApplyNow);
        EXPECT_TRUE(page.GetCurrentPanel()->HasEdits());
        EXPECT_TRUE(page.IsModified());
        EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kUndo)));
        ClickOnPage(dialog, kUndo);
        EXPECT_FALSE(page.GetCurrentPanel()->HasEdits());
        EXPECT_FALSE(page.IsModified());
    });
    EXPECT_FALSE(StoredIspec("ORDER")->IsUpdatedService());
}

TEST_F(BulkOptionsTest, AFailedApplyWritesNothingAndKeepsTheEdits)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
        SelectRows(page, {"ORDER", "NOTES"});
        TypeService(page, "SVC9");
        PxFaultInjection::Throw("PxLink::CommitTransaction");
        ui.ExpectMessageBoxId(62135, IDYES);
        ui.ExpectMessageBox("Cannot commit the transaction:\nInjected repository failure", IDOK);
        ClickOnPage(dialog, kApplyNow);
        EXPECT_TRUE(page.GetCurrentPanel()->HasEdits());
    });
    EXPECT_FALSE(StoredIspec("ORDER")->IsUpdatedService());
    EXPECT_EQ(Element("SYS1", "SALES", "ORDER")->GetUpdatedFlag(), 0);
}

// Another process on the same repository, which deletes the Ispec link of ORDER at the
// test's word.
struct TwoProcessBulkOptionsTest : BulkOptionsTest {
    std::unique_ptr<vqtest::ChildProcess> other;

    void SetUp() override
    {
        const std::string repository = sample.Path();
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [] {},
            [repository] {
                PxVQLink link;
                link.AttachSession(repository.c_str(), "OTHER/dev", nullptr);
                link.BeginTransaction();
                link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->GetElementSoftLink(
                    "ORDER")->RecursiveDeleteObject();
                link.CommitTransaction();
            }});
        ASSERT_TRUE(other->WaitReady());
        BulkOptionsTest::SetUp();
    }

    void TearDown() override
    {
        BulkOptionsTest::TearDown();
        other.reset();
    }
};

// The rows' changes step their editions together before the apply reads again; a row whose
// Ispec link another user's process deleted meanwhile still makes the whole apply write nothing.
TEST_F(TwoProcessBulkOptionsTest, AnApplyOverAnIspecLinkAnotherProcessDeletedWritesNothing)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
        SelectRows(page, {"ORDER", "NOTES"});
        TypeService(page, "SVC9");
        ASSERT_TRUE(other->RunNextStep());
        ui.ExpectMessageBoxId(62135, IDYES);
        ui.ExpectMessageBox("Cannot save option values:\nCannot change the object: it is no longer in the "
                            "repository. The transaction was rolled back.",
                            IDOK);
        ClickOnPage(dialog, kApplyNow);
        EXPECT_TRUE(page.GetCurrentPanel()->HasEdits());
    });
    EXPECT_FALSE(StoredIspec("NOTES")->IsUpdatedService());
    EXPECT_EQ(Element("SYS1", "SALES", "NOTES")->GetUpdatedFlag(), 0);
}

TEST_F(BulkOptionsTest, SwitchingKindsKeepsEachPanelsEdits)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
        SelectRows(page, {"ORDER"});
        TypeService(page, "SVC9");
        ClickOnPage(dialog, 33037);
        EXPECT_EQ(RowNames(page), (Strings{"MONTHLY", "DAILY"}));
        ClickOnPage(dialog, 33035);
        EXPECT_EQ(page.GetList().GetItemText(RowOf(page, "ORDER"), kServiceColumn), "SVC9");
        EXPECT_TRUE(page.AnyPanelHasEdits());
    });
}

TEST_F(BulkOptionsTest, TheSelectionFilterSelectsTheRowsOfAUsage)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
        ui.ExpectDialog(kSelectElementsDialog)
            .Select(33072, kUsageColumn)
            .SelectText(33078, "Input")
            .Click(33077)
            .OK();
        ClickOnPage(dialog, kSelectionFilter);
        EXPECT_EQ(page.GetList().GetSelection().Ranges(),
                  (std::vector<IntRange>{{RowOf(page, "ORDER"), RowOf(page, "NOTES")}}));
        char count[16] = "";
        ::GetWindowText(PageItem(dialog, 843), count, sizeof(count));
        EXPECT_STREQ(count, "2");
    });
}

// The options dialog gives the focus back to the control of its sheet that had it when a
// dialog of its own ends.
TEST_F(BulkOptionsTest, AfterTheSelectionFilterTheFocusIsBackOnTheButtonThatOpenedIt)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions&) {
        ui.ExpectDialog(kSelectElementsDialog).Cancel();
        ::SetFocus(PageItem(dialog, kSelectionFilter));
        ClickOnPage(dialog, kSelectionFilter);
        EXPECT_EQ(::GetFocus(), PageItem(dialog, kSelectionFilter));
        EXPECT_EQ(::GetActiveWindow(), dialog.m_hWnd);
    });
}

TEST_F(BulkOptionsTest, SelectionByValueExtendsRefinesOrReplacesTheSelection)
{
    struct Case {
        const char* usage;
        BOOL invert;
        int mode;
        Strings selected;
    };
    const Case cases[] = {
        {"Input", FALSE, VqsElementListCtrl::ExtendSelection, {"CUSTOMER", "ORDER", "NOTES"}},
        {"Input", FALSE, VqsElementListCtrl::RefineSelection, {"ORDER"}},
        {"Input", TRUE, VqsElementListCtrl::RefineSelection, {"CUSTOMER"}},
        {"Output", FALSE, VqsElementListCtrl::NewSelection, {"AUDIT"}},
        {"Output", TRUE, VqsElementListCtrl::NewSelection, {"CUSTOMER", "ORDER", "NOTES", "ENQUIRY"}},
    };
    OnBulkPage([&](VqsSoftLinkOptionsDlg&, VqsOptionPageBSegBulkOptions& page) {
        for (const Case& c : cases) {
            SelectRows(page, {"CUSTOMER", "ORDER"});
            page.GetList().SelectMatching(kUsageColumn, c.usage, c.invert, c.mode);
            Strings selected;
            for (const std::string& name : RowNames(page))
                if (page.GetList().GetSelection().Contains(RowOf(page, name.c_str())))
                    selected.push_back(name);
            EXPECT_EQ(selected, c.selected) << c.usage << " " << c.invert << " " << c.mode;
        }
    });
}

TEST(BulkElementsTest, OnlyTheThreeSystemGlobalLogicsAndTheMainEventAreLeftOut)
{
    const struct {
        const char* name;
        BOOL listed;
    } logics[] = {{"STARTUP", FALSE}, {"CLOSEDOWN", FALSE}, {"CLOSEUPDATE", FALSE}, {"CLOSE", TRUE},
                  {"UP", TRUE},       {"DOWN", TRUE},       {"ART", TRUE},          {"CALCTAX", TRUE}};
    for (const auto& logic : logics)
        EXPECT_EQ(VqsOptionPageBSegBulkOptions::IsListedGlobalLogic(logic.name, TRUE), logic.listed) << logic.name;
    EXPECT_FALSE(VqsOptionPageBSegBulkOptions::IsListedGlobalLogic("CALCTAX", FALSE));
    EXPECT_FALSE(VqsOptionPageBSegBulkOptions::IsListedIspec("EVENT"));
    EXPECT_TRUE(VqsOptionPageBSegBulkOptions::IsListedIspec("EVENTS"));
}

TEST(ColumnTextTest, UsageAndTypeTextsSelectByTheirCharacters)
{
    const struct {
        const char* text;
        int usage;
    } usages[] = {{"Output", 3}, {"I/O", 4}, {"Inquiry", 1}, {"Input", 2}, {"Xyzzy", 0}, {"", 0}};
    for (const auto& c : usages)
        EXPECT_EQ(VqsElementListCtrlIspecUsagePxAdapter::UsageOfText(c.text), c.usage) << c.text;
    const struct {
        const char* text;
        int type;
    } types[] = {{"Direct", 4}, {"Memo", 2}, {"OVI", 5}, {"Standard", 1}, {"Table", 3}, {"Event", 0}};
    for (const auto& c : types)
        EXPECT_EQ(VqsElementListCtrlIspecTypePxAdapter::TypeOfText(c.text), c.type) << c.text;
}

TEST(ColumnTextTest, NumbersOutsideSixtyFourBitsOrWithOtherCharactersAreNoNumbers)
{
    EXPECT_EQ(VqsParseNumber("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(VqsParseNumber("9223372036854775808"), std::nullopt);
    EXPECT_EQ(VqsParseNumber("12a"), std::nullopt);
    EXPECT_EQ(VqsParseNumber(""), std::nullopt);
    EXPECT_EQ(VqsParseNumber("-5"), -5);
}

TEST_F(BulkOptionsTest, ACellWithAPendingEditIsBoldAndACellAtItsDefaultGreyWithoutItsMark)
{
    OnBulkPage([&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
        ClickOnPage(dialog, 33037);
        const int monthly = RowOf(page, "MONTHLY");
        char cell[kVqsCellTextLength] = "";
        page.GetCurrentPanel()->GetCellText(FALSE, monthly, 1, cell, kVqsCellTextLength);
        ASSERT_EQ(cell[0], kVqsDefaultMark);
        const std::string defaultPack = cell + 1;
        EXPECT_EQ(std::string(page.GetList().GetItemText(monthly, 1)), defaultPack);

        ClickOnPage(dialog, 33035);
        SelectRows(page, {"ORDER"});
        TypeService(page, "SVC9");
        ClickOnPage(dialog, 33037);
        page.GetList().Invalidate();
        page.GetList().UpdateWindow();
        const auto reportsDrawn = vqwin::GetWindowDisplayList(page.GetList().m_hWnd);
        const vqwin::DisplayOp* grey = reportsDrawn->FindText(defaultPack);
        ASSERT_TRUE(grey);
        EXPECT_EQ(grey->color, RGB(160, 160, 160));
        EXPECT_NE(grey->font.weight, 700);

        ClickOnPage(dialog, 33035);
        page.GetList().Invalidate();
        page.GetList().UpdateWindow();
        const auto ispecsDrawn = vqwin::GetWindowDisplayList(page.GetList().m_hWnd);
        const vqwin::DisplayOp* bold = ispecsDrawn->FindText("SVC9");
        ASSERT_TRUE(bold);
        EXPECT_EQ(bold->font.weight, 700);
        EXPECT_EQ(bold->color, RGB(0, 0, 0));
    });
}

TEST_F(BulkOptionsTest, ThePanelsOfAPreviousConfigurationShowButTakeNoInput)
{
    PxVQBSSoftLinkPtr oldSegment;
    PxVQOptionSetPtr oldSet;
    Commit(*app.GetLink(), [&] {
        PxTypedList<PxVQOldConfigPtr> olds;
        System("SYS1")->GetListOfOldConfigs(olds);
        const PxVQOldConfigPtr old = olds.GetHead();
        oldSegment = old->CreateBSSoftLink("SALES");
        oldSegment->CreateBlankOptions();
        oldSegment->CreateElementSoftLink("ORDER", VQSoftLinkIspec)->CreateBlankOptions();
        oldSet = old->GetOptionSet();
    });
    OpenedOptions opened(oldSegment, oldSet, kBulkPage);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            auto* page = dynamic_cast<VqsOptionPageBSegBulkOptions*>(dialog.GetSheet()->GetActivePage());
            ASSERT_TRUE(page);
            EXPECT_FALSE(page->IsEditable());
            EXPECT_EQ(RowNames(*page), Strings{"ORDER"});
            SelectRows(*page, {"ORDER"});
            EXPECT_FALSE(page->GetCurrentPanel()->IsWindowEnabled());
            EXPECT_FALSE(::IsWindowEnabled(PanelItem(*page, kUseDefault)));
            EXPECT_FALSE(::IsWindowVisible(PageItem(dialog, kApplyNow)));
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

// The pending edits name rows, and a reload may list other elements in them: every reload
// drops them, whatever made it.
TEST_F(BulkOptionsTest, PendingEditsDoNotOutliveAReloadOfTheDialog)
{
    const auto payrollOrder = [&] {
        auto options = PxIspecOptionsPtr(Element("SYS1", "PAYROLL", "ORDER")->GetOptions(OptionSet("NTGEN")));
        options->Refresh();
        return options;
    };
    Commit(*app.GetLink(), [&] {
        PxBSegOptionsPtr(Segment("SYS1", "PAYROLL")->GetOptions(OptionSet("NTGEN")))->SetEnableOLTP(1);
    });
    const auto showsNoEdit = [&](VqsOptionPageBSegBulkOptions& page) {
        EXPECT_FALSE(page.AnyPanelHasEdits());
        EXPECT_FALSE(page.GetCurrentPanel()->IsCellEdited(RowOf(page, "ORDER"), kServiceColumn));
        EXPECT_NE(std::string(page.GetList().GetItemText(RowOf(page, "ORDER"), kServiceColumn)), "SVC9");
        EXPECT_FALSE(page.IsModified());
    };
    const struct {
        const char* story;
        std::function<void(VqsSoftLinkOptionsDlg&, VqsOptionPageBSegBulkOptions&)> act;
    } cases[] = {
        {"another business segment chosen, the changes not saved",
         [&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
             SelectRows(page, {"ORDER"});
             TypeService(page, "SVC9");
             ui.ExpectMessageBoxId(61503, IDNO);
             vqui::user::SelectText(dialog.GetDlgItem(kElementCombo)->m_hWnd, "PAYROLL");
             ASSERT_EQ(dialog.GetSoftLink()->GetName(), "PAYROLL");
             showsNoEdit(page);
         }},
        {"the segment's record changed by another user before the first edit",
         [&](VqsSoftLinkOptionsDlg&, VqsOptionPageBSegBulkOptions& page) {
             auto other = OtherUser();
             Commit(*other, [&] {
                 PxBSegOptionsPtr(other->GetLVQEnterprise()
                                      ->GetSystem("SYS1")
                                      ->GetCurConfig()
                                      ->GetBSSoftLink("SALES")
                                      ->GetOptions(other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet(
                                          "NTGEN")))
                     ->SetLoadConfig(1);
             });
             SelectRows(page, {"ORDER"});
             ui.ExpectMessageBoxId(61747, IDOK);
             TypeService(page, "SVC9");
             showsNoEdit(page);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        OnBulkPage(c.act, IDOK);
        ui.Verify();
        EXPECT_FALSE(StoredIspec("ORDER")->IsUpdatedService());
        EXPECT_FALSE(payrollOrder()->IsUpdatedService());
    }
}

// A repository failure ends the page's handling of a selection in the error box; the page
// then goes on as before: what the user types is recorded, and the editors follow the next
// selection.
TEST_F(BulkOptionsTest, AfterAFailedSelectionTheEditorsRecordWhatIsTypedAndFollowTheSelection)
{
    const auto fail = [&](const char* operation) {
        PxFaultInjection::Throw(operation, "Injected repository failure", 0, 1000);
    };
    OnBulkPage(
        [&](VqsSoftLinkOptionsDlg& dialog, VqsOptionPageBSegBulkOptions& page) {
            SelectRows(page, {"CUSTOMER"});
            fail("PxIspecOptions::IsDefaultService");
            ui.ExpectMessageBox("Injected repository failure", IDOK, "Wrenfield Error");
            SelectRows(page, {"ORDER"});
            ui.Verify();
            PxFaultInjection::Reset();
            TypeService(page, "SVC9");
            EXPECT_TRUE(page.GetCurrentPanel()->IsCellEdited(RowOf(page, "ORDER"), kServiceColumn));

            ASSERT_TRUE(::IsWindowEnabled(PanelItem(page, kText)));
            ui.ExpectDialog(kSelectElementsDialog).Select(33072, kServiceColumn).Type(33070, "SVC1").Click(33077).OK();
            ui.ExpectMessageBox("Injected repository failure", IDOK, "Wrenfield Error");
            fail("PxIspecOptions::GetService");
            ClickOnPage(dialog, kSelectionFilter);
            ui.Verify();
            PxFaultInjection::Reset();
            SelectRows(page, {"AUDIT"});
            EXPECT_FALSE(::IsWindowEnabled(PanelItem(page, kText))) << "an output Ispec takes no service";
            ui.ExpectMessageBoxId(62135, IDYES);
        },
        IDOK);
    EXPECT_EQ(StoredIspec("ORDER")->GetService(), "SVC9");
}

// The page builds its panels when it is first shown; a failure there shows the error and
// ends the options dialog as cancelled, rather than leaving a page half built.
TEST_F(BulkOptionsTest, AFailureWhileThePageBuildsItsPanelsEndsTheDialog)
{
    OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("NTGEN"), kBulkPage);
    ui.ExpectDialog(kOptionsDialog);
    ui.ExpectMessageBox("Injected repository failure", IDOK, "Wrenfield Error");
    PxFaultInjection::Throw("PxIspecOptions::GetDefaultService", "Injected repository failure", 0, 1000);
    EXPECT_EQ(opened.DoModal(), IDCANCEL);
    ui.Verify();
}
