// A Delete of a system that another process holds (read-locked, as a host does from its
// prepare until it is idle again), on a repository file and on a server: the Delete waits
// with the lock-progress box up; Cancel in the box gives up without a message and deletes
// nothing; left to wait, the Delete goes on once the other process lets go. A Delete of a
// segment entry that the other process removes meanwhile says it was deleted.
#include "SysViewTestSupport.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "support/ChildProcess.h"
#include "support/ScriptedUiDriver.h"
#include "win/Clock.h"
#include "win/Messages.h"
#include "win/UserActions.h"

#include <memory>
#include <stdexcept>

namespace {

constexpr UINT kLockProgressDialog = 105;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT ID_DELETE = 57632;

// The other process: it read-locks SYS1; its next step lets the lock go.
struct DeleteLockWaitTest : OtherProcessLockTest<Store> {
    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam(), dir);
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [this] { HeldSystem()->ReadLock() ? void() : throw std::runtime_error("not locked"); },
            [this] { HeldSystem()->UnLock(); }});
        ASSERT_TRUE(other->WaitReady());
    }

    PxVQSystemPtr HeldSystem() const { return ChildLink().GetLVQEnterprise()->GetSystem("SYS1"); }

    void DeleteSystem()
    {
        Select({"Sample system 1"});
        ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
        vqui::user::PressKey(view->m_hWnd, VK_DELETE);
        vqwin::PumpPending();
    }
};

std::string CaseName(const ::testing::TestParamInfo<Store>& info) { return StoreName(info.param); }

} // namespace

TEST_P(DeleteLockWaitTest, CancelInTheProgressBoxDeletesNothingAndSaysNothing)
{
    ui.WheneverDialog(kLockProgressDialog).Cancel().Wait();
    StartGatedSession(repository, {});

    DeleteSystem();

    ui.Verify();
    EXPECT_TRUE(System("SYS1"));
}

TEST_P(DeleteLockWaitTest, LeftToWaitTheDeleteGoesOnOnceTheOtherProcessLetsGo)
{
    ui.WheneverDialog(kLockProgressDialog).Wait().Wait().Wait().Wait();
    bool letGo = false;
    StartGatedSession(repository, [&] {
        if (!letGo && ProgressShown())
            letGo = other->RunNextStep();
    });

    DeleteSystem();

    ui.Verify();
    EXPECT_TRUE(letGo);
    EXPECT_FALSE(System("SYS1"));
}

INSTANTIATE_TEST_SUITE_P(Stores, DeleteLockWaitTest, ::testing::Values(Store::File, Store::Server), CaseName);

namespace {

// The other process takes SYS1's SALES entry for write when told, as the return of its obsolete
// options to their defaults does; its next step removes the entry and lets go.
struct EntryDeleteLockWaitTest : OtherProcessLockTest<Store> {
    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(GetParam(), dir);
        other = std::make_unique<vqtest::ChildProcess>(std::vector<std::function<void()>>{
            [] {},
            [this] { HeldEntry()->WriteLock(0).Succeeded() ? void() : throw std::runtime_error("not locked"); },
            [this] {
                const PxVQBSSoftLinkPtr entry = HeldEntry();
                ChildLink().BeginTransaction();
                entry->RecursiveDeleteObject();
                ChildLink().CommitTransaction();
                entry->UnLock();
            }});
        ASSERT_TRUE(other->WaitReady());
    }

    PxVQBSSoftLinkPtr HeldEntry() const
    {
        return ChildLink().GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
    }
};

} // namespace

// The other process takes the entry once the Delete, past its question, asks its first write
// lock, and removes it while the Delete waits for it.
TEST_P(EntryDeleteLockWaitTest, AnEntryRemovedWhileTheDeleteWaitedIsToldAsDeleted)
{
    ui.WheneverDialog(kLockProgressDialog).Wait().Wait().Wait().Wait();
    bool removed = false;
    StartGatedSession(repository, [&] {
        if (!removed && ProgressShown())
            removed = other->RunNextStep();
    });
    Expand("Sample system 1");
    Select({"SALES business segment"});
    bool taken = false;
    PxFaultInjection::Run("PxLink::WriteLock", [&] { taken = other->RunNextStep(); });
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    ui.ExpectMessageBox("Business Segment entry item has been deleted.", IDOK);

    vqui::user::PressKey(view->m_hWnd, VK_DELETE);
    vqwin::PumpPending();

    PxFaultInjection::Reset();
    ui.Verify();
    EXPECT_TRUE(taken);
    EXPECT_TRUE(removed);
}

INSTANTIATE_TEST_SUITE_P(Stores, EntryDeleteLockWaitTest, ::testing::Values(Store::File, Store::Server), CaseName);

namespace {

// Where another user's Delete of the system lands: before this user's Delete (the tree still
// shows the system), while this user's question about changed options is shown, or begun
// before this user's Delete (the enterprise held for write) and ended while its subtree lock
// waits.
enum class Landing { BeforeTheDelete, AtTheQuestion, WhileTheLockWaits };

struct DeletedMeanwhileCase {
    Store store;
    Landing landing;
    const char* name;
};

// The other user is a second session of this process, whose Delete waits for nothing.
struct DeletedMeanwhileTest : SystemGoneTest<DeletedMeanwhileCase> {
    void SetUp() override
    {
        StartOn(GetParam().store);
        RetryGate::atWait = [this] { otherUsersDelete->End(); };
    }
};

std::vector<DeletedMeanwhileCase> DeletedMeanwhileCases()
{
    std::vector<DeletedMeanwhileCase> cases;
    for (Store store : {Store::File, Store::Server}) {
        cases.push_back({store, Landing::BeforeTheDelete, "BeforeTheDelete"});
        cases.push_back({store, Landing::AtTheQuestion, "AtTheQuestion"});
        cases.push_back({store, Landing::WhileTheLockWaits, "WhileTheLockWaits"});
    }
    return cases;
}

} // namespace

TEST_P(DeletedMeanwhileTest, ADeleteOfASystemAnotherUserDeletedSaysSoOnce)
{
    Select({"Sample system 1"});
    if (GetParam().landing == Landing::BeforeTheDelete)
        DeleteNow();
    else if (GetParam().landing == Landing::WhileTheLockWaits)
        otherUsersDelete->Begin();
    else
        ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO).WhileShown([this] { DeleteNow(); });
    ui.ExpectMessageBox("System item has been deleted.", IDOK);

    // From the menu, which offered Delete while the system was there.
    Command(ID_DELETE);

    ui.Verify();
    EXPECT_TRUE(otherUsersDelete->Ended());
    EXPECT_FALSE(System("SYS1"));
}

INSTANTIATE_TEST_SUITE_P(Cases, DeletedMeanwhileTest, ::testing::ValuesIn(DeletedMeanwhileCases()),
                         StoreCaseName<DeletedMeanwhileCase>);
