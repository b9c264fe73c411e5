// A transaction that creates the enterprise's systems, hosts and packs.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQEnterprise.h"

#include <cstdint>

class VqsTransactionEnterprise : public VqsTransaction {
public:
    // The session's generation-side enterprise; empty (and the transaction failed) when
    // there is no session.
    PxVQEnterprisePtr GetEnterprise();
    // A port outside 1 to 65535 creates nothing and fails the transaction. Once the host
    // exists its port becomes the default port of its host type.
    PxVQHostInformationPtr CreateHostInformation(LPCTSTR name, int hostType, LPCTSTR address, std::int64_t port,
                                                 LPCTSTR ftpUserid, LPCTSTR ftpPassword);
    PxVQPackInformationPtr CreatePackInformation(LPCTSTR name, int packType);
    // The system comes with its current configuration, which gets a new build version GUID.
    PxVQSystemPtr CreateSystem(LPCTSTR name, LPCTSTR shortName, LPCTSTR description, LPCTSTR runtimeVersionIdentifier,
                               int resetReportCount, int resetVersionNumber);
};

// The "EncryptFtpPassword" switch of the fixed settings file: passwords are stored
// enciphered when it is not 0.
int VqsReadEncryptFtpPassword();
