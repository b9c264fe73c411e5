// The repository tool:
//   vqsrepo create FILE --from DESCRIPTION.json   a repository built from a description
//   vqsrepo sample FILE                           the sample enterprise
//   vqsrepo dump FILE                             the objects of a repository as text
#include "repo/RepoError.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "repo/RepoSample.h"

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: vqsrepo create FILE --from DESCRIPTION.json\n"
                         "       vqsrepo sample FILE\n"
                         "       vqsrepo dump FILE\n");
    return 2;
}

int Run(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "create") == 0 && std::strcmp(argv[3], "--from") == 0) {
        vqrepo::CreateRepositoryFile(argv[2], vqrepo::ReadDescriptionFile(argv[4]));
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "sample") == 0) {
        vqrepo::CreateRepositoryFile(argv[2], vqrepo::SampleDescription());
        return 0;
    }
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
    } catch (const vqrepo::RepoError& error) {
        std::fprintf(stderr, "vqsrepo: %s\n", error.what());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "vqsrepo: %s\n", error.what());
    }
    return 1;
}
