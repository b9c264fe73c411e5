// The recording device context: every drawing call is kept, in order, in a display list
// (see DisplayList.h) instead of reaching a screen.
#pragma once

#include "win/Gdi.h"
#include "win/Object.h"

class CBitmap;
class CBrush;
class CFont;
class CGdiObject;
class CPen;
class CString;
class CWnd;
struct DOCINFO;

namespace vqwin {
class DisplayList;
namespace detail {
struct DeviceContext;
}
} // namespace vqwin

class CDC : public CObject {
public:
    CDC() = default;
    // Deletes the device context it holds, as the class library does.
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;
    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }

    // A temporary object for a handle (such as the one of an owner-draw record); it lives as
    // long as the device context.
    static CDC* FromHandle(HDC dc);
    BOOL Attach(HDC dc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL DeleteDC();

    int SaveDC();
    // A positive level restores that SaveDC; -1 the last one.
    BOOL RestoreDC(int savedDC);
    CGdiObject* SelectStockObject(int index);
    CFont* SelectObject(CFont* font);
    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CBitmap* SelectObject(CBitmap* bitmap);
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    // The device shows every colour as it is.
    COLORREF GetNearestColor(COLORREF color) const;

    BOOL TextOut(int x, int y, LPCTSTR text, int count);
    BOOL TextOut(int x, int y, const CString& text);
    // Tab stops: none (and no array) gives one every 8 average character widths, one gives
    // that distance, more give the positions, all measured from `tabOrigin`; a tab past the
    // last position moves on one average character width. Returns the extent drawn.
    CSize TabbedTextOut(int x, int y, LPCTSTR text, int count, int tabPositions, const int* tabStops, int tabOrigin);
    CSize TabbedTextOut(int x, int y, const CString& text, int tabPositions, const int* tabStops, int tabOrigin);
    // Lines break at new lines (not at words); '&' marks a mnemonic unless DT_NOPREFIX.
    // Returns the height of the text; with DT_CALCRECT only sizes `rect`.
    int DrawText(LPCTSTR text, int count, LPRECT rect, UINT format);
    int DrawText(const CString& text, LPRECT rect, UINT format);
    CSize GetTextExtent(LPCTSTR text, int count) const;
    CSize GetTextExtent(const CString& text) const;
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text); }
    CSize GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions, const int* tabStops) const;
    CSize GetTabbedTextExtent(const CString& text, int tabPositions, const int* tabStops) const;
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const;
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const { return GetTextMetrics(metrics); }

    // Also makes `color` the background colour, as the class library does.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    CPoint GetCurrentPosition() const;
    void DrawFocusRect(LPCRECT rect);
    BOOL BitBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int xSource, int ySource, int sourceWidth,
                    int sourceHeight, DWORD rop);

    // Device measures and the mapping between device pixels and logical units.
    int GetDeviceCaps(int index) const;
    int SetMapMode(int mode);
    int GetMapMode() const;
    void DPtoLP(LPPOINT points, int count = 1) const;
    void DPtoLP(LPRECT rect) const;
    void LPtoDP(LPPOINT points, int count = 1) const;
    void LPtoDP(LPRECT rect) const;

    // Printing on a printer device context (see Printing.h).
    int StartDoc(LPCTSTR documentName);
    int StartDoc(const DOCINFO* info);
    int StartPage();
    int EndPage();
    int EndDoc();
    int AbortDoc();
    int SetAbortProc(BOOL (*proc)(HDC, int));
    BOOL m_bPrinting = FALSE;

    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect);
    int GetClipBox(LPRECT rect) const;

    // What this device context draws into.
    vqwin::DisplayList* GetDisplayList() const;

private:
    vqwin::detail::DeviceContext* m_context = nullptr;
};

// Drawing on a window's client area outside a paint.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* window);
    ~CClientDC() override;

    HWND m_hWnd;
};

// The paint of a window: starts its display list afresh.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* window);
    ~CPaintDC() override;

    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
};
