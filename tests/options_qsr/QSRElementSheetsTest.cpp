// The option sheets of QSR components, events, profiles and reports, found through the
// sheet registry and used through the options dialog of their elements.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "options/VqsSheetRegister.h"
#include "options_qsr/VqsOptionsQSRElementSheets.h"
#include "win/UserActions.h"

using namespace optionstest;

namespace {

struct QSRElementSheetsTest : OptionsDialogHarness {
    PxOptionsPtr Record(const char* element, const char* optionSet = "QSRGEN") const
    {
        return Element("SYS1", "SALES", element)->GetOptions(OptionSet(optionSet));
    }

    // The user picks another element of the same kind in the dialog.
    void ChooseElement(const char* name)
    {
        vqui::user::SelectText(Dialog().GetDlgItem(kElementCombo)->m_hWnd, name);
    }
};

} // namespace

TEST_F(QSRElementSheetsTest, EachQSRElementRecordFindsItsOwnSheetWithItsHelpNumber)
{
    const struct {
        const char* element;
        VqsOptionsSheet* (*create)(VqsSoftLinkOptionsDlg*, const PxOptionsPtr&, UINT);
        UINT helpId;
    } cases[] = {
        {"CUSTOMER", &VqsOptions_Component_QSR_Sheet::CreateSheet, 812},
        {"EVENT", &VqsOptions_Event_QSR_Sheet::CreateSheet, 807},
        {"CUSTBYNAME", &VqsOptions_Profile_QSR_Sheet::CreateSheet, 822},
        {"MONTHLY", &VqsOptions_Report_QSR_Sheet::CreateSheet, 817},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        std::unique_ptr<VqsOptionsSheet> own(c.create(nullptr, Record(c.element), 0));
        ASSERT_TRUE(own);
        EXPECT_EQ(own->GetHelpContextId(), c.helpId);
        std::unique_ptr<VqsOptionsSheet> registered(VqsSheetRegister::CreateSheet(nullptr, Record(c.element), 0));
        ASSERT_TRUE(registered);
        EXPECT_EQ(typeid(*registered), typeid(*own));
        for (const auto& other : cases) {
            if (other.create != c.create) {
                EXPECT_EQ(other.create(nullptr, Record(c.element), 0), nullptr) << other.element;
            }
        }
        EXPECT_EQ(c.create(nullptr, Record(c.element, "TARSKGEN"), 0), nullptr);
    }
}

TEST_F(QSRElementSheetsTest, TheSheetsShowTheirTabsInOrder)
{
    const struct {
        const char* element;
        Strings tabs;
    } cases[] = {
        {"CUSTOMER", {"Environment", "OLTP", "TOLVE"}},
        {"EVENT", {"Environment", "OLTP"}},
        {"CUSTBYNAME", {"Environment", "TOLVE"}},
        {"MONTHLY", {"Environment", "Extract File", "Generate"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.element);
        Session(Element("SYS1", "SALES", c.element), "QSRGEN", 0, [&] { EXPECT_EQ(Tabs(), c.tabs); });
    }
}

TEST_F(QSRElementSheetsTest, AnInputIspecsComponentHasNoTOLVETabAndMovingOnBringsItBack)
{
    BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
    Session(Element("SYS1", "SALES", "ORDER"), "QSRGEN", 0, [&] {
        EXPECT_EQ(Tabs(), (Strings{"Environment", "OLTP"}));
        ChooseElement("CUSTOMER");
        EXPECT_EQ(Tabs(), (Strings{"Environment", "OLTP", "TOLVE"}));
        ChooseElement("NOTES");
        EXPECT_EQ(Tabs(), (Strings{"Environment", "OLTP"}));
    });
}

TEST_F(QSRElementSheetsTest, ASheetKeepsItsRecordWhenGivenOneOfAnotherPlatform)
{
    std::unique_ptr<VqsOptionsSheet> sheet(VqsOptions_Report_QSR_Sheet::CreateSheet(nullptr, Record("MONTHLY"), 0));
    auto& report = dynamic_cast<VqsOptions_Report_QSR_Sheet&>(*sheet);
    const PxQSRReportOptionsPtr before = report.GetQSROptions();
    EXPECT_FALSE(report.SetOptions(Record("MONTHLY", "TARSKGEN")));
    EXPECT_EQ(report.GetQSROptions(), before);
    EXPECT_TRUE(report.SetOptions(Record("DAILY")));
    EXPECT_EQ(PxOptionsPtr(report.GetQSROptions()), Record("DAILY"));
}
