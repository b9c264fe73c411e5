// Bitmaps of the resource library. A loaded bitmap has the size of the resource and is
// named after it ("bitmap 191", "bitmap NAV"), which is how recorded drawing shows it.
#pragma once

#include "win/Gdi.h"
#include "win/Types.h"

constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;
constexpr UINT LR_LOADMAP3DCOLORS = 0x1000;
constexpr UINT LR_SHARED = 0x8000;

// The instance is not consulted: resources come from the installed resource library. Null
// when the library has no such bitmap.
HBITMAP LoadBitmap(HINSTANCE instance, LPCSTR name);
// Bitmaps only (IMAGE_BITMAP); the colour-mapping flags change nothing in a recording.
HANDLE LoadImage(HINSTANCE instance, LPCSTR name, UINT type, int cx, int cy, UINT flags);
