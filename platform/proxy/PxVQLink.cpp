#include "proxy/PxVQLink.h"

#include "proxy/PxFaultInjection.h"

PxLSEEnterprisePtr PxLSELink::GetLSEEnterprise() const
{
    PxFaultInjection::Check("PxLSELink::GetLSEEnterprise");
    return GetRoot("PxLSEEnterprise");
}

PxVQEnterprisePtr PxVQLink::GetLVQEnterprise() const
{
    PxFaultInjection::Check("PxVQLink::GetLVQEnterprise");
    return GetRoot("PxVQEnterprise");
}
