// The session links of the design side and of the generation side; the module's link
// is a PxVQLink and reaches both roots.
#pragma once

#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLink.h"
#include "proxy/PxVQEnterprise.h"

class PxLSELink : public PxLink {
public:
    PxLSEEnterprisePtr GetLSEEnterprise() const;
};

class PxVQLink : public PxLSELink {
public:
    PxVQEnterprisePtr GetLVQEnterprise() const;
};
