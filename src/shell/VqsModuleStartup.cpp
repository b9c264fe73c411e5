#include "shell/VqsModuleStartup.h"

#include "com/CComModule.h"
#include "go/VqsGoSpecPackAssoc.h"
#include "model/VqsLockManager.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsOptionNodeRegister.h"
#include "options/VqsOptionsGlobalLogic.h"
#include "options/VqsSheetRegister.h"
#include "options_nt_unix/VqsOptionsBSegNTUnixSheets.h"
#include "options_nt_unix/VqsOptionsElementNTUnixSheets.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "options_qsr/VqsOptionsQSRElementSheets.h"
#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "options_tarsk/VqsOptionsElementTarskSheets.h"
#include "proxy/PxSessionEnds.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CWinThread.h"
#include "win/Handlers.h"
#include "win/ProcessMade.h"

#include <span>
#include <utility>

namespace {

struct VqsStartupStep {
    void (*start)();
    void (*end)();
};

// Plain pointers, destroyed by the module's end alone: the process's end, in a forked child
// too, destroys nothing of them.
VqsSysApp* g_app = nullptr;
CComModule* g_comModule = nullptr;
bool g_started = false;
vqwin::ProcessMade g_startedBy; // the process whose module this is

void CreateApplication()
{
    g_app = new VqsSysApp;
    vqwin::SetHandlerFailureHook(&VqsReportHandlerFailure);
}
void DestroyApplication()
{
    vqwin::SetHandlerFailureHook(nullptr);
    delete std::exchange(g_app, nullptr);
}
void CreateComModule() { g_comModule = new CComModule; }
void DestroyComModule() { delete std::exchange(g_comModule, nullptr); }
void NothingToDo() {}
template <class Node>
void RegisterOptionNode()
{
    VqsOptionNodeRegister::Register(&VqsMakeOptionNode<Node>);
}

template <class Sheet, class RecordPtr>
void RegisterSheet()
{
    VqsSheetRegister::AddFactory(&VqsMakeOptionsSheet<Sheet, RecordPtr>);
}

// One table per registry, run in this order at load and in the reverse order at unload:
// the typed lists' default objects; the global-logic option sheets; the application object
// (exactly one, with the report of failed window handlers); the COM module; the GO spec definitions (appended, so tried in table
// order); the lock manager and its connector; the option nodes and the option sheets
// (each pushed on the head of its registry, so tried in the reverse of table order).
// The registry is emptied after the last registration is undone.
const VqsStartupStep kGlobalLogicSheets[] = {
    {&NothingToDo, &VqsSheetRegister::FreeFactories},
    {&RegisterSheet<VqsOptions_GL_Tarsk_Sheet, PxTarskGLGOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_GL_QSR_Sheet, PxQSRGLGOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_GL_NT_Sheet, PxNTGLGOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_GL_Unix_Sheet, PxUnixGLGOptionsPtr>, &NothingToDo},
};
const VqsStartupStep kApplicationObject[] = {{&CreateApplication, &DestroyApplication}};
const VqsStartupStep kComModule[] = {{&CreateComModule, &DestroyComModule}};
void RegisterTarskBSegSheet() { VqsSheetRegister::AddFactory(&VqsOptions_BSeg_Tarsk_Sheet::CreateSheet); }
void RegisterQSRBSegSheet() { VqsSheetRegister::AddFactory(&VqsOptions_BSeg_QSR_Sheet::CreateSheet); }
void RegisterQSRComponentSheet() { VqsSheetRegister::AddFactory(&VqsOptions_Component_QSR_Sheet::CreateSheet); }
void RegisterQSREventSheet() { VqsSheetRegister::AddFactory(&VqsOptions_Event_QSR_Sheet::CreateSheet); }
void RegisterQSRProfileSheet() { VqsSheetRegister::AddFactory(&VqsOptions_Profile_QSR_Sheet::CreateSheet); }
void RegisterQSRReportSheet() { VqsSheetRegister::AddFactory(&VqsOptions_Report_QSR_Sheet::CreateSheet); }

template <class Spec>
void RegisterGoSpec()
{
    VqsGoDispatcher::RegisterDefinition(VqsGoSpec::DefinitionOf<Spec>());
}

// Longer keyword forms come first where a shorter one would take their second word as an
// argument ("MD DEF" before "MD", "OD EVENT" before "OD").
const VqsStartupStep kGoSpecs[] = {
    {&NothingToDo, &VqsGoDispatcher::FreeDefinitions},
    {&RegisterGoSpec<VqsGoSpecQSRBSOptAU>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecQSRBSOptCF>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecQSRBSOptMDDEF>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecQSRBSOptMD>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecQSRBSOptPM>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecQSRBSOptRD>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecQSRBSOptOD>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecBSOptGO>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecBSOptEOP>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecBSOptOLP>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecBSOptPK>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecElementOptEO>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecReportOptEX>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecReportOptFL>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecComponentOptOD>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecComponentOptOLT>, &NothingToDo},
    {&RegisterGoSpec<VqsGoSpecPackAssoc>, &NothingToDo},
};
const VqsStartupStep kLockManager[] = {{&VqsCreateLockManager, &VqsDestroyLockManager},
                                       {&VqsCreateLockManagerConnector, &VqsDestroyLockManagerConnector}};

// The registry is emptied after the last registration is undone.
const VqsStartupStep kOptionNodes[] = {
    {&NothingToDo, &VqsOptionNodeRegister::FreeAll},
    {&RegisterOptionNode<VqsModelNodeOptionNTBSeg>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionQSRBSeg>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionTarskBSeg>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionUnixBSeg>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionNTEvent>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionQSREvent>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionTarskEvent>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionUnixEvent>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionNTComp>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionQSRComp>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionTarskComp>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionUnixComp>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionNTReport>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionQSRReport>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionTarskReport>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionUnixReport>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionGLG>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionNTProfile>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionQSRProfile>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionTarskProfile>, &NothingToDo},
    {&RegisterOptionNode<VqsModelNodeOptionUnixProfile>, &NothingToDo},
};

// The twenty platform sheets. A record none of them takes (the options of an Ispec that is
// neither a component nor an event) is not supported (61500).
const VqsStartupStep kOptionSheets[] = {
    {&RegisterTarskBSegSheet, &NothingToDo},
    {&RegisterQSRBSegSheet, &NothingToDo},
    {&RegisterSheet<VqsOptions_BSeg_NT_Sheet, PxNTBSegOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_BSeg_Unix_Sheet, PxUnixBSegOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Component_Tarsk_Sheet, PxTarskCompOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Event_Tarsk_Sheet, PxTarskEventOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Profile_Tarsk_Sheet, PxTarskProfileOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Report_Tarsk_Sheet, PxTarskReportOptionsPtr>, &NothingToDo},
    {&RegisterQSRComponentSheet, &NothingToDo},
    {&RegisterSheet<VqsOptions_Component_NT_Sheet, PxNTCompOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Component_Unix_Sheet, PxUnixCompOptionsPtr>, &NothingToDo},
    {&RegisterQSREventSheet, &NothingToDo},
    {&RegisterSheet<VqsOptions_Event_NT_Sheet, PxNTEventOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Event_Unix_Sheet, PxUnixEventOptionsPtr>, &NothingToDo},
    {&RegisterQSRProfileSheet, &NothingToDo},
    {&RegisterSheet<VqsOptions_Profile_NT_Sheet, PxNTProfileOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Profile_Unix_Sheet, PxUnixProfileOptionsPtr>, &NothingToDo},
    {&RegisterQSRReportSheet, &NothingToDo},
    {&RegisterSheet<VqsOptions_Report_NT_Sheet, PxNTReportOptionsPtr>, &NothingToDo},
    {&RegisterSheet<VqsOptions_Report_Unix_Sheet, PxUnixReportOptionsPtr>, &NothingToDo},
};

const std::span<const VqsStartupStep> kStartupOrder[] = {kGlobalLogicSheets, kApplicationObject, kComModule,
                                                         kGoSpecs, kLockManager, kOptionNodes, kOptionSheets};

} // namespace

void VqsStartModule()
{
    if (g_started)
        return;
    g_started = true;
    g_startedBy = vqwin::ProcessMade();
    PxSessionEnds::OweLaterAgain();
    for (std::span<const VqsStartupStep> table : kStartupOrder)
        for (const VqsStartupStep& step : table)
            step.start();
    g_app->InitInstance();
}

void VqsEndModule()
{
    if (!g_started || !g_startedBy.Here())
        return;
    PxSessionEnds::MakeLastTries();
    g_app->ExitInstance();
    for (auto table = std::rbegin(kStartupOrder); table != std::rend(kStartupOrder); ++table)
        for (auto step = table->rbegin(); step != table->rend(); ++step)
            step->end();
    // None of the module's threads may still be ending when its code is unloaded.
    vqwin::JoinEndedThreads();
    PxSessionEnds::LastTriesMade();
    g_started = false;
}

void VqsNoteModuleCall()
{
    if (g_started)
        g_startedBy.TakeHere();
}

CComModule* VqsGetComModule() { return g_comModule; }
