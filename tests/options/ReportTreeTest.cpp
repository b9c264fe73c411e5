#include "OptionsTestSupport.h"

#include "options/VqsOptionsReport.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxVQTypes.h"
#include "proxy/PxTarskReportOptions.h"

#include <algorithm>

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

struct ReportTreeTest : OptionsTest {
    std::vector<PxVQSoftLinkPtr> Links(std::initializer_list<const char*> elements) const
    {
        std::vector<PxVQSoftLinkPtr> links;
        for (const char* name : elements) {
            if (std::string(name) == "SALES")
                links.emplace_back(Segment("SYS1", "SALES"));
            else
                links.emplace_back(NamedIn<PxVQElementSoftLinkPtr>(
                    name, [&](auto& list) { Segment("SYS1", "SALES")->GetListOfElementSoftLinks(list); }));
            EXPECT_TRUE(links.back()) << name;
        }
        return links;
    }

    static Strings Texts(const std::vector<std::unique_ptr<LinkNode>>& nodes)
    {
        Strings texts;
        for (const auto& node : nodes)
            texts.push_back(node->m_text.str() + " [" + node->m_key + "]");
        return texts;
    }

    static Node* Child(const Node& node, const char* text)
    {
        unsigned count = 0;
        const std::unique_ptr<Node>* children = node.GetChildren(count);
        for (unsigned i = 0; children && i < count; ++i)
            if (children[i] && children[i]->m_text == text)
                return children[i].get();
        return nullptr;
    }

    static std::vector<Strings> Rows(Node& node)
    {
        std::vector<Strings> rows;
        for (int cursor = 0; cursor >= 0;) {
            VqsReportCells cells;
            node.GetNextRow(cursor, cells);
            Strings row;
            for (const CString& cell : cells)
                row.push_back(cell.str());
            rows.push_back(row);
        }
        return rows;
    }
};

} // namespace

TEST_F(ReportTreeTest, ASegmentWithItsElementsGivesOneSectionEachInTypeOrder)
{
    app.SetAllowLongNames(FALSE);
    VqsOptionsReport report(Links({"SALES", "MONTHLY", "STARTUP", "CUSTOMER", "ORDBYDATE"}), OptionSet("TARSKGEN"));

    ASSERT_TRUE(report.BuildNodes(1));
    EXPECT_EQ(Texts(report.Nodes()), (Strings{"SALES - Business Segment Options [1]", "CUSTOMER - Component Options [2]",
                                              "STARTUP - Global Logic Options [4]", "MONTHLY - Report Options [5]",
                                              "ORDBYDATE - Profile Options [6]"}));

    ASSERT_TRUE(report.BuildNodes(0));
    EXPECT_EQ(Texts(report.Nodes()), (Strings{"SALES - Business Segment Options [1]", "CUSTOMER - Component Options [2]",
                                              "MONTHLY - Report Options [5]", "ORDBYDATE - Profile Options [6]",
                                              "STARTUP - Global Logic Options [4]"}));
    EXPECT_EQ(MessageBoxes(), Strings{});
}

// Leaving a link out would print a partial report as if it were complete.
TEST_F(ReportTreeTest, ALinkWithoutOptionsFailsTheBuild)
{
    Commit(*app.GetLink(), [&] { Segment("SYS1", "SALES")->CreateElementSoftLink("NEWREPORT", VQSoftLinkReport); });
    VqsOptionsReport report(Links({"SALES", "MONTHLY", "NEWREPORT", "STARTUP"}), OptionSet("TARSKGEN"));

    ui.ExpectMessageBox("Cannot access the option values", IDOK);

    EXPECT_FALSE(report.BuildNodes(1));

    ui.Verify();
    EXPECT_TRUE(report.Nodes().empty());
}

TEST_F(ReportTreeTest, TheExtractFilesOfATarskReportAreListedInLetterOrderWithTheirColumns)
{
    Commit(*app.GetLink(), [&] {
        const auto options = Options<PxTarskReportOptionsPtr>("MONTHLY", "TARSKGEN");
        for (int file : {25, 0, 2})
            options->SetExtractFileUse(file, 1);
        options->SetExtractFileKind(0, 1);
        options->SetExtractFileExpected(0, 250);
        options->SetExtractFileRecOrBlock(0, 12);
        options->SetExtractFileLabelled(0, 1);
        options->SetExtractFileDevice(0, "DEV1");
        options->SetExtractFileReel(0, "R7");
        options->SetExtractFileFormatType(0, 2);
        options->SetExtractFileKind(2, 7);
        options->SetExtractFileFormatType(2, 1);
        options->SetExtractFileFormatType(25, 5);
    });
    ui.ExpectMessageBox("Unknown Extract File Kind - 7", IDOK);

    VqsOptionsReport report(Links({"MONTHLY"}), OptionSet("TARSKGEN"));
    ASSERT_TRUE(report.BuildNodes(0));

    Node* files = Child(*report.Nodes().at(0), "Extract File Options");
    ASSERT_NE(files, nullptr);
    VqsReportCells headings;
    EXPECT_NE(files->GetColumns(headings), nullptr);
    EXPECT_EQ(headings, (VqsReportCells{"NAME", "KIND", "EXPECTED No", "RECORDS/BLOCK", "LABELLED", "DEVICE", "REEL No",
                                        "FORMAT TYPE"}));
    EXPECT_EQ(Rows(*files), (std::vector<Strings>{{"A", "Tape", "250", "12", "yes", "DEV1", "R7", "IBM tape"},
                                                  {"C", "", "0", "0", "no", "", "", "Interchange"},
                                                  {"Z", "Disk", "0", "0", "no", "", "", ""}}));
}

TEST_F(ReportTreeTest, AReportWithoutExtractFilesInUseHasAnEmptyExtractFileTable)
{
    VqsOptionsReport report(Links({"DAILY"}), OptionSet("NTGEN"));
    ASSERT_TRUE(report.BuildNodes(0));

    Node* files = Child(*report.Nodes().at(0), "Extract File Options");
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->GetChildCount(), 0U);
    EXPECT_EQ(files->GetEmptyText(), "No extract files");
    VqsReportCells headings;
    files->GetColumns(headings);
    EXPECT_EQ(headings, (VqsReportCells{"NAME", "KIND"}));
}

TEST_F(ReportTreeTest, AnOptionWithoutADefaultIsNotAvailableAndAValueWithAnAtPrintsWhole)
{
    Commit(*app.GetLink(), [&] {
        PxBSegOptionsPtr options(Segment("SYS1", "SALES")->GetOptions(OptionSet("QSRGEN")));
        options->SetGenEnvironment("ENV@PROD");
        Segment("SYS1", "SALES")->SetLongName("$Sales and orders");
    });
    app.SetAllowLongNames(TRUE);

    VqsOptionsReport report(Links({"SALES"}), OptionSet("QSRGEN"));
    ASSERT_TRUE(report.BuildNodes(0));
    const LinkNode& segment = *report.Nodes().at(0);
    EXPECT_EQ(segment.m_text, "Sales and orders - Business Segment Options");

    std::vector<Strings> rows;
    unsigned count = 0;
    const std::unique_ptr<Node>* groups = segment.GetChildren(count);
    for (unsigned i = 0; i < count; ++i)
        for (const Strings& row : Rows(*groups[i]))
            rows.push_back(row);
    EXPECT_NE(std::find(rows.begin(), rows.end(), Strings{"ConfigExistingDB", "n/a"}), rows.end());
    EXPECT_NE(std::find(rows.begin(), rows.end(), Strings{"GenEnvironment", "ENV@PROD"}), rows.end());
}

TEST_F(ReportTreeTest, GroupsAndTheirRowsAreInNameOrder)
{
    VqsOptionsReport report(Links({"MONTHLY"}), OptionSet("TARSKGEN"));
    ASSERT_TRUE(report.BuildNodes(0));

    const LinkNode& monthly = *report.Nodes().at(0);
    Strings groups;
    unsigned count = 0;
    const std::unique_ptr<Node>* children = monthly.GetChildren(count);
    for (unsigned i = 0; i < count; ++i)
        groups.push_back(children[i]->m_text.str());
    EXPECT_EQ(groups, (Strings{"Extract File Options", "Report Options", "Tarsk Report Options"}));

    Strings names;
    for (const Strings& row : Rows(*Child(monthly, "Report Options")))
        names.push_back(row.at(0));
    EXPECT_EQ(names, (Strings{"AsName", "ExtractPack", "Language", "OLTPClient"}));
}

TEST(SortReportNodesTest, OrdersByTextOrByKeyThenTextAndStopsAtANullEntry)
{
    struct Case {
        std::vector<std::pair<const char*, char>> nodes;  // a null text is a null entry
        int byType;
        Strings expected;
    };
    const Case cases[] = {
        {{{"delta", '2'}, {"Alpha", '3'}, {"charlie", '1'}, {"BRAVO", '2'}}, 0, {"Alpha", "BRAVO", "charlie", "delta"}},
        {{{"delta", '2'}, {"Alpha", '3'}, {"charlie", '1'}, {"BRAVO", '2'}}, 1, {"charlie", "BRAVO", "delta", "Alpha"}},
        {{{"b", '0'}, {nullptr, '0'}, {"a", '0'}}, 0, {"b", "-", "a"}},
        {{{"only", '0'}}, 0, {"only"}},
    };
    for (const Case& test : cases) {
        std::vector<std::unique_ptr<Node>> nodes;
        for (const auto& [text, key] : test.nodes)
            nodes.push_back(text ? std::make_unique<Node>(text, key) : nullptr);
        SortReportNodes(nodes.data(), static_cast<unsigned>(nodes.size()), test.byType);
        Strings sorted;
        for (const auto& node : nodes)
            sorted.push_back(node ? node->m_text.str() : "-");
        EXPECT_EQ(sorted, test.expected);
    }
}
