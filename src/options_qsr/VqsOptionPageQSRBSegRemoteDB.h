// The "Remote DB" page of a QSR business segment: the remote (shadow) database's port
// time-outs, workers, acknowledgement rate, restart interval, file transmission and transfer,
// error handling and three dumps. The page is live only while the Configure/QEP Gen page's
// "RDB Generate Set" is set.
#pragma once

#include "options/VqsTableOptionPage.h"
#include "options_qsr/VqsIndexedOptionRows.h"

#include <array>
#include <memory>

class VqsOptions_BSeg_QSR_Sheet;

class VqsOptionPageQSRBSegRemoteDB : public VqsTableOptionPage {
public:
    static constexpr int kDumps = 3;

    VqsOptionPageQSRBSegRemoteDB(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex);

    BOOL OnInitDialog() override;
    void LoadOptions() override;
    void StoreOptions() override;
    BOOL IsNotUpdated() override;
    void ClearOptions() override;

    // Enables the page's controls by the remote-database generate set setting.
    void EnableControls(int rdbGenerateSet);
    // The Configure/QEP Gen page changed the setting.
    void OnRDBGenSetChanged(int rdbGenerateSet);

protected:
    void AdjustLoadedValues() override;
    void EnableDependentControls() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    struct Dump {
        VqsOptCtrlString* name;
        VqsOptCtrlCombo* pack;
        VqsOptCtrlString* serialNumber;
        VqsOptCtrlInt* cycle;
        VqsOptCtrlInt* version;
        VqsOptCtrlInt* density;
        std::unique_ptr<VqsOptCtrlRadio> kind;
    };

    void EnableDump(const Dump& dump, BOOL live);
    BOOL IsDumpKindButton(UINT id, int& dump) const;

    VqsOptions_BSeg_QSR_Sheet* m_pQSRSheet;
    VqsOptCtrlFlag& m_delayAuditRemoval;
    VqsOptCtrlInt& m_timeoutFromPrimary;
    VqsOptCtrlInt& m_timeoutFromSecondary;
    VqsOptCtrlInt& m_workers;
    VqsOptCtrlInt& m_ackRate;
    VqsOptCtrlInt& m_syncRestartInterval;
    VqsIndexedOptionRows m_rows;
    // Not in the table: the radios map the record's values in their own ways.
    VqsOptCtrlRadio m_transmissionMode;
    VqsOptCtrlRadio m_transferOption;
    VqsOptCtrlRadio m_errorHandling;
    std::array<Dump, kDumps> m_dumps;
    // The controls are enabled: "RDB Generate Set" is set.
    BOOL m_bLive = FALSE;
};
