// A transaction on a generate set.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQOptionSet.h"

class VqsTransactionGenSet : public VqsTransaction {
public:
    explicit VqsTransactionGenSet(const PxVQGenSetPtr& genSet) : m_pGenSet(genSet) {}

    void SetGenSetSpec(LPCTSTR name, LPCTSTR shortName, LPCTSTR description, LPCTSTR hostName);

private:
    PxVQGenSetPtr m_pGenSet;
};
