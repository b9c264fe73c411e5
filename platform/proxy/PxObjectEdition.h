// An object's edition as it was read: it stays the latest until a change of the object
// is committed (or, for the session's own changes, made).
#pragma once

#include "proxy/PxObject.h"

#include <cstdint>

class PxObjectEdition {
public:
    PxObjectEdition() = default;
    PxObjectEdition(const PxObjectPtr& object, std::int64_t edition) : m_object(object), m_edition(edition) {}

    // True while the stored object still has this edition; false once it changed or went,
    // and for an edition of no object.
    BOOL IsLatestEdition() const;
    BOOL IsSameOid(const PxObjectPtr& other) const { return m_object && m_object->IsSameOid(other); }
    std::int64_t GetEdition() const { return m_edition; }
    const PxObjectPtr& GetObject() const { return m_object; }

private:
    PxObjectPtr m_object;
    std::int64_t m_edition = 0;
};
