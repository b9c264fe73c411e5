#include "shell/VqsOptCtrl.h"

#include "shell/VqsDialogCtrlConnector.h"

VqsOptCtrl::VqsOptCtrl(VqsDialogCtrlConnector* connector) : m_pConnector(connector) { m_pConnector->Add(this); }

VqsOptCtrl::~VqsOptCtrl() = default;

void VqsOptCtrl::OnCommand(UINT, int) {}
