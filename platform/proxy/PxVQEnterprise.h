// The generation-side root of a repository: its systems, hosts and packs. A new host gets
// one host-pack data record for every pack and a new pack one for every host, so that
// each pack can be associated with each host.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxVQObject.h"

class PxVQEnterprise : public PxVQObject {
    PX_DECLARE_CLASS(PxVQEnterprise, PxVQObject)

    void GetListOfSystems(PxTypedList<PxVQSystemPtr>& systems) const;
    void GetListOfHostInformations(PxTypedList<PxVQHostInformationPtr>& hosts) const;
    void GetListOfPackInformations(PxTypedList<PxVQPackInformationPtr>& packs) const;
    // By exact name; null when there is none.
    PxVQSystemPtr GetSystem(const char* name) const;
    PxVQHostInformationPtr GetHostInformation(const char* name) const;
    PxVQPackInformationPtr GetPackInformation(const char* name) const;
    // The number of the enterprise's systems, hosts or packs, by object kind (3090, 3057, 3078).
    int CountOfItems(int objectKind) const;

    // A new system comes with its current configuration.
    PxVQSystemPtr CreateSystem(const char* name);
    PxVQHostInformationPtr CreateHostInformation(const char* name);
    PxVQPackInformationPtr CreatePackInformation(const char* name);

protected:
    PxVQEnterprise() = default;
};
