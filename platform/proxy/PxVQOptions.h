// An option record of the generation side: the options of one soft link in one option
// set, or a named sub-record of such a record (a partition's storage options).
#pragma once

#include "proxy/PxOptions.h"

class PxVQOptions : public PxOptions {
    PX_DECLARE_CLASS(PxVQOptions, PxOptions)

    // The soft link (a sub-record answers its record's).
    PxVQSoftLinkPtr GetSoftLink() const;
    // The soft link of each record, as GetSoftLink of each answers, read together.
    static std::vector<PxVQSoftLinkPtr> SoftLinksOf(const std::vector<PxVQOptionsPtr>& records);
    PxVQOptionSetPtr GetOptionSet() const;
    // A sub-record's own name; a record answers its soft link's name.
    CString GetName() const;

    // Sub-records by name; only some record classes take them.
    PxVQOptionsPtr CreateSubOptions(const char* name);
    PxVQOptionsPtr GetSubOptions(const char* name) const;
    // Deletes the sub-record of the name; nothing when there is none.
    void DeleteSubOptions(const char* name);
    void GetListOfSubOptions(PxTypedList<PxVQOptionsPtr>& subOptions) const;

protected:
    PxVQOptions() = default;
    // The class of the record's sub-records; null when it takes none.
    virtual const char* SubOptionsClass() const;
    PxVQSoftLinkPtr OwnerSoftLink() const override;
    PxVQOptionSetPtr OwnerOptionSet() const override;
    // The record a sub-record belongs to; null for a record.
    PxVQOptionsPtr ParentOptions() const;
};
