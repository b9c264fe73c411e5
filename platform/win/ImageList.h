// Image lists: equally sized images cut from bitmap strips, with an optional mask colour,
// overlay images and icons taken from them. An image keeps where it comes from (the
// bitmap's name and the part of it), and drawing records one image operation per layer: a
// composite image (a base with an overlay, taken as an icon and added again) draws its base
// and then its overlay.
#pragma once

#include "win/Types.h"


constexpr COLORREF CLR_NONE = 0xFFFFFFFF;
constexpr COLORREF CLR_DEFAULT = 0xFF000000;

constexpr UINT ILC_MASK = 0x0001;
constexpr UINT ILC_COLOR = 0x0000;
constexpr UINT ILC_COLOR4 = 0x0004;
constexpr UINT ILC_COLOR8 = 0x0008;
constexpr UINT ILC_COLOR16 = 0x0010;
constexpr UINT ILC_COLOR24 = 0x0018;
constexpr UINT ILC_COLOR32 = 0x0020;

constexpr UINT ILD_NORMAL = 0x0000;
constexpr UINT ILD_TRANSPARENT = 0x0001;
constexpr UINT ILD_BLEND25 = 0x0002;
constexpr UINT ILD_FOCUS = ILD_BLEND25;
constexpr UINT ILD_BLEND50 = 0x0004;
constexpr UINT ILD_SELECTED = ILD_BLEND50;
constexpr UINT ILD_OVERLAYMASK = 0x0F00;
constexpr UINT INDEXTOOVERLAYMASK(UINT overlay) { return overlay << 8; }

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
// A list of the bitmap resource cut into images `cx` wide; with a mask colour other than
// CLR_NONE the list is masked. Bitmaps only.
HIMAGELIST ImageList_LoadImage(HINSTANCE instance, LPCSTR name, int cx, int grow, COLORREF mask, UINT type, UINT flags);
BOOL ImageList_Destroy(HIMAGELIST list);
HIMAGELIST ImageList_Duplicate(HIMAGELIST list);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
// Appends the images of a bitmap strip (its width divided by the image width); returns the
// index of the first, -1 on failure. A mask bitmap is not kept.
int ImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
// The same; pixels of the mask colour show what lies beneath.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP image, COLORREF mask);
// Index -1 appends the icon; returns its index, -1 on failure.
int ImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
inline int ImageList_AddIcon(HIMAGELIST list, HICON icon) { return ImageList_ReplaceIcon(list, -1, icon); }
// Makes an image the overlay 1 to 15.
BOOL ImageList_SetOverlayImage(HIMAGELIST list, int image, int overlay);
// An icon of the image, with the overlay the flags name (INDEXTOOVERLAYMASK) drawn on it.
HICON ImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
COLORREF ImageList_SetBkColor(HIMAGELIST list, COLORREF color);
COLORREF ImageList_GetBkColor(HIMAGELIST list);
// Records the image (and the overlay the style names) at (x, y). A masked image is drawn
// transparent, or over the list's background colour when it has one and the style is not
// ILD_TRANSPARENT; ILD_SELECTED and ILD_FOCUS blend it with the highlight colour.
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);

BOOL DestroyIcon(HICON icon);
// An icon of the resource library (the instance is not consulted), named "icon 106"; the
// same handle for the same resource, shared and never destroyed. Null when missing.
HICON LoadIcon(HINSTANCE instance, LPCSTR name);
