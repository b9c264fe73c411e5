// The option sheets of the elements of a business segment on a Tarsk host: which sheet a
// record gets, the tabs each sheet shows, the tab a GO command opens, and the component's
// FOLN tab that comes and goes with the page set of the options dialog.
#include "OptionsDialogHarness.h"

#include "go/VqsGoSpecs.h"
#include "options/VqsSheetRegister.h"
#include "options_tarsk/VqsOptionsElementTarskSheets.h"
#include "win/UserActions.h"

#include <memory>
#include <typeinfo>

using namespace optionstest;

namespace {

struct TarskElementSheetsTest : OptionsDialogHarness {
    INT_PTR Session(const char* element, UINT selectPage, const std::function<void()>& actions)
    {
        return OptionsDialogHarness::Session(Element("SYS1", "SALES", element), "TARSKGEN", selectPage, actions);
    }

    std::unique_ptr<VqsOptionsSheet> RegisteredSheet(const char* element, const char* optionSet)
    {
        const PxOptionsPtr options = Element("SYS1", "SALES", element)->GetOptions(OptionSet(optionSet));
        return std::unique_ptr<VqsOptionsSheet>(VqsSheetRegister::CreateSheet(nullptr, options, 0));
    }

    // The user picks another element of the same kind in the dialog.
    void PickElement(const char* name)
    {
        vqui::user::SelectText(::GetDlgItem(Dialog().m_hWnd, kElementCombo), name);
    }
};

} // namespace

TEST_F(TarskElementSheetsTest, EachTarskElementRecordGetsTheSheetOfItsKind)
{
    const struct {
        const char* element;
        const std::type_info& sheet;
        UINT helpId;
    } cases[] = {{"CUSTOMER", typeid(VqsOptions_Component_Tarsk_Sheet), 813},
                 {"EVENT", typeid(VqsOptions_Event_Tarsk_Sheet), 808},
                 {"CUSTBYNAME", typeid(VqsOptions_Profile_Tarsk_Sheet), 823},
                 {"MONTHLY", typeid(VqsOptions_Report_Tarsk_Sheet), 818}};
    for (const auto& c : cases) {
        const std::unique_ptr<VqsOptionsSheet> sheet = RegisteredSheet(c.element, "TARSKGEN");
        ASSERT_TRUE(sheet) << c.element;
        EXPECT_EQ(typeid(*sheet), c.sheet) << c.element;
        EXPECT_EQ(sheet->GetHelpContextId(), c.helpId) << c.element;
        const std::unique_ptr<VqsOptionsSheet> otherPlatform = RegisteredSheet(c.element, "NTGEN");
        EXPECT_FALSE(dynamic_cast<VqsOptions_Ispec_Tarsk_Sheet*>(otherPlatform.get()) ||
                     dynamic_cast<VqsOptions_Profile_Tarsk_Sheet*>(otherPlatform.get()) ||
                     dynamic_cast<VqsOptions_Report_Tarsk_Sheet*>(otherPlatform.get()))
            << c.element;
    }
}

TEST_F(TarskElementSheetsTest, EachElementShowsItsTabsInOrder)
{
    const struct {
        const char* element;
        Strings tabs;
    } cases[] = {{"CUSTOMER", {"Environment", "OLTP", "FOLN"}},
                 {"EVENT", {"Environment", "OLTP"}},
                 {"CUSTBYNAME", {"FOLN"}},
                 {"MONTHLY", {"Environment", "Extract File", "Generate", "Fast Load"}}};
    for (const auto& c : cases)
        Session(c.element, 0, [&] { EXPECT_EQ(Tabs(), c.tabs) << c.element; });
}

// The pages that the GO keywords EO, OLT, EX and FL open on a Tarsk generate set.
TEST_F(TarskElementSheetsTest, TheGoPageIndicesOpenTheirTabs)
{
    const PxOptionsPtr report = Options<PxOptionsPtr>("MONTHLY", "TARSKGEN");
    const struct {
        const char* element;
        UINT page;
        const char* tab;
    } cases[] = {{"CUSTOMER", VqsGoSpecElementOptEO().GetPageIndex(), "Environment"},
                 {"EVENT", VqsGoSpecElementOptEO().GetPageIndex(), "Environment"},
                 {"CUSTBYNAME", VqsGoSpecElementOptEO().GetPageIndex(), "FOLN"},
                 {"MONTHLY", VqsGoSpecElementOptEO().GetPageIndex(), "Environment"},
                 {"CUSTOMER", VqsGoSpecComponentOptOLT().GetPageIndex(), "OLTP"},
                 {"MONTHLY", VqsGoSpecReportOptEX().GetPageIndex(), "Extract File"},
                 {"MONTHLY", VqsGoSpecReportOptFL().GetPageIndex(report), "Fast Load"}};
    for (const auto& c : cases)
        Session(c.element, c.page, [&] { EXPECT_EQ(Tabs().at(ActiveTab()), c.tab) << c.element << ' ' << c.page; });
}

// An input Ispec on a Tarsk option set shows the other page set, without the FOLN tab.
TEST_F(TarskElementSheetsTest, TheFolnTabFollowsThePageSetWhileTheDialogIsOpen)
{
    Session("CUSTOMER", 0, [&] {
        ShowTab(2);
        PickElement("ORDER");
        EXPECT_EQ(Tabs(), (Strings{"Environment", "OLTP"}));
        PickElement("CUSTOMER");
        EXPECT_EQ(Tabs(), (Strings{"Environment", "OLTP", "FOLN"}));
        ShowTab(2);
        EXPECT_TRUE(Enabled(32888));
    });
    BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
    Session("ORDER", 0, [&] { EXPECT_EQ(Tabs(), (Strings{"Environment", "OLTP"})); });
}

TEST_F(TarskElementSheetsTest, ARecordOfAnotherKindLeavesTheSheetsRecord)
{
    const PxTarskCompOptionsPtr component = Options<PxTarskCompOptionsPtr>("CUSTOMER", "TARSKGEN");
    Session("CUSTOMER", 0, [&] {
        auto& sheet = dynamic_cast<VqsOptions_Component_Tarsk_Sheet&>(*Dialog().GetSheet());
        EXPECT_FALSE(sheet.SetOptions(Options<PxOptionsPtr>("EVENT", "TARSKGEN")));
        EXPECT_FALSE(sheet.SetOptions(PxOptionsPtr()));
        EXPECT_TRUE(sheet.GetTarskOptions()->IsSameOid(component));
        EXPECT_TRUE(sheet.GetTarskIspecOptions()->IsSameOid(component));
        EXPECT_TRUE(sheet.SetOptions(Options<PxOptionsPtr>("NOTES", "TARSKGEN")));
        EXPECT_TRUE(sheet.GetTarskOptions()->IsSameOid(Options<PxOptionsPtr>("NOTES", "TARSKGEN")));
    });
}
