#include "ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxVQEnterprise.h"
#include "support/ChildProcess.h"

#include <sys/stat.h>

#include <fstream>

namespace {

// Two processes on one repository: this one is the user's session, the child another
// user's. The child waits on a pipe for its turn, so that this process holds no repository
// connection while it forks.
struct TwoProcessDeleteTest : ShellTest {
    frametest::HostWindow host;
    frametest::TestView* view = nullptr;
    vqtest::SampleRepository sample;

    void SetUp() override
    {
        ShellTest::SetUp();
        frametest::TestFrame* frame = host.MakeFrame();
        app.GetFrameList().AddTail(frame);
        view = frame->AddView();
    }
    void TearDown() override { app.CloseSession(); }
    void OpenSession()
    {
        ASSERT_TRUE(app.SetResourceModule("vqsysres"));
        ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
    }
};

} // namespace

TEST_F(TwoProcessDeleteTest, ASystemAnotherProcessDeletedLeavesTheModelWithItsNoticeAndCannotBeLocked)
{
    const std::string turn = dir.File("turn");
    ASSERT_EQ(mkfifo(turn.c_str(), 0600), 0);
    const std::string repository = sample.Path();
    vqtest::ChildProcess other([&] {
        std::ifstream wait(turn);
        char go = 0;
        wait.get(go);
        PxVQLink link;
        link.AttachSession(repository.c_str(), "OTHER/dev", nullptr);
        link.BeginTransaction();
        link.GetLVQEnterprise()->GetSystem("SYS2")->DeleteObject();
        link.CommitTransaction();
    });
    OpenSession();
    VqsModel model;
    model.GetRootNode().LoadSystems(VqsLoadCached);
    const PxVQSystemPtr gone = app.GetEnterprise()->GetSystem("SYS2");
    view->notices.clear();

    std::ofstream(turn) << 'g';
    ASSERT_TRUE(other.WaitReady());

    model.GetRootNode().LoadSystems(VqsLoadDropVanished);
    CObList systems;
    model.GetRootNode().GetSystemNodes(systems);
    ASSERT_EQ(systems.GetCount(), 1);
    EXPECT_TRUE(static_cast<VqsModelNodeSystem*>(systems.GetHead())->GetSystem()->IsSameOid(app.GetEnterprise()->GetSystem("SYS1")));
    ASSERT_FALSE(view->notices.empty());
    EXPECT_EQ(view->notices.front().hint, VqsNodeGone);
    EXPECT_TRUE(view->notices.front().object->IsSameOid(gone));

    VqsLockBag bag(VqsWriteLock);
    EXPECT_EQ(model.LockSystemNode(bag, gone), nullptr);
    EXPECT_EQ(Boxes(), std::vector<std::string>{"System item has been deleted."});
    other.Finish();
}
