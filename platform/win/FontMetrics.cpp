#include "win/FontMetrics.h"

#include "win/Mbcs.h"

#include <algorithm>
#include <cstdlib>

namespace vqwin {

namespace {

constexpr int kDefaultHeight = 16;

} // namespace

FontMetrics::FontMetrics(const LOGFONT& font)
    : m_font(font),
      m_height(font.lfHeight ? std::abs(font.lfHeight) : kDefaultHeight),
      m_average(font.lfWidth > 0 ? font.lfWidth : std::max(1, (m_height + 1) / 2)),
      m_boldExtra(font.lfWeight >= FW_BOLD ? 1 : 0)
{
}

TEXTMETRIC FontMetrics::TextMetrics() const
{
    TEXTMETRIC metrics{};
    metrics.tmHeight = m_height;
    metrics.tmDescent = m_height / 4;
    metrics.tmAscent = m_height - metrics.tmDescent;
    metrics.tmAveCharWidth = m_average;
    metrics.tmMaxCharWidth = 2 * m_average + m_boldExtra;
    metrics.tmWeight = m_font.lfWeight ? m_font.lfWeight : FW_NORMAL;
    metrics.tmDigitizedAspectX = 96;
    metrics.tmDigitizedAspectY = 96;
    metrics.tmFirstChar = 0x20;
    metrics.tmLastChar = 0xFF;
    metrics.tmDefaultChar = '?';
    metrics.tmBreakChar = ' ';
    metrics.tmItalic = m_font.lfItalic;
    metrics.tmUnderlined = m_font.lfUnderline;
    metrics.tmStruckOut = m_font.lfStrikeOut;
    metrics.tmPitchAndFamily = m_font.lfPitchAndFamily;
    metrics.tmCharSet = m_font.lfCharSet;
    return metrics;
}

int FontMetrics::TextWidth(std::string_view text) const
{
    int width = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += mbcs::CharLength(text, pos))
        width += (mbcs::CharLength(text, pos) == 2 ? 2 * m_average : m_average) + m_boldExtra;
    return width;
}

} // namespace vqwin
