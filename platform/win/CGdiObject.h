// The class library's drawing objects over font, pen, brush and bitmap handles.
#pragma once

#include "win/Gdi.h"
#include "win/Object.h"

class CDC;

class CGdiObject : public CObject {
public:
    CGdiObject() = default;
    // Deletes the object it holds.
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;
    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // A temporary object for a handle, of the class of its kind; it lives as long as the
    // handle. Null for an unknown handle.
    static CGdiObject* FromHandle(HGDIOBJ handle);
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    int GetObject(int size, LPVOID out) const;
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONT* font);
    int GetLogFont(LOGFONT* font) const { return GetObject(sizeof(LOGFONT), font); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
    static CFont* FromHandle(HFONT handle);
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color);
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
    static CPen* FromHandle(HPEN handle);
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color);
    BOOL CreateSolidBrush(COLORREF color);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
    static CBrush* FromHandle(HBRUSH handle);
};

class CBitmap : public CGdiObject {
public:
    // From the resource library (see Bitmaps.h).
    BOOL LoadBitmap(UINT id);
    BOOL LoadBitmap(LPCTSTR name);
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
    BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
    static CBitmap* FromHandle(HBITMAP handle);
};
