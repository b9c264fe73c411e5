#include "shell/VqsSysApp.h"

#include "support/ScopedResourceLibrary.h"
#include "support/TempDir.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CHeaderCtrl.h"
#include "win/CListCtrl.h"
#include "win/DisplayList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// 191 with its nine images, the two arrows, a tree bitmap and a model-type bitmap.
const char* const kFullLibrary = R"({
  "bitmaps": {
    "191": {"width": 144, "height": 16, "fill": "#800080"},
    "194": {"width": 7, "height": 6, "fill": "#808080"},
    "195": {"width": 7, "height": 6, "fill": "#808080"},
    "130": {"width": 16, "height": 16, "fill": "#FFFFFF"},
    "MD_EVENT": {"width": 12, "height": 14, "fill": "#FFFF00"}
  }
})";

// Only the six base images, no arrows, and a bitmap the other library lacks.
const char* const kShortLibrary = R"({
  "bitmaps": {
    "191": {"width": 96, "height": 16, "fill": "#800080"},
    "999": {"width": 8, "height": 8, "fill": "#000000"}
  }
})";

struct SysAppImagesTest : ::testing::Test {
    vqtest::TempDir root;
    std::optional<vqtest::ScopedResourceLibrary> library;
    std::optional<VqsSysApp> app;
    CDC screen;

    void SetUp() override
    {
        root.Write("fullres/bitmaps.json", kFullLibrary);
        root.Write("shortres/bitmaps.json", kShortLibrary);
        Use("fullres");
        app.emplace();
        screen.Attach(GetDC(nullptr));
    }

    void Use(const char* name)
    {
        library.reset();
        library.emplace(name, root.Path());
    }

    void UseNone()
    {
        Use("fullres");
        vqres::InstallResourceLibrary(nullptr);
    }

    // Each image operation drawn since the last call, one line per layer.
    std::vector<std::string> Drawn()
    {
        std::vector<std::string> lines;
        for (const vqwin::DisplayOp& op : screen.GetDisplayList()->Ops())
            lines.push_back(vqwin::DisplayList::Describe(op));
        screen.GetDisplayList()->Clear();
        return lines;
    }

    // The part of bitmap 191 that image n of the strip comes from.
    static std::string Slice(int image)
    {
        return "\"bitmap 191\" (" + std::to_string(16 * image) + ",0)-(" + std::to_string(16 * image + 16) + ",16)";
    }
};

} // namespace

TEST_F(SysAppImagesTest, EveryBaseImageIsComposedWithEveryOverlay)
{
    CImageList* images = app->GetObjectImageList();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->GetImageCount(), 27);
    EXPECT_EQ(app->GetObjectImageList(), images);

    EXPECT_EQ(VqsComputeImageIndex({2, 1}), 15);
    EXPECT_EQ(VqsComputeImageIndex({0, 0}), 0);
    EXPECT_EQ(VqsComputeImageIndex({1, 0}), 1);
    EXPECT_EQ(VqsComputeImageIndex({0, 1}), 9);
    EXPECT_EQ(VqsComputeImageIndex({1, 1}), 12);
    EXPECT_EQ(VqsComputeImageIndex({5, 3}), 26);

    ASSERT_TRUE(app->DrawObjectImage(&screen, {2, 1}, 4, 2, 16, FALSE));
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"image " + Slice(2) + " to (4,2)-(20,18) mask #800080",
                                                 "image " + Slice(6) + " to (4,2)-(20,18) mask #800080"}));
    for (int base = 0; base <= 5; ++base) {
        app->DrawObjectImage(&screen, {base, 0}, 0, 0, 16, FALSE);
        std::vector<std::string> drawn = Drawn();
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_NE(drawn[0].find(Slice(base)), std::string::npos) << drawn[0];
        for (int variant = 1; variant <= 3; ++variant) {
            app->DrawObjectImage(&screen, {base, variant}, 0, 0, 16, FALSE);
            drawn = Drawn();
            ASSERT_EQ(drawn.size(), 2u);
            EXPECT_NE(drawn[0].find(Slice(base)), std::string::npos) << drawn[0];
            EXPECT_NE(drawn[1].find(Slice(5 + variant)), std::string::npos) << drawn[1];
        }
    }
}

TEST_F(SysAppImagesTest, ObjectImagesAreCentredInTheRowNeverAboveItAndBlendedWhenSelected)
{
    EXPECT_EQ(app->GetImageSize(), CSize(16, 16));
    app->DrawObjectImage(&screen, {1, 0}, 4, 10, 21, FALSE);
    EXPECT_EQ(Drawn(), std::vector<std::string>{"image " + Slice(1) + " to (4,12)-(20,28) mask #800080"});
    app->DrawObjectImage(&screen, {1, 0}, 4, 10, 0, TRUE);
    EXPECT_EQ(Drawn(), std::vector<std::string>{"image " + Slice(1) + " to (4,10)-(20,26) mask #800080 blend 50%"});
    EXPECT_FALSE(app->DrawObjectImage(nullptr, {1, 0}, 0, 0, 16, FALSE));
    EXPECT_FALSE(app->DrawObjectImage(&screen, {6, 1}, 0, 0, 16, FALSE)); // past the composites
}

TEST_F(SysAppImagesTest, ACopyGoesOnlyIntoAnEmptyListAndOutlivesTheApplication)
{
    CImageList own;
    own.Create(8, 8, ILC_MASK, 0, 1);
    EXPECT_EQ(app->CopyImageList(&own), &own);
    EXPECT_EQ(own.GetImageCount(), 0);
    EXPECT_EQ(app->CopyImageList(nullptr), nullptr);

    CImageList copy;
    EXPECT_EQ(app->CopyImageList(&copy), &copy);
    ASSERT_NE(copy.GetSafeHandle(), nullptr);
    EXPECT_NE(copy.GetSafeHandle(), app->GetObjectImageList()->GetSafeHandle());
    EXPECT_EQ(copy.GetImageCount(), 27);

    app.reset();
    ASSERT_TRUE(copy.Draw(&screen, VqsComputeImageIndex({0, 3}), CPoint(0, 0), ILD_NORMAL));
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"image " + Slice(0) + " to (0,0)-(16,16) mask #800080",
                                                 "image " + Slice(8) + " to (0,0)-(16,16) mask #800080"}));
}

TEST_F(SysAppImagesTest, WithoutTheStripThereAreNoObjectImagesUntilALibraryHasIt)
{
    UseNone();
    EXPECT_EQ(app->GetObjectImageList(), nullptr);
    EXPECT_EQ(app->GetImageSize(), CSize(0, 0));
    EXPECT_FALSE(app->DrawObjectImage(&screen, {0, 0}, 0, 0, 16, FALSE));
    CImageList copy;
    EXPECT_EQ(app->CopyImageList(&copy), &copy);
    EXPECT_EQ(copy.GetSafeHandle(), nullptr);

    // A strip without the overlay images would put every composite in the wrong place.
    Use("shortres");
    EXPECT_EQ(app->GetObjectImageList(), nullptr);
    EXPECT_EQ(app->GetImageSize(), CSize(0, 0));

    Use("fullres");
    EXPECT_EQ(app->GetImageSize(), CSize(16, 16));
    EXPECT_EQ(app->GetObjectImageList()->GetImageCount(), 27);
}

TEST_F(SysAppImagesTest, ABitmapIsLoadedOnceWhetherAskedByNumberOrByName)
{
    CBitmap* tree = app->GetCachedBitmap(130u);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(app->GetCachedBitmap(130u), tree);
    EXPECT_EQ(app->GetCachedBitmap(MAKEINTRESOURCE(130)), tree);
    EXPECT_EQ(app->GetCachedBitmap(VqsBitmapRef{130, "MD_EVENT"}), tree);
    EXPECT_EQ(app->GetCachedImage(130), tree);

    char name[16];
    std::strcpy(name, "MD_EVENT");
    CBitmap* event = app->GetCachedBitmap(name);
    ASSERT_NE(event, nullptr);
    std::strcpy(name, "MD_REPORT");
    EXPECT_EQ(app->GetCachedBitmap("MD_EVENT"), event);
    EXPECT_EQ(app->GetCachedBitmap(VqsBitmapRef{0, "MD_EVENT"}), event);
    EXPECT_EQ(app->GetCachedBitmap("md_event"), nullptr); // names match exactly
    BITMAP size{};
    event->GetBitmap(&size);
    EXPECT_EQ(size.bmWidth, 12);
    EXPECT_EQ(size.bmHeight, 14);

    // Kept when the library that supplied them is gone.
    UseNone();
    EXPECT_EQ(app->GetCachedBitmap(130u), tree);
    EXPECT_EQ(app->GetCachedBitmap("MD_EVENT"), event);
}

TEST_F(SysAppImagesTest, AMissingBitmapIsNullAndIsLoadedOnceALibraryHasIt)
{
    EXPECT_EQ(app->GetCachedBitmap(999u), nullptr);
    EXPECT_EQ(app->GetCachedImage(999), nullptr);
    EXPECT_EQ(app->GetCachedBitmap(VqsBitmapRef{}), nullptr);
    EXPECT_EQ(app->GetCachedBitmap(static_cast<LPCTSTR>(nullptr)), nullptr);

    Use("shortres");
    CBitmap* found = app->GetCachedBitmap(999u);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(app->GetCachedBitmap(999u), found);
}

TEST_F(SysAppImagesTest, CachedBitmapsAreFreedWithTheApplication)
{
    const HGDIOBJ tree = app->GetCachedBitmap(130u)->GetSafeHandle();
    const HGDIOBJ event = app->GetCachedBitmap("MD_EVENT")->GetSafeHandle();
    const HGDIOBJ arrow = app->GetCachedImage(195)->GetSafeHandle();
    ASSERT_NE(CGdiObject::FromHandle(tree), nullptr);
    app.reset();
    EXPECT_EQ(CGdiObject::FromHandle(tree), nullptr);
    EXPECT_EQ(CGdiObject::FromHandle(event), nullptr);
    EXPECT_EQ(CGdiObject::FromHandle(arrow), nullptr);
}

namespace {

struct SortArrowTest : SysAppImagesTest {
    CWnd parent;
    CListCtrl list;

    void SetUp() override
    {
        SysAppImagesTest::SetUp();
        parent.CreateEx(0, "ArrowParent", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr);
        list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(0, 0, 300, 200), &parent, 1001);
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        list.InsertColumn(1, "Kind", LVCFMT_RIGHT, 60, 1);
        list.InsertColumn(2, "Note", LVCFMT_LEFT, 80, 2);
    }

    // Each column as "-" without a bitmap, else the bitmap's number.
    std::vector<std::string> Arrows()
    {
        std::vector<std::string> arrows;
        CHeaderCtrl* header = list.GetHeaderCtrl();
        for (int i = 0; i < header->GetItemCount(); ++i) {
            HDITEM item{};
            item.mask = HDI_FORMAT | HDI_BITMAP;
            header->GetItem(i, &item);
            if (!(item.fmt & HDF_BITMAP))
                arrows.push_back("-");
            else if (item.hbm == *app->GetCachedImage(194))
                arrows.push_back("194");
            else if (item.hbm == *app->GetCachedImage(195))
                arrows.push_back("195");
            else
                arrows.push_back("?");
        }
        return arrows;
    }

    int Format(int column)
    {
        HDITEM item{};
        item.mask = HDI_FORMAT;
        list.GetHeaderCtrl()->GetItem(column, &item);
        return item.fmt;
    }
};

} // namespace

TEST_F(SortArrowTest, TheArrowMovesToTheSortedColumnAndShowsTheDirection)
{
    VqsSetHeaderSortArrow(&list, 1, TRUE);
    EXPECT_EQ(Arrows(), (std::vector<std::string>{"-", "195", "-"}));
    EXPECT_EQ(Format(1) & HDF_JUSTIFYMASK, HDF_RIGHT);

    VqsSetHeaderSortArrow(&list, 2, FALSE);
    EXPECT_EQ(Arrows(), (std::vector<std::string>{"-", "-", "194"}));
    EXPECT_EQ(Format(1) & HDF_JUSTIFYMASK, HDF_RIGHT);

    CHeaderCtrl* header = list.GetHeaderCtrl();
    header->Invalidate();
    header->UpdateWindow();
    EXPECT_NE(vqwin::GetWindowDisplayList(header->GetSafeHwnd())->Describe().find("image \"bitmap 194\""),
              std::string::npos);

    VqsSetHeaderSortArrow(&list, 7, TRUE);
    EXPECT_EQ(Arrows(), (std::vector<std::string>{"-", "-", "-"}));
}

TEST_F(SortArrowTest, AHeaderWithoutButtonsIsLeftAsItIs)
{
    VqsSetHeaderSortArrow(&list, 0, TRUE);
    list.ModifyStyle(0, LVS_NOSORTHEADER);
    VqsSetHeaderSortArrow(&list, 1, FALSE);
    EXPECT_EQ(Arrows(), (std::vector<std::string>{"195", "-", "-"}));
    VqsSetHeaderSortArrow(nullptr, 1, FALSE);
}

TEST_F(SortArrowTest, WithoutTheArrowBitmapsNoColumnIsLeftWithABitmapFlag)
{
    VqsSetHeaderSortArrow(&list, 0, TRUE);
    app.emplace();
    Use("shortres");
    VqsSetHeaderSortArrow(&list, 1, TRUE);
    EXPECT_EQ(Format(0) & HDF_BITMAP, 0);
    EXPECT_EQ(Format(1) & HDF_BITMAP, 0);
}

TEST(SysAppImagesLibraryTest, TheModulesLibraryHoldsTheObjectImagesAndTwoDifferentArrows)
{
    vqtest::ScopedResourceLibrary library;
    VqsSysApp app;
    ASSERT_NE(app.GetObjectImageList(), nullptr);
    EXPECT_EQ(app.GetObjectImageList()->GetImageCount(), 27);
    EXPECT_EQ(app.GetImageSize(), CSize(16, 16));

    const auto resources = vqres::CurrentResourceLibrary();
    const vqres::Image& strip = resources->GetBitmap(191);
    EXPECT_EQ(strip.width, 9 * 16);
    for (int overlay = 6; overlay <= 8; ++overlay)
        EXPECT_EQ(strip.Pixel(overlay * 16, 0), RGB(128, 0, 128)) << overlay; // shows the base around it
    const vqres::Image& down = resources->GetBitmap(194);
    const vqres::Image& up = resources->GetBitmap(195);
    EXPECT_EQ(down.width, up.width);
    EXPECT_EQ(down.height, up.height);
    EXPECT_NE(down.pixels, up.pixels);
}
