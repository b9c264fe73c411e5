// The Copy Audit to Tape Details and Wrenfield Test pages of a QSR business segment.
#include "QSRTestSupport.h"

#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"

using namespace optionstest;

namespace {

constexpr int kDetails = 1286;

constexpr int kEnableHdba = 2031;
constexpr int kUseDefaultHdbaPort = 2032;
constexpr int kHdbaPort = 2033;
constexpr int kLanguage = 2034;
constexpr int kCodeSet = 2035;
constexpr int kPrimaryDisk = 2036;
constexpr int kSecondaryDisk = 2037;
constexpr int kEnableRemoteCall = 2038;
constexpr int kUseDefaultLrssPort = 2039;
constexpr int kLrssPort = 2040;
constexpr int kDataTranslation = 2041;

constexpr const char* kLineTooLong = "The maxmium length of this line has been reached. Please change line.";
constexpr const char* kTooManyLines = "maximum lines reached, no more input please";

// Two double-byte characters between single-byte ones, and the same with shift marks.
constexpr const char* kKanjiText = "AB\x82\xA0\x82\xA2" "CD";
constexpr const char* kKanjiMarked = "AB\x0E\x82\xA0\x82\xA2\x0F" "CD";

struct QSRAuditDetailTest : QSRBSegSheetTest {
    // The design side of SALES: Japanese support and the hosts it is generated for.
    void SetDesign(int japanese, int qsr, int nt)
    {
        PxLSEBuilder builder(*app.GetLink());
        const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        Write([&] {
            builder.SetNumber(design, "japaneseSupport", japanese);
            builder.SetNumber(design, "targetHostQsr", qsr);
            builder.SetNumber(design, "targetHostNt", nt);
            builder.SetNumber(design, "targetHostOsTarsk", 0);
            builder.SetNumber(design, "targetHostUnix", 0);
            Stored()->SetCopyAudit2tape(PxCopyAudit2tapeUserDefined);
        });
    }
};

std::string Lines(int count, int length)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? "\r\n" : "") + std::string(static_cast<size_t>(length), 'X');
    return text;
}

} // namespace

TEST_F(QSRAuditDetailTest, DoubleByteRunsAreMarkedOnlyForAJapaneseSegmentOfTheQsrHostAlone)
{
    const struct {
        int japanese;
        int qsr;
        int nt;
        const char* shown;
    } cases[] = {{1, 1, 0, kKanjiMarked}, {1, 1, 1, kKanjiText}, {0, 1, 0, kKanjiText}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown == kKanjiMarked ? "marked" : "unmarked");
        SetDesign(c.japanese, c.qsr, c.nt);
        Write([&] { Stored()->SetAuditTrail(kKanjiText); });
        Session(kAuditDetailTab, [&] {
            EXPECT_EQ(Text(kDetails), c.shown);
            Type(kDetails, (std::string(kKanjiText) + " EF").c_str());
            ApplyNow();
        });
        EXPECT_EQ(std::string(Stored()->GetAuditTrail()), std::string(kKanjiText) + " EF");
    }
}

TEST_F(QSRAuditDetailTest, PlainTextIsStoredAsShown)
{
    SetDesign(1, 1, 0);
    Session(kAuditDetailTab, [&] {
        Type(kDetails, "COPY TO TAPE\r\nEVERY NIGHT");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetAuditTrail(), "COPY TO TAPE\r\nEVERY NIGHT");
}

// The user types one character after the other: the one that breaks a limit is taken back.
TEST_F(QSRAuditDetailTest, AnEleventhLineOrASixtySeventhCharacterIsRefused)
{
    SetDesign(0, 1, 0);
    const std::string longestLine(66, 'Y');
    Session(kAuditDetailTab, [&] {
        Answer(kTooManyLines, IDOK);
        Type(kDetails, Lines(11, 5).c_str());
        EXPECT_EQ(Text(kDetails), Lines(9, 5) + "\r\n" + std::string(10, 'X'));
        Answer(kLineTooLong, IDOK);
        Type(kDetails, (longestLine + "Y").c_str());
        EXPECT_EQ(Text(kDetails), longestLine);
        ApplyNow();
    });
    EXPECT_EQ(std::string(Stored()->GetAuditTrail()), longestLine);
}

// The field holds the line breaks too: typing stops when it is full, and what was typed
// is stored.
TEST_F(QSRAuditDetailTest, TheTextWithItsLineBreaksFitsTheField)
{
    SetDesign(0, 1, 0);
    const std::string typed = Lines(10, 65);
    Session(kAuditDetailTab, [&] {
        Type(kDetails, typed.c_str());
        ApplyNow();
    });
    EXPECT_EQ(std::string(Stored()->GetAuditTrail()), typed.substr(0, 660));
}

TEST_F(QSRBSegSheetTest, OnlyTheEnableBoxesWorkWhileBothTestServersAreOff)
{
    Session(kWrenfieldTestTab, [&] {
        for (int id : {kUseDefaultHdbaPort, kHdbaPort, kLanguage, kCodeSet, kPrimaryDisk, kSecondaryDisk,
                       kUseDefaultLrssPort, kLrssPort, kDataTranslation})
            EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_TRUE(Enabled(kEnableHdba));
        EXPECT_TRUE(Enabled(kEnableRemoteCall));
        Click(kEnableHdba);
        EXPECT_TRUE(Enabled(kUseDefaultHdbaPort));
        EXPECT_FALSE(Enabled(kLrssPort));
        Click(kUseDefaultHdbaPort);
        EXPECT_TRUE(Enabled(kHdbaPort));
        Type(kHdbaPort, "2001");
        Click(kEnableRemoteCall);
        EXPECT_FALSE(Enabled(kLrssPort));
        EXPECT_TRUE(Enabled(kCodeSet));
        Type(kCodeSet, "ASERIESEBCDIC");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetEnableHDBA(), 1);
    EXPECT_EQ(Stored()->GetHDBAPortNumber(), 2001);
    EXPECT_TRUE(Stored()->IsDefaultLRSSPortNumber());
    EXPECT_EQ(Stored()->GetLrssCodeSet(), "ASERIESEBCDIC");
}

// Clearing a port's "Use default" box keeps the default it showed as the port's own value.
TEST_F(QSRBSegSheetTest, ClearingAPortsDefaultBoxKeepsTheDefaultItShowed)
{
    const struct {
        int enable;
        int box;
        int port;
        void (PxQSRBSegOptions::*set)(std::int64_t);
        std::int64_t (PxQSRBSegOptions::*get)() const;
        std::int64_t (PxQSRBSegOptions::*getDefault)() const;
        BOOL (PxQSRBSegOptions::*isDefault)() const;
    } cases[] = {
        {kEnableHdba, kUseDefaultHdbaPort, kHdbaPort, &PxQSRBSegOptions::SetHDBAPortNumber,
         &PxQSRBSegOptions::GetHDBAPortNumber, &PxQSRBSegOptions::GetDefaultHDBAPortNumber,
         &PxQSRBSegOptions::IsDefaultHDBAPortNumber},
        {kEnableRemoteCall, kUseDefaultLrssPort, kLrssPort, &PxQSRBSegOptions::SetLRSSPortNumber,
         &PxQSRBSegOptions::GetLRSSPortNumber, &PxQSRBSegOptions::GetDefaultLRSSPortNumber,
         &PxQSRBSegOptions::IsDefaultLRSSPortNumber},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        Write([&] { ((*Stored()).*c.set)(77); });
        const std::string shown = std::to_string(((*Stored()).*c.getDefault)());
        Session(kWrenfieldTestTab, [&] {
            Click(c.enable);
            TickAndClearDefaultBox(c.box, c.port, shown);
            ApplyNow();
        });
        EXPECT_EQ(std::to_string(((*Stored()).*c.get)()), shown);
        EXPECT_FALSE(((*Stored()).*c.isDefault)());
    }
}
