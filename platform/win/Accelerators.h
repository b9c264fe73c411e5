// Accelerator tables by handle: the module's compiled-in tables (ModuleResources.h) or
// tables built from entries, copied out and used to turn key messages into commands.
#pragma once

#include "win/ModuleResources.h"
#include "win/Types.h"

struct MSG;

// A table of the module's own resources (the instance is not consulted); loading one table
// twice gives the same handle. Null when the module has no such table.
HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name);
HACCEL CreateAcceleratorTable(const ACCEL* entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// Without a buffer: the number of entries. Otherwise copies at most `count` entries and
// returns how many it copied.
int CopyAcceleratorTable(HACCEL table, ACCEL* entries, int count);
// A key-down (FVIRTKEY entries, with exactly the Shift, Ctrl and Alt keys held that the
// entry names) or a character (other entries) of the table sends the window WM_COMMAND with
// the entry's command and 1 in the high word. The first matching entry wins.
int TranslateAccelerator(HWND window, HACCEL table, MSG* msg);
