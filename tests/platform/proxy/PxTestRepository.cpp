#include "PxTestRepository.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

PxTestRepository::PxTestRepository()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pxtest-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    m_directory = pattern;
    m_file = m_directory + "/repository.vqr";
    PxLink::CreateRepository(m_file.c_str());
}

PxTestRepository::~PxTestRepository()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_directory, ignored);
}

std::unique_ptr<PxVQLink> PxAttach(const char* path, const char* userCode, const void* handle)
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(path, userCode, handle);
    return link;
}
