#include "PxTestRepository.h"

#include "proxy/PxTypedList.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// A file written by a build that knows more classes than this one.
void StoreObjectOfClass(const char* path, const char* className)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(path, &db), SQLITE_OK);
    std::string sql = std::string("INSERT INTO px_object(class, created, edition, present) VALUES('") + className +
                      "', 0, 1, 1);"
                      "INSERT INTO px_member(owner, role, seq, member, owning)"
                      " SELECT CAST(value AS INTEGER), 'systems', 1, last_insert_rowid(), 1 FROM px_meta"
                      " WHERE key = 'root.PxVQEnterprise';";
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

TEST(PxStoredClassTest, AnUnknownClassIsReadAsTheBaseOfItsSide)
{
    PxTestRepository repository;
    StoreObjectOfClass(repository.Path(), "PxVQFutureThing");
    auto link = PxAttach(repository.Path());
    PxTypedList<PxVQObjectPtr> systems;
    link->GetLVQEnterprise()->GetMembers("systems", systems);
    ASSERT_EQ(systems.GetCount(), 1);
    PxVQObjectPtr thing = systems.GetHead();
    EXPECT_TRUE(thing->_IsA("PxVQFutureThing"));
    EXPECT_TRUE(thing->_IsKindOf("PxVQFutureThing"));
    EXPECT_TRUE(thing->_IsKindOf("PxVQObject"));
    EXPECT_EQ(thing->GetClassName(), "PxVQFutureThing");
}

} // namespace
