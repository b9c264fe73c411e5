#include "generate/VqsScriptPropertyMgr.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsSysApp.h"
#include "win/Clock.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <string_view>

namespace {

constexpr UINT IDS_E1001_NO_CURRENT_CONFIGURATION = 62110;
constexpr UINT IDS_E1002_NO_REPOSITORY_LINK = 62111;
constexpr UINT IDS_E1003_INCOMPLETE_PATH = 62112;

constexpr const char* kInvalidPath = "E1006: Invalid property path <string> \"";
constexpr const char* kInvalidSystem = "E1007: Invalid system name  \"";
constexpr const char* kInvalidGenSet = "E1005: Invalid Generate Set name  \"";
constexpr const char* kInvalidHostOption = "E1019: Invalid/Unknown Host option  \"";
constexpr const char* kInvalidDate = "E1004: Invalid Date value";

constexpr int kNT = 0;
constexpr int kQSR = 1;
constexpr int kTarsk = 2;
constexpr int kUnix = 3;

// The declarations of each host type, in the order the tables are filled.
const struct {
    int hostType;
    std::vector<UINT> ids;
} kTableIds[] = {
    {kQSR, {62049, 62024, 62025, 62022, 62013, 62015, 62018, 62017, 62019, 62034, 62036, 62028, 62033, 62031,
            62045, 62039, 62051, 62050, 62049, 62046, 62048, 62012}},
    {kNT, {62049, 62018, 62017, 62026, 62027, 62034, 62036, 62038, 62040, 62030, 62028, 62029, 62041, 62033,
           62042, 62045, 62043, 62039, 62051, 62050, 62049, 62046, 62048, 62012}},
    {kTarsk, {62049, 62010, 62018, 62017, 62020, 62013, 62015, 62023, 62021, 62016, 62034, 62036, 62038, 62030,
              62037, 62028, 62032, 62033, 62045, 62039, 62051, 62050, 62049, 62048, 62047, 62012}},
    {kUnix, {62049, 62010, 62018, 62017, 62013, 62014, 62034, 62036, 62038, 62030, 62037, 62028, 62029, 62033,
             62042, 62045, 62044, 62039, 62051, 62050, 62049, 62046, 62048, 62012, 62012}},
};

[[noreturn]] void Fail(const CString& text) { throw VqcScriptPropertyException(text.GetString()); }

[[noreturn]] void FailId(UINT stringId)
{
    CString text;
    text.LoadString(stringId);
    Fail(text);
}

CString Quoted(const char* literal, const CString& part) { return CString(literal) + part + "\""; }

// Runs a slot: a repository failure leaves it as the generation client's exception.
template <class Body>
void Guarded(Body body)
{
    try {
        body();
    } catch (const VqcScriptPropertyException&) {
        throw;
    } catch (const VqException& error) {
        Fail(error.GetErrorMessage());
    }
}

// The path itself, or a path below it (one or more whole parts further).
bool IsWithin(std::string_view path, std::string_view prefix)
{
    return path.substr(0, prefix.size()) == prefix && (path.size() == prefix.size() || path[prefix.size()] == '.');
}

CString Before(const std::string& text, std::size_t end) { return CString(text.substr(0, end).c_str()); }

CString After(const std::string& text, std::size_t start) { return CString(text.substr(start).c_str()); }

CString Between(const std::string& text, std::size_t start, std::size_t end)
{
    return CString(text.substr(start, end - start).c_str());
}

// A declaration the manager cannot take goes to the host's log; the others are taken.
void ReportDeclarationFault(const CString& line)
{
    if (VqsSysApp* app = VqsGetApp())
        app->LogWarning(0, line);
}

} // namespace

VqsScriptPropertyMgr::VqsScriptPropertyMgr() { RegisterPrototypes(); }

VqsScriptPropertyMgr::~VqsScriptPropertyMgr() = default;

void VqsScriptPropertyMgr::RegisterPrototypes()
{
    m_prototypes.emplace_back("NonNull", std::make_unique<VqsScriptableNonNullPropertyValueType>());
    m_prototypes.emplace_back("Enum", std::make_unique<VqsScriptableEnumPropertyValueType>());
    m_prototypes.emplace_back("String", std::make_unique<VqsScriptableStringPropertyValueType>());
    m_prototypes.emplace_back("Numeric", std::make_unique<VqsScriptableNumericPropertyValueType>());
    m_prototypes.emplace_back("DateTime", std::make_unique<VqsScriptableDateTimePropertyValueType>());
}

BOOL VqsScriptPropertyMgr::ParseEntry(const CString& entry, CString& name, CString& defaultValue, CString& type,
                                      CString& values)
{
    const std::string& text = entry.str();
    const std::size_t equals = text.find('=');
    if (text.empty() || equals == std::string::npos)
        return FALSE;
    name = Before(text, equals);
    const std::size_t apostrophe = text.find('\'', equals + 1);
    defaultValue = apostrophe == std::string::npos ? CString() : Between(text, equals + 1, apostrophe);
    const std::size_t typeStart = apostrophe == std::string::npos ? 0 : apostrophe + 1;
    const std::size_t open = text.find('(', typeStart);
    type = open == std::string::npos ? CString() : Between(text, typeStart, open);
    const std::size_t close = open == std::string::npos ? std::string::npos : text.find(')', open + 1);
    values = close == std::string::npos ? CString() : Between(text, open + 1, close);
    return TRUE;
}

std::shared_ptr<const VqsScriptPropertyMgr::Declarations> VqsScriptPropertyMgr::GetDeclarations()
{
    std::lock_guard<std::mutex> lock(m_declarationsMutex);
    if (!m_declarations) {
        std::shared_ptr<Declarations> read = ReadDeclarations();
        if (read->names.empty())
            return read;
        m_declarations = read;
    }
    return m_declarations;
}

std::shared_ptr<VqsScriptPropertyMgr::Declarations> VqsScriptPropertyMgr::ReadDeclarations() const
{
    auto declarations = std::make_shared<Declarations>();
    for (const auto& table : kTableIds) {
        PropertyTable& properties = declarations->tables[table.hostType];
        for (UINT id : table.ids)
            AddProperty(*declarations, properties, id);
    }
    return declarations;
}

void VqsScriptPropertyMgr::AddProperty(Declarations& declarations, PropertyTable& table, UINT id) const
{
    CString entry;
    CString name, defaultValue, type, values;
    if (!entry.LoadString(id) || !ParseEntry(entry, name, defaultValue, type, values))
        return;
    const VqsScriptablePropertyValueType* prototype = nullptr;
    for (const auto& [typeName, candidate] : m_prototypes)
        if (typeName == type.str())
            prototype = candidate.get();
    if (!prototype) {
        CString line;
        line.Format("AddProperty failed for ID:%d - %s\n", static_cast<int>(id), entry.GetString());
        ReportDeclarationFault(line);
        return;
    }
    std::unique_ptr<VqsScriptablePropertyValueType> valueType = prototype->Clone();
    valueType->SetDefaultValue(defaultValue);
    valueType->SetAllowedValues(values);
    auto same = std::find_if(table.begin(), table.end(),
                             [&](const auto& property) { return property.first == name.str(); });
    if (same != table.end())
        same->second = std::move(valueType);
    else
        table.emplace_back(name.str(), std::move(valueType));
    declarations.names[id] = name;
}

const VqsScriptablePropertyValueType* VqsScriptPropertyMgr::Find(const PropertyTable& table, const CString& name)
{
    for (const auto& [propertyName, valueType] : table)
        if (propertyName == name.str())
            return valueType.get();
    return nullptr;
}

BOOL VqsScriptPropertyMgr::CheckPath(PxVQLink* link, const CString& path, PathParts& parts, CString& error)
{
    std::lock_guard<std::mutex> lock(m_repositoryMutex);
    return CheckPathLocked(link, path, parts, error);
}

BOOL VqsScriptPropertyMgr::CheckPathLocked(PxVQLink* link, const CString& path, PathParts& parts, CString& error)
{
    const std::string& text = path.str();
    if (text.empty()) {
        error = Quoted(kInvalidPath, path);
        return FALSE;
    }
    const std::size_t firstDot = text.find('.');
    parts.system = Before(text, firstDot);
    if (!link)
        FailId(IDS_E1002_NO_REPOSITORY_LINK);
    PxVQSystemPtr system = link->GetLVQEnterprise()->GetSystem(parts.system);
    if (!system) {
        error = Quoted(kInvalidSystem, parts.system);
        return FALSE;
    }
    parts.exact = FALSE;
    if (firstDot == std::string::npos)
        return TRUE;
    const std::size_t secondDot = text.find('.', firstDot + 1);
    parts.genSet = secondDot == std::string::npos ? After(text, firstDot + 1) : Between(text, firstDot + 1, secondDot);
    PxVQCurConfigPtr config = system->GetCurConfig();
    if (!config)
        FailId(IDS_E1001_NO_CURRENT_CONFIGURATION);
    PxVQOptionSetPtr optionSet = config->GetOptionSet(parts.genSet);
    if (!optionSet) {
        error = Quoted(kInvalidGenSet, parts.genSet);
        return FALSE;
    }
    parts.hostType = optionSet->GetHostType();
    if (secondDot == std::string::npos)
        return TRUE;
    parts.hostOption = After(text, secondDot + 1);
    return CheckHostOption(parts, error);
}

// The host option names a property of the generate set's host type, or begins one.
BOOL VqsScriptPropertyMgr::CheckHostOption(PathParts& parts, CString& error)
{
    const std::string& option = parts.hostOption.str();
    std::shared_ptr<const Declarations> declarations = GetDeclarations();
    auto table = declarations->tables.find(parts.hostType);
    bool known = false;
    if (table != declarations->tables.end()) {
        for (const auto& entry : table->second) {
            if (entry.first == option)
                parts.exact = TRUE;
            if (!option.empty() && entry.first.compare(0, option.size(), option) == 0)
                known = true;
        }
    }
    if (!known && !parts.exact) {
        error = Quoted(kInvalidHostOption, parts.hostOption);
        return FALSE;
    }
    return TRUE;
}

const VqsScriptablePropertyValueType& VqsScriptPropertyMgr::ExactProperty(
    PxVQLink* link, const CString& path, std::shared_ptr<const Declarations>& declarations)
{
    PathParts parts;
    CString error;
    if (!CheckPath(link, path, parts, error))
        Fail(error);
    if (!parts.exact)
        FailId(IDS_E1003_INCOMPLETE_PATH);
    declarations = GetDeclarations();
    auto table = declarations->tables.find(parts.hostType);
    const VqsScriptablePropertyValueType* valueType =
        table == declarations->tables.end() ? nullptr : Find(table->second, parts.hostOption);
    if (!valueType)
        FailId(IDS_E1003_INCOMPLETE_PATH);
    return *valueType;
}

BOOL VqsScriptPropertyMgr::FindSetValue(const CString& path, CString& value) const
{
    std::lock_guard<std::mutex> lock(m_valuesMutex);
    auto found = m_values.find(path.str());
    if (found == m_values.end())
        return FALSE;
    value = found->second.c_str();
    return TRUE;
}

void VqsScriptPropertyMgr::ClearValues(PxVQLink* link, const char* path)
{
    Guarded([&] {
        const CString prefix = path ? path : "";
        if (!prefix.IsEmpty()) {
            PathParts parts;
            CString error;
            if (!CheckPath(link, prefix, parts, error))
                Fail(error);
        }
        std::lock_guard<std::mutex> lock(m_valuesMutex);
        std::erase_if(m_values,
                      [&](const auto& entry) { return prefix.IsEmpty() || IsWithin(entry.first, prefix.str()); });
    });
}

void VqsScriptPropertyMgr::ListProperties(PxVQLink* link, const char* path, CStringArray& names)
{
    Guarded([&] {
        const CString text = path ? path : "";
        std::lock_guard<std::mutex> lock(m_repositoryMutex);
        PathParts parts;
        CString error;
        if (!CheckPathLocked(link, text, parts, error)) {
            if (!text.IsEmpty())
                Fail(error);
            if (!link)
                FailId(IDS_E1002_NO_REPOSITORY_LINK);
            names.RemoveAll();
            PxTypedList<PxVQSystemPtr> systems;
            link->GetLVQEnterprise()->GetListOfSystems(systems);
            for (POSITION pos = systems.GetHeadPosition(); pos;)
                names.Add(systems.GetNext(pos)->GetName());
            return;
        }
        if (parts.genSet.IsEmpty()) {
            names.RemoveAll();
            PxVQCurConfigPtr config = link->GetLVQEnterprise()->GetSystem(parts.system)->GetCurConfig();
            if (!config)
                FailId(IDS_E1001_NO_CURRENT_CONFIGURATION);
            PxTypedList<PxVQOptionSetPtr> optionSets;
            config->GetListOfOptionSets(optionSets);
            for (POSITION pos = optionSets.GetHeadPosition(); pos;)
                names.Add(optionSets.GetNext(pos)->GetName());
            return;
        }
        std::shared_ptr<const Declarations> declarations = GetDeclarations();
        auto table = declarations->tables.find(parts.hostType);
        if (table == declarations->tables.end())
            return;
        for (const auto& entry : table->second)
            if (entry.first.find(parts.hostOption.str()) != std::string::npos)
                names.Add(CString(entry.first.c_str()));
    });
}

void VqsScriptPropertyMgr::ValidateValue(PxVQLink* link, const char* path, const char* value)
{
    Guarded([&] {
        const CString key = path ? path : "";
        std::shared_ptr<const Declarations> declarations;
        const VqsScriptablePropertyValueType& valueType = ExactProperty(link, key, declarations);
        CString error;
        if (!valueType.Validate(value ? value : "", error))
            Fail(error + " : " + key);
    });
}

void VqsScriptPropertyMgr::SetValue(PxVQLink* link, const char* path, const char* value)
{
    Guarded([&] {
        const CString key = path ? path : "";
        const CString text = value ? value : "";
        std::shared_ptr<const Declarations> declarations;
        const VqsScriptablePropertyValueType& valueType = ExactProperty(link, key, declarations);
        CString error;
        if (!valueType.Validate(text, error))
            Fail(error + " : " + key);
        std::lock_guard<std::mutex> lock(m_valuesMutex);
        m_values[key.str()] = text.str();
    });
}

const char* VqsScriptPropertyMgr::GetPropertyName(UINT stringId)
{
    std::shared_ptr<const Declarations> declarations = GetDeclarations();
    auto found = declarations->names.find(stringId);
    if (found == declarations->names.end())
        return nullptr;
    return found->second.GetString();
}

void VqsScriptPropertyMgr::GetValue(PxVQLink* link, const char* path, CString& value)
{
    Guarded([&] {
        const CString key = path ? path : "";
        if (FindSetValue(key, value))
            return;
        std::shared_ptr<const Declarations> declarations;
        value = ExactProperty(link, key, declarations).GetDefaultValue();
    });
}

void VqsScriptPropertyMgr::GetBool(PxVQLink* link, const char* path, BOOL& value)
{
    CString text;
    GetValue(link, path, text);
    value = text == "TRUE" ? TRUE : FALSE;
}

void VqsScriptPropertyMgr::GetInt(PxVQLink* link, const char* path, int& value)
{
    CString text;
    GetValue(link, path, text);
    value = std::atoi(text.GetString());
}

void VqsScriptPropertyMgr::GetDouble(PxVQLink* link, const char* path, double& value)
{
    CString text;
    GetValue(link, path, text);
    value = std::atof(text.GetString());
}

void VqsScriptPropertyMgr::SetBool(PxVQLink* link, const char* path, const BOOL& value)
{
    SetValue(link, path, value ? "TRUE" : "FALSE");
}

void VqsScriptPropertyMgr::SetInt(PxVQLink* link, const char* path, const int& value)
{
    CString text;
    text.Format("%d", value);
    SetValue(link, path, text);
}

void VqsScriptPropertyMgr::SetDouble(PxVQLink* link, const char* path, const double& value)
{
    CString text;
    text.Format("%f", value);
    SetValue(link, path, text);
}

void VqsScriptPropertyMgr::GetDateTime(PxVQLink* link, const char* path, std::int64_t& value)
{
    CString text;
    GetValue(link, path, text);
    if (text.IsEmpty())
        return;
    struct tm date {};
    if (!VqsParseScriptDate(text, date))
        Fail(kInvalidDate);
    const std::time_t time = std::mktime(&date);
    if (time == static_cast<std::time_t>(-1))
        Fail(kInvalidDate);
    value = static_cast<std::int64_t>(time);
}

void VqsScriptPropertyMgr::SetDateTime(PxVQLink* link, const char* path, const std::int64_t& value)
{
    const __time64_t time = value;
    const struct tm* local = _localtime64(&time);
    if (!local)
        Fail(kInvalidDate);
    CString text;
    text.Format("%04d%02d%02d%02d%02d%02d", local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour,
                local->tm_min, local->tm_sec);
    SetValue(link, path, text);
}
