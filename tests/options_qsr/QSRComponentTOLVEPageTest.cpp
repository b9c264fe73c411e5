// The "TOLVE" tab of a QSR component: the buffer counts kept consistent, the memo data group
// only for structures with memo data, and the filler compared with the new items' needs.
#include "QSRElementTestSupport.h"

#include "options_qsr/VqsOptionPageQSRComponentTOLVE.h"
#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxQSRBSegOptions.h"

using namespace optionstest;

namespace {

constexpr int kTOLVETab = 2;
constexpr int kBuffers = 1524;
constexpr int kPerUser = 1525;
constexpr int kPerRandomUser = 1526;
constexpr int kPerSerialUser = 1527;
constexpr int kUseDefaultPerUser = 1312;
constexpr int kFiller = 1852;
constexpr int kFillerRemaining = 1853;
constexpr int kAreaSize = 1450;
constexpr int kUseDefaultAreaSize = 1315;
constexpr int kPopulationUseDefault = 32974;
constexpr int kSizingExpected = 32975;
constexpr int kSizingPercentage = 32977;
constexpr int kMemoExpected = 32976;
constexpr int kMemoPercentage = 32978;
constexpr int kMemoPack = 32973;
constexpr int kUseDefaultMemoPack = 32972;

struct QSRComponentTOLVEPageTest : QSRElementTest {
    void StoreBuffers(std::int64_t buffers, std::int64_t perUser, std::int64_t perRandomUser)
    {
        Write([&] {
            const PxQSRCompOptionsPtr options = Component("CUSTOMER");
            options->SetBuffers(buffers);
            options->SetBuffersPUser(perUser);
            options->SetBuffersPRandomUser(perRandomUser);
            options->SetBuffersPSerialUser(0);
        });
    }
    // The design of the structure gets a memo data item on its screen.
    void GiveMemoData(const char* element)
    {
        PxLSEBuilder builder(*app.GetLink());
        const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        Write([&] {
            builder.AddScreenDataUsage(PxLSEIspecPtr(design->GetElement(element)), design->GetElement("CUSTNAME"), 'D',
                                       1, false);
        });
    }
    std::vector<BOOL> PerUserEnabling() { return {Enabled(kPerUser), Enabled(kPerRandomUser), Enabled(kPerSerialUser)}; }
};

} // namespace

TEST_F(QSRComponentTOLVEPageTest, BufferCountsPerUserAndPerRandomUserExcludeEachOther)
{
    StoreBuffers(10, 0, 0);
    Session("CUSTOMER", kTOLVETab, [&] {
        EXPECT_EQ(PerUserEnabling(), (std::vector<BOOL>{TRUE, TRUE, FALSE}));
        Type(kPerRandomUser, "4");
        EXPECT_EQ(PerUserEnabling(), (std::vector<BOOL>{FALSE, TRUE, TRUE}));
        Type(kPerRandomUser, "0");
        Type(kPerUser, "3");
        EXPECT_EQ(Text(kPerRandomUser), "0");
        EXPECT_EQ(Text(kPerSerialUser), "0");
        EXPECT_EQ(PerUserEnabling(), (std::vector<BOOL>{TRUE, FALSE, FALSE}));
        ApplyNow();
    });
    EXPECT_EQ(Component("CUSTOMER")->GetBuffersPUser(), 3);
    EXPECT_EQ(Component("CUSTOMER")->GetBuffersPRandomUser(), 0);
}

TEST_F(QSRComponentTOLVEPageTest, NoBuffersClearsTheCountsAndTheirDefaultBoxes)
{
    Write([&] {
        const PxQSRCompOptionsPtr options = Component("CUSTOMER");
        options->SetBuffers(10);
        options->MakeDefaultBuffersPUser();
    });
    Write([&] { PxQSRBSegOptionsPtr(Segment("SYS1", "SALES")->GetOptions(OptionSet("QSRGEN")))->SetDataSetBuffersPUser(5); });
    Session("CUSTOMER", kTOLVETab, [&] {
        ASSERT_TRUE(Checked(kUseDefaultPerUser));
        ASSERT_EQ(Text(kPerUser), "5");
        Type(kBuffers, "0");
        EXPECT_FALSE(Checked(kUseDefaultPerUser));
        for (int id : {kPerUser, kPerRandomUser, kPerSerialUser})
            EXPECT_EQ(Text(id), "0") << id;
        EXPECT_EQ(PerUserEnabling(), (std::vector<BOOL>{FALSE, FALSE, FALSE}));
    });
}

TEST_F(QSRComponentTOLVEPageTest, TheMemoGroupIsOnlyForAStructureWithMemoData)
{
    GiveMemoData("CUSTOMER");
    const struct {
        const char* element;
        BOOL memo;
    } cases[] = {{"CUSTOMER", TRUE}, {"NOTES", FALSE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        Session(c.element, kTOLVETab, [&] {
            for (int id : {kPopulationUseDefault, kUseDefaultMemoPack})
                EXPECT_EQ(Enabled(id), c.memo) << id;
            EXPECT_FALSE(Enabled(kMemoPack));
            EXPECT_FALSE(Enabled(kSizingExpected));
        });
    }
}

TEST_F(QSRComponentTOLVEPageTest, ThePopulationDefaultBoxResetsTheSizing)
{
    GiveMemoData("CUSTOMER");
    Write([&] {
        const PxQSRCompOptionsPtr options = Component("CUSTOMER");
        options->SetMemoDataUseDef(0);
        options->SetCompMemoPerOrExpect(1);
        options->SetPercentage(40);
    });
    Session("CUSTOMER", kTOLVETab, [&] {
        EXPECT_TRUE(Checked(kSizingPercentage));
        EXPECT_TRUE(Enabled(kMemoPercentage));
        EXPECT_FALSE(Enabled(kMemoExpected));
        Click(kPopulationUseDefault);
        EXPECT_TRUE(Checked(kSizingExpected));
        EXPECT_EQ(Text(kMemoPercentage), "100");
        EXPECT_EQ(Text(kMemoExpected), "0");
        EXPECT_FALSE(Enabled(kSizingExpected));
        ApplyNow();
    });
    const PxQSRCompOptionsPtr stored = Component("CUSTOMER");
    EXPECT_TRUE(stored->GetMemoDataUseDef());
    EXPECT_EQ(stored->GetCompMemoPerOrExpect(), 0);
    EXPECT_EQ(stored->GetPercentage(), 100);
}

TEST_F(QSRComponentTOLVEPageTest, AnAreaSizeOnItsDefaultIsNotAvailableAndStoredAsDefault)
{
    Write([&] { Component("CUSTOMER")->SetAreaSize(500); });
    Session("CUSTOMER", kTOLVETab, [&] {
        Click(kUseDefaultAreaSize);
        EXPECT_EQ(Text(kAreaSize), kNotAvailable);
        EXPECT_FALSE(Enabled(kAreaSize));
        Click(kUseDefaultAreaSize);
        EXPECT_EQ(Text(kAreaSize), "500");
        Click(kUseDefaultAreaSize);
        ApplyNow();
    });
    EXPECT_TRUE(Component("CUSTOMER")->IsDefaultAreaSize());
    EXPECT_TRUE(Component("CUSTOMER")->IsUpdatedAreaSize());
}

TEST_F(QSRComponentTOLVEPageTest, TheFillerRemainingFollowsTheFillerTyped)
{
    Session("CUSTOMER", kTOLVETab, [&] {
        EXPECT_EQ(Text(kFillerRemaining), "0");
        Type(kFiller, "120");
        EXPECT_EQ(Text(kFillerRemaining), "120");
    });
}

TEST(QSRFillerDisplay, TheRemainingFillerAndTheWarningColour)
{
    EXPECT_EQ(VqsOptionPageQSRComponentTOLVE::FillerRemaining(100, 130), 30);
    EXPECT_EQ(VqsOptionPageQSRComponentTOLVE::FillerRemaining(100, 40), 60);
    EXPECT_EQ(VqsOptionPageQSRComponentTOLVE::FillerRemaining(0, 130), 0);
    EXPECT_EQ(VqsOptionPageQSRComponentTOLVE::FillerRemaining(5000000000LL, 0), 5000000000LL);
    EXPECT_EQ(VqsOptionPageQSRComponentTOLVE::WarningColour(RGB(255, 255, 255), RGB(0, 0, 0)), RGB(255, 255, 0));
    EXPECT_EQ(VqsOptionPageQSRComponentTOLVE::WarningColour(RGB(0, 0, 0), RGB(255, 255, 255)), RGB(0, 0, 255));
}
