#include "TreeViewTestFixture.h"

#include "shell/VqsSortBatch.h"
#include "support/ScriptedUiDriver.h"

#include <functional>
#include <string>
#include <vector>

using Rows = std::vector<std::string>;
using viewtest::ScriptItem;

namespace {

constexpr UINT ID_EXPAND = 32795;
constexpr UINT ID_COLLAPSE = 32798;

struct TreeItemTest : TreeViewTest {
    void SetUp() override
    {
        TreeViewTest::SetUp();
        script.children = {{"Root", {"Cust", "Acct", "Bill"}},
                           {"Acct", {"Ledger", "Journal"}},
                           {"Cust", {"Orders"}},
                           {"Orders", {"Lines"}}};
    }

    int CommandState(UINT id)
    {
        int enabled = 0;
        int checked = 0;
        view->GetCommandState(id, &enabled, &checked);
        return enabled;
    }
};

} // namespace

TEST_F(TreeItemTest, ExpandingAndCollapsingMakesTheChildrenAfresh)
{
    MakeRoot();
    EXPECT_EQ(root->GetState(), VqsTreeItem::Collapsed);
    Select(0);
    EXPECT_EQ(CommandState(ID_EXPAND), 1);
    EXPECT_EQ(CommandState(ID_COLLAPSE), 0);

    view->ExpandSelected();
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "  Bill", "  Cust"}));
    EXPECT_EQ(root->GetState(), VqsTreeItem::Expanded);
    EXPECT_EQ(Find("Acct")->GetState(), VqsTreeItem::Collapsed);
    EXPECT_EQ(Find("Bill")->GetState(), VqsTreeItem::Leaf);
    EXPECT_EQ(view->SelectedRow(), 0);
    EXPECT_EQ(CommandState(ID_EXPAND), 0);
    EXPECT_EQ(CommandState(ID_COLLAPSE), 1);
    const int firstAcct = Find("Acct")->serial;

    view->CollapseSelected();
    EXPECT_EQ(view->Rows(), (Rows{"Root"}));
    EXPECT_EQ(root->GetChildCount(), 0);
    EXPECT_EQ(root->GetState(), VqsTreeItem::Collapsed);

    view->ExpandSelected();
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "  Bill", "  Cust"}));
    EXPECT_GT(Find("Acct")->serial, firstAcct) << "the children are read again";
    EXPECT_EQ(script.fills["Root"], 2);

    Select(1);
    view->ExpandSelected();
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "    Journal", "    Ledger", "  Bill", "  Cust"}));
}

TEST_F(TreeItemTest, ExpandAndCollapseNeedOneSelectedItemInTheRightState)
{
    MakeRoot();
    Select(0);
    view->ExpandSelected();
    view->GetListCtrl().SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(CommandState(ID_EXPAND), 0);
    EXPECT_EQ(CommandState(ID_COLLAPSE), 0);
    view->CollapseSelected();
    view->ExpandSelected();
    EXPECT_EQ(view->Rows().size(), 4u) << "two selected rows: nothing happens";
    EXPECT_EQ(view->GetSelectedItem(), nullptr);

    Select(2); // Bill, a leaf
    EXPECT_EQ(CommandState(ID_EXPAND), 0);
    view->ExpandSelected();
    EXPECT_EQ(script.fills.count("Bill"), 0u);
}

TEST_F(TreeItemTest, AFailingExpansionKeepsTheStateAndSaysSo)
{
    MakeRoot();
    script.failing.insert("Root");
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot expand the node:\nThe repository is not available.", IDOK, "Wrenfield Error");
    Select(0);
    view->ExpandSelected();
    ui.Verify();
    EXPECT_EQ(root->GetState(), VqsTreeItem::Collapsed);
    EXPECT_EQ(view->Rows(), (Rows{"Root"}));
}

TEST_F(TreeItemTest, ExpandingABranchSortsOnceWhenTheOutermostBatchEnds)
{
    MakeRoot();
    root->ExpandBranch();
    EXPECT_EQ(view->sorts, 1);
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "    Journal", "    Ledger", "  Bill", "  Cust", "    Orders",
                                  "      Lines"}));
    EXPECT_EQ(Find("Cust/Orders")->GetState(), VqsTreeItem::Expanded);
    EXPECT_EQ(Find("Bill")->GetState(), VqsTreeItem::Leaf);
    EXPECT_TRUE(vqwin::IsRedrawOn(view->m_hWnd));
}

TEST_F(TreeItemTest, InsideABatchRowsAreAppendedUntilTheBatchSortsThem)
{
    MakeRoot();
    Select(0);
    view->ExpandSelected();
    view->sorts = 0;
    {
        VqsSortBatch outer(view);
        {
            VqsSortBatch inner(view);
            auto* child = new ScriptItem(script, "Aardvark", root.get());
            root->AddChild(child, TRUE);
            EXPECT_FALSE(VqsSortBatch::InsertInPlace(view));
            ASSERT_TRUE(child->InsertRow());
        }
        EXPECT_EQ(view->sorts, 0) << "the inner batch does not sort";
        EXPECT_EQ(view->Rows().back(), "  Aardvark");
        EXPECT_FALSE(vqwin::IsRedrawOn(view->m_hWnd));
    }
    EXPECT_EQ(view->sorts, 1);
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Aardvark", "  Acct", "  Bill", "  Cust"}));
    EXPECT_TRUE(VqsSortBatch::InsertInPlace(view));

    auto* late = new ScriptItem(script, "Bear", root.get());
    root->AddChild(late, TRUE);
    ASSERT_TRUE(late->InsertRow());
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Aardvark", "  Acct", "  Bear", "  Bill", "  Cust"}))
        << "outside a batch a row goes to its place";
}

TEST_F(TreeItemTest, RemovingTheOnlySelectedLastRowSelectsTheRowAbove)
{
    MakeRoot();
    Select(0);
    view->ExpandSelected();
    Select(3); // Cust, the last row
    root->RemoveChild(Find("Cust"));
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "  Bill"}));
    EXPECT_EQ(view->SelectedRow(), 2);

    Select(1); // Acct, not the last row: the row that takes its place is selected
    root->RemoveChild(Find("Acct"));
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Bill"}));
    EXPECT_EQ(view->SelectedRow(), 1);

    view->GetListCtrl().SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    root->RemoveChild(Find("Bill"));
    EXPECT_EQ(view->GetListCtrl().GetSelectedCount(), 1u) << "two rows were selected: nothing is reselected";
    EXPECT_EQ(root->GetState(), VqsTreeItem::Leaf) << "no child is left";
}

TEST_F(TreeItemTest, RemovingRowZeroWhenItIsTheOnlyRowSelectsNothing)
{
    MakeRoot();
    Select(0);
    root->RemoveRows(TRUE);
    EXPECT_EQ(view->GetListCtrl().GetItemCount(), 0);
    EXPECT_EQ(view->GetListCtrl().GetSelectedCount(), 0u);
    EXPECT_FALSE(root->IsListed());
}

TEST_F(TreeItemTest, StateChangesQueueTheExpandAndCollapseCommandsOnce)
{
    MakeRoot();
    vqwin::PumpPending();
    auto pendingUpdates = [&] {
        std::vector<WPARAM> ids;
        MSG msg;
        while (PeekMessage(&msg, frame->m_hWnd, VqsListFrame::WM_UPDATE_COMMANDS, VqsListFrame::WM_UPDATE_COMMANDS,
                           PM_REMOVE))
            ids.push_back(msg.wParam);
        return ids;
    };
    root->SetState(VqsTreeItem::Collapsed);
    EXPECT_TRUE(pendingUpdates().empty()) << "the same state queues nothing";
    root->SetState(VqsTreeItem::Expanded);
    root->SetState(VqsTreeItem::Collapsed);
    EXPECT_EQ(pendingUpdates(), (std::vector<WPARAM>{32795, 32797, 32798})) << "each id once until handled";
}

TEST_F(TreeItemTest, LevelsCountOnlyShownAncestors)
{
    MakeRoot();
    root->ExpandBranch();
    EXPECT_EQ(Find("Cust/Orders/Lines")->GetLevel(), 3);
    Find("Cust")->SetState(VqsTreeItem::Hidden);
    EXPECT_EQ(Find("Cust/Orders/Lines")->GetLevel(), 2);
    EXPECT_EQ(Find("Cust/Orders")->GetShownParent(), root.get());
    EXPECT_EQ(Find("Cust/Orders")->GetListedParent(), root.get());
    root->SetState(VqsTreeItem::Hidden);
    EXPECT_EQ(Find("Acct")->GetLevel(), 0) << "a child of a hidden top item";
    EXPECT_TRUE(root->IsAncestorOf(Find("Cust/Orders/Lines")));
    EXPECT_FALSE(Find("Acct")->IsAncestorOf(Find("Cust/Orders")));
}

TEST_F(TreeItemTest, AnExpandedItemWhoseChildrenAreAllHiddenIsCollapsedAgain)
{
    MakeRoot();
    root->ExpandBranch();
    ScriptItem* acct = Find("Acct");
    for (const char* name : {"Acct/Journal", "Acct/Ledger"}) {
        view->RemoveItem(Find(name));
        Find(name)->SetState(VqsTreeItem::Hidden);
    }
    acct->UpdateRow(TRUE);
    EXPECT_EQ(acct->GetState(), VqsTreeItem::Collapsed);
    EXPECT_EQ(root->GetState(), VqsTreeItem::Expanded);
}

TEST_F(TreeItemTest, ThePrefixSearchFillsUnexpandedBranches)
{
    MakeRoot();
    VqsTreeItem* found = root->FindByPrefix("lin", 3, FALSE);
    EXPECT_EQ(found, Find("Cust/Orders/Lines"));
    EXPECT_EQ(script.fills["Root"], 1);
    EXPECT_EQ(script.fills["Cust"], 1);
    EXPECT_EQ(view->Rows(), (Rows{"Root"})) << "filled without rows";
    EXPECT_EQ(root->FindByPrefix("zzz", 3, FALSE), nullptr);
    EXPECT_EQ(root->FindByPrefix("anything", 0, FALSE), root.get()) << "length 0 matches the first item";
    EXPECT_EQ(root->FindByPrefix("anything", 0, TRUE), Find("Cust")) << "the first child in list order";
}

TEST_F(TreeItemTest, TheInsertRowFollowsTheLastRowOfTheSubtreesBefore)
{
    MakeRoot();
    root->ExpandBranch();
    auto* item = new ScriptItem(script, "Box", root.get());
    root->AddChild(item, FALSE);
    EXPECT_EQ(root->FindInsertRow(item), 5) << "after Bill, before Cust";
    EXPECT_EQ(Find("Cust")->FindInsertRow(item), -1);
    EXPECT_EQ(root->FindSortedPosition(item), Find("Cust"));
    EXPECT_EQ(root->FindSortedPosition(Find("Cust")), nullptr);
    EXPECT_TRUE(Find("Cust")->IsLastChild());
    EXPECT_FALSE(Find("Acct")->IsLastChild());
    EXPECT_FALSE(root->IsLastChild());
}

TEST_F(TreeItemTest, AChildWhoseRowCannotBeMadeIsRemovedAndTheCallerStops)
{
    MakeRoot();
    root->ExpandBranch();
    ScriptItem* orders = Find("Cust/Orders");
    orders->RemoveRows(FALSE);
    orders->rowless = true;
    EXPECT_FALSE(orders->UpdateFromRoot());
    EXPECT_EQ(Find("Cust/Orders"), nullptr);
    EXPECT_EQ(Find("Cust")->GetState(), VqsTreeItem::Leaf);
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "    Journal", "    Ledger", "  Bill", "  Cust"}));
}

// Bringing rows up to date makes the rows the shown children lack, however a child came to lack
// its row.
TEST_F(TreeItemTest, UpdateMakesTheRowsItsShownChildrenLack)
{
    MakeRoot();
    root->ExpandBranch();
    const Rows all{"Root", "  Acct", "    Journal", "    Ledger", "  Bill", "  Cust", "    Orders", "      Lines"};
    Rows withDept = all;
    withDept.push_back("  Dept");
    const struct {
        const char* how;
        std::function<void()> loseRow;
        const Rows& rows;
    } cases[] = {
        {"its row removed", [&] { view->RemoveItem(Find("Bill")); }, all},
        {"its rows removed with it", [&] { Find("Cust/Orders/Lines")->RemoveRows(FALSE); }, all},
        {"hidden and shown again",
         [&] {
             view->RemoveItem(Find("Acct"));
             Find("Acct")->SetState(VqsTreeItem::Hidden);
             root->Update();
             Find("Acct")->SetState(VqsTreeItem::Expanded);
         },
         all},
        {"added without a row",
         [&] {
             script.children["Root"].push_back("Dept");
             root->FillChildren(0);
         },
         withDept},
    };
    for (const auto& c : cases) {
        c.loseRow();
        EXPECT_TRUE(Find("Cust/Orders")->UpdateFromRoot()) << c.how;
        EXPECT_EQ(view->Rows(), c.rows) << c.how;
    }
}

TEST_F(TreeItemTest, ChildrenNotInAListGoWithTheirRows)
{
    MakeRoot();
    root->ExpandBranch();
    CTypedPtrList<CObList, VqsTreeItem*> keep;
    keep.AddTail(Find("Bill"));
    root->RemoveChildrenNotIn(keep);
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Bill"}));
    EXPECT_EQ(root->GetChildCount(), 1);

    Find("Bill")->FocusRow();
    EXPECT_EQ(view->GetListCtrl().GetItemState(1, LVIS_FOCUSED), LVIS_FOCUSED);
    Find("Bill")->SelectExclusive();
    EXPECT_EQ(view->SelectedRow(), 1);
}

TEST_F(TreeItemTest, ABranchThatCannotBeFilledIsReportedByNameAndTheRestIsExpanded)
{
    MakeRoot();
    script.failing.insert("Orders");
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot expand the node Orders:\nThe repository is not available.", IDOK);
    root->ExpandBranch();
    ui.Verify();
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "    Journal", "    Ledger", "  Bill", "  Cust", "    Orders"}));
    EXPECT_EQ(Find("Cust/Orders")->GetState(), VqsTreeItem::Collapsed);
    EXPECT_EQ(view->sorts, 1);
}
