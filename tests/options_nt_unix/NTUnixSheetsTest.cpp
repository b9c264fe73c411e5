// The NT and Unix option sheets, as the options dialog builds them for each kind of record.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "options/VqsSheetRegister.h"
#include "options_nt_unix/VqsOptionsBSegNTUnixSheets.h"
#include "options_nt_unix/VqsOptionsElementNTUnixSheets.h"

#include <memory>
#include <typeinfo>

using namespace optionstest;

namespace {

struct NTUnixSheetsTest : OptionsDialogHarness {
    PxOptionsPtr Record(const char* element, const char* optionSet) const
    {
        return element ? Element("SYS1", "SALES", element)->GetOptions(OptionSet(optionSet))
                       : Segment("SYS1", "SALES")->GetOptions(OptionSet(optionSet));
    }
    PxVQSoftLinkPtr Link(const char* element) const
    {
        return element ? PxVQSoftLinkPtr(Element("SYS1", "SALES", element)) : PxVQSoftLinkPtr(Segment("SYS1", "SALES"));
    }
};

} // namespace

TEST_F(NTUnixSheetsTest, EachRecordOpensTheSheetOfItsPlatformAndKindWithItsHelpAndTabs)
{
    const struct {
        const char* element;
        const char* optionSet;
        const std::type_info& sheet;
        UINT helpId;
        Strings tabs;
    } cases[] = {
        {nullptr, "NTGEN", typeid(VqsOptions_BSeg_NT_Sheet), 800,
         {"Environment", "Glimmerdesk", "Generate", "OLTP", "Pack Allocation", "Quorbit", "Bulk Options",
          "Wrenfield Test"}},
        {nullptr, "UNIXGEN", typeid(VqsOptions_BSeg_Unix_Sheet), 801,
         {"Environment", "Glimmerdesk", "Generate", "OLTP", "Pack Allocation", "Quorbit", "Bulk Options",
          "Wrenfield Test"}},
        {"ORDER", "NTGEN", typeid(VqsOptions_Component_NT_Sheet), 810, {"Environment", "OLTP", "Generate"}},
        {"ORDER", "UNIXGEN", typeid(VqsOptions_Component_Unix_Sheet), 811,
         {"Environment", "OLTP", "Oracle", "Oracle Partitions"}},
        {"EVENT", "NTGEN", typeid(VqsOptions_Event_NT_Sheet), 805, {"Environment", "OLTP"}},
        {"EVENT", "UNIXGEN", typeid(VqsOptions_Event_Unix_Sheet), 806, {"Environment", "OLTP"}},
        {"CUSTBYNAME", "NTGEN", typeid(VqsOptions_Profile_NT_Sheet), 820, {"Environment"}},
        {"CUSTBYNAME", "UNIXGEN", typeid(VqsOptions_Profile_Unix_Sheet), 821,
         {"Environment", "Oracle", "Oracle Partitions"}},
        {"MONTHLY", "NTGEN", typeid(VqsOptions_Report_NT_Sheet), 815, {"Environment", "Extract File", "Generate"}},
        {"MONTHLY", "UNIXGEN", typeid(VqsOptions_Report_Unix_Sheet), 816,
         {"Environment", "Extract File", "Generate"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.element ? c.element : "SALES") + " in " + c.optionSet);
        Session(Link(c.element), c.optionSet, 0, [&] {
            VqsOptionsSheet* sheet = Dialog().GetSheet();
            EXPECT_EQ(typeid(*sheet), c.sheet);
            EXPECT_EQ(sheet->GetHelpContextId(), c.helpId);
            EXPECT_EQ(Tabs(), c.tabs);
        });
    }
}

TEST_F(NTUnixSheetsTest, TheUnixSegmentInTheEventViewShowsOnlyItsDatabasePagesAndTheNTSegmentAllItsPages)
{
    const auto eventView = [](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); };
    BeforeShowing(eventView);
    Session(Link(nullptr), "UNIXGEN", 1, [&] {
        EXPECT_EQ(Tabs(), (Strings{"Oracle", "Oracle Partitions"}));
        EXPECT_EQ(ActiveTab(), 1);
        EXPECT_EQ(Dialog().GetSheet()->GetOptionPage(1)->GetPageIndex(), 1);
    });
    BeforeShowing(eventView);
    Session(Link(nullptr), "NTGEN", 0, [&] { EXPECT_EQ(Tabs().size(), 8U); });
}

// The pages that the GO keywords EOP, GO, OLP, PK (segments), EO, EX and OLT (elements) open.
TEST_F(NTUnixSheetsTest, TheGoPageIndicesOpenTheirTabs)
{
    const struct {
        const char* element;
        UINT page;
        const char* tab;
    } cases[] = {{nullptr, 0, "Environment"}, {nullptr, 2, "Generate"}, {nullptr, 3, "OLTP"},
                 {nullptr, 4, "Pack Allocation"}, {"ORDER", 0, "Environment"}, {"MONTHLY", 1, "Extract File"},
                 {"ORDER", 1, "OLTP"}};
    for (const char* optionSet : {"NTGEN", "UNIXGEN"}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(optionSet) + " " + (c.element ? c.element : "SALES") + " page " +
                         std::to_string(c.page));
            if (!c.element && c.page == 3 && std::string(optionSet) == "NTGEN")
                WhileOpening([this] {
                    Answer("The OLTP (Online Transaction Processing) functionality is not supported on Windows.\n"
                           "Please ensure that the 'Enable OLTP' box is not checked.",
                           IDOK);
                });
            Session(Link(c.element), optionSet, c.page, [&] { EXPECT_EQ(Tabs().at(ActiveTab()), c.tab); });
        }
    }
}

TEST_F(NTUnixSheetsTest, ARecordOfAnotherClassIsRefusedAndTheSheetKeepsItsRecord)
{
    Session(Link(nullptr), "UNIXGEN", 0, [&] {
        auto& sheet = dynamic_cast<VqsOptions_BSeg_Unix_Sheet&>(*Dialog().GetSheet());
        const PxUnixBSegOptionsPtr before = sheet.GetUnixOptions();
        EXPECT_FALSE(sheet.SetOptions(Record(nullptr, "NTGEN")));
        EXPECT_FALSE(sheet.SetOptions(Record("MONTHLY", "UNIXGEN")));
        EXPECT_TRUE(sheet.GetUnixOptions()->IsSameOid(PxObjectPtr(before)));
        EXPECT_TRUE(sheet.GetTypedOptions()->IsSameOid(PxObjectPtr(before)));
    });
    Session(Link("ORDER"), "NTGEN", 0, [&] {
        VqsOptionsSheet& sheet = *Dialog().GetSheet();
        EXPECT_FALSE(sheet.SetOptions(Record("EVENT", "NTGEN")));
        EXPECT_TRUE(sheet.GetOptions()->IsSameOid(PxObjectPtr(Record("ORDER", "NTGEN"))));
    });
}

TEST_F(NTUnixSheetsTest, TheUnixProfileStoragePageTakesTheEnvironmentFromTheRecordUntilThatPageIsShown)
{
    constexpr int kPack = 1411;
    constexpr int kUseDefaultPack = 1006;
    Write([&] { PxProfileOptionsPtr(Record("CUSTBYNAME", "UNIXGEN"))->SetPack("SALESTS"); });
    Session(Link("CUSTBYNAME"), "UNIXGEN", 1, [&] {
        auto& sheet = dynamic_cast<VqsOptions_Profile_Unix_Sheet&>(*Dialog().GetSheet());
        EXPECT_EQ(sheet.GetEnvPackText().value_or("<none>"), "SALESTS");
        EXPECT_FALSE(sheet.IsEnvPackDefault());
        ShowTab(0);
        Click(kUseDefaultPack);
        EXPECT_TRUE(sheet.IsEnvPackDefault());
        EXPECT_EQ(std::string(sheet.GetEnvPackText().value_or("<none>")), Text(kPack));
    }, FALSE);
}

// The record's storage and partitions are the storage pages': they keep the element from
// being taken for all defaults, and their "Defaults" drops those of the structure shown.
TEST_F(NTUnixSheetsTest, TheStorageAndPartitionTabsAnswerForTheRecordsStorageAndPartitions)
{
    constexpr int kOracleTab = 2;
    constexpr int kPartitionsTab = 3;
    constexpr int kOracleIndexStructure = 1926;
    const auto stored = [&] {
        PxUnixCompOptionsPtr options(Record("ORDER", "UNIXGEN"));
        options->Refresh();
        return options;
    };
    Write([&] {
        stored()->SetUsePainter(0);
        stored()->SetComponentTablespace(1, "ORDERS_IX");
        stored()->SetComponentPartitionType(0, 'E');
        stored()->CreateSubOptions("TP1");
    });
    Session(Link("ORDER"), "UNIXGEN", 0, [&] {
        Defaults();
        ApplyNow();
        EXPECT_NE(TabImage(Dialog(), kOracleTab), TabImage(Dialog(), 0));
    });
    EXPECT_EQ(stored()->GetComponentTablespace(1), "ORDERS_IX");
    Session(Link("ORDER"), "UNIXGEN", kOracleTab, [&] {
        Click(kOracleIndexStructure);
        Defaults();
        ApplyNow();
        ShowTab(kPartitionsTab);
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(stored()->IsUpdatedComponentTablespace(1));
    EXPECT_FALSE(stored()->IsUpdatedComponentPartitionType(0));
    EXPECT_FALSE(stored()->GetSubOptions("TP1"));
}

// The element options of a platform belong to a tab: they count as own values there, and
// "Defaults" on that tab drops them.
TEST_F(NTUnixSheetsTest, TheElementTabsAnswerForThePlatformsOwnElementOptions)
{
    Write([&] {
        PxNTCompOptionsPtr component(Record("ORDER", "NTGEN"));
        component->SetCompPack("SALESFG");
        component->SetClusterIndex("CX1");
        PxUnixReportOptionsPtr(Record("MONTHLY", "UNIXGEN"))->SetExtractFileRecOrBlock(0, 20);
    });
    Session(Link("ORDER"), "NTGEN", 0, [&] {
        for (int tab : {0, 2}) {
            ShowTab(tab);
            Defaults();
            ApplyNow();
        }
    });
    Session(Link("MONTHLY"), "UNIXGEN", 1, [&] {
        Defaults();
        ApplyNow();
    });
    PxNTCompOptionsPtr component(Record("ORDER", "NTGEN"));
    component->Refresh();
    EXPECT_FALSE(component->IsUpdatedCompPack());
    EXPECT_FALSE(component->IsUpdatedClusterIndex());
    PxUnixReportOptionsPtr report(Record("MONTHLY", "UNIXGEN"));
    report->Refresh();
    EXPECT_FALSE(report->IsUpdatedExtractFileRecOrBlock(0));
}
