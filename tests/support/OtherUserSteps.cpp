#include "support/OtherUserSteps.h"

#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQLink.h"

#include <stdexcept>

namespace vqtest {

void RenameHostWithoutWaiting(PxVQLink& link, const char* from, const char* to)
{
    const PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
    const PxVQHostInformationPtr host = enterprise->GetHostInformation(from);
    if (!enterprise->WriteLock(0).Succeeded() || !host->WriteLock(0).Succeeded())
        throw std::runtime_error("the other user had to wait");
    link.BeginTransaction();
    host->SetName(to);
    link.CommitTransaction();
    host->UnLock();
    enterprise->UnLock();
}

} // namespace vqtest
