// The repository classes and their smart pointers, declared for headers that only pass
// them around. Include a class's own header to call it.
#pragma once

#include "proxy/PxPtr.h"
#include "proxy/PxVQTypes.h"

template <class T>
class PxTypedList;
template <class T>
class PxTypedArray;
class PxObjectCollection;
class PxList;

#define PX_FORWARD(Class)                                                                                         \
    class Class;                                                                                                  \
    using Class##Ptr = PxPtr<Class>;

// Generation side.
PX_FORWARD(PxVQObject)
PX_FORWARD(PxVQEnterprise)
PX_FORWARD(PxVQSystem)
PX_FORWARD(PxVQConfig)
PX_FORWARD(PxVQCurConfig)
PX_FORWARD(PxVQOldConfig)
PX_FORWARD(PxVQSoftLink)
PX_FORWARD(PxVQBSSoftLink)
PX_FORWARD(PxVQElementSoftLink)
PX_FORWARD(PxVQIspecSoftLink)
PX_FORWARD(PxVQReportSoftLink)
PX_FORWARD(PxVQProfileSoftLink)
PX_FORWARD(PxVQGlobalLogicSoftLink)
PX_FORWARD(PxVQSQLScriptSoftLink)
PX_FORWARD(PxVQOptionSet)
PX_FORWARD(PxVQGenSet)
PX_FORWARD(PxVQHostInformation)
PX_FORWARD(PxVQPackInformation)
PX_FORWARD(PxVQHostPackData)
PX_FORWARD(PxVQKeshPackAssociationNT)
PX_FORWARD(PxVQKeshPackAssociationUnix)
PX_FORWARD(PxVQKeshPackAssociationTarsk)
PX_FORWARD(PxVQKeshPackAssociationA)
PX_FORWARD(PxVQReportGroup)
PX_FORWARD(PxVQReportSoftLinkAlias)
PX_FORWARD(PxVQBundle)
PX_FORWARD(PxVQIspecBundleData)
PX_FORWARD(PxVQRecoveryInfo)
PX_FORWARD(PxVQRecoveryFileInfo)
PX_FORWARD(PxVQRecoveryDBStruct)

// Option records.
PX_FORWARD(PxOptions)
PX_FORWARD(PxVQOptions)

// Design side.
PX_FORWARD(PxLSEEnterprise)
PX_FORWARD(PxLSEDskObject)
PX_FORWARD(PxLSEElement)
PX_FORWARD(PxLSEBusinessSegment)
PX_FORWARD(PxLSEFormObject)
PX_FORWARD(PxLSEIspec)
PX_FORWARD(PxLSEEvent)
PX_FORWARD(PxLSEComponent)
PX_FORWARD(PxLSEScript)
PX_FORWARD(PxLSEProfile)
PX_FORWARD(PxLSEReport)
PX_FORWARD(PxLSEGlobalLogic)
PX_FORWARD(PxSQLScript)
PX_FORWARD(PxLSEDataItem)
PX_FORWARD(PxLSEKeyword)
PX_FORWARD(PxLSEAssociation)
PX_FORWARD(PxLSERelation)
PX_FORWARD(PxLSEDataOrdinate)
PX_FORWARD(PxLSEScreenDataUsage)
PX_FORWARD(PxLSEKeywordTermItemDataUsage)
PX_FORWARD(PxLSERevisionId)
PX_FORWARD(PxLSELanguage)
PX_FORWARD(PxLSESubsystem)
PX_FORWARD(PxLSELogic)
PX_FORWARD(PxLSELockedObject)

#undef PX_FORWARD
