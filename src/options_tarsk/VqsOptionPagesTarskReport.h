// The tabs of a Tarsk report: "Environment", "Extract File" (one file "A" to "Z" at a
// time, on disk or on tape), "Generate" and "Fast Load".
#pragma once

#include "options/VqsOptionPagesProfileReport.h"

class PxTarskReportOptions;
class VqsOptions_Report_Tarsk_Sheet;

class VqsOptionPageTarskReportEnv : public VqsOptionPageReportEnv {
public:
    VqsOptionPageTarskReportEnv(VqsOptions_Report_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

protected:
    void OnOptionTaken(UINT id) override;

private:
    VqsOptions_Report_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlInt& m_sortMemorySize;
};

class VqsOptionPageTarskReportExtractFile : public VqsOptionPageReportExtractFile {
public:
    VqsOptionPageTarskReportExtractFile(VqsOptions_Report_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;
    void EnableDependentControls() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    enum Kind { Disk = 0, Tape = 1 };

    PxTarskReportOptions& Options() const;
    BOOL IsTape() const { return m_kind.m_nValue == Tape; }
    void OnDefaultBox(VqsOptCtrlFlag& box, VqsOptCtrlInt& number);

    VqsOptions_Report_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlRadio m_kind;
    VqsOptCtrlRadio m_recordFormat;
    VqsOptCtrlRadio m_formatType;
    VqsOptCtrlFlag m_expectedDefault;
    VqsOptCtrlFlag m_recordsPerBlockDefault;
    VqsOptCtrlFlag m_labelled;
    VqsOptCtrlInt m_expected;
    VqsOptCtrlInt m_diskRecordsPerBlock;
    VqsOptCtrlInt m_tapeRecordsPerBlock;
    VqsOptCtrlString m_device;
    VqsOptCtrlString m_reel;
};

class VqsOptionPageTarskReportGenerate : public VqsOptionPageReportGenerate {
public:
    VqsOptionPageTarskReportGenerate(VqsOptions_Report_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);
};

class VqsOptionPageTarskReportFastLoad : public VqsTableOptionPage {
public:
    VqsOptionPageTarskReportFastLoad(VqsOptions_Report_Tarsk_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

private:
    VqsOptions_Report_Tarsk_Sheet* m_pTypedSheet;
    VqsOptCtrlInt* m_pLoadFactor = nullptr;
    VqsOptCtrlInt* m_pSplitRuns = nullptr;
};
