#include "shell/VqsOpenDialogButton.h"

BEGIN_MESSAGE_MAP(VqsOpenDialogButton, CButton)
END_MESSAGE_MAP()

VqsOpenDialogButton::VqsOpenDialogButton() = default;

VqsOpenDialogButton::~VqsOpenDialogButton() = default;
