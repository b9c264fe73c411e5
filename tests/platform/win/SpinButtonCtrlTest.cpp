#include "ControlTestSupport.h"

#include "win/CEdit.h"
#include "win/CSpinButtonCtrl.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSpinId = 1059;

TEST(SpinButtonCtrlTest, AStepAsksTheParentWhichMayCorrectOrRefuseIt)
{
    ParentWnd parent;
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_VISIBLE, CRect(0, 0, 16, 20), &parent, kSpinId));
    spin.SetRange(65, 90);
    EXPECT_EQ(spin.GetPos(), 65) << "the position is kept within a new range";
    int lower = 0;
    int upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, 65);
    EXPECT_EQ(upper, 90);

    std::vector<std::pair<int, int>> asked;
    bool refuse = false;
    parent.onNotify = [&](NMHDR* header) -> LRESULT {
        auto* updown = reinterpret_cast<NMUPDOWN*>(header);
        EXPECT_EQ(header->code, UDN_DELTAPOS);
        asked.emplace_back(updown->iPos, updown->iDelta);
        if (updown->iPos + updown->iDelta > 90)
            updown->iDelta = 90 - updown->iPos;
        return refuse;
    };
    vqui::user::Spin(spin, 3);
    EXPECT_EQ(spin.GetPos(), 68);
    vqui::user::Spin(spin, -1);
    EXPECT_EQ(spin.GetPos(), 67);
    ASSERT_EQ(asked.size(), 4u);
    EXPECT_EQ(asked[0], std::make_pair(65, 1));
    EXPECT_EQ(asked[3], std::make_pair(68, -1));

    spin.SetPos(90);
    vqui::user::Spin(spin, 1);
    EXPECT_EQ(asked.back(), std::make_pair(90, 1)) << "the parent hears of a step at the end too";
    EXPECT_EQ(spin.GetPos(), 90);

    refuse = true;
    vqui::user::Spin(spin, -2);
    EXPECT_EQ(spin.GetPos(), 90);
}

TEST(SpinButtonCtrlTest, ABuddyShowsThePositionAndIsReadBack)
{
    ParentWnd parent;
    CEdit edit;
    edit.Create(WS_VISIBLE, CRect(0, 0, 60, 20), &parent, 1867);
    CSpinButtonCtrl spin;
    spin.Create(WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT, CRect(60, 0, 76, 20), &parent, 1868);
    EXPECT_EQ(spin.GetBuddy(), &edit);
    spin.SetRange32(0, 99999);
    parent.Clear();
    spin.SetPos32(12345);
    EXPECT_EQ(WindowText(edit), "12,345");
    EXPECT_EQ(parent.Codes(1867), (std::vector<UINT>{EN_UPDATE, EN_CHANGE}));

    vqui::user::ReplaceText(edit, "77");
    EXPECT_EQ(spin.GetPos32(), 77);
    vqui::user::Spin(spin, 1);
    EXPECT_EQ(WindowText(edit), "78");

    edit.SetWindowText("x");
    BOOL error = FALSE;
    EXPECT_EQ(spin.GetPos32(&error), 78);
    EXPECT_TRUE(error);
    EXPECT_NE(HIWORD(static_cast<DWORD>(spin.GetPos())), 0);

    spin.ModifyStyle(0, UDS_NOTHOUSANDS | UDS_WRAP);
    spin.SetPos32(99999);
    EXPECT_EQ(WindowText(edit), "99999");
    vqui::user::Spin(spin, 1);
    EXPECT_EQ(spin.GetPos32(), 0) << "a wrapping spin goes round";
}

TEST(SpinButtonCtrlTest, UpMovesTowardsTheUpperEndOfTheRange)
{
    ParentWnd parent;
    CSpinButtonCtrl spin;
    spin.Create(WS_VISIBLE, CRect(0, 0, 16, 20), &parent, kSpinId);
    int lower = 0;
    int upper = 0;
    spin.GetRange32(lower, upper);
    EXPECT_EQ(lower, 100);
    EXPECT_EQ(upper, 0);
    spin.SetPos(50);
    vqui::user::Spin(spin, 2);
    EXPECT_EQ(spin.GetPos(), 48);
}

} // namespace
