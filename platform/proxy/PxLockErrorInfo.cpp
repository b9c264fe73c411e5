#include "proxy/PxLockErrorInfo.h"

#include "proxy/PxVQObject.h"

PxLockErrorInfo::PxLockErrorInfo() : m_code(PxLockGranted) {}

PxLockErrorInfo::PxLockErrorInfo(int code, const PxVQObjectPtr& object) : m_code(code), m_object(object) {}

PxLockErrorInfo::PxLockErrorInfo(const PxLockErrorInfo& other) = default;

PxLockErrorInfo& PxLockErrorInfo::operator=(const PxLockErrorInfo& other) = default;

PxLockErrorInfo::~PxLockErrorInfo() = default;
