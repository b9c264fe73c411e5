// What tests see of the generation client: the settings it was given and the calls it
// received, in order. Not for the module.
#pragma once

#include <string>
#include <vector>

namespace vqclient {

struct Settings {
    std::string iniPath;
    std::string userName;
    const void* nodeHandle = nullptr;
    int repositoryMode = 0;
    std::string workPath;
    bool admin = false;
};

Settings CurrentSettings();
// One line per call, e.g. "VqcSetSignOnUserName ABC", "VqcSetWorkPath".
std::vector<std::string> Calls();
// Forgets the settings and the calls.
void Reset();

} // namespace vqclient
