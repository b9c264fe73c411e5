// The help system, headless: a help request is recorded (for tests and the host's
// transcript) instead of opening a help window.
#pragma once

#include "win/CString.h"

#include <vector>

// Help commands; HELP_TCARD may be or-ed into any of them.
constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_HELPONHELP = 0x0004;
constexpr UINT HELP_SETINDEX = 0x0005;
constexpr UINT HELP_SETCONTENTS = 0x0005;
constexpr UINT HELP_CONTEXTPOPUP = 0x0008;
constexpr UINT HELP_FORCEFILE = 0x0009;
constexpr UINT HELP_CONTEXTMENU = 0x000A;
constexpr UINT HELP_FINDER = 0x000B;
constexpr UINT HELP_WM_HELP = 0x000C;
constexpr UINT HELP_SETPOPUP_POS = 0x000D;
constexpr UINT HELP_KEY = 0x0101;
constexpr UINT HELP_COMMAND = 0x0102;
constexpr UINT HELP_PARTIALKEY = 0x0105;
constexpr UINT HELP_MULTIKEY = 0x0201;
constexpr UINT HELP_SETWINPOS = 0x0203;
constexpr UINT HELP_TCARD = 0x8000;

// Bases of help context ids: a resource (dialog template) and a control.
constexpr DWORD HID_BASE_RESOURCE = 0x20000;
constexpr DWORD HID_BASE_CONTROL = 0x50000;

// The framework's help command and the dialog Help button.
constexpr UINT ID_HELP = 0xE146;
constexpr int IDHELP = 9;

// The data of HELP_MULTIKEY: a keyword of an alternative keyword table.
struct MULTIKEYHELP {
    DWORD mkSize;
    char mkKeylist;
    char szKeyphrase[1];
};

BOOL WinHelp(HWND owner, LPCSTR helpFile, UINT command, ULONG_PTR data);

namespace vqwin {

struct HelpRequest {
    HWND owner = nullptr;
    CString helpFile;
    UINT command = 0;
    ULONG_PTR data = 0;
};

// Every help request since the start or the last clear, in order.
std::vector<HelpRequest> HelpRequests();
void ClearHelpRequests();

} // namespace vqwin
