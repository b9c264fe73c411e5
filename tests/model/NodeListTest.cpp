#include "model/VqsModelNodeList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class Leaf : public VqsModelNode {
public:
    explicit Leaf(char name) : VqsModelNode(nullptr, nullptr), name(name) {}
    PxVQObjectPtr GetObject() const override { return nullptr; }
    int LockPath(VqsLockBag&, const PxVQObjectPtr&) override { return 1; }
    int GetKind() const override { return 0; }
    char name;
};

std::string Order(const VqsNodeList<Leaf>& list)
{
    std::string order;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        order += list.GetNext(pos)->name;
    return order;
}

} // namespace

TEST(NodeListTest, PlacingANodeKeepsTheRepositoryOrder)
{
    struct Case {
        char node;
        char after; // 0: none; '?': a node not in the list
        const char* expected;
    };
    const Case cases[] = {
        {'C', 'A', "ACB"}, // moved right after its predecessor
        {'B', 'A', "ABC"}, // already there: unchanged
        {'A', 0, "ABC"},   // already the head
        {'C', 0, "CAB"},   // to the head
        {'D', 'B', "ABDC"},  // a new node after its predecessor
        {'D', 0, "DABC"},    // a new first node
        {'D', '?', "DABC"},  // a predecessor not in the list counts as none
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.node) + " after " + (c.after ? std::string(1, c.after) : "none"));
        Leaf a('A'), b('B'), cNode('C'), d('D'), stray('?');
        VqsNodeList<Leaf> list;
        list.AddTail(&a);
        list.AddTail(&b);
        list.AddTail(&cNode);
        auto byName = [&](char name) -> Leaf* {
            for (Leaf* leaf : {&a, &b, &cNode, &d, &stray}) {
                if (leaf->name == name)
                    return leaf;
            }
            return nullptr;
        };
        VqsPlaceNodeAfter(list, byName(c.node), byName(c.after));
        EXPECT_EQ(Order(list), c.expected);
        list.RemoveAll();
    }
}

// Every way a list changes keeps each node findable at its place, so that a node is unlinked
// wherever it stands and whatever happened to the list before.
TEST(NodeListTest, ANodeIsFoundAndUnlinkedAfterEveryKindOfChange)
{
    struct Case {
        const char* change;
        const char* unlinked; // in this order
        const char* expected;
    };
    const Case cases[] = {
        {"tail", "B", "ACD"},     {"head", "DA", "BC"},   {"after", "CB", "AD"}, {"before", "AD", "BC"},
        {"removeHead", "CB", "D"}, {"removeTail", "AB", "D"}, {"replace", "DB", "AC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        Leaf a('A'), b('B'), cNode('C'), d('D');
        Leaf* leaves[] = {&a, &b, &cNode, &d};
        VqsNodeList<Leaf> list;
        list.AddTail(&a);
        list.AddTail(&b);
        list.AddTail(&cNode);
        const std::string change = c.change;
        if (change == "tail")
            list.AddTail(&d);
        else if (change == "head")
            list.AddHead(&d);
        else if (change == "after")
            list.InsertAfter(list.PositionOf(&b), &d);
        else if (change == "before")
            list.InsertBefore(list.PositionOf(&b), &d);
        else if (change == "removeHead")
            list.RemoveHead(), list.AddTail(&d);
        else if (change == "removeTail")
            list.RemoveTail(), list.AddTail(&d);
        else if (change == "replace")
            list.SetAt(list.PositionOf(&cNode), &d), list.AddTail(&cNode);
        for (const char* name = c.unlinked; *name; ++name) {
            Leaf* leaf = leaves[*name - 'A'];
            ASSERT_TRUE(list.PositionOf(leaf)) << *name << " is listed";
            EXPECT_TRUE(list.Unlink(leaf));
            EXPECT_FALSE(list.PositionOf(leaf)) << *name << " is gone";
        }
        EXPECT_EQ(Order(list), c.expected);
        list.RemoveAll();
    }
}
