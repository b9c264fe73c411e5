// The subsystem numbers of the QSR options of Ispecs: the number of the template generate
// set's record of the same element, or the number under which the Ispec's design subsystem is
// known in its business segment. Worked out for the records of many configurations together,
// in a few reads of the repository however many records there are, each of one attribute of
// every object it asks; a record that carries its number already is not written.
#pragma once

#include "proxy/PxHandle.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxOptions.h"
#include "proxy/PxVQOptionSet.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// Whether the record is a QSR record of an Ispec kind, the records that are numbered.
bool VqsIsQSRIspecRecord(const PxOptionsPtr& record);

class VqsSubsystemNumbering {
public:
    explicit VqsSubsystemNumbering(const PxVQGenSetPtr& templateSet);

    // Works out the number of each QSR Ispec record among the records of each configuration
    // (`records[i]` of `configs[i]`), read together.
    void WorkOut(const std::vector<PxObjectPtr>& configs, const std::vector<std::vector<PxObjectPtr>>& records);
    // Whether every QSR Ispec record among these was worked out.
    bool Knows(const std::vector<PxObjectPtr>& records) const;
    // Gives the record the number worked out for it where it holds another; a record without
    // one keeps its own.
    void Give(const PxOptionsPtr& record) const;

private:
    // Where an element link stands: its segment's name and its own.
    struct Place {
        std::string segment;
        std::string element;
    };
    // What the numbering takes from a design business segment.
    struct Design {
        // The subsystem of each element by name (empty for an element that is no Ispec).
        std::map<std::string, CString> subsystems;
        // The subsystem names by number ("A" for QUERY, "C" for ROC).
        std::map<std::string, CString> namesByNumber;
    };

    static std::unordered_map<PxHandle, Place> PlacesOfElementLinks(const std::vector<PxObjectPtr>& configs);
    std::optional<CString> NumberAt(const Place& place) const;
    void KeepNumbersThatDiffer(const std::vector<PxObjectPtr>& records, const std::vector<CString>& numbers);
    void ReadDesigns(const std::set<std::string>& segmentNames);
    static void TakeDesign(const PxLSEBusinessSegment::Parts& parts, Design& design);

    bool m_hasTemplate = false;
    std::map<std::string, CString> m_templateNumbers;
    std::map<std::string, Design> m_designs;
    std::unordered_set<PxHandle> m_worked;
    std::unordered_map<PxHandle, CString> m_numbers;
};
