// What the application tests share: the started module with its own COM registry file, a
// repository in a temporary folder, and the message boxes shown.
#pragma once

#include "com/ComRegistry.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"
#include "support/TempDir.h"
#include "vqclient/VqcTesting.h"
#include "win/UiDriver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class StartedModule {
public:
    StartedModule() { VqsStartModule(); }
    ~StartedModule() { VqsEndModule(); }
    StartedModule(const StartedModule&) = delete;
    StartedModule& operator=(const StartedModule&) = delete;
};

struct ShellTest : ::testing::Test {
    vqtest::TempDir dir;
    vqcom::ScopedRegistryFile registry{dir.File("registry.ini").c_str()};
    StartedModule module;
    VqsSysApp& app = *VqsGetApp();

    void SetUp() override
    {
        vqui::ClearTranscript();
        vqclient::Reset();
    }

    // A new repository file in the test's folder.
    std::string Repository(const std::string& name = "repository.vqr");

    // The texts of the message boxes shown so far.
    static std::vector<std::string> Boxes();
};
