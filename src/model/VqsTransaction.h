// The frame of every repository change the module makes. A transaction object lives on the
// stack of the editing operation; the outermost one begins a repository transaction on the
// session link (or joins the host's open one) and commits or aborts it when it ends.
// Nested transaction objects share the outermost one's fate: the first failure makes every
// later write refuse itself, and the outermost destructor aborts everything.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxObject.h"
#include "proxy/VqException.h"
#include "win/CString.h"
#include "win/Object.h"
#include "win/Types.h"

#include <initializer_list>

class PxVQLink;

class VqsTransaction : public CObject {
public:
    // Begins a repository transaction at the outermost level, or joins the host's (as the
    // application's host transactions say: a part of a host step, or a step of the user's own
    // that is whole; refused, with a box, while the host's transaction has failed and the host
    // has not ended it yet).
    VqsTransaction();
    // At the outermost level: commits when nothing failed, aborts otherwise, and tells the
    // application how it ended; a joined one keeps what it wrote or, failed, undoes it.
    // Never throws.
    ~VqsTransaction() override;
    VqsTransaction(const VqsTransaction&) = delete;
    VqsTransaction& operator=(const VqsTransaction&) = delete;

    // Nonzero while writes may still be made; a joined transaction that the host has ended
    // meanwhile fails here.
    int IsUsable();
    void SetFailed();
    // For the rest of a transaction of its own (not the host's joined), its changes step the
    // editions of what they change together: many changes, one round trip.
    void StepEditionsTogether();
    // Fails the transaction and shows "<text of stringId>:\n<the exception's message>".
    void ReportFailure(UINT stringId, const VqReportableException& error);
    void ReportFailureText(LPCTSTR text, const VqReportableException& error);
    // Whether the current (or last) outermost transaction has not failed; after the
    // outermost destructor, whether it committed.
    static int IsOk();
    // Ends the link's open transaction: commits it when `commit` is set, otherwise (and when
    // the commit is refused, which is shown as the one box of the failure) aborts it without
    // a box of its own. Whether it committed.
    static bool EndRepositoryTransaction(PxVQLink& link, bool commit);
    // After a failed transaction, whose failure has had its box: `reread` brings the model
    // back to what is stored. A repository failure of that read is the same failure again
    // (the connection went with it, say): it is logged, and the views keep what they show.
    template <class Reread>
    static void RereadAfterFailure(Reread reread);

protected:
    // The application's session link; null when no session is open.
    static PxVQLink* Link();
    static BOOL AllowLongNames();
    // The name an object is stored under: the short name when long names are allowed.
    static CString RepositoryName(const CString& name, const CString& shortName);

    // The write operations' frame: nothing happens unless the transaction is usable and
    // every object the operation needs is there (otherwise the transaction fails); a
    // reportable exception fails the transaction and is shown with the operation's message.
    template <class Result, class Body>
    Result Write(std::initializer_list<PxObjectPtr> needed, UINT failureId, Body body);
    // The same, with "Cannot update <kind of the first needed object>" as the message.
    template <class Result, class Body>
    Result Update(std::initializer_list<PxObjectPtr> needed, Body body);
    BOOL CanWrite(std::initializer_list<PxObjectPtr> needed);
    void ReportUpdateFailure(const PxObjectPtr& object, const VqReportableException& error);

private:
    void BeginOutermost();
    void EndOutermost() noexcept;
    static void TellApplicationOfEnd() noexcept;
    static void AbandonOwnTransaction() noexcept;
    void CommitOrAbort(PxVQLink& link);
    static void AbortAfterFailure(PxVQLink& link) noexcept;
    void ReportUnexpectedEnd(const char* what) noexcept;
    static void LogRereadFailure(const VqReportableException& error) noexcept;
};

// Inside a repository transaction open on the link (a host's, say), the changes made while it
// lives step the editions of what they change together with their other writes, not a round
// trip each; Take takes those steps, so that a failure among them (which fails the whole
// transaction) is met by the step that made them. Its end goes back to stepping each change at
// once, unless the transaction stepped them together before; nothing outside a transaction.
class VqsEditionStepsTogether {
public:
    explicit VqsEditionStepsTogether(PxVQLink* link);
    ~VqsEditionStepsTogether();
    VqsEditionStepsTogether(const VqsEditionStepsTogether&) = delete;
    VqsEditionStepsTogether& operator=(const VqsEditionStepsTogether&) = delete;

    void Take();

private:
    PxVQLink* m_pLink = nullptr;
};

template <class Reread>
void VqsTransaction::RereadAfterFailure(Reread reread)
{
    try {
        reread();
    } catch (const VqReportableException& error) {
        LogRereadFailure(error);
    }
}

template <class Result, class Body>
Result VqsTransaction::Write(std::initializer_list<PxObjectPtr> needed, UINT failureId, Body body)
{
    try {
        if (!CanWrite(needed))
            return Result();
        return body();
    } catch (const VqReportableException& error) {
        ReportFailure(failureId, error);
        return Result();
    }
}

template <class Result, class Body>
Result VqsTransaction::Update(std::initializer_list<PxObjectPtr> needed, Body body)
{
    try {
        if (!CanWrite(needed))
            return Result();
        return body();
    } catch (const VqReportableException& error) {
        ReportUpdateFailure(*needed.begin(), error);
        return Result();
    }
}
