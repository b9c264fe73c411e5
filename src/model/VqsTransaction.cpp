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

void LogFailure(const char* format, const char* what) noexcept
{
    try {
        if (const VqsSysApp* app = VqsGetApp()) {
            CString text;
            text.Format(format, what);
            app->LogError(0, text);
        }
    } catch (...) {
    }
}

// Runs `body`; the text of anything it throws goes to `failed`. Whether it ran through.
template <class Body, class Failed>
bool RunCatchingAll(Body body, Failed failed) noexcept
{
    try {
        body();
        return true;
    } catch (const VqException& error) {
        failed(error.GetErrorMessage());
    } catch (const std::exception& error) {
        failed(error.what());
    } catch (...) {
        failed("unknown error");
    }
    return false;
}

void LogFinishFailure(const char* what) noexcept
{
    LogFailure("The views could not take in the end of a transaction: %s", what);
}

void LogAbortFailure(const char* what) noexcept
{
    LogFailure("The failed repository transaction could not be aborted: %s", what);
}

// The host's transaction has failed and is still pending: a transaction joins it, refused.
bool HasHostTransactionFailed()
{
    const VqsSysApp* app = VqsGetApp();
    return app && app->HasHostTransactionFailed() && app->IsTransactionPending();
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
    if (--g_depth > 0)
        return;
    if (!g_joined) {
        EndOutermost();
        return;
    }
    if (VqsSysApp* app = VqsGetApp())
        g_ok = app->LeaveHostTransaction(g_ok != 0) ? 1 : 0;
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
        VqsSysApp* app = VqsGetApp();
        g_joined = HasHostTransactionFailed() || link->IsInTransaction() ? 1 : 0;
        if (g_joined) {
            g_ok = app ? app->JoinHostTransaction() : !link->HasTransactionFailed();
            return;
        }
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
    RunCatchingAll(
        [this] {
            if (PxVQLink* link = Link())
                CommitOrAbort(*link);
        },
        [this](const char* what) { ReportUnexpectedEnd(what); });
    TellApplicationOfEnd();
}

// The repository has committed or aborted by now, so a view that fails to take in the
// notices changes nothing of the outcome: the broadcast tells a repository failure of a view,
// and anything else is logged.
void VqsTransaction::TellApplicationOfEnd() noexcept
{
    if (VqsSysApp* app = VqsGetApp())
        RunCatchingAll([app] { app->FinishTransaction(g_ok != 0); }, LogFinishFailure);
}

// A transaction that something else ended meanwhile committed nothing.
void VqsTransaction::CommitOrAbort(PxVQLink& link)
{
    if (!EndRepositoryTransaction(link, g_ok != 0))
        g_ok = 0;
}

bool VqsTransaction::EndRepositoryTransaction(PxVQLink& link, bool commit)
{
    if (!link.IsInTransaction())
        return false;
    if (commit) {
        try {
            link.CommitTransaction();
            return true;
        } catch (const VqReportableException& error) {
            ShowErrorById(IDS_CANNOT_COMMIT, error);
        }
    }
    AbortAfterFailure(link);
    return false;
}

// The failure has its box already (or its step tells of it), so the abort shows none: a
// refused commit may have ended the transaction itself, and a transaction the server could
// not abort stores nothing either. A failed abort is tried once more, so that no later
// transaction joins this one.
void VqsTransaction::AbortAfterFailure(PxVQLink& link) noexcept
{
    const auto abort = [&link] {
        if (link.IsInTransaction())
            link.AbortTransaction();
    };
    if (!RunCatchingAll(abort, LogAbortFailure))
        RunCatchingAll(abort, LogAbortFailure);
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

void VqsTransaction::LogRereadFailure(const VqReportableException& error) noexcept
{
    try {
        LogFailure("What a failed transaction left could not be read again: %s", error.GetErrorMessage());
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

void VqsTransaction::StepEditionsTogether()
{
    PxVQLink* link = Link();
    if (g_ok && !g_joined && link)
        link->StepEditionsTogether();
}

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

VqsEditionStepsTogether::VqsEditionStepsTogether(PxVQLink* link)
{
    if (!link || !link->IsInTransaction() || link->StepsEditionsTogether())
        return;
    link->StepEditionsTogether();
    m_pLink = link;
}

VqsEditionStepsTogether::~VqsEditionStepsTogether()
{
    if (m_pLink)
        m_pLink->StepEditionsAtOnce();
}

void VqsEditionStepsTogether::Take()
{
    if (m_pLink && m_pLink->IsInTransaction())
        m_pLink->TakeEditionSteps();
}
