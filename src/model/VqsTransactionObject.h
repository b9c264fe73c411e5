// A transaction on generation-side objects, to delete them.
#pragma once

#include "model/VqsTransaction.h"
#include "proxy/PxVQObject.h"

#include <vector>

class VqsTransactionObject : public VqsTransaction {
public:
    explicit VqsTransactionObject(const PxVQObjectPtr& object) : m_objects{PxObjectPtr(object)} {}
    explicit VqsTransactionObject(std::vector<PxObjectPtr> objects) : m_objects(std::move(objects)) {}

    // 1 when the objects are gone: deleted now, together, or already deleted by someone else.
    int DeleteObject();

private:
    std::vector<PxObjectPtr> m_objects;
};
