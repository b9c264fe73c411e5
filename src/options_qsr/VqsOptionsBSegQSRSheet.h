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

#include <cstdint>

class VqsOptions_BSeg_QSR_Sheet : public VqsTypedSheetLevel<VqsOptions_BSeg_Sheet, PxQSRBSegOptionsPtr> {
public:
    VqsOptions_BSeg_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxQSRBSegOptionsPtr& options,
                              UINT selectPage);

    // The sheet of a QSR business segment's record; null for any other record.
    static VqsOptionsSheet* CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options,
                                        UINT selectPage);

    UINT GetHelpContextId() override { return 802; }
    // The Glimmerdesk page's capability changed: the Internal TOLVE page's category follows.
    void OnPageNotify(int capable) override { m_internalTolve.EnablePCECategory(capable); }

    const PxQSRBSegOptionsPtr& GetQSROptions() const { return GetLevelOptions(); }

    // What the pages ask of each other; each page answers from the record until it has a
    // window.
    BOOL GetCopyAudit2tape() const { return m_environment.IsCopyAuditToTapeUserDefined(); }
    int GetROCusesDB() const { return m_environment.GetCurrentROCusesDB(); }
    int GetAdhocInqReq() const { return m_environment.GetCurrentAdhocInqReq(); }
    int GetOLTPEnabled() const { return m_oltp.GetCurrentEnableOLTP(); }
    CString GetDBPack() const { return m_packs.GetCurrentDBPack(); }
    CString GetROCoutput() const { return m_packs.GetCurrentROCoutput(); }
    CString GetAdhocInfo() const { return m_packs.GetCurrentAdhocInfo(); }
    int GetConfigRDBGenSet() const { return m_qepGen.GetCurrentConfigRDBGenSet(); }
    BOOL GetPCEcap() { return m_glimmerdesk.GetPCECapable(); }
    // What the pages tell each other.
    void EnableAuditDetails(BOOL enable) { m_auditDetail.EnableDetails(enable); }
    void RefreshPacksPage(int rocUsesDatabase) { m_packs.OnROCusesDBChanged(rocUsesDatabase); }
    void OnRDBGenSetChanged(int setting) { m_remoteDb.OnRDBGenSetChanged(setting); }
    // The TOLVE pages' values, as the page shows them while it has a window, else the record's.
    int GetReapplyCompleted() const { return m_tolve.GetCurrentReapplyCompletedIndependentTrans(); }
    int GetCheckSum() const { return m_defaultTolve.GetCurrentCheckSum(); }
    int GetDefaultIspecExtendedEdition() const { return m_defaultTolve.GetCurrentDefaultIspecExtendedEdition(); }
    int GetDisplayWarn() const { return m_defaultTolve.GetCurrentDisplayWarn(); }
    int GetOptimizeBlocksize2Vss() const { return m_defaultTolve.GetCurrentOptimizeBlocksize2Vss(); }
    std::int64_t GetReblockFactor() const { return m_defaultTolve.GetCurrentReblockFactor(); }
    std::int64_t GetDataSetBuffers() const { return m_defaultTolve.GetCurrentDataSetBuffers(); }
    std::int64_t GetDataSetBuffersPUser() const { return m_defaultTolve.GetCurrentDataSetBuffersPUser(); }
    std::int64_t GetDataSetBuffersPRandomUser() const { return m_defaultTolve.GetCurrentDataSetBuffersPRandomUser(); }
    std::int64_t GetDataSetBuffersPSerialUser() const { return m_defaultTolve.GetCurrentDataSetBuffersPSerialUser(); }
    std::int64_t GetDefaultPopulationIncrease() const { return m_defaultTolve.GetCurrentPopulationIncrease(); }
    std::int64_t GetDefaultPopulationWarn() const { return m_defaultTolve.GetCurrentPopulationWarn(); }
    std::int64_t GetPopulationIncrease() const { return m_defaultTolve.GetPopulationIncreaseForPopset(); }
    std::int64_t GetPopulationWarn() const { return m_defaultTolve.GetPopulationWarnForPopset(); }
    CString GetSecurityGuardUser() const { return m_defaultTolve.GetCurrentSecurityGuardUser(); }
    CString GetSecurityGuardName() const { return m_defaultTolve.GetCurrentSecurityGuardName(); }
    CString GetSecurityGuardPack() const { return m_defaultTolve.GetCurrentSecurityGuardPack(); }

    // What the TOLVE pages are told.
    void SetReblockFactorUpperLimit(int adhocInquiry) { m_defaultTolve.SetReblockFactorUpperLimit(adhocInquiry); }
    void SetReblockFactorOnPages(std::int64_t factor);
    void NotifyEnvAndDefTOLVEPages(int reapply);
    void SyncEventTOLVECheckSum(int value) { m_eventTolve.OnDefaultCheckSumChanged(value); }
    void SyncEventTOLVEExtendedEdition(int value) { m_eventTolve.OnDefaultExtendedEditionChanged(value); }
    void SyncEventTOLVEDisplayWarn(int value) { m_eventTolve.OnDefaultDisplayWarnChanged(value); }
    void SyncEventTOLVEOptimizeBlocksize(int value) { m_eventTolve.OnDefaultOptimizeBlocksizeChanged(value); }
    void SetEventTOLVESecurityGuardUser(const CString& value) { m_eventTolve.OnDefaultSecurityGuardUserChanged(value); }
    void SetEventTOLVESecurityGuardName(const CString& value) { m_eventTolve.OnDefaultSecurityGuardNameChanged(value); }
    void SetEventTOLVESecurityGuardPack(const CString& value) { m_eventTolve.OnDefaultSecurityGuardPackChanged(value); }
    void SetEventTOLVEPopulationIncrease(std::int64_t value) { m_eventTolve.OnDefaultPopulationIncreaseChanged(value); }
    void SetEventTOLVEPopulationWarn(std::int64_t value) { m_eventTolve.OnDefaultPopulationWarnChanged(value); }
    void SetEventTOLVEDataSetBuffers(std::int64_t value) { m_eventTolve.OnDefaultDataSetBuffersChanged(value); }
    void SetEventTOLVEDataSetBuffersPUser(std::int64_t value)
    {
        m_eventTolve.OnDefaultDataSetBuffersPUserChanged(value);
    }
    void SetEventTOLVEDataSetBuffersPRandomUser(std::int64_t value)
    {
        m_eventTolve.OnDefaultDataSetBuffersPRandomUserChanged(value);
    }
    void SetEventTOLVEDataSetBuffersPSerialUser(std::int64_t value)
    {
        m_eventTolve.OnDefaultDataSetBuffersPSerialUserChanged(value);
    }
    void SetPopsetPopulationIncrease(std::int64_t value) { m_internalTolve.OnDefaultPopulationIncreaseChanged(value); }
    void SetPopsetPopulationWarn(std::int64_t value) { m_internalTolve.OnDefaultPopulationWarnChanged(value); }
    void SetPopsetDBPack(const CString& pack) { m_internalTolve.OnDefaultPackChanged(pack, 0); }
    void SetPopsetROCoutput(const CString& pack) { m_internalTolve.OnDefaultPackChanged(pack, 1); }
    void SetPopsetAdhocInfo(const CString& pack) { m_internalTolve.OnDefaultPackChanged(pack, 2); }
    void EnableAdhocCategory(int adhocInquiry) { m_internalTolve.EnableAdhocCategory(adhocInquiry); }

private:
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
