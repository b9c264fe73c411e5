// The option sheets of QSR elements: components, events, profiles and reports. The QSR
// Ispec sheet is only the common base of the component and event sheets; it edits no
// record of its own and is never registered. Each sheet keeps a typed pointer to its QSR
// record beside the framework's, and puts its pages on tabs in a fixed order.
#pragma once

#include "options/VqsOptionsSheet.h"
#include "options_qsr/VqsOptionPageQSRComponentTOLVE.h"
#include "options_qsr/VqsOptionPageQSRIspecEnv.h"
#include "options_qsr/VqsOptionPagesQSRProfile.h"
#include "options_qsr/VqsOptionPagesQSRReport.h"
#include "proxy/PxQSRCompOptions.h"
#include "proxy/PxQSREventOptions.h"
#include "proxy/PxQSRIspecOptions.h"
#include "proxy/PxQSRProfileOptions.h"
#include "proxy/PxQSRReportOptions.h"

class VqsOptions_Ispec_QSR_Sheet : public VqsOptions_Ispec_Sheet {
public:
    VqsOptions_Ispec_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRIspecOptionsPtr& options,
                               UINT selectPage);

    // Keeps the previous record when the new one is not a present QSR Ispec record.
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxQSRIspecOptionsPtr& GetQSROptions() const { return m_pQSROptions; }

private:
    PxQSRIspecOptionsPtr m_pQSROptions;
};

class VqsOptions_Component_QSR_Sheet : public VqsOptions_Ispec_QSR_Sheet {
public:
    VqsOptions_Component_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRCompOptionsPtr& options,
                                   UINT selectPage);

    // The sheet of a QSR component's record; null for any other record.
    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 812; }
    BOOL SetOptions(const PxOptionsPtr& options) override;
    void SetEventView(BOOL eventView) override { SwitchPageSet(eventView); }
    // An input Ispec's component has no TOLVE tab: the flag takes it off, clearing the
    // flag puts it back at the end of the tab row.
    void SwitchPageSet(BOOL eventView);

    const PxQSRCompOptionsPtr& GetComponentOptions() const { return m_pComponentOptions; }

    // What the pages ask of and tell each other.
    CString GetCompPack() const { return m_environment.GetCurrentCompPack(); }
    void SetComponentTOLVEValue(const CString& pack) { m_tolve.OnComponentPackChanged(pack); }

    VqsOptionPageQSRComponentTOLVE& TOLVEPage() { return m_tolve; }

private:
    PxQSRCompOptionsPtr m_pComponentOptions;
    VqsOptionPageQSRComponentEnv m_environment;
    VqsOptionPageIspecOLTP m_oltp;
    VqsOptionPageQSRComponentTOLVE m_tolve;
};

class VqsOptions_Event_QSR_Sheet : public VqsOptions_Ispec_QSR_Sheet {
public:
    VqsOptions_Event_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSREventOptionsPtr& options,
                               UINT selectPage);

    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 807; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxQSREventOptionsPtr& GetEventOptions() const { return m_pEventOptions; }

private:
    PxQSREventOptionsPtr m_pEventOptions;
    VqsOptionPageQSREventEnv m_environment;
    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Profile_QSR_Sheet : public VqsOptions_Profile_Sheet {
public:
    VqsOptions_Profile_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRProfileOptionsPtr& options,
                                 UINT selectPage);

    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 822; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxQSRProfileOptionsPtr& GetQSROptions() const { return m_pQSROptions; }

private:
    PxQSRProfileOptionsPtr m_pQSROptions;
    VqsOptionPageQSRProfileEnv m_environment;
    VqsOptionPageQSRProfileTOLVE m_tolve;
};

class VqsOptions_Report_QSR_Sheet : public VqsOptions_Report_Sheet {
public:
    VqsOptions_Report_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRReportOptionsPtr& options,
                                UINT selectPage);

    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 817; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxQSRReportOptionsPtr& GetQSROptions() const { return m_pQSROptions; }

private:
    PxQSRReportOptionsPtr m_pQSROptions;
    VqsOptionPageQSRReportEnv m_environment;
    VqsOptionPageQSRReportExtractFile m_extractFile;
    VqsOptionPageQSRReportGenerate m_generate;
};
