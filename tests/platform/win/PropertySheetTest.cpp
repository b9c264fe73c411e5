#include "DialogTestSupport.h"

#include "win/CDataExchange.h"
#include "win/CPropertySheet.h"

#include "support/ScriptedUiDriver.h"

#include <gmock/gmock.h>

#include <functional>

namespace {

using Log = std::vector<std::string>;

// A page that writes what happens to it into the test's log ("202 set", ...).
class LoggingPage : public CPropertyPage {
public:
    LoggingPage(UINT templateId, Log& log) : CPropertyPage(templateId), m_log(log) {}

    BOOL OnInitDialog() override
    {
        Note("init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        Note("set");
        if (refuse)
            return FALSE;
        if (buttons)
            static_cast<CPropertySheet*>(GetParent())->SetWizardButtons(buttons);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        Note("kill");
        return keep ? FALSE : CPropertyPage::OnKillActive();
    }
    LRESULT OnWizardNext() override
    {
        Note("next");
        return onNext ? onNext() : CPropertyPage::OnWizardNext();
    }
    LRESULT OnWizardBack() override
    {
        Note("back");
        return CPropertyPage::OnWizardBack();
    }
    BOOL OnWizardFinish() override
    {
        Note("finish");
        return CPropertyPage::OnWizardFinish();
    }
    BOOL OnApply() override
    {
        Note("apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override { Note("reset"); }
    BOOL OnQueryCancel() override { return !refuseCancel; }

    BOOL refuse = FALSE;
    BOOL keep = FALSE;
    BOOL refuseCancel = FALSE;
    DWORD buttons = 0;
    std::function<LRESULT()> onNext;

private:
    void Note(const char* what) { m_log.push_back(std::to_string(m_nIDTemplate) + " " + what); }
    Log& m_log;
};

struct Pages {
    explicit Pages(Log& log) : alpha(201, log), beta(202, log), gamma(203, log), delta(204, log) {}
    LoggingPage alpha;
    LoggingPage beta;
    LoggingPage gamma;
    LoggingPage delta;
};

struct PropertySheetTest : DialogTest {
    PropertySheetTest() : pages(log) {}

    void AddAll(CPropertySheet& sheet)
    {
        for (CPropertyPage* page : {&pages.alpha, &pages.beta, &pages.gamma, &pages.delta})
            sheet.AddPage(page);
    }
    bool Logged(const std::string& entry) const { return std::find(log.begin(), log.end(), entry) != log.end(); }

    Log log;
    Pages pages;
};

} // namespace

TEST_F(PropertySheetTest, PagesGetTheirWindowsWhenFirstActivated)
{
    CPropertySheet wizard(900u);
    wizard.SetWizardMode();
    AddAll(wizard);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard("Pages")
        .OnPage(201)
        .Run([&] {
            EXPECT_NE(pages.alpha.m_hWnd, nullptr);
            EXPECT_EQ(pages.beta.m_hWnd, nullptr);
            EXPECT_TRUE(pages.alpha.IsWindowVisible());
            EXPECT_EQ(pages.alpha.GetParent(), &wizard);
            EXPECT_EQ(wizard.GetTabControl(), nullptr);
        })
        .Next()
        .OnPage(202)
        .Run([&] {
            EXPECT_FALSE(pages.alpha.IsWindowVisible());
            EXPECT_EQ(wizard.GetActivePage(), &pages.beta);
            EXPECT_EQ(wizard.GetActiveIndex(), 1);
        })
        .Back()
        .OnPage(201)
        .Cancel();
    EXPECT_EQ(wizard.DoModal(), IDCANCEL);
    EXPECT_EQ(log, (Log{"201 init", "201 set", "201 next", "201 kill", "202 init", "202 set", "202 back", "202 kill",
                        "201 set", "201 reset", "202 reset"}));
    EXPECT_EQ(pages.alpha.m_hWnd, nullptr);
    EXPECT_EQ(LastTranscriptLine(), "wizard on page 201 \"Pages\" -> Cancel");
}

TEST_F(PropertySheetTest, AWizardPassesOverAPageThatRefusesActivationInBothDirections)
{
    CPropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    AddAll(wizard);
    pages.beta.refuse = TRUE;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard().OnPage(201).Next().OnPage(203).Back().OnPage(201).Cancel();
    wizard.DoModal();
    EXPECT_EQ(std::count(log.begin(), log.end(), "202 set"), 2);
}

TEST_F(PropertySheetTest, AStartPageThatRefusesPassesToTheNextOne)
{
    CPropertySheet wizard("Wizard", nullptr, 1);
    wizard.SetWizardMode();
    AddAll(wizard);
    pages.beta.refuse = TRUE;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard().OnPage(203).Cancel();
    wizard.DoModal();
    EXPECT_FALSE(Logged("201 init"));
}

TEST_F(PropertySheetTest, NextAnsweringATemplateIdJumpsToThatPageAndMinusOneStays)
{
    CPropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    AddAll(wizard);
    int nexts = 0;
    pages.alpha.onNext = [&]() -> LRESULT { return ++nexts == 1 ? -1 : 204; };
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard().Next().OnPage(201).Next().OnPage(204).Back().OnPage(203).Cancel();
    wizard.DoModal();
    EXPECT_FALSE(Logged("202 init"));
}

TEST_F(PropertySheetTest, LeavingAPageThatRefusesKeepsIt)
{
    CPropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    AddAll(wizard);
    pages.alpha.keep = TRUE;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard().Next().OnPage(201).Cancel();
    wizard.DoModal();
    EXPECT_FALSE(Logged("202 init"));
}

TEST_F(PropertySheetTest, WizardButtonsArePostedAndReadable)
{
    CPropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    wizard.AddPage(&pages.alpha);
    wizard.AddPage(&pages.beta);
    pages.alpha.buttons = PSWIZB_NEXT;
    pages.beta.buttons = PSWIZB_BACK | PSWIZB_FINISH;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard()
        .Run([&] {
            EXPECT_EQ(wizard.GetWizardButtons(), PSWIZB_NEXT);
            EXPECT_FALSE(wizard.GetDlgItem(ID_WIZBACK)->IsWindowEnabled());
            EXPECT_TRUE(wizard.GetDlgItem(ID_WIZNEXT)->IsWindowVisible());
            EXPECT_FALSE(wizard.GetDlgItem(ID_WIZFINISH)->IsWindowVisible());
        })
        .Back()  // disabled: the driver hears of it
        .Next()
        .Run([&] {
            EXPECT_EQ(wizard.GetWizardButtons(), PSWIZB_BACK | PSWIZB_FINISH);
            EXPECT_FALSE(wizard.GetDlgItem(ID_WIZNEXT)->IsWindowVisible());
            EXPECT_TRUE(wizard.GetDlgItem(ID_WIZFINISH)->IsWindowEnabled());
            EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(wizard.SendMessage(DM_GETDEFID))), ID_WIZFINISH);
        })
        .Finish();
    std::vector<std::string> failures = FailuresOf([&] { EXPECT_EQ(wizard.DoModal(), ID_WIZFINISH); });
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_THAT(failures[0], ::testing::HasSubstr("cannot press button 12323: it is disabled"));
    EXPECT_EQ(log.back(), "202 finish");
    EXPECT_EQ(LastTranscriptLine(), "wizard on page 202 \"Wizard\" -> Finish");
}

TEST_F(PropertySheetTest, ThePostedButtonStateArrivesAfterTheHandlerReturns)
{
    CPropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    wizard.AddPage(&pages.alpha);
    DWORD duringActivation = 0;
    pages.alpha.buttons = PSWIZB_FINISH;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard()
        .Run([&] {
            EXPECT_EQ(wizard.GetWizardButtons(), PSWIZB_FINISH);
            wizard.SetWizardButtons(PSWIZB_BACK);
            duringActivation = wizard.GetWizardButtons();
        })
        .Run([&] { EXPECT_EQ(duringActivation, PSWIZB_FINISH); })
        .Wait()
        .Run([&] { EXPECT_EQ(wizard.GetWizardButtons(), PSWIZB_BACK); })
        .Cancel();
    wizard.DoModal();
}

TEST_F(PropertySheetTest, FinishPressedFromInsideNextEndsTheWizard)
{
    CPropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    AddAll(wizard);
    pages.alpha.onNext = [&]() -> LRESULT {
        wizard.PressButton(PSBTN_FINISH);
        return -1;
    };
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard().Next();
    EXPECT_EQ(wizard.DoModal(), ID_WIZFINISH);
    EXPECT_EQ(log, (Log{"201 init", "201 set", "201 next", "201 finish"}));
}

TEST_F(PropertySheetTest, APostedCancelEndsTheSheetAndARefusedCancelKeepsIt)
{
    CPropertySheet sheet("Sheet");
    AddAll(sheet);
    pages.alpha.refuseCancel = TRUE;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Sheet")
        .Cancel()
        .Run([&] {
            EXPECT_FALSE(Logged("201 reset"));
            pages.alpha.refuseCancel = FALSE;
            sheet.PostMessage(WM_COMMAND, IDCANCEL, 0);
        })
        .Wait();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(Logged("201 reset"));
}

TEST_F(PropertySheetTest, OkAppliesEveryPageThatHasAWindow)
{
    CPropertySheet sheet("Sheet");
    AddAll(sheet);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectPropertySheet()
        .Run([&] {
            ASSERT_NE(sheet.GetTabControl(), nullptr);
            EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
            EXPECT_TRUE(sheet.SetActivePage(2));
            pages.gamma.SetModified();
            EXPECT_TRUE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
        })
        .ApplyNow()
        .Run([&] {
            EXPECT_FALSE(sheet.GetDlgItem(ID_APPLY_NOW)->IsWindowEnabled());
            pages.gamma.keep = TRUE;
        })
        .OK()
        .Run([&] { pages.gamma.keep = FALSE; })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(std::count(log.begin(), log.end(), "201 apply"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "203 apply"), 2);
    EXPECT_FALSE(Logged("202 init"));
    EXPECT_FALSE(Logged("202 apply"));
}

TEST_F(PropertySheetTest, PagesAreAddedAndRemovedWhileTheSheetRuns)
{
    CPropertySheet wizard("Wizard");
    wizard.SetWizardMode();
    wizard.AddPage(&pages.alpha);
    wizard.AddPage(&pages.beta);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard()
        .Run([&] { wizard.AddPage(&pages.gamma); })
        .Next()
        .Next()
        .OnPage(203)
        .Run([&] {
            wizard.RemovePage(&pages.gamma);
            EXPECT_EQ(pages.gamma.m_hWnd, nullptr);
            EXPECT_EQ(wizard.GetPageCount(), 2);
        })
        .OnPage(202)
        .Run([&] { wizard.RemovePage(0); })
        .OnPage(202)
        .Run([&] { EXPECT_EQ(wizard.GetActiveIndex(), 0); })
        .Cancel();
    wizard.DoModal();
}

TEST_F(PropertySheetTest, ASheetEmbeddedInADialogShowsItsFirstPage)
{
    class HostDialog : public CDialog {
    public:
        explicit HostDialog(Pages& pages) : CDialog(300), m_pages(pages) {}
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            sheet.AddPage(&m_pages.alpha);
            sheet.AddPage(&m_pages.beta);
            sheet.Create(this, WS_CHILD | WS_VISIBLE | WS_GROUP, 0);
            sheet.GetDlgItem(IDOK)->ShowWindow(SW_HIDE);
            return TRUE;
        }
        CPropertySheet sheet;

    private:
        Pages& m_pages;
    };
    HostDialog dialog(pages);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(300)
        .Run([&] {
            EXPECT_EQ(dialog.sheet.GetParent(), &dialog);
            EXPECT_TRUE(dialog.sheet.GetStyle() & WS_CHILD);
            EXPECT_EQ(dialog.sheet.GetActivePage(), &pages.alpha);
            EXPECT_TRUE(pages.alpha.IsWindowVisible());
            EXPECT_FALSE(dialog.sheet.GetDlgItem(IDOK)->IsWindowVisible());
            ::SetFocus(::GetDlgItem(pages.alpha, 2011));
        })
        .Key(VK_RETURN);  // the dialog's keys, not the embedded sheet's
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(vqui::Transcript().size(), 1u);
}

TEST_F(PropertySheetTest, ASheetWithoutADriverIsCancelled)
{
    CPropertySheet sheet("Sheet");
    AddAll(sheet);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_TRUE(Logged("201 reset"));
    EXPECT_EQ(LastTranscriptLine(), "property sheet on page 201 \"Sheet\" -> Cancel (no driver)");
}

TEST_F(PropertySheetTest, TabsNamePagesAndAChosenTabChangesThePage)
{
    CPropertySheet sheet("Sheet");
    pages.beta.m_strCaption = "Second";
    pages.beta.m_psp.dwFlags |= PSP_USETITLE;
    sheet.AddPage(&pages.alpha);
    sheet.AddPage(&pages.beta);
    sheet.AddPage(&pages.gamma);
    pages.gamma.refuse = TRUE;
    auto tabText = [&](int index) {
        char text[32] = "";
        TCITEM item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        sheet.GetTabControl()->GetItem(index, &item);
        return std::string(text);
    };
    vqtest::ScriptedUiDriver ui;
    ui.ExpectPropertySheet()
        .Run([&] {
            ASSERT_EQ(sheet.GetTabControl()->GetItemCount(), 3);
            EXPECT_EQ(tabText(0), "Alpha");  // the template's caption
            EXPECT_EQ(tabText(1), "Second");
        })
        .Select(AFX_IDC_TAB_CONTROL, 1)
        .OnPage(202)
        .Run([&] { pages.beta.keep = TRUE; })
        .Select(AFX_IDC_TAB_CONTROL, 0)
        .OnPage(202)
        .Run([&] {
            EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1);
            pages.beta.keep = FALSE;
        })
        .Select(AFX_IDC_TAB_CONTROL, 2)  // the page refuses: the tab goes back
        .OnPage(202)
        .Run([&] { EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 1); })
        .Cancel();
    sheet.DoModal();
}

TEST_F(PropertySheetTest, TabImagesStayWithTheirTabsAsPagesComeAndGo)
{
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&pages.alpha);
    sheet.AddPage(&pages.beta);
    auto imageOf = [&](int index) {
        TCITEM item{};
        item.mask = TCIF_IMAGE;
        sheet.GetTabControl()->GetItem(index, &item);
        return item.iImage;
    };
    vqtest::ScriptedUiDriver ui;
    ui.ExpectPropertySheet()
        .Run([&] {
            for (int index = 0; index < 2; ++index) {
                TCITEM item{};
                item.mask = TCIF_IMAGE;
                item.iImage = 9 + index;
                sheet.GetTabControl()->SetItem(index, &item);
            }
            sheet.AddPage(&pages.gamma);
            EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 3);
            sheet.RemovePage(0);
            EXPECT_EQ(sheet.GetTabControl()->GetItemCount(), 2);
            EXPECT_EQ(imageOf(0), 10);
            EXPECT_EQ(sheet.GetActivePage(), &pages.beta);
            EXPECT_EQ(sheet.GetTabControl()->GetCurSel(), 0);
        })
        .Cancel();
    sheet.DoModal();
}
