#include "support/PgTestServer.h"

#include <libpq-fe.h>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace vqtest {

namespace {

namespace fs = std::filesystem;

// The newest installed server's programs; empty when none is installed.
std::string ServerBinaries()
{
    std::string best;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", error)) {
        std::string bin = entry.path().string() + "/bin";
        if (fs::exists(bin + "/initdb") && fs::exists(bin + "/pg_ctl") &&
            (best.empty() || std::stoi(entry.path().filename()) > std::stoi(fs::path(best).parent_path().filename())))
            best = bin;
    }
    return best;
}

// A server folder is /tmp/pgtest-<pid of the test program>-XXXXXX; answers the pid, or 0.
pid_t OwnerOf(const std::string& folderName)
{
    const std::string prefix = "pgtest-";
    if (folderName.rfind(prefix, 0) != 0)
        return 0;
    std::size_t dash = folderName.find('-', prefix.size());
    if (dash == std::string::npos)
        return 0;
    try {
        return static_cast<pid_t>(std::stol(folderName.substr(prefix.size(), dash - prefix.size())));
    } catch (const std::exception&) {
        return 0;
    }
}

std::string FileText(const std::string& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

PgTestServer& PgTestServer::Instance()
{
    static PgTestServer server;
    return server;
}

PgTestServer::PgTestServer()
{
    m_binaries = ServerBinaries();
    if (m_binaries.empty())
        throw std::runtime_error("cannot start the test's PostgreSQL server: no server is installed under "
                                 "/usr/lib/postgresql (scripts/setup installs it)");
    RemoveAbandonedServers();
    std::string pattern = "/tmp/pgtest-" + std::to_string(getpid()) + "-XXXXXX";
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot start the test's PostgreSQL server: cannot make a temporary folder");
    m_folder = pattern;
    m_asPostgres = geteuid() == 0;
    if (m_asPostgres) {
        // A server refuses to run as root: the folder is handed to the postgres user.
        passwd* postgres = getpwnam("postgres");
        if (!postgres || chown(m_folder.c_str(), postgres->pw_uid, postgres->pw_gid) != 0)
            throw std::runtime_error("cannot start the test's PostgreSQL server as root: there is no postgres user");
        m_user = "postgres";
    } else {
        passwd* self = getpwuid(geteuid());
        m_user = self ? self->pw_name : "";
    }
    Start();
}

PgTestServer::~PgTestServer()
{
    // A child that forked from the test program and ends as a process ends leaves the server to it.
    if (OwnerOf(fs::path(m_folder).filename().string()) != getpid())
        return;
    if (m_started) {
        try {
            RunProgram("pg_ctl", "-D " + m_folder + "/data -m immediate -w stop");
        } catch (const std::exception&) {
            // The folder goes anyway; a server left running has lost its files.
        }
    }
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
}

void PgTestServer::RemoveAbandonedServers() const
{
    // A test program that was killed left its server running: it is stopped with its folder.
    std::error_code error;
    std::vector<fs::path> abandoned;
    for (const auto& entry : fs::directory_iterator("/tmp", error)) {
        pid_t owner = OwnerOf(entry.path().filename().string());
        if (owner > 0 && kill(owner, 0) != 0 && errno == ESRCH)
            abandoned.push_back(entry.path());
    }
    for (const fs::path& folder : abandoned) {
        std::string stop = m_binaries + "/pg_ctl -D " + folder.string() + "/data -m immediate -w stop";
        if (geteuid() == 0)
            stop = "runuser -u postgres -- " + stop;
        stop += " > /dev/null 2>&1";
        if (std::system(stop.c_str()) == -1)
            continue;
        fs::remove_all(folder, error);
    }
}

void PgTestServer::RunProgram(const std::string& program, const std::string& arguments) const
{
    std::string log = m_folder + "/" + program + ".log";
    std::string command = m_binaries + "/" + program + " " + arguments;
    if (m_asPostgres)
        command = "runuser -u postgres -- " + command;
    command += " > " + log + " 2>&1";
    if (std::system(command.c_str()) != 0)
        throw std::runtime_error("cannot start the test's PostgreSQL server: " + program + " failed:\n" +
                                 FileText(log));
}

void PgTestServer::Start()
{
    RunProgram("initdb", "-D " + m_folder + "/data -A trust -U " + m_user + " --no-sync -E UTF8 --locale=C");
    RunProgram("pg_ctl", "-D " + m_folder + "/data -l " + m_folder + "/server.log -w -t 60 -o \"-k " + m_folder +
                             " -c listen_addresses='' -c fsync=off -c synchronous_commit=off"
                             " -c full_page_writes=off\" start");
    m_started = true;
}

void PgTestServer::Restart()
{
    RunProgram("pg_ctl", "-D " + m_folder + "/data -l " + m_folder + "/server.log -m fast -w -t 60 restart");
}

std::string PgTestServer::Uri(const std::string& database) const
{
    return "postgresql:///" + database + "?host=" + m_folder + "&user=" + m_user;
}

std::string PgTestServer::DatabaseOf(const std::string& uri)
{
    const std::size_t start = uri.find(":///") + 4;
    return uri.substr(start, uri.find('?') - start);
}

void PgTestServer::Run(const std::string& database, const std::string& sql) const
{
    std::unique_ptr<PGconn, void (*)(PGconn*)> connection(PQconnectdb(Uri(database).c_str()), PQfinish);
    if (PQstatus(connection.get()) != CONNECTION_OK)
        throw std::runtime_error("cannot reach the test's PostgreSQL server: " +
                                 std::string(PQerrorMessage(connection.get())));
    std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(connection.get(), sql.c_str()), PQclear);
    ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error("the test's PostgreSQL server refused " + sql + ": " +
                                 PQerrorMessage(connection.get()));
}

std::string PgTestServer::NewDatabase()
{
    std::string name = "test" + std::to_string(++m_databases);
    Run("postgres", "CREATE DATABASE " + name + " STRATEGY FILE_COPY");
    return Uri(name);
}

void PgTestServer::EndDataConnections(const std::string& uri) const
{
    Run(DatabaseOf(uri), "SELECT pg_terminate_backend(pid, 10000) FROM pg_stat_activity"
                         " WHERE datname = current_database() AND pid <> pg_backend_pid()"
                         " AND pid NOT IN (SELECT pid FROM pg_locks WHERE locktype = 'advisory'"
                         " AND objsubid = 1 AND granted)");
}

} // namespace vqtest
