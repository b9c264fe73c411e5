#include "model/VqsTransactionObject.h"

#include <algorithm>

namespace {

constexpr UINT IDS_CANNOT_DELETE_OBJECT = 61644;

} // namespace

int VqsTransactionObject::DeleteObject()
{
    return Write<int>({}, IDS_CANNOT_DELETE_OBJECT, [&] {
        if (std::any_of(m_objects.begin(), m_objects.end(), [](const PxObjectPtr& object) { return !object; })) {
            SetFailed();
            return 0;
        }
        PxVQObject::DeleteObjects(m_objects);
        return 1;
    });
}
