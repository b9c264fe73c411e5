// What the tests of generation starts in this process share: the generation client made new,
// with its log in the test's folder, the box a start shows answered, and the system view's
// session closed, for the test to open the one it needs.
#pragma once

#include "../sysview/SysViewTestSupport.h"

#include "support/ScriptedUiDriver.h"
#include "vqclient/VqcTesting.h"

struct GenerationStartTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;

    void SetUp() override
    {
        vqclient::Reset();
        vqclient::SetGenerationLog(dir.File("generate.log"));
        ui.WheneverDialog(105);
        SysViewTest::SetUp();
        app.CloseSession();
    }

    void TearDown() override
    {
        SysViewTest::TearDown();
        vqclient::SetGenerationLog("");
    }
};
