// The repository tool:
//   vqsrepo create FILE --from DESCRIPTION.json   a repository built from a description
//   vqsrepo sample FILE [--sample-scale=S,G,E]    the sample enterprise, optionally larger
//   vqsrepo dump FILE                             the objects of a repository as text
// FILE may be a postgresql:// URI instead: the repository is then in that server database.
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "repo/RepoSample.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr const char* kScaleFlag = "--sample-scale=";

int Usage()
{
    std::fprintf(stderr, "usage: vqsrepo create FILE --from DESCRIPTION.json\n"
                         "       vqsrepo sample FILE [--sample-scale=SYSTEMS,SEGMENTS,ELEMENTS]\n"
                         "       vqsrepo dump FILE\n");
    return 2;
}

int Sample(const char* path, const char* option)
{
    vqrepo::SampleScale scale;
    if (option) {
        if (std::strncmp(option, kScaleFlag, std::strlen(kScaleFlag)) != 0)
            return Usage();
        if (!vqrepo::ParseSampleScale(option + std::strlen(kScaleFlag), scale)) {
            std::fprintf(stderr, "vqsrepo: %s: give SYSTEMS,SEGMENTS,ELEMENTS (e.g. 100,20,500).\n", option);
            return 2;
        }
    }
    vqrepo::CreateRepositoryFile(path, vqrepo::SampleDescription(scale));
    return 0;
}

int Run(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "create") == 0 && std::strcmp(argv[3], "--from") == 0) {
        vqrepo::CreateRepositoryFile(argv[2], vqrepo::ReadDescriptionFile(argv[4]));
        return 0;
    }
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "sample") == 0)
        return Sample(argv[2], argc == 4 ? argv[3] : nullptr);
    if (argc == 3 && std::strcmp(argv[1], "dump") == 0) {
        vqrepo::DumpRepositoryFile(argv[2], std::cout);
        return 0;
    }
    return Usage();
}

} // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vqsrepo: %s\n", error.what());
    }
    return 1;
}
