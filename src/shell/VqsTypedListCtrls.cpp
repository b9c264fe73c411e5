#include "shell/VqsTypedListCtrls.h"

#include "proxy/PxVQOptions.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsTime.h"

namespace {

constexpr UINT IDS_NAME_LOWER = 61516;
constexpr UINT IDS_TYPE = 61517;
constexpr UINT IDS_CREATED = 61518;
constexpr UINT IDS_DESCRIPTION_LOWER = 61519;
constexpr UINT IDS_NAME = 61577;
constexpr UINT IDS_DESCRIPTION = 61578;
constexpr UINT IDS_VERSION = 61579;
constexpr UINT IDS_LAST_USED = 61587;
constexpr UINT IDS_GENERATE_AS = 61704;
constexpr UINT IDS_GENERATE_SET = 61768;
constexpr UINT IDS_DEFAULT_TABLESPACE = 61789;
constexpr UINT IDS_REPLACE_WITH = 61786;
constexpr UINT IDS_DEFAULT_PATH = 61785;

constexpr int kSoftLinkIspec = 1;
constexpr int kSoftLinkReport = 2;
constexpr int kSoftLinkProfile = 3;
constexpr int kSoftLinkGlobalLogic = 4;
constexpr int kIspecTypeEvent = 0;
constexpr int kIspecTypeOther = 5;
constexpr UINT kOtherIspecMark = 320;

enum ElementKind { kKindNone = 0, kKindComponent = 1, kKindEvent = 2, kKindReport = 3, kKindProfile = 4,
                   kKindGlobalLogic = 5 };

constexpr int kAsNameModes = 4;
constexpr int kModeLinkName = 0;
constexpr int kModeLastGenerate = 1;
constexpr int kModeTyped = 2;
constexpr int kModeGroupName = 3;

// The kind of element a link stands for, and its mark.
ElementKind KindOf(const PxVQElementSoftLinkPtr& link, VqsBitmapRef* mark)
{
    VqsBitmapRef found;
    ElementKind kind = kKindNone;
    switch (link->GetElementType()) {
    case kSoftLinkIspec: {
        const int type = PxVQIspecSoftLinkPtr(link)->GetIspecType();
        kind = type == kIspecTypeEvent ? kKindEvent : kKindComponent;
        if (type == kIspecTypeEvent)
            found.lpszName = "MD_EVENT";
        else if (type == kIspecTypeOther)
            found.nID = kOtherIspecMark;
        else
            found.lpszName = "MD_COMPONENT";
        break;
    }
    case kSoftLinkReport:
        kind = kKindReport;
        found.lpszName = "MD_REPORT";
        break;
    case kSoftLinkProfile:
        kind = kKindProfile;
        found.lpszName = "MD_PROFILE";
        break;
    case kSoftLinkGlobalLogic:
        kind = kKindGlobalLogic;
        found.lpszName = "MD_GLOBALLOGIC";
        break;
    default:
        break;
    }
    if (mark)
        *mark = found;
    return kind;
}

// Updated links show base 1, links that no longer match their design object overlay 2.
BOOL LinkDetails(const PxVQSoftLinkPtr& link, VqsImageRef* image)
{
    image->nBase = link->GetUpdatedFlag() ? 1 : 0;
    image->nVariant = link->IsObsolete() ? 2 : 0;
    return TRUE;
}

CString LoadedString(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// The text with the name in place of its first "%s". The text comes from the resource
// library, so it is not handed to a formatter.
CString WithName(const CString& text, const CString& name)
{
    const int at = text.Find("%s");
    return at < 0 ? text : text.Left(at) + name + text.Mid(at + 2);
}

template <std::size_t N>
UINT HeaderOf(const UINT (&headers)[N], int column)
{
    return column >= 0 && static_cast<std::size_t>(column) < N ? headers[column] : 0;
}

template <class T>
CString NameText(const T& object)
{
    return VqsTypedListCtrl<T>::GetObjectName(object);
}

template <class T>
CString DescriptionText(const T& object)
{
    return object->GetDescription();
}

template <class T>
CString CreatedText(const T& link)
{
    CString text;
    FormatTime64(link->GetRefTime(), text, "%c");
    return text;
}

CString KindText(const PxVQElementSoftLinkPtr& link)
{
    const ElementKind kind = KindOf(link, nullptr);
    return kind == kKindNone ? CString() : VqsGetElementKindName(kind);
}

// The updated flag of every present record of the set, by its link; a link's first record
// counts.
void ReadUpdatedFlags(const PxVQOptionSet& optionSet, std::unordered_map<PxHandle, BOOL>& updatedByLink)
{
    PxTypedList<PxOptionsPtr> records;
    optionSet.GetAllOptions(records);
    std::vector<PxObjectPtr> listed;
    for (POSITION pos = records.GetHeadPosition(); pos;)
        if (const PxVQOptionsPtr options = records.GetNext(pos))
            listed.push_back(options);
    const std::vector<bool> present = PxObject::ArePresent(listed);
    std::vector<PxVQOptionsPtr> kept;
    for (std::size_t index = 0; index < listed.size(); ++index)
        if (present[index])
            kept.emplace_back(listed[index]);
    const std::vector<PxVQSoftLinkPtr> links = PxVQOptions::SoftLinksOf(kept);
    updatedByLink.reserve(kept.size());
    for (std::size_t index = 0; index < kept.size(); ++index)
        if (links[index])
            updatedByLink.emplace(links[index]->GetHandle(), kept[index]->IsUpdated());
}

} // namespace

// ---------------------------------------------------------------- element links

const VqsListColumn<PxVQElementSoftLinkPtr> kElementLinkColumns[] = {
    {IDS_NAME_LOWER, NameText}, {IDS_TYPE, KindText}, {IDS_CREATED, CreatedText},
    {IDS_DESCRIPTION_LOWER, DescriptionText}};

VqsTypedListCtrl_DelElementLink::VqsTypedListCtrl_DelElementLink() : VqsTypedListCtrl_Columns(kElementLinkColumns) {}

void VqsTypedListCtrl_DelElementLink::GetItemMark(const PxVQElementSoftLinkPtr& link, VqsBitmapRef* mark)
{
    KindOf(link, mark);
}

BOOL VqsTypedListCtrl_DelElementLink::GetItemDetails(const PxVQElementSoftLinkPtr& link, VqsImageRef* image)
{
    return LinkDetails(link, image);
}

// ---------------------------------------------------------------- business-segment links

const VqsListColumn<PxVQBSSoftLinkPtr> kBSLinkColumns[] = {
    {IDS_NAME_LOWER, NameText}, {IDS_CREATED, CreatedText}, {IDS_DESCRIPTION_LOWER, DescriptionText}};

VqsTypedListCtrl_DelBSLink::VqsTypedListCtrl_DelBSLink() : VqsTypedListCtrl_Columns(kBSLinkColumns) {}

BOOL VqsTypedListCtrl_DelBSLink::GetItemDetails(const PxVQBSSoftLinkPtr& link, VqsImageRef* image)
{
    return LinkDetails(link, image);
}

// ---------------------------------------------------------------- report lists

VqsTypedListCtrl_ReportLinkBase::VqsTypedListCtrl_ReportLinkBase() = default;

VqsTypedListCtrl_ReportLinkBase::~VqsTypedListCtrl_ReportLinkBase() = default;

BOOL VqsTypedListCtrl_ReportLinkBase::SetOptionSet(const PxVQOptionSetPtr& optionSet)
{
    if (!m_pOptionSet && !optionSet)
        return TRUE;
    if (m_pOptionSet && m_pOptionSet->IsSameOid(optionSet))
        return TRUE;
    m_updatedByLink.clear();
    m_bOptionSetPresent = optionSet && optionSet->ObjectPresent();
    if (m_bOptionSetPresent)
        ReadUpdatedFlags(*optionSet, m_updatedByLink);
    m_pOptionSet = optionSet;
    if (GetItemCount() > 0)
        RefreshAllDetails();
    return TRUE;
}

BOOL VqsTypedListCtrl_ReportLinkBase::GetItemDetails(const PxVQReportSoftLinkPtr& link, VqsImageRef* image)
{
    if (m_bOptionSetPresent)
        image->nBase = IsUpdatedInOptionSet(link) ? 1 : 0;
    else
        image->nBase = link->GetUpdatedFlag() ? 1 : 0;
    image->nVariant = link->IsObsolete() ? 2 : 0;
    return TRUE;
}

// The link's record in the option set holds values of its own.
BOOL VqsTypedListCtrl_ReportLinkBase::IsUpdatedInOptionSet(const PxVQReportSoftLinkPtr& link) const
{
    const auto found = m_updatedByLink.find(link->GetHandle());
    return found != m_updatedByLink.end() && found->second;
}

const VqsListColumn<PxVQReportSoftLinkPtr> kFromReportColumns[] = {{IDS_NAME, NameText},
                                                                   {IDS_DESCRIPTION, DescriptionText}};

VqsTypedListCtrl_FromReportLink::VqsTypedListCtrl_FromReportLink() : VqsTypedListCtrl_Columns(kFromReportColumns) {}

VqsTypedListCtrl_ToReportLink::VqsTypedListCtrl_ToReportLink() = default;

VqsTypedListCtrl_ToReportLink::~VqsTypedListCtrl_ToReportLink() = default;

BOOL VqsTypedListCtrl_ToReportLink::SetReportGroup(const PxVQReportGroupPtr& group)
{
    if (!InitColumns())
        return FALSE;
    m_pReportGroup = group;
    return TRUE;
}

unsigned VqsTypedListCtrl_ToReportLink::GetColumnCount() { return 3; }

UINT VqsTypedListCtrl_ToReportLink::GetColumnHeaderId(int column)
{
    static const UINT headers[] = {IDS_NAME, IDS_VERSION, IDS_GENERATE_AS};
    return HeaderOf(headers, column);
}

CString VqsTypedListCtrl_ToReportLink::GetColumnText(int subItem, const PxVQReportSoftLinkPtr& link)
{
    switch (subItem) {
    case 0:
        return GetObjectName(link);
    case 1: {
        CString version;
        version.Format("%4d", link->GetReportVersionNumber());
        return version;
    }
    case 2: {
        CString name;
        const int mode = GetAsName(link, name);
        if (mode == kModeLastGenerate)
            return WithName(LoadedString(IDS_LAST_USED), name);
        return mode == kModeTyped || mode == kModeGroupName ? name : CString();
    }
    default:
        return CString();
    }
}

void VqsTypedListCtrl_ToReportLink::AddAsName(const PxVQReportSoftLinkPtr& link, const char* name)
{
    if (!link || FindAsName(link))
        return;
    AsNameStruct entry;
    entry.link = link;
    entry.texts[kModeLinkName] = link->GetName();
    entry.texts[kModeLastGenerate] = link->GetLastGenerateAsName();
    entry.texts[kModeGroupName] = name;
    entry.version = link->GetReportVersionNumber();
    if (!entry.texts[kModeGroupName].IsEmpty())
        entry.mode = kModeGroupName;
    else if (!entry.texts[kModeLastGenerate].IsEmpty())
        entry.mode = kModeLastGenerate;
    else
        entry.mode = kModeLinkName;
    m_asNames.emplace(link->GetHandle(), entry);
}

int VqsTypedListCtrl_ToReportLink::GetAsName(const PxVQReportSoftLinkPtr& link, CString& name)
{
    const AsNameStruct* entry = FindAsName(link);
    if (!entry)
        return kModeLastGenerate;
    if (entry->mode >= 0 && entry->mode < kAsNameModes)
        name = entry->texts[entry->mode];
    return entry->mode;
}

void VqsTypedListCtrl_ToReportLink::SetAsNameMode(const PxVQReportSoftLinkPtr& link, const char* text, int mode)
{
    AsNameStruct* entry = FindAsName(link);
    if (!entry)
        return;
    entry->mode = mode;
    if (mode == kModeTyped)
        entry->texts[kModeTyped] = text;
}

CString VqsTypedListCtrl_ToReportLink::GetAsNameText(const PxVQReportSoftLinkPtr& link, int mode)
{
    const AsNameStruct* entry = FindAsName(link);
    if (!entry || mode < 0 || mode >= kAsNameModes)
        return CString();
    return entry->texts[mode];
}

void VqsTypedListCtrl_ToReportLink::RemoveSelected(PxTypedList<PxVQReportSoftLinkPtr>& plain,
                                                   PxTypedList<PxVQReportSoftLinkPtr>& flagged)
{
    plain.RemoveAll();
    flagged.RemoveAll();
    for (int row = GetNextItem(-1, LVNI_SELECTED); row != -1; row = GetNextItem(row - 1, LVNI_SELECTED)) {
        Record* record = RecordOfRow(row);
        if (record) {
            const BOOL gone = record->loaded && record->valid &&
                              (record->image.nVariant == 2 || record->image.nVariant == 3);
            (gone ? flagged : plain).AddTail(record->object);
            RemoveAsName(record->object);
        }
        RemoveRow(row, record);
    }
}

void VqsTypedListCtrl_ToReportLink::RemoveAll(PxTypedList<PxVQReportSoftLinkPtr>& links)
{
    GetAllObjects(links);
    m_asNames.clear();
    DeleteAllItems();
}

VqsTypedListCtrl_ToReportLink::AsNameStruct* VqsTypedListCtrl_ToReportLink::FindAsName(
    const PxVQReportSoftLinkPtr& link)
{
    if (!link)
        return nullptr;
    const auto found = m_asNames.find(link->GetHandle());
    return found == m_asNames.end() ? nullptr : &found->second;
}

void VqsTypedListCtrl_ToReportLink::RemoveAsName(const PxVQReportSoftLinkPtr& link)
{
    if (link)
        m_asNames.erase(link->GetHandle());
}

// ---------------------------------------------------------------- Ispec links

const VqsListColumn<PxVQIspecSoftLinkPtr> kIspecColumns[] = {{IDS_NAME, NameText}, {IDS_DESCRIPTION, DescriptionText}};

VqsTypedListCtrl_IspecBundleDataLink::VqsTypedListCtrl_IspecBundleDataLink()
    : VqsTypedListCtrl_Columns(kIspecColumns)
{
}

BOOL VqsTypedListCtrl_IspecBundleDataLink::GetItemDetails(const PxVQIspecSoftLinkPtr& link, VqsImageRef* image)
{
    image->nBase = 0;
    image->nVariant = link->IsObsolete() ? 2 : 0;
    return TRUE;
}

// ---------------------------------------------------------------- generate sets and packs

VqsTypedListCtrl_PackGSet::VqsTypedListCtrl_PackGSet() = default;

VqsTypedListCtrl_PackGSet::~VqsTypedListCtrl_PackGSet() = default;

unsigned VqsTypedListCtrl_PackGSet::GetColumnCount() { return 5; }

UINT VqsTypedListCtrl_PackGSet::GetColumnHeaderId(int column)
{
    static const UINT headers[] = {IDS_GENERATE_SET, IDS_DEFAULT_TABLESPACE, IDS_REPLACE_WITH, IDS_DEFAULT_PATH,
                                   IDS_REPLACE_WITH};
    return HeaderOf(headers, column);
}

CString VqsTypedListCtrl_PackGSet::GetColumnText(int subItem, const PxVQGenSetPtr& genSet)
{
    if (subItem == 0)
        return GetObjectName(genSet);
    const PackStruct* pack = FindPackStruct(genSet);
    if (!pack)
        return CString();
    switch (subItem) {
    case 1:
        return pack->defaultTablespace;
    case 2:
        return pack->tablespaceReplacement;
    case 3:
        return pack->defaultPath;
    case 4:
        return pack->pathReplacement;
    default:
        return CString();
    }
}

BOOL VqsTypedListCtrl_PackGSet::GetItemDetails(const PxVQGenSetPtr&, VqsImageRef*) { return FALSE; }

void VqsTypedListCtrl_PackGSet::SetGenerateSets(PxTypedList<PxVQGenSetPtr>& genSets)
{
    for (POSITION pos = genSets.GetHeadPosition(); pos;) {
        FindOrAddPackStruct(genSets.GetNext(pos));
    }
    SetObjects(genSets);
}

CString VqsTypedListCtrl_PackGSet::GetPackText1(const PxVQGenSetPtr& genSet)
{
    const PackStruct* pack = FindPackStruct(genSet);
    return pack ? pack->defaultPath : CString();
}

CString VqsTypedListCtrl_PackGSet::GetPackText2(const PxVQGenSetPtr& genSet)
{
    const PackStruct* pack = FindPackStruct(genSet);
    return pack ? pack->defaultTablespace : CString();
}

CString VqsTypedListCtrl_PackGSet::GetPackText3(const PxVQGenSetPtr& genSet)
{
    const PackStruct* pack = FindPackStruct(genSet);
    return pack ? pack->pathReplacement : CString();
}

CString VqsTypedListCtrl_PackGSet::GetPackText4(const PxVQGenSetPtr& genSet)
{
    const PackStruct* pack = FindPackStruct(genSet);
    return pack ? pack->tablespaceReplacement : CString();
}

void VqsTypedListCtrl_PackGSet::SetPackText(const PxVQGenSetPtr& genSet, const char* text)
{
    if (PackStruct* pack = FindOrAddPackStruct(genSet))
        pack->defaultPath = text;
}

void VqsTypedListCtrl_PackGSet::SetPackText2(const PxVQGenSetPtr& genSet, const char* text)
{
    if (PackStruct* pack = FindOrAddPackStruct(genSet))
        pack->defaultTablespace = text;
}

void VqsTypedListCtrl_PackGSet::SetPackTextIfChanged(const PxVQGenSetPtr& genSet, const char* text)
{
    ReplaceIfChanged(genSet, &PackStruct::pathReplacement, text);
}

void VqsTypedListCtrl_PackGSet::SetPackTextIfChanged2(const PxVQGenSetPtr& genSet, const char* text)
{
    ReplaceIfChanged(genSet, &PackStruct::tablespaceReplacement, text);
}

// Compared with regard to case: a replacement that differs only in case is a change.
void VqsTypedListCtrl_PackGSet::ReplaceIfChanged(const PxVQGenSetPtr& genSet, CString PackStruct::*text,
                                                 const char* value)
{
    PackStruct* pack = FindOrAddPackStruct(genSet);
    if (!pack)
        return;
    const CString old = pack->*text;
    pack->*text = value;
    if (old != pack->*text && FindItemData(genSet))
        RefreshObject(genSet);
}

VqsTypedListCtrl_PackGSet::PackStruct* VqsTypedListCtrl_PackGSet::FindPackStruct(const PxVQGenSetPtr& genSet)
{
    if (!genSet)
        return nullptr;
    for (POSITION pos = m_packs.GetHeadPosition(); pos;) {
        PackStruct& pack = m_packs.GetNext(pos);
        if (pack.genSet->IsSameOid(genSet))
            return &pack;
    }
    return nullptr;
}

VqsTypedListCtrl_PackGSet::PackStruct* VqsTypedListCtrl_PackGSet::FindOrAddPackStruct(const PxVQGenSetPtr& genSet)
{
    if (!genSet)
        return nullptr;
    if (PackStruct* pack = FindPackStruct(genSet))
        return pack;
    PackStruct pack;
    pack.genSet = genSet;
    return &m_packs.GetAt(m_packs.AddTail(pack));
}
