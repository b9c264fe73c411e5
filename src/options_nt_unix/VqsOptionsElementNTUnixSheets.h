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
class VqsOptions_Ispec_NT_Sheet : public VqsOptions_Ispec_Sheet {
public:
    BOOL SetOptions(const PxOptionsPtr& options) override;
    const PxNTIspecOptionsPtr& GetNTIspecOptions() const { return m_pNTIspecOptions; }

protected:
    VqsOptions_Ispec_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTIspecOptionsPtr& options, UINT selectPage);

    PxNTIspecOptionsPtr m_pNTIspecOptions;
    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Ispec_Unix_Sheet : public VqsOptions_Ispec_Sheet {
public:
    BOOL SetOptions(const PxOptionsPtr& options) override;
    const PxUnixIspecOptionsPtr& GetUnixIspecOptions() const { return m_pUnixIspecOptions; }

protected:
    VqsOptions_Ispec_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixIspecOptionsPtr& options,
                                UINT selectPage);

    PxUnixIspecOptionsPtr m_pUnixIspecOptions;
    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Component_NT_Sheet : public VqsOptions_Ispec_NT_Sheet {
public:
    VqsOptions_Component_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTCompOptionsPtr& options,
                                  UINT selectPage);
    UINT GetHelpContextId() override { return 810; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

private:
    PxNTCompOptionsPtr m_pNTCompOptions;
    VqsOptionPageNTComponentEnv m_environment;
    VqsOptionPageNTComponentGenerate m_generate;
};

class VqsOptions_Component_Unix_Sheet : public VqsOptions_Ispec_Unix_Sheet {
public:
    VqsOptions_Component_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixCompOptionsPtr& options,
                                    UINT selectPage);
    UINT GetHelpContextId() override { return 811; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

private:
    PxUnixCompOptionsPtr m_pUnixCompOptions;
    VqsOptionPageUnixComponentEnv m_environment;
    VqsOptionPageUnixComponentOracledb m_database;
    VqsOptionPageUnixComponentPartition m_partitions;
};

class VqsOptions_Event_NT_Sheet : public VqsOptions_Ispec_NT_Sheet {
public:
    VqsOptions_Event_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTEventOptionsPtr& options,
                              UINT selectPage);
    UINT GetHelpContextId() override { return 805; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

private:
    PxNTEventOptionsPtr m_pNTEventOptions;
    VqsOptionPageNTEventEnv m_environment;
};

class VqsOptions_Event_Unix_Sheet : public VqsOptions_Ispec_Unix_Sheet {
public:
    VqsOptions_Event_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixEventOptionsPtr& options,
                                UINT selectPage);
    UINT GetHelpContextId() override { return 806; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

private:
    PxUnixEventOptionsPtr m_pUnixEventOptions;
    VqsOptionPageUnixEventEnv m_environment;
};

class VqsOptions_Profile_NT_Sheet : public VqsOptions_Profile_Sheet {
public:
    VqsOptions_Profile_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTProfileOptionsPtr& options,
                                UINT selectPage);
    UINT GetHelpContextId() override { return 820; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

private:
    PxNTProfileOptionsPtr m_pNTProfileOptions;
    VqsOptionPageNTProfileEnv m_environment;
};

class VqsOptions_Profile_Unix_Sheet : public VqsOptions_Profile_Sheet {
public:
    VqsOptions_Profile_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixProfileOptionsPtr& options,
                                  UINT selectPage);
    UINT GetHelpContextId() override { return 821; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    // What the database storage page takes over from the Environment page: as that page
    // shows it, or as the record holds it while the page has no window.
    CString GetEnvPackText() const { return m_environment.GetPackText(); }
    BOOL IsEnvPackDefault() const { return m_environment.IsPackDefault(); }
    std::int64_t GetEnvExpectedNumber() const { return m_environment.GetExpectedNumber(); }

private:
    PxUnixProfileOptionsPtr m_pUnixProfileOptions;
    VqsOptionPageUnixProfileEnv m_environment;
    VqsOptionPageUnixProfileOracledb m_database;
    VqsOptionPageUnixProfilePartition m_partitions;
};

class VqsOptions_Report_NT_Sheet : public VqsOptions_Report_Sheet {
public:
    VqsOptions_Report_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTReportOptionsPtr& options,
                               UINT selectPage);
    UINT GetHelpContextId() override { return 815; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

private:
    PxNTReportOptionsPtr m_pNTReportOptions;
    VqsOptionPageNTReportEnv m_environment;
    VqsOptionPageNTReportExtractFile m_extractFile;
    VqsOptionPageNTReportGenerate m_generate;
};

class VqsOptions_Report_Unix_Sheet : public VqsOptions_Report_Sheet {
public:
    VqsOptions_Report_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixReportOptionsPtr& options,
                                 UINT selectPage);
    UINT GetHelpContextId() override { return 816; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

private:
    PxUnixReportOptionsPtr m_pUnixReportOptions;
    VqsOptionPageUnixReportEnv m_environment;
    VqsOptionPageUnixReportExtractFile m_extractFile;
    VqsOptionPageUnixReportGenerate m_generate;
};
