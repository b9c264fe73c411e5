// The tabs of a Tarsk report, used through the options dialog.
#include "OptionsDialogHarness.h"

#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskReportOptions.h"

using namespace optionstest;

namespace {

constexpr int kRocUsesDatabase = 1713;
constexpr int kRocUsesDatabaseDefault = 1714;
constexpr int kAsSubroutine = 1715;
constexpr int kSortMemorySize = 1716;

constexpr int kUseFile = 1019;
constexpr int kDisk = 1051;
constexpr int kTape = 1052;
constexpr int kExpectedDefault = 1005;
constexpr int kExpected = 1026;
constexpr int kRecordsPerBlockDefault = 1008;
constexpr int kDiskRecordsPerBlock = 1036;
constexpr int kInternal = 32873;
constexpr int kGeneric = 32874;
constexpr int kTapeRecordsPerBlock = 1066;
constexpr int kLabelled = 1014;
constexpr int kDevice = 1720;
constexpr int kReel = 1721;
constexpr int kStandardTape = 1717;
constexpr int kInterchangeTape = 1718;
constexpr int kIbmTape = 1719;

constexpr int kEnvironmentTab = 0;
constexpr int kExtractFileTab = 1;
constexpr int kFastLoadTab = 3;
constexpr int kFileA = 0;

constexpr const char* kSortMemorySizeRefused = "The value of Sort Memory Size of the Report cannot be set to 1";

struct TarskReportPagesTest : OptionsDialogHarness {
    INT_PTR Session(UINT tab, const std::function<void()>& actions)
    {
        return OptionsDialogHarness::Session(Element("SYS1", "SALES", "MONTHLY"), "TARSKGEN", tab, actions);
    }
    PxTarskReportOptionsPtr Report() const { return Stored<PxTarskReportOptionsPtr>("MONTHLY", "TARSKGEN"); }
    BOOL ApplyEnabled() { return ::IsWindowEnabled(PageItem(Dialog(), kApplyNow)); }
};

} // namespace

// The value cannot be generated: the apply is refused and the page keeps the user's edit.
TEST_F(TarskReportPagesTest, ASortMemorySizeOfOneIsRefusedAndThePageStaysModified)
{
    Write([&] { Report()->SetSortMemSize(32); });
    Session(kEnvironmentTab, [&] {
        Type(kSortMemorySize, "1");
        Answer(kSortMemorySizeRefused, IDOK);
        ApplyNow();
        EXPECT_TRUE(ApplyEnabled());
        EXPECT_EQ(Report()->GetSortMemSize(), 32);
        Type(kSortMemorySize, "64");
        Click(kAsSubroutine);
        ApplyNow();
        EXPECT_FALSE(ApplyEnabled());
    });
    EXPECT_EQ(Report()->GetSortMemSize(), 64);
    EXPECT_EQ(Report()->GetAsSubroutine(), 1);
}

TEST_F(TarskReportPagesTest, RocUsesDatabaseShowsTheSegmentsSettingWhileItTakesTheDefault)
{
    Write([&] { StoredSegment<PxTarskBSegOptionsPtr>("TARSKGEN")->SetROCusesDB(1); });
    Session(kEnvironmentTab, [&] {
        EXPECT_TRUE(Checked(kRocUsesDatabaseDefault));
        EXPECT_TRUE(Checked(kRocUsesDatabase));
        EXPECT_FALSE(Enabled(kRocUsesDatabase));
        Click(kRocUsesDatabaseDefault);
        EXPECT_TRUE(Enabled(kRocUsesDatabase));
        EXPECT_TRUE(Checked(kRocUsesDatabase)) << "the value shown stays";
        Click(kRocUsesDatabase);
        ApplyNow();
    });
    EXPECT_FALSE(Report()->IsDefaultReportROCusesDB());
    EXPECT_EQ(Report()->GetReportROCusesDB(), 0);
    Session(kEnvironmentTab, [&] {
        Click(kRocUsesDatabaseDefault);
        EXPECT_TRUE(Checked(kRocUsesDatabase));
        ApplyNow();
    });
    EXPECT_TRUE(Report()->IsDefaultReportROCusesDB());
}

TEST_F(TarskReportPagesTest, AnUnusedExtractFileDisablesEveryControlOfTheFile)
{
    Session(kExtractFileTab, [&] {
        EXPECT_FALSE(Checked(kUseFile));
        for (int id : {kDisk, kTape, kExpectedDefault, kExpected, kRecordsPerBlockDefault, kDiskRecordsPerBlock,
                       kInternal, kGeneric, kTapeRecordsPerBlock, kLabelled, kDevice, kReel, kStandardTape,
                       kInterchangeTape, kIbmTape})
            EXPECT_FALSE(Enabled(id)) << id;
        Click(kUseFile);
        for (int id : {kDisk, kTape, kExpectedDefault, kRecordsPerBlockDefault, kInternal, kGeneric})
            EXPECT_TRUE(Enabled(id)) << id;
        for (int id : {kTapeRecordsPerBlock, kLabelled, kDevice, kReel, kStandardTape})
            EXPECT_FALSE(Enabled(id)) << "a disk file has no " << id;
    });
}

TEST_F(TarskReportPagesTest, DiskAndTapeFilesShareTheRecordsPerBlock)
{
    Write([&] {
        Report()->SetExtractFileUse(kFileA, 1);
        Report()->SetExtractFileRecOrBlock(kFileA, 30);
    });
    Session(kExtractFileTab, [&] {
        EXPECT_EQ(Text(kDiskRecordsPerBlock), "30");
        Click(kRecordsPerBlockDefault);
        EXPECT_FALSE(Enabled(kDiskRecordsPerBlock));
        Click(kExpectedDefault);
        Type(kExpected, "5000");
        ApplyNow();
    });
    EXPECT_TRUE(Report()->IsDefaultExtractFileRecOrBlock(kFileA));
    EXPECT_EQ(Report()->GetExtractFileExpected(kFileA), 5000);
    EXPECT_EQ(Report()->GetExtractFileKind(kFileA), 0);

    Write([&] { Report()->SetExtractFileRecOrBlock(kFileA, 0); });
    Session(kExtractFileTab, [&] {
        Click(kTape);
        EXPECT_EQ(Text(kTapeRecordsPerBlock), "1") << "a stored 0 is raised to 1 for a tape";
        for (int id : {kTapeRecordsPerBlock, kLabelled, kDevice, kReel, kInterchangeTape})
            EXPECT_TRUE(Enabled(id)) << id;
        EXPECT_FALSE(Enabled(kRecordsPerBlockDefault));
        Type(kTapeRecordsPerBlock, "20");
        Type(kDevice, "TAPE1");
        Click(kIbmTape);
        Click(kLabelled);
        ApplyNow();
    });
    const PxTarskReportOptionsPtr stored = Report();
    EXPECT_EQ(stored->GetExtractFileKind(kFileA), 1);
    EXPECT_EQ(stored->GetExtractFileRecOrBlock(kFileA), 20);
    EXPECT_EQ(stored->GetExtractFileDevice(kFileA), "TAPE1");
    EXPECT_EQ(stored->GetExtractFileFormatType(kFileA), 2);
    EXPECT_EQ(stored->GetExtractFileLabelled(kFileA), 1);
    EXPECT_EQ(stored->GetExtractFileExpected(kFileA), 5000) << "a tape file keeps the expected number it had";
}

TEST_F(TarskReportPagesTest, FastLoadStoresItsSettings)
{
    Session(kFastLoadTab, [&] {
        Click(1722);
        Click(1725);
        Type(1730, "75");
        Type(1731, "4");
        Type(1733, "LOADIN");
        ApplyNow();
    });
    const PxTarskReportOptionsPtr stored = Report();
    EXPECT_EQ(stored->GetFastLoadZeroLead(), 1);
    EXPECT_EQ(stored->GetFastLoadRecovery(), 0);
    EXPECT_EQ(stored->GetFastLoadSorted(), 1);
    EXPECT_EQ(stored->GetFastLoadFactor(), 75);
    EXPECT_EQ(stored->GetFastLoadSplitRuns(), 4);
    EXPECT_EQ(stored->GetFastLoadDefaultFile(), "LOADIN");
}
