// Writes the design side of a repository, which the module only reads: the repository
// tool and test fixtures build business segments, elements and their parts with it
// (inside the link's open transaction).
//
// Plain properties are set by name, the attribute that the getter reads ("longName",
// "rocRequired", "usage", "type", ...); a property the object's class does not have is
// refused. KnownProperty tells which exist.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEEnterprise.h"
#include "win/Types.h"

#include <cstdint>

class PxLSELink;

class PxLSEBuilder {
public:
    explicit PxLSEBuilder(const PxLSELink& link);

    enum class PropertyType { None, Text, Number };
    // The type of a property of a design class; None when the class has no such property.
    static PropertyType KnownProperty(const char* className, const char* property);
    // True for the classes AddElement makes.
    static bool IsElementClass(const char* className);

    PxLSEEnterprisePtr Enterprise() const { return m_enterprise; }
    void SetAllowLongNames(int allow);
    void SetEnterpriseNames(const char* name, const char* longName);

    PxLSEBusinessSegmentPtr AddBusinessSegment(const char* name);
    PxLSEElementPtr AddElement(const PxLSEBusinessSegmentPtr& segment, const char* className, const char* name);
    void SetText(const PxObjectPtr& object, const char* property, const char* value);
    void SetNumber(const PxObjectPtr& object, const char* property, std::int64_t value);

    // Revisions by the name of their getter without "Get": "Revision", "GSDRevision",
    // "AllElementsRevision", "SyncGenRevision" (segments), "GraphicalRevision",
    // "CharacterRevision", "DataItemRevision", "DbRevision" (form objects),
    // "TeachRevision" (Ispecs). The revision starts updated.
    PxLSERevisionIdPtr AddRevision(const PxObjectPtr& object, const char* which, const GUID& guid);
    static bool IsRevisionOf(const char* className, const char* which);

    PxLSELanguagePtr AddLanguage(const PxLSEBusinessSegmentPtr& segment, const char* name, int slot);
    void SetPrimaryLanguage(const PxLSEBusinessSegmentPtr& segment, const PxLSELanguagePtr& language);
    PxLSESubsystemPtr AddSubsystem(const PxLSEBusinessSegmentPtr& segment, const char* name, int number);
    PxLSERelationPtr AddRelation(const PxLSEElementPtr& source, const PxLSEDskObjectPtr& target,
                                 const char* relationString);
    PxLSEDataOrdinatePtr AddOrdinate(const PxLSEProfilePtr& profile, const PxLSEDskObjectPtr& target, int sequence,
                                     int linkIfPresent);
    PxLSELogicPtr AddCondition(const PxLSEScriptPtr& script, const char* text);
    PxLSEScreenDataUsagePtr AddScreenDataUsage(const PxLSEIspecPtr& ispec, const PxLSEElementPtr& target, char usage,
                                               int memodata, bool keywordTerm);
    void AddDataItemToKeyword(const PxLSEKeywordPtr& keyword, const PxLSEDataItemPtr& item);
    void SetOrdinateProfile(const PxLSEComponentPtr& component, const PxLSEProfilePtr& profile);
    // The design changed after configurations took the element: it leaves the design with
    // the relations that name it, or takes another name keeping its revisions.
    void RemoveElement(const PxLSEElementPtr& element);
    void RenameElement(const PxLSEElementPtr& element, const char* name);
    // The segment left the design with its elements.
    void RemoveBusinessSegment(const PxLSEBusinessSegmentPtr& segment);
    PxLSELockedObjectPtr LockBusinessSegment(const PxLSEBusinessSegmentPtr& segment, const char* usercode,
                                             int exclusive);

private:
    void CheckProperty(const PxObjectPtr& object, const char* property, PropertyType type) const;

    PxLSEEnterprisePtr m_enterprise;
};
