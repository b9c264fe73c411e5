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
