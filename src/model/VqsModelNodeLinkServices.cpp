// The small services of link nodes: matching soft links with the design, the reserved
// elements, creation order, flag and value writes, and the pack names of a business
// segment's own options.
#include "model/VqsModelNodeLink.h"

#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "model/VqsModelNodeSystem.h"
#include "model/VqsTransactionConfig.h"
#include "model/VqsTransactionSoftLink.h"
#include "model/VqsTransactionWrite.h"
#include "names/VqsNameRules.h"
#include "proxy/PxLSEGlobalLogic.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxLSEReport.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <vector>

namespace {

const UINT IDS_CANNOT_ACCESS_OPTION_SET_SPEC = 61641;

const char* const kGlobalLogicReserved[] = {"STARTUP", "CLOSEUPDATE", "CLOSEDOWN"};

bool IsReservedName(int elementType, const CString& name)
{
    if (elementType == VqsElementIspec)
        return name.CompareNoCase("EVENT") == 0;
    if (elementType != VqsElementGlobalLogic)
        return false;
    for (const char* reserved : kGlobalLogicReserved) {
        if (name.CompareNoCase(reserved) == 0)
            return true;
    }
    return false;
}

// One pack option of a business segment's platform options, through its own operations.
template <class Options>
struct PackOption {
    BOOL (Options::*isDefault)() const;
    CString (Options::*get)() const;
    void (Options::*makeDefault)();
    void (Options::*set)(const char*);
};

#define VQS_PACK_OPTION(Options, Base, Name) \
    PackOption<Options> { &Base::IsDefault##Name, &Base::Get##Name, &Base::MakeDefault##Name, &Base::Set##Name }

// Sets the concerned options to the new name (or back to their default); true when one
// changed.
template <class Options>
bool ReplaceInOptions(Options& options, const std::vector<PackOption<Options>>& concerned, const char* oldPack,
                      const char* newPack)
{
    bool changed = false;
    for (const PackOption<Options>& option : concerned) {
        const bool matches = *oldPack ? (options.*option.get)() == oldPack : (options.*option.isDefault)() != 0;
        if (!matches)
            continue;
        if (*newPack)
            (options.*option.set)(newPack);
        else
            (options.*option.makeDefault)();
        changed = true;
    }
    return changed;
}

} // namespace

int ElementLinkTypeOf(const PxLSEElementPtr& design)
{
    static const char* const kDesignClasses[] = {"", "PxLSEIspec", "PxLSEReport", "PxLSEProfile", "PxLSEGlobalLogic"};
    for (int type = VqsElementIspec; type <= VqsElementGlobalLogic; ++type) {
        if (design->_IsKindOf(kDesignClasses[type]))
            return type;
    }
    return 0;
}

bool ElementSoftLinkMatches(const VqsModelNodeElementLink* node, const PxLSEElementPtr& design)
{
    const PxVQElementSoftLinkPtr link = node ? node->GetElementSoftLink() : PxVQElementSoftLinkPtr();
    if (!link || !design)
        return false;
    const int type = link->GetElementType();
    return type != 0 && type == ElementLinkTypeOf(design) && link->GetName() == design->GetName();
}

bool ProfileSoftLinkMatches(const VqsModelNodeElementLink* node, const CString& ordinateName)
{
    const PxVQProfileSoftLinkPtr profile =
        node ? PxVQProfileSoftLinkPtr(node->GetElementSoftLink()) : PxVQProfileSoftLinkPtr();
    return profile && profile->GetOrdinateName() == ordinateName;
}

bool BSSoftLinkMatches(const VqsModelNodeBSLink* node, const PxLSEBusinessSegmentPtr& segment)
{
    const PxVQBSSoftLinkPtr link = node ? node->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    return link && segment && link->GetName().CompareNoCase(segment->GetName()) == 0;
}

bool VqsModelNodeLink::IsEarlier(std::uint32_t high, std::uint32_t low, std::uint32_t otherHigh, std::uint32_t otherLow)
{
    const auto signedHigh = static_cast<std::int32_t>(high);
    const auto otherSignedHigh = static_cast<std::int32_t>(otherHigh);
    return signedHigh != otherSignedHigh ? signedHigh < otherSignedHigh : low < otherLow;
}

bool VqsModelNodeLink::HasUnusedMark() const
{
    const PxVQSoftLinkPtr link = GetSoftLink();
    return link && link->GetUnusedMark() != 0;
}

VqsModelNodeElementLink* VqsModelNodeBSLink::FindElementLinkNamed(const CString& name, int type, bool& inUse)
{
    LoadElementLinks(VqsLoadCached);
    std::vector<VqsModelNodeElementLink*> named;
    for (POSITION pos = m_elementLinks.GetHeadPosition(); pos;) {
        VqsModelNodeElementLink* node = m_elementLinks.GetNext(pos);
        const PxVQElementSoftLinkPtr link = node->GetElementSoftLink();
        if (link && link->ObjectPresent() && link->GetElementType() == type && link->GetName() == name)
            named.push_back(node);
    }
    return ChooseInUseOrNewest(named, inUse);
}

VqsModelNodeElementLink* VqsModelNodeBSLink::FindElementLinkNamed(const CString& name, int type)
{
    bool inUse = false;
    return FindElementLinkNamed(name, type, inUse);
}

bool VqsModelNodeLink::IsSoftLinkUpdated() const
{
    const PxVQSoftLinkPtr link = GetSoftLink();
    return link && link->GetUpdatedFlag() != 0;
}

void VqsModelNodeLink::GetCreatedTimeStamp()
{
    const PxVQSoftLinkPtr link = GetSoftLink();
    if (!link)
        return;
    const auto time = static_cast<std::uint64_t>(link->GetCreatedTimeStamp());
    m_createdHigh = static_cast<std::uint32_t>(time >> 32);
    m_createdLow = static_cast<std::uint32_t>(time);
}

void VqsModelNodeLink::SetUpdatedFlag(int flag)
{
    VqsWriteInTransaction([&](VqsTransaction& transaction) {
        if (transaction.IsUsable())
            GetSoftLink()->SetUpdatedFlag(flag);
        return 0;
    });
    NotifyChanged();
}

int VqsModelNodeLink::SetSoftLinkValue(int value)
{
    int done = 0;
    {
        VqsTransactionSoftLink transaction(GetSoftLink());
        done = transaction.SetSoftLinkValue(value);
    }
    done = done && VqsTransaction::IsOk();
    if (done)
        NotifyChanged();
    return done;
}

bool VqsModelNodeElementLink::IsReservedElement() const
{
    try {
        const PxVQElementSoftLinkPtr link = GetElementSoftLink();
        return link && IsReservedName(link->GetElementType(), link->GetName());
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
        return false;
    }
}

bool VqsModelNodeElementLink::IsIspecType(int type) const { return GetElementSoftLink() && GetIspecType() == type; }

void VqsModelNodeElementLink::SetProfileLinkData(const PxLSEProfilePtr& profile)
{
    const PxVQProfileSoftLinkPtr link(GetElementSoftLink());
    VqsModelNodeConfig* config = GetConfigNode();
    if (!link || !config)
        return;
    {
        VqsTransactionConfig transaction(config->GetConfig());
        transaction.SetProfileLinkData(profile, link);
    }
    NotifyChanged();
}

void VqsModelNodeElementLink::CollectGLGUniqueID(std::set<int>& ids) const
{
    if (const PxVQGlobalLogicSoftLinkPtr logic{GetElementSoftLink()})
        ids.insert(logic->GetGLGUniqueID());
}

void VqsModelNodeBSLink::GetInitialPackNames(int hostType, CString& first, CString& second) const
{
    const CString name = GetBSSoftLink()->GetName();
    if (hostType == VQHostNT) {
        first = PxNTBSegOptions::GetInitialPackName(name, VQPackTablespace);
        second = PxNTBSegOptions::GetInitialPackName(name, VQPackPath);
    } else if (hostType == VQHostUnix) {
        first = PxUnixBSegOptions::GetInitialPackName(name, VQPackTablespace);
        second = PxUnixBSegOptions::GetInitialPackName(name, VQPackPath);
    }
}

void VqsModelNodeBSLink::ReplacePackName(const PxVQOptionSetPtr& optionSet, int hostType, int packKind,
                                         const char* oldPack, const char* newPack)
{
    oldPack = oldPack ? oldPack : "";
    newPack = newPack ? newPack : "";
    if (!*oldPack && !*newPack)
        return;
    const PxOptionsPtr options = GetBSSoftLink()->GetOptions(optionSet);
    const bool changed = VqsWriteInTransaction([&](VqsTransaction& transaction) {
        if (!transaction.IsUsable())
            return false;
        if (const PxUnixBSegOptionsPtr unix{options}; unix && hostType == VQHostUnix) {
            std::vector<PackOption<PxUnixBSegOptions>> concerned;
            if (packKind == VQPackPath)
                concerned = {VQS_PACK_OPTION(PxUnixBSegOptions, PxUnixBSegOptions, ObjPack),
                             VQS_PACK_OPTION(PxUnixBSegOptions, PxUnixBSegOptions, ReorgPack),
                             VQS_PACK_OPTION(PxUnixBSegOptions, PxUnixBSegOptions, BSExtractPack)};
            else if (packKind == VQPackTablespace)
                concerned = {VQS_PACK_OPTION(PxUnixBSegOptions, PxBSegOptions, DefPack)};
            return ReplaceInOptions(*unix, concerned, oldPack, newPack);
        }
        // The Windows segment options name the initial Tablespace/Filegroup pack by default
        // too (DefPack), so its replacement goes there as on Unix.
        if (const PxNTBSegOptionsPtr nt{options}; nt && hostType == VQHostNT) {
            std::vector<PackOption<PxNTBSegOptions>> concerned;
            if (packKind == VQPackPath)
                concerned = {VQS_PACK_OPTION(PxNTBSegOptions, PxNTBSegOptions, ReorgPack),
                             VQS_PACK_OPTION(PxNTBSegOptions, PxNTBSegOptions, BSExtractPack)};
            else if (packKind == VQPackTablespace)
                concerned = {VQS_PACK_OPTION(PxNTBSegOptions, PxBSegOptions, DefPack)};
            return ReplaceInOptions(*nt, concerned, oldPack, newPack);
        }
        return false;
    });
    if (changed)
        SetUpdatedFlag(1);
}

#undef VQS_PACK_OPTION

void VqsModelNodeBSLink::CollectBSegPackReplacements(int targetHostType, const PxVQOptionSetPtr& optionSet,
                                                     VqsBSPackReplacementList& replacements)
{
    if (targetHostType != VQHostNT && targetHostType != VQHostUnix)
        return;
    CString initialTablespace;
    CString initialPath;
    GetInitialPackNames(targetHostType, initialTablespace, initialPath);
    const PxVQBSSoftLinkPtr bsLink = GetBSSoftLink();
    auto append = [&](int kind, int origin, const CString& name) {
        replacements.AddTail(VqsBSPackReplacement{bsLink, kind, origin, name, CString()});
    };
    if (!optionSet) {
        if (!initialPath.IsEmpty())
            append(VQPackPath, 1, initialPath);
        if (!initialTablespace.IsEmpty())
            append(VQPackTablespace, 2, initialTablespace);
        return;
    }
    const int sourceHostType = optionSet->GetHostType();
    if (sourceHostType == targetHostType)
        return;
    const bool toUnix = targetHostType == VQHostUnix;
    const PxOptionsPtr options = bsLink->GetOptions(optionSet);
    // The updated packs of the record, each as the option's own queries answer.
    auto appendUpdated = [&](int kind, BOOL isUpdated, BOOL isDefault, const CString& name) {
        if (isUpdated && !isDefault)
            append(kind, 0, name);
        return isUpdated && !isDefault;
    };
#define VQS_UPDATED_PACK(record, kind, Name) \
    appendUpdated(kind, (record)->IsUpdated##Name(), (record)->IsDefault##Name(), (record)->Get##Name())
    if (const PxNTBSegOptionsPtr nt{options}) {
        VQS_UPDATED_PACK(nt, VQPackPath, ReorgPack);
        VQS_UPDATED_PACK(nt, VQPackPath, BSExtractPack);
        if (toUnix)
            VQS_UPDATED_PACK(nt, VQPackPath, ReorgPack);
        if (nt->GetEnableOLTP() && nt->IsUpdatedOLTPOnPack())
            append(VQPackPath, 0, nt->GetOLTPOnPack());
        VQS_UPDATED_PACK(nt, VQPackPath, LogPack);
        VQS_UPDATED_PACK(nt, VQPackPath, ROCoutput);
    } else if (const PxUnixBSegOptionsPtr unix{options}) {
        VQS_UPDATED_PACK(unix, VQPackPath, ReorgPack);
        VQS_UPDATED_PACK(unix, VQPackPath, BSExtractPack);
        if (unix->GetEnableOLTP() && unix->IsUpdatedOLTPOnPack())
            append(VQPackPath, 0, unix->GetOLTPOnPack());
        VQS_UPDATED_PACK(unix, VQPackPath, LogPack);
        VQS_UPDATED_PACK(unix, VQPackPath, ROCoutput);
    } else if (const PxQSRBSegOptionsPtr qsr{options}) {
        if (toUnix)
            VQS_UPDATED_PACK(qsr, VQPackPath, ObjPack);
        VQS_UPDATED_PACK(qsr, VQPackPath, ReorgPack);
        VQS_UPDATED_PACK(qsr, VQPackPath, BSExtractPack);
        if (toUnix)
            VQS_UPDATED_PACK(qsr, VQPackPath, ReorgPack);
        VQS_UPDATED_PACK(qsr, VQPackPath, LogPack);
        VQS_UPDATED_PACK(qsr, VQPackPath, ROCoutput);
    } else if (const PxTarskBSegOptionsPtr tarsk{options}; tarsk && toUnix) {
        VQS_UPDATED_PACK(tarsk, VQPackPath, ObjPack);
    }
    // A default pack of its own goes over; without one, the target's default pack is its
    // initial Tablespace/Filegroup pack (Windows and Unix alike).
    bool defaultPackLeftOut = false;
    if (const PxBSegOptionsPtr segment{options})
        defaultPackLeftOut = !VQS_UPDATED_PACK(segment, VQPackTablespace, DefPack);
    if (const PxNTBSegOptionsPtr nt{options})
        VQS_UPDATED_PACK(nt, VQPackTablespace, EventSet);
    else if (const PxUnixBSegOptionsPtr unix{options})
        VQS_UPDATED_PACK(unix, VQPackTablespace, EventSet);
    else if (const PxQSRBSegOptionsPtr qsr{options})
        VQS_UPDATED_PACK(qsr, VQPackTablespace, EventSet);
#undef VQS_UPDATED_PACK
    if (defaultPackLeftOut && !initialTablespace.IsEmpty())
        append(VQPackTablespace, 1, initialTablespace);

    VqsModelNodeConfig* config = GetConfigNode();
    config->LoadOptionSets(VqsLoadCached);
    VqsModelNodeOSet* optionSetNode = config->FindOptionSetNode(optionSet);
    if (!optionSetNode)
        return;
    optionSetNode->BuildOptionNodes(VqsLoadCached);
    optionSetNode->CollectElementPacks(0, replacements, bsLink);
}

void VqsModelNodeConfig::GetBSLinkNodesByCreation(CObList& out)
{
    LoadBSLinks(VqsLoadCached);
    CObList links;
    GetBSLinkNodes(links);
    for (POSITION pos = links.GetHeadPosition(); pos;)
        static_cast<VqsModelNodeBSLink*>(links.GetNext(pos))->GetCreatedTimeStamp();
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        auto* link = static_cast<VqsModelNodeBSLink*>(links.GetNext(pos));
        POSITION before = out.GetHeadPosition();
        while (before) {
            auto* placed = static_cast<VqsModelNodeBSLink*>(out.GetAt(before));
            if (VqsModelNodeLink::IsEarlier(placed->GetCreatedHigh(), placed->GetCreatedLow(), link->GetCreatedHigh(),
                                            link->GetCreatedLow()))
                break;
            out.GetNext(before);
        }
        if (before)
            out.InsertBefore(before, link);
        else
            out.AddTail(link);
    }
}

BOOL VqsModelNodeConfig::IsOptionSetNameUsed(const char* name, bool& nameUsed, const char* shortName,
                                             bool& shortNameUsed, const VqsModelNodeOSet* skip)
{
    nameUsed = false;
    shortNameUsed = false;
    VqsSysApp* app = VqsGetApp();
    const bool longNames = app && app->GetAllowLongNames();
    try {
        LoadOptionSets(VqsLoadCached);
        CObList optionSets;
        GetOptionSetNodes(optionSets);
        for (POSITION pos = optionSets.GetHeadPosition(); pos && !nameUsed && !shortNameUsed;) {
            auto* optionSet = static_cast<VqsModelNodeOSet*>(optionSets.GetNext(pos));
            if (optionSet == skip)
                continue;
            if (longNames) {
                shortNameUsed = VqsSameName(optionSet->GetName(), shortName);
                nameUsed = !shortNameUsed && VqsSameName(optionSet->GetOptionSet()->GetLongName(), name);
            } else {
                nameUsed = VqsSameName(optionSet->GetName(), name);
            }
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_SET_SPEC, error);
        return FALSE;
    }
    return TRUE;
}
