#include "proxy/PxObjectEdition.h"

#include "proxy/PxFaultInjection.h"

BOOL PxObjectEdition::IsLatestEdition() const
{
    PxFaultInjection::Check("PxObjectEdition::IsLatestEdition");
    if (!m_object)
        return FALSE;
    std::optional<std::int64_t> stored = m_object->StoredEdition();
    return stored && *stored == m_edition;
}
