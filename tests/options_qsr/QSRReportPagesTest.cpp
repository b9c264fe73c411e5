// The pages of a QSR report: the extract packs, the sort sizes, and each extract file's
// medium with the controls that apply to it.
#include "QSRElementTestSupport.h"

using namespace optionstest;

namespace {

constexpr int kExtractPack = 1412;
constexpr int kSortDiskSize = 1328;
constexpr int kUseDefaultSortDiskSize = 1329;

constexpr int kExtractFileTab = 1;
constexpr int kUseFile = 1019;
constexpr int kDisk = 1051;
constexpr int kTape = 1052;
constexpr int kInternal = 32873;
constexpr int kGeneric = 32874;
constexpr int kUseDefaultRecordsPerBlock = 1008;
constexpr int kDiskRecordsPerBlock = 1036;
constexpr int kTapeRecordsPerBlock = 1066;
constexpr int kUseDefaultExpected = 1005;
constexpr int kExpected = 1026;
constexpr int kTapeLabelled = 1014;

constexpr int kFirstFile = 0;

struct QSRReportPagesTest : QSRElementTest {
    PxQSRReportOptionsPtr Report() const { return Stored<PxQSRReportOptionsPtr>("MONTHLY"); }
    void UseFirstFile()
    {
        Write([&] { Report()->SetExtractFileUse(kFirstFile, 1); });
    }
};

} // namespace

TEST_F(QSRReportPagesTest, OnlyDiskAndTapePacksAreOfferedForTheExtract)
{
    Session("MONTHLY", 0, [&] {
        EXPECT_EQ(ComboItems(kExtractPack), (Strings{"SALESPATH", "PAYROLLPATH", "STOCKPATH", "TARSKPACK"}));
    });
}

TEST_F(QSRReportPagesTest, TheSortDiskSizesDefaultBoxShowsTheDefaultAndStoresIt)
{
    Write([&] { Report()->SetSortDiskSize(300); });
    Session("MONTHLY", 0, [&] {
        EXPECT_EQ(Text(kSortDiskSize), "300");
        Click(kUseDefaultSortDiskSize);
        EXPECT_EQ(Text(kSortDiskSize), std::to_string(Report()->GetDefaultSortDiskSize()));
        EXPECT_FALSE(Enabled(kSortDiskSize));
        ApplyNow();
    });
    EXPECT_TRUE(Report()->IsDefaultSortDiskSize());
}

TEST_F(QSRReportPagesTest, AFileWithNoRecordsPerBlockShowsOneForTape)
{
    UseFirstFile();
    Write([&] { Report()->SetExtractFileRecOrBlock(kFirstFile, 0); });
    Session("MONTHLY", kExtractFileTab, [&] {
        EXPECT_EQ(Text(kDiskRecordsPerBlock), "0");
        EXPECT_EQ(Text(kTapeRecordsPerBlock), "1");
    });
}

TEST_F(QSRReportPagesTest, AnUnusedFileHasEveryControlDisabled)
{
    Session("MONTHLY", kExtractFileTab, [&] {
        for (int id : {kDisk, kTape, kInternal, kGeneric, kUseDefaultRecordsPerBlock, kDiskRecordsPerBlock,
                       kTapeRecordsPerBlock, kUseDefaultExpected, kExpected, kTapeLabelled})
            EXPECT_FALSE(Enabled(id)) << id;
        Click(kUseFile);
        EXPECT_TRUE(Enabled(kDisk));
        EXPECT_TRUE(Enabled(kUseDefaultExpected));
    });
}

TEST_F(QSRReportPagesTest, ATapeFileStoresItsTapeRecordsPerBlockAndLabel)
{
    UseFirstFile();
    Write([&] {
        Report()->SetExtractFileRecOrBlock(kFirstFile, 20);
        Report()->SetExtractFileExpected(kFirstFile, 5000);
    });
    Session("MONTHLY", kExtractFileTab, [&] {
        EXPECT_TRUE(Enabled(kDiskRecordsPerBlock));
        EXPECT_FALSE(Enabled(kTapeRecordsPerBlock));
        Click(kTape);
        for (int id : {kUseDefaultRecordsPerBlock, kDiskRecordsPerBlock, kUseDefaultExpected, kExpected})
            EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_TRUE(Enabled(kTapeRecordsPerBlock));
        EXPECT_TRUE(Enabled(kTapeLabelled));
        Type(kTapeRecordsPerBlock, "12");
        Click(kTapeLabelled);
        Click(kGeneric);
        ApplyNow();
    });
    const PxQSRReportOptionsPtr stored = Report();
    EXPECT_EQ(stored->GetExtractFileKind(kFirstFile), 1);
    EXPECT_EQ(stored->GetExtractFileRecOrBlock(kFirstFile), 12);
    EXPECT_EQ(stored->GetExtractFileExpected(kFirstFile), 5000);
    EXPECT_EQ(stored->GetExtractFileLabelled(kFirstFile), 1);
    EXPECT_EQ(stored->GetRecordFormat(kFirstFile), 1);
}

TEST_F(QSRReportPagesTest, ADefaultExpectedNumberIsNotAvailableAndStoredAsDefault)
{
    UseFirstFile();
    Write([&] { Report()->SetExtractFileExpected(kFirstFile, 5000); });
    Session("MONTHLY", kExtractFileTab, [&] {
        Click(kUseDefaultExpected);
        EXPECT_EQ(Text(kExpected), kNotAvailable);
        EXPECT_FALSE(Enabled(kExpected));
        ApplyNow();
    });
    EXPECT_TRUE(Report()->IsDefaultExtractFileExpected(kFirstFile));
}
