// A repository file in a temporary directory removed at the end. By default it holds the
// enterprise the unit tests were written on: the sample's design, hosts and packs, with two
// systems, SYS1 and SYS2, each taking every business segment into its configuration, as
// repositories made before configurations held one segment do; what the module does with
// such configurations is much of what the tests look at. It is built once per test program
// and copied for each use. Given a scale, it holds the sample itself (vqsrepo sample).
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
