#include "ConfigTestSupport.h"

#include "config/VqsNewBSLinkSheet.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQSystem.h"
#include "proxy/PxVQTypes.h"
#include "support/ChildProcess.h"
#include "win/CPropertySheet.h"
#include "win/Clock.h"

#include <unistd.h>

#include <algorithm>
#include <functional>
#include <stdexcept>

using configtest::WizardTest;

namespace {

using Gen = VqsBSGenPage;
using Synch = VqsBSSynchPage;
using Pack = VqsBSPackPage;
using GS = VqsBSGSPage;
using Target = VqsBSGSHostPage;
using GSPack = VqsBSGSPackPage;
using HostPage = VqsBSHostPage;
using Ftp = VqsBSHostFTPPage;

constexpr UINT IDS_ENTER_CORRECT_NAME = 61465;
constexpr UINT IDS_CONTENTS_CHANGED = 61757;
constexpr DWORD kBackFinish = PSWIZB_BACK | PSWIZB_FINISH;
constexpr char kSystem[] = "SYS1";

// The wizard over SYS1's current configuration, run as the directory view's command runs
// it: the configuration read-locked in the creator's bag first. The configuration's
// entries and option sets are changed as another user would, before the wizard starts.
struct AddBSWizardTest : WizardTest {
    std::unique_ptr<VqsLockBag> creatorBag;
    std::unique_ptr<VqsNewBSLinkSheet> bs;

    void TearDown() override
    {
        EndBSWizard();
        WizardTest::TearDown();
    }

    INT_PTR RunAddBSWizard()
    {
        model = std::make_unique<VqsModel>();
        creatorBag = std::make_unique<VqsLockBag>(VqsReadLock);
        const PxVQCurConfigPtr config = app.GetLink()->GetLVQEnterprise()->GetSystem(kSystem)->GetCurConfig();
        VqsModelNodeCurConfig* node = model->LockCurConfigNode(*creatorBag, config);
        bs = std::make_unique<VqsNewBSLinkSheet>(creatorBag.get(), node, nullptr);
        return bs->DoModal();
    }

    // Destroys the sheet, then what the creator holds.
    void EndBSWizard()
    {
        bs.reset();
        creatorBag.reset();
        model.reset();
    }

    void AsOtherUser(const std::function<void(const PxVQCurConfigPtr&)>& change) const
    {
        std::unique_ptr<PxVQLink> other = OtherUser();
        other->BeginTransaction();
        change(other->GetLVQEnterprise()->GetSystem(kSystem)->GetCurConfig());
        other->CommitTransaction();
    }

    // Entries of the segments named are deleted, the others marked obsolete.
    void LeaveObsoleteEntriesBut(std::vector<std::string> deleted) const
    {
        AsOtherUser([&](const PxVQCurConfigPtr& config) {
            PxTypedList<PxVQBSSoftLinkPtr> links;
            config->GetListOfBSSoftLinks(links);
            for (POSITION pos = links.GetHeadPosition(); pos;) {
                const PxVQBSSoftLinkPtr link = links.GetNext(pos);
                if (std::find(deleted.begin(), deleted.end(), link->GetName().str()) != deleted.end())
                    link->RecursiveDeleteObject();
                else
                    link->SetUnusedMark(1);
            }
        });
    }

    static void DeleteOptionSets(const PxVQCurConfigPtr& config)
    {
        PxTypedList<PxVQOptionSetPtr> optionSets;
        config->GetListOfOptionSets(optionSets);
        for (POSITION pos = optionSets.GetHeadPosition(); pos;)
            optionSets.GetNext(pos)->RecursiveDeleteObject();
    }

    bool ConfigLockedForOthers() const
    {
        std::unique_ptr<PxVQLink> other = OtherUser();
        return other->GetLVQEnterprise()->GetSystem(kSystem)->GetCurConfig()->IsLocked();
    }

    bool AnythingLockedForOthers() const
    {
        return ConfigLockedForOthers() || EnterpriseLockedForOthers() || AnyPackLockedForOthers();
    }

    DWORD Buttons() const { return bs ? bs->GetWizardButtons() : 0; }

    std::string Text(int id) const
    {
        CString text;
        CPropertyPage* page = bs ? bs->GetActivePage() : nullptr;
        if (CWnd* control = page ? page->GetDlgItem(id) : nullptr)
            control->GetWindowText(text);
        return text.str();
    }

    int EntryCount() const
    {
        PxTypedList<PxVQBSSoftLinkPtr> links;
        OtherUser()->GetLVQEnterprise()->GetSystem(kSystem)->GetCurConfig()->GetListOfBSSoftLinks(links);
        return static_cast<int>(links.GetCount());
    }
};

std::string ValidEntryMessage(const std::string& name)
{
    return "Cannot add the Business Segment specification:\nafter refreshing the data the target System is found to "
           "contain\na valid entry with options for\nBusiness Segment " +
           name + ".";
}

} // namespace

// A configuration that still has a valid entry cannot take another segment: the wizard
// names the entry and closes, holding nothing.
TEST_F(AddBSWizardTest, AValidEntryClosesTheWizardWithItsName)
{
    ui.ExpectWizard();
    ui.ExpectMessageBox(ValidEntryMessage("SALES business segment"), IDOK);
    EXPECT_NE(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    bs.reset();
    EXPECT_FALSE(AnythingLockedForOthers());
}

// A segment with an obsolete entry goes by page 2; "Use existing options:" finishes there
// with the reuse flag, the configuration write-locked and the segment held by the host.
TEST_F(AddBSWizardTest, AnObsoleteEntryIsOfferedForReuse)
{
    LeaveObsoleteEntriesBut({});
    std::string entryName;
    DWORD buttons = 0;
    ui.ExpectWizard("New System Wizard")
        .OnPage(Gen::IDD)
        .Run([&] { buttons = Buttons(); })
        .Next()
        .OnPage(Synch::IDD)
        .Run([&] { entryName = Text(Synch::IDC_ENTRY_NAME); })
        .Finish();
    EXPECT_EQ(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(buttons, static_cast<DWORD>(PSWIZB_NEXT));
    EXPECT_EQ(entryName, "SALES business segment");
    ASSERT_TRUE(bs->m_genPage.m_selectedSegment);
    EXPECT_EQ(bs->m_genPage.m_selectedSegment->GetName(), "SALES");
    EXPECT_EQ(bs->m_genPage.m_bReuse, 1);
    EXPECT_EQ(bs->m_synchPage.m_choice.m_nValue, 0);
    EXPECT_TRUE(ConfigLockedForOthers());
    EndBSWizard();
    EXPECT_FALSE(AnythingLockedForOthers());
    EXPECT_EQ(HostLockCalls(), (std::vector<std::string>{"query SALES", "notify SALES"}));
}

// Of two obsolete entries of the segment, the one made later is offered.
TEST_F(AddBSWizardTest, TheNewestObsoleteEntryIsOffered)
{
    LeaveObsoleteEntriesBut({});
    vqclock::ManualClock later(4000000000);
    vqclock::ScopedClock clock(later);
    AsOtherUser([](const PxVQCurConfigPtr& config) {
        const PxVQBSSoftLinkPtr later = config->CreateBSSoftLink("SALES");
        later->SetDescription("made again");
        later->SetUnusedMark(1);
    });
    std::string description;
    ui.ExpectWizard()
        .OnPage(Gen::IDD)
        .Next()
        .OnPage(Synch::IDD)
        .Run([&] { description = Text(Synch::IDC_ENTRY_DESCRIPTION); })
        .Cancel();
    EXPECT_NE(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(description, "made again");
}

// Back from page 3 goes to page 1 when the segment has no obsolete entry.
TEST_F(AddBSWizardTest, BackFromThePackPageSkipsTheSynchronisationPageWithoutAnEntry)
{
    LeaveObsoleteEntriesBut({"SALES"});
    SetPackType("SALESFG", VQPackPath);
    ui.ExpectWizard().OnPage(Gen::IDD).Next().OnPage(Pack::IDD).Back().OnPage(Gen::IDD).Cancel();
    EXPECT_NE(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    bs.reset();
    EXPECT_FALSE(AnythingLockedForOthers());
}

// A segment whose NT initial packs are both taken by packs of the other kind brings a row
// for the NT generate set on page 3: Finish waits for a replacement, a path pack is refused there
// with the focus on its combo, and the replacement chosen is what the sheet yields.
TEST_F(AddBSWizardTest, ClashingInitialPacksAreReplacedInTheExistingGenerateSets)
{
    LeaveObsoleteEntriesBut({"SALES"});
    SetPackType("SALESFG", VQPackPath);
    SetPackType("SALESPATH", VQPackTablespace);
    AddPack("OLDPATH", VQPackPath);
    AsOtherUser([](const PxVQCurConfigPtr& config) { config->GetOptionSet("UNIXGEN")->RecursiveDeleteObject(); });
    std::vector<DWORD> buttons;
    std::string defaultTablespace;
    int focus = 0;
    ui.ExpectWizard()
        .OnPage(Gen::IDD)
        .Next()
        .OnPage(Pack::IDD)
        .Run([&] { buttons.push_back(Buttons()); })
        .Type(Pack::IDC_TABLESPACE, "OLDPATH")
        .Run([&] { buttons.push_back(Buttons()); })
        .Type(Pack::IDC_PATH, "NEWPATH")
        .Run([&] { buttons.push_back(Buttons()); })
        .Finish()
        .OnPage(Pack::IDD)
        .Run([&] { focus = FocusId(); })
        .Replace(Pack::IDC_TABLESPACE, "NEWFG")
        .Finish();
    ui.ExpectMessageBox("Pack OLDPATH is a file path\nand cannot be used in NTGEN options.",
                        IDOK);
    EXPECT_EQ(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(buttons, (std::vector<DWORD>{PSWIZB_BACK, PSWIZB_BACK, kBackFinish}));
    EXPECT_EQ(focus, Pack::IDC_TABLESPACE);
    EXPECT_EQ(bs->m_genPage.m_bReuse, 0);
    ASSERT_EQ(bs->m_genSetPackReplacements.GetCount(), 1);
    const VqsGSetPackReplacement& record = bs->m_genSetPackReplacements.GetHead();
    EXPECT_EQ(record.genSet->GetName(), "NTGEN");
    EXPECT_EQ(record.defaultTablespacePack, "SALESFG");
    EXPECT_EQ(record.replacementTablespacePack, "NEWFG");
    EXPECT_EQ(record.defaultPathPack, "SALESPATH");
    EXPECT_EQ(record.replacementPathPack, "NEWPATH");
    EXPECT_TRUE(ConfigLockedForOthers());
    EndBSWizard();
    EXPECT_FALSE(AnythingLockedForOthers());
}

// A segment without entry or clash finishes on page 1.
TEST_F(AddBSWizardTest, ASegmentWithoutEntryOrClashFinishesOnPageOne)
{
    LeaveObsoleteEntriesBut({"SALES"});
    DWORD buttons = 0;
    ui.ExpectWizard().OnPage(Gen::IDD).Run([&] { buttons = Buttons(); }).Finish();
    EXPECT_EQ(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(buttons, static_cast<DWORD>(PSWIZB_FINISH));
    EXPECT_EQ(bs->m_genPage.m_bReuse, 0);
    EXPECT_FALSE(bs->m_genPage.m_bNoOptionSets);
    EXPECT_TRUE(bs->m_genSetPackReplacements.IsEmpty());
}

namespace {

struct NoOptionSetsTest : AddBSWizardTest {
    void SetUp() override
    {
        AddBSWizardTest::SetUp();
        LeaveObsoleteEntriesBut({"SALES"});
        AsOtherUser(&DeleteOptionSets);
    }
};

// The user's way to page n of a system without option sets: a generate set on a new UNIX
// host whose initial Tablespace pack is taken by a path pack.
vqtest::ScriptedUiDriver::WindowScript& WalkTo(vqtest::ScriptedUiDriver::WindowScript& script, int page)
{
    script.OnPage(Gen::IDD);
    if (page == 1)
        return script;
    script.Next().OnPage(GS::IDD);
    if (page == 4)
        return script;
    script.Type(GS::IDC_NAME, "Nightly").Next().OnPage(Target::IDD);
    if (page == 5)
        return script;
    script.Click(Target::IDC_UNIX).Next().OnPage(GSPack::IDD);
    if (page == 6)
        return script;
    script.Type(GSPack::IDC_TABLESPACE, "NEWTS").Type(GSPack::IDC_PATH, "NEWPATH").Next().OnPage(HostPage::IDD);
    if (page == 7)
        return script;
    return script.Type(HostPage::IDC_NAME, "UXNEW").Type(HostPage::IDC_ADDRESS, "ux.example").Next().OnPage(Ftp::IDD);
}

} // namespace

// Without option sets the wizard offers a first generate set and goes through the shared
// pages; Finish on the FTP page yields every value with the configuration and the
// enterprise write-locked.
TEST_F(NoOptionSetsTest, AFirstGenerateSetWithItsHostIsYielded)
{
    SetPackType("SALESTS", VQPackPath);
    SetPackType("SALESPATH", VQPackTablespace);
    DeleteHost("UNIXHOST");
    WalkTo(ui.ExpectWizard(), 8).Click(Ftp::IDC_ENTER_AT_LOGIN).Finish();
    EXPECT_EQ(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_EQ(bs->m_genPage.m_bNoOptionSets, 1);
    EXPECT_EQ(bs->m_gsPage.m_name.GetValue(), "Nightly");
    EXPECT_EQ(bs->m_gsPage.m_secondName.GetValue(), "NIGHTLY");
    EXPECT_EQ(bs->m_targetHostPage.m_nHostType, VQHostUnix);
    EXPECT_EQ(bs->m_targetHostPage.m_bHostsOfTypeExist, 0);
    EXPECT_EQ(bs->m_hostPage.m_name.GetValue(), "UXNEW");
    EXPECT_EQ(bs->m_bUnixPackConflict, 1);
    EXPECT_EQ(bs->m_unixPacks.initialTablespace, "SALESTS");
    EXPECT_EQ(bs->m_unixPacks.replacementTablespace, "NEWTS");
    EXPECT_TRUE(ConfigLockedForOthers());
    EXPECT_TRUE(EnterpriseLockedForOthers());
    EndBSWizard();
    EXPECT_FALSE(AnythingLockedForOthers());
}

// Page 4 refuses an empty name unless no generate set is wanted.
TEST_F(NoOptionSetsTest, TheGenerateSetNeedsANameUnlessNoneIsWanted)
{
    ui.ExpectWizard()
        .OnPage(Gen::IDD)
        .Next()
        .OnPage(GS::IDD)
        .Next()
        .OnPage(GS::IDD)
        .Click(GS::IDC_NO_GENSET)
        .Finish();
    ui.ExpectMessageBoxId(IDS_ENTER_CORRECT_NAME, IDOK);
    EXPECT_EQ(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_TRUE(bs->m_gsPage.m_noGenSet.m_bValue);
}

// Cancel on any page creates nothing and gives every lock back, the host's segment lock too.
TEST_F(NoOptionSetsTest, CancelOnAnyPageLeavesNothingBehind)
{
    SetPackType("SALESTS", VQPackPath);
    SetPackType("SALESPATH", VQPackTablespace);
    DeleteHost("UNIXHOST");
    const int entries = EntryCount();
    for (int page : {1, 4, 5, 6, 7, 8}) {
        SCOPED_TRACE("cancelled on page " + std::to_string(page));
        WalkTo(ui.ExpectWizard(), page).Cancel();
        EXPECT_NE(RunAddBSWizard(), ID_WIZFINISH);
        ui.Verify();
        bs.reset();
        EXPECT_FALSE(AnythingLockedForOthers());
        EndBSWizard();
        EXPECT_EQ(EntryCount(), entries);
        const std::vector<std::string> calls = HostLockCalls();
        EXPECT_TRUE(calls.empty() || calls.back() == "notify SALES");
    }
}

// Cancel on pages 2 and 3 gives every lock back as well.
TEST_F(AddBSWizardTest, CancelOnTheSynchronisationAndPackPagesLeavesNothingBehind)
{
    LeaveObsoleteEntriesBut({});
    SetPackType("SALESFG", VQPackPath);
    SetPackType("SALESPATH", VQPackTablespace);
    ui.ExpectWizard()
        .OnPage(Gen::IDD)
        .Next()
        .OnPage(Synch::IDD)
        .Click(Synch::IDC_CREATE_DEFAULT)
        .Next()
        .OnPage(Pack::IDD)
        .Back()
        .OnPage(Synch::IDD)
        .Cancel();
    EXPECT_NE(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    bs.reset();
    EXPECT_FALSE(AnythingLockedForOthers());
    EXPECT_EQ(HostLockCalls(), (std::vector<std::string>{"query SALES", "notify SALES"}));
}

namespace {

// Another process removes the configuration's option sets while page 1 is open.
struct OptionSetsRemovedMeanwhileTest : AddBSWizardTest {
    void SetUp() override
    {
        AddBSWizardTest::SetUp();
        LeaveObsoleteEntriesBut({"SALES"});
        app.CloseSession();
        if (pipe(go) != 0)
            FAIL() << "pipe";
        const std::string repository = sample.Path();
        const int wait = go[0];
        remover = std::make_unique<vqtest::ChildProcess>([=] {
            char byte = 0;
            if (read(wait, &byte, 1) != 1)
                throw std::runtime_error("no word from the parent");
            PxVQLink link;
            link.AttachSession(repository.c_str(), "other/dev", nullptr);
            link.BeginTransaction();
            DeleteOptionSets(link.GetLVQEnterprise()->GetSystem(kSystem)->GetCurConfig());
            link.CommitTransaction();
        });
        ASSERT_TRUE(app.OpenSession(sample.Path().c_str(), "ABC", nullptr));
    }
    void TearDown() override
    {
        AddBSWizardTest::TearDown();
        remover.reset();
        close(go[0]);
        close(go[1]);
    }

    std::unique_ptr<vqtest::ChildProcess> remover;
    int go[2] = {-1, -1};
};

} // namespace

// Page 1 offered Finish; after the removal Finish finds a system without option sets, says
// so and offers Next, which leads to the generate-set page.
TEST_F(OptionSetsRemovedMeanwhileTest, FinishBecomesNextWhenTheLastOptionSetGoes)
{
    std::vector<DWORD> buttons;
    bool removed = false;
    ui.ExpectWizard()
        .OnPage(Gen::IDD)
        .Run([&] {
            buttons.push_back(Buttons());
            char byte = 1;
            removed = write(go[1], &byte, 1) == 1 && remover->WaitReady();
        })
        .Finish()
        .OnPage(Gen::IDD)
        .Run([&] { buttons.push_back(Buttons()); })
        .Next()
        .OnPage(GS::IDD)
        .Cancel();
    ui.ExpectMessageBoxId(IDS_CONTENTS_CHANGED, IDOK);
    EXPECT_NE(RunAddBSWizard(), ID_WIZFINISH);
    ui.Verify();
    EXPECT_TRUE(removed);
    EXPECT_EQ(buttons, (std::vector<DWORD>{PSWIZB_FINISH, PSWIZB_NEXT}));
    bs.reset();
    EXPECT_FALSE(AnythingLockedForOthers());
}
