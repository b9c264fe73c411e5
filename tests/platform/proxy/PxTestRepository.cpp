#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "support/PgTestServer.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>

PxTestRepository::PxTestRepository(PxStoreKind kind) : m_kind(kind)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "pxtest-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary directory");
    m_directory = pattern;
    m_name = kind == PxStoreKind::Server ? vqtest::PgTestServer::Instance().NewDatabase()
                                         : m_directory + "/repository.vqr";
    PxLink::CreateRepository(m_name.c_str());
}

PxTestRepository::~PxTestRepository()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_directory, ignored);
}

std::string PxStoreKindName(const ::testing::TestParamInfo<PxStoreKind>& info)
{
    return info.param == PxStoreKind::Server ? "Server" : "File";
}

std::unique_ptr<PxVQLink> PxAttach(const char* path, const char* userCode, const void* handle)
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(path, userCode, handle);
    return link;
}

namespace {

std::string RefusalOf(const std::function<void()>& statement)
{
    try {
        statement();
    } catch (const PxException& e) {
        return std::string(e.GetErrorMessage());
    }
    return "done";
}

} // namespace

void PxExpectFailedUntilCommitted(PxVQLink& link, const std::string& refusal)
{
    EXPECT_TRUE(link.IsInTransaction()) << "a failed transaction ends with its commit or abort";
    EXPECT_EQ(RefusalOf([&] { link.GetLVQEnterprise()->ObjectPresent(); }), refusal) << "a read of the failed transaction";
    EXPECT_EQ(RefusalOf([&] { link.CommitTransaction(); }), refusal) << "the commit of the failed transaction";
    EXPECT_FALSE(link.IsInTransaction());
}

// The lock store's transactions take the file's write lock, or the server's advisory lock
// that runs them one at a time.
struct PxBusyLockStore::Holder {
    sqlite3* file = nullptr;
    PGconn* server = nullptr;
};

PxBusyLockStore::PxBusyLockStore(const PxTestRepository& repository) : m_holder(std::make_unique<Holder>())
{
    if (repository.Kind() == PxStoreKind::Server) {
        m_holder->server = PQconnectdb(repository.Path());
        PQclear(PQexec(m_holder->server, "BEGIN; SELECT pg_advisory_xact_lock(29871, 2)"));
        if (PQtransactionStatus(m_holder->server) != PQTRANS_INTRANS)
            throw std::runtime_error("cannot hold the lock store busy");
        return;
    }
    std::string lockFile = std::string(repository.Path()) + "-locks";
    if (sqlite3_open(lockFile.c_str(), &m_holder->file) != SQLITE_OK ||
        sqlite3_exec(m_holder->file, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot hold the lock store busy");
}

PxBusyLockStore::~PxBusyLockStore()
{
    Release();
    sqlite3_close(m_holder->file);
    PQfinish(m_holder->server);
}

void PxBusyLockStore::Release()
{
    if (m_holder->file && !sqlite3_get_autocommit(m_holder->file))
        sqlite3_exec(m_holder->file, "COMMIT", nullptr, nullptr, nullptr);
    if (m_holder->server && PQtransactionStatus(m_holder->server) == PQTRANS_INTRANS)
        PQclear(PQexec(m_holder->server, "COMMIT"));
}
