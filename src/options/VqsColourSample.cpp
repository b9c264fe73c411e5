#include "options/VqsColourSample.h"

#include "win/CWnd.h"

namespace {
constexpr int IDC_SAMPLE_TEXT = 1107;
constexpr const char* kColourNames[] = {"Black", "White", "Green", "Red", "Blue", "Yellow", "Magenta", "Cyan"};
} // namespace

VqsColourSample::VqsColourSample(CWnd& page, const VqsOptCtrlFlag& usePainter, VqsOptCtrlColor& background,
                                 VqsOptCtrlColor& foreground)
    : m_page(page), m_usePainter(usePainter), m_background(background), m_foreground(foreground)
{
}

void VqsColourSample::FillColourNames(int backgroundId, int foregroundId)
{
    for (int id : {backgroundId, foregroundId})
        for (const char* name : kColourNames)
            m_page.SendDlgItemMessage(id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
}

void VqsColourSample::EnableByPainter()
{
    const BOOL ownColours = !m_usePainter.m_bValue;
    if (CWnd* sample = m_page.m_hWnd ? m_page.GetDlgItem(IDC_SAMPLE_TEXT) : nullptr)
        sample->ShowWindow(ownColours ? SW_SHOW : SW_HIDE);
    m_background.Enable(ownColours && !m_background.IsNotAvailable());
    m_foreground.Enable(ownColours && !m_foreground.IsNotAvailable());
}

void VqsColourSample::Repaint()
{
    if (CWnd* sample = m_page.GetDlgItem(IDC_SAMPLE_TEXT)) {
        sample->ShowWindow(SW_HIDE);
        sample->ShowWindow(SW_SHOW);
    }
}

HBRUSH VqsColourSample::OnCtlColor(CDC* dc, CWnd* control) const
{
    if (control && control->GetDlgCtrlID() == IDC_SAMPLE_TEXT && !m_usePainter.m_bValue)
        VqsOptCtrlColor::PaintSample(dc, m_foreground, m_background);
    return nullptr;
}
