#include "HostCallbacks.h"

#include "HostOutput.h"

#include <string>
#include <utility>

namespace hostcallbacks {

namespace {

std::vector<ACCEL>& MenuAccelerators()
{
    static std::vector<ACCEL> accelerators;
    return accelerators;
}

} // namespace

void OnViewUpdate(const char* name, UINT id, BOOL enabled, BOOL checked)
{
    PrintLine("update: " + Escaped(name) + " " + std::to_string(id) + " enabled=" + (enabled ? "1" : "0") +
              " checked=" + (checked ? "1" : "0"));
}

int OnViewMessage(const char* keyword, const char* value)
{
    PrintLine("message: " + Escaped(keyword) + " " + Escaped(value));
    return 1;
}

void OnMenuItem(const char* parent, const char* text, UINT id, UINT key, UINT flags, const char* prompt)
{
    PrintLine("menu: " + Escaped(parent) + "|" + Escaped(text) + "|" + std::to_string(id) + "|" +
              std::to_string(key & 0xFFFF) + "|" + std::to_string(flags & 0xFF) + "|" + Escaped(prompt));
    if (key != 0)
        MenuAccelerators().push_back({static_cast<BYTE>(flags), static_cast<WORD>(key), static_cast<WORD>(id)});
}

std::vector<ACCEL> TakeMenuAccelerators() { return std::exchange(MenuAccelerators(), {}); }

int OnWyrQuery(const char* value)
{
    PrintLine("query: " + Escaped(value) + " -> 1");
    return 1;
}

void OnWyrNotify(const char* value) { PrintLine("notify: " + Escaped(value)); }

void OnWyrLog(int code, const char* level, const char* text)
{
    PrintLine("log: " + Escaped(level) + " " + std::to_string(code) + " " + Escaped(text));
}

} // namespace hostcallbacks
