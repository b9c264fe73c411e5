#include "PxTestRepository.h"

#include "proxy/PxTypedList.h"

#include <gtest/gtest.h>

namespace {

class PxListTest : public PxStoreTest {
protected:
    PxListTest() : m_link(PxAttach(m_repository.Path())), m_enterprise(m_link->GetLVQEnterprise())
    {
        m_link->BeginTransaction();
        for (const char* name : {"one", "two", "three"})
            m_enterprise->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", name);
        m_link->CommitTransaction();
    }

    std::unique_ptr<PxVQLink> m_link;
    PxVQEnterprisePtr m_enterprise;
};

std::string NamesOf(PxList& list)
{
    std::string names;
    POSITION position = nullptr;
    for (list.SetIteratorToHead(position); list.IsIteratorActive(position);)
        names += list.GetCurItToNext(position)->GetAttributeText("name").GetString() + std::string(" ");
    return names;
}

// A transaction that added to a list and was aborted leaves no position behind: another
// session's later entries and its own next ones go to the end, in order.
TEST_P(PxListTest, EntriesGoToTheEndOfTheListAfterAnAbortedFillAndAnotherSessionsEntries)
{
    std::unique_ptr<PxVQLink> other = PxAttach(m_repository.Path(), "bob/test");
    PxVQEnterprisePtr theirs = other->GetLVQEnterprise();
    auto add = [](const PxVQEnterprisePtr& enterprise, const char* name) {
        enterprise->CreateMember("hosts", "PxVQObject")->SetAttributeText("name", name);
    };
    m_link->BeginTransaction();
    add(m_enterprise, "aborted");
    m_link->AbortTransaction();
    other->BeginTransaction();
    add(theirs, "four");
    add(theirs, "five");
    other->CommitTransaction();
    m_link->BeginTransaction();
    add(m_enterprise, "six");
    add(m_enterprise, "seven");
    m_link->CommitTransaction();
    PxTypedList<PxVQObjectPtr> hosts;
    m_enterprise->GetMembers("hosts", hosts);
    EXPECT_EQ(NamesOf(hosts), "one two three four five six seven ");
}

TEST_P(PxListTest, AnEmptyListGivesNoHead)
{
    PxTypedList<PxVQObjectPtr> empty;
    m_enterprise->GetMembers("nothing", empty);
    POSITION position = reinterpret_cast<POSITION>(1);
    EXPECT_FALSE(empty.SetIteratorToHead(position));
    EXPECT_FALSE(empty.IsIteratorActive(position));
}

TEST_P(PxListTest, FillingEmptiesTheListFirst)
{
    PxTypedList<PxVQObjectPtr> hosts;
    m_enterprise->GetMembers("hosts", hosts);
    m_enterprise->GetMembers("hosts", hosts);
    EXPECT_EQ(hosts.GetCount(), 3);
    EXPECT_EQ(NamesOf(hosts), "one two three ");
}

TEST_P(PxListTest, ArraysAreFilledInTheSameOrder)
{
    PxTypedArray<PxObjectPtr> hosts;
    m_enterprise->GetMembers("hosts", hosts);
    ASSERT_EQ(hosts.GetSize(), 3);
    EXPECT_EQ(hosts[2]->GetAttributeText("name"), "three");
}

TEST_P(PxListTest, AListOfPointersToSmartPointersIsWalkedThroughThem)
{
    PxTypedList<PxVQObjectPtr> hosts;
    m_enterprise->GetMembers("hosts", hosts);
    PxTypedList<PxVQObjectPtr*> pointers;
    for (POSITION position = hosts.GetHeadPosition(); position;)
        pointers.AddTail(new PxVQObjectPtr(hosts.CList::GetNext(position)));
    EXPECT_EQ(NamesOf(pointers), "one two three ");
    POSITION position = pointers.GetHeadPosition();
    EXPECT_EQ(*pointers.GetNext(position), hosts.GetHead());
    for (POSITION each = pointers.GetHeadPosition(); each;)
        delete pointers.CList::GetNext(each);
    EXPECT_THROW(m_enterprise->GetMembers("hosts", pointers), PxException);
}

TEST_P(PxListTest, ElementsHoldTheirObjectsUntilRemoved)
{
    PxVQObjectPtr first;
    {
        PxTypedList<PxVQObjectPtr> hosts;
        m_enterprise->GetMembers("hosts", hosts);
        first = hosts.GetHead();
        hosts.RemoveAll();
        EXPECT_TRUE(first->ObjectPresent());
    }
    EXPECT_EQ(first->GetAttributeText("name"), "one");
}

PX_ON_BOTH_STORES(PxListTest);

} // namespace
