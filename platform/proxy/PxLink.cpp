#include "proxy/PxLink.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxLocking.h"
#include "proxy/PxSession.h"
#include "proxy/PxStore.h"
#include "proxy/PxVQObject.h"

PxLink::PxLink() : m_core(std::make_shared<PxLinkCore>(this)) {}

PxLink::~PxLink() { m_core->Close(); }

void PxLink::AttachSession(const void* repository, const void* userCode, const void* sessionHandle)
{
    PxFaultInjection::Check("PxLink::AttachSession");
    if (m_core->IsAttached())
        PX_THROW("The repository link is attached to a session already.");
    const char* path = static_cast<const char*>(repository);
    if (!path || !*path)
        PX_THROW("Cannot open the repository: no repository file is named.");
    const char* user = static_cast<const char*>(userCode);
    m_core->Attach(PxSession::Attach(path, user ? user : "", sessionHandle));
}

PxProcess* PxLink::GetProcess() const
{
    PxFaultInjection::Check("PxLink::GetProcess");
    return m_core->Session()->Process();
}

CString PxLink::GetRepositoryNotice() const { return CString(m_core->Session()->Store().Notice().c_str()); }

void PxLink::BeginTransaction()
{
    PxFaultInjection::Check("PxLink::BeginTransaction");
    m_core->Session()->Begin();
}

void PxLink::CommitTransaction()
{
    PxFaultInjection::Check("PxLink::CommitTransaction");
    m_core->Session()->Commit();
}

void PxLink::AbortTransaction()
{
    PxFaultInjection::Check("PxLink::AbortTransaction");
    m_core->Session()->Abort();
}

BOOL PxLink::IsInTransaction() const
{
    PxFaultInjection::Check("PxLink::IsInTransaction");
    return m_core->IsAttached() && m_core->Session()->InTransaction();
}

BOOL PxLink::HasTransactionFailed() const { return m_core->IsAttached() && m_core->Session()->HasFailed(); }

CString PxLink::GetTransactionFailure() const
{
    return m_core->IsAttached() ? CString(m_core->Session()->Failure().c_str()) : CString();
}

void PxLink::SetSavepoint()
{
    PxFaultInjection::Check("PxLink::SetSavepoint");
    m_core->Session()->SetSavepoint();
}

void PxLink::RollbackToSavepoint()
{
    PxFaultInjection::Check("PxLink::RollbackToSavepoint");
    m_core->Session()->RollbackToSavepoint();
}

void PxLink::ReleaseSavepoint()
{
    PxFaultInjection::Check("PxLink::ReleaseSavepoint");
    m_core->Session()->ReleaseSavepoint();
}

void PxLink::StepEditionsTogether() { m_core->Session()->StepEditionsTogether(); }

void PxLink::StepEditionsAtOnce() { m_core->Session()->StepEditionsAtOnce(); }

BOOL PxLink::StepsEditionsTogether() const { return m_core->Session()->StepsEditionsTogether(); }

void PxLink::TakeEditionSteps() { m_core->Session()->TakeEditionSteps(); }

PxLockErrorInfo PxLink::LockList(PxList& objects, int kind, const char* operation)
{
    PxFaultInjection::Check(operation);
    return PxLockObjects(*m_core, PxObjectsOfList(objects), kind, operation);
}

PxLockErrorInfo PxLink::ReadLock(PxList& objects) { return LockList(objects, PxLockRead, "PxLink::ReadLock"); }

PxLockErrorInfo PxLink::LongReadLock(PxList& objects)
{
    return LockList(objects, PxLockLongRead, "PxLink::LongReadLock");
}

PxLockErrorInfo PxLink::FutureUpdateLock(PxList& objects)
{
    return LockList(objects, PxLockFutureUpdate, "PxLink::FutureUpdateLock");
}

PxLockErrorInfo PxLink::WriteLock(PxList& objects, int) { return LockList(objects, PxLockWrite, "PxLink::WriteLock"); }

PxLockErrorInfo PxLink::UnLock(PxList& objects)
{
    PxFaultInjection::Check("PxLink::UnLock");
    return PxUnlockObjects(*m_core, PxObjectsOfList(objects));
}

PxLockErrorInfo PxLink::PersistentLock(int manual, PxList& objects)
{
    PxFaultInjection::Check("PxLink::PersistentLock");
    return PxPlacePersistentLocks(*m_core, PxObjectsOfList(objects), manual != 0, false, "PxLink::PersistentLock");
}

PxRetryFunction PxLink::PxSetRetryFunction(PxRetryFunction function) { return m_core->SetRetryFunction(function); }

void PxLink::PxSetBusyWaitsShown(BOOL shown) { m_core->SetBusyWaitsShown(shown != FALSE); }

void PxLink::ClearAllBuffers()
{
    PxFaultInjection::Check("PxLink::ClearAllBuffers");
    m_core->ClearBuffers();
}

void PxLink::CreateRepository(const char* path)
{
    PxFaultInjection::Check("PxLink::CreateRepository");
    if (!path || !*path)
        PX_THROW("Cannot create a repository: no repository file is named.");
    PxStore::Create(path);
}

PxObjectPtr PxLink::GetRoot(const char* className) const
{
    std::shared_ptr<PxSession> session = m_core->Session();
    const std::int64_t oid = session->Read([&] { return session->Store().Root(className); });
    return m_core->Load(oid);
}
