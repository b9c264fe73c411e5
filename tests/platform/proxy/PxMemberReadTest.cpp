#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxList.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxStore.h"
#include "support/ChildProcess.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

// A list read brings each member with its attributes; the members' buffers are filled from it.
class PxMemberReadTest : public PxStoreTest {
protected:
    PxVQObjectPtr NewMember(const PxObjectPtr& owner, const char* role, const char* name)
    {
        PxVQObjectPtr member = owner->CreateMember(role, "PxVQObject");
        member->SetAttributeText("name", name);
        return member;
    }
};

std::int64_t OidOf(const PxObjectPtr& object) { return static_cast<std::int64_t>(object->GetHandle().MapKey()); }

std::map<std::string, std::string> Shown(const PxAttributeBuffer& attributes)
{
    std::map<std::string, std::string> shown;
    for (const auto& [name, value] : attributes)
        shown[name] = std::to_string(value.type) + ":" + std::to_string(value.number) + ":" + value.bytes;
    return shown;
}

TEST_P(PxMemberReadTest, AListReadAnswersWhatReadsOfEachMemberAnswer)
{
    auto link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    link->BeginTransaction();
    NewMember(enterprise, "systems", "B")->SetAttributeInt("port", 21);
    PxVQObjectPtr a = NewMember(enterprise, "systems", "A");
    a->SetAttributeBlob("guid", "\0\1\2", 3);
    a->SetAttributeNull("note");
    PxVQObjectPtr gone = NewMember(enterprise, "systems", "GONE");
    PxVQObjectPtr bare = enterprise->CreateMember("systems", "PxVQObject");
    PxVQObjectPtr group = NewMember(enterprise, "groups", "G");
    group->AddMember("aliases", a);
    group->AddMember("aliases", bare);
    group->AddMember("aliases", a);
    group->AddMember("aliases", gone);
    PxVQObjectPtr emptied = NewMember(enterprise, "groups", "E");
    NewMember(emptied, "parts", "P")->DeleteObject();
    gone->DeleteObject();
    link->CommitTransaction();

    struct Case {
        const char* what;
        PxObjectPtr owner;
        const char* role;
        std::vector<PxObjectPtr> members;
    };
    const Case cases[] = {
        {"an owning list, one member deleted", enterprise, "systems",
         {enterprise->FindMember("systems", "name", "B"), a, bare}},
        {"a reference list naming a member twice", group, "aliases", {a, bare, a}},
        {"a list whose only member was deleted", emptied, "parts", {}},
        {"a role never used", enterprise, "packs", {}},
    };
    std::unique_ptr<PxStore> store = PxStore::Open(m_repository.Path());
    for (const Case& c : cases) {
        std::vector<PxMemberRead> reads = store->MembersWithAttributes(OidOf(c.owner), c.role);
        ASSERT_EQ(reads.size(), c.members.size()) << c.what;
        for (std::size_t index = 0; index < reads.size(); ++index) {
            const std::int64_t oid = OidOf(c.members[index]);
            std::optional<PxObjectRow> row = store->Row(oid);
            PxAttributeBuffer attributes;
            ASSERT_TRUE(store->LoadAttributes(oid, attributes)) << c.what;
            EXPECT_EQ(reads[index].row.oid, oid) << c.what;
            EXPECT_EQ(reads[index].row.className, row->className) << c.what;
            EXPECT_EQ(reads[index].row.created, row->created) << c.what;
            EXPECT_EQ(reads[index].row.edition, row->edition) << c.what;
            EXPECT_EQ(Shown(reads[index].attributes), Shown(attributes)) << c.what;
        }
    }
}

TEST_P(PxMemberReadTest, ListsOfManyOwnersReadTogetherAnswerWhatEachOwnersReadAnswers)
{
    auto link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    link->BeginTransaction();
    PxVQObjectPtr first = NewMember(enterprise, "groups", "FIRST");
    PxVQObjectPtr a = NewMember(first, "parts", "A");
    NewMember(first, "parts", "B")->SetAttributeInt("port", 21);
    NewMember(first, "parts", "GONE")->DeleteObject();
    PxVQObjectPtr empty = NewMember(enterprise, "groups", "EMPTY");
    PxVQObjectPtr twice = NewMember(enterprise, "groups", "TWICE");
    twice->AddMember("parts", a);
    twice->AddMember("parts", a);
    link->CommitTransaction();

    // An owner asked twice, an empty list and one that names a member twice, in any order.
    const std::vector<PxObjectPtr> owners = {twice, first, empty, first};
    const std::vector<std::vector<PxObjectPtr>> together = PxObject::MembersOf(owners, "parts");
    ASSERT_EQ(together.size(), owners.size());
    for (std::size_t index = 0; index < owners.size(); ++index) {
        PxObjectArray alone;
        owners[index]->GetMembers("parts", alone);
        ASSERT_EQ(together[index].size(), alone.size()) << index;
        for (std::size_t k = 0; k < alone.size(); ++k) {
            EXPECT_TRUE(together[index][k]->IsSameOid(alone[k])) << index << " " << k;
            EXPECT_EQ(together[index][k]->GetAttributeText("name"), alone[k]->GetAttributeText("name"));
        }
    }
    EXPECT_EQ(together[1].size(), 2u);
    EXPECT_EQ(together[0].size(), 2u);
}

TEST_P(PxMemberReadTest, AListReadBuffersEachMembersAttributesAsAReadOfItWould)
{
    auto mine = PxAttach(m_repository.Path());
    auto theirs = PxAttach(m_repository.Path(), "bob/test");
    theirs->BeginTransaction();
    PxVQObjectPtr host = NewMember(theirs->GetLVQEnterprise(), "hosts", "H1");
    theirs->CommitTransaction();

    PxObjectArray hosts;
    mine->GetLVQEnterprise()->GetMembers("hosts", hosts);
    ASSERT_EQ(hosts.size(), 1u);
    EXPECT_EQ(hosts[0]->GetAttributeText("name"), "H1");
    theirs->BeginTransaction();
    host->SetAttributeText("name", "H2");
    theirs->CommitTransaction();
    EXPECT_EQ(hosts[0]->GetAttributeText("name"), "H1") << "buffered until cleared";
    mine->GetLVQEnterprise()->GetMembers("hosts", hosts);
    EXPECT_EQ(hosts[0]->GetAttributeText("name"), "H2") << "a list read again brings the fresher data";

    theirs->BeginTransaction();
    host->SetAttributeText("name", "H3");
    theirs->CommitTransaction();
    mine->ClearAllBuffers();
    EXPECT_EQ(hosts[0]->GetAttributeText("name"), "H3");
}

TEST_P(PxMemberReadTest, ReferencesReadTogetherAnswerWhatEachReadAnswers)
{
    auto link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    link->BeginTransaction();
    PxVQObjectPtr kept = NewMember(enterprise, "hosts", "KEPT");
    PxVQObjectPtr gone = NewMember(enterprise, "hosts", "GONE");
    PxVQObjectPtr holder = NewMember(enterprise, "packs", "HOLDER");
    holder->SetAttributeObject("kept", kept);
    holder->SetAttributeObject("gone", gone);
    holder->SetAttributeObject("none", PxObjectPtr());
    holder->SetAttributeInt("neverStored", 1000000);
    gone->DeleteObject();
    link->CommitTransaction();

    const std::vector<std::string> names = {"kept", "gone", "none", "neverStored", "name", "absent", "kept"};
    std::vector<PxObjectPtr> together = holder->GetAttributeObjects(names);
    ASSERT_EQ(together.size(), names.size());
    for (std::size_t index = 0; index < names.size(); ++index)
        EXPECT_EQ(together[index], holder->GetAttributeObject(names[index].c_str())) << names[index];
    EXPECT_EQ(together[0], kept);
    EXPECT_TRUE(holder->RefersTo("kept", kept));
    EXPECT_FALSE(holder->RefersTo("gone", gone)) << "a gone object is referred to by none";
    EXPECT_FALSE(holder->RefersTo("kept", gone));
    EXPECT_FALSE(holder->RefersTo("kept", PxObjectPtr()));
}

TEST_P(PxMemberReadTest, OneReferenceOfManyObjectsReadTogetherAnswersWhatEachReadAnswers)
{
    auto link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    link->BeginTransaction();
    PxVQObjectPtr kept = NewMember(enterprise, "hosts", "KEPT");
    PxVQObjectPtr gone = NewMember(enterprise, "hosts", "GONE");
    std::vector<PxObjectPtr> holders;
    for (const PxObjectPtr& target : {PxObjectPtr(kept), PxObjectPtr(gone), PxObjectPtr(), PxObjectPtr(kept)}) {
        holders.push_back(NewMember(enterprise, "packs", "HOLDER"));
        holders.back()->SetAttributeObject("target", target);
    }
    holders.push_back(NewMember(enterprise, "packs", "WITHOUT"));
    gone->DeleteObject();
    link->CommitTransaction();

    const std::vector<PxObjectPtr> together = PxObject::AttributeObjectsOf(holders, "target");
    ASSERT_EQ(together.size(), holders.size());
    for (std::size_t index = 0; index < holders.size(); ++index)
        EXPECT_EQ(together[index], holders[index]->GetAttributeObject("target")) << index;
    EXPECT_EQ(together, (std::vector<PxObjectPtr>{kept, PxObjectPtr(), PxObjectPtr(), kept, PxObjectPtr()}));
}

// Lists read together by a link that has not used their members' attributes since its last
// read of that role come without them: the first use of one member reads those of every member
// of the lists, in one read; once used, the next lists read together bring them along.
TEST_P(PxMemberReadTest, ListsReadTogetherBringTheirMembersAttributesAtTheFirstUseOfOne)
{
    auto writer = PxAttach(m_repository.Path());
    writer->BeginTransaction();
    std::vector<PxObjectPtr> owners;
    for (const char* group : {"G1", "G2"}) {
        owners.push_back(NewMember(writer->GetLVQEnterprise(), "groups", group));
        for (const char* part : {"A", "B"})
            NewMember(owners.back(), "parts", (std::string(group) + part).c_str());
    }
    writer->CommitTransaction();
    auto reader = PxAttach(m_repository.Path(), "bob/test");
    PxObjectArray read;
    reader->GetLVQEnterprise()->GetMembers("groups", read);
    const std::vector<PxObjectPtr> groups(read.begin(), read.end());
    const bool server = GetParam() == PxStoreKind::Server;
    const auto tripsOf = [&](const std::function<void()>& step) {
        const std::int64_t before = PxPgConnection::RoundTrips();
        step();
        return server ? PxPgConnection::RoundTrips() - before : 0;
    };

    std::vector<std::vector<PxObjectPtr>> lists;
    tripsOf([&] { lists = PxObject::MembersOf(groups, "parts"); });
    std::vector<std::string> names;
    EXPECT_EQ(tripsOf([&] { names.push_back(lists[1][1]->GetAttributeText("name").GetString()); }), server ? 1 : 0);
    EXPECT_EQ(tripsOf([&] {
                  for (const PxObjectPtr& part : {lists[0][0], lists[0][1], lists[1][0]})
                      names.push_back(part->GetAttributeText("name").GetString());
              }),
              0)
        << "read with the first";
    EXPECT_EQ(names, (std::vector<std::string>{"G2B", "G1A", "G1B", "G2A"}));

    tripsOf([&] { lists = PxObject::MembersOf(groups, "parts"); });
    EXPECT_EQ(tripsOf([&] { lists[0][1]->GetAttributeText("name"); }), 0) << "read with the lists";
}

// The attribute that refers to another object, of objects whose attributes are not buffered, is
// read alone for all of them together; a gone object fails as reading its attributes fails.
TEST_P(PxMemberReadTest, OneReferenceOfObjectsNotBufferedIsReadAloneForAllTogether)
{
    auto writer = PxAttach(m_repository.Path());
    writer->BeginTransaction();
    PxVQObjectPtr target = NewMember(writer->GetLVQEnterprise(), "hosts", "TARGET");
    for (const char* name : {"TO", "NOWHERE", "GOING"}) {
        PxVQObjectPtr holder = NewMember(writer->GetLVQEnterprise(), "packs", name);
        holder->SetAttributeObject("target", std::string(name) == "NOWHERE" ? PxObjectPtr() : PxObjectPtr(target));
    }
    writer->CommitTransaction();
    auto reader = PxAttach(m_repository.Path(), "bob/test");
    PxObjectArray holders;
    reader->GetLVQEnterprise()->GetMembers("packs", holders);
    ASSERT_EQ(holders.size(), 3u);

    const std::int64_t before = PxPgConnection::RoundTrips();
    const std::vector<PxObjectPtr> targets = PxObject::AttributeObjectsOf(holders, "target");
    if (GetParam() == PxStoreKind::Server) {
        EXPECT_EQ(PxPgConnection::RoundTrips() - before, 2) << "the references, then the presence of what they name";
    }
    ASSERT_EQ(targets.size(), 3u);
    EXPECT_TRUE(targets[0] && targets[0]->IsSameOid(target));
    EXPECT_FALSE(targets[1]);
    EXPECT_TRUE(targets[2] && targets[2]->IsSameOid(target));
    EXPECT_EQ(holders[1]->GetAttributeText("name"), "NOWHERE") << "the other attributes read at their use";

    writer->BeginTransaction();
    PxVQObjectPtr(writer->GetLVQEnterprise()->FindMember("packs", "name", "GOING"))->DeleteObject();
    writer->CommitTransaction();
    reader->ClearAllBuffers();
    try {
        PxObject::AttributeObjectsOf(holders, "target");
        FAIL() << "the reference of a gone object was read";
    } catch (const PxException& e) {
        EXPECT_TRUE(e.IsObjectDeleted());
    }
}

TEST_P(PxMemberReadTest, PresenceAskedTogetherAnswersWhatEachAskAnswers)
{
    auto mine = PxAttach(m_repository.Path());
    auto theirs = PxAttach(m_repository.Path(), "bob/test");
    mine->BeginTransaction();
    PxVQObjectPtr kept = NewMember(mine->GetLVQEnterprise(), "hosts", "KEPT");
    PxVQObjectPtr deleted = NewMember(mine->GetLVQEnterprise(), "hosts", "DELETED");
    mine->CommitTransaction();
    mine->BeginTransaction();
    PxVQObjectPtr aborted = NewMember(mine->GetLVQEnterprise(), "hosts", "ABORTED");
    mine->AbortTransaction();
    theirs->BeginTransaction();
    PxVQObjectPtr(theirs->GetLVQEnterprise()->FindMember("hosts", "name", "DELETED"))->DeleteObject();
    theirs->CommitTransaction();
    PxVQObjectPtr theirKept = theirs->GetLVQEnterprise()->FindMember("hosts", "name", "KEPT");

    const std::vector<PxObjectPtr> objects = {kept, deleted, aborted, theirKept, kept, mine->GetLVQEnterprise()};
    const std::vector<bool> present = PxObject::ArePresent(objects);
    ASSERT_EQ(present.size(), objects.size());
    for (std::size_t index = 0; index < objects.size(); ++index)
        EXPECT_EQ(present[index], objects[index]->ObjectPresent() != FALSE) << index;
    EXPECT_EQ(present, (std::vector<bool>{true, false, false, true, true, true}));
}

// Objects refreshed together: those another session changed or deleted are read again; the
// others keep what they buffered, which is what is stored.
TEST_P(PxMemberReadTest, ObjectsRefreshedTogetherReadAgainWhatAnotherSessionChanged)
{
    auto mine = PxAttach(m_repository.Path());
    auto theirs = PxAttach(m_repository.Path(), "bob/test");
    mine->BeginTransaction();
    PxVQObjectPtr kept = NewMember(mine->GetLVQEnterprise(), "hosts", "KEPT");
    PxVQObjectPtr renamed = NewMember(mine->GetLVQEnterprise(), "hosts", "OLD");
    PxVQObjectPtr deleted = NewMember(mine->GetLVQEnterprise(), "hosts", "DELETED");
    mine->CommitTransaction();
    for (const PxVQObjectPtr& host : {kept, renamed, deleted})
        host->GetAttributeText("name");
    theirs->BeginTransaction();
    PxVQObjectPtr(theirs->GetLVQEnterprise()->FindMember("hosts", "name", "OLD"))->SetAttributeText("name", "NEW");
    PxVQObjectPtr(theirs->GetLVQEnterprise()->FindMember("hosts", "name", "DELETED"))->DeleteObject();
    theirs->CommitTransaction();

    const std::vector<PxFound> found = PxObject::RefreshChanged({kept, renamed, deleted});

    EXPECT_EQ(found, (std::vector<PxFound>{PxFound::Unchanged, PxFound::Changed, PxFound::Gone}));
    EXPECT_EQ(kept->GetAttributeText("name"), "KEPT");
    EXPECT_EQ(renamed->GetAttributeText("name"), "NEW");
    EXPECT_FALSE(deleted->ObjectPresent());
    EXPECT_EQ(PxObject::RefreshChanged({kept, renamed}), (std::vector<PxFound>(2, PxFound::Unchanged)));
}

TEST_P(PxMemberReadTest, ListsCountedTogetherAnswerWhatEachCountAnswers)
{
    auto link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    link->BeginTransaction();
    PxVQObjectPtr two = NewMember(enterprise, "groups", "TWO");
    NewMember(two, "aliases", "A1");
    NewMember(two, "aliases", "A2");
    NewMember(two, "parts", "P1");
    PxVQObjectPtr emptied = NewMember(enterprise, "groups", "EMPTIED");
    NewMember(emptied, "aliases", "GONE")->DeleteObject();
    PxVQObjectPtr none = NewMember(enterprise, "groups", "NONE");
    link->CommitTransaction();

    const std::vector<PxObjectPtr> objects = {two, emptied, none, two};
    const std::vector<int> counts = PxObject::CountsOfMembers(objects, "aliases");
    ASSERT_EQ(counts.size(), objects.size());
    for (std::size_t index = 0; index < objects.size(); ++index)
        EXPECT_EQ(counts[index], objects[index]->CountOfMembers("aliases")) << index;
    EXPECT_EQ(counts, (std::vector<int>{2, 0, 0, 2}));
}

// A transaction that read a list's members before its first change is refused when another
// process changed one of them meanwhile, and only then.
TEST_P(PxMemberReadTest, AnotherProcessesChangeOfAMemberReadWithItsListIsSeenAtTheFirstWrite)
{
    const PxTestRepository& repository = m_repository;
    {
        auto setup = PxAttach(repository.Path());
        setup->BeginTransaction();
        NewMember(setup->GetLVQEnterprise(), "hosts", "H1");
        NewMember(setup->GetLVQEnterprise(), "hosts", "H2");
        NewMember(setup->GetLVQEnterprise(), "packs", "P1");
        setup->CommitTransaction();
    }
    std::unique_ptr<PxVQLink> other;
    auto rename = [&](const char* role, const char* name) {
        other->BeginTransaction();
        other->GetLVQEnterprise()->FindMember(role, "name", name)->SetAttributeText("name", (std::string(name) + "X").c_str());
        other->CommitTransaction();
    };
    vqtest::ChildProcess child({[&] { other = PxAttach(repository.Path(), "child/writer"); },
                                [&] { rename("hosts", "H2"); }, [&] { rename("hosts", "H1"); },
                                [&] { rename("packs", "P1"); }});
    ASSERT_TRUE(child.WaitReady());

    auto link = PxAttach(repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    // Each transaction lists the hosts and reads the second one's name; then the other
    // process renames an object.
    struct Case {
        const char* what;
        bool refused;
    };
    const Case cases[] = {{"the member of the list whose name was read", true},
                          {"a member of the list whose attributes were not used", false},
                          {"an object outside the list", false}};
    for (const Case& c : cases) {
        link->BeginTransaction();
        PxObjectArray hosts;
        enterprise->GetMembers("hosts", hosts);
        ASSERT_EQ(hosts.size(), 2u);
        EXPECT_EQ(hosts[1]->GetAttributeText("name").Left(2), "H2");
        ASSERT_TRUE(child.RunNextStep()) << c.what;
        try {
            enterprise->SetAttributeText("note", c.what);
            EXPECT_FALSE(c.refused) << c.what;
            link->CommitTransaction();
        } catch (const PxException& e) {
            EXPECT_TRUE(c.refused) << c.what;
            const std::string refusal = "Cannot change the repository: another session has changed what this "
                                        "transaction read. The transaction was rolled back.";
            EXPECT_EQ(std::string(e.GetErrorMessage()), refusal);
            PxExpectFailedUntilCommitted(*link, refusal);
        }
    }
    child.Finish();
}

// Two processes each add one to a member's count. Whatever the order of this transaction's
// list read, its first write, its use of the count and the other process's increment, and
// whether the members' data comes with the list or at the first use of one, both
// increments are kept, or this transaction is refused and the other's alone is.
TEST_P(PxMemberReadTest, AnIncrementAfterAListReadNeverLosesAnotherProcesssIncrement)
{
    {
        auto setup = PxAttach(m_repository.Path());
        setup->BeginTransaction();
        for (const char* name : {"M0", "M1", "M2"})
            NewMember(setup->GetLVQEnterprise(), "hosts", name);
        setup->CommitTransaction();
    }
    // A list's members' data comes with it when a member of the list read before was used.
    const struct {
        const char* what;
        bool previousUsed;
    } readings[] = {{"data read with the list", true}, {"data read at first use", false}};
    enum Step { ListBeforeBegin, List, UseFirst, Other, Write, Use };
    struct Case {
        const char* what;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        {"the other increments between the list read and the first write", {List, Other, Write, Use}},
        {"the count is used before the other increments", {List, Use, Other, Write}},
        {"the other increments before the count is used and written", {List, Other, Use, Write}},
        {"another member is used before the other increments", {List, UseFirst, Other, Write, Use}},
        {"another member is used after the first write", {List, Other, Write, UseFirst, Use}},
        {"the list is read before the transaction begins", {ListBeforeBegin, UseFirst, Other, Write, Use}},
    };
    std::unique_ptr<PxVQLink> other;
    std::vector<std::function<void()>> childSteps = {[&] { other = PxAttach(m_repository.Path(), "child/writer"); }};
    for (std::size_t round = 0; round < std::size(readings) * std::size(cases); ++round)
        childSteps.push_back([&] {
            other->BeginTransaction();
            PxObjectPtr member = other->GetLVQEnterprise()->FindMember("hosts", "name", "M1");
            member->SetAttributeInt("count", member->GetAttributeInt("count") + 1);
            other->CommitTransaction();
        });
    vqtest::ChildProcess child(childSteps);
    ASSERT_TRUE(child.WaitReady());

    auto link = PxAttach(m_repository.Path());
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    auto count = [&] { return PxObjectPtr(enterprise->FindMember("hosts", "name", "M1"))->GetAttributeInt("count"); };
    for (const auto& reading : readings) {
        for (const Case& c : cases) {
            const std::string what = std::string(reading.what) + ": " + c.what;
            link->BeginTransaction();
            PxObjectPtr(enterprise->FindMember("hosts", "name", "M1"))->SetAttributeInt("count", 5);
            link->CommitTransaction();
            PxObjectArray members;
            enterprise->GetMembers("hosts", members);
            if (reading.previousUsed)
                members[2]->GetAttributeText("name");

            std::optional<std::int64_t> read;
            try {
                for (Step step : c.steps) {
                    if (step == ListBeforeBegin || step == List) {
                        if (step == List)
                            link->BeginTransaction();
                        enterprise->GetMembers("hosts", members);
                        if (step == ListBeforeBegin)
                            link->BeginTransaction();
                    } else if (step == UseFirst) {
                        EXPECT_EQ(members[0]->GetAttributeText("name"), "M0") << what;
                    } else if (step == Other) {
                        ASSERT_TRUE(child.RunNextStep()) << what;
                    } else if (step == Write) {
                        enterprise->SetAttributeText("note", what.c_str());
                    } else {
                        read = members[1]->GetAttributeInt("count");
                    }
                }
                members[1]->SetAttributeInt("count", *read + 1);
                link->CommitTransaction();
            } catch (const PxException& e) {
                EXPECT_EQ(e.GetErrorMessage(), "Cannot change the repository: another session has changed what this "
                                               "transaction read. The transaction was rolled back.")
                    << what;
                link->AbortTransaction();
                link->ClearAllBuffers();
                EXPECT_EQ(count(), 6) << what;
                continue;
            }
            link->ClearAllBuffers();
            EXPECT_EQ(count(), 7) << what << ": both increments kept";
        }
    }
    child.Finish();
}

PX_ON_BOTH_STORES(PxMemberReadTest);

} // namespace
