#include "win/CDC.h"

#include "win/CGdiObject.h"
#include "win/CString.h"
#include "win/CWnd.h"
#include "win/DeviceContexts.h"
#include "win/DisplayList.h"
#include "win/FontMetrics.h"
#include "win/GdiObjects.h"
#include "win/Mbcs.h"
#include "win/Printing.h"
#include "win/WindowRegistry.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unordered_map>
#include <utility>

using vqwin::DisplayList;
using vqwin::DisplayOp;
using vqwin::FontMetrics;
using vqwin::TextRun;
using vqwin::detail::GdiObject;
using vqwin::detail::GdiObjects;

namespace vqwin::detail {

struct DcState {
    HFONT fontHandle = nullptr;
    LOGFONT font{};
    HPEN penHandle = nullptr;
    LOGPEN pen{};
    HBRUSH brushHandle = nullptr;
    HBITMAP bitmapHandle = nullptr;
    std::string bitmapLabel;
    std::shared_ptr<DisplayList> bitmapContent;
    CRect bitmapBounds;
    COLORREF text = RGB(0, 0, 0);
    COLORREF back = RGB(255, 255, 255);
    int backMode = OPAQUE;
    CPoint position;
    bool clipped = false;
    CRect clip;
};

DeviceCaps ScreenCaps()
{
    constexpr int kScreenDpi = 96;
    const CSize pixels(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    return DeviceCaps{pixels, CSize(pixels.cx * 254 / (kScreenDpi * 10), pixels.cy * 254 / (kScreenDpi * 10)),
                      kScreenDpi, kScreenDpi};
}

struct DeviceContext {
    HDC handle = nullptr;
    bool memory = false;
    DeviceCaps caps = ScreenCaps();
    int mapMode = MM_TEXT;
    CRect windowBounds;
    std::shared_ptr<DisplayList> windowList;
    std::shared_ptr<DisplayList> scratch = std::make_shared<DisplayList>();
    DcState state;
    std::vector<DcState> saved;
    std::unique_ptr<CDC> wrapper;

    DisplayList& Target() const
    {
        if (!memory)
            return *windowList;
        return state.bitmapContent ? *state.bitmapContent : *scratch;
    }
    CRect Bounds() const { return memory ? state.bitmapBounds : windowBounds; }
};

} // namespace vqwin::detail

using vqwin::detail::DcState;
using vqwin::detail::DeviceCaps;
using vqwin::detail::DeviceContext;

namespace {

struct DcData {
    std::mutex mutex;
    std::uintptr_t nextHandle = 0x30000;
    std::unordered_map<HDC, std::unique_ptr<DeviceContext>> contexts;
};

// Never destroyed, like the other handle tables.
DcData& Data()
{
    static auto* data = new DcData;
    return *data;
}

DeviceContext* FindContext(HDC dc)
{
    DcData& data = Data();
    std::lock_guard lock(data.mutex);
    auto it = data.contexts.find(dc);
    return it == data.contexts.end() ? nullptr : it->second.get();
}

HGDIOBJ Select(DeviceContext& dc, HGDIOBJ handle)
{
    GdiObject object;
    if (!GdiObjects::Find(handle, object))
        return nullptr;
    DcState& state = dc.state;
    switch (object.kind) {
    case GdiObject::Kind::Font:
        state.font = object.font;
        return std::exchange(state.fontHandle, static_cast<HFONT>(handle));
    case GdiObject::Kind::Pen:
        state.pen = object.pen;
        return std::exchange(state.penHandle, static_cast<HPEN>(handle));
    case GdiObject::Kind::Brush:
        return std::exchange(state.brushHandle, static_cast<HBRUSH>(handle));
    case GdiObject::Kind::Bitmap:
        if (!dc.memory)
            return nullptr;
        state.bitmapLabel = object.label;
        state.bitmapContent = object.content;
        state.bitmapBounds = CRect(0, 0, object.width, object.height);
        return std::exchange(state.bitmapHandle, static_cast<HBITMAP>(handle));
    }
    return nullptr;
}

HDC AddContext(bool memory, HWND window)
{
    auto dc = std::make_unique<DeviceContext>();
    dc->memory = memory;
    if (window) {
        dc->windowList = vqwin::GetWindowDisplayList(window);
        GetClientRect(window, &dc->windowBounds);
    } else if (!memory) {
        dc->windowList = dc->scratch;
        dc->windowBounds = CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }
    Select(*dc, GetStockObject(SYSTEM_FONT));
    Select(*dc, GetStockObject(BLACK_PEN));
    Select(*dc, GetStockObject(WHITE_BRUSH));
    DcData& data = Data();
    std::lock_guard lock(data.mutex);
    auto handle = reinterpret_cast<HDC>(data.nextHandle++);
    dc->handle = handle;
    data.contexts.emplace(handle, std::move(dc));
    return handle;
}

BOOL RemoveContext(HDC handle)
{
    std::unique_ptr<DeviceContext> dc;
    {
        DcData& data = Data();
        std::lock_guard lock(data.mutex);
        auto it = data.contexts.find(handle);
        if (it == data.contexts.end())
            return FALSE;
        dc = std::move(it->second);
        data.contexts.erase(it);
    }
    if (dc->wrapper)
        dc->wrapper->Detach();
    return TRUE;
}

void Record(const DeviceContext& dc, DisplayOp op)
{
    op.clipped = dc.state.clipped;
    op.clip = dc.state.clip;
    dc.Target().Add(std::move(op));
}

std::string_view TextOf(LPCTSTR text, int count)
{
    if (!text)
        return {};
    return count < 0 ? std::string_view(text) : std::string_view(text, static_cast<std::size_t>(count));
}

int NextTabStop(const FontMetrics& metrics, int position, int tabPositions, const int* tabStops, int origin)
{
    if (tabPositions <= 1) {
        const int interval = (tabPositions == 1 && tabStops && tabStops[0] > 0) ? tabStops[0]
                                                                                : 8 * metrics.AverageCharWidth();
        if (position < origin)
            return origin;
        return origin + ((position - origin) / interval + 1) * interval;
    }
    for (int i = 0; i < tabPositions; ++i) {
        const int stop = origin + std::abs(tabStops[i]);
        if (stop > position)
            return stop;
    }
    return position + metrics.AverageCharWidth();
}

struct TabLayout {
    std::vector<TextRun> runs;
    int end;
};

TabLayout LayOutTabs(const FontMetrics& metrics, std::string_view text, int x, int tabPositions, const int* tabStops,
                     int origin)
{
    TabLayout layout{{}, x};
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = mbcs::FindChar(text, '\t', start);
        const std::string_view piece = text.substr(start, tab == std::string_view::npos ? tab : tab - start);
        layout.runs.push_back(TextRun{layout.end, std::string(piece)});
        layout.end += metrics.TextWidth(piece);
        if (tab == std::string_view::npos)
            return layout;
        layout.end = NextTabStop(metrics, layout.end, tabPositions, tabStops, origin);
        start = tab + 1;
    }
}

DisplayOp TextOp(const DeviceContext& dc, int x, int y, std::string_view text, std::vector<TextRun> runs, int end)
{
    const DcState& state = dc.state;
    const FontMetrics metrics(state.font);
    DisplayOp op;
    op.kind = DisplayOp::Kind::Text;
    op.rect = CRect(x, y, end, y + metrics.Height());
    op.text = std::string(text);
    op.runs = std::move(runs);
    op.color = state.text;
    op.background = state.back;
    op.backgroundMode = state.backMode;
    op.font.face = state.font.lfFaceName;
    op.font.height = metrics.Height();
    op.font.weight = state.font.lfWeight ? state.font.lfWeight : FW_NORMAL;
    op.font.italic = state.font.lfItalic != 0;
    op.font.underline = state.font.lfUnderline != 0;
    return op;
}

// The text DrawText shows: "&x" shows x (the mnemonic), "&&" shows one '&'.
std::string WithoutPrefixes(std::string_view text)
{
    std::string shown;
    for (std::size_t pos = 0; pos < text.size(); pos += mbcs::CharLength(text, pos)) {
        if (text[pos] == '&' && pos + 1 < text.size())
            ++pos;
        shown.append(text.substr(pos, mbcs::CharLength(text, pos)));
    }
    return shown;
}

std::vector<std::string_view> LinesOf(std::string_view text, bool singleLine)
{
    std::vector<std::string_view> lines;
    if (singleLine) {
        lines.push_back(text);
        return lines;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = mbcs::FindChar(text, '\n', start);
        std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            return lines;
        start = end + 1;
    }
}

CRect Intersection(const CRect& a, const CRect& b)
{
    CRect common;
    common.IntersectRect(&a, &b);
    return common;
}

} // namespace

// Without a window: the screen, whose drawing is kept by the context alone.
HDC GetDC(HWND hwnd) { return !hwnd || IsWindow(hwnd) ? AddContext(false, hwnd) : nullptr; }

int ReleaseDC(HWND, HDC dc) { return RemoveContext(dc); }

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* paint)
{
    std::shared_ptr<DisplayList> list = vqwin::GetWindowDisplayList(hwnd);
    if (!list)
        return nullptr;
    list->Clear();
    ValidateRect(hwnd, nullptr);
    HDC dc = AddContext(false, hwnd);
    if (paint) {
        *paint = PAINTSTRUCT{};
        paint->hdc = dc;
        paint->fErase = TRUE;
        GetClientRect(hwnd, &paint->rcPaint);
    }
    return dc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) { return paint ? RemoveContext(paint->hdc) : FALSE; }

HDC CreateCompatibleDC(HDC) { return AddContext(true, nullptr); }

int GetDeviceCaps(HDC dc, int index)
{
    DeviceContext* context = FindContext(dc);
    if (!context)
        return 0;
    const DeviceCaps& caps = context->caps;
    switch (index) {
    case HORZSIZE:
        return caps.millimetres.cx;
    case VERTSIZE:
        return caps.millimetres.cy;
    case HORZRES:
    case PHYSICALWIDTH:
        return caps.pixels.cx;
    case VERTRES:
    case PHYSICALHEIGHT:
        return caps.pixels.cy;
    case LOGPIXELSX:
        return caps.dpiX;
    case LOGPIXELSY:
        return caps.dpiY;
    default:
        return 0;
    }
}

int SetMapMode(HDC dc, int mode)
{
    DeviceContext* context = FindContext(dc);
    if (!context || (mode != MM_TEXT && mode != MM_TWIPS))
        return 0;
    return std::exchange(context->mapMode, mode);
}

int GetMapMode(HDC dc)
{
    DeviceContext* context = FindContext(dc);
    return context ? context->mapMode : 0;
}

namespace {

constexpr int kTwipsPerInch = 1440;

BOOL MapPoints(HDC dc, LPPOINT points, int count, bool toLogical)
{
    DeviceContext* context = FindContext(dc);
    if (!context || !points)
        return FALSE;
    if (context->mapMode != MM_TWIPS)
        return TRUE;
    for (int i = 0; i < count; ++i) {
        POINT& point = points[i];
        if (toLogical) {
            point.x = point.x * kTwipsPerInch / context->caps.dpiX;
            point.y = -(point.y * kTwipsPerInch / context->caps.dpiY);
        } else {
            point.x = point.x * context->caps.dpiX / kTwipsPerInch;
            point.y = -point.y * context->caps.dpiY / kTwipsPerInch;
        }
    }
    return TRUE;
}

} // namespace

BOOL DPtoLP(HDC dc, LPPOINT points, int count) { return MapPoints(dc, points, count, true); }

BOOL LPtoDP(HDC dc, LPPOINT points, int count) { return MapPoints(dc, points, count, false); }

BOOL DeleteDC(HDC dc) { return RemoveContext(dc); }

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    DeviceContext* context = FindContext(dc);
    return context ? Select(*context, object) : nullptr;
}

BOOL GetTextExtentPoint32(HDC dc, LPCSTR text, int length, LPSIZE size)
{
    DeviceContext* context = FindContext(dc);
    if (!context || !size)
        return FALSE;
    const FontMetrics metrics(context->state.font);
    *size = SIZE{metrics.TextWidth(TextOf(text, length)), metrics.Height()};
    return TRUE;
}

BOOL GetTextMetrics(HDC dc, LPTEXTMETRIC metrics)
{
    DeviceContext* context = FindContext(dc);
    if (!context || !metrics)
        return FALSE;
    *metrics = FontMetrics(context->state.font).TextMetrics();
    return TRUE;
}

namespace vqwin::detail {

HDC CreateDeviceContext(const DeviceCaps& caps)
{
    HDC dc = AddContext(false, nullptr);
    DeviceContext* context = FindContext(dc);
    context->caps = caps;
    context->windowBounds = CRect(CPoint(0, 0), caps.pixels);
    return dc;
}

BOOL SetDrawingTarget(HDC dc, std::shared_ptr<DisplayList> target)
{
    DeviceContext* context = FindContext(dc);
    if (!context || context->memory)
        return FALSE;
    context->windowList = target ? std::move(target) : context->scratch;
    return TRUE;
}

} // namespace vqwin::detail

namespace vqwin {

std::shared_ptr<DisplayList> GetWindowDisplayList(HWND hwnd)
{
    auto lock = detail::Kernel::Acquire();
    detail::WindowRecord* record = detail::WindowRegistry::Find(lock, hwnd);
    return record ? record->display : nullptr;
}

std::shared_ptr<DisplayList> GetDisplayList(HDC dc)
{
    DeviceContext* context = FindContext(dc);
    if (!context)
        return nullptr;
    if (!context->memory)
        return context->windowList;
    return context->state.bitmapContent ? context->state.bitmapContent : context->scratch;
}

namespace detail {

bool RecordOnContext(HDC dc, DisplayOp op)
{
    DeviceContext* context = FindContext(dc);
    if (!context)
        return false;
    Record(*context, std::move(op));
    return true;
}

} // namespace detail

} // namespace vqwin

CDC::~CDC()
{
    if (m_hDC)
        ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC dc)
{
    DeviceContext* context = FindContext(dc);
    if (!context)
        return nullptr;
    if (!context->wrapper) {
        context->wrapper = std::make_unique<CDC>();
        context->wrapper->Attach(dc);
    }
    return context->wrapper.get();
}

BOOL CDC::Attach(HDC dc)
{
    if (m_hDC)
        return FALSE;
    m_context = FindContext(dc);
    if (!m_context)
        return FALSE;
    m_hDC = m_hAttribDC = dc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC dc = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    m_context = nullptr;
    return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }

BOOL CDC::DeleteDC()
{
    HDC dc = Detach();
    return dc ? ::DeleteDC(dc) : FALSE;
}

int CDC::SaveDC()
{
    if (!m_context)
        return 0;
    m_context->saved.push_back(m_context->state);
    return static_cast<int>(m_context->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    if (!m_context)
        return FALSE;
    auto& saved = m_context->saved;
    const int level = savedDC < 0 ? static_cast<int>(saved.size()) + 1 + savedDC : savedDC;
    if (level < 1 || level > static_cast<int>(saved.size()))
        return FALSE;
    m_context->state = saved[static_cast<std::size_t>(level - 1)];
    saved.resize(static_cast<std::size_t>(level - 1));
    return TRUE;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return m_context ? CGdiObject::FromHandle(Select(*m_context, GetStockObject(index))) : nullptr;
}

CFont* CDC::SelectObject(CFont* font)
{
    return m_context && font ? CFont::FromHandle(static_cast<HFONT>(Select(*m_context, font->m_hObject))) : nullptr;
}

CPen* CDC::SelectObject(CPen* pen)
{
    return m_context && pen ? CPen::FromHandle(static_cast<HPEN>(Select(*m_context, pen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return m_context && brush ? CBrush::FromHandle(static_cast<HBRUSH>(Select(*m_context, brush->m_hObject)))
                              : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return m_context && bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(Select(*m_context, bitmap->m_hObject)))
                               : nullptr;
}

CFont* CDC::GetCurrentFont() const { return m_context ? CFont::FromHandle(m_context->state.fontHandle) : nullptr; }

CBitmap* CDC::GetCurrentBitmap() const
{
    return m_context ? CBitmap::FromHandle(m_context->state.bitmapHandle) : nullptr;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    return m_context ? std::exchange(m_context->state.text, color) : 0;
}

COLORREF CDC::GetTextColor() const { return m_context ? m_context->state.text : 0; }

COLORREF CDC::SetBkColor(COLORREF color) { return m_context ? std::exchange(m_context->state.back, color) : 0; }

COLORREF CDC::GetBkColor() const { return m_context ? m_context->state.back : 0; }

int CDC::SetBkMode(int mode) { return m_context ? std::exchange(m_context->state.backMode, mode) : 0; }

int CDC::GetBkMode() const { return m_context ? m_context->state.backMode : 0; }

COLORREF CDC::GetNearestColor(COLORREF color) const { return color & 0x00FFFFFF; }

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    if (!m_context)
        return FALSE;
    const std::string_view shown = TextOf(text, count);
    const int end = x + FontMetrics(m_context->state.font).TextWidth(shown);
    Record(*m_context, TextOp(*m_context, x, y, shown, {TextRun{x, std::string(shown)}}, end));
    return TRUE;
}

BOOL CDC::TextOut(int x, int y, const CString& text) { return TextOut(x, y, text.GetString(), text.GetLength()); }

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabPositions, const int* tabStops, int tabOrigin)
{
    if (!m_context)
        return CSize();
    const std::string_view shown = TextOf(text, count);
    const FontMetrics metrics(m_context->state.font);
    TabLayout layout = LayOutTabs(metrics, shown, x, tabPositions, tabStops, tabOrigin);
    DisplayOp op = TextOp(*m_context, x, y, shown, std::move(layout.runs), layout.end);
    op.tabbed = true;
    op.tabOrigin = tabOrigin;
    if (tabStops && tabPositions > 0)
        op.tabStops.assign(tabStops, tabStops + tabPositions);
    Record(*m_context, std::move(op));
    return CSize(layout.end - x, metrics.Height());
}

CSize CDC::TabbedTextOut(int x, int y, const CString& text, int tabPositions, const int* tabStops, int tabOrigin)
{
    return TabbedTextOut(x, y, text.GetString(), text.GetLength(), tabPositions, tabStops, tabOrigin);
}

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format)
{
    if (!m_context || !rect)
        return 0;
    const std::string shown =
        (format & DT_NOPREFIX) ? std::string(TextOf(text, count)) : WithoutPrefixes(TextOf(text, count));
    const FontMetrics metrics(m_context->state.font);
    const std::vector<std::string_view> lines = LinesOf(shown, (format & DT_SINGLELINE) != 0);
    const int tabs = (format & DT_EXPANDTABS) ? 0 : -1;
    auto layOut = [&](std::string_view line, int x) {
        return tabs < 0 ? TabLayout{{TextRun{x, std::string(line)}}, x + metrics.TextWidth(line)}
                        : LayOutTabs(metrics, line, x, 0, nullptr, x);
    };
    const int height = metrics.Height() * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (std::string_view line : lines)
            widest = std::max(widest, layOut(line, 0).end);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    const CRect box(rect);
    int y = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = box.top + (box.Height() - metrics.Height()) / 2;
        else if (format & DT_BOTTOM)
            y = box.bottom - metrics.Height();
    }
    const DcState before = m_context->state;
    if (!(format & DT_NOCLIP)) {
        m_context->state.clip = before.clipped ? Intersection(before.clip, box) : box;
        m_context->state.clipped = true;
    }
    for (std::string_view line : lines) {
        const int width = layOut(line, 0).end;
        int x = box.left;
        if (format & DT_CENTER)
            x = box.left + (box.Width() - width) / 2;
        else if (format & DT_RIGHT)
            x = box.right - width;
        TabLayout layout = layOut(line, x);
        Record(*m_context, TextOp(*m_context, x, y, line, std::move(layout.runs), layout.end));
        y += metrics.Height();
    }
    m_context->state.clipped = before.clipped;
    m_context->state.clip = before.clip;
    return height;
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format)
{
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    SIZE size{0, 0};
    GetTextExtentPoint32(m_hAttribDC, text, count, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text.GetString(), text.GetLength()); }

CSize CDC::GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions, const int* tabStops) const
{
    if (!m_context)
        return CSize();
    const FontMetrics metrics(m_context->state.font);
    return CSize(LayOutTabs(metrics, TextOf(text, count), 0, tabPositions, tabStops, 0).end, metrics.Height());
}

CSize CDC::GetTabbedTextExtent(const CString& text, int tabPositions, const int* tabStops) const
{
    return GetTabbedTextExtent(text.GetString(), text.GetLength(), tabPositions, tabStops);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC metrics) const { return ::GetTextMetrics(m_hAttribDC, metrics); }

void CDC::FillSolidRect(LPCRECT rect, COLORREF color)
{
    if (!m_context || !rect)
        return;
    m_context->state.back = color;
    DisplayOp op;
    op.kind = DisplayOp::Kind::Fill;
    op.rect = CRect(rect);
    op.color = color;
    Record(*m_context, std::move(op));
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    const CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, color);
}

CPoint CDC::MoveTo(int x, int y)
{
    if (!m_context)
        return CPoint();
    return std::exchange(m_context->state.position, CPoint(x, y));
}

BOOL CDC::LineTo(int x, int y)
{
    if (!m_context)
        return FALSE;
    const DcState& state = m_context->state;
    DisplayOp op;
    op.kind = DisplayOp::Kind::Line;
    op.from = state.position;
    op.to = CPoint(x, y);
    op.color = state.pen.lopnColor;
    op.penStyle = static_cast<int>(state.pen.lopnStyle);
    op.penWidth = state.pen.lopnWidth.x;
    Record(*m_context, std::move(op));
    m_context->state.position = CPoint(x, y);
    return TRUE;
}

CPoint CDC::GetCurrentPosition() const { return m_context ? m_context->state.position : CPoint(); }

void CDC::DrawFocusRect(LPCRECT rect)
{
    if (!m_context || !rect)
        return;
    DisplayOp op;
    op.kind = DisplayOp::Kind::FocusRect;
    op.rect = CRect(rect);
    Record(*m_context, std::move(op));
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop)
{
    return StretchBlt(x, y, width, height, source, xSource, ySource, width, height, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, int sourceWidth,
                     int sourceHeight, DWORD rop)
{
    if (!m_context || !source || !source->m_context)
        return FALSE;
    DisplayOp op;
    op.kind = DisplayOp::Kind::Image;
    op.rect = CRect(x, y, x + width, y + height);
    op.image = source->m_context->state.bitmapLabel;
    op.source = CRect(xSource, ySource, xSource + sourceWidth, ySource + sourceHeight);
    op.rop = rop;
    Record(*m_context, std::move(op));
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hAttribDC, index); }

int CDC::SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }

int CDC::GetMapMode() const { return ::GetMapMode(m_hAttribDC); }

void CDC::DPtoLP(LPPOINT points, int count) const { ::DPtoLP(m_hAttribDC, points, count); }

void CDC::DPtoLP(LPRECT rect) const { ::DPtoLP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2); }

void CDC::LPtoDP(LPPOINT points, int count) const { ::LPtoDP(m_hAttribDC, points, count); }

void CDC::LPtoDP(LPRECT rect) const { ::LPtoDP(m_hAttribDC, reinterpret_cast<LPPOINT>(rect), 2); }

int CDC::StartDoc(LPCTSTR documentName)
{
    DOCINFO info{};
    info.cbSize = sizeof(DOCINFO);
    info.lpszDocName = documentName;
    return StartDoc(&info);
}

int CDC::StartDoc(const DOCINFO* info) { return ::StartDoc(m_hDC, info); }

int CDC::StartPage() { return ::StartPage(m_hDC); }

int CDC::EndPage() { return ::EndPage(m_hDC); }

int CDC::EndDoc() { return ::EndDoc(m_hDC); }

int CDC::AbortDoc() { return ::AbortDoc(m_hDC); }

int CDC::SetAbortProc(BOOL (*proc)(HDC, int)) { return ::SetAbortProc(m_hDC, proc); }

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    if (!m_context)
        return RGN_ERROR;
    DcState& state = m_context->state;
    const CRect rect(left, top, right, bottom);
    state.clip = state.clipped ? Intersection(state.clip, rect) : rect;
    state.clipped = true;
    return state.clip.IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

int CDC::IntersectClipRect(LPCRECT rect)
{
    return rect ? IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom) : RGN_ERROR;
}

int CDC::GetClipBox(LPRECT rect) const
{
    if (!m_context || !rect)
        return RGN_ERROR;
    const DcState& state = m_context->state;
    *rect = state.clipped ? state.clip : m_context->Bounds();
    return CRect(rect).IsRectEmpty() ? NULLREGION : SIMPLEREGION;
}

vqwin::DisplayList* CDC::GetDisplayList() const { return m_context ? &m_context->Target() : nullptr; }

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
}
