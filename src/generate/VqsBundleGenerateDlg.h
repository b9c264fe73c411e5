// "Standalone Quorbit Generate for Bundle %s": which Ispecs of a bundle to generate, the
// candidates narrowed to Ispecs changed since a local date and time, a batch file to name
// for the end of the generation and a listing file for its messages. Generate locks and
// synchronises the chosen Ispecs with the model and fills the bundle generation record; a
// bundle whose Ispecs changed under the dialog ends it.
#pragma once

#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsSyncResult.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "shell/VqsDialog.h"
#include "shell/VqsTypedListCtrls.h"
#include "win/CButton.h"
#include "win/CDateTimeCtrl.h"
#include "win/CEdit.h"

#include <cstdint>
#include <memory>
#include <vector>

class VqsModelNodeBSLink;
class VqsModelNodeBundle;
class VqsSysFrame;

// One Ispec of the bundle: its link, its design Ispec, its change time as a local date and
// time (YYYYMMDDhhmmss) and its state.
struct VqsIspecTimeStamp {
    enum State { Chosen = 0, Candidate = 1, Hidden = 2 };

    PxVQIspecSoftLinkPtr link;
    PxLSEIspecPtr ispec;
    std::int64_t localTime = 0;
    int state = Chosen;
};

// The local date and time of a 64-bit time as YYYYMMDDhhmmss; 0 when it cannot be told.
std::int64_t VqsLocalTimeKey(std::int64_t time);
// The listing file of a bundle's generate messages: the name made safe as one file name
// in the folder of "TemporaryFilePath" (else TEMP, else the system's temporary folder, else
// the working folder).
CString VqsBundleListingPath(const CString& bundleName);

class VqsBundleGenerateDlg : public VqsDialog {
public:
    static constexpr int IDC_LOG_FILE = 32965;
    static constexpr int IDC_LOG_MESSAGES = 1956;
    static constexpr int IDC_BROWSE_LOG = 1957;
    static constexpr int IDC_REMOVE_ALL = 1838;
    static constexpr int IDC_REMOVE = 1835;
    static constexpr int IDC_ADD = 1834;
    static constexpr int IDC_ADD_ALL = 1837;
    static constexpr int IDC_BROWSE_BATCH = 1841;
    static constexpr int IDC_CANDIDATE_COUNT = 1846;
    static constexpr int IDC_CHOSEN_COUNT = 1847;
    static constexpr int IDC_APPLICATION = 1848;
    static constexpr int IDC_PACKAGE = 1850;
    static constexpr int IDC_OUTPUT = 1844;
    static constexpr int IDC_BATCH_FILE = 1843;
    static constexpr int IDC_CANDIDATES = 1842;
    static constexpr int IDC_CHOSEN = 1849;
    static constexpr int IDC_RUN_BATCH = 1840;
    static constexpr int IDC_CHANGED_SINCE = 32856;
    static constexpr int IDC_DATE = 1859;
    static constexpr int IDC_TIME = 32855;
    static constexpr UINT kDefaultMaxBatchLength = 260;

    VqsBundleGenerateDlg(VqsLockBag& bag, VqsModelNodeBundle* bundleNode, const PxVQIspecBundleDataPtr& data,
                         const PxBSegOptionsPtr& options, VqsSysFrame* frame);
    ~VqsBundleGenerateDlg() override;

    // Read by the caller after IDOK.
    VqsBSLock m_bsLock;
    VqsSyncResult m_record;
    CString m_strBundleName;
    CString m_strApplication;
    CString m_strPackage;
    CString m_strOutputDirectory;
    CString m_strBatchFile;
    CString m_strListingPath;
    int m_bLogMessages = 0;

    int GetUnmatchedCount() const { return m_nUnmatched; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnAdd() { Move(FALSE, TRUE); }
    void OnAddAll() { Move(TRUE, TRUE); }
    void OnRemove() { Move(FALSE, FALSE); }
    void OnRemoveAll() { Move(TRUE, FALSE); }
    void OnBrowseBatchFile();
    void OnRunBatchFile();
    void OnShowChangedSince();
    void OnBrowseLogFile();
    void OnLogGenerateMessages();
    void OnChosenChanged(NMHDR* header, LRESULT* result);
    void OnCandidatesChanged(NMHDR* header, LRESULT* result);
    void OnDateTimeChange(NMHDR* header, LRESULT* result);
    LRESULT OnChosenSelection(WPARAM, LPARAM);
    LRESULT OnCandidateSelection(WPARAM, LPARAM);
    LRESULT OnRefillCandidates(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    using IspecList = PxTypedList<PxVQIspecSoftLinkPtr>;

    // The bundle's Ispec links with their nodes; links whose node is missing are counted.
    void CollectIspecNodes(IspecList& links, CObList& nodes, int& missing);
    BOOL BuildIspecTimeStamps();
    VqsIspecTimeStamp* FindTimeStamp(const PxVQIspecSoftLinkPtr& link);
    std::int64_t CutOff();
    bool PassesFilter(const VqsIspecTimeStamp& stamp);
    BOOL CheckBundleIspecs();
    void Move(BOOL all, BOOL toChosen);
    BOOL SetIspecStates(IspecList& links, BOOL toChosen);
    void PostOnce(BOOL& pending, UINT message);
    void UpdateCounts();
    void UpdateControls();
    int MarkUnmatched();

    PxVQBundlePtr m_pBundle;
    PxVQIspecBundleDataPtr m_pBundleData;
    PxBSegOptionsPtr m_pOptions;
    CButton m_generateButton;
    CButton m_removeAllButton;
    CButton m_removeButton;
    CButton m_addButton;
    CButton m_addAllButton;
    CButton m_browseBatchButton;
    CButton m_browseLogButton;
    CEdit m_batchEdit;
    int m_nCandidateCount = 0;
    int m_nChosenCount = 0;
    VqsTypedListCtrl_IspecBundleDataLink m_candidateList;
    VqsTypedListCtrl_IspecBundleDataLink m_chosenList;
    int m_bRunBatch = 0;
    int m_bChangedSince = 0;
    CDateTimeCtrl m_datePicker;
    CDateTimeCtrl m_timePicker;
    VqsSysFrame* m_pFrame;
    VqsModelNodeBundle* m_pBundleNode;
    VqsModelNodeBSLink* m_pLinkNode;
    PxVQBSSoftLinkPtr m_pLink;
    IspecList m_bundleIspecs;
    std::vector<std::unique_ptr<VqsIspecTimeStamp>> m_stamps;
    VqsLockBag& m_bag;
    VqsLockBag m_longRead{VqsLongReadLock};
    VqsLockBag m_linkBag{VqsNoLock};
    BOOL m_bChosenPending = FALSE;
    BOOL m_bCandidatePending = FALSE;
    BOOL m_bRefillPending = FALSE;
    int m_nUnmatched = 0;
};
