#include "EditDialogTestSupport.h"

#include "config/VqsOpenPickers.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeSystem.h"

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_OPEN_SYSTEM = 248;
constexpr UINT IDD_OPEN_BUNDLE = 830;
constexpr int IDC_SYSTEM_LIST = 1494;
constexpr int IDC_BUNDLE_LIST = 1806;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;

struct OpenPickersTest : EditDialogTest {
    // The entries of the picker's list, in the order shown.
    std::vector<std::string> Entries(UINT templateId, int listId) const
    {
        std::vector<std::string> items;
        HWND combo = Control(templateId, listId);
        const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            char text[64] = {};
            ::SendMessage(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }

    std::string Selected(UINT templateId, int listId) const
    {
        HWND combo = Control(templateId, listId);
        char text[64] = {};
        ::SendMessage(combo, CB_GETLBTEXT, ::SendMessage(combo, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
        return text;
    }

    template <class Picker, class Node, class Object>
    INT_PTR Run(VqsModel& model, Node* (VqsModel::*lock)(VqsLockBag&, const Object&), const Object& start,
                Object& chosen)
    {
        Node* node = nullptr;
        {
            VqsLockBag bag(VqsReadLock);
            node = (model.*lock)(bag, start);
        }
        EXPECT_NE(node, nullptr);
        Picker picker(node, nullptr);
        const INT_PTR result = picker.DoModal();
        chosen = picker.GetSelected();
        return result;
    }
};

} // namespace

// The systems show their long names, the starting one chosen; another choice is what the
// caller gets after "&Options".
TEST_F(OpenPickersTest, TheSystemPickerListsTheSystemsAndEndsWithOptions)
{
    std::vector<std::string> entries;
    std::string preselected;
    ui.ExpectDialog(IDD_OPEN_SYSTEM)
        .Run([&] {
            entries = Entries(IDD_OPEN_SYSTEM, IDC_SYSTEM_LIST);
            preselected = Selected(IDD_OPEN_SYSTEM, IDC_SYSTEM_LIST);
        })
        .SelectText(IDC_SYSTEM_LIST, "Sample system 2")
        .Press(VqsOpenPickerDlg::IDC_OPTIONS);
    VqsModel model;
    PxVQSystemPtr chosen;
    EXPECT_EQ((Run<VqsOpenSystemDlg>(model, &VqsModel::LockSystemNode, System("SYS1"), chosen)),
              VqsOpenPickerDlg::IDC_OPTIONS);
    ui.Verify();
    EXPECT_EQ(entries, (std::vector<std::string>{"Sample system 1", "Sample system 2"}));
    EXPECT_EQ(preselected, "Sample system 1");
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->GetName().str(), "SYS2");
}

// "&Ispecs in Bundle" is offered only for a bundle that does not hold every Ispec.
TEST_F(OpenPickersTest, IspecsInBundleFollowsTheChosenBundle)
{
    app.GetLink()->BeginTransaction();
    Bundle("ORDERS")->SetLongName("Order entry");
    Bundle("WEBALL")->SetLongName("Web");
    app.GetLink()->CommitTransaction();
    BOOL forOrders = FALSE;
    BOOL forAll = TRUE;
    ui.ExpectDialog(IDD_OPEN_BUNDLE)
        .Run([&] { forOrders = ::IsWindowEnabled(Control(IDD_OPEN_BUNDLE, VqsOpenPickerDlg::IDC_ISPECS_IN_BUNDLE)); })
        .SelectText(IDC_BUNDLE_LIST, "Web")
        .Run([&] { forAll = ::IsWindowEnabled(Control(IDD_OPEN_BUNDLE, VqsOpenPickerDlg::IDC_ISPECS_IN_BUNDLE)); })
        .SelectText(IDC_BUNDLE_LIST, "Order entry")
        .Press(VqsOpenPickerDlg::IDC_ISPECS_IN_BUNDLE);
    VqsModel model;
    PxVQBundlePtr chosen;
    EXPECT_EQ((Run<VqsOpenBundleDlg>(model, &VqsModel::LockBundleNode, Bundle("ORDERS"), chosen)),
              VqsOpenPickerDlg::IDC_ISPECS_IN_BUNDLE);
    ui.Verify();
    EXPECT_TRUE(forOrders);
    EXPECT_FALSE(forAll);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->GetName().str(), "ORDERS");
}

// A user without the right to open sees why only after choosing, and the caller gets Cancel.
TEST_F(OpenPickersTest, AUserWithoutTheRightIsToldAndTheCallerGetsCancel)
{
    app.SetSecurityMask(1);
    ui.ExpectDialog(IDD_OPEN_SYSTEM).Press(VqsOpenPickerDlg::IDC_OPTIONS);
    ui.ExpectMessageBoxId(IDS_SECURITY_VIOLATION, IDOK);
    VqsModel model;
    PxVQSystemPtr chosen;
    EXPECT_EQ((Run<VqsOpenSystemDlg>(model, &VqsModel::LockSystemNode, System("SYS1"), chosen)), IDCANCEL);
    ui.Verify();
}
