#include "support/SampleRepository.h"

#include "proxy/PxVQLink.h"
#include "repo/RepoBuilder.h"
#include "repo/RepoFile.h"

#include <filesystem>

namespace vqtest {

namespace {

// The sample's first two systems, each taking every segment. The tool refuses such a
// description, so it is built here without its checks.
vqrepo::RepoDescription UnitTestEnterprise()
{
    vqrepo::RepoDescription description = vqrepo::SampleDescription();
    description.systems.resize(2);
    for (vqrepo::SystemDesc& system : description.systems) {
        system.segments.clear();
        for (const vqrepo::SegmentDesc& segment : description.segments)
            system.segments.push_back(segment.name);
    }
    return description;
}

const std::string& DefaultSampleFile()
{
    static TempDir directory;
    static const std::string path = [] {
        std::string file = directory.File("sample.vqr");
        PxLink::CreateRepository(file.c_str());
        PxVQLink link;
        link.AttachSession(file.c_str(), "vqsrepo", nullptr);
        vqrepo::BuildRepository(link, UnitTestEnterprise());
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
