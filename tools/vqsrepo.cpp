// The repository tool:
//   vqsrepo create FILE --from DESCRIPTION.json   a repository built from a description
//   vqsrepo sample FILE [--sample-scale=S,G,E]    the sample enterprise, optionally larger
//   vqsrepo dump FILE                             the objects of a repository as text
//   vqsrepo upgrade URI                           a server repository an earlier build made brought up to date
//   vqsrepo analyze URI                           the same, and a server repository's statistics taken again
//   vqsrepo --help                                the usage and the sample's bounds
// FILE may be a postgresql:// URI instead: the repository is then in that server database.
#include "proxy/PxPostgres.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"
#include "repo/RepoSample.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

constexpr const char* kScaleFlag = "--sample-scale=";

constexpr const char* kUsage = "usage: vqsrepo create FILE --from DESCRIPTION.json\n"
                               "       vqsrepo sample FILE [--sample-scale=SYSTEMS,SEGMENTS,ELEMENTS]\n"
                               "       vqsrepo dump FILE\n"
                               "       vqsrepo upgrade URI\n"
                               "       vqsrepo analyze URI\n"
                               "       vqsrepo --help\n";

std::string ScaleBounds()
{
    return "1 to " + std::to_string(vqrepo::kMostSampleSystems) + " systems, 1 to " +
           std::to_string(vqrepo::kMostSampleSegments) + " segments, 0 to " +
           std::to_string(vqrepo::kMostSampleElements) + " generated elements a segment, and SYSTEMS x SEGMENTS x " +
           "(ELEMENTS + " + std::to_string(vqrepo::kSampleOwnElements) + ") at most " +
           std::to_string(vqrepo::kMostSampleLinks);
}

std::string Help()
{
    return std::string(kUsage) +
           "Makes a repository from a description or the sample enterprise, or writes one as text\n"
           "(tools/repo/README.md). FILE may be a postgresql:// URI of an empty database.\n"
           "upgrade: a repository on a server made by an earlier build gets what this build adds, and\n"
           "the other roles' rights on it; each change is printed (run by the owner of its tables).\n"
           "analyze: the same, then the server's statistics of its tables are taken again.\n"
           "--sample-scale: " + ScaleBounds() + " (e.g. 100,20,500).\n"
           "Exit status: 0 done, 1 refused (the message names the file and the place), 2 a command\n"
           "line it does not understand.\n";
}

int Usage()
{
    std::fputs(kUsage, stderr);
    return 2;
}

// Standard output through a buffer that keeps the reason of its first failed write, so
// that a full disk or a closed file is reported as a failure, not left as a short dump.
class CheckedOutput : public std::streambuf {
public:
    CheckedOutput() { setp(m_buffer, m_buffer + sizeof m_buffer); }

    // Writes what is buffered; throws with the reason when anything could not be written.
    void Finish()
    {
        sync();
        if (m_error)
            throw std::runtime_error(std::string("cannot write to standard output: ") + std::strerror(m_error) + ".");
    }

protected:
    int overflow(int c) override
    {
        if (!WriteBuffered())
            return traits_type::eof();
        if (c != traits_type::eof())
            sputc(static_cast<char>(c));
        return traits_type::not_eof(c);
    }

    int sync() override { return WriteBuffered() ? 0 : -1; }

private:
    bool WriteBuffered()
    {
        for (const char* at = pbase(); !m_error && at < pptr();) {
            const ssize_t written = write(STDOUT_FILENO, at, static_cast<std::size_t>(pptr() - at));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                m_error = written < 0 ? errno : EIO;
            else
                at += written;
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return !m_error;
    }

    char m_buffer[1 << 16];
    int m_error = 0;
};

int Sample(const char* path, const char* option)
{
    vqrepo::SampleScale scale;
    if (option) {
        if (std::strncmp(option, kScaleFlag, std::strlen(kScaleFlag)) != 0)
            return Usage();
        if (!vqrepo::ParseSampleScale(option + std::strlen(kScaleFlag), scale)) {
            std::fprintf(stderr, "vqsrepo: %s: give SYSTEMS,SEGMENTS,ELEMENTS, %s (e.g. 100,20,500).\n", option,
                         ScaleBounds().c_str());
            return 2;
        }
    }
    vqrepo::CreateRepositoryFile(path, vqrepo::SampleDescription(scale));
    return 0;
}

void PrintChanges(const std::vector<std::string>& changes)
{
    CheckedOutput output;
    std::ostream out(&output);
    for (const std::string& change : changes)
        out << change << '\n';
    output.Finish();
}

int Run(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        CheckedOutput output;
        std::ostream(&output) << Help();
        output.Finish();
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "create") == 0 && std::strcmp(argv[3], "--from") == 0) {
        vqrepo::CreateRepositoryFile(argv[2], vqrepo::ReadDescriptionFile(argv[4]));
        return 0;
    }
    if ((argc == 3 || argc == 4) && std::strcmp(argv[1], "sample") == 0)
        return Sample(argv[2], argc == 4 ? argv[3] : nullptr);
    if (argc == 3 && std::strcmp(argv[1], "dump") == 0) {
        CheckedOutput output;
        std::ostream out(&output);
        vqrepo::DumpRepositoryFile(argv[2], out);
        output.Finish();
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "upgrade") == 0) {
        const std::vector<std::string> changes = vqrepo::UpgradeServerRepository(argv[2]);
        PrintChanges(changes.empty() ? std::vector<std::string>{"The repository " + PxShownServerName(argv[2]) +
                                                                " is up to date; nothing was changed."}
                                     : changes);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "analyze") == 0) {
        PrintChanges(vqrepo::AnalyzeServerRepository(argv[2]));
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
