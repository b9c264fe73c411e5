#include "proxy/PxLSEParts.h"

PX_IMPLEMENT_CLASS(PxLSELanguage, 0)
PX_IMPLEMENT_CLASS(PxLSESubsystem, 0)
PX_IMPLEMENT_CLASS(PxLSELogic, 0)
PX_IMPLEMENT_CLASS(PxLSELockedObject, 0)

PX_IMPLEMENT_TEXT_GETTER(PxLSELanguage, Name, "name")
PX_IMPLEMENT_VALUE_GETTER(PxLSELanguage, int, Slot, "slot")
PX_IMPLEMENT_TEXT_GETTER(PxLSESubsystem, Name, "name")
PX_IMPLEMENT_VALUE_GETTER(PxLSESubsystem, int, Number, "number")
PX_IMPLEMENT_TEXT_GETTER(PxLSELogic, Text, "text")
PX_IMPLEMENT_VALUE_GETTER(PxLSELockedObject, int, ExclusiveLock, "exclusiveLock")
PX_IMPLEMENT_TEXT_GETTER(PxLSELockedObject, Usercode, "usercode")
