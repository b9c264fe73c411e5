#include "repo/RepoReader.h"

#include "proxy/PxLSEBuilder.h"
#include "repo/RepoError.h"
#include "repo/RepoValidator.h"
#include "win/Mbcs.h"

#include <nlohmann/json.hpp>

#include <climits>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <limits>
#include <optional>
#include <set>
#include <sstream>

namespace vqrepo {

namespace {

using json = nlohmann::json;

// A written whole number too large for any field (1e19, 18446744073709551616, ...): beyond
// the signed range it is read as unsigned or, further out, as a fraction; either would be
// stored wrapped or cut.
bool IsBeyondWholeRange(const json& value)
{
    if (value.is_number_unsigned())
        return value.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
    if (!value.is_number_float())
        return false;
    const double number = value.get<double>();
    return std::floor(number) == number && std::fabs(number) >= 9223372036854775808.0;
}

// One object of the description: its keys are taken one by one, and what is left over is
// refused by Done.
class Node {
public:
    Node(const json& value, std::string place) : m_value(value), m_place(std::move(place))
    {
        if (!m_value.is_object())
            Fail("is not an object");
    }

    const std::string& Place() const { return m_place; }

    [[noreturn]] void Fail(const std::string& problem) const
    {
        std::string named = m_place;
        if (m_value.is_object() && m_value.contains("name") && m_value["name"].is_string())
            named += " \"" + m_value["name"].get<std::string>() + "\"";
        throw RepoError(named + ": " + problem + ".");
    }

    bool Has(const char* key) const { return m_value.contains(key); }

    std::string Text(const char* key, const std::string& fallback = "")
    {
        const json* value = Take(key);
        if (!value)
            return fallback;
        if (!value->is_string())
            Fail(std::string("\"") + key + "\" must be a text");
        return Stored(key, value->get<std::string>());
    }

    std::string RequiredText(const char* key)
    {
        if (!Has(key))
            Fail(std::string("\"") + key + "\" is missing");
        std::string text = Text(key);
        if (text.empty())
            Fail(std::string("\"") + key + "\" is empty");
        return text;
    }

    std::int64_t Number(const char* key, std::int64_t fallback = 0)
    {
        const json* value = Take(key);
        if (!value)
            return fallback;
        if (value->is_boolean())
            return value->get<bool>() ? 1 : 0;
        if (IsBeyondWholeRange(*value))
            FailRange(key, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max());
        if (!value->is_number_integer())
            Fail(std::string("\"") + key + "\" must be a whole number");
        return value->get<std::int64_t>();
    }

    std::int64_t Ranged(const char* key, std::int64_t fallback, std::int64_t low, std::int64_t high)
    {
        std::int64_t number = Number(key, fallback);
        if (number < low || number > high)
            FailRange(key, low, high);
        return number;
    }

    [[noreturn]] void FailRange(const char* key, std::int64_t low, std::int64_t high) const
    {
        Fail(std::string("\"") + key + "\" must lie in " + std::to_string(low) + " to " + std::to_string(high));
    }

    int Int(const char* key, int fallback = 0)
    {
        return static_cast<int>(Ranged(key, fallback, INT_MIN, INT_MAX));
    }

    // The elements of an array (none when the key is absent).
    std::vector<const json*> Array(const char* key)
    {
        const json* value = Take(key);
        std::vector<const json*> items;
        if (!value)
            return items;
        if (!value->is_array())
            Fail(std::string("\"") + key + "\" must be a list");
        for (const json& item : *value)
            items.push_back(&item);
        return items;
    }

    std::vector<std::string> Texts(const char* key)
    {
        std::vector<std::string> texts;
        for (const json* item : Array(key)) {
            if (!item->is_string())
                Fail(std::string("every entry of \"") + key + "\" must be a text");
            texts.push_back(Stored(key, item->get<std::string>()));
        }
        return texts;
    }

    std::vector<std::string> Remaining() const
    {
        std::vector<std::string> keys;
        for (auto it = m_value.begin(); it != m_value.end(); ++it)
            if (!m_taken.count(it.key()))
                keys.push_back(it.key());
        return keys;
    }

    const json& Value(const std::string& key) const { return m_value.at(key); }

    // A nested object; null when the key is absent.
    const json* Child(const char* key) { return Take(key); }

    void Done() const
    {
        std::vector<std::string> left = Remaining();
        if (!left.empty())
            Fail("unknown key \"" + left.front() + "\"");
    }

private:
    // Texts are bytes of the host's code page, written as the resource library's are; the
    // repository keeps them up to their first NUL character.
    std::string Stored(const char* key, const std::string& text) const
    {
        std::optional<std::string> bytes = mbcs::FromCodePoints(text);
        if (!bytes)
            Fail(std::string("\"") + key +
                 "\" holds a character above U+00FF; write the host code page's bytes as \\u0080 to \\u00ff");
        if (bytes->find('\0') != std::string::npos)
            Fail(std::string("\"") + key + "\" holds a NUL character");
        return *bytes;
    }

    const json* Take(const char* key)
    {
        m_taken.insert(key);
        auto found = m_value.find(key);
        return found == m_value.end() ? nullptr : &*found;
    }

    const json& m_value;
    std::string m_place;
    std::set<std::string> m_taken;
};

std::string At(const std::string& place, const char* key, std::size_t index)
{
    return place + (place.empty() ? "" : ".") + key + "[" + std::to_string(index) + "]";
}

void ReadProperties(Node& node, const std::string& className, Properties& properties)
{
    for (const std::string& key : node.Remaining()) {
        switch (PxLSEBuilder::KnownProperty(className.c_str(), key.c_str())) {
        case PxLSEBuilder::PropertyType::None:
            node.Fail("a " + className + " has no property \"" + key + "\"");
        case PxLSEBuilder::PropertyType::Text:
            properties.texts[key] = node.Text(key.c_str());
            break;
        case PxLSEBuilder::PropertyType::Number:
            properties.numbers[key] = node.Number(key.c_str());
            break;
        }
    }
}

std::vector<std::string> ReadRevisions(Node& node, const std::string& className)
{
    std::vector<std::string> missing = node.Texts("missingRevisions");
    for (const std::string& which : missing)
        if (!PxLSEBuilder::IsRevisionOf(className.c_str(), which.c_str()))
            node.Fail("a " + className + " has no revision \"" + which + "\"");
    return missing;
}

char ReadLetter(Node& node, const char* key, char fallback)
{
    std::string letter = node.Text(key, std::string(1, fallback));
    if (letter.size() != 1)
        node.Fail(std::string("\"") + key + "\" must be one letter");
    return letter[0];
}

ElementDesc ReadElement(const json& value, const std::string& place)
{
    Node node(value, place);
    ElementDesc element;
    element.place = place;
    element.className = node.RequiredText("class");
    element.name = node.RequiredText("name");
    if (!PxLSEBuilder::IsElementClass(element.className.c_str()))
        node.Fail("unknown class \"" + element.className + "\"");
    element.missingRevisions = ReadRevisions(node, element.className);
    element.conditions = node.Texts("conditions");
    element.dataItems = node.Texts("dataItems");
    element.ordinateProfile = node.Text("ordinateProfile");
    std::size_t index = 0;
    for (const json* item : node.Array("ordinates")) {
        Node ordinate(*item, At(place, "ordinates", index++));
        element.ordinates.push_back({ordinate.RequiredText("target"), ordinate.Int("sequence"),
                                     ordinate.Int("linkIfPresent")});
        ordinate.Done();
    }
    index = 0;
    for (const json* item : node.Array("dataUsages")) {
        Node use(*item, At(place, "dataUsages", index++));
        DataUsageDesc usage;
        usage.target = use.RequiredText("target");
        usage.usage = ReadLetter(use, "usage", 'D');
        usage.memodata = use.Int("memodata");
        usage.keywordTerm = use.Number("keywordTerm") != 0;
        use.Done();
        element.dataUsages.push_back(usage);
    }
    ReadProperties(node, element.className, element.properties);
    return element;
}

SegmentDesc ReadSegment(const json& value, const std::string& place)
{
    Node node(value, place);
    SegmentDesc segment;
    segment.place = place;
    segment.name = node.RequiredText("name");
    segment.missingRevisions = ReadRevisions(node, "PxLSEBusinessSegment");
    segment.primaryLanguage = node.Text("primaryLanguage");
    std::size_t index = 0;
    for (const json* item : node.Array("languages")) {
        Node language(*item, At(place, "languages", index++));
        segment.languages.push_back({language.RequiredText("name"), static_cast<int>(language.Ranged("slot", 0, 1, 15))});
        language.Done();
    }
    index = 0;
    for (const json* item : node.Array("subsystems")) {
        Node subsystem(*item, At(place, "subsystems", index++));
        segment.subsystems.push_back({subsystem.RequiredText("name"), subsystem.Int("number")});
        subsystem.Done();
    }
    index = 0;
    for (const json* item : node.Array("elements"))
        segment.elements.push_back(ReadElement(*item, At(place, "elements", index++)));
    index = 0;
    for (const json* item : node.Array("relations")) {
        std::string where = At(place, "relations", index++);
        Node relation(*item, where);
        segment.relations.push_back(
            {where, relation.RequiredText("source"), relation.RequiredText("target"), relation.Text("relation")});
        relation.Done();
    }
    index = 0;
    for (const json* item : node.Array("designChanges")) {
        std::string where = At(place, "designChanges", index++);
        Node entry(*item, where);
        segment.designChanges.push_back(
            {where, entry.RequiredText("element"), entry.RequiredText("change"), entry.Text("name")});
        entry.Done();
    }
    segment.removed = static_cast<int>(node.Ranged("removed", 0, 0, 1));
    if (const json* locked = node.Child("lockedBy")) {
        Node lock(*locked, place + ".lockedBy");
        segment.lockedBy = lock.RequiredText("usercode");
        segment.lockExclusive = lock.Int("exclusive", 1);
        lock.Done();
    }
    ReadProperties(node, "PxLSEBusinessSegment", segment.properties);
    return segment;
}

HostDesc ReadHost(const json& value, const std::string& place)
{
    Node node(value, place);
    HostDesc host;
    host.place = place;
    host.name = node.RequiredText("name");
    host.hostType = static_cast<int>(node.Ranged("hostType", 0, 0, 3));
    host.address = node.Text("address");
    host.port = node.Ranged("port", 21, 1, 65535);
    host.ftpUserid = node.Text("ftpUserid");
    host.ftpPassword = node.Text("ftpPassword");
    host.encipher = node.Int("encipher");
    host.kanaMode = node.Int("kanaMode");
    node.Done();
    return host;
}

PackDesc ReadPack(const json& value, const std::string& place)
{
    Node node(value, place);
    PackDesc pack;
    pack.place = place;
    pack.name = node.RequiredText("name");
    pack.packType = static_cast<int>(node.Ranged("packType", 0, 0, 2));
    std::size_t index = 0;
    for (const json* item : node.Array("associations")) {
        std::string where = At(place, "associations", index++);
        Node entry(*item, where);
        AssociationDesc association;
        association.place = where;
        association.host = entry.RequiredText("host");
        association.path = entry.Text("path");
        association.table = entry.Text("table");
        association.fixedDisk = entry.Int("fixedDisk");
        association.equipmentType = entry.Text("equipmentType");
        association.acrName = entry.Text("acrName");
        association.packIds = entry.Texts("packIds");
        if (association.packIds.size() > 8)
            entry.Fail("a pack has at most 8 pack ids");
        entry.Done();
        pack.associations.push_back(association);
    }
    node.Done();
    return pack;
}

OptionSetDesc ReadOptionSet(const json& value, const std::string& place)
{
    Node node(value, place);
    OptionSetDesc set;
    set.place = place;
    set.name = node.RequiredText("name");
    set.longName = node.Text("longName");
    set.hostType = static_cast<int>(node.Ranged("hostType", 0, 0, 3));
    set.host = node.Text("host");
    set.description = node.Text("description");
    std::size_t index = 0;
    for (const json* item : node.Array("options")) {
        OptionValueDesc option;
        option.place = At(place, "options", index++);
        Node entry(*item, option.place);
        option.segment = entry.RequiredText("segment");
        option.element = entry.Text("element");
        option.option = entry.RequiredText("option");
        option.value = entry.Text("value");
        entry.Done();
        set.options.push_back(option);
    }
    node.Done();
    return set;
}

SystemDesc ReadSystem(const json& value, const std::string& place)
{
    Node node(value, place);
    SystemDesc system;
    system.place = place;
    system.name = node.RequiredText("name");
    system.longName = node.Text("longName");
    system.description = node.Text("description");
    system.runtimeVersionIdentifier = node.Text("runtimeVersionIdentifier");
    system.segments = node.Texts("businessSegments");
    std::size_t index = 0;
    for (const json* item : node.Array("optionSets"))
        system.optionSets.push_back(ReadOptionSet(*item, At(place, "optionSets", index++)));
    index = 0;
    for (const json* item : node.Array("reportGroups")) {
        std::string where = At(place, "reportGroups", index++);
        Node entry(*item, where);
        ReportGroupDesc group;
        group.place = where;
        group.segment = entry.RequiredText("businessSegment");
        group.name = entry.RequiredText("name");
        group.longName = entry.Text("longName");
        group.description = entry.Text("description");
        std::size_t aliasIndex = 0;
        for (const json* aliasItem : entry.Array("aliases")) {
            Node alias(*aliasItem, At(where, "aliases", aliasIndex++));
            group.aliases.push_back({alias.RequiredText("report"), alias.Text("generateAs")});
            alias.Done();
        }
        entry.Done();
        system.reportGroups.push_back(group);
    }
    index = 0;
    for (const json* item : node.Array("bundles")) {
        std::string where = At(place, "bundles", index++);
        Node entry(*item, where);
        BundleDesc bundle;
        bundle.place = where;
        bundle.segment = entry.RequiredText("businessSegment");
        bundle.name = entry.RequiredText("name");
        bundle.description = entry.Text("description");
        bundle.containsAllIspecs = entry.Int("containsAllIspecs");
        bundle.ispecs = entry.Texts("ispecs");
        entry.Done();
        system.bundles.push_back(bundle);
    }
    index = 0;
    for (const json* item : node.Array("oldConfigs")) {
        std::string where = At(place, "oldConfigs", index++);
        Node entry(*item, where);
        OldConfigDesc old;
        old.place = where;
        old.generationTime = entry.Number("generationTime");
        old.fromOSName = entry.Text("fromOSName");
        if (const json* set = entry.Child("optionSet")) {
            old.optionSet = ReadOptionSet(*set, where + ".optionSet");
            old.hasOptionSet = true;
        }
        entry.Done();
        system.oldConfigs.push_back(old);
    }
    index = 0;
    for (const json* item : node.Array("linkChanges")) {
        std::string where = At(place, "linkChanges", index++);
        Node entry(*item, where);
        LinkChangeDesc change;
        change.place = where;
        change.segment = entry.RequiredText("businessSegment");
        change.element = entry.RequiredText("element");
        change.change = entry.RequiredText("change");
        change.className = entry.Text("class");
        entry.Done();
        system.linkChanges.push_back(change);
    }
    node.Done();
    return system;
}

RepoDescription ReadRoot(const json& value)
{
    if (!value.is_object())
        throw RepoError("The description is not a JSON object.");
    Node node(value, "description");
    RepoDescription description;
    description.timeStamp = node.Number("timeStamp", description.timeStamp);
    description.allowLongNames = node.Int("allowLongNames");
    description.enterpriseName = node.Text("enterpriseName");
    description.enterpriseLongName = node.Text("enterpriseLongName");
    std::size_t index = 0;
    for (const json* item : node.Array("businessSegments"))
        description.segments.push_back(ReadSegment(*item, At("", "businessSegments", index++)));
    index = 0;
    for (const json* item : node.Array("hosts"))
        description.hosts.push_back(ReadHost(*item, At("", "hosts", index++)));
    index = 0;
    for (const json* item : node.Array("packs"))
        description.packs.push_back(ReadPack(*item, At("", "packs", index++)));
    index = 0;
    for (const json* item : node.Array("systems"))
        description.systems.push_back(ReadSystem(*item, At("", "systems", index++)));
    node.Done();
    ValidateDescription(description);
    return description;
}

} // namespace

RepoDescription ReadDescription(const std::string& text)
{
    json value;
    try {
        value = json::parse(text);
    } catch (const json::parse_error& error) {
        std::string message = error.what();
        std::size_t at = message.find("parse error");
        throw RepoError("The description is not valid JSON: " + (at == std::string::npos ? message : message.substr(at)));
    }
    return ReadRoot(value);
}

RepoDescription ReadDescriptionFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw RepoError("Cannot read the description " + path + ".");
    std::ostringstream text;
    text << in.rdbuf();
    try {
        return ReadDescription(text.str());
    } catch (const RepoError& error) {
        throw RepoError(path + ": " + error.what());
    }
}

} // namespace vqrepo
