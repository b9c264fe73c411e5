// What the benchmarks of the model share: the started module with a session on one sample
// repository at a time. The repositories are made once, in a folder of the temporary folder
// kept between runs (making the large ones takes a while).
#pragma once

#include "repo/RepoSample.h"

#include <filesystem>
#include <functional>
#include <string>

class VqsSysApp;

namespace vqbench {

// The kept folder of that name in the temporary folder, made if it is not there yet.
std::filesystem::path KeptFolder(const std::string& name);
// The repository `describe` describes at `file`, made first if it is not there yet.
std::string KeptRepository(const std::filesystem::path& file,
                           const std::function<vqrepo::RepoDescription()>& describe);
// A copy of `source` at `copy`, with nothing an earlier copy left beside it (its log and
// lock files).
std::string FreshCopy(const std::filesystem::path& source, const std::filesystem::path& copy);
// The sample repository of `scale` at `file`, made first if it is not there yet.
std::string KeptSampleRepository(const std::filesystem::path& file, const vqrepo::SampleScale& scale);

// Starts the module with the host's registry of components in `folder`; throws when the
// resource library is not found.
void StartModuleIn(const std::filesystem::path& folder);

// The session is closed and the module ended before the process ends: a session left open
// at exit is dropped while its lock thread still runs.
class SessionModule {
public:
    // `folder` names the kept folder, which also holds the host's registry of components.
    explicit SessionModule(const std::string& folder);
    ~SessionModule();
    SessionModule(const SessionModule&) = delete;
    SessionModule& operator=(const SessionModule&) = delete;

    // The session on the sample enterprise of `scale`, made first if it is not there yet.
    VqsSysApp& OpenSample(const vqrepo::SampleScale& scale);

private:
    std::string SampleRepository(const vqrepo::SampleScale& scale) const;

    std::filesystem::path m_folder;
    std::string m_open;
};

} // namespace vqbench
