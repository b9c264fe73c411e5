#include "model/LockTestSupport.h"

#include "model/VqsLockRetryCallback.h"
#include "proxy/PxLockErrorInfo.h"
#include "win/CWinThread.h"
#include "win/CWnd.h"
#include "win/Sync.h"
#include "win/UiDriver.h"

namespace vqtest {

namespace {

struct Gate {
    static inline DWORD lockThread = 0;
    static inline std::vector<int> attempts;
    static inline std::vector<std::int64_t> clock;
    static inline std::function<void()> step;

    static int Ask(PxLockErrorInfo& info)
    {
        vqwin::WaitUntilThreadWaits(lockThread);
        if (step)
            step();
        attempts.push_back(info.GetAttemptCount());
        clock.push_back(vqclock::Current().Now());
        return VqsLockRetryCallback(info);
    }
};

struct LogRecorder {
    static inline std::vector<std::string> lines;
    static void Log(int code, const char* level, const char* text)
    {
        lines.push_back(std::string(level) + " " + std::to_string(code) + " " + text);
    }
};

std::string ControlText(CWnd* dialog, int id)
{
    CString text;
    dialog->GetDlgItemText(id, text);
    return text.str();
}

} // namespace

ProgressView ReadProgress()
{
    CWnd* dialog = AfxGetMainWnd();
    ProgressView view;
    view.clock = vqclock::Current().Now();
    view.totalElapsed = ControlText(dialog, 1582);
    view.objectsLocked = ControlText(dialog, 1583);
    view.currentElapsed = ControlText(dialog, 1584);
    view.attempts = ControlText(dialog, 1585);
    view.currentObject = ControlText(dialog, 1586);
    view.icon = dialog->GetIcon(TRUE);
    view.iconic = dialog->IsIconic() != FALSE;
    return view;
}

LockSessionTest::LockSessionTest()
{
    vqui::ClearTranscript();
    Gate::attempts.clear();
    Gate::clock.clear();
    LogRecorder::lines.clear();
    ui.WheneverDialog(kLockProgressDialog);
    app.RegisterWYRCallBack(nullptr, nullptr, &LogRecorder::Log);
    EXPECT_TRUE(app.SetResourceModule("vqsysres"));
}

LockSessionTest::~LockSessionTest()
{
    app.CloseSession();
    Gate::step = nullptr;
}

std::string LockSessionTest::NewRepository(const std::string& name)
{
    const std::string path = dir.File(name);
    PxLink::CreateRepository(path.c_str());
    return path;
}

void LockSessionTest::OpenSession(const std::string& repository)
{
    ASSERT_TRUE(app.OpenSession(repository.c_str(), "ABC/XYZ", nullptr));
    app.RegisterWYRCallBack(nullptr, nullptr, &LogRecorder::Log);
}

std::unique_ptr<PxVQLink> LockSessionTest::AttachOtherUser(const std::string& repository, const char* userCode)
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(repository.c_str(), userCode, nullptr);
    return link;
}

HWND LockSessionTest::ProgressWindow() const { return LockThread()->GetProgressDlg().m_hWnd; }

void LockSessionTest::SettleLockThread() const { vqwin::WaitUntilThreadWaits(LockThread()->m_nThreadID); }

void LockSessionTest::GateRetries(std::function<void()> step)
{
    Gate::step = std::move(step);
    Gate::lockThread = LockThread()->m_nThreadID;
    Link()->PxSetRetryFunction(&Gate::Ask);
}

std::vector<int> LockSessionTest::GatedAttempts() { return Gate::attempts; }

std::vector<std::int64_t> LockSessionTest::GatedClock() { return Gate::clock; }

std::vector<std::string> LockSessionTest::Boxes()
{
    std::vector<std::string> texts;
    for (const vqui::TranscriptEntry& entry : vqui::Transcript()) {
        if (entry.event.kind == vqui::EventKind::MessageBox)
            texts.push_back(entry.event.text.str());
    }
    return texts;
}

std::vector<std::string> LockSessionTest::LogLines() { return LogRecorder::lines; }

} // namespace vqtest
