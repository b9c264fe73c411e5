// The pages of a QSR report's options, each a QSR layer over the framework's report page:
// "Environment" adds the sort sizes, ROC's use of the database and generation as a
// coroutine; "Extract File" the medium, record format, blocking, expected number and tape
// label of the file chosen; "Generate" is the framework's page.
#pragma once

#include "options/VqsOptionPagesProfileReport.h"

class VqsOptions_Report_QSR_Sheet;

class VqsOptionPageQSRReportEnv : public VqsOptionPageReportEnv {
public:
    VqsOptionPageQSRReportEnv(VqsOptions_Report_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;

protected:
    void AdjustLoadedValues() override;
    void OnOptionTaken(UINT id) override;

    VqsOptions_Report_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_rocUsesDatabase;
    VqsOptCtrlFlag& m_useDefaultRocUsesDatabase;
    VqsOptCtrlFlag& m_asCoroutine;
    VqsOptCtrlInt& m_sortMemorySize;
    VqsOptCtrlInt& m_sortDiskSize;
    VqsOptCtrlFlag& m_useDefaultSortDiskSize;
};

class VqsOptionPageQSRReportExtractFile : public VqsOptionPageReportExtractFile {
public:
    VqsOptionPageQSRReportExtractFile(VqsOptions_Report_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    void LoadOptions() override;
    void EnableDependentControls() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL IsDiskFile() const { return m_kind.m_nValue == 0; }
    // A "use default number" box changed: its number shows "not available" while it is set.
    void OnDefaultBoxTaken(VqsOptCtrlFlag& box, VqsOptCtrlInt& number);

    VqsOptions_Report_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlRadio m_kind;
    VqsOptCtrlRadio m_recordFormat;
    VqsOptCtrlFlag m_useDefaultRecordsPerBlock;
    VqsOptCtrlInt m_diskRecordsPerBlock;
    VqsOptCtrlInt m_tapeRecordsPerBlock;
    VqsOptCtrlFlag m_useDefaultExpected;
    VqsOptCtrlInt m_expected;
    VqsOptCtrlFlag m_tapeLabelled;
};

class VqsOptionPageQSRReportGenerate : public VqsOptionPageReportGenerate {
public:
    VqsOptionPageQSRReportGenerate(VqsOptions_Report_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

protected:
    VqsOptions_Report_QSR_Sheet* m_pQSRSheet;
};
