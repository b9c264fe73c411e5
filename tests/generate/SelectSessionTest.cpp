#include "RecoveryTestSupport.h"

#include "generate/VqsSelectSession.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScopedTimeZone.h"
#include "win/CListCtrl.h"

namespace {

constexpr int kList = 32853;
constexpr int kRestart = 33025;
constexpr int kMonitor = 321;
constexpr int kInstall = 322;
constexpr int kDelete = 32854;

using Row = std::vector<std::string>;

std::vector<Row> Rows(VqsSelectSession& dialog)
{
    auto* list = dynamic_cast<CListCtrl*>(dialog.GetDlgItem(kList));
    std::vector<Row> rows;
    if (!list)
        return rows;
    for (int row = 0; row < list->GetItemCount(); ++row) {
        Row texts;
        for (int column = 0; column < 5; ++column)
            texts.push_back(list->GetItemText(row, column).str());
        rows.push_back(texts);
    }
    return rows;
}

// Restart, Monitor, Install and Delete: enabled or not.
std::vector<bool> Buttons(VqsSelectSession& dialog)
{
    std::vector<bool> enabled;
    for (int id : {kRestart, kMonitor, kInstall, kDelete})
        enabled.push_back(dialog.GetDlgItem(id)->IsWindowEnabled() != FALSE);
    return enabled;
}

std::vector<std::string> g_notified;
void Notified(const char* name) { g_notified.push_back(name); }

struct SelectSessionTest : RecoveryTest {
    VqsSelectSession dialog;

    void SetUp() override
    {
        RecoveryTest::SetUp();
        dialog.SetSystem(System());
    }

    // The user-visible columns of each row, without the start time.
    std::vector<Row> Listed()
    {
        std::vector<Row> rows = Rows(dialog);
        for (Row& row : rows)
            row.erase(row.begin() + 1);
        return rows;
    }
};

} // namespace

TEST_F(SelectSessionTest, TheListShowsEachSessionsGenerateSetStartTypeUserAndState)
{
    vqtest::ScopedTimeZone zone("UTC0");
    AddSession({.type = 2, .state = 6, .completeness = 40});
    AddSession({.genSet = "UNIXGEN", .type = 5, .state = 6, .completeness = 100});
    AddSession({.type = 5, .state = 6, .completeness = 150, .flag = 2});
    AddSession({.type = 5, .state = 10});
    AddSession({.genSet = "QSRGEN", .type = 3, .state = 11, .date = 1700003600});
    AddSession({.type = 1, .state = 0});
    AddSession({.genSet = "TARSKGEN", .type = 9, .state = 9});
    std::vector<Row> rows;
    std::vector<std::string> starts;
    std::vector<bool> buttons;
    CString title;
    ui.ExpectDialog(294).Run([&] {
        rows = Listed();
        for (const Row& row : Rows(dialog))
            starts.push_back(row[1]);
        buttons = Buttons(dialog);
        dialog.GetWindowText(title);
    }).Cancel();

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(title, "Select Session to Restart");
    EXPECT_EQ(rows, (std::vector<Row>{
                        {"NTGEN", "System Generate", "ABC/dev", "Incomplete: Generate Files (40%)"},
                        {"UNIXGEN", "System Generate", "ABC/dev", "Incomplete: Generate Files (100%)"},
                        {"NTGEN", "System & Report Generate", "ABC/dev", "Incomplete: Generate Files"},
                        {"NTGEN", "System & Report Generate", "ABC/dev", "Staged"},
                        {"QSRGEN", "Monitor Generate", "ABC/dev", "Monitor"},
                        {"NTGEN", "Report Generate", "ABC/dev", "Incomplete: "},
                        {"TARSKGEN", "Quorbit Bundle Generate", "ABC/dev", "Incomplete: Quorbit Compile"},
                    }));
    const std::string start = "11/14/23 22:13:20";
    EXPECT_EQ(starts, (std::vector<std::string>{start, start, start, start, "11/14/23 23:13:20", start, start}));
    EXPECT_EQ(buttons, (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(dialog.GetChoice(), VqsSelectSession::ChoiceNone);
}

TEST_F(SelectSessionTest, AnotherUsersSessionIsListedOnlyForAnAdministrator)
{
    AddSession({.user = "ABC/dev", .state = 1});
    AddSession({.user = "ABC", .state = 2});
    AddSession({.user = "XYZ", .state = 3});
    const struct {
        int securityMask;
        std::vector<std::string> users;
    } cases[] = {
        {1, {"ABC/dev", "ABC"}},
        {1 | 0x40, {"ABC/dev", "ABC", "XYZ"}},
        {0, {"ABC/dev", "ABC", "XYZ"}},
    };
    for (const auto& c : cases) {
        app.SetSecurityMask(c.securityMask);
        std::vector<std::string> users;
        ui.ExpectDialog(294).Run([&] {
            for (const Row& row : Listed())
                users.push_back(row[2]);
        }).Cancel();
        dialog.DoModal();
        EXPECT_EQ(users, c.users) << "security mask " << c.securityMask;
    }
}

TEST_F(SelectSessionTest, ASessionInUseElsewhereIsLeftOutUnlessItIsTheUsersUnderTheShortCode)
{
    PxVQRecoveryInfoPtr own = AddSession({.user = "ABC/dev", .state = 1});
    PxVQRecoveryInfoPtr shortCode = AddSession({.user = "ABC", .state = 2});
    std::unique_ptr<PxVQLink> other = OtherUser();
    ASSERT_TRUE(SeenBy(*other, own)->WriteLock(0));
    ASSERT_TRUE(SeenBy(*other, shortCode)->WriteLock(0));
    std::vector<Row> rows;
    ui.ExpectDialog(294).Run([&] { rows = Listed(); }).Cancel();
    dialog.DoModal();
    EXPECT_EQ(rows, (std::vector<Row>{{"NTGEN", "System Generate", "ABC", "Incomplete: Locking System"}}));
}

TEST_F(SelectSessionTest, SessionsNobodyCanTakeUpAgainAreNotListedAndSomeAreDeleted)
{
    PxVQRecoveryInfoPtr stagedAutoReport = AddSession({.type = 8, .state = 6, .staged = 1});
    PxVQRecoveryInfoPtr emptyReport = AddSession({.type = 1, .state = 6, .files = {}});
    AddSession({.type = 1, .state = 6, .completeness = 5});
    std::vector<Row> rows;
    ui.ExpectDialog(294).Run([&] { rows = Listed(); }).Cancel();
    dialog.DoModal();
    EXPECT_EQ(rows, (std::vector<Row>{{"NTGEN", "Report Generate", "ABC/dev", "Incomplete: Generate Files (5%)"}}));
    EXPECT_FALSE(emptyReport->ObjectPresent());
    EXPECT_TRUE(stagedAutoReport->ObjectPresent());
    EXPECT_EQ(CountOfSessions(), 2);
}

TEST_F(SelectSessionTest, AStagedAutoReportThatIsTheOnlySessionIsDeleted)
{
    PxVQRecoveryInfoPtr stagedAutoReport = AddSession({.type = 8, .state = 10, .staged = 1});
    std::vector<bool> buttons;
    ui.ExpectDialog(294).Run([&] { buttons = Buttons(dialog); }).Cancel();
    dialog.DoModal();
    EXPECT_FALSE(stagedAutoReport->ObjectPresent());
    EXPECT_EQ(buttons, (std::vector<bool>{false, false, false, true}));
}

TEST_F(SelectSessionTest, TheActionsOfferedFollowTheStateOfTheSelectedSession)
{
    const struct {
        int state;
        std::vector<bool> buttons;
    } cases[] = {
        {10, {false, false, true, true}},
        {11, {false, true, false, true}},
        {8, {true, true, false, true}},
        {3, {true, false, false, true}},
    };
    for (const auto& c : cases)
        AddSession({.state = c.state});
    std::vector<std::vector<bool>> seen;
    auto& script = ui.ExpectDialog(294);
    for (std::size_t row = 0; row < std::size(cases); ++row)
        script.Select(kList, static_cast<int>(row)).Run([&] { seen.push_back(Buttons(dialog)); });
    script.Cancel();
    dialog.DoModal();
    ASSERT_EQ(seen.size(), std::size(cases));
    for (std::size_t row = 0; row < std::size(cases); ++row)
        EXPECT_EQ(seen[row], cases[row].buttons) << "state " << cases[row].state;
}

TEST_F(SelectSessionTest, RestartingGivesTheChosenSessionAndFreesItForOthers)
{
    AddSession({.state = 4});
    PxVQRecoveryInfoPtr chosen = AddSession({.genSet = "UNIXGEN", .state = 5});
    std::unique_ptr<PxVQLink> other = OtherUser();
    PxVQRecoveryInfoPtr chosenThere = SeenBy(*other, chosen);
    int lockedWhileShown = -1;
    ui.ExpectDialog(294).Select(kList, 1).Run([&] { lockedWhileShown = chosenThere->WriteLock(0); }).Click(kRestart);

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(lockedWhileShown, 0);
    EXPECT_EQ(dialog.GetChoice(), VqsSelectSession::ChoiceRestart);
    EXPECT_EQ(dialog.GetRecoveryHandle(), chosen->GetHandle());
    EXPECT_TRUE(dialog.GetSecondHandle().IsNull());
    EXPECT_TRUE(chosenThere->WriteLock(0));
}

TEST_F(SelectSessionTest, ChoosingASystemAndReportSessionPairsTheNewestAutoReportAndDropsTheOlderOnes)
{
    PxVQRecoveryInfoPtr chosen = AddSession({.type = 5, .state = 8, .flag = 2});
    PxVQRecoveryInfoPtr newest = AddSession({.type = 8, .state = 6, .date = 1700000005});
    PxVQRecoveryInfoPtr oldest = AddSession({.type = 8, .state = 6, .date = 1700000003});
    PxVQRecoveryInfoPtr middle = AddSession({.type = 8, .state = 6, .date = 1700000004});
    ui.ExpectDialog(294).Select(kList, 0).Click(kMonitor);

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetChoice(), VqsSelectSession::ChoiceMonitor);
    EXPECT_EQ(dialog.GetRecoveryHandle(), chosen->GetHandle());
    EXPECT_EQ(dialog.GetSecondHandle(), newest->GetHandle());
    EXPECT_TRUE(newest->ObjectPresent());
    EXPECT_FALSE(oldest->ObjectPresent());
    EXPECT_FALSE(middle->ObjectPresent());
}

TEST_F(SelectSessionTest, InstallingWarnsOfAFailedStagedInstallAmongTheSessions)
{
    PxVQRecoveryInfoPtr staged = AddSession({.state = 10, .staged = 1});
    AddSession({.state = 6, .staged = 1});
    AddSession({.state = 6});
    ui.ExpectDialog(294).Select(kList, 0).Click(kInstall);
    ui.ExpectMessageBoxId(62002, IDOK);

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetChoice(), VqsSelectSession::ChoiceInstall);
    EXPECT_EQ(dialog.GetRecoveryHandle(), staged->GetHandle());
}

TEST_F(SelectSessionTest, DeletingASystemAndReportSessionDeletesTheAutoReportsFirst)
{
    AddSession({.type = 5, .state = 6, .flag = 2});
    AddSession({.type = 8, .state = 6, .date = 1700000005});
    AddSession({.type = 8, .state = 6, .staged = 1});
    std::vector<Row> rows;
    std::vector<bool> buttons;
    ui.ExpectDialog(294).Select(kList, 0).Click(kDelete).Run([&] {
        rows = Listed();
        buttons = Buttons(dialog);
    }).Cancel();

    dialog.DoModal();
    EXPECT_EQ(CountOfSessions(), 0);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(buttons, (std::vector<bool>{false, false, false, false}));
}

TEST_F(SelectSessionTest, DeletingASystemGenerateSessionRemovesTheGenerationsLockAndTellsTheHostOfEachSegment)
{
    g_notified.clear();
    app.RegisterWYRCallBack(nullptr, &Notified, nullptr);
    PxVQOptionSetPtr genSet = System()->GetCurConfig()->GetOptionSet("NTGEN");
    PxVQRecoveryInfoPtr deleted = AddSession({.type = 2, .state = 6});
    PlaceHoldNamedBy(deleted, genSet);
    ASSERT_TRUE(genSet->PersistentLock(1));
    AddSession({.type = 3, .state = 11});
    std::vector<Row> rows;
    std::vector<bool> buttons;
    ui.ExpectDialog(294).Select(kList, 0).Click(kDelete).Run([&] {
        rows = Listed();
        buttons = Buttons(dialog);
    }).Cancel();

    dialog.DoModal();
    EXPECT_FALSE(deleted->ObjectPresent());
    EXPECT_EQ(rows, (std::vector<Row>{{"NTGEN", "Monitor Generate", "ABC/dev", "Monitor"}}));
    EXPECT_EQ(buttons, (std::vector<bool>{false, false, false, true}));
    PxPersistentLockPtr lock = genSet->GetPersistentLock();
    ASSERT_TRUE(lock);
    EXPECT_EQ(lock->GetLockCount(), 1);
    EXPECT_EQ(lock->GetManualLockCount(), 1);
    std::vector<std::string> segments;
    PxTypedList<PxVQBSSoftLinkPtr> links;
    System()->GetCurConfig()->GetListOfBSSoftLinks(links);
    for (POSITION pos = links.GetHeadPosition(); pos;)
        segments.push_back(links.GetNext(pos)->GetName().str());
    EXPECT_FALSE(segments.empty());
    EXPECT_EQ(g_notified, segments);
    app.RegisterWYRCallBack(nullptr, nullptr, nullptr);
}

// A Delete lifts the hold the session names only with the session, and never the hold of
// another generation.
TEST_F(SelectSessionTest, DeletingASessionLiftsItsOwnLockWithItAndNeverTheLockOfAnotherGeneration)
{
    struct Case {
        const char* what;
        const char* failing;
        bool runsElsewhere;
        bool holdGone;
        bool deleted;
        int holds;
        const char* told;
    };
    const Case cases[] = {
        {"the session goes, and its lock with it", nullptr, false, false, true, 0, nullptr},
        {"a lock that cannot be carried along keeps its session", "PxVQObject::CarryGenerationHold", false, false,
         false, 1, "Injected repository failure"},
        {"a session that cannot be deleted keeps its lock", "PxVQObject::DeleteObject", false, false, false, 1,
         "Cannot delete an object:\nInjected repository failure"},
        {"a session whose deletion is not committed after its lock went stays, not deleted again at once",
         "PxLink::CommitTransaction", false, false, false, 0, "Cannot commit the transaction:\nInjected repository failure"},
        {"a generation of the set running elsewhere, under the session's lock, keeps both", nullptr, true, false, false,
         1, "Lock failed:\nGenerate process for user ABC/ws2 persistently locked NTGEN.\nPlease try again after some time."},
        {"the lock a later generation took over stays with it", nullptr, false, true, true, 1, nullptr},
    };
    const std::unique_ptr<PxVQLink> other = OtherUser("ABC/ws2");
    for (const Case& row : cases) {
        const PxVQOptionSetPtr genSet = System()->GetCurConfig()->GetOptionSet("NTGEN");
        const PxVQOptionSetPtr seenByOther = PxVQOptionSetPtr(other->GetLVQEnterprise()
                                                                  ->GetSystem("SYS1")
                                                                  ->GetCurConfig()
                                                                  ->GetOptionSet("NTGEN"));
        if (row.runsElsewhere) {
            ASSERT_TRUE(seenByOther->ClaimForGeneration());
        }
        const PxVQRecoveryInfoPtr session = AddSession({.type = 2, .state = 6});
        if (row.holdGone) {
            ASSERT_TRUE(genSet->PersistentLock(0));
            Link().BeginTransaction();
            session->SetHoldGone(1);
            Link().CommitTransaction();
        } else {
            PlaceHoldNamedBy(session, genSet);
        }
        if (row.failing)
            PxFaultInjection::Throw(row.failing);
        ui.ExpectDialog(294).Select(kList, 0).Click(kDelete).Cancel();
        if (row.told)
            ui.ExpectMessageBox(row.told, IDOK);
        VqsSelectSession deleting;
        deleting.SetSystem(System());
        deleting.DoModal();
        PxFaultInjection::Reset();

        EXPECT_EQ(!session->ObjectPresent(), row.deleted) << row.what;
        EXPECT_EQ(genSet->GetIntProperty("persistentLockCount"), row.holds) << row.what;
        seenByOther->ReleaseGenerationClaim();
        genSet->RemovePersistentLock(0, 1);
        if (session->ObjectPresent()) {
            Link().BeginTransaction();
            session->DeleteObject();
            Link().CommitTransaction();
        }
    }
}

TEST_F(SelectSessionTest, MoreThanAHundredSessionsAreAllListedAndEachCanBeChosen)
{
    std::vector<PxVQRecoveryInfoPtr> sessions;
    for (int i = 0; i < 120; ++i)
        sessions.push_back(AddSession({.state = 1 + i % 9}));
    std::size_t count = 0;
    ui.ExpectDialog(294).Run([&] { count = Rows(dialog).size(); }).Select(kList, 115).Click(kRestart);

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(count, 120u);
    EXPECT_EQ(dialog.GetRecoveryHandle(), sessions[115]->GetHandle());
}
