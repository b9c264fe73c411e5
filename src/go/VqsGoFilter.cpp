#include "go/VqsGoFilter.h"

#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "win/MbString.h"

#include <vector>

namespace {

constexpr UINT IDS_CANNOT_ACCESS_ENTERPRISE = 61608;
constexpr UINT IDS_CANNOT_ACCESS_CUR_CONFIG = 61719;
constexpr UINT IDS_CANNOT_ACCESS_BS_ENTRIES = 61720;
constexpr UINT IDS_CANNOT_ACCESS_OPTION_SETS = 61642;
constexpr UINT IDS_CANNOT_ACCESS_ELEMENT_ENTRIES = 61742;

constexpr UINT IDS_NOT_A_GEN_SET = 61717;
constexpr UINT IDS_GEN_SET_OF_TYPE = 61718;
constexpr UINT IDS_NO_GEN_SET_NAMED = 61790;
constexpr UINT IDS_NO_TARGET_CONFIG = 61791;
constexpr UINT IDS_NO_BS_ENTRY = 61792;
constexpr UINT IDS_NO_GEN_SETS_OF_TYPE = 61793;
constexpr UINT IDS_NO_TARGET_ELEMENT = 61794;
constexpr UINT IDS_NO_TARGET_SYSTEM = 61795;
constexpr UINT IDS_CURRENT_GEN_SET_OF_TYPE = 61796;
constexpr UINT IDS_NO_TARGET_GEN_SET = 61797;
constexpr UINT IDS_BS_IN_SEVERAL_SYSTEMS = 61810;
constexpr UINT IDS_NO_GEN_SETS = 61815;
constexpr UINT IDS_NO_ELEMENT_NAMED = 61822;

// Load modes of the model's lists.
constexpr int kUseLoaded = 0;
constexpr int kRefresh = 2;

// The nodes of a model list, in the model's order.
template <class Node, class Owner, class Fill>
std::vector<Node*> NodesOf(const Owner& owner, Fill fill)
{
    CObList list;
    (owner.*fill)(list);
    std::vector<Node*> nodes;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        nodes.push_back(static_cast<Node*>(list.GetNext(pos)));
    return nodes;
}

bool SameObject(const PxObjectPtr& a, const PxObjectPtr& b) { return a && b && a->IsSameOid(b); }

bool SameName(const CString& a, const CString& b) { return _mbsicmp(a, b) == 0; }

void SetMessageId(VqsFilterReturn* result, UINT id)
{
    CString text;
    text.LoadString(id);
    result->SetMessage(text);
}

template <class... Args>
void SetMessageFormat(VqsFilterReturn* result, UINT id, const Args&... args)
{
    CString text;
    text.FormatMessage(id, args...);
    result->SetMessage(text);
}

// Runs a step that reads the repository: a repository failure is shown with the step's
// context text (the step says which one it is at) and makes the pass fail silently.
template <class Step>
int Guarded(UINT& contextId, Step step)
{
    try {
        return step();
    } catch (const VqReportableException& error) {
        ShowErrorById(contextId, error);
        return 0;
    }
}

PxVQConfigPtr ConfigOf(const PxVQGenSetPtr& genSet) { return genSet ? genSet->GetConfig() : PxVQConfigPtr(); }

bool IsOfHostType(const PxVQGenSetPtr& genSet, VQHostType hostType)
{
    return genSet && genSet->GetHostType() == hostType;
}

// The first generate set of the configuration (of the host type when one is given).
PxVQGenSetPtr FirstGenSet(VqsModelNodeConfig* config, const VQHostType* hostType)
{
    config->LoadOptionSets(kUseLoaded);
    for (VqsModelNodeGenSet* node : NodesOf<VqsModelNodeGenSet>(*config, &VqsModelNodeConfig::GetGenSetNodes)) {
        PxVQGenSetPtr genSet = node->GetGenSet();
        if (!hostType || IsOfHostType(genSet, *hostType))
            return genSet;
    }
    return PxVQGenSetPtr();
}

void SetNoGenSetMessage(VqsFilterReturn* result, const VQHostType* hostType)
{
    if (hostType)
        SetMessageFormat(result, IDS_NO_GEN_SETS_OF_TYPE, VqsGetHostTypeName(*hostType));
    else
        SetMessageId(result, IDS_NO_GEN_SETS);
}

// The top business-segment passes with and without a host type.
template <class Record, class GenSetFilter>
int RunBSOpt(Record& record, GenSetFilter* genSetFilter, const VQHostType* hostType, VqsFilterReturn* result,
             VqsModel& model, const VqsGoContext& context, CStringList& arguments)
{
    record.m_strGenSetName = arguments.IsEmpty() ? CString() : arguments.GetHead();
    UINT contextId = IDS_CANNOT_ACCESS_OPTION_SETS;
    if (record.m_strGenSetName.IsEmpty()) {
        if (!genSetFilter->Run(result, model, context))
            return 0;
        if (result->HasMessage())
            return 1;
        record.m_pBSLink = genSetFilter->m_pBSLink;
        record.m_pGenSet = genSetFilter->m_pGenSet;
        return Guarded(contextId, [&] {
            record.m_strGenSetName = VqsShownName(record.m_pGenSet);
            return 1;
        });
    }
    VqsGoFilterConfig* configFilter = record.m_pConfigFilter;
    if (!configFilter->Run(result, model, context))
        return 0;
    if (result->HasMessage())
        return 1;
    return Guarded(contextId, [&] {
        VqsModelNodeConfig* config = model.FindConfigNode(configFilter->m_pConfig);
        if (!config)
            return 0;
        config->LoadOptionSets(kUseLoaded);
        for (VqsModelNodeOSet* node : NodesOf<VqsModelNodeOSet>(*config, &VqsModelNodeConfig::GetOptionSetNodes)) {
            PxVQOptionSetPtr optionSet = node->GetOptionSet();
            const CString name = VqsShownName(optionSet);
            if (!SameName(name, record.m_strGenSetName))
                continue;
            if (!optionSet->_IsKindOf("PxVQGenSet")) {
                SetMessageFormat(result, IDS_NOT_A_GEN_SET, name);
                return 1;
            }
            PxVQGenSetPtr genSet(optionSet);
            if (hostType && genSet->GetHostType() != *hostType) {
                SetMessageFormat(result, IDS_GEN_SET_OF_TYPE, name, VqsGetHostTypeName(genSet->GetHostType()));
                return 1;
            }
            record.m_pBSLink = configFilter->m_pBSLink;
            record.m_pGenSet = genSet;
            return 1;
        }
        SetMessageFormat(result, IDS_NO_GEN_SET_NAMED, record.m_strGenSetName);
        return 1;
    });
}

// The element of the selection in its configuration's generate set.
template <class Record>
int RunCurrentElement(Record& record, const VQHostType* hostType, VqsFilterReturn* result, VqsModel& model,
                      const VqsGoContext& context)
{
    if (!context.m_pElementLink) {
        SetMessageId(result, IDS_NO_TARGET_ELEMENT);
        return 1;
    }
    UINT contextId = IDS_CANNOT_ACCESS_ELEMENT_ENTRIES;
    return Guarded(contextId, [&] {
        CString message;
        if (!record.m_pfnKindTest(context.m_pElementLink, message, nullptr)) {
            result->SetMessage(message);
            return 1;
        }
        VqsModelNodeElementLink* node = model.FindElementLinkNode(context.m_pElementLink);
        if (!node)
            return 0;
        VqsModelNodeConfig* config = node->GetConfigNode();
        if (!config)
            return 0;
        contextId = IDS_CANNOT_ACCESS_OPTION_SETS;
        PxVQGenSetPtr genSet;
        if (SameObject(ConfigOf(context.m_pGenSet), config->GetConfig()) &&
            (!hostType || IsOfHostType(context.m_pGenSet, *hostType)))
            genSet = context.m_pGenSet;
        else
            genSet = FirstGenSet(config, hostType);
        if (!genSet) {
            SetNoGenSetMessage(result, hostType);
            return 1;
        }
        record.m_pElementLink = context.m_pElementLink;
        record.m_pGenSet = genSet;
        return 1;
    });
}

// The top element passes with and without a host type; the host-type variant refreshes the
// element links and takes them as they are.
template <class Record>
int RunElementOpt(Record& record, const VQHostType* hostType, VqsFilterReturn* result, VqsModel& model,
                  const VqsGoContext& context, CStringList& arguments)
{
    POSITION pos = arguments.GetHeadPosition();
    record.m_strElementName = pos ? arguments.GetNext(pos) : CString();
    record.m_strGenSetName = pos ? arguments.GetNext(pos) : CString();
    if (record.m_strElementName.IsEmpty() && record.m_strGenSetName.IsEmpty()) {
        auto* current = record.m_pCurrentElementFilter;
        if (!current->Run(result, model, context))
            return 0;
        if (result->HasMessage())
            return 1;
        record.m_pElementLink = current->m_pElementLink;
        record.m_pGenSet = current->m_pGenSet;
        return 1;
    }
    CStringList genSetArguments(10);
    if (!record.m_strGenSetName.IsEmpty())
        genSetArguments.AddTail(record.m_strGenSetName);
    auto* bsOpt = record.m_pBSOptFilter;
    UINT contextId = IDS_CANNOT_ACCESS_ELEMENT_ENTRIES;
    if (record.m_strElementName.IsEmpty()) {
        if (!context.m_pElementLink) {
            SetMessageId(result, IDS_NO_TARGET_ELEMENT);
            return 1;
        }
        CString message;
        BOOL accepted = FALSE;
        if (!Guarded(contextId, [&] {
                accepted = record.m_pfnKindTest(context.m_pElementLink, message, nullptr);
                return 1;
            }))
            return 0;
        if (!accepted) {
            result->SetMessage(message);
            return 1;
        }
        if (!bsOpt->Run(result, model, context, genSetArguments))
            return 0;
        if (result->HasMessage())
            return 1;
        return Guarded(contextId, [&] {
            if (!SameObject(context.m_pElementLink->GetBSSoftLink(), bsOpt->m_pBSLink)) {
                SetMessageId(result, IDS_NO_TARGET_ELEMENT);
                return 1;
            }
            record.m_pElementLink = context.m_pElementLink;
            record.m_pGenSet = bsOpt->m_pGenSet;
            return 1;
        });
    }
    if (!bsOpt->Run(result, model, context, genSetArguments))
        return 0;
    if (result->HasMessage())
        return 1;
    return Guarded(contextId, [&] {
        VqsModelNodeBSLink* linkNode = model.FindConfigNodeOfBSLink(bsOpt->m_pBSLink);
        if (!linkNode)
            return 0;
        linkNode->LoadElementLinks(hostType ? kRefresh : kUseLoaded);
        for (VqsModelNodeElementLink* node :
             NodesOf<VqsModelNodeElementLink>(*linkNode, &VqsModelNodeBSLink::GetElementLinkNodes)) {
            PxVQElementSoftLinkPtr link = node->GetElementSoftLink();
            if (!hostType && !link->ObjectPresent())
                continue;
            if (!SameName(VqsShownName(link), record.m_strElementName))
                continue;
            CString message;
            if (!record.m_pfnKindTest(link, message, record.m_strElementName)) {
                result->SetMessage(message);
                return 1;
            }
            record.m_pElementLink = link;
            record.m_pGenSet = bsOpt->m_pGenSet;
            return 1;
        }
        SetMessageFormat(result, IDS_NO_ELEMENT_NAMED, record.m_strElementName);
        return 1;
    });
}

} // namespace

BOOL VqsFilterReturn::GetMessage(CString& message) const
{
    if (m_strMessage.IsEmpty())
        return FALSE;
    message = m_strMessage;
    return TRUE;
}

int VqsGoChooseBSLink(PxVQBSSoftLinkPtr& link, VqsFilterReturn* result, VqsModelNodeConfig* configNode)
{
    UINT contextId = IDS_CANNOT_ACCESS_BS_ENTRIES;
    return Guarded(contextId, [&] {
        configNode->LoadBSLinks(kUseLoaded);
        const auto links = NodesOf<VqsModelNodeBSLink>(*configNode, &VqsModelNodeConfig::GetBSLinkNodes);
        if (links.empty()) {
            SetMessageId(result, IDS_NO_BS_ENTRY);
            return 1;
        }
        link = links.front()->GetBSSoftLink();
        for (VqsModelNodeBSLink* node : links) {
            if (!node->GetBSSoftLink()->IsObsolete()) {
                link = node->GetBSSoftLink();
                break;
            }
        }
        return 1;
    });
}

int VqsGoFilterSystem::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context)
{
    if (context.m_pSystem) {
        m_pSystem = context.m_pSystem;
        return 1;
    }
    if (!context.m_pBusinessSegment) {
        SetMessageId(result, IDS_NO_TARGET_SYSTEM);
        return 1;
    }
    UINT contextId = IDS_CANNOT_ACCESS_ENTERPRISE;
    return Guarded(contextId, [&] {
        const CString name = context.m_pBusinessSegment->GetName();
        const CString shownName = VqsShownName(context.m_pBusinessSegment);
        m_pSystem = PxVQSystemPtr();
        VqsModelNodeEnterprise& root = model.GetRootNode();
        root.LoadSystems(kRefresh);
        for (VqsModelNodeSystem* system : NodesOf<VqsModelNodeSystem>(root, &VqsModelNodeEnterprise::GetSystemNodes)) {
            contextId = IDS_CANNOT_ACCESS_CUR_CONFIG;
            system->LoadCurConfig(kRefresh);
            for (VqsModelNodeConfig* config :
                 NodesOf<VqsModelNodeConfig>(*system, &VqsModelNodeSystem::GetConfigNodes)) {
                if (!dynamic_cast<VqsModelNodeCurConfig*>(config))
                    continue;
                contextId = IDS_CANNOT_ACCESS_BS_ENTRIES;
                config->LoadBSLinks(kRefresh);
                for (VqsModelNodeBSLink* link :
                     NodesOf<VqsModelNodeBSLink>(*config, &VqsModelNodeConfig::GetBSLinkNodes)) {
                    if (!SameName(link->GetBSSoftLink()->GetName(), name))
                        continue;
                    const PxVQSystemPtr found = system->GetSystem();
                    if (!m_pSystem) {
                        m_pSystem = found;
                    } else if (!SameObject(m_pSystem, found)) {
                        SetMessageFormat(result, IDS_BS_IN_SEVERAL_SYSTEMS, shownName);
                        return 1;
                    }
                }
            }
        }
        if (!m_pSystem)
            SetMessageId(result, IDS_NO_TARGET_SYSTEM);
        return 1;
    });
}

int VqsGoFilterBSLink::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context)
{
    VqsFilterReturn systemResult;
    if (!m_pSystemFilter->Run(&systemResult, model, context))
        return 0;
    CString message;
    if (systemResult.GetMessage(message)) {
        result->SetMessage(message);
        return 1;
    }
    UINT contextId = IDS_CANNOT_ACCESS_CUR_CONFIG;
    return Guarded(contextId, [&] {
        VqsModelNodeSystem* system = model.FindSystemNodeOfCurConfig(m_pSystemFilter->m_pSystem);
        if (!system)
            return 0;
        system->LoadCurConfig(kUseLoaded);
        const auto configs = NodesOf<VqsModelNodeConfig>(*system, &VqsModelNodeSystem::GetConfigNodes);
        if (configs.empty()) {
            SetMessageId(result, IDS_NO_TARGET_CONFIG);
            return 1;
        }
        VqsModelNodeConfig* config = configs.front();
        if (context.m_pBusinessSegment) {
            contextId = IDS_CANNOT_ACCESS_BS_ENTRIES;
            const CString name = context.m_pBusinessSegment->GetName();
            PxVQBSSoftLinkPtr firstObsolete;
            config->LoadBSLinks(kRefresh);
            for (VqsModelNodeBSLink* node : NodesOf<VqsModelNodeBSLink>(*config, &VqsModelNodeConfig::GetBSLinkNodes)) {
                PxVQBSSoftLinkPtr link = node->GetBSSoftLink();
                if (!SameName(link->GetName(), name))
                    continue;
                if (!link->IsObsolete()) {
                    m_pBSLink = link;
                    return 1;
                }
                if (!firstObsolete)
                    firstObsolete = link;
            }
            if (firstObsolete) {
                m_pBSLink = firstObsolete;
                return 1;
            }
        }
        return VqsGoChooseBSLink(m_pBSLink, result, config);
    });
}

int VqsGoFilterConfig::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context)
{
    VqsFilterReturn linkResult;
    if (!m_pBSLinkFilter->Run(&linkResult, model, context))
        return 0;
    UINT contextId = IDS_CANNOT_ACCESS_BS_ENTRIES;
    CString message;
    if (!linkResult.GetMessage(message)) {
        return Guarded(contextId, [&] {
            VqsModelNodeBSLink* node = model.FindConfigNodeOfBSLink(m_pBSLinkFilter->m_pBSLink);
            if (!node || !node->GetConfigNode())
                return 0;
            m_pBSLink = m_pBSLinkFilter->m_pBSLink;
            m_pConfig = node->GetConfigNode()->GetConfig();
            return 1;
        });
    }
    if (!context.m_pElementLink) {
        result->SetMessage(message);
        return 1;
    }
    // The selected element decides the link and configuration where the segment did not.
    return Guarded(contextId, [&] {
        VqsModelNodeElementLink* node = model.FindElementLinkNode(context.m_pElementLink);
        if (!node || !node->GetBSLinkNode() || !node->GetConfigNode())
            return 0;
        m_pBSLink = node->GetBSLinkNode()->GetBSSoftLink();
        m_pConfig = node->GetConfigNode()->GetConfig();
        return 1;
    });
}

int VqsGoFilterGenSet::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context)
{
    result->SetMessage(nullptr);
    if (!m_pBSLinkFilter->Run(result, model, context))
        return 0;
    if (result->HasMessage())
        return 1;
    UINT contextId = IDS_CANNOT_ACCESS_OPTION_SETS;
    return Guarded(contextId, [&] {
        VqsModelNodeBSLink* node = model.FindConfigNodeOfBSLink(m_pBSLinkFilter->m_pBSLink);
        VqsModelNodeConfig* config = node ? node->GetConfigNode() : nullptr;
        if (!config)
            return 0;
        PxVQGenSetPtr genSet = SameObject(ConfigOf(context.m_pGenSet), config->GetConfig())
                                   ? context.m_pGenSet
                                   : FirstGenSet(config, nullptr);
        if (!genSet) {
            SetMessageId(result, IDS_NO_GEN_SETS);
            return 1;
        }
        m_pBSLink = m_pBSLinkFilter->m_pBSLink;
        m_pGenSet = genSet;
        return 1;
    });
}

int VqsGoFilterCurrentGenSet::Run(VqsFilterReturn* result, VqsModel&, const VqsGoContext& context)
{
    if (!context.m_pGenSet) {
        SetMessageId(result, IDS_NO_TARGET_GEN_SET);
        return 1;
    }
    UINT contextId = IDS_CANNOT_ACCESS_OPTION_SETS;
    return Guarded(contextId, [&] {
        const int hostType = context.m_pGenSet->GetHostType();
        if (hostType == m_hostType)
            m_pGenSet = context.m_pGenSet;
        else
            SetMessageFormat(result, IDS_CURRENT_GEN_SET_OF_TYPE, VqsGetHostTypeName(hostType));
        return 1;
    });
}

int VqsGoFilterHostTypeGenSet::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context)
{
    VqsFilterReturn linkResult;
    if (!m_pBSLinkFilter->Run(&linkResult, model, context))
        return 0;
    UINT contextId = IDS_CANNOT_ACCESS_OPTION_SETS;
    CString firstMessage;
    if (!linkResult.GetMessage(firstMessage)) {
        return Guarded(contextId, [&] {
            VqsModelNodeBSLink* node = model.FindConfigNodeOfBSLink(m_pBSLinkFilter->m_pBSLink);
            VqsModelNodeConfig* config = node ? node->GetConfigNode() : nullptr;
            if (!config)
                return 0;
            PxVQGenSetPtr genSet;
            if (SameObject(ConfigOf(context.m_pGenSet), config->GetConfig()) &&
                IsOfHostType(context.m_pGenSet, m_hostType))
                genSet = context.m_pGenSet;
            else
                genSet = FirstGenSet(config, &m_hostType);
            if (!genSet) {
                SetNoGenSetMessage(result, &m_hostType);
                return 1;
            }
            m_pBSLink = m_pBSLinkFilter->m_pBSLink;
            m_pGenSet = genSet;
            return 1;
        });
    }
    // No link from the selection: the selected generate set's configuration decides.
    VqsFilterReturn genSetResult;
    if (!m_pCurrentGenSetFilter->Run(&genSetResult, model, context))
        return 0;
    if (genSetResult.HasMessage()) {
        result->SetMessage(firstMessage);
        return 1;
    }
    return Guarded(contextId, [&] {
        VqsModelNodeGenSet* node = model.FindGenSetNode(m_pCurrentGenSetFilter->m_pGenSet);
        VqsModelNodeConfig* config = node ? dynamic_cast<VqsModelNodeConfig*>(node->GetParent()) : nullptr;
        if (!config)
            return 0;
        if (!VqsGoChooseBSLink(m_pBSLinkFilter->m_pBSLink, result, config))
            return 0;
        if (result->HasMessage())
            return 1;
        m_pBSLink = m_pBSLinkFilter->m_pBSLink;
        m_pGenSet = m_pCurrentGenSetFilter->m_pGenSet;
        return 1;
    });
}

int VqsGoFilterBSOpt::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context,
                          CStringList& arguments)
{
    return RunBSOpt(*this, m_pGenSetFilter, nullptr, result, model, context, arguments);
}

int VqsGoFilterHostTypeBSOpt::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context,
                                  CStringList& arguments)
{
    return RunBSOpt(*this, m_pGenSetFilter, &m_hostType, result, model, context, arguments);
}

int VqsGoFilterCurrentElement::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context)
{
    return RunCurrentElement(*this, nullptr, result, model, context);
}

int VqsGoFilterHostTypeCurrentElement::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context)
{
    return RunCurrentElement(*this, &m_hostType, result, model, context);
}

int VqsGoFilterElementOpt::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context,
                               CStringList& arguments)
{
    return RunElementOpt(*this, nullptr, result, model, context, arguments);
}

int VqsGoFilterHostTypeElementOpt::Run(VqsFilterReturn* result, VqsModel& model, const VqsGoContext& context,
                                       CStringList& arguments)
{
    return RunElementOpt(*this, &m_hostType, result, model, context, arguments);
}
