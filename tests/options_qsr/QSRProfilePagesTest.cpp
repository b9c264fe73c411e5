// The pages of a QSR profile: the section definition edited as lines of 76 characters, with
// shift marks around double-byte text where the business segment needs them, and the
// duplicates order that only a design allowing duplicates offers.
#include "QSRElementTestSupport.h"

#include "options_qsr/VqsOptionPagesQSRProfile.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "serialize/Serialize.h"
#include "win/Mbcs.h"

#include <string>

using namespace optionstest;

namespace {

constexpr int kTOLVETab = 1;
constexpr int kFirst = 1334;
constexpr int kNoSpecificOrder = 1336;
constexpr int kAllowSections = 1330;
constexpr int kLines = 1528;
constexpr int kLine = 1529;
constexpr int kAddLine = 1341;
constexpr int kDeleteLine = 1342;
constexpr int kBuffers = 1320;
constexpr int kEnvironmentPack = 1411;

// A double-byte character of the host's code page.
const std::string kKanji = "\x88\xa4";

struct QSRProfilePagesTest : QSRElementTest {
    PxQSRProfileOptionsPtr Profile(const char* element = "CUSTBYNAME") const
    {
        return Stored<PxQSRProfileOptionsPtr>(element);
    }
    void StoreSections(const std::string& definition)
    {
        Write([&] {
            Profile()->SetAllowSections(1);
            Profile()->SetSectionDefinition(definition.c_str());
        });
    }
    Strings ListedLines()
    {
        Strings lines;
        HWND list = PageItem(Dialog(), kLines);
        const int count = static_cast<int>(::SendMessage(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = "";
            ::SendMessage(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            lines.emplace_back(text);
        }
        return lines;
    }
    // The segment supports Japanese and is generated for QSR hosts alone.
    void MakeJapaneseQSROnly()
    {
        PxLSEBuilder builder(*app.GetLink());
        const PxLSEBusinessSegmentPtr design = app.GetLSEEnterprise()->GetBusinessSegment("SALES");
        Write([&] {
            builder.SetNumber(design, "japaneseSupport", 1);
            for (const char* other : {"targetHostNt", "targetHostOsTarsk", "targetHostUnix"})
                builder.SetNumber(design, other, 0);
        });
    }
    std::string Marked(const std::string& text)
    {
        char marked[80] = "";
        complexInsertSokEok(marked, sizeof(marked), text.c_str(), 76, 32, 32);
        return marked;
    }
};

} // namespace

TEST_F(QSRProfilePagesTest, TheSectionDefinitionIsEditedAsLinesOfSeventySixCharacters)
{
    StoreSections(std::string(76, 'A') + std::string(70, 'B') + std::string(6, ' ') + std::string(8, 'C'));
    Session("CUSTBYNAME", kTOLVETab, [&] {
        EXPECT_EQ(ListedLines(), (Strings{std::string(76, 'A'), std::string(70, 'B'), std::string(8, 'C')}));
        EXPECT_EQ(Text(kLine), std::string(76, 'A'));
        SelectRow(kLines, 2);
        Type(kLine, "DDD");
        EXPECT_EQ(ListedLines().at(2), "DDD");
        ApplyNow();
    });
    EXPECT_EQ(std::string(Profile()->GetSectionDefinition()),
              std::string(76, 'A') + std::string(70, 'B') + std::string(6, ' ') + "DDD" + std::string(73, ' '));
}

TEST_F(QSRProfilePagesTest, LinesAreAddedBeforeTheSelectedOneAndAnEmptyListClearsTheDefinition)
{
    StoreSections("FIRST");
    Session("CUSTBYNAME", kTOLVETab, [&] {
        Click(kAddLine);
        Type(kLine, "ZERO");
        EXPECT_EQ(ListedLines(), (Strings{"ZERO", "FIRST"}));
        Click(kDeleteLine);
        EXPECT_FALSE(Enabled(kLine));
        EXPECT_FALSE(Enabled(kDeleteLine));
        SelectRow(kLines, 0);
        Click(kDeleteLine);
        EXPECT_TRUE(ListedLines().empty());
        ApplyNow();
    });
    EXPECT_FALSE(Profile()->IsUpdatedSectionDefinition());
}

TEST_F(QSRProfilePagesTest, WithoutProfileSectionsTheLinesCannotBeEdited)
{
    StoreSections("FIRST");
    Session("CUSTBYNAME", kTOLVETab, [&] {
        EXPECT_TRUE(Enabled(kLine));
        Click(kAllowSections);
        for (int id : {kLines, kLine, kAddLine, kDeleteLine})
            EXPECT_FALSE(Enabled(id)) << id;
    });
}

// Double-byte text reaches the list with its shift marks once the user leaves the line, and
// only where the host needs the marks.
TEST_F(QSRProfilePagesTest, KanjiReachesTheListWithItsMarksOnLeavingTheLineInJapaneseQSROnlySegments)
{
    const std::string typed = kKanji + "AB";
    for (BOOL japanese : {FALSE, TRUE}) {
        SCOPED_TRACE(japanese);
        if (japanese)
            MakeJapaneseQSROnly();
        StoreSections("OLD");
        Session(
            "CUSTBYNAME", kTOLVETab,
            [&] {
                Type(kLine, typed.c_str());
                EXPECT_EQ(ListedLines(), Strings{"OLD"});
                ::SetFocus(PageItem(Dialog(), kBuffers));
                EXPECT_EQ(ListedLines(), Strings{japanese ? Marked(typed) : "OLD"});
            },
            FALSE);
    }
}

TEST_F(QSRProfilePagesTest, TheDuplicatesOrderIsOfferedOnlyWhereTheDesignAllowsDuplicates)
{
    Write([&] { Profile()->SetDupOrder(static_cast<PxEnumDupOrder>(5)); });
    Session("CUSTBYNAME", kTOLVETab, [&] {
        EXPECT_TRUE(Checked(kNoSpecificOrder));
        EXPECT_TRUE(Enabled(kFirst));
        Type(kBuffers, "7");
        ApplyNow();
    });
    EXPECT_EQ(Profile()->GetDupOrder(), PxDupOrderNoSpecificOrder);
    Session("ORDBYDATE", kTOLVETab, [&] { EXPECT_FALSE(Enabled(kFirst)); });
}

TEST_F(QSRProfilePagesTest, TheEnvironmentTabOffersTheEnterprisesPacks)
{
    Session("CUSTBYNAME", 0, [&] {
        EXPECT_EQ(ComboItems(kEnvironmentPack),
                  (Strings{"SALESPATH", "SALESFG", "SALESTS", "PAYROLLPATH", "PAYROLLFG", "PAYROLLTS", "STOCKPATH",
                           "STOCKFG", "STOCKTS", "TARSKPACK"}));
    });
}

TEST(QSRSectionLines, LinesAreCutAtSeventySixAndJoinedPadded)
{
    using Page = VqsOptionPageQSRProfileTOLVE;
    EXPECT_TRUE(Page::SectionLines("").empty());
    const std::vector<CString> lines = Page::SectionLines(CString(std::string(80, 'X').c_str()));
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_EQ(std::string(lines[1]), "XXXX");
    EXPECT_EQ(std::string(Page::SectionDefinition({"A", "B"})),
              "A" + std::string(75, ' ') + "B" + std::string(75, ' '));
}

// Whatever the segment, stored text has no shift marks and the lines show them; a line is
// padded to its width with its marks, which then leave the stored text.
TEST(QSRSectionLines, DoubleByteTextIsMarkedInTheLinesAndStoredWithoutMarks)
{
    using Page = VqsOptionPageQSRProfileTOLVE;
    const std::string stored = "AB" + kKanji + "CD";
    const std::vector<CString> lines = Page::SectionLines(stored.c_str());
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(std::string(lines[0]), "AB" + std::string(1, kShiftOut) + kKanji + std::string(1, kShiftIn) + "CD")
        << "marked once";
    const std::size_t marks = 2;
    EXPECT_EQ(std::string(Page::SectionDefinition(lines)), stored + std::string(76 - marks - stored.size(), ' '));
}

// Two double-byte characters after n single-byte ones, for every n that puts them around the end
// of the first line: an apply of another value of the tab gives the definition back as it was
// (the lines are padded to their width, so only blanks follow it).
TEST_F(QSRProfilePagesTest, AnApplyOfTheTabNeverChangesDoubleByteTextAtTheEndOfALine)
{
    constexpr int kTableSize = 1333;
    for (int n = 68; n <= 78; ++n) {
        SCOPED_TRACE(n);
        const std::string definition = std::string(static_cast<std::size_t>(n), 'A') + kKanji + kKanji + "B";
        StoreSections(definition);
        Session("CUSTBYNAME", kTOLVETab, [&] {
            for (const std::string& line : ListedLines())
                EXPECT_LE(line.size(), 76U);
            Type(kTableSize, std::to_string(n).c_str());
            ApplyNow();
        });
        std::string stored(Profile()->GetSectionDefinition());
        stored.erase(stored.find_last_not_of(' ') + 1);
        EXPECT_EQ(stored, definition);
    }
}

// Loading and storing the lines gives every definition back, wherever its double-byte
// characters meet the ends of the lines.
TEST(QSRSectionLines, LinesGiveTheDefinitionBackWhereverDoubleByteTextMeetsALineEnd)
{
    using Page = VqsOptionPageQSRProfileTOLVE;
    for (int n = 60; n <= 160; ++n) {
        for (const std::string& tail : {kKanji + kKanji + "B", kKanji + " " + kKanji, std::string(40, 'C') + kKanji}) {
            const std::string definition = std::string(static_cast<std::size_t>(n), 'A') + tail + kKanji;
            const std::vector<CString> lines = Page::SectionLines(definition.c_str());
            for (const CString& line : lines) {
                const std::string text(line);
                ASSERT_LE(text.size(), 76U) << n;
                for (std::size_t at = 0; at < text.size(); at += mbcs::CharLength(text, at))
                    ASSERT_FALSE(mbcs::CharLength(text, at) == 1 && is_Kanji1(static_cast<unsigned char>(text[at])))
                        << n << ": a line ends inside a double-byte character";
            }
            std::string stored(Page::SectionDefinition(lines));
            stored.erase(stored.find_last_not_of(' ') + 1);
            ASSERT_EQ(stored, definition) << n;
        }
    }
}
