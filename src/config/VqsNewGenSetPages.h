// The pages of the New Generate Set wizard: names, description and an option set to copy
// from (with the analysis of the packs that would clash on each platform), the target
// host type and host, the list of clashing packs to replace, and the shared host and FTP
// pages.
#pragma once

#include "config/VqsHostFTPPage.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsWizardPage.h"
#include "model/VqsBSPackReplacement.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsTypedComboBox.h"
#include "win/CImageList.h"
#include "win/CListCtrl.h"

class VqsNewGenSetSheet;

// The clashing packs of the business segments, one row each, with the replacement chosen.
// Each row's item data is a copy of its record that the control owns.
class VqsListCtrlPackBSLink : public CListCtrl {
public:
    VqsListCtrlPackBSLink();
    ~VqsListCtrlPackBSLink() override;

    void InitColumns();
    // 1, or 0 after telling the user of a repository failure.
    int Fill(const VqsBSPackReplacementList& records);
    void SelectRow(const VqsBSPackReplacement& record);
    VqsBSPackReplacement* GetSelectedRow() const;
    VqsBSPackReplacement* FindRow(const VqsBSPackReplacement& record) const;
    CString GetReplacement(const VqsBSPackReplacement& record) const;
    void SetReplacement(const VqsBSPackReplacement& record, const char* text);

private:
    void DeleteRows();

    CImageList m_imageList;
    CList<VqsBSPackReplacement*> m_rows{10};
};

// Page 1, "Add New Generate Set".
class VqsGenSetOptPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 243;
    static constexpr int IDC_NAME = 1381;
    static constexpr int IDC_SHORT_NAME = 1356;
    static constexpr int IDC_DESCRIPTION = 1396;
    static constexpr int IDC_SOURCE = 1383;

    VqsGenSetOptPage();
    ~VqsGenSetOptPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    int FillSourceCombo();
    int LockAndAnalyse();
    int CollectPackConflicts();

    VqsNewGenSetSheet* m_pSheet = nullptr;
    VqsOptCtrlString m_name;
    VqsOptCtrlString m_shortName;
    VqsOptCtrlString m_description;
    VqsTypedComboBox_GenSet m_sourceCombo;
    PxVQGenSetPtr m_source;
    int m_nSourceHostType = 0;
    int m_bLocksHeld = 0;

    // The names checked again against the configuration's option sets, read afresh.
    VqsNameTaken FindNameTaken();

protected:
    void OnSourceChanged();
    void OnDescriptionLeft();

private:
    void GiveBackLocks();
    int CheckNameUnique();
    // The field whose name an option set has, 0 when neither is taken; -1 when the
    // repository failed (the user was told).
    int FindFieldNamedAlike();
};

// Page 2, "Target Host of Generate Set".
class VqsGenSetTypePage : public VqsTargetHostPage {
public:
    static constexpr UINT IDD = 244;
    static constexpr int IDC_WINDOWS = 1040;
    static constexpr int IDC_UNIX = 1041;
    static constexpr int IDC_QSR = 1039;
    static constexpr int IDC_TARSK = 1038;
    static constexpr int IDC_HOST = 1475;
    static constexpr int IDC_WARNING_ICON = 1764;
    static constexpr int IDC_WARNING = 1772;

    VqsGenSetTypePage();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    VqsNewGenSetSheet* m_pSheet = nullptr;

private:
    void ShowWarning();
    // The checks of Next and Finish: the segment's target, the values, the hosts read
    // again, and the button pressed still offered.
    BOOL Recheck(DWORD pressed);
};

// Page 3, "Override initial Packs".
class VqsGenSetPackPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 288;
    static constexpr int IDC_ROWS = 1755;
    static constexpr int IDC_REPLACEMENT = 1773;

    VqsGenSetPackPage();
    ~VqsGenSetPackPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    VqsNewGenSetSheet* m_pSheet = nullptr;
    VqsListCtrlPackBSLink m_rows;
    VqsOptCtrlCombo m_replacement;
    VqsBSPackReplacement* m_pEditedRow = nullptr;
    DWORD m_nButtons = 0;

protected:
    void OnReplacementChanged();

private:
    VqsBSPackReplacementList& List() const;
    void EditRow(VqsBSPackReplacement* row);
    DWORD GetWizardButtons() const;
    int StoreReplacements(BOOL validate);
};
