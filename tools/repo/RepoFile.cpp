#include "repo/RepoFile.h"

#include "proxy/PxException.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxVQLink.h"
#include "repo/RepoBuilder.h"
#include "repo/RepoError.h"
#include "repo/RepoValidator.h"

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <system_error>

namespace vqrepo {

namespace {

namespace fs = std::filesystem;

// The files SQLite and the proxy keep beside a repository file.
constexpr const char* kCompanions[] = {"", "-wal", "-shm", "-locks", "-locks-wal", "-locks-shm"};

void RemoveWithCompanions(const std::string& path)
{
    std::error_code ignored;
    for (const char* suffix : kCompanions)
        fs::remove(path + suffix, ignored);
}

std::unique_ptr<PxVQLink> Attach(const std::string& path)
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(path.c_str(), "vqsrepo", nullptr);
    return link;
}

} // namespace

void CreateRepositoryFile(const std::string& path, const RepoDescription& description)
{
    ValidateDescription(description);
    if (fs::exists(path))
        throw RepoError("Cannot create the repository " + path + ": the file exists already.");
    std::string building = path + ".building-" + std::to_string(getpid());
    RemoveWithCompanions(building);
    try {
        PxLink::CreateRepository(building.c_str());
        {
            std::unique_ptr<PxVQLink> link = Attach(building);
            BuildRepository(*link, description);
        }
        std::error_code ignored;
        for (const char* suffix : {"-locks", "-locks-wal", "-locks-shm"})
            fs::remove(building + suffix, ignored);
        fs::rename(building, path);
    } catch (const VqException& failure) {
        RemoveWithCompanions(building);
        throw RepoError("Cannot create the repository " + path + ": " + failure.GetErrorMessage().GetString());
    } catch (const fs::filesystem_error& failure) {
        RemoveWithCompanions(building);
        throw RepoError("Cannot create the repository " + path + ": " + failure.code().message() + ".");
    } catch (...) {
        RemoveWithCompanions(building);
        throw;
    }
}

void DumpRepositoryFile(const std::string& path, std::ostream& out)
{
    if (!fs::exists(path))
        throw RepoError("There is no repository " + path + ".");
    try {
        std::unique_ptr<PxVQLink> link = Attach(path);
        PxRepositoryDump::Write(*link, out);
    } catch (const VqException& failure) {
        throw RepoError(std::string("Cannot read the repository ") + path + ": " + failure.GetErrorMessage().GetString());
    }
}

} // namespace vqrepo
