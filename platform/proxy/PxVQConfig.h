// Configurations of a system: the current one, which holds the option sets, and those of
// earlier generations (read only to the module), which hold at most one option set.
// Both list the business-segment soft links taken into the configuration.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"
#include "win/Types.h"

#include <cstdint>

class PxVQConfig : public PxVQObject {
    PX_DECLARE_CLASS(PxVQConfig, PxVQObject)

    // The system the configuration belongs to.
    virtual PxVQSystemPtr GetSystem() const;

    PxVQBSSoftLinkPtr CreateBSSoftLink(const char* name);
    void GetListOfBSSoftLinks(PxTypedList<PxVQBSSoftLinkPtr>& links) const;
    int CountOfBSSoftLinks() const;
    // The business-segment links of each of these configurations, as GetListOfBSSoftLinks of
    // each gives them, read together.
    static std::vector<std::vector<PxObjectPtr>> BSSoftLinksOf(const std::vector<PxObjectPtr>& configs);
    // The branches of these chunks of configurations are read next, in this order, each chunk's
    // from BSSoftLinksOf down through the lists of their links (PxVQBSSoftLink::ListsBelow): on
    // a server they are asked for now, in one round trip, and those reads take what came while
    // nothing else is read in between.
    static void AskBranchesAhead(const std::vector<std::vector<PxObjectPtr>>& chunks);
    // What came of the branches asked ahead through the configuration's session and was not
    // read is forgotten.
    static void DropBranchesAhead(const PxObjectPtr& config) noexcept;
    // CountOfBSSoftLinks of each of these configurations, read together.
    static std::vector<int> CountsOfBSSoftLinks(const std::vector<PxObjectPtr>& configs);
    // By exact name; null when there is none.
    PxVQBSSoftLinkPtr GetBSSoftLink(const char* name) const;

    void SetBuildVersionGUID(const GUID& guid);
    GUID GetBuildVersionGUID() const;

protected:
    PxVQConfig() = default;
    PxVQOptionSetPtr CreateOptionSetIn(const char* role, const char* name, int hostType);
};

class PxVQCurConfig : public PxVQConfig {
    PX_DECLARE_CLASS(PxVQCurConfig, PxVQConfig)

    // A new generate set for the host type (0 NT, 1 QSR, 2 Tarsk, 3 Unix), without option
    // records (see CreateBlankOptions).
    PxVQOptionSetPtr CreateOptionSet(const char* name, int hostType);
    void GetListOfOptionSets(PxTypedList<PxVQOptionSetPtr>& optionSets) const;
    int CountOfOptionSets() const;
    PxVQOptionSetPtr GetOptionSet(const char* name) const;
    // The option sets of each of these configurations, read together.
    static std::vector<std::vector<PxObjectPtr>> OptionSetsOf(const std::vector<PxObjectPtr>& configs);

protected:
    PxVQCurConfig() = default;
};

class PxVQOldConfig : public PxVQConfig {
    PX_DECLARE_CLASS(PxVQOldConfig, PxVQConfig)

    // The option set the generation used; null when there is none.
    PxVQOptionSetPtr GetOptionSet() const;
    // The option set of each of these configurations (none or one), read together.
    static std::vector<std::vector<PxObjectPtr>> OptionSetsOf(const std::vector<PxObjectPtr>& configs);
    // Gives the configuration its option set (a second one is refused).
    PxVQOptionSetPtr CreateOptionSet(const char* name, int hostType);
    PX_VALUE_PROPERTY(std::int64_t, GenerationTime)
    PX_TEXT_PROPERTY(FromOSName)

protected:
    PxVQOldConfig() = default;
};
