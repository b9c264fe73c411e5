// The "Sample Text" of an environment page and the two colour boxes beside it: while the
// page's own colours are in force the boxes are enabled and the sample is shown in them;
// while "Use colors defined in Painter" is set the boxes are disabled and the sample hidden.
#pragma once

#include "shell/VqsOptCtrlColor.h"
#include "shell/VqsOptCtrlFlag.h"
#include "win/Gdi.h"

class CDC;
class CWnd;

class VqsColourSample {
public:
    VqsColourSample(CWnd& page, const VqsOptCtrlFlag& usePainter, VqsOptCtrlColor& background,
                    VqsOptCtrlColor& foreground);

    // Fills the two colour boxes (the page's controls backgroundId and foregroundId) with the
    // names of the colours, in colour index order.
    void FillColourNames(int backgroundId, int foregroundId);
    // Shows the sample and enables the colour boxes as the painter box says.
    void EnableByPainter();
    // Hidden and shown again, so that it paints in the chosen colours.
    void Repaint();
    // Paints the sample in the chosen colours while the page's own colours are in force.
    HBRUSH OnCtlColor(CDC* dc, CWnd* control) const;

private:
    CWnd& m_page;
    const VqsOptCtrlFlag& m_usePainter;
    VqsOptCtrlColor& m_background;
    VqsOptCtrlColor& m_foreground;
};
