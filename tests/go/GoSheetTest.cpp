#include "../model/ModelTestSupport.h"
#include "GoTestSupport.h"

#include "go/VqsGoSheet.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScriptedUiDriver.h"

using namespace gotest;

namespace {

constexpr UINT kLockProgressDialog = 105;
constexpr UINT kOptionsDialog = 144;
constexpr UINT ID_GO = 32826;
constexpr int kSystemCombo = VqsGoCommandPage::IDC_SYSTEM;
constexpr int kGoText = VqsGoCommandPage::IDC_GO_TEXT;

// A view whose selection is what the test sets.
class SelectingView : public frametest::TestView {
public:
    void GetSelectionContext(PxVQSystemPtr& system, PxVQBSSoftLinkPtr& bsLink, PxVQElementSoftLinkPtr& elementLink,
                             PxVQGenSetPtr& genSet) override
    {
        system = m_system;
        bsLink = m_bsLink;
        elementLink = m_elementLink;
        genSet = m_genSet;
    }

    PxVQSystemPtr m_system;
    PxVQBSSoftLinkPtr m_bsLink;
    PxVQElementSoftLinkPtr m_elementLink;
    PxVQGenSetPtr m_genSet;
};

struct GoSheetTest : ModelTest {
    vqtest::ScriptedUiDriver ui;
    frametest::TestFrame* frame = nullptr;
    SelectingView* selection = nullptr;

    GoSheetTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        ModelTest::SetUp();
        app.SetAllowLongNames(FALSE);
        RecordSheetRequests();
        VqsGoDispatcher::LastGoText().Empty();
        frametest::HostLines().clear();
        frame = static_cast<frametest::TestFrame*>(app.GetFrameList().GetHead());
        selection = new SelectingView;
        ASSERT_TRUE(selection->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), frame,
                                      AFX_IDW_PANE_FIRST + 1 + static_cast<UINT>(frame->views.size())));
        frame->views.push_back(selection);
    }

    PxVQGenSetPtr GenSet(const char* system, const char* name) const
    {
        return PxVQGenSetPtr(System(system)->GetCurConfig()->GetOptionSet(name));
    }

    void PressF9() { frame->SendMessage(WM_COMMAND, ID_GO, 0); }
};

TEST_F(GoSheetTest, TheButtonsFollowTheTextAndNextExplainsATextThatCannotBeFollowed)
{
    VqsModel model(0);
    model.GetRootNode().LoadSystems(VqsLoadCached);
    VqsGoContext context;
    context.m_pSystem = System("SYS1");
    VqsGoSheet sheet(model, context, nullptr);
    VqsGoCommandPage& page = sheet.m_commandPage;
    page.m_goText.SetValue("AU");
    ui.ExpectWizard("Go")
        .OnPage(VqsGoCommandPage::IDD)
        .Run([&] { EXPECT_EQ(sheet.GetWizardButtons(), static_cast<DWORD>(PSWIZB_NEXT)); })
        .Replace(kGoText, "AUX")
        .Run([&] { EXPECT_EQ(sheet.GetWizardButtons(), static_cast<DWORD>(PSWIZB_FINISH)); })
        .Replace(kGoText, "")
        .Run([&] { EXPECT_EQ(sheet.GetWizardButtons(), 0u); })
        .Replace(kGoText, "EOP NOSUCH")
        .Next()
        .OnPage(VqsGoErrorPage::IDD)
        .Run([&] {
            EXPECT_EQ(sheet.GetWizardButtons(), static_cast<DWORD>(PSWIZB_BACK));
            CString shown;
            sheet.m_errorPage.GetDlgItemText(VqsGoErrorPage::IDC_MESSAGE, shown);
            EXPECT_STREQ(shown, "Cannot find Generate Set NOSUCH.");
            sheet.m_errorPage.GetDlgItemText(VqsGoErrorPage::IDC_TITLE, shown);
            EXPECT_STREQ(shown, "Global Environmental options");
            sheet.m_errorPage.GetDlgItemText(VqsGoErrorPage::IDC_SYNTAX, shown);
            EXPECT_STREQ(shown, "EOP [generate set]");
        })
        .Back()
        .OnPage(VqsGoCommandPage::IDD)
        .Run([&] { EXPECT_EQ(sheet.GetWizardButtons(), static_cast<DWORD>(PSWIZB_NEXT)); })
        .Cancel();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    ui.Verify();
    EXPECT_EQ(page.m_bFinished, 0);
}

TEST_F(GoSheetTest, PickingAnotherSystemSetsTheSelectionAsideAndPickingItsOwnBringsItBack)
{
    VqsModel model(0);
    model.GetRootNode().LoadSystems(VqsLoadCached);
    VqsGoContext context;
    context.m_pSystem = System("SYS1");
    context.m_pBSLink = Segment("SYS1", "SALES");
    context.m_pGenSet = GenSet("SYS1", "UNIXGEN");
    VqsGoSheet sheet(model, context, nullptr);
    ui.ExpectWizard("Go")
        .Select(kSystemCombo, 1)
        .Run([&] {
            EXPECT_TRUE(context.m_pSystem->IsSameOid(System("SYS2")));
            EXPECT_FALSE(context.m_pBSLink);
            EXPECT_FALSE(context.m_pGenSet);
        })
        .Select(kSystemCombo, 0)
        .Run([&] {
            EXPECT_TRUE(context.m_pSystem->IsSameOid(System("SYS1")));
            EXPECT_TRUE(context.m_pBSLink->IsSameOid(Segment("SYS1", "SALES")));
            EXPECT_TRUE(context.m_pGenSet->IsSameOid(GenSet("SYS1", "UNIXGEN")));
        })
        .Cancel();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    ui.Verify();
}

TEST_F(GoSheetTest, F9OpensTheOptionsTheTextNamesForTheSelection)
{
    selection->m_system = System("SYS1");
    selection->m_genSet = GenSet("SYS1", "UNIXGEN");
    ui.ExpectWizard("Go").Replace(kGoText, "EOP").Next();
    ui.ExpectDialog(kOptionsDialog).Cancel();
    PressF9();
    ui.Verify();
    ExpectRequest(Segment("SYS1", "SALES"), GenSet("SYS1", "UNIXGEN"), 0);
    EXPECT_TRUE(frametest::HostLinesStartingWith("message: envokeGo:").empty());
}

TEST_F(GoSheetTest, F9SaysSoWhenTheResolvedOptionsCannotBeOpened)
{
    selection->m_system = System("SYS1");
    ui.ExpectWizard("Go").Replace(kGoText, "EOP").Next();
    PxFaultInjection::Throw("PxVQSoftLink::GetOptions", "Injected repository failure", 0, 1000);
    ui.ExpectMessageBox("Cannot access some data:\nInjected repository failure", IDOK);
    ui.ExpectMessageBox("Please open System Directory to navigate with this command.", IDOK);
    PressF9();
    PxFaultInjection::Reset();
    ui.Verify();
}

TEST_F(GoSheetTest, F9HandsATextOfNoCommandToTheHostWithTheSelectedNames)
{
    const struct {
        const char* segment;
        const char* element;
        const char* sent;
    } cases[] = {
        {"SALES", "DAILY", "message: envokeGo: SALES\tDAILY\tHELLO WORLD"},
        // The element of another link than the one the command would take is not named.
        {"STOCK", "DAILY", "message: envokeGo: STOCK\t\tHELLO WORLD"},
        {nullptr, nullptr, "message: envokeGo: \t\tHELLO WORLD"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sent);
        selection->m_system = c.segment ? System("SYS1") : PxVQSystemPtr();
        selection->m_bsLink = c.segment ? Segment("SYS1", c.segment) : PxVQBSSoftLinkPtr();
        selection->m_elementLink = c.element ? Element("SYS1", c.segment, c.element) : PxVQElementSoftLinkPtr();
        frametest::HostLines().clear();
        ui.ExpectWizard("Go").Replace(kGoText, "  hello world ").Finish();
        PressF9();
        ui.Verify();
        EXPECT_EQ(frametest::HostLinesStartingWith("message: envokeGo:"), std::vector<std::string>{c.sent});
    }
}

TEST_F(GoSheetTest, TheNextF9StartsWithTheLastTextEvenAfterACancel)
{
    selection->m_system = System("SYS1");
    ui.ExpectWizard("Go").Replace(kGoText, "au").Cancel();
    PressF9();
    EXPECT_EQ(std::string(VqsGoDispatcher::LastGoText().GetString()), "AU");
    ui.ExpectWizard("Go").Next();
    ui.ExpectDialog(kOptionsDialog).Cancel();
    PressF9();
    ui.Verify();
    ExpectRequest(Segment("SYS1", "SALES"), GenSet("SYS1", "QSRGEN"), 10);
}

} // namespace
