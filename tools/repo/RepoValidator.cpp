#include "repo/RepoValidator.h"

#include "names/VqsNameRules.h"
#include "names/VqsValidation.h"
#include "proxy/PxClass.h"
#include "repo/RepoError.h"

#include <map>
#include <set>
#include <string_view>
#include <vector>

namespace vqrepo {

namespace {

[[noreturn]] void Fail(const std::string& place, const std::string& name, const std::string& problem)
{
    throw RepoError(place + (name.empty() ? "" : " \"" + name + "\"") + ": " + problem + ".");
}

// The place of an entry of a list in the description, as the reader names it.
std::string Entry(const std::string& place, const char* key, std::size_t index)
{
    return place + "." + key + "[" + std::to_string(index) + "]";
}

// The letters a one-letter code may take, for messages: "Q, I, O or B".
std::string Listed(std::string_view letters)
{
    std::string listed;
    for (std::size_t i = 0; i < letters.size(); ++i)
        listed += std::string(i == 0 ? "" : i + 1 == letters.size() ? " or " : ", ") + letters[i];
    return listed;
}

// Values the repository holds as codes: Ispec usages, data usages and relation strings.
constexpr std::string_view kIspecUsages = "QIOB";
constexpr std::string_view kDataUsages = "DBO";
constexpr std::string_view kRelationLetters = "ORor";

// Refuses the second of two objects with the same name.
class UniqueNames {
public:
    explicit UniqueNames(const char* what) : m_what(what) {}
    void Add(const std::string& place, const std::string& name)
    {
        if (!m_names.insert(name).second)
            Fail(place, name, std::string("a second ") + m_what + " of this name");
    }
    bool Contains(const std::string& name) const { return m_names.count(name) > 0; }

private:
    const char* m_what;
    std::set<std::string> m_names;
};

std::string Article(const char* noun)
{
    return std::string("AEIOUaeiou").find(noun[0]) == std::string::npos ? "a" : "an";
}

bool IsKindOf(const std::string& className, const char* base)
{
    const PxClassInfo* info = PxFindClass(className.c_str());
    return info && info->IsKindOf(base);
}

class SegmentIndex {
public:
    explicit SegmentIndex(const SegmentDesc& segment)
    {
        for (const ElementDesc& element : segment.elements)
            m_classes[element.name] = element.className;
    }

    // The class of the element of the name; empty when there is none.
    std::string ClassOf(const std::string& name) const
    {
        auto found = m_classes.find(name);
        return found == m_classes.end() ? std::string() : found->second;
    }

    void Require(const std::string& place, const std::string& owner, const std::string& name, const char* base,
                 const char* what) const
    {
        std::string className = ClassOf(name);
        if (className.empty())
            Fail(place, owner, std::string("there is no ") + what + " \"" + name + "\"");
        if (!IsKindOf(className, base))
            Fail(place, owner, "\"" + name + "\" is not " + Article(what) + " " + what);
    }

private:
    std::map<std::string, std::string> m_classes;
};

void CheckValues(const ElementDesc& element)
{
    auto usage = element.properties.texts.find("usage");
    if (usage != element.properties.texts.end() &&
        (usage->second.size() != 1 || kIspecUsages.find(usage->second[0]) == std::string_view::npos))
        Fail(element.place, element.name, "the \"usage\" of an Ispec is one of the letters " + Listed(kIspecUsages));
    auto length = element.properties.numbers.find("length");
    if (length != element.properties.numbers.end() && length->second < 0)
        Fail(element.place, element.name, "the \"length\" must not be negative");
    for (std::size_t i = 0; i < element.dataUsages.size(); ++i)
        if (kDataUsages.find(element.dataUsages[i].usage) == std::string_view::npos)
            Fail(Entry(element.place, "dataUsages", i), "",
                 "the \"usage\" of a data usage is one of the letters " + Listed(kDataUsages));
}

void CheckElement(const ElementDesc& element, const SegmentIndex& index)
{
    CheckValues(element);
    for (const OrdinateDesc& ordinate : element.ordinates)
        index.Require(element.place, element.name, ordinate.target, "PxLSEElement", "element");
    for (const DataUsageDesc& usage : element.dataUsages)
        index.Require(element.place, element.name, usage.target, "PxLSEElement", "element");
    for (const std::string& item : element.dataItems)
        index.Require(element.place, element.name, item, "PxLSEDataItem", "data item");
    if (!element.ordinateProfile.empty())
        index.Require(element.place, element.name, element.ordinateProfile, "PxLSEProfile", "profile");
    if (!element.ordinates.empty() && !IsKindOf(element.className, "PxLSEProfile"))
        Fail(element.place, element.name, "only profiles have ordinates");
    if (!element.conditions.empty() && !IsKindOf(element.className, "PxLSEScript"))
        Fail(element.place, element.name, "only profiles have conditions");
    if (!element.dataUsages.empty() && !IsKindOf(element.className, "PxLSEIspec"))
        Fail(element.place, element.name, "only Ispecs have data usages");
    if (!element.dataItems.empty() && !IsKindOf(element.className, "PxLSEKeyword"))
        Fail(element.place, element.name, "only keywords have data items");
    if (!element.ordinateProfile.empty() && !IsKindOf(element.className, "PxLSEComponent"))
        Fail(element.place, element.name, "only components have an ordinate profile");
}

bool RefersTo(const ElementDesc& element, const std::string& name)
{
    for (const OrdinateDesc& ordinate : element.ordinates)
        if (ordinate.target == name)
            return true;
    for (const DataUsageDesc& usage : element.dataUsages)
        if (usage.target == name)
            return true;
    for (const std::string& item : element.dataItems)
        if (item == name)
            return true;
    return element.ordinateProfile == name;
}

// Each change names an element the design holds at that point, by its name then.
void CheckDesignChanges(const SegmentDesc& segment)
{
    std::map<std::string, const ElementDesc*> current;
    for (const ElementDesc& element : segment.elements)
        current[element.name] = &element;
    for (const DesignChangeDesc& change : segment.designChanges) {
        if (change.change != "removed" && change.change != "renamed")
            Fail(change.place, change.element, "the \"change\" is one of removed and renamed");
        auto found = current.find(change.element);
        if (found == current.end())
            Fail(change.place, change.element, "there is no element \"" + change.element + "\"");
        const ElementDesc* element = found->second;
        current.erase(found);
        if (change.change == "renamed") {
            if (change.newName.empty())
                Fail(change.place, change.element, "a renamed element takes its new \"name\"");
            if (!current.emplace(change.newName, element).second)
                Fail(change.place, change.newName, "a second element of this name");
            continue;
        }
        if (!change.newName.empty())
            Fail(change.place, change.element, "only a renamed element takes a \"name\"");
        for (const auto& [name, other] : current)
            if (RefersTo(*other, element->name))
                Fail(change.place, change.element, "\"" + name + "\" still refers to it");
    }
}

void CheckSegment(const SegmentDesc& segment)
{
    UniqueNames elements("element");
    for (const ElementDesc& element : segment.elements)
        elements.Add(element.place, element.name);
    SegmentIndex index(segment);
    for (const ElementDesc& element : segment.elements)
        CheckElement(element, index);
    for (const RelationDesc& relation : segment.relations) {
        index.Require(relation.place, "", relation.source, "PxLSEElement", "element");
        index.Require(relation.place, "", relation.target, "PxLSEElement", "element");
        if (relation.relation.find_first_not_of(kRelationLetters) != std::string::npos)
            Fail(relation.place, "", "the \"relation\" is made of the letters O and R");
    }
    std::set<int> slots;
    UniqueNames languages("language");
    for (std::size_t i = 0; i < segment.languages.size(); ++i) {
        const LanguageDesc& language = segment.languages[i];
        std::string place = Entry(segment.place, "languages", i);
        languages.Add(place, language.name);
        if (!slots.insert(language.slot).second)
            Fail(place, language.name, "a second language in slot " + std::to_string(language.slot));
    }
    if (!segment.primaryLanguage.empty() && !languages.Contains(segment.primaryLanguage))
        Fail(segment.place, segment.name, "the primary language \"" + segment.primaryLanguage + "\" is not one of its languages");
    CheckDesignChanges(segment);
}

bool HasLinks(const std::string& className)
{
    return IsKindOf(className, "PxLSEIspec") || className == "PxLSEReport" || className == "PxLSEProfile" ||
           className == "PxLSEGlobalLogic";
}

void CheckLinkChange(const LinkChangeDesc& change, const SegmentIndex& index)
{
    const std::string designClass = index.ClassOf(change.element);
    if (change.change == "stray") {
        if (!designClass.empty())
            Fail(change.place, change.element, "a stray link names no design element");
        if (!HasLinks(change.className))
            Fail(change.place, change.element,
                 "the \"class\" of a stray link is an Ispec class, PxLSEReport, PxLSEProfile or PxLSEGlobalLogic");
        return;
    }
    if (change.change != "missing" && change.change != "outdated" && change.change != "unused")
        Fail(change.place, change.element, "the \"change\" is one of missing, outdated, unused and stray");
    if (designClass.empty())
        Fail(change.place, change.element, "there is no element \"" + change.element + "\"");
    if (!HasLinks(designClass) || designClass == "PxSQLScript")
        Fail(change.place, change.element, "\"" + change.element + "\" has no link");
    if (!change.className.empty())
        Fail(change.place, change.element, "only a stray link has a \"class\"");
}

// Lengths count bytes of the host's code page, as the dialogs' fields do.
void CheckLength(const std::string& place, const std::string& name, const std::string& what, const std::string& text,
                 int most)
{
    if (text.size() > static_cast<std::size_t>(most))
        Fail(place, name,
             "the " + what + " has " + std::to_string(text.size()) +
                 " characters (a double-byte character counts as two); the dialogs take at most " +
                 std::to_string(most));
}

// The name (the short name, with long names) of a system, generate set or report group: what
// the dialogs that create and edit it store. The rule of its field, typed in upper case,
// unlike its siblings' names without regard to case.
class ShortNames {
public:
    struct Rule {
        const char* what;
        UINT (*check)(const CString& taken);
        const char* broken;  // the rule the check refuses, in words
        int length;
        const char* siblings;
    };
    static constexpr Rule kSystem{"system", &VqsCheckSystemName, nullptr, kVqsSystemNameLength,
                                  "the enterprise's systems"};
    static constexpr Rule kOptionSet{"option set", &VqsCheckGenSetName,
                                     "an option set's name holds ASCII characters only", kVqsGenSetNameLength,
                                     "a system's option sets"};
    static constexpr Rule kReportGroup{"report group", &VqsCheckReportGroupName,
                                       "a report group's name holds no blank, \"!\", \";\", \":\" or character "
                                       "beyond ASCII",
                                       kVqsReportGroupNameLength,
                                       "the report groups a system has of a business segment"};

    explicit ShortNames(const Rule& rule) : m_rule(rule) {}

    void Add(const std::string& place, const std::string& name)
    {
        const CString taken = VqsTakenName(name.c_str());
        if (taken != name.c_str())
            Fail(place, name, "the name has blanks at its start or end; the dialogs store it without them");
        if (const UINT refusal = m_rule.check(taken))
            Fail(place, name, Broken(refusal));
        if (!VqsIsUpperCase(taken))
            Fail(place, name, std::string("the name of ") + Article(m_rule.what) + " " + m_rule.what +
                                  " is in upper case, as the dialogs make it");
        CheckLength(place, name, "name", name, m_rule.length);
        for (const std::string& other : m_names) {
            if (VqsSameName(other.c_str(), name.c_str()))
                Fail(place, name,
                     std::string("a second ") + m_rule.what + " of the name \"" + other + "\"; the names of " +
                         m_rule.siblings + " differ, without regard to case");
        }
        m_names.push_back(name);
    }

private:
    std::string Broken(UINT refusal) const
    {
        if (m_rule.broken)
            return m_rule.broken;
        return refusal == VqsValidation::kStartWithLetter ? "a system's name starts with a letter (A to Z)"
                                                          : "a system's name holds letters (A to Z) and digits only";
    }

    const Rule& m_rule;
    std::vector<std::string> m_names;
};

// While long names are allowed the module's dialogs make every system, generate set and
// report group with one, and its edit dialogs refuse OK on one that lacks it, is blank or
// shares it with a sibling, and store it without blanks at either end; the tool stores only
// what those dialogs would store unchanged.
class LongNames {
public:
    // `what` is the kind of object, `siblings` where its long name must differ from theirs.
    LongNames(bool allowed, const char* what, const char* siblings)
        : m_allowed(allowed), m_what(what), m_siblings(siblings)
    {
    }

    void Add(const std::string& place, const std::string& name, const std::string& longName)
    {
        if (!m_allowed)
            return;
        if (longName.empty())
            Fail(place, name,
                 "the " + m_what + " has no \"longName\"; while long names are allowed, every " + m_what +
                     " takes one");
        const CString taken = VqsTakenName(longName.c_str());
        if (VqsCheckTakenName(taken))
            Fail(place, name, "the \"longName\" is blank; the dialogs refuse a blank name");
        for (const std::string& other : m_taken) {
            if (VqsSameName(other.c_str(), longName.c_str()))
                Fail(place, name,
                     "a second " + m_what + " of the long name \"" + other + "\"; the long names of " + m_siblings +
                         " differ, without regard to case or to blanks at either end");
        }
        if (taken != longName.c_str())
            Fail(place, name, "the \"longName\" has blanks at its start or end; the dialogs store it without them");
        CheckLength(place, name, "\"longName\"", longName, kVqsLongNameLength);
        m_taken.push_back(longName);
    }

private:
    bool m_allowed;
    std::string m_what;
    const char* m_siblings;
    std::vector<std::string> m_taken;
};

void CheckSystem(const SystemDesc& system, bool longNames, const std::map<std::string, SegmentIndex>& segments,
                 const std::map<std::string, int>& hostTypes)
{
    UniqueNames taken("business segment");
    for (const std::string& name : system.segments) {
        taken.Add(system.place, name);
        if (!segments.count(name))
            Fail(system.place, system.name, "there is no business segment \"" + name + "\"");
    }
    // The module synchronises a configuration through one business segment and deletes the
    // others' links with their options; the tool does not make what would be cut down.
    if (system.segments.size() > 1)
        Fail(system.place, system.name,
             "the configuration of " + system.name + " takes a second business segment \"" + system.segments[1] +
                 "\"; a configuration holds one business segment");
    auto checkSet = [&](const OptionSetDesc& set) {
        if (set.host.empty())
            return;
        auto host = hostTypes.find(set.host);
        if (host == hostTypes.end())
            Fail(set.place, set.name, "there is no host \"" + set.host + "\"");
        if (host->second != set.hostType)
            Fail(set.place, set.name, "the host \"" + set.host + "\" is of another host type");
    };
    ShortNames sets(ShortNames::kOptionSet);
    LongNames setLongNames(longNames, "option set", "a system's option sets");
    for (const OptionSetDesc& set : system.optionSets) {
        sets.Add(set.place, set.name);
        setLongNames.Add(set.place, set.name, set.longName);
        checkSet(set);
    }
    for (const OldConfigDesc& old : system.oldConfigs)
        if (old.hasOptionSet)
            checkSet(old.optionSet);
    auto segmentOf = [&](const std::string& place, const std::string& owner, const std::string& name) {
        if (!taken.Contains(name))
            Fail(place, owner, "the system has no business segment \"" + name + "\"");
        return segments.at(name);
    };
    std::map<std::string, ShortNames> groups;
    std::map<std::string, LongNames> groupLongNames;
    for (const ReportGroupDesc& group : system.reportGroups) {
        const SegmentIndex& index = segmentOf(group.place, group.name, group.segment);
        groups.try_emplace(group.segment, ShortNames::kReportGroup).first->second.Add(group.place, group.name);
        constexpr const char* kGroupSiblings = "the report groups a system has of a business segment";
        groupLongNames.try_emplace(group.segment, longNames, "report group", kGroupSiblings)
            .first->second.Add(group.place, group.name, group.longName);
        for (const AliasDesc& alias : group.aliases)
            index.Require(group.place, group.name, alias.report, "PxLSEReport", "report");
    }
    std::map<std::string, UniqueNames> bundles;
    for (const BundleDesc& bundle : system.bundles) {
        const SegmentIndex& index = segmentOf(bundle.place, bundle.name, bundle.segment);
        bundles.try_emplace(bundle.segment, "bundle").first->second.Add(bundle.place, bundle.name);
        for (const std::string& ispec : bundle.ispecs)
            index.Require(bundle.place, bundle.name, ispec, "PxLSEIspec", "Ispec");
    }
    for (const LinkChangeDesc& change : system.linkChanges)
        CheckLinkChange(change, segmentOf(change.place, change.element, change.segment));
}

} // namespace

void ValidateDescription(const RepoDescription& description)
{
    UniqueNames segmentNames("business segment");
    std::map<std::string, SegmentIndex> segments;
    for (const SegmentDesc& segment : description.segments) {
        segmentNames.Add(segment.place, segment.name);
        CheckSegment(segment);
        segments.emplace(segment.name, SegmentIndex(segment));
    }
    UniqueNames hostNames("host");
    std::map<std::string, int> hostTypes;
    for (const HostDesc& host : description.hosts) {
        hostNames.Add(host.place, host.name);
        hostTypes[host.name] = host.hostType;
    }
    UniqueNames packNames("pack");
    for (const PackDesc& pack : description.packs) {
        packNames.Add(pack.place, pack.name);
        UniqueNames associated("association for host");
        for (const AssociationDesc& association : pack.associations) {
            associated.Add(association.place, association.host);
            if (!hostTypes.count(association.host))
                Fail(association.place, "", "there is no host \"" + association.host + "\"");
        }
    }
    ShortNames systemNames(ShortNames::kSystem);
    LongNames systemLongNames(description.allowLongNames != 0, "system", "the enterprise's systems");
    for (const SystemDesc& system : description.systems) {
        systemNames.Add(system.place, system.name);
        systemLongNames.Add(system.place, system.name, system.longName);
        CheckSystem(system, description.allowLongNames != 0, segments, hostTypes);
    }
}

} // namespace vqrepo
