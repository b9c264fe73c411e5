// What a device context drew, operation by operation, for tests to read ("row 3: text
// 'CUSTOMER' in grey at x=20") and for dumps of a window.
#pragma once

#include "win/Geometry.h"
#include "win/Types.h"

#include <string>
#include <string_view>
#include <vector>

namespace vqwin {

struct DisplayFont {
    std::string face;
    int height = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
};

// A piece of text between tabs and where it starts.
struct TextRun {
    int x;
    std::string text;
};

struct DisplayOp {
    enum class Kind { Fill, Text, Line, FocusRect, Image };

    Kind kind = Kind::Fill;
    // Fill, focus rectangle and image: the destination. Text: the box the text covers.
    CRect rect;
    // Line: from the start point to the end point (the end point itself is not drawn).
    CPoint from;
    CPoint to;
    // Text: as given, tabs included, and the runs it was laid out in.
    std::string text;
    std::vector<TextRun> runs;
    bool tabbed = false;
    int tabOrigin = 0;
    std::vector<int> tabStops;
    // Fill colour, text colour or pen colour.
    COLORREF color = 0;
    // Text: the background behind it and the background mode (TRANSPARENT or OPAQUE).
    COLORREF background = 0;
    int backgroundMode = 0;
    DisplayFont font;
    int penStyle = 0;
    int penWidth = 0;
    // Image: the source bitmap's name, the part of it copied and the raster operation; an
    // image of an image list may show what lies beneath where it has the mask colour, and
    // may be blended with the highlight colour (percent).
    std::string image;
    CRect source;
    DWORD rop = 0;
    bool masked = false;
    COLORREF maskColor = 0;
    int blend = 0;
    // The clip rectangle in force, when there is one.
    bool clipped = false;
    CRect clip;
};

class DisplayList {
public:
    void Add(DisplayOp op) { m_ops.push_back(std::move(op)); }
    void Clear() { m_ops.clear(); }
    const std::vector<DisplayOp>& Ops() const { return m_ops; }
    std::size_t Size() const { return m_ops.size(); }

    // Operations whose rectangle (or line) meets the band of rows [top, bottom).
    std::vector<const DisplayOp*> InBand(int top, int bottom) const;
    // The first text operation whose text contains `text`; null when none.
    const DisplayOp* FindText(std::string_view text) const;

    // One line per operation, such as
    //   fill (0,0)-(100,18) #FFFFFF
    //   text (20,3) "CUSTOMER" #808080 on #FFFFFF opaque font "System" 16/400
    //   line (4,9)-(9,9) #000000 pen 0/0
    static std::string Describe(const DisplayOp& op);
    std::string Describe() const;

private:
    std::vector<DisplayOp> m_ops;
};

} // namespace vqwin
