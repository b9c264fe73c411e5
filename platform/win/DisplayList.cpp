#include "win/DisplayList.h"

#include "win/Gdi.h"

#include <algorithm>
#include <cstdio>

namespace vqwin {

namespace {

std::string Format(const char* format, long a, long b)
{
    char text[48];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string Color(COLORREF color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

std::string Point(const CPoint& point) { return Format("(%ld,%ld)", point.x, point.y); }

std::string Rect(const CRect& rect) { return Point(rect.TopLeft()).append("-").append(Point(rect.BottomRight())); }

std::string Quoted(const std::string& text)
{
    std::string quoted("\"");
    for (char c : text) {
        if (c == '\t')
            quoted.append("\\t");
        else
            quoted.push_back(c);
    }
    quoted.push_back('"');
    return quoted;
}

std::string DescribeText(const DisplayOp& op)
{
    std::string line("text ");
    line.append(Point(op.rect.TopLeft())).append(" ").append(Quoted(op.text));
    if (op.tabbed) {
        line.append(" origin ").append(std::to_string(op.tabOrigin)).append(" runs");
        for (const TextRun& run : op.runs)
            line.append(" ").append(std::to_string(run.x)).append(":").append(Quoted(run.text));
    }
    line.append(" ").append(Color(op.color)).append(" on ").append(Color(op.background));
    line.append(op.backgroundMode == TRANSPARENT ? " transparent" : " opaque");
    line.append(" font ").append(Quoted(op.font.face)).append(" ");
    line.append(Format("%ld/%ld", op.font.height, op.font.weight));
    if (op.font.italic)
        line.append(" italic");
    if (op.font.underline)
        line.append(" underline");
    return line;
}

int Top(const DisplayOp& op) { return op.kind == DisplayOp::Kind::Line ? std::min(op.from.y, op.to.y) : op.rect.top; }

int Bottom(const DisplayOp& op)
{
    return op.kind == DisplayOp::Kind::Line ? std::max(op.from.y, op.to.y) + 1 : op.rect.bottom;
}

} // namespace

std::vector<const DisplayOp*> DisplayList::InBand(int top, int bottom) const
{
    std::vector<const DisplayOp*> found;
    for (const DisplayOp& op : m_ops) {
        if (Top(op) < bottom && Bottom(op) > top)
            found.push_back(&op);
    }
    return found;
}

const DisplayOp* DisplayList::FindText(std::string_view text) const
{
    auto it = std::find_if(m_ops.begin(), m_ops.end(), [&](const DisplayOp& op) {
        return op.kind == DisplayOp::Kind::Text && op.text.find(text) != std::string::npos;
    });
    return it == m_ops.end() ? nullptr : &*it;
}

std::string DisplayList::Describe(const DisplayOp& op)
{
    std::string line;
    switch (op.kind) {
    case DisplayOp::Kind::Fill:
        line.append("fill ").append(Rect(op.rect)).append(" ").append(Color(op.color));
        break;
    case DisplayOp::Kind::Text:
        line = DescribeText(op);
        break;
    case DisplayOp::Kind::Line:
        line.append("line ").append(Point(op.from)).append("-").append(Point(op.to)).append(" ");
        line.append(Color(op.color)).append(" pen ").append(Format("%ld/%ld", op.penStyle, op.penWidth));
        break;
    case DisplayOp::Kind::FocusRect:
        line.append("focus ").append(Rect(op.rect));
        break;
    case DisplayOp::Kind::Image:
        line.append("image ").append(Quoted(op.image)).append(" ").append(Rect(op.source)).append(" to ");
        line.append(Rect(op.rect));
        if (op.rop != SRCCOPY) {
            char rop[16];
            std::snprintf(rop, sizeof rop, " rop %08X", static_cast<unsigned>(op.rop));
            line.append(rop);
        }
        if (op.masked)
            line.append(" mask ").append(Color(op.maskColor));
        if (op.blend)
            line.append(" blend ").append(std::to_string(op.blend)).append("%");
        break;
    }
    if (op.clipped)
        line.append(" clip ").append(Rect(op.clip));
    return line;
}

std::string DisplayList::Describe() const
{
    std::string text;
    for (const DisplayOp& op : m_ops)
        text.append(Describe(op)).append("\n");
    return text;
}

} // namespace vqwin
