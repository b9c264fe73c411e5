#include "win/CWinApp.h"
#include "win/CWnd.h"
#include "win/Help.h"

#include <gtest/gtest.h>

TEST(CWinAppTest, TheApplicationIsTheThreadObjectOfItsThread)
{
    CWinApp app("vqsys");
    EXPECT_EQ(AfxGetThread(), &app);
    EXPECT_EQ(app.m_nThreadID, GetCurrentThreadId());
    EXPECT_TRUE(app.InitInstance());
    EXPECT_EQ(app.ExitInstance(), 0);
}

TEST(CWinAppTest, HelpGoesToTheHelpFileOwnedByTheMainWindow)
{
    vqwin::ClearHelpRequests();
    CWinApp app("vqsys");
    CWnd main;
    ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pMainWnd = &main;
    std::string path = "/tmp/help.hlp";
    app.SetHelpFilePath(path.c_str());
    path = "changed";
    app.WinHelp(42, HELP_CONTEXT);
    app.SetHelpFilePath(nullptr);
    EXPECT_EQ(app.m_pszHelpFilePath, nullptr);

    auto requests = vqwin::HelpRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].owner, main.m_hWnd);
    EXPECT_EQ(requests[0].helpFile, "/tmp/help.hlp") << "the application keeps its own copy";
    EXPECT_EQ(requests[0].command, HELP_CONTEXT);
    EXPECT_EQ(requests[0].data, 42u);
    app.m_pMainWnd = nullptr;
}
