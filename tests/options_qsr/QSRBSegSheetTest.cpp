// The options of a business segment on a QSR host: which sheet opens and which tabs it shows.
#include "QSRTestSupport.h"

#include "options/VqsSheetRegister.h"

using namespace optionstest;

TEST_F(QSRBSegSheetTest, OnlyAQSRSegmentRecordGetsTheQSRSheet)
{
    std::unique_ptr<VqsOptionsSheet> qsr(VqsOptions_BSeg_QSR_Sheet::CreateSheet(
        nullptr, Segment("SYS1", "SALES")->GetOptions(OptionSet("QSRGEN")), 0));
    ASSERT_TRUE(qsr);
    EXPECT_EQ(qsr->GetHelpContextId(), 802U);
    for (const char* optionSet : {"TARSKGEN", "NTGEN", "UNIXGEN"})
        EXPECT_EQ(VqsOptions_BSeg_QSR_Sheet::CreateSheet(
                      nullptr, Segment("SYS1", "SALES")->GetOptions(OptionSet(optionSet)), 0),
                  nullptr)
            << optionSet;
    EXPECT_EQ(VqsOptions_BSeg_QSR_Sheet::CreateSheet(
                  nullptr, Element("SYS1", "SALES", "MONTHLY")->GetOptions(OptionSet("QSRGEN")), 0),
              nullptr);
    std::unique_ptr<VqsOptionsSheet> registered(VqsSheetRegister::CreateSheet(
        nullptr, Segment("SYS1", "SALES")->GetOptions(OptionSet("QSRGEN")), 0));
    EXPECT_TRUE(dynamic_cast<VqsOptions_BSeg_QSR_Sheet*>(registered.get()));
}

TEST_F(QSRBSegSheetTest, TheSegmentShowsTheFifteenGeneralPagesInOrder)
{
    Session(0, [&] {
        EXPECT_EQ(Tabs(), (Strings{"Environment", "Glimmerdesk", "Generate", "OLTP", "Pack Allocation",
                                   "Default TOLVE", "TOLVE", "Configure/QEP Gen", "Remote DB", "Pack Mapping",
                                   "Copy Audit to Tape Details", "Internal TOLVE", "Quorbit", "Bulk Options",
                                   "Wrenfield Test"}));
    });
}

TEST_F(QSRBSegSheetTest, TheEventPageSetIsTheEventTOLVEPageAlone)
{
    BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
    Session(0, [&] { EXPECT_EQ(Tabs(), (Strings{"Event TOLVE"})); });
}

// The pages that the GO keywords of a QSR business segment open.
TEST_F(QSRBSegSheetTest, TheGoPageIndicesOpenTheirTabs)
{
    const struct {
        UINT page;
        const char* tab;
    } cases[] = {{5, "Default TOLVE"}, {6, "TOLVE"},         {7, "Configure/QEP Gen"},
                 {8, "Remote DB"},     {9, "Pack Mapping"}, {10, "Copy Audit to Tape Details"}};
    for (const auto& c : cases)
        Session(c.page, [&] { EXPECT_EQ(Tabs().at(ActiveTab()), c.tab); });
}
