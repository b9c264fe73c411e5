// An option set of a configuration: the option records of the configuration's soft links
// for one host type. A generate set is an option set that names the host it generates
// for (by name, not by link).
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

class PxVQOptionSet : public PxVQObject {
    PX_DECLARE_CLASS(PxVQOptionSet, PxVQObject)

    PX_TEXT_PROPERTY(Name)
    PX_TEXT_PROPERTY(LongName)
    PX_TEXT_PROPERTY(Description)
    // The host type of the set: 0 NT, 1 QSR, 2 Tarsk, 3 Unix.
    virtual int GetHostType() const;
    PxVQConfigPtr GetConfig() const;

    // Gives every soft link of the configuration (business segments and their elements)
    // a blank option record in this set, where it has none yet.
    void CreateBlankOptions();
    void GetAllOptions(PxObjectCollection& options) const;
    // The option records of each of these sets, read together.
    static std::vector<std::vector<PxObjectPtr>> AllOptionsOf(const std::vector<PxObjectPtr>& optionSets);
    // The record of the soft link in this set; null when there is none.
    PxOptionsPtr GetOptions(const PxVQSoftLinkPtr& link) const;

    // 3070 for an option set; a generate set answers the kind of its host type.
    int GetObjectKind() const override;

protected:
    PxVQOptionSet() = default;
};

class PxVQGenSet : public PxVQOptionSet {
    PX_DECLARE_CLASS(PxVQGenSet, PxVQOptionSet)

    PX_TEXT_PROPERTY(HostName)

    int GetObjectKind() const override;

protected:
    PxVQGenSet() = default;
};
