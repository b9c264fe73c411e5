#include "TreeViewTestFixture.h"

#include "support/ScriptedUiDriver.h"
#include "win/CFrameWnd.h"

#include <algorithm>
#include <string>
#include <vector>

using Rows = std::vector<std::string>;
using viewtest::ScriptItem;

namespace {

constexpr UINT ID_EDIT_FIND = 57636;
constexpr UINT ID_EDIT_REPEAT = 57640;
constexpr UINT kFindDialog = 143;
constexpr int kSearchTextEdit = 1403;

struct TreeRootTest : TreeViewTest {
    void SetUp() override
    {
        TreeViewTest::SetUp();
        script.children = {{"Root", {"Cust", "Acct", "Bill"}},
                           {"Acct", {"Ledger", "Journal"}},
                           {"Cust", {"Orders", "Contacts"}},
                           {"Orders", {"Lines"}}};
        MakeRoot();
        root->ExpandBranch();
    }

    // Runs the Find dialog as the user would, typing the text and pressing OK.
    void FindText(const char* text)
    {
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(kFindDialog).Replace(kSearchTextEdit, text).OK();
        view->SendMessage(WM_COMMAND, ID_EDIT_FIND);
        ui.Verify();
    }

    std::string SelectedText()
    {
        VqsTreeItem* item = view->GetSelectedItem();
        return item ? item->GetText() : "";
    }
};

} // namespace

TEST_F(TreeRootTest, AnItemSetAsRootHidesItsAncestorsAndTheirOtherChildren)
{
    ScriptItem* orders = Find("Cust/Orders");
    orders->SetAsRoot();
    EXPECT_EQ(view->Rows(), (Rows{"Orders", "  Lines"}));
    EXPECT_EQ(Find("Cust")->GetState(), VqsTreeItem::HiddenAboveRoot);
    EXPECT_EQ(root->GetState(), VqsTreeItem::HiddenAboveRoot);
    EXPECT_EQ(root->GetPinnedChild(), Find("Cust"));
    EXPECT_EQ(Find("Cust")->GetPinnedChild(), orders);
    EXPECT_EQ(root->GetChildCount(), 1);
    EXPECT_EQ(Find("Cust")->GetChildCount(), 1);

    orders->SetAsRoot();
    EXPECT_EQ(view->Rows(), (Rows{"Orders", "  Lines"})) << "pinning twice changes nothing";

    EXPECT_TRUE(root->MakeVisible());
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "  Bill", "  Cust", "    Contacts", "    Orders", "      Lines"}));
    EXPECT_EQ(root->GetPinnedChild(), nullptr);
    EXPECT_EQ(root->GetState(), VqsTreeItem::Expanded);
    EXPECT_EQ(Find("Cust")->GetState(), VqsTreeItem::Expanded);
    EXPECT_EQ(Find("Acct")->GetState(), VqsTreeItem::Collapsed);
}

TEST_F(TreeRootTest, MakingVisibleWithAFillThatFailsRestoresThePin)
{
    Find("Cust/Orders")->SetAsRoot();
    script.failing.insert("Root");
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Cannot make\nRoot\nvisible:\nThe repository is not available.", IDOK, "Wrenfield Error");
    EXPECT_FALSE(root->MakeVisible());
    ui.Verify();
    EXPECT_EQ(root->GetPinnedChild(), Find("Cust"));
    EXPECT_EQ(root->GetState(), VqsTreeItem::HiddenAboveRoot);
    EXPECT_FALSE(root->IsListed());
    EXPECT_EQ(view->Rows(), (Rows{"Cust", "  Contacts", "  Orders", "    Lines"}))
        << "the levels below the failing one were made visible";

    script.failing.clear();
    EXPECT_TRUE(root->MakeVisible());
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "  Bill", "  Cust", "    Contacts", "    Orders", "      Lines"}));
}

TEST_F(TreeRootTest, AHiddenItemWhosePinnedChildWentBecomesTheRootAndSaysSoInItsActiveFrame)
{
    Find("Cust/Orders")->SetAsRoot();
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Orders\nhas been deleted.\n\nCust\nbecomes a new root in the System Directory.", IDOK,
                        "Wrenfield Message");
    Find("Cust")->BecomeRoot();
    ui.Verify();
    EXPECT_EQ(view->Rows(), (Rows{"Cust"})) << "its other children went when Orders was pinned";
    EXPECT_EQ(Find("Cust")->GetState(), VqsTreeItem::Collapsed);
    EXPECT_EQ(Find("Cust")->GetPinnedChild(), nullptr);
    EXPECT_EQ(Find("Cust/Orders"), nullptr);
    EXPECT_EQ(root->GetPinnedChild(), Find("Cust")) << "the ancestors stay hidden above the new root";
}

TEST_F(TreeRootTest, ANewRootIsNotAnnouncedWhileAnotherFrameIsActive)
{
    CWnd otherHost;
    viewtest::ViewFrame* other = viewtest::MakeViewFrame(otherHost, 100, 100);
    ASSERT_NE(other, nullptr);
    frame->active = other;
    Find("Cust/Orders")->SetAsRoot();
    vqtest::ScriptedUiDriver ui;
    Find("Cust")->BecomeRoot();
    ui.Verify();
    EXPECT_TRUE(ui.Seen().empty());
    EXPECT_EQ(view->Rows(), (Rows{"Cust"}));
}

TEST_F(TreeRootTest, ANewRootIsAnnouncedWhenTheActiveFrameHoldsTheViewsFrame)
{
    auto* outer = new CFrameWnd;
    ASSERT_TRUE(outer->CreateEx(0, nullptr, "outer", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
    auto* inner = new viewtest::ViewFrame;
    ASSERT_TRUE(VqsCreateFrameOverHost(inner, outer->m_hWnd));
    inner->active = outer;
    auto* innerView = inner->Add(new viewtest::TreeView);
    ASSERT_NE(innerView, nullptr);
    innerView->ModifyStyle(0, LVS_REPORT | LVS_OWNERDRAWFIXED);
    ScriptItem top(script, "Root", nullptr, innerView);
    top.UpdateState();
    top.InsertRow();
    top.ExpandBranch();
    top.Child("Cust")->Child("Orders")->SetAsRoot();

    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Orders\nhas been deleted.\n\nCust\nbecomes a new root in the System Directory.", IDOK);
    top.Child("Cust")->BecomeRoot();
    ui.Verify();
    outer->DestroyWindow();
}

TEST_F(TreeRootTest, FindNextSearchesTheSubtreeThenTheFollowingSiblingsLevelByLevel)
{
    Select(0);
    FindText("li");
    EXPECT_EQ(SelectedText(), "Lines");

    Select(view->Rows().size() > 2 ? 2 : 0); // Journal
    ASSERT_EQ(SelectedText(), "Journal");
    FindText("b");
    EXPECT_EQ(SelectedText(), "Bill") << "the first sibling of the level above is searched too";

    Select(0);
    FindText("c");
    EXPECT_EQ(SelectedText(), "Cust");
    view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
    EXPECT_EQ(SelectedText(), "Contacts") << "the start item matched; its subtree is searched";
}

TEST_F(TreeRootTest, FindNextWrapsRoundOnceToTheTop)
{
    Select(static_cast<int>(view->Rows().size()) - 1); // Lines, the last row
    ASSERT_EQ(SelectedText(), "Lines");
    FindText("a");
    EXPECT_EQ(SelectedText(), "Acct") << "nothing after the start matched; the search went round to the top";

    FindText("r");
    EXPECT_EQ(SelectedText(), "Root") << "the top item itself is searched on the way round";
}

TEST_F(TreeRootTest, TheTreeSearchFillsBranchesAndOpensTheWayToWhatItFinds)
{
    Select(0);
    Find("Cust")->Collapse();
    ASSERT_EQ(view->Rows(), (Rows{"Root", "  Acct", "    Journal", "    Ledger", "  Bill", "  Cust"}));
    const int fills = script.fills["Orders"];
    FindText("LINES");
    EXPECT_EQ(script.fills["Orders"], fills + 1);
    EXPECT_EQ(view->Rows(), (Rows{"Root", "  Acct", "    Journal", "    Ledger", "  Bill", "  Cust", "    Contacts",
                                  "    Orders", "      Lines"}));
    EXPECT_EQ(SelectedText(), "Lines");
    EXPECT_EQ(Find("Cust")->GetState(), VqsTreeItem::Expanded);
}

TEST_F(TreeRootTest, ATreeSearchThatFindsNothingSaysSoAndKeepsTheSelection)
{
    Select(5); // Cust
    vqtest::ScriptedUiDriver ui;
    ui.ExpectDialog(kFindDialog).Replace(kSearchTextEdit, "Cust").OK();
    ui.ExpectMessageBox("Cannot find the node Cust", IDOK);
    view->SendMessage(WM_COMMAND, ID_EDIT_FIND);
    ui.Verify();
    EXPECT_EQ(SelectedText(), "Cust") << "the start item itself is never the answer";
    EXPECT_NE(vqui::Describe(vqui::Transcript().front()).find("\"Find \""), std::string::npos)
        << "a tree view's Find dialog names nothing";
}

// The user left Acct and Cust collapsed and Root expanded. A search reads the collapsed
// branches it passes and gives each back as it was, keeping only the way to what it found.
TEST_F(TreeRootTest, ATreeSearchGivesBackTheBranchesItOnlyPassedThrough)
{
    struct Case {
        const char* text;
        bool found;
        Rows rows;
    };
    const Case cases[] = {
        {"LINES", true, {"Root", "  Acct", "  Bill", "  Cust", "    Contacts", "    Orders", "      Lines"}},
        {"Nothing", false, {"Root", "  Acct", "  Bill", "  Cust"}},
    };
    for (const Case& c : cases) {
        Find("Acct")->Collapse();
        Find("Cust")->Collapse();
        Select(0);
        vqtest::ScriptedUiDriver ui;
        ui.ExpectDialog(kFindDialog).Replace(kSearchTextEdit, c.text).OK();
        if (!c.found)
            ui.ExpectMessageBox(std::string("Cannot find the node ") + c.text, IDOK);
        view->SendMessage(WM_COMMAND, ID_EDIT_FIND);
        ui.Verify();
        EXPECT_EQ(view->Rows(), c.rows) << c.text;
        EXPECT_EQ(SelectedText(), c.found ? "Lines" : "Root") << c.text;
        EXPECT_EQ(root->GetState(), VqsTreeItem::Expanded) << c.text;
        EXPECT_EQ(Find("Acct")->GetState(), VqsTreeItem::Collapsed) << c.text << ": passed, as the user left it";
        EXPECT_EQ(Find("Acct")->GetChildCount(), 0) << c.text << ": what the search read of it is given back";
        EXPECT_EQ(Find("Cust")->GetState(), c.found ? VqsTreeItem::Expanded : VqsTreeItem::Collapsed) << c.text;
    }
}

namespace {

constexpr int kSiblings = 100;

// A hundred leaves under the top item: "Item 000" listed first, the others after it in the
// reverse of their order.
struct ManySiblingsTest : TreeRootTest {
    void SetUp() override
    {
        TreeViewTest::SetUp();
        std::vector<std::string>& items = script.children["Root"];
        items.push_back("Item 000");
        for (int number = kSiblings - 1; number > 0; --number)
            items.push_back("Item " + std::string(number < 10 ? "00" : "0") + std::to_string(number));
        MakeRoot();
        root->Expand();
    }
};

} // namespace

// Each press steps to the next sibling in the order of the tree from the order kept of the
// siblings, rather than comparing it with every sibling, and sorts no rows when it inserted none.
TEST_F(ManySiblingsTest, EachPressOfFindNextComparesAFewItemsWhateverTheSiblingsAndSortsNoRows)
{
    Select(0);
    FindText("Item");
    ASSERT_EQ(SelectedText(), "Item 000");
    const int sorts = view->sorts;
    view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
    ASSERT_EQ(SelectedText(), "Item 001");
    int mostComparisons = 0;
    for (int number = 2; number < kSiblings; ++number) {
        const int before = script.comparisons;
        view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
        mostComparisons = std::max(mostComparisons, script.comparisons - before);
        ASSERT_EQ(SelectedText(), "Item " + std::string(number < 10 ? "00" : "0") + std::to_string(number));
    }
    EXPECT_LE(mostComparisons, 2);
    EXPECT_EQ(view->sorts, sorts);
}

// A sibling renamed between two presses takes its new place in the order the presses follow.
TEST_F(ManySiblingsTest, APressAfterASiblingWasRenamedFollowsItsNewPlace)
{
    Select(0);
    FindText("Item");
    view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
    ASSERT_EQ(SelectedText(), "Item 001");
    ScriptItem* renamed = Find("Item 050");
    renamed->name = "Item 0015";
    renamed->SiblingOrderChanged();
    view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
    EXPECT_EQ(SelectedText(), "Item 0015");
    view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
    EXPECT_EQ(SelectedText(), "Item 002");
}
