// The QSR options of every Ispec: the shared layer of the QSR component and event
// records, and the record of an Ispec that is neither.
#pragma once

#include "proxy/PxIspecOptions.h"

class PxQSRIspecOptions : public virtual PxIspecOptions {
    PX_DECLARE_CLASS(PxQSRIspecOptions, PxIspecOptions)

#include "proxy/PxOptionsDeclare.h"
#include "proxy/fields/PxQSRIspecOptions.fields"

public:
    int GetOptionsType() const override;
    int GetOptionsKind() const override;
    // The subsystem number each record holds as its own (none where it takes its default),
    // that option alone read, for all of them together.
    static std::vector<std::optional<CString>> OwnSubsystemNumsOf(const std::vector<PxObjectPtr>& records);

protected:
    PxQSRIspecOptions() = default;
};

using PxQSRIspecOptionsPtr = PxPtr<PxQSRIspecOptions>;
