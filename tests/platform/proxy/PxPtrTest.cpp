#include "PxTestRepository.h"

#include "proxy/PxException.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace {

class Counted : public PxRefCounted {
public:
    explicit Counted(bool& destroyed) : m_destroyed(destroyed) {}
    ~Counted() override { m_destroyed = true; }

private:
    bool& m_destroyed;
};

TEST(PxPtrTest, TheLastReferenceFreesTheObject)
{
    bool destroyed = false;
    PxPtr<Counted> first(new Counted(destroyed));
    {
        PxPtr<Counted> copy = first;
        PxPtr<Counted> moved = std::move(copy);
        first = nullptr;
        EXPECT_FALSE(destroyed);
    }
    EXPECT_TRUE(destroyed);
}

TEST(PxPtrTest, CastsKeepTheObjectOrGiveNull)
{
    auto link = PxAttach(":memory:");
    PxVQEnterprisePtr enterprise = link->GetLVQEnterprise();
    PxObjectPtr general = enterprise;
    PxVQObjectPtr generation = general;
    PxVQEnterprisePtr back = general;
    PxLSEEnterprisePtr design = general;
    EXPECT_EQ(generation, enterprise);
    EXPECT_EQ(back, enterprise);
    EXPECT_FALSE(design);
    EXPECT_TRUE(design == nullptr);
}

TEST(PxPtrTest, ReachingThroughANullPointerThrows)
{
    PxVQObjectPtr absent;
    EXPECT_FALSE(absent);
    EXPECT_TRUE(!absent);
    EXPECT_THROW(absent->ObjectPresent(), PxException);
}

TEST(PxHandleTest, HandlesOfOneObjectAreEqualAcrossLinks)
{
    PxTestRepository repository;
    auto first = PxAttach(repository.Path());
    auto second = PxAttach(repository.Path());
    PxHandle a = first->GetLVQEnterprise()->GetHandle();
    PxHandle b = second->GetLVQEnterprise()->GetHandle();
    PxHandle design = first->GetLSEEnterprise()->GetHandle();
    EXPECT_NE(first->GetLVQEnterprise(), second->GetLVQEnterprise());
    EXPECT_TRUE(first->GetLVQEnterprise()->IsSameOid(second->GetLVQEnterprise()));
    EXPECT_EQ(a, b);
    EXPECT_EQ(a.MapKey(), b.MapKey());
    EXPECT_EQ(a.Hash(), b.Hash());
    EXPECT_NE(a, design);
    std::unordered_set<PxHandle> keys{a, b, design};
    EXPECT_EQ(keys.size(), 2u);
}

TEST(PxHandleTest, DisplayStringNamesTheHandleAgain)
{
    PxHandle handle(4711);
    EXPECT_EQ(handle.GetDisplayString(1), "#4711");
    EXPECT_EQ(PxHandle::FromDisplayString("#4711"), handle);
    EXPECT_TRUE(PxHandle::FromDisplayString("#47x").IsNull());
    EXPECT_TRUE(PxHandle::FromDisplayString("4711").IsNull());
    EXPECT_TRUE(PxHandle::FromDisplayString(nullptr).IsNull());
}

TEST(PxExceptionTest, IsAReportableExceptionThatTellsAGoneObject)
{
    try {
        PX_THROW_DELETED("gone");
    } catch (const VqReportableException& e) {
        const auto* px = dynamic_cast<const PxException*>(&e);
        ASSERT_NE(px, nullptr);
        EXPECT_TRUE(px->IsObjectDeleted());
        EXPECT_EQ(e.GetFileName(), "PxPtrTest.cpp");
    }
    EXPECT_FALSE(PxException("f", 1, "t").IsObjectDeleted());
}

} // namespace
