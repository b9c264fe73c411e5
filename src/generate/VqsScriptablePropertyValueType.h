// The value types of script properties: each declared property keeps one, which checks a
// value before the property manager stores it. One class per type name of a declaration
// ("NonNull", "Enum", "String", "Numeric", "DateTime").
#pragma once

#include "win/CString.h"
#include "win/Types.h"

#include <memory>

class VqsScriptablePropertyValueType {
public:
    virtual ~VqsScriptablePropertyValueType() = default;

    virtual std::unique_ptr<VqsScriptablePropertyValueType> Clone() const = 0;
    // TRUE when the value may be stored; otherwise the error text says why. Never throws.
    virtual BOOL Validate(const CString& value, CString& error) const;
    // The values part of the declaration; only the Enum type keeps it.
    virtual void SetAllowedValues(const CString& values);

    const CString& GetDefaultValue() const { return m_strDefault; }
    void SetDefaultValue(const CString& value) { m_strDefault = value; }

protected:
    VqsScriptablePropertyValueType() = default;
    VqsScriptablePropertyValueType(const VqsScriptablePropertyValueType&) = default;
    VqsScriptablePropertyValueType& operator=(const VqsScriptablePropertyValueType&) = default;

private:
    CString m_strDefault;
};

// Clone for a value type that copies its fields.
template <class Derived>
class VqsScriptablePropertyValueTypeOf : public VqsScriptablePropertyValueType {
public:
    std::unique_ptr<VqsScriptablePropertyValueType> Clone() const override
    {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
};

class VqsScriptableNonNullPropertyValueType
    : public VqsScriptablePropertyValueTypeOf<VqsScriptableNonNullPropertyValueType> {
public:
    BOOL Validate(const CString& value, CString& error) const override;
};

class VqsScriptableEnumPropertyValueType
    : public VqsScriptablePropertyValueTypeOf<VqsScriptableEnumPropertyValueType> {
public:
    BOOL Validate(const CString& value, CString& error) const override;
    // Kept with one comma appended ("TRUE,FALSE,").
    void SetAllowedValues(const CString& values) override;
    const CString& GetAllowedValues() const { return m_strAllowedValues; }

private:
    CString m_strAllowedValues;
};

class VqsScriptableStringPropertyValueType
    : public VqsScriptablePropertyValueTypeOf<VqsScriptableStringPropertyValueType> {
};

class VqsScriptableNumericPropertyValueType
    : public VqsScriptablePropertyValueTypeOf<VqsScriptableNumericPropertyValueType> {
public:
    BOOL Validate(const CString& value, CString& error) const override;
};

class VqsScriptableDateTimePropertyValueType
    : public VqsScriptablePropertyValueTypeOf<VqsScriptableDateTimePropertyValueType> {
public:
    BOOL Validate(const CString& value, CString& error) const override;
};

// A date as the date setter stores it: "YYYYMMDDhhmmss" of local time. FALSE for any
// other text and for a date that does not exist.
BOOL VqsParseScriptDate(const CString& text, struct tm& date);
