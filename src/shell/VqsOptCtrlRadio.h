// A group of radio buttons tied to the index of the chosen one. The owner reads and writes
// m_nValue directly. A choice that could not be read is not available: no button shows
// checked, every button stays disabled, and a store takes nothing until SetValue.
#pragma once

#include "shell/VqsOptCtrl.h"
#include "win/Collections.h"

#include <concepts>
#include <initializer_list>

class VqsOptCtrlRadio : public VqsOptCtrl {
public:
    // The buttons' ids in the order of their indexes.
    template <std::convertible_to<UINT>... Ids>
        requires(sizeof...(Ids) >= 2)
    VqsOptCtrlRadio(VqsDialogCtrlConnector* connector, Ids... ids)
        : VqsOptCtrlRadio(connector, {static_cast<UINT>(ids)...})
    {
    }

    void Enable(BOOL enable) override;
    BOOL IsEnabled() override;
    // Only the checked button (the first when none is) stays enabled.
    void SetReadOnly() override;
    void Show(BOOL show) override;
    void SaveState() override;

    // The index, shown at the next exchange; it ends the not-available state.
    void SetValue(int index);
    void SetNotAvailable();

    // The index of the first checked button, 0 when none is checked.
    int GetCheckedIndex() const;
    void EnableButton(BOOL enable, int index);

    int m_nValue = 0;

protected:
    void ExchangeValue(CDataExchange* pDX) override;
    BOOL IsValueModified() override;
    BOOL ControlDiffersFromSaved() override;
    void RestoreSavedValue() override;
    void ShowValue() override;
    void ShowPlaceholder(CDataExchange* pDX) override;

private:
    VqsOptCtrlRadio(VqsDialogCtrlConnector* connector, std::initializer_list<UINT> ids);
    // -1 when none is checked.
    int FindCheckedIndex() const;
    HWND Button(int index) const;
    // Checked when it is the value's button, else cleared.
    void ShowCheck(HWND button, unsigned int index) const;

    CWordArray m_ids;
    unsigned int m_nCount;
    int m_nSaved = 0;
};
