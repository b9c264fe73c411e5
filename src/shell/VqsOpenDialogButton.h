// An owner-drawn push button that opens a further dialog: the "NAV" image at its left (one
// of three side by side: normal, pressed, disabled) and its text with the mnemonic
// underlined. Enter with the focus on it clicks it instead of closing the dialog (see
// VqsDialog::OnCommand).
#pragma once

#include "win/CButton.h"

class VqsOpenDialogButton : public CButton {
public:
    VqsOpenDialogButton();
    ~VqsOpenDialogButton() override;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
    DECLARE_MESSAGE_MAP()
};
