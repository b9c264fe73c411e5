#include "PxPlatformRecords.h"

#include "PxTestRepository.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQSystem.h"

#include <string>

PxPlatformRecords::PxPlatformRecords() : m_link(PxAttach(":memory:"))
{
    m_link->BeginTransaction();
    PxVQCurConfigPtr config = m_link->GetLVQEnterprise()->CreateSystem("SYS")->GetCurConfig();
    for (int hostType = 0; hostType < 4; ++hostType)
        m_sets[hostType] = config->CreateOptionSet(("SET" + std::to_string(hostType)).c_str(), hostType);
    m_segment = config->CreateBSSoftLink("SALES");
    m_segment->CreateElementSoftLink("CUSTOMER", VQSoftLinkIspec);
    PxVQIspecSoftLinkPtr(m_segment->CreateElementSoftLink("EVENT", VQSoftLinkIspec))->SetIspecType(0);
    PxVQIspecSoftLinkPtr(m_segment->CreateElementSoftLink("DIRECT", VQSoftLinkIspec))->SetIspecType(5);
    m_segment->CreateElementSoftLink("MONTHLY", VQSoftLinkReport);
    m_segment->CreateElementSoftLink("CUSTBYNAME", VQSoftLinkProfile);
    m_segment->CreateElementSoftLink("STARTUP", VQSoftLinkGlobalLogic);
    for (const PxVQOptionSetPtr& set : m_sets)
        set->CreateBlankOptions();
}

PxPlatformRecords::~PxPlatformRecords()
{
    if (m_link->IsInTransaction())
        m_link->AbortTransaction();
}

PxOptionsPtr PxPlatformRecords::Record(const char* element, int hostType) const
{
    PxVQSoftLinkPtr link = std::string(element) == "SALES" ? PxVQSoftLinkPtr(m_segment)
                                                           : PxVQSoftLinkPtr(m_segment->GetElementSoftLink(element));
    return link->GetOptions(m_sets[hostType]);
}

std::vector<PxOptionsPtr> PxPlatformRecords::Records(std::initializer_list<int> hostTypes) const
{
    std::vector<PxOptionsPtr> records;
    for (int hostType : hostTypes) {
        PxTypedList<PxOptionsPtr> inSet;
        m_sets[hostType]->GetAllOptions(inSet);
        for (POSITION position = inSet.GetHeadPosition(); position;)
            records.push_back(inSet.GetNext(position));
        if (hostType == VQHostUnix)
            records.push_back(PxVQOptionsPtr(Record("SALES", VQHostUnix))->CreateSubOptions("TPART1"));
    }
    return records;
}
