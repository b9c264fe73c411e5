#include "sysview/VqsTreeItemSystem.h"

#include "model/VqsModel.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTime.h"
#include "sysview/VqsDirectoryView.h"
#include "sysview/VqsTreeFolder.h"
#include "sysview/VqsTreeItemSoftLink.h"

namespace {

constexpr UINT IDS_SYSTEM_DEFINITIONS = 61462;
constexpr UINT IDS_CURRENT_CONFIGURATION = 61471;
constexpr UINT IDS_PREVIOUS_CONFIGURATIONS = 61492;
constexpr UINT IDS_GENERATED_TO = 61506;
constexpr UINT IDB_ENTERPRISE = 130;
constexpr UINT IDB_SYSTEM = 182;
constexpr UINT IDB_CONFIGURATION = 183;
constexpr UINT IDB_PREVIOUS_CONFIGURATIONS = 184;

const CString& LoadedText(UINT id, CString& text)
{
    if (text.IsEmpty())
        text.LoadString(id);
    return text;
}

BOOL SetBitmap(VqsBitmapRef& bitmap, UINT id)
{
    bitmap.nID = id;
    bitmap.lpszName = nullptr;
    return TRUE;
}

BOOL IsHiddenState(int state) { return state == VqsTreeItem::Hidden || state == VqsTreeItem::HiddenAboveRoot; }

// Stores the value and tells whether it differed.
template <class T>
BOOL Store(T& cached, const T& value)
{
    if (cached == value)
        return FALSE;
    cached = value;
    return TRUE;
}

} // namespace

void VqsRemoveOrReveal(VqsConfigTreeItem* item, UINT hint)
{
    if (!item->GetShownParent()) {
        if (auto* listed = dynamic_cast<VqsConfigTreeItem*>(item->GetListedParent())) {
            listed->MakeVisible();
            listed->OnViewSettingsChanged(hint);
        }
        return;
    }
    if (VqsTreeItem* parent = item->GetParent())
        parent->RemoveChild(item);
}

// ---------------------------------------------------------------- enterprise

VqsTreeItemEnterprise::VqsTreeItemEnterprise(VqsDirectoryView* view, const PxVQEnterprisePtr& enterprise)
    : VqsConfigTreeItem(nullptr), m_enterprise(enterprise), m_pView(view)
{
    Register(m_enterprise);
    RefreshTexts();
}

BOOL VqsTreeItemEnterprise::GetBitmap(VqsBitmapRef& bitmap) { return SetBitmap(bitmap, IDB_ENTERPRISE); }

void VqsTreeItemEnterprise::FillChildren(int insertRows)
{
    PxTypedList<PxVQSystemPtr> systems;
    m_enterprise->GetListOfSystems(systems);
    std::vector<PxObjectPtr> missing;
    for (POSITION position = systems.GetHeadPosition(); position;) {
        const PxVQSystemPtr system = systems.GetNext(position);
        if (system && !HasChildItemOf(system))
            missing.push_back(system);
    }
    ReadAhead ahead;
    ListSizes sizes;
    if (missing.size() > 1)
        ReadConfigsAhead(missing, ahead, sizes);
    MakeChildrenWithListSizes(sizes, [&] {
        WalkWithReadAhead(ahead, [&] {
            FillFromList(systems, insertRows,
                         [this](const PxVQSystemPtr& system) { return new VqsTreeItemSystem(this, system); });
        });
    });
}

void VqsTreeItemEnterprise::ReadConfigsAhead(const std::vector<PxObjectPtr>& systems, ReadAhead& ahead,
                                             ListSizes& sizes)
{
    const std::vector<PxObjectPtr> configs = PxVQSystem::CurConfigsOf(systems);
    std::vector<PxObjectPtr> present;
    for (std::size_t index = 0; index < systems.size(); ++index) {
        std::vector<PxObjectPtr>& list = ahead.lists[systems[index]->GetHandle().MapKey()];
        if (configs[index]) {
            list.push_back(configs[index]);
            present.push_back(configs[index]);
        }
    }
    const std::vector<int> counts = PxVQConfig::CountsOfBSSoftLinks(present);
    for (std::size_t index = 0, config = 0; index < systems.size(); ++index)
        if (configs[index])
            sizes[systems[index]->GetHandle().MapKey()] = counts[config++];
}

void VqsTreeItemEnterprise::UpdateState()
{
    if (!IsHiddenState(GetState()) && m_enterprise && m_enterprise->CountOfItems(PxKindSystem) != 0)
        SetState(GetChildCount() ? Expanded : Collapsed);
}

// The systems about to be filled read their configurations' lists together, and what their
// segment links' folders read: Expand Branch, which fills and keeps them all, reads it at
// once; a search as it comes to them, a chunk of systems at a time in the order it goes.
void VqsTreeItemEnterprise::WalkChildren(const std::vector<VqsTreeItem*>& children, const ChildVisit& visit)
{
    ReadAhead ahead;
    WalkReadingAhead(
        ahead, children, visit, &ConfigAwaitingFill,
        [&ahead](const std::vector<PxObjectPtr>& configs) { return ReadBranchesAhead(ahead, configs); },
        {&PxVQConfig::AskBranchesAhead, &PxVQConfig::DropBranchesAhead});
}

PxObjectPtr VqsTreeItemEnterprise::ConfigAwaitingFill(VqsTreeItem* child)
{
    auto* system = dynamic_cast<VqsTreeItemSystem*>(child);
    return system && AwaitsFill(system) ? PxObjectPtr(system->GetConfig()) : PxObjectPtr();
}

std::size_t VqsTreeItemEnterprise::ReadBranchesAhead(ReadAhead& ahead, const std::vector<PxObjectPtr>& configs)
{
    const std::vector<std::vector<PxObjectPtr>> lists = PxVQConfig::BSSoftLinksOf(configs);
    std::vector<PxObjectPtr> segmentLinks;
    for (std::size_t index = 0; index < configs.size(); ++index) {
        segmentLinks.insert(segmentLinks.end(), lists[index].begin(), lists[index].end());
        ahead.lists.emplace(configs[index]->GetHandle().MapKey(), lists[index]);
    }
    return segmentLinks.size() + VqsTreeFolder::ReadAheadUnder(ahead, segmentLinks);
}

VqsListView* VqsTreeItemEnterprise::GetView() { return m_pView; }

VqsTreeView* VqsTreeItemEnterprise::GetTreeView() { return m_pView; }

// The rows of the systems find the nodes of their current configurations made, all read
// together, rather than each reading its own. When they cannot be read so, each row reads
// its own and tells what fails.
void VqsTreeItemEnterprise::Reload(VqsModel& model)
{
    try {
        VqsModelNodeEnterprise& root = model.GetRootNode();
        root.LoadSystems(VqsLoadReread);
        root.LoadCurConfigsOfSystems(VqsLoadReread);
    } catch (const VqReportableException&) {
        // Each row reads its own below.
    }
    ReloadChildren(model);
}

BOOL VqsTreeItemEnterprise::GetObjectKind(int& kind)
{
    kind = PxKindEnterprise;
    return TRUE;
}

BOOL VqsTreeItemEnterprise::ShowsPreviousConfigurations() { return m_pView && m_pView->ShowsPreviousConfigs(); }

BOOL VqsTreeItemEnterprise::SortsByType() { return m_pView && m_pView->GetSortMode() == 1; }

BOOL VqsTreeItemEnterprise::RefreshTexts()
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr design = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    if (!design)
        return FALSE;
    const BOOL changed = Store(m_strName, VqsUsesLongNames() ? design->GetLongName() : design->GetName());
    CString suffix;
    suffix.LoadString(IDS_SYSTEM_DEFINITIONS);
    m_strText = m_strName + " " + suffix;
    return changed;
}

// ---------------------------------------------------------------- system

VqsTreeItemSystem::VqsTreeItemSystem(VqsTreeItem* parent, const PxVQSystemPtr& system)
    : VqsConfigTreeItem(parent), m_system(system)
{
    Register(m_system);
    ReadTexts(FALSE);
}

BOOL VqsTreeItemSystem::GetBitmap(VqsBitmapRef& bitmap) { return SetBitmap(bitmap, IDB_SYSTEM); }

BOOL VqsTreeItemSystem::IsOpenable() { return m_system->ObjectPresent(); }

BOOL VqsTreeItemSystem::CanAddBusinessSegment() { return m_system->ObjectPresent() && !m_bHasLinks; }

PxVQConfigPtr VqsTreeItemSystem::GetConfig() { return m_curConfig; }

BOOL VqsTreeItemSystem::GetObjectKind(int& kind)
{
    kind = PxKindSystem;
    return TRUE;
}

VqsConfigTreeItem* VqsTreeItemSystem::FindCurConfigItem() { return FindChild<VqsTreeItemCurConfig>(); }

VqsTreeItemOldConfigs* VqsTreeItemSystem::FindOldConfigsItem() { return FindChild<VqsTreeItemOldConfigs>(); }

void VqsTreeItemSystem::FillChildren(int insertRows)
{
    if (!m_curConfig)
        m_curConfig = m_system->GetCurConfig();
    VqsConfigTreeItem* current = FindTreeItem(m_curConfig);
    if (m_curConfig && (!current || current->GetParent() != this))
        AddNewChild(new VqsTreeItemCurConfig(this, m_curConfig), insertRows);
    if (ShowsPreviousConfigurations() && !FindOldConfigsItem())
        AddNewChild(new VqsTreeItemOldConfigs(this, m_system), insertRows);
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        VqsTreeItem* child = GetChildren().GetNext(position);
        if (IsHiddenState(child->GetState()))
            child->FillChildren(insertRows);
    }
}

void VqsTreeItemSystem::UpdateState()
{
    const int state = GetState();
    if (state == Leaf && m_bHasLinks) {
        BOOL shown = FALSE;
        for (POSITION position = GetChildren().GetHeadPosition(); position && !shown;)
            shown = GetChildren().GetNext(position)->HasShownDescendant();
        SetState(shown ? Expanded : Collapsed);
    } else if ((state == Collapsed || state == Expanded) && !m_bHasLinks) {
        SetState(Leaf);
    }
}

// Repository failures leave the flags as far as they were read; a lost connection goes to
// the command. Without loaded links the pending flag needs every link read; a new item only
// counts them (a system row costs one query), and the flag is read when it is asked for or
// the texts are refreshed.
void VqsTreeItemSystem::ReadLinkFlags(BOOL readPending)
{
    BOOL pending = FALSE;
    BOOL hasLinks = FALSE;
    BOOL pendingKnown = TRUE;
    try {
        VqsConfigTreeItem* current = FindCurConfigItem();
        if (current && (current->GetPinnedChild() || current->GetChildCount())) {
            hasLinks = TRUE;
            auto pendingLink = [](VqsTreeItem* item) {
                auto* link = dynamic_cast<VqsTreeItemBSSoftLink*>(item);
                return link && link->GetStatus() == 0;
            };
            if (VqsTreeItem* pinned = current->GetPinnedChild()) {
                pending = pendingLink(pinned);
            } else {
                for (POSITION position = current->GetChildren().GetHeadPosition(); position && !pending;)
                    pending = pendingLink(current->GetChildren().GetNext(position));
            }
        } else if (m_curConfig && !readPending) {
            const std::optional<int> known = KnownListSize();
            hasLinks = (known ? *known : m_curConfig->CountOfBSSoftLinks()) > 0;
            pendingKnown = FALSE;
        } else if (m_curConfig) {
            PxTypedList<PxVQBSSoftLinkPtr> links;
            m_curConfig->GetListOfBSSoftLinks(links);
            for (POSITION position = links.GetHeadPosition(); position;) {
                PxVQBSSoftLinkPtr link = links.GetNext(position);
                if (!link || (current && !link->ObjectPresent()))
                    continue;
                hasLinks = TRUE;
                pending = pending || link->GetState() == 0;
            }
        }
    } catch (const VqReportableException& error) {
        if (VqsIsLostConnection(error))
            throw;
    }
    m_bPendingLink = pending;
    m_bPendingKnown = pendingKnown;
    m_bHasLinks = hasLinks;
}

BOOL VqsTreeItemSystem::HasPendingLink()
{
    if (!m_bPendingKnown)
        ReadLinkFlags(TRUE);
    return m_bPendingLink;
}

BOOL VqsTreeItemSystem::RefreshTexts() { return ReadTexts(TRUE); }

PxVQCurConfigPtr VqsTreeItemSystem::ReadCurConfig() const
{
    const std::optional<std::vector<PxObjectPtr>> ahead = TakeListReadAhead(m_system);
    if (!ahead)
        return m_system->GetCurConfig();
    return ahead->empty() ? PxVQCurConfigPtr() : PxVQCurConfigPtr(ahead->front());
}

BOOL VqsTreeItemSystem::ReadTexts(BOOL readPending)
{
    if (!m_curConfig)
        m_curConfig = ReadCurConfig();
    BOOL changed = Store(m_strName, VqsChooseName(m_system->GetName(), m_system->GetLongName()));
    changed = Store(m_strDescription, m_system->GetDescription()) || changed;
    const BOOL pending = m_bPendingLink;
    ReadLinkFlags(readPending);
    changed = changed || pending != m_bPendingLink;
    m_strText = VqsCutRowText(m_strName + "\t" + m_strDescription);
    return changed;
}

void VqsTreeItemSystem::OnViewSettingsChanged(UINT hint)
{
    if (ShowsPreviousConfigurations() && GetState() == Expanded && !FindOldConfigsItem())
        AddNewChild(new VqsTreeItemOldConfigs(this, m_system), TRUE);
    VqsConfigTreeItem::OnViewSettingsChanged(hint);
    UpdateRow(TRUE);
}

void VqsTreeItemSystem::Reload(VqsModel& model)
{
    model.FindCurConfigNode(m_curConfig);
    ReloadChildren(model);
}

// ---------------------------------------------------------------- configurations

VqsTreeItemConfig::VqsTreeItemConfig(VqsTreeItem* parent, const PxVQConfigPtr& config)
    : VqsConfigTreeItem(parent), m_config(config)
{
}

BOOL VqsTreeItemConfig::GetBitmap(VqsBitmapRef& bitmap) { return SetBitmap(bitmap, IDB_CONFIGURATION); }

void VqsTreeItemConfig::FillChildren(int insertRows)
{
    PxTypedList<PxVQBSSoftLinkPtr> links;
    ListOf(m_config, links, [this](auto& list) { m_config->GetListOfBSSoftLinks(list); });
    const BOOL old = IsOld();
    FillFromList(links, insertRows,
                 [this, old](const PxVQBSSoftLinkPtr& link) { return new VqsTreeItemBSSoftLink(this, link, old); });
}

void VqsTreeItemConfig::UpdateState()
{
    if (!ShowsPreviousConfigurations()) {
        if (!IsHiddenState(GetState()))
            SetState(Hidden);
        return;
    }
    ApplyHasChildren(m_config->CountOfBSSoftLinks() > 0);
}

VqsTreeItemCurConfig::VqsTreeItemCurConfig(VqsTreeItem* parent, const PxVQCurConfigPtr& config)
    : VqsTreeItemConfig(parent, config), m_curConfig(config)
{
    Register(m_curConfig);
}

namespace {
// The loaded texts of the two folders. Made as the library loads, not at first use: the module's end, which may use it, finds it.
CString g_currentConfigurationText;
CString g_previousConfigurationsText;
} // namespace

const char* VqsTreeItemCurConfig::GetText() { return LoadedText(IDS_CURRENT_CONFIGURATION, g_currentConfigurationText); }

BOOL VqsTreeItemCurConfig::CountsAsChild()
{
    return !IsHiddenState(GetState()) || m_curConfig->CountOfBSSoftLinks() > 0;
}

BOOL VqsTreeItemCurConfig::CanAddBusinessSegment()
{
    auto* parent = dynamic_cast<VqsConfigTreeItem*>(GetParent());
    return parent && parent->CanAddBusinessSegment();
}

void VqsTreeItemCurConfig::OnViewSettingsChanged(UINT hint)
{
    const BOOL shown = ShowsPreviousConfigurations();
    if (GetPinnedChild()) {
        SetState(shown ? HiddenAboveRoot : Hidden);
        VqsConfigTreeItem::OnViewSettingsChanged(hint);
        return;
    }
    if (shown) {
        SetState(GetChildCount() ? Expanded : Leaf);
        UpdateState();
        if (!IsListed())
            InsertRow();
    } else {
        SetState(Hidden);
        if (VqsListView* view = GetView())
            view->RemoveItem(this);
        if (!GetChildCount()) {
            VqsRemoveOrReveal(this, hint);
            return;
        }
    }
    VqsConfigTreeItem::OnViewSettingsChanged(hint);
    if (VqsTreeItem* parent = GetParent())
        parent->UpdateRow(TRUE);
}

void VqsTreeItemCurConfig::Reload(VqsModel& model)
{
    model.FindCurConfigNode(m_curConfig);
    ReloadChildren(model);
}

BOOL VqsTreeItemCurConfig::GetObjectKind(int& kind)
{
    kind = PxKindCurrentConfiguration;
    return TRUE;
}

VqsTreeItemOldConfiguration::VqsTreeItemOldConfiguration(VqsTreeItem* parent, const PxVQOldConfigPtr& config)
    : VqsTreeItemConfig(parent, config), m_oldConfig(config)
{
    Register(m_oldConfig);
    RefreshTexts();
}

BOOL VqsTreeItemOldConfiguration::IsOpenable() { return m_oldConfig->ObjectPresent(); }

void VqsTreeItemOldConfiguration::Reload(VqsModel& model)
{
    model.FindConfigNode(m_oldConfig);
    ReloadChildren(model);
}

BOOL VqsTreeItemOldConfiguration::GetObjectKind(int& kind)
{
    kind = PxKindOldConfiguration;
    return TRUE;
}

BOOL VqsTreeItemOldConfiguration::RefreshTexts()
{
    const std::int64_t generationTime = m_oldConfig->GetGenerationTime();
    const CString fromOS = m_oldConfig->GetFromOSName();
    CString host = "***";
    const PxVQOptionSetPtr optionSet = m_oldConfig->GetOptionSet();
    if (optionSet && optionSet->_IsKindOf("PxVQGenSet"))
        host = PxVQGenSetPtr(optionSet)->GetHostName();
    BOOL changed = Store(m_strHostName, host);
    changed = Store(m_strFromOSName, fromOS) || changed;
    changed = Store(m_generationTime, generationTime) || changed;
    if (!changed)
        return FALSE;
    CString date;
    CString time;
    FormatTime64(m_generationTime, date, "%x");
    FormatTime64(m_generationTime, time, "%X");
    m_strText.FormatMessage(IDS_GENERATED_TO, m_strHostName.GetString(), (date + " " + time).GetString(),
                            m_strFromOSName.GetString());
    return TRUE;
}

// ---------------------------------------------------------------- previous configurations

VqsTreeItemOldConfigs::VqsTreeItemOldConfigs(VqsTreeItem* parent, const PxVQSystemPtr& system)
    : VqsConfigTreeItem(parent), m_system(system)
{
}

const char* VqsTreeItemOldConfigs::GetText()
{
    return LoadedText(IDS_PREVIOUS_CONFIGURATIONS, g_previousConfigurationsText);
}

BOOL VqsTreeItemOldConfigs::GetBitmap(VqsBitmapRef& bitmap) { return SetBitmap(bitmap, IDB_PREVIOUS_CONFIGURATIONS); }

void VqsTreeItemOldConfigs::FillChildren(int insertRows)
{
    PxTypedList<PxVQOldConfigPtr> configs;
    m_system->GetListOfOldConfigs(configs);
    FillFromList(configs, insertRows,
                 [this](const PxVQOldConfigPtr& config) { return new VqsTreeItemOldConfiguration(this, config); });
}

void VqsTreeItemOldConfigs::UpdateState()
{
    if (!ShowsPreviousConfigurations()) {
        if (!IsHiddenState(GetState()))
            SetState(Hidden);
        return;
    }
    ApplyHasChildren(m_system->CountOfOldConfigs() > 0);
}

void VqsTreeItemOldConfigs::OnViewSettingsChanged(UINT hint)
{
    if (!ShowsPreviousConfigurations()) {
        VqsRemoveOrReveal(this, hint);
        return;
    }
    VqsConfigTreeItem::OnViewSettingsChanged(hint);
}

void VqsTreeItemOldConfigs::Reload(VqsModel& model) { ReloadChildren(model); }
