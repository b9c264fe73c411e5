// The column adapters of the bulk grid on the editors of a panel: what a row shows, how the
// editors take the selected rows, what a typed value becomes and what applying it stores.
#include "OptionsTestSupport.h"

#include "options/VqsColumnAdaptersWithDefault.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "proxy/PxVQTypes.h"
#include "shell/VqsDialog.h"
#include "win/CButton.h"
#include "win/CDialog.h"
#include "win/Input.h"
#include "win/UserActions.h"

using namespace optionstest;

namespace {

constexpr UINT kPanelTemplate = 835;
constexpr UINT kFrameTemplate = 329;

// The editors of a panel, on a dialog of their own.
class Editors : public VqsDialog {
public:
    Editors() : VqsDialog(kPanelTemplate, nullptr), flag(&m_connector, 1049), useDefault(&m_connector, 1110),
                text(&m_connector, 1405, -1, 0), combo(&m_connector, 1411, 0)
    {
    }

    VqsOptCtrlFlag flag;
    VqsOptCtrlFlag useDefault;
    VqsOptCtrlString text;
    VqsOptCtrlCombo combo;
};

// The expected number of a profile, at least 10.
class ExpectedNumber : public VqsNumericValuePxAdapter {
public:
    using VqsNumericValuePxAdapter::VqsNumericValuePxAdapter;
    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override
    {
        const PxProfileOptionsPtr profile(*row);
        if (profile)
            value = profile->GetExpectedOrVolume();
        return profile != nullptr;
    }
    void SetValue(PxOptionsPtr* row, std::int64_t value) override { PxProfileOptionsPtr(*row)->SetExpectedOrVolume(value); }
    BOOL HasLowerLimit(PxOptionsPtr*, std::int64_t& limit) override
    {
        limit = 10;
        return TRUE;
    }
};

// A profile's pack, where the pack "NONE" stands for none.
class PackOrNone : public VqsComboWithDefaultAndNoneValuePxAdapter {
public:
    using VqsComboWithDefaultAndNoneValuePxAdapter::VqsComboWithDefaultAndNoneValuePxAdapter;
    static PxProfileOptionsPtr Profile(PxOptionsPtr* row) { return PxProfileOptionsPtr(*row); }
    BOOL IsNone(PxOptionsPtr* row, int& none) override
    {
        if (Profile(row))
            none = Profile(row)->GetPack() == "NONE";
        return Profile(row) != nullptr;
    }
    BOOL GetDefault(PxOptionsPtr* row, CString& value) override
    {
        if (Profile(row))
            value = Profile(row)->GetDefaultPack();
        return Profile(row) != nullptr;
    }
    BOOL GetValue(PxOptionsPtr* row, CString& value) override
    {
        if (Profile(row))
            value = Profile(row)->GetPack();
        return Profile(row) != nullptr;
    }
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override
    {
        if (Profile(row))
            isDefault = Profile(row)->IsDefaultPack();
        return Profile(row) != nullptr;
    }
    void SetValue(PxOptionsPtr* row, const char* value, int) override { Profile(row)->SetPack(value); }
    void MakeDefault(PxOptionsPtr* row, int) override { Profile(row)->MakeDefaultPack(); }
    void SetNone(PxOptionsPtr* row, int) override { Profile(row)->SetPack("NONE"); }
};

// A profile's percentage, with its default.
class Percent : public VqsNumericWithDefaultValuePxAdapter {
public:
    using VqsNumericWithDefaultValuePxAdapter::VqsNumericWithDefaultValuePxAdapter;
    using VqsNumericWithDefaultValuePxAdapter::GetDefault;
    using VqsNumericWithDefaultValuePxAdapter::GetValue;
    using VqsNumericWithDefaultValuePxAdapter::SetValue;
    static PxProfileOptionsPtr Profile(PxOptionsPtr* row) { return PxProfileOptionsPtr(*row); }
    BOOL GetDefault(PxOptionsPtr* row, std::int64_t& value) override
    {
        if (Profile(row))
            value = Profile(row)->GetDefaultPercent();
        return Profile(row) != nullptr;
    }
    BOOL GetValue(PxOptionsPtr* row, std::int64_t& value) override
    {
        if (Profile(row))
            value = Profile(row)->GetPercent();
        return Profile(row) != nullptr;
    }
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override
    {
        if (Profile(row))
            isDefault = Profile(row)->IsDefaultPercent();
        return Profile(row) != nullptr;
    }
    void SetValue(PxOptionsPtr* row, std::int64_t value) override { Profile(row)->SetPercent(value); }
    void MakeDefault(PxOptionsPtr* row, int) override { Profile(row)->MakeDefaultPercent(); }
};

// A report's OLTP client, with its default.
class OltpClientWithDefault : public VqsBoolWithDefaultValuePxAdapter {
public:
    using VqsBoolWithDefaultValuePxAdapter::VqsBoolWithDefaultValuePxAdapter;
    static PxReportOptionsPtr Report(PxOptionsPtr* row) { return PxReportOptionsPtr(*row); }
    BOOL GetDefault(PxOptionsPtr* row, int& value) override
    {
        if (Report(row))
            value = Report(row)->GetDefaultOLTPClient();
        return Report(row) != nullptr;
    }
    BOOL GetValue(PxOptionsPtr* row, int& value) override
    {
        if (Report(row))
            value = Report(row)->GetOLTPClient();
        return Report(row) != nullptr;
    }
    BOOL IsDefault(PxOptionsPtr* row, int& isDefault) override
    {
        if (Report(row))
            isDefault = Report(row)->IsDefaultOLTPClient();
        return Report(row) != nullptr;
    }
    void SetValue(PxOptionsPtr* row, int value) override { Report(row)->SetOLTPClient(value); }
    void MakeDefault(PxOptionsPtr* row, int) override { Report(row)->MakeDefaultOLTPClient(); }
};

struct ColumnAdaptersTest : OptionsTest {
    CDialog frame;
    Editors editors;

    void SetUp() override
    {
        OptionsTest::SetUp();
        frame.Create(kFrameTemplate, nullptr);
        editors.Create(kPanelTemplate, &frame);
    }
    void TearDown() override
    {
        editors.DestroyWindow();
        frame.DestroyWindow();
        OptionsTest::TearDown();
    }

    PxOptionsPtr Record(const char* element) const
    {
        return Element("SYS1", "SALES", element)->GetOptions(OptionSet("NTGEN"));
    }
    std::string Cell(VqsElementListCtrlPxAdapter& adapter, PxOptionsPtr row) const
    {
        char text[kVqsCellTextLength] = "";
        adapter.GetText(&row, text, kVqsCellTextLength);
        return text;
    }
};

} // namespace

TEST_F(ColumnAdaptersTest, ANumberOutsideItsLimitsOrSixtyFourBitsOrWithOtherCharactersBeepsAndIsTakenBack)
{
    ExpectedNumber column("Expected", 80, &editors.text);
    PxOptionsPtr row = Record("CUSTBYNAME");
    ASSERT_TRUE(column.LoadEditor(&row, "25"));
    struct Case {
        const char* typed;
        bool beeps;
        const char* pending;
    };
    const Case cases[] = {{"9", true, ""},           {"12a", true, ""},   {"-5", true, ""},
                          {"99999999999999999999", true, ""}, {"10", false, "10"}, {"", false, ""}};
    for (const Case& c : cases) {
        const int beeps = vqwin::BeepCount();
        vqui::user::ReplaceText(editors.GetDlgItem(1405)->m_hWnd, c.typed);
        char pending[kVqsCellTextLength] = "";
        column.GetEditorText(pending, kVqsCellTextLength);
        column.RefreshEditor();
        EXPECT_EQ(vqwin::BeepCount() - beeps, c.beeps ? 1 : 0) << c.typed;
        EXPECT_STREQ(pending, c.pending) << c.typed;
    }
}

TEST_F(ColumnAdaptersTest, NoneDefaultAndAValueAreAppliedEachTheirWayAndShownWithTheMark)
{
    PackOrNone column("Pack", 80, &editors.flag, &editors.useDefault, &editors.combo);
    PxOptionsPtr row = Record("CUSTBYNAME");
    Commit(*app.GetLink(), [&] { column.SetText(&row, "~", kVqsCellTextLength); });
    EXPECT_EQ(Cell(column, row), "~");
    Commit(*app.GetLink(), [&] { column.SetText(&row, "PACK7", kVqsCellTextLength); });
    EXPECT_EQ(Cell(column, row), "PACK7");
    Commit(*app.GetLink(), [&] { column.SetText(&row, "~SOMETHING", kVqsCellTextLength); });
    EXPECT_TRUE(PxProfileOptionsPtr(row)->IsDefaultPack());
    EXPECT_EQ(Cell(column, row).front(), '~');
    PxOptionsPtr report = Record("MONTHLY");
    EXPECT_EQ(Cell(column, report), "");
    Commit(*app.GetLink(), [&] { column.SetText(&report, "PACK7", kVqsCellTextLength); });
    EXPECT_FALSE(PxReportOptionsPtr(report)->IsUpdated());
}

TEST_F(ColumnAdaptersTest, MixedValuesLeaveTheYesNoBoxClearAndOltpOffDisablesIt)
{
    const PxBSegOptionsPtr segment(Segment("SYS1", "SALES")->GetOptions(OptionSet("NTGEN")));
    VqsReportOltpClientPxAdapter column(&editors.flag, segment);
    PxOptionsPtr monthly = Record("MONTHLY");
    PxOptionsPtr daily = Record("DAILY");
    EXPECT_EQ(Cell(column, monthly), "");
    EXPECT_FALSE(column.LoadEditor(&monthly, nullptr));
    EXPECT_FALSE(editors.flag.IsEnabled());

    Commit(*app.GetLink(), [&] {
        segment->SetEnableOLTP(1);
        PxReportOptionsPtr(monthly)->SetOLTPClient(1);
    });
    EXPECT_EQ(Cell(column, monthly), "Yes");
    EXPECT_TRUE(column.LoadEditor(&monthly, nullptr));
    EXPECT_TRUE(editors.flag.IsChecked());
    EXPECT_TRUE(column.MergeEditor(&daily, nullptr));
    EXPECT_FALSE(editors.flag.IsChecked());
    EXPECT_TRUE(column.MergeEditor(&daily, "Yes"));
}

TEST_F(ColumnAdaptersTest, AProfileOverAComponentShowsTheComponent)
{
    VqsProfileOverIspecPxAdapter column;
    EXPECT_EQ(Cell(column, Record("CUSTBYNAME")), "CUSTOMER");
    EXPECT_EQ(Cell(column, Record("MONTHLY")), "");
}

TEST_F(ColumnAdaptersTest, ANumberWithADefaultShowsTheMarkAtItsDefaultAndAppliesEachWay)
{
    Percent column("Percent", 60, &editors.useDefault, &editors.text);
    PxOptionsPtr row = Record("CUSTBYNAME");
    EXPECT_EQ(Cell(column, row), "~0");
    Commit(*app.GetLink(), [&] { column.SetText(&row, "42", kVqsCellTextLength); });
    EXPECT_EQ(Cell(column, row), "42");
    column.SetMatchText("42");
    EXPECT_TRUE(column.MatchesRow(&row, nullptr));
    EXPECT_FALSE(column.MatchesRow(&row, "~7"));
    column.SetMatchText("abc");
    EXPECT_FALSE(column.MatchesRow(&row, nullptr));
    Commit(*app.GetLink(), [&] { column.SetText(&row, "~0", kVqsCellTextLength); });
    EXPECT_TRUE(PxProfileOptionsPtr(row)->IsDefaultPercent());
    EXPECT_TRUE(column.LoadEditor(&row, "17"));
    const int beeps = vqwin::BeepCount();
    vqui::user::ReplaceText(editors.GetDlgItem(1405)->m_hWnd, "1x");
    char pending[kVqsCellTextLength] = "";
    column.GetEditorText(pending, kVqsCellTextLength);
    EXPECT_EQ(vqwin::BeepCount(), beeps + 1);
    EXPECT_STREQ(pending, "17");
}

TEST_F(ColumnAdaptersTest, AYesNoWithADefaultTakesValuesAndTheDefaultAndMixedRowsClearBothBoxes)
{
    OltpClientWithDefault column("Client", 60, &editors.useDefault, &editors.flag);
    PxOptionsPtr monthly = Record("MONTHLY");
    PxOptionsPtr daily = Record("DAILY");
    EXPECT_EQ(Cell(column, monthly), "~No");
    Commit(*app.GetLink(), [&] { column.SetText(&monthly, "Yes", kVqsCellTextLength); });
    EXPECT_EQ(Cell(column, monthly), "Yes");
    EXPECT_TRUE(column.LoadEditor(&monthly, nullptr));
    EXPECT_TRUE(editors.flag.IsChecked());
    EXPECT_FALSE(column.MergeEditor(&daily, nullptr));
    EXPECT_FALSE(editors.flag.IsChecked());
    EXPECT_FALSE(editors.useDefault.IsChecked());
    Commit(*app.GetLink(), [&] { column.SetText(&monthly, "~No", kVqsCellTextLength); });
    EXPECT_TRUE(PxReportOptionsPtr(monthly)->IsDefaultOLTPClient());
}

TEST_F(ColumnAdaptersTest, ADollarProfileShowsItsOrdinateOnceAskedAndFromTheAdaptersMemoryAfter)
{
    PxVQProfileSoftLinkPtr link;
    Commit(*app.GetLink(), [&] {
        link = PxVQProfileSoftLinkPtr(
            Segment("SYS1", "SALES")->CreateElementSoftLink("$AUTO", VQSoftLinkProfile));
        link->CreateBlankOptions();
        link->SetOrdinateName("ORDKEY");
    });
    VqsElementListCtrlProfNamePxAdapter column("Profile Name", 100);
    const PxOptionsPtr row = Record("$AUTO");
    EXPECT_EQ(Cell(column, row), "$AUTO:ORDKEY");
    Commit(*app.GetLink(), [&] { link->SetOrdinateName("OTHER"); });
    EXPECT_EQ(Cell(column, row), "$AUTO:ORDKEY");
    EXPECT_EQ(Cell(column, Record("CUSTBYNAME")), "CUSTBYNAME");
}
