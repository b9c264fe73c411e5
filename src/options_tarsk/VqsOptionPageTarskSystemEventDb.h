// The "FOLN" page of the system EVENT options of a Tarsk business segment: the storage of
// the EVENT database's table (the EVENT slot of the system tables), bound to the record
// directly, and "Revert to Standard Layout".
#pragma once

#include "options/VqsOptionPage.h"
#include "proxy/PxForward.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlInt.h"
#include "shell/VqsOptCtrlRadio.h"

class VqsOptions_BSeg_Tarsk_Sheet;

class VqsOptionPageTarskSystemEventDb : public VqsOptionPage {
public:
    VqsOptionPageTarskSystemEventDb(VqsOptions_BSeg_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    PxLSEBusinessSegmentPtr DesignSegment() const;
    void FillPackNames();
    void LoadDuplex();
    void EnableControls();
    BOOL Taken(VqsOptCtrl& binder) { return OnOptionChanged(&binder, TRUE); }
    void Shown() { UpdateData(FALSE); }

    void OnPlainChange(VqsOptCtrl& binder) { Taken(binder); }
    void OnMaxPagesChanged() { OnPlainChange(m_maxPages); }
    void OnInitialReserveChanged() { OnPlainChange(m_initialReserve); }
    void OnLoadFactorChanged() { OnPlainChange(m_loadFactor); }
    void OnIndexPageFactorChanged() { OnPlainChange(m_indexPageFactor); }
    void OnDataPageFactorChanged() { OnPlainChange(m_dataPageFactor); }
    void OnMergeFactorChanged() { OnPlainChange(m_mergeFactor); }
    void OnLockingChanged() { OnPlainChange(m_locking); }
    void OnCompressionChanged() { OnPlainChange(m_compression); }
    void OnRevertChanged() { OnPlainChange(m_revertLayout); }
    void OnPackChanged() { OnPlainChange(m_pack); }
    void OnDuplexChanged() { OnPlainChange(m_duplexPack); }
    void OnQubChanged();
    void OnNoQub();
    void OnPackDefault();
    void OnDuplexDefault();
    void OnNoDuplex();
    void OnPageSizeChanged();
    void OnPageSizeDefault();
    void OnAudited();
    void OnAuditedDefault();
    void OnKeepAssigned();
    void OnKeepAssignedDefault();
    void OnSizingChanged();

    VqsOptions_BSeg_Tarsk_Sheet* m_pTarskSheet;
    VqsOptCtrlFlag m_packDefault;
    VqsOptCtrlFlag m_duplexDefault;
    VqsOptCtrlFlag m_noDuplex;
    VqsOptCtrlFlag m_revertLayout;
    VqsOptCtrlFlag m_noQub;
    VqsOptCtrlFlag m_audited;
    VqsOptCtrlFlag m_pageSizeDefault;
    VqsOptCtrlFlag m_auditedDefault;
    VqsOptCtrlFlag m_keepAssignedDefault;
    VqsOptCtrlFlag m_keepAssigned;
    VqsOptCtrlFlag m_compression;
    VqsOptCtrlCombo m_pack;
    VqsOptCtrlCombo m_duplexPack;
    VqsOptCtrlCombo m_pageSize;
    VqsOptCtrlInt m_qubNumber;
    VqsOptCtrlInt m_maxPages;
    VqsOptCtrlInt m_initialReserve;
    VqsOptCtrlInt m_loadFactor;
    VqsOptCtrlInt m_indexPageFactor;
    VqsOptCtrlInt m_dataPageFactor;
    VqsOptCtrlInt m_mergeFactor;
    VqsOptCtrlRadio m_sizing;
    VqsOptCtrlRadio m_locking;
};
