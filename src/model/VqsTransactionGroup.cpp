#include "model/VqsTransactionGroup.h"

namespace {

constexpr UINT IDS_CANNOT_CREATE_REPORT_ENTRY = 61584;
constexpr UINT IDS_CANNOT_SAVE_REPORT_GROUP = 61696;

} // namespace

PxVQReportSoftLinkAliasPtr VqsTransactionGroup::CreateReportAlias(const PxVQReportSoftLinkPtr& report,
                                                                  LPCTSTR generateAs)
{
    return Write<PxVQReportSoftLinkAliasPtr>({m_pGroup, report}, IDS_CANNOT_CREATE_REPORT_ENTRY, [&] {
        PxVQReportSoftLinkAliasPtr alias = m_pGroup->CreateReportSoftLinkAlias(report);
        alias->SetGenerateAs(generateAs);
        return alias;
    });
}

void VqsTransactionGroup::SetReportGroupSpec(LPCTSTR name, LPCTSTR shortName, LPCTSTR description)
{
    Write<int>({m_pGroup}, IDS_CANNOT_SAVE_REPORT_GROUP, [&] {
        m_pGroup->SetName(RepositoryName(name, shortName));
        if (AllowLongNames())
            m_pGroup->SetLongName(name);
        m_pGroup->SetDescription(description);
        return 1;
    });
}

void VqsTransactionRepAlias::SetReportAliasGenerateAs(LPCTSTR generateAs)
{
    Update<int>({m_pAlias}, [&] {
        m_pAlias->SetGenerateAs(generateAs);
        return 1;
    });
}
