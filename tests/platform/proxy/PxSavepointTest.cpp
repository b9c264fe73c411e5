// A savepoint of a transaction: what the transaction changes after it is undone on its own,
// or kept, and the transaction goes on.
#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxVQEnterprise.h"

#include <gtest/gtest.h>

namespace {

class PxSavepointTest : public PxStoreTest {
protected:
    PxSavepointTest() : m_link(PxAttach(m_repository.Path())), m_other(PxAttach(m_repository.Path(), "bob/test")) {}

    PxVQObjectPtr CommittedHost(const char* name)
    {
        m_link->BeginTransaction();
        PxVQObjectPtr host = m_link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
        host->SetAttributeText("name", name);
        m_link->CommitTransaction();
        return host;
    }

    // What the other session reads of the host named so.
    PxVQObjectPtr Seen(const char* name) const
    {
        return PxVQObjectPtr(m_other->GetLVQEnterprise()->FindMember("hosts", "name", name));
    }

    std::unique_ptr<PxVQLink> m_link;
    std::unique_ptr<PxVQLink> m_other;
};

// Set after the transaction's first change, or before any (the writer slot not taken yet),
// a savepoint rolled back to undoes the changes made after it: attributes written, an object
// deleted, objects created (never there); the transaction goes on, changes
// the same objects again and stores that with what came before the savepoint. Released, it
// keeps everything.
TEST_P(PxSavepointTest, WhatComesAfterASavepointIsUndoneOnItsOwnOrKept)
{
    struct Row {
        const char* what;
        bool changedBefore;
        bool rolledBack;
    };
    const Row rows[] = {
        {"after a change, rolled back", true, true},
        {"before any change, rolled back", false, true},
        {"after a change, released", true, false},
        {"before any change, released", false, false},
    };
    int round = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string suffix = std::to_string(++round);
        const PxVQObjectPtr kept = CommittedHost(("KEPT" + suffix).c_str());
        const PxVQObjectPtr doomed = CommittedHost(("DOOMED" + suffix).c_str());
        const std::int64_t edition = kept->GetObjectEdition().GetEdition();
        m_link->BeginTransaction();
        if (row.changedBefore)
            kept->SetAttributeText("before", "stored");
        m_link->SetSavepoint();
        kept->SetAttributeText("after", "undone?");
        doomed->DeleteObject();
        const PxVQObjectPtr created = m_link->GetLVQEnterprise()->CreateMember("hosts", "PxVQObject");
        const PxVQObjectPtr child = created->CreateMember("packs", "PxVQObject");
        if (row.rolledBack)
            m_link->RollbackToSavepoint();
        else
            m_link->ReleaseSavepoint();
        EXPECT_TRUE(m_link->IsInTransaction());
        EXPECT_EQ(kept->HasAttribute("after"), !row.rolledBack);
        EXPECT_EQ(doomed->ObjectPresent(), row.rolledBack);
        EXPECT_EQ(created->ObjectPresent(), !row.rolledBack);
        EXPECT_EQ(child->ObjectPresent(), !row.rolledBack);
        kept->SetAttributeText("again", "stored");
        m_link->CommitTransaction();

        const PxVQObjectPtr seen = Seen(("KEPT" + suffix).c_str());
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->HasAttribute("before"), row.changedBefore);
        EXPECT_EQ(seen->HasAttribute("after"), !row.rolledBack);
        EXPECT_TRUE(seen->HasAttribute("again")) << "a change after the rollback steps the edition again";
        EXPECT_EQ(seen->GetObjectEdition().GetEdition(), edition + 1);
        EXPECT_EQ(Seen(("DOOMED" + suffix).c_str()) != nullptr, row.rolledBack);
    }
}

PX_ON_BOTH_STORES(PxSavepointTest);

} // namespace
