#include "PxTestRepository.h"

#include "proxy/PxRepositoryDump.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

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

PX_ON_BOTH_STORES(PxRepositoryDumpTest);

} // namespace
