#include "options/VqsOptionsDlgEnvironment.h"

#include "model/VqsLockScope.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "model/VqsModelNodeOption.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_CANNOT_ACCESS_KIND = 61552;
constexpr UINT IDS_CANNOT_ACCESS_CONFIG_ENTRY = 61581;
constexpr UINT IDS_ITEM_DELETED_OPEN_AGAIN = 61750;
constexpr UINT IDS_ISPEC_TYPE_CHANGED = 61751;

PxVQLink* SessionLink() { return VqsGetApp()->GetLink(); }

CString KindNameOf(VqsModelNode* node)
{
    const PxVQObjectPtr object = node->GetObject();
    return object ? VqsGetObjectKindName(object->GetObjectKind()) : CString();
}

void ShowCannotAccess(VqsModelNode* node)
{
    CString text;
    text.FormatMessage(IDS_CANNOT_ACCESS_KIND, KindNameOf(node).GetString());
    VqsErrorBox(text);
}

VqsModelNodeConfig* ConfigNodeAbove(VqsModelNodeLink* linkNode)
{
    if (auto* element = dynamic_cast<VqsModelNodeElementLink*>(linkNode))
        return element->GetBSLinkNode()->GetConfigNode();
    if (auto* segment = dynamic_cast<VqsModelNodeBSLink*>(linkNode))
        return segment->GetConfigNode();
    return nullptr;
}

} // namespace

VqsOptionsDlgEnvironment::VqsOptionsDlgEnvironment(VqsModelNodeLink* linkNode, VqsModelNodeOption* optionNode)
    : m_pLinkNode(linkNode), m_pOptionNode(optionNode), m_pConfigNode(ConfigNodeAbove(linkNode))
{
    try {
        if (const PxOptionsPtr options = GetOptions()) {
            m_nElementKind = options->GetOptionsKind();
            m_nHostType = options->GetOptionsType();
        }
    } catch (const VqReportableException&) {
        // Initialize reads the record again and reports what fails.
    }
    m_futureUpdateNodes.AddTail(optionNode);
    m_futureUpdateNodes.AddTail(linkNode);
    if (VqsModelNodeOSet* optionSet = GetOptionSetNode())
        m_longReadNodes.AddTail(optionSet);
}

VqsOptionsDlgEnvironment::~VqsOptionsDlgEnvironment() = default;

VqsModelNodeOSet* VqsOptionsDlgEnvironment::GetOptionSetNode() const
{
    return dynamic_cast<VqsModelNodeOSet*>(m_pOptionNode->GetParent());
}

PxVQSoftLinkPtr VqsOptionsDlgEnvironment::GetSoftLink() const
{
    return m_bRemoved ? PxVQSoftLinkPtr() : m_pLinkNode->GetSoftLink();
}

PxOptionsPtr VqsOptionsDlgEnvironment::GetOptions() const
{
    return m_bRemoved ? PxOptionsPtr() : m_pOptionNode->GetOptions();
}

void VqsOptionsDlgEnvironment::ListNodes(CObList& nodes) const
{
    for (const CObList* list : {&m_futureUpdateNodes, &m_longReadNodes}) {
        for (POSITION pos = list->GetHeadPosition(); pos;)
            nodes.AddTail(list->GetNext(pos));
    }
}

BOOL VqsOptionsDlgEnvironment::Initialize()
{
    VqsLockScope scope(SessionLink());
    VqsLockBag readBag(VqsReadLock);
    CObList nodes;
    ListNodes(nodes);
    for (POSITION pos = nodes.GetHeadPosition(); pos;) {
        auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
        try {
            if (!readBag.LockNode(node) || !readBag.Contains(node)) {
                ShowCannotAccess(node);
                return FALSE;
            }
            m_editions.push_back({node, node->GetObject()->GetObjectEdition()});
        } catch (const VqReportableException&) {
            ShowCannotAccess(node);
            return FALSE;
        }
    }
    // The bag locks in the order it recorded: the link before its record, as every writer
    // locks them from the top down, for a lock call keeps what it was granted while it waits
    // for the next object.
    return m_futureUpdateBag.LockNode(m_pLinkNode) && m_futureUpdateBag.LockNodes(m_futureUpdateNodes) &&
           m_longReadBag.LockNodes(m_longReadNodes);
}

BOOL VqsOptionsDlgEnvironment::LockForEdit(BOOL& cancel)
{
    cancel = FALSE;
    VqsLockScope scope(SessionLink());
    BOOL futureUpdateHeld = FALSE;
    BOOL longReadHeld = FALSE;
    auto releaseHeld = [&] {
        if (futureUpdateHeld)
            m_futureUpdateBag.Release();
        if (longReadHeld)
            m_longReadBag.Release();
    };
    try {
        futureUpdateHeld = m_futureUpdateBag.LockObjects(VqsFutureUpdateLock);
        longReadHeld = futureUpdateHeld && m_longReadBag.LockObjects(VqsLongReadLock);
        if (!longReadHeld || !HoldsEveryNode(cancel)) {
            releaseHeld();
            return FALSE;
        }
        if (ElementKindChanged()) {
            releaseHeld();
            VqsErrorBoxId(IDS_ISPEC_TYPE_CHANGED);
            cancel = TRUE;
            return FALSE;
        }
        return TRUE;
    } catch (const VqReportableException& error) {
        releaseHeld();
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
        return FALSE;
    }
}

BOOL VqsOptionsDlgEnvironment::HoldsEveryNode(BOOL& cancel) const
{
    const struct {
        const CObList& nodes;
        const VqsLockBag& bag;
    } held[] = {{m_futureUpdateNodes, m_futureUpdateBag}, {m_longReadNodes, m_longReadBag}};
    for (const auto& [nodes, bag] : held) {
        for (POSITION pos = nodes.GetHeadPosition(); pos;) {
            auto* node = static_cast<VqsModelNode*>(nodes.GetNext(pos));
            if (!bag.Contains(node)) {
                CString text;
                text.FormatMessage(IDS_ITEM_DELETED_OPEN_AGAIN, KindNameOf(node).GetString());
                VqsErrorBox(text);
                cancel = TRUE;
                return FALSE;
            }
        }
    }
    return TRUE;
}

BOOL VqsOptionsDlgEnvironment::ElementKindChanged() const
{
    m_pLinkNode->Refresh();
    const PxOptionsPtr options = GetOptions();
    return !options || options->GetOptionsKind() != m_nElementKind;
}

void VqsOptionsDlgEnvironment::ReleaseEditLock()
{
    m_futureUpdateBag.Release();
    m_longReadBag.Release();
}

BOOL VqsOptionsDlgEnvironment::RefreshChangedNodes()
{
    BOOL changed = FALSE;
    for (ReadEdition& read : m_editions) {
        if (read.edition.IsLatestEdition())
            continue;
        read.node->Refresh();
        read.edition = read.node->GetObject()->GetObjectEdition();
        changed = TRUE;
    }
    return changed;
}

BOOL VqsOptionsDlgEnvironment::AnyChangedSinceRead() const
{
    for (const ReadEdition& read : m_editions) {
        if (!read.edition.IsLatestEdition())
            return TRUE;
    }
    return FALSE;
}

BOOL VqsOptionsDlgEnvironment::LockForApply()
{
    VqsLockScope scope(SessionLink());
    if (!m_futureUpdateBag.LockObjects(VqsWriteLock))
        return FALSE;
    m_pApplyBag = std::make_unique<VqsLockBag>(VqsWriteLock);
    if (!m_pOptionNode->LockPath(*m_pApplyBag, m_pOptionNode->GetObject())) {
        EndApply();
        return FALSE;
    }
    return TRUE;
}

void VqsOptionsDlgEnvironment::EndApply()
{
    m_pApplyBag.reset();
    m_futureUpdateBag.Release();
}

void VqsOptionsDlgEnvironment::GiveBackLocks()
{
    m_pApplyBag.reset();
    m_futureUpdateBag.ReleaseAll();
    m_longReadBag.ReleaseAll();
}
