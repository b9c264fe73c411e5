#include "EditDialogTestSupport.h"

#include "config/VqsOptIspecBundleDlg.h"
#include "model/VqsModelNodeGroups.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "win/ListView.h"

#include <algorithm>

using edittest::EditDialogTest;

namespace {

constexpr UINT IDD_ISPEC_BUNDLE = 832;
constexpr UINT IDS_CANNOT_COLLECT_ISPECS = 61894;

struct IspecBundleDlgTest : EditDialogTest {
    void EditIspecs(const char* bundle)
    {
        VqsModel model;
        VqsLockBag bag(VqsReadLock);
        VqsModelNodeBundle* node = model.LockBundleNode(bag, Bundle(bundle));
        ASSERT_NE(node, nullptr);
        model.EditIspecBundle(bag, node);
    }

    // The long names in the list, sorted.
    std::vector<std::string> Rows(int listId) const
    {
        std::vector<std::string> rows;
        CListCtrl* list = static_cast<CListCtrl*>(CWnd::FromHandle(Control(IDD_ISPEC_BUNDLE, listId)));
        for (int row = 0; row < list->GetItemCount(); ++row)
            rows.push_back(list->GetItemText(row, 0).str());
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    int RowOf(int listId, const std::string& name) const
    {
        CListCtrl* list = static_cast<CListCtrl*>(CWnd::FromHandle(Control(IDD_ISPEC_BUNDLE, listId)));
        for (int row = 0; row < list->GetItemCount(); ++row) {
            if (list->GetItemText(row, 0).str() == name)
                return row;
        }
        return -1;
    }

    // The user selects the row of that name alone.
    std::function<void()> Pick(int listId, const std::string& name) const
    {
        return [this, listId, name] { vqui::user::SelectIndex(Control(IDD_ISPEC_BUNDLE, listId), RowOf(listId, name)); };
    }

    std::vector<std::string> Members(const char* bundle) const
    {
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        Bundle(bundle)->GetListOfIspecBundleData(entries);
        std::vector<std::string> names;
        const CList<PxVQIspecBundleDataPtr, const PxVQIspecBundleDataPtr&>& list = entries;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            names.push_back(list.GetNext(pos)->GetIspecInformation()->GetName().str());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string Names(const std::vector<std::string>& names) const
    {
        std::string text;
        for (const std::string& name : names)
            text += name + " ";
        return text;
    }
};

} // namespace

// A bundle holding every Ispec lists its entries and offers no move.
TEST_F(IspecBundleDlgTest, ABundleOfEveryIspecOffersNoMove)
{
    std::string available = "?";
    BOOL anyEnabled = TRUE;
    ui.ExpectDialog(IDD_ISPEC_BUNDLE)
        .Run([&] {
            available = Names(Rows(VqsOptIspecBundleDlg::IDC_AVAILABLE));
            anyEnabled = FALSE;
            for (int id : {VqsOptIspecBundleDlg::IDC_ADD, VqsOptIspecBundleDlg::IDC_ADD_ALL,
                           VqsOptIspecBundleDlg::IDC_REMOVE, VqsOptIspecBundleDlg::IDC_REMOVE_ALL})
                anyEnabled = anyEnabled || ::IsWindowEnabled(Control(IDD_ISPEC_BUNDLE, id));
        })
        .OK();
    EditIspecs("WEBALL");
    ui.Verify();
    EXPECT_EQ(available, "");
    EXPECT_FALSE(anyEnabled);
}

// Output-only Ispecs are never offered; a member taken out and another put in are stored.
TEST_F(IspecBundleDlgTest, MovesAreStoredOnOK)
{
    std::string available;
    std::string members;
    std::string counts;
    ui.ExpectDialog(IDD_ISPEC_BUNDLE)
        .Run([&] {
            available = Names(Rows(VqsOptIspecBundleDlg::IDC_AVAILABLE));
            members = Names(Rows(VqsOptIspecBundleDlg::IDC_MEMBERS));
        })
        .Run(Pick(VqsOptIspecBundleDlg::IDC_AVAILABLE, "NOTES of SALES"))
        .Wait()
        .Click(VqsOptIspecBundleDlg::IDC_ADD)
        .Run(Pick(VqsOptIspecBundleDlg::IDC_MEMBERS, "ORDER of SALES"))
        .Wait()
        .Click(VqsOptIspecBundleDlg::IDC_REMOVE)
        .Run([&] {
            counts = Text(IDD_ISPEC_BUNDLE, VqsOptIspecBundleDlg::IDC_AVAILABLE_COUNT) + "/" +
                     Text(IDD_ISPEC_BUNDLE, VqsOptIspecBundleDlg::IDC_MEMBER_COUNT);
        })
        .OK();
    EditIspecs("ORDERS");
    ui.Verify();
    EXPECT_EQ(members, "CUSTOMER of SALES ORDER of SALES ");
    EXPECT_EQ(available, "ENQUIRY of SALES EVENT of SALES NOTES of SALES ");
    EXPECT_EQ(counts, "3/2");
    EXPECT_EQ(Members("ORDERS"), (std::vector<std::string>{"CUSTOMER", "NOTES"}));
}

// An Ispec moved out and back in is written nothing for and keeps no lock.
TEST_F(IspecBundleDlgTest, AnIspecMovedOutAndBackIsLeftAlone)
{
    BOOL lockedAfterReturn = TRUE;
    ui.ExpectDialog(IDD_ISPEC_BUNDLE)
        .Run(Pick(VqsOptIspecBundleDlg::IDC_MEMBERS, "ORDER of SALES"))
        .Wait()
        .Click(VqsOptIspecBundleDlg::IDC_REMOVE)
        .Run(Pick(VqsOptIspecBundleDlg::IDC_AVAILABLE, "ORDER of SALES"))
        .Wait()
        .Click(VqsOptIspecBundleDlg::IDC_ADD)
        .Run([&] {
            lockedAfterReturn = OtherUser()->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()
                                    ->GetBSSoftLink("SALES")->GetElementSoftLink("ORDER")->IsLocked();
        })
        .OK();
    EditIspecs("ORDERS");
    ui.Verify();
    EXPECT_FALSE(lockedAfterReturn);
    EXPECT_EQ(Members("ORDERS"), (std::vector<std::string>{"CUSTOMER", "ORDER"}));
}

// Another user changed the membership after the dialog opened: the first move says the
// lists cannot be trusted and the dialog ends.
TEST_F(IspecBundleDlgTest, AMembershipChangedMeanwhileEndsTheDialogAtTheFirstMove)
{
    ui.ExpectDialog(IDD_ISPEC_BUNDLE)
        .Run([&] { AsOtherUser([](PxVQLink& other) {
            const PxVQBSSoftLinkPtr link = other.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()
                                               ->GetBSSoftLink("SALES");
            PxTypedList<PxVQBundlePtr> bundles;
            link->GetListOfBundles(bundles);
            PxTypedList<PxVQIspecSoftLinkPtr> ispecs;
            ispecs.AddTail(PxVQIspecSoftLinkPtr(link->GetElementSoftLink("EVENT")));
            bundles.GetTail()->AddIspecsToBundle(ispecs);
        }); })
        .Click(VqsOptIspecBundleDlg::IDC_REMOVE_ALL);
    ui.ExpectMessageBoxId(IDS_CANNOT_COLLECT_ISPECS, IDOK);
    EditIspecs("ORDERS");
    ui.Verify();
    EXPECT_EQ(Members("ORDERS"), (std::vector<std::string>{"CUSTOMER", "EVENT", "ORDER"}));
}

// Taking every member out deletes the bundle's entries; an element link marked unused that
// nothing else keeps goes with them once the change is committed, the others stay.
TEST_F(IspecBundleDlgTest, RemovingEveryMemberDeletesTheEntriesAndTheLinksNothingKeeps)
{
    app.GetLink()->BeginTransaction();
    SegmentLink()->GetElementSoftLink("ORDER")->SetUnusedMark(1);
    app.GetLink()->CommitTransaction();
    ui.ExpectDialog(IDD_ISPEC_BUNDLE).Click(VqsOptIspecBundleDlg::IDC_REMOVE_ALL).OK();
    EditIspecs("ORDERS");
    ui.Verify();
    EXPECT_TRUE(Members("ORDERS").empty());
    EXPECT_FALSE(Members("WEBALL").empty());
    const PxVQElementSoftLinkPtr order = SegmentLink()->GetElementSoftLink("ORDER");
    EXPECT_TRUE(!order || !order->ObjectPresent());
    EXPECT_TRUE(SegmentLink()->GetElementSoftLink("CUSTOMER"));
}

// A first move whose locks are refused moves nothing; the next move begins the edit again,
// with its locks and checks, and OK stores it.
TEST_F(IspecBundleDlgTest, AFirstMoveWhoseLockIsRefusedIsTriedAgainAtTheNext)
{
    std::string membersAfterRefusal;
    ui.ExpectDialog(IDD_ISPEC_BUNDLE)
        .Run([] { PxFaultInjection::RefuseLock("PxLink::LongReadLock", 2); })
        .Click(VqsOptIspecBundleDlg::IDC_REMOVE_ALL)
        .Run([&] { membersAfterRefusal = Names(Rows(VqsOptIspecBundleDlg::IDC_MEMBERS)); })
        .Click(VqsOptIspecBundleDlg::IDC_REMOVE_ALL)
        .OK();
    // The lock layer's own description of the refusal.
    ui.ExpectMessageBox("Cannot lock SALES business segment as it is currently locked by another user.\n"
                        "Please try again after some time.",
                        IDOK);
    EditIspecs("ORDERS");
    PxFaultInjection::Reset();
    ui.Verify();
    EXPECT_EQ(membersAfterRefusal, "CUSTOMER of SALES ORDER of SALES ");
    EXPECT_TRUE(Members("ORDERS").empty());
}
