#include "win/Collections.h"

#include <gtest/gtest.h>

TEST(CollectionsTest, ListKeepsOrderAndPositions)
{
    CStringList list;
    list.AddTail("b");
    list.AddHead("a");
    POSITION c = list.AddTail("c");
    list.InsertBefore(c, "bb");
    list.InsertAfter(c, "d");
    std::vector<std::string> seen;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        seen.push_back(list.GetNext(pos).str());
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "bb", "c", "d"}));
    EXPECT_EQ(list.GetCount(), 5);
    EXPECT_EQ(list.Find("c"), c);
    list.RemoveAt(c);
    EXPECT_EQ(list.Find("c"), nullptr);
    EXPECT_EQ(list.RemoveHead(), "a");
    EXPECT_EQ(list.RemoveTail(), "d");
    EXPECT_EQ(list.GetAt(list.FindIndex(1)), "bb");
    POSITION back = list.GetTailPosition();
    EXPECT_EQ(list.GetPrev(back), "bb");
    EXPECT_EQ(list.GetPrev(back), "b");
    EXPECT_EQ(back, nullptr);
}

TEST(CollectionsTest, ArrayGrowsInsertsAndRemoves)
{
    CUIntArray a;
    a.Add(1);
    a.Add(3);
    a.InsertAt(1, 2);
    a.SetAtGrow(4, 5);
    ASSERT_EQ(a.GetSize(), 5);
    EXPECT_EQ(a[1], 2u);
    EXPECT_EQ(a[3], 0u);
    a.RemoveAt(0, 2);
    EXPECT_EQ(a.GetSize(), 3);
    EXPECT_EQ(a[0], 3u);
    EXPECT_THROW(a.GetAt(3), std::out_of_range);
}

TEST(CollectionsTest, MapIteratesInInsertionOrder)
{
    CMap<CString, const char*, int, int> map;
    map["zeta"] = 1;
    map["alpha"] = 2;
    map.SetAt("mid", 3);
    map["zeta"] = 4;
    int value = 0;
    EXPECT_TRUE(map.Lookup("alpha", value));
    EXPECT_EQ(value, 2);
    EXPECT_FALSE(map.Lookup("none", value));
    EXPECT_TRUE(map.RemoveKey("alpha"));
    map["omega"] = 5;

    std::vector<std::pair<std::string, int>> seen;
    POSITION pos = map.GetStartPosition();
    while (pos) {
        CString key;
        map.GetNextAssoc(pos, key, value);
        seen.emplace_back(key.str(), value);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, int>>{{"zeta", 4}, {"mid", 3}, {"omega", 5}}));
}

TEST(CollectionsTest, RuntimeClassFollowsDerivation)
{
    struct Base : CObject {};
    struct Derived : Base {};
    Derived d;
    Base b;
    EXPECT_TRUE(d.IsKindOf(RUNTIME_CLASS(Base)));
    EXPECT_TRUE(d.IsKindOf(RUNTIME_CLASS(Derived)));
    EXPECT_FALSE(b.IsKindOf(RUNTIME_CLASS(Derived)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(Derived, static_cast<CObject*>(&b)), nullptr);
}
