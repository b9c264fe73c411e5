#include "TransactionTestSupport.h"

#include "model/VqsTransactionEnterprise.h"
#include "model/VqsTransactionObject.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQSystem.h"

namespace {

using Strings = std::vector<std::string>;
using Hints = std::vector<int>;

PxVQSystemPtr NewSystem(const char* name)
{
    VqsTransactionEnterprise transaction;
    return transaction.CreateSystem(name, name, "", "RT1", 0, 0);
}

} // namespace

TEST_F(TransactionTest, NestedTransactionsCommitOnceAndTheViewsHearOfItOnce)
{
    {
        VqsTransactionEnterprise outer;
        outer.CreateSystem("OUTER", "OUTER", "", "RT1", 0, 0);
        EXPECT_TRUE(app.IsTransactionPending());
        {
            NewSystem("INNER");
            Notice(21);
            EXPECT_TRUE(Link().IsInTransaction()) << "the inner end commits nothing";
            EXPECT_FALSE(Committed("INNER"));
        }
        EXPECT_TRUE(app.IsTransactionPending());
        EXPECT_EQ(Heard(), Hints{}) << "notices wait for the end of the outermost transaction";
    }
    EXPECT_TRUE(VqsTransaction::IsOk());
    EXPECT_FALSE(Link().IsInTransaction());
    EXPECT_FALSE(app.IsTransactionPending());
    EXPECT_TRUE(Committed("OUTER"));
    EXPECT_TRUE(Committed("INNER"));
    EXPECT_EQ(Heard(), Hints{21});
    EXPECT_EQ(Boxes(), Strings{});
}

TEST_F(TransactionTest, AFailureInTheInnerTransactionAbortsEverythingOnce)
{
    {
        VqsTransactionEnterprise outer;
        outer.CreateSystem("OUTER", "OUTER", "", "RT1", 0, 0);
        {
            VqsTransactionObject inner{PxVQObjectPtr()};
            EXPECT_EQ(inner.DeleteObject(), 0) << "no object: the transaction fails";
            Notice(21);
        }
        EXPECT_FALSE(outer.IsUsable()) << "failure is sticky";
        EXPECT_FALSE(outer.CreatePackInformation("PACK", 1)) << "no more writes";
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_FALSE(Link().IsInTransaction());
    EXPECT_FALSE(Committed("OUTER"));
    EXPECT_FALSE(app.GetEnterprise()->GetPackInformation("PACK"));
    EXPECT_EQ(Heard(), Hints{}) << "the notices of an aborted transaction are dropped";
    EXPECT_EQ(Boxes(), Strings{}) << "the failing step had nothing to say";

    NewSystem("AFTER");
    EXPECT_TRUE(VqsTransaction::IsOk()) << "the next outermost transaction starts afresh";
    EXPECT_TRUE(Committed("AFTER"));
}

TEST_F(TransactionTest, TheHostsOpenTransactionIsJoinedAndLeftToTheHost)
{
    std::unique_ptr<PxVQLink> hostLink = HostSession();
    hostLink->BeginTransaction();
    for (const char* operation : {"PxLink::BeginTransaction", "PxLink::CommitTransaction", "PxLink::AbortTransaction"})
        PxFaultInjection::Throw(operation, "Left to the host.");
    {
        VqsTransactionEnterprise transaction;
        EXPECT_FALSE(app.IsTransactionPending()) << "the application is not told of a joined transaction";
        EXPECT_TRUE(transaction.CreateSystem("JOINED", "JOINED", "", "RT1", 0, 0));
    }
    PxFaultInjection::Reset();
    EXPECT_TRUE(VqsTransaction::IsOk());
    EXPECT_TRUE(Link().IsInTransaction()) << "the host's transaction stays open";
    EXPECT_FALSE(Committed("JOINED"));
    hostLink->CommitTransaction();
    EXPECT_TRUE(Committed("JOINED"));

    hostLink->BeginTransaction();
    {
        VqsTransactionEnterprise transaction;
        EXPECT_TRUE(transaction.IsUsable());
        hostLink->AbortTransaction();
        EXPECT_FALSE(transaction.IsUsable()) << "the host ended its transaction meanwhile";
        EXPECT_FALSE(transaction.CreateSystem("LATE", "LATE", "", "RT1", 0, 0));
    }
    EXPECT_FALSE(Link().IsInTransaction());
    EXPECT_FALSE(Committed("LATE"));
    EXPECT_EQ(Boxes(), Strings{});
}

TEST_F(TransactionTest, ARefusedBeginIsShownAndTheTransactionDoesNothing)
{
    PxFaultInjection::Throw("PxLink::BeginTransaction", "The repository is busy.");
    PxFaultInjection::Throw("PxLink::CommitTransaction", "No commit expected.");
    PxFaultInjection::Throw("PxLink::AbortTransaction", "No abort expected.");
    {
        VqsTransactionEnterprise transaction;
        EXPECT_TRUE(app.IsTransactionPending());
        EXPECT_FALSE(transaction.CreateSystem("NEVER", "NEVER", "", "RT1", 0, 0));
        Notice(21);
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_FALSE(app.IsTransactionPending());
    EXPECT_EQ(Heard(), Hints{});
    EXPECT_FALSE(Committed("NEVER"));
    EXPECT_EQ(Boxes(), Strings{"Cannot begin transaction:\nThe repository is busy."});
}

TEST_F(TransactionTest, ARefusedCommitIsShownAndEverythingIsAborted)
{
    PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full.");
    {
        VqsTransactionEnterprise transaction;
        EXPECT_TRUE(transaction.CreateSystem("LOST", "LOST", "", "RT1", 0, 0));
        Notice(21);
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_FALSE(Link().IsInTransaction()) << "aborted after the refused commit";
    EXPECT_FALSE(app.GetEnterprise()->GetSystem("LOST"));
    EXPECT_FALSE(Committed("LOST"));
    EXPECT_EQ(Heard(), Hints{});
    EXPECT_EQ(Boxes(), Strings{"Cannot commit the transaction:\nThe disk is full."});
}

TEST_F(TransactionTest, NothingLeavesTheEndOfATransactionEvenWhenTheAbortFailsToo)
{
    PxFaultInjection::Throw("PxLink::CommitTransaction", "The disk is full.");
    PxFaultInjection::Throw("PxLink::AbortTransaction", "The repository is gone.");
    {
        VqsTransactionEnterprise transaction;
        transaction.CreateSystem("LOST", "LOST", "", "RT1", 0, 0);
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_EQ(Boxes(), Strings{"Cannot commit the transaction:\nThe disk is full."}) << "one failure, one box";
    EXPECT_FALSE(Link().IsInTransaction()) << "the abort is tried once more";
    EXPECT_FALSE(Committed("LOST"));
}

TEST_F(TransactionTest, WithoutASessionATransactionFailsAtOnce)
{
    app.CloseSession();
    vqui::ClearTranscript();
    {
        VqsTransactionEnterprise transaction;
        EXPECT_FALSE(transaction.IsUsable());
        EXPECT_FALSE(transaction.GetEnterprise());
        EXPECT_FALSE(transaction.CreateSystem("NONE", "NONE", "", "RT1", 0, 0));
        VqsTransactionObject nested{PxVQObjectPtr()};
        EXPECT_EQ(nested.DeleteObject(), 0);
    }
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_FALSE(app.IsTransactionPending());
    EXPECT_EQ(Boxes(), Strings{"Cannot access repository"});
}
