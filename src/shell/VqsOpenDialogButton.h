// An owner-drawn push button that opens a further dialog. Enter with the focus on it clicks
// it instead of closing the dialog (see VqsDialog::OnCommand).
#pragma once

#include "win/CButton.h"

class VqsOpenDialogButton : public CButton {
public:
    VqsOpenDialogButton();
    ~VqsOpenDialogButton() override;

protected:
    DECLARE_MESSAGE_MAP()
};
