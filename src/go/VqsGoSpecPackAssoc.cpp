#include "go/VqsGoSpecPackAssoc.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeOption.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/MbString.h"
#include "win/CCmdTarget.h"

namespace {

constexpr UINT IDS_CANNOT_ACCESS_PACK = 61530;
constexpr UINT IDS_CANNOT_ACCESS_HOSTS = 61549;
constexpr UINT IDS_NO_PACKS = 61836;
constexpr UINT IDS_NO_HOSTS = 61837;

constexpr int kRefresh = 2;

// Loads a list of the root; FALSE after the error box when the repository fails.
template <class Load>
BOOL LoadList(UINT contextId, Load load)
{
    try {
        load();
        return TRUE;
    } catch (const VqReportableException& error) {
        ShowErrorById(contextId, error);
        return FALSE;
    }
}

template <class Node>
Node* NodeAt(const CObList& list, POSITION& pos)
{
    return static_cast<Node*>(const_cast<CObList&>(list).GetNext(pos));
}

template <class Node>
Node* Head(const CObList& list)
{
    return static_cast<Node*>(const_cast<CObList&>(list).GetHead());
}

} // namespace

BOOL VqsGoSpecPackAssoc::Filter(VqsParseReturn& result, VqsModel& model, VqsGoContext& context, CStringList&)
{
    VqsModelNodeEnterprise& root = model.GetRootNode();
    {
        VqsLockBag bag(VqsNoLock);
        VqsLockScope scope(VqsGetApp() ? VqsGetApp()->GetLink() : nullptr);
        if (!bag.LockNode(&root))
            return FALSE;
    }
    if (!LoadList(IDS_CANNOT_ACCESS_PACK, [&] { root.LoadPacks(kRefresh); }))
        return FALSE;
    CObList packs;
    root.GetPackNodes(packs);
    if (packs.IsEmpty()) {
        CString text;
        text.LoadString(IDS_NO_PACKS);
        result.SetError(text);
        return TRUE;
    }
    if (!LoadList(IDS_CANNOT_ACCESS_HOSTS, [&] { root.LoadHosts(kRefresh); }))
        return FALSE;
    CObList hosts;
    root.GetHostNodes(hosts);
    if (hosts.IsEmpty()) {
        CString text;
        text.LoadString(IDS_NO_HOSTS);
        result.SetError(text);
        return TRUE;
    }
    ChooseFromSelection(model, context, packs, hosts);
    if (!m_pPack)
        m_pPack = Head<VqsModelNodePack>(packs)->GetPackInformation();
    if (!m_pHost)
        m_pHost = Head<VqsModelNodeHost>(hosts)->GetHostInformation();
    result.SetTarget(VqsAPtr<VqsGoSpec>(this), &model);
    return TRUE;
}

void VqsGoSpecPackAssoc::ChooseFromSelection(VqsModel& model, const VqsGoContext& context, const CObList& packs,
                                             const CObList& hosts)
{
    PxVQGenSetPtr genSet = context.m_pGenSet;
    try {
        VqsFilterReturn ignored;
        CStringList noArguments(10);
        VqsGoFilterBSOpt& top = Top();
        if (top.Run(&ignored, model, context, noArguments) && !ignored.HasMessage() && top.m_pGenSet) {
            genSet = top.m_pGenSet;
            VqsModelNodeOption* option = model.FindOptionNode(top.m_pBSLink->GetOptions(genSet));
            VqsPackSpecList named;
            if (option)
                option->CollectPacks(named);
            for (POSITION at = named.GetHeadPosition(); at && !m_pPack;) {
                const VqsModelNode::PackSpec& spec = named.GetNext(at);
                for (POSITION pos = packs.GetHeadPosition(); pos;) {
                    VqsModelNodePack* pack = NodeAt<VqsModelNodePack>(packs, pos);
                    if (_mbsicmp(pack->GetName(), spec.name) == 0) {
                        m_pPack = pack->GetPackInformation();
                        break;
                    }
                }
            }
        }
        if (!genSet)
            return;
        const CString hostName = genSet->GetHostName();
        for (POSITION pos = hosts.GetHeadPosition(); pos && !hostName.IsEmpty() && !m_pHost;) {
            VqsModelNodeHost* host = NodeAt<VqsModelNodeHost>(hosts, pos);
            if (_mbsicmp(host->GetName(), hostName) == 0)
                m_pHost = host->GetHostInformation();
        }
        for (POSITION pos = hosts.GetHeadPosition(); pos && !m_pHost;) {
            VqsModelNodeHost* host = NodeAt<VqsModelNodeHost>(hosts, pos);
            if (host->GetHostType() == genSet->GetHostType())
                m_pHost = host->GetHostInformation();
        }
    } catch (const VqException& error) {
        if (VqsIsLostConnection(error))
            throw;
        // What could be found stands; the first pack and host stand in for the rest.
    }
}

BOOL VqsGoSpecPackAssoc::Open(VqsModel* target)
{
    if (!m_pPack || !m_pHost)
        return FALSE;
    VqsLockBag bag(VqsReadLock);
    VqsModelNodePack* pack = nullptr;
    {
        CWaitCursor wait;
        pack = target->LockPackNode(bag, m_pPack);
    }
    if (pack)
        target->EditPack(bag, pack, m_pHost);
    return TRUE;
}
