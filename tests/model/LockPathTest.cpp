#include "ModelTestSupport.h"

#include "model/VqsLockBag.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxVQBundle.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQOptions.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"

namespace {

// The objects the session's lock calls granted, in order.
std::vector<std::uint64_t> g_locked;

int RecordLocked(PxLockErrorInfo& info)
{
    if (info.GetErrorCode() == 0 && info.GetObject())
        g_locked.push_back(info.GetObject()->GetHandle().MapKey());
    return 0;
}

struct LockPathTest : SalesModelTest {
    PxRetryFunction previous = nullptr;

    void SetUp() override
    {
        SalesModelTest::SetUp();
        g_locked.clear();
        previous = app.GetLink()->PxSetRetryFunction(&RecordLocked);
        PxTesting::ResetListReads();
    }
    void TearDown() override
    {
        app.GetLink()->PxSetRetryFunction(previous);
        ModelTest::TearDown();
    }
    static std::uint64_t Key(const PxObjectPtr& object) { return object->GetHandle().MapKey(); }
};

} // namespace

TEST_F(LockPathTest, LockingAReportLocksTheWayDownThenItsAliasesThenItsOptions)
{
    const PxVQElementSoftLinkPtr monthly = Element("SYS1", "SALES", "MONTHLY");
    const PxVQObjectPtr target = monthly;
    VqsModelNodeElementLink* element = model.FindElementLinkNode(monthly);
    ASSERT_NE(element, nullptr);

    VqsLockBag bag(VqsWriteLock);
    ASSERT_EQ(bag.LockNode(config), 1);
    ASSERT_EQ(sales->LockPath(bag, target), 1);
    ASSERT_EQ(element->LockPath(bag, target), 1);

    std::vector<std::uint64_t> expected{Key(config->GetObject()), Key(sales->GetObject()), Key(monthly)};
    const PxVQReportGroupPtr monthEnd = ReportGroup("SYS1", "SALES", "MONTHEND");
    PxTypedList<PxVQReportSoftLinkAliasPtr> aliases;
    monthEnd->GetListOfReportSoftLinkAliases(aliases);
    for (POSITION pos = aliases.GetHeadPosition(); pos;) {
        const PxVQReportSoftLinkAliasPtr alias = aliases.GetNext(pos);
        if (alias->GetSoftLink()->IsSameOid(monthly)) {
            expected.push_back(Key(monthEnd));
            expected.push_back(Key(alias));
        }
    }
    ASSERT_EQ(expected.size(), 5u) << "one alias names the report, below its group";
    PxTypedList<PxOptionsPtr> records;
    monthly->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr record = records.GetNext(pos);
        expected.push_back(Key(record->GetOptionSet()));
        expected.push_back(Key(record));
    }
    EXPECT_EQ(g_locked, expected);
    EXPECT_EQ(bag.GetCount(), static_cast<INT_PTR>(expected.size()));
}

TEST_F(LockPathTest, WithoutATargetALinkLocksOnlyItself)
{
    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(sales->LockPath(bag, nullptr), 1);
    EXPECT_EQ(g_locked, std::vector<std::uint64_t>{Key(sales->GetObject())});
    EXPECT_EQ(PxTesting::ListReads(), 0);
}

TEST_F(LockPathTest, AReportGroupWithoutAliasesLocksOnlyTheLinkAndReadsNoElements)
{
    PxVQLink& link = *app.GetLink();
    link.BeginTransaction();
    const PxVQReportGroupPtr empty = Segment("SYS1", "SALES")->CreateReportGroup("EMPTY");
    link.CommitTransaction();

    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(sales->LockPath(bag, PxVQObjectPtr(empty)), 1);
    EXPECT_EQ(g_locked, std::vector<std::uint64_t>{Key(sales->GetObject())});
    EXPECT_EQ(PxTesting::ListReads("PxVQBSSoftLink::GetListOfElementSoftLinks"), 0);
}

TEST_F(LockPathTest, AReportGroupTargetLocksTheElementsItNames)
{
    VqsLockBag bag(VqsReadLock);
    const PxVQReportGroupPtr group = ReportGroup("SYS1", "SALES", "MONTHEND");
    EXPECT_EQ(sales->LockPath(bag, PxVQObjectPtr(group)), 1);
    const std::vector<std::uint64_t> expected{Key(sales->GetObject()), Key(Element("SYS1", "SALES", "MONTHLY")),
                                              Key(Element("SYS1", "SALES", "DAILY"))};
    EXPECT_EQ(g_locked, expected);
}

TEST_F(LockPathTest, AReportGroupThatCannotBeFoundFailsWithoutAMessage)
{
    const PxVQReportGroupPtr group = ReportGroup("SYS1", "SALES", "MONTHEND");
    auto other = OtherUser();
    other->BeginTransaction();
    other->GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES")->GetReportGroup("MONTHEND")
        ->DeleteObject();
    other->CommitTransaction();

    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(sales->LockPath(bag, PxVQObjectPtr(group)), 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(LockPathTest, AnOptionSetTargetLocksTheLinkAndEveryElementLinkOnly)
{
    const PxVQOptionSetPtr optionSet = System("SYS1")->GetCurConfig()->GetOptionSet("NTGEN");
    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(sales->LockPath(bag, PxVQObjectPtr(optionSet)), 1);
    std::vector<std::uint64_t> expected{Key(sales->GetObject())};
    PxTypedList<PxVQElementSoftLinkPtr> links;
    Segment("SYS1", "SALES")->GetListOfElementSoftLinks(links);
    std::vector<std::uint64_t> profilesOfIspecs;
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        const PxVQElementSoftLinkPtr link = links.GetNext(pos);
        const PxVQProfileSoftLinkPtr profile = link;
        if (profile && profile->GetComponent())
            profilesOfIspecs.push_back(Key(link));
        else if (!link->_IsKindOf("PxVQSQLScriptSoftLink"))
            expected.push_back(Key(link));
    }
    expected.insert(expected.end(), profilesOfIspecs.begin(), profilesOfIspecs.end());
    EXPECT_EQ(g_locked, expected) << "the profiles placed under their Ispecs are read last";
    EXPECT_EQ(PxTesting::ListReads("PxVQBSSoftLink::GetListOfReportGroups"), 0);
}

TEST_F(LockPathTest, ABundleTargetLocksTheIspecsItListsExplicitly)
{
    PxTypedList<PxVQBundlePtr> bundles;
    Segment("SYS1", "SALES")->GetListOfBundles(bundles);
    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(sales->LockPath(bag, PxVQObjectPtr(bundles.GetTail())), 1);
    const std::vector<std::uint64_t> expected{Key(sales->GetObject()), Key(Element("SYS1", "SALES", "ORDER")),
                                              Key(Element("SYS1", "SALES", "CUSTOMER"))};
    EXPECT_EQ(g_locked, expected);
}

TEST_F(LockPathTest, AProfileUnderAnIspecLocksTheIspecBeforeItself)
{
    const PxVQElementSoftLinkPtr profile = Element("SYS1", "SALES", "CUSTBYNAME");
    VqsModelNodeElementLink* node = model.FindElementLinkNode(profile);
    ASSERT_NE(node, nullptr);
    ASSERT_NE(node->GetIspecNode(), nullptr);
    g_locked.clear();
    VqsLockBag bag(VqsReadLock);
    EXPECT_EQ(node->LockPath(bag, PxVQObjectPtr(profile)), 1);
    std::vector<std::uint64_t> expected{Key(sales->GetObject()), Key(Element("SYS1", "SALES", "CUSTOMER")),
                                        Key(profile)};
    PxTypedList<PxOptionsPtr> records;
    profile->GetAllOptions(records);
    for (POSITION pos = records.GetHeadPosition(); pos;) {
        const PxVQOptionsPtr record = records.GetNext(pos);
        expected.push_back(Key(record->GetOptionSet()));
        expected.push_back(Key(record));
    }
    EXPECT_EQ(g_locked, expected);
}
