#include "shell/VqsSysApp.h"

#include "support/TempDir.h"
#include "win/Help.h"
#include "win/UiDriver.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct HelpTest : ::testing::Test {
    vqtest::TempDir dir;
    VqsSysApp app;

    void SetUp() override
    {
        vqui::ClearTranscript();
        vqwin::ClearHelpRequests();
    }
    // The description shown for the request; empty when none was shown.
    std::string Describe(UINT command, DWORD_PTR data = 0)
    {
        vqui::ClearTranscript();
        app.WinHelp(data, command);
        auto shown = vqui::Transcript();
        return shown.empty() ? std::string() : shown.back().event.text.str();
    }
    UINT LastCommand() const { return vqwin::HelpRequests().back().command; }
};

} // namespace

TEST_F(HelpTest, WithoutASettingsFileEveryRequestIsDescribed)
{
    EXPECT_EQ(Describe(HELP_CONTEXT, 300), "Help debug. Requesting Help topic with ID = 300 (0x12C hex)");
    EXPECT_EQ(Describe(HELP_QUIT), "Help debug. Requesting Help to terminate.");
    EXPECT_EQ(Describe(HELP_INDEX), "Help debug. Requesting Help contents or index (obsolete form)");
    EXPECT_EQ(Describe(HELP_HELPONHELP), "Help debug. Requesting Help on Help");
    EXPECT_EQ(Describe(HELP_SETINDEX, 17),
              "Help debug. Requesting Help contents topic to be\nthe topic with ID = 17 (0x11 hex)");
    EXPECT_EQ(Describe(HELP_FORCEFILE), "Help debug. Requesting Help Force File command");
    EXPECT_EQ(Describe(HELP_CONTEXTMENU), "Help debug. Requesting Help context menu... (list of ID is omitted)");
    EXPECT_EQ(Describe(HELP_FINDER), "Help debug. Requesting Help topics");
    EXPECT_EQ(Describe(HELP_WM_HELP), "Help debug. Requesting Help for given window... (map list omitted).");
    EXPECT_EQ(Describe(HELP_SETPOPUP_POS), "Help debug. Requesting Help to set popup window position to ...");
    EXPECT_EQ(Describe(HELP_SETWINPOS), "Help debug. Requesting Help to set help window position to ...");
    EXPECT_EQ(Describe(0x7777), "Help debug. Requesting Help ");
}

TEST_F(HelpTest, KeywordRequestsShowTheirTextAndUnreadableTextIsLeftOut)
{
    const char keyword[] = "Generate Set";
    EXPECT_EQ(Describe(HELP_KEY, reinterpret_cast<DWORD_PTR>(keyword)),
              "Help debug. Requesting Help topic by a keyword:\nGenerate Set");
    EXPECT_EQ(Describe(HELP_COMMAND, reinterpret_cast<DWORD_PTR>("JumpId()")),
              "Help debug. Requesting Help macro:\nJumpId()");
    EXPECT_EQ(Describe(HELP_PARTIALKEY, reinterpret_cast<DWORD_PTR>("Gen")),
              "Help debug. Requesting Help topic by a partial keyword:\nGen");
    EXPECT_EQ(Describe(HELP_KEY, 0), "Help debug. Requesting Help topic by a keyword:\n");

    alignas(MULTIKEYHELP) char buffer[sizeof(MULTIKEYHELP) + 16] = {};
    auto* multikey = reinterpret_cast<MULTIKEYHELP*>(buffer);
    multikey->mkSize = sizeof buffer;
    multikey->mkKeylist = 'K';
    std::strcpy(multikey->szKeyphrase, "Hosts");
    EXPECT_EQ(Describe(HELP_MULTIKEY, reinterpret_cast<DWORD_PTR>(multikey)),
              "Help debug. Requesting Help topic in alterntive table:\ntable character = K topic = Hosts");
}

TEST_F(HelpTest, PopupsBecomeContextRequestsWhileHelpNoPopupIsSetAndKeepTheTrainingCardBit)
{
    EXPECT_EQ(Describe(HELP_CONTEXTPOPUP | HELP_TCARD, 5),
              "Traning Card Help debug. Requesting Help popup window (replaced with ordinary context call) for\n"
              "topic with ID = 5 (0x5 hex)");
    EXPECT_EQ(LastCommand(), HELP_CONTEXT | HELP_TCARD);
    EXPECT_EQ(vqwin::HelpRequests().back().data, 5u);

    app.SetIniPath(dir.Write("vqs.ini", "[startup]\nhelpNoPopup=N\ndebughelp=Y\n").c_str());
    EXPECT_EQ(Describe(HELP_CONTEXTPOPUP, 5), "Help debug. Requesting Help popup window for topic with ID = 5 (0x5 hex)");
    EXPECT_EQ(LastCommand(), HELP_CONTEXTPOPUP);
}

TEST_F(HelpTest, WithDebugHelpOffNothingIsShownButTheRequestIsMade)
{
    app.SetIniPath(dir.Write("vqs.ini", "[startup]\ndebughelp=N\n").c_str());
    EXPECT_EQ(Describe(HELP_CONTEXT, 9), "");
    ASSERT_EQ(vqwin::HelpRequests().size(), 1u);
    EXPECT_EQ(LastCommand(), HELP_CONTEXT);
}
