#include "shell/VqsDialog.h"
#include "shell/VqsOpenDialogButton.h"
#include "shell/VqsOptCtrl.h"
#include "shell/VqsPropertyPage.h"
#include "shell/VqsPropertySheet.h"
#include "shell/VqsSysApp.h"
#include "win/CComboBox.h"
#include "win/CDataExchange.h"
#include "win/Help.h"

#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr UINT kResizable = 9001;

struct DialogBasesTest : ::testing::Test {
    void SetUp() override
    {
        vqui::ClearTranscript();
        vqwin::ClearHelpRequests();
        app.SetIniPath(settings.Write("vqs.ini", "[startup]\ndebughelp=N\nhelpNoPopup=N\n").c_str());
    }

    vqtest::TempDir settings;
    VqsSysApp app;
    vqtest::ScopedResourceLibrary library{"shelltests", vqtest::SourceFolder("tests/shell/resources")};
};

using Rects = std::map<int, CRect>;

Rects ControlRects(const CWnd& dialog)
{
    Rects rects;
    for (CWnd* child = dialog.GetWindow(GW_CHILD); child; child = child->GetNextWindow()) {
        CRect rect;
        child->GetWindowRect(&rect);
        dialog.ScreenToClient(&rect);
        rects[child->GetDlgCtrlID()] = rect;
    }
    return rects;
}

void Grow(CWnd& dialog, int dx, int dy)
{
    CRect window;
    dialog.GetWindowRect(&window);
    dialog.SetWindowPos(nullptr, 0, 0, window.Width() + dx, window.Height() + dy, SWP_NOMOVE | SWP_NOZORDER);
}

// Every kind of rule, listed so that a rule reading another control follows that control's.
class ResizableDialog : public VqsDialog {
public:
    ResizableDialog() : VqsDialog(kResizable, nullptr) {}

    UINT GetResizeSpecs(ResizeSpec*** specs) override
    {
        *specs = m_specs;
        return static_cast<UINT>(std::size(m_specs));
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        VqsDialog::DoDataExchange(pDX);
        DDX_Control(pDX, 12, combo);
    }

    CComboBox combo;

private:
    ResizeSpecRightEdge m_edit{1};
    ResizeSpecAtBottom m_down{2};
    ResizeSpecAtCorner m_corner{3};
    ResizeSpecAtBottomRightEdge m_stretch{4, 0};
    ResizeSpecAtCorner m_partner{6};
    ResizeSpecAtBottomRightEdge m_beforePartner{5, 6};
    ResizeSpecAtBottomProportionalPos m_divider{7, 50, 50};
    ResizeSpecAtCtrl m_beside{8, 7};
    ResizeSpecDowntoBottomRightEdge m_lowerList{9, 7, 6};
    ResizeSpecDowntoCtrlRightEdge m_upperList{10, 7};
    ResizeSpecAtCorner m_combo{12};
    ResizeSpec* m_specs[11] = {&m_edit,    &m_down,   &m_corner,    &m_stretch,   &m_partner, &m_beforePartner,
                               &m_divider, &m_beside, &m_lowerList, &m_upperList, &m_combo};
};

} // namespace

TEST_F(DialogBasesTest, ResizeRulesFollowTheDialogAndReturnEveryControlToItsPlace)
{
    ResizableDialog dialog;
    Rects opened;
    Rects grown;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kResizable)
        .Run([&] {
            opened = ControlRects(dialog);
            EXPECT_EQ(opened[7], CRect(151, 130, 226, 152));  // as the template places it: nothing moved yet
            Grow(dialog, 40, 30);
            grown = ControlRects(dialog);
            Grow(dialog, -40, -30);
        })
        .Cancel();
    dialog.DoModal();

    EXPECT_EQ(grown[1], CRect(15, 16, 355, 39));     // right edge
    EXPECT_EQ(grown[2], CRect(15, 322, 90, 345));    // at bottom
    EXPECT_EQ(grown[3], CRect(400, 322, 475, 345));  // at corner
    EXPECT_EQ(grown[4], CRect(15, 290, 205, 312));   // down and wider, no partner
    EXPECT_EQ(grown[5], CRect(15, 257, 280, 280));   // its right edge 30 px before its partner's left edge
    EXPECT_EQ(grown[7], CRect(164, 160, 239, 182));  // 490 * 151 / 450 = 164.4, truncated
    EXPECT_EQ(grown[8], CRect(245, 160, 320, 182));  // its offset from the divider
    EXPECT_EQ(grown[9], CRect(15, 192, 280, 241));   // top after the divider, right edge before the partner
    EXPECT_EQ(grown[10], CRect(15, 48, 355, 151));   // bottom 9 px above the divider
    EXPECT_EQ(grown[11], opened[11]);                // no rule
    const CRect combo = grown[12];
    EXPECT_EQ(combo.TopLeft(), CPoint(400, 78)) << combo.left << "," << combo.top;
    EXPECT_EQ(combo.Height(), opened[12].Height());  // a combo box keeps its drop-down list's height
    EXPECT_EQ(ControlRects(dialog).size(), 0u);
    Rects back;
    ResizableDialog again;
    ui.ExpectDialog(kResizable)
        .Run([&] {
            Grow(again, 40, 30);
            Grow(again, -40, -30);
            back = ControlRects(again);
        })
        .Cancel();
    again.DoModal();
    EXPECT_EQ(back, opened);
}

TEST_F(DialogBasesTest, TheProportionalRuleNeverLiesBelowItsShareOfTheHeight)
{
    ResizableDialog dialog;
    Rects shrunk;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kResizable)
        .Run([&] {
            Grow(dialog, 0, -125);  // height 200: the bottom distance would give y = 5; half way is 100
            shrunk = ControlRects(dialog);
        })
        .Cancel();
    dialog.DoModal();
    EXPECT_EQ(shrunk[7].top, 5);
    ResizableDialog taller;
    Rects grown;
    ui.ExpectDialog(kResizable)
        .Run([&] {
            Grow(taller, 0, 300);  // height 625: 625 - 195 = 430, half way is 312
            grown = ControlRects(taller);
        })
        .Cancel();
    taller.DoModal();
    EXPECT_EQ(grown[7].top, 312);
}

TEST_F(DialogBasesTest, F1OverAControlWithAContextOpensPopupHelpElseTheDialogsHelp)
{
    ResizableDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kResizable)
        .Run([&] { ::SetFocus(::GetDlgItem(dialog, 1)); })
        .Key(VK_F1)
        .Run([&] { ::SetFocus(::GetDlgItem(dialog, 11)); })
        .Key(VK_F1)
        .Cancel();
    dialog.DoModal();
    auto requests = vqwin::HelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].command, HELP_CONTEXTPOPUP);
    EXPECT_EQ(requests[0].data, 0x50000u + 1);
    EXPECT_EQ(requests[1].command, HELP_CONTEXT);
    EXPECT_EQ(requests[1].data, 0x20000u + kResizable);
}

namespace {

// A binder that notes what reaches it.
class NotingBinder : public VqsOptCtrl {
public:
    NotingBinder(VqsDialogCtrlConnector* connector, std::string name, std::vector<std::string>& log)
        : VqsOptCtrl(connector), m_name(std::move(name)), m_log(log)
    {
    }
    void Enable(BOOL) override {}
    BOOL IsEnabled() override { return TRUE; }
    void SetReadOnly() override { m_log.push_back(m_name + " read-only"); }
    void Show(BOOL) override {}
    void SaveState() override {}
    void OnCommand(UINT id, int code) override
    {
        if (code == BN_CLICKED)
            m_log.push_back(m_name + " command " + std::to_string(id));
    }

protected:
    void ExchangeValue(CDataExchange* pDX) override
    {
        m_log.push_back(m_name + (pDX->m_bSaveAndValidate ? " store" : " load"));
    }
    BOOL IsValueModified() override { return FALSE; }
    BOOL ControlDiffersFromSaved() override { return FALSE; }
    void RestoreSavedValue() override {}
    void ShowValue() override {}

private:
    std::string m_name;
    std::vector<std::string>& m_log;
};

class BoundDialog : public ResizableDialog {
public:
    explicit BoundDialog(std::vector<std::string>& log) : m_first(&m_connector, "first", log), m_second(&m_connector, "second", log) {}
    VqsDialogCtrlConnector& Connector() { return m_connector; }
    int LongNames() const { return m_bLongNames; }

private:
    NotingBinder m_first;
    NotingBinder m_second;
};

} // namespace

TEST_F(DialogBasesTest, TheConnectorTakesExchangesCommandsAndReadOnlyToEveryBinderInOrder)
{
    std::vector<std::string> log;
    BoundDialog dialog(log);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kResizable).Press(11).Run([&] { dialog.Connector().SetReadOnly(); }).OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(log, (std::vector<std::string>{"first load", "second load", "first command 11", "second command 11",
                                             "first read-only", "second read-only", "first command 1",
                                             "second command 1", "first store", "second store"}));
}

TEST_F(DialogBasesTest, StrictModeLastsAsLongAsAStrictControlLives)
{
    std::vector<std::string> log;
    BoundDialog dialog(log);
    VqsDialogCtrlConnector& connector = dialog.Connector();
    EXPECT_FALSE(connector.IsStrict());
    {
        VqsDialogCtrlConnector::StrictControl strict = connector.MakeStrict();
        VqsDialogCtrlConnector::StrictControl copy(strict);
        EXPECT_TRUE(connector.IsStrict());
    }
    EXPECT_FALSE(connector.IsStrict());
    EXPECT_EQ(connector.GetOwner(), &dialog);
}

TEST_F(DialogBasesTest, ADialogKeepsTheLongNamesFlagItWasMadeWith)
{
    std::vector<std::string> log;
    app.SetAllowLongNames(1);
    BoundDialog dialog(log);
    app.SetAllowLongNames(0);
    EXPECT_EQ(dialog.LongNames(), 1);
}

namespace {

constexpr UINT kPageTemplate = 9002;
constexpr int kEditWithContext = 9021;
constexpr int kButtonWithoutContext = 9022;

class HelpPage : public VqsPropertyPage {
public:
    HelpPage() : VqsPropertyPage(kPageTemplate, 0) {}
    BOOL OnSetActive() override
    {
        static_cast<CPropertySheet*>(GetParent())->SetWizardButtons(PSWIZB_FINISH);
        return VqsPropertyPage::OnSetActive();
    }
};

class CancellingPage : public VqsPropertyPage {
public:
    CancellingPage(VqsPropertySheet& sheet, BOOL refuseCancel)
        : VqsPropertyPage(kPageTemplate, 0), m_sheet(sheet), m_refuseCancel(refuseCancel)
    {
    }
    BOOL OnSetActive() override
    {
        m_sheet.SetWizardButtons(PSWIZB_FINISH);
        m_sheet.CancelSheet();
        return VqsPropertyPage::OnSetActive();
    }
    BOOL OnQueryCancel() override { return !m_refuseCancel; }

private:
    VqsPropertySheet& m_sheet;
    BOOL m_refuseCancel;
};

} // namespace

TEST_F(DialogBasesTest, F1OnAPageOverAControlWithoutContextOpensThePagesTopic)
{
    HelpPage page;
    VqsPropertySheet sheet("Options", nullptr, 0);
    sheet.AddPage(&page);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] { ::SetFocus(::GetDlgItem(page, kButtonWithoutContext)); })
        .Key(VK_F1)
        .Run([&] { ::SetFocus(::GetDlgItem(page, kEditWithContext)); })
        .Key(VK_F1)
        .Press(IDCANCEL);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    auto requests = vqwin::HelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].command, HELP_CONTEXT);
    EXPECT_EQ(requests[0].data, 0x20000u + kPageTemplate);
    EXPECT_EQ(requests[1].command, HELP_CONTEXTPOPUP);
    EXPECT_EQ(requests[1].data, 0x50000u + kEditWithContext);
}

TEST_F(DialogBasesTest, CancelSheetDuringDoModalYieldsCancelWhateverTheSheetEndsWith)
{
    VqsPropertySheet cancelled("Wizard", nullptr, 0);
    cancelled.SetWizardMode();
    CancellingPage cancelling(cancelled, FALSE);
    cancelled.AddPage(&cancelling);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectWizard("Wizard");  // closes before the user can act
    EXPECT_EQ(cancelled.DoModal(), 2);

    VqsPropertySheet wizard("Wizard", nullptr, 0);
    wizard.SetWizardMode();
    CancellingPage refusing(wizard, TRUE);
    wizard.AddPage(&refusing);
    ui.ExpectWizard("Wizard").Finish();  // the page refused the posted Cancel; Finish ends the wizard
    EXPECT_EQ(wizard.DoModal(), 2);

    VqsPropertySheet plain("Wizard", nullptr, 0);
    plain.SetWizardMode();
    HelpPage finishing;
    plain.AddPage(&finishing);
    ui.ExpectWizard("Wizard").Finish();
    EXPECT_EQ(plain.DoModal(), ID_WIZFINISH);
}

namespace {

constexpr UINT kOpenTemplate = 9003;
constexpr int kOpenButton = 1003;
constexpr int kOpenEdit = 9031;

class OpenDialog : public VqsDialog {
public:
    OpenDialog() : VqsDialog(kOpenTemplate, nullptr) {}
    BOOL OnInitDialog() override
    {
        VqsDialog::OnInitDialog();
        m_button.SubclassDlgItem(kOpenButton, this);
        return TRUE;
    }
    void OnOpen() { ++opened; }
    int opened = 0;

private:
    VqsOpenDialogButton m_button;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OpenDialog, VqsDialog)
    ON_BN_CLICKED(kOpenButton, &OpenDialog::OnOpen)
END_MESSAGE_MAP()

} // namespace

TEST_F(DialogBasesTest, EnterOnAnOpenDialogButtonClicksItAndTheDialogStaysOpen)
{
    OpenDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kOpenTemplate)
        .Run([&] { dialog.GetDlgItem(kOpenButton)->SetFocus(); })
        .Key(VK_RETURN)
        .Run([&] {
            EXPECT_EQ(dialog.opened, 1);
            EXPECT_TRUE(dialog.IsWindowVisible());
            dialog.GetDlgItem(kOpenEdit)->SetFocus();
        })
        .Key(VK_RETURN);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.opened, 1);

    OpenDialog onOk;
    ui.ExpectDialog(kOpenTemplate).Run([&] { onOk.GetDlgItem(IDOK)->SetFocus(); }).Key(VK_RETURN);
    EXPECT_EQ(onOk.DoModal(), IDOK);
    EXPECT_EQ(onOk.opened, 0);
}
