#include "shell/StatusMessage.h"

#include "shell/VqsListFrame.h"

StatusMessage::StatusMessage(VqsListFrame* frame, const char* text) : m_pFrame(frame) { Show(text); }

StatusMessage::StatusMessage(VqsListFrame* frame, UINT stringId) : m_pFrame(frame)
{
    CString text;
    text.LoadString(stringId);
    Show(text);
}

void StatusMessage::Show(const char* text)
{
    if (!m_pFrame)
        return;
    m_hFrame = m_pFrame->GetSafeHwnd();
    m_strPrevious = m_pFrame->GetStatusText();
    m_pFrame->SetStatusText(text);
}

StatusMessage::~StatusMessage()
{
    if (m_pFrame && CWnd::FromHandlePermanent(m_hFrame) == m_pFrame)
        m_pFrame->SetStatusText(m_strPrevious);
}
