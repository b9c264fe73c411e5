// A colour index in an owner-drawn combo box whose list shows the colours; the owner fills
// the list so that an item's index is its colour index.
#pragma once

#include "shell/VqsOptCtrl.h"
#include "win/CComboBox.h"

class VqsOptCtrlColor : public VqsOptCtrl {
public:
    // Draws each item as a colour swatch followed by its text.
    class CColorBox : public CComboBox {
    public:
        void DrawItem(LPDRAWITEMSTRUCT dis) override;
        void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

        // Items are drawn empty while the value is not available.
        BOOL m_bDrawBlank = FALSE;
    };

    VqsOptCtrlColor(VqsDialogCtrlConnector* connector, UINT id);

    void Enable(BOOL enable) override;
    BOOL IsEnabled() override;
    // The box is disabled.
    void SetReadOnly() override;
    void Show(BOOL show) override;
    void SaveState() override;

    int GetValue() const { return m_nValue; }
    // Also ends the not-available state.
    void SetValue(int value);
    void SetNotAvailable();
    // Black for every index outside 1-7.
    static COLORREF ColorFromIndex(int index);
    // Sets a colour sample's text colour from `foreground` and its background from `background`.
    static void PaintSample(CDC* dc, const VqsOptCtrlColor& foreground, const VqsOptCtrlColor& background);

protected:
    void ExchangeValue(CDataExchange* pDX) override;
    void ShowPlaceholder(CDataExchange* pDX) override;
    BOOL IsValueModified() override;
    BOOL ControlDiffersFromSaved() override;
    void RestoreSavedValue() override;
    void ShowValue() override;

private:
    HWND GetBox() const { return GetOwnerItem(m_nID); }
    int GetBoxSelection() const;

    CColorBox m_box;
    WORD m_nID;
    int m_nValue = 0;
    int m_nSaved = 0;
};
