#include "ControlTestSupport.h"

#include "win/CTabCtrl.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

namespace {

constexpr int kTabId = 12320;

class TabCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tabs.Create(WS_VISIBLE, CRect(0, 0, 300, 200), &parent, kTabId));
        for (const char* caption : {"Environment", "Glimmerdesk", "Oracle"})
            tabs.InsertItem(tabs.GetItemCount(), caption);
        parent.Clear();
    }

    std::string Caption(int index) const
    {
        char text[32] = "";
        TCITEM item{TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
        tabs.GetItem(index, &item);
        return text;
    }

    ParentWnd parent;
    CTabCtrl tabs;
};

TEST_F(TabCtrlTest, TheFirstTabIsSelectedAndTheSelectionFollowsItsTab)
{
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_EQ(tabs.InsertItem(0, "Storage"), 0);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    EXPECT_EQ(Caption(1), "Environment");
    EXPECT_EQ(tabs.InsertItem(99, "Last"), 4) << "past the end goes to the end";
    EXPECT_EQ(tabs.SetCurSel(3), 1);
    EXPECT_EQ(tabs.SetCurSel(9), -1);
    EXPECT_EQ(tabs.GetCurSel(), 3);
    EXPECT_TRUE(tabs.DeleteItem(3));
    EXPECT_EQ(tabs.GetCurSel(), -1);
    EXPECT_TRUE(parent.notices.empty());
}

TEST_F(TabCtrlTest, ImagesAndValuesAreSetPerTab)
{
    TCITEM item{TCIF_IMAGE | TCIF_PARAM, 0, 0, nullptr, 0, 12, 0x77};
    ASSERT_TRUE(tabs.SetItem(1, &item));
    TCITEM read{TCIF_IMAGE | TCIF_PARAM | TCIF_TEXT, 0, 0, nullptr, 0, -1, 0};
    char text[4] = "";
    read.pszText = text;
    read.cchTextMax = sizeof text;
    ASSERT_TRUE(tabs.GetItem(1, &read));
    EXPECT_EQ(read.iImage, 12);
    EXPECT_EQ(read.lParam, 0x77);
    EXPECT_STREQ(text, "Gli") << "cut to the buffer";
    EXPECT_FALSE(tabs.GetItem(7, &read));

    auto images = reinterpret_cast<HIMAGELIST>(0x1C);
    EXPECT_EQ(tabs.SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images)), 0);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(tabs.SendMessage(TCM_GETIMAGELIST)), images);
}

TEST_F(TabCtrlTest, AUserChoiceIsAskedForAndThenAnnounced)
{
    bool refuse = true;
    parent.onNotify = [&](NMHDR* header) -> LRESULT { return header->code == TCN_SELCHANGING && refuse; };
    vqui::user::SelectIndex(tabs, 2);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    refuse = false;
    vqui::user::SelectIndex(tabs, 2);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_EQ(parent.Codes(kTabId), (std::vector<UINT>{TCN_SELCHANGING, TCN_SELCHANGING, TCN_SELCHANGE}));
    parent.Clear();
    vqui::user::SelectIndex(tabs, 2);
    EXPECT_TRUE(parent.notices.empty()) << "the selected tab again is no change";
    EXPECT_THROW(vqui::user::SelectIndex(tabs, 3), vqui::UserActionError);
}

} // namespace
