#include "support/HeldLockTables.h"

#include <libpq-fe.h>

#include <stdexcept>

namespace vqtest {

HeldLockTables::HeldLockTables(const std::string& repository, const std::string& mode)
    : m_connection(PQconnectdb(repository.c_str()))
{
    PQclear(PQexec(m_connection, ("BEGIN; LOCK TABLE vq_repository.px_session, vq_repository.px_lock,"
                                  " vq_repository.px_lock_wait, vq_repository.px_persistent_lock IN " +
                                  mode + " MODE")
                                     .c_str()));
    if (PQtransactionStatus(m_connection) != PQTRANS_INTRANS) {
        const std::string reason = PQerrorMessage(m_connection);
        PQfinish(m_connection);
        throw std::runtime_error("cannot hold the lock tables: " + reason);
    }
}

HeldLockTables::~HeldLockTables() { PQfinish(m_connection); }

} // namespace vqtest
