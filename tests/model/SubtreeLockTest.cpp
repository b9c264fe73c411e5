// The subtree lock of Delete, the frames' Refresh and a host's Prepare: every loaded node
// read-locked and read again, a rank of the lock order at a time for all the subtrees
// together. A node another user left unchanged tells no view; a failure on the way, wherever
// it meets the repository, is told once and leaves nothing held.
#include "ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "win/Messages.h"
#include "win/UiDriver.h"

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT ID_REFRESH = 32805;
constexpr int kRefusedForGood = 2;
constexpr const char* kLost = "The connection to the server was lost.";

struct SubtreeLockTest : ModelTest {
    void TearDown() override
    {
        PxFaultInjection::Reset();
        ModelTest::TearDown();
    }

    void Refresh() { static_cast<CWnd*>(app.GetFrameList().GetHead())->SendMessage(WM_COMMAND, ID_REFRESH, 0); }

    static std::vector<std::string> Boxes()
    {
        std::vector<std::string> texts;
        for (const vqui::TranscriptEntry& entry : vqui::Transcript()) {
            if (entry.event.kind == vqui::EventKind::MessageBox)
                texts.push_back(entry.event.text.str());
        }
        return texts;
    }

    // Whether another user can take for write the enterprise and, of SYS1, the configuration,
    // its SALES link, an element link and the link's options in NTGEN: nothing is held.
    bool OtherCanWriteAll() const
    {
        const std::unique_ptr<PxVQLink> other = OtherUser();
        const PxVQEnterprisePtr enterprise = other->GetLVQEnterprise();
        const PxVQCurConfigPtr config = enterprise->GetSystem("SYS1")->GetCurConfig();
        const PxVQBSSoftLinkPtr sales = config->GetBSSoftLink("SALES");
        const PxVQObjectPtr objects[] = {enterprise, config, sales, sales->GetElementSoftLink("ORDER"),
                                         sales->GetOptions(config->GetOptionSet("NTGEN"))};
        for (const PxVQObjectPtr& object : objects) {
            if (!PxVQObjectPtr(object)->WriteLock(0).Succeeded())
                return false;
        }
        return true;
    }
};

} // namespace

TEST_F(SubtreeLockTest, ALockedSubtreeTellsTheViewsOnlyOfWhatAnotherUserChanged)
{
    VqsModel model;
    {
        VqsLockBag bag(VqsReadLock);
        ASSERT_TRUE(model.LockSubtree(bag, PxVQObjectPtr()));
    }
    TakeHints();
    {
        const std::unique_ptr<PxVQLink> other = OtherUser();
        other->BeginTransaction();
        other->GetLVQEnterprise()->GetSystem("SYS2")->SetDescription("Changed by another user");
        other->CommitTransaction();
    }

    VqsLockBag bag(VqsReadLock);
    ASSERT_TRUE(model.LockSubtree(bag, PxVQObjectPtr()));

    ASSERT_EQ(view->notices.size(), 1u);
    EXPECT_EQ(view->notices[0].hint, VqsKindSystem);
    EXPECT_TRUE(view->notices[0].object->IsSameOid(System("SYS2")));
    EXPECT_EQ(System("SYS2")->GetDescription(), "Changed by another user");
}

// A lock call refused, or its connection lost, and each read of the way (the presence of what
// a call was granted, the objects read again, the children lists read together) lost; the
// Refresh command and a host's Prepare meet each once, on their way down.
TEST_F(SubtreeLockTest, AFailureOnTheWayIsToldOnceAndLeavesNothingHeld)
{
    const std::function<void(SubtreeLockTest&)> refresh = [](SubtreeLockTest& test) { test.Refresh(); };
    const std::function<void(SubtreeLockTest&)> prepare = [](SubtreeLockTest& test) {
        EXPECT_FALSE(test.app.PrepareForTransaction("SALES", 1));
        test.app.TransactionFailed();
    };
    const struct {
        const char* what;
        std::function<void()> fault;
        const char* told; // in the box, when the fault names it
        std::function<void(SubtreeLockTest&)> step;
    } cases[] = {
        {"Refresh, a read lock refused", [] { PxFaultInjection::RefuseLock("PxLink::ReadLock", kRefusedForGood, 3); },
         nullptr, refresh},
        {"Refresh, a read lock's connection lost", [] { PxFaultInjection::Throw("PxLink::ReadLock", kLost, 4); }, kLost,
         refresh},
        {"Refresh, a presence read", [] { PxFaultInjection::Throw("PxObject::ObjectPresent", kLost, 40); }, kLost,
         refresh},
        {"Refresh, objects read again", [] { PxFaultInjection::Throw("PxObject::Refresh", kLost, 40); }, kLost,
         refresh},
        {"Refresh, previous configurations", [] { PxFaultInjection::Throw("PxVQSystem::OldConfigsOf", kLost); }, kLost,
         refresh},
        {"Refresh, the links' contents", [] { PxFaultInjection::Throw("PxVQBSSoftLink::ContentsOf", kLost); }, kLost,
         refresh},
        {"Refresh, the profiles' Ispecs", [] { PxFaultInjection::Throw("PxVQProfileSoftLink::ComponentsOf", kLost); },
         kLost, refresh},
        {"Refresh, option records", [] { PxFaultInjection::Throw("PxVQOptionSet::AllOptionsOf", kLost); }, kLost,
         refresh},
        {"Prepare, current configurations", [] { PxFaultInjection::Throw("PxVQSystem::CurConfigsOf", kLost); }, kLost,
         prepare},
        {"Prepare, a read lock of the subtrees refused",
         [] { PxFaultInjection::RefuseLock("PxLink::ReadLock", kRefusedForGood, 3); }, nullptr, prepare},
        {"Prepare, option sets", [] { PxFaultInjection::Throw("PxVQCurConfig::OptionSetsOf", kLost); }, kLost,
         prepare},
        {"Prepare, the read lock of the configurations whose link is in use refused",
         [] {
             // The reads of the subtrees give way first.
             PxFaultInjection::Run("PxLink::UnLock",
                                   [] { PxFaultInjection::RefuseLock("PxLink::ReadLock", kRefusedForGood); });
         },
         nullptr, prepare},
        {"Prepare, the links' write locks refused",
         [] { PxFaultInjection::RefuseLock("PxLink::WriteLock", kRefusedForGood); }, nullptr, prepare},
        {"Prepare, the subtrees read again under the links' write locks",
         [] {
             PxFaultInjection::Run("PxLink::WriteLock", [] { PxFaultInjection::Throw("PxObject::Refresh", kLost); });
         },
         kLost, prepare},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.what);
        vqui::ClearTranscript();
        each.fault();
        each.step(*this);
        PxFaultInjection::Reset();
        const std::vector<std::string> boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        if (each.told) {
            EXPECT_NE(boxes[0].find(each.told), std::string::npos) << boxes[0];
        }
        EXPECT_TRUE(OtherCanWriteAll());
    }
}
