// The application's images: the bitmap cache, the object image list and the header's sort
// arrows.
#include "shell/VqsSysApp.h"

#include "win/Bitmaps.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/CHeaderCtrl.h"
#include "win/CListCtrl.h"
#include "win/LibraryLoader.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr UINT kObjectImagesBitmap = 191;
constexpr int kObjectImageWidth = 16;
constexpr COLORREF kObjectImagesMask = RGB(128, 0, 128);
constexpr int kBaseImages = 6;
constexpr int kOverlays = 3;
// The overlays are the images after the bases; the composites follow them.
constexpr int kFirstOverlayImage = kBaseImages;
constexpr int kFirstCompositeImage = kBaseImages + kOverlays;

constexpr UINT kDescendingArrow = 194;
constexpr UINT kAscendingArrow = 195;

} // namespace

// The name is copied: callers pass names of their own buffers.
struct VqsSysApp::IconStruct {
    UINT nID = 0;
    CString strName;
    CBitmap bitmap;
};

int VqsComputeImageIndex(VqsImageRef image)
{
    if (image.nVariant == 0)
        return image.nBase;
    return image.nVariant + image.nBase * kOverlays + kFirstCompositeImage - 1;
}

CBitmap* VqsSysApp::GetCachedBitmap(UINT id) { return GetCachedBitmap(id, nullptr, FALSE); }

CBitmap* VqsSysApp::GetCachedBitmap(LPCTSTR idOrName)
{
    if (IS_INTRESOURCE(idOrName))
        return GetCachedBitmap(static_cast<UINT>(reinterpret_cast<std::uintptr_t>(idOrName)), nullptr, FALSE);
    return GetCachedBitmap(0, idOrName, FALSE);
}

CBitmap* VqsSysApp::GetCachedBitmap(const VqsBitmapRef& bitmap)
{
    return bitmap.nID ? GetCachedBitmap(bitmap.nID) : GetCachedBitmap(bitmap.lpszName);
}

CBitmap* VqsSysApp::GetCachedImage(UINT id) { return GetCachedBitmap(id, nullptr, TRUE); }

// A bitmap the library does not have is not remembered, so a library named later can
// still supply it.
CBitmap* VqsSysApp::GetCachedBitmap(UINT id, LPCTSTR name, BOOL asImage)
{
    if (id == 0 && !AfxIsValidString(name))
        return nullptr;
    if (IconStruct* cached = FindCachedBitmap(id, name))
        return &cached->bitmap;
    auto* entry = new IconStruct;
    entry->nID = id;
    if (id == 0)
        entry->strName = name;
    LPCTSTR resource = id ? MAKEINTRESOURCE(id) : name;
    BOOL loaded = FALSE;
    if (asImage)
        loaded = entry->bitmap.Attach(
            ::LoadImage(AfxGetResourceHandle(), resource, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    else
        loaded = entry->bitmap.LoadBitmap(resource);
    if (!loaded) {
        delete entry;
        return nullptr;
    }
    m_bitmapCache.AddTail(entry);
    return &entry->bitmap;
}

VqsSysApp::IconStruct* VqsSysApp::FindCachedBitmap(UINT id, LPCTSTR name) const
{
    for (POSITION pos = m_bitmapCache.GetHeadPosition(); pos;) {
        IconStruct* entry = m_bitmapCache.GetNext(pos);
        if (id ? entry->nID == id : entry->nID == 0 && entry->strName == name)
            return entry;
    }
    return nullptr;
}

void VqsSysApp::FreeCachedBitmaps()
{
    while (!m_bitmapCache.IsEmpty())
        delete m_bitmapCache.RemoveHead();
}

CImageList* VqsSysApp::GetObjectImageList()
{
    if (!m_objectImages.GetSafeHandle() && !BuildObjectImageList())
        return nullptr;
    return &m_objectImages;
}

// A strip without the overlay images would shift every composite, so it makes no list.
BOOL VqsSysApp::BuildObjectImageList()
{
    if (!m_objectImages.Create(kObjectImagesBitmap, kObjectImageWidth, 0, kObjectImagesMask))
        return FALSE;
    if (m_objectImages.GetImageCount() < kFirstCompositeImage) {
        m_objectImages.DeleteImageList();
        return FALSE;
    }
    for (int overlay = 1; overlay <= kOverlays; ++overlay)
        m_objectImages.SetOverlayImage(kFirstOverlayImage + overlay - 1, overlay);
    for (int base = 0; base < kBaseImages; ++base) {
        for (int overlay = 1; overlay <= kOverlays; ++overlay) {
            HICON composite = ImageList_GetIcon(m_objectImages, base, ILD_NORMAL | INDEXTOOVERLAYMASK(overlay));
            m_objectImages.Add(composite);
            DestroyIcon(composite);
        }
    }
    return TRUE;
}

CImageList* VqsSysApp::CopyImageList(CImageList* list)
{
    if (!list || list->GetSafeHandle())
        return list;
    if (CImageList* images = GetObjectImageList())
        list->Attach(ImageList_Duplicate(*images));
    return list;
}

CSize VqsSysApp::GetImageSize()
{
    if (m_objectImageSize.cx == 0 && m_objectImageSize.cy == 0) {
        if (CImageList* images = GetObjectImageList()) {
            int cx = 0;
            int cy = 0;
            ImageList_GetIconSize(*images, &cx, &cy);
            m_objectImageSize = CSize(cx, cy);
        }
    }
    return m_objectImageSize;
}

// A height below the image's (the typed combo box passes 0) draws from y, never above it.
BOOL VqsSysApp::DrawObjectImage(CDC* dc, VqsImageRef image, int x, int y, int height, BOOL selected)
{
    CImageList* images = GetObjectImageList();
    if (!dc || !images)
        return FALSE;
    const int top = y + std::max(0, (height - GetImageSize().cy) / 2);
    return images->Draw(dc, VqsComputeImageIndex(image), CPoint(x, top), selected ? ILD_SELECTED : ILD_NORMAL);
}

// Without its arrow bitmap the column gets no bitmap flag, so the header never shows a
// bitmap it does not have.
void VqsSetHeaderSortArrow(CListCtrl* list, int column, BOOL ascending)
{
    CHeaderCtrl* header = list ? list->GetHeaderCtrl() : nullptr;
    if (!header || !(header->GetStyle() & HDS_BUTTONS))
        return;
    VqsSysApp* app = VqsGetApp();
    CBitmap* arrow = app ? app->GetCachedImage(ascending ? kAscendingArrow : kDescendingArrow) : nullptr;
    for (int index = 0, count = header->GetItemCount(); index < count; ++index) {
        HDITEM item{};
        item.mask = HDI_FORMAT;
        if (!header->GetItem(index, &item))
            continue;
        item.fmt &= ~HDF_BITMAP;
        if (index == column && arrow) {
            item.mask |= HDI_BITMAP;
            item.fmt |= HDF_BITMAP;
            item.hbm = *arrow;
        }
        header->SetItem(index, &item);
    }
}
