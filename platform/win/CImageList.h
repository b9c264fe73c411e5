// The class library's image list over an HIMAGELIST (see ImageList.h).
#pragma once

#include "win/Geometry.h"
#include "win/ImageList.h"
#include "win/Object.h"

class CBitmap;
class CDC;

class CImageList : public CObject {
public:
    CImageList() = default;
    // Destroys the list it holds.
    ~CImageList() override;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    HIMAGELIST m_hImageList = nullptr;
    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }

    // The object attached to the handle, else a temporary one that lives as long as the list.
    static CImageList* FromHandle(HIMAGELIST list);
    BOOL Attach(HIMAGELIST list);
    HIMAGELIST Detach();

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow);
    // From a bitmap resource cut into images `cx` wide (masked unless the colour is CLR_NONE).
    BOOL Create(UINT bitmapId, int cx, int grow, COLORREF mask);
    BOOL Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask);
    BOOL DeleteImageList();

    int GetImageCount() const;
    int Add(CBitmap* bitmap, CBitmap* mask);
    int Add(CBitmap* bitmap, COLORREF mask);
    int Add(HICON icon);
    int Replace(int image, HICON icon);
    HICON ExtractIcon(int image);
    BOOL SetOverlayImage(int image, int overlay);
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    BOOL Draw(CDC* dc, int image, POINT point, UINT style);
};
