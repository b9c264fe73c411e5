#include "options_nt_unix/VqsOptionPageNTUnixBSegPacks.h"

#include <algorithm>

namespace {

constexpr UINT IDS_PACK_ALLOCATION = 61565;

constexpr int IDC_DEFAULT_PACK = 1067;
constexpr int IDC_USE_DEFAULT_DEFAULT = 1088;
constexpr int IDC_OBJECT_PACK = 1087;
constexpr int IDC_USE_DEFAULT_OBJECT = 1089;
constexpr int IDC_EVENT_SET = 1224;
constexpr int IDC_USE_DEFAULT_EVENT_SET = 1093;
constexpr int IDC_REORG_PACK = 1094;
constexpr int IDC_USE_DEFAULT_REORG = 1095;
constexpr int IDC_LOG_PACK = 1096;
constexpr int IDC_USE_DEFAULT_LOG = 1097;
constexpr int IDC_ROC_OUTPUT = 1240;
constexpr int IDC_USE_DEFAULT_ROC = 1241;
constexpr int IDC_EXTRACT_PACK = 1242;
constexpr int IDC_USE_DEFAULT_EXTRACT = 1243;

constexpr int kReservedWord = 3;

bool NeverShowsDefault(UINT boxId) { return boxId == IDC_USE_DEFAULT_LOG || boxId == IDC_USE_DEFAULT_ROC; }

} // namespace

template <class Traits>
VqsOptionPagePlatformBSegPacks<Traits>::VqsOptionPagePlatformBSegPacks(VqsOptions_BSeg_Sheet* sheet, UINT dialogId,
                                                                       int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_PACK_ALLOCATION, pageIndex)
{
    using vqsntunix::PackList;
    AddPack(IDC_DEFAULT_PACK, IDC_USE_DEFAULT_DEFAULT, VQS_TEXT_OPTION(PxBSegOptions, DefPack), PackList::Database);
    if constexpr (Traits::kHasObjectPack)
        AddPack(IDC_OBJECT_PACK, IDC_USE_DEFAULT_OBJECT, VQS_TEXT_OPTION(Platform, ObjPack), PackList::Path);
    AddPack(IDC_EVENT_SET, IDC_USE_DEFAULT_EVENT_SET, VQS_TEXT_OPTION(Platform, EventSet), PackList::Database);
    AddPack(IDC_REORG_PACK, IDC_USE_DEFAULT_REORG, VQS_TEXT_OPTION(Platform, ReorgPack), PackList::Path);
    AddPack(IDC_LOG_PACK, IDC_USE_DEFAULT_LOG, VQS_TEXT_OPTION(Platform, LogPack), PackList::Path);
    AddPack(IDC_ROC_OUTPUT, IDC_USE_DEFAULT_ROC, VQS_TEXT_OPTION(Platform, ROCoutput), PackList::Path);
    AddPack(IDC_EXTRACT_PACK, IDC_USE_DEFAULT_EXTRACT, VQS_TEXT_OPTION(Platform, BSExtractPack), PackList::Path);
}

template <class Traits>
template <class Option>
void VqsOptionPagePlatformBSegPacks<Traits>::AddPack(UINT comboId, UINT boxId, const Option& option,
                                                     vqsntunix::PackList list)
{
    VqsOptCtrlCombo& combo = m_table.Combo(comboId, option, kReservedWord);
    VqsOptCtrlFlag& box = m_table.DefaultBox(boxId, comboId);
    m_packs.push_back({boxId, &box, &combo, list});
}

template <class Traits>
typename VqsOptionPagePlatformBSegPacks<Traits>::Pack& VqsOptionPagePlatformBSegPacks<Traits>::PackOfBox(UINT boxId)
{
    for (Pack& pack : m_packs)
        if (pack.boxId == boxId)
            return pack;
    return m_packs.front();
}

template <class Traits>
void VqsOptionPagePlatformBSegPacks<Traits>::ShowOwnText(VqsOptCtrlCombo& combo)
{
    if (!combo.IsValueUnread())
        combo.SetValue(combo.GetValue());
}

template <class Traits>
void VqsOptionPagePlatformBSegPacks<Traits>::ShowNeverShownDefaults()
{
    for (Pack& pack : m_packs)
        if (NeverShowsDefault(pack.boxId) && pack.box->m_bValue)
            pack.combo->SetNotAvailable(0);
}

template <class Traits>
void VqsOptionPagePlatformBSegPacks<Traits>::AdjustLoadedValues()
{
    const CStringArray databasePacks = vqsntunix::EnterprisePacks(vqsntunix::PackList::Database);
    const CStringArray pathPacks = vqsntunix::EnterprisePacks(vqsntunix::PackList::Path);
    for (Pack& pack : m_packs)
        vqsntunix::OfferChoices(*pack.combo, pack.list == vqsntunix::PackList::Database ? databasePacks : pathPacks);
    ShowNeverShownDefaults();
    m_bDefaultPackUnavailable = PackOfBox(IDC_USE_DEFAULT_DEFAULT).combo->IsNotAvailable();
}

template <class Traits>
void VqsOptionPagePlatformBSegPacks<Traits>::EventSetFollowsDefaultPack()
{
    Pack& eventSet = PackOfBox(IDC_USE_DEFAULT_EVENT_SET);
    if (!eventSet.box->m_bValue)
        ShowOwnText(*eventSet.combo);
    else if (m_bDefaultPackUnavailable)
        eventSet.combo->SetNotAvailable(0);
    else
        eventSet.combo->SetValue(PackOfBox(IDC_USE_DEFAULT_DEFAULT).combo->GetValue());
}

template <class Traits>
void VqsOptionPagePlatformBSegPacks<Traits>::OnOptionTaken(UINT id)
{
    if (id == IDC_DEFAULT_PACK) {
        if (PackOfBox(IDC_USE_DEFAULT_EVENT_SET).box->m_bValue) {
            EventSetFollowsDefaultPack();
            UpdateData(FALSE);
        }
        return;
    }
    const auto boxed =
        std::find_if(m_packs.begin(), m_packs.end(), [id](const Pack& pack) { return pack.boxId == id; });
    if (boxed == m_packs.end())
        return;
    if (!boxed->box->m_bValue)
        ShowOwnText(*boxed->combo);
    else if (NeverShowsDefault(id))
        boxed->combo->SetNotAvailable(0);
    if (id == IDC_USE_DEFAULT_DEFAULT) {
        m_bDefaultPackUnavailable = boxed->combo->IsNotAvailable();
        EventSetFollowsDefaultPack();
    } else if (id == IDC_USE_DEFAULT_EVENT_SET) {
        EventSetFollowsDefaultPack();
    }
    UpdateData(FALSE);
}

template class VqsOptionPagePlatformBSegPacks<VqsNTPacksTraits>;
template class VqsOptionPagePlatformBSegPacks<VqsUnixPacksTraits>;
