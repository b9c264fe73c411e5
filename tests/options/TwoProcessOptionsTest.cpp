#include "OptionsTestSupport.h"

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxVQLink.h"
#include "support/ChildProcess.h"

#include <unistd.h>

#include <memory>

using namespace optionstest;

namespace {

// Another process on the same repository: it waits for the test's word, then changes the
// Tarsk options of STARTUP and commits before it reports ready.
struct TwoProcessOptionsTest : OptionsTest {
    int wake[2] = {-1, -1};
    std::unique_ptr<vqtest::ChildProcess> other;

    void SetUp() override
    {
        ASSERT_EQ(pipe(wake), 0);
        const std::string repository = sample.Path();
        const int readEnd = wake[0];
        other = std::make_unique<vqtest::ChildProcess>([repository, readEnd] {
            char byte = 0;
            if (read(readEnd, &byte, 1) != 1)
                throw std::runtime_error("no word from the test");
            PxVQLink link;
            link.AttachSession(repository.c_str(), "OTHER/dev", nullptr);
            const PxVQBSSoftLinkPtr segment =
                link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
            const PxTarskGLGOptionsPtr options(segment->GetElementSoftLink("STARTUP")->GetOptions(
                link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("TARSKGEN")));
            link.BeginTransaction();
            options->SetSeparateCompile(1);
            options->SetGLGSOMName("OTHERS");
            link.CommitTransaction();
        });
        OptionsTest::SetUp();
    }

    void TearDown() override
    {
        OptionsTest::TearDown();
        other.reset();
        close(wake[0]);
        close(wake[1]);
    }

    // Lets the other process make its change and waits until it is committed.
    void OtherProcessChangesTheOptions()
    {
        const char byte = 1;
        ASSERT_EQ(write(wake[1], &byte, 1), 1);
        ASSERT_TRUE(other->WaitReady());
    }
};

} // namespace

TEST_F(TwoProcessOptionsTest, TheFirstChangeAfterAnotherProcessChangedTheOptionsShowsTheirValuesInstead)
{
    OpenedOptions opened(Element("SYS1", "SALES", "STARTUP"), OptionSet("TARSKGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(IsCheckedOnPage(dialog, kSeparateCompile));
            OtherProcessChangesTheOptions();
            ClickOnPage(dialog, kSeparateCompile);
            EXPECT_TRUE(IsCheckedOnPage(dialog, kSeparateCompile));
            CString module;
            ::GetWindowText(PageItem(dialog, kObjectModule), module.GetBuffer(64), 64);
            module.ReleaseBuffer();
            EXPECT_EQ(module, "OTHERS");
            EXPECT_FALSE(dialog.GetSheet()->GetOptionPage(0)->IsModified());
        })
        .OK();
    ui.ExpectMessageBoxId(61747, IDOK);
    EXPECT_EQ(opened.DoModal(), IDOK);

    const auto options = Options<PxTarskGLGOptionsPtr>("STARTUP", "TARSKGEN");
    options->Refresh();
    EXPECT_EQ(options->GetGLGSOMName(), "OTHERS");
    EXPECT_EQ(options->GetSeparateCompile(), 1);
}
