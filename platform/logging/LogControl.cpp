#include "logging/LogControl.h"

#include "win/Clock.h"
#include "win/PrivateProfile.h"

#include <cstdio>
#include <ctime>
#include <string>
#include <utility>

VquLogCntrl g_VquLogCntrl;

namespace {

// Not a static object: a line may be written as the process ends, after the static objects.
// Freed as the path is cleared (the library clears it as it unloads).
std::string* g_settingsPath = nullptr;

std::string LogFile()
{
    char file[4096] = "";
    if (g_settingsPath)
        GetPrivateProfileStringA("Logging", "File", "", file, sizeof file, g_settingsPath->c_str());
    return file;
}

std::string LocalTime()
{
    const std::time_t now = static_cast<std::time_t>(vqclock::Current().Now());
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&now, &local))
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

} // namespace

void VquLogCntrl::SetIniPath(const char* path)
{
    if (!path || !*path) {
        delete std::exchange(g_settingsPath, nullptr);
        return;
    }
    if (!g_settingsPath)
        g_settingsPath = new std::string;
    *g_settingsPath = path;
}

CString VquLogCntrl::GetIniPath() const { return CString(g_settingsPath ? g_settingsPath->c_str() : ""); }

void VquLogCntrl::Write(const char* level, const char* text) const
{
    const std::string line = LocalTime() + " " + (level ? level : "") + " " + (text ? text : "") + "\n";
    const std::string file = LogFile();
    std::FILE* log = file.empty() ? nullptr : std::fopen(file.c_str(), "a");
    std::fputs(line.c_str(), log ? log : stderr);
    if (log)
        std::fclose(log);
}
