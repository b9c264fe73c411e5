// The class table: every repository class a stored object may name. A new class gets a row.
#include "proxy/PxClass.h"

#include "proxy/PxBSegOptions.h"
#include "proxy/PxCompOptions.h"
#include "proxy/PxEventOptions.h"
#include "proxy/PxGLGOptions.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEDataItem.h"
#include "proxy/PxLSEElement.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEFormObject.h"
#include "proxy/PxLSEGlobalLogic.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEObject.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTEventOptions.h"
#include "proxy/PxNTGLGOptions.h"
#include "proxy/PxNTIspecOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxNTReportOptions.h"
#include "proxy/PxOptions.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxQSRBSegOptions.h"
#include "proxy/PxQSRCompOptions.h"
#include "proxy/PxQSREventOptions.h"
#include "proxy/PxQSRGLGOptions.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxQSRProfileOptions.h"
#include "proxy/PxQSRReportOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxSQLScript.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxTarskIspecOptions.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTarskReportOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixEventOptions.h"
#include "proxy/PxUnixGLGOptions.h"
#include "proxy/PxUnixIspecOptions.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxUnixReportOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQHostPackData.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQObject.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "proxy/PxVQSQLScriptSoftLink.h"
#include "proxy/PxVQSoftLink.h"
#include "proxy/PxVQSystem.h"
#include "proxy/PxObject.h"

#include <mutex>
#include <string_view>
#include <unordered_map>

namespace {

std::mutex g_addedMutex;
std::unordered_map<std::string_view, const PxClassInfo*> g_added;

} // namespace

void PxAddClass(const PxClassInfo& info)
{
    std::lock_guard lock(g_addedMutex);
    g_added[info.name] = &info;
}

namespace {

// The class table by name. Made as the library loads, not at first use: the module's end,
// which may make objects of the classes, finds it.
const std::unordered_map<std::string_view, const PxClassInfo*> g_byName = [] {
    const PxClassInfo* const classes[] = {
        &PxObject::ClassInfo(),
        // Generation side.
        &PxVQObject::ClassInfo(),
        &PxVQEnterprise::ClassInfo(),
        &PxVQSystem::ClassInfo(),
        &PxVQConfig::ClassInfo(),
        &PxVQCurConfig::ClassInfo(),
        &PxVQOldConfig::ClassInfo(),
        &PxVQSoftLink::ClassInfo(),
        &PxVQBSSoftLink::ClassInfo(),
        &PxVQElementSoftLink::ClassInfo(),
        &PxVQIspecSoftLink::ClassInfo(),
        &PxVQReportSoftLink::ClassInfo(),
        &PxVQProfileSoftLink::ClassInfo(),
        &PxVQGlobalLogicSoftLink::ClassInfo(),
        &PxVQSQLScriptSoftLink::ClassInfo(),
        &PxVQOptionSet::ClassInfo(),
        &PxVQGenSet::ClassInfo(),
        &PxVQHostInformation::ClassInfo(),
        &PxVQPackInformation::ClassInfo(),
        &PxVQHostPackData::ClassInfo(),
        &PxVQKeshPackAssociationNT::ClassInfo(),
        &PxVQKeshPackAssociationUnix::ClassInfo(),
        &PxVQKeshPackAssociationTarsk::ClassInfo(),
        &PxVQKeshPackAssociationA::ClassInfo(),
        &PxVQReportGroup::ClassInfo(),
        &PxVQReportSoftLinkAlias::ClassInfo(),
        &PxVQBundle::ClassInfo(),
        &PxVQIspecBundleData::ClassInfo(),
        &PxVQRecoveryInfo::ClassInfo(),
        &PxVQRecoveryFileInfo::ClassInfo(),
        &PxVQRecoveryDBStruct::ClassInfo(),
        // Option records.
        &PxOptions::ClassInfo(),
        &PxVQOptions::ClassInfo(),
        &PxBSegOptions::ClassInfo(),
        &PxIspecOptions::ClassInfo(),
        &PxCompOptions::ClassInfo(),
        &PxEventOptions::ClassInfo(),
        &PxReportOptions::ClassInfo(),
        &PxProfileOptions::ClassInfo(),
        &PxGLGOptions::ClassInfo(),
        &PxNTBSegOptions::ClassInfo(),
        &PxNTIspecOptions::ClassInfo(),
        &PxNTCompOptions::ClassInfo(),
        &PxNTEventOptions::ClassInfo(),
        &PxNTReportOptions::ClassInfo(),
        &PxNTProfileOptions::ClassInfo(),
        &PxNTGLGOptions::ClassInfo(),
        &PxQSRBSegOptions::ClassInfo(),
        &PxQSRIspecOptions::ClassInfo(),
        &PxQSRCompOptions::ClassInfo(),
        &PxQSREventOptions::ClassInfo(),
        &PxQSRReportOptions::ClassInfo(),
        &PxQSRProfileOptions::ClassInfo(),
        &PxQSRGLGOptions::ClassInfo(),
        &PxTarskBSegOptions::ClassInfo(),
        &PxTarskIspecOptions::ClassInfo(),
        &PxTarskCompOptions::ClassInfo(),
        &PxTarskEventOptions::ClassInfo(),
        &PxTarskReportOptions::ClassInfo(),
        &PxTarskProfileOptions::ClassInfo(),
        &PxTarskGLGOptions::ClassInfo(),
        &PxUnixBSegOptions::ClassInfo(),
        &PxUnixIspecOptions::ClassInfo(),
        &PxUnixCompOptions::ClassInfo(),
        &PxUnixEventOptions::ClassInfo(),
        &PxUnixReportOptions::ClassInfo(),
        &PxUnixProfileOptions::ClassInfo(),
        &PxUnixGLGOptions::ClassInfo(),
        &PxUnixOracleDBPartitionOptions::ClassInfo(),
        // Design side.
        &PxLSEObject::ClassInfo(),
        &PxLSEEnterprise::ClassInfo(),
        &PxLSEDskObject::ClassInfo(),
        &PxLSEElement::ClassInfo(),
        &PxLSEBusinessSegment::ClassInfo(),
        &PxLSEFormObject::ClassInfo(),
        &PxLSEIspec::ClassInfo(),
        &PxLSEEvent::ClassInfo(),
        &PxLSEComponent::ClassInfo(),
        &PxLSEScript::ClassInfo(),
        &PxLSEProfile::ClassInfo(),
        &PxLSEReport::ClassInfo(),
        &PxLSEGlobalLogic::ClassInfo(),
        &PxSQLScript::ClassInfo(),
        &PxLSEDataItem::ClassInfo(),
        &PxLSEKeyword::ClassInfo(),
        &PxLSEAssociation::ClassInfo(),
        &PxLSERelation::ClassInfo(),
        &PxLSEDataOrdinate::ClassInfo(),
        &PxLSEScreenDataUsage::ClassInfo(),
        &PxLSEKeywordTermItemDataUsage::ClassInfo(),
        &PxLSERevisionId::ClassInfo(),
        &PxLSELanguage::ClassInfo(),
        &PxLSESubsystem::ClassInfo(),
        &PxLSELogic::ClassInfo(),
        &PxLSELockedObject::ClassInfo(),
    };
    std::unordered_map<std::string_view, const PxClassInfo*> map;
    for (const PxClassInfo* info : classes)
        map.emplace(info->name, info);
    return map;
}();

} // namespace

const PxClassInfo* PxFindClass(const char* className)
{
    if (!className)
        return nullptr;
    auto found = g_byName.find(className);
    if (found != g_byName.end())
        return found->second;
    std::lock_guard lock(g_addedMutex);
    auto added = g_added.find(className);
    return added == g_added.end() ? nullptr : added->second;
}
