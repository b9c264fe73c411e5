#include "ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsRemovePrompt.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScriptedUiDriver.h"

#include <deque>
#include <memory>

namespace {

const UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
const UINT kLockProgressDialog = 105;
const UINT kRemovePromptDialog = 152;

// The user at the remove prompt: answers in turn, and what each prompt was told.
std::deque<int> g_answers;
std::vector<std::pair<std::string, BOOL>> g_prompts;

int Answer(LPCTSTR description, BOOL allowAll)
{
    g_prompts.emplace_back(description, allowAll);
    if (g_answers.empty())
        return IDCANCEL;
    const int answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

std::vector<std::string> g_log;

void RecordLog(int, const char* level, const char* text) { g_log.push_back(std::string(level) + ": " + text); }

struct DeleteNodesTest : ModelTest {
    vqtest::ScriptedUiDriver ui;
    std::unique_ptr<VqsModel> model;
    CObList nodes;
    std::vector<PxVQHostInformationPtr> hosts;
    VqsRemovePromptFn shellPrompt = nullptr;

    void SetUp() override
    {
        // The lock thread's progress dialog opens with the session and stays hidden.
        ui.WheneverDialog(kLockProgressDialog);
        ModelTest::SetUp();
        model = std::make_unique<VqsModel>();
        g_answers.clear();
        g_prompts.clear();
        g_log.clear();
        shellPrompt = VqsSetRemovePrompt(&Answer);
        app.RegisterWYRCallBack(nullptr, nullptr, &RecordLog);
    }
    void TearDown() override
    {
        model.reset();
        VqsSetRemovePrompt(shellPrompt);
        PxFaultInjection::Reset();
        app.RegisterWYRCallBack(nullptr, nullptr, nullptr);
        ModelTest::TearDown();
    }
    // Five new hosts H1 to H5, listed for deletion.
    void ListFiveHosts()
    {
        for (int i = 1; i <= 5; ++i) {
            PxVQHostInformationPtr host;
            const std::string name = "H" + std::to_string(i);
            ASSERT_TRUE(model->CreateHost(host, name.c_str(), 0, "10.0.0.1", 21, nullptr, nullptr));
            hosts.push_back(host);
            nodes.AddTail(model->GetRootNode().FindHostNode(host));
        }
    }
    int HostsLeft() const
    {
        int left = 0;
        for (const PxVQHostInformationPtr& host : hosts)
            left += host->ObjectPresent() ? 1 : 0;
        return left;
    }
    bool Delete(bool deleteNow)
    {
        VqsLockBag held(VqsReadLock);
        return model->DeleteNodes(held, nodes, deleteNow);
    }
};

} // namespace

TEST_F(DeleteNodesTest, TheCheckAndThePromptsDecideWhatIsDeleted)
{
    struct Case {
        const char* what;
        int check;
        bool deleteNow;
        std::deque<int> answers;
        bool result;
        int prompts;
        int left;
    };
    const Case cases[] = {
        {"Yes to All at the second prompt deletes the rest unasked", IDYES, true, {IDYES, VqsRemoveYesToAll}, true, 2, 0},
        {"No at the third prompt keeps the first two deleted", IDYES, true, {IDYES, IDYES, IDNO}, false, 3, 3},
        {"Cancel at the first prompt deletes nothing", IDYES, true, {IDCANCEL}, false, 1, 5},
        {"no check deletes everything unasked", IDNO, true, {}, true, 0, 0},
        {"no check for an update returns at once", IDNO, false, {}, true, 0, 5},
        {"an update asks about the first node and deletes nothing", IDYES, false, {IDYES}, true, 1, 5},
        {"Cancel at the check question stops", IDCANCEL, true, {}, false, 0, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        hosts.clear();
        nodes.RemoveAll();
        g_prompts.clear();
        model = std::make_unique<VqsModel>();
        ListFiveHosts();
        g_answers = c.answers;
        ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, c.check);

        EXPECT_EQ(Delete(c.deleteNow), c.result);

        ui.Verify();
        EXPECT_EQ(static_cast<int>(g_prompts.size()), c.prompts);
        EXPECT_EQ(HostsLeft(), c.left);
        EXPECT_EQ(nodes.GetCount(), c.deleteNow ? c.left : 5) << "the nodes handled leave the list";
    }
}

TEST_F(DeleteNodesTest, APromptShowsTheNodesDescriptionAndOffersYesToAllWhileNodesFollow)
{
    ListFiveHosts();
    g_answers = {IDYES, IDYES, IDYES, IDYES, IDYES};
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDYES);

    EXPECT_TRUE(Delete(true));

    ASSERT_EQ(g_prompts.size(), 5u);
    EXPECT_EQ(g_prompts[0].first,
              "Host H1\r\nis used in 0 generate sets\r\nand is found to be referenced in 0 previous configurations.");
    EXPECT_TRUE(g_prompts[3].second);
    EXPECT_FALSE(g_prompts[4].second);
    EXPECT_EQ(HostsLeft(), 0);
}

TEST_F(DeleteNodesTest, TheUserAnswersEachPromptInTheRemovePromptDialog)
{
    VqsSetRemovePrompt(shellPrompt);
    ListFiveHosts();
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDYES);
    ui.ExpectDialog(kRemovePromptDialog).Press(IDYES);
    ui.ExpectDialog(kRemovePromptDialog).Press(IDNO);

    EXPECT_FALSE(Delete(true));

    ui.Verify();
    EXPECT_EQ(HostsLeft(), 4);
}

TEST_F(DeleteNodesTest, WithoutAPromptNothingIsAskedOrDeletedAndALineIsLogged)
{
    ListFiveHosts();
    VqsSetRemovePrompt(nullptr);
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDYES);

    EXPECT_FALSE(Delete(true));

    EXPECT_EQ(HostsLeft(), 5);
    EXPECT_EQ(g_log, std::vector<std::string>{
                         "INFO: The remove prompt is not available: nothing was asked and nothing is deleted."});
}

TEST_F(DeleteNodesTest, APathThatCannotBeLockedWithoutTheCheckDeletesNothing)
{
    ListFiveHosts();
    VqsLockBag probe(VqsNoLock);
    auto* first = static_cast<VqsModelNode*>(nodes.GetHead());
    first->LockPath(probe, first->GetObject());
    // The first path locks the root, the packs with their associations and H1; then H2;
    // the write lock of H3 is refused.
    PxFaultInjection::RefuseLock("PxVQObject::WriteLock", PxLockRefused, static_cast<int>(probe.GetCount()) + 1);
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    ui.ExpectMessageBox("Lock failed:\nan object is currently locked by another user.\nPlease try again after some time.",
                        IDOK);

    EXPECT_FALSE(Delete(true));

    ui.Verify();
    EXPECT_EQ(HostsLeft(), 5);
}

TEST_F(DeleteNodesTest, DeletingObjectsDeletesThoseWithNodesInTheModel)
{
    ListFiveHosts();
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    PxTypedList<PxVQObjectPtr> objects;
    objects.AddTail(hosts[0]);
    objects.AddTail(hosts[4]);
    objects.AddTail(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
    VqsLockBag held(VqsReadLock);

    model->DeleteObject(held, objects);

    EXPECT_FALSE(hosts[0]->ObjectPresent());
    EXPECT_FALSE(hosts[4]->ObjectPresent());
    EXPECT_EQ(HostsLeft(), 3);
    EXPECT_TRUE(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")) << "it has no node in the model";
}

namespace {

struct BundleDeleteTest : ModelTest {
    VqsModel model;

    PxVQBSSoftLinkPtr Sales() const { return Segment("SYS1", "SALES"); }
    PxVQBundlePtr Orders() const
    {
        return NamedIn<PxVQBundlePtr>("ORDERS", [&](auto& list) { Sales()->GetListOfBundles(list); });
    }
    std::vector<PxVQIspecBundleDataPtr> Entries(const PxVQBundlePtr& bundle) const
    {
        PxTypedList<PxVQIspecBundleDataPtr> list;
        bundle->GetListOfIspecBundleData(list);
        std::vector<PxVQIspecBundleDataPtr> entries;
        for (POSITION pos = list.GetHeadPosition(); pos;)
            entries.push_back(list.GetNext(pos));
        return entries;
    }
    void Write(const std::function<void()>& change) const
    {
        app.GetLink()->BeginTransaction();
        change();
        app.GetLink()->CommitTransaction();
    }
    void SetUp() override
    {
        ModelTest::SetUp();
        model.SetEnterprise(app.GetEnterprise());
    }
    void TearDown() override
    {
        PxFaultInjection::Reset();
        ModelTest::TearDown();
    }
};

} // namespace

TEST_F(BundleDeleteTest, ABundleWhoseEntriesWereNeverReadDeletesThemFirst)
{
    const PxVQBundlePtr orders = Orders();
    const std::vector<PxVQIspecBundleDataPtr> entries = Entries(orders);
    ASSERT_EQ(entries.size(), 2u);
    VqsModelNodeBundle* bundle = model.FindBundleNode(orders);
    ASSERT_NE(bundle, nullptr) << ::testing::PrintToString(Boxes());

    EXPECT_EQ(bundle->Delete(), 1);

    EXPECT_FALSE(orders->ObjectPresent());
    for (const PxVQIspecBundleDataPtr& entry : entries)
        EXPECT_FALSE(entry->ObjectPresent());
    EXPECT_EQ(model.LookupNode(orders), nullptr);
}

TEST_F(BundleDeleteTest, AnEntryThatCannotBeDeletedKeepsTheBundle)
{
    const PxVQBundlePtr orders = Orders();
    const std::vector<PxVQIspecBundleDataPtr> entries = Entries(orders);
    VqsModelNodeBundle* bundle = model.FindBundleNode(orders);
    PxFaultInjection::Throw("PxVQObject::DeleteObject", "Injected repository failure", 1);

    EXPECT_EQ(bundle->Delete(), 0);

    EXPECT_FALSE(entries[0]->ObjectPresent());
    EXPECT_TRUE(entries[1]->ObjectPresent());
    EXPECT_TRUE(orders->ObjectPresent());
    EXPECT_EQ(model.LookupNode(orders), bundle);
}

// The last explicit entry of an Ispec takes its element link along when nothing else keeps
// the link: not updated, and the link's own removal test allows it.
TEST_F(BundleDeleteTest, TheLastExplicitEntryOfAnIspecTakesItsLinkAlongUnlessTheIspecIsUpdated)
{
    struct Case {
        const char* ispec;
        int updated;
        int unused;
        bool linkStays;
    };
    const Case cases[] = {
        {"NOTES", 0, 1, false},
        {"AUDIT", 1, 1, true},
        {"EVENT", 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ispec);
        VqsModel local;
        const PxVQIspecSoftLinkPtr ispec(Element("SYS1", "SALES", c.ispec));
        PxVQIspecBundleDataPtr entry;
        Write([&] {
            entry = Orders()->AddIspecToBundle(ispec);
            ispec->SetUpdatedFlag(c.updated);
            ispec->SetUnusedMark(c.unused);
        });
        VqsModelNodeIspecBundleData* node = local.FindIspecBundleDataNode(entry);
        ASSERT_NE(node, nullptr);
        node->GetBundleNode()->GetBSLinkNode()->LoadElementLinks(VqsLoadCached);

        EXPECT_EQ(node->Delete(), 1);

        EXPECT_FALSE(entry->ObjectPresent());
        EXPECT_EQ(ispec->ObjectPresent() != 0, c.linkStays);
        EXPECT_EQ(local.LookupNode(ispec) != nullptr, c.linkStays);
    }
}
