#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CImageList.h"
#include "win/CListCtrl.h"
#include "win/DisplayList.h"

#include "ListCtrlTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vqwin::DisplayList;
using vqwin::DisplayOp;

namespace {

// Draws each row as the views do: a fill, then the text of every column.
class DrawnList : public CListCtrl {
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        CDC* dc = CDC::FromHandle(item->hDC);
        const bool selected = (item->itemState & ODS_SELECTED) != 0;
        dc->FillSolidRect(&item->rcItem, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc->TextOut(item->rcItem.left + 2, item->rcItem.top, GetItemText(static_cast<int>(item->itemID), 0));
        rows.push_back(static_cast<int>(item->itemID));
        states.push_back(item->itemState);
    }
    std::vector<int> rows;
    std::vector<UINT> states;
};

std::vector<std::string> Texts(HWND window)
{
    std::vector<std::string> texts;
    for (const DisplayOp& op : vqwin::GetWindowDisplayList(window)->Ops()) {
        if (op.kind == DisplayOp::Kind::Text)
            texts.push_back(op.text);
    }
    return texts;
}

} // namespace

TEST(ListCtrlPaintTest, OwnerDrawnRowsAreMeasuredAgainAfterEverySizeChange)
{
    ListParent parent;
    parent.CreateTop();
    parent.rowHeight = 24;
    DrawnList list;
    list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS, CRect(0, 0, 200, 110), &parent, 9);
    EXPECT_EQ(parent.measured, 1); // as the control got its size
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 150);
    for (int i = 0; i < 10; ++i)
        list.InsertItem(i, ("row " + std::to_string(i)).c_str());
    EXPECT_EQ(list.GetCountPerPage(), 3); // (110 - 20) / 24

    parent.rowHeight = 30; // a new font: nothing asks until the size changes
    list.SetFont(CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
    EXPECT_EQ(parent.measured, 1);
    CRect rect;
    list.GetWindowRect(&rect);
    list.SetWindowPos(nullptr, 0, 0, rect.Width() - 2, rect.Height() - 2, SWP_NOMOVE | SWP_NOZORDER);
    list.SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(parent.measured, 3);
    CRect row;
    list.GetItemRect(1, &row, LVIR_BOUNDS);
    EXPECT_EQ(row.Height(), 30);

    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    list.EnsureVisible(1, FALSE);
    list.UpdateWindow();
    EXPECT_EQ(list.rows, (std::vector<int>{0, 1, 2, 3})); // three whole rows and a part of the fourth
    EXPECT_EQ(list.states[1], ODS_SELECTED);              // shown selected without the focus
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"row 0", "row 1", "row 2", "row 3"}));
    const DisplayList& drawn = *vqwin::GetWindowDisplayList(list);
    EXPECT_EQ(drawn.FindText("row 1")->color, GetSysColor(COLOR_HIGHLIGHTTEXT));
}

TEST(ListCtrlPaintTest, AParentThatDrawsGetsEachRowWithItsData)
{
    struct DrawingParent : ListParent {
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_DRAWITEM) {
                const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
                drawn.push_back({item->CtlType, item->itemID, item->itemData, item->rcItem});
                return TRUE;
            }
            return ListParent::WindowProc(message, wParam, lParam);
        }
        struct Row {
            UINT type;
            UINT id;
            ULONG_PTR data;
            RECT rect;
        };
        std::vector<Row> drawn;
    } parent;
    parent.CreateTop();
    CListCtrl list;
    list.Create(WS_VISIBLE | LVS_REPORT | LVS_OWNERDRAWFIXED, CRect(0, 0, 200, 100), &parent, 9);
    list.InsertColumn(0, "A", LVCFMT_LEFT, 70);
    list.InsertColumn(1, "B", LVCFMT_LEFT, 50);
    list.InsertItem(LVIF_TEXT | LVIF_PARAM, 0, "x", 0, 0, 0, 0x55);
    list.UpdateWindow();
    ASSERT_EQ(parent.drawn.size(), 1u);
    EXPECT_EQ(parent.drawn[0].type, ODT_LISTVIEW);
    EXPECT_EQ(parent.drawn[0].data, 0x55u);
    EXPECT_EQ(CRect(parent.drawn[0].rect), CRect(0, 20, 120, 38));
}

TEST(ListCtrlPaintTest, CustomDrawChoosesColoursAndFontsPerCell)
{
    ListFixture f;
    f.AddRows({"ORDERS", "CUSTOMER"});
    f.list.SetItemText(0, 1, "Report");
    f.list.SetItemText(1, 1, "Ispec");
    CFont bold;
    LOGFONT font{};
    GetObject(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    bold.CreateFontIndirect(&font);
    std::vector<DWORD> stages;
    f.parent.customDraw = [&](NMLVCUSTOMDRAW& draw) -> LRESULT {
        stages.push_back(draw.nmcd.dwDrawStage);
        switch (draw.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            return CDRF_NOTIFYSUBITEMDRAW;
        case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
            draw.clrText = draw.nmcd.dwItemSpec == 1 && draw.iSubItem == 1 ? RGB(128, 128, 128) : RGB(0, 0, 0);
            if (draw.iSubItem == 0) {
                CDC::FromHandle(draw.nmcd.hdc)->SelectObject(&bold);
                return CDRF_NEWFONT;
            }
            return CDRF_DODEFAULT;
        default:
            return CDRF_DODEFAULT;
        }
    };
    f.list.UpdateWindow();
    const DisplayList& drawn = *vqwin::GetWindowDisplayList(f.list);
    ASSERT_NE(drawn.FindText("Ispec"), nullptr);
    EXPECT_EQ(drawn.FindText("Ispec")->color, RGB(128, 128, 128));
    EXPECT_EQ(drawn.FindText("Report")->color, RGB(0, 0, 0));
    EXPECT_EQ(drawn.FindText("CUSTOMER")->font.weight, FW_BOLD);
    EXPECT_EQ(drawn.FindText("Report")->font.weight, FW_NORMAL); // the list's own font again
    EXPECT_EQ(stages.size(), 1u + 2 * (1 + 3));
}

TEST(ListCtrlPaintTest, RowsShowTheirImagesOverlaysAndStateImages)
{
    ListFixture f(LVS_REPORT | LVS_SHAREIMAGELISTS);
    HBITMAP strip = vqwin::CreateLabelledBitmap(64, 16, "bitmap 191");
    CImageList images;
    images.Create(16, 16, ILC_MASK, 0, 1);
    ImageList_AddMasked(images, strip, RGB(128, 0, 128));
    images.SetOverlayImage(3, 1);
    CImageList checks;
    checks.Create(16, 16, 0, 0, 1);
    ImageList_Add(checks, strip, nullptr);
    f.list.SetImageList(&images, LVSIL_SMALL);
    f.list.SetImageList(&checks, LVSIL_STATE);
    f.list.InsertItem(0, "first", 2);
    f.list.SetItemState(0, INDEXTOOVERLAYMASK(1) | INDEXTOSTATEIMAGEMASK(2), LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK);
    f.list.UpdateWindow();
    std::vector<std::string> images_drawn;
    for (const DisplayOp& op : vqwin::GetWindowDisplayList(f.list)->Ops()) {
        if (op.kind == DisplayOp::Kind::Image)
            images_drawn.push_back(DisplayList::Describe(op));
    }
    EXPECT_EQ(images_drawn,
              (std::vector<std::string>{"image \"bitmap 191\" (16,0)-(32,16) to (0,21)-(16,37)",
                                        "image \"bitmap 191\" (32,0)-(48,16) to (16,21)-(32,37) mask #800080",
                                        "image \"bitmap 191\" (48,0)-(64,16) to (16,21)-(32,37) mask #800080"}));
    DeleteObject(strip);
}
