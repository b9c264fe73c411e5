// The options of the elements of a business segment on an NT and on a Unix host:
// components and events (over each platform's Ispec layer, which holds the Ispec OLTP page),
// profiles and reports.
#pragma once

#include "options/VqsOptionsSheet.h"
#include "options_nt_unix/VqsOptionPagesNTUnixElements.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTEventOptions.h"
#include "proxy/PxNTIspecOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxNTReportOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixEventOptions.h"
#include "proxy/PxUnixIspecOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxUnixReportOptions.h"

#include <cstdint>

// Never built alone: an Ispec record that is neither a component's nor an event's has no
// NT or Unix sheet. The OLTP page is built here and shown by the sheet of the kind.
class VqsOptions_Ispec_NT_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_Sheet, PxNTIspecOptionsPtr> {
public:
    const PxNTIspecOptionsPtr& GetNTIspecOptions() const { return GetLevelOptions(); }

protected:
    VqsOptions_Ispec_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTIspecOptionsPtr& options, UINT selectPage);

    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Ispec_Unix_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_Sheet, PxUnixIspecOptionsPtr> {
public:
    const PxUnixIspecOptionsPtr& GetUnixIspecOptions() const { return GetLevelOptions(); }

protected:
    VqsOptions_Ispec_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixIspecOptionsPtr& options,
                                UINT selectPage);

    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Component_NT_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_NT_Sheet, PxNTCompOptionsPtr> {
public:
    VqsOptions_Component_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTCompOptionsPtr& options,
                                  UINT selectPage);
    UINT GetHelpContextId() override { return 810; }

private:
    VqsOptionPageNTComponentEnv m_environment;
    VqsOptionPageNTComponentGenerate m_generate;
};

class VqsOptions_Component_Unix_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_Unix_Sheet, PxUnixCompOptionsPtr> {
public:
    VqsOptions_Component_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixCompOptionsPtr& options,
                                    UINT selectPage);
    UINT GetHelpContextId() override { return 811; }

private:
    VqsOptionPageUnixComponentEnv m_environment;
    VqsOptionPageUnixComponentOracledb m_database;
    VqsOptionPageUnixComponentPartition m_partitions;
};

class VqsOptions_Event_NT_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_NT_Sheet, PxNTEventOptionsPtr> {
public:
    VqsOptions_Event_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTEventOptionsPtr& options,
                              UINT selectPage);
    UINT GetHelpContextId() override { return 805; }

private:
    VqsOptionPageNTEventEnv m_environment;
};

class VqsOptions_Event_Unix_Sheet : public VqsTypedSheetLevel<VqsOptions_Ispec_Unix_Sheet, PxUnixEventOptionsPtr> {
public:
    VqsOptions_Event_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixEventOptionsPtr& options,
                                UINT selectPage);
    UINT GetHelpContextId() override { return 806; }

private:
    VqsOptionPageUnixEventEnv m_environment;
};

class VqsOptions_Profile_NT_Sheet : public VqsTypedSheetLevel<VqsOptions_Profile_Sheet, PxNTProfileOptionsPtr> {
public:
    VqsOptions_Profile_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTProfileOptionsPtr& options,
                                UINT selectPage);
    UINT GetHelpContextId() override { return 820; }

private:
    VqsOptionPageNTProfileEnv m_environment;
};

class VqsOptions_Profile_Unix_Sheet : public VqsTypedSheetLevel<VqsOptions_Profile_Sheet, PxUnixProfileOptionsPtr> {
public:
    VqsOptions_Profile_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixProfileOptionsPtr& options,
                                  UINT selectPage);
    UINT GetHelpContextId() override { return 821; }

    // What the database storage page takes over from the Environment page: as that page
    // shows it, or as the record holds it while the page has no window.
    std::optional<CString> GetEnvPackText() const { return m_environment.GetPackText(); }
    BOOL IsEnvPackDefault() const { return m_environment.IsPackDefault(); }
    std::optional<std::int64_t> GetEnvExpectedNumber() const { return m_environment.GetExpectedNumber(); }

private:
    VqsOptionPageUnixProfileEnv m_environment;
    VqsOptionPageUnixProfileOracledb m_database;
    VqsOptionPageUnixProfilePartition m_partitions;
};

class VqsOptions_Report_NT_Sheet : public VqsTypedSheetLevel<VqsOptions_Report_Sheet, PxNTReportOptionsPtr> {
public:
    VqsOptions_Report_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTReportOptionsPtr& options,
                               UINT selectPage);
    UINT GetHelpContextId() override { return 815; }

private:
    VqsOptionPageNTReportEnv m_environment;
    VqsOptionPageNTReportExtractFile m_extractFile;
    VqsOptionPageNTReportGenerate m_generate;
};

class VqsOptions_Report_Unix_Sheet : public VqsTypedSheetLevel<VqsOptions_Report_Sheet, PxUnixReportOptionsPtr> {
public:
    VqsOptions_Report_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixReportOptionsPtr& options,
                                 UINT selectPage);
    UINT GetHelpContextId() override { return 816; }

private:
    VqsOptionPageUnixReportEnv m_environment;
    VqsOptionPageUnixReportExtractFile m_extractFile;
    VqsOptionPageUnixReportGenerate m_generate;
};
