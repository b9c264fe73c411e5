// The Bulk Options page of a Tarsk business segment, used as a person uses it: a kind of
// element chosen, rows selected, the panel's editors changed, the edits applied.
#include "OptionsDialogHarness.h"

#include "options_tarsk/VqsOptionPageTarskBSegBulkOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskEventOptions.h"
#include "proxy/PxTarskGLGOptions.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTarskReportOptions.h"
#include "proxy/PxVQGlobalLogicSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQTypes.h"
#include "win/CButton.h"
#include "win/Input.h"
#include "win/UserActions.h"

#include <algorithm>

using namespace optionstest;

namespace {

constexpr int kBulkTab = 7;
constexpr int kGlobalLogicsRadio = 33036;
constexpr int kProfilesRadio = 33034;
constexpr int kReportsRadio = 33037;
constexpr int kPanelFrame = 33038;

// Ispec panel
constexpr int kIspecQubNo = 1970;
constexpr int kIspecNoQub = 1971;
constexpr int kIspecPageSize = 1976;
constexpr int kIspecSizingType = 1972;
constexpr int kIspecSizingValue = 1973;
constexpr int kIspecDuplexPack = 1978;
constexpr int kIspecDuplexDefault = 1979;
constexpr int kIspecNoDuplex = 1980;
constexpr int kIspecSom = 1961;
constexpr int kIspecSomDefault = 1962;
constexpr int kIspecInterDb = 1968;
constexpr int kIspecAllowExternal = 1984;
// Profile panel
constexpr int kProfileSizingType = 1996;
constexpr int kProfileSizingValue = 1997;
constexpr int kProfilePageSize = 2000;
constexpr int kProfileQubNo = 1998;
constexpr int kProfileNoQub = 1999;
constexpr int kProfilePageSizeDefault = 2001;
constexpr int kProfileNoDuplex = 2004;
// Report panel
constexpr int kSortMemSize = 1992;
constexpr int kRocUsesDb = 1986;
constexpr int kRocUsesDbDefault = 1987;
// Global Logics panel

constexpr int kGlgSom = 2007;
constexpr int kGlgSomDefault = 2008;

// Columns of the Ispec and profile lists.
constexpr int kIspecSizing = 3;
constexpr int kIspecSomName = 13;
constexpr int kProfileSizing = 3;


using Strings = OptionsDialogHarness::Strings;

struct TarskBulkOptionsTest : OptionsDialogHarness {
    void TearDown() override
    {
        PxFaultInjection::Reset();
        OptionsDialogHarness::TearDown();
    }

    // Opens the segment's options on the Bulk Options tab and runs `use` there.
    void OnBulkPage(const std::function<void()>& use)
    {
        Session(Segment("SYS1", "SALES"), "TARSKGEN", kBulkTab, [&] {
            m_pPage = dynamic_cast<VqsOptionPageTarskBSegBulkOptions*>(Dialog().GetSheet()->GetActivePage());
            ASSERT_TRUE(m_pPage);
            use();
        });
        m_pPage = nullptr;
    }

    VqsOptionPageTarskBSegBulkOptions& Page() { return *m_pPage; }
    VqsBulkOptionPanel& Panel() { return *m_pPage->GetCurrentPanel(); }

    Strings RowNames()
    {
        Strings names;
        for (int row = 0; row < Page().GetList().GetItemCount(); ++row)
            names.emplace_back(Page().GetList().GetItemText(row, 0));
        return names;
    }
    int RowOf(const char* name)
    {
        const Strings names = RowNames();
        const auto found = std::find(names.begin(), names.end(), name);
        EXPECT_NE(found, names.end()) << name;
        return static_cast<int>(found - names.begin());
    }
    void SelectRows(std::initializer_list<const char*> names)
    {
        Page().GetList().SetItemState(-1, 0, LVIS_SELECTED);
        for (const char* name : names)
            Page().GetList().SetItemState(RowOf(name), LVIS_SELECTED, LVIS_SELECTED);
    }
    // The cell's text with its default mark.
    std::string Cell(const char* name, int column)
    {
        char text[kVqsCellTextLength] = "";
        Panel().GetCellText(FALSE, RowOf(name), column, text, kVqsCellTextLength);
        return text;
    }

    HWND PanelItem(int id)
    {
        CWnd* item = Panel().GetDlgItem(id);
        EXPECT_TRUE(item) << "no control " << id << " on the panel shown";
        return item ? item->m_hWnd : nullptr;
    }
    void ClickPanel(int id) { vqui::user::Click(PanelItem(id)); }
    void TypePanel(int id, const char* text) { vqui::user::ReplaceText(PanelItem(id), text); }
    void ChoosePanel(int id, const char* text) { vqui::user::SelectText(PanelItem(id), text); }
    BOOL PanelChecked(int id) { return ::SendMessage(PanelItem(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    BOOL PanelEnabled(int id) { return ::IsWindowEnabled(PanelItem(id)); }
    std::string PanelText(int id)
    {
        char text[256] = "";
        ::GetWindowText(PanelItem(id), text, sizeof(text));
        return text;
    }
    Strings PanelComboItems(int id)
    {
        Strings items;
        const int count = static_cast<int>(::SendMessage(PanelItem(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] = "";
            ::SendMessage(PanelItem(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }
    // Clears a "Default" box the rows show checked, so that the value can be typed.
    void Uncheck(int id)
    {
        if (PanelChecked(id))
            ClickPanel(id);
    }
    void ApplyWithYes()
    {
        Answer("Are you sure you want to apply these bulk option updates?", IDYES);
        ApplyNow();
    }

    PxTarskCompOptionsPtr Component(const char* name) const { return Stored<PxTarskCompOptionsPtr>(name, "TARSKGEN"); }
    PxTarskProfileOptionsPtr Profile(const char* name) const
    {
        return Stored<PxTarskProfileOptionsPtr>(name, "TARSKGEN");
    }
    PxTarskBSegOptionsPtr SegmentOptions() const { return StoredSegment<PxTarskBSegOptionsPtr>("TARSKGEN"); }

    // The two profiles of the sample that the Tarsk page leaves out, made ordinary.
    void ListTheProfiles()
    {
        Write([&] {
            PxVQProfileSoftLinkPtr(Element("SYS1", "SALES", "CUSTBYNAME"))->SetPrimary(0);
            PxVQProfileSoftLinkPtr(Element("SYS1", "SALES", "ORDBYDATE"))->SetAutoMaint(0);
        });
    }

private:
    VqsOptionPageTarskBSegBulkOptions* m_pPage = nullptr;
};

Strings Titles(VqsBulkOptionPanel& panel)
{
    Strings titles;
    for (int column = 0; column < panel.GetColumnCount(); ++column)
        titles.emplace_back(panel.GetAdapter(column)->GetTitle());
    return titles;
}

} // namespace

TEST_F(TarskBulkOptionsTest, TheFourPanelsListTheirColumnsInOrderAndSitAtTheFramesCornerInTheirOwnSize)
{
    OnBulkPage([&] {
        using Kind = VqsOptionPageBSegBulkOptions;
        EXPECT_EQ(Titles(*Page().GetPanel(Kind::Ispecs)),
                  (Strings{"Ispec Name", "Type", "Usage", "Sizing", "Qub No", "Pack", "Duplex Pack", "Page Size",
                           "Multi Rec Max", "Multi Rec Max Rpt", "Revert Std", "Allow External", "Inter DB",
                           "SOM Name", "OLTP Service"}));
        EXPECT_EQ(Titles(*Page().GetPanel(Kind::Profiles)),
                  (Strings{"Profile Name", "Over Ispec", "Qub No", "Sizing", "Page Size", "Pack", "Qub Duplex"}));
        EXPECT_EQ(Titles(*Page().GetPanel(Kind::Reports)),
                  (Strings{"Report Name", "Extract Pack", "Sort Mem Size", "ROC Uses DB", "OLTP Client"}));
        EXPECT_EQ(Titles(*Page().GetPanel(Kind::GlobalLogics)),
                  (Strings{"Logic Name", "Separately Compiled", "SOM Name"}));

        CRect frame;
        Page().GetDlgItem(kPanelFrame)->GetWindowRect(&frame);
        for (int kind : {Kind::Ispecs, Kind::Profiles, Kind::Reports, Kind::GlobalLogics}) {
            CRect panel;
            Page().GetPanel(kind)->GetWindowRect(&panel);
            EXPECT_EQ(panel.TopLeft(), frame.TopLeft()) << kind;
            EXPECT_EQ(Page().GetPanel(kind)->IsWindowVisible(), kind == Kind::Ispecs) << kind;
        }
        CRect ispecs;
        CRect logics;
        Page().GetPanel(Kind::Ispecs)->GetWindowRect(&ispecs);
        Page().GetPanel(Kind::GlobalLogics)->GetWindowRect(&logics);
        EXPECT_GT(ispecs.Width(), frame.Width());
        EXPECT_LT(logics.Height(), frame.Height());

        const Strings sizes{"224", "448", "896", "1792", "3584", "7168"};
        EXPECT_EQ(PanelComboItems(kIspecPageSize), sizes);
        EXPECT_EQ(PanelComboItems(kIspecSizingType), (Strings{"Expected Number", "Max Pages"}));
        Click(kProfilesRadio);
        EXPECT_EQ(PanelComboItems(kProfilePageSize), sizes);
        EXPECT_EQ(PanelComboItems(kProfileSizingType),
                  (Strings{"Default Estimates", "Expected Number", "Percentage", "Max Pages"}));
    });
}

// Sizing, QUB number, pack, duplex pack, page size, two maxima, revert, allow external,
// inter DB and SOM name, as the rows hold them (with the default mark).
TEST_F(TarskBulkOptionsTest, EachIspecShowsTheTarskColumnsThatApplyToIt)
{
    Write([&] {
        PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", "CUSTOMER"))->SetIspecType(0);
        Component("AUDIT")->SetCompMaxPages(40);
        Component("AUDIT")->SetCompMaxPagesSpecify(1);
        Component("AUDIT")->SetWEXQUBno(7);
        Component("AUDIT")->SetQUBDuplexPack("DUP1");
        Component("ENQUIRY")->SetExternalOnly(1);
        Component("ENQUIRY")->SetSOMName("MOD1");
    });
    const std::string pack = "~" + std::string(Component("ENQUIRY")->GetDefaultCompPack());
    const struct {
        const char* ispec;
        Strings cells;
    } rows[] = {
        {"CUSTOMER", {"1000", "", "", "", "", "", "", "", "", "", "~"}},
        {"ORDER", {"", "", "", "", "", "", "", "", "", "", "~"}},
        {"AUDIT", {"40 pages", "7", pack, "DUP1", "~", "0", "0", "No", "No", "Internal Only", ""}},
        {"ENQUIRY", {"100", "~0", pack, "", "~", "0", "0", "No", "No", "External Only", "MOD1"}},
    };
    OnBulkPage([&] {
        EXPECT_EQ(RowNames(), (Strings{"CUSTOMER", "ORDER", "NOTES", "AUDIT", "ENQUIRY"}));
        for (const auto& row : rows) {
            Strings cells;
            for (int column = kIspecSizing; column <= kIspecSomName; ++column)
                cells.push_back(Cell(row.ispec, column));
            EXPECT_EQ(cells, row.cells) << row.ispec;
        }
    });
}

TEST_F(TarskBulkOptionsTest, AQubNumberIsEditedForOneRowAndOpensItsDuplexEditorsAtNoDuplex)
{
    OnBulkPage([&] {
        SelectRows({"AUDIT", "ENQUIRY"});
        EXPECT_FALSE(PanelEnabled(kIspecQubNo));
        EXPECT_FALSE(PanelEnabled(kIspecNoQub));
        EXPECT_TRUE(PanelChecked(kIspecNoQub));

        SelectRows({"AUDIT"});
        EXPECT_EQ(Cell("AUDIT", 6), "");
        EXPECT_FALSE(PanelEnabled(kIspecNoDuplex));
        Uncheck(kIspecNoQub);
        TypePanel(kIspecQubNo, "12");
        EXPECT_TRUE(PanelEnabled(kIspecNoDuplex));
        EXPECT_TRUE(PanelChecked(kIspecNoDuplex));
        EXPECT_FALSE(PanelChecked(kIspecDuplexDefault));
        EXPECT_FALSE(PanelEnabled(kIspecDuplexDefault));
        EXPECT_FALSE(PanelEnabled(kIspecDuplexPack));
        ApplyWithYes();
        EXPECT_EQ(Cell("AUDIT", 4), "12");
        EXPECT_EQ(Cell("AUDIT", 6), "~");
    });
    EXPECT_EQ(Component("AUDIT")->GetWEXQUBno(), 12);
    EXPECT_FALSE(Component("AUDIT")->IsDefaultQUBDuplexPack());
    EXPECT_EQ(Component("AUDIT")->GetQUBDuplexPack(), "");
}

TEST_F(TarskBulkOptionsTest, WithAllQubFilesDuplexNoRowOffersNoDuplex)
{
    Write([&] {
        SegmentOptions()->SetAllQUBduplex(1);
        Component("AUDIT")->SetWEXQUBno(5);
    });
    OnBulkPage([&] {
        SelectRows({"AUDIT"});
        EXPECT_TRUE(PanelEnabled(kIspecDuplexDefault));
        EXPECT_FALSE(PanelEnabled(kIspecNoDuplex));
    });
}

TEST_F(TarskBulkOptionsTest, AQubNumberTheRepositoryRefusesBeepsAndIsReportedOnceWhileTheOtherRowsApply)
{
    PxFaultInjection::Throw("PxTarskCompOptions::SetWEXQUBno");
    OnBulkPage([&] {
        for (const auto& [ispec, number] : {std::pair{"AUDIT", "12"}, std::pair{"ENQUIRY", "13"}}) {
            SelectRows({ispec});
            Uncheck(kIspecNoQub);
            TypePanel(kIspecQubNo, number);
        }
        const int beeps = vqwin::BeepCount();
        Answer("Are you sure you want to apply these bulk option updates?", IDYES);
        Answer("These options could not be set; the elements keep the values stored:\nAUDIT (Qub No)", IDOK);
        ApplyNow();
        EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
        EXPECT_FALSE(Panel().HasEdits());
    });
    EXPECT_EQ(Component("AUDIT")->GetWEXQUBno(), 0);
    EXPECT_EQ(Component("ENQUIRY")->GetWEXQUBno(), 13);
}

TEST_F(TarskBulkOptionsTest, ExternalOnlyAndAllowExternalExcludeEachOther)
{
    OnBulkPage([&] {
        SelectRows({"AUDIT"});
        ClickPanel(kIspecAllowExternal);
        const int beeps = vqwin::BeepCount();
        ChoosePanel(kIspecInterDb, "External Only");
        EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
        EXPECT_EQ(PanelText(kIspecInterDb), "Internal Only");

        ClickPanel(kIspecAllowExternal);
        ChoosePanel(kIspecInterDb, "External Only");
        EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
        EXPECT_FALSE(PanelEnabled(kIspecAllowExternal));
        ChoosePanel(kIspecInterDb, " ");
        EXPECT_EQ(vqwin::BeepCount(), beeps + 2);
        EXPECT_EQ(PanelText(kIspecInterDb), "External Only");
        ApplyWithYes();
    });
    EXPECT_TRUE(Component("AUDIT")->GetExternalOnly());
    EXPECT_FALSE(Component("AUDIT")->GetInternalAndExternal());
    EXPECT_FALSE(Component("AUDIT")->GetAllowExternal());
}

TEST_F(TarskBulkOptionsTest, ASomNameTakesLettersAndDigitsAndGroup1LeavesItAtItsDefault)
{
    Write([&] { Component("ENQUIRY")->SetSOMName("OLD1"); });
    OnBulkPage([&] {
        SelectRows({"ORDER"});
        Uncheck(kIspecSomDefault);
        const int beeps = vqwin::BeepCount();
        TypePanel(kIspecSom, "MOD-7");
        EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
        EXPECT_EQ(PanelText(kIspecSom), "MOD7");

        SelectRows({"ENQUIRY"});
        TypePanel(kIspecSom, "GROUP1");
        ApplyWithYes();
        EXPECT_EQ(Cell("ENQUIRY", kIspecSomName), "~");
    });
    EXPECT_EQ(Stored<PxTarskCompOptionsPtr>("ORDER", "TARSKGEN")->GetSOMName(), "MOD7");
    EXPECT_TRUE(Component("ENQUIRY")->IsDefaultSOMName());
}

TEST_F(TarskBulkOptionsTest, AGlobalLogicWithParametersIsAlwaysSeparatelyCompiledAndOthersEnableTheirSomName)
{
    Write([&] {
        PxVQGlobalLogicSoftLinkPtr(Element("SYS1", "SALES", "CALCTAX"))->SetPerformable(1);
        const PxVQGlobalLogicSoftLinkPtr logic(
            Segment("SYS1", "SALES")->CreateElementSoftLink("SUMUP", VQSoftLinkGlobalLogic));
        logic->SetPerformable(1);
        logic->CreateBlankOptions();
    });
    OnBulkPage([&] {
        Click(kGlobalLogicsRadio);
        EXPECT_EQ(RowNames(), (Strings{"CALCTAX", "SUMUP"}));
        EXPECT_EQ(Cell("CALCTAX", 1), "~Yes");
        EXPECT_EQ(Cell("SUMUP", 1), "No");
        SelectRows({"CALCTAX"});
        EXPECT_FALSE(PanelEnabled(kSeparateCompile));
        EXPECT_TRUE(PanelEnabled(kGlgSomDefault));

        SelectRows({"SUMUP"});
        EXPECT_FALSE(PanelEnabled(kGlgSomDefault));
        EXPECT_FALSE(PanelEnabled(kGlgSom));
        ClickPanel(kSeparateCompile);
        EXPECT_TRUE(PanelEnabled(kGlgSomDefault));
        Uncheck(kGlgSomDefault);
        TypePanel(kGlgSom, "LOGIC2");
        ApplyWithYes();
    });
    const auto logic = Stored<PxTarskGLGOptionsPtr>("SUMUP", "TARSKGEN");
    EXPECT_TRUE(logic->GetSeparateCompile());
    EXPECT_EQ(logic->GetGLGSOMName(), "LOGIC2");
    EXPECT_FALSE(Stored<PxTarskGLGOptionsPtr>("CALCTAX", "TARSKGEN")->IsUpdatedSeparateCompile());
}

TEST_F(TarskBulkOptionsTest, AProfilesSizingIsOneKindAtATimeAndAPageMaximumIsAtLeastEight)
{
    ListTheProfiles();
    Write([&] { Profile("CUSTBYNAME")->SetPercent(50); });
    OnBulkPage([&] {
        Click(kProfilesRadio);
        EXPECT_EQ(RowNames(), (Strings{"CUSTBYNAME", "ORDBYDATE"}));
        EXPECT_EQ(Cell("CUSTBYNAME", kProfileSizing), "50%");
        EXPECT_EQ(Cell("ORDBYDATE", kProfileSizing), "~Default");

        SelectRows({"CUSTBYNAME", "ORDBYDATE"});
        EXPECT_EQ(PanelText(kProfileSizingType), "Default Estimates");
        EXPECT_EQ(PanelText(kProfileSizingValue), "");

        SelectRows({"CUSTBYNAME"});
        EXPECT_EQ(PanelText(kProfileSizingType), "Percentage");
        EXPECT_EQ(PanelText(kProfileSizingValue), "50");
        ChoosePanel(kProfileSizingType, "Max Pages");
        TypePanel(kProfileSizingValue, "5");
        EXPECT_EQ(Cell("CUSTBYNAME", kProfileSizing), "5 pages");

        SelectRows({"ORDBYDATE"});
        EXPECT_FALSE(PanelEnabled(kProfileSizingValue));
        ChoosePanel(kProfileSizingType, "Expected Number");
        TypePanel(kProfileSizingValue, "250");
        ApplyWithYes();
        EXPECT_EQ(Cell("CUSTBYNAME", kProfileSizing), "8 pages");
        EXPECT_EQ(Cell("ORDBYDATE", kProfileSizing), "250");
    });
    const auto byName = Profile("CUSTBYNAME");
    EXPECT_EQ(byName->GetProMaxPages(), 8);
    EXPECT_TRUE(byName->GetProMaxPagesSpecify());
    EXPECT_TRUE(byName->IsDefaultPercent());
    EXPECT_TRUE(byName->IsDefaultExpectedOrVolume());
    EXPECT_EQ(Profile("ORDBYDATE")->GetExpectedOrVolume(), 250);
}

TEST_F(TarskBulkOptionsTest, AZeroSizingReturnsAProfileToItsDefaultsAndATooLargePercentageBecomesAHundred)
{
    ListTheProfiles();
    Write([&] {
        Profile("CUSTBYNAME")->SetExpectedOrVolume(300);
        Profile("ORDBYDATE")->SetProMaxPages(20);
        Profile("ORDBYDATE")->SetProMaxPagesSpecify(1);
    });
    OnBulkPage([&] {
        Click(kProfilesRadio);
        SelectRows({"CUSTBYNAME"});
        TypePanel(kProfileSizingValue, "0");
        EXPECT_EQ(Cell("CUSTBYNAME", kProfileSizing), "0");

        SelectRows({"ORDBYDATE"});
        const int beeps = vqwin::BeepCount();
        TypePanel(kProfileSizingValue, "250");
        ChoosePanel(kProfileSizingType, "Percentage");
        EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
        EXPECT_EQ(PanelText(kProfileSizingValue), "100");
        EXPECT_EQ(Cell("ORDBYDATE", kProfileSizing), "100%");
        ApplyWithYes();
        EXPECT_EQ(Cell("CUSTBYNAME", kProfileSizing), "~Default");
    });
    EXPECT_TRUE(Profile("CUSTBYNAME")->IsDefaultExpectedOrVolume());
    EXPECT_FALSE(Profile("CUSTBYNAME")->GetProMaxPagesSpecify());
    EXPECT_EQ(Profile("ORDBYDATE")->GetPercent(), 100);
    EXPECT_FALSE(Profile("ORDBYDATE")->GetProMaxPagesSpecify());
}

TEST_F(TarskBulkOptionsTest, AnIspecsSizingIsAnExpectedNumberOrAPageMaximumAndAnEventTakesEitherAsItsVolume)
{
    Write([&] { PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", "CUSTOMER"))->SetIspecType(0); });
    OnBulkPage([&] {
        SelectRows({"CUSTOMER"});
        ChoosePanel(kIspecSizingType, "Max Pages");
        TypePanel(kIspecSizingValue, "30");
        SelectRows({"AUDIT"});
        ChoosePanel(kIspecSizingType, "Max Pages");
        TypePanel(kIspecSizingValue, "3");
        SelectRows({"ENQUIRY"});
        TypePanel(kIspecSizingValue, "75");
        SelectRows({"ORDER"});
        EXPECT_FALSE(PanelEnabled(kIspecSizingType));
        ApplyWithYes();
        EXPECT_EQ(Cell("AUDIT", kIspecSizing), "8 pages");
    });
    EXPECT_EQ(Stored<PxTarskEventOptionsPtr>("CUSTOMER", "TARSKGEN")->GetVolume(), 30);
    EXPECT_EQ(Component("AUDIT")->GetCompMaxPages(), 8);
    EXPECT_TRUE(Component("AUDIT")->GetCompMaxPagesSpecify());
    EXPECT_EQ(Component("ENQUIRY")->GetExpected(), 75);
    EXPECT_FALSE(Component("ENQUIRY")->GetCompMaxPagesSpecify());
}

TEST_F(TarskBulkOptionsTest, AProfileTakesAPageSizeOfTheListAndAQubNumberWithNoDuplex)
{
    ListTheProfiles();
    OnBulkPage([&] {
        Click(kProfilesRadio);
        EXPECT_EQ(Cell("ORDBYDATE", 4), "~");
        SelectRows({"ORDBYDATE"});
        Uncheck(kProfilePageSizeDefault);
        ChoosePanel(kProfilePageSize, "1792");
        Uncheck(kProfileNoQub);
        TypePanel(kProfileQubNo, "44");
        EXPECT_TRUE(PanelChecked(kProfileNoDuplex));
        ApplyWithYes();
        EXPECT_EQ(Cell("ORDBYDATE", 4), "1792");
        EXPECT_EQ(Cell("ORDBYDATE", 6), "~");
    });
    const auto profile = Profile("ORDBYDATE");
    EXPECT_EQ(profile->GetProfileMinPageSize(), 1792);
    EXPECT_EQ(profile->GetProfileWEXQUBno(), 44);
    EXPECT_EQ(profile->GetProfileQUBDuplexPack(), "");
    EXPECT_FALSE(Profile("CUSTBYNAME")->IsUpdatedProfileMinPageSize());
}

TEST_F(TarskBulkOptionsTest, AReportTakesItsOwnRocChoiceAndASortMemorySizeWithinItsLimits)
{
    OnBulkPage([&] {
        Click(kReportsRadio);
        EXPECT_EQ(Cell("MONTHLY", 3), "~No");
        SelectRows({"MONTHLY"});
        Uncheck(kRocUsesDbDefault);
        ClickPanel(kRocUsesDb);
        const int beeps = vqwin::BeepCount();
        TypePanel(kSortMemSize, "1000");
        EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
        EXPECT_EQ(PanelText(kSortMemSize), "100");
        ApplyWithYes();
    });
    const auto monthly = Stored<PxTarskReportOptionsPtr>("MONTHLY", "TARSKGEN");
    EXPECT_EQ(monthly->GetReportROCusesDB(), 1);
    EXPECT_FALSE(monthly->IsDefaultReportROCusesDB());
    EXPECT_EQ(monthly->GetSortMemSize(), 100);
    EXPECT_FALSE(Stored<PxTarskReportOptionsPtr>("DAILY", "TARSKGEN")->IsUpdatedSortMemSize());
}
