// A transaction on a host.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQHostInformation.h"

#include <cstdint>

class VqsTransactionHostInfo : public VqsTransaction {
public:
    explicit VqsTransactionHostInfo(const PxVQHostInformationPtr& host) : m_pHost(host) {}

    void SetHostName(LPCTSTR name);
    // The port also becomes the default port of the host's type, where that can be stored.
    // A null password keeps the stored one as it is, enciphered or not.
    void SetHostSpec(LPCTSTR address, std::int64_t port, LPCTSTR ftpUserid, LPCTSTR ftpPassword, int kanaMode);

private:
    PxVQHostInformationPtr m_pHost;
};
