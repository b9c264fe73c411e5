// The measures of a font, by fixed rules so that tests can reckon widths:
// - the height is |lfHeight| pixels (16 when lfHeight is 0);
// - a single-byte character is lfWidth wide, or half the height rounded up when lfWidth is 0;
// - a double-byte character is twice that; a bold font (weight 700 and above) adds one pixel
//   to every character.
#pragma once

#include "win/Gdi.h"

#include <string_view>

namespace vqwin {

class FontMetrics {
public:
    explicit FontMetrics(const LOGFONT& font);

    int Height() const { return m_height; }
    int AverageCharWidth() const { return m_average; }
    TEXTMETRIC TextMetrics() const;
    int TextWidth(std::string_view text) const;

private:
    LOGFONT m_font;
    int m_height;
    int m_average;
    int m_boldExtra;
};

} // namespace vqwin
