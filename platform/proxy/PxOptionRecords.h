// Internal: how option records are made and found. A record belongs to its option set
// and to its soft link (both lists own it, so it goes with either) and names both; its
// class follows the set's host type and the link's kind.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxObject.h"

#include <vector>

class PxOptionRecords {
public:
    static constexpr const char* kRole = "options";
    // The Ispec type of an Ispec link before one is set: a standard component.
    static constexpr int kDefaultIspecType = 1;

    enum class IspecKind { Event, Component };
    static IspecKind IspecRecordKind(int ispecType);

    // The record class of the link on the host type; null when the link takes none.
    static const char* RecordClass(const PxVQSoftLink& link, int hostType);
    // A blank record of the link in every option set of the configuration without one.
    static void CreateForLink(const PxVQSoftLinkPtr& link, const PxVQConfigPtr& config);
    // A blank record in the set for every soft link of its configuration without one.
    static void CreateForSet(const PxVQOptionSetPtr& optionSet);
    static PxOptionsPtr Find(const PxVQSoftLink& link, const PxVQOptionSet& optionSet);
    // The record of the option set among a link's records; null when there is none.
    static PxOptionsPtr FindIn(const std::vector<PxObjectPtr>& records, const PxVQOptionSet& optionSet);
    // Deletes the link's records and makes blank ones of the link's present class.
    static void Renew(const PxVQSoftLinkPtr& link, const PxVQConfigPtr& config);

private:
    static void Create(const PxVQOptionSetPtr& optionSet, const PxVQSoftLinkPtr& link);
    static void CreateIfMissing(const PxVQOptionSetPtr& optionSet, const PxVQSoftLinkPtr& link);
    static void OptionSetsOf(const PxVQConfigPtr& config, PxTypedList<PxVQOptionSetPtr>& optionSets);
};
