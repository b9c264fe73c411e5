#include "EditDialogTestSupport.h"

#include "config/VqsOptionsGenSetDlg.h"
#include "model/VqsModelNodeOSet.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQOptionSet.h"

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_GENSET_OPTIONS = 141;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;

struct GenSetOptionsDlgTest : EditDialogTest {
    PxVQGenSetPtr GenSet(const char* name = "NTGEN") const { return PxVQGenSetPtr(CurConfig()->GetOptionSet(name)); }

    // The user opens a generate set's options through the model.
    void EditGenSet(const PxVQGenSetPtr& genSet)
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeGenSet* node = model.LockGenSetNode(bag, genSet);
        ASSERT_NE(node, nullptr);
        model.EditGenSet(bag, node);
    }

    // The host list's entries, in the order shown.
    std::vector<std::string> Hosts() const
    {
        std::vector<std::string> items;
        HWND combo = Control(IDD_GENSET_OPTIONS, VqsOptionsGenSetDlg::IDC_HOST);
        const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            char text[64] = {};
            ::SendMessage(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }
};

} // namespace

// Only hosts of the generate set's own platform are offered, with " " for none; choosing
// " " stores no host.
TEST_F(GenSetOptionsDlgTest, OnlyHostsOfTheOwnPlatformAreOfferedAndABlankStoresNoHost)
{
    std::vector<std::string> hosts;
    std::string title;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Run([&] {
            hosts = Hosts();
            CString text;
            CWnd::FromHandle(::GetParent(Control(IDD_GENSET_OPTIONS, IDOK)))->GetWindowText(text);
            title = text.str();
        })
        .Replace(VqsOptionsGenSetDlg::IDC_NAME, "Unix generation")
        .SelectText(VqsOptionsGenSetDlg::IDC_HOST, " ")
        .OK();
    EditGenSet(GenSet("UNIXGEN"));
    ui.Verify();
    EXPECT_EQ(hosts, (std::vector<std::string>{" ", "UNIXHOST"}));
    EXPECT_EQ(title, "UNIX Generate Set Options");
    EXPECT_EQ(GenSet("UNIXGEN")->GetHostName().str(), "");
}

// A short name equal to another option set's name in the same configuration is refused;
// in another system's configuration it is free.
TEST_F(GenSetOptionsDlgTest, AShortNameOfAnotherSetOfTheConfigurationIsRefused)
{
    int focus = 0;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Replace(VqsOptionsGenSetDlg::IDC_NAME, "New generation")
        .Replace(VqsOptionsGenSetDlg::IDC_SHORT_NAME, "qsrgen")
        .OK()
        .Run([&] { focus = ::GetDlgCtrlID(::GetFocus()); })
        .Replace(VqsOptionsGenSetDlg::IDC_SHORT_NAME, "NTNEW")
        .OK();
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    EditGenSet(GenSet());
    ui.Verify();
    EXPECT_EQ(focus, VqsOptionsGenSetDlg::IDC_SHORT_NAME);
    EXPECT_TRUE(CurConfig()->GetOptionSet("NTNEW"));
    EXPECT_TRUE(CurConfig("SYS2")->GetOptionSet("NTGEN"));
}

// When the other option sets cannot be read the names are unchecked: nothing is written
// and the dialog stays open.
TEST_F(GenSetOptionsDlgTest, ANameCheckThatCannotReadTheOptionSetsKeepsTheDialogOpen)
{
    bool stayed = false;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Replace(VqsOptionsGenSetDlg::IDC_NAME, "New generation")
        .Replace(VqsOptionsGenSetDlg::IDC_SHORT_NAME, "NTNEW")
        .Run([] { PxFaultInjection::Throw("PxVQOptionSet::GetLongName", "The repository is unreachable."); })
        .OK()
        .Run([&] { stayed = true; })
        .Cancel();
    ui.ExpectMessageBox("Cannot access Option Set specification:\nThe repository is unreachable.", IDOK);
    EditGenSet(GenSet());
    ui.Verify();
    EXPECT_TRUE(stayed);
    EXPECT_TRUE(CurConfig()->GetOptionSet("NTGEN"));
    EXPECT_FALSE(CurConfig()->GetOptionSet("NTNEW"));
}

// A stored description longer than the field is shown whole (or, with shift marks, as the
// host field holds it) and written back whole by an OK that changed only the long name.
TEST_F(GenSetOptionsDlgTest, AnUntouchedDescriptionLongerThanTheFieldIsWrittenBackWhole)
{
    const struct {
        bool japaneseQsr;
        std::string description;
    } cases[] = {
        {false, "Generates every report and Ispec for the Windows host"},
        {true, "Weekly run \x82\xa0\x82\xa2 of every report, Ispec and bundle"},
    };
    for (const auto& each : cases) {
        PxLSEBuilder builder(*app.GetLink());
        const PxLSEBusinessSegmentPtr segment = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        app.GetLink()->BeginTransaction();
        builder.SetNumber(segment, "japaneseSupport", each.japaneseQsr);
        builder.SetNumber(segment, "targetHostQsr", 1);
        for (const char* target : {"targetHostNt", "targetHostOsTarsk", "targetHostUnix"})
            builder.SetNumber(segment, target, !each.japaneseQsr);
        GenSet()->SetDescription(each.description.c_str());
        app.GetLink()->CommitTransaction();
        std::string shown;
        ui.ExpectDialog(IDD_GENSET_OPTIONS)
            .Run([&] { shown = Text(IDD_GENSET_OPTIONS, VqsOptionsGenSetDlg::IDC_DESCRIPTION); })
            .Replace(VqsOptionsGenSetDlg::IDC_NAME, each.japaneseQsr ? "Weekly generation" : "Windows generation")
            .OK();
        EditGenSet(GenSet());
        ui.Verify();
        EXPECT_EQ(shown == each.description, !each.japaneseQsr) << shown;
        EXPECT_EQ(GenSet()->GetDescription().str(), each.description);
        EXPECT_EQ(GenSet()->GetLongName().str(), each.japaneseQsr ? "Weekly generation" : "Windows generation");
    }
}

TEST_F(GenSetOptionsDlgTest, OKWithoutAChangeLocksAndWritesNothing)
{
    const std::int64_t edition = GenSet()->GetObjectEdition().GetEdition();
    BOOL locked = TRUE;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Run([&] {
            locked = OtherUser()->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")
                         ->IsLocked();
        })
        .OK();
    EditGenSet(GenSet());
    ui.Verify();
    EXPECT_FALSE(locked);
    EXPECT_EQ(GenSet()->GetObjectEdition().GetEdition(), edition);
}

TEST_F(GenSetOptionsDlgTest, AChangeByAnotherUserIsReloadedAndADeleteDisablesOK)
{
    std::string shown;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->SetDescription("New");
        }); })
        .Replace(VqsOptionsGenSetDlg::IDC_DESCRIPTION, "X")
        .Run([&] { shown = Text(IDD_GENSET_OPTIONS, VqsOptionsGenSetDlg::IDC_DESCRIPTION); })
        .Cancel();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    EditGenSet(GenSet());
    ui.Verify();
    EXPECT_EQ(shown, "New");

    BOOL okEnabled = TRUE;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("QSRGEN")->DeleteObject();
        }); })
        .Replace(VqsOptionsGenSetDlg::IDC_DESCRIPTION, "Mine")
        .Run([&] { okEnabled = ::IsWindowEnabled(Control(IDD_GENSET_OPTIONS, IDOK)); })
        .Cancel();
    ui.ExpectMessageBox("Generate Set (QSR) item has been deleted.", IDOK);
    EditGenSet(GenSet("QSRGEN"));
    ui.Verify();
    EXPECT_FALSE(okEnabled);
}

// Another user locked the set by hand: the first change is refused with one box, and the rest
// of what the user types is not taken, asks for no lock and tells nothing more.
TEST_F(GenSetOptionsDlgTest, AFirstChangeRefusedByAnotherUsersLockIsToldOnceWhateverIsTyped)
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    ASSERT_TRUE(
        other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->PersistentLock(1).Succeeded());
    CString description = GenSet()->GetDescription();
    std::string shown;
    BOOL okEnabled = TRUE;
    ui.ExpectDialog(IDD_GENSET_OPTIONS)
        .Type(VqsOptionsGenSetDlg::IDC_DESCRIPTION, "ABCDEF")
        .Run([&] {
            shown = Text(IDD_GENSET_OPTIONS, VqsOptionsGenSetDlg::IDC_DESCRIPTION);
            okEnabled = ::IsWindowEnabled(Control(IDD_GENSET_OPTIONS, IDOK));
        })
        .Cancel();
    ui.ExpectMessageBox("Lock failed:\nother/dev manually locked NTGEN.\nPlease try again after some time.", IDOK);

    EditGenSet(GenSet());

    ui.Verify();
    EXPECT_EQ(shown, description.GetString());
    EXPECT_FALSE(okEnabled);
}
