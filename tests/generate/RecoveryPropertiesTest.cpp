#include "RecoveryTestSupport.h"

#include "generate/VqsRecoveryProperties.h"
#include "proxy/PxFaultInjection.h"
#include "win/CListBox.h"

namespace {

constexpr int kState = 1877;
constexpr int kUserId = 1874;
constexpr int kPackName = 1875;
constexpr int kRetainDatabase = 1864;
constexpr int kParallelCompiles = 1867;
constexpr int kReorgTasks = 1869;
constexpr int kCompileAll = 1865;
constexpr int kCompileUpdated = 1866;
constexpr int kDelayCompile = 1871;
constexpr int kForceReorganise = 33023;
constexpr int kStructures = 33024;

struct Shown {
    std::vector<std::string> texts;   // state, user id, pack name, parallel compiles, reorg tasks
    std::vector<int> checks;          // retain, all, updated, delay, force
    std::vector<std::string> structures;
};

struct RecoveryPropertiesTest : RecoveryTest {
    VqsRecoveryProperties dialog;
    PxVQRecoveryInfoPtr session;

    void SetUp() override
    {
        RecoveryTest::SetUp();
        session = AddSession({.state = 5, .structures = {"CUSTOMER", "ORDERS"}});
        Link().BeginTransaction();
        session->setPackName("PACK1");
        session->SetRetainExistingDatabase(1);
        session->SetNumberOfParallelCompiles(3);
        session->SetCompileAllFlag(1);
        session->setForceDBReOrg(1);
        Link().CommitTransaction();
        dialog.SetRecoveryInfo(session);
    }

    Shown Show()
    {
        Shown shown;
        for (int id : {kState, kUserId, kPackName, kParallelCompiles, kReorgTasks}) {
            CString text;
            dialog.GetDlgItemText(id, text);
            shown.texts.push_back(text.str());
        }
        for (int id : {kRetainDatabase, kCompileAll, kCompileUpdated, kDelayCompile, kForceReorganise})
            shown.checks.push_back(static_cast<int>(dialog.IsDlgButtonChecked(id)));
        auto* list = dynamic_cast<CListBox*>(dialog.GetDlgItem(kStructures));
        for (int i = 0; list && i < list->GetCount(); ++i) {
            CString line;
            list->GetText(i, line);
            shown.structures.push_back(line.str());
        }
        return shown;
    }

    // What is stored: state, user id, parallel compiles, retain, compile all flag, force.
    std::vector<std::string> Stored()
    {
        session->Refresh();
        return {std::to_string(session->GetCurrentState()), session->GetUserId().str(),
                std::to_string(session->GetNumberOfParallelCompiles()),
                std::to_string(session->GetRetainExistingDatabase()), std::to_string(session->GetCompileAllFlag()),
                std::to_string(session->getForceDBReOrg())};
    }
};

} // namespace

TEST_F(RecoveryPropertiesTest, TheDialogShowsTheSessionAndStoresOnlyStateUserAndParallelCompiles)
{
    Shown shown;
    UINT delayChecked = 2;
    ui.ExpectDialog(306)
        .Run([&] { shown = Show(); })
        .Click(kDelayCompile)
        .Run([&] { delayChecked = dialog.IsDlgButtonChecked(kDelayCompile); })
        .Replace(kState, "12")
        .Replace(kUserId, "XYZ")
        .Replace(kParallelCompiles, "4")
        .Replace(kReorgTasks, "9")
        .Click(kRetainDatabase)
        .Click(kCompileAll)
        .Click(kForceReorganise)
        .OK();

    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(shown.texts, (std::vector<std::string>{"5", "ABC/dev", "PACK1", "3", "0"}));
    EXPECT_EQ(shown.checks, (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(shown.structures, (std::vector<std::string>{"CUSTOMER", "ORDERS"}));
    EXPECT_EQ(delayChecked, 0u);
    EXPECT_EQ(Stored(), (std::vector<std::string>{"12", "XYZ", "4", "1", "1", "1"}));
}

TEST_F(RecoveryPropertiesTest, AStateBeyondTheLastIsRefusedAndTheDialogStaysOpen)
{
    ui.ExpectDialog(306).Replace(kState, "13").Replace(kUserId, "XYZ").OK().Cancel();
    ui.ExpectMessageBox("Please enter an integer between 0 and 12.", IDOK);

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(Stored(), (std::vector<std::string>{"5", "ABC/dev", "3", "1", "1", "1"}));
}

TEST_F(RecoveryPropertiesTest, AWriteThatFailsEndsTheDialogWithCancelAndLeavesTheSessionAsItWas)
{
    PxFaultInjection::Throw("PxVQRecoveryInfo::SetUserId");
    ui.ExpectDialog(306).Replace(kState, "7").Replace(kParallelCompiles, "8").Replace(kUserId, "XYZ").OK();
    ui.ExpectMessageBox("Injected repository failure", IDOK);

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    PxFaultInjection::Reset();
    EXPECT_EQ(Stored(), (std::vector<std::string>{"5", "ABC/dev", "3", "1", "1", "1"}));
    EXPECT_TRUE(SeenBy(*OtherUser(), session)->WriteLock(0));
}

TEST_F(RecoveryPropertiesTest, ASessionThatCannotBeLockedIsNotWritten)
{
    PxFaultInjection::RefuseLock("PxVQObject::WriteLock", 2);
    ui.ExpectDialog(306).Replace(kState, "7").OK();
    ui.ExpectMessageBox("Error populating recovery record attributes.", IDOK);

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    PxFaultInjection::Reset();
    EXPECT_EQ(Stored()[0], "5");
}

TEST_F(RecoveryPropertiesTest, ASessionWithoutDatabaseStructuresShowsAnEmptyList)
{
    PxVQRecoveryInfoPtr bare = AddSession({.state = 0});
    dialog.SetRecoveryInfo(bare);
    Shown shown;
    ui.ExpectDialog(306).Run([&] { shown = Show(); }).Cancel();
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(shown.structures.empty());
}
