// A transaction on a system.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQSystem.h"

class VqsTransactionSystem : public VqsTransaction {
public:
    explicit VqsTransactionSystem(const PxVQSystemPtr& system) : m_pSystem(system) {}

    // With resetVersionNumber set, a changed runtime version identifier starts the
    // system's version numbers again at 1. Without a system nothing happens.
    void SetSystemSpec(LPCTSTR name, LPCTSTR shortName, LPCTSTR description, LPCTSTR runtimeVersionIdentifier,
                       LPCTSTR previousRuntimeVersionIdentifier, int resetReportCount, int resetVersionNumber);

private:
    PxVQSystemPtr m_pSystem;
};
