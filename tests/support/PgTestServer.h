// A throwaway PostgreSQL server for one test program: initdb into a temporary folder, a
// Unix socket there and no TCP port, started at first use and stopped when the program
// ends (or, when a program is killed, by the next one). Run as root, the server runs as the
// `postgres` user. Each test takes a fresh database of its own. When the server cannot
// start, Instance throws with the reason.
#pragma once

#include <string>

namespace vqtest {

class PgTestServer {
public:
    static PgTestServer& Instance();
    ~PgTestServer();
    PgTestServer(const PgTestServer&) = delete;
    PgTestServer& operator=(const PgTestServer&) = delete;

    // Makes an empty database; answers its connection URI.
    std::string NewDatabase();
    // The URI of a database of this server.
    std::string Uri(const std::string& database) const;
    // Whether a repository's name is a server's URI, and the database such a URI of this
    // server names (postgresql:///name?host=...).
    static bool IsUri(const std::string& repository) { return repository.rfind("postgres", 0) == 0; }
    static std::string DatabaseOf(const std::string& uri);
    // Restarts the server at once (a fast shutdown): every connection to it ends, and the
    // server is back before this returns.
    void Restart();
    // Runs SQL on a database of this server; throws with the server's message when it fails.
    void Run(const std::string& database, const std::string& sql) const;
    // Ends the data connections of every session on the repository of that URI (those holding
    // no session's locks), as a server going away does.
    void EndDataConnections(const std::string& uri) const;

private:
    PgTestServer();
    void Start();
    // Stops the servers of test programs that ended without stopping theirs.
    void RemoveAbandonedServers() const;
    // Runs a server program (as the server's user); throws with its output when it fails.
    void RunProgram(const std::string& program, const std::string& arguments) const;

    std::string m_folder;
    std::string m_binaries;
    std::string m_user;
    bool m_asPostgres = false;
    bool m_started = false;
    int m_databases = 0;
};

} // namespace vqtest
