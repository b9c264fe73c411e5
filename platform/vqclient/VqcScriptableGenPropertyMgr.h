// The generation client's view of the generate properties of a scripted generation: the
// abstract manager the module implements, and the exception every failure of it leaves as.
// The client reads the properties through the same slots while a generation runs.
#pragma once

#include "win/CString.h"
#include "win/Collections.h"
#include "win/Types.h"

#include <cstdint>
#include <exception>

class PxVQLink;

class VqcScriptPropertyException : public std::exception {
public:
    explicit VqcScriptPropertyException(const char* text) : m_text(text) {}

    const CString& GetText() const { return m_text; }
    const char* what() const noexcept override { return m_text.GetString(); }

private:
    CString m_text;
};

// Every slot that takes a link receives the module's repository link (null while no
// session is open) and a dot-separated property path; failures throw
// VqcScriptPropertyException.
class VqcScriptableGenPropertyMgr {
public:
    virtual ~VqcScriptableGenPropertyMgr() = default;

    virtual void ClearValues(PxVQLink* link, const char* path) = 0;
    virtual void ListProperties(PxVQLink* link, const char* path, CStringArray& names) = 0;
    virtual void SetValue(PxVQLink* link, const char* path, const char* value) = 0;
    // Null for a string id that declares no property.
    virtual const char* GetPropertyName(UINT stringId) = 0;
    virtual void GetValue(PxVQLink* link, const char* path, CString& value) = 0;
    virtual void GetBool(PxVQLink* link, const char* path, BOOL& value) = 0;
    virtual void GetInt(PxVQLink* link, const char* path, int& value) = 0;
    virtual void GetDouble(PxVQLink* link, const char* path, double& value) = 0;
    virtual void SetBool(PxVQLink* link, const char* path, const BOOL& value) = 0;
    virtual void SetInt(PxVQLink* link, const char* path, const int& value) = 0;
    virtual void SetDouble(PxVQLink* link, const char* path, const double& value) = 0;
    virtual void GetDateTime(PxVQLink* link, const char* path, std::int64_t& value) = 0;
    virtual void SetDateTime(PxVQLink* link, const char* path, const std::int64_t& value) = 0;

protected:
    VqcScriptableGenPropertyMgr() = default;
    VqcScriptableGenPropertyMgr(const VqcScriptableGenPropertyMgr&) = default;
    VqcScriptableGenPropertyMgr& operator=(const VqcScriptableGenPropertyMgr&) = default;
};
