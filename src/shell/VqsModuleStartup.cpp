#include "shell/VqsModuleStartup.h"

#include "com/CComModule.h"
#include "model/VqsLockManager.h"
#include "shell/VqsSysApp.h"

#include <memory>
#include <span>

namespace {

struct VqsStartupStep {
    void (*start)();
    void (*end)();
};

std::unique_ptr<VqsSysApp> g_app;
std::unique_ptr<CComModule> g_comModule;
bool g_started = false;

void CreateApplication() { g_app = std::make_unique<VqsSysApp>(); }
void DestroyApplication() { g_app.reset(); }
void CreateComModule() { g_comModule = std::make_unique<CComModule>(); }
void DestroyComModule() { g_comModule.reset(); }

// One table per registry, run in this order at load and in the reverse order at unload:
// the typed lists' default objects; the global-logic option sheets; the application object
// (exactly one); the COM module; the GO spec definitions (appended, so tried in table
// order); the lock manager and its connector; the option nodes and the option sheets
// (each pushed on the head of its registry, so tried in the reverse of table order).
const VqsStartupStep kApplicationObject[] = {{&CreateApplication, &DestroyApplication}};
const VqsStartupStep kComModule[] = {{&CreateComModule, &DestroyComModule}};
const VqsStartupStep kLockManager[] = {{&VqsCreateLockManager, &VqsDestroyLockManager},
                                       {&VqsCreateLockManagerConnector, &VqsDestroyLockManagerConnector}};

const std::span<const VqsStartupStep> kStartupOrder[] = {kApplicationObject, kComModule, kLockManager};

} // namespace

void VqsStartModule()
{
    if (g_started)
        return;
    g_started = true;
    for (std::span<const VqsStartupStep> table : kStartupOrder)
        for (const VqsStartupStep& step : table)
            step.start();
    g_app->InitInstance();
}

void VqsEndModule()
{
    if (!g_started)
        return;
    g_app->ExitInstance();
    for (auto table = std::rbegin(kStartupOrder); table != std::rend(kStartupOrder); ++table)
        for (auto step = table->rbegin(); step != table->rend(); ++step)
            step->end();
    g_started = false;
}

CComModule* VqsGetComModule() { return g_comModule.get(); }
