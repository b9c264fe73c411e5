#include "win/Gdi.h"

#include "win/CGdiObject.h"
#include "win/DisplayList.h"
#include "win/GdiObjects.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace vqwin::detail {

namespace {

struct GdiData {
    std::mutex mutex;
    std::uintptr_t nextHandle = 0x20000;
    std::unordered_map<HGDIOBJ, GdiObject> objects;
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> wrappers;
    std::unordered_map<int, HGDIOBJ> stock;
};

// Never destroyed: drawing objects may be released after static destruction began.
GdiData& Data()
{
    static auto* data = new GdiData;
    return *data;
}

HGDIOBJ AddLocked(GdiData& data, GdiObject object)
{
    auto handle = reinterpret_cast<HGDIOBJ>(data.nextHandle++);
    data.objects.emplace(handle, std::move(object));
    return handle;
}

LOGFONT Font(LONG height, const char* face)
{
    LOGFONT font{};
    font.lfHeight = height;
    font.lfWeight = FW_NORMAL;
    std::strncpy(font.lfFaceName, face, LF_FACESIZE - 1);
    return font;
}

bool MakeStock(int index, GdiObject& object)
{
    using Kind = GdiObject::Kind;
    static const std::array<COLORREF, 5> brushColors = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                                        RGB(64, 64, 64), RGB(0, 0, 0)};
    object.stock = true;
    if (index >= WHITE_BRUSH && index <= BLACK_BRUSH) {
        object.kind = Kind::Brush;
        object.brush = LOGBRUSH{BS_SOLID, brushColors[static_cast<std::size_t>(index)], 0};
        return true;
    }
    switch (index) {
    case NULL_BRUSH:
        object.kind = Kind::Brush;
        object.brush = LOGBRUSH{BS_NULL, 0, 0};
        return true;
    case WHITE_PEN:
    case BLACK_PEN:
    case NULL_PEN:
        object.kind = Kind::Pen;
        object.pen = LOGPEN{static_cast<UINT>(index == NULL_PEN ? PS_NULL : PS_SOLID), {0, 0},
                            index == WHITE_PEN ? RGB(255, 255, 255) : RGB(0, 0, 0)};
        return true;
    case SYSTEM_FONT:
        object.kind = Kind::Font;
        object.font = Font(16, "System");
        return true;
    case DEFAULT_GUI_FONT:
        object.kind = Kind::Font;
        object.font = Font(-11, "GUI");
        return true;
    default:
        return false;
    }
}

std::unique_ptr<CGdiObject> MakeWrapper(GdiObject::Kind kind)
{
    switch (kind) {
    case GdiObject::Kind::Font:
        return std::make_unique<CFont>();
    case GdiObject::Kind::Pen:
        return std::make_unique<CPen>();
    case GdiObject::Kind::Brush:
        return std::make_unique<CBrush>();
    case GdiObject::Kind::Bitmap:
        return std::make_unique<CBitmap>();
    }
    return nullptr;
}

} // namespace

HGDIOBJ GdiObjects::Add(GdiObject object)
{
    GdiData& data = Data();
    std::lock_guard lock(data.mutex);
    return AddLocked(data, std::move(object));
}

bool GdiObjects::Find(HGDIOBJ handle, GdiObject& out)
{
    GdiData& data = Data();
    std::lock_guard lock(data.mutex);
    auto it = data.objects.find(handle);
    if (it == data.objects.end())
        return false;
    out = it->second;
    return true;
}

bool GdiObjects::Remove(HGDIOBJ handle)
{
    std::unique_ptr<CGdiObject> wrapper;
    {
        GdiData& data = Data();
        std::lock_guard lock(data.mutex);
        auto it = data.objects.find(handle);
        if (it == data.objects.end())
            return false;
        if (it->second.stock)
            return true;
        data.objects.erase(it);
        if (auto w = data.wrappers.find(handle); w != data.wrappers.end()) {
            wrapper = std::move(w->second);
            data.wrappers.erase(w);
        }
    }
    if (wrapper)
        wrapper->Detach();
    return true;
}

HGDIOBJ GdiObjects::Stock(int index)
{
    GdiData& data = Data();
    std::lock_guard lock(data.mutex);
    if (auto it = data.stock.find(index); it != data.stock.end())
        return it->second;
    GdiObject object;
    if (!MakeStock(index, object))
        return nullptr;
    HGDIOBJ handle = AddLocked(data, std::move(object));
    data.stock.emplace(index, handle);
    return handle;
}

CGdiObject* GdiObjects::Wrapper(HGDIOBJ handle)
{
    GdiData& data = Data();
    std::lock_guard lock(data.mutex);
    auto object = data.objects.find(handle);
    if (object == data.objects.end())
        return nullptr;
    std::unique_ptr<CGdiObject>& wrapper = data.wrappers[handle];
    if (!wrapper) {
        wrapper = MakeWrapper(object->second.kind);
        wrapper->m_hObject = handle;
    }
    return wrapper.get();
}

} // namespace vqwin::detail

using vqwin::detail::GdiObject;
using vqwin::detail::GdiObjects;

namespace {

HGDIOBJ AddBitmap(int width, int height, std::string label)
{
    if (width < 0 || height < 0)
        return nullptr;
    GdiObject object;
    object.kind = GdiObject::Kind::Bitmap;
    object.width = width;
    object.height = height;
    object.label = std::move(label);
    object.content = std::make_shared<vqwin::DisplayList>();
    return GdiObjects::Add(std::move(object));
}

template <class T>
int CopyOut(const T& value, int size, LPVOID out)
{
    if (!out || size <= 0)
        return 0;
    const int copied = std::min<int>(size, sizeof(T));
    std::memcpy(out, &value, static_cast<std::size_t>(copied));
    return copied;
}

} // namespace

DWORD GetSysColor(int index)
{
    static const std::array<COLORREF, 25> colors = {
        RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
        RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
        RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
        RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225)};
    return index >= 0 && static_cast<std::size_t>(index) < colors.size() ? colors[static_cast<std::size_t>(index)]
                                                                          : 0;
}

int GetSystemMetrics(int index)
{
    switch (index) {
    case SM_CXSCREEN:
        return 1024;
    case SM_CYSCREEN:
        return 768;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
    case SM_CYVSCROLL:
    case SM_CXHSCROLL:
    case SM_CXSMICON:
    case SM_CYSMICON:
        return 16;
    case SM_CYCAPTION:
        return 18;
    case SM_CXBORDER:
    case SM_CYBORDER:
        return 1;
    case SM_CXICON:
    case SM_CYICON:
        return 32;
    case SM_CYMENU:
        return 19;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return 2;
    default:
        return 0;
    }
}

HGDIOBJ GetStockObject(int object) { return GdiObjects::Stock(object); }

HFONT CreateFontIndirect(const LOGFONT* font)
{
    if (!font)
        return nullptr;
    GdiObject object;
    object.kind = GdiObject::Kind::Font;
    object.font = *font;
    object.font.lfFaceName[LF_FACESIZE - 1] = '\0';
    return static_cast<HFONT>(GdiObjects::Add(std::move(object)));
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    GdiObject object;
    object.kind = GdiObject::Kind::Pen;
    object.pen = LOGPEN{static_cast<UINT>(style), {width, 0}, color};
    return static_cast<HPEN>(GdiObjects::Add(std::move(object)));
}

HBRUSH CreateSolidBrush(COLORREF color)
{
    GdiObject object;
    object.kind = GdiObject::Kind::Brush;
    object.brush = LOGBRUSH{BS_SOLID, color, 0};
    return static_cast<HBRUSH>(GdiObjects::Add(std::move(object)));
}

HBITMAP CreateBitmap(int width, int height, UINT, UINT, const void*)
{
    return static_cast<HBITMAP>(AddBitmap(width, height, ""));
}

HBITMAP CreateCompatibleBitmap(HDC, int width, int height)
{
    return static_cast<HBITMAP>(AddBitmap(width, height, ""));
}

int GetObject(HGDIOBJ handle, int size, LPVOID out)
{
    GdiObject object;
    if (!GdiObjects::Find(handle, object))
        return 0;
    switch (object.kind) {
    case GdiObject::Kind::Font:
        return CopyOut(object.font, size, out);
    case GdiObject::Kind::Pen:
        return CopyOut(object.pen, size, out);
    case GdiObject::Kind::Brush:
        return CopyOut(object.brush, size, out);
    case GdiObject::Kind::Bitmap:
        return CopyOut(BITMAP{0, object.width, object.height, object.width * 4, 1, 32, nullptr}, size, out);
    }
    return 0;
}

BOOL DeleteObject(HGDIOBJ object) { return GdiObjects::Remove(object); }

namespace vqwin {

HBITMAP CreateLabelledBitmap(int width, int height, LPCSTR label)
{
    return static_cast<HBITMAP>(AddBitmap(width, height, label ? label : ""));
}

} // namespace vqwin
