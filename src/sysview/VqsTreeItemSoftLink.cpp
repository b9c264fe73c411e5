#include "sysview/VqsTreeItemSoftLink.h"

#include "model/VqsModel.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQReportGroup.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSortBatch.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTime.h"
#include "sysview/VqsTreeFolder.h"
#include "win/MbString.h"

#include <optional>
#include <unordered_map>
#include <vector>


namespace {

constexpr UINT IDS_STATUS_WITH_REFERENCE = 61631;
constexpr UINT IDS_STATUS_ADDED = 61958;
constexpr UINT IDS_CANNOT_EXPAND_ELEMENT = 61632;
constexpr UINT IDS_CANNOT_EXPAND_REPORT = 61633;
constexpr UINT IDS_AUTOMATIC_PROFILE = 61701;
constexpr UINT IDS_ORDINATE = 61702;
constexpr UINT IDB_AUTO_PROFILE = 103;
constexpr UINT IDB_BUNDLE = 119;
constexpr UINT IDB_ISPEC_ENTRY_EVENT = 120;
constexpr UINT IDB_ISPEC_ENTRY = 121;
constexpr UINT IDB_BUNDLE_ALL_ISPECS = 122;
constexpr UINT IDB_REPORT_GROUP = 189;
constexpr UINT IDB_ISPEC_WITHOUT_USAGE = 320;
constexpr int kIspecTypeEvent = 0;
constexpr int kIspecTypeWithoutUsage = 5;

// The six folders of a business-segment link, in the order they are made.
constexpr UINT kFolderOrder[] = {32, 8, 1, 4, 16, 2};

BOOL NamedBitmap(VqsBitmapRef& bitmap, LPCTSTR name)
{
    bitmap.nID = 0;
    bitmap.lpszName = name;
    return TRUE;
}

BOOL NumberedBitmap(VqsBitmapRef& bitmap, UINT id)
{
    bitmap.nID = id;
    bitmap.lpszName = nullptr;
    return TRUE;
}

template <class T>
BOOL Store(T& cached, const T& value)
{
    if (cached == value)
        return FALSE;
    cached = value;
    return TRUE;
}

CString TimeText(std::int64_t time)
{
    CString text;
    if (time != 0)
        FormatTime64(time, text, "%c");
    return text;
}

// The state image pair of a link: updated, and a status above 0.
BOOL StateImage(VqsImageRef& image, int updated, int status)
{
    image.nBase = updated ? 1 : 0;
    image.nVariant = status > 0 ? 2 : 0;
    return TRUE;
}

std::uint64_t KeyOf(const PxObjectPtr& object) { return object->GetHandle().MapKey(); }

// The object each member of a list refers to, read together, by the member's key.
using ReferencesByKey = std::unordered_map<std::uint64_t, PxObjectPtr>;

ReferencesByKey ReferencesOf(const PxList& members, const std::optional<std::vector<PxObjectPtr>>& readAhead,
                             std::vector<PxObjectPtr> (*read)(const std::vector<PxObjectPtr>&))
{
    const std::vector<PxObjectPtr> objects = members.Objects();
    const std::vector<PxObjectPtr> referred = readAhead ? *readAhead : read(objects);
    ReferencesByKey references;
    for (std::size_t index = 0; index < objects.size(); ++index)
        references.emplace(KeyOf(objects[index]), referred[index]);
    return references;
}

} // namespace

VqsTreeItemBSSoftLink* VqsTreeItem::FindBSSoftLinkItem()
{
    for (VqsTreeItem* item = this; item; item = item->GetParent()) {
        if (auto* link = dynamic_cast<VqsTreeItemBSSoftLink*>(item))
            return link;
    }
    return nullptr;
}

// ---------------------------------------------------------------- soft links

VqsTreeItemSoftLink::VqsTreeItemSoftLink(VqsTreeItem* parent, const PxVQSoftLinkPtr& link)
    : VqsConfigTreeItem(parent), m_link(link)
{
    Register(m_link);
    VqsTreeItemSoftLink::RefreshTexts();
}

BOOL VqsTreeItemSoftLink::GetOverlayImage(VqsImageRef& image) { return StateImage(image, m_nUpdated, m_nStatus); }

BOOL VqsTreeItemSoftLink::RefreshTexts()
{
    m_refTime = m_link->GetRefTime();
    m_createdTime = m_link->GetCreatedTimeStamp();
    m_strKeyName = m_link->GetName();
    BOOL changed = Store(m_strName, VqsChooseName(m_strKeyName, m_link->GetLongName()));
    changed = Store(m_strDescription, m_link->GetDescription()) || changed;
    changed = Store(m_nStatus, m_link->GetState()) || changed;
    changed = Store(m_nUpdated, m_link->GetUpdatedFlag()) || changed;
    m_bTextMade = false;
    return changed;
}

const char* VqsTreeItemSoftLink::GetDisplayText()
{
    if (m_bTextMade)
        return m_strText;
    m_strText = m_strName;
    if (m_nStatus != 0) {
        CString format;
        format.LoadString(m_refTime == 0 ? IDS_STATUS_ADDED : IDS_STATUS_WITH_REFERENCE);
        CString status;
        status.Format(format, TimeText(m_refTime).GetString(), TimeText(m_createdTime).GetString());
        m_strText += status;
    }
    m_strText += "\t" + m_strDescription;
    m_bTextMade = true;
    return m_strText;
}

// ---------------------------------------------------------------- business-segment link

VqsTreeItemBSSoftLink::VqsTreeItemBSSoftLink(VqsTreeItem* parent, const PxVQBSSoftLinkPtr& link, BOOL oldConfig)
    : VqsTreeItemSoftLink(parent, link), m_bsLink(link), m_bOldConfig(oldConfig), m_nFolderMask(63)
{
    if (VqsSysApp* app = VqsGetApp())
        m_nFolderMask = static_cast<UINT>(app->GetDisplayFolders()) & 63;
}

BOOL VqsTreeItemBSSoftLink::GetBitmap(VqsBitmapRef& bitmap) { return NamedBitmap(bitmap, "MD_BUSINESSSEGMENT"); }

BOOL VqsTreeItemBSSoftLink::IsOpenable() { return m_bsLink->ObjectPresent() && !m_bOldConfig; }

BOOL VqsTreeItemBSSoftLink::GetObjectKind(int& kind)
{
    kind = PxKindBSSoftLink;
    return TRUE;
}

void VqsTreeItemBSSoftLink::UpdateState()
{
    if (GetState() == Leaf)
        SetState(GetChildCount() ? Expanded : Collapsed);
}

namespace {

template <class Ptr>
void Append(PxTypedList<Ptr>& list, const std::vector<PxObjectPtr>& objects)
{
    for (const PxObjectPtr& object : objects)
        list.AddTail(Ptr(object));
}

} // namespace

void VqsTreeItemBSSoftLink::ReadCaches()
{
    m_elementLinks.RemoveAll();
    PxTypedList<PxVQElementSoftLinkPtr> links;
    if (const std::optional<PxVQBSSoftLink::Contents> ahead = TakeContentsReadAhead(m_bsLink)) {
        m_reportGroups.RemoveAll();
        m_bundles.RemoveAll();
        Append(links, ahead->elementLinks);
        Append(m_reportGroups, ahead->reportGroups);
        Append(m_bundles, ahead->bundles);
    } else {
        m_bsLink->GetListsOfContents(links, m_reportGroups, m_bundles);
    }
    for (POSITION position = links.GetHeadPosition(); position;) {
        PxVQElementSoftLinkPtr link = links.GetNext(position);
        if (link && !link->_IsA("PxVQSQLScriptSoftLink"))
            m_elementLinks.SetAt(KeyOf(link), link);
    }
}

void VqsTreeItemBSSoftLink::FillChildren(int insertRows)
{
    ReadCaches();
    for (UINT kind : kFolderOrder) {
        if (!FindFolder(kind))
            VqsTreeFolder::CreateFolder(this, kind, (m_nFolderMask & kind) != 0, insertRows);
    }
}

BOOL VqsTreeItemBSSoftLink::Update()
{
    if (IsShown() && !IsListed() && !InsertRow()) {
        if (VqsTreeItem* parent = GetParent())
            parent->RemoveChild(this);
        return FALSE;
    }
    for (POSITION position = GetChildren().GetHeadPosition(); position;) {
        VqsTreeItem* folder = GetChildren().GetNext(position);
        if (!folder->IsShown())
            folder->InsertChildRows();
        else if (!folder->IsListed())
            folder->InsertRow();
    }
    UpdateRow(FALSE);
    return TRUE;
}

void VqsTreeItemBSSoftLink::ShowFolders(UINT mask, BOOL show, int arg)
{
    VqsSortBatch batch(GetTreeView());
    if (mask == 63) {
        for (POSITION position = GetChildren().GetHeadPosition(); position;) {
            if (auto* folder = dynamic_cast<VqsTreeFolder*>(GetChildren().GetNext(position)))
                folder->ShowFolders(folder->GetKind(), show, arg);
        }
        m_nFolderMask = show ? 63 : 0;
        return;
    }
    m_nFolderMask = show ? (m_nFolderMask | mask) : (m_nFolderMask & ~mask);
    if (VqsTreeFolder* folder = FindFolder(mask))
        folder->ShowFolders(mask, show, arg);
}

void VqsTreeItemBSSoftLink::Reload(VqsModel& model)
{
    model.FindConfigNodeOfBSLink(m_bsLink);
    ReloadChildren(model);
}

void VqsTreeItemBSSoftLink::UpdateElementLinkCache(const PxVQElementSoftLinkPtr& link, BOOL present)
{
    if (!link)
        return;
    if (present)
        m_elementLinks.SetAt(KeyOf(link), link);
    else
        m_elementLinks.RemoveKey(KeyOf(link));
}

namespace {

template <class Ptr>
void UpdateCacheList(PxTypedList<Ptr>& list, const Ptr& object, BOOL present)
{
    if (!object)
        return;
    for (POSITION position = list.GetHeadPosition(); position;) {
        POSITION current = position;
        const Ptr& entry = list.CList<Ptr, const Ptr&>::GetNext(position);
        if (entry && entry->IsSameOid(object)) {
            if (!present)
                list.RemoveAt(current);
            return;
        }
    }
    if (present)
        list.AddTail(object);
}

} // namespace

void VqsTreeItemBSSoftLink::UpdateReportGroupCache(const PxVQReportGroupPtr& group, BOOL present)
{
    UpdateCacheList(m_reportGroups, group, present);
}

void VqsTreeItemBSSoftLink::UpdateBundleCache(const PxVQBundlePtr& bundle, BOOL present)
{
    UpdateCacheList(m_bundles, bundle, present);
}

VqsTreeFolder* VqsTreeItemBSSoftLink::FindFolderFor(const PxVQElementSoftLinkPtr& link)
{
    if (!link)
        return nullptr;
    static const struct {
        const char* className;
        UINT kind;
    } kinds[] = {{"PxVQIspecSoftLink", 1}, {"PxVQProfileSoftLink", 4}, {"PxVQGlobalLogicSoftLink", 8},
                 {"PxVQReportSoftLink", 2}};
    for (const auto& entry : kinds) {
        if (link->_IsKindOf(entry.className))
            return FindFolder(entry.kind);
    }
    return nullptr;
}

VqsTreeFolder* VqsTreeItemBSSoftLink::FindFolder(UINT kind)
{
    return FindChild<VqsTreeFolder>([kind](VqsTreeFolder& folder) { return folder.GetKind() == kind; });
}

// ---------------------------------------------------------------- element links

VqsTreeItemElementSoftLink::VqsTreeItemElementSoftLink(VqsTreeItem* parent, const PxVQElementSoftLinkPtr& link)
    : VqsTreeItemSoftLink(parent, link), m_elementLink(link)
{
}

BOOL VqsTreeItemElementSoftLink::UnderReadOnlyLink()
{
    VqsTreeItemBSSoftLink* link = FindBSSoftLinkItem();
    return link && link->IsReadOnly();
}

BOOL VqsTreeItemElementSoftLink::IsOpenable()
{
    return m_elementLink->ObjectPresent() && !UnderReadOnlyLink() && m_nStatus != 0;
}

void VqsTreeItemElementSoftLink::FillChildren(int) { VqsErrorBoxId(IDS_CANNOT_EXPAND_ELEMENT); }

void VqsTreeItemElementSoftLink::Reload(VqsModel& model) { ReloadChildren(model); }

BOOL VqsTreeItemElementSoftLink::GetObjectKind(int& kind)
{
    kind = PxKindElementSoftLink;
    return TRUE;
}

VqsTreeItemElementSoftLink* VqsTreeItemElementSoftLink::CreateElementLinkItem(VqsConfigTreeItem* parent,
                                                                               const PxVQElementSoftLinkPtr& link,
                                                                               BOOL insertRows)
{
    if (!link)
        return nullptr;
    VqsTreeItemElementSoftLink* item = nullptr;
    if (link->_IsKindOf("PxVQIspecSoftLink")) {
        item = new VqsTreeItemIspecSoftLink(parent, PxVQIspecSoftLinkPtr(link));
    } else if (link->_IsKindOf("PxVQProfileSoftLink")) {
        if (!PxVQProfileSoftLinkPtr(link)->GetComponent())
            item = new VqsTreeItemProfileSoftLink(parent, link);
    } else if (link->_IsKindOf("PxVQReportSoftLink")) {
        item = new VqsTreeItemReportSoftLink(parent, link);
    } else if (link->_IsKindOf("PxVQGlobalLogicSoftLink")) {
        item = new VqsTreeItemGLSoftLink(parent, link);
    }
    if (!item || !parent->AddNewChild(item, insertRows))
        return nullptr;
    return item;
}

VqsTreeItemIspecSoftLink::VqsTreeItemIspecSoftLink(VqsTreeItem* parent, const PxVQIspecSoftLinkPtr& link)
    : VqsTreeItemElementSoftLink(parent, link), m_ispecLink(link)
{
    ReadIspecType();
}

void VqsTreeItemIspecSoftLink::ReadIspecType()
{
    m_nIspecType = m_ispecLink->GetIspecType();
    if (_mbsicmp(m_ispecLink->GetName(), "EVENT") != 0 && m_ispecLink->GetIspecUsage() == 0)
        m_nIspecType = kIspecTypeWithoutUsage;
}

BOOL VqsTreeItemIspecSoftLink::GetBitmap(VqsBitmapRef& bitmap)
{
    if (m_nIspecType == kIspecTypeWithoutUsage)
        return NumberedBitmap(bitmap, IDB_ISPEC_WITHOUT_USAGE);
    return NamedBitmap(bitmap, m_nIspecType == kIspecTypeEvent ? "MD_EVENT" : "MD_COMPONENT");
}

BOOL VqsTreeItemIspecSoftLink::UsesSpecialColour() { return _mbsicmp(m_strKeyName, "EVENT") == 0; }

void VqsTreeItemIspecSoftLink::FillChildren(int insertRows)
{
    PxTypedList<PxVQProfileSoftLinkPtr> profiles;
    ListOf(m_ispecLink, profiles, [this](auto& list) { m_ispecLink->GetListOfProfileSoftLinks(list); });
    const BOOL readOnly = UnderReadOnlyLink();
    FillFromList(profiles, insertRows, [this, readOnly](const PxVQProfileSoftLinkPtr& profile) {
        return new VqsTreeItemAutoProfile(this, profile, readOnly);
    });
}

void VqsTreeItemIspecSoftLink::UpdateState()
{
    if (!m_ispecLink) {
        ApplyHasChildren(TRUE);
        return;
    }
    ApplyListSize([this] { return PxVQIspecSoftLink::CountsOfProfileSoftLinks({m_ispecLink}).front(); });
}

BOOL VqsTreeItemIspecSoftLink::RefreshTexts()
{
    const int type = m_nIspecType;
    ReadIspecType();
    const BOOL changed = VqsTreeItemSoftLink::RefreshTexts();
    return changed || type != m_nIspecType;
}

BOOL VqsTreeItemProfileSoftLink::GetBitmap(VqsBitmapRef& bitmap) { return NamedBitmap(bitmap, "MD_PROFILE"); }

BOOL VqsTreeItemReportSoftLink::GetBitmap(VqsBitmapRef& bitmap) { return NamedBitmap(bitmap, "MD_REPORT"); }

BOOL VqsTreeItemGLSoftLink::GetBitmap(VqsBitmapRef& bitmap) { return NamedBitmap(bitmap, "MD_GLOBALLOGIC"); }

BOOL VqsTreeItemGLSoftLink::UsesSpecialColour()
{
    for (const char* special : {"STARTUP", "CLOSEUPDATE", "CLOSEDOWN"}) {
        if (_mbsicmp(m_strKeyName, special) == 0)
            return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- automatic profile

VqsTreeItemAutoProfile::VqsTreeItemAutoProfile(VqsTreeItem* parent, const PxVQProfileSoftLinkPtr& link,
                                               BOOL readOnly)
    : VqsConfigTreeItem(parent), m_profile(link), m_bReadOnly(readOnly)
{
    Register(m_profile);
    VqsTreeItemAutoProfile::RefreshTexts();
}

BOOL VqsTreeItemAutoProfile::GetOverlayImage(VqsImageRef& image) { return StateImage(image, m_nUpdated, m_nStatus); }

BOOL VqsTreeItemAutoProfile::GetBitmap(VqsBitmapRef& bitmap) { return NumberedBitmap(bitmap, IDB_AUTO_PROFILE); }

BOOL VqsTreeItemAutoProfile::IsOpenable() { return m_profile->ObjectPresent() && !m_bReadOnly && m_nStatus != 0; }

void VqsTreeItemAutoProfile::FillChildren(int) { VqsErrorBoxId(IDS_CANNOT_EXPAND_ELEMENT); }

void VqsTreeItemAutoProfile::Reload(VqsModel& model)
{
    model.FindElementLinkNode(m_profile);
    ReloadChildren(model);
}

BOOL VqsTreeItemAutoProfile::GetObjectKind(int& kind)
{
    kind = PxKindElementSoftLink;
    return TRUE;
}

BOOL VqsTreeItemAutoProfile::RefreshTexts()
{
    BOOL changed =
        Store(m_strOrdinateName, VqsUsesLongNames() ? m_profile->GetOrdinateLongName() : m_profile->GetOrdinateName());
    changed = Store(m_strDescription, m_profile->GetDescription()) || changed;
    changed = Store(m_nStatus, m_profile->GetState()) || changed;
    changed = Store(m_nUpdated, m_profile->GetUpdatedFlag()) || changed;
    const CString description = m_strDescription.IsEmpty() ? CString() : "(" + m_strDescription + ") ";
    m_strOrdinate.FormatMessage(IDS_ORDINATE, m_strOrdinateName.GetString(), description.GetString());
    CString automatic;
    automatic.LoadString(IDS_AUTOMATIC_PROFILE);
    m_strText = m_strOrdinate + "\t" + automatic;
    return changed;
}

// ---------------------------------------------------------------- report groups

VqsTreeItemGroup::VqsTreeItemGroup(VqsTreeItem* parent, const PxVQReportGroupPtr& group)
    : VqsConfigTreeItem(parent), m_group(group)
{
    Register(m_group);
    VqsTreeItemGroup::RefreshTexts();
}

BOOL VqsTreeItemGroup::GetBitmap(VqsBitmapRef& bitmap) { return NumberedBitmap(bitmap, IDB_REPORT_GROUP); }

BOOL VqsTreeItemGroup::IsOpenable() { return m_group->ObjectPresent(); }

void VqsTreeItemGroup::FillChildren(int insertRows)
{
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    ListOf(m_group, aliases, [this](auto& list) { m_group->GetListOfReportSoftLinkAliases(list); });
    const ReferencesByKey reports =
        ReferencesOf(aliases, TakeReferencesReadAhead(aliases.Objects()), &PxVQReportSoftLinkAlias::SoftLinksOf);
    FillFromList(aliases, insertRows, [this, &reports](const PxVQReportSoftLinkAliasPtr& alias) {
        return new VqsTreeItemReportAlias(this, alias, reports.at(KeyOf(alias)));
    });
}

void VqsTreeItemGroup::UpdateState()
{
    ApplyListSize([this] { return PxVQReportGroup::CountsOfReportSoftLinkAliases({m_group}).front(); });
}

void VqsTreeItemGroup::OnReportLinkRemoved(const PxObjectPtr& link)
{
    RemoveChildrenLinkedTo(link, &VqsTreeItemReportAlias::GetReportLink);
}

void VqsTreeItemGroup::Reload(VqsModel& model)
{
    model.FindReportGroupNode(m_group);
    ReloadChildren(model);
}

BOOL VqsTreeItemGroup::GetObjectKind(int& kind)
{
    kind = PxKindReportGroup;
    return TRUE;
}

BOOL VqsTreeItemGroup::RefreshTexts()
{
    BOOL changed = Store(m_strName, VqsChooseName(m_group->GetName(), m_group->GetLongName()));
    changed = Store(m_strDescription, m_group->GetDescription()) || changed;
    m_strText = VqsCutRowText(m_strName + "\t" + m_strDescription);
    return changed;
}

VqsTreeItemReportAlias::VqsTreeItemReportAlias(VqsTreeItem* parent, const PxVQReportSoftLinkAliasPtr& alias,
                                               const PxVQReportSoftLinkPtr& report)
    : VqsConfigTreeItem(parent), m_alias(alias)
{
    Register(m_alias);
    ShowReport(report);
}

BOOL VqsTreeItemReportAlias::GetBitmap(VqsBitmapRef& bitmap) { return NamedBitmap(bitmap, "MD_REPORT"); }

BOOL VqsTreeItemReportAlias::IsOpenable() { return m_alias->ObjectPresent(); }

void VqsTreeItemReportAlias::FillChildren(int) { VqsErrorBoxId(IDS_CANNOT_EXPAND_REPORT); }

void VqsTreeItemReportAlias::Reload(VqsModel& model)
{
    model.FindRepAliasNode(m_alias);
    ReloadChildren(model);
}

BOOL VqsTreeItemReportAlias::GetObjectKind(int& kind)
{
    kind = PxKindReportAlias;
    return TRUE;
}

BOOL VqsTreeItemReportAlias::RefreshTexts() { return ShowReport(m_alias->GetSoftLink()); }

BOOL VqsTreeItemReportAlias::ShowReport(const PxVQReportSoftLinkPtr& report)
{
    m_report = report;
    CString name;
    CString description;
    if (m_report) {
        name = VqsChooseName(m_report->GetName(), m_report->GetLongName());
        description = m_report->GetDescription();
    }
    BOOL changed = Store(m_strName, name);
    changed = Store(m_strDescription, description) || changed;
    changed = Store(m_strGenerateAs, m_alias->GetGenerateAs()) || changed;
    m_strText = m_strName;
    if (!m_strGenerateAs.IsEmpty())
        m_strText += " [" + m_strGenerateAs + "]";
    m_strText += "\t" + m_strDescription;
    return changed;
}

// ---------------------------------------------------------------- bundles

VqsTreeItemBundle::VqsTreeItemBundle(VqsTreeItem* parent, const PxVQBundlePtr& bundle, BOOL oldConfig)
    : VqsConfigTreeItem(parent), m_bundle(bundle), m_bOldConfig(oldConfig)
{
    Register(m_bundle);
    VqsTreeItemBundle::RefreshTexts();
}

BOOL VqsTreeItemBundle::GetBitmap(VqsBitmapRef& bitmap)
{
    return NumberedBitmap(bitmap, m_bundle->GetContainsAllIspecs() ? IDB_BUNDLE_ALL_ISPECS : IDB_BUNDLE);
}

BOOL VqsTreeItemBundle::IsOpenable() { return m_bundle->ObjectPresent() && !m_bOldConfig; }

BOOL VqsTreeItemBundle::CanAddIspec() { return !m_bundle->GetContainsAllIspecs(); }

void VqsTreeItemBundle::FillChildren(int insertRows)
{
    PxTypedList<PxVQIspecBundleDataPtr> entries;
    ListOf(m_bundle, entries, [this](auto& list) { m_bundle->GetListOfIspecBundleData(list); });
    const ReferencesByKey ispecs =
        ReferencesOf(entries, TakeReferencesReadAhead(entries.Objects()), &PxVQIspecBundleData::IspecInformationsOf);
    FillFromList(entries, insertRows, [this, &ispecs](const PxVQIspecBundleDataPtr& entry) {
        return new VqsTreeItemIspecBundleData(this, entry, ispecs.at(KeyOf(entry)), m_bOldConfig);
    });
}

void VqsTreeItemBundle::UpdateState()
{
    ApplyListSize([this] { return PxVQBundle::CountsOfIspecBundleData({m_bundle}).front(); });
}

void VqsTreeItemBundle::OnIspecLinkRemoved(const PxObjectPtr& link)
{
    RemoveChildrenLinkedTo(link, &VqsTreeItemIspecBundleData::GetIspecLink);
}

void VqsTreeItemBundle::Reload(VqsModel& model)
{
    model.FindBundleNode(m_bundle);
    ReloadChildren(model);
}

BOOL VqsTreeItemBundle::GetObjectKind(int& kind)
{
    kind = PxKindBundle;
    return TRUE;
}

BOOL VqsTreeItemBundle::RefreshTexts()
{
    BOOL changed = Store(m_strName, m_bundle->GetName());
    changed = Store(m_strDescription, m_bundle->GetDescription()) || changed;
    m_strText = VqsCutRowText(m_strName + "\t" + m_strDescription);
    return changed;
}

VqsTreeItemIspecBundleData::VqsTreeItemIspecBundleData(VqsTreeItem* parent, const PxVQIspecBundleDataPtr& entry,
                                                       const PxVQIspecSoftLinkPtr& ispec, BOOL oldConfig)
    : VqsConfigTreeItem(parent), m_entry(entry), m_bOldConfig(oldConfig)
{
    Register(m_entry);
    ShowIspec(ispec);
}

BOOL VqsTreeItemIspecBundleData::GetBitmap(VqsBitmapRef& bitmap)
{
    return NumberedBitmap(bitmap, m_nIspecType != kIspecTypeEvent ? IDB_ISPEC_ENTRY : IDB_ISPEC_ENTRY_EVENT);
}

BOOL VqsTreeItemIspecBundleData::IsOpenable()
{
    if (!m_entry->ObjectPresent() || m_bOldConfig)
        return FALSE;
    const PxVQBundlePtr bundle = m_entry->GetBundleInformation();
    return bundle && !bundle->GetContainsAllIspecs();
}

void VqsTreeItemIspecBundleData::FillChildren(int) { VqsErrorBoxId(IDS_CANNOT_EXPAND_REPORT); }

void VqsTreeItemIspecBundleData::Reload(VqsModel& model)
{
    model.FindIspecBundleDataNode(m_entry);
    ReloadChildren(model);
}

BOOL VqsTreeItemIspecBundleData::GetObjectKind(int& kind)
{
    kind = PxKindIspecBundleData;
    return TRUE;
}

BOOL VqsTreeItemIspecBundleData::RefreshTexts() { return ShowIspec(m_entry->GetIspecInformation()); }

BOOL VqsTreeItemIspecBundleData::ShowIspec(const PxVQIspecSoftLinkPtr& ispec)
{
    m_ispec = ispec;
    CString name;
    CString description;
    int type = 0;
    if (m_ispec) {
        name = VqsChooseName(m_ispec->GetName(), m_ispec->GetLongName());
        description = m_ispec->GetDescription();
        type = m_ispec->GetIspecType();
    }
    BOOL changed = Store(m_strName, name);
    changed = Store(m_strDescription, description) || changed;
    changed = Store(m_nIspecType, type) || changed;
    m_strText = VqsCutRowText(m_strName + "\t" + m_strDescription);
    return changed;
}
