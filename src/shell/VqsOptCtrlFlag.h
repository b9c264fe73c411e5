// A check box tied to a BOOL value. The owner reads and writes m_bValue directly.
// A box whose value could not be read is not available: its state is unknown, so it shows
// clear and stays disabled, and a store takes nothing from it until SetValue.
#pragma once

#include "shell/VqsOptCtrl.h"

class VqsOptCtrlFlag : public VqsOptCtrl {
public:
    VqsOptCtrlFlag(VqsDialogCtrlConnector* connector, UINT id);

    void Enable(BOOL enable) override;
    BOOL IsEnabled() override;
    void SetReadOnly() override;
    void Show(BOOL show) override;
    void SaveState() override;

    // The value, shown at the next exchange; it ends the not-available state.
    void SetValue(BOOL value);
    void SetNotAvailable();

    // The box is checked now.
    BOOL IsChecked() const;
    // Checks or clears the box without touching the value.
    void SetCheck(BOOL check);

    BOOL m_bValue = FALSE;

protected:
    void ExchangeValue(CDataExchange* pDX) override;
    BOOL IsValueModified() override;
    BOOL ControlDiffersFromSaved() override;
    void RestoreSavedValue() override;
    void ShowValue() override;
    void ShowPlaceholder(CDataExchange* pDX) override;

private:
    WORD m_nID;
    BOOL m_bSaved = FALSE;
};
