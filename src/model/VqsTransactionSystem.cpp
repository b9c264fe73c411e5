#include "model/VqsTransactionSystem.h"

namespace {

constexpr UINT IDS_CANNOT_SAVE_SYSTEM = 61657;

} // namespace

void VqsTransactionSystem::SetSystemSpec(LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                                         LPCTSTR runtimeVersionIdentifier, LPCTSTR previousRuntimeVersionIdentifier,
                                         int resetReportCount, int resetVersionNumber)
{
    if (!m_pSystem)
        return;
    Write<int>({m_pSystem}, IDS_CANNOT_SAVE_SYSTEM, [&] {
        m_pSystem->SetName(RepositoryName(name, shortName));
        if (AllowLongNames())
            m_pSystem->SetLongName(name);
        m_pSystem->SetDescription(description);
        m_pSystem->SetRuntimeVersionIdentifier(runtimeVersionIdentifier);
        m_pSystem->SetResetVersionNumber(resetVersionNumber);
        m_pSystem->SetResetReportCount(resetReportCount);
        if (resetVersionNumber && CString(runtimeVersionIdentifier) != previousRuntimeVersionIdentifier)
            m_pSystem->SetSystemVersionNumber(1);
        return 1;
    });
}
