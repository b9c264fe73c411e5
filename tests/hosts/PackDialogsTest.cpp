#include "HostsTestSupport.h"

#include "hosts/VqsPackAssociationsSheet.h"
#include "hosts/VqsPackNewDlg.h"
#include "hosts/VqsPackSpecDlg.h"
#include "model/VqsModelNodeHost.h"
#include "proxy/PxVQHostPackData.h"
#include "win/CPropertySheet.h"

using hoststest::HostsTest;

namespace {

using Tarsk = VqsPackAssociationPageTarsk;
using Path = VqsPackAssociationPagePath;

constexpr UINT IDD_NEW_PACK = 241;
constexpr UINT IDD_PACK_SPEC = 240;
constexpr UINT ID_ADD_PACK = 32819;
constexpr UINT ID_OPEN_SELECTED = 32775;
constexpr UINT IDS_NAME_NOT_UNIQUE = 61464;
constexpr UINT IDS_DEFAULT_RESERVED = 61872;
constexpr UINT IDS_NO_FIXED_STORAGE_DETAILS = 62138;
constexpr UINT IDS_CHECK_PACK_TYPE_USE = 61780;
constexpr UINT IDS_SAVE_CHANGES = 61621;
constexpr int kTabs = AFX_IDC_TAB_CONTROL;
constexpr int kOsTarskTab = 2;
constexpr int kWindowsTab = 0;

struct PackDialogsTest : HostsTest {
    void SetUp() override
    {
        HostsTest::SetUp();
        ASSERT_NE(OpenHostView(), nullptr);
    }

    void AddPack()
    {
        frame->SendMessage(WM_COMMAND, ID_ADD_PACK, 0);
        Idle();
    }

    // The user chooses the host, then opens the pack from the pack list.
    void OpenPack(const std::string& pack, const std::string& host)
    {
        Click(Hosts(), host);
        Click(Packs(), pack);
        Packs()->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
        Idle();
    }

    PxVQHostPackDataPtr Data(const char* pack, const char* host) const
    {
        PxTypedList<PxVQHostPackDataPtr> entries;
        Pack(pack)->GetListOfHostPackData(entries);
        for (POSITION pos = entries.GetHeadPosition(); pos;) {
            const PxVQHostPackDataPtr entry = entries.GetNext(pos);
            if (entry->GetHostInformation()->IsSameOid(Host(host)))
                return entry;
        }
        return PxVQHostPackDataPtr();
    }
};

} // namespace

// "default" is reserved in any letter case and with blanks around it; a name another pack has
// is refused; the pack is made under the name without the blanks, of the type last clicked.
TEST_F(PackDialogsTest, ANewPackIsRefusedTheReservedNameAndAnotherPacksNameAndIsStoredTrimmed)
{
    ui.ExpectDialog(IDD_NEW_PACK)
        .Type(VqsPackNewDlg::IDC_NAME, "Default")
        .OK()
        .Replace(VqsPackNewDlg::IDC_NAME, " default ")
        .OK()
        .Replace(VqsPackNewDlg::IDC_NAME, "tarskpack")
        .OK()
        .Replace(VqsPackNewDlg::IDC_NAME, " ARCHIVE ")
        .Click(VqsPackNewDlg::IDC_DISK_PATH)
        .OK();
    ui.ExpectMessageBoxId(IDS_DEFAULT_RESERVED, IDOK);
    ui.ExpectMessageBoxId(IDS_DEFAULT_RESERVED, IDOK);
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    AddPack();
    ui.Verify();
    ASSERT_TRUE(Pack("ARCHIVE"));
    EXPECT_EQ(Pack("ARCHIVE")->GetPackType(), VQPackPath);
    EXPECT_EQ(Rows(Packs()).back(), "ARCHIVE | fixed disk");
    EXPECT_TRUE(frame->GetCurrentPack()->IsSameOid(Pack("ARCHIVE")));
}

// A pack made by another user after the dialog opened is found as a duplicate.
TEST_F(PackDialogsTest, APackAnotherUserMadeMeanwhileIsADuplicate)
{
    ui.ExpectDialog(IDD_NEW_PACK)
        .Run([&] {
            std::unique_ptr<PxVQLink> other = OtherUser();
            other->BeginTransaction();
            other->GetLVQEnterprise()->CreatePackInformation("SPOOL");
            other->CommitTransaction();
        })
        .Type(VqsPackNewDlg::IDC_NAME, "spool")
        .OK()
        .Cancel();
    ui.ExpectMessageBoxId(IDS_NAME_NOT_UNIQUE, IDOK);
    AddPack();
    ui.Verify();
}

// The Windows page of a path pack: the tablespace is not asked for, the path is stored.
TEST_F(PackDialogsTest, AWindowsPathIsStoredAndShownInTheAssociationList)
{
    BOOL tableEnabled = TRUE;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window)))
                    tableEnabled = dialog->GetSheet()->GetPage(kWindowsTab)->GetDlgItem(Path::IDC_TABLE)->IsWindowEnabled();
            }
        })
        .Replace(Path::IDC_PATH, "/vq/nt/sales2")
        .OK();
    frame->SendMessage(WM_COMMAND, VqsHostListFrame::ID_VIEW_PACK_ASSOCIATIONS, 0);
    OpenPack("SALESPATH", "NTHOST");
    ui.Verify();
    EXPECT_FALSE(tableEnabled);
    EXPECT_EQ(std::string(Data("SALESPATH", "NTHOST")->GetPackAssociationNT()->GetPath()), "/vq/nt/sales2");
    Idle();
    EXPECT_EQ(Rows(Associations()), (std::vector<std::string>{"path | /vq/nt/sales2", "Tablespace/Filegroup | "}));
}

// OS Tarsk pack ids are stored from the first one on, without gaps.
TEST_F(PackDialogsTest, TarskPackIdsAreStoredWithoutGaps)
{
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Replace(Tarsk::IDC_EQUIPMENT, "TAPE")
        .Replace(Tarsk::IDC_PACK_ID_1, "")
        .Replace(Tarsk::IDC_PACK_ID_1 + 1, "")
        .Type(Tarsk::IDC_PACK_ID_1 + 2, "P3")
        .Type(Tarsk::IDC_PACK_ID_1 + 5, "P6")
        .OK();
    OpenPack("TARSKPACK", "TARSKHOST");
    ui.Verify();
    const PxVQKeshPackAssociationTarskPtr record = Data("TARSKPACK", "TARSKHOST")->GetPackAssociationTarsk();
    EXPECT_EQ(record->GetFixedDisk(), 0);
    EXPECT_EQ(std::string(record->GetEquipmentType()), "TAPE");
    std::vector<std::string> ids;
    for (int n = 1; n <= 8; ++n)
        ids.push_back(record->GetPackId(n).str());
    EXPECT_EQ(ids, (std::vector<std::string>{"P3", "P6", "", "", "", "", "", ""}));
}

// The sample's OS Tarsk association is one the dialog itself stores: OK without a change
// is accepted and keeps it.
TEST_F(PackDialogsTest, TheSamplesTarskAssociationIsAcceptedAsItIs)
{
    ui.ExpectDialog(IDD_PACK_SPEC).Select(kTabs, kOsTarskTab).OK();
    OpenPack("TARSKPACK", "TARSKHOST");
    ui.Verify();
    const PxVQKeshPackAssociationTarskPtr record = Data("TARSKPACK", "TARSKHOST")->GetPackAssociationTarsk();
    EXPECT_EQ(record->GetFixedDisk(), 0);
    EXPECT_EQ(std::string(record->GetEquipmentType()), "DISK01");
    EXPECT_EQ(std::string(record->GetPackId(2)), "PK0002");
}

// Another user holds the pack's association on the host: the dialog's refusal names it.
TEST_F(PackDialogsTest, AnAssociationAnotherUserHoldsIsNamedInTheRefusal)
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    PxTypedList<PxVQHostPackDataPtr> entries;
    other->GetLVQEnterprise()->GetPackInformation("TARSKPACK")->GetListOfHostPackData(entries);
    PxVQHostPackDataPtr theirs;
    for (POSITION pos = entries.GetHeadPosition(); pos;) {
        const PxVQHostPackDataPtr entry = entries.GetNext(pos);
        if (entry->GetHostInformation()->GetName() == "TARSKHOST")
            theirs = entry;
    }
    // Held by a lock that refuses at once, so that the test does not wait for a live one.
    ASSERT_TRUE(theirs && theirs->PersistentLock(1).Succeeded());
    ui.ExpectDialog(IDD_PACK_SPEC).Select(kTabs, kOsTarskTab).Replace(Tarsk::IDC_ACR_NAME, "X").Cancel();
    ui.ExpectMessageBox(
        "Lock failed:\nother/dev manually locked TARSKPACK association.\nPlease try again after some time.", IDOK);
    OpenPack("TARSKPACK", "TARSKHOST");
    ui.Verify();
}

// A changed Windows record and an OS Tarsk record that is refused: OK writes neither, and
// both pages stay changed.
TEST_F(PackDialogsTest, ARefusedPageLeavesTheOtherChangedPagesUnsavedToo)
{
    std::vector<BOOL> modified;
    std::vector<int> images;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Select(kTabs, kWindowsTab)
        .Replace(Path::IDC_PATH, "/never")
        .Select(kTabs, kOsTarskTab)
        .Replace(Tarsk::IDC_ACR_NAME, "X")
        .Click(Tarsk::IDC_FIXED)
        .OK()
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window));
                if (dialog && dialog->GetSheet()) {
                    modified.clear();
                    images.clear();
                    for (int page = 0; page < 4; ++page) {
                        modified.push_back(dialog->GetSheet()->GetPage(page)->IsModified());
                        TCITEM tab{};
                        tab.mask = TCIF_IMAGE;
                        dialog->GetSheet()->GetTabControl()->GetItem(page, &tab);
                        images.push_back(tab.iImage);
                    }
                }
            }
        })
        .Cancel();
    ui.ExpectMessageBoxId(IDS_NO_FIXED_STORAGE_DETAILS, IDOK);
    OpenPack("TARSKPACK", "TARSKHOST");
    ui.Verify();
    EXPECT_EQ(modified, (std::vector<BOOL>{TRUE, FALSE, TRUE, FALSE}));
    EXPECT_EQ(images, (std::vector<int>{VqsComputeImageIndex({1, 1}), VqsComputeImageIndex({0, 0}),
                                        VqsComputeImageIndex({1, 1}), VqsComputeImageIndex({0, 0})}))
        << "changed pages with data, and the empty ones";
    const PxVQHostPackDataPtr data = Data("TARSKPACK", "TARSKHOST");
    EXPECT_EQ(std::string(data->GetPackAssociationNT()->GetPath()), "");
    EXPECT_EQ(std::string(data->GetPackAssociationTarsk()->GetAcrName()), "ACR001");
}

// From "not defined yet" the type changes without a question; from another type the user is
// asked first, and No keeps it.
TEST_F(PackDialogsTest, APackTypeIsSetFreelyOnlyWhileItIsNotDefined)
{
    ui.ExpectDialog(IDD_PACK_SPEC).Click(VqsPackSpecDlg::IDC_TABLESPACE).OK();
    OpenPack("TARSKPACK", "NTHOST");
    ui.Verify();
    EXPECT_EQ(Pack("TARSKPACK")->GetPackType(), VQPackTablespace);
    EXPECT_EQ(Rows(Packs()).back(), "TARSKPACK | Tablespace/Filegroup");

    ui.ExpectDialog(IDD_PACK_SPEC).Click(VqsPackSpecDlg::IDC_DISK_PATH).OK().Cancel();
    ui.ExpectMessageBoxId(IDS_CHECK_PACK_TYPE_USE, IDNO);
    OpenPack("TARSKPACK", "NTHOST");
    ui.Verify();
    EXPECT_EQ(Pack("TARSKPACK")->GetPackType(), VQPackTablespace);
}

// Choosing another host with unsaved changes asks first: Cancel stays on the host shown.
TEST_F(PackDialogsTest, SwitchingHostWithChangesAsksAndCancelStaysOnTheHost)
{
    std::string shown;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Replace(Path::IDC_PATH, "/changed")
        .SelectText(VqsPackSpecDlg::IDC_HOST_LIST, "UNIXHOST")
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window)))
                    shown = dialog->GetHostNode()->GetName().str();
            }
        })
        .Cancel();
    ui.ExpectMessageBoxId(IDS_SAVE_CHANGES, IDCANCEL);
    OpenPack("SALESPATH", "NTHOST");
    ui.Verify();
    EXPECT_EQ(shown, "NTHOST");
    EXPECT_EQ(std::string(Data("SALESPATH", "NTHOST")->GetPackAssociationNT()->GetPath()), "/vq/nt/sales");
}

// Saying No drops the changes and shows the other host.
TEST_F(PackDialogsTest, SwitchingHostAndNotSavingDropsTheChanges)
{
    std::string shown;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Replace(Path::IDC_PATH, "/changed")
        .SelectText(VqsPackSpecDlg::IDC_HOST_LIST, "UNIXHOST")
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window)))
                    shown = dialog->GetHostNode()->GetName().str();
            }
        })
        .OK();
    ui.ExpectMessageBoxId(IDS_SAVE_CHANGES, IDNO);
    OpenPack("SALESPATH", "NTHOST");
    ui.Verify();
    EXPECT_EQ(shown, "UNIXHOST");
    EXPECT_EQ(std::string(Data("SALESPATH", "NTHOST")->GetPackAssociationNT()->GetPath()), "/vq/nt/sales");
}

// Without hosts there is nothing to associate: the host list is disabled and no page is
// shown, while the pack type can still be set. A host another user adds meanwhile comes in
// at the first change, with its association.
TEST_F(PackDialogsTest, WithoutHostsOnlyThePackTypeIsEditedUntilAnotherUserAddsOne)
{
    std::unique_ptr<PxVQLink> other = OtherUser();
    other->BeginTransaction();
    for (const char* name : {"NTHOST", "QSRHOST", "TARSKHOST", "UNIXHOST"})
        other->GetLVQEnterprise()->GetHostInformation(name)->DeleteObject();
    other->CommitTransaction();
    app.BroadcastObjectChange(VqsHostGone, nullptr, nullptr, nullptr);

    BOOL hostListEnabled = TRUE;
    BOOL sheetBefore = TRUE;
    BOOL sheetAfter = FALSE;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window))) {
                    hostListEnabled = dialog->GetDlgItem(VqsPackSpecDlg::IDC_HOST_LIST)->IsWindowEnabled();
                    sheetBefore = dialog->GetSheet() != nullptr;
                }
            }
            other->BeginTransaction();
            other->GetLVQEnterprise()->CreateHostInformation("LATEHOST");
            other->CommitTransaction();
        })
        .Click(VqsPackSpecDlg::IDC_DISK_PATH)
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window)))
                    sheetAfter = dialog->GetSheet() != nullptr;
            }
        })
        .Click(VqsPackSpecDlg::IDC_DISK_PATH)
        .OK();
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    Click(Packs(), "TARSKPACK");
    Packs()->SendMessage(WM_COMMAND, ID_OPEN_SELECTED, 0);
    Idle();
    ui.Verify();
    EXPECT_FALSE(hostListEnabled);
    EXPECT_FALSE(sheetBefore);
    EXPECT_TRUE(sheetAfter);
    EXPECT_EQ(Pack("TARSKPACK")->GetPackType(), VQPackPath);
}


// Another pack chosen in the dialog shows its association with the same host.
TEST_F(PackDialogsTest, ChoosingAnotherPackShowsItsAssociationWithTheSameHost)
{
    std::string pack;
    std::string table;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .SelectText(VqsPackSpecDlg::IDC_PACK_LIST, "SALESFG")
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window))) {
                    pack = dialog->GetPackNode()->GetName().str();
                    CString text;
                    dialog->GetSheet()->GetPage(kWindowsTab)->GetDlgItemText(Path::IDC_TABLE, text);
                    table = text.str();
                }
            }
        })
        .Cancel();
    OpenPack("SALESPATH", "NTHOST");
    ui.Verify();
    EXPECT_EQ(pack, "SALESFG");
    EXPECT_EQ(table, "sales_fg");
}

// The pack dialog is activated again after a dialog of its own (the FTP password dialog here):
// the control of the association page that had the focus has it again.
TEST_F(PackDialogsTest, TheFocusGoesBackIntoTheAssociationPageWhenTheDialogIsActivatedAgain)
{
    HWND path = nullptr;
    HWND focusAfter = nullptr;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Run([&] {
            for (const vqui::UiEvent& event : ui.Seen()) {
                if (auto* dialog = dynamic_cast<VqsPackSpecDlg*>(CWnd::FromHandle(event.window))) {
                    path = dialog->GetSheet()->GetPage(kWindowsTab)->GetDlgItem(Path::IDC_PATH)->m_hWnd;
                    ::SetFocus(path);
                    CDialog over(101, dialog);
                    ui.ExpectDialog(101).Cancel();
                    over.DoModal();
                    focusAfter = ::GetFocus();
                }
            }
        })
        .Cancel();
    OpenPack("SALESPATH", "NTHOST");
    ui.Verify();
    ASSERT_TRUE(path);
    EXPECT_EQ(focusAfter, path);
}

// A pack changed and left open holds what it edits and the host: another user's step that
// writes the enterprise (a Delete of a system, a New System) goes on meanwhile.
TEST_F(PackDialogsTest, AChangedPackLeftOpenLeavesTheEnterpriseToOtherUsers)
{
    int enterpriseLock = -1;
    ui.ExpectDialog(IDD_PACK_SPEC)
        .Click(VqsPackSpecDlg::IDC_TABLESPACE)
        .Run([&] { enterpriseLock = OtherUser()->GetLVQEnterprise()->WriteLock(0).GetErrorCode(); })
        .Cancel();
    OpenPack("TARSKPACK", "NTHOST");
    ui.Verify();
    EXPECT_EQ(enterpriseLock, PxLockGranted);
}
