#include "ModelTestSupport.h"

#include "model/VqsBSLock.h"
#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsSyncDlgs.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxHandle.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "support/ScriptedUiDriver.h"

#include <set>
#include <string>
#include <vector>

namespace {

// SYS1 keeps only its SALES link; the design and the configuration then differ as each
// test makes them.
struct SynchronisationTest : ModelTest {
    std::unique_ptr<PxLSEBuilder> builder;

    void SetUp() override
    {
        ModelTest::SetUp();
        builder = std::make_unique<PxLSEBuilder>(*app.GetLink());
        InRepository([&] {
            Segment("SYS1", "PAYROLL")->RecursiveDeleteObject();
            Segment("SYS1", "STOCK")->RecursiveDeleteObject();
        });
    }
    void TearDown() override
    {
        builder.reset();
        ModelTest::TearDown();
    }

    template <class Write>
    void InRepository(Write write)
    {
        app.GetLink()->BeginTransaction();
        write();
        app.GetLink()->CommitTransaction();
    }

    PxLSEBusinessSegmentPtr DesignSales() const { return app.GetLSEEnterprise()->GetBusinessSegment("SALES"); }

    void AddDesignElement(const char* className, const char* name, DWORD tag)
    {
        InRepository([&] {
            builder->AddRevision(builder->AddElement(DesignSales(), className, name), "Revision",
                                 GUID{tag, 1, 1, {}});
        });
    }

    // A link of the configuration that names no design element.
    void AddStrayLink(const char* name, int type, int unused = 0)
    {
        InRepository([&] {
            PxVQElementSoftLinkPtr link = Segment("SYS1", "SALES")->CreateElementSoftLink(name, type);
            link->CreateBlankOptions();
            link->SetUnusedMark(unused);
        });
    }

    void MarkUnused(const char* name)
    {
        InRepository([&] { Element("SYS1", "SALES", name)->SetUnusedMark(1); });
    }

    // The link no longer holds the design's revision.
    void Outdate(const char* name)
    {
        InRepository([&] {
            const BYTE stale[16] = {9, 9, 9};
            Element("SYS1", "SALES", name)->SetGuidBlob(stale, 16);
        });
    }

    int Synchronise(int mode, VqsSyncResult& result, int operation = VqsSyncCommand, bool locateOnly = false)
    {
        VqsModel model(operation);
        VqsBSLock segmentLock;
        VqsLockBag readBag(VqsReadLock);
        VqsLockBag updateBag(VqsFutureUpdateLock);
        return model.RefreshForGeneration(segmentLock, readBag, updateBag, System("SYS1")->GetCurConfig(), result,
                                          mode, PxHandle(), false, locateOnly);
    }
    int Synchronise(int mode)
    {
        VqsSyncResult result;
        return Synchronise(mode, result);
    }

    std::vector<std::string> PairNames(const VqsSyncResult& result) const
    {
        std::vector<std::string> names;
        for (POSITION pos = result.pairs.GetHeadPosition(); pos;)
            names.emplace_back(result.pairs.GetNext(pos).link->GetName());
        return names;
    }

    int Unused(const char* name) const { return Element("SYS1", "SALES", name)->GetUnusedMark(); }

    int GlobalLogicId(const char* name) const
    {
        return PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", name))->GetGLGUniqueID();
    }
};

bool Has(const std::vector<std::string>& names, const char* name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

} // namespace

TEST_F(SynchronisationTest, FullAutoDeletesWhatNoLongerMatchesAndLinksEveryNewElement)
{
    AddStrayLink("OLDREPORT", VQSoftLinkReport);
    AddDesignElement("PxLSEReport", "WEEKLY", 11);
    Outdate("DAILY");

    VqsSyncResult result;
    ASSERT_EQ(Synchronise(VqsSyncFullAuto, result), 1);

    EXPECT_FALSE(Element("SYS1", "SALES", "OLDREPORT"));
    EXPECT_TRUE(Element("SYS1", "SALES", "WEEKLY"));
    EXPECT_FALSE(Element("SYS1", "SALES", "INITDB")) << "a script never gets a link";
    EXPECT_TRUE(result.softLink && result.softLink->GetName() == "SALES");
    const std::vector<std::string> names = PairNames(result);
    EXPECT_TRUE(Has(names, "DAILY") && Has(names, "MONTHLY") && Has(names, "WEEKLY"));
    EXPECT_EQ(names.back(), "WEEKLY") << "new links follow the matched ones";
    EXPECT_FALSE(Has(names, "OLDREPORT"));

    const PxVQBSSoftLinkPtr sales = Segment("SYS1", "SALES");
    EXPECT_EQ(sales->GetLastSyncOption(), VqsSyncFullAuto);
    VqsDesignLinkPairList stored(10);
    sales->GetSyncPairList(stored);
    EXPECT_EQ(stored.GetCount(), result.pairs.GetCount());
}

TEST_F(SynchronisationTest, DefaultAutoMarksWhatNoLongerMatchesAndLeavesMarkedLinksAlone)
{
    AddStrayLink("OLDREPORT", VQSoftLinkReport);
    AddStrayLink("GONE", VQSoftLinkReport, 1);
    ASSERT_EQ(Synchronise(VqsSyncDefaultAuto), 1);
    EXPECT_EQ(Unused("OLDREPORT"), 1);
    EXPECT_EQ(Unused("GONE"), 1);
}

TEST_F(SynchronisationTest, AMarkedLinkWhoseElementIsBackIsTakenIntoUseAgain)
{
    MarkUnused("MONTHLY");
    ASSERT_EQ(Synchronise(VqsSyncDefaultAuto), 1);
    EXPECT_EQ(Unused("MONTHLY"), 0);
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(links);
    int monthly = 0;
    for (POSITION pos = links.GetHeadPosition(); pos;)
        monthly += links.GetNext(pos)->GetName() == "MONTHLY" ? 1 : 0;
    EXPECT_EQ(monthly, 1);
}

TEST_F(SynchronisationTest, NewGlobalLogicsTakeTheFreeNumbersSkippingEveryNumberInUse)
{
    InRepository([&] {
        PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "STARTUP"))->SetGLGUniqueID(1);
        PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "CALCTAX"))->SetGLGUniqueID(3);
    });
    AddDesignElement("PxLSEGlobalLogic", "PRICING", 21);
    AddDesignElement("PxLSEGlobalLogic", "DISCOUNT", 22);
    ASSERT_EQ(Synchronise(VqsSyncDefaultAuto), 1);
    EXPECT_EQ(GlobalLogicId("PRICING"), 2);
    EXPECT_EQ(GlobalLogicId("DISCOUNT"), 4);
}

TEST_F(SynchronisationTest, InteractiveModeAsksAboutTheLinksWithoutElements)
{
    struct Case {
        const char* what;
        int button;
        int answer;
        bool deleted;
    } cases[] = {
        {"Delete Selection", IDOK, 1, true},
        {"Keep all options", IDKEEPALL, 1, false},
        {"Cancel", IDCANCEL, 0, false},
    };
    AddStrayLink("OLDREPORT", VQSoftLinkReport);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        vqtest::ScriptedUiDriver driver;
        auto& dialog = driver.ExpectDialog(199);
        if (c.button == IDOK) {
            dialog.Click(1058).OK();
        } else {
            dialog.Press(c.button);
        }
        EXPECT_EQ(Synchronise(VqsSyncInteractive), c.answer);
        driver.Verify();
        EXPECT_EQ(Element("SYS1", "SALES", "OLDREPORT") == nullptr, c.deleted);
        if (c.deleted)
            AddStrayLink("OLDREPORT", VQSoftLinkReport);
    }
}

TEST_F(SynchronisationTest, TheDialogEnablesItsButtonsByTheSelection)
{
    AddStrayLink("OLDREPORT", VQSoftLinkReport);
    AddStrayLink("OLDDAY", VQSoftLinkReport);
    PxTypedList<PxVQElementSoftLinkPtr> offered;
    offered.AddTail(Element("SYS1", "SALES", "OLDREPORT"));
    offered.AddTail(Element("SYS1", "SALES", "OLDDAY"));
    VqsSyncElementsDlg dialog(nullptr, PxVQObjectPtr(Segment("SYS1", "SALES")), &offered);
    vqtest::ScriptedUiDriver driver;
    driver.ExpectDialog(199)
        .Click(1058)
        .Run([&] {
            EXPECT_EQ(dialog.GetSelectionCount(), 2);
            EXPECT_FALSE(dialog.GetDlgItem(1058)->IsWindowEnabled());
            EXPECT_TRUE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        })
        .Click(1045)
        .Run([&] {
            EXPECT_EQ(dialog.GetSelectionCount(), 0);
            EXPECT_TRUE(dialog.GetDlgItem(1058)->IsWindowEnabled());
            EXPECT_FALSE(dialog.GetDlgItem(IDOK)->IsWindowEnabled());
        })
        .Click(1058)
        .Press(IDKEEPALL);
    EXPECT_EQ(dialog.DoModal(), IDKEEPALL);
    EXPECT_TRUE(dialog.GetSelected().IsEmpty()) << "Keep all options hands back no selection";
}

TEST_F(SynchronisationTest, TheNewestLinkInUseWinsAndAnOlderLinkOfTheSameNameIsUnmatched)
{
    InRepository([&] {
        PxVQBSSoftLinkPtr second = System("SYS1")->GetCurConfig()->CreateBSSoftLink("SALES2");
        second->CreateBlankOptions();
    });
    ASSERT_EQ(Synchronise(VqsSyncFullAuto), 1);
    EXPECT_TRUE(Segment("SYS1", "SALES"));
    EXPECT_FALSE(Segment("SYS1", "SALES2")) << "a link that matches no segment goes in Full Auto";
}

TEST_F(SynchronisationTest, ALinkWithoutDesignSegmentIsMarkedInDefaultAuto)
{
    InRepository([&] {
        PxVQBSSoftLinkPtr old = System("SYS1")->GetCurConfig()->CreateBSSoftLink("RETIRED");
        old->CreateBlankOptions();
        old->SetUpdatedFlag(1);
    });
    ASSERT_EQ(Synchronise(VqsSyncDefaultAuto), 1);
    ASSERT_TRUE(Segment("SYS1", "RETIRED"));
    EXPECT_EQ(Segment("SYS1", "RETIRED")->GetUnusedMark(), 1);
}

TEST_F(SynchronisationTest, LocatingOnlyMarksTheLinkAndChangesNothingElse)
{
    AddStrayLink("OLDREPORT", VQSoftLinkReport);
    VqsSyncResult result;
    ASSERT_EQ(Synchronise(VqsSyncFullAuto, result, VqsSyncForGeneration, true), 1);
    EXPECT_TRUE(result.businessSegment);
    EXPECT_EQ(Segment("SYS1", "SALES")->GetLastSyncOption(), kVqsSyncLocateOnly);
    EXPECT_TRUE(Element("SYS1", "SALES", "OLDREPORT"));
}

TEST_F(SynchronisationTest, LocatingOnlyWithoutASegmentAnswersGoOnWithAnEmptyResult)
{
    InRepository([&] { Segment("SYS1", "SALES")->RecursiveDeleteObject(); });
    VqsSyncResult result;
    EXPECT_EQ(Synchronise(VqsSyncFullAuto, result, VqsSyncForGeneration, true), 1);
    EXPECT_FALSE(result.softLink);
}

TEST_F(SynchronisationTest, AGenerationAfterASynchronisationTakesTheStoredPairsWhileTheRevisionStands)
{
    ASSERT_TRUE(DesignSales()->GetSyncGenRevision());
    VqsSyncResult first;
    ASSERT_EQ(Synchronise(VqsSyncFullAuto, first), 1);
    AddStrayLink("OLDREPORT", VQSoftLinkReport);

    VqsSyncResult second;
    ASSERT_EQ(Synchronise(VqsSyncFullAuto, second, VqsSyncForGeneration), 1);
    EXPECT_EQ(second.pairs.GetCount(), first.pairs.GetCount());
    EXPECT_TRUE(Element("SYS1", "SALES", "OLDREPORT")) << "nothing else is synchronised";

    VqsSyncResult command;
    ASSERT_EQ(Synchronise(VqsSyncFullAuto, command, VqsSyncCommand), 1);
    EXPECT_FALSE(Element("SYS1", "SALES", "OLDREPORT")) << "the Synchronize command always runs in full";
}

TEST_F(SynchronisationTest, InInteractiveModeTheUserChoosesWhichSegmentLinksWithChangesGo)
{
    const auto addRetired = [&] {
        InRepository([&] {
            PxVQBSSoftLinkPtr old = System("SYS1")->GetCurConfig()->CreateBSSoftLink("RETIRED");
            old->CreateBlankOptions();
            old->SetUpdatedFlag(1);
        });
    };
    addRetired();
    {
        vqtest::ScriptedUiDriver driver;
        driver.ExpectDialog(162).Click(1428).OK();
        ASSERT_EQ(Synchronise(VqsSyncInteractive), 1);
        driver.Verify();
        EXPECT_FALSE(Segment("SYS1", "RETIRED"));
    }
    addRetired();
    {
        vqtest::ScriptedUiDriver driver;
        driver.ExpectDialog(162).Press(IDKEEPALL);
        ASSERT_EQ(Synchronise(VqsSyncInteractive), 1);
        driver.Verify();
        ASSERT_TRUE(Segment("SYS1", "RETIRED")) << "kept, the link holds changed options";
        EXPECT_EQ(Segment("SYS1", "RETIRED")->GetUnusedMark(), 1);
    }
}

namespace {

int RefuseSegments(const char*) { return 0; }

const char kSalesHeldByOther[] = "Cannot lock SALES as it is currently locked by another user.\nPlease try again after some time.";

} // namespace

TEST_F(SynchronisationTest, AReportGenerationNeverTakesTheSegmentLockWhichTheOthersNeed)
{
    app.RegisterWYRCallBack(&RefuseSegments, nullptr, nullptr);
    VqsSyncResult forReports;
    EXPECT_EQ(Synchronise(VqsSyncFullAuto, forReports, VqsSyncForReports), 1);
    EXPECT_TRUE(forReports.softLink);
    VqsSyncResult forCommand;
    vqtest::ScriptedUiDriver driver;
    driver.ExpectMessageBox(kSalesHeldByOther, IDOK);
    EXPECT_EQ(Synchronise(VqsSyncFullAuto, forCommand, VqsSyncCommand), 0) << "refused by the host";
    driver.Verify();
    app.RegisterWYRCallBack(nullptr, nullptr, nullptr);
}

// The sample's SALES carries a shared design lock by "designer/lse"; the session is "ABC".
TEST_F(SynchronisationTest, OnlyAnExclusiveDesignLockOfAnotherUserHoldsTheSegmentAfterADeclinedRestart)
{
    const struct {
        const char* what;
        const char* holder;
        int exclusive;
        bool declinedRestart;
        int result;
        bool hostLocked;
        std::vector<std::string> boxes;
    } cases[] = {
        {"a shared lock of another user", "designer/lse", 0, true, 1, true, {}},
        {"an exclusive lock of the session's user", "abc/ws12", 1, true, 1, false, {}},
        {"an exclusive lock of another user", "other/ws1", 1, true, 0, false, {kSalesHeldByOther}},
        {"without a declined restart the host is asked", "other/ws1", 1, false, 1, true, {}},
    };
    const PxLSELockedObjectPtr record = app.GetLSEEnterprise()->GetLockedObject(DesignSales());
    ASSERT_TRUE(record);
    for (const auto& c : cases) {
        InRepository([&] {
            record->SetAttributeText("usercode", c.holder);
            record->SetAttributeInt("exclusiveLock", c.exclusive);
        });
        VqsModel model(VqsSyncForGeneration);
        VqsBSLock segmentLock;
        VqsLockBag readBag(VqsReadLock);
        VqsLockBag updateBag(VqsFutureUpdateLock);
        VqsSyncResult result;
        vqtest::ScriptedUiDriver driver;
        for (const std::string& box : c.boxes)
            driver.ExpectMessageBox(box, IDOK);
        EXPECT_EQ(model.RefreshForGeneration(segmentLock, readBag, updateBag, System("SYS1")->GetCurConfig(), result,
                                             VqsSyncDefaultAuto, PxHandle(), c.declinedRestart, true),
                  c.result)
            << c.what;
        driver.Verify();
        EXPECT_EQ(segmentLock.IsHeld() != FALSE, c.hostLocked) << c.what;
    }
}

TEST_F(SynchronisationTest, AFailureToStoreTheResultStopsTheGeneration)
{
    PxFaultInjection::Throw("PxVQBSSoftLink::SetSyncPairList");
    vqtest::ScriptedUiDriver driver;
    driver.ExpectMessageBox("Cannot finish the synchronisation:\nInjected repository failure", IDOK);
    EXPECT_EQ(Synchronise(VqsSyncDefaultAuto), 0);
    driver.Verify();
    PxFaultInjection::Reset();
    EXPECT_NE(Segment("SYS1", "SALES")->GetLastSyncOption(), VqsSyncDefaultAuto) << "nothing of it was stored";
}

TEST_F(SynchronisationTest, ALinkWithoutDesignSegmentKeepsOnlyTheElementLinksUsersChanged)
{
    InRepository([&] {
        PxVQBSSoftLinkPtr old = System("SYS1")->GetCurConfig()->CreateBSSoftLink("RETIRED");
        old->CreateBlankOptions();
        PxVQElementSoftLinkPtr kept = old->CreateElementSoftLink("KEPT", VQSoftLinkReport);
        kept->CreateBlankOptions();
        kept->SetUpdatedFlag(1);
        old->CreateElementSoftLink("DROPPED", VQSoftLinkReport)->CreateBlankOptions();
    });
    ASSERT_EQ(Synchronise(VqsSyncDefaultAuto), 1);
    const PxVQBSSoftLinkPtr retired = Segment("SYS1", "RETIRED");
    ASSERT_TRUE(retired);
    EXPECT_EQ(retired->GetUnusedMark(), 1);
    EXPECT_FALSE(retired->GetElementSoftLink("DROPPED"));
    ASSERT_TRUE(retired->GetElementSoftLink("KEPT"));
    EXPECT_EQ(retired->GetElementSoftLink("KEPT")->GetUnusedMark(), 1);
}

TEST_F(SynchronisationTest, ALinkInUseIsMatchedBeforeAMarkedLinkOfTheSameNameReadFirst)
{
    // The report's first link is kept with the unused mark and the user's options, as a
    // rename in Default Auto leaves the link it finds in its way; the newer link is in use.
    const PxVQElementSoftLinkPtr kept = Element("SYS1", "SALES", "MONTHLY");
    PxVQElementSoftLinkPtr inUse;
    InRepository([&] {
        kept->SetUnusedMark(1);
        kept->SetUpdatedFlag(1);
        inUse = Segment("SYS1", "SALES")->CreateElementSoftLink("MONTHLY", VQSoftLinkReport);
        inUse->CreateBlankOptions();
    });
    VqsSyncResult result;
    ASSERT_EQ(Synchronise(VqsSyncDefaultAuto, result), 1);
    EXPECT_EQ(inUse->GetUnusedMark(), 0);
    EXPECT_EQ(kept->GetUnusedMark(), 1);
    int paired = 0;
    for (POSITION pos = result.pairs.GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr link = result.pairs.GetNext(pos).link;
        if (link->GetName() == "MONTHLY") {
            EXPECT_TRUE(link->IsSameOid(inUse));
            ++paired;
        }
    }
    EXPECT_EQ(paired, 1);
}

TEST_F(SynchronisationTest, ANewDesignProfileGetsItsLinkBesideALinkOfAnotherKindOfItsName)
{
    AddStrayLink("BYREGION", VQSoftLinkReport, 1);
    AddDesignElement("PxLSEProfile", "BYREGION", 12);
    VqsSyncResult result;
    ASSERT_EQ(Synchronise(VqsSyncDefaultAuto, result), 1);
    std::multiset<int> types;
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(links);
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr link = links.GetNext(pos);
        if (link->GetName() == "BYREGION")
            types.insert(link->GetElementType());
    }
    EXPECT_EQ(types, (std::multiset<int>{VQSoftLinkReport, VQSoftLinkProfile}));
    EXPECT_TRUE(Has(PairNames(result), "BYREGION"));
}

namespace {

// The sample at a scale holds what the module would make and keep.
struct ScaledSampleSynchronisationTest : ShellTest {
    vqtest::SampleRepository scaled{vqrepo::SampleScale{1, 1, 10}};

    // The names of the element links of the first system's segment.
    std::set<std::string> LinkNames() const
    {
        PxTypedList<PxVQSystemPtr> systems;
        app.GetEnterprise()->GetListOfSystems(systems);
        PxTypedList<PxVQBSSoftLinkPtr> segments;
        systems.GetHead()->GetCurConfig()->GetListOfBSSoftLinks(segments);
        PxTypedList<PxVQElementSoftLinkPtr> links;
        segments.GetHead()->GetListOfElementSoftLinks(links);
        std::set<std::string> names;
        for (POSITION pos = links.GetHeadPosition(); pos;)
            names.insert(links.GetNext(pos)->GetName().GetString());
        return names;
    }
};

} // namespace

TEST_F(ScaledSampleSynchronisationTest, TheFirstSynchronisationKeepsEveryLinkOfTheGeneratedElements)
{
    ASSERT_TRUE(app.SetResourceModule("vqsysres"));
    ASSERT_TRUE(app.OpenSession(scaled.Path().c_str(), "ABC", nullptr));
    const std::set<std::string> before = LinkNames();
    ASSERT_TRUE(before.count("P000003") && before.count("P000008")) << "the generated profiles have links";
    PxTypedList<PxVQSystemPtr> systems;
    app.GetEnterprise()->GetListOfSystems(systems);
    {
        VqsModel model(VqsSyncCommand);
        VqsBSLock segmentLock;
        VqsLockBag readBag(VqsReadLock);
        VqsLockBag updateBag(VqsFutureUpdateLock);
        VqsSyncResult result;
        ASSERT_EQ(model.RefreshForGeneration(segmentLock, readBag, updateBag, systems.GetHead()->GetCurConfig(),
                                             result, VqsSyncFullAuto, PxHandle(), false, false),
                  1);
    }
    EXPECT_EQ(LinkNames(), before);
    app.CloseSession();
}
