// A configuration with an option set of every host type and one business segment with an
// element of every kind, each with its blank option records: the records of every class.
#pragma once

#include "proxy/PxOptions.h"
#include "proxy/PxVQLink.h"

#include <initializer_list>
#include <memory>
#include <vector>

class PxPlatformRecords {
public:
    PxPlatformRecords();
    ~PxPlatformRecords();
    PxPlatformRecords(const PxPlatformRecords&) = delete;
    PxPlatformRecords& operator=(const PxPlatformRecords&) = delete;

    // The record of the segment ("SALES") or of one of its elements: "CUSTOMER" (component),
    // "EVENT" (event), "DIRECT" (Ispec of another type), "MONTHLY" (report), "CUSTBYNAME"
    // (profile), "STARTUP" (global logic).
    PxOptionsPtr Record(const char* element, int hostType) const;
    // Every record of the option sets of the host types (a partition sub-record of the Unix
    // segment with the Unix records).
    std::vector<PxOptionsPtr> Records(std::initializer_list<int> hostTypes) const;

private:
    std::unique_ptr<PxVQLink> m_link;
    PxVQBSSoftLinkPtr m_segment;
    PxVQOptionSetPtr m_sets[4];
};
