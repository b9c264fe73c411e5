// A design business segment: its elements, revisions, colours, languages, subsystems and
// the flags the generation reads.
#pragma once

#include "proxy/PxLSEElement.h"

#include <vector>

class PxLSEBusinessSegment : public PxLSEElement {
    PX_DECLARE_CLASS(PxLSEBusinessSegment, PxLSEElement)

    void GetElementList(PxTypedList<PxLSEElementPtr>& elements) const;
    // By exact name; null when there is none.
    PxLSEElementPtr GetElement(const char* name) const;

    PxLSERevisionIdPtr GetGSDRevision() const;
    PxLSERevisionIdPtr GetAllElementsRevision() const;
    PxLSERevisionIdPtr GetSyncGenRevision() const;

    // Design colour numbers 1 to 8.
    PX_VALUE_GETTER(int, ForegroundColor)
    PX_VALUE_GETTER(int, BackgroundColor)

    void GetMultiLangList(PxTypedList<PxLSELanguagePtr>& languages) const;
    // Null when the segment names none.
    PxLSELanguagePtr GetPrimaryLanguage() const;
    void GetSubsystemList(PxTypedList<PxLSESubsystemPtr>& subsystems) const;
    struct Parts {
        std::vector<PxObjectPtr> elements;
        std::vector<PxObjectPtr> subsystems;
    };
    // The elements and subsystems of each segment, as GetElementList and GetSubsystemList
    // answer them, read together with their attributes.
    static std::vector<Parts> PartsOf(const std::vector<PxObjectPtr>& segments);

    PX_VALUE_GETTER(int, RocRequired)
    PX_VALUE_GETTER(int, TwoPhaseCommit)
    PX_VALUE_GETTER(int, ExtendedReportRecovery)
    PX_VALUE_GETTER(int, ProductionSystem)
    PX_VALUE_GETTER(int, JapaneseSupport)
    PX_VALUE_GETTER(int, TargetHostNt)
    PX_VALUE_GETTER(int, TargetHostQsr)
    PX_VALUE_GETTER(int, TargetHostOsTarsk)
    PX_VALUE_GETTER(int, TargetHostUnix)
    PX_VALUE_GETTER(int, AllowBigBuffers)
    PX_VALUE_GETTER(int, BraskSupplied)
    PX_VALUE_GETTER(int, CcsVersionSupport)

protected:
    PxLSEBusinessSegment() = default;
};
