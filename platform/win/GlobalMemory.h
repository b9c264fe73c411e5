// Movable memory blocks by handle, as printer settings are handed around.
#pragma once

#include "win/Types.h"

#include <cstddef>

using HGLOBAL = HANDLE;
using SIZE_T = std::size_t;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Blocks always start zeroed.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
// Null for a handle that is no block. Locks are not counted: GlobalUnlock answers FALSE,
// the block being unlocked.
LPVOID GlobalLock(HGLOBAL block);
BOOL GlobalUnlock(HGLOBAL block);
SIZE_T GlobalSize(HGLOBAL block);
// Null when freed; the handle itself when it is no block.
HGLOBAL GlobalFree(HGLOBAL block);
