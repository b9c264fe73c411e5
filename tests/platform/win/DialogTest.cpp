#include "DialogTestSupport.h"
#include "WinTestSupport.h"

#include "win/CButton.h"
#include "win/CComboBox.h"
#include "win/CDataExchange.h"
#include "win/CDialog.h"
#include "win/CEdit.h"
#include "win/CListCtrl.h"
#include "win/CWinApp.h"
#include "win/ModuleResources.h"

#include "support/ScriptedUiDriver.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

namespace {

constexpr int kName = 1001;
constexpr int kCheck = 1002;
constexpr int kOther = 1003;
constexpr int kDisabled = 1004;
constexpr int kChoice = 1005;

CString TextOf(HWND hwnd)
{
    char text[256] = "";
    ::GetWindowText(hwnd, text, sizeof text);
    return text;
}

CRect ClientRectOfControl(const CWnd& dialog, int id)
{
    CRect rect;
    dialog.GetDlgItem(id)->GetWindowRect(&rect);
    dialog.ScreenToClient(&rect);
    return rect;
}

// Dialog 100: the name edit exchanged with a member, the Other button ends with 1349.
class NameDialog : public CDialog {
public:
    NameDialog() : CDialog(100) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kName, name); }
    BOOL OnInitDialog() override
    {
        ++inits;
        return CDialog::OnInitDialog();
    }
    void OnCancel() override
    {
        ++cancels;
        CDialog::OnCancel();
    }
    void OnOther() { EndDialog(1349); }

    CString name;
    int inits = 0;
    int cancels = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NameDialog, CDialog)
    ON_BN_CLICKED(kOther, &NameDialog::OnOther)
END_MESSAGE_MAP()

class NumberDialog : public CDialog {
public:
    NumberDialog() : CDialog(100) {}
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, kName, number);
        DDX_Text(pDX, kOther, label);
        DDV_MaxChars(pDX, label, 6);
    }
    int number = 7;
    CString label = "Other";
};

// Dialog 100 as a form whose OK (the default button) is enabled only while a name is given.
class RequiredNameDialog : public NameDialog {
public:
    BOOL OnInitDialog() override
    {
        const BOOL result = NameDialog::OnInitDialog();
        GetDlgItem(IDOK)->EnableWindow(FALSE);
        return result;
    }
    void OnOK() override
    {
        ++oks;
        NameDialog::OnOK();
    }
    void OnNameChange() { GetDlgItem(IDOK)->EnableWindow(GetDlgItem(kName)->GetWindowTextLength() > 0); }

    int oks = 0;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RequiredNameDialog, NameDialog)
    ON_EN_CHANGE(kName, &RequiredNameDialog::OnNameChange)
END_MESSAGE_MAP()

// Dialog 100 with three choices; records the combo's choice notices with the selection.
class ChoiceNoticeDialog : public CDialog {
public:
    ChoiceNoticeDialog() : CDialog(100) {}
    BOOL OnInitDialog() override
    {
        for (const char* text : {"first", "second", "third"})
            SendDlgItemMessage(kChoice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        return CDialog::OnInitDialog();
    }
    void OnSelEndOk() { Record("SELENDOK"); }
    void OnSelChange() { Record("SELCHANGE"); }
    void Record(const std::string& notice)
    {
        notices.push_back(notice + " " + std::to_string(SendDlgItemMessage(kChoice, CB_GETCURSEL)));
    }

    std::vector<std::string> notices;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChoiceNoticeDialog, CDialog)
    ON_CBN_SELENDOK(kChoice, &ChoiceNoticeDialog::OnSelEndOk)
    ON_CBN_SELCHANGE(kChoice, &ChoiceNoticeDialog::OnSelChange)
END_MESSAGE_MAP()

// Dialog 100 writing down when its name field loses the focus and when OK and Cancel run.
class FieldLeavingDialog : public NameDialog {
public:
    void OnNameKillFocus() { heard.push_back("name left"); }
    void OnOK() override
    {
        heard.push_back("OK");
        NameDialog::OnOK();
    }
    void OnCancel() override
    {
        heard.push_back("Cancel");
        NameDialog::OnCancel();
    }

    std::vector<std::string> heard;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(FieldLeavingDialog, NameDialog)
    ON_EN_KILLFOCUS(kName, &FieldLeavingDialog::OnNameKillFocus)
END_MESSAGE_MAP()

} // namespace

TEST_F(DialogTest, APressedButtonTakesTheFocusBeforeItsCommandAsAClickDoes)
{
    for (const int button : {IDOK, IDCANCEL}) {
        FieldLeavingDialog dialog;
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(100).Type(kName, "typed").Press(button);
        dialog.DoModal();
        EXPECT_EQ(dialog.heard, (std::vector<std::string>{"name left", button == IDOK ? "OK" : "Cancel"}));
    }
}

TEST_F(DialogTest, TabIntoAnEditSelectsItsWholeTextSoTypingReplacesIt)
{
    NameDialog dialog;
    dialog.name = "old";
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Run([&] {
            dialog.SendDlgItemMessage(kName, EM_SETSEL, 3, 3);
            ::SetFocus(::GetDlgItem(dialog, 57670));
        })
        .Key(VK_TAB)
        .Run([&] {
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kName)) << "round from the last tab stop";
            EXPECT_EQ(dialog.SendDlgItemMessage(kName, EM_GETSEL), MAKELONG(0, 3));
        })
        .Type(kName, "new")
        .OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "new");
}

TEST_F(DialogTest, ShiftTabMovesTheFocusBackToThePreviousTabStopSelectingAnEditsText)
{
    NameDialog dialog;
    dialog.name = "old";
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Run([&] {
            dialog.SendDlgItemMessage(kName, EM_SETSEL, 3, 3);
            ::SetFocus(::GetDlgItem(dialog, kCheck));
        })
        .Key(VK_TAB, FSHIFT)
        .Run([&] {
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kName));
            EXPECT_EQ(dialog.SendDlgItemMessage(kName, EM_GETSEL), MAKELONG(0, 3));
        })
        .Key(VK_TAB, FSHIFT)
        .Run([&] { EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, 57670)) << "round from the first tab stop"; })
        .Key(VK_TAB)
        .Run([&] { EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kName)) << "Shift is no longer held"; })
        .Cancel();
    dialog.DoModal();
}

TEST_F(DialogTest, ADialogIsMadeFromItsTemplateAndExchangesDataAtInitAndOk)
{
    NameDialog dialog;
    dialog.name = "first";
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Run([&] {
            EXPECT_EQ(dialog.inits, 1);
            CString caption;
            dialog.GetWindowText(caption);
            EXPECT_EQ(caption, "Simple");
            EXPECT_TRUE(dialog.IsWindowVisible());
            HWND edit = ::GetDlgItem(dialog, kName);
            char className[32] = "";
            ::GetClassName(edit, className, sizeof className);
            EXPECT_STREQ(className, "Edit");
            EXPECT_EQ(TextOf(edit), "first");
            EXPECT_EQ(ClientRectOfControl(dialog, kName), CRect(75, 11, 225, 34));  // dialog units (50,7) 100 x 14
            EXPECT_EQ(TextOf(::GetDlgItem(dialog, -1)), "&Name:");
            EXPECT_EQ(::GetFocus(), edit);                                            // the first tab stop
            EXPECT_EQ(dialog.GetDefID(), MAKELONG(IDOK, DC_HASDEFID));
            EXPECT_EQ(::GetWindowContextHelpId(edit), 1001u);
            ::SetWindowText(edit, "second");
        })
        .OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "second");
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(LastTranscriptLine(), "dialog 100 \"Simple\" -> OK");
}

TEST_F(DialogTest, CancelCustomCodesAndNoDriverEndTheDialog)
{
    {
        NameDialog dialog;
        dialog.name = "kept";
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(100).Run([&] { ::SetWindowText(::GetDlgItem(dialog, kName), "typed"); }).Cancel();
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.name, "kept");
        EXPECT_EQ(dialog.cancels, 1);
    }
    {
        NameDialog dialog;
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(100).Press(kOther);
        EXPECT_EQ(dialog.DoModal(), 1349);
        EXPECT_EQ(LastTranscriptLine(), "dialog 100 \"Simple\" -> 1349");
    }
    NameDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_EQ(LastTranscriptLine(), "dialog 100 \"Simple\" -> Cancel (no driver)");
}

TEST_F(DialogTest, AMissingTemplateMakesDoModalAnswerMinusOne)
{
    CDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_TRUE(vqui::Transcript().empty());
}

TEST_F(DialogTest, AFailedValidationKeepsTheDialogOpenWithTheFocusOnTheControl)
{
    NumberDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Run([&] {
            EXPECT_EQ(TextOf(::GetDlgItem(dialog, kName)), "7");
            ::SetWindowText(::GetDlgItem(dialog, kName), "12abc");
            ::SetFocus(::GetDlgItem(dialog, kCheck));
        })
        .OK()
        .Run([&] {
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kName));
            ::SetWindowText(::GetDlgItem(dialog, kName), " -42 ");
            ::SetWindowText(::GetDlgItem(dialog, kOther), "Too long");
        })
        .OK()
        .Run([&] {
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kOther));
            ::SetWindowText(::GetDlgItem(dialog, kOther), "Short");
        })
        .OK();
    ui.ExpectMessageBox("Please enter an integer.", IDOK);
    ui.ExpectMessageBox("Please enter no more than 6 characters.", IDOK);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.number, -42);
    EXPECT_EQ(dialog.label, "Short");
}

TEST_F(DialogTest, EnterPressesTheDefaultButtonAndEscapeCancels)
{
    {
        NameDialog dialog;
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(100).Key(VK_RETURN);
        EXPECT_EQ(dialog.DoModal(), IDOK);
    }
    {
        NameDialog dialog;
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(100).Run([&] { dialog.SetDefID(kOther); }).Key(VK_RETURN);
        EXPECT_EQ(dialog.DoModal(), 1349);
    }
    NameDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100).Key(VK_ESCAPE);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.cancels, 1);
}

TEST_F(DialogTest, EnterDoesNothingWhileTheDefaultButtonIsDisabled)
{
    RequiredNameDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Key(VK_RETURN)
        .Run([&] {
            EXPECT_EQ(dialog.oks, 0);
            EXPECT_TRUE(dialog.ContinueModal()) << "the dialog is still open";
            dialog.SetDefID(kOther);
            dialog.GetDlgItem(kOther)->EnableWindow(FALSE);
        })
        .Key(VK_RETURN)
        .Run([&] {
            EXPECT_TRUE(dialog.ContinueModal()) << "a disabled default button set by DM_SETDEFID takes no Enter";
            dialog.SetDefID(IDOK);
        })
        .Type(kName, "Ann")
        .Key(VK_RETURN);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.oks, 1);
    EXPECT_EQ(dialog.name, "Ann");
}

TEST_F(DialogTest, ArrowKeysOnTheClosedChoiceListAnnounceEachChoiceBeforeTheChange)
{
    ChoiceNoticeDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Select(kChoice, 0)
        .Run([&] { dialog.notices.clear(); })
        .Key(VK_DOWN)
        .Key(VK_DOWN)
        .Key(VK_UP)
        .Cancel();
    dialog.DoModal();
    EXPECT_EQ(dialog.notices, (std::vector<std::string>{"SELENDOK 1", "SELCHANGE 1", "SELENDOK 2", "SELCHANGE 2",
                                                        "SELENDOK 1", "SELCHANGE 1"}));
}

TEST_F(DialogTest, TabAndNextDialogControlMoveTheFocusOverEnabledTabStops)
{
    NameDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Key(VK_TAB)
        .Run([&] {
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kCheck));
            dialog.NextDlgCtrl();  // past the disabled edit
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, IDOK));
            dialog.GotoDlgCtrl(dialog.GetDlgItem(kName));
            dialog.PrevDlgCtrl();  // round to the last tab stop
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, 57670));
            dialog.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(dialog, kOther)), TRUE);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kOther));
        })
        .Cancel();
    dialog.DoModal();
}

TEST_F(DialogTest, AMessageBoxAndADialogOpenFromInsideAnOkHandler)
{
    class AskingDialog : public NameDialog {
    public:
        void OnOK() override
        {
            if (AfxMessageBox("Open the other one?", MB_YESNO) == IDYES) {
                CDialog nested(101, this);
                nestedResult = static_cast<int>(nested.DoModal());
            }
            NameDialog::OnOK();
        }
        int nestedResult = 0;
    };
    AskingDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100).OK();
    ui.ExpectMessageBox("Open the other one?", IDYES);
    ui.ExpectDialog(101)
        .Run([&] { EXPECT_FALSE(dialog.IsWindowEnabled()); })  // the owner waits
        .OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.nestedResult, IDOK);
    auto transcript = vqui::Transcript();
    ASSERT_EQ(transcript.size(), 3u);
    EXPECT_EQ(vqui::Describe(transcript[1]), "dialog 101 \"Nested\" -> OK");
    EXPECT_EQ(vqui::Describe(transcript[2]), "dialog 100 \"Simple\" -> OK");
}

TEST_F(DialogTest, TheDriverWaitsWhileAnotherThreadActs)
{
    NameDialog dialog;
    CEvent opened(FALSE, TRUE);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100).Run([&] { opened.SetEvent(); }).Wait();
    Worker worker([&] {
        ::WaitForSingleObject(opened, INFINITE);
        ::PostMessage(dialog.m_hWnd, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

// A dialog that its Cancel leaves open: it hides, and its own code shows it again later, as
// a progress dialog that another thread feeds does.
TEST_F(DialogTest, ADriverIsToldWhenTheDialogItWasAskedAboutStopsWaitingAndIsAskedAgainWhenItShows)
{
    constexpr WPARAM kShowAgain = 0x7001;
    class HidingDialog : public CDialog {
    public:
        HidingDialog() : CDialog(100) {}
        void OnCancel() override
        {
            ShowWindow(SW_HIDE);
            PostMessage(WM_COMMAND, kShowAgain);
        }
        BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
        {
            if (wParam != kShowAgain)
                return CDialog::OnCommand(wParam, lParam);
            ShowWindow(SW_SHOW);
            return TRUE;
        }
    };
    class RecordingDriver : public vqui::UiDriver {
    public:
        vqui::UiAction NextAction(const vqui::UiEvent&) override
        {
            events.push_back("asked");
            return events.size() == 1 ? vqui::UiAction::Press(IDCANCEL) : vqui::UiAction::End(IDOK);
        }
        void Withdrawn(const vqui::UiEvent& event) override
        {
            events.push_back("withdrawn " + std::to_string(event.templateId));
        }
        std::vector<std::string> events;
    };
    RecordingDriver driver;
    vqui::ScopedUiDriver installed(driver);
    HidingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(driver.events, (std::vector<std::string>{"asked", "withdrawn 100", "asked"}));
}

TEST_F(DialogTest, AHiddenDialogAsAThreadsMainWindowWaitsUntilAnotherThreadClosesIt)
{
    class HiddenDialog : public NameDialog {
    public:
        BOOL OnInitDialog() override
        {
            NameDialog::OnInitDialog();
            ShowWindow(SW_SHOWMINNOACTIVE);
            shown.SetEvent();
            return TRUE;
        }
        CEvent shown{FALSE, TRUE};
    };
    HiddenDialog dialog;
    INT_PTR result = 0;
    bool mainWindowCleared = false;
    Worker worker([&] {
        AfxGetThread()->m_pMainWnd = &dialog;
        result = dialog.DoModal();
        mainWindowCleared = AfxGetThread()->m_pMainWnd == nullptr;
    });
    ::WaitForSingleObject(dialog.shown, INFINITE);
    ::SendMessage(dialog.m_hWnd, WM_CLOSE);
    worker.Join();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(mainWindowCleared);
    EXPECT_EQ(LastTranscriptLine(), "dialog 100 \"Simple\" -> Cancel");  // never offered to a driver
}

TEST_F(DialogTest, F1AndTheHelpButtonAskForTheDialogsHelpTopic)
{
    CWinApp app("vqsys");
    NameDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100).Key(VK_F1).Press(ID_HELP).Cancel();
    dialog.DoModal();
    auto requests = vqwin::HelpRequests();
    ASSERT_EQ(requests.size(), 2u);
    for (const vqwin::HelpRequest& request : requests) {
        EXPECT_EQ(request.command, HELP_CONTEXT);
        EXPECT_EQ(request.data, HID_BASE_RESOURCE + 100);
    }
}

TEST_F(DialogTest, DataExchangeAttachesAControlObjectOnce)
{
    class BoundDialog : public NameDialog {
    public:
        void DoDataExchange(CDataExchange* pDX) override
        {
            DDX_Control(pDX, kName, edit);
            ++exchanges;
        }
        CWnd edit;
        int exchanges = 0;
    };
    BoundDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Run([&] {
            EXPECT_EQ(dialog.edit.m_hWnd, ::GetDlgItem(dialog, kName));
            EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(dialog, kName)), &dialog.edit);
            EXPECT_TRUE(dialog.UpdateData(TRUE));
        })
        .OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.exchanges, 3);
    EXPECT_EQ(dialog.edit.m_hWnd, nullptr);
}

TEST_F(DialogTest, CheckBoxesAndComboSelectionsAreExchanged)
{
    class ChoiceDialog : public NameDialog {
    public:
        BOOL OnInitDialog() override
        {
            for (const char* text : {"first", "second", "third"})
                SendDlgItemMessage(kChoice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
            return NameDialog::OnInitDialog();
        }
        void DoDataExchange(CDataExchange* pDX) override
        {
            DDX_Check(pDX, kCheck, checked);
            DDX_CBIndex(pDX, kChoice, choice);
        }
        int checked = 1;
        int choice = 2;
    };
    ChoiceDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100)
        .Run([&] {
            EXPECT_EQ(dialog.IsDlgButtonChecked(kCheck), BST_CHECKED);
            EXPECT_EQ(dialog.SendDlgItemMessage(kChoice, CB_GETCURSEL), 2);
        })
        .Click(kCheck)
        .Select(kChoice, 1)
        .OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.checked, 0);
    EXPECT_EQ(dialog.choice, 1);
}

TEST_F(DialogTest, TypedTextReachesTheMemberAndALongTextIsRefused)
{
    NumberDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(100).Replace(kName, "99").Run([&] { EXPECT_EQ(::GetFocus(), ::GetDlgItem(dialog, kName)); }).OK();
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.number, 99);
    class LimitedDialog : public NameDialog {
    public:
        void DoDataExchange(CDataExchange* pDX) override
        {
            DDX_Text(pDX, kName, name);
            DDV_MaxChars(pDX, name, 4);
        }
    };
    LimitedDialog limited;
    ui.ExpectDialog(100).Type(kName, "abcdefg").Run([&] { EXPECT_EQ(TextOf(::GetDlgItem(limited, kName)), "abcd"); }).OK();
    EXPECT_EQ(limited.DoModal(), IDOK);
    EXPECT_EQ(limited.name, "abcd");
}

TEST_F(DialogTest, ExpectDialogCheckRowTwoClickOk)
{
    class RowsDialog : public CDialog {
    public:
        RowsDialog() : CDialog(102) {}
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            rows.SubclassDlgItem(1020, this);
            rows.SetExtendedStyle(LVS_EX_CHECKBOXES);
            rows.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
            for (const char* name : {"CUSTOMER", "ORDER", "INVOICE"})
                rows.InsertItem(rows.GetItemCount(), name);
            return TRUE;
        }
        void OnOK() override
        {
            for (int row = 0; row < rows.GetItemCount(); ++row)
                checked.push_back(rows.GetCheck(row));
            CDialog::OnOK();
        }
        CListCtrl rows;
        std::vector<BOOL> checked;
    };
    RowsDialog dialog;
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(102).CheckItem(1020, 2).Click(IDOK);
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.checked, (std::vector<BOOL>{FALSE, FALSE, TRUE}));
}

TEST_F(DialogTest, AModelessDialogShowsAsItsTemplateSaysAndHidesAtItsEnd)
{
    CDialog hidden;
    ASSERT_TRUE(hidden.Create(100));
    EXPECT_FALSE(hidden.IsWindowVisible());
    CDialog visible;
    ASSERT_TRUE(visible.Create(101));
    EXPECT_TRUE(visible.IsWindowVisible());
    visible.EndDialog(IDOK);
    EXPECT_FALSE(visible.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(visible.m_hWnd));
}

TEST_F(DialogTest, TheScriptedDriverFailsOnWindowsThatDifferFromTheScript)
{
    auto only = [](std::vector<std::string> failures) {
        EXPECT_EQ(failures.size(), 1u);
        return failures.empty() ? std::string() : failures.front();
    };
    EXPECT_THAT(only(FailuresOf([] {
                    vqtest::ScriptedUiDriver ui;
                    ui.ExpectDialog(162).OK();
                })),
                ::testing::HasSubstr("expected dialog 162 never opened"));
    EXPECT_THAT(only(FailuresOf([] {
                    vqtest::ScriptedUiDriver ui;
                    NameDialog dialog;
                    dialog.DoModal();
                })),
                ::testing::HasSubstr("unexpected dialog 100 \"Simple\""));
    EXPECT_THAT(only(FailuresOf([] {
                    vqtest::ScriptedUiDriver ui;
                    ui.ExpectDialog(100).Click(4711).Cancel();
                    NameDialog dialog;
                    dialog.DoModal();
                })),
                ::testing::HasSubstr("there is no control 4711"));
    EXPECT_THAT(only(FailuresOf([] {
                    vqtest::ScriptedUiDriver ui;
                    ui.ExpectDialog(100).Type(kDisabled, "x").Cancel();
                    NameDialog dialog;
                    dialog.DoModal();
                })),
                ::testing::HasSubstr("is disabled"));
    EXPECT_THAT(only(FailuresOf([] {
                    vqtest::ScriptedUiDriver ui;
                    ui.ExpectDialog(100).Press(kOther).OK();
                    NameDialog dialog;
                    dialog.DoModal();
                })),
                ::testing::HasSubstr("ended with 1349 before 1 more step(s)"));
    EXPECT_THAT(only(FailuresOf([] {
                    vqtest::ScriptedUiDriver ui;
                    ui.ExpectDialog(100);
                    NameDialog dialog;
                    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
                })),
                ::testing::HasSubstr("waits for the user, but the script has no more steps"));
    EXPECT_THAT(only(FailuresOf([] {
                    vqtest::ScriptedUiDriver ui;
                    ui.ExpectDialog(101).OK();
                    NameDialog dialog;
                    dialog.DoModal();
                })),
                ::testing::HasSubstr("unexpected dialog 100 \"Simple\"; expected dialog 101"));
}

TEST_F(DialogTest, AStandingScriptAnswersADialogWheneverItOpens)
{
    vqtest::ScriptedUiDriver ui;
    ui.WheneverDialog(100).Press(kOther);
    ui.ExpectDialog(101).OK();
    for (int i = 0; i < 2; ++i) {
        NameDialog dialog;
        EXPECT_EQ(dialog.DoModal(), 1349);
    }
    CDialog other(101);
    EXPECT_EQ(other.DoModal(), IDOK);
}
