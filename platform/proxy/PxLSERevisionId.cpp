#include "proxy/PxLSERevisionId.h"

#include <cstring>
#include <vector>

PX_IMPLEMENT_CLASS(PxLSERevisionId, 0)

GUID PxLSERevisionId::GetGuid() const
{
    Enter("PxLSERevisionId::GetGuid");
    GUID guid{};
    std::vector<BYTE> bytes = GetAttributeBlob("guid");
    if (bytes.size() == sizeof(guid))
        std::memcpy(&guid, bytes.data(), sizeof(guid));
    return guid;
}

int PxLSERevisionId::GetUpdated() const { return static_cast<int>(ReadInt("PxLSERevisionId::GetUpdated", "updated")); }

void PxLSERevisionId::SetUpdated(int updated) { WriteInt("PxLSERevisionId::SetUpdated", "updated", updated); }
