#include "proxy/PxOptions.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "win/Mbcs.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>

PX_IMPLEMENT_CLASS(PxOptions, PxKindEnvironmentalOptions)

namespace {

constexpr unsigned kPackNameLength = 30;

void CheckIndex(const PxOptionField& field, int index)
{
    bool valid = field.indexCount == 0 ? index == 0 : index >= 0 && index < field.indexCount;
    if (!valid)
        PX_THROW("The option %1 has no value %2.", field.name, std::to_string(index).c_str());
}

// The row and index that hold the value of `field` at `index`.
struct StoredOption {
    const PxOptionField& field;
    int index;
};

StoredOption Stored(const PxOptionField& field, int index)
{
    CheckIndex(field, index);
    if (!field.aliasOf)
        return {field, index};
    return {*field.aliasOf, index + field.aliasOffset};
}

const PxOptionField& Described(const PxOptionField& field) { return field.aliasOf ? *field.aliasOf : field; }

std::string OptionKey(const PxOptionField& field, int index)
{
    CheckIndex(field, index);
    std::string key = "opt.";
    key.append(field.name);
    if (field.indexCount > 0) {
        key.push_back('[');
        key.append(std::to_string(index));
        key.push_back(']');
    }
    return key;
}

bool IsTextual(const PxOptionField& field) { return field.type == PxOptionType::Text; }

void CollectFields(const PxClassInfo* info, std::set<const PxOptionTable*>& seen,
                   std::vector<const PxOptionField*>& fields)
{
    if (!info)
        return;
    CollectFields(info->base, seen, fields);
    CollectFields(info->base2, seen, fields);
    if (info->options && seen.insert(info->options).second)
        std::copy_if(info->options->fields, info->options->fields + info->options->count, std::back_inserter(fields),
                     [](const PxOptionField* field) { return !field->aliasOf; });
}

[[noreturn]] void ThrowNoDefault(const PxOptionField& field, const char* reason)
{
    throw PxExceptionDefOption(__FILE__, __LINE__, "The default of the option %1 cannot be determined: %2", field.name,
                               reason);
}

// An option named by a default rule: "Name" or "Name[index]".
struct OptionReference {
    std::string name;
    int index = -1; // -1: an option without index
};

std::vector<OptionReference> ParseReferences(const char* text)
{
    std::vector<OptionReference> references;
    std::string all = text ? text : "";
    for (std::size_t start = 0; start <= all.size();) {
        std::size_t end = std::min(all.find(',', start), all.size());
        std::string part = all.substr(start, end - start);
        OptionReference reference;
        std::size_t bracket = part.find('[');
        reference.name = part.substr(0, bracket);
        if (bracket != std::string::npos)
            reference.index = std::atoi(part.c_str() + bracket + 1);
        references.push_back(reference);
        start = end + 1;
    }
    return references;
}

bool Refers(const OptionReference& reference, const PxOptionField& field)
{
    if (reference.name != field.name)
        return false;
    if (field.indexCount == 0)
        return reference.index < 0;
    return reference.index >= 0 && reference.index < field.indexCount;
}

// The number at `index` of a blank-separated list; false when the list is shorter.
bool NumberAt(const char* numbers, int index, std::int64_t& number)
{
    const char* cursor = numbers ? numbers : "";
    for (int position = 0;; ++position) {
        char* end = nullptr;
        std::int64_t value = std::strtoll(cursor, &end, 10);
        if (end == cursor)
            return false;
        if (position == index) {
            number = value;
            return true;
        }
        cursor = end;
    }
}

// Default rules may name other options; a table whose rules name each other in a circle
// is refused instead of recursing without end. The depth is counted per thread, kept without
// thread-local storage (a library the host unloads leaves none behind).
constexpr int kMaxDefaultDepth = 16;
std::mutex g_defaultDepthMutex;
std::map<std::thread::id, int> g_defaultDepths;

class DefaultDepthGuard {
public:
    explicit DefaultDepthGuard(const PxOptionField& field)
    {
        std::lock_guard lock(g_defaultDepthMutex);
        int& depth = g_defaultDepths[std::this_thread::get_id()];
        if (depth == kMaxDefaultDepth)
            ThrowNoDefault(field, "its default names itself through other options.");
        ++depth;
    }
    ~DefaultDepthGuard()
    {
        std::lock_guard lock(g_defaultDepthMutex);
        const auto found = g_defaultDepths.find(std::this_thread::get_id());
        if (--found->second == 0)
            g_defaultDepths.erase(found);
    }
    DefaultDepthGuard(const DefaultDepthGuard&) = delete;
    DefaultDepthGuard& operator=(const DefaultDepthGuard&) = delete;
};

} // namespace

CString PxInitialPackName(int hostType, const char* segmentName, int packKind)
{
    std::string name = segmentName ? segmentName : "";
    if (name.empty() || (packKind != 1 && packKind != 2))
        return CString();
    const char* suffix = nullptr;
    if (hostType == VQHostNT)
        suffix = packKind == 1 ? "PATH" : "FG";
    else if (hostType == VQHostUnix)
        suffix = packKind == 1 ? "PATH" : "TS";
    if (!suffix)
        return CString();
    std::string tail(suffix);
    name.resize(mbcs::CutLength(name, kPackNameLength - tail.size()));
    return CString(name + tail);
}

int PxOptions::GetOptionsType() const { return VQHostNT; }

int PxOptions::GetOptionsKind() const { return PxOptionsKindBusinessSegment; }

PxVQSoftLinkPtr PxOptions::OwnerSoftLink() const { return PxVQSoftLinkPtr(); }

PxVQOptionSetPtr PxOptions::OwnerOptionSet() const { return PxVQOptionSetPtr(); }

namespace {

// The fields of each class asked so far. Made as the library loads, not at first use: the module's end, which may use it, finds it.
std::mutex g_fieldsMutex;
std::map<const PxClassInfo*, std::vector<const PxOptionField*>> g_fieldsByClass;

} // namespace

const std::vector<const PxOptionField*>& PxOptions::GetOptionFields() const
{
    std::lock_guard lock(g_fieldsMutex);
    const PxClassInfo* info = &GetClassInfo();
    auto found = g_fieldsByClass.find(info);
    if (found == g_fieldsByClass.end()) {
        std::set<const PxOptionTable*> seen;
        std::vector<const PxOptionField*> fields;
        CollectFields(info, seen, fields);
        found = g_fieldsByClass.emplace(info, std::move(fields)).first;
    }
    return found->second;
}

BOOL PxOptions::IsOptionUpdated(const PxOptionField& field, int index) const
{
    return IsUpdatedOption("PxOptions::IsOptionUpdated", field, index);
}

CString PxOptions::GetOptionValueText(const PxOptionField& field, int index) const
{
    Enter("PxOptions::GetOptionValueText");
    StoredOption stored = Stored(field, index);
    Value value = OwnOrDefault(stored.field, stored.index);
    switch (stored.field.type) {
    case PxOptionType::Text:
        return value.text;
    case PxOptionType::Char:
        return value.number == 0 ? CString() : CString(std::string(1, static_cast<char>(value.number)));
    default:
        return CString(std::to_string(value.number));
    }
}

BOOL PxOptions::IsUpdated() const
{
    Enter("PxOptions::IsUpdated");
    for (const PxOptionField* field : GetOptionFields())
        for (int index = 0; index < std::max(field->indexCount, 1); ++index)
            if (HasAttribute(OptionKey(*field, index).c_str()))
                return TRUE;
    return FALSE;
}

void PxOptions::CopyData(const PxOptionsPtr& source)
{
    Enter("PxOptions::CopyData");
    if (!source)
        PX_THROW("Cannot copy the options of a null record.");
    const bool sameClass = &source->GetClassInfo() == &GetClassInfo();
    if (!sameClass && source->GetOptionsKind() != GetOptionsKind())
        PX_THROW("Cannot copy the options of a %1 record into a %2 record.", source->GetClassName(), GetClassName());
    for (const PxOptionField* field : GetOptionFields()) {
        const PxOptionField* from = sameClass ? field : SharedOption(*source, *field);
        for (int index = 0; index < std::max(field->indexCount, 1); ++index) {
            const bool shared = from && (field->indexCount == 0 || index < from->indexCount);
            CopyOption(*source, shared ? from : nullptr, *field, index);
        }
    }
}

const PxOptionField* PxOptions::SharedOption(const PxOptions& source, const PxOptionField& field)
{
    for (const PxOptionField* candidate : source.GetOptionFields())
        if (std::strcmp(candidate->name, field.name) == 0)
            return candidate->type == field.type && (candidate->indexCount == 0) == (field.indexCount == 0) ? candidate
                                                                                                          : nullptr;
    return nullptr;
}

// The option takes the source's state of its shared option (own value, default choice or
// neither); without one, or with a value outside this option's limits, it holds none.
void PxOptions::CopyOption(const PxOptions& source, const PxOptionField* from, const PxOptionField& field, int index)
{
    const std::string key = OptionKey(field, index);
    const char* name = key.c_str();
    const std::string sourceKey = from ? OptionKey(*from, index) : std::string();
    const char* sourceName = sourceKey.c_str();
    if (from && source.HasAttribute(sourceName)) {
        if (source.IsAttributeNull(sourceName)) {
            if (!IsAttributeNull(name))
                SetAttributeNull(name);
            return;
        }
        if (IsTextual(field)) {
            const CString text = source.GetAttributeText(sourceName);
            if (field.maxLength == 0 || text.GetLength() <= static_cast<int>(field.maxLength)) {
                if (!HasAttribute(name) || IsAttributeNull(name) || GetAttributeText(name) != text)
                    SetAttributeText(name, text);
                return;
            }
        } else {
            const std::int64_t number = source.GetAttributeInt(sourceName);
            if ((!field.lower.present || number >= field.lower.value) &&
                (!field.upper.present || number <= field.upper.value)) {
                if (!HasAttribute(name) || IsAttributeNull(name) || GetAttributeInt(name) != number)
                    SetAttributeInt(name, number);
                return;
            }
        }
    }
    if (HasAttribute(name))
        RemoveAttribute(name);
}

PxInitialDataEmulationScope PxOptions::GetInitialDataEmulationScope()
{
    Enter("PxOptions::GetInitialDataEmulationScope");
    return PxInitialDataEmulationScope(PxOptionsPtr(this));
}

PxOptions::Value PxOptions::OwnOrDefault(const PxOptionField& field, int index) const
{
    std::string key = OptionKey(field, index);
    if (m_emulationScopes == 0 && HasAttribute(key.c_str()) && !IsAttributeNull(key.c_str())) {
        if (IsTextual(field))
            return {0, GetAttributeText(key.c_str())};
        return {GetAttributeInt(key.c_str()), CString()};
    }
    return DefaultValue(field, index);
}

PxOptions::Value PxOptions::DefaultValue(const PxOptionField& field, int index) const
{
    const PxOptionDefault& initial = field.initial;
    switch (initial.rule) {
    case PxOptionDefault::Value:
        return {initial.number, CString(initial.text)};
    case PxOptionDefault::ByIndex: {
        std::int64_t number = 0;
        if (!NumberAt(initial.text, index, number))
            ThrowNoDefault(field, "its table gives no default for that index.");
        return {number, CString()};
    }
    case PxOptionDefault::None:
        ThrowNoDefault(field, "the option has no default.");
    case PxOptionDefault::FromOption: {
        DefaultDepthGuard guard(field);
        return ValueInForceOf(field, initial.text);
    }
    default:
        break;
    }
    PxVQSoftLinkPtr link = OwnerSoftLink();
    if (!link)
        ThrowNoDefault(field, "the record belongs to no soft link.");
    PxVQBSSoftLinkPtr segment(link);
    if (!segment) {
        PxVQElementSoftLinkPtr element(link);
        segment = element ? element->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    }
    if (!segment)
        ThrowNoDefault(field, "the record's business segment cannot be reached.");
    switch (initial.rule) {
    case PxOptionDefault::SegmentName:
        return {0, segment->GetName()};
    case PxOptionDefault::InitialPack:
        return {0, PxInitialPackName(GetOptionsType(), segment->GetName(), static_cast<int>(initial.number))};
    case PxOptionDefault::FromSegment: {
        PxVQOptionSetPtr optionSet = OwnerOptionSet();
        PxOptionsPtr segmentOptions = optionSet ? optionSet->GetOptions(segment) : PxOptionsPtr();
        if (!segmentOptions)
            ThrowNoDefault(field, "the business segment has no options in the option set.");
        DefaultDepthGuard guard(field);
        // The segment's own record reads itself, so that its emulation scope holds.
        if (segmentOptions->IsSameOid(PxObjectPtr(const_cast<PxOptions*>(this))))
            return ValueInForceOf(field, initial.text);
        return segmentOptions->ValueInForceOf(field, initial.text);
    }
    default:
        break;
    }
    return {initial.number, CString(initial.text)};
}

PxOptions::Value PxOptions::ValueInForceOf(const PxOptionField& asker, const char* optionNames) const
{
    for (const OptionReference& reference : ParseReferences(optionNames))
        for (const PxOptionField* field : GetOptionFields())
            if (Refers(reference, *field))
                return OwnOrDefault(*field, std::max(reference.index, 0));
    ThrowNoDefault(asker, "the record that gives it has none of the options it is taken from.");
}

std::int64_t PxOptions::OptionNumber(const char* operation, const PxOptionField& field, int index) const
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    return OwnOrDefault(stored.field, stored.index).number;
}

CString PxOptions::OptionText(const char* operation, const PxOptionField& field, int index) const
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    return OwnOrDefault(stored.field, stored.index).text;
}

void PxOptions::SetOptionNumber(const char* operation, const PxOptionField& field, int index, std::int64_t value)
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    const PxOptionLimit& lower = stored.field.lower;
    const PxOptionLimit& upper = stored.field.upper;
    if ((lower.present && value < lower.value) || (upper.present && value > upper.value))
        PX_THROW("The value %1 is outside the limits of the option %2.", std::to_string(value).c_str(), field.name);
    SetAttributeInt(OptionKey(stored.field, stored.index).c_str(), value);
}

void PxOptions::SetOptionText(const char* operation, const PxOptionField& field, int index, const char* value)
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    std::string text = value ? value : "";
    unsigned maxLength = stored.field.maxLength;
    if (maxLength > 0 && text.size() > maxLength)
        PX_THROW("The value of the option %1 is longer than %2 characters.", field.name,
                 std::to_string(maxLength).c_str());
    SetAttributeText(OptionKey(stored.field, stored.index).c_str(), text.c_str());
}

std::vector<std::optional<CString>> PxOptions::OwnTextsOf(const std::vector<PxObjectPtr>& records,
                                                          const PxOptionField& field)
{
    const StoredOption stored = Stored(field, 0);
    return StoredTextsOf(records, OptionKey(stored.field, stored.index).c_str());
}

void PxOptions::ClearOption(const char* operation, const PxOptionField& field, int index)
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    RemoveAttribute(OptionKey(stored.field, stored.index).c_str());
}

BOOL PxOptions::IsUpdatedOption(const char* operation, const PxOptionField& field, int index) const
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    return HasAttribute(OptionKey(stored.field, stored.index).c_str());
}

BOOL PxOptions::IsDefaultOption(const char* operation, const PxOptionField& field, int index) const
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    std::string key = OptionKey(stored.field, stored.index);
    return m_emulationScopes > 0 || !HasAttribute(key.c_str()) || IsAttributeNull(key.c_str());
}

void PxOptions::MakeDefaultOption(const char* operation, const PxOptionField& field, int index)
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    SetAttributeNull(OptionKey(stored.field, stored.index).c_str());
}

std::int64_t PxOptions::DefaultNumber(const char* operation, const PxOptionField& field, int index) const
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    return DefaultValue(stored.field, stored.index).number;
}

CString PxOptions::DefaultText(const char* operation, const PxOptionField& field, int index) const
{
    Enter(operation);
    StoredOption stored = Stored(field, index);
    return DefaultValue(stored.field, stored.index).text;
}

BOOL PxOptions::OptionLowerLimit(const char* operation, const PxOptionField& field, std::int64_t& limit) const
{
    Enter(operation);
    const PxOptionLimit& lower = Described(field).lower;
    if (lower.present)
        limit = lower.value;
    return lower.present;
}

BOOL PxOptions::OptionUpperLimit(const char* operation, const PxOptionField& field, std::int64_t& limit) const
{
    Enter(operation);
    const PxOptionLimit& upper = Described(field).upper;
    if (upper.present)
        limit = upper.value;
    return upper.present;
}

unsigned PxOptions::OptionMaxLength(const char* operation, const PxOptionField& field) const
{
    Enter(operation);
    return Described(field).maxLength;
}

PxInitialDataEmulationScope::PxInitialDataEmulationScope(const PxOptionsPtr& options) : m_options(options)
{
    if (m_options)
        ++m_options->m_emulationScopes;
}

PxInitialDataEmulationScope::PxInitialDataEmulationScope(PxInitialDataEmulationScope&& other) noexcept
    : m_options(std::move(other.m_options))
{
}

PxInitialDataEmulationScope::~PxInitialDataEmulationScope()
{
    if (m_options)
        --m_options->m_emulationScopes;
}
