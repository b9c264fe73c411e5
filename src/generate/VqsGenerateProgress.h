// Progress of a generation reaches the window its request named (a system frame, or the
// automation object's hidden window) as WM_USER+200: the event code, and a text the
// generation client allocated for its receiver. The receiver frees every text it is sent,
// also those of messages still waiting when its window goes.
#pragma once

#include "win/Messages.h"

constexpr UINT WM_GENERATE_PROGRESS = WM_USER + 200;

// Frees the texts of the progress messages still waiting for the window.
void VqsDiscardPendingProgress(HWND window);
