// The options of a business segment on a QSR host. The sheet shows one of two page sets:
// the fifteen business-segment pages, or, for the input Ispecs of a QSR or Tarsk option
// set, the Event TOLVE page alone. Every page object lives as long as the sheet, with or
// without a window; the pages reach each other only through the sheet's forwarders, which
// answer from the page that holds the value, or from the record while it has no window.
#pragma once

#include "options/VqsOptionPagesBSeg.h"
#include "options_qsr/VqsOptionPageQSRBSegAuditDetail.h"
#include "options_qsr/VqsOptionPageQSRBSegBulkOptions.h"
#include "options_qsr/VqsOptionPageQSRBSegDefTOLVE.h"
#include "options_qsr/VqsOptionPageQSRBSegEnv.h"
#include "options_qsr/VqsOptionPageQSRBSegEventTOLVE.h"
#include "options_qsr/VqsOptionPageQSRBSegGenerate.h"
#include "options_qsr/VqsOptionPageQSRBSegOLTP.h"
#include "options_qsr/VqsOptionPageQSRBSegPackMap.h"
#include "options_qsr/VqsOptionPageQSRBSegPacks.h"
#include "options_qsr/VqsOptionPageQSRBSegPopset.h"
#include "options_qsr/VqsOptionPageQSRBSegQEPGen.h"
#include "options_qsr/VqsOptionPageQSRBSegRemoteDB.h"
#include "options_qsr/VqsOptionPageQSRBSegTOLVE.h"
#include "options_qsr/VqsOptionPageQSRBSegWrenfieldTest.h"
#include "proxy/PxQSRBSegOptions.h"

class VqsOptions_BSeg_QSR_Sheet : public VqsOptions_BSeg_Sheet {
public:
    VqsOptions_BSeg_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRBSegOptionsPtr& options,
                              UINT selectPage);

    // The sheet of a QSR business segment's record; null for any other record.
    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 802; }
    BOOL SetOptions(const PxOptionsPtr& options) override;

    const PxQSRBSegOptionsPtr& GetQSROptions() const { return m_pQSROptions; }

private:
    PxQSRBSegOptionsPtr m_pQSROptions;
    VqsOptionPageQSRBSegEnv m_environment;
    VqsOptionPageBSegPCE m_glimmerdesk;
    VqsOptionPageQSRBSegGenerate m_generate;
    VqsOptionPageQSRBSegOLTP m_oltp;
    VqsOptionPageQSRBSegPacks m_packs;
    VqsOptionPageQSRBSegDefTOLVE m_defaultTolve;
    VqsOptionPageQSRBSegTOLVE m_tolve;
    VqsOptionPageQSRBSegEventTOLVE m_eventTolve;
    VqsOptionPageQSRBSegQEPGen m_qepGen;
    VqsOptionPageQSRBSegRemoteDB m_remoteDb;
    VqsOptionPageQSRBSegPackMap m_packMapping;
    VqsOptionPageQSRBSegAuditDetail m_auditDetail;
    VqsOptionPageQSRBSegPopset m_internalTolve;
    VqsOptionPageBSegActiveKESH m_quorbit;
    VqsOptionPageQSRBSegBulkOptions m_bulkOptions;
    VqsOptionPageQSRBSegWrenfieldTest m_wrenfieldTest;
};
