// The options of a business segment on a Tarsk host. The sheet shows one of two page sets:
// the business-segment pages, or, for the input Ispecs of a Tarsk or QSR option set, the
// system EVENT pages. Its pages reach each other only through the sheet's forwarders,
// which answer from the page that holds the value even while that page has no window.
#pragma once

#include "options/VqsOptionPageBSegBulkOptions.h"
#include "options/VqsOptionsGenericSheets.h"
#include "options_tarsk/VqsOptionPageTarskBSegEnv.h"
#include "options_tarsk/VqsOptionPageTarskBSegGenerate.h"
#include "options_tarsk/VqsOptionPageTarskBSegOLTP.h"
#include "options_tarsk/VqsOptionPageTarskBSegBulkOptions.h"
#include "options_tarsk/VqsOptionPageTarskBSegPacks.h"
#include "options_tarsk/VqsOptionPageTarskBSegWrenfieldTest.h"
#include "options_tarsk/VqsOptionPageTarskSystemEVENTEnv.h"
#include "options_tarsk/VqsOptionPageTarskSystemEventDb.h"
#include "options_tarsk/VqsOptionPageTarskSystemInternDb.h"
#include "proxy/PxTarskBSegOptions.h"

class VqsOptions_BSeg_Tarsk_Sheet : public VqsTypedSheetLevel<VqsOptions_BSeg_Sheet, PxTarskBSegOptionsPtr> {
public:
    VqsOptions_BSeg_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxTarskBSegOptionsPtr& options,
                                UINT selectPage);

    // The sheet of a Tarsk business segment's record; null for any other record.
    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 803; }
    void OnPageNotify(int notification) override;

    const PxTarskBSegOptionsPtr& GetTarskOptions() const { return GetLevelOptions(); }

    // What the pages ask of each other; each page answers from its record until it is loaded.
    BOOL GetAllQUBduplex() const { return m_environment.GetAllQUBduplex(); }
    BOOL GetKeepAssigned() const { return m_environment.GetKeepAssigned(); }
    CString GetEnvPageValue() const { return m_environment.GetDefaultDuplexPack(); }
    BOOL GetPCEcap() { return m_glimmerdesk.GetPCECapable(); }
    CString GetPacksPagePack() const { return m_packs.GetDatabasePack(); }
    // What the pages tell each other.
    void RefreshInternDbPagePacks(BOOL allQubDuplex);
    void SetInternDbPageDefaultPack(const CString& pack);
    void SetInternDbPagePackName(const CString& pack);

private:
    VqsOptionPageTarskBSegEnv m_environment;
    VqsOptionPageBSegPCE m_glimmerdesk;
    VqsOptionPageTarskBSegGenerate m_generate;
    VqsOptionPageTarskBSegOLTP m_oltp;
    VqsOptionPageTarskBSegPacks m_packs;
    VqsOptionPageBSegActiveKESH m_quorbit;
    VqsOptionPageTarskSystemInternDb m_internDb;
    VqsOptionPageTarskSystemEVENTEnv m_eventEnvironment;
    VqsOptionPageTarskSystemEventDb m_eventDatabase;
    VqsOptionPageTarskBSegBulkOptions m_bulkOptions;
    VqsOptionPageTarskBSegWrenfieldTest m_wrenfieldTest;
};
