// The options of a business segment on an NT and on a Unix host. The Unix sheet shows one
// of two page sets, chosen once when it is built: its database pages ("Oracle", "Oracle
// Partitions") in the options dialog's event view, all its other pages otherwise.
#pragma once

#include "options/VqsOptionPagesBSeg.h"
#include "options_nt_unix/VqsOptionPageNTUnixBSegBulkOptions.h"
#include "options_nt_unix/VqsOptionPageNTUnixBSegEnv.h"
#include "options_nt_unix/VqsOptionPageNTUnixBSegGenerate.h"
#include "options_nt_unix/VqsOptionPageNTUnixBSegOLTP.h"
#include "options_nt_unix/VqsOptionPageNTUnixBSegPacks.h"
#include "options_nt_unix/VqsOptionPageNTUnixBSegWrenfieldTest.h"
#include "options_nt_unix/VqsOptionPagesNTUnixElements.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"

class VqsOptions_BSeg_NT_Sheet : public VqsTypedSheetLevel<VqsOptions_BSeg_Sheet, PxNTBSegOptionsPtr> {
public:
    VqsOptions_BSeg_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxNTBSegOptionsPtr& options, UINT selectPage);

    UINT GetHelpContextId() override { return 800; }

    const PxNTBSegOptionsPtr& GetNTOptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageNTBSegEnv m_environment;
    VqsOptionPageBSegPCE m_glimmerdesk;
    VqsOptionPageNTBSegGenerate m_generate;
    VqsOptionPageNTBSegOLTP m_oltp;
    VqsOptionPageNTBSegPacks m_packs;
    VqsOptionPageBSegActiveKESH m_quorbit;
    VqsOptionPageNTBSegBulkOptions m_bulkOptions;
    VqsOptionPageNTBSegWrenfieldTest m_wrenfieldTest;
};

class VqsOptions_BSeg_Unix_Sheet : public VqsTypedSheetLevel<VqsOptions_BSeg_Sheet, PxUnixBSegOptionsPtr> {
public:
    VqsOptions_BSeg_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxUnixBSegOptionsPtr& options,
                               UINT selectPage);

    UINT GetHelpContextId() override { return 801; }

    const PxUnixBSegOptionsPtr& GetUnixOptions() const { return GetLevelOptions(); }

private:
    VqsOptionPageUnixBSegEnv m_environment;
    VqsOptionPageBSegPCE m_glimmerdesk;
    VqsOptionPageUnixBSegGenerate m_generate;
    VqsOptionPageUnixBSegOLTP m_oltp;
    VqsOptionPageUnixBSegPacks m_packs;
    VqsOptionPageBSegActiveKESH m_quorbit;
    VqsOptionPageUnixBSegOracledb m_database;
    VqsOptionPageUnixBSegPartition m_partitions;
    VqsOptionPageUnixBSegBulkOptions m_bulkOptions;
    VqsOptionPageUnixBSegWrenfieldTest m_wrenfieldTest;
};
