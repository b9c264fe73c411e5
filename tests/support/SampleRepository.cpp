#include "support/SampleRepository.h"

#include "repo/RepoFile.h"

#include <filesystem>

namespace vqtest {

namespace {

const std::string& DefaultSampleFile()
{
    static TempDir directory;
    static const std::string path = [] {
        std::string file = directory.File("sample.vqr");
        vqrepo::CreateRepositoryFile(file, vqrepo::SampleDescription());
        return file;
    }();
    return path;
}

} // namespace

SampleRepository::SampleRepository() : m_path(m_directory.File("sample.vqr"))
{
    std::filesystem::copy_file(DefaultSampleFile(), m_path);
}

SampleRepository::SampleRepository(const vqrepo::SampleScale& scale) : m_path(m_directory.File("sample.vqr"))
{
    vqrepo::CreateRepositoryFile(m_path, vqrepo::SampleDescription(scale));
}

} // namespace vqtest
