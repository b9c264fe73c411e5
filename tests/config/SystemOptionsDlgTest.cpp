#include "EditDialogTestSupport.h"

#include "config/VqsOptionsSystemDlg.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxFaultInjection.h"

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_SYSTEM_OPTIONS = 142;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;

struct SystemOptionsDlgTest : EditDialogTest {
    // The user opens a system's options, as the directory view does.
    void OpenSystem(const char* name = "SYS1")
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeSystem* node = model.LockSystemNode(bag, System(name));
        ASSERT_NE(node, nullptr);
        VqsOptionsSystemDlg dialog(&bag, node, node->GetSystem()->GetObjectEdition(), nullptr);
        dialog.DoModal();
    }

    static void OnSystem(PxVQLink& other, const std::function<void(const PxVQSystemPtr&)>& change)
    {
        change(other.GetLVQEnterprise()->GetSystem("SYS1"));
    }
};

} // namespace

TEST_F(SystemOptionsDlgTest, TheSystemIsShownWithLongAndShortNames)
{
    std::string name;
    std::string shortName;
    std::string identifier;
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
        .Run([&] {
            name = Text(IDD_SYSTEM_OPTIONS, VqsOptionsSystemDlg::IDC_NAME);
            shortName = Text(IDD_SYSTEM_OPTIONS, VqsOptionsSystemDlg::IDC_SHORT_NAME);
            identifier = Text(IDD_SYSTEM_OPTIONS, VqsOptionsSystemDlg::IDC_RUNTIME_VERSION_ID);
        })
        .Cancel();
    OpenSystem();
    ui.Verify();
    EXPECT_EQ(name, "Sample system 1");
    EXPECT_EQ(shortName, "SYS1");
    EXPECT_EQ(identifier, "RT1");
}

TEST_F(SystemOptionsDlgTest, OKWithoutAChangeLocksAndWritesNothing)
{
    const std::int64_t edition = System()->GetObjectEdition().GetEdition();
    BOOL locked = TRUE;
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
        .Run([&] { locked = OtherUser()->GetLVQEnterprise()->GetSystem("SYS1")->IsLocked(); })
        .OK();
    OpenSystem();
    ui.Verify();
    EXPECT_FALSE(locked);
    EXPECT_EQ(System()->GetObjectEdition().GetEdition(), edition);
}

// A short name equal to another system's short name, or a long name equal to its long name,
// in any case, is taken; the same text crosswise is not.
TEST_F(SystemOptionsDlgTest, NamesAreComparedShortWithShortAndLongWithLong)
{
    struct Case {
        const char* name;
        const char* shortName;
        bool refused;
        int focus;
    };
    for (const Case& each : {Case{"Another name", "sys2", true, VqsOptionsSystemDlg::IDC_SHORT_NAME},
                             Case{"SAMPLE SYSTEM 2", "OTHER", true, VqsOptionsSystemDlg::IDC_NAME},
                             Case{"SYS2", "OTHER", false, 0}}) {
        int focus = 0;
        auto& script = ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
                           .Replace(VqsOptionsSystemDlg::IDC_NAME, each.name)
                           .Replace(VqsOptionsSystemDlg::IDC_SHORT_NAME, each.shortName)
                           .OK();
        if (each.refused) {
            script.Run([&] { focus = ::GetDlgCtrlID(::GetFocus()); }).Cancel();
            ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
        }
        OpenSystem();
        ui.Verify();
        EXPECT_EQ(focus, each.focus) << each.name;
        EXPECT_EQ(static_cast<bool>(Enterprise()->GetSystem("OTHER")), !each.refused) << each.name;
    }
}

// A long name of 15 double-byte characters fills the field's 30 bytes: it opens and saves as
// it is stored.
TEST_F(SystemOptionsDlgTest, ALongNameOfFifteenDoubleByteCharactersSavesUnchanged)
{
    std::string longName;
    for (int i = 0; i < 15; ++i)
        longName += "\x93\xfa";
    app.GetLink()->BeginTransaction();
    System()->SetLongName(longName.c_str());
    app.GetLink()->CommitTransaction();
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS).Replace(VqsOptionsSystemDlg::IDC_DESCRIPTION, "Changed").OK();
    OpenSystem();
    ui.Verify();
    EXPECT_EQ(System()->GetDescription().str(), "Changed");
    EXPECT_EQ(System()->GetLongName().str(), longName);
    EXPECT_EQ(System()->GetName().str(), "SYS1");
}

// With "Reset version counts on id change" a new identifier, even in another case only,
// starts the system's version numbers again.
TEST_F(SystemOptionsDlgTest, ANewIdentifierWithTheResetFlagResetsTheVersionNumber)
{
    app.GetLink()->BeginTransaction();
    System()->SetSystemVersionNumber(7);
    app.GetLink()->CommitTransaction();
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
        .Click(VqsOptionsSystemDlg::IDC_RESET_VERSION_COUNTS)
        .Replace(VqsOptionsSystemDlg::IDC_RUNTIME_VERSION_ID, "rt1")
        .OK();
    OpenSystem();
    ui.Verify();
    EXPECT_EQ(System()->GetRuntimeVersionIdentifier().str(), "rt1");
    EXPECT_EQ(System()->GetResetVersionNumber(), 1);
    EXPECT_EQ(System()->GetSystemVersionNumber(), 1);
}

TEST_F(SystemOptionsDlgTest, AChangeCommittedByAnotherUserIsReloadedAtTheFirstChange)
{
    std::string shown;
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            OnSystem(other, [](const PxVQSystemPtr& system) { system->SetDescription("Changed elsewhere"); });
        }); })
        .Type(VqsOptionsSystemDlg::IDC_RUNTIME_VERSION_ID, "X")
        .Run([&] {
            shown = Text(IDD_SYSTEM_OPTIONS, VqsOptionsSystemDlg::IDC_DESCRIPTION) + "/" +
                    Text(IDD_SYSTEM_OPTIONS, VqsOptionsSystemDlg::IDC_RUNTIME_VERSION_ID);
        })
        .OK();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    OpenSystem();
    ui.Verify();
    EXPECT_EQ(shown, "Changed elsewhere/RT1");
    EXPECT_EQ(System()->GetDescription().str(), "Changed elsewhere");
}

TEST_F(SystemOptionsDlgTest, ASystemAnotherUserDeletedDisablesOKAndIsNotWritten)
{
    BOOL okEnabled = TRUE;
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            OnSystem(other, [](const PxVQSystemPtr& system) { system->DeleteObject(); });
        }); })
        .Replace(VqsOptionsSystemDlg::IDC_DESCRIPTION, "X")
        .Run([&] { okEnabled = ::IsWindowEnabled(Control(IDD_SYSTEM_OPTIONS, IDOK)); })
        .Cancel();
    ui.ExpectMessageBox("System item has been deleted.", IDOK);
    OpenSystem();
    ui.Verify();
    EXPECT_FALSE(okEnabled);
}

// A system that cannot be read as its options open: the user is told, the opener's read lock
// is given back and the dialog closes as Cancel.
TEST_F(SystemOptionsDlgTest, ASystemThatCannotBeReadAtOpeningSaysSoAndGivesBackTheOpenersLock)
{
    VqsModel model;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodeSystem* node = model.LockSystemNode(bag, System());
    ASSERT_NE(node, nullptr);
    const unsigned held = bag.GetHoldCount();
    ui.ExpectDialog(IDD_SYSTEM_OPTIONS);
    ui.ExpectMessageBox("Cannot access System specifications:\nInjected repository failure", IDOK);
    PxFaultInjection::Throw("PxVQSystem::GetRuntimeVersionIdentifier");
    VqsOptionsSystemDlg dialog(&bag, node, node->GetSystem()->GetObjectEdition(), nullptr);
    const INT_PTR result = dialog.DoModal();
    PxFaultInjection::Reset();
    ui.Verify();
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(bag.GetHoldCount(), held - 1);
}
