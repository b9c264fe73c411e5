// The "FOLN" tab of a Tarsk profile: its FOLN database's placement and sizing, by
// population estimates or by maximum pages. Maximum pages are forced when the database
// that the profile's ordinate relation points to (a component's, or the system EVENT
// database) is sized by maximum pages.
#pragma once

#include "options_tarsk/VqsOptionPageTarskElementDb.h"

class PxTarskProfileOptions;
class VqsOptions_Profile_Tarsk_Sheet;

class VqsOptionPageTarskProfileDb : public VqsOptionPageTarskElementDb {
public:
    VqsOptionPageTarskProfileDb(VqsOptions_Profile_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    BOOL IsMaxPagesForced() const { return m_bForced; }

protected:
    VqsTarskDbPlacement ReadPlacement() const override;
    void WritePlacement(const VqsTarskDbPlacement& placement) override;
    CString DefaultDuplexPackShown() const override;
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    enum Estimate { DefaultEstimates = 0, ExpectedNumber = 1, Percentage = 2 };

    PxTarskProfileOptions& Options() const;
    // Whether the database the profile is over is sized by maximum pages; FALSE when the
    // profile or its design model cannot be found.
    BOOL MaxPagesForcedByRelations() const;
    void ShowEstimate(Estimate estimate);
    void EnableEstimates();
    void OnSizingTaken();
    void OnEstimateClicked(UINT id);

    VqsOptions_Profile_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlRadio& m_sizing;
    VqsOptCtrlInt& m_maxPages;
    VqsOptCtrlRadio m_estimate;
    VqsOptCtrlInt m_expectedOrVolume;
    VqsOptCtrlInt m_percent;
    BOOL m_bForced = FALSE;
    BOOL m_bInitialised = FALSE;
};
