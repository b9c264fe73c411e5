#include "options_qsr/VqsOptionPageQSRBSegPackMap.h"

#include "options/VqsEnterprisePackNames.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsSysApp.h"
#include "win/CDataExchange.h"
#include "win/ListView.h"
#include "win/MbString.h"

#include <algorithm>

namespace {

constexpr UINT IDS_PACK_MAPPING = 61571;
constexpr UINT IDS_PACK_ALREADY_MAPPED = 61572;
constexpr UINT IDS_ENTER_VALID_PACK = 61573;
constexpr UINT IDS_COLUMN_PACKS_TO_MAP = 61574;
constexpr UINT IDS_COLUMN_MAP_TO = 61575;

constexpr int IDC_MAP_TO = 1033;
constexpr int IDC_PACK = 1433;
constexpr int IDC_MAPPINGS = 1281;
constexpr int IDC_DELETE = 1284;
constexpr int IDC_ADD = 1461;

constexpr int kNoValidator = 0;
constexpr int kReservedWord = 3;
constexpr int kPackCharacters = 17;

BOOL IsWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The text's words, separated by runs of white space.
std::vector<CString> Words(const CString& text)
{
    std::vector<CString> words;
    const char* at = text.GetString();
    while (*at) {
        while (*at && IsWhiteSpace(*at))
            ++at;
        const char* start = at;
        while (*at && !IsWhiteSpace(*at))
            ++at;
        if (at > start)
            words.emplace_back(start, static_cast<int>(at - start));
    }
    return words;
}

BOOL SameName(const CString& a, const CString& b) { return _mbsicmp(a.GetString(), b.GetString()) == 0; }

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageQSRBSegPackMap, VqsOptionPage)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_MAPPINGS, &VqsOptionPageQSRBSegPackMap::OnColumnClick)
    ON_NOTIFY(LVN_ITEMCHANGING, IDC_MAPPINGS, &VqsOptionPageQSRBSegPackMap::OnItemChanging)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_MAPPINGS, &VqsOptionPageQSRBSegPackMap::OnItemChanged)
    ON_EN_CHANGE(IDC_MAP_TO, &VqsOptionPageQSRBSegPackMap::OnMapToChanged)
    ON_CBN_EDITCHANGE(IDC_PACK, &VqsOptionPageQSRBSegPackMap::OnPackChanged)
    ON_CBN_SELCHANGE(IDC_PACK, &VqsOptionPageQSRBSegPackMap::OnPackChanged)
    ON_CBN_KILLFOCUS(IDC_PACK, &VqsOptionPageQSRBSegPackMap::OnPackChanged)
    ON_CBN_CLOSEUP(IDC_PACK, &VqsOptionPageQSRBSegPackMap::OnPackChanged)
    ON_BN_CLICKED(IDC_ADD, &VqsOptionPageQSRBSegPackMap::OnAddMapping)
    ON_BN_CLICKED(IDC_DELETE, &VqsOptionPageQSRBSegPackMap::OnDeleteMapping)
END_MESSAGE_MAP()

namespace {

struct SortContext {
    int column;
    BOOL ascending;
};

int SortCallback(LPARAM a, LPARAM b, LPARAM context)
{
    using Pair = VqsOptionPageQSRBSegPackMap::MapPair;
    const auto* sort = reinterpret_cast<const SortContext*>(context);
    return VqsOptionPageQSRBSegPackMap::CompareMappings(*reinterpret_cast<const Pair*>(a),
                                                       *reinterpret_cast<const Pair*>(b), sort->column,
                                                       sort->ascending);
}

} // namespace

VqsOptionPageQSRBSegPackMap::VqsOptionPageQSRBSegPackMap(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                         int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_PACK_MAPPING, pageIndex), m_pQSRSheet(sheet),
      m_mapTo(&m_connector, IDC_MAP_TO, kPackCharacters, kNoValidator), m_pack(&m_connector, IDC_PACK, kReservedWord)
{
    m_pack.SetTextLimit(kPackCharacters);
}

PxQSRBSegOptions& VqsOptionPageQSRBSegPackMap::Options() const { return *m_pQSRSheet->GetQSROptions(); }

void VqsOptionPageQSRBSegPackMap::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPage::DoDataExchange(pDX);
    if (!m_list.m_hWnd) {
        DDX_Control(pDX, IDC_MAPPINGS, m_list);
        DDX_Control(pDX, IDC_DELETE, m_delete);
        DDX_Control(pDX, IDC_ADD, m_add);
    }
}

BOOL VqsOptionPageQSRBSegPackMap::OnInitDialog()
{
    VqsOptionPage::OnInitDialog();
    return TRUE;
}

BOOL VqsOptionPageQSRBSegPackMap::IsNotUpdated() { return !Options().IsUpdatedPackMapping(); }

void VqsOptionPageQSRBSegPackMap::ClearOptions() { Options().ClearPackMapping(); }

int VqsOptionPageQSRBSegPackMap::CompareMappings(const MapPair& a, const MapPair& b, int column, BOOL ascending)
{
    const CString& firstA = column == 0 ? a.pack : a.mapTo;
    const CString& firstB = column == 0 ? b.pack : b.mapTo;
    const int first = _mbsicmp(firstA.GetString(), firstB.GetString());
    if (first != 0)
        return ascending ? first : -first;
    const CString& secondA = column == 0 ? a.mapTo : a.pack;
    const CString& secondB = column == 0 ? b.mapTo : b.pack;
    return _mbsicmp(secondA.GetString(), secondB.GetString());
}

void VqsOptionPageQSRBSegPackMap::MakeColumns()
{
    if (m_bColumnsMade || !m_list.m_hWnd)
        return;
    m_bColumnsMade = TRUE;
    CRect client;
    m_list.GetClientRect(&client);
    CString packs;
    CString mapTo;
    packs.LoadString(IDS_COLUMN_PACKS_TO_MAP);
    mapTo.LoadString(IDS_COLUMN_MAP_TO);
    m_list.InsertColumn(0, packs, LVCFMT_LEFT, client.Width() / 2);
    m_list.InsertColumn(1, mapTo, LVCFMT_LEFT, client.Width() - client.Width() / 2);
}

VqsOptionPageQSRBSegPackMap::MapPair* VqsOptionPageQSRBSegPackMap::FindPair(const CString& pack) const
{
    for (const auto& pair : m_pairs)
        if (SameName(pair->pack, pack))
            return pair.get();
    return nullptr;
}

int VqsOptionPageQSRBSegPackMap::FindMappingRow(const MapPair* pair) const
{
    if (!pair || !m_list.m_hWnd)
        return -1;
    LVFINDINFO find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(pair);
    return m_list.FindItem(&find);
}

int VqsOptionPageQSRBSegPackMap::InsertRow(MapPair* pair)
{
    if (!m_list.m_hWnd)
        return -1;
    LVITEM item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = 0;
    item.pszText = const_cast<char*>(pair->pack.GetString());
    item.lParam = reinterpret_cast<LPARAM>(pair);
    const int row = m_list.InsertItem(&item);
    if (row >= 0)
        m_list.SetItemText(row, 1, pair->mapTo);
    return row;
}

void VqsOptionPageQSRBSegPackMap::LoadOptions()
{
    MakeColumns();
    m_packNames = VqsEnterprisePackNames();
    const std::vector<CString> words = Words(Options().GetPackMapping());
    std::vector<CString> packs;
    std::vector<CString> mapTos;
    for (std::size_t i = 0; i < words.size(); i += 2) {
        packs.push_back(words[i]);
        mapTos.push_back(i + 1 < words.size() ? words[i + 1] : CString());
    }
    for (auto it = m_pairs.begin(); it != m_pairs.end();) {
        const CString& pack = (*it)->pack;
        const BOOL kept = std::any_of(packs.begin(), packs.end(), [&](const CString& p) { return SameName(p, pack); });
        if (kept) {
            ++it;
            continue;
        }
        const int row = FindMappingRow(it->get());
        if (row >= 0)
            m_list.DeleteItem(row);
        if (m_pCurrent == it->get())
            m_pCurrent = nullptr;
        it = m_pairs.erase(it);
    }
    for (std::size_t i = 0; i < packs.size(); ++i) {
        if (MapPair* pair = FindPair(packs[i])) {
            if (pair->mapTo != mapTos[i]) {
                pair->mapTo = mapTos[i];
                const int row = FindMappingRow(pair);
                if (row >= 0)
                    m_list.SetItemText(row, 1, pair->mapTo);
            }
            continue;
        }
        m_pairs.push_back(std::make_unique<MapPair>(MapPair{packs[i], mapTos[i]}));
        InsertRow(m_pairs.back().get());
    }
    SortMappings();
    if (m_list.m_hWnd && m_list.GetNextItem(-1, LVNI_SELECTED) >= 0 && m_list.GetItemCount() > 0) {
        SelectRow(0);
        m_list.EnsureVisible(0, FALSE);
    }
    ShowSelectedMapping();
}

void VqsOptionPageQSRBSegPackMap::SortMappings()
{
    if (!m_list.m_hWnd)
        return;
    SortContext context{m_sortColumn, m_bAscending};
    m_list.SortItems(&SortCallback, reinterpret_cast<DWORD_PTR>(&context));
    VqsSetHeaderSortArrow(&m_list, m_sortColumn, m_bAscending);
}

void VqsOptionPageQSRBSegPackMap::EnsureSelectionVisible()
{
    const int selected = m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
    if (selected >= 0)
        m_list.EnsureVisible(selected, FALSE);
}

void VqsOptionPageQSRBSegPackMap::SelectRow(int row)
{
    for (int other = m_list.GetNextItem(-1, LVNI_SELECTED); other >= 0;
         other = m_list.GetNextItem(other, LVNI_SELECTED))
        if (other != row)
            m_list.SetItemState(other, 0, LVIS_SELECTED);
    if (row >= 0)
        m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

BOOL VqsOptionPageQSRBSegPackMap::IsMapped(const CString& pack) const { return FindPair(pack) != nullptr; }

void VqsOptionPageQSRBSegPackMap::ShowSelectedMapping()
{
    const int selected = m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
    if (selected < 0) {
        m_pCurrent = nullptr;
        m_mapTo.SetValue("");
        m_pack.SetValue("");
        OnOptionChanged(&m_mapTo, TRUE);
        OnOptionChanged(&m_pack, TRUE);
        m_mapTo.SetValue("");
        m_pack.SetValue("");
    } else {
        m_pCurrent = reinterpret_cast<MapPair*>(m_list.GetItemData(selected));
        CStringArray choices;
        choices.Add(m_pCurrent->pack);
        for (int i = 0; i < m_packNames.GetSize(); ++i)
            if (!IsMapped(m_packNames[i]))
                choices.Add(m_packNames[i]);
        m_pack.SetItems(choices);
        m_pack.SetValue(m_pCurrent->pack);
        m_mapTo.SetValue(m_pCurrent->mapTo);
    }
    m_mapTo.Enable(selected >= 0);
    m_pack.Enable(selected >= 0);
    if (m_delete.m_hWnd)
        m_delete.EnableWindow(selected >= 0);
    if (m_hWnd)
        UpdateData(FALSE);
}

void VqsOptionPageQSRBSegPackMap::OnItemChanging(NMHDR*, LRESULT* result) { *result = FALSE; }

void VqsOptionPageQSRBSegPackMap::OnItemChanged(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
        ShowSelectedMapping();
}

void VqsOptionPageQSRBSegPackMap::OnMapToChanged()
{
    if (!OnOptionChanged(&m_mapTo, TRUE) || !m_pCurrent)
        return;
    m_pCurrent->mapTo = m_mapTo.GetValue();
    m_list.SetItemText(FindMappingRow(m_pCurrent), 1, m_pCurrent->mapTo);
    SortMappings();
    EnsureSelectionVisible();
}

void VqsOptionPageQSRBSegPackMap::OnPackChanged()
{
    if (!OnOptionChanged(&m_pack, TRUE) || !m_pCurrent)
        return;
    m_pCurrent->pack = m_pack.GetValue();
    m_list.SetItemText(FindMappingRow(m_pCurrent), 0, m_pCurrent->pack);
    SortMappings();
    EnsureSelectionVisible();
}

void VqsOptionPageQSRBSegPackMap::OnAddMapping()
{
    m_pairs.push_back(std::make_unique<MapPair>());
    const int row = InsertRow(m_pairs.back().get());
    if (row < 0) {
        m_pairs.pop_back();
        return;
    }
    SelectRow(row);
    m_list.EnsureVisible(row, FALSE);
    ShowSelectedMapping();
    if (CWnd* combo = GetDlgItem(IDC_PACK))
        GotoDlgCtrl(combo);
}

void VqsOptionPageQSRBSegPackMap::OnDeleteMapping()
{
    if (m_pCurrent) {
        const int row = FindMappingRow(m_pCurrent);
        MapPair* gone = m_pCurrent;
        m_pCurrent = nullptr;
        if (row >= 0)
            m_list.DeleteItem(row);
        std::erase_if(m_pairs, [&](const std::unique_ptr<MapPair>& pair) { return pair.get() == gone; });
    }
    SelectRow(-1);
    ShowSelectedMapping();
}

void VqsOptionPageQSRBSegPackMap::OnColumnClick(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const int column = reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem;
    if (column == m_sortColumn) {
        m_bAscending = !m_bAscending;
    } else {
        m_sortColumn = column;
        m_bAscending = TRUE;
    }
    SortMappings();
    EnsureSelectionVisible();
}

void VqsOptionPageQSRBSegPackMap::Refuse(MapPair* pair, UINT messageId, int focusId)
{
    if (pair != m_pCurrent && m_list.m_hWnd) {
        SelectRow(FindMappingRow(pair));
        ShowSelectedMapping();
    }
    if (CWnd* control = m_hWnd ? GetDlgItem(focusId) : nullptr)
        GotoDlgCtrl(control);
    CString text;
    text.LoadString(messageId);
    throw VqsExceptionData(text, "VqsOptionPageQSRBSegPackMap", __LINE__);
}

void VqsOptionPageQSRBSegPackMap::StoreOptions()
{
    CString result;
    for (std::size_t i = 0; i < m_pairs.size(); ++i) {
        MapPair* pair = m_pairs[i].get();
        pair->pack.Trim();
        pair->mapTo.Trim();
        if (pair->pack.IsEmpty() || pair->pack.Find(' ') >= 0)
            Refuse(pair, IDS_ENTER_VALID_PACK, IDC_PACK);
        if (pair->mapTo.IsEmpty() || pair->mapTo.Find(' ') >= 0)
            Refuse(pair, IDS_ENTER_VALID_PACK, IDC_MAP_TO);
        for (std::size_t earlier = 0; earlier < i; ++earlier)
            if (SameName(m_pairs[earlier]->pack, pair->pack))
                Refuse(pair, IDS_PACK_ALREADY_MAPPED, IDC_PACK);
        if (!result.IsEmpty())
            result += ' ';
        result += pair->pack + ' ' + pair->mapTo;
    }
    Options().SetPackMapping(result);
}
