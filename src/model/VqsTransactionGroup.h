// Transactions on a report group and on a report's entry in one.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"

class VqsTransactionGroup : public VqsTransaction {
public:
    explicit VqsTransactionGroup(const PxVQReportGroupPtr& group) : m_pGroup(group) {}

    PxVQReportSoftLinkAliasPtr CreateReportAlias(const PxVQReportSoftLinkPtr& report, LPCTSTR generateAs);
    void SetReportGroupSpec(LPCTSTR name, LPCTSTR shortName, LPCTSTR description);

private:
    PxVQReportGroupPtr m_pGroup;
};

class VqsTransactionRepAlias : public VqsTransaction {
public:
    explicit VqsTransactionRepAlias(const PxVQReportSoftLinkAliasPtr& alias) : m_pAlias(alias) {}

    void SetReportAliasGenerateAs(LPCTSTR generateAs);

private:
    PxVQReportSoftLinkAliasPtr m_pAlias;
};
