// The host's callbacks as the exported calls hand them to the module.
#pragma once

#include "win/Types.h"

// A frame's command states: (command name or null, command id, enabled, checked).
using VqsViewUpdateCallBack = void (*)(const char* name, UINT id, BOOL enabled, BOOL checked);
// A frame's keyword messages ("statusTextSet:", "exit:", ...); the value may be null.
using VqsViewMessageCallBack = int (*)(const char* keyword, const char* value);
// One item of a frame's menu: the text of the popup it is in, its own text (null for a
// separator), its command id (0 for separators and popups), the accelerator's key (low 16
// bits) and flags (low 8 bits), and its prompt (null when it has none).
using VqsMenuItemCallBack = void (*)(const char* parent, const char* text, UINT id, UINT key, UINT flags,
                                     const char* prompt);

// The callbacks of VqsRegisterWYRCallBack. Query and notify take a business-segment name;
// the query's non-zero answer means yes. The log sink gets a code, "ERROR", "INFO" or
// "WARNING", and the text.
using VqsWYRQueryCallBack = int (*)(const char* value);
using VqsWYRNotifyCallBack = void (*)(const char* value);
using VqsWYRLogCallBack = void (*)(int code, const char* level, const char* text);
