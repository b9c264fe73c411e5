#include "repo/RepoFile.h"

#include "proxy/PxException.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxRepositoryDump.h"
#include "proxy/PxServerStore.h"
#include "proxy/PxVQLink.h"
#include "repo/RepoBuilder.h"
#include "repo/RepoError.h"
#include "repo/RepoValidator.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <system_error>
#include <vector>

namespace vqrepo {

namespace {

namespace fs = std::filesystem;

// The files SQLite and the proxy keep beside a repository file.
constexpr const char* kCompanions[] = {"-wal", "-shm", "-locks", "-locks-wal", "-locks-shm"};

[[noreturn]] void Refuse(const std::string& path, const std::string& reason)
{
    throw RepoError("Cannot create the repository " + path + ": " + reason);
}

void RemoveWithCompanions(const std::string& path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
    for (const char* suffix : kCompanions)
        fs::remove(path + suffix, ignored);
}

bool Exists(const std::string& path)
{
    std::error_code ignored;
    return fs::exists(fs::symlink_status(path, ignored));
}

fs::path FolderOf(const std::string& path)
{
    fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

// A new repository file would take over the log and locks an earlier one of that name
// left behind.
void RequireFreePlace(const std::string& path)
{
    std::error_code error;
    fs::path folder = FolderOf(path);
    if (!fs::is_directory(folder, error))
        Refuse(path, "the folder " + folder.string() + " does not exist.");
    if (Exists(path))
        Refuse(path, "the file exists already.");
    std::string left;
    for (const char* suffix : kCompanions)
        if (Exists(path + suffix))
            left += (left.empty() ? "" : ", ") + path + suffix;
    if (!left.empty())
        Refuse(path, "files of an earlier repository of that name are left (" + left + "); remove them first.");
}

bool ProcessRuns(pid_t pid)
{
    if (kill(pid, 0) != 0 && errno == ESRCH)
        return false;
    // A process that has exited but is not reaped yet runs no more.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::size_t close = text.rfind(')');
    return close == std::string::npos || close + 2 >= text.size() || (text[close + 2] != 'Z' && text[close + 2] != 'X');
}

// The process that builds a file named "<name>.building-<pid>" or one of its companions;
// 0 when the file is no such thing.
pid_t BuilderOf(const std::string& fileName, const std::string& prefix)
{
    if (fileName.compare(0, prefix.size(), prefix) != 0)
        return 0;
    const char* digits = fileName.c_str() + prefix.size();
    const char* end = fileName.c_str() + fileName.size();
    pid_t pid = 0;
    auto [rest, error] = std::from_chars(digits, end, pid);
    if (error != std::errc() || rest == digits || pid <= 0)
        return 0;
    if (rest == end)
        return pid;
    for (const char* suffix : kCompanions)
        if (std::strcmp(rest, suffix) == 0)
            return pid;
    return 0;
}

// Files of earlier creates of the path whose processes were killed.
void RemoveDeadBuilds(const std::string& path)
{
    std::string prefix = fs::path(path).filename().string() + ".building-";
    std::error_code error;
    std::vector<fs::path> dead;
    for (const fs::directory_entry& entry : fs::directory_iterator(FolderOf(path), error)) {
        pid_t pid = BuilderOf(entry.path().filename().string(), prefix);
        if (pid != 0 && pid != getpid() && !ProcessRuns(pid))
            dead.push_back(entry.path());
    }
    for (const fs::path& file : dead)
        fs::remove(file, error);
}

// While a file is built, an interrupt that would end the process (SIGINT, SIGTERM, SIGHUP or
// SIGQUIT at its default action; one ignored or handled by the caller is left so) removes
// the building file and its companions, then ends the process as the signal does. The names
// are made before the handlers go in, so the handler only unlinks.
class RemovedOnInterrupt {
public:
    explicit RemovedOnInterrupt(const std::string& building)
    {
        m_files.push_back(building);
        for (const char* suffix : kCompanions)
            m_files.push_back(building + suffix);
        for (std::size_t i = 0; i < m_files.size() && i < std::size(s_files); ++i)
            s_files[i] = m_files[i].c_str();
        struct sigaction action {};
        action.sa_handler = &RemovedOnInterrupt::Interrupted;
        sigemptyset(&action.sa_mask);
        for (std::size_t i = 0; i < std::size(kSignals); ++i) {
            struct sigaction previous {};
            m_taken[i] = sigaction(kSignals[i], nullptr, &previous) == 0 && previous.sa_handler == SIG_DFL &&
                         !(previous.sa_flags & SA_SIGINFO) && sigaction(kSignals[i], &action, nullptr) == 0;
        }
    }
    ~RemovedOnInterrupt()
    {
        for (std::size_t i = 0; i < std::size(kSignals); ++i)
            if (m_taken[i])
                signal(kSignals[i], SIG_DFL);
        for (std::size_t i = 0; i < std::size(s_files); ++i)
            s_files[i] = nullptr;
    }
    RemovedOnInterrupt(const RemovedOnInterrupt&) = delete;
    RemovedOnInterrupt& operator=(const RemovedOnInterrupt&) = delete;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

    static void Interrupted(int number)
    {
        for (std::size_t i = 0; i < std::size(s_files); ++i)
            if (const char* file = s_files[i])
                unlink(file);
        signal(number, SIG_DFL);
        raise(number);
    }

    std::vector<std::string> m_files;
    bool m_taken[std::size(kSignals)] = {};
    static inline const char* volatile s_files[std::size(kCompanions) + 1] = {};
};

// Puts the built file in place; a file that took the place meanwhile is never replaced.
void PlaceWithoutReplacing(const std::string& building, const std::string& path)
{
    if (renameat2(AT_FDCWD, building.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
        return;
    int error = errno;
    if (error == EINVAL || error == ENOSYS) {
        // A file system without the no-replace rename: a link is refused as well when the
        // name is taken.
        if (link(building.c_str(), path.c_str()) == 0) {
            unlink(building.c_str());
            return;
        }
        error = errno;
    }
    if (error == EEXIST)
        Refuse(path, "another file of that name was made while it was built; that file is kept.");
    Refuse(path, std::generic_category().message(error) + ".");
}

std::unique_ptr<PxVQLink> Attach(const std::string& path)
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(path.c_str(), "vqsrepo", nullptr);
    return link;
}

void Build(const std::string& building, const RepoDescription& description)
{
    PxLink::CreateRepository(building.c_str());
    {
        std::unique_ptr<PxVQLink> link = Attach(building);
        BuildRepository(*link, description);
    }
    std::error_code ignored;
    for (const char* suffix : {"-locks", "-locks-wal", "-locks-shm"})
        fs::remove(building + suffix, ignored);
}

// A repository on a server is built in place; a failed build takes the repository out
// of the database again, so the database is left empty as it was found.
void CreateOnServer(const std::string& uri, const RepoDescription& description)
{
    std::string shown = PxShownServerName(uri);
    try {
        PxLink::CreateRepository(uri.c_str());
    } catch (const VqException& failure) {
        throw RepoError(failure.GetErrorMessage().GetString());
    }
    try {
        {
            std::unique_ptr<PxVQLink> link = Attach(uri);
            BuildRepository(*link, description);
        }
        // The server plans the first steps on the loaded repository from what it holds.
        PxServerStore::Analyze(uri);
    } catch (const VqException& failure) {
        PxServerStore::Remove(uri);
        Refuse(shown, failure.GetErrorMessage().GetString());
    } catch (...) {
        PxServerStore::Remove(uri);
        throw;
    }
}

} // namespace

void CreateRepositoryFile(const std::string& path, const RepoDescription& description)
{
    ValidateDescription(description);
    if (PxIsServerName(path))
        return CreateOnServer(path, description);
    RequireFreePlace(path);
    RemoveDeadBuilds(path);
    std::string building = path + ".building-" + std::to_string(getpid());
    RemoveWithCompanions(building);
    RemovedOnInterrupt interrupt(building);
    try {
        Build(building, description);
        PlaceWithoutReplacing(building, path);
    } catch (const VqException& failure) {
        RemoveWithCompanions(building);
        Refuse(path, failure.GetErrorMessage().GetString());
    } catch (...) {
        RemoveWithCompanions(building);
        throw;
    }
}

void DumpRepositoryFile(const std::string& path, std::ostream& out)
{
    bool server = PxIsServerName(path);
    if (!server && !fs::exists(path))
        throw RepoError("There is no repository " + path + ".");
    try {
        PxRepositoryDump::WriteFile(path, out);
    } catch (const VqException& failure) {
        if (server)
            throw RepoError(failure.GetErrorMessage().GetString());
        throw RepoError(path + ": " + failure.GetErrorMessage().GetString());
    }
}

namespace {

std::vector<std::string> OnServer(const std::string& uri, const char* done,
                                  std::vector<std::string> (*step)(const std::string&))
{
    if (!PxIsServerName(uri))
        throw RepoError(uri + ": only a repository on a server is " + done + "; give its postgresql:// URI.");
    try {
        return step(uri);
    } catch (const VqException& failure) {
        throw RepoError(failure.GetErrorMessage().GetString());
    }
}

} // namespace

std::vector<std::string> UpgradeServerRepository(const std::string& uri)
{
    return OnServer(uri, "brought up to date", &PxServerStore::Upgrade);
}

std::vector<std::string> AnalyzeServerRepository(const std::string& uri)
{
    return OnServer(uri, "analyzed", &PxServerStore::Analyze);
}

} // namespace vqrepo
