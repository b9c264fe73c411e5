#include "OptionsTestSupport.h"
#include "TestOptionSheet.h"

#include "options/VqsSheetRegister.h"
#include "support/ScopedResourceLibrary.h"
#include "support/TempDir.h"
#include "win/CScrollBar.h"
#include "win/UserActions.h"

#include <filesystem>
#include <fstream>
#include <memory>

using namespace optionstest;

namespace {

constexpr UINT kTallPage = 9901;
constexpr UINT kShortPage = 198;
constexpr int kScrollBar = 1491;

// A sheet of one page, on a template of the resource library the test makes.
template <UINT PageTemplate>
class OnePageSheet : public VqsOptions_BSeg_Sheet {
public:
    OnePageSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxBSegOptionsPtr& options, UINT selectPage)
        : VqsOptions_BSeg_Sheet(ownerDialog, options, selectPage),
          m_page(this, 0, TestFlagPage::FullKeshOff(), PageTemplate)
    {
        AddPage(&m_page);
    }
    UINT GetHelpContextId() override { return 1; }

private:
    TestFlagPage m_page;
};

// The module's resource library with a page far taller than the screen (a check box at its
// top and at its bottom).
std::string TallResourceRoot(const vqtest::TempDir& dir)
{
    const std::filesystem::path root = dir.File("resources");
    std::filesystem::create_directories(root);
    std::filesystem::copy(vqtest::SourceFolder("resources/vqsysres"), root / "vqsysres",
                          std::filesystem::copy_options::recursive);
    std::ofstream(root / "vqsysres" / "dialogs" / "tall.json")
        << R"({"dialogs": {"9901": {"caption": "Tall", "style": ["WS_CHILD", "WS_CAPTION"], "size": [260, 600],
              "controls": [{"class": "Button", "id": 1017, "text": "Separate Compile",
                            "style": ["WS_CHILD", "WS_VISIBLE", "WS_TABSTOP", "BS_AUTOCHECKBOX"],
                            "rect": [8, 10, 120, 10]}]}}})";
    return root.string();
}

struct ScrolledSheetTest : OptionsTest {
    std::unique_ptr<vqtest::ScopedResourceRoot> resources;

    void SetUp() override
    {
        resources = std::make_unique<vqtest::ScopedResourceRoot>(TallResourceRoot(dir));
        OptionsTest::SetUp();
    }

    void TearDown() override
    {
        OptionsTest::TearDown();
        resources.reset();
    }

    static int SheetTop(VqsSoftLinkOptionsDlg& dialog)
    {
        CRect sheet;
        dialog.GetSheet()->GetWindowRect(&sheet);
        CRect place;
        dialog.GetDlgItem(1062)->GetWindowRect(&place);
        return sheet.top - place.top;
    }

    static CScrollBar& Bar(VqsSoftLinkOptionsDlg& dialog)
    {
        return *static_cast<CScrollBar*>(dialog.GetDlgItem(kScrollBar));
    }
};

} // namespace

TEST_F(ScrolledSheetTest, ASheetThatFitsNeedsNoScrollBar)
{
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<OnePageSheet<kShortPage>, PxTarskBSegOptionsPtr>);
    OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_EQ(dialog.GetScrollMaximum(), 0);
            EXPECT_FALSE(Bar(dialog).IsWindowVisible());
            CRect window;
            dialog.GetWindowRect(&window);
            CRect sheet;
            dialog.GetSheet()->GetWindowRect(&sheet);
            EXPECT_LE(sheet.bottom, window.bottom);
        })
        .Cancel();
    opened.DoModal();
}

TEST_F(ScrolledSheetTest, ATallSheetScrollsPixelByPixelWithinItsRange)
{
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<OnePageSheet<kTallPage>, PxTarskBSegOptionsPtr>);
    OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            CRect window;
            dialog.GetWindowRect(&window);
            EXPECT_EQ(window.Height(), GetSystemMetrics(SM_CYSCREEN));
            const int maximum = dialog.GetScrollMaximum();
            ASSERT_GT(maximum, 100);
            int low = -1;
            int high = -1;
            Bar(dialog).GetScrollRange(&low, &high);
            EXPECT_EQ(low, 0);
            EXPECT_EQ(high, maximum);
            EXPECT_TRUE(Bar(dialog).IsWindowVisible());
            EXPECT_EQ(Bar(dialog).GetDisabledArrows(), ESB_DISABLE_LTUP);

            vqui::user::Spin(Bar(dialog).m_hWnd, 3);
            EXPECT_EQ(dialog.GetScrollPosition(), 3);
            EXPECT_EQ(SheetTop(dialog), -3);
            EXPECT_EQ(Bar(dialog).GetDisabledArrows(), ESB_ENABLE_BOTH);

            dialog.SendMessage(WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(Bar(dialog).m_hWnd));
            EXPECT_EQ(SheetTop(dialog), -3);
            dialog.SendMessage(WM_VSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(Bar(dialog).m_hWnd));
            EXPECT_EQ(SheetTop(dialog), -maximum);
            EXPECT_EQ(Bar(dialog).GetDisabledArrows(), ESB_DISABLE_RTDN);
            vqui::user::Spin(Bar(dialog).m_hWnd, 2);
            EXPECT_EQ(dialog.GetScrollPosition(), maximum);

            dialog.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), reinterpret_cast<LPARAM>(Bar(dialog).m_hWnd));
            EXPECT_EQ(SheetTop(dialog), -40);
            vqui::user::Spin(Bar(dialog).m_hWnd, -50);
            EXPECT_EQ(dialog.GetScrollPosition(), 0);
            EXPECT_EQ(Bar(dialog).GetDisabledArrows(), ESB_DISABLE_LTUP);
        })
        .Cancel();
    opened.DoModal();
}
