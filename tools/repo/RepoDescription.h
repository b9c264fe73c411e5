// The description of a repository that the repository tool builds: the design side
// (business segments and their elements) and, optionally, the generation side (hosts,
// packs and systems that take business segments into their configurations). It is read
// from a JSON file (RepoReader) or made by the sample generator (RepoSample). Every
// object keeps its place in the description ("businessSegments[1].elements[4]") for
// messages.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vqrepo {

// Plain design properties by name (PxLSEBuilder::KnownProperty).
struct Properties {
    std::map<std::string, std::string> texts;
    std::map<std::string, std::int64_t> numbers;
};

struct OrdinateDesc {
    std::string target;
    int sequence = 0;
    int linkIfPresent = 0;
};

struct DataUsageDesc {
    std::string target;
    char usage = 'D';
    int memodata = 0;
    bool keywordTerm = false;
};

struct ElementDesc {
    std::string place;
    std::string className;
    std::string name;
    Properties properties;
    // Revisions the element lacks ("Revision", "DbRevision", ...); every other revision of
    // its class is made.
    std::vector<std::string> missingRevisions;
    std::vector<OrdinateDesc> ordinates;     // profiles
    std::vector<std::string> conditions;     // profiles
    std::vector<DataUsageDesc> dataUsages;   // Ispecs
    std::vector<std::string> dataItems;      // keywords
    std::string ordinateProfile;             // components
};

struct RelationDesc {
    std::string place;
    std::string source;
    std::string target;
    std::string relation;
};

struct LanguageDesc {
    std::string name;
    int slot = 0;
};

struct SubsystemDesc {
    std::string name;
    int number = 0;
};

// A change of the design made after the systems took the segment, so that their links
// still show the element as it was: "removed", the element leaves the design (with the
// relations that name it); "renamed", it takes `newName`.
struct DesignChangeDesc {
    std::string place;
    std::string element;
    std::string change;
    std::string newName;
};

struct SegmentDesc {
    std::string place;
    std::string name;
    Properties properties;
    std::vector<std::string> missingRevisions;
    std::vector<LanguageDesc> languages;
    std::string primaryLanguage;
    std::vector<SubsystemDesc> subsystems;
    std::vector<ElementDesc> elements;
    std::vector<RelationDesc> relations;
    std::vector<DesignChangeDesc> designChanges; // in order, after the systems are built
    int removed = 0; // the segment left the design after the systems took it
    std::string lockedBy; // user code of a design-tool lock; empty for none
    int lockExclusive = 0;
};

struct HostDesc {
    std::string place;
    std::string name;
    int hostType = 0;
    std::string address;
    std::int64_t port = 21;
    std::string ftpUserid;
    std::string ftpPassword;
    int encipher = 0;
    int kanaMode = 0;
};

struct AssociationDesc {
    std::string place;
    std::string host;
    std::string path;  // NT and Unix
    std::string table; // NT and Unix
    int fixedDisk = 0; // Tarsk
    std::string equipmentType;
    std::string acrName;
    std::vector<std::string> packIds; // up to 8
};

struct PackDesc {
    std::string place;
    std::string name;
    int packType = 0;
    std::vector<AssociationDesc> associations;
};

// One option of a soft link's record in an option set, given its own value: a pack option
// the tool knows by name (DefPack, ReorgPack, CompPack, ExtractPack, Pack, PackMapping).
// The link is then flagged as holding updated options.
struct OptionValueDesc {
    std::string place;
    std::string segment;
    std::string element; // empty for the segment's own options
    std::string option;
    std::string value;
};

struct OptionSetDesc {
    std::string place;
    std::string name;
    std::string longName;
    int hostType = 0;
    std::string host; // the generate set's host, by name; may be empty
    std::string description;
    std::vector<OptionValueDesc> options;
};

struct AliasDesc {
    std::string report;
    std::string generateAs;
};

struct ReportGroupDesc {
    std::string place;
    std::string segment;
    std::string name;
    std::string longName;
    std::string description;
    std::vector<AliasDesc> aliases;
};

struct BundleDesc {
    std::string place;
    std::string segment;
    std::string name;
    std::string description;
    int containsAllIspecs = 0;
    std::vector<std::string> ispecs;
};

struct OldConfigDesc {
    std::string place;
    std::int64_t generationTime = 0;
    std::string fromOSName;
    OptionSetDesc optionSet;
    bool hasOptionSet = false;
};

// Where a system's configuration differs from the design: "missing", the design element
// has no link; "outdated", its link keeps an earlier revision; "unused", its link carries
// the unused mark; "stray", a link of `className` names no design element.
struct LinkChangeDesc {
    std::string place;
    std::string segment;
    std::string element;
    std::string change;
    std::string className;
};

struct SystemDesc {
    std::string place;
    std::string name;
    std::string longName;
    std::string description;
    std::string runtimeVersionIdentifier;
    std::vector<std::string> segments;
    std::vector<OptionSetDesc> optionSets;
    std::vector<ReportGroupDesc> reportGroups;
    std::vector<BundleDesc> bundles;
    std::vector<OldConfigDesc> oldConfigs;
    std::vector<LinkChangeDesc> linkChanges;
};

struct RepoDescription {
    // The time every object is made at (seconds since 1970), so that the same description
    // gives the same repository.
    std::int64_t timeStamp = 1700000000;
    int allowLongNames = 0;
    // The design enterprise's names, as the design tool gives them.
    std::string enterpriseName;
    std::string enterpriseLongName;
    std::vector<SegmentDesc> segments;
    std::vector<HostDesc> hosts;
    std::vector<PackDesc> packs;
    std::vector<SystemDesc> systems;
};

} // namespace vqrepo
