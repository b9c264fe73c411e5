#include "win/CWinApp.h"
#include "win/UiDriver.h"

#include "support/ScriptedUiDriver.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace {

struct UiDriverTest : ::testing::Test {
    void SetUp() override { vqui::ClearTranscript(); }
};

// A driver that waits until another thread gives the answer.
class WaitingDriver : public vqui::UiDriver {
public:
    vqui::UiAction NextAction(const vqui::UiEvent& event) override
    {
        std::unique_lock lock(m_mutex);
        m_shown = event.text.str();
        m_changed.notify_all();
        m_changed.wait(lock, [this] { return m_answer.has_value(); });
        return vqui::UiAction::End(*m_answer);
    }
    std::string WaitUntilShown()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return !m_shown.empty(); });
        return m_shown;
    }
    void Answer(int result)
    {
        std::lock_guard lock(m_mutex);
        m_answer = result;
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::string m_shown;
    std::optional<int> m_answer;
};

class FixedDriver : public vqui::UiDriver {
public:
    explicit FixedDriver(int answer) : m_answer(answer) {}
    vqui::UiAction NextAction(const vqui::UiEvent&) override { return vqui::UiAction::End(m_answer); }

private:
    int m_answer;
};

} // namespace

TEST_F(UiDriverTest, WithoutADriverABoxTakesItsDefaultButton)
{
    ASSERT_EQ(vqui::CurrentUiDriver(), nullptr);
    EXPECT_EQ(MessageBox(nullptr, "Save?", "Title", MB_YESNOCANCEL), IDYES);
    EXPECT_EQ(MessageBox(nullptr, "Save?", "Title", MB_YESNOCANCEL | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(MessageBox(nullptr, "Save?", "Title", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(MessageBox(nullptr, "Done", "Title", MB_OK | MB_DEFBUTTON3), IDOK);  // no third button
    EXPECT_EQ(MessageBox(nullptr, "Retry?", "Title", MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);

    auto transcript = vqui::Transcript();
    ASSERT_EQ(transcript.size(), 5u);
    EXPECT_EQ(transcript[1].answeredBy, vqui::AnsweredBy::DefaultNoDriver);
    EXPECT_EQ(vqui::Describe(transcript[1]), "message box \"Title\" [Yes/No/Cancel]: Save? -> No (default button, no driver)");
}

TEST_F(UiDriverTest, TheTranscriptRecordsCaptionTextButtonsIconHelpAndAnswer)
{
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Lock failed:\nan object is locked.", IDOK, "Wrenfield Error");
    MessageBox(nullptr, "Lock failed:\nan object is locked.", "Wrenfield Error", MB_OK | MB_ICONEXCLAMATION);
    {
        CWinApp app("vqsys");
        ui.ExpectMessageBox("Go on?", IDNO, "vqsys");
        EXPECT_EQ(AfxMessageBox("Go on?", MB_YESNO | MB_ICONQUESTION, 77), IDNO);
    }
    auto transcript = vqui::Transcript();
    ASSERT_EQ(transcript.size(), 2u);
    EXPECT_EQ(vqui::Describe(transcript[0]),
              "message box \"Wrenfield Error\" [OK, exclamation]: Lock failed:\\nan object is locked. -> OK");
    EXPECT_EQ(transcript[1].event.helpId, 77u);
    EXPECT_EQ(vqui::Describe(transcript[1]), "message box \"vqsys\" [Yes/No, question, help 77]: Go on? -> No");
}

TEST_F(UiDriverTest, AnAnswerTheBoxDoesNotOfferBecomesTheDefaultButton)
{
    FixedDriver driver(IDYES);
    vqui::ScopedUiDriver scope(driver);
    EXPECT_EQ(MessageBox(nullptr, "Stop", "Title", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    EXPECT_EQ(vqui::Transcript().back().answeredBy, vqui::AnsweredBy::DefaultInvalidAnswer);
}

TEST_F(UiDriverTest, ScopedDriverRestoresThePreviousOne)
{
    FixedDriver outer(IDOK);
    {
        vqui::ScopedUiDriver outerScope(outer);
        {
            FixedDriver inner(IDNO);
            vqui::ScopedUiDriver innerScope(inner);
            EXPECT_EQ(vqui::CurrentUiDriver(), &inner);
        }
        EXPECT_EQ(vqui::CurrentUiDriver(), &outer);
    }
    EXPECT_EQ(vqui::CurrentUiDriver(), nullptr);
}

TEST_F(UiDriverTest, ABoxOnOneThreadIsAnsweredFromAnother)
{
    WaitingDriver driver;
    vqui::ScopedUiDriver scope(driver);
    int result = 0;
    std::thread worker([&] { result = MessageBox(nullptr, "Cancel generation?", "Wrenfield Message", MB_YESNO); });
    EXPECT_EQ(driver.WaitUntilShown(), "Cancel generation?");
    driver.Answer(IDYES);
    worker.join();
    EXPECT_EQ(result, IDYES);
    EXPECT_EQ(vqui::Transcript().back().result, IDYES);
}

TEST_F(UiDriverTest, TheScriptedDriverAnswersBoxesShownOnOtherThreads)
{
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("first", IDOK).ExpectMessageBox("second", IDCANCEL);
    int first = 0;
    std::thread([&] { first = MessageBox(nullptr, "first", "", MB_OK); }).join();
    EXPECT_EQ(first, IDOK);
    EXPECT_EQ(MessageBox(nullptr, "second", "", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(ui.Seen().size(), 2u);
}

TEST_F(UiDriverTest, TheScriptedDriverFailsOnDifferencesAndLeftovers)
{
    auto failures = [](auto run) {
        ::testing::TestPartResultArray results;
        {
            ::testing::ScopedFakeTestPartResultReporter reporter(
                ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
            run();
        }
        return results.size();
    };
    EXPECT_EQ(failures([] {
                  vqtest::ScriptedUiDriver ui;
                  ui.ExpectMessageBox("expected", IDYES);
                  EXPECT_EQ(MessageBox(nullptr, "shown", "", MB_YESNO | MB_DEFBUTTON2), IDNO);
              }),
              1);
    EXPECT_EQ(failures([] {
                  vqtest::ScriptedUiDriver ui;
                  ui.ExpectMessageBox("text", IDOK, "Wrenfield Error");
                  MessageBox(nullptr, "text", "Wrenfield Message", MB_OK);
              }),
              1);
    EXPECT_EQ(failures([] {
                  vqtest::ScriptedUiDriver ui;
                  MessageBox(nullptr, "nobody expects this", "", MB_OK);
              }),
              1);
    EXPECT_EQ(failures([] {
                  vqtest::ScriptedUiDriver ui;
                  ui.ExpectMessageBox("never shown", IDOK);
              }),
              1);
    EXPECT_EQ(failures([] {
                  vqtest::ScriptedUiDriver ui;
                  ui.ExpectMessageBox("Sure?", IDCANCEL);
                  MessageBox(nullptr, "Sure?", "", MB_YESNO);
              }),
              1);
}

TEST_F(UiDriverTest, ApplicationObjectIsCurrentWhileItLives)
{
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
        CWinApp app("vqsys");
        EXPECT_EQ(AfxGetApp(), &app);
        EXPECT_STREQ(AfxGetApp()->m_pszAppName, "vqsys");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    CWinApp untitled;
    EXPECT_STREQ(untitled.m_pszAppName, "");
}
