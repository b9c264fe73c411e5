// A soft link: an entry of a configuration that stands for a design business segment or
// element, named after it, with one option record per option set of the configuration.
//
// One mark says whether the link is still in use: the unused mark, set through the
// link's value setter (SetUnusedMark) when its design object has gone. Every query the
// callers make about the link's validity reads it: IsObsolete (the obsolete, mismatch,
// not-in-use and validity tests: nonzero when marked) and GetState (the state or status
// value: 1 while the link is in use, 0 when marked).
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

#include <cstdint>

class PxVQSoftLink : public PxVQObject {
    PX_DECLARE_CLASS(PxVQSoftLink, PxVQObject)

    PX_TEXT_PROPERTY(Name)
    PX_TEXT_PROPERTY(LongName)
    PX_TEXT_PROPERTY(Description)
    // The design object's time stamp when the link's data was last taken from it.
    PX_VALUE_PROPERTY(std::int64_t, RefTime)
    PX_VALUE_PROPERTY(int, UpdatedFlag)
    // The design object's revision identifiers, 16 bytes each.
    void SetGuidBlob(const void* bytes, int length);
    std::vector<BYTE> GetGuidBlob() const;

    // The value setter and the value flag: the unused mark.
    virtual void SetUnusedMark(int value);
    virtual int GetUnusedMark() const;
    virtual BOOL IsObsolete() const;
    virtual int GetState() const;
    // VQSoftLinkType of the link.
    virtual int GetElementType() const;

    // Gives the link a blank option record in every option set of its configuration that
    // has none for it yet.
    void CreateBlankOptions();
    // Every option record of the link, one per option set, in the order they were made.
    void GetAllOptions(PxObjectCollection& options) const;
    // The option records of each of the links, as GetAllOptions gives them, read together.
    static std::vector<std::vector<PxObjectPtr>> AllOptionsOf(const std::vector<PxObjectPtr>& links);
    // The link's option record in the option set; null when there is none.
    PxOptionsPtr GetOptions(const PxVQOptionSetPtr& optionSet) const;
    // The option record of each of the links in the option set, as GetOptions gives it, the
    // links' option lists read together.
    static std::vector<PxOptionsPtr> OptionsOf(const std::vector<PxObjectPtr>& links, const PxVQOptionSetPtr& optionSet);

protected:
    PxVQSoftLink() = default;
    // The configuration the link belongs to (through its business-segment link).
    virtual PxVQConfigPtr ConfigOfLink() const;
    // The option records of the link are made again for its present kind (an Ispec link
    // whose type changes between event, component and other Ispec).
    void RenewOptions();
};
