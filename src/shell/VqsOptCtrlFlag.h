// A check box tied to a BOOL value. The owner reads and writes m_bValue directly.
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

private:
    WORD m_nID;
    BOOL m_bSaved = FALSE;
};
