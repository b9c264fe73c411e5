#include "model/LockTestSupport.h"

#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQSystem.h"
#include "support/ChildProcess.h"
#include "support/SampleRepository.h"

#include <stdexcept>

using vqtest::kLockProgressDialog;
using vqtest::LockSessionTest;

// Another process holds a configuration's link of the segment: the host's prepare waits,
// the user gives up in the progress dialog, and the prepare fails with no host transaction
// pending; once that process is gone the prepare succeeds.
TEST_F(LockSessionTest, APrepareFailsWhileAnotherProcessHoldsTheSegmentsLink)
{
    vqtest::SampleRepository sample;
    vqtest::ChildProcess other([&] {
        auto link = AttachOtherUser(sample.Path());
        const PxVQBSSoftLinkPtr held =
            link->GetLVQEnterprise()->GetSystem("SYS2")->GetCurConfig()->GetBSSoftLink("SALES");
        if (!held->WriteLock(0))
            throw std::runtime_error("lock");
        link.release();
    });
    ASSERT_TRUE(other.WaitReady());

    ui.WheneverDialog(kLockProgressDialog).Cancel().Wait();
    OpenSession(sample.Path());
    GateRetries();
    EXPECT_FALSE(app.PrepareForTransaction("SALES", 0));
    EXPECT_FALSE(app.IsTransactionPending());

    other.Kill();
    EXPECT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.IsTransactionPending());
    app.TransactionFailed();
    EXPECT_TRUE(Boxes().empty()) << "giving up in the progress dialog says nothing more";
    ui.Verify();
}
