#include "support/BenchSession.h"

#include "repo/RepoFile.h"
#include "shell/VqsModuleStartup.h"
#include "shell/VqsSysApp.h"

#include <cstdlib>
#include <stdexcept>

namespace vqbench {

namespace fs = std::filesystem;

fs::path KeptFolder(const std::string& name)
{
    fs::path folder = fs::temp_directory_path() / name;
    fs::create_directories(folder);
    return folder;
}

// Made under another name and renamed when whole, so that a run stopped while making it
// leaves no file the next run would take for a finished one.
std::string KeptRepository(const fs::path& file, const std::function<vqrepo::RepoDescription()>& describe)
{
    if (!fs::exists(file)) {
        const fs::path partial = file.string() + ".part";
        fs::remove(partial);
        fs::remove(partial.string() + "-locks");
        vqrepo::CreateRepositoryFile(partial.string(), describe());
        fs::rename(partial, file);
        fs::remove(partial.string() + "-locks");
    }
    return file.string();
}

std::string FreshCopy(const fs::path& source, const fs::path& copy)
{
    for (const char* suffix : {"", "-locks", "-wal", "-shm", "-journal"})
        fs::remove(copy.string() + suffix);
    fs::copy_file(source, copy);
    return copy.string();
}

std::string KeptSampleRepository(const fs::path& file, const vqrepo::SampleScale& scale)
{
    return KeptRepository(file, [&] { return vqrepo::SampleDescription(scale); });
}

void StartModuleIn(const fs::path& folder)
{
    setenv("VQ_RESOURCES", VQ_RESOURCE_ROOT, 0);
    setenv("VQ_COM_REGISTRY", (folder / "com-registry.ini").c_str(), 1);
    VqsStartModule();
    if (!VqsGetApp()->SetResourceModule("vqsysres"))
        throw std::runtime_error("the benchmark finds no resource library");
}

SessionModule::SessionModule(const std::string& folder) : m_folder(KeptFolder(folder)) { StartModuleIn(m_folder); }

SessionModule::~SessionModule()
{
    if (!m_open.empty())
        VqsGetApp()->CloseSession();
    VqsEndModule();
}

VqsSysApp& SessionModule::OpenSample(const vqrepo::SampleScale& scale)
{
    const std::string repository = SampleRepository(scale);
    VqsSysApp& app = *VqsGetApp();
    if (repository != m_open) {
        if (!m_open.empty())
            app.CloseSession();
        if (!app.OpenSession(repository.c_str(), "BENCH/USER", nullptr))
            throw std::runtime_error("the benchmark cannot open its session on " + repository);
        m_open = repository;
    }
    return app;
}

std::string SessionModule::SampleRepository(const vqrepo::SampleScale& scale) const
{
    return KeptSampleRepository(m_folder / ("sample-" + std::to_string(scale.systems) + "x" +
                                            std::to_string(scale.segments) + "x" +
                                            std::to_string(scale.elementsPerSegment) + ".vqr"),
                                scale);
}

} // namespace vqbench
