#include "PxTestRepository.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"

#include <gtest/gtest.h>

namespace {

class PxFaultInjectionTest : public ::testing::Test {
protected:
    PxFaultInjectionTest() : m_link(PxAttach(":memory:")), m_enterprise(m_link->GetLVQEnterprise()) {}
    ~PxFaultInjectionTest() override { PxFaultInjection::Reset(); }

    std::unique_ptr<PxVQLink> m_link;
    PxVQEnterprisePtr m_enterprise;
};

TEST_F(PxFaultInjectionTest, TheChosenCallFailsAfterTheSkippedOnes)
{
    PxFaultInjection::Throw("PxObject::ObjectPresent", "gone for the test", 1, 2);
    EXPECT_TRUE(m_enterprise->ObjectPresent());
    for (int i = 0; i < 2; ++i) {
        try {
            m_enterprise->ObjectPresent();
            FAIL() << "call " << i << " passed";
        } catch (const VqReportableException& e) {
            EXPECT_EQ(e.GetErrorMessage(), "gone for the test");
        }
    }
    EXPECT_TRUE(m_enterprise->ObjectPresent());
}

TEST_F(PxFaultInjectionTest, AnyOperationCanBeNamedAndTheQueryCanBeSet)
{
    PxFaultInjection::Throw("*", "third call", 2, 1, true);
    m_enterprise->ObjectPresent();
    m_enterprise->GetAttributeText("name");
    try {
        m_link->BeginTransaction();
        FAIL() << "the third call passed";
    } catch (const PxException& e) {
        EXPECT_TRUE(e.IsObjectDeleted());
    }
    EXPECT_FALSE(m_link->IsInTransaction());
}

TEST_F(PxFaultInjectionTest, ResetDisarmsEverything)
{
    PxFaultInjection::Throw("PxLink::BeginTransaction");
    PxFaultInjection::RefuseLock("PxVQObject::WriteLock", PxLockRefused);
    PxFaultInjection::Reset();
    m_link->BeginTransaction();
    m_link->AbortTransaction();
    EXPECT_TRUE(m_enterprise->WriteLock(0));
}

} // namespace
