// The options of a record in named groups, as a printed list of a record's options shows
// them: one group per record class of the record's chain with the options that class
// declares (bases first), and, for a record with per-extract-file options, the group
// "Extract File Options" that gathers those. An item is one option, or one index of an
// indexed option ("Name[3]").
#pragma once

#include "proxy/PxOptions.h"
#include "proxy/PxPtr.h"
#include "win/CString.h"

#include <vector>

// The name of the group of per-extract-file options.
inline constexpr const char* kPxExtractFileGroupName = "Extract File Options";

class PxOptionItem : public PxRefCounted {
public:
    PxOptionItem(PxOptionsPtr record, const PxOptionField& field, int index);

    // The option's name, with "[index]" for an indexed option.
    CString GetName() const;
    // The value in force as text; throws PxExceptionDefOption when it has no default.
    CString GetValueText() const;
    // Whether both are the same option at the same index, in whichever record.
    BOOL IsSameOption(const PxOptionItem& other) const;

private:
    PxOptionsPtr m_record;
    const PxOptionField* m_field;
    int m_index;
};

using PxOptionItemPtr = PxPtr<PxOptionItem>;

class PxOptionGroup {
public:
    PxOptionGroup() = default;
    PxOptionGroup(CString name, PxOptionsPtr record);

    CString GetName() const { return m_name; }
    // Whether some option of the group holds an own value or the record's default choice.
    BOOL IsUpdated() const;
    // The group's items, in the order of the record's options.
    void GetOptionItems(std::vector<PxOptionItemPtr>& items) const;

    void AddOption(const PxOptionField& field) { m_fields.push_back(&field); }
    bool IsEmpty() const { return m_fields.empty(); }

private:
    CString m_name;
    PxOptionsPtr m_record;
    std::vector<const PxOptionField*> m_fields;
};
