#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxTypedList.h"
#include "win/Clock.h"

#include <gtest/gtest.h>

namespace {

class PxObjectTest : public PxStoreTest {
protected:
    PxObjectTest() : m_link(PxAttach(m_repository.Path())), m_enterprise(m_link->GetLVQEnterprise()) {}

    PxVQObjectPtr NewMember(const char* role, const char* name)
    {
        PxVQObjectPtr member = m_enterprise->CreateMember(role, "PxVQObject");
        member->SetAttributeText("name", name);
        return member;
    }

    std::unique_ptr<PxVQLink> m_link;
    PxVQEnterprisePtr m_enterprise;
};

TEST_P(PxObjectTest, RootsAnswerTheirClassesAndKinds)
{
    PxLSEEnterprisePtr design = m_link->GetLSEEnterprise();
    ASSERT_TRUE(m_enterprise);
    ASSERT_TRUE(design);
    EXPECT_TRUE(m_enterprise->_IsA("PxVQEnterprise"));
    EXPECT_FALSE(m_enterprise->_IsA("PxVQObject"));
    EXPECT_TRUE(m_enterprise->_IsKindOf("PxVQObject"));
    EXPECT_TRUE(m_enterprise->_IsKindOf("PxObject"));
    EXPECT_FALSE(m_enterprise->_IsKindOf("PxLSEObject"));
    EXPECT_TRUE(design->_IsKindOf("PxLSEObject"));
    EXPECT_EQ(m_enterprise->GetObjectKind(), PxKindEnterprise);
    EXPECT_EQ(design->GetObjectKind(), 0);
    EXPECT_EQ(m_enterprise->GetLink(), m_link.get());
    EXPECT_FALSE(m_enterprise->IsSameOid(design));
    EXPECT_FALSE(m_enterprise->GetOwner());
}

TEST_P(PxObjectTest, AttributesKeepTheirValuesAndTypes)
{
    m_link->BeginTransaction();
    PxVQObjectPtr system = NewMember("systems", "SYS1");
    const unsigned char guid[4] = {0, 1, 0xFE, 0xFF};
    system->SetAttributeInt("version", 1);
    system->SetAttributeInt("version", 1234567890123LL);
    system->SetAttributeBlob("guid", guid, sizeof(guid));
    system->SetAttributeObject("enterprise", m_enterprise);
    const char* awkward = "a \"quoted\", {braced} \\ NULL\nline";
    system->SetAttributeText("description", awkward);
    system->SetAttributeText("empty", "");
    system->SetAttributeNull("owner");
    system->SetAttributeText("gone", "soon");
    system->RemoveAttribute("gone");
    m_link->CommitTransaction();
    m_link->ClearAllBuffers();

    EXPECT_EQ(system->GetAttributeText("description"), awkward);
    EXPECT_TRUE(system->HasAttribute("empty"));
    EXPECT_FALSE(system->IsAttributeNull("empty"));
    EXPECT_TRUE(system->IsAttributeNull("owner"));
    EXPECT_FALSE(system->HasAttribute("gone"));

    EXPECT_EQ(system->GetAttributeText("name"), "SYS1");
    EXPECT_EQ(system->GetStringProperty("name"), "SYS1");
    EXPECT_EQ(system->GetAttributeInt("version"), 1234567890123LL);
    EXPECT_EQ(system->GetAttributeBlob("guid"), (std::vector<BYTE>{0, 1, 0xFE, 0xFF}));
    EXPECT_TRUE(system->GetAttributeObject("enterprise")->IsSameOid(m_enterprise));
    EXPECT_FALSE(system->HasAttribute("longName"));
    EXPECT_EQ(system->GetAttributeText("longName"), "");
    EXPECT_EQ(system->GetIntProperty("missing"), 0);
}

TEST_P(PxObjectTest, ChangesNeedATransaction)
{
    try {
        m_enterprise->SetAttributeText("name", "E");
        FAIL() << "a change outside a transaction was taken";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(), "Cannot change the repository: no transaction is open.");
    }
    EXPECT_THROW(m_enterprise->CreateMember("systems", "PxVQObject"), PxException);
}

TEST_P(PxObjectTest, MembersComeInTheOrderTheyWereAdded)
{
    m_link->BeginTransaction();
    NewMember("systems", "B");
    PxVQObjectPtr a = NewMember("systems", "A");
    NewMember("hosts", "H");
    NewMember("systems", "C");
    m_link->CommitTransaction();

    const auto namesOf = [](PxTypedList<PxVQObjectPtr>& list) {
        std::string names;
        POSITION position = nullptr;
        for (list.SetIteratorToHead(position); list.IsIteratorActive(position);)
            names += list.GetNext(position)->GetAttributeText("name").GetString();
        return names;
    };
    PxTypedList<PxVQObjectPtr> systems;
    m_enterprise->GetMembers("systems", systems);
    EXPECT_EQ(namesOf(systems), "BAC");
    // Read together, the second time with the attributes the first read's use asks for.
    for (int read = 0; read < 2; ++read) {
        PxTypedList<PxVQObjectPtr> hosts;
        PxTypedList<PxVQObjectPtr> packs;
        m_enterprise->GetListsOfMembers({{"systems", &systems}, {"hosts", &hosts}, {"packs", &packs}});
        EXPECT_EQ(namesOf(systems) + "/" + namesOf(hosts) + "/" + namesOf(packs), "BAC/H/");
    }
    EXPECT_EQ(m_enterprise->CountOfMembers("systems"), 3);
    EXPECT_EQ(m_enterprise->FindMember("systems", "name", "A"), a);
    EXPECT_FALSE(m_enterprise->FindMember("systems", "name", "a"));
    EXPECT_TRUE(a->GetOwner()->IsSameOid(m_enterprise));
}

TEST_P(PxObjectTest, OneLinkGivesOneProxyObjectPerRepositoryObject)
{
    m_link->BeginTransaction();
    PxVQObjectPtr created = NewMember("systems", "S");
    m_link->CommitTransaction();
    PxTypedList<PxVQObjectPtr> systems;
    m_enterprise->GetMembers("systems", systems);
    EXPECT_EQ(systems.GetHead(), created);
    EXPECT_EQ(m_link->GetLVQEnterprise(), m_enterprise);
}

TEST_P(PxObjectTest, CreatedTimeStampComesFromTheClock)
{
    vqclock::ManualClock clock(1800000000);
    vqclock::ScopedClock scope(clock);
    m_link->BeginTransaction();
    PxVQObjectPtr first = NewMember("systems", "S1");
    clock.Advance(5000);
    PxVQObjectPtr second = NewMember("systems", "S2");
    m_link->CommitTransaction();
    EXPECT_EQ(first->GetCreatedTimeStamp(), 1800000000);
    EXPECT_EQ(second->GetCreatedTimeStamp(), 1800000005);
}

TEST_P(PxObjectTest, UnknownClassesAreRefused)
{
    m_link->BeginTransaction();
    try {
        m_enterprise->CreateMember("systems", "PxNoSuchClass");
        FAIL() << "an unknown class was created";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(), "Cannot create an object of the unknown class PxNoSuchClass.");
    }
    m_link->AbortTransaction();
}

TEST_P(PxObjectTest, DeletionTakesOwnedObjectsAlongAndEmptiesEveryList)
{
    m_link->BeginTransaction();
    PxVQObjectPtr bundle = NewMember("bundles", "B");
    PxVQObjectPtr ispec = NewMember("ispecs", "I");
    PxVQObjectPtr data = bundle->CreateMember("ispecData", "PxVQObject");
    ispec->AddMember("ispecData", data);
    m_link->CommitTransaction();
    PxObjectEdition ispecBefore = ispec->GetObjectEdition();

    m_link->BeginTransaction();
    bundle->DeleteObject();
    m_link->CommitTransaction();

    EXPECT_FALSE(bundle->ObjectPresent());
    EXPECT_FALSE(data->ObjectPresent());
    EXPECT_TRUE(ispec->ObjectPresent());
    EXPECT_EQ(ispec->CountOfMembers("ispecData"), 0);
    EXPECT_FALSE(ispecBefore.IsLatestEdition());
    EXPECT_EQ(m_enterprise->CountOfMembers("bundles"), 0);
}

// Objects deleted together: one owned by another one of them and one already gone are
// passed over, and every list that lost an entry steps its owner's edition.
TEST_P(PxObjectTest, ObjectsDeletedTogetherGoAsEachWouldGoAlone)
{
    m_link->BeginTransaction();
    std::vector<PxObjectPtr> deleting;
    std::vector<PxVQObjectPtr> ispecs;
    for (const char* name : {"B1", "B2"}) {
        PxVQObjectPtr bundle = NewMember("bundles", name);
        PxVQObjectPtr ispec = NewMember("ispecs", name);
        PxVQObjectPtr data = bundle->CreateMember("ispecData", "PxVQObject");
        ispec->AddMember("ispecData", data);
        deleting.insert(deleting.end(), {bundle, data});
        ispecs.push_back(ispec);
    }
    PxVQObjectPtr host = NewMember("hosts", "H");
    host->DeleteObject();
    deleting.push_back(host);
    m_link->CommitTransaction();
    std::vector<PxObjectEdition> before;
    for (const PxVQObjectPtr& ispec : ispecs)
        before.push_back(ispec->GetObjectEdition());

    m_link->BeginTransaction();
    PxVQObject::DeleteObjects(deleting);
    m_link->CommitTransaction();

    EXPECT_EQ(PxObject::ArePresent(deleting), std::vector<bool>(deleting.size(), false));
    for (std::size_t index = 0; index < ispecs.size(); ++index) {
        EXPECT_EQ(ispecs[index]->CountOfMembers("ispecData"), 0);
        EXPECT_FALSE(before[index].IsLatestEdition());
    }
    EXPECT_EQ(m_enterprise->CountOfMembers("bundles"), 0);
}

TEST_P(PxObjectTest, DeletingAGoneObjectSaysSo)
{
    m_link->BeginTransaction();
    PxVQObjectPtr host = NewMember("hosts", "H");
    host->DeleteObject();
    try {
        host->DeleteObject();
        FAIL() << "a second deletion passed";
    } catch (const PxException& e) {
        EXPECT_TRUE(e.IsObjectDeleted());
    }
    EXPECT_THROW(host->SetAttributeText("name", "again"), PxException);
    m_link->AbortTransaction();
}

TEST_P(PxObjectTest, ObjectsOutliveTheirLinkButReachNothing)
{
    PxVQEnterprisePtr enterprise = m_enterprise;
    m_link.reset();
    EXPECT_EQ(enterprise->GetLink(), nullptr);
    try {
        enterprise->ObjectPresent();
        FAIL() << "a closed link answered";
    } catch (const PxException& e) {
        EXPECT_EQ(e.GetErrorMessage(), "The repository link has been closed.");
    }
}

TEST_P(PxObjectTest, AListOfAnotherClassCannotBeFilled)
{
    m_link->BeginTransaction();
    NewMember("systems", "S");
    m_link->CommitTransaction();
    PxTypedList<PxVQEnterprisePtr> wrong;
    EXPECT_THROW(m_enterprise->GetMembers("systems", wrong), PxException);
}

TEST_P(PxObjectTest, ReferenceListsHoldObjectsOwnedElsewhere)
{
    m_link->BeginTransaction();
    PxVQObjectPtr group = NewMember("groups", "G");
    PxVQObjectPtr report = NewMember("reports", "R");
    group->AddMember("aliases", report);
    group->SetAttributeObject("primary", report);
    m_link->CommitTransaction();
    EXPECT_TRUE(report->GetOwner()->IsSameOid(m_enterprise)) << "a reference does not own";

    m_link->BeginTransaction();
    m_enterprise->RemoveMember("reports", report);
    EXPECT_EQ(m_enterprise->CountOfMembers("reports"), 1) << "an owning entry is not taken out";
    group->RemoveMember("aliases", report);
    EXPECT_EQ(group->CountOfMembers("aliases"), 0);
    EXPECT_TRUE(report->ObjectPresent());
    report->DeleteObject();
    EXPECT_FALSE(group->GetAttributeObject("primary")) << "a reference to a gone object reads as none";
    m_link->CommitTransaction();
}

TEST_P(PxObjectTest, ClearingBuffersReadsTheStoreAgain)
{
    int shared = 0;
    auto first = PxAttach(m_repository.Path(), "alice", &shared);
    auto second = PxAttach(m_repository.Path(), "alice", &shared);
    PxVQEnterprisePtr mine = first->GetLVQEnterprise();
    EXPECT_EQ(mine->GetAttributeText("name"), "");
    second->BeginTransaction();
    second->GetLVQEnterprise()->SetAttributeText("name", "ENTERPRISE");
    second->CommitTransaction();
    EXPECT_EQ(mine->GetAttributeText("name"), "") << "the other link's change is not in this buffer";
    first->ClearAllBuffers();
    EXPECT_EQ(mine->GetAttributeText("name"), "ENTERPRISE");
}

PX_ON_BOTH_STORES(PxObjectTest);

} // namespace
