#include "shell/VqsListFrame.h"

VqsListFrame::VqsListFrame() = default;

VqsListFrame::~VqsListFrame() = default;

CWnd* VqsListFrame::GetActiveFrame() { return this; }
