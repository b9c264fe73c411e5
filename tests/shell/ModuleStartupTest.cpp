#include "ShellTestSupport.h"

#include "com/CComModule.h"
#include "generate/CAnvilorController.h"
#include "shell/VqsVersion.h"
#include "version/Version.h"
#include "win/Gdi.h"

#include <cstring>

TEST(ModuleStartupTest, StartingMakesTheApplicationAndTheComModuleAndRunsInitInstance)
{
    ASSERT_EQ(AfxGetApp(), nullptr);
    VqsStartModule();
    VqsSysApp* app = VqsGetApp();
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(AfxGetThread(), app);
    EXPECT_NE(VqsGetComModule(), nullptr);
    EXPECT_NE(app->GetScriptPropertyMgr(), nullptr);
    LOGFONT systemFont{};
    ASSERT_EQ(GetObject(GetStockObject(SYSTEM_FONT), sizeof systemFont, &systemFont), static_cast<int>(sizeof systemFont));
    EXPECT_EQ(std::memcmp(&app->GetViewFont(), &systemFont, sizeof systemFont), 0);
    EXPECT_EQ(app->GetSystemColor(), GetSysColor(COLOR_WINDOWTEXT));

    VqsStartModule();
    EXPECT_EQ(VqsGetApp(), app) << "a second start makes nothing";
    VqsEndModule();
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(VqsGetComModule(), nullptr);
    VqsEndModule();
}

TEST_F(ShellTest, TheResourceModuleCallRegistersTheAutomationObjectUntilTheModuleExits)
{
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID("Wrenfield.AnvilorController", &clsid), S_OK);
    EXPECT_TRUE(clsid == CLSID_AnvilorController);
    ASSERT_EQ(CLSIDFromProgID("Wrenfield.AnvilorController.1", &clsid), S_OK);
    IUnknown* controller = nullptr;
    ASSERT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, reinterpret_cast<void**>(&controller)),
              S_OK);
    controller->Release();

    app.ExitInstance();
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IUnknown, reinterpret_cast<void**>(&controller)),
              CO_E_SERVER_EXEC_FAILURE);
}

TEST(VersionTest, TheProductTextsAreTheVersionLibrarys)
{
    EXPECT_EQ(VqsGetProductName(), VerProductName());
    EXPECT_EQ(VqsGetProductVersion(), VerProductVersion());
}
