#include "shell/VqsDialogCtrlConnector.h"

#include "shell/VqsOptCtrl.h"

VqsDialogCtrlConnector::StrictControl::StrictControl(VqsDialogCtrlConnector* connector) : m_pConnector(connector)
{
    ++m_pConnector->m_nStrictCount;
}

VqsDialogCtrlConnector::StrictControl::StrictControl(const StrictControl& other)
    : CObject(other), m_pConnector(other.m_pConnector)
{
    ++m_pConnector->m_nStrictCount;
}

VqsDialogCtrlConnector::StrictControl::~StrictControl()
{
    if (m_pConnector->m_nStrictCount > 0)
        --m_pConnector->m_nStrictCount;
}

VqsDialogCtrlConnector::VqsDialogCtrlConnector(CWnd* owner) : m_pOwner(owner) {}

VqsDialogCtrlConnector::~VqsDialogCtrlConnector() = default;

VqsDialogCtrlConnector::StrictControl VqsDialogCtrlConnector::MakeStrict() { return StrictControl(this); }

void VqsDialogCtrlConnector::Add(VqsOptCtrl* control) { m_controls.AddTail(control); }

void VqsDialogCtrlConnector::DoDataExchange(CDataExchange* pDX)
{
    for (POSITION pos = m_controls.GetHeadPosition(); pos;)
        m_controls.GetNext(pos)->DoDataExchange(pDX);
}

void VqsDialogCtrlConnector::OnCommand(UINT id, int code)
{
    for (POSITION pos = m_controls.GetHeadPosition(); pos;)
        m_controls.GetNext(pos)->OnCommand(id, code);
}

void VqsDialogCtrlConnector::SetReadOnly()
{
    for (POSITION pos = m_controls.GetHeadPosition(); pos;)
        m_controls.GetNext(pos)->SetReadOnly();
}
