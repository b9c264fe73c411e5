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

class VqsOptions_Ispec_QSR_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_Sheet, PxQSRIspecOptionsPtr> {
public:
    VqsOptions_Ispec_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRIspecOptionsPtr& options,
                               UINT selectPage);

    const PxQSRIspecOptionsPtr& GetQSROptions() const { return GetLevelOptions(); }
};

class VqsOptions_Component_QSR_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_QSR_Sheet, PxQSRCompOptionsPtr> {
public:
    VqsOptions_Component_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRCompOptionsPtr& options,
                                   UINT selectPage);

    // The sheet of a QSR component's record; null for any other record.
    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 812; }
    // An input Ispec's component has no TOLVE tab.
    void SetEventView(BOOL eventView) override;

    const PxQSRCompOptionsPtr& GetComponentOptions() const { return GetLevelOptions(); }

    // What the pages ask of and tell each other.
    // None when the pack could not be read.
    std::optional<CString> GetCompPack() const { return m_environment.GetCurrentCompPack(); }
    void SetComponentTOLVEValue(const std::optional<CString>& pack) { m_tolve.OnComponentPackChanged(pack); }

    VqsOptionPageQSRComponentTOLVE& TOLVEPage() { return m_tolve; }

private:
    VqsOptionPageQSRComponentEnv m_environment;
    VqsOptionPageIspecOLTP m_oltp;
    VqsOptionPageQSRComponentTOLVE m_tolve;
};

class VqsOptions_Event_QSR_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_QSR_Sheet, PxQSREventOptionsPtr> {
public:
    VqsOptions_Event_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSREventOptionsPtr& options,
                               UINT selectPage);

    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 807; }

    const PxQSREventOptionsPtr& GetEventOptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageQSREventEnv m_environment;
    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Profile_QSR_Sheet : public VqsTypedSheetLevel<VqsOptions_Profile_Sheet, PxQSRProfileOptionsPtr> {
public:
    VqsOptions_Profile_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRProfileOptionsPtr& options,
                                 UINT selectPage);

    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 822; }

    const PxQSRProfileOptionsPtr& GetQSROptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageQSRProfileEnv m_environment;
    VqsOptionPageQSRProfileTOLVE m_tolve;
};

class VqsOptions_Report_QSR_Sheet : public VqsTypedSheetLevel<VqsOptions_Report_Sheet, PxQSRReportOptionsPtr> {
public:
    VqsOptions_Report_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRReportOptionsPtr& options,
                                UINT selectPage);

    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 817; }

    const PxQSRReportOptionsPtr& GetQSROptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageQSRReportEnv m_environment;
    VqsOptionPageQSRReportExtractFile m_extractFile;
    VqsOptionPageQSRReportGenerate m_generate;
};
