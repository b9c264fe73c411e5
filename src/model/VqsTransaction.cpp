#include "model/VqsTransaction.h"

#include "proxy/PxVQLink.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <exception>

namespace {

constexpr UINT IDS_UPDATE_FAILED = 61489;
constexpr UINT IDS_CANNOT_BEGIN = 61526;
constexpr UINT IDS_CANNOT_COMMIT = 61527;
constexpr UINT IDS_CANNOT_ACCESS_REPOSITORY = 61639;
constexpr UINT IDS_CONTEXT_AND_MESSAGE = 61665;

// One session at a time, on the thread that owns the session link.
unsigned g_depth = 0;
int g_ok = 1;
int g_joined = 0;

void LogFinishFailure(const VqsSysApp& app, const char* what) noexcept
{
    try {
        CString text;
        text.Format("The views could not take in the end of a transaction: %s", what);
        app.LogError(0, text);
    } catch (...) {
    }
}

} // namespace

VqsTransaction::VqsTransaction()
{
    if (g_depth++ > 0)
        return;
    try {
        BeginOutermost();
    } catch (...) {
        // The destructor of an object whose constructor throws never runs.
        --g_depth;
        g_ok = 0;
        AbandonOwnTransaction();
        throw;
    }
}

VqsTransaction::~VqsTransaction()
{
    if (--g_depth > 0 || g_joined)
        return;
    EndOutermost();
}

void VqsTransaction::BeginOutermost()
{
    g_ok = 1;
    g_joined = 0;
    PxVQLink* link = Link();
    if (!link) {
        g_ok = 0;
        VqsErrorBoxId(IDS_CANNOT_ACCESS_REPOSITORY);
    } else {
        g_joined = link->IsInTransaction() ? 1 : 0;
        if (g_joined)
            return;
        g_ok = 0;
        try {
            link->BeginTransaction();
            g_ok = 1;
        } catch (const VqReportableException& error) {
            ShowErrorById(IDS_CANNOT_BEGIN, error);
        }
    }
    if (VqsSysApp* app = VqsGetApp())
        app->BeginTransaction();
}

void VqsTransaction::EndOutermost() noexcept
{
    try {
        if (PxVQLink* link = Link())
            CommitOrAbort(*link);
    } catch (const VqException& error) {
        ReportUnexpectedEnd(error.GetErrorMessage());
    } catch (const std::exception& error) {
        ReportUnexpectedEnd(error.what());
    } catch (...) {
        ReportUnexpectedEnd("unknown error");
    }
    TellApplicationOfEnd();
}

// The repository has committed or aborted by now, so a view that fails to take in the
// notices changes nothing of the outcome; it is logged.
void VqsTransaction::TellApplicationOfEnd() noexcept
{
    VqsSysApp* app = VqsGetApp();
    if (!app)
        return;
    try {
        app->FinishTransaction(g_ok != 0);
    } catch (const std::exception& error) {
        LogFinishFailure(*app, error.what());
    } catch (...) {
        LogFinishFailure(*app, "unknown error");
    }
}


void VqsTransaction::CommitOrAbort(PxVQLink& link)
{
    if (!link.IsInTransaction())
        return;
    if (g_ok) {
        try {
            link.CommitTransaction();
        } catch (const VqReportableException& error) {
            ReportFailure(IDS_CANNOT_COMMIT, error);
        }
    }
    if (!g_ok)
        link.AbortTransaction();
}

// Something other than a refused commit stopped the end of the transaction: it must not
// leave the destructor, and nothing of the transaction may stay behind.
void VqsTransaction::ReportUnexpectedEnd(const char* what) noexcept
{
    g_ok = 0;
    try {
        CString context;
        if (!context.LoadString(IDS_CANNOT_COMMIT))
            context = "Error";
        CString text;
        text.FormatMessage(IDS_CONTEXT_AND_MESSAGE, context.GetString(), what);
        VqsErrorBox(text);
    } catch (...) {
    }
    AbandonOwnTransaction();
}

void VqsTransaction::AbandonOwnTransaction() noexcept
{
    try {
        PxVQLink* link = Link();
        if (link && !g_joined && link->IsInTransaction())
            link->AbortTransaction();
    } catch (...) {
    }
}

int VqsTransaction::IsUsable()
{
    if (g_ok && g_joined) {
        PxVQLink* link = Link();
        if (!link || !link->IsInTransaction())
            g_ok = 0;
    }
    return g_ok;
}

void VqsTransaction::SetFailed() { g_ok = 0; }

void VqsTransaction::ReportFailure(UINT stringId, const VqReportableException& error)
{
    g_ok = 0;
    ShowErrorById(stringId, error);
}

void VqsTransaction::ReportFailureText(LPCTSTR text, const VqReportableException& error)
{
    g_ok = 0;
    VqsReportError(text, error);
}

int VqsTransaction::IsOk() { return g_ok; }

PxVQLink* VqsTransaction::Link()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

BOOL VqsTransaction::AllowLongNames()
{
    VqsSysApp* app = VqsGetApp();
    return app && app->GetAllowLongNames();
}

CString VqsTransaction::RepositoryName(const CString& name, const CString& shortName)
{
    return AllowLongNames() ? shortName : name;
}

BOOL VqsTransaction::CanWrite(std::initializer_list<PxObjectPtr> needed)
{
    if (!IsUsable())
        return FALSE;
    for (const PxObjectPtr& object : needed) {
        if (!object) {
            SetFailed();
            return FALSE;
        }
    }
    return TRUE;
}

void VqsTransaction::ReportUpdateFailure(const PxObjectPtr& object, const VqReportableException& error)
{
    CString text;
    text.FormatMessage(IDS_UPDATE_FAILED, VqsGetObjectKindName(object ? object->GetObjectKind() : 0));
    ReportFailureText(text, error);
}
