// A repository for one test, on either store: a file in a fresh temporary directory, or a
// fresh database on the test program's own PostgreSQL server. The directory is removed
// with everything in it at the end. Suites that run on both stores derive from PxStoreTest
// and are instantiated with PX_ON_BOTH_STORES.
#pragma once

#include "proxy/PxException.h"
#include "proxy/PxVQLink.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

enum class PxStoreKind { File, Server };

class PxTestRepository {
public:
    explicit PxTestRepository(PxStoreKind kind = PxStoreKind::File);
    ~PxTestRepository();
    PxTestRepository(const PxTestRepository&) = delete;
    PxTestRepository& operator=(const PxTestRepository&) = delete;

    // The repository's name: the file's path or the database's URI.
    const char* Path() const { return m_name.c_str(); }
    const std::string& Directory() const { return m_directory; }
    PxStoreKind Kind() const { return m_kind; }

private:
    PxStoreKind m_kind;
    std::string m_directory;
    std::string m_name;
};

class PxStoreTest : public ::testing::TestWithParam<PxStoreKind> {
protected:
    PxTestRepository m_repository{GetParam()};
};

std::string PxStoreKindName(const ::testing::TestParamInfo<PxStoreKind>& info);

#define PX_ON_BOTH_STORES(Suite)                                                                                       \
    INSTANTIATE_TEST_SUITE_P(Stores, Suite, ::testing::Values(PxStoreKind::File, PxStoreKind::Server), PxStoreKindName)

// A link attached to the repository with a session of its own (or the shared one of `handle`).
std::unique_ptr<PxVQLink> PxAttach(const char* path, const char* userCode = "alice/dev",
                                   const void* handle = nullptr);

// A transaction that a refusal failed: it stays open, a later read and its commit refuse
// with the same text, and the commit ends it.
void PxExpectFailedUntilCommitted(PxVQLink& link, const std::string& refusal);

// Another connection that keeps the repository's lock store busy (in a write transaction)
// until released.
class PxBusyLockStore {
public:
    explicit PxBusyLockStore(const PxTestRepository& repository);
    ~PxBusyLockStore();
    PxBusyLockStore(const PxBusyLockStore&) = delete;
    PxBusyLockStore& operator=(const PxBusyLockStore&) = delete;
    void Release();

private:
    struct Holder;
    std::unique_ptr<Holder> m_holder;
};

// The message of what the call throws, or "done".
template <class Call>
std::string FailureOf(Call&& call)
{
    try {
        call();
    } catch (const PxException& e) {
        return std::string(e.GetErrorMessage());
    }
    return "done";
}
