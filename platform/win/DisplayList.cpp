#include "win/DisplayList.h"

#include "win/Gdi.h"

#include <algorithm>
#include <cstdio>

namespace vqwin {

namespace {

std::string Color(COLORREF color)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(color), GetGValue(color), GetBValue(color));
    return text;
}

std::string Rect(const CRect& rect)
{
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) +
           "," + std::to_string(rect.bottom) + ")";
}

std::string Point(const CPoint& point) { return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")"; }

std::string Quoted(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text)
        quoted += c == '\t' ? std::string("\\t") : std::string(1, c);
    return quoted + "\"";
}

std::string DescribeText(const DisplayOp& op)
{
    std::string line = "text " + Point(op.rect.TopLeft()) + " " + Quoted(op.text);
    if (op.tabbed) {
        line += " origin " + std::to_string(op.tabOrigin) + " runs";
        for (const TextRun& run : op.runs)
            line += " " + std::to_string(run.x) + ":" + Quoted(run.text);
    }
    line += " " + Color(op.color) + " on " + Color(op.background) + (op.backgroundMode == TRANSPARENT ? " transparent" : " opaque");
    line += " font " + Quoted(op.font.face) + " " + std::to_string(op.font.height) + "/" + std::to_string(op.font.weight);
    if (op.font.italic)
        line += " italic";
    if (op.font.underline)
        line += " underline";
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
        line = "fill " + Rect(op.rect) + " " + Color(op.color);
        break;
    case DisplayOp::Kind::Text:
        line = DescribeText(op);
        break;
    case DisplayOp::Kind::Line:
        line = "line " + Point(op.from) + "-" + Point(op.to) + " " + Color(op.color) + " pen " +
               std::to_string(op.penStyle) + "/" + std::to_string(op.penWidth);
        break;
    case DisplayOp::Kind::FocusRect:
        line = "focus " + Rect(op.rect);
        break;
    case DisplayOp::Kind::Image:
        line = "image " + Quoted(op.image) + " " + Rect(op.source) + " to " + Rect(op.rect);
        if (op.rop != SRCCOPY) {
            char rop[16];
            std::snprintf(rop, sizeof rop, " rop %08X", static_cast<unsigned>(op.rop));
            line += rop;
        }
        break;
    }
    if (op.clipped)
        line += " clip " + Rect(op.clip);
    return line;
}

std::string DisplayList::Describe() const
{
    std::string text;
    for (const DisplayOp& op : m_ops)
        text += Describe(op) + "\n";
    return text;
}

} // namespace vqwin
