// The "FOLN" tab of a Tarsk component: its FOLN database's placement and sizing, by
// expected number of records or by maximum pages.
#pragma once

#include "options_tarsk/VqsOptionPageTarskElementDb.h"

class PxTarskCompOptions;
class VqsOptions_Component_Tarsk_Sheet;

class VqsOptionPageTarskComponentDB : public VqsOptionPageTarskElementDb {
public:
    VqsOptionPageTarskComponentDB(VqsOptions_Component_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

protected:
    VqsTarskDbPlacement ReadPlacement() const override;
    void WritePlacement(const VqsTarskDbPlacement& placement) override;
    CString DefaultDuplexPackShown() const override;
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    PxTarskCompOptions& Options() const;

    VqsOptions_Component_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlInt m_expected;
    VqsOptCtrlRadio& m_sizing;
    VqsOptCtrlInt& m_maxPages;
};
