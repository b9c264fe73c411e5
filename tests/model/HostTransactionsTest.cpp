#include "ModelTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "model/VqsBSPackReplacement.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxLocking.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/VqcSyncPair.h"
#include "model/VqsSyncDlgs.h"
#include "model/VqsTransactionWrite.h"
#include "support/RefusedLockWrites.h"
#include "support/ScriptedUiDriver.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// The user's answer to the question which element links in the way are to be deleted.
enum Button { None, DeleteSelection, KeepAll, Cancel };

struct HostTransactionsTest : ModelTest {
    void TearDown() override
    {
        if (app.IsTransactionPending())
            app.TransactionFailed();
        ModelTest::TearDown();
    }

    template <class Write>
    void InRepository(Write write)
    {
        app.GetLink()->BeginTransaction();
        write();
        app.GetLink()->CommitTransaction();
    }

    // What another user reads of the element link now.
    bool OtherSeesElement(const char* system, const char* segment, const char* element) const
    {
        auto other = OtherUser();
        return other->GetLVQEnterprise()->GetSystem(system)->GetCurConfig()->GetBSSoftLink(segment)->GetElementSoftLink(
                   element) != nullptr;
    }

    bool OtherCanWriteSegment(const char* system, const char* segment) const
    {
        auto other = OtherUser();
        const PxVQBSSoftLinkPtr link = other->GetLVQEnterprise()->GetSystem(system)->GetCurConfig()->GetBSSoftLink(segment);
        if (!link->WriteLock(0).Succeeded())
            return false;
        link->UnLock();
        return true;
    }

    std::vector<std::string> BundlesOf(const char* system, const char* ispec) const
    {
        std::vector<std::string> names;
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        PxVQIspecSoftLinkPtr(Element(system, "SALES", ispec))->GetListOfIspecBundleData(entries);
        for (POSITION pos = entries.GetHeadPosition(); pos;)
            names.emplace_back(entries.GetNext(pos)->GetBundleInformation()->GetName());
        return names;
    }

    // One host transaction on SALES in the synchronisation mode, the user's answer queued:
    // closed when the call succeeds, failed otherwise. The call's answer comes back.
    template <class Call>
    BOOL InHostTransaction(int mode, Button button, Call call)
    {
        app.SetSynchronizeMode(mode);
        // The driver refuses any message box, and any dialog but the one expected.
        vqtest::ScriptedUiDriver driver;
        if (button == DeleteSelection)
            driver.ExpectDialog(199).Click(1058).OK();
        else if (button == KeepAll)
            driver.ExpectDialog(199).Press(IDKEEPALL);
        else if (button == Cancel)
            driver.ExpectDialog(199).Press(IDCANCEL);
        EXPECT_TRUE(app.PrepareForTransaction("SALES", 0));
        const BOOL answer = call();
        if (answer)
            app.TransactionClosed();
        else
            app.TransactionFailed();
        driver.Verify();
        return answer;
    }

    void SetGlobalLogicId(const char* name, int id)
    {
        InRepository([&] { PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", name))->SetGLGUniqueID(id); });
    }
};

} // namespace

TEST_F(HostTransactionsTest, APrepareWithoutSegmentOnlyMarksTheHostTransactionPending)
{
    EXPECT_TRUE(app.PrepareForTransaction("", 0));
    EXPECT_TRUE(app.IsTransactionPending());
    app.TransactionClosed();
    EXPECT_FALSE(app.IsTransactionPending());
}

TEST_F(HostTransactionsTest, ARenamedReportIsRenamedInEveryConfigurationAndTheViewsHearOfItAtTheClose)
{
    ASSERT_TRUE(app.PrepareForTransaction("sales", 0));
    TakeHints();
    EXPECT_TRUE(app.Rename("LSEREPORT", "MONTHEND", "MONTHLY", "SALES"));
    EXPECT_TRUE(Element("SYS1", "SALES", "MONTHEND"));
    EXPECT_TRUE(Element("SYS2", "SALES", "MONTHEND"));
    EXPECT_FALSE(Element("SYS1", "SALES", "MONTHLY"));
    EXPECT_TRUE(TakeHints().empty()) << "the notices wait for the host's transaction";

    app.TransactionClosed();
    EXPECT_FALSE(TakeHints().empty());
    EXPECT_TRUE(OtherSeesElement("SYS2", "SALES", "MONTHEND"));
}

TEST_F(HostTransactionsTest, AFailedHostTransactionLeavesTheRepositoryAndTheViewsAsTheyWere)
{
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    TakeHints();
    ASSERT_TRUE(app.Rename("lsereport", "MONTHEND", "MONTHLY", "SALES"));
    app.TransactionFailed();
    EXPECT_TRUE(TakeHints().empty());
    EXPECT_TRUE(Element("SYS1", "SALES", "MONTHLY"));
    EXPECT_FALSE(Element("SYS1", "SALES", "MONTHEND"));
}

// A step of the user's own inside the pending host transaction is whole on its own: one that
// fails undoes what it wrote, and the host's steps before and after it stand.
TEST_F(HostTransactionsTest, AUsersStepThatFailsInThePendingHostTransactionUndoesOnlyWhatItWrote)
{
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    ASSERT_TRUE(app.Rename("lsereport", "MONTHEND", "MONTHLY", "SALES"));
    VqsWriteInTransaction([&](VqsTransaction& transaction) {
        if (transaction.IsUsable())
            System("SYS2")->SetDescription("changed by a step that failed");
        transaction.SetFailed();
        return 0;
    });
    EXPECT_FALSE(VqsTransaction::IsOk());
    EXPECT_TRUE(app.Rename("lsereport", "YEAREND", "DAILY", "SALES"));
    app.TransactionClosed();
    EXPECT_TRUE(OtherSeesElement("SYS2", "SALES", "MONTHEND"));
    EXPECT_TRUE(OtherSeesElement("SYS2", "SALES", "YEAREND"));
    EXPECT_NE(OtherUser()->GetLVQEnterprise()->GetSystem("SYS2")->GetDescription(), "changed by a step that failed");
}

TEST_F(HostTransactionsTest, ARenameOntoANameALinkHasReplacesThatLink)
{
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    ASSERT_TRUE(app.Rename("lsereport", "DAILY", "MONTHLY", "SALES"));
    app.TransactionClosed();
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(links);
    int daily = 0;
    for (POSITION pos = links.GetHeadPosition(); pos;)
        daily += links.GetNext(pos)->GetName() == "DAILY" ? 1 : 0;
    EXPECT_EQ(daily, 1);
    EXPECT_FALSE(Element("SYS1", "SALES", "MONTHLY"));
}

TEST_F(HostTransactionsTest, KeywordsChangeNothing)
{
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Rename("LSEKEYWORD", "STREET", "ADDRESS", "SALES"));
    EXPECT_TRUE(app.Create("lsekeyword", "STREET", "SALES"));
    app.TransactionClosed();
    EXPECT_TRUE(Element("SYS1", "SALES", "MONTHLY"));
}

TEST_F(HostTransactionsTest, TheIdleHookKeepsThePreparedLinksWhileTheHostTransactionIsPending)
{
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_FALSE(OtherCanWriteSegment("SYS1", "SALES"));
    app.OnHostIdle();
    EXPECT_TRUE(app.Rename("lsereport", "MONTHEND", "MONTHLY", "SALES"));
    EXPECT_TRUE(Element("SYS1", "SALES", "MONTHEND")) << "the rename still reached the link";
    app.TransactionClosed();
    app.OnHostIdle();
    EXPECT_TRUE(OtherCanWriteSegment("SYS1", "SALES"));
}

// Transaction Closed gives the prepared write locks back, and those the earlier Prepares kept
// for the transaction; when the lock file cannot take them (its disk full, say), they go as
// soon as it takes them again, while the holder does nothing more, and never stay with a
// holder that is done with them until its next step.
TEST_F(HostTransactionsTest, AGiveBackTheLockStoreCouldNotTakeIsMadeWhileTheHolderIdles)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scoped(clock);
    for (const int prepares : {1, 2}) {
        SCOPED_TRACE(prepares);
        for (int prepare = 0; prepare < prepares; ++prepare)
            ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
        // Each give-back the close makes meets the refusal.
        PxFaultInjection::Throw("PxLockStore::Unlock", "Cannot reach the repository's locks: disk I/O error", 0,
                                prepares);
        app.TransactionClosed();
        PxFaultInjection::Reset();
        EXPECT_FALSE(OtherCanWriteSegment("SYS1", "SALES")) << "the give-back did not reach the lock file";
        const DWORD retrying = PxTesting::GiveBackThread(*app.GetLink());
        clock.Advance(kPxFirstRetryDelayMilliseconds);
        vqwin::WaitUntilThreadWaits(retrying);
        EXPECT_TRUE(OtherCanWriteSegment("SYS1", "SALES"));
        app.OnHostIdle();
    }
}

// She closes her session while the lock file refuses to take the prepared write locks back (its
// disk full; another process holding it): her Transaction Closed's give-back and her session's
// end are owed, and made by her host's process, which lives on, as soon as the file takes writes
// again: another user's step on the segment is granted with no step of hers.
TEST_F(HostTransactionsTest, AClosedSessionsOwedGiveBackAndEndAreMadeWhileItsHostLivesOn)
{
    vqclock::ManualClock clock;
    vqclock::ScopedClock scoped(clock);
    for (const bool held : {false, true}) {
        SCOPED_TRACE(held ? "the lock file held" : "its disk full");
        app.CloseSession();
        ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
        PxTesting::SetBusyTimeout(*app.GetLink(), 50);
        ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
        {
            const vqtest::RefusedLockWrites refused(sample.Path(), held);
            app.TransactionClosed();
            app.CloseSession();
        }
        const DWORD ending = PxTesting::SessionEndThread();
        ASSERT_NE(ending, 0u) << "her session's end is owed";
        clock.Advance(kPxLongestRetryDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(ending)) << "nothing is owed any more";
        EXPECT_TRUE(OtherCanWriteSegment("SYS1", "SALES"));
    }
}

TEST_F(HostTransactionsTest, ACreatedGlobalLogicTakesTheFirstFreeNumberAndJoinsTheSynchronisationPairs)
{
    SetGlobalLogicId("STARTUP", 1);
    SetGlobalLogicId("CALCTAX", 4);
    PxLSEBuilder builder(*app.GetLink());
    InRepository([&] {
        const PxLSEBusinessSegmentPtr sales = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        builder.AddRevision(builder.AddElement(sales, "PxLSEGlobalLogic", "PRICING"), "Revision", GUID{7, 7, 7, {}});
        builder.AddRevision(builder.AddElement(sales, "PxLSEGlobalLogic", "DISCOUNT"), "Revision", GUID{8, 8, 8, {}});
    });

    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Create("LSEGLOBALLOGIC", "PRICING", "SALES"));
    EXPECT_TRUE(app.Create("LSEGLOBALLOGIC", "DISCOUNT", "SALES"));
    app.TransactionClosed();

    EXPECT_EQ(PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "PRICING"))->GetGLGUniqueID(), 2);
    EXPECT_EQ(PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "DISCOUNT"))->GetGLGUniqueID(), 3);
    EXPECT_TRUE(Element("SYS2", "SALES", "PRICING"));
    VqsDesignLinkPairList pairs(10);
    Segment("SYS1", "SALES")->GetSyncPairList(pairs);
    ASSERT_GE(pairs.GetCount(), 2);
    EXPECT_EQ(pairs.GetTail().link->GetName(), "DISCOUNT");
}

TEST_F(HostTransactionsTest, CreatingAnElementThatHasItsLinkAddsNothing)
{
    PxTypedList<PxVQElementSoftLinkPtr> before;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(before);
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Create("lsereport", "MONTHLY", "SALES"));
    app.TransactionClosed();
    PxTypedList<PxVQElementSoftLinkPtr> after;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(after);
    EXPECT_EQ(after.GetCount(), before.GetCount());
}

// The usage is the design's: every system's link takes it, leaving every bundle as output
// only and coming back into the bundles of all Ispecs afterwards.
TEST_F(HostTransactionsTest, AnIspecTypeChangeReachesEverySystemAndItsBundlesFollow)
{
    EXPECT_TRUE(app.IspecTypeChange("SALES", "ORDER", "wyr_ispec_usage_output"));
    app.TransactionClosed();
    for (const char* system : {"SYS1", "SYS2"}) {
        SCOPED_TRACE(system);
        EXPECT_EQ(PxVQIspecSoftLinkPtr(Element(system, "SALES", "ORDER"))->GetIspecUsage(), 3);
        EXPECT_TRUE(BundlesOf(system, "ORDER").empty());
    }

    EXPECT_TRUE(app.IspecTypeChange("SALES", "ORDER", "WYR_ISPEC_USAGE_BOTH"));
    app.TransactionClosed();
    for (const char* system : {"SYS1", "SYS2"}) {
        SCOPED_TRACE(system);
        EXPECT_EQ(PxVQIspecSoftLinkPtr(Element(system, "SALES", "ORDER"))->GetIspecUsage(), 4);
        EXPECT_EQ(BundlesOf(system, "ORDER"), std::vector<std::string>{"WEBALL"});
    }
}

TEST_F(HostTransactionsTest, ACreatedOutputIspecStaysOutOfTheBundlesOfAllIspecs)
{
    PxLSEBuilder builder(*app.GetLink());
    InRepository([&] {
        const PxLSEBusinessSegmentPtr sales = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        const PxLSEElementPtr shipping = builder.AddElement(sales, "PxLSEComponent", "SHIPPING");
        builder.SetText(shipping, "usage", "O");
        int number = 60;
        for (const char* revision : {"Revision", "GraphicalRevision", "CharacterRevision", "DataItemRevision",
                                     "DbRevision", "TeachRevision"})
            builder.AddRevision(shipping, revision, GUID{static_cast<DWORD>(++number), 6, 6, {}});
    });
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Create("lsecomponent", "SHIPPING", "SALES"));
    app.TransactionClosed();
    ASSERT_TRUE(Element("SYS1", "SALES", "SHIPPING"));
    EXPECT_EQ(PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", "SHIPPING"))->GetIspecUsage(), 3);
    EXPECT_TRUE(BundlesOf("SYS1", "SHIPPING").empty());
}

TEST_F(HostTransactionsTest, ASegmentAnotherUserHoldsMakesThePrepareFail)
{
    auto other = OtherUser();
    const PxVQBSSoftLinkPtr held =
        other->GetLVQEnterprise()->GetSystem("SYS2")->GetCurConfig()->GetBSSoftLink("SALES");
    ASSERT_TRUE(held->WriteLock(0).Succeeded());
    EXPECT_FALSE(app.PrepareForTransaction("SALES", 0));
    EXPECT_FALSE(app.IsTransactionPending());
    EXPECT_TRUE(OtherCanWriteSegment("SYS1", "SALES")) << "the failed prepare holds nothing it got before";
    EXPECT_FALSE(app.Rename("lsereport", "MONTHEND", "MONTHLY", "SALES"));
}

// The prepare reads the whole configuration under read locks, its option sets included.
TEST_F(HostTransactionsTest, AnOptionSetAnotherUserWritesMakesThePrepareFail)
{
    auto other = OtherUser();
    const PxVQOptionSetPtr held = other->GetLVQEnterprise()->GetSystem("SYS2")->GetCurConfig()->GetOptionSet("NTGEN");
    ASSERT_TRUE(held->WriteLock(0).Succeeded());
    EXPECT_FALSE(app.PrepareForTransaction("SALES", 0));
    held->UnLock();
    EXPECT_TRUE(app.PrepareForTransaction("SALES", 0));
    app.TransactionClosed();
}

TEST_F(HostTransactionsTest, ARenamedIspecTakesItsAutomaticProfilesAlong)
{
    InRepository([&] {
        PxVQProfileSoftLinkPtr profile(Segment("SYS1", "SALES")->CreateElementSoftLink("$ORDER", VQSoftLinkProfile));
        profile->SetComponent(PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", "ORDER")));
        profile->CreateBlankOptions();
        PxVQProfileSoftLinkPtr named(Segment("SYS1", "SALES")->CreateElementSoftLink("ORDBYNAME", VQSoftLinkProfile));
        named->SetComponent(PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", "ORDER")));
        named->CreateBlankOptions();
    });
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    ASSERT_TRUE(app.Rename("LSECOMPONENT", "ORDERS", "ORDER", "SALES"));
    app.TransactionClosed();
    EXPECT_TRUE(Element("SYS1", "SALES", "ORDERS"));
    EXPECT_TRUE(Element("SYS1", "SALES", "$ORDERS"));
    EXPECT_FALSE(Element("SYS1", "SALES", "$ORDER"));
    EXPECT_TRUE(Element("SYS1", "SALES", "ORDBYNAME")) << "a profile the design names keeps its name";
}

TEST_F(HostTransactionsTest, TheChosenLinkIsWriteLockedAndItsConfigurationByTheKindOfTransaction)
{
    struct Case {
        int kind;
        bool configurationReadable;
    } cases[] = {{0, false}, {1, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        ASSERT_TRUE(app.PrepareForTransaction("SALES", c.kind));
        auto other = OtherUser();
        const PxVQCurConfigPtr config = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
        const bool readable = config->ReadLock().Succeeded() != 0;
        if (readable)
            config->UnLock();
        EXPECT_EQ(readable, c.configurationReadable);
        EXPECT_FALSE(config->GetBSSoftLink("SALES")->ReadLock().Succeeded());
        app.TransactionFailed();
        app.OnHostIdle();
    }
}

// The prepare chooses under read locks, gives them up and locks its choices: another user
// who renames a chosen link between the two has that configuration chosen again.
TEST_F(HostTransactionsTest, ALinkAnotherUserRenamesBeforeThePrepareLocksItIsNotTaken)
{
    auto other = OtherUser();
    const PxVQBSSoftLinkPtr renamed =
        other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
    PxFaultInjection::Run("PxLink::WriteLock", [&] {
        other->BeginTransaction();
        renamed->SetName("RENAMED");
        other->CommitTransaction();
    });
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_EQ(std::string(renamed->GetName()), "RENAMED");
    EXPECT_TRUE(renamed->WriteLock(0).Succeeded()) << "the prepare holds no link of another segment";
    renamed->UnLock();
    EXPECT_FALSE(OtherCanWriteSegment("SYS2", "SALES")) << "the other configuration's choice stands";
    app.TransactionFailed();
    app.OnHostIdle();
}

// Another user writes a chosen link before each write-lock call of the prepare, between a
// choice and its locks, as users synchronising back to back do: from its third turn on the
// prepare keeps what it locked and chooses again under it, so that its turns end, holding the
// link, whichever the transaction's kind. A creating transaction's link that is marked unused
// and in use again by turns has its configuration, held for read while the link is in use,
// written from then on.
TEST_F(HostTransactionsTest, APrepareWhoseChoiceAnotherUserChangesAtEveryTurnEndsAfterAFew)
{
    constexpr int kCallsWrittenBefore = 10;
    // A turn write-locks the configurations and the links in one call, or in two when it writes
    // one configuration and reads the next.
    struct Case {
        int kind;
        bool marksUnused;
        bool configurationReadable;
        int mostWriteLockCalls;
    } cases[] = {{0, false, false, 4}, {1, false, true, 4}, {1, true, false, 6}};
    auto other = OtherUser();
    const PxVQCurConfigPtr config = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig();
    const PxVQBSSoftLinkPtr written = config->GetBSSoftLink("SALES");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << (c.marksUnused ? " marking unused" : ""));
        int calls = 0;
        std::function<void()> writeBeforeTheLocks = [&] {
            if (++calls <= kCallsWrittenBefore) {
                other->BeginTransaction();
                if (c.marksUnused)
                    written->SetUnusedMark(calls % 2);
                else
                    written->SetLastSyncOption(100 * c.kind + calls);
                other->CommitTransaction();
            }
            PxFaultInjection::Run("PxLink::WriteLock", writeBeforeTheLocks);
        };
        PxFaultInjection::Run("PxLink::WriteLock", writeBeforeTheLocks);
        ASSERT_TRUE(app.PrepareForTransaction("SALES", c.kind));
        PxFaultInjection::Reset();
        EXPECT_LE(calls, c.mostWriteLockCalls);
        EXPECT_FALSE(OtherCanWriteSegment("SYS1", "SALES"));
        EXPECT_FALSE(OtherCanWriteSegment("SYS2", "SALES"));
        const bool readable = config->ReadLock().Succeeded() != 0;
        if (readable)
            config->UnLock();
        EXPECT_EQ(readable, c.configurationReadable);
        app.TransactionFailed();
        app.OnHostIdle();
        other->BeginTransaction();
        written->SetUnusedMark(0);
        other->CommitTransaction();
    }
}

TEST_F(HostTransactionsTest, AnOutputIspecThatTheDesignNowReadsJoinsTheBundlesOfAllIspecs)
{
    PxLSEBuilder builder(*app.GetLink());
    InRepository([&] {
        builder.SetText(app.GetLSEEnterprise()->GetBusinessSegment("SALES")->GetElement("AUDIT"), "usage", "I");
    });
    const PxVQIspecSoftLinkPtr audit(Element("SYS1", "SALES", "AUDIT"));
    ASSERT_EQ(audit->GetIspecUsage(), 3);
    const auto bundlesOf = [&] {
        std::vector<std::string> names;
        PxTypedList<PxVQIspecBundleDataPtr> entries;
        audit->GetListOfIspecBundleData(entries);
        for (POSITION pos = entries.GetHeadPosition(); pos;)
            names.emplace_back(entries.GetNext(pos)->GetBundleInformation()->GetName());
        return names;
    };
    ASSERT_TRUE(bundlesOf().empty());

    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Create("lsecomponent", "AUDIT", "SALES"));
    app.TransactionClosed();
    EXPECT_EQ(audit->GetIspecUsage(), 2);
    EXPECT_EQ(bundlesOf(), std::vector<std::string>{"WEBALL"});
}

TEST_F(HostTransactionsTest, ALinkOfAnotherKindGivesWayToTheCreatedElement)
{
    PxLSEBuilder builder(*app.GetLink());
    InRepository([&] {
        const PxLSEBusinessSegmentPtr sales = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        builder.AddRevision(builder.AddElement(sales, "PxLSEReport", "WEEKLY"), "Revision", GUID{9, 9, 9, {}});
        Segment("SYS1", "SALES")->CreateElementSoftLink("WEEKLY", VQSoftLinkGlobalLogic)->CreateBlankOptions();
    });
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Create("lsereport", "WEEKLY", "SALES"));
    app.TransactionClosed();
    ASSERT_TRUE(Element("SYS1", "SALES", "WEEKLY"));
    EXPECT_EQ(Element("SYS1", "SALES", "WEEKLY")->GetElementType(), VQSoftLinkReport);
    EXPECT_EQ(Element("SYS2", "SALES", "WEEKLY")->GetElementType(), VQSoftLinkReport);
}

TEST_F(HostTransactionsTest, AStaleIspecInTheBundleOfAllIspecsGivesWayToTheCreatedElement)
{
    // Deleting the stale link's entry in the bundle of all Ispecs takes its node along
    // before the walk deletes the link itself.
    const struct {
        const char* keyword;
        const char* designClass;
        const char* usage;
        std::vector<const char*> revisions;
        int linkType;
    } cases[] = {
        {"lsereport", "PxLSEReport", nullptr, {"Revision"}, VQSoftLinkReport},
        {"lsecomponent", "PxLSEComponent", "O",
         {"Revision", "GraphicalRevision", "CharacterRevision", "DataItemRevision", "DbRevision", "TeachRevision"},
         VQSoftLinkIspec},
    };
    PxLSEBuilder builder(*app.GetLink());
    unsigned revision = 20;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyword);
        const std::string name = std::string("STALE") + std::to_string(revision);
        InRepository([&] {
            const PxLSEBusinessSegmentPtr sales = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
            const PxLSEElementPtr element = builder.AddElement(sales, c.designClass, name.c_str());
            if (c.usage)
                builder.SetText(element, "usage", c.usage);
            for (const char* kind : c.revisions)
                builder.AddRevision(element, kind, GUID{++revision, 1, 1, {}});
            const PxVQIspecSoftLinkPtr stale(
                Segment("SYS1", "SALES")->CreateElementSoftLink(name.c_str(), VQSoftLinkIspec));
            stale->CreateBlankOptions();
            stale->SetIspecUsage(2);
            stale->SetUnusedMark(1);
            NamedIn<PxVQBundlePtr>("WEBALL", [&](auto& list) { Segment("SYS1", "SALES")->GetListOfBundles(list); })
                ->AddIspecToBundle(stale);
        });

        ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
        EXPECT_TRUE(app.Create(c.keyword, name.c_str(), "SALES"));
        app.TransactionClosed();

        const PxVQElementSoftLinkPtr created = Element("SYS1", "SALES", name.c_str());
        ASSERT_TRUE(created);
        EXPECT_EQ(created->GetElementType(), c.linkType);
        EXPECT_EQ(created->GetUnusedMark(), 0);
        EXPECT_EQ(Boxes(), std::vector<std::string>{});
    }
}

TEST_F(HostTransactionsTest, AProfileRenamedToTheNameOfItsIspecLeavesTheIspecInPlace)
{
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Rename("lseprofile", "CUSTOMER", "CUSTBYNAME", "SALES"));
    app.TransactionClosed();
    const PxVQIspecSoftLinkPtr customer(Element("SYS1", "SALES", "CUSTOMER"));
    ASSERT_TRUE(customer) << "a link of another kind is no link of the renamed element";
    PxTypedList<PxVQProfileSoftLinkPtr> profiles;
    customer->GetListOfProfileSoftLinks(profiles);
    ASSERT_EQ(profiles.GetCount(), 1);
    EXPECT_EQ(profiles.GetHead()->GetName(), "CUSTOMER");
    EXPECT_FALSE(Element("SYS1", "SALES", "CUSTBYNAME"));
    EXPECT_TRUE(Boxes().empty());
}

// A report of SYS1's SALES renamed to the name of a link that is in the way: the renamed
// report keeps its own link; the link in the way goes only when it is of the report's kind,
// and what the user changed there goes as the synchronisation mode says.
TEST_F(HostTransactionsTest, ARenameTakesOverOnlyALinkOfItsKindAndTheModeDecidesOverTheUsersOptions)
{
    const struct {
        const char* what;
        int mode;
        int kindInTheWay;
        int changed;
        Button button;
        BOOL renamed;
        bool inTheWayStays;
        int unusedMark;
    } cases[] = {
        {"another kind, Full Auto", VqsSyncFullAuto, VQSoftLinkIspec, 1, None, TRUE, true, 0},
        {"another kind, Default Auto", VqsSyncDefaultAuto, VQSoftLinkGlobalLogic, 0, None, TRUE, true, 0},
        {"nothing of the user's, Default Auto", VqsSyncDefaultAuto, VQSoftLinkReport, 0, None, TRUE, false, 0},
        {"changed, Full Auto", VqsSyncFullAuto, VQSoftLinkReport, 1, None, TRUE, false, 0},
        {"changed, Default Auto", VqsSyncDefaultAuto, VQSoftLinkReport, 1, None, TRUE, true, 1},
        {"changed, Interactive, Delete Selection", VqsSyncInteractive, VQSoftLinkReport, 1, DeleteSelection, TRUE,
         false, 0},
        {"changed, Interactive, Keep all options", VqsSyncInteractive, VQSoftLinkReport, 1, KeepAll, TRUE, true, 1},
        {"changed, Interactive, Cancel", VqsSyncInteractive, VQSoftLinkReport, 1, Cancel, FALSE, true, 0},
    };
    app.SetIniPath(dir.File("vqsys.ini").c_str());
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string from = "FROM" + std::to_string(++number);
        const std::string to = "TO" + std::to_string(number);
        PxVQElementSoftLinkPtr inTheWay;
        PxVQElementSoftLinkPtr renamed;
        InRepository([&] {
            inTheWay = Segment("SYS1", "SALES")->CreateElementSoftLink(to.c_str(), c.kindInTheWay);
            inTheWay->CreateBlankOptions();
            inTheWay->SetUpdatedFlag(c.changed);
            renamed = Segment("SYS1", "SALES")->CreateElementSoftLink(from.c_str(), VQSoftLinkReport);
            renamed->CreateBlankOptions();
        });
        EXPECT_EQ(InHostTransaction(c.mode, c.button,
                                    [&] { return app.Rename("lsereport", to.c_str(), from.c_str(), "SALES"); }),
                  c.renamed);

        EXPECT_EQ(renamed->GetName(), c.renamed ? to.c_str() : from.c_str());
        EXPECT_EQ(renamed->GetUnusedMark(), 0);
        ASSERT_EQ(inTheWay->ObjectPresent() != FALSE, c.inTheWayStays);
        if (c.inTheWayStays) {
            EXPECT_EQ(inTheWay->GetUnusedMark(), c.unusedMark);
            EXPECT_EQ(inTheWay->GetUpdatedFlag(), c.changed) << "the user's options are where they were";
        }
    }
}

TEST_F(HostTransactionsTest, AComponentLinkARenameDeletesTakesItsProfileLinksAlong)
{
    PxVQIspecSoftLinkPtr component;
    PxVQElementSoftLinkPtr profile;
    InRepository([&] {
        component = Segment("SYS1", "SALES")->CreateElementSoftLink("OLDCOMP", VQSoftLinkIspec);
        component->CreateBlankOptions();
        const PxVQProfileSoftLinkPtr over(Segment("SYS1", "SALES")->CreateElementSoftLink("OLDPROF", VQSoftLinkProfile));
        over->CreateBlankOptions();
        over->SetComponent(component);
        profile = over;
    });
    ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
    EXPECT_TRUE(app.Rename("lsecomponent", "OLDCOMP", "ORDER", "SALES"));
    app.TransactionClosed();
    EXPECT_FALSE(component->ObjectPresent()) << "it held nothing of the user's";
    EXPECT_FALSE(profile->ObjectPresent()) << "no profile link stays behind under no component";
    EXPECT_TRUE(Element("SYS1", "SALES", "OLDCOMP"));
    EXPECT_TRUE(Boxes().empty());
}

// A report of SYS1's SALES created where a link of another kind has its name: the link goes
// at once when it holds nothing of the user's; what the user changed there goes as the
// synchronisation mode says.
TEST_F(HostTransactionsTest, ACreateBesideAnotherKindsLinkLetsTheModeDecideOverTheUsersOptions)
{
    const struct {
        const char* what;
        int mode;
        int changed;
        Button button;
        BOOL created;
        bool inTheWayStays;
    } cases[] = {
        {"nothing of the user's, Default Auto", VqsSyncDefaultAuto, 0, None, TRUE, false},
        {"changed, Full Auto", VqsSyncFullAuto, 1, None, TRUE, false},
        {"changed, Default Auto", VqsSyncDefaultAuto, 1, None, TRUE, true},
        {"changed, Interactive, Delete Selection", VqsSyncInteractive, 1, DeleteSelection, TRUE, false},
        {"changed, Interactive, Keep all options", VqsSyncInteractive, 1, KeepAll, TRUE, true},
        {"changed, Interactive, Cancel", VqsSyncInteractive, 1, Cancel, FALSE, true},
    };
    app.SetIniPath(dir.File("vqsys.ini").c_str());
    PxLSEBuilder builder(*app.GetLink());
    unsigned number = 40;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string name = "NEWREP" + std::to_string(++number);
        PxVQElementSoftLinkPtr inTheWay;
        InRepository([&] {
            const PxLSEBusinessSegmentPtr sales = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
            builder.AddRevision(builder.AddElement(sales, "PxLSEReport", name.c_str()), "Revision",
                                GUID{number, 4, 4, {}});
            inTheWay = Segment("SYS1", "SALES")->CreateElementSoftLink(name.c_str(), VQSoftLinkGlobalLogic);
            inTheWay->CreateBlankOptions();
            inTheWay->SetUpdatedFlag(c.changed);
            inTheWay->SetUnusedMark(1);
        });
        EXPECT_EQ(InHostTransaction(c.mode, c.button, [&] { return app.Create("lsereport", name.c_str(), "SALES"); }),
                  c.created);

        ASSERT_EQ(inTheWay->ObjectPresent() != FALSE, c.inTheWayStays);
        if (c.inTheWayStays) {
            EXPECT_EQ(inTheWay->GetUnusedMark(), 1);
            EXPECT_EQ(inTheWay->GetUpdatedFlag(), c.changed) << "the user's options are where they were";
        }
        PxTypedList<PxVQElementSoftLinkPtr> links;
        Segment("SYS1", "SALES")->GetListOfElementSoftLinks(links);
        int reports = 0;
        for (POSITION pos = links.GetHeadPosition(); pos;) {
            const PxVQElementSoftLinkPtr link = links.GetNext(pos);
            reports += link->GetName() == name.c_str() && link->GetElementType() == VQSoftLinkReport;
        }
        EXPECT_EQ(reports, c.created ? 1 : 0);
    }
}
