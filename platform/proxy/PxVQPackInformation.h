// A pack: a named storage place (pack type 0 not defined yet, 1 path, 2 Tablespace or
// Filegroup) with one host-pack data record per host.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

class PxVQPackInformation : public PxVQObject {
    PX_DECLARE_CLASS(PxVQPackInformation, PxVQObject)

    PX_TEXT_PROPERTY(Name)
    PX_VALUE_PROPERTY(int, PackType)
    void GetListOfHostPackData(PxTypedList<PxVQHostPackDataPtr>& entries) const;
    // The host-pack data of each of these packs, read together.
    static std::vector<std::vector<PxObjectPtr>> HostPackDataOf(const std::vector<PxObjectPtr>& packs);

protected:
    PxVQPackInformation() = default;
};
