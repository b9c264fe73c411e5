// The pages of a QSR profile: the section definition edited as lines of 76 characters, with
// shift marks around double-byte text where the business segment needs them, and the
// duplicates order that only a design allowing duplicates offers.
#include "QSRElementTestSupport.h"

#include "options_qsr/VqsOptionPagesQSRProfile.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "serialize/Serialize.h"

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
    EXPECT_EQ(std::string(Page::SectionDefinition({"A", "B"})), "A" + std::string(75, ' ') + "B" + std::string(75, ' '));
}
