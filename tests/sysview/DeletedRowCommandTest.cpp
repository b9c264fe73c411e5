// A command given on a row whose object another user deleted, on a repository file and on the
// suite's server: a generate set's row in the option-set list once its system went, and the
// system's own row in the tree. The menu offered each command while the row was there; given
// now, it says which item went in one box, asks nothing, opens nothing, and the row goes. A
// Lock of a set whose system goes just before the lock is placed leaves no lock behind, even
// where the lock store refuses its removal for a while. Repeat Find from a system that went
// tells so once and goes on.
#include "SysViewTestSupport.h"

#include "proxy/PxLocking.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsTreeItem.h"
#include "support/RefusedLockWrites.h"
#include "sysview/VqsOptionSetView.h"
#include "win/Messages.h"
#include "win/Sync.h"

#include <gmock/gmock.h>

#include <optional>


namespace {

constexpr UINT ID_LOCK = 32809;
constexpr char kItemDeleted[] = "item has been deleted.";

enum class Row { GenerateSet, System };

struct Case {
    Store store;
    Row row;
    UINT command;
    const char* name;
};

std::vector<Case> Cases()
{
    const struct {
        Row row;
        UINT command;
        const char* name;
    } commands[] = {
        {Row::GenerateSet, 32792, "GenerateSetGenerateSystem"},
        {Row::GenerateSet, ID_LOCK, "GenerateSetLock"},
        {Row::GenerateSet, 57632, "GenerateSetDelete"},
        {Row::GenerateSet, 32772, "GenerateSetOptions"},
        {Row::System, 32795, "SystemExpand"},
        {Row::System, 32797, "SystemExpandBranch"},
        {Row::System, 32775, "SystemOpenSelected"},
        {Row::System, 32794, "SystemPreviousConfigurations"},
        {Row::System, 32791, "SystemSynchronizationOptions"},
    };
    std::vector<Case> cases;
    for (Store store : {Store::File, Store::Server})
        for (const auto& each : commands)
            cases.push_back({store, each.row, each.command, each.name});
    return cases;
}

struct DeletedRowCommandTest : SystemGoneTest<Case> {
    void SetUp() override { StartOn(GetParam().store); }

    VqsOptionSetView& List() const { return *frame->GetOptionSetView(); }

    // The names the option-set list shows.
    Strings ListedSets() const
    {
        Strings names;
        for (int row = 0; row < List().GetListCtrl().GetItemCount(); ++row)
            names.push_back(List().GetListCtrl().GetItemText(row, 0).GetString());
        return names;
    }

    // The user selects the row, the option-set list's current when it is a set's.
    void SelectRow()
    {
        if (GetParam().row == Row::System) {
            Select({"Sample system 1"});
            return;
        }
        SelectFirstGenerateSet("Sample system 1");
    }
};

} // namespace

TEST_P(DeletedRowCommandTest, TellsOnceWhatWentAsksNothingOpensNothingAndDropsTheRow)
{
    SelectRow();
    const std::string listedFirst = ListedSets().empty() ? "" : ListedSets().front();
    DeleteNow();
    BoxReader user;

    Command(GetParam().command);

    ASSERT_EQ(user.boxes.size(), 1u) << (user.boxes.empty() ? "no box" : user.boxes.back());
    EXPECT_NE(user.boxes.front().find(kItemDeleted), std::string::npos) << user.boxes.front();
    EXPECT_TRUE(user.shownWindows.empty()) << user.shownWindows.front();
    if (GetParam().row == Row::System)
        EXPECT_EQ(RowOf("Sample system 1"), -1);
    else
        EXPECT_THAT(ListedSets(), ::testing::Not(::testing::Contains(listedFirst)));
}

INSTANTIATE_TEST_SUITE_P(Cases, DeletedRowCommandTest, ::testing::ValuesIn(Cases()), StoreCaseName<Case>);

namespace {

struct LockRaceCase {
    Store store;
    bool removalRefused; // the lock store refuses the lock's removal (a full disk)
    const char* name;
};

struct LockRaceTest : SystemGoneTest<LockRaceCase> {
    void SetUp() override { StartOn(GetParam().store); }
};

} // namespace

// Nothing holds the set between the command's look at it and the lock: the other user's Delete,
// waiting for nothing, gets between them. A removal of the lock the store refuses is made once it
// takes writes, the user told of what went alone.
TEST_P(LockRaceTest, ALockOfASetWhoseSystemGoesJustBeforeItIsPlacedLeavesNoLockAndTellsOnce)
{
    SelectFirstGenerateSet("Sample system 1");
    PxVQLink checker;
    checker.AttachSession(repository.c_str(), "checker/dev", nullptr);
    const PxVQOptionSetPtr locked = checker.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
    BoxReader user;
    std::optional<vqtest::RefusedLockWrites> refusing;
    PxFaultInjection::Run("PxLink::PersistentLock", [&] {
        DeleteNow();
        if (GetParam().removalRefused)
            refusing.emplace(repository, false, vqtest::RefusedLockWrites::Refusing::Deletes);
    });

    Command(ID_LOCK);

    EXPECT_TRUE(otherUsersDelete->Ended());
    ASSERT_EQ(user.boxes.size(), 1u) << (user.boxes.empty() ? "no box" : user.boxes.back());
    EXPECT_NE(user.boxes.front().find(kItemDeleted), std::string::npos) << user.boxes.front();
    if (refusing) {
        refusing.reset();
        const DWORD retrying = PxTesting::GiveBackThread(*app.GetLink());
        ASSERT_NE(retrying, 0u) << "the removal is not owed";
        clock.Advance(kPxLongestRetryDelayMilliseconds);
        EXPECT_FALSE(vqwin::WaitUntilThreadWaits(retrying)) << "something is owed still";
    }
    EXPECT_FALSE(locked->GetPersistentLock()) << "a lock on a set that is gone";
}

INSTANTIATE_TEST_SUITE_P(Cases, LockRaceTest,
                         ::testing::Values(LockRaceCase{Store::File, false, ""},
                                           LockRaceCase{Store::File, true, "RemovalRefused"},
                                           LockRaceCase{Store::Server, false, ""},
                                           LockRaceCase{Store::Server, true, "RemovalRefused"}),
                         StoreCaseName<LockRaceCase>);

namespace {

struct RepeatFindGoneTest : SystemGoneTest<Store> {
    void SetUp() override { StartOn(GetParam()); }
};

} // namespace

// Repeat Find from a system another user deleted since the Find selected it, the press reading
// the start's branch with the systems after it: one box says which item went, its row goes, and
// the search goes on to the next system.
TEST_P(RepeatFindGoneTest, APressFromASystemAnotherUserDeletedTellsOnceWhatWent)
{
    {
        vqtest::ScriptedUiDriver finder;
        finder.ExpectDialog(143).Replace(1403, "Sample system ").OK();
        Command(57636);
        finder.Verify();
    }
    ASSERT_EQ(view->GetSelectedItem(), Item("Sample system 1"));
    DeleteNow();
    BoxReader user;

    Command(57640);

    ASSERT_EQ(user.boxes.size(), 1u) << (user.boxes.empty() ? "no box" : user.boxes.back());
    EXPECT_NE(user.boxes.front().find(kItemDeleted), std::string::npos) << user.boxes.front();
    EXPECT_TRUE(user.shownWindows.empty()) << user.shownWindows.front();
    EXPECT_EQ(RowOf("Sample system 1"), -1);
    EXPECT_EQ(view->GetSelectedItem(), Item("Sample system 2"));
}

INSTANTIATE_TEST_SUITE_P(Stores, RepeatFindGoneTest, ::testing::Values(Store::File, Store::Server), StoreParamName);
