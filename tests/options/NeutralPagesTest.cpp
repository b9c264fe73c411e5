// The platform-neutral option pages, used as a person uses them: through the options dialog
// of a business segment, an Ispec, a profile or a report.
#include "OptionsTestSupport.h"

#include "options/VqsOptionPagesBSeg.h"
#include "proxy/PxBSegOptions.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxIspecOptions.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxProfileOptions.h"
#include "proxy/PxReportOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQPackInformation.h"
#include "proxy/PxVQTypes.h"
#include "win/CSpinButtonCtrl.h"
#include "win/UserActions.h"

using namespace optionstest;

namespace {

using Strings = std::vector<std::string>;

constexpr int kGlimmerdeskPage = 1;
constexpr int kGeneratePage = 2;
constexpr int kOltpPage = 3;
constexpr int kQuorbitPage = 4;

constexpr int kFullKeshOff = 1084;
constexpr int kUseDefaultName = 1083;
constexpr int kAsSystem = 1081;
constexpr int kAsDatabase = 1082;
constexpr int kEnableOltp = 1090;
constexpr int kLoadConfig = 1227;
constexpr int kTransTimeout = 1228;
constexpr int kClientOnly = 1091;
constexpr int kClientAndServer = 1092;
constexpr int kPceCapable = 1073;
constexpr int kPceLevel = 1301;
constexpr int kQuorbitCapable = 1824;
constexpr int kUseDefaultService = 1110;
constexpr int kService = 1405;
constexpr int kPack = 1411;
constexpr int kUseDefaultPack = 1006;
constexpr int kDefaultEstimates = 1072;
constexpr int kExpectedEstimate = 1056;
constexpr int kExpectedNumber = 1407;
constexpr int kUseThisFile = 1019;
constexpr int kFileSpin = 1059;
constexpr int kLanguage = 1430;

struct NeutralPagesTest : OptionsTest {
    void SetUp() override
    {
        OptionsTest::SetUp();
        UsePlatformNeutralSheets();
    }
    void TearDown() override
    {
        PxFaultInjection::Reset();
        OptionsTest::TearDown();
    }

    PxBSegOptionsPtr SegmentOptions(const char* optionSet) const
    {
        PxBSegOptionsPtr options(Segment("SYS1", "SALES")->GetOptions(OptionSet(optionSet)));
        options->Refresh();
        return options;
    }

    template <class Ptr>
    Ptr Stored(const char* element, const char* optionSet) const
    {
        Ptr options = Options<Ptr>(element, optionSet);
        options->Refresh();
        return options;
    }

    // The design gives the Ispec a copy-from.
    void CopyInDesign(const char* ispec)
    {
        Commit(*app.GetLink(), [&] {
            PxLSEBuilder(*app.GetLink())
                .SetNumber(app.GetLSEEnterprise()->GetBusinessSegment("SALES")->GetElement(ispec), "copyFrom", 1);
        });
    }
    void EnableOltp(const char* optionSet)
    {
        Commit(*app.GetLink(), [&] { SegmentOptions(optionSet)->SetEnableOLTP(1); });
    }
};

CString TextOnPage(VqsSoftLinkOptionsDlg& dialog, int id)
{
    char text[256] = "";
    ::GetWindowText(PageItem(dialog, id), text, sizeof(text));
    return text;
}

BOOL EnabledOnPage(VqsSoftLinkOptionsDlg& dialog, int id) { return ::IsWindowEnabled(PageItem(dialog, id)); }

} // namespace

TEST_F(NeutralPagesTest, UsingTheDefaultSystemNameAndThenAnOwnNameStoresEachAsItsOwnChoice)
{
    OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("NTGEN"), kGeneratePage);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(IsCheckedOnPage(dialog, kUseDefaultName));
            EXPECT_FALSE(EnabledOnPage(dialog, kAsSystem));
            const CString defaultName = TextOnPage(dialog, kAsSystem);
            EXPECT_FALSE(defaultName.IsEmpty());
            ClickOnPage(dialog, kUseDefaultName);
            EXPECT_TRUE(EnabledOnPage(dialog, kAsSystem));
            EXPECT_EQ(TextOnPage(dialog, kAsSystem), defaultName);
            TypeOnPage(dialog, kAsSystem, "SALESX");
            ClickOnPage(dialog, kFullKeshOff);
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    const PxBSegOptionsPtr stored = SegmentOptions("NTGEN");
    EXPECT_EQ(stored->GetAsSys(), "SALESX");
    EXPECT_FALSE(stored->IsDefaultAsSys());
    EXPECT_EQ(stored->GetFullKESHOFF(), 1);
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(NeutralPagesTest, ALongTarskDatabaseNameShowsCutAndIsKeptWhenAnotherOptionChanges)
{
    Commit(*app.GetLink(), [&] { SegmentOptions("TARSKGEN")->SetAsDBase("LONGDATABASE"); });
    OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("TARSKGEN"), kGeneratePage);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_EQ(TextOnPage(dialog, kAsDatabase), "LONGDAT");
            ClickOnPage(dialog, kFullKeshOff);
            ClickOnPage(dialog, kApplyNow);
            EXPECT_EQ(SegmentOptions("TARSKGEN")->GetAsDBase(), "LONGDATABASE");
            TypeOnPage(dialog, kAsDatabase, "NEWDB");
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_EQ(SegmentOptions("TARSKGEN")->GetAsDBase(), "NEWDB");
}

TEST_F(NeutralPagesTest, OltpControlsFollowEnableOltpAndClientOnlyClearsTheConfigurationLoad)
{
    Commit(*app.GetLink(), [&] { SegmentOptions("NTGEN")->SetClientServer(2); });
    OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("NTGEN"), kOltpPage);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(IsCheckedOnPage(dialog, kEnableOltp));
            EXPECT_TRUE(IsCheckedOnPage(dialog, kClientAndServer));
            EXPECT_FALSE(EnabledOnPage(dialog, kTransTimeout));
            EXPECT_FALSE(EnabledOnPage(dialog, kLoadConfig));
            ClickOnPage(dialog, kEnableOltp);
            EXPECT_TRUE(EnabledOnPage(dialog, kTransTimeout));
            EXPECT_TRUE(EnabledOnPage(dialog, kLoadConfig));
            ClickOnPage(dialog, kLoadConfig);
            ClickOnPage(dialog, kClientOnly);
            EXPECT_FALSE(IsCheckedOnPage(dialog, kLoadConfig));
            EXPECT_FALSE(EnabledOnPage(dialog, kLoadConfig));
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    const PxBSegOptionsPtr stored = SegmentOptions("NTGEN");
    EXPECT_EQ(stored->GetEnableOLTP(), 1);
    EXPECT_EQ(stored->GetClientServer(), 0);
    EXPECT_EQ(stored->GetLoadConfig(), 0);
}

TEST_F(NeutralPagesTest, TheGraphicalInterfaceNoticesShowOffNtAndTheBoxIsDisabledOnNt)
{
    {
        OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("NTGEN"), kGlimmerdeskPage);
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        ui.ExpectDialog(kOptionsDialog).Run([&] { EXPECT_FALSE(EnabledOnPage(dialog, kPceCapable)); }).Cancel();
        opened.DoModal();
    }
    OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet("TARSKGEN"), kGlimmerdeskPage);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(EnabledOnPage(dialog, kPceLevel));
            ClickOnPage(dialog, kPceCapable);
            EXPECT_TRUE(EnabledOnPage(dialog, kPceLevel));
        })
        .OK();
    ui.ExpectMessageBox("By selecting the Graphical Interface User Capable checkbox, the Glimmerdesk database "
                        "structures will be created or modified when the system is next generated.\nIf you choose to "
                        "continue with this option, you must re-generate the system and all reports so that they "
                        "will work with the new database structures.",
                        IDOK);
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_EQ(SegmentOptions("TARSKGEN")->GetPCEcap(), 1);
}

TEST_F(NeutralPagesTest, TheQuorbitReminderShowsOnlyOffNt)
{
    for (const char* optionSet : {"NTGEN", "UNIXGEN"}) {
        OpenedOptions opened(Segment("SYS1", "SALES"), OptionSet(optionSet), kQuorbitPage);
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        ui.ExpectDialog(kOptionsDialog).Run([&] { ClickOnPage(dialog, kQuorbitCapable); }).Cancel();
        if (std::string(optionSet) != "NTGEN")
            ui.ExpectMessageBoxId(62133, IDOK);
        opened.DoModal();
        ui.Verify();
    }
}

TEST_F(NeutralPagesTest, AnOutputDirectoryLosesItsLastSlashButARootKeepsIt)
{
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {{"/out/", "/out"}, {"/out", "/out"}, {"/", "/"}, {"", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(VqsOptionPageBSegActiveKESH::StoredOutputDirectory(c.typed), c.stored) << c.typed;
}

TEST_F(NeutralPagesTest, ABundleIsChosenWhenItsNameWithItsCommaIsInTheText)
{
    const struct {
        const char* bundles;
        const char* name;
        BOOL chosen;
    } cases[] = {{"A,B,", "B", TRUE}, {"A,b,", "B", TRUE}, {"A,B", "B", FALSE}, {"AB,", "B", FALSE}, {"", "A", FALSE}};
    for (const auto& c : cases)
        EXPECT_EQ(VqsOptionPageBSegActiveKESH::IsBundleChosen(c.bundles, c.name), c.chosen) << c.bundles;
}

TEST_F(NeutralPagesTest, TheOltpServiceIsEditableOnlyWithOltpOnAndNotForAnOutputIspec)
{
    const auto serviceEnabled = [&](const char* ispec) {
        OpenedOptions opened(Element("SYS1", "SALES", ispec), OptionSet("NTGEN"), 1);
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        BOOL enabled = FALSE;
        ui.ExpectDialog(kOptionsDialog).Run([&] { enabled = EnabledOnPage(dialog, kUseDefaultService); }).Cancel();
        opened.DoModal();
        return enabled;
    };
    EXPECT_FALSE(serviceEnabled("ORDER"));
    EnableOltp("NTGEN");
    EXPECT_TRUE(serviceEnabled("ORDER"));
    EXPECT_FALSE(serviceEnabled("AUDIT"));
    CopyInDesign("NOTES");
    EXPECT_FALSE(serviceEnabled("NOTES"));
    EXPECT_TRUE(serviceEnabled("ORDER"));
}

TEST_F(NeutralPagesTest, AnOwnServiceNameIsStoredAndTheDefaultBoxMakesItDefaultAgain)
{
    EnableOltp("NTGEN");
    OpenedOptions opened(Element("SYS1", "SALES", "ORDER"), OptionSet("NTGEN"), 1);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(IsCheckedOnPage(dialog, kUseDefaultService));
            EXPECT_FALSE(EnabledOnPage(dialog, kService));
            ClickOnPage(dialog, kUseDefaultService);
            TypeOnPage(dialog, kService, "SVC1");
            ClickOnPage(dialog, kApplyNow);
            EXPECT_EQ(Stored<PxIspecOptionsPtr>("ORDER", "NTGEN")->GetService(), "SVC1");
            ClickOnPage(dialog, kUseDefaultService);
            EXPECT_NE(TextOnPage(dialog, kService), "SVC1");
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    EXPECT_TRUE(Stored<PxIspecOptionsPtr>("ORDER", "NTGEN")->IsDefaultService());
}

// A profile placed under its Ispec is an automatic profile: only its pack is the user's.
TEST_F(NeutralPagesTest, AnAutomaticProfileKeepsItsEstimatesWhenOnlyItsPackChanges)
{
    Commit(*app.GetLink(), [&] { Options<PxProfileOptionsPtr>("CUSTBYNAME", "NTGEN")->SetExpectedOrVolume(500); });
    OpenedOptions opened(Element("SYS1", "SALES", "CUSTBYNAME"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_EQ(TextOnPage(dialog, kExpectedNumber), "<not available>");
            EXPECT_FALSE(EnabledOnPage(dialog, kExpectedNumber));
            EXPECT_FALSE(EnabledOnPage(dialog, kDefaultEstimates));
            EXPECT_TRUE(IsCheckedOnPage(dialog, kUseDefaultPack));
            ClickOnPage(dialog, kUseDefaultPack);
            EXPECT_TRUE(EnabledOnPage(dialog, kPack));
            TypeOnPage(dialog, kPack, "PACK1");
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    const auto stored = Stored<PxProfileOptionsPtr>("CUSTBYNAME", "NTGEN");
    EXPECT_EQ(stored->GetPack(), "PACK1");
    EXPECT_EQ(stored->GetExpectedOrVolume(), 500);
    EXPECT_FALSE(stored->IsDefaultExpectedOrVolume());
}

// An apply makes the packs its options name: a missing one in the enterprise, and a pack of
// another type refuses the whole apply.
TEST_F(NeutralPagesTest, APackTheProfileNamesIsMadeUnlessAPackOfAnotherTypeHasTheName)
{
    const struct {
        const char* pack;
        const char* refusal;
    } cases[] = {{"NEWPACK", nullptr},
                 {"SALESPATH", "Cannot save option values:\nPack SALESPATH does not match its previous definition of a "
                               "path."}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pack);
        OpenedOptions opened(Element("SYS1", "SALES", "CUSTBYNAME"), OptionSet("NTGEN"));
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                if (IsCheckedOnPage(dialog, kUseDefaultPack))
                    ClickOnPage(dialog, kUseDefaultPack);
                TypeOnPage(dialog, kPack, c.pack);
                if (c.refusal)
                    ui.ExpectMessageBox(c.refusal, IDOK);
                ClickOnPage(dialog, kApplyNow);
                EXPECT_EQ(dialog.GetSheet()->GetOptionPage(0)->IsModified(), c.refusal != nullptr);
            })
            .Cancel();
        opened.DoModal();
        ui.Verify();
        const auto stored = Stored<PxProfileOptionsPtr>("CUSTBYNAME", "NTGEN");
        const PxVQPackInformationPtr pack = app.GetLink()->GetLVQEnterprise()->GetPackInformation(c.pack);
        ASSERT_TRUE(pack);
        if (c.refusal) {
            EXPECT_EQ(stored->GetPack(), "NEWPACK");
            EXPECT_EQ(pack->GetPackType(), VQPackPath);
        } else {
            EXPECT_EQ(stored->GetPack(), c.pack);
            EXPECT_EQ(pack->GetPackType(), VQPackTablespace);
        }
    }
}

TEST_F(NeutralPagesTest, AReportGeneratedToAllLanguagesShowsItsLanguagesButTheListIsDisabled)
{
    OpenedOptions opened(Element("SYS1", "SALES", "MONTHLY"), OptionSet("NTGEN"), 2);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_FALSE(EnabledOnPage(dialog, kLanguage));
            EXPECT_EQ(::SendMessage(PageItem(dialog, kLanguage), CB_GETCOUNT, 0, 0), 2);
        })
        .Cancel();
    opened.DoModal();
}

TEST_F(NeutralPagesTest, SpinningAwayFromAChangedExtractFileAsksAndCancelKeepsTheFile)
{
    OpenedOptions opened(Element("SYS1", "SALES", "DAILY"), OptionSet("NTGEN"), 1);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            ClickOnPage(dialog, kUseThisFile);
            vqui::user::Spin(PageItem(dialog, kFileSpin), 1);
            EXPECT_EQ(TextOnPage(dialog, 1028), "A");
            EXPECT_TRUE(IsCheckedOnPage(dialog, kUseThisFile));
        })
        .Cancel();
    ui.ExpectMessageBoxId(61503, IDCANCEL);
    opened.DoModal();
    EXPECT_FALSE(Stored<PxReportOptionsPtr>("DAILY", "NTGEN")->IsUpdatedExtractFileUse(0));
}

TEST_F(NeutralPagesTest, PainterColoursHideTheSampleAndOwnColoursShowIt)
{
    OpenedOptions opened(Element("SYS1", "SALES", "ORDER"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(IsCheckedOnPage(dialog, 1434));
            EXPECT_FALSE(::IsWindowVisible(PageItem(dialog, 1107)));
            EXPECT_FALSE(EnabledOnPage(dialog, 1435));
            ClickOnPage(dialog, 1434);
            EXPECT_TRUE(::IsWindowVisible(PageItem(dialog, 1107)));
            EXPECT_TRUE(EnabledOnPage(dialog, 1436));
            vqui::user::SelectIndex(PageItem(dialog, 1436), 3);
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    const auto stored = Stored<PxIspecOptionsPtr>("ORDER", "NTGEN");
    EXPECT_EQ(stored->GetUsePainter(), 0);
    EXPECT_EQ(stored->GetFColor(), PxBColorRed);
}

TEST_F(NeutralPagesTest, WithOltpOffTheOltpClientIsDisabledButItsValueIsKept)
{
    Commit(*app.GetLink(), [&] { Options<PxReportOptionsPtr>("DAILY", "NTGEN")->SetOLTPClient(1); });
    OpenedOptions opened(Element("SYS1", "SALES", "DAILY"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(IsCheckedOnPage(dialog, 1049));
            EXPECT_FALSE(EnabledOnPage(dialog, 1049));
            ClickOnPage(dialog, 1388);
            TypeOnPage(dialog, 1412, "PACK2");
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    const auto stored = Stored<PxReportOptionsPtr>("DAILY", "NTGEN");
    EXPECT_EQ(stored->GetExtractPack(), "PACK2");
    EXPECT_EQ(stored->GetOLTPClient(), 1);
}

TEST_F(NeutralPagesTest, AnExpectedNumberIsStoredWithThePercentageDefaultAndDefaultEstimatesMakeBothDefault)
{
    Commit(*app.GetLink(), [&] {
        Segment("SYS1", "SALES")->CreateElementSoftLink("FREEPROF", VQSoftLinkProfile)->CreateBlankOptions();
    });
    OpenedOptions opened(Element("SYS1", "SALES", "FREEPROF"), OptionSet("NTGEN"));
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            EXPECT_TRUE(IsCheckedOnPage(dialog, kDefaultEstimates));
            EXPECT_FALSE(EnabledOnPage(dialog, kExpectedNumber));
            ClickOnPage(dialog, kExpectedEstimate);
            EXPECT_TRUE(EnabledOnPage(dialog, kExpectedNumber));
            TypeOnPage(dialog, kExpectedNumber, "500");
            ClickOnPage(dialog, kApplyNow);
            const auto stored = Stored<PxProfileOptionsPtr>("FREEPROF", "NTGEN");
            EXPECT_EQ(stored->GetExpectedOrVolume(), 500);
            EXPECT_TRUE(stored->IsDefaultPercent());
            ClickOnPage(dialog, kDefaultEstimates);
            EXPECT_EQ(TextOnPage(dialog, kExpectedNumber), "<not available>");
            ClickOnPage(dialog, kApplyNow);
        })
        .OK();
    EXPECT_EQ(opened.DoModal(), IDOK);
    const auto stored = Stored<PxProfileOptionsPtr>("FREEPROF", "NTGEN");
    EXPECT_TRUE(stored->IsDefaultExpectedOrVolume());
    EXPECT_TRUE(stored->IsDefaultPercent());
}

TEST_F(NeutralPagesTest, SpinningAwayFromAChangedExtractFileWithYesStoresItAndShowsTheNextFile)
{
    OpenedOptions opened(Element("SYS1", "SALES", "DAILY"), OptionSet("NTGEN"), 1);
    VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
    ui.ExpectDialog(kOptionsDialog)
        .Run([&] {
            ClickOnPage(dialog, kUseThisFile);
            vqui::user::Spin(PageItem(dialog, kFileSpin), 1);
            EXPECT_EQ(TextOnPage(dialog, 1028), "B");
            EXPECT_FALSE(IsCheckedOnPage(dialog, kUseThisFile));
        })
        .Cancel();
    ui.ExpectMessageBoxId(61503, IDYES);
    opened.DoModal();
    const auto stored = Stored<PxReportOptionsPtr>("DAILY", "NTGEN");
    EXPECT_EQ(stored->GetExtractFileUse(0), 1);
    EXPECT_FALSE(stored->IsUpdatedExtractFileUse(1));
}

// An own value the page could not read shows as not available. Ticking and clearing its
// "Use default" box brings it back as not available, and nothing is written for it: neither
// a box that brings back the own value nor one that keeps the text it shows stores a value
// nobody read.
TEST_F(NeutralPagesTest, AnOwnValueThatCouldNotBeReadIsNeverWrittenAfterItsDefaultBoxIsTickedAndCleared)
{
    EnableOltp("NTGEN");
    const struct {
        const char* story;
        std::function<void()> store;
        std::function<PxVQSoftLinkPtr()> link;
        int page;
        int box;
        int value;
        const char* failing;
        std::function<void()> check;
    } cases[] = {
        {"an Ispec's own OLTP service",
         [&] { Options<PxIspecOptionsPtr>("ORDER", "NTGEN")->SetService("OWNSVC"); },
         [&] { return Element("SYS1", "SALES", "ORDER"); }, 1, kUseDefaultService, kService,
         "PxIspecOptions::GetService",
         [&] { EXPECT_EQ(Stored<PxIspecOptionsPtr>("ORDER", "NTGEN")->GetService(), "OWNSVC"); }},
        {"a business segment's own name as system",
         [&] { SegmentOptions("NTGEN")->SetAsSys("OWNSYS"); }, [&] { return Segment("SYS1", "SALES"); },
         kGeneratePage, kUseDefaultName, kAsSystem, "PxBSegOptions::GetAsSys",
         [&] { EXPECT_EQ(SegmentOptions("NTGEN")->GetAsSys(), "OWNSYS"); }},
        {"a business segment's name as system at its default",
         [&] { SegmentOptions("NTGEN")->MakeDefaultAsSys(); }, [&] { return Segment("SYS1", "SALES"); },
         kGeneratePage, kUseDefaultName, kAsSystem, "PxBSegOptions::GetAsSys",
         [&] { EXPECT_TRUE(SegmentOptions("NTGEN")->IsDefaultAsSys()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Commit(*app.GetLink(), c.store);
        OpenedOptions opened(c.link(), OptionSet("NTGEN"), c.page);
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                ASSERT_EQ(TextOnPage(dialog, c.value), "<not available>");
                if (!IsCheckedOnPage(dialog, c.box)) {
                    ClickOnPage(dialog, c.box);
                    EXPECT_NE(TextOnPage(dialog, c.value), "<not available>") << "the default is shown";
                }
                ClickOnPage(dialog, c.box);
                EXPECT_EQ(TextOnPage(dialog, c.value), "<not available>");
                EXPECT_FALSE(EnabledOnPage(dialog, c.value));
                ClickOnPage(dialog, kApplyNow);
            })
            .OK();
        PxFaultInjection::Throw(c.failing);
        EXPECT_EQ(opened.DoModal(), IDOK);
        PxFaultInjection::Reset();
        c.check();
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}

// A value the page reads in its own code, behind the painter or an estimate not chosen, shows
// as not available when its read failed, stays so when the user brings it back, and is never
// written.
TEST_F(NeutralPagesTest, AValueReadByThePageThatCouldNotBeReadIsNeverWritten)
{
    constexpr int kUsePainter = 1434;
    constexpr int kForeground = 1436;
    Commit(*app.GetLink(), [&] {
        Segment("SYS1", "SALES")->CreateElementSoftLink("FREEPROF", VQSoftLinkProfile)->CreateBlankOptions();
    });
    const struct {
        const char* story;
        const char* element;
        std::function<void()> store;
        const char* failing;
        std::function<void(VqsSoftLinkOptionsDlg&)> act;
        std::function<void()> check;
    } cases[] = {
        {"an Ispec's own foreground colour behind the painter", "ORDER",
         [&] {
             Options<PxIspecOptionsPtr>("ORDER", "NTGEN")->SetUsePainter(1);
             Options<PxIspecOptionsPtr>("ORDER", "NTGEN")->SetFColor(PxBColorRed);
         },
         "PxIspecOptions::GetFColor",
         [&](VqsSoftLinkOptionsDlg& dialog) {
             ClickOnPage(dialog, kUsePainter);
             EXPECT_FALSE(EnabledOnPage(dialog, kForeground));
             ClickOnPage(dialog, kApplyNow);
         },
         [&] {
             EXPECT_EQ(Stored<PxIspecOptionsPtr>("ORDER", "NTGEN")->GetFColor(), PxBColorRed);
             EXPECT_EQ(Stored<PxIspecOptionsPtr>("ORDER", "NTGEN")->GetUsePainter(), 0);
         }},
        {"a profile's own expected number, chosen again", "FREEPROF",
         [&] { Options<PxProfileOptionsPtr>("FREEPROF", "NTGEN")->SetExpectedOrVolume(500); },
         "PxProfileOptions::GetExpectedOrVolume",
         [&](VqsSoftLinkOptionsDlg& dialog) {
             EXPECT_TRUE(IsCheckedOnPage(dialog, kExpectedEstimate));
             EXPECT_EQ(TextOnPage(dialog, kExpectedNumber), "<not available>");
             ClickOnPage(dialog, kDefaultEstimates);
             ClickOnPage(dialog, kExpectedEstimate);
             EXPECT_EQ(TextOnPage(dialog, kExpectedNumber), "<not available>");
             EXPECT_FALSE(EnabledOnPage(dialog, kExpectedNumber));
             ClickOnPage(dialog, kApplyNow);
         },
         [&] { EXPECT_EQ(Stored<PxProfileOptionsPtr>("FREEPROF", "NTGEN")->GetExpectedOrVolume(), 500); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Commit(*app.GetLink(), c.store);
        OpenedOptions opened(Element("SYS1", "SALES", c.element), OptionSet("NTGEN"));
        VqsSoftLinkOptionsDlg& dialog = opened.Dialog();
        ui.ExpectDialog(kOptionsDialog)
            .Run([&] {
                PxFaultInjection::Reset();
                c.act(dialog);
            })
            .OK();
        PxFaultInjection::Throw(c.failing, "Injected repository failure", 0, 100);
        EXPECT_EQ(opened.DoModal(), IDOK);
        PxFaultInjection::Reset();
        c.check();
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}
