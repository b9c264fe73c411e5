#include "model/VqsTransactionObject.h"

#include "proxy/PxException.h"

namespace {

constexpr UINT IDS_CANNOT_DELETE_OBJECT = 61644;

} // namespace

int VqsTransactionObject::DeleteObject()
{
    return Write<int>({m_pObject}, IDS_CANNOT_DELETE_OBJECT, [&] {
        try {
            m_pObject->DeleteObject();
        } catch (const PxException& error) {
            if (!error.IsObjectDeleted())
                throw;
        }
        return 1;
    });
}
