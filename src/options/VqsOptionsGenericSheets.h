// The sheets of the platform-neutral records of a business segment, an Ispec, a profile and
// a report: the platform-neutral pages on the NT templates. The module registers none of
// them; they show the framework's own pages on any record where a caller registers them.
#pragma once

#include "options/VqsOptionPageBSegBulkOptions.h"
#include "options/VqsOptionPagesBSeg.h"
#include "options/VqsOptionPagesIspec.h"
#include "options/VqsOptionPagesProfileReport.h"

// The Bulk Options page with the platform-neutral columns: Ispecs with their type, usage
// and OLTP service; profiles with the Ispec they are over and their pack; reports with their
// extract pack and OLTP client; global logics by name.
class VqsGenericBulkOptionsPage : public VqsOptionPageBSegBulkOptions {
public:
    using VqsOptionPageBSegBulkOptions::VqsOptionPageBSegBulkOptions;

protected:
    void CreatePanels() override;
};

class VqsOptions_BSeg_Generic_Sheet : public VqsOptions_BSeg_Sheet {
public:
    VqsOptions_BSeg_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxBSegOptionsPtr& options,
                                  UINT selectPage);
    UINT GetHelpContextId() override { return 0; }

    VqsGenericBulkOptionsPage& BulkOptions() { return m_bulkOptions; }

private:
    VqsOptionPageBSegEnv m_environment;
    VqsOptionPageBSegPCE m_glimmerdesk;
    VqsOptionPageBSegGenerate m_generate;
    VqsOptionPageBSegOLTP m_oltp;
    VqsOptionPageBSegActiveKESH m_quorbit;
    VqsGenericBulkOptionsPage m_bulkOptions;
};

class VqsOptions_Ispec_Generic_Sheet : public VqsOptions_Ispec_Sheet {
public:
    VqsOptions_Ispec_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxIspecOptionsPtr& options,
                                   UINT selectPage);
    UINT GetHelpContextId() override { return 0; }

private:
    VqsOptionPageIspecEnv m_environment;
    VqsOptionPageIspecOLTP m_oltp;
};

class VqsOptions_Profile_Generic_Sheet : public VqsOptions_Profile_Sheet {
public:
    VqsOptions_Profile_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxProfileOptionsPtr& options,
                                     UINT selectPage);
    UINT GetHelpContextId() override { return 0; }

private:
    VqsOptionPageProfileEnv m_environment;
};

class VqsOptions_Report_Generic_Sheet : public VqsOptions_Report_Sheet {
public:
    VqsOptions_Report_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxReportOptionsPtr& options,
                                    UINT selectPage);
    UINT GetHelpContextId() override { return 0; }

private:
    VqsOptionPageReportEnv m_environment;
    VqsOptionPageReportExtractFile m_extractFile;
    VqsOptionPageReportGenerate m_generate;
};
