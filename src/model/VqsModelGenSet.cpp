// New generate sets and new business-segment links of a configuration, each made in one
// repository transaction with the locks on what it depends on, the option records the
// links need, the replacement packs marked in them and the packs they name created.
#include "model/VqsModel.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransactionConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <set>

namespace {

constexpr UINT IDS_CANNOT_ADD_OPTION_SET = 61551;
constexpr UINT IDS_CANNOT_ADD_SEGMENT_SPEC = 61559;
constexpr UINT IDS_CANNOT_ACCESS_ELEMENT_ENTRIES = 61742;
// Global-logic numbers are 16 bits wide; 0 stands for none left.
constexpr int kLastGlobalLogicId = 65535;

PxVQLink* SessionLink() { return VqsGetApp() ? VqsGetApp()->GetLink() : nullptr; }

// Every business-segment link of the configuration and its element links, write-locked,
// after the root when there are links or one is to come.
int LockSegmentsForGenSet(VqsLockBag& writeBag, VqsModelNodeEnterprise& root, const CObList& links, bool linkToCome)
{
    if (links.IsEmpty() && !linkToCome)
        return 1;
    VqsLockScope scope(SessionLink());
    if (!writeBag.LockNode(&root))
        return 0;
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        auto* link = static_cast<VqsModelNodeBSLink*>(links.GetNext(pos));
        if (!writeBag.LockNode(link))
            return 0;
        link->LoadElementLinks(VqsLoadReread);
        CObList elements;
        link->GetElementLinkNodes(elements);
        for (POSITION at = elements.GetHeadPosition(); at;) {
            if (!writeBag.LockNode(static_cast<VqsModelNode*>(elements.GetNext(at))))
                return 0;
        }
    }
    return 1;
}

// The replacements of one link for the new set: its initial packs in its own options, the
// packs its elements name in theirs.
void MarkOptionsUpdated(VqsModelNodeBSLink* link, VqsModelNodeOSet* setNode, int hostType,
                        const VqsBSPackReplacementList& replacements)
{
    VqsBSPackReplacementList elementPacks(10);
    for (POSITION pos = replacements.GetHeadPosition(); pos;) {
        const VqsBSPackReplacement& entry = replacements.GetNext(pos);
        if (!entry.bsSoftLink || !entry.bsSoftLink->IsSameOid(link->GetBSSoftLink()))
            continue;
        if (entry.origin != 0)
            link->ReplacePackName(setNode->GetOptionSet(), hostType, entry.packKind, entry.packName,
                                  entry.newPackName);
        else
            elementPacks.AddTail(entry);
    }
    if (!elementPacks.IsEmpty())
        setNode->ApplyPackReplacements(elementPacks);
}

bool TakesElementLink(const PxLSEElementPtr& element)
{
    return !element->_IsKindOf("PxSQLScript") &&
           (element->_IsKindOf("PxLSEIspec") || element->_IsKindOf("PxLSEReport") ||
            element->_IsKindOf("PxLSEProfile") || element->_IsKindOf("PxLSEGlobalLogic"));
}

int NextFreeGlobalLogicId(const std::set<int>& used, int from)
{
    for (int id = from; id <= kLastGlobalLogicId; ++id) {
        if (!used.count(id))
            return id;
    }
    return 0;
}

} // namespace

PxVQGenSetPtr VqsModel::CreateGenSet(PxVQCurConfigPtr config, LPCTSTR name, LPCTSTR shortName, LPCTSTR description,
                                     int hostType, LPCTSTR hostName, VqsBSPackReplacementList* replacements,
                                     PxVQGenSetPtr sourceSet)
{
    VqsLockBag readBag(VqsReadLock);
    VqsLockBag writeBag(VqsWriteLock);
    VqsModelNodeCurConfig* configNode = LockForGenSet(StepBag(readBag), StepBag(writeBag), config, false);
    if (!configNode)
        return PxVQGenSetPtr();
    const VqsBSPackReplacementList none(10);
    return CreateGenSetInTransaction(configNode, name, shortName, description, hostType, hostName,
                                     replacements ? *replacements : none, sourceSet);
}

VqsModelNodeCurConfig* VqsModel::LockForGenSet(VqsLockBag& readBag, VqsLockBag& writeBag,
                                               const PxVQCurConfigPtr& config, bool linkToCome)
{
    VqsModelNodeCurConfig* configNode = nullptr;
    {
        VqsLockScope scope(SessionLink());
        // The root that the links need written is written before the path down to the
        // configuration is read; the new set joins the configuration's list.
        try {
            if ((linkToCome || (config && config->CountOfBSSoftLinks() > 0)) && !writeBag.LockNode(&m_root))
                return nullptr;
        } catch (const VqReportableException& error) {
            ShowErrorById(IDS_CANNOT_ADD_OPTION_SET, error);
            return nullptr;
        }
        configNode = dynamic_cast<VqsModelNodeCurConfig*>(LockConfigNode(readBag, writeBag, PxVQConfigPtr(config)));
    }
    if (!configNode)
        return nullptr;
    try {
        m_root.LoadPacks(VqsLoadDropVanished);
        configNode->LoadBSLinks(VqsLoadDropVanished);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ADD_OPTION_SET, error);
        return nullptr;
    }
    CObList links;
    configNode->GetBSLinkNodes(links);
    try {
        if (!LockSegmentsForGenSet(writeBag, m_root, links, linkToCome))
            return nullptr;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_ELEMENT_ENTRIES, error);
        return nullptr;
    }
    return configNode;
}

PxVQGenSetPtr VqsModel::CreateGenSetInTransaction(VqsModelNodeCurConfig* configNode, LPCTSTR name, LPCTSTR shortName,
                                                  LPCTSTR description, int hostType, LPCTSTR hostName,
                                                  const VqsBSPackReplacementList& replacements,
                                                  const PxVQGenSetPtr& sourceSet)
{
    CObList links;
    configNode->GetBSLinkNodes(links);
    PxVQGenSetPtr genSet;
    VqsModelNodeOSet* setNode = nullptr;
    {
        VqsTransactionCurConfig transaction(configNode->GetCurConfig());
        genSet = transaction.CopyOptions(name, shortName, description, hostType, hostName, sourceSet);
        if (genSet) {
            try {
                setNode = configNode->AddOptionSetNode(PxVQOptionSetPtr(genSet), true, false);
                setNode->LoadChildren(VqsLoadReread);
                for (POSITION pos = links.GetHeadPosition(); pos;)
                    MarkOptionsUpdated(static_cast<VqsModelNodeBSLink*>(links.GetNext(pos)), setNode, hostType,
                                       replacements);
                VqsPackSpecList packs;
                setNode->CollectPacks(packs, PxVQBSSoftLinkPtr());
                ThrowModelError(packs);
            } catch (const VqReportableException& error) {
                transaction.ReportFailure(IDS_CANNOT_ADD_OPTION_SET, error);
            }
        }
    }
    if (VqsTransaction::IsOk() && genSet)
        return genSet;
    if (setNode) {
        configNode->RemoveChild(setNode);
        delete setNode;
    }
    return PxVQGenSetPtr();
}

PxVQBSSoftLinkPtr VqsModel::ApplyGenSetPackReplacements(PxVQConfigPtr config, PxLSEBusinessSegmentPtr segment,
                                                        VqsGSetPackReplacementList& replacements)
{
    VqsLockBag readBag(VqsReadLock);
    VqsLockBag writeBag(VqsWriteLock);
    VqsModelNodeConfig* configNode = LockForSegmentLink(StepBag(readBag), StepBag(writeBag), config);
    if (!configNode)
        return PxVQBSSoftLinkPtr();

    PxVQBSSoftLinkPtr link;
    VqsModelNodeBSLink* linkNode = nullptr;
    {
        VqsTransactionConfig transaction(config);
        link = transaction.CreateBSLink(segment);
        try {
            if (link) {
                linkNode = configNode->AddBSLinkNode(link, true);
                CObList genSets;
                configNode->GetGenSetNodes(genSets);
                for (POSITION pos = genSets.GetHeadPosition(); pos;) {
                    auto* setNode = static_cast<VqsModelNodeGenSet*>(genSets.GetNext(pos));
                    const PxVQGenSetPtr genSet = setNode->GetGenSet();
                    if (!genSet || !genSet->ObjectPresent())
                        continue;
                    const int hostType = genSet->GetHostType();
                    for (POSITION at = replacements.GetHeadPosition(); at;) {
                        const VqsGSetPackReplacement& entry = replacements.GetNext(at);
                        if (!entry.genSet || !entry.genSet->IsSameOid(genSet))
                            continue;
                        if (!entry.replacementTablespacePack.IsEmpty())
                            linkNode->ReplacePackName(genSet, hostType, VQPackTablespace, entry.defaultTablespacePack,
                                                      entry.replacementTablespacePack);
                        if (!entry.replacementPathPack.IsEmpty())
                            linkNode->ReplacePackName(genSet, hostType, VQPackPath, entry.defaultPathPack,
                                                      entry.replacementPathPack);
                    }
                }
                CreateBSLinkPacks(configNode->GetSystemNode(), link);
            }
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_ADD_SEGMENT_SPEC, error);
        }
    }
    if (!VqsTransaction::IsOk() || !link) {
        if (linkNode) {
            configNode->RemoveChild(linkNode);
            delete linkNode;
        }
        return PxVQBSSoftLinkPtr();
    }
    // The link stays as committed when an element link cannot be made; the store said why.
    return StoreSegmentElements(linkNode, segment) ? link : PxVQBSSoftLinkPtr();
}

VqsModelNodeConfig* VqsModel::LockForSegmentLink(VqsLockBag& readBag, VqsLockBag& writeBag, const PxVQConfigPtr& config)
{
    VqsLockScope scope(SessionLink());
    VqsModelNodeConfig* configNode = LockConfigNode(readBag, writeBag, config);
    if (!configNode)
        return nullptr;
    configNode->LoadOptionSets(VqsLoadCached);
    CObList optionSets;
    configNode->GetOptionSetNodes(optionSets);
    if (optionSets.IsEmpty())
        return configNode;
    m_root.LoadPacks(VqsLoadDropVanished);
    CObList packs;
    m_root.GetPackNodes(packs);
    if (!writeBag.LockNodes(packs))
        return nullptr;
    for (POSITION pos = optionSets.GetHeadPosition(); pos;)
        static_cast<VqsModelNode*>(optionSets.GetNext(pos))->Refresh();
    return configNode;
}

int VqsModel::StoreSegmentElements(VqsModelNodeBSLink* segmentNode, const PxLSEBusinessSegmentPtr& segment)
{
    CStringList primaryProfiles(10);
    PxTypedList<PxLSEElementPtr> elements;
    try {
        CollectBusinessSegmentIspecs(segment, primaryProfiles);
        segment->GetElementList(elements);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ADD_SEGMENT_SPEC, error);
        return 0;
    }
    std::set<int> usedIds;
    int candidate = NextFreeGlobalLogicId(usedIds, 1);
    for (POSITION pos = elements.GetHeadPosition(); pos;) {
        const PxLSEElementPtr element = elements.GetNext(pos);
        if (!TakesElementLink(element) ||
            segmentNode->FindElementLinkNamed(element->GetName(), ElementLinkTypeOf(element)))
            continue;
        WORD globalLogicId = static_cast<WORD>(candidate);
        VqsStoredElement stored;
        if (!StoreElementLinkData(segmentNode, element, primaryProfiles, globalLogicId, stored))
            return 0;
        if (globalLogicId == 0 && candidate != 0) {
            usedIds.insert(candidate);
            candidate = NextFreeGlobalLogicId(usedIds, candidate + 1);
        }
    }
    return 1;
}
