// Steps on a server whose lock tables another transaction holds ACCESS EXCLUSIVE, as a rewrite
// or a truncation of them does, so that no statement can even read them (or in a mode that keeps
// their writes waiting): each says so in one box, or shows the lock-progress box, after a few of
// the store's waits (as the proxy counts them), never after waiting for the store for long with
// nothing on screen or with an empty list.
#include "../sysview/SysViewTestSupport.h"

#include "generate/VqsGenerateCommands.h"
#include "proxy/PxLockStore.h"
#include "proxy/PxTesting.h"
#include "support/HeldLockTables.h"
#include "support/PgTestServer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>

namespace {

constexpr UINT kLockProgressDialog = 105;

// A user who notes every message box and every lock-progress box, and cancels the latter once
// as it shows: the box stays shown until the lock call hears of the Cancel, which the retry gate
// lets it do only once the box's thread waits again.
class NotingUser : public vqtest::ScriptedUiDriver {
public:
    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        if (IsProgressBox(event)) {
            if (m_cancelled)
                return vqui::UiAction::Wait();
            ++progressBoxes;
            m_cancelled = true;
            return vqui::UiAction::Press(IDCANCEL);
        }
        if (event.kind == vqui::EventKind::MessageBox) {
            boxes.push_back(event.text.GetString());
            return vqui::UiAction::End(IDOK);
        }
        return ScriptedUiDriver::NextAction(event);
    }

    void Withdrawn(const vqui::UiEvent& event) override
    {
        if (IsProgressBox(event))
            m_cancelled = false;
        ScriptedUiDriver::Withdrawn(event);
    }

    int progressBoxes = 0;
    std::vector<std::string> boxes;

private:
    static bool IsProgressBox(const vqui::UiEvent& event)
    {
        return event.kind == vqui::EventKind::Dialog && event.templateId == kLockProgressDialog;
    }

    std::atomic<bool> m_cancelled = false;
};

struct HeldLockTablesStepsTest : SysViewTest {
    NotingUser ui;
    std::string repository;
    std::optional<vqtest::HeldLockTables> held;

    HeldLockTablesStepsTest() { ui.WheneverDialog(kLockProgressDialog); }

    void SetUp() override
    {
        SysViewTest::SetUp();
        app.CloseSession();
        repository = NewSharedSample(Store::Server, dir);
        StartGatedSession(repository, {});
    }

    void TearDown() override
    {
        held.reset();
        SysViewTest::TearDown();
    }

    void HoldTheLockTables(const char* mode = "ACCESS EXCLUSIVE")
    {
        held.emplace(repository, mode);
        PxTesting::ResetBusyWaited();
    }

    // The step said so in one box, or showed the lock-progress box, after at most a few brief
    // tries and one busy timeout of the store.
    void ToldAfterAFewWaits(const char* step)
    {
        EXPECT_EQ(ui.boxes.size() + static_cast<std::size_t>(ui.progressBoxes), 1u) << step;
        EXPECT_LE(PxTesting::BusyWaited(),
                  static_cast<std::uint64_t>(kPxBusyTimeoutMilliseconds + 5 * kPxBriefBusyMilliseconds))
            << step;
    }
};

} // namespace

TEST_F(HeldLockTablesStepsTest, GenerateSystemSaysSo)
{
    SelectFirstGenerateSet("Sample system 1");
    HoldTheLockTables();
    VqsGenerateSystem(*view);
    ToldAfterAFewWaits("generate system");
}

// The generate-set pane reads each set's lock: a busy store is the session's failure, told
// once, never a pane of no sets.
TEST_F(HeldLockTablesStepsTest, SelectingASystemSaysSoInsteadOfListingNoSets)
{
    HoldTheLockTables();
    Select({"Sample system 1"});
    vqwin::PumpPending();
    ToldAfterAFewWaits("select");
    ASSERT_EQ(ui.boxes.size(), 1u);
    EXPECT_EQ(ui.boxes[0].rfind("Cannot access Option Sets:", 0), 0u) << ui.boxes[0];
}

// A prepare inside the host's open transaction, whose lock calls decline waits, and the host's end
// of the transaction it refused, with the lock tables held in each mode that keeps the lock calls'
// statements waiting: each tries the store briefly, never for a busy timeout (a statement the lock
// connection had not prepared yet waited as long as the connection allows, its preparation made
// before the trip's brief wait was set), and the refusal is told once.
TEST_F(HeldLockTablesStepsTest, APrepareInsideTheHostsTransactionSaysSoAfterItsBriefTries)
{
    for (const char* mode : {"SHARE", "EXCLUSIVE", "ACCESS EXCLUSIVE"}) {
        SCOPED_TRACE(mode);
        ui.boxes.clear();
        ASSERT_TRUE(app.PrepareForTransaction("SALES", 0));
        HoldTheLockTables(mode);
        EXPECT_FALSE(app.PrepareForTransaction("SALES", 0));
        app.TransactionFailed();
        ToldAfterAFewWaits("prepare");
        EXPECT_LT(PxTesting::BusyWaited(), static_cast<std::uint64_t>(kPxBusyTimeoutMilliseconds));
        held.reset();
        app.OnHostIdle();
    }
}
