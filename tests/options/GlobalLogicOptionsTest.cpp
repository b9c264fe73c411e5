#include "OptionsTestSupport.h"

#include "options/VqsOptionsSheet.h"
#include "proxy/PxTarskGLGOptions.h"

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

struct GlobalLogicOptionsTest : OptionsTest {};

} // namespace

TEST_F(GlobalLogicOptionsTest, TickingSeparateCompileAndApplyingStoresItAndMarksTheElementUpdated)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kObjectModule)));
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kObjectModule)));
            EXPECT_TRUE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
            EXPECT_EQ(TabImage(dialog, 0), 12);
            TypeOnPage(dialog, kObjectModule, "MOD7");
            ClickOnPage(dialog, kApplyNow);
            EXPECT_FALSE(::IsWindowEnabled(PageItem(dialog, kApplyNow)));
            EXPECT_EQ(TabImage(dialog, 0), 1);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);

    const auto options = Options<PxTarskGLGOptionsPtr>("STARTUP", "TARSKGEN");
    options->Refresh();
    EXPECT_EQ(options->GetSeparateCompile(), 1);
    EXPECT_EQ(options->GetGLGSOMName(), "MOD7");
    EXPECT_EQ(Element("SYS1", "SALES", "STARTUP")->GetUpdatedFlag(), 1);
    EXPECT_EQ(MessageBoxes(), Strings{});
}
