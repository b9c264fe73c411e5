#include "PxTestRepository.h"

#include "proxy/PxPostgres.h"
#include "proxy/PxRepositoryDump.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Id(const PxObjectPtr& object) { return "#" + std::to_string(object->GetHandle().MapKey()); }

std::string Dump(PxLink& link)
{
    std::ostringstream out;
    PxRepositoryDump::Write(link, out);
    return out.str();
}

class PxRepositoryDumpTest : public PxStoreTest {};

TEST_P(PxRepositoryDumpTest, ObjectsStandOnceUnderTheirFirstOwnerAndDeletedOnesNotAtAll)
{
    std::unique_ptr<PxVQLink> link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    link->BeginTransaction();
    PxObjectPtr first = enterprise->CreateMember("alpha", "PxVQObject");
    PxObjectPtr second = enterprise->CreateMember("beta", "PxVQObject");
    PxObjectPtr shared = first->CreateMember("items", "PxVQObject");
    second->AddOwnedMember("items", shared);
    second->AddMember("seen", first);
    shared->SetAttributeText("name", "A \"quoted\"\nname");
    shared->SetAttributeNull("chosen");
    const unsigned char bytes[] = {0x00, 0xAB};
    shared->SetAttributeBlob("guid", bytes, sizeof(bytes));
    shared->SetAttributeText("Zone", "caf\xe9"); // names in byte order; texts byte for byte
    shared->SetAttributeInt("_count", -7);
    PxVQObjectPtr gone = enterprise->CreateMember("gamma", "PxVQObject");
    gone->DeleteObject();
    link->CommitTransaction();

    const std::string expected = "#2 PxLSEEnterprise\n"
                                 "#1 PxVQEnterprise\n"
                                 "  alpha:\n"
                                 "    #3 PxVQObject\n"
                                 "      items:\n"
                                 "        #5 PxVQObject\n"
                                 "          Zone = \"caf\xe9\"\n"
                                 "          _count = -7\n"
                                 "          chosen = null\n"
                                 "          guid = x'00ab'\n"
                                 "          name = \"A \\\"quoted\\\"\\x0aname\"\n"
                                 "  beta:\n"
                                 "    #4 PxVQObject\n"
                                 "      items:\n"
                                 "        -> #5 PxVQObject\n"
                                 "      seen:\n"
                                 "        -> #3 PxVQObject\n";
    EXPECT_EQ(Dump(*link), expected);
    std::ostringstream readOnly;
    PxRepositoryDump::WriteFile(m_repository.Path(), readOnly);
    EXPECT_EQ(readOnly.str(), expected) << "read without a session";
}

class PxRepositoryDumpBatchTest : public PxStoreTest {};

// More objects than the dump reads at a time, in a tree wide at the top and deep below: each
// stands in its place with its attributes, whichever read brought it. The objects below are
// read as many as a read takes at a time, not one list at a time.
TEST_P(PxRepositoryDumpBatchTest, ARepositoryLargerThanOneReadIsWrittenWholeInFullReads)
{
    constexpr int kParents = 3000;
    std::unique_ptr<PxVQLink> link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    link->BeginTransaction();
    std::string expected = "#2 PxLSEEnterprise\n#1 PxVQEnterprise\n  parents:\n";
    std::vector<PxObjectPtr> parents;
    for (int index = 0; index < kParents; ++index) {
        PxObjectPtr parent = enterprise->CreateMember("parents", "PxVQObject");
        parent->SetAttributeInt("n", index);
        parents.push_back(parent);
    }
    std::vector<PxObjectPtr> children;
    std::vector<PxObjectPtr> chain;
    for (int index = 0; index < kParents; ++index) {
        PxObjectPtr child = parents[static_cast<std::size_t>(index)]->CreateMember("child", "PxVQObject");
        child->SetAttributeInt("n", -index);
        children.push_back(child);
        chain.push_back(child->CreateMember("next", "PxVQObject"));
    }
    link->CommitTransaction();
    for (int index = 0; index < kParents; ++index) {
        const PxObjectPtr& parent = parents[static_cast<std::size_t>(index)];
        const PxObjectPtr& child = children[static_cast<std::size_t>(index)];
        expected += "    " + Id(parent) + " PxVQObject\n      n = " + std::to_string(index) + "\n      child:\n        " +
                    Id(child) + " PxVQObject\n          n = " + std::to_string(-index) + "\n          next:\n            " +
                    Id(chain[static_cast<std::size_t>(index)]) + " PxVQObject\n";
    }
    const std::int64_t trips = PxPgConnection::RoundTrips();
    EXPECT_EQ(Dump(*link), expected);
    if (GetParam() == PxStoreKind::Server) {
        EXPECT_LE(PxPgConnection::RoundTrips() - trips, 16) << "the roots, then the 9,000 objects in full reads of"
                                                               " 2,000, besides the lookups of the roots and the first"
                                                               " runs of the statements";
    }
}

PX_ON_BOTH_STORES(PxRepositoryDumpTest);
PX_ON_BOTH_STORES(PxRepositoryDumpBatchTest);

} // namespace
