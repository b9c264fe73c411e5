#include "support/ScopedResourceLibrary.h"
#include "support/TempDir.h"
#include "win/CDC.h"
#include "win/CImageList.h"
#include "win/CWnd.h"
#include "win/DisplayList.h"
#include "win/ImageList.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char* const kIcons = R"({
  "icons": {
    "106": {"width": 16, "height": 16, "fill": "#FFFF00"},
    "GO": {"width": 32, "height": 32, "fill": "#00FF00"}
  }
})";

struct IconTest : ::testing::Test {
    vqtest::TempDir root;
    std::unique_ptr<vqtest::ScopedResourceLibrary> library;

    void SetUp() override
    {
        root.Write("testres/icons.json", kIcons);
        library = std::make_unique<vqtest::ScopedResourceLibrary>("testres", root.Path());
    }
};

} // namespace

TEST_F(IconTest, AnIconOfTheLibraryIsOneSharedHandleByIdOrName)
{
    HICON still = LoadIcon(nullptr, MAKEINTRESOURCE(106));
    ASSERT_NE(still, nullptr);
    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(106)), still);
    EXPECT_NE(LoadIcon(nullptr, "GO"), nullptr);
    EXPECT_NE(LoadIcon(nullptr, "GO"), still);
    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(107)), nullptr);
    EXPECT_FALSE(DestroyIcon(still)) << "a shared icon stays";
    EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(106)), still);
}

TEST_F(IconTest, ALoadedIconDrawsAsItsResource)
{
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_COLOR, 0, 1));
    ASSERT_EQ(images.Add(LoadIcon(nullptr, MAKEINTRESOURCE(106))), 0);
    CDC screen;
    screen.Attach(GetDC(nullptr));
    ASSERT_TRUE(images.Draw(&screen, 0, CPoint(2, 3), ILD_NORMAL));
    ASSERT_EQ(screen.GetDisplayList()->Ops().size(), 1u);
    EXPECT_NE(vqwin::DisplayList::Describe(screen.GetDisplayList()->Ops()[0]).find("icon 106"), std::string::npos);
}

TEST_F(IconTest, AWindowKeepsABigAndASmallIcon)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, "Static", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    HICON still = LoadIcon(nullptr, MAKEINTRESOURCE(106));
    HICON go = LoadIcon(nullptr, "GO");
    EXPECT_EQ(window.GetIcon(TRUE), nullptr);
    EXPECT_EQ(window.SetIcon(still, TRUE), nullptr);
    EXPECT_EQ(window.SetIcon(go, FALSE), nullptr);
    EXPECT_EQ(window.GetIcon(TRUE), still);
    EXPECT_EQ(window.GetIcon(FALSE), go);
    EXPECT_EQ(window.SetIcon(go, TRUE), still) << "the previous icon";
    window.DestroyWindow();
}
