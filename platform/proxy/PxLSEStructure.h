// Internal: the names of the lists and attributes the design side is stored with, shared by
// the design classes and their builder.
#pragma once

namespace PxLSEStructure {

inline constexpr const char* kBusinessSegments = "businessSegments";
inline constexpr const char* kLockedObjects = "lockedObjects";
inline constexpr const char* kElements = "elements";
inline constexpr const char* kLanguages = "languages";
inline constexpr const char* kSubsystems = "subsystems";
inline constexpr const char* kTargets = "targets";
inline constexpr const char* kSources = "sources";
inline constexpr const char* kOrdinates = "ordinates";
inline constexpr const char* kConditions = "conditions";
inline constexpr const char* kScreenDataUsages = "screenDataUsages";
inline constexpr const char* kDataItems = "dataItems";

// Revision identifiers, each in a list of its own.
inline constexpr const char* kRevision = "revision";
inline constexpr const char* kGSDRevision = "gsdRevision";
inline constexpr const char* kAllElementsRevision = "allElementsRevision";
inline constexpr const char* kSyncGenRevision = "syncGenRevision";
inline constexpr const char* kGraphicalRevision = "graphicalRevision";
inline constexpr const char* kCharacterRevision = "characterRevision";
inline constexpr const char* kDataItemRevision = "dataItemRevision";
inline constexpr const char* kDbRevision = "dbRevision";
inline constexpr const char* kTeachRevision = "teachRevision";

} // namespace PxLSEStructure
