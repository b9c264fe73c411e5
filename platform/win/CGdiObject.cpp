#include "win/CGdiObject.h"

#include "win/CDC.h"
#include "win/GdiObjects.h"

using vqwin::detail::GdiObjects;

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ handle) { return GdiObjects::Wrapper(handle); }

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (m_hObject || !handle)
        return FALSE;
    m_hObject = handle;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    HGDIOBJ handle = Detach();
    return handle ? ::DeleteObject(handle) : FALSE;
}

BOOL CGdiObject::CreateStockObject(int index) { return Attach(GetStockObject(index)); }

int CGdiObject::GetObject(int size, LPVOID out) const { return ::GetObject(m_hObject, size, out); }

BOOL CFont::CreateFontIndirect(const LOGFONT* font) { return Attach(::CreateFontIndirect(font)); }

CFont* CFont::FromHandle(HFONT handle) { return dynamic_cast<CFont*>(CGdiObject::FromHandle(handle)); }

CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }

CPen* CPen::FromHandle(HPEN handle) { return dynamic_cast<CPen*>(CGdiObject::FromHandle(handle)); }

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }

BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }

CBrush* CBrush::FromHandle(HBRUSH handle) { return dynamic_cast<CBrush*>(CGdiObject::FromHandle(handle)); }

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

CBitmap* CBitmap::FromHandle(HBITMAP handle) { return dynamic_cast<CBitmap*>(CGdiObject::FromHandle(handle)); }
