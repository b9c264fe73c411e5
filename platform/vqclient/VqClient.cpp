#include "vqclient/VqClient.h"

#include "vqclient/VqcTesting.h"
#include "vqclient/VqcGenerations.h"
#include "win/TemporaryFolder.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace {

std::mutex g_settingsMutex;
vqclient::Settings g_settings;
std::vector<std::string> g_calls;

void Record(std::string call)
{
    g_calls.push_back(std::move(call));
}

std::string WorkPath()
{
    if (const char* temp = std::getenv("TEMP"); temp && *temp)
        return temp;
    return vqwin::TemporaryFolder().string();
}

} // namespace

void VqcSetIniPath(const char* path)
{
    std::lock_guard lock(g_settingsMutex);
    g_settings.iniPath = path ? path : "";
    Record("VqcSetIniPath " + g_settings.iniPath);
}

void VqcSetSignOnUserName(const char* userCode)
{
    std::lock_guard lock(g_settingsMutex);
    g_settings.userName = userCode ? userCode : "";
    Record("VqcSetSignOnUserName " + g_settings.userName);
}

void VqcSetNodeHandle(const void* nodeHandle)
{
    std::lock_guard lock(g_settingsMutex);
    g_settings.nodeHandle = nodeHandle;
    char text[32];
    std::snprintf(text, sizeof text, "%p", nodeHandle);
    Record(std::string("VqcSetNodeHandle ") + text);
}

void VqcSetRepositoryMode(int mode)
{
    std::lock_guard lock(g_settingsMutex);
    g_settings.repositoryMode = mode;
    Record("VqcSetRepositoryMode " + std::to_string(mode));
}

void VqcSetWorkPath()
{
    std::lock_guard lock(g_settingsMutex);
    g_settings.workPath = WorkPath();
    Record("VqcSetWorkPath");
}

void VqcSetAdminUser(BOOL admin)
{
    std::lock_guard lock(g_settingsMutex);
    g_settings.admin = admin != FALSE;
    Record(std::string("VqcSetAdminUser ") + (admin ? "1" : "0"));
}

const char* IsVqclientTestDll() { return "VqClient.dll"; }

namespace vqclient {

Settings CurrentSettings()
{
    std::lock_guard lock(g_settingsMutex);
    return g_settings;
}

std::vector<std::string> Calls()
{
    std::lock_guard lock(g_settingsMutex);
    return g_calls;
}

void Reset()
{
    {
        std::lock_guard lock(g_settingsMutex);
        g_settings = {};
        g_calls.clear();
    }
    ResetGenerations();
}

} // namespace vqclient
