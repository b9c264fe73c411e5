// A 64-bit integer in an edit box, with optional bounds that are checked in strict mode.
#pragma once

#include "shell/VqsOptCtrl.h"
#include "win/CEdit.h"

class VqsOptCtrlInt : public VqsOptCtrl {
public:
    VqsOptCtrlInt(VqsDialogCtrlConnector* connector, UINT id);

    void Enable(BOOL enable) override;
    BOOL IsEnabled() override;
    void SetReadOnly() override;
    void Show(BOOL show) override;
    void SaveState() override;

    LONGLONG GetValue() const { return m_nValue; }
    // Also ends the not-available state.
    void SetValue(LONGLONG value);
    void SetNotAvailable();
    // A bound set after loading pulls the value and the saved value into it, so that this
    // does not count as a change.
    void SetMinimum(LONGLONG minimum);
    void SetMaximum(LONGLONG maximum);
    // The most characters the user may type. The second number is not used.
    void SetTextLimit(int limit, int second);

protected:
    void ExchangeValue(CDataExchange* pDX) override;
    void ShowPlaceholder(CDataExchange* pDX) override;
    BOOL IsValueModified() override;
    BOOL ControlDiffersFromSaved() override;
    void RestoreSavedValue() override;
    void ShowValue() override;

private:
    void Bind(CDataExchange* pDX);
    // Digits-only input, unless a negative number may be entered.
    void ApplyInputStyle();
    void Store(CDataExchange* pDX, HWND edit);
    // What an empty edit stands for.
    LONGLONG BlankValue() const;
    BOOL IsOutOfRange(LONGLONG number) const;
    [[noreturn]] void FailWithRange(CDataExchange* pDX, BOOL wholeRange);

    CEdit m_edit;
    WORD m_nID;
    BOOL m_bHasMinimum = FALSE;
    BOOL m_bHasMaximum = FALSE;
    LONGLONG m_nMinimum = 0;
    LONGLONG m_nMaximum = 0;
    LONGLONG m_nValue = 0;
    LONGLONG m_nSaved = 0;
    int m_nTextLimit = -1;
};
