#include "shell/ListFrameTestSupport.h"
#include "shell/ShellTestSupport.h"

#include "library/VqsExports.h"
#include "logging/LogControl.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsModuleStartup.h"
#include "support/ChildProcess.h"
#include "support/RefusedLockWrites.h"
#include "support/SampleRepository.h"
#include "support/ScriptedUiDriver.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>

using frametest::HostLines;
using frametest::HostLinesStartingWith;
using frametest::HostWindow;
using frametest::OnMenuItem;
using frametest::OnMessage;
using frametest::OnUpdate;
using frametest::TestFrame;
using frametest::TestView;

namespace {

using Strings = std::vector<std::string>;

// The session's lock progress dialog: its lock thread runs it, hidden, while the session is open.
constexpr UINT kLockProgressDialog = 105;

const char* const kHostNames[] = {"options",      "openSelected",  "openCurrent",    "add",  "go",      "delete",
                                  "cutSelection", "copySelection", "pasteSelection", "load", "extract", "print",
                                  "refresh",      "status",        "fonts"};

struct ExportsTest : ShellTest {
    HostWindow host;
    Strings logLines;

    void SetUp() override
    {
        ShellTest::SetUp();
        HostLines().clear();
        ASSERT_TRUE(VqsSetResourceModule("vqsysres"));
    }
    HWND OpenSystemView() { return VqsOpenSystemView(host.m_hWnd, &OnUpdate, &OnMessage); }
    // The host names reported, in order.
    static Strings NamesReported()
    {
        Strings names;
        for (const std::string& line : HostLinesStartingWith("update: ")) {
            const std::string name = line.substr(8, line.find(' ', 8) - 8);
            if (name != "-")
                names.push_back(name);
        }
        return names;
    }
    // Posted commands waiting for the frame.
    static std::vector<WPARAM> PostedCommands(HWND frame)
    {
        std::vector<WPARAM> ids;
        MSG msg;
        while (PeekMessage(&msg, frame, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            ids.push_back(msg.wParam);
        return ids;
    }
};

struct LogRecorder {
    static inline Strings lines;
    static void Log(int code, const char* level, const char* text)
    {
        lines.push_back(std::string(level) + " " + std::to_string(code) + " " + text);
    }
};

// A view whose answers throw, to see the exported calls catch what escapes.
class ThrowingView : public TestView {
public:
    int GetCommandState(UINT, int*, int*) override { throw std::runtime_error("no state"); }
    void OnObjectChanged(int, const PxVQObjectPtr*, const PxVQObjectPtr*) override
    {
        throw VqException(__FILE__, __LINE__, "the view is gone");
    }
};

} // namespace

TEST_F(ExportsTest, OpeningAViewMakesAFrameOverTheHostWindow)
{
    const HWND system = OpenSystemView();
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(::GetParent(system), host.m_hWnd);
    EXPECT_EQ(app.GetCurrentFrame(), system);
    EXPECT_TRUE(host.GetStyle() & WS_CLIPCHILDREN);
    CRect frameRect;
    ::GetWindowRect(system, &frameRect);
    EXPECT_EQ(frameRect.Width(), 400);
    EXPECT_EQ(::GetWindowLongPtr(system, GWL_STYLE) & (WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN),
              static_cast<LONG_PTR>(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN));

    const HWND hosts = VqsOpenHostView(host.m_hWnd, &OnUpdate, &OnMessage);
    ASSERT_NE(hosts, nullptr);
    EXPECT_EQ(app.GetCurrentFrame(), system) << "a host frame does not become the current frame";
    EXPECT_EQ(app.GetFrameList().GetCount(), 2);

    CWnd gone;
    gone.CreateEx(0, nullptr, "gone", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    const HWND stale = gone.m_hWnd;
    gone.DestroyWindow();
    EXPECT_EQ(VqsOpenSystemView(stale, &OnUpdate, &OnMessage), nullptr);
    EXPECT_EQ(VqsOpenHostView(nullptr, &OnUpdate, &OnMessage), nullptr);
    EXPECT_EQ(app.GetFrameList().GetCount(), 2);
}

TEST_F(ExportsTest, TheMenuOfTheSystemFrameGoesToTheHost)
{
    const HWND frame = OpenSystemView();
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("System DLL: invalid argument when adding menu items.", IDOK);
    EXPECT_FALSE(VqsAddMenuItems(frame, nullptr));
    ui.ExpectMessageBox("System DLL: invalid argument when adding menu items.", IDOK);
    EXPECT_FALSE(VqsAddMenuItems(host.m_hWnd, &OnMenuItem));

    ASSERT_TRUE(VqsAddMenuItems(frame, &OnMenuItem));
    const Strings menu = HostLinesStartingWith("menu: ");
    EXPECT_EQ(menu.front(), "menu: &File|&Open...\tCtrl+O|32825|79|11|-");
    const Strings expected = {"menu: &View|Type &Folders|0|0|0|-", "menu: Type &Folders|Hide All Folders|32844|0|0|-"};
    auto folders = std::search(menu.begin(), menu.end(), expected.begin(), expected.end());
    EXPECT_NE(folders, menu.end()) << "the nested popup's items have its own text as parent";
    EXPECT_NE(std::find(menu.begin(), menu.end(),
                        "menu: &Tree|&Expand\t+|32795|107|3|Expand the selected node to one level.\nExpand node"),
              menu.end());
    EXPECT_NE(std::find(menu.begin(), menu.end(), "menu: A&nalysis|&Options...|32791|0|0|-"), menu.end());

    const HWND hosts = VqsOpenHostView(host.m_hWnd, &OnUpdate, &OnMessage);
    HostLines().clear();
    ASSERT_TRUE(VqsAddMenuItems(hosts, &OnMenuItem));
    EXPECT_EQ(HostLinesStartingWith("menu: ").size(), 21u);
    EXPECT_EQ(HostLines()[1],
              "menu: &File|Open &Selected...\tCtrl+S|32775|83|11|Open the currently selected object\nOpen");
}

TEST_F(ExportsTest, TheFullReportNamesEachHostCommandOnceAndDeleteThreeTimes)
{
    const HWND frame = OpenSystemView();
    VqsUpdateCommands(frame);
    EXPECT_EQ(NamesReported(), Strings(std::begin(kHostNames), std::end(kHostNames))) << "before the menu";
    EXPECT_TRUE(HostLinesStartingWith("update: - ").empty());

    ASSERT_TRUE(VqsAddMenuItems(frame, &OnMenuItem));
    HostLines().clear();
    VqsUpdateCommands(frame);
    const Strings names = NamesReported();
    EXPECT_EQ(names.size(), 17u);
    EXPECT_EQ(std::count(names.begin(), names.end(), "delete"), 3);
    for (const char* name : kHostNames) {
        if (std::strcmp(name, "delete") != 0) {
            EXPECT_EQ(std::count(names.begin(), names.end(), name), 1) << name;
        }
    }
    const Strings& lines = HostLines();
    auto deleteId = std::find(lines.begin(), lines.end(), "update: - 57632 enabled=0 checked=0");
    ASSERT_NE(deleteId, lines.end());
    EXPECT_EQ(Strings(deleteId + 1, deleteId + 4),
              (Strings{"update: delete 0 enabled=0 checked=0", "update: delete 0 enabled=1 checked=0",
                       "update: delete 0 enabled=0 checked=0"}));
    EXPECT_NE(std::find(lines.begin(), lines.end(), "update: - 57602 enabled=1 checked=0"), lines.end());
    EXPECT_EQ(lines.back(), "update: fonts 0 enabled=1 checked=0") << "the names outside the menu come last";

    HostLines().clear();
    VqsUpdateCommands(host.m_hWnd);
    EXPECT_TRUE(HostLines().empty()) << "an unknown frame";
}

TEST_F(ExportsTest, CommandsByNameMatchExactlyAndArePosted)
{
    const HWND frame = OpenSystemView();
    EXPECT_FALSE(VqsImplementCommandName(frame, "Delete"));
    EXPECT_FALSE(VqsImplementCommandName(frame, nullptr));
    EXPECT_TRUE(PostedCommands(frame).empty());

    EXPECT_TRUE(VqsImplementCommandName(frame, "delete"));
    EXPECT_TRUE(VqsImplementCommandName(frame, "refresh"));
    EXPECT_EQ(PostedCommands(frame), (std::vector<WPARAM>{57632, 32805}));

    EXPECT_TRUE(VqsImplementCommandName(host.m_hWnd, "delete")) << "a known name answers 1 for any handle";
    VqsImplementCommandID(host.m_hWnd, 57632);
    EXPECT_TRUE(PostedCommands(host.m_hWnd).empty());
    VqsImplementCommandID(frame, 57665);
    vqwin::PumpPending();
    EXPECT_EQ(std::count(HostLines().begin(), HostLines().end(), "message: exit: -"), 1);
    EXPECT_EQ(HostLines().back(), "message: exit: -");
}

TEST_F(ExportsTest, ClosingAViewDestroysItsFrameAndPicksTheCurrentFrameAgain)
{
    const HWND first = OpenSystemView();
    const HWND second = OpenSystemView();
    EXPECT_EQ(app.GetCurrentFrame(), second);
    EXPECT_EQ(VqsCloseView(second), 1);
    EXPECT_FALSE(::IsWindow(second));
    EXPECT_EQ(app.GetFrameList().GetCount(), 1);
    EXPECT_EQ(app.GetCurrentFrame(), first);

    app.SetCurrentFrame(nullptr);
    VqsCloseView(host.m_hWnd);
    EXPECT_TRUE(::IsWindow(first)) << "an unknown handle destroys nothing";
    EXPECT_EQ(app.GetCurrentFrame(), first) << "but the current frame is picked again";

    VqsCloseView(first);
    EXPECT_EQ(app.GetCurrentFrame(), nullptr);
    EXPECT_TRUE(app.GetFrameList().IsEmpty());
}

TEST_F(ExportsTest, TheFontGoesToTheApplicationAndToTheNamedFrame)
{
    const HWND frame = OpenSystemView();
    LOGFONT font{};
    font.lfHeight = -21;
    std::strcpy(font.lfFaceName, "Serif");
    VqsSetFont(nullptr, &font);
    EXPECT_EQ(app.GetViewFont().lfHeight, -21);
    EXPECT_NE(app.FindFrameByHandle(frame)->GetLogFont().lfHeight, -21) << "no frame named";

    font.lfHeight = -23;
    VqsSetFont(frame, &font);
    EXPECT_EQ(app.FindFrameByHandle(frame)->GetLogFont().lfHeight, -23);
    const HWND later = OpenSystemView();
    EXPECT_EQ(app.FindFrameByHandle(later)->GetLogFont().lfHeight, -23) << "frames opened later";

    VqsSetFont(frame, nullptr);
    EXPECT_EQ(app.GetViewFont().lfHeight, -23);
}

TEST_F(ExportsTest, NothingEscapesAnExportedCall)
{
    LogRecorder::lines.clear();
    VqsRegisterWYRCallBack(nullptr, nullptr, &LogRecorder::Log);
    TestFrame* frame = host.MakeFrame();
    app.GetFrameList().AddTail(frame);
    auto* view = new ThrowingView;
    ASSERT_TRUE(view->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), frame, 1));
    frame->views.push_back(view);
    frame->current = view;

    vqtest::ScriptedUiDriver ui;
    ui.WheneverDialog(kLockProgressDialog);
    ui.ExpectMessageBox("no state", IDOK, "Wrenfield Error");
    VqsUpdateCommands(frame->m_hWnd);
    ui.ExpectMessageBox("the view is gone", IDOK);
    VqsSetColor(RGB(0, 0, 255), "system");

    ASSERT_TRUE(app.OpenSession(Repository().c_str(), "ABC", nullptr));
    ui.ExpectMessageBox("the view is gone", IDOK);
    EXPECT_FALSE(VqsRename("LSEENTERPRISE", "NEW", "OLD", "SALES")) << "the failure value";
    EXPECT_EQ(LogRecorder::lines, (Strings{"ERROR 0 Unexpected error in VqsUpdateCommands: no state",
                                           "ERROR 0 Unexpected error in VqsSetColor: the view is gone",
                                           "ERROR 0 Unexpected error in VqsRename: the view is gone"}));
    VqsCloseSession();
}

TEST_F(ExportsTest, AHostTransactionHoldsTheNoticesUntilItEnds)
{
    TestFrame* frame = host.MakeFrame();
    app.GetFrameList().AddTail(frame);
    TestView* view = frame->AddView();
    ASSERT_TRUE(app.OpenSession(Repository().c_str(), "ABC", nullptr));

    EXPECT_TRUE(VqsPrepareForTransaction("", 0));
    EXPECT_TRUE(app.IsTransactionPending());
    EXPECT_TRUE(VqsRename("LSEENTERPRISE", "NEW", "OLD", nullptr));
    VqsSetColor(RGB(1, 1, 1), "System");
    VqsOnIdle();
    EXPECT_TRUE(view->notices.empty());
    VqsTransactionClosed();
    ASSERT_EQ(view->notices.size(), 2u);
    EXPECT_EQ(view->notices[0].hint, 8);
    EXPECT_EQ(view->notices[1].hint, 19);

    // The prepare reads the enterprise again before the host's transaction begins; what
    // that tells the views is not held back.
    EXPECT_TRUE(IspecTypeChange("SALES", "ORDER", "WYR_ISPEC_USAGE_BOTH"));
    const std::size_t beforeRename = view->notices.size();
    EXPECT_TRUE(VqsRename("lseEnterprise", "X", "Y", "SALES"));
    VqsTransactionFailed();
    EXPECT_EQ(view->notices.size(), beforeRename) << "dropped";
    EXPECT_FALSE(app.IsTransactionPending());
    VqsCloseSession();
}

TEST_F(ExportsTest, RenamesAndCreationsCheckTheirArguments)
{
    vqtest::ScriptedUiDriver ui;
    ui.WheneverDialog(kLockProgressDialog);
    ui.ExpectMessageBox("System DLL: wrong parameters.", IDOK);
    EXPECT_FALSE(VqsRename(nullptr, "NEW", "OLD", "SALES"));
    ui.ExpectMessageBox("System DLL not initialised.", IDOK);
    EXPECT_FALSE(VqsRename("LSEENTERPRISE", "NEW", "OLD", "SALES"));
    ui.ExpectMessageBox("Internal error.", IDOK);
    EXPECT_FALSE(VqsCreate("lsecomponent", "", "SALES"));
    ui.ExpectMessageBox("System DLL not initialised.", IDOK);
    EXPECT_FALSE(VqsCreate("lsecomponent", "CUSTOMER", "SALES"));

    ASSERT_TRUE(app.OpenSession(Repository().c_str(), "ABC", nullptr));
    EXPECT_TRUE(VqsRename("LSEKEYWORD", "NEW", nullptr, nullptr));
    ui.ExpectMessageBox("System DLL: unknown object type.", IDOK);
    EXPECT_FALSE(VqsRename("LSEWIDGET", "NEW", "OLD", "SALES"));
    ui.ExpectMessageBox("System DLL: wrong parameters.", IDOK);
    EXPECT_FALSE(VqsRename("LSECOMPONENT", "NEW", nullptr, "SALES"));
    EXPECT_TRUE(VqsRename("LSECOMPONENT", "NEW", "OLD", "SALES"));
    EXPECT_TRUE(VqsCreate("lsekeyword", "ADDRESS", "SALES"));
    VqsCloseSession();
}

TEST_F(ExportsTest, TheLongNamesFlagChangesOnlyWhileTheEnterpriseHasNoSystems)
{
    EXPECT_TRUE(VqsCanChangeLongNamesFlag()) << "no session";
    ASSERT_TRUE(app.OpenSession(Repository().c_str(), "ABC", nullptr));
    EXPECT_TRUE(VqsCanChangeLongNamesFlag());
    VqsChangeLongNamesFlag(!app.GetAllowLongNames());
    const BOOL changed = app.GetAllowLongNames();
    VqsChangeLongNamesFlag(changed ? 7 : 0);
    EXPECT_EQ(app.GetAllowLongNames(), changed) << "the same value in other words changes nothing";
    VqsCloseSession();

    vqtest::SampleRepository sample;
    ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
    EXPECT_FALSE(VqsCanChangeLongNamesFlag());
    const BOOL before = app.GetAllowLongNames();
    VqsChangeLongNamesFlag(!before);
    EXPECT_EQ(app.GetAllowLongNames(), before);
    VqsCloseSession();
}

TEST_F(ExportsTest, SettingsCallsPassOnlyReadablePaths)
{
    VqsSetIniPath("/tmp/vqs.ini");
    EXPECT_EQ(app.GetIniPath(), "/tmp/vqs.ini");
    EXPECT_EQ(g_VquLogCntrl.GetIniPath(), "/tmp/vqs.ini");
    VqsSetIniPath(nullptr);
    EXPECT_EQ(app.GetIniPath(), "/tmp/vqs.ini");
    EXPECT_EQ(g_VquLogCntrl.GetIniPath(), "");
    EXPECT_EQ(vqclient::CurrentSettings().iniPath, "");

    VqsSetSecurityMask(0xFF);
    EXPECT_EQ(app.GetSecurityMask(), 127);
    EXPECT_TRUE(vqclient::CurrentSettings().admin);
    VqsSetSecurityMask(1);
    EXPECT_FALSE(vqclient::CurrentSettings().admin);
    VqsSetSecurityMask(0);
    EXPECT_TRUE(vqclient::CurrentSettings().admin) << "security off: every right";

    EXPECT_TRUE(VqsSetBusinessSegment("SALES"));
    EXPECT_FALSE(VqsSetBusinessSegment(""));
    VqsSetSecurityMask(1);
    EXPECT_TRUE(app.IsBusinessSegmentAllowed("SALES"));
    VqsRemoveBusinessSegmentList();
    EXPECT_FALSE(app.IsBusinessSegmentAllowed("SALES"));
    EXPECT_TRUE(VqsSetHelpFilePath("/tmp/help.hlp"));
    EXPECT_FALSE(VqsSetHelpFilePath(nullptr));
    EXPECT_EQ(app.GetHelpPath(), "/tmp/help.hlp");
}

// A session the host left open as the module ends owes the removal of a manual lock that a step
// took back while the lock store refused it: the session ends with the module, and the process's
// end removes the lock once the store takes writes again, or names it in the log.
TEST_F(ExportsTest, ALocksRemovalOwedBySessionLeftOpenAsTheModuleEndsIsMadeOrLoggedAsTheProcessEnds)
{
    const std::string repository = Repository();
    for (const bool takesWrites : {true, false}) {
        SCOPED_TRACE(takesWrites ? "the store takes writes again" : "the store refuses still");
        const std::string log = takesWrites ? "taken.log" : "refused.log";
        const std::string settings = dir.Write("vqsys.ini", "[Logging]\nFile=" + dir.File(log) + "\n");
        ASSERT_EQ(PxTesting::SessionEndThread(), 0u) << "nothing is owed as the process forks";
        vqtest::ChildProcess process({
            [&] {
                VqsSetIniPath(settings.c_str());
                if (!VqsOpenSession(repository.c_str(), "alice/dev", nullptr, 0) ||
                    !app.GetLink()->GetLVQEnterprise()->PersistentLock(1))
                    throw std::runtime_error("not locked");
                PxTesting::SetBusyTimeout(*app.GetLink(), 50);
            },
            [&] { app.GetLink()->GetLVQEnterprise()->TakeBackManualLock(); },
            [] {
                VqsEndModule();
                std::exit(0);
            },
        });
        ASSERT_TRUE(process.WaitReady());
        std::optional<vqtest::RefusedLockWrites> refusing(std::in_place, repository, false);
        ASSERT_TRUE(process.RunNextStep());
        PxVQLink checker;
        checker.AttachSession(repository.c_str(), "checker/dev", nullptr);
        EXPECT_TRUE(checker.GetLVQEnterprise()->GetPersistentLock()) << "the removal is owed";
        if (takesWrites)
            refusing.reset();
        process.StartNextStep();
        process.Finish();
        refusing.reset();

        const std::string logged = dir.Read(log);
        if (takesWrites) {
            EXPECT_FALSE(checker.GetLVQEnterprise()->GetPersistentLock());
            continue;
        }
        EXPECT_TRUE(checker.GetLVQEnterprise()->GetPersistentLock());
        EXPECT_NE(logged.find(" WARNING The manual lock of user alice/dev on the object #1 of the repository "),
                  std::string::npos)
            << logged;
        EXPECT_TRUE(checker.GetLVQEnterprise()->RemovePersistentLock(1, 1)) << "its user can unlock it";
    }
}

TEST_F(ExportsTest, SmallCalls)
{
    char buffer[kVqsTestDllTextCapacity];
    EXPECT_EQ(IsTestDll(buffer), 1);
    EXPECT_STREQ(buffer, "VqClient.dll VqSerialize.dll");
    EXPECT_EQ(IsTestDll(nullptr), 0);

    char go[] = "GOTO SYSTEM SYS1";
    EXPECT_EQ(VqsImplementGO(go, nullptr), 0) << "no GO spec accepts the text";
    EXPECT_TRUE(willingToClose());
    ::Test(5);
    VqsOnIdle();
    EXPECT_TRUE(vqui::Transcript().empty()) << "none of them shows anything";
}
