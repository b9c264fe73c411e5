// New element links of a configuration's business-segment link: the soft link of a design
// element with its option nodes, the profile link of a component's design profile, and the
// packs their options name.
#include "model/VqsModel.h"

#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransactionConfig.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/VqException.h"

namespace {

constexpr UINT IDS_CANNOT_ADD_DEFINITION = 61556;

// An option node in the configuration's set for every option record of the link.
void CreateOptionNodes(VqsModelNodeConfig* config, const PxVQSoftLinkPtr& link)
{
    config->LoadOptionSets(VqsLoadCached);
    PxTypedList<PxVQOptionsPtr> records;
    link->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr record = records.GetNext(pos);
        if (VqsModelNodeOSet* optionSet = config->FindOptionSetNode(record->GetOptionSet()))
            optionSet->CreateOptionNode(PxOptionsPtr(record), true);
    }
}

} // namespace

void VqsModel::CollectSoftLinkPacks(const PxVQSoftLinkPtr& link)
{
    if (!link || !link->ObjectPresent())
        return;
    VqsPackSpecList packs;
    PxTypedList<PxOptionsPtr> records;
    link->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        if (VqsModelNodeOption* option = FindOptionNode(records.GetNext(pos)))
            option->CollectPacks(packs);
    }
    ThrowModelError(packs);
}

VqsModelNodeElementLink* VqsModel::AddProfileLinkOptions(VqsModelNodeElementLink* ispecNode,
                                                         const PxLSEProfilePtr& profile)
{
    VqsModelNodeBSLink* segmentNode = ispecNode->GetBSLinkNode();
    VqsModelNodeConfig* config = segmentNode->GetConfigNode();
    VqsModelNodeElementLink* profileNode = nullptr;
    {
        VqsTransactionConfig transaction(config->GetConfig());
        const PxVQProfileSoftLinkPtr link = transaction.AddProfileSoftLink(
            segmentNode->GetBSSoftLink(), profile, PxVQIspecSoftLinkPtr(ispecNode->GetElementSoftLink()));
        if (!link)
            return nullptr;
        profileNode = segmentNode->AddElementLinkNodeIfMissing(ispecNode, link, true);
        try {
            CreateOptionNodes(config, link);
            CollectSoftLinkPacks(link);
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_ADD_DEFINITION, error);
        }
    }
    if (VqsTransaction::IsOk())
        return profileNode;
    VqsTransaction::RereadAfterFailure([segmentNode] { segmentNode->LoadElementLinks(VqsLoadDropVanished); });
    return nullptr;
}

int VqsModel::StoreElementLinkData(VqsModelNodeBSLink* segmentNode, const PxLSEElementPtr& element,
                                   const CStringList& primaryProfiles, WORD& globalLogicId, VqsStoredElement& stored)
{
    stored = VqsStoredElement();
    VqsModelNodeConfig* config = segmentNode->GetConfigNode();
    {
        VqsTransactionConfig transaction(config->GetConfig());
        const PxVQElementSoftLinkPtr link =
            transaction.AddElementSoftLink(segmentNode->GetBSSoftLink(), element, primaryProfiles, globalLogicId);
        if (!link) {
            transaction.SetFailed();
            return 0;
        }
        stored.elementNode = segmentNode->AddElementLinkNode(link, true);
        try {
            CreateOptionNodes(config, link);
            CollectSoftLinkPacks(link);
            PxLSEElementPtr partElement;
            CString partName;
            const PxLSEProfilePtr profile(VqsModelNodeElementLink::CollectDesignParts(element, partElement, partName));
            if (profile && !profile->IsSameOid(element)) {
                stored.profile = profile;
                stored.profileNode = AddProfileLinkOptions(stored.elementNode, profile);
                if (!stored.profileNode)
                    transaction.SetFailed();
            }
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_ADD_DEFINITION, error);
        }
    }
    if (VqsTransaction::IsOk())
        return 1;
    stored = VqsStoredElement();
    VqsTransaction::RereadAfterFailure([segmentNode] { segmentNode->LoadElementLinks(VqsLoadDropVanished); });
    return 0;
}
