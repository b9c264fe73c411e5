#include "proxy/VqcGuidCompare.h"

#include "proxy/PxLSEFormObject.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxVQElementSoftLink.h"

#include <cstring>
#include <vector>

namespace {

void AppendGuid(std::vector<BYTE>& bytes, const PxLSERevisionIdPtr& revision)
{
    if (!revision)
        return;
    const GUID guid = revision->GetGuid();
    const auto* first = reinterpret_cast<const BYTE*>(&guid);
    bytes.insert(bytes.end(), first, first + sizeof(guid));
}

std::vector<BYTE> RevisionBytes(const PxLSEElementPtr& element)
{
    std::vector<BYTE> bytes;
    AppendGuid(bytes, element->GetRevision());
    if (const PxLSEFormObjectPtr form{element}) {
        AppendGuid(bytes, form->GetGraphicalRevision());
        AppendGuid(bytes, form->GetCharacterRevision());
        AppendGuid(bytes, form->GetDataItemRevision());
        AppendGuid(bytes, form->GetDbRevision());
    }
    if (const PxLSEIspecPtr ispec{element})
        AppendGuid(bytes, ispec->GetTeachRevision());
    return bytes;
}

} // namespace

int VqcGuidCompare(const PxLSEObjectPtr& design, const PxVQElementSoftLinkPtr& link)
{
    const PxLSEElementPtr element(design);
    if (!element || !link)
        return 1;
    const std::vector<BYTE> kept = link->GetGuidBlob();
    const std::vector<BYTE> current = RevisionBytes(element);
    if (current.empty() || kept.size() != current.size())
        return 1;
    return std::memcmp(kept.data(), current.data(), kept.size()) != 0 ? 1 : 0;
}
