#include "options_nt_unix/VqsOptionPageUnixPartition.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOption.h"
#include "options/VqsOptionsSheet.h"
#include "options_nt_unix/VqsNTUnixDesign.h"
#include "options_nt_unix/VqsUnixStorageOptions.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsSysApp.h"

#include <optional>

namespace {

constexpr UINT IDS_CANNOT_LOCK = 61711;
constexpr int kTable = 0;
constexpr int kAutoIndex = 1;
constexpr int kOrdinateIndex = 2;

template <const auto& Ids>
std::unique_ptr<VqsOptCtrlRadio> MakeRadio(VqsDialogCtrlConnector* connector)
{
    return [connector]<std::size_t... I>(std::index_sequence<I...>) {
        return std::make_unique<VqsOptCtrlRadio>(connector, Ids[I]...);
    }(std::make_index_sequence<Ids.size()>());
}

void EnableTypeButtons(VqsOptCtrlRadio& type, BOOL none, BOOL local, BOOL explicitType)
{
    type.EnableButton(none, VqsOptionPageUnixPartitionBase::TypeNone);
    type.EnableButton(local, VqsOptionPageUnixPartitionBase::TypeLocal);
    type.EnableButton(explicitType, VqsOptionPageUnixPartitionBase::TypeExplicit);
}

// The names of the partition records of one structure code.
std::vector<CString> RecordNames(const PxVQOptionsPtr& options, char code)
{
    std::vector<CString> names;
    PxTypedList<PxVQOptionsPtr> records;
    options->GetListOfSubOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr record = records.GetNext(pos);
        const CString name = record ? record->GetName() : CString();
        if (!name.IsEmpty() && name[0] == code)
            names.push_back(name);
    }
    return names;
}

// What an option held before a copy over it: an own value, the default by choice, or nothing.
template <class Shown>
struct KeptOption {
    BOOL updated = FALSE;
    BOOL isDefault = FALSE;
    Shown value{};

    static KeptOption Of(const vqsstorage::Option<Shown>& option)
    {
        KeptOption kept;
        kept.updated = option.isUpdated();
        kept.isDefault = option.isDefault();
        if (kept.updated && !kept.isDefault)
            kept.value = option.get();
        return kept;
    }

    void RestoreTo(const vqsstorage::Option<Shown>& option) const
    {
        if (!updated)
            option.clear();
        else if (isDefault)
            option.makeDefault();
        else
            option.set(value);
    }
};

// A partition record takes another's data but keeps its own storage values.
void CopyKeepingStorage(const PxUnixOracleDBPartitionOptionsPtr& target,
                        const PxUnixOracleDBPartitionOptionsPtr& source)
{
    const vqsstorage::Level level = vqsstorage::PartitionLevel(target);
    const auto sca = KeptOption<CString>::Of(level.sca);
    const auto nonsca = KeptOption<CString>::Of(level.nonsca);
    const auto tablespace = KeptOption<CString>::Of(level.tablespace);
    const auto unlimited = KeptOption<std::int64_t>::Of(level.unlimited);
    const auto population = KeptOption<std::int64_t>::Of(level.population);
    std::array<KeptOption<std::int64_t>, vqsstorage::kNumberCount> numbers;
    for (int n = 0; n < vqsstorage::kNumberCount; ++n)
        numbers[n] = KeptOption<std::int64_t>::Of(level.numbers[n]);
    target->CopyData(PxOptionsPtr(source));
    sca.RestoreTo(level.sca);
    nonsca.RestoreTo(level.nonsca);
    tablespace.RestoreTo(level.tablespace);
    unlimited.RestoreTo(level.unlimited);
    population.RestoreTo(level.population);
    for (int n = 0; n < vqsstorage::kNumberCount; ++n)
        numbers[n].RestoreTo(level.numbers[n]);
}

} // namespace

template <class Traits>
VqsOptionPageUnixPartition<Traits>::VqsOptionPageUnixPartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageUnixPartitionBase(sheet, dialogId, pageIndex, &MakeRadio<Traits::kStructureIds>,
                                     &MakeRadio<Traits::kTypeIds>,
                                     std::vector<UINT>(Traits::kStructureIds.begin(), Traits::kStructureIds.end()),
                                     std::vector<UINT>(Traits::kTypeIds.begin(), Traits::kTypeIds.end()))
{
}

template class VqsOptionPageUnixPartition<VqsUnixBSegPartitionTraits>;
template class VqsOptionPageUnixPartition<VqsUnixComponentPartitionTraits>;
template class VqsOptionPageUnixPartition<VqsUnixProfilePartitionTraits>;

VqsOptionPageUnixBSegPartition::VqsOptionPageUnixBSegPartition(VqsOptionsSheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageUnixPartition(sheet, dialogId, pageIndex)
{
}

std::vector<CString> VqsOptionPageUnixBSegPartition::GatherDataItems()
{
    return vqsntunix::ScreenDataItems(PxLSEIspecPtr(vqsntunix::DesignElement(*m_pSheet, "EVENT")));
}

void VqsOptionPageUnixBSegPartition::ApplyTypeRules()
{
    if (m_nStructure == kTable)
        EnableTypeButtons(*m_pTypeRadio, TRUE, FALSE, TRUE);
    else
        EnableTypeButtons(*m_pTypeRadio, FALSE, FALSE, FALSE);
}

VqsOptionPageUnixComponentPartition::VqsOptionPageUnixComponentPartition(VqsOptionsSheet* sheet, UINT dialogId,
                                                                         int pageIndex)
    : VqsOptionPageUnixPartition(sheet, dialogId, pageIndex)
{
}

VqsOptionPageUnixComponentPartition::~VqsOptionPageUnixComponentPartition() = default;

std::vector<CString> VqsOptionPageUnixComponentPartition::GatherDataItems()
{
    const PxLSEElementPtr element = vqsntunix::EditedDesignElement(*m_pSheet);
    const PxLSEComponentPtr component(element);
    m_bTypeM = component && component->GetType() == 'M';
    return vqsntunix::ScreenDataItems(PxLSEIspecPtr(element));
}

void VqsOptionPageUnixComponentPartition::ApplyTypeRules()
{
    if (m_nStructure == kTable)
        EnableTypeButtons(*m_pTypeRadio, TRUE, FALSE, TRUE);
    else if (!m_bTypeM)
        EnableTypeButtons(*m_pTypeRadio, TRUE, TRUE, FALSE);
    else
        EnableTypeButtons(*m_pTypeRadio, FALSE, FALSE, FALSE);
}

void VqsOptionPageUnixComponentPartition::AfterStore() { PropagateToOrdinateProfile(); }

// The views of the profiles written hear of it once the component's apply is committed.
BOOL VqsOptionPageUnixComponentPartition::ApplyPage(BOOL isActivePage, BOOL clearUpdatedMarkWhenDefault)
{
    m_propagatedNodes.clear();
    const BOOL applied = VqsOptionPageUnixPartition::ApplyPage(isActivePage, clearUpdatedMarkWhenDefault);
    if (applied)
        for (VqsModelNode* node : m_propagatedNodes)
            node->NotifyChanged();
    m_propagatedNodes.clear();
    m_pPropagationLocks.reset();
    return applied;
}

// The profiles ordered over the component whose table is partitioned Local are partitioned
// like the component's table.
void VqsOptionPageUnixComponentPartition::PropagateToOrdinateProfile()
{
    const PxLSEElementPtr element = vqsntunix::EditedDesignElement(*m_pSheet);
    const PxVQBSSoftLinkPtr segmentLink = vqsntunix::EditedSegmentLink(*m_pSheet);
    if (!element || !segmentLink)
        return;
    PxTypedList<PxLSERelationPtr> relations;
    element->GetSourceList(relations);
    for (POSITION pos = relations.GetHeadPosition(); pos;) {
        const PxLSERelationPtr relation = relations.GetNext(pos);
        CString kind = relation ? relation->GetRelationString() : CString();
        kind.MakeUpper();
        const PxLSEDskObjectPtr source = kind.Find('O') >= 0 ? relation->GetSource() : PxLSEDskObjectPtr();
        if (!source || !source->_IsA("PxLSEProfile"))
            continue;
        const PxVQProfileSoftLinkPtr profileLink(segmentLink->GetElementSoftLink(source->GetName()));
        if (!profileLink)
            return;
        const PxUnixProfileOptionsPtr profile(profileLink->GetOptions(OwnOptions()->GetOptionSet()));
        if (profile && profile->GetProfilePartitionType(kTable) == 'L')
            PropagateTo(profile);
    }
}

void VqsOptionPageUnixComponentPartition::LockForPropagation(const PxUnixProfileOptionsPtr& profile)
{
    VqsModelNodeLink* node = m_pSheet->GetOptionNode();
    VqsModel* model = node ? node->GetModel() : nullptr;
    VqsModelNodeOption* optionNode = model ? model->FindOptionNode(PxOptionsPtr(profile)) : nullptr;
    if (!optionNode)
        return;
    if (!m_pPropagationLocks)
        m_pPropagationLocks = std::make_unique<VqsLockBag>(VqsWriteLock);
    if (!m_pPropagationLocks->LockNode(optionNode)) {
        CString text;
        text.LoadString(IDS_CANNOT_LOCK);
        throw VqsExceptionData(text, "VqsOptionPageUnixComponent", 0);
    }
    m_propagatedNodes.push_back(optionNode);
}

// Only the table's partitioning is the profile's to follow: its table columns and its
// table's partition records. The records of its indexes stay as they are.
void VqsOptionPageUnixComponentPartition::PropagateTo(const PxUnixProfileOptionsPtr& profile)
{
    LockForPropagation(profile);
    const PxUnixCompOptionsPtr component = TypedRecord();
    for (int slot = 0; slot < kMaxColumns; ++slot)
        profile->SetProfileTablePartitionColumns(slot, component->GetComponentTablePartitionColumns(slot));
    const char code = 'T';
    for (const CString& name : RecordNames(PxVQOptionsPtr(profile), code))
        if (!component->GetSubOptions(name))
            profile->DeleteSubOptions(name);
    for (const CString& name : RecordNames(PxVQOptionsPtr(component), code)) {
        const PxUnixOracleDBPartitionOptionsPtr source(component->GetSubOptions(name));
        const PxUnixOracleDBPartitionOptionsPtr existing(profile->GetSubOptions(name));
        if (!source)
            continue;
        if (!existing) {
            PxOptionsPtr(profile->CreateSubOptions(name))->CopyData(PxOptionsPtr(source));
            continue;
        }
        VqsSysApp* app = VqsGetApp();
        if (app && app->GetDisassociateComponentAndProfileOracle())
            CopyKeepingStorage(existing, source);
        else
            existing->CopyData(PxOptionsPtr(source));
    }
}

VqsOptionPageUnixProfilePartition::VqsOptionPageUnixProfilePartition(VqsOptionsSheet* sheet, UINT dialogId,
                                                                     int pageIndex)
    : VqsOptionPageUnixPartition(sheet, dialogId, pageIndex)
{
}

std::vector<CString> VqsOptionPageUnixProfilePartition::GatherDataItems()
{
    m_ordinates.clear();
    std::vector<CString> items;
    const PxLSEProfilePtr profile(vqsntunix::EditedDesignElement(*m_pSheet));
    if (profile) {
        PxTypedList<PxLSEDataOrdinatePtr> ordinates;
        profile->GetOrdinateDictionary(ordinates);
        for (POSITION pos = ordinates.GetHeadPosition(); pos;) {
            const PxLSEDataOrdinatePtr ordinate = ordinates.GetNext(pos);
            const PxLSEDskObjectPtr item = ordinate ? ordinate->GetTarget() : PxLSEDskObjectPtr();
            if (!item)
                continue;
            m_ordinates.push_back({item->GetName(), ordinate->GetSequence()});
            items.push_back(item->GetName());
        }
    }
    m_bConditional = vqsntunix::IsConditionalProfile(profile);
    m_pStructureRadio->Enable(m_bConditional);
    return items;
}

void VqsOptionPageUnixProfilePartition::ApplyTypeRules()
{
    if (m_nStructure == kTable)
        EnableTypeButtons(*m_pTypeRadio, TRUE, TRUE, TRUE);
    if (!m_bConditional)
        return;
    if (m_nStructure == kAutoIndex) {
        EnableTypeButtons(*m_pTypeRadio, FALSE, FALSE, FALSE);
        m_pTypeRadio->m_nValue = TypeNone;
    } else if (m_nStructure == kOrdinateIndex) {
        EnableTypeButtons(*m_pTypeRadio, TRUE, TRUE, TRUE);
        m_pTypeRadio->m_nValue = TypeLocal;
    }
}

CString VqsOptionPageUnixProfilePartition::FindLowestSequenceItem(const std::vector<CString>& names) const
{
    std::optional<int> best;
    CString result;
    for (const Ordinate& ordinate : m_ordinates) {
        const bool named = std::find(names.begin(), names.end(), ordinate.item) != names.end();
        if (named && (!best || ordinate.sequence < *best)) {
            best = ordinate.sequence;
            result = ordinate.item;
        }
    }
    return result;
}

CString VqsOptionPageUnixProfilePartition::FindHighestSequenceItem(const std::vector<CString>& names) const
{
    std::optional<int> best;
    CString result;
    for (const Ordinate& ordinate : m_ordinates) {
        const bool named = std::find(names.begin(), names.end(), ordinate.item) != names.end();
        if (named && (!best || ordinate.sequence >= *best)) {
            best = ordinate.sequence;
            result = ordinate.item;
        }
    }
    return result;
}

CString VqsOptionPageUnixProfilePartition::DataItemOffered() const { return FindLowestSequenceItem(m_available); }

// A column over no ordinate of the profile is deleted last to first.
CString VqsOptionPageUnixProfilePartition::ColumnOffered() const
{
    const std::vector<CString> columns(m_columns.begin(), m_columns.begin() + m_nColumns);
    const CString highest = FindHighestSequenceItem(columns);
    if (!highest.IsEmpty() || m_nColumns == 0)
        return highest;
    return m_columns[m_nColumns - 1];
}

PxVQOptionsPtr VqsOptionPageUnixProfilePartition::OwnerOptions() const
{
    const PxLSEProfilePtr profile(vqsntunix::EditedDesignElement(*m_pSheet));
    const PxVQBSSoftLinkPtr segmentLink = vqsntunix::EditedSegmentLink(*m_pSheet);
    if (!profile || !segmentLink)
        return nullptr;
    PxLSEDskObjectPtr owner;
    PxTypedList<PxLSERelationPtr> relations;
    profile->GetTargetList(relations);
    for (POSITION pos = relations.GetHeadPosition(); pos;) {
        const PxLSERelationPtr relation = relations.GetNext(pos);
        if (relation && vqsntunix::IsOverRelation(relation->GetRelationString()) && relation->GetTarget())
            owner = relation->GetTarget();
    }
    if (!owner)
        return nullptr;
    const PxVQOptionSetPtr optionSet = OwnOptions()->GetOptionSet();
    if (owner->_IsA("PxLSEEvent"))
        return PxVQOptionsPtr(PxUnixBSegOptionsPtr(segmentLink->GetOptions(optionSet)));
    const PxVQElementSoftLinkPtr ownerLink = segmentLink->GetElementSoftLink(owner->GetName());
    return ownerLink ? PxVQOptionsPtr(PxUnixCompOptionsPtr(ownerLink->GetOptions(optionSet))) : PxVQOptionsPtr();
}

// The partitions of the element the profile is over, against the profile's own columns;
// none when that element or its options cannot be found.
BOOL VqsOptionPageUnixProfilePartition::LoadLocalDefinitions()
{
    const std::vector<int> slots = ReadColumns();
    OfferColumnChoices();
    ReadDefinitions(OwnerOptions(), slots);
    ShowListAndControls();
    return TRUE;
}
