// A repository, a file or a database of the suite's server, that refuses every write of an
// attribute to one text while the object lives, and rolls back the transaction that made it,
// as a full disk does: the failure the store imposes on a whole transaction.
#pragma once

#include <string>

namespace vqtest {

class RefusedWrite {
public:
    RefusedWrite(const std::string& repository, const std::string& text);
    ~RefusedWrite();
    RefusedWrite(const RefusedWrite&) = delete;
    RefusedWrite& operator=(const RefusedWrite&) = delete;

private:
    void Run(const std::string& sql) const;

    std::string m_repository;
};

} // namespace vqtest
