// The pages of the Add Business Segment wizard: the segment to link (with the analysis of
// the configuration's entries and packs that decides the way through the wizard), the
// choice between an obsolete entry's options and default options, replacements for the
// segment's initial packs in the existing generate sets, and an optional first generate
// set; then the shared target-host, pack-override, host and FTP pages.
#pragma once

#include "config/VqsHostFTPPage.h"
#include "config/VqsGenSetNamePage.h"
#include "config/VqsHostWizardPages.h"
#include "config/VqsPackOverridePage.h"
#include "config/VqsWizardPage.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsOptCtrlCombo.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlRadio.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsTypedListBox.h"
#include "shell/VqsTypedListCtrls.h"

class VqsModelNodeBSLink;
class VqsNewBSLinkSheet;

// Page 1, "Add Business Segment to the System".
class VqsBSGenPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 264;
    static constexpr int IDC_SEGMENTS = 1518;

    VqsBSGenPage();
    ~VqsBSGenPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    // None, Next or Finish for the page's current state.
    DWORD GetWizardButtons() const;
    // Locks and refreshes the enterprise, the configuration and (when there are option
    // sets) the packs with the kinds the buttons call for; 0 after telling the user.
    int LockAndRefresh(DWORD buttons);
    // Reads the segments, the configuration's entries and the packs afresh; 0 after telling
    // the user (the sheet is cancelled when the wizard cannot go on).
    int CheckBusinessSegments();
    void ReleaseLocks();
    // The configuration's entries read again: one in use already takes the segment's place.
    VqsNameTaken FindNameTaken();

    BOOL HasObsoleteEntry() const { return m_pObsoleteEntry != nullptr; }

    VqsNewBSLinkSheet* m_pSheet = nullptr;
    PxLSEBusinessSegmentPtr m_selectedSegment;
    int m_bReuse = 0;
    int m_bNoOptionSets = 0;
    // The newest obsolete entry of the selected segment.
    VqsModelNodeBSLink* m_pObsoleteEntry = nullptr;
    VqsTypedListBox<PxLSEBusinessSegmentPtr> m_segmentList;
    PxTypedList<PxLSEBusinessSegmentPtr> m_obsoleteSegments;
    PxTypedList<PxLSEBusinessSegmentPtr> m_clashingSegments;
    PxTypedList<PxVQGenSetPtr> m_ntGenSets;
    PxTypedList<PxVQGenSetPtr> m_unixGenSets;

protected:
    void OnSelectionChanged();

private:
    BOOL GoOn(DWORD pressed);
    LRESULT TakeNextLocks();
    int FillSegmentList(const PxTypedList<PxLSEBusinessSegmentPtr>& segments, const PxLSEBusinessSegmentPtr& select);
    PxLSEBusinessSegmentPtr ListSelection() const;
    // Whether the segment's initial packs clash with packs of the other kind in a platform
    // that has generate sets.
    BOOL PacksClash(const CString& segmentName) const;
    void CollectGenSets();
    void RebuildPackReplacements(const CString& segmentName);
};

// Page 2, "Synchronize the System".
class VqsBSSynchPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 265;
    static constexpr int IDC_USE_EXISTING = 1499;
    static constexpr int IDC_CREATE_DEFAULT = 1500;
    static constexpr int IDC_ENTRY_NAME = 1514;
    static constexpr int IDC_ENTRY_DESCRIPTION = 1515;
    static constexpr int IDC_SEGMENT_TIME = 1516;
    static constexpr int IDC_ENTRY_TIME = 1517;

    VqsBSSynchPage();
    ~VqsBSSynchPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    DWORD GetWizardButtons() const;

    VqsNewBSLinkSheet* m_pSheet = nullptr;
    // 0 use the existing options, 1 create the entry with default options.
    VqsOptCtrlRadio m_choice;
    VqsOptCtrlString m_entryName;
    VqsOptCtrlString m_entryDescription;
    VqsOptCtrlString m_segmentTime;
    VqsOptCtrlString m_entryTime;
};

// Page 3, "Override initial Packs for new Business Segment".
class VqsBSPackPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 291;
    static constexpr int IDC_GENSETS = 1760;
    static constexpr int IDC_TABLESPACE = 1754;
    static constexpr int IDC_PATH = 1752;

    VqsBSPackPage();
    ~VqsBSPackPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    DWORD GetWizardButtons();
    int IsPackNameUsable(int packType, const CString& name) const;
    void ShowGenSet(const PxVQGenSetPtr& genSet);
    int StoreReplacements(BOOL strict);

    VqsNewBSLinkSheet* m_pSheet = nullptr;
    VqsTypedListCtrl_PackGSet m_genSetList;
    VqsOptCtrlCombo m_path;
    VqsOptCtrlCombo m_tablespace;
    PxVQGenSetPtr m_currentGenSet;
    DWORD m_nButtons = 0;

protected:
    void OnReplacementChanged(int id);

private:
    void OfferPacks(VqsOptCtrlCombo& combo, int excludedType, CString VqsTypedListCtrl_PackGSet::PackStruct::*field);
    int RefuseReplacement(const PxVQGenSetPtr& genSet, int comboId, UINT messageId, const CString& pack);
};

// Page 4, "Add Generate Set".
class VqsBSGSPage : public VqsGenSetNamePage {
public:
    static constexpr UINT IDD = 266;
    static constexpr int IDC_NO_GENSET = 1503;
    static constexpr int IDC_NAME = 1504;
    static constexpr int IDC_SECOND_NAME = 1505;
    static constexpr int IDC_DESCRIPTION = 1506;

    VqsBSGSPage();
    ~VqsBSGSPage() override;

    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;

    int FindPackConflicts();

    VqsNewBSLinkSheet* m_pSheet = nullptr;
};
