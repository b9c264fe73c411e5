#include "ShellTestSupport.h"

#include "proxy/PxProcess.h"
#include "proxy/PxVQLink.h"
#include "support/ScopedResourceLibrary.h"
#include "win/CString.h"

#include <sys/mman.h>

namespace {

using Strings = std::vector<std::string>;

const std::string kSingleUserText =
    "In single user mode, Wrenfield must be started before Wrenfield Test.  Please bring down Wrenfield Test, "
    "then bring up Wrenfield. You can bring up Wrenfield Test again if desired.";

struct SessionTest : ShellTest {
    int node = 0;

    void LoadResources() { ASSERT_TRUE(app.SetResourceModule("vqsysres")); }
    BOOL Open(const std::string& repository, const char* userCode = "ABC/XYZ", int mode = 0)
    {
        return app.OpenSessionForHost(repository.c_str(), userCode, &node, mode);
    }
    void TearDown() override { app.CloseSession(); }
};

// A page the process cannot read.
class UnreadablePage {
public:
    UnreadablePage() : m_page(mmap(nullptr, 4096, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0)) {}
    ~UnreadablePage() { munmap(m_page, 4096); }
    UnreadablePage(const UnreadablePage&) = delete;
    UnreadablePage& operator=(const UnreadablePage&) = delete;
    const char* Text() const { return static_cast<const char*>(m_page); }

private:
    void* m_page;
};

std::unique_ptr<PxVQLink> Attach(const std::string& repository, const char* userCode)
{
    auto link = std::make_unique<PxVQLink>();
    link->AttachSession(repository.c_str(), userCode, nullptr);
    return link;
}

} // namespace

TEST_F(SessionTest, ASessionNeedsTheResourceLibraryFirst)
{
    const std::string repository = Repository();
    EXPECT_FALSE(Open(repository));
    EXPECT_EQ(Boxes(), Strings{"Internal error: Session starts with no resource specification."});
    EXPECT_EQ(app.GetLink(), nullptr);
    EXPECT_EQ(vqclient::Calls(), Strings{"VqcSetWorkPath"}) << "only the work path after a failed open";
}

TEST_F(SessionTest, AnUnknownOrUnreadableLibraryNameIsAConfigurationError)
{
    UnreadablePage page;
    EXPECT_FALSE(app.SetResourceModule(nullptr));
    EXPECT_FALSE(app.SetResourceModule(page.Text()));
    EXPECT_FALSE(app.SetResourceModule("no-such-library"));
    EXPECT_EQ(Boxes(), Strings(3, "Configuration error: no resource library is found."));
    EXPECT_EQ(app.GetResourceLibrary(), nullptr);

    EXPECT_TRUE(app.SetResourceModule("vqsysres"));
    EXPECT_NE(app.GetResourceLibrary(), nullptr);
    CString caption;
    EXPECT_TRUE(caption.LoadString(61776));
}

TEST_F(SessionTest, AMissingOrBrokenLibraryKeepsTheBoxTextAndLogsWhichFileIsAtFaultAndWhat)
{
    static Strings logged;
    logged.clear();
    app.RegisterWYRCallBack(nullptr, nullptr, [](int code, const char* level, const char* text) {
        logged.push_back(std::to_string(code) + " " + level + " " + text);
    });
    const std::string file = dir.Write("resources/broken/strings/shell.json", R"({"strings": {"61776": 7}})");
    vqtest::ScopedResourceRoot root(dir.File("resources"));
    UnreadablePage page;

    EXPECT_FALSE(app.SetResourceModule("broken"));
    EXPECT_FALSE(app.SetResourceModule("missing"));
    EXPECT_FALSE(app.SetResourceModule(page.Text()));
    EXPECT_EQ(Boxes(), Strings(3, "Configuration error: no resource library is found."));
    EXPECT_EQ(logged, (Strings{"61481 ERROR " + file + ": string 61776: the text must be a JSON string",
                               "61481 ERROR " + dir.File("resources/missing") +
                                   ": resource library \"missing\" is not found",
                               "61481 ERROR The resource library name is not a readable text."}));
}

TEST_F(SessionTest, AFailedReloadLeavesNoLibraryBehind)
{
    LoadResources();
    EXPECT_FALSE(app.SetResourceModule("no-such-library"));
    EXPECT_EQ(app.GetResourceLibrary(), nullptr);
    EXPECT_FALSE(Open(Repository()));
    EXPECT_EQ(Boxes().back(), "Internal error: Session starts with no resource specification.");
}

TEST_F(SessionTest, TheClientGetsTheUserCodeBeforeItsSlashThenNodeModeAndWorkPathLast)
{
    LoadResources();
    const std::string repository = Repository();
    auto first = Attach(repository, "first");
    ASSERT_TRUE(Open(repository, "ABC/XYZ", 1));
    EXPECT_TRUE(Boxes().empty());

    char nodeText[32];
    std::snprintf(nodeText, sizeof nodeText, "%p", static_cast<void*>(&node));
    EXPECT_EQ(vqclient::Calls(), (Strings{"VqcSetSignOnUserName ABC", std::string("VqcSetNodeHandle ") + nodeText,
                                          "VqcSetRepositoryMode 1", "VqcSetWorkPath"}));
    EXPECT_EQ(app.GetRepositoryMode(), 1);
    ASSERT_NE(app.GetLink(), nullptr);
    EXPECT_EQ(app.GetLink()->GetProcess()->GetUserCode(), "ABC/XYZ");
    EXPECT_TRUE(app.GetEnterprise());
    EXPECT_TRUE(app.GetLSEEnterprise());
}

TEST_F(SessionTest, ASecondOpenIsRefusedAndLeavesTheFirstSession)
{
    LoadResources();
    const std::string repository = Repository();
    ASSERT_TRUE(Open(repository));
    PxVQLink* link = app.GetLink();
    vqclient::Reset();

    EXPECT_FALSE(Open(Repository("other.vqr")));
    EXPECT_EQ(Boxes(), Strings{"Internal error: Attempt to open another Repository session."});
    EXPECT_EQ(app.GetLink(), link);
    EXPECT_TRUE(app.GetEnterprise()->ObjectPresent());
    EXPECT_EQ(vqclient::Calls(), Strings{"VqcSetWorkPath"});
}

TEST_F(SessionTest, SingleUserModeRefusesAThirdSessionOnTheNodeAndLeavesNoLink)
{
    LoadResources();
    const std::string repository = Repository();
    auto first = Attach(repository, "first");
    auto second = Attach(repository, "second");

    EXPECT_FALSE(Open(repository, "ABC", 1));
    EXPECT_EQ(Boxes(), Strings{kSingleUserText});
    EXPECT_EQ(app.GetLink(), nullptr);
    EXPECT_FALSE(app.GetEnterprise());
    EXPECT_FALSE(app.GetLSEEnterprise());
    EXPECT_EQ(first->GetProcess()->GetNode()->NumberOfProcesses(), 2) << "the refused session is gone";
    EXPECT_EQ(vqclient::Calls(), Strings{"VqcSetWorkPath"});
    EXPECT_NE(app.GetResourceLibrary(), nullptr) << "the resource library stays loaded";

    EXPECT_TRUE(Open(repository, "ABC", 0)) << "mode 0 does not count the sessions";
}

TEST_F(SessionTest, BadRepositoriesShowTheLinkErrorWithTheReason)
{
    LoadResources();
    UnreadablePage page;
    const std::string junk = dir.Write("junk.vqr", std::string(4096, 'x'));
    EXPECT_FALSE(Open(dir.File("missing.vqr")));
    EXPECT_FALSE(Open(junk));
    EXPECT_FALSE(app.OpenSessionForHost(nullptr, "ABC", &node, 0));
    EXPECT_FALSE(app.OpenSessionForHost(page.Text(), "ABC", &node, 0));
    EXPECT_FALSE(app.OpenSessionForHost(Repository().c_str(), page.Text(), &node, 0));

    const Strings boxes = Boxes();
    ASSERT_EQ(boxes.size(), 5u);
    for (const std::string& text : boxes)
        EXPECT_EQ(text.rfind("Cannot open system link.:\n", 0), 0u) << text;
    EXPECT_NE(boxes[0].find("missing.vqr: the file cannot be opened."), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[1].find("the file is damaged or is not a repository."), std::string::npos) << boxes[1];
    EXPECT_EQ(boxes[2], "Cannot open system link.:\nThe repository name cannot be read.");
    EXPECT_EQ(boxes[3], "Cannot open system link.:\nThe repository name cannot be read.");
    EXPECT_EQ(boxes[4], "Cannot open system link.:\nThe user code cannot be read.");
    EXPECT_EQ(app.GetLink(), nullptr);
    EXPECT_FALSE(app.GetEnterprise());

    EXPECT_TRUE(Open(Repository("good.vqr"))) << "nothing was left half-open";
}

TEST_F(SessionTest, TheLongNamesFlagComesFromTheDesignEnterprise)
{
    LoadResources();
    const std::string repository = Repository();
    {
        auto writer = Attach(repository, "writer");
        writer->BeginTransaction();
        writer->GetLSEEnterprise()->SetAttributeInt("allowLongNames", 1);
        writer->CommitTransaction();
    }
    ASSERT_TRUE(Open(repository));
    EXPECT_TRUE(app.GetAllowLongNames());
}

TEST_F(SessionTest, ClosingForgetsTheCallbacksAndTheLinkAndAllowsANewSession)
{
    LoadResources();
    const std::string repository = Repository();
    ASSERT_TRUE(Open(repository));
    static int queries;
    queries = 0;
    app.RegisterWYRCallBack([](const char*) { return ++queries, 0; }, nullptr, nullptr);
    EXPECT_FALSE(app.WyrQuery("BS"));

    app.CloseSession();
    EXPECT_EQ(app.GetLink(), nullptr);
    EXPECT_FALSE(app.GetEnterprise());
    EXPECT_TRUE(app.WyrQuery("BS")) << "no query callback any more";
    EXPECT_EQ(queries, 1);
    app.CloseSession();
    EXPECT_TRUE(Open(repository));
}

namespace {

struct LockThreadCalls {
    static inline std::vector<std::string> calls;
    static inline PxVQLink* link = nullptr;
    static void Start(PxVQLink* started)
    {
        link = started;
        calls.push_back("start");
    }
    static void StopAll() { calls.push_back("stop"); }
};

const VqsLockThreadHooks kRecordingHooks{&LockThreadCalls::Start, &LockThreadCalls::StopAll};

} // namespace

TEST_F(SessionTest, TheLinksLockThreadRunsFromOpenToClose)
{
    LoadResources();
    LockThreadCalls::calls.clear();
    VqsSysApp::SetLockThreadHooks(&kRecordingHooks);
    const std::string repository = Repository();
    auto first = Attach(repository, "first");
    auto second = Attach(repository, "second");
    EXPECT_FALSE(Open(repository, "ABC", 1));
    EXPECT_TRUE(LockThreadCalls::calls.empty()) << "a refused session starts no lock thread";

    ASSERT_TRUE(Open(repository, "ABC", 0));
    EXPECT_EQ(LockThreadCalls::link, app.GetLink());
    app.CloseSession();
    VqsSysApp::SetLockThreadHooks(nullptr);
    EXPECT_EQ(LockThreadCalls::calls, (Strings{"start", "stop"}));
}
