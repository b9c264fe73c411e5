// The platform-neutral pages of a profile's options ("Environment": pack and estimates) and
// of a report's ("Environment", "Extract File", "Generate").
#pragma once

#include "options/VqsOptionsSheet.h"
#include "options/VqsTableOptionPage.h"
#include "win/CSpinButtonCtrl.h"

class VqsOptionPageProfileEnv : public VqsTableOptionPage {
public:
    VqsOptionPageProfileEnv(VqsOptions_Profile_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    enum Estimate { DefaultEstimates = 0, ExpectedNumber = 1, Percentage = 2 };

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnExpectedNumberChanged();
    void OnPercentChanged();
    void ShowEstimate(Estimate estimate);
    void TellPackChanged();
    void TellEstimateChanged();
    // An automatic profile of an Ispec: its estimates are not the user's to set.
    BOOL IsAutomaticProfile() const;
    DECLARE_MESSAGE_MAP()

    VqsOptions_Profile_Sheet* m_pTypedSheet;
    VqsOptCtrlCombo& m_pack;
    VqsOptCtrlFlag& m_useDefaultPack;
    VqsOptCtrlRadio m_estimate;
    VqsOptCtrlInt m_expectedNumber;
    VqsOptCtrlInt m_percent;
    BOOL m_bExpectedNumberNotAvailable = FALSE;
    BOOL m_bPercentNotAvailable = FALSE;
};

class VqsOptionPageReportEnv : public VqsTableOptionPage {
public:
    VqsOptionPageReportEnv(VqsOptions_Report_Sheet* sheet, UINT dialogId, int pageIndex);

protected:
    void EnableDependentControls() override;

    VqsOptions_Report_Sheet* m_pTypedSheet;
    VqsOptCtrlCombo& m_extractPack;
    VqsOptCtrlFlag& m_useDefaultPack;
    VqsOptCtrlFlag& m_oltpClient;
};

// One extract file ("A" to "Z") at a time; the spin control moves to another.
class VqsOptionPageReportExtractFile : public VqsOptionPage {
public:
    VqsOptionPageReportExtractFile(VqsOptions_Report_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;
    // Each platform page enables the controls of its extract-file options; none here.
    virtual void EnableDependentControls();

    int GetFileIndex() const { return m_nFileIndex; }

protected:
    void OnUseFileClicked();
    void OnSpinDelta(NMHDR* header, LRESULT* result);
    // FALSE when the user kept the current file (Cancel, or a save that failed).
    BOOL SwitchToFile(int position);
    DECLARE_MESSAGE_MAP()

    VqsOptions_Report_Sheet* m_pTypedSheet;
    int m_nFileIndex = 0;
    VqsOptCtrlFlag m_useFile;
    CString m_fileLetter;
    CSpinButtonCtrl m_spin;
};

class VqsOptionPageReportGenerate : public VqsTableOptionPage {
public:
    VqsOptionPageReportGenerate(VqsOptions_Report_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void AdjustLoadedValues() override;

    VqsOptions_Report_Sheet* m_pTypedSheet;
    VqsOptCtrlString& m_asName;
    VqsOptCtrlCombo& m_language;
};
