#include "ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsRemovePromptDlg.h"
#include "support/ScriptedUiDriver.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
const UINT kLockProgressDialog = 105;
const UINT kRemovePromptDialog = 152;
const int kDescription = 1350;

// What one remove prompt showed: the node's description and whether Yes to All was offered.
struct Shown {
    std::string description;
    bool yesToAll = false;
};

struct DeleteNodesTest : ModelTest {
    vqtest::ScriptedUiDriver ui;
    std::unique_ptr<VqsModel> model;
    CObList nodes;
    std::vector<PxVQHostInformationPtr> hosts;
    std::vector<Shown> shown;

    void SetUp() override
    {
        // The lock thread's progress dialog opens with the session and stays hidden.
        ui.WheneverDialog(kLockProgressDialog);
        ModelTest::SetUp();
        model = std::make_unique<VqsModel>();
    }
    void TearDown() override
    {
        model.reset();
        PxFaultInjection::Reset();
        ModelTest::TearDown();
    }
    // The user reads each remove prompt in turn and presses these buttons; meanwhile another
    // user does what `meanwhile` gives for that prompt.
    void AnswerPrompts(const std::vector<int>& buttons, const std::vector<std::function<void()>>& meanwhile = {})
    {
        for (std::size_t at = 0; at < buttons.size(); ++at) {
            const std::function<void()> other = at < meanwhile.size() ? meanwhile[at] : nullptr;
            ui.ExpectDialog(kRemovePromptDialog)
                .Run([this, other] {
                    CWnd* dialog = CWnd::GetFocus() ? CWnd::GetFocus()->GetParent() : nullptr;
                    ASSERT_NE(dialog, nullptr);
                    CString description;
                    dialog->GetDlgItemText(kDescription, description);
                    shown.push_back({std::string(description),
                                     dialog->GetDlgItem(VqsRemovePromptDlg::IDC_YES_TO_ALL)->IsWindowEnabled() != FALSE});
                    if (other)
                        other();
                })
                .Press(buttons[at]);
        }
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
        std::vector<int> buttons;
        bool result;
        int left;
    };
    const int yesToAll = VqsRemovePromptDlg::IDC_YES_TO_ALL;
    const Case cases[] = {
        {"Yes to All at the second prompt deletes the rest unasked", IDYES, true, {IDYES, yesToAll}, true, 0},
        {"No at the third prompt keeps the first two deleted", IDYES, true, {IDYES, IDYES, IDNO}, false, 3},
        {"Cancel at the first prompt deletes nothing", IDYES, true, {IDCANCEL}, false, 5},
        {"no check deletes everything unasked", IDNO, true, {}, true, 0},
        {"no check for an update returns at once", IDNO, false, {}, true, 5},
        {"an update asks about the first node and deletes nothing", IDYES, false, {IDYES}, true, 5},
        {"Cancel at the check question stops", IDCANCEL, true, {}, false, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        hosts.clear();
        nodes.RemoveAll();
        shown.clear();
        model = std::make_unique<VqsModel>();
        ListFiveHosts();
        ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, c.check);
        AnswerPrompts(c.buttons);

        EXPECT_EQ(Delete(c.deleteNow), c.result);

        ui.Verify();
        EXPECT_EQ(shown.size(), c.buttons.size());
        EXPECT_EQ(HostsLeft(), c.left);
        EXPECT_EQ(nodes.GetCount(), c.deleteNow ? c.left : 5) << "the nodes handled leave the list";
    }
}

TEST_F(DeleteNodesTest, APromptShowsTheNodesDescriptionAndOffersYesToAllWhileNodesFollow)
{
    ListFiveHosts();
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDYES);
    AnswerPrompts({IDYES, IDYES, IDYES, IDYES, IDYES});

    EXPECT_TRUE(Delete(true));

    ui.Verify();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[0].description,
              "Host H1\r\nis used in 0 generate sets\r\nand is found to be referenced in 0 previous configurations.");
    EXPECT_EQ(shown[4].description.substr(0, 9), "Host H5\r\n");
    EXPECT_TRUE(shown[3].yesToAll);
    EXPECT_FALSE(shown[4].yesToAll) << "no node follows the last";
    EXPECT_EQ(HostsLeft(), 0);
}

// The prompts hold nothing while the user reads them: another user renames H1 and deletes H2
// meanwhile. The delete finds that under its writes: H1 is asked about again as it is now, and
// H2, gone, is told and passed.
TEST_F(DeleteNodesTest, AHostChangedOrDeletedWhileItsPromptIsOpenIsAskedAgainOrTold)
{
    ListFiveHosts();
    const auto asOtherUser = [this](const std::function<void(PxVQEnterprise&)>& change) {
        return [this, change] {
            std::unique_ptr<PxVQLink> other = OtherUser();
            other->BeginTransaction();
            change(*other->GetLVQEnterprise());
            other->CommitTransaction();
        };
    };
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDYES);
    AnswerPrompts({IDYES},
                  {asOtherUser([](PxVQEnterprise& enterprise) { enterprise.GetHostInformation("H1")->SetName("H1X"); })});
    ui.ExpectMessageBox("Contents have changed and will be updated.", IDOK);
    AnswerPrompts({IDYES, IDYES},
                  {{}, asOtherUser([](PxVQEnterprise& enterprise) { enterprise.GetHostInformation("H2")->DeleteObject(); })});
    ui.ExpectMessageBox("Host item has been deleted.", IDOK);
    AnswerPrompts({IDCANCEL});

    EXPECT_FALSE(Delete(true));

    ui.Verify();
    std::vector<std::string> hostsShown;
    for (const Shown& prompt : shown)
        hostsShown.push_back(prompt.description.substr(0, prompt.description.find('\r')));
    EXPECT_EQ(hostsShown, (std::vector<std::string>{"Host H1", "Host H1X", "Host H2", "Host H3"}));
    EXPECT_FALSE(hosts[0]->ObjectPresent());
    EXPECT_EQ(HostsLeft(), 3);
}

// A generate set a generation of another user runs on is not deleted; the box saying so is
// shown with the Delete's writes given back: the other user reads the system's configuration
// meanwhile.
TEST_F(DeleteNodesTest, TheRefusalOfASetAGenerationRunsOnIsToldHoldingNothing)
{
    const std::unique_ptr<PxVQLink> generating = OtherUser();
    ASSERT_TRUE(generating->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")->ClaimForGeneration());
    VqsLockBag opened(VqsReadLock);
    VqsModelNode* genSet = model->LockGenSetNode(opened, PxVQGenSetPtr(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN")));
    ASSERT_NE(genSet, nullptr);
    nodes.AddTail(genSet);
    int configLock = -1;
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    ui.ExpectMessageBox("Lock failed:\nGenerate process for user other/dev persistently locked NTGEN.\nPlease try again after some time.", IDOK).WhileShown([&] {
        const std::unique_ptr<PxVQLink> other = OtherUser();
        configLock = other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->ReadLock().GetErrorCode();
    });

    EXPECT_FALSE(model->DeleteNodes(opened, nodes, true));

    ui.Verify();
    EXPECT_EQ(configLock, PxLockGranted);
    EXPECT_TRUE(System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN"));
}

// Another user deletes H2 while the user answers the check question: the Delete tells so with
// its writes given back (the other user reads the enterprise meanwhile) and deletes the rest.
TEST_F(DeleteNodesTest, AHostDeletedMeanwhileIsToldHoldingNothingAndTheOthersAreDeleted)
{
    ListFiveHosts();
    int enterpriseLock = -1;
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO).WhileShown([this] {
        DeleteAsOtherUser([](PxVQEnterprise& enterprise) { return enterprise.GetHostInformation("H2"); });
    });
    ui.ExpectMessageBox("Host item has been deleted.", IDOK).WhileShown([&] {
        const std::unique_ptr<PxVQLink> other = OtherUser();
        enterpriseLock = other->GetLVQEnterprise()->ReadLock().GetErrorCode();
    });

    EXPECT_TRUE(Delete(true));

    ui.Verify();
    EXPECT_EQ(enterpriseLock, PxLockGranted);
    EXPECT_EQ(HostsLeft(), 0);
}

TEST_F(DeleteNodesTest, APathThatCannotBeLockedWithoutTheCheckDeletesNothing)
{
    ListFiveHosts();
    // The paths are locked in one call, the enterprise first.
    PxFaultInjection::RefuseLock("PxLink::WriteLock", PxLockRefused);
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    ui.ExpectMessageBox("Lock failed:\nan object is currently locked by another user.\nPlease try again after some time.",
                        IDOK);

    EXPECT_FALSE(Delete(true));

    ui.Verify();
    EXPECT_EQ(HostsLeft(), 5);
}

// The nodes listed together go in one transaction: a deletion refused half-way deletes none.
TEST_F(DeleteNodesTest, ADeletionRefusedHalfWayDeletesNoneOfTheNodes)
{
    ListFiveHosts();
    PxFaultInjection::Throw("PxVQObject::DeleteObject", "Injected repository failure", 2);
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);
    ui.ExpectMessageBox("Cannot delete an object:\nInjected repository failure", IDOK);

    EXPECT_FALSE(Delete(true));

    ui.Verify();
    EXPECT_EQ(HostsLeft(), 5);
    EXPECT_NE(model->GetRootNode().FindHostNode(hosts[0]), nullptr) << "the model shows what is stored";
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

TEST_F(DeleteNodesTest, AProfileListedAfterItsIspecGoesWithTheIspec)
{
    for (const char* name : {"CUSTOMER", "CUSTBYNAME"}) {
        VqsModelNodeElementLink* node = model->FindElementLinkNode(Element("SYS1", "SALES", name));
        ASSERT_NE(node, nullptr) << name;
        nodes.AddTail(node);
    }
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);

    EXPECT_TRUE(Delete(true));

    ui.Verify();
    EXPECT_FALSE(Element("SYS1", "SALES", "CUSTOMER"));
    EXPECT_FALSE(Element("SYS1", "SALES", "CUSTBYNAME"));
    EXPECT_TRUE(nodes.IsEmpty());
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

// The bundle goes with its entries or not at all: the entry deleted before the refusal stays.
TEST_F(BundleDeleteTest, AnEntryThatCannotBeDeletedKeepsTheBundle)
{
    const PxVQBundlePtr orders = Orders();
    const std::vector<PxVQIspecBundleDataPtr> entries = Entries(orders);
    VqsModelNodeBundle* bundle = model.FindBundleNode(orders);
    PxFaultInjection::Throw("PxVQObject::DeleteObject", "Injected repository failure", 1);

    EXPECT_EQ(bundle->Delete(), 0);

    EXPECT_TRUE(entries[0]->ObjectPresent());
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
