#include "TreeViewTestFixture.h"

#include "shell/VqsSortBatch.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/DisplayList.h"

#include <algorithm>
#include <string>
#include <vector>

using viewtest::ScriptItem;
using vqwin::DisplayOp;

namespace {

// Item bitmaps are bitmap 130 of the module's library: 16 by 16.
constexpr int kBitmap = 16;
constexpr int kRowHeight = 18;

struct TreeViewDrawTest : TreeViewTest {
    void SetUp() override
    {
        TreeViewTest::SetUp();
        script.children = {{"Root", {"Cust", "Acct", "Bill"}}, {"Acct", {"Ledger"}}, {"Cust", {"Orders"}}};
        script.bitmaps = {"Root", "Cust", "Acct", "Bill", "Ledger"};
        MakeRoot();
        Select(0);
        view->ExpandSelected();
        Select(1);
        view->ExpandSelected(); // Root, Acct, Ledger, Bill, Cust
    }

    CRect RowRect(int row)
    {
        CRect rect;
        view->GetListCtrl().GetItemRect(row, &rect, LVIR_BOUNDS);
        return rect;
    }

    const vqwin::DisplayList& Paint()
    {
        view->Invalidate();
        view->UpdateWindow();
        return *vqwin::GetWindowDisplayList(view->m_hWnd);
    }

    // The lines drawn in the row, relative to its top-left corner.
    std::vector<std::string> LinesOf(int row)
    {
        const CRect rect = RowRect(row);
        std::vector<std::string> lines;
        for (const DisplayOp& op : Paint().Ops()) {
            if (op.kind != DisplayOp::Kind::Line || op.from.y < rect.top || op.from.y >= rect.bottom)
                continue;
            lines.push_back(Point(op.from.x - rect.left, op.from.y - rect.top) + "-" +
                            Point(op.to.x - rect.left, op.to.y - rect.top));
        }
        return lines;
    }

    const DisplayOp* TextOf(const char* text) { return Paint().FindText(text); }

    // The rows whose line to their parent ends at the row's middle, as a last child's does.
    std::vector<std::string> RowsDrawnAsLastChildren()
    {
        const vqwin::DisplayList& drawn = Paint();
        std::vector<std::string> rows;
        for (int row = 0; row < view->GetListCtrl().GetItemCount(); ++row) {
            const CRect rect = RowRect(row);
            const DisplayOp* connecting = nullptr;
            for (const DisplayOp& op : drawn.Ops()) {
                if (op.kind == DisplayOp::Kind::Line && op.from.y == rect.top && op.from.x == op.to.x)
                    connecting = &op;
            }
            if (connecting && connecting->to.y == rect.top + kRowHeight / 2)
                rows.push_back(view->GetItem(row)->GetText());
        }
        return rows;
    }

    static std::string Point(long x, long y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }
};

} // namespace

TEST_F(TreeViewDrawTest, RowsAreAsHighAsTheTreeBitmapAndTheFontAllow)
{
    EXPECT_EQ(RowRect(1).Height(), kRowHeight);
    RECT button;
    ASSERT_TRUE(view->GetButtonRect(Find("Acct/Ledger"), &button));
    EXPECT_EQ(CRect(button), CRect(2 * kBitmap + 2, 1, 3 * kBitmap + 2, 1 + kBitmap));
    script.bitmaps.erase("Bill");
    EXPECT_FALSE(view->GetButtonRect(Find("Bill"), &button));
}

TEST_F(TreeViewDrawTest, MarksShowWhatAnItemCanDo)
{
    // The mark sits a fifth of the bitmap right of its centre: x = 10 + 3 at level 0.
    EXPECT_EQ(LinesOf(0), (std::vector<std::string>{"(11,9)-(16,9)"})) << "expanded: a minus";
    EXPECT_EQ(LinesOf(4), (std::vector<std::string>{"(27,9)-(32,9)", "(29,7)-(29,12)", "(10,9)-(16,9)",
                                                    "(10,0)-(10,9)"}))
        << "collapsed: a plus; the last child's line ends at the bitmap's middle";
    EXPECT_EQ(LinesOf(3), (std::vector<std::string>{"(10,9)-(16,9)", "(10,0)-(10,18)"}))
        << "a leaf has no mark; a child before the last continues the line to the row's bottom";
}

TEST_F(TreeViewDrawTest, TreeLinesRunThroughTheLevelsOfTheAncestorsThatHaveSiblingsBelow)
{
    EXPECT_EQ(LinesOf(2), (std::vector<std::string>{"(10,0)-(10,18)", "(26,9)-(32,9)", "(26,0)-(26,9)"}))
        << "Ledger: Acct's line goes on below it, its own line from Acct ends at its middle";
    CList<int, int> levels;
    Find("Acct/Ledger")->GetLineLevels(levels);
    EXPECT_EQ(levels.GetCount(), 2);

    Select(4);
    view->ExpandSelected(); // Cust's Orders, below the last child
    CList<int, int> below;
    Find("Cust/Orders")->GetLineLevels(below);
    ASSERT_EQ(below.GetCount(), 1);
    EXPECT_EQ(below.GetHead(), 1) << "no line runs on below the last child";
}

TEST_F(TreeViewDrawTest, TheLastChildEndsItsLineAsChildrenComeGoAndAreSortedAnew)
{
    using Texts = std::vector<std::string>;
    EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Ledger", "Cust"}));

    script.children["Root"].push_back("Dept");
    root->FillChildren(1);
    EXPECT_EQ(view->Rows(), (Texts{"Root", "  Acct", "    Ledger", "  Bill", "  Cust", "  Dept"}));
    EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Ledger", "Dept"})) << "a child inserted after the last";

    root->RemoveChild(Find("Dept"));
    EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Ledger", "Cust"})) << "the last child removed";

    script.children["Acct"].push_back("Journal");
    {
        VqsSortBatch batch(view);
        Find("Acct")->FillChildren(1);
    }
    EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Ledger", "Cust"})) << "a child inserted before the last";

    {
        VqsSortBatch batch(view);
        Find("Bill")->name = "Zone";
        Find("Zone")->SiblingOrderChanged();
    }
    EXPECT_EQ(view->Rows(), (Texts{"Root", "  Acct", "    Journal", "    Ledger", "  Cust", "  Zone"}));
    EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Ledger", "Zone"})) << "a child renamed and sorted to the end";
}

TEST_F(TreeViewDrawTest, ExpandingCollapsingAndExpandingAgainDrawsTheNewChildrensLines)
{
    using Texts = std::vector<std::string>;
    for (int round = 0; round < 2; ++round) {
        Select(0);
        view->CollapseSelected();
        EXPECT_EQ(RowsDrawnAsLastChildren(), Texts{});
        view->ExpandSelected();
        EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Cust"})) << "round " << round;
        Select(1);
        view->ExpandSelected();
        EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Ledger", "Cust"})) << "round " << round;
    }
}

TEST_F(TreeViewDrawTest, ChildrenOfAHiddenChildAreLastChildrenInItsPlace)
{
    using Texts = std::vector<std::string>;
    script.children["Cust"] = {"Orders", "Invoices"};
    Select(4);
    view->ExpandSelected();
    ScriptItem* cust = Find("Cust");
    view->RemoveItem(cust);
    cust->SetState(VqsTreeItem::Hidden);
    EXPECT_EQ(view->Rows(), (Texts{"Root", "  Acct", "    Ledger", "  Bill", "  Invoices", "  Orders"}));
    EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Ledger", "Orders"}));

    view->RemoveItem(Find("Acct"));
    Find("Acct")->SetState(VqsTreeItem::Hidden);
    EXPECT_EQ(RowsDrawnAsLastChildren(), (Texts{"Orders"})) << "Ledger is now a child of Root before Orders";
}

TEST_F(TreeViewDrawTest, TheBitmapTextAndColoursOfARow)
{
    const CRect row = RowRect(1);
    const vqwin::DisplayList& drawn = Paint();
    const DisplayOp* text = drawn.FindText("Acct");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->rect.left, row.left + 2 * kBitmap + 2 + 4 + 2);
    EXPECT_TRUE(text->tabbed);
    EXPECT_EQ(text->tabOrigin, text->rect.left);
    EXPECT_EQ(text->color, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(text->background, GetSysColor(COLOR_HIGHLIGHT)) << "selected in the current view";
    const auto bitmap = std::find_if(drawn.Ops().begin(), drawn.Ops().end(), [&](const DisplayOp& op) {
        return op.kind == DisplayOp::Kind::Image && op.rect.top >= row.top && op.rect.top < row.bottom;
    });
    ASSERT_NE(bitmap, drawn.Ops().end());
    EXPECT_EQ(bitmap->image, "bitmap 130");
    EXPECT_EQ(bitmap->rect, CRect(row.left + kBitmap + 2, row.top + 1, row.left + 2 * kBitmap + 2, row.top + 17));
    EXPECT_EQ(bitmap->rop, SRCCOPY);
    EXPECT_EQ(TextOf("Bill")->color, GetSysColor(COLOR_WINDOWTEXT));

    frame->current = nullptr;
    EXPECT_EQ(TextOf("Acct")->background, GetSysColor(COLOR_GRAYTEXT)) << "selected in another pane";
}

TEST_F(TreeViewDrawTest, ARowWithoutBitmapOrImageStartsAtTheLeftEdge)
{
    script.bitmaps.clear();
    const CRect row = RowRect(4);
    EXPECT_EQ(TextOf("Cust")->rect.left, row.left + 2);
    // The mark is centred at x = 8, the line to the parent at x = 10.
    EXPECT_EQ(LinesOf(4), (std::vector<std::string>{"(6,9)-(11,9)", "(8,7)-(8,12)", "(10,9)-(-2,9)",
                                                    "(10,0)-(10,9)"}));
}

TEST_F(TreeViewDrawTest, AnObjectImageGoesAfterTheBitmapOrIndentedByTheImageWidth)
{
    script.images = {"Acct", "Bill"};
    script.bitmaps.erase("Bill");
    const CRect acct = RowRect(1);
    const CRect bill = RowRect(3);
    const vqwin::DisplayList& drawn = Paint();
    EXPECT_EQ(drawn.FindText("Acct")->rect.left, acct.left + 2 * kBitmap + 2 + 4 + 16 + 2 + 2);
    EXPECT_EQ(drawn.FindText("Bill")->rect.left, bill.left + 16 + 16 + 2 + 2);
    std::vector<CRect> images;
    for (const DisplayOp& op : drawn.Ops()) {
        if (op.kind == DisplayOp::Kind::Image && op.image == "bitmap 191")
            images.push_back(op.rect);
    }
    ASSERT_EQ(images.size(), 2u);
    EXPECT_EQ(images[0].left, acct.left + 2 * kBitmap + 2 + 4);
    EXPECT_EQ(images[1].left, bill.left + 16);
}

TEST_F(TreeViewDrawTest, FurtherColumnsHaveTheirOwnCellsAndTabStops)
{
    script.columns["Bill"] = {"Invoice\tdue", "Finance"};
    host.DestroyWindow();
    root.reset();
    frame = viewtest::MakeViewFrame(host, 300, 200);
    MakeView(3);
    MakeRoot();
    Select(0);
    view->ExpandSelected();
    const CRect row = RowRect(2);
    const vqwin::DisplayList& drawn = Paint();
    const DisplayOp* kind = drawn.FindText("Invoice");
    ASSERT_NE(kind, nullptr);
    const int second = view->GetListCtrl().GetColumnWidth(0);
    EXPECT_EQ(kind->rect.left, row.left + second + 2);
    EXPECT_EQ(kind->tabOrigin, row.left + second + 2);
    ASSERT_EQ(kind->runs.size(), 2u);
    EXPECT_EQ(drawn.FindText("Finance")->rect.left, row.left + second + view->GetListCtrl().GetColumnWidth(1) + 2);
    EXPECT_EQ(view->GetColumnText(Find("Bill"), 2), "Finance");
    EXPECT_EQ(view->GetColumnText(Find("Acct"), 1), "");
}

TEST_F(TreeViewDrawTest, TheSpecialColourGivesWayWhereItWouldVanishOnTheSelection)
{
    app.SetSystemColor(RGB(0, 0, 255));
    script.special = {"Acct", "Bill"};
    EXPECT_EQ(TextOf("Bill")->color, RGB(0, 0, 255));
    EXPECT_EQ(TextOf("Acct")->color, RGB(0, 0, 255)) << "selected, and the colour differs from the highlight";
    app.SetSystemColor(GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(TextOf("Acct")->color, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(TextOf("Bill")->color, GetSysColor(COLOR_HIGHLIGHT)) << "not selected: the colour as it is";
}

TEST_F(TreeViewDrawTest, WidthsCoverTheIndentTheBitmapAndTheText)
{
    CClientDC dc(view);
    CFont* font = frame->GetFont();
    dc.SelectObject(font);
    const int text = dc.GetTextExtent("Ledger").cx;
    EXPECT_EQ(Find("Acct/Ledger")->MeasureWidth(0, &dc, font), 3 * kBitmap + 6 + 2 + text);
    EXPECT_EQ(Find("Acct/Ledger")->MeasureWidth(1, &dc, font), -1) << "no text for that column";
    script.bitmaps.erase("Ledger");
    script.images.insert("Ledger");
    EXPECT_EQ(Find("Acct/Ledger")->MeasureWidth(0, &dc, font), 2 * 16 + 16 + 2 + 2 + text);
}
