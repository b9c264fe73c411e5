#include "win/Bitmaps.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CImageList.h"
#include "win/DisplayList.h"

#include "support/ScopedResourceLibrary.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// 191: nine 16-pixel images, the last three of them overlays; 181: six 24 x 16 images.
const char* const kBitmaps = R"({
  "bitmaps": {
    "191": {"width": 144, "height": 16, "fill": "#800080"},
    "181": {"width": 150, "height": 16, "fill": "#FFFFFF"},
    "NAV": {"width": 48, "height": 16, "fill": "#C0C0C0"}
  }
})";

constexpr COLORREF kMask = RGB(128, 0, 128);

struct ImageListTest : ::testing::Test {
    vqtest::TempDir root;
    std::unique_ptr<vqtest::ScopedResourceLibrary> library;
    CDC screen;

    void SetUp() override
    {
        root.Write("testres/bitmaps.json", kBitmaps);
        library = std::make_unique<vqtest::ScopedResourceLibrary>("testres", root.Path());
        screen.Attach(GetDC(nullptr));
    }

    // Each drawn image operation, one line per layer.
    std::vector<std::string> Drawn()
    {
        std::vector<std::string> lines;
        for (const vqwin::DisplayOp& op : screen.GetDisplayList()->Ops())
            lines.push_back(vqwin::DisplayList::Describe(op));
        screen.GetDisplayList()->Clear();
        return lines;
    }

    // The application's object image list: overlays from images 6-8, then a composite icon
    // for every base image 0-5 with every overlay 1-3.
    static void BuildObjectImages(CImageList& images)
    {
        ASSERT_TRUE(images.Create(191, 16, 0, kMask));
        for (int overlay = 1; overlay <= 3; ++overlay)
            ASSERT_TRUE(images.SetOverlayImage(5 + overlay, overlay));
        for (int base = 0; base <= 5; ++base) {
            for (UINT overlay = 1; overlay <= 3; ++overlay) {
                HICON icon = ImageList_GetIcon(images, base, ILD_NORMAL | INDEXTOOVERLAYMASK(overlay));
                ASSERT_NE(icon, nullptr);
                images.Add(icon);
                DestroyIcon(icon);
            }
        }
    }

    static int ComputeImageIndex(int base, int variant) { return variant ? variant + base * 3 + 8 : base; }
};

} // namespace

TEST_F(ImageListTest, TheObjectImageCompositeForBaseTwoAndOverlayOneIsIndexFifteen)
{
    CImageList images;
    BuildObjectImages(images);
    EXPECT_EQ(images.GetImageCount(), 27);
    EXPECT_EQ(ComputeImageIndex(2, 1), 15);
    images.Draw(&screen, 15, CPoint(4, 2), ILD_NORMAL);
    EXPECT_EQ(Drawn(),
              (std::vector<std::string>{"image \"bitmap 191\" (32,0)-(48,16) to (4,2)-(20,18) mask #800080",
                                        "image \"bitmap 191\" (96,0)-(112,16) to (4,2)-(20,18) mask #800080"}));
    auto slice = [](int image) { return std::string("(").append(std::to_string(16 * image)).append(",0)"); };
    for (int base = 0; base <= 5; ++base) {
        for (int variant = 1; variant <= 3; ++variant) {
            images.Draw(&screen, ComputeImageIndex(base, variant), CPoint(0, 0), ILD_NORMAL);
            const std::vector<std::string> drawn = Drawn();
            ASSERT_EQ(drawn.size(), 2u);
            EXPECT_NE(drawn[0].find(slice(base)), std::string::npos) << drawn[0];
            EXPECT_NE(drawn[1].find(slice(5 + variant)), std::string::npos) << drawn[1];
        }
    }
}

TEST_F(ImageListTest, OverlaysAndSelectionAreDrawnFromTheStyle)
{
    CImageList images;
    BuildObjectImages(images);
    images.Draw(&screen, 3, CPoint(0, 0), ILD_SELECTED | INDEXTOOVERLAYMASK(2));
    EXPECT_EQ(Drawn(), (std::vector<std::string>{
                           "image \"bitmap 191\" (48,0)-(64,16) to (0,0)-(16,16) mask #800080 blend 50%",
                           "image \"bitmap 191\" (112,0)-(128,16) to (0,0)-(16,16) mask #800080 blend 50%"}));
    EXPECT_FALSE(images.Draw(&screen, 27, CPoint(0, 0), ILD_NORMAL));
    images.Draw(&screen, 0, CPoint(0, 0), INDEXTOOVERLAYMASK(9)); // an overlay that was never set
    EXPECT_EQ(Drawn().size(), 1u);
}

TEST_F(ImageListTest, ADuplicateKeepsImagesAndOverlaysAndLivesOnItsOwn)
{
    auto images = std::make_unique<CImageList>();
    BuildObjectImages(*images);
    CImageList copy;
    ASSERT_TRUE(copy.Attach(ImageList_Duplicate(*images)));
    images.reset();
    EXPECT_EQ(copy.GetImageCount(), 27);
    copy.Draw(&screen, 1, CPoint(0, 0), INDEXTOOVERLAYMASK(3));
    EXPECT_EQ(Drawn().size(), 2u);
    int cx = 0;
    int cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(copy, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
}

TEST_F(ImageListTest, StripsAreCutByImageWidthAndTheBackgroundFillsMaskedPixels)
{
    CImageList strip;
    ASSERT_TRUE(strip.Create(181, 24, 0, RGB(255, 255, 255)));
    EXPECT_EQ(strip.GetImageCount(), 6); // 150 / 24: the rest of the strip is no image
    EXPECT_EQ(strip.GetBkColor(), CLR_NONE);
    strip.SetBkColor(RGB(1, 2, 3));
    strip.Draw(&screen, 5, CPoint(0, 0), ILD_NORMAL);
    strip.Draw(&screen, 5, CPoint(0, 0), ILD_TRANSPARENT);
    EXPECT_EQ(Drawn(),
              (std::vector<std::string>{"fill (0,0)-(24,16) #010203",
                                        "image \"bitmap 181\" (120,0)-(144,16) to (0,0)-(24,16) mask #FFFFFF",
                                        "image \"bitmap 181\" (120,0)-(144,16) to (0,0)-(24,16) mask #FFFFFF"}));

    CImageList plain;
    ASSERT_TRUE(plain.Create(16, 16, ILC_COLOR, 0, 4));
    CBitmap nav;
    ASSERT_TRUE(nav.LoadBitmap("NAV"));
    EXPECT_EQ(plain.Add(&nav, kMask), 0); // a list without ILC_MASK draws no transparency
    EXPECT_EQ(plain.Add(&nav, static_cast<CBitmap*>(nullptr)), 3);
    plain.Draw(&screen, 4, CPoint(1, 1), ILD_TRANSPARENT);
    EXPECT_EQ(Drawn(), std::vector<std::string>{"image \"bitmap NAV\" (16,0)-(32,16) to (1,1)-(17,17)"});

    CImageList missing;
    EXPECT_FALSE(missing.Create(999, 16, 0, kMask));
    EXPECT_EQ(missing.m_hImageList, nullptr);
}

TEST_F(ImageListTest, ObjectsFollowTheirHandles)
{
    HIMAGELIST handle = ImageList_Create(16, 16, ILC_MASK, 0, 1);
    CImageList* temporary = CImageList::FromHandle(handle);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CImageList::FromHandle(handle), temporary);
    CImageList owner;
    ASSERT_TRUE(owner.Attach(handle));
    EXPECT_EQ(CImageList::FromHandle(handle), &owner);
    EXPECT_FALSE(CImageList().Attach(handle));
    EXPECT_TRUE(ImageList_Destroy(handle)); // destroyed elsewhere: the owner lets go of it
    EXPECT_EQ(owner.m_hImageList, nullptr);
    EXPECT_FALSE(owner.DeleteImageList());
    EXPECT_EQ(CImageList::FromHandle(handle), nullptr);
}

TEST_F(ImageListTest, BitmapsComeFromTheLibraryByIdOrName)
{
    HBITMAP strip = LoadBitmap(nullptr, MAKEINTRESOURCE(191));
    ASSERT_NE(strip, nullptr);
    BITMAP size{};
    GetObject(strip, sizeof size, &size);
    EXPECT_EQ(size.bmWidth, 144);
    EXPECT_EQ(size.bmHeight, 16);
    DeleteObject(strip);
    EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(195)), nullptr);
    EXPECT_EQ(LoadImage(nullptr, "NAV", IMAGE_ICON, 0, 0, 0), nullptr);

    CBitmap nav;
    ASSERT_NE(LoadImage(nullptr, "NAV", IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS), nullptr);
    ASSERT_TRUE(nav.LoadBitmap("NAV"));
    EXPECT_FALSE(nav.LoadBitmap(191)); // already holds one
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    memory.SelectObject(&nav);
    screen.BitBlt(0, 0, 16, 16, &memory, 32, 0, SRCCOPY);
    EXPECT_EQ(Drawn(), std::vector<std::string>{"image \"bitmap NAV\" (32,0)-(48,16) to (0,0)-(16,16)"});
}
