// The pages of a QSR profile's options: "Environment", the framework's page with the
// enterprise's packs, and "TOLVE", how the profile is laid out as a set on the host, with
// its section definition edited as lines of 76 characters that may hold double-byte text.
#pragma once

#include "options/VqsOptionPagesProfileReport.h"
#include "win/CButton.h"
#include "win/CListBox.h"

#include <vector>

class VqsOptions_Profile_QSR_Sheet;

class VqsOptionPageQSRProfileEnv : public VqsOptionPageProfileEnv {
public:
    VqsOptionPageQSRProfileEnv(VqsOptions_Profile_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

protected:
    void AdjustLoadedValues() override;

    VqsOptions_Profile_QSR_Sheet* m_pQSRSheet;
};

class VqsOptionPageQSRProfileTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRProfileTOLVE(VqsOptions_Profile_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;
    // The business segment supports Japanese and targets the QSR host alone: double-byte
    // text in a section line gets its shift marks as soon as the line is left.
    virtual BOOL IsDoubleByteMode();

    // The section definition as the list shows it, and back.
    static std::vector<CString> SectionLines(const CString& definition);
    static CString SectionDefinition(const std::vector<CString>& lines);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnAddLine();
    void OnDeleteLine();
    void OnLineSelected();
    void OnLineEdited();
    void OnLineLeft();
    // The selected list line becomes the line edit's text.
    void ReplaceSelectedLine();
    void EnableSectionControls();
    BOOL DesignAllowsDuplicates() const;

    VqsOptions_Profile_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlRadio m_duplicatesOrder;
    VqsOptCtrlRadio m_memoryResident;
    VqsOptCtrlInt& m_loadFactor;
    VqsOptCtrlFlag& m_useDefaultLoadFactor;
    VqsOptCtrlInt& m_tableSize;
    VqsOptCtrlInt& m_tableAreaSize;
    VqsOptCtrlInt& m_buffers;
    VqsOptCtrlInt& m_buffersPerUser;
    VqsOptCtrlFlag& m_useDefaultBuffersPerUser;
    VqsOptCtrlInt& m_buffersPerRandomUser;
    VqsOptCtrlInt& m_buffersPerSerialUser;
    VqsOptCtrlFlag& m_allowSections;
    VqsOptCtrlString m_line;
    CListBox m_lines;
    CButton m_addLine;
    CButton m_deleteLine;
    std::vector<CString> m_loadedLines;
    BOOL m_bDuplicatesAllowed = FALSE;
};
