#include "win/CImageList.h"

#include "win/Bitmaps.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/ImageListObjects.h"

#include <utility>

CImageList::~CImageList() { DeleteImageList(); }

CImageList* CImageList::FromHandle(HIMAGELIST list) { return vqwin::detail::ImageListObject(list); }

BOOL CImageList::Attach(HIMAGELIST list)
{
    if (m_hImageList || !vqwin::detail::AttachImageListObject(list, this))
        return FALSE;
    m_hImageList = list;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    vqwin::detail::DetachImageListObject(m_hImageList, this);
    return std::exchange(m_hImageList, nullptr);
}

BOOL CImageList::Create(int cx, int cy, UINT flags, int initial, int grow)
{
    return Attach(ImageList_Create(cx, cy, flags, initial, grow));
}

BOOL CImageList::Create(UINT bitmapId, int cx, int grow, COLORREF mask)
{
    return Create(MAKEINTRESOURCE(bitmapId), cx, grow, mask);
}

BOOL CImageList::Create(LPCTSTR bitmapName, int cx, int grow, COLORREF mask)
{
    return Attach(ImageList_LoadImage(nullptr, bitmapName, cx, grow, mask, IMAGE_BITMAP, 0));
}

BOOL CImageList::DeleteImageList()
{
    if (!m_hImageList)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }

int CImageList::Add(CBitmap* bitmap, CBitmap* mask)
{
    return bitmap ? ImageList_Add(m_hImageList, *bitmap, mask ? static_cast<HBITMAP>(*mask) : nullptr) : -1;
}

int CImageList::Add(CBitmap* bitmap, COLORREF mask)
{
    return bitmap ? ImageList_AddMasked(m_hImageList, *bitmap, mask) : -1;
}

int CImageList::Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }

int CImageList::Replace(int image, HICON icon) { return ImageList_ReplaceIcon(m_hImageList, image, icon); }

HICON CImageList::ExtractIcon(int image) { return ImageList_GetIcon(m_hImageList, image, ILD_NORMAL); }

BOOL CImageList::SetOverlayImage(int image, int overlay)
{
    return ImageList_SetOverlayImage(m_hImageList, image, overlay);
}

COLORREF CImageList::SetBkColor(COLORREF color) { return ImageList_SetBkColor(m_hImageList, color); }

COLORREF CImageList::GetBkColor() const { return ImageList_GetBkColor(m_hImageList); }

BOOL CImageList::Draw(CDC* dc, int image, POINT point, UINT style)
{
    return dc && ImageList_Draw(m_hImageList, image, dc->GetSafeHdc(), point.x, point.y, style);
}
