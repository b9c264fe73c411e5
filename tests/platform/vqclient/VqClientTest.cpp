#include "support/TempDir.h"

#include "vqclient/GenerateInfo.h"
#include "vqclient/VqClient.h"
#include "vqclient/VqcTesting.h"
#include "vqclient/VqcThreads.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class Generation : public VqcMainThread {
public:
    using VqcMainThread::EndGeneration;
};

// Starts the thread and answers a handle that outlives the thread object.
HANDLE Start(CWinThread* thread)
{
    EXPECT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    HANDLE handle = nullptr;
    DuplicateHandle(GetCurrentProcess(), thread->m_hThread, GetCurrentProcess(), &handle, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    thread->ResumeThread();
    return handle;
}

void Join(HANDLE thread)
{
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    CloseHandle(thread);
}

UINT WaitForEvent(LPVOID event)
{
    WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
    return 0;
}

struct VqClientTest : ::testing::Test {
    void SetUp() override { vqclient::Reset(); }
};

} // namespace

TEST_F(VqClientTest, TheClientKeepsTheSessionSettingsAndTheOrderOfTheCalls)
{
    int node = 0;
    VqcSetIniPath("/tmp/vqs.ini");
    VqcSetSignOnUserName("ABC");
    VqcSetNodeHandle(&node);
    VqcSetRepositoryMode(1);
    VqcSetAdminUser(TRUE);
    VqcSetWorkPath();

    const vqclient::Settings settings = vqclient::CurrentSettings();
    EXPECT_EQ(settings.iniPath, "/tmp/vqs.ini");
    EXPECT_EQ(settings.userName, "ABC");
    EXPECT_EQ(settings.nodeHandle, &node);
    EXPECT_EQ(settings.repositoryMode, 1);
    EXPECT_TRUE(settings.admin);
    EXPECT_FALSE(settings.workPath.empty());
    const std::vector<std::string> calls = vqclient::Calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls[0], "VqcSetIniPath /tmp/vqs.ini");
    EXPECT_EQ(calls[1], "VqcSetSignOnUserName ABC");
    EXPECT_EQ(calls[2].rfind("VqcSetNodeHandle ", 0), 0u);
    EXPECT_EQ(calls[3], "VqcSetRepositoryMode 1");
    EXPECT_EQ(calls[4], "VqcSetAdminUser 1");
    EXPECT_EQ(calls[5], "VqcSetWorkPath");

    VqcSetIniPath(nullptr);
    EXPECT_EQ(vqclient::CurrentSettings().iniPath, "");
    EXPECT_STRNE(IsVqclientTestDll(), "");
}

TEST_F(VqClientTest, AMainThreadIsActiveUntilItsGenerationEndsAndCountedUntilCancelled)
{
    auto* generation = new Generation;
    HANDLE thread = Start(generation);
    EXPECT_TRUE(AnyActiveMainThreads());
    EXPECT_EQ(GetMainThreadCount(), 1);

    generation->EndGeneration();
    EXPECT_FALSE(AnyActiveMainThreads());
    EXPECT_EQ(GetMainThreadCount(), 1);

    CancelAllMainThreads();
    Join(thread);
    EXPECT_EQ(GetMainThreadCount(), 0);
    EXPECT_FALSE(AnyActiveMainThreads());
}

TEST_F(VqClientTest, AMainThreadCancelledBeforeItStartsEndsAtOnce)
{
    auto* generation = new Generation;
    generation->Cancel();
    EXPECT_TRUE(generation->IsCancelled());
    Join(Start(generation));
    EXPECT_EQ(GetMainThreadCount(), 0);
}

TEST_F(VqClientTest, WorkThreadsAreActiveWhileTheyRun)
{
    CEvent release(FALSE, TRUE);
    HANDLE first = Start(new VqcWorkThread(&WaitForEvent, release.m_hObject));
    HANDLE second = Start(new VqcWorkThread(&WaitForEvent, release.m_hObject));
    EXPECT_TRUE(AnyActiveWorkThreads());
    EXPECT_EQ(GetMainThreadCount(), 0) << "work threads are not main threads";

    release.SetEvent();
    Join(first);
    Join(second);
    EXPECT_FALSE(AnyActiveWorkThreads());
}

TEST_F(VqClientTest, AGenerationWhoseRecordCannotBeLoggedDoesNotStartAndTheFailureIsReported)
{
    vqtest::TempDir directory;
    const std::string missing = directory.File("missing/generation.log");
    vqclient::SetGenerationLog(missing);
    GenerateInfo request;
    testing::internal::CaptureStderr();
    EXPECT_EQ(VqcStartGenerate(request), 0UL);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "VqClient: cannot write the generation log " + missing + ": No such file or directory.\n");
    EXPECT_TRUE(vqclient::Requests().empty());

    vqclient::SetGenerationLog(directory.File("generation.log"));
    EXPECT_EQ(VqcStartGenerate(request), 1UL);
    EXPECT_EQ(directory.Read("generation.log"), vqclient::Requests().front() + "\n");
    vqclient::SetGenerationLog("");
}
