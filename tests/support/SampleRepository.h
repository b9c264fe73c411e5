// A repository file holding the sample enterprise (vqsrepo sample), in a temporary
// directory removed at the end. The default sample is built once per test program and
// copied for each use.
#pragma once

#include "repo/RepoSample.h"
#include "support/TempDir.h"

#include <string>

namespace vqtest {

class SampleRepository {
public:
    SampleRepository();
    explicit SampleRepository(const vqrepo::SampleScale& scale);

    const std::string& Path() const { return m_path; }
    const TempDir& Directory() const { return m_directory; }

private:
    TempDir m_directory;
    std::string m_path;
};

} // namespace vqtest
