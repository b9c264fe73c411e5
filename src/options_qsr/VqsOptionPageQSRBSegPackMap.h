// The "Pack Mapping" page of a QSR business segment: pairs that map a pack name to another,
// kept by the page in a list of its own and shown in a two-column list, stored as one text
// option ("P Q R S" maps P to Q and R to S).
#pragma once

#include "options/VqsOptionPage.h"
#include "proxy/PxQSRBSegOptions.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlString.h"
#include "win/CButton.h"
#include "win/CListCtrl.h"

#include <memory>
#include <vector>

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegPackMap : public VqsOptionPage {
public:
    struct MapPair {
        CString pack;
        CString mapTo;
    };

    VqsOptionPageQSRBSegPackMap(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Refuses a pair without a pack or a map-to name, or a pack mapped twice
    // (VqsExceptionData, after selecting the pair and focusing its field).
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    // Merges the stored pairs into those on the page: rows of surviving packs keep their place.
    void LoadOptions() override;

    // The order of two pairs under the sort column and direction.
    static int CompareMappings(const MapPair& a, const MapPair& b, int column, BOOL ascending);

protected:
    void OnColumnClick(NMHDR* header, LRESULT* result);
    void OnItemChanging(NMHDR* header, LRESULT* result);
    void OnItemChanged(NMHDR* header, LRESULT* result);
    void OnMapToChanged();
    void OnPackChanged();
    void OnAddMapping();
    void OnDeleteMapping();
    DECLARE_MESSAGE_MAP()

private:
    PxQSRBSegOptions& Options() const;
    void MakeColumns();
    int FindMappingRow(const MapPair* pair) const;
    MapPair* FindPair(const CString& pack) const;
    int InsertRow(MapPair* pair);
    void SortMappings();
    void EnsureSelectionVisible();
    void ShowSelectedMapping();
    void SelectRow(int row);
    BOOL IsMapped(const CString& pack) const;
    [[noreturn]] void Refuse(MapPair* pair, UINT messageId, int focusId);

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    std::vector<std::unique_ptr<MapPair>> m_pairs;
    CStringArray m_packNames;
    VqsOptCtrlString m_mapTo;
    VqsOptCtrlCombo m_pack;
    CListCtrl m_list;
    CButton m_delete;
    CButton m_add;
    BOOL m_bColumnsMade = FALSE;
    int m_sortColumn = 0;
    BOOL m_bAscending = TRUE;
    MapPair* m_pCurrent = nullptr;
};
