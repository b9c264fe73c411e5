#include "repo/RepoSample.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace vqrepo {

namespace {

const char* const kSegmentNames[] = {"SALES", "PAYROLL", "STOCK"};

std::string Numbered(const char* prefix, int number, int width)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%s%0*d", prefix, width, number);
    return text;
}

std::string SegmentName(int index)
{
    return index < 3 ? kSegmentNames[index] : Numbered("SEG", index + 1, 3);
}

ElementDesc Element(const std::string& segmentPlace, std::size_t index, const char* className, std::string name,
                    Properties properties = {})
{
    ElementDesc element;
    element.place = segmentPlace + ".elements[" + std::to_string(index) + "]";
    element.className = className;
    element.name = std::move(name);
    element.properties = std::move(properties);
    return element;
}

Properties Ispec(const char* usage, std::int64_t type = -1, const char* primaryProfile = "")
{
    Properties properties;
    properties.texts["usage"] = usage;
    if (*primaryProfile)
        properties.texts["primaryProfile"] = primaryProfile;
    if (type >= 0)
        properties.numbers["type"] = type;
    return properties;
}

void AddSampleElements(SegmentDesc& segment)
{
    auto add = [&](const char* className, const char* name, Properties properties = {}) -> ElementDesc& {
        segment.elements.push_back(
            Element(segment.place, segment.elements.size(), className, name, std::move(properties)));
        ElementDesc& element = segment.elements.back();
        element.properties.texts["longName"] = std::string(name) + " of " + segment.name;
        element.properties.texts["description"] = std::string("Sample ") + className + " " + name;
        return element;
    };
    add("PxLSEDataItem", "CUSTNAME", {{{"edit", "X(30)"}}, {{"length", 30}}});
    add("PxLSEDataItem", "ORDERDATE", {{{"edit", "9(8)"}}, {{"length", 8}}});
    add("PxLSEKeyword", "ADDRESS").dataItems = {"CUSTNAME"};
    add("PxLSEEvent", "EVENT", Ispec("B"));
    ElementDesc& customer = add("PxLSEComponent", "CUSTOMER", Ispec("B", 0, "CUSTBYNAME"));
    customer.dataUsages = {{"CUSTNAME", 'D', 0, false}, {"ADDRESS", 'B', 0, true}};
    customer.ordinateProfile = "CUSTBYNAME";
    add("PxLSEComponent", "ORDER", Ispec("I", 17));
    add("PxLSEComponent", "NOTES", Ispec("I", 10));
    add("PxLSEComponent", "AUDIT", Ispec("O", 1));
    add("PxLSEIspec", "ENQUIRY", Ispec("Q"));
    ElementDesc& byName = add("PxLSEProfile", "CUSTBYNAME", {{}, {{"duplicates", 1}}});
    byName.ordinates = {{"CUSTNAME", 1, 0}};
    ElementDesc& byDate = add("PxLSEProfile", "ORDBYDATE", {{}, {{"isAutoMaintProfile", 1}}});
    byDate.ordinates = {{"ORDERDATE", 1, 1}};
    byDate.conditions = {"ORDERDATE > 20000101"};
    add("PxLSEReport", "MONTHLY", {{{"defaultDevice", "FL"}}, {{"generateToAllLanguages", 1}}});
    add("PxLSEReport", "DAILY", {{{"defaultDevice", "PR"}}, {}});
    add("PxLSEGlobalLogic", "STARTUP", {{{"parameters", ""}}, {{"performable", 1}}});
    add("PxLSEGlobalLogic", "CALCTAX", {{{"parameters", "AMOUNT,RATE"}}, {{"performable", 0}}});
    add("PxSQLScript", "INITDB");
    segment.relations.push_back({segment.place + ".relations[0]", "CUSTBYNAME", "CUSTOMER", "O"});
    segment.relations.push_back({segment.place + ".relations[1]", "ORDBYDATE", "EVENT", "O"});
    segment.relations.push_back({segment.place + ".relations[2]", "ORDER", "CUSTOMER", "R"});
}

// Generated elements: components in pairs, a profile over each pair's second, a report and a
// global logic, in turn.
void AddGeneratedElements(SegmentDesc& segment, int count)
{
    std::string lastComponent;
    std::size_t lastComponentIndex = 0;
    for (int i = 1; i <= count; ++i) {
        std::size_t index = segment.elements.size();
        switch (i % 5) {
        case 1:
        case 2:
            lastComponent = Numbered("C", i, 6);
            lastComponentIndex = index;
            segment.elements.push_back(Element(segment.place, index, "PxLSEComponent", lastComponent, Ispec("B", 0)));
            break;
        case 3: {
            std::string name = Numbered("P", i, 6);
            segment.elements.push_back(Element(segment.place, index, "PxLSEProfile", name));
            segment.relations.push_back({segment.place + ".relations[" + std::to_string(segment.relations.size()) + "]",
                                         name, lastComponent, "O"});
            // The component's design names the profile as its own, as the link placed below it
            // says; otherwise the first synchronisation would delete that link.
            segment.elements[lastComponentIndex].ordinateProfile = name;
            break;
        }
        case 4:
            segment.elements.push_back(Element(segment.place, index, "PxLSEReport", Numbered("R", i, 6)));
            break;
        default:
            segment.elements.push_back(Element(segment.place, index, "PxLSEGlobalLogic", Numbered("G", i, 6)));
            break;
        }
    }
}

SegmentDesc Segment(int index, const SampleScale& scale)
{
    SegmentDesc segment;
    segment.place = "businessSegments[" + std::to_string(index) + "]";
    segment.name = SegmentName(index);
    segment.properties.texts["longName"] = segment.name + " business segment";
    segment.properties.texts["description"] = "Sample business segment " + segment.name;
    segment.properties.numbers = {{"foregroundColor", 2 + index % 6}, {"backgroundColor", 1},
                                  {"rocRequired", index == 0 ? 1 : 0}, {"targetHostNt", 1},
                                  {"targetHostQsr", 1}, {"targetHostOsTarsk", 1}, {"targetHostUnix", 1}};
    segment.languages = {{"ENGLISH", 1}, {"FRENCH", 2}};
    segment.primaryLanguage = "ENGLISH";
    segment.subsystems = {{"PRIMARY", 1}, {"QUERY", 11}, {"ROC", 12}};
    AddSampleElements(segment);
    AddGeneratedElements(segment, scale.elementsPerSegment);
    return segment;
}

void AddHostsAndPacks(RepoDescription& description, const SampleScale& scale)
{
    const struct {
        const char* name;
        int type;
        const char* address;
        int port;
    } hosts[] = {{"NTHOST", 0, "10.1.0.10", 21}, {"QSRHOST", 1, "10.1.0.11", 2021},
                 {"TARSKHOST", 2, "10.1.0.12", 3021}, {"UNIXHOST", 3, "10.1.0.13", 21}};
    for (const auto& host : hosts) {
        HostDesc entry;
        entry.place = "hosts[" + std::to_string(description.hosts.size()) + "]";
        entry.name = host.name;
        entry.hostType = host.type;
        entry.address = host.address;
        entry.port = host.port;
        entry.ftpUserid = "vqgen";
        entry.ftpPassword = "sample";
        entry.encipher = 1;
        description.hosts.push_back(entry);
    }
    auto addPack = [&](const std::string& name, int type, std::vector<AssociationDesc> associations) {
        PackDesc pack;
        pack.place = "packs[" + std::to_string(description.packs.size()) + "]";
        pack.name = name;
        pack.packType = type;
        pack.associations = std::move(associations);
        for (std::size_t i = 0; i < pack.associations.size(); ++i)
            pack.associations[i].place = pack.place + ".associations[" + std::to_string(i) + "]";
        description.packs.push_back(pack);
    };
    for (int index = 0; index < scale.segments; ++index) {
        std::string segment = SegmentName(index);
        std::string lower;
        for (char c : segment)
            lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        addPack(segment + "PATH", 1,
                {{"", "NTHOST", "/vq/nt/" + lower, "", 0, "", "", {}},
                 {"", "UNIXHOST", "/vq/unix/" + lower, "", 0, "", "", {}}});
        addPack(segment + "FG", 2, {{"", "NTHOST", "", lower + "_fg", 0, "", "", {}}});
        addPack(segment + "TS", 2, {{"", "UNIXHOST", "", lower + "_ts", 0, "", "", {}}});
    }
    addPack("TARSKPACK", 0, {{"", "TARSKHOST", "", "", 0, "DISK01", "ACR001", {"PK0001", "PK0002"}}});
}

// The second system's generate sets hold options changed from their defaults: packs of
// elements and of the first segment, among them packs the enterprise does not have.
void GiveUpdatedOptions(SystemDesc& system)
{
    const std::string& segment = system.segments.front();
    const struct {
        const char* optionSet;
        const char* element;
        const char* option;
        const char* value;
    } options[] = {{"NTGEN", "CUSTOMER", "CompPack", "ORDERSFG"},
                   {"NTGEN", "MONTHLY", "ExtractPack", "REPORTSPATH"},
                   {"UNIXGEN", "", "ReorgPack", "SALESREORG"},
                   {"UNIXGEN", "ORDBYDATE", "Pack", "SALESTS"},
                   {"QSRGEN", "", "PackMapping", "OLDDB SALESDB OLDLOG SALESLOG"}};
    for (const auto& option : options) {
        for (OptionSetDesc& set : system.optionSets) {
            if (set.name != option.optionSet)
                continue;
            set.options.push_back({set.place + ".options[" + std::to_string(set.options.size()) + "]", segment,
                                   option.element, option.option, option.value});
        }
    }
}

SystemDesc System(int index, const std::string& segment)
{
    SystemDesc system;
    system.place = "systems[" + std::to_string(index) + "]";
    system.name = "SYS" + std::to_string(index + 1);
    system.longName = "Sample system " + std::to_string(index + 1);
    system.description = "A system of the sample enterprise";
    system.runtimeVersionIdentifier = "RT" + std::to_string(index + 1);
    system.segments.push_back(segment);
    // Each generate set and report group has the long name its creating dialog requires while
    // long names are allowed: the one a user gets who types its name there.
    const struct {
        const char* name;
        int type;
        const char* host;
    } sets[] = {{"NTGEN", 0, "NTHOST"}, {"QSRGEN", 1, "QSRHOST"}, {"TARSKGEN", 2, "TARSKHOST"},
                {"UNIXGEN", 3, "UNIXHOST"}};
    for (const auto& set : sets)
        system.optionSets.push_back({system.place + ".optionSets[" + std::to_string(system.optionSets.size()) + "]",
                                     set.name, set.name, set.type, set.host, std::string("Generate set for ") + set.host,
                                     {}});
    if (index == 1)
        GiveUpdatedOptions(system);
    const std::string& first = system.segments.front();
    system.reportGroups.push_back({system.place + ".reportGroups[0]", first, "MONTHEND", "MONTHEND",
                                   "Month-end reports", {{"MONTHLY", "MONTHLY1"}, {"DAILY", "DAILY"}}});
    system.bundles.push_back({system.place + ".bundles[0]", first, "WEBALL", "Every Ispec for the web", 1, {}});
    system.bundles.push_back({system.place + ".bundles[1]", first, "ORDERS", "Order entry", 0, {"ORDER", "CUSTOMER"}});
    if (index == 0) {
        OldConfigDesc old;
        old.place = system.place + ".oldConfigs[0]";
        old.generationTime = 1700000000;
        old.fromOSName = "NTGEN";
        old.optionSet = {old.place + ".optionSet", "NTGEN", "NTGEN", 0, "NTHOST", "Generate set of the last generation",
                         {}};
        old.hasOptionSet = true;
        system.oldConfigs.push_back(old);
    }
    return system;
}

} // namespace

RepoDescription SampleDescription(const SampleScale& requested)
{
    SampleScale scale = requested;
    scale.segments = std::max(scale.segments, 1);
    scale.systems = std::max(scale.systems, 0);
    scale.elementsPerSegment = std::max(scale.elementsPerSegment, 0);
    RepoDescription description;
    description.allowLongNames = 1;
    description.enterpriseName = "SAMPLE";
    description.enterpriseLongName = "Sample enterprise";
    for (int index = 0; index < scale.segments; ++index)
        description.segments.push_back(Segment(index, scale));
    description.segments.front().lockedBy = "designer/lse";
    description.segments.front().lockExclusive = 0;
    AddHostsAndPacks(description, scale);
    // A configuration holds one business segment, so every segment has systems of its own:
    // SYS1 and SYS2 take SALES, SYS3 and SYS4 PAYROLL, and so on.
    for (const SegmentDesc& segment : description.segments)
        for (int index = 0; index < scale.systems; ++index)
            description.systems.push_back(System(static_cast<int>(description.systems.size()), segment.name));
    return description;
}

bool ParseSampleScale(const std::string& text, SampleScale& scale)
{
    int numbers[3] = {};
    const char* at = text.c_str();
    const char* end = at + text.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && (at == end || *at++ != ','))
            return false;
        auto [next, error] = std::from_chars(at, end, numbers[i]);
        if (error != std::errc() || next == at)
            return false;
        at = next;
    }
    if (at != end || numbers[0] < 1 || numbers[1] < 1 || numbers[2] < 0 || numbers[0] > kMostSampleSystems ||
        numbers[1] > kMostSampleSegments || numbers[2] > kMostSampleElements)
        return false;
    const std::int64_t links = std::int64_t{numbers[0]} * numbers[1] * (numbers[2] + kSampleOwnElements);
    if (links > kMostSampleLinks)
        return false;
    scale = {numbers[0], numbers[1], numbers[2]};
    return true;
}

} // namespace vqrepo
