// "Generate Reports": the generate set, the host, the reports of one business segment (or
// of a report group) moved between the other available reports and the reports to generate,
// and for each report the name it is generated as. OK checks the names and then analyses
// the configuration once; reports the analysis does not find in the model are marked and
// keep the dialog open until they are moved back.
#pragma once

#include "model/VqsBSLock.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQReportGroup.h"
#include "proxy/PxVQReportSoftLink.h"
#include "shell/VqsDialog.h"
#include "shell/VqsReportGroupsCombo.h"
#include "shell/VqsTypedComboBox.h"
#include "shell/VqsTypedListCtrls.h"
#include "win/CButton.h"
#include "win/CComboBox.h"
#include "win/CEdit.h"
#include "win/CGdiObject.h"

#include <unordered_map>
#include <unordered_set>

class VqsDirectoryView;
class VqsSysFrame;

class VqsGenerateReportDlg : public VqsDialog {
public:
    static constexpr int IDC_GROUP = 32866;
    static constexpr int IDC_ADD = 1285;
    static constexpr int IDC_DELETE = 1298;
    static constexpr int IDC_ADD_ALL = 1287;
    static constexpr int IDC_DELETE_ALL = 1299;
    static constexpr int IDC_SYSTEM = 1047;
    static constexpr int IDC_HOST = 1791;
    static constexpr int IDC_TOTAL = 1290;
    static constexpr int IDC_CHOSEN_COUNT = 1289;
    static constexpr int IDC_MODE_LAST = 1294;
    static constexpr int IDC_MODE_REPORT = 1295;
    static constexpr int IDC_MODE_GROUP = 1296;
    static constexpr int IDC_MODE_TYPED = 1297;
    static constexpr int IDC_NAME_LAST = 1492;
    static constexpr int IDC_NAME_GROUP = 1406;
    static constexpr int IDC_AS_NAME = 1392;
    static constexpr int IDC_AVAILABLE = 1293;
    static constexpr int IDC_CHOSEN = 1288;
    static constexpr int IDC_GENSET = 1022;

    explicit VqsGenerateReportDlg(VqsSysFrame* parent);
    ~VqsGenerateReportDlg() override;

    // Filled by the caller before the dialog runs.
    CString m_strSystem;
    CString m_strHostName;
    PxTypedList<PxVQGenSetPtr> m_genSets;
    PxVQGenSetPtr m_genSet;
    PxVQReportGroupPtr m_pReportGroup;
    PxTypedList<PxVQReportSoftLinkPtr> m_chosenReports;
    // Every report of the link or group starts chosen.
    BOOL m_bAllReports = FALSE;
    BOOL m_bSystemGeneration = FALSE;

    // Read by the caller after OK.
    VqsSyncResult m_elementRecord;
    VqsBSLock m_bsLock;
    PxVQCurConfigPtr m_pCurConfig;

    // The mode and name of a chosen report's generate-as entry (see VqsTypedListCtrl_ToReportLink).
    int GetAsName(const PxVQReportSoftLinkPtr& link, CString& name) { return m_chosenList.GetAsName(link, name); }
    int GetUnmatchedCount() const { return m_nUnmatched; }

    UINT GetResizeSpecs(ResizeSpec*** specs) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnGenSetChanged();
    void OnGroupChanged();
    void OnChosenChanged(NMHDR* header, LRESULT* result);
    void OnAvailableChanged(NMHDR* header, LRESULT* result);
    LRESULT OnChosenSelection(WPARAM, LPARAM);
    LRESULT OnAvailableSelection(WPARAM, LPARAM);
    void OnAdd() { MoveToChosen(FALSE); }
    void OnAddAll() { MoveToChosen(TRUE); }
    void OnDelete() { MoveToAvailable(FALSE); }
    void OnDeleteAll() { MoveToAvailable(TRUE); }
    void OnModeLast() { SetSelectedMode(1); }
    void OnModeReport() { SetSelectedMode(0); }
    void OnModeGroup() { SetSelectedMode(3); }
    void OnModeTyped() { SetSelectedMode(2); }
    void OnAsNameChanged();
    void OnGetMinMaxInfo(MINMAXINFO* info);
    // The chosen count stands out from its background.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT controlKind);
    DECLARE_MESSAGE_MAP()

private:
    using ReportList = PxTypedList<PxVQReportSoftLinkPtr>;

    PxVQBSSoftLinkPtr FirstValidLink() const;
    void FillLists();
    using Handles = std::unordered_set<PxHandle>;

    // `chosen` holds the handles of the chosen reports, kept in step.
    void FillFromLink(Handles& chosen);
    void FillFromGroup(Handles& chosen);
    void OfferReport(const PxVQReportSoftLinkPtr& report, const char* groupName, Handles& chosen);
    BOOL GiveGenSetToLists();
    void UpdateCounts();
    void UpdateButtons();
    void ShowSelectedNames();
    void EnableNameControls(BOOL radios, BOOL edits);
    void SetSelectedMode(int mode);
    void MoveToChosen(BOOL all);
    void MoveToAvailable(BOOL all);
    // The group's present reports; and the name each is generated as in the group.
    Handles GroupMembers() const;
    std::unordered_map<PxHandle, CString> GroupNames() const;
    BOOL CheckAsNames();
    BOOL Analyse();
    int MarkUnmatched();

    VqsReportGroupsCombo m_groupCombo;
    CButton m_okButton;
    CButton m_addButton;
    CButton m_deleteButton;
    CButton m_addAllButton;
    CButton m_deleteAllButton;
    CComboBox m_hostCombo;
    CEdit m_asNameEdit;
    CBrush m_countBrush;
    int m_nTotal = 0;
    int m_nChosen = 0;
    VqsTypedListCtrl_FromReportLink m_availableList;
    VqsTypedListCtrl_ToReportLink m_chosenList;
    VqsTypedComboBox_GenSet m_genSetCombo{0};
    VqsSysFrame* m_pFrame;
    BOOL m_bAnalysed = FALSE;
    ReportList m_availableReports;
    int m_nUnmatched = 0;
    BOOL m_bChosenPending = FALSE;
    BOOL m_bAvailablePending = FALSE;
    BOOL m_bShowingNames = FALSE;
    int m_nInitialWidth = 0;
    int m_nInitialHeight = 0;
    PxVQBSSoftLinkPtr m_pLink;
};

// The report triples of the chosen reports, in the dialog's order, with the element record's
// segment, link and pairs; false (after "Internal error: the report is not found in the
// model.") when a chosen report has no pair.
BOOL VqsBuildReportSyncList(VqsSysFrame* frame, VqsGenerateReportDlg& dialog, VqsBSSyncRecord& reports,
                            const VqsElementSyncRecord& elements);

// The report group and reports of the view's selection; false when the selection cannot be
// generated as reports.
BOOL VqsFillReportChoice(VqsDirectoryView& view, VqsGenerateReportDlg& dialog);
