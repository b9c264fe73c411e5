// A repository file in a fresh temporary directory, removed with everything in it at the end.
#pragma once

#include "proxy/PxVQLink.h"

#include <memory>
#include <string>

class PxTestRepository {
public:
    PxTestRepository();
    ~PxTestRepository();
    PxTestRepository(const PxTestRepository&) = delete;
    PxTestRepository& operator=(const PxTestRepository&) = delete;

    const char* Path() const { return m_file.c_str(); }
    const std::string& Directory() const { return m_directory; }

private:
    std::string m_directory;
    std::string m_file;
};

// A link attached to the repository with a session of its own (or the shared one of `handle`).
std::unique_ptr<PxVQLink> PxAttach(const char* path, const char* userCode = "alice/dev",
                                   const void* handle = nullptr);
