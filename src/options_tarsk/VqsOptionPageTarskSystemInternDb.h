// The "Internal FOLN" page of a Tarsk business segment: per FOLN system table its packs,
// QUB number, page size, sizing, reserve, load factor, locking, compression, audited and
// keep-assigned flags and tuning factors. The rows of all tables are held in memory; the
// grid shows one category of tables, and the controls below it edit the selected row.
#pragma once

#include "options/VqsOptionPage.h"
#include "proxy/PxForward.h"
#include "options_tarsk/VqsListCtrlTarsk.h"
#include "options_tarsk/VqsTarskSysTables.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"

#include <array>

class VqsOptions_BSeg_Tarsk_Sheet;

class VqsOptionPageTarskSystemInternDb : public VqsOptionPage {
public:
    VqsOptionPageTarskSystemInternDb(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

    // What the sheet tells the page of the other pages' changes.
    void ApplyDatabasePack(const CString& pack);
    void ApplyDuplexPack(const CString& pack);
    void OnAllQUBduplexChanged(BOOL checked);
    void RefillTableGrid(BOOL capable);

    // For the grid.
    int GetTableSlotOfItem(int item) const { return vqstarsk::SlotOfItem(m_category, item); }
    int GetCurrentTableSlot() const { return GetTableSlotOfItem(m_nCurrentItem); }
    BOOL IsCellChanged(int slot, int column) const;

protected:
    DECLARE_MESSAGE_MAP()

private:
    using Row = vqstarsk::VqsTarskSysTableRow;

    BOOL IsPCECapable() const;
    // The business segment of the design repository, for its production-system flag.
    PxLSEBusinessSegmentPtr DesignSegment() const;
    Row& CurrentRow() { return m_rows[GetCurrentTableSlot()]; }
    vqstarsk::ShownPacks CurrentPacks() const;
    void InsertColumns();
    void FillPackNames();
    void ReadRow(int slot);
    void WriteRow(int slot);
    void ShowCategory(vqstarsk::Category category);
    void FillRowText(int slot, int item);
    void RefreshCurrentRow();
    void ShowTableRow(int slot);
    void EnableDuplexControls();
    // "All QUB Files DUPLEX": every table with a QUB number and no duplex pack takes the
    // default DUPLEX pack; also at load, as the Environment page may have set it unapplied.
    void DuplexEveryQubTable();
    // A change of a control of the current row was taken: TRUE to go on.
    BOOL Taken(VqsOptCtrl& binder) { return OnOptionChanged(&binder, TRUE); }
    void RowChanged();
    // UpdateData(TRUE) in strict mode; on a failure the current item stays selected.
    BOOL TakeCurrentRow();

    void NumberChanged(VqsOptCtrlInt& edit, std::int64_t Row::*field);
    void OnPopulationChanged() { NumberChanged(m_population, &Row::population); }
    void OnMaxPagesChanged() { NumberChanged(m_maxPages, &Row::maxPages); }
    void OnInitialReserveChanged() { NumberChanged(m_initialReserve, &Row::initialReserve); }
    void OnLoadFactorChanged() { NumberChanged(m_loadFactor, &Row::loadFactor); }
    void OnDataPageFactorChanged() { NumberChanged(m_dataPageFactor, &Row::dataPageFactor); }
    void OnIndexPageFactorChanged() { NumberChanged(m_indexPageFactor, &Row::indexPageFactor); }
    void OnMergeFactorChanged() { NumberChanged(m_mergeFactor, &Row::mergeFactor); }
    void OnQubChanged();
    void OnNoQub();
    void OnPackChanged();
    void OnDuplexChanged();
    void OnPackDefault();
    void OnDuplexDefault();
    void OnNoDuplex();
    void OnPageSizeChanged();
    void OnPageSizeDefault();
    void OnAudited();
    void OnAuditedDefault();
    void OnKeepAssigned();
    void OnKeepAssignedDefault();
    void OnCompression();
    void OnSizingChanged();
    void OnLockingChanged();
    void OnCategoryChanged();
    void OnTableClick(NMHDR* header, LRESULT* result);

    VqsOptions_BSeg_Tarsk_Sheet* m_pTarskSheet;
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlFlag m_duplexDefault;
    VqsOptCtrlFlag m_noDuplex;
    VqsOptCtrlFlag m_noQub;
    VqsOptCtrlFlag m_audited;
    VqsOptCtrlFlag m_pageSizeDefault;
    VqsOptCtrlFlag m_auditedDefault;
    VqsOptCtrlFlag m_keepAssignedDefault;
    VqsOptCtrlFlag m_keepAssigned;
    VqsOptCtrlFlag m_compression;
    std::array<Row, vqstarsk::kSlotCount> m_rows;
    std::array<Row, vqstarsk::kSlotCount> m_defaults;
    VqsOptCtrlRadio m_categoryRadio;
    VqsOptCtrlString m_tableName;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlInt m_qubNumber;
    VqsOptCtrlCombo m_duplexPack;
    VqsOptCtrlCombo m_pageSize;
    VqsOptCtrlRadio m_sizing;
    VqsOptCtrlInt m_population;
    VqsOptCtrlInt m_maxPages;
    VqsOptCtrlInt m_initialReserve;
    VqsOptCtrlInt m_loadFactor;
    VqsOptCtrlRadio m_locking;
    VqsOptCtrlInt m_dataPageFactor;
    VqsOptCtrlInt m_indexPageFactor;
    VqsOptCtrlInt m_mergeFactor;
    vqstarsk::Category m_category = vqstarsk::InternalTables;
    int m_nCurrentItem = 0;
    BOOL m_bColumnsInserted = FALSE;
    VqsListCtrlTarsk m_grid;
};
