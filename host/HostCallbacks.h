// The host's callbacks: each prints one line of what the module told it.
#pragma once

#include "win/ModuleResources.h"
#include "win/Types.h"

#include <vector>

namespace hostcallbacks {

// "update: <name|-> <id> enabled=<0|1> checked=<0|1>"
void OnViewUpdate(const char* name, UINT id, BOOL enabled, BOOL checked);
// "message: <keyword> <value|->"; the host takes every message (1).
int OnViewMessage(const char* keyword, const char* value);
// "menu: <parent>|<text>|<id>|<key>|<flags>|<prompt>"; an item with a key adds an entry to
// the host's accelerator table.
void OnMenuItem(const char* parent, const char* text, UINT id, UINT key, UINT flags, const char* prompt);
// The accelerator entries of the menu items reported since the last call.
std::vector<ACCEL> TakeMenuAccelerators();
// "query: <value> -> 1": the host says yes.
int OnWyrQuery(const char* value);
// "notify: <value>"
void OnWyrNotify(const char* value);
// "log: <LEVEL> <code> <text>"
void OnWyrLog(int code, const char* level, const char* text);

} // namespace hostcallbacks
