#include "HostsTestSupport.h"

#include "hosts/VqsPackSpecDlg.h"
#include "model/VqsModelNode.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQHostPackData.h"

using hoststest::HostsTest;

namespace {

constexpr UINT IDD_PACK_SPEC = 240;
constexpr UINT ID_OPEN_SELECTED = 32775;

struct PackAssocViewTest : HostsTest {
    void SetUp() override
    {
        HostsTest::SetUp();
        ASSERT_NE(OpenHostView(), nullptr);
    }

    void ShowAssociations()
    {
        frame->SendMessage(WM_COMMAND, VqsHostListFrame::ID_VIEW_PACK_ASSOCIATIONS, 0);
        Idle();
    }

    void Choose(const std::string& pack, const std::string& host)
    {
        Click(Hosts(), host);
        Click(Packs(), pack);
    }

    std::string ColumnTitle() const
    {
        char text[64] = {};
        LVCOLUMN column{};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        Associations()->GetListCtrl().GetColumn(0, &column);
        return text;
    }
};

} // namespace

// The rows are those of the host's platform: two for Windows, eleven for OS Tarsk (the pack
// ids in order), none for QSR.
TEST_F(PackAssocViewTest, TheRowsAreThoseOfTheHostsPlatform)
{
    ShowAssociations();
    Choose("SALESPATH", "NTHOST");
    EXPECT_EQ(ColumnTitle(), "Windows association");
    EXPECT_EQ(Rows(Associations()), (std::vector<std::string>{"path | /vq/nt/sales", "Tablespace/Filegroup | "}));

    Choose("TARSKPACK", "TARSKHOST");
    EXPECT_EQ(ColumnTitle(), "OS Tarsk association");
    EXPECT_EQ(Rows(Associations()),
              (std::vector<std::string>{"fixed disk | no", "equipment | DISK01", "ACR name | ACR001", "pack 1 | PK0001",
                                        "pack 2 | PK0002", "pack 3 | ", "pack 4 | ", "pack 5 | ", "pack 6 | ",
                                        "pack 7 | ", "pack 8 | "}));

    Choose("TARSKPACK", "QSRHOST");
    EXPECT_EQ(ColumnTitle(), "QSR association");
    EXPECT_TRUE(Rows(Associations()).empty());
    int enabled = 0;
    int checked = 0;
    Associations()->GetCommandState(ID_OPEN_SELECTED, &enabled, &checked);
    EXPECT_EQ(enabled, 1);
}

// Another pack on a host of the same platform keeps the rows and reads their values.
TEST_F(PackAssocViewTest, AnotherPackOfTheSamePlatformKeepsTheRowsWithNewValues)
{
    ShowAssociations();
    Choose("SALESPATH", "NTHOST");
    Choose("SALESFG", "NTHOST");
    EXPECT_EQ(Rows(Associations()), (std::vector<std::string>{"path | ", "Tablespace/Filegroup | sales_fg"}));
}

// While the row of the frame is hidden nothing is read; showing it reads the rows once.
TEST_F(PackAssocViewTest, AHiddenAssociationListReadsNothingUntilShown)
{
    Choose("SALESPATH", "NTHOST");
    EXPECT_TRUE(Rows(Associations()).empty());
    ShowAssociations();
    EXPECT_EQ(Rows(Associations()).size(), 2u);
}

// A change notice of the shown association reads its values again; others change nothing.
TEST_F(PackAssocViewTest, AChangeNoticeOfTheShownAssociationReadsItAgain)
{
    ShowAssociations();
    Choose("SALESPATH", "NTHOST");
    const PxVQObjectPtr association = Associations()->GetAssociation();
    app.GetLink()->BeginTransaction();
    Associations()->GetAssociation()->GetPackAssociationNT()->SetPath("/moved");
    app.GetLink()->CommitTransaction();
    const PxVQObjectPtr pack = Pack("SALESPATH");
    app.BroadcastObjectChange(VqsKindPack, nullptr, &pack, nullptr);
    EXPECT_EQ(Rows(Associations()).front(), "path | /vq/nt/sales");
    app.BroadcastObjectChange(VqsKindPackAssociation, nullptr, &association, nullptr);
    EXPECT_EQ(Rows(Associations()).front(), "path | /moved");
}

// Open Selected in the association list opens the pack's definition on its host.
TEST_F(PackAssocViewTest, OpeningTheAssociationOpensThePackOnItsHost)
{
    ShowAssociations();
    Choose("SALESFG", "UNIXHOST");
    std::string host;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window)))
                    host = std::to_string(dialog->GetCurrentHostType());
            }
        })
        .Cancel();
    vqui::user::DoubleClick(Associations()->m_hWnd, 0);
    Idle();
    ui.Verify();
    EXPECT_EQ(host, std::to_string(VQHostUnix));
}
