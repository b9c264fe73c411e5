// A transaction on one generation-side object, to delete it.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQObject.h"

class VqsTransactionObject : public VqsTransaction {
public:
    explicit VqsTransactionObject(const PxVQObjectPtr& object) : m_pObject(object) {}

    // 1 when the object is gone: deleted now, or already deleted by someone else.
    int DeleteObject();

private:
    PxVQObjectPtr m_pObject;
};
