#include "model/VqsSubsystemNumbering.h"

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "shell/VqsSysApp.h"

namespace {

// The attribute a link's name is stored in.
const char* const kName = "name";

// The subsystem numbers a QSR Ispec may get, in the order they are tried.
const char* const kSubsystemNumbers[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "A", "B", "C", "LSS"};

template <class T>
const T& NextOf(const PxTypedList<T>& list, POSITION& position)
{
    return static_cast<const CList<T, const T&>&>(list).GetNext(position);
}

} // namespace

bool VqsIsQSRIspecRecord(const PxOptionsPtr& record)
{
    const int kind = record->GetOptionsKind();
    return record->GetOptionsType() == VQHostQSR && (kind == PxOptionsKindComponent || kind == PxOptionsKindEvent);
}

VqsSubsystemNumbering::VqsSubsystemNumbering(const PxVQGenSetPtr& templateSet)
{
    if (!templateSet)
        return;
    m_hasTemplate = true;
    PxTypedList<PxOptionsPtr> records;
    templateSet->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxQSRIspecOptionsPtr record(NextOf(records, pos));
        const PxVQSoftLinkPtr link = record ? record->GetSoftLink() : PxVQSoftLinkPtr();
        if (link)
            m_templateNumbers.emplace(std::string(link->GetName()), record->GetSubsystemNum());
    }
}

void VqsSubsystemNumbering::WorkOut(const std::vector<PxObjectPtr>& configs,
                                    const std::vector<std::vector<PxObjectPtr>>& records)
{
    std::vector<PxVQOptionsPtr> numbered;
    for (const std::vector<PxObjectPtr>& ofConfig : records)
        for (const PxObjectPtr& record : ofConfig)
            if (record && VqsIsQSRIspecRecord(PxOptionsPtr(record)))
                numbered.emplace_back(record);
    if (numbered.empty())
        return;
    const std::unordered_map<PxHandle, Place> places = PlacesOfElementLinks(configs);
    const std::vector<PxVQSoftLinkPtr> links = PxVQOptions::SoftLinksOf(numbered);
    std::vector<const Place*> placeOf;
    std::set<std::string> segments;
    for (const PxVQSoftLinkPtr& link : links) {
        const auto place = link ? places.find(link->GetHandle()) : places.end();
        placeOf.push_back(place == places.end() ? nullptr : &place->second);
        if (placeOf.back())
            segments.insert(placeOf.back()->segment);
    }
    ReadDesigns(segments);
    std::vector<PxObjectPtr> given;
    std::vector<CString> numbers;
    for (std::size_t index = 0; index < numbered.size(); ++index) {
        m_worked.insert(numbered[index]->GetHandle());
        if (!placeOf[index])
            continue;
        if (const std::optional<CString> number = NumberAt(*placeOf[index])) {
            given.emplace_back(numbered[index]);
            numbers.push_back(*number);
        }
    }
    KeepNumbersThatDiffer(given, numbers);
}

// A record that holds its number already is left alone: only its own number is read, for all
// of them together, so that nothing else of theirs is read or written.
void VqsSubsystemNumbering::KeepNumbersThatDiffer(const std::vector<PxObjectPtr>& records,
                                                  const std::vector<CString>& numbers)
{
    if (records.empty())
        return;
    const std::vector<std::optional<CString>> held = PxQSRIspecOptions::OwnSubsystemNumsOf(records);
    for (std::size_t index = 0; index < records.size(); ++index)
        if (held[index] != numbers[index])
            m_numbers.emplace(records[index]->GetHandle(), numbers[index]);
}

bool VqsSubsystemNumbering::Knows(const std::vector<PxObjectPtr>& records) const
{
    for (const PxObjectPtr& record : records)
        if (record && VqsIsQSRIspecRecord(PxOptionsPtr(record)) && !m_worked.contains(record->GetHandle()))
            return false;
    return true;
}

void VqsSubsystemNumbering::Give(const PxOptionsPtr& record) const
{
    const auto number = m_numbers.find(record->GetHandle());
    if (number != m_numbers.end())
        PxQSRIspecOptionsPtr(record)->SetSubsystemNum(number->second);
}

// The element links of the configurations' segments, each with its segment's name and its
// own; every list and name read together, the names alone.
std::unordered_map<PxHandle, VqsSubsystemNumbering::Place>
VqsSubsystemNumbering::PlacesOfElementLinks(const std::vector<PxObjectPtr>& configs)
{
    std::vector<PxObjectPtr> segments;
    for (std::vector<PxObjectPtr>& ofConfig : PxVQConfig::BSSoftLinksOf(configs))
        segments.insert(segments.end(), ofConfig.begin(), ofConfig.end());
    const std::vector<CString> segmentNames = PxObject::AttributeTextsOf(segments, kName);
    std::vector<PxObjectPtr> links;
    std::vector<std::size_t> segmentOf;
    const std::vector<std::vector<PxObjectPtr>> linksOfSegments = PxVQBSSoftLink::ElementSoftLinksOf(segments);
    for (std::size_t index = 0; index < segments.size(); ++index) {
        links.insert(links.end(), linksOfSegments[index].begin(), linksOfSegments[index].end());
        segmentOf.resize(links.size(), index);
    }
    const std::vector<CString> names = PxObject::AttributeTextsOf(links, kName);
    std::unordered_map<PxHandle, Place> places;
    for (std::size_t index = 0; index < links.size(); ++index)
        places.emplace(links[index]->GetHandle(),
                       Place{std::string(segmentNames[segmentOf[index]]), std::string(names[index])});
    return places;
}

// The number for an element link at the place: none when its segment has no design element of
// its name, or when neither the template nor a subsystem of the segment gives one.
std::optional<CString> VqsSubsystemNumbering::NumberAt(const Place& place) const
{
    const Design& design = m_designs.at(place.segment);
    const auto element = design.subsystems.find(place.element);
    if (element == design.subsystems.end())
        return std::nullopt;
    if (m_hasTemplate) {
        const auto found = m_templateNumbers.find(place.element);
        return found == m_templateNumbers.end() ? std::nullopt : std::optional(found->second);
    }
    for (const char* number : kSubsystemNumbers) {
        const auto named = design.namesByNumber.find(number);
        if ((named == design.namesByNumber.end() ? CString() : named->second) == element->second)
            return CString(number);
    }
    return std::nullopt;
}

// The designs of the segments not read yet, their elements and subsystems read together; a
// segment without a design has no elements.
void VqsSubsystemNumbering::ReadDesigns(const std::set<std::string>& segmentNames)
{
    std::vector<Design*> designs;
    std::vector<PxObjectPtr> segments;
    for (const std::string& name : segmentNames) {
        auto [entry, made] = m_designs.try_emplace(name);
        const PxLSEBusinessSegmentPtr segment =
            made ? VqsGetApp()->GetLSEEnterprise()->GetBusinessSegment(name.c_str()) : PxLSEBusinessSegmentPtr();
        if (segment) {
            designs.push_back(&entry->second);
            segments.push_back(segment);
        }
    }
    if (segments.empty())
        return;
    const std::vector<PxLSEBusinessSegment::Parts> parts = PxLSEBusinessSegment::PartsOf(segments);
    for (std::size_t index = 0; index < segments.size(); ++index)
        TakeDesign(parts[index], *designs[index]);
}

void VqsSubsystemNumbering::TakeDesign(const PxLSEBusinessSegment::Parts& parts, Design& design)
{
    for (const PxObjectPtr& part : parts.elements) {
        const PxLSEElementPtr element(part);
        const PxLSEIspecPtr ispec(part);
        design.subsystems.emplace(std::string(element->GetName()), ispec ? ispec->GetSubsystem() : CString());
    }
    for (const PxObjectPtr& part : parts.subsystems) {
        const PxLSESubsystemPtr subsystem(part);
        const CString name = subsystem->GetName();
        std::string number = std::to_string(subsystem->GetNumber());
        if (name == "QUERY")
            number = "A";
        else if (name == "ROC")
            number = "C";
        design.namesByNumber[number] = name;
    }
}
