// What the benchmarks of the model share: sample repositories made once in a folder kept
// between runs (making the large ones takes a while), and the started module with a
// session on one of them at a time.
#pragma once

#include "repo/RepoSample.h"

#include <filesystem>
#include <string>

class VqsSysApp;

namespace vqbench {

// The folder `name` in the temporary folder, made if it is not there.
std::filesystem::path KeptFolder(const std::string& name);

// The sample enterprise of `scale` in `folder`, made if it is not there. It is made under
// another name and renamed when whole, so a run stopped while making it leaves no file that
// the next run would take for a finished one.
std::string KeptSampleRepository(const std::filesystem::path& folder, const vqrepo::SampleScale& scale);

// The started module, with a session on one repository at a time. The host's registry of
// components is kept in `folder`. The session is closed and the module ended before the
// process ends: a session left open at exit is dropped while its lock thread still runs.
class SessionModule {
public:
    explicit SessionModule(const std::filesystem::path& folder);
    ~SessionModule();
    SessionModule(const SessionModule&) = delete;
    SessionModule& operator=(const SessionModule&) = delete;

    VqsSysApp& Open(const std::string& repository);

private:
    std::string m_open;
};

} // namespace vqbench
