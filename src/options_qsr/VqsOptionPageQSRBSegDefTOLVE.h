// The "Default TOLVE" page of a QSR business segment: the business-segment-wide defaults of
// the TOLVE database description. The Event TOLVE page shows these values behind its "Use
// default" boxes and the Internal TOLVE page takes its default population increase and
// warning from here; the page tells both of every change, through the sheet.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "proxy/PxQSRBSegOptions.h"

#include <cstdint>

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegDefTOLVE : public VqsTableOptionPage {
public:
    VqsOptionPageQSRBSegDefTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void StoreOptions() override;
    // Also tells the Event TOLVE page the defaults it shows.
    void LoadOptions() override;

    // The values as the page shows them while it has a window, else the record's.
    int GetCurrentCheckSum() const;
    int GetCurrentDefaultIspecExtendedEdition() const;
    int GetCurrentDisplayWarn() const;
    int GetCurrentOptimizeBlocksize2Vss() const;
    std::int64_t GetCurrentReblockFactor() const;
    std::int64_t GetCurrentDataSetBuffers() const;
    std::int64_t GetCurrentDataSetBuffersPUser() const;
    std::int64_t GetCurrentDataSetBuffersPRandomUser() const;
    std::int64_t GetCurrentDataSetBuffersPSerialUser() const;
    std::int64_t GetCurrentPopulationIncrease() const;
    std::int64_t GetCurrentPopulationWarn() const;
    CString GetCurrentSecurityGuardUser() const;
    CString GetCurrentSecurityGuardName() const;
    CString GetCurrentSecurityGuardPack() const;
    std::int64_t GetPopulationIncreaseForPopset() const { return GetCurrentPopulationIncrease(); }
    std::int64_t GetPopulationWarnForPopset() const { return GetCurrentPopulationWarn(); }

    // "Reapply Completed / Independent Trans" of the TOLVE page changed: "Extended Edition"
    // may be changed only while it is set.
    void OnReapplyCompletedTransChanged(int reapply);
    // With ad hoc inquiry the reblock factor is at most 8, else the record's bound.
    void SetReblockFactorUpperLimit(int adhoc);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    void OnOptionTaken(UINT id) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnIgnoreNationalItems();
    DECLARE_MESSAGE_MAP()

private:
    PxQSRBSegOptions& Options() const;
    BOOL HasWindow() const { return m_hWnd != nullptr; }
    // The confirmation of a change of "Extended Edition": FALSE when the user cancels.
    BOOL ConfirmExtendedEdition();
    void OnExtendedEditionTaken();
    void OnKoraxIncrementTaken();
    void OnCCsversionTaken();
    // The four values of the Data Set Buffers or the Set Buffers group; the Event TOLVE
    // page hears of the first group's changes.
    struct BufferGroup {
        VqsOptCtrlInt& buffers;
        VqsOptCtrlInt& perUser;
        VqsOptCtrlInt& perRandomUser;
        VqsOptCtrlInt& perSerialUser;
        BOOL tellEventPage;
    };
    BufferGroup DataSetGroup()
    {
        return {m_dataSetBuffers, m_dataSetPerUser, m_dataSetPerRandomUser, m_dataSetPerSerialUser, TRUE};
    }
    BufferGroup SetGroup()
    {
        return {m_setBuffers, m_setPerUser, m_setPerRandomUser, m_setPerSerialUser, FALSE};
    }
    void OnBuffersTaken(const BufferGroup& group);
    void OnPerUserTaken(const BufferGroup& group);
    void OnPerRandomUserTaken(const BufferGroup& group);
    void EnableBufferGroup(const BufferGroup& group);
    void TellEventPageDefaults();

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_checkSum;
    VqsOptCtrlFlag& m_extendedEdition;
    VqsOptCtrlFlag& m_displayWarn;
    VqsOptCtrlFlag& m_optimizeBlocksize;
    VqsOptCtrlFlag& m_dumpstamp;
    VqsOptCtrlFlag& m_koraxIncrement;
    VqsOptCtrlString& m_securityGuardUser;
    VqsOptCtrlString& m_securityGuardName;
    VqsOptCtrlString& m_ccsVersion;
    VqsOptCtrlCombo& m_securityGuardPack;
    VqsOptCtrlCombo& m_guardFilePack;
    VqsOptCtrlInt& m_reblockFactor;
    VqsOptCtrlInt& m_populationIncrease;
    VqsOptCtrlInt& m_populationWarn;
    VqsOptCtrlInt& m_dataSetBuffers;
    VqsOptCtrlInt& m_dataSetPerUser;
    VqsOptCtrlInt& m_dataSetPerRandomUser;
    VqsOptCtrlInt& m_dataSetPerSerialUser;
    VqsOptCtrlInt& m_setBuffers;
    VqsOptCtrlInt& m_setPerUser;
    VqsOptCtrlInt& m_setPerRandomUser;
    VqsOptCtrlInt& m_setPerSerialUser;
    // Not an option: stands for a CCsversion of "NONE".
    VqsOptCtrlFlag m_ignoreNationalItems;
};
