// Small records of the design side: a business segment's languages (name and slot 1 to
// 15) and subsystems (name and number), the conditions of a script, and the record of a
// business segment locked in the design tool.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEObject.h"
#include "proxy/PxProperty.h"

class PxLSELanguage : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSELanguage, PxLSEObject)

    PX_TEXT_GETTER(Name)
    PX_VALUE_GETTER(int, Slot)

protected:
    PxLSELanguage() = default;
};

class PxLSESubsystem : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSESubsystem, PxLSEObject)

    PX_TEXT_GETTER(Name)
    PX_VALUE_GETTER(int, Number)

protected:
    PxLSESubsystem() = default;
};

class PxLSELogic : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSELogic, PxLSEObject)

    PX_TEXT_GETTER(Text)

protected:
    PxLSELogic() = default;
};

class PxLSELockedObject : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSELockedObject, PxLSEObject)

    PX_VALUE_GETTER(int, ExclusiveLock)
    // The user code of the lock's holder ("user/...").
    PX_TEXT_GETTER(Usercode)

protected:
    PxLSELockedObject() = default;
};
