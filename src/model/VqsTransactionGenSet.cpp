#include "model/VqsTransactionGenSet.h"

namespace {

constexpr UINT IDS_CANNOT_SAVE_GENERATE_SET = 61672;

} // namespace

void VqsTransactionGenSet::SetGenSetSpec(LPCTSTR name, LPCTSTR shortName, LPCTSTR description, LPCTSTR hostName)
{
    Write<int>({m_pGenSet}, IDS_CANNOT_SAVE_GENERATE_SET, [&] {
        m_pGenSet->SetName(RepositoryName(name, shortName));
        if (AllowLongNames())
            m_pGenSet->SetLongName(name);
        m_pGenSet->SetDescription(description);
        m_pGenSet->SetHostName(hostName);
        return 1;
    });
}
