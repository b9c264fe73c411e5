// The "Internal TOLVE" page of a QSR business segment: population, population increase,
// population warning and pack of the 25 internal database structures of the generated
// system, in four categories. A grid lists the structures of the category chosen, greying
// every value at its default; below it the values of one structure are edited, each with a
// "Default" box. The defaults of increase, warning and pack are the current values of the
// Default TOLVE and Pack Allocation pages and follow them live.
#pragma once

#include "options/VqsOptionPage.h"
#include "proxy/PxQSRBSegOptions.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "win/CListCtrl.h"

#include <array>
#include <cstdint>

class VqsOptions_BSeg_QSR_Sheet;

// The structures' grid: a cell whose value is at its default is drawn grey.
class VqsListCtrl : public CListCtrl {
public:
    static constexpr int kRows = 25;
    static constexpr int kColumns = 5;
    using Marks = std::array<std::array<int, kColumns>, kRows>;

    int GetMark(int row, int column) const;
    // The marks of the structures from `first` to the last become the rows' from the top.
    void CopyMarks(const Marks& marks, int first);

protected:
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    DECLARE_MESSAGE_MAP()

private:
    Marks m_marks{};
};

class VqsOptionPageQSRBSegPopset : public VqsOptionPage {
public:
    static constexpr int kStructures = VqsListCtrl::kRows;

    VqsOptionPageQSRBSegPopset(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

    // The defaults changed on the Default TOLVE page.
    void OnDefaultPopulationIncreaseChanged(std::int64_t value);
    void OnDefaultPopulationWarnChanged(std::int64_t value);
    // A default pack changed on the Pack Allocation page: kind 0 database, 1 ROC output,
    // 2 ad hoc info.
    void OnDefaultPackChanged(const CString& pack, int kind);
    void EnableAdhocCategory(BOOL enable);
    void EnablePCECategory(BOOL enable);

    // The name of a structure; empty outside 0 to 24.
    static CString StructureName(int index);
    const VqsListCtrl& GetGrid() const { return m_grid; }

protected:
    void OnCategoryClicked();
    void OnStructureChanged();
    void OnGridClick(NMHDR* header, LRESULT* result);
    void OnPopulationChanged();
    void OnIncreaseChanged();
    void OnWarningChanged();
    void OnPackChanged();
    void OnPopulationDefaultClicked();
    void OnIncreaseDefaultClicked();
    void OnWarningDefaultClicked();
    void OnPackDefaultClicked();
    DECLARE_MESSAGE_MAP()

private:
    struct Working {
        std::int64_t population = 0;
        std::int64_t increase = 0;
        std::int64_t warning = 0;
        CString pack;
    };

    PxQSRBSegOptions& Options() const;
    // The cached default pack of a structure's category, or the sheet's current one.
    CString CachedDefaultPack(int structure) const;
    CString CurrentDefaultPack(int structure) const;
    void ShowCategoryNames();
    void SelectByName();
    void ShowStructure(int index);
    void RecomputeMarks();
    void RebuildGrid();
    void RefreshCurrentRow();
    void MakeColumns();
    // What the page shows after the record changed under it.
    void ShowAfterWrite();
    // The current structure's shown values into the working table.
    void TakeShownValues();
    void OnDefaultNumberChanged(std::int64_t Working::*field, BOOL (PxQSRBSegOptions::*isDefault)(int) const,
                                std::int64_t& cached, VqsOptCtrlFlag& box, VqsOptCtrlInt& edit, std::int64_t value);
    void KeepMovedValues(BOOL ownValueMoved);
    void OnNumberDefaultClicked(VqsOptCtrlFlag& box, VqsOptCtrlInt& edit, std::int64_t Working::*field,
                                std::int64_t defaultValue);

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlRadio m_category;
    VqsOptCtrlCombo m_structure;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlInt m_population;
    VqsOptCtrlInt m_increase;
    VqsOptCtrlInt m_warning;
    VqsOptCtrlFlag m_populationDefault;
    VqsOptCtrlFlag m_increaseDefault;
    VqsOptCtrlFlag m_warningDefault;
    VqsOptCtrlFlag m_packDefault;
    std::array<Working, kStructures> m_working{};
    int m_current = 0;
    std::int64_t m_defaultIncrease = 0;
    std::int64_t m_defaultWarning = 0;
    // The database, ROC output and ad hoc info packs, by kind.
    std::array<CString, 3> m_defaultPacks;
    VqsListCtrl m_grid;
    BOOL m_bColumnsMade = FALSE;
    VqsListCtrl::Marks m_marks{};
};
