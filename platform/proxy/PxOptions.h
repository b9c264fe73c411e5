// The base of every option record, and the engine under all of them.
//
// An option either holds an own value in the record or takes its default; the record may
// also hold the choice "take the default" as its own (MakeDefault), which counts as
// updated. Options are declared by rows of field tables (README.md, "Option records");
// the typed accessors of each record class (GetDefPack, IsUpdatedDefPack, ...) come from
// the rows and call the engine below with the row's description.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxOptionEnums.h"
#include "proxy/PxOptionField.h"
#include "proxy/PxVQObject.h"

#include <cstdint>
#include <optional>
#include <vector>

class PxInitialDataEmulationScope;
class PxOptionGroup;

// The initial pack name of a business segment on a host type, for pack kind 1 (path) or
// 2 (Tablespace/Filegroup): NT and Unix only; empty for other kinds and host types.
CString PxInitialPackName(int hostType, const char* segmentName, int packKind);

// What a record is for, as its kind query answers.
enum PxOptionsKind : int {
    PxOptionsKindBusinessSegment = 0,
    PxOptionsKindComponent = 1,
    PxOptionsKindEvent = 2,
    PxOptionsKindReport = 3,
    PxOptionsKindProfile = 4,
    PxOptionsKindGlobalLogic = 5,
};

class PxOptions : public PxVQObject {
    PX_DECLARE_CLASS(PxOptions, PxVQObject)

    // Some option of the record holds an own value or the record's own default choice.
    BOOL IsUpdated() const;
    // Takes over the state of every option of a record of the same class (own values,
    // default choices and options without either). A record of the same kind for another
    // host type is converted: an option both classes declare (same name and type) takes the
    // source's state where its limits allow, every other one holds none and takes its
    // default. A record of another kind is refused.
    void CopyData(const PxOptionsPtr& source);
    // While the scope lives, every getter of the record answers the option's default, and
    // every option takes its default (IsDefault).
    PxInitialDataEmulationScope GetInitialDataEmulationScope();

    // The type query: the host type the record is for (VQHostType).
    virtual int GetOptionsType() const;
    // The kind query: what the record is for (PxOptionsKind).
    virtual int GetOptionsKind() const;

    // Every option of the record: those of its base classes first, in table order (aliases,
    // second names of other rows, are left out).
    const std::vector<const PxOptionField*>& GetOptionFields() const;
    // The value in force of one of them at an index (0 for an option without one) as text:
    // numbers, flags and enumerations in decimal, a character as itself (none for 0).
    CString GetOptionValueText(const PxOptionField& field, int index) const;
    // Whether that option holds an own value or the record's own default choice.
    BOOL IsOptionUpdated(const PxOptionField& field, int index) const;
    // The record's options in groups (PxOptionGroup.h).
    void GetListOfOptionGroups(std::vector<PxOptionGroup>& groups) const;

protected:
    PxOptions() = default;

    std::int64_t OptionNumber(const char* operation, const PxOptionField& field, int index) const;
    CString OptionText(const char* operation, const PxOptionField& field, int index) const;
    void SetOptionNumber(const char* operation, const PxOptionField& field, int index, std::int64_t value);
    void SetOptionText(const char* operation, const PxOptionField& field, int index, const char* value);
    void ClearOption(const char* operation, const PxOptionField& field, int index);
    BOOL IsUpdatedOption(const char* operation, const PxOptionField& field, int index) const;
    BOOL IsDefaultOption(const char* operation, const PxOptionField& field, int index) const;
    void MakeDefaultOption(const char* operation, const PxOptionField& field, int index);
    std::int64_t DefaultNumber(const char* operation, const PxOptionField& field, int index) const;
    CString DefaultText(const char* operation, const PxOptionField& field, int index) const;
    BOOL OptionLowerLimit(const char* operation, const PxOptionField& field, std::int64_t& limit) const;
    BOOL OptionUpperLimit(const char* operation, const PxOptionField& field, std::int64_t& limit) const;
    unsigned OptionMaxLength(const char* operation, const PxOptionField& field) const;

    // The own value each record holds of the text option (none where it holds none), that
    // option alone read, for all of them together.
    static std::vector<std::optional<CString>> OwnTextsOf(const std::vector<PxObjectPtr>& records,
                                                          const PxOptionField& field);

    // The source's option of the same name and type (both indexed or neither); null when
    // it declares none.
    static const PxOptionField* SharedOption(const PxOptions& source, const PxOptionField& field);
    void CopyOption(const PxOptions& source, const PxOptionField* from, const PxOptionField& field, int index);

    // The soft link whose options these are (for the defaults that depend on it).
    virtual PxVQSoftLinkPtr OwnerSoftLink() const;
    // The option set the record belongs to.
    virtual PxVQOptionSetPtr OwnerOptionSet() const;

private:
    friend class PxInitialDataEmulationScope;

    struct Value {
        std::int64_t number = 0;
        CString text;
    };
    Value OwnOrDefault(const PxOptionField& field, int index) const;
    Value DefaultValue(const PxOptionField& field, int index) const;
    // The value in force of the first of the named options that the record declares.
    Value ValueInForceOf(const PxOptionField& asker, const char* optionNames) const;

    int m_emulationScopes = 0;
};

// Keeps a record's getters on the defaults while it lives; movable, not copyable.
class PxInitialDataEmulationScope {
public:
    explicit PxInitialDataEmulationScope(const PxOptionsPtr& options);
    PxInitialDataEmulationScope(PxInitialDataEmulationScope&& other) noexcept;
    PxInitialDataEmulationScope& operator=(PxInitialDataEmulationScope&&) = delete;
    ~PxInitialDataEmulationScope();

private:
    PxOptionsPtr m_options;
};
