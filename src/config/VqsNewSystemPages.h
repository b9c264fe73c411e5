// The first four pages of the New System wizard: the system's names and description, its
// global generate options, the business segment to link, and the first generate set (with
// the analysis of the segment's initial packs against the enterprise's packs).
#pragma once

#include "config/VqsGenSetNamePage.h"
#include "config/VqsWizardPage.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQSystem.h"
#include "shell/VqsOptCtrlFlag.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsTypedListBox.h"

class VqsNewSystemSheet;

// Page 1, "Add New System".
class VqsSysOptPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 124;
    static constexpr int IDC_NAME = 1378;
    static constexpr int IDC_SECOND_NAME = 1379;
    static constexpr int IDC_DESCRIPTION = 1393;

    VqsSysOptPage();
    ~VqsSysOptPage() override;

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;

    VqsNewSystemSheet* m_pSheet = nullptr;
    VqsOptCtrlString m_name;
    VqsOptCtrlString m_secondName;
    VqsOptCtrlString m_description;

    // The names checked again against the enterprise's systems, read afresh.
    VqsNameTaken FindNameTaken();

private:
    int CheckNameUnique();
    int FindSystemNamed(const PxTypedList<PxVQSystemPtr>& systems) const;
    // The same for the enterprise's systems, read again into the model.
    int FindSystemNamedAfresh();
};

// Page 2, "System Generate Options".
class VqsSysGenPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 125;
    static constexpr int IDC_RUNTIME_VERSION = 1413;
    static constexpr int IDC_RESET_VERSION = 1016;
    static constexpr int IDC_RESET_REPORT_COUNT = 1009;

    VqsSysGenPage();
    ~VqsSysGenPage() override;

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    VqsNewSystemSheet* m_pSheet = nullptr;
    VqsOptCtrlString m_runtimeVersion;
    VqsOptCtrlFlag m_resetVersion;
    VqsOptCtrlFlag m_resetReportCount;

protected:
    void OnRuntimeVersionLeft();
};

// Page 3, "Add Business Segment to the System".
class VqsSysBSPage : public VqsWizardPage {
public:
    static constexpr UINT IDD = 126;
    static constexpr int IDC_SEGMENTS = 1002;
    static constexpr int IDC_NO_SEGMENT = 1011;

    VqsSysBSPage();
    ~VqsSysBSPage() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    VqsNewSystemSheet* m_pSheet = nullptr;
    PxLSEBusinessSegmentPtr m_selectedSegment;
    VqsTypedListBox<PxLSEBusinessSegmentPtr> m_segmentList;
    VqsOptCtrlFlag m_noSegment;

protected:
    void OnNoSegmentClicked();
    void OnSelectionChanged();
    void OnSelectionCancelled();

private:
    // The segments of the design repository that are still there.
    void ReadSegments(PxTypedList<PxLSEBusinessSegmentPtr>& segments) const;
    PxLSEBusinessSegmentPtr SegmentToSelect(const PxTypedList<PxLSEBusinessSegmentPtr>& segments) const;
    int FillSegmentList(const PxTypedList<PxLSEBusinessSegmentPtr>& segments, const PxLSEBusinessSegmentPtr& select);
    PxLSEBusinessSegmentPtr ListSelection() const;
};

// Page 4, "Add Generate Set". The system is new: its generate-set names clash with nothing.
class VqsSysGSPage : public VqsGenSetNamePage {
public:
    static constexpr UINT IDD = 128;
    static constexpr int IDC_NAME = 1476;
    static constexpr int IDC_SECOND_NAME = 1470;
    static constexpr int IDC_DESCRIPTION = 1394;
    static constexpr int IDC_NO_GENSET = 1012;

    VqsSysGSPage();
    ~VqsSysGSPage() override;

    BOOL OnSetActive() override;
    LRESULT OnWizardNext() override;
    BOOL OnWizardFinish() override;
    BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) override;

    VqsNewSystemSheet* m_pSheet = nullptr;

protected:
    void OnDescriptionLeft();

private:
    int AnalysePackConflicts();
};
