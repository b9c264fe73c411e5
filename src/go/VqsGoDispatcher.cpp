#include "go/VqsGoDispatcher.h"

#include "go/VqsGoSpec.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CCmdTarget.h"

namespace {

constexpr UINT IDS_CANNOT_ACCESS_BUSINESS_SEGMENT = 61721;
constexpr UINT IDS_OPEN_SYSTEM_DIRECTORY = 61722;

// Made as the library loads, not at first use: the module's end, which may use it, finds it.
CTypedPtrList<CPtrList, VqsGoDispatcher::PrivateSpecDefinition*> g_registry(10);
CString g_lastGoText;

CTypedPtrList<CPtrList, VqsGoDispatcher::PrivateSpecDefinition*>& Registry() { return g_registry; }

// The design business segment the host names; FALSE after the error box when it cannot be
// read.
BOOL LookUpBusinessSegment(VqsGoContext& context, const char* name)
{
    try {
        VqsSysApp* app = VqsGetApp();
        PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
        if (enterprise)
            context.m_pBusinessSegment = enterprise->GetBusinessSegment(name);
        return TRUE;
    } catch (const VqReportableException& error) {
        CString text;
        text.FormatMessage(IDS_CANNOT_ACCESS_BUSINESS_SEGMENT, name);
        VqsReportError(text, error);
        return FALSE;
    }
}

// The locks of the enterprise and what the model holds of it are taken and given back at
// once: a GO command starts only when nobody writes to it. False when a lock failed (the user
// was told).
bool WaitForWriters(VqsModel& model)
{
    VqsLockBag bag(VqsReadLock);
    return model.LockSubtree(bag, PxVQObjectPtr());
}

} // namespace

VqsGoDispatcher VqsGoDispatcher::s_instance;

VqsGoDispatcher* VqsGoDispatcher::Instance() { return &s_instance; }

void VqsGoDispatcher::RegisterDefinition(PrivateSpecDefinition* definition) { Registry().AddTail(definition); }

void VqsGoDispatcher::FreeDefinitions() { Registry().RemoveAll(); }

INT_PTR VqsGoDispatcher::GetDefinitionCount() { return Registry().GetCount(); }

VqsAPtr<VqsGoSpec> VqsGoDispatcher::ParseGoText(const char* text, CStringList& arguments)
{
    const CString goText(text ? text : "");
    for (POSITION pos = Registry().GetHeadPosition(); pos;) {
        VqsAPtr<VqsGoSpec> spec = Registry().GetNext(pos)->CreateSpec(goText, arguments);
        if (spec)
            return spec;
    }
    return VqsAPtr<VqsGoSpec>();
}

int VqsGoDispatcher::ImplementGoCommand(const char* text, const char* businessSegment)
{
    CStringList arguments(10);
    VqsAPtr<VqsGoSpec> spec = ParseGoText(text, arguments);
    if (!spec)
        return 0;
    VqsGoContext context;
    if (businessSegment && *businessSegment && !LookUpBusinessSegment(context, businessSegment))
        return 1;
    VqsModel model(0);
    VqsParseReturn result;
    BOOL filtered = FALSE;
    {
        CWaitCursor wait;
        if (VqsSysApp* app = VqsGetApp())
            app->RefreshAllViews(&model);
        if (!WaitForWriters(model))
            return 1;
        filtered = spec->Filter(result, model, context, arguments);
    }
    if (!filtered)
        return 1;
    CString message;
    if (result.GetMessage(message))
        VqsMessageBox(message);
    else if (!result.OpenTarget())
        VqsMessageBoxId(IDS_OPEN_SYSTEM_DIRECTORY);
    return 1;
}

CString& VqsGoDispatcher::LastGoText() { return g_lastGoText; }
