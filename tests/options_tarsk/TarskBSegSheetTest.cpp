// The options of a business segment on a Tarsk host, used through its options dialog.
#include "OptionsDialogHarness.h"

#include "hosttrans/hostTransLang.h"
#include "options/VqsSheetRegister.h"
#include "options_tarsk/VqsOptionsBSegTarskSheet.h"
#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "win/ListView.h"

using namespace optionstest;

namespace {

constexpr int kShowDelimiters = 1530;
constexpr int kUsePainter = 1532;
constexpr int kKeepAssigned = 1535;
constexpr int kAllQubDuplex = 1537;
constexpr int kSuppressDelimiters = 1538;
constexpr int kDeferredUpdate = 1541;
constexpr int kDumpQueue = 1552;
constexpr int kDefaultDuplexPack = 1553;
constexpr int kLeftDelimiter = 1555;
constexpr int kRightDelimiter = 1556;
constexpr int kBackground = 1100;
constexpr int kForeground = 1101;
constexpr int kSampleText = 1107;

constexpr const char* kDuplexPackMissing =
    "Please enter a valid Pack name:\nDefault DUPLEX Pack must be defined if all QUB file are to be DUPLEX.";

constexpr int kEventSlotOfTest = 5;

struct TarskBSegSheetTest : OptionsDialogHarness {
    PxTarskBSegOptionsPtr Stored() const { return StoredSegment<PxTarskBSegOptionsPtr>("TARSKGEN"); }

    INT_PTR Session(UINT selectPage, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        return OptionsDialogHarness::Session(Segment("SYS1", "SALES"), "TARSKGEN", selectPage, actions, endWithOk);
    }

    VqsOptions_BSeg_Tarsk_Sheet& Sheet()
    {
        return dynamic_cast<VqsOptions_BSeg_Tarsk_Sheet&>(*Dialog().GetSheet());
    }
};

} // namespace

TEST_F(TarskBSegSheetTest, OnlyATarskSegmentRecordGetsTheTarskSheet)
{
    std::unique_ptr<VqsOptionsSheet> tarsk(VqsOptions_BSeg_Tarsk_Sheet::CreateSheet(
        nullptr, Segment("SYS1", "SALES")->GetOptions(OptionSet("TARSKGEN")), 0));
    ASSERT_TRUE(tarsk);
    EXPECT_EQ(tarsk->GetHelpContextId(), 803U);
    EXPECT_EQ(VqsOptions_BSeg_Tarsk_Sheet::CreateSheet(
                  nullptr, Segment("SYS1", "SALES")->GetOptions(OptionSet("NTGEN")), 0),
              nullptr);
    EXPECT_EQ(VqsOptions_BSeg_Tarsk_Sheet::CreateSheet(
                  nullptr, Element("SYS1", "SALES", "MONTHLY")->GetOptions(OptionSet("TARSKGEN")), 0),
              nullptr);
    std::unique_ptr<VqsOptionsSheet> registered(VqsSheetRegister::CreateSheet(
        nullptr, Segment("SYS1", "SALES")->GetOptions(OptionSet("TARSKGEN")), 0));
    EXPECT_TRUE(dynamic_cast<VqsOptions_BSeg_Tarsk_Sheet*>(registered.get()));
}

TEST_F(TarskBSegSheetTest, TheSegmentShowsItsPagesAndOpensOnTheAskedTab)
{
    Session(2, [&] {
        EXPECT_EQ(Tabs(), (Strings{"Environment", "Glimmerdesk", "Generate", "OLTP", "Pack Allocation", "Quorbit",
                                   "Internal FOLN", "Bulk Options", "Wrenfield Test"}));
        EXPECT_EQ(ActiveTab(), 2);
    });
}

// The pages that the GO keywords EOP, GO, OLP and PK open.
TEST_F(TarskBSegSheetTest, TheGoPageIndicesOpenTheirTabs)
{
    const struct {
        UINT page;
        const char* tab;
    } cases[] = {{0, "Environment"}, {2, "Generate"}, {3, "OLTP"}, {4, "Pack Allocation"}};
    for (const auto& c : cases)
        Session(c.page, [&] { EXPECT_EQ(Tabs().at(ActiveTab()), c.tab); });
}

TEST_F(TarskBSegSheetTest, ThePainterBoxGreysTheColoursAndClearingItBringsBackTheOnesShown)
{
    Write([&] {
        Stored()->SetBSUsePainter(0);
        Stored()->SetBSFColor(PxBColorGreen);
    });
    Session(0, [&] {
        EXPECT_TRUE(Visible(kSampleText));
        Choose(kBackground, "Red");
        Click(kUsePainter);
        EXPECT_FALSE(Enabled(kBackground));
        EXPECT_FALSE(Enabled(kForeground));
        EXPECT_FALSE(Visible(kSampleText));
        Click(kUsePainter);
        EXPECT_EQ(Text(kBackground), "Red");
        EXPECT_EQ(Text(kForeground), "Green");
        EXPECT_TRUE(Enabled(kForeground));
        EXPECT_TRUE(Visible(kSampleText));
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetBSBColor(), PxBColorRed);
    EXPECT_EQ(Stored()->GetBSFColor(), PxBColorGreen);
}

TEST_F(TarskBSegSheetTest, SuppressingDelimitersDisablesTheirControls)
{
    Session(0, [&] {
        EXPECT_TRUE(Enabled(kLeftDelimiter));
        Type(kLeftDelimiter, "[");
        Click(kSuppressDelimiters);
        for (int id : {kShowDelimiters, kLeftDelimiter, kRightDelimiter})
            EXPECT_FALSE(Enabled(id)) << id;
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetLDelim(), '[');
    EXPECT_EQ(Stored()->GetRDelim(), 0);
    EXPECT_EQ(Stored()->GetSuppressDelimiters(), 1);
}

TEST_F(TarskBSegSheetTest, AllQubFilesDuplexNeedsADefaultDuplexPack)
{
    const struct {
        const char* pack;
        bool refused;
    } cases[] = {{"", true}, {"PACK1", false}};
    for (const auto& c : cases) {
        Write([&] { Stored()->ClearAllQUBduplex(); });
        Session(0, [&] {
            if (c.refused)
                Answer(kDuplexPackMissing, IDOK);
            Type(kDefaultDuplexPack, c.pack);
            Click(kAllQubDuplex);
            ApplyNow();
        }, FALSE);
        EXPECT_EQ(Stored()->GetAllQUBduplex(), c.refused ? 0 : 1) << '"' << c.pack << '"';
    }
}

TEST_F(TarskBSegSheetTest, AnEmptyDuplexPackPassesWhileNotAllQubFilesAreDuplex)
{
    Session(0, [&] {
        Type(kDumpQueue, "  DQ1 ");
        Type(kDefaultDuplexPack, "");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetDumpQueue(), "DQ1");
    EXPECT_EQ(MessageBoxes(), Strings{});
}

TEST_F(TarskBSegSheetTest, ARecoveryOutsideTheButtonsIsStoredAsQuicklooksUnlessTheUserPicks)
{
    Write([&] { Stored()->SetRecovery(static_cast<PxEnumRecovery>(7)); });
    Session(0, [&] {
        EXPECT_FALSE(Checked(kDeferredUpdate));
        Type(kDumpQueue, "DQ");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetRecovery(), PxRecoveryQuicklooks);
    Session(0, [&] {
        Click(kDeferredUpdate);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetRecovery(), PxRecoveryDeferredUpdate);
}

TEST_F(TarskBSegSheetTest, DefaultsAndApplyAlsoResetTheEventMaxima)
{
    Write([&] {
        Stored()->SetKeepAssigned(1);
        Stored()->SetEventMaximumInIspecs(5);
        Stored()->SetEventMaximumInReports(6);
    });
    Session(0, [&] {
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(Stored()->IsUpdatedKeepAssigned());
    EXPECT_FALSE(Stored()->IsUpdatedEventMaximumInIspecs());
    EXPECT_FALSE(Stored()->IsUpdatedEventMaximumInReports());
}

TEST_F(TarskBSegSheetTest, TheDatabasePagesGetTheStoredValuesUntilTheUserEditsThem)
{
    Write([&] {
        Stored()->SetAllQUBduplex(1);
        Stored()->SetKeepAssigned(1);
        Stored()->SetDefaultDuplexPack("PACK2");
    });
    Session(2, [&] {
        EXPECT_TRUE(Sheet().GetAllQUBduplex());
        EXPECT_TRUE(Sheet().GetKeepAssigned());
        EXPECT_EQ(Sheet().GetEnvPageValue(), "PACK2");
        ShowTab(0);
        Type(kDefaultDuplexPack, "PACK3");
        Click(kKeepAssigned);
        ShowTab(2);
        EXPECT_EQ(Sheet().GetEnvPageValue(), "PACK3");
        EXPECT_FALSE(Sheet().GetKeepAssigned());
    }, FALSE);
    EXPECT_EQ(Stored()->GetDefaultDuplexPack(), "PACK2");
}

TEST_F(TarskBSegSheetTest, TheHiddenVulCodeIsStillStoredAndClearedWithTheGeneratePage)
{
    constexpr int kGeneratePage = 2;
    constexpr int kVulCode = 1557;
    constexpr int kConfirmWithInstall = 1558;
    constexpr int kUseDefaultTransId = 1559;
    constexpr int kTransId = 1561;
    Write([&] { Stored()->SetGenVULcode(1); });
    Session(kGeneratePage, [&] {
        EXPECT_FALSE(Visible(kVulCode));
        EXPECT_TRUE(Checked(kUseDefaultTransId));
        EXPECT_FALSE(Enabled(kTransId));
        Click(kUseDefaultTransId);
        EXPECT_TRUE(Enabled(kTransId));
        Type(kTransId, "QT1");
        Click(kConfirmWithInstall);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetGenVULcode(), 1);
    EXPECT_EQ(Stored()->GetGenQUBTransId(), "QT1");
    EXPECT_FALSE(Stored()->IsDefaultGenQUBTransId());
    EXPECT_EQ(Stored()->GetConfirmGenWithInstall(), 1);
    Session(kGeneratePage, [&] {
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(Stored()->IsUpdatedGenVULcode());
    EXPECT_FALSE(Stored()->IsUpdatedGenQUBTransId());
}

TEST_F(TarskBSegSheetTest, DefaultedPacksFollowTheDefaultPackAsTheUserTypes)
{
    constexpr int kPacksPage = 4;
    constexpr int kDefaultPack = 1067;
    constexpr int kUseDefaultDefault = 1088;
    constexpr int kObjectPack = 1087;
    constexpr int kDatabasePack = 1625;
    constexpr int kUseDefaultDatabase = 1593;
    constexpr int kWorkPack = 1626;
    Write([&] {
        Stored()->SetDefPack("PACK1");
        Stored()->MakeDefaultObjPack();
        Stored()->SetDBPack("DBPACK");
        Stored()->MakeDefaultWorkPack();
    });
    Session(0, [&] {
        EXPECT_EQ(Sheet().GetPacksPagePack(), "DBPACK");
        ShowTab(kPacksPage);
        EXPECT_FALSE(Enabled(kObjectPack));
        EXPECT_EQ(Text(kWorkPack), "PACK1");
        EXPECT_FALSE(Checked(kUseDefaultDefault));
        Type(kDefaultPack, "PACK2");
        EXPECT_EQ(Text(kObjectPack), "PACK2");
        EXPECT_EQ(Text(kWorkPack), "PACK2");
        EXPECT_EQ(Text(kDatabasePack), "DBPACK");
        Click(kUseDefaultDatabase);
        EXPECT_EQ(Text(kDatabasePack), "PACK2");
        EXPECT_EQ(Sheet().GetPacksPagePack(), "PACK2");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetDefPack(), "PACK2");
    EXPECT_TRUE(Stored()->IsDefaultObjPack());
    EXPECT_TRUE(Stored()->IsDefaultDBPack());
    EXPECT_EQ(Stored()->GetWorkPack(), "PACK2");
}

TEST_F(TarskBSegSheetTest, TheEventViewShowsTheSystemEventPagesAndStoresTheMaxima)
{
    constexpr int kMaximumInIspecs = 32963;
    constexpr int kPrimaryProfile = 32962;
    Write([&] { PxVQProfileSoftLinkPtr(Element("SYS1", "SALES", "CUSTBYNAME"))->SetOverEvent(1); });
    BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
    Session(0, [&] {
        EXPECT_EQ(Tabs(), (Strings{"Environment", "FOLN"}));
        EXPECT_EQ(ComboItems(kPrimaryProfile), (Strings{"", "CUSTBYNAME", "ORDBYDATE"}));
        Type(kMaximumInIspecs, "7");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetEventMaximumInIspecs(), 7);
}

struct WrenfieldTestPageTest : TarskBSegSheetTest {
    static constexpr int kPage = 8;
    static constexpr int kEnableHdba = 2024;
    static constexpr int kCodeSet = 33100;
    static constexpr int kUseDefaultCodeSet = 33101;

    ~WrenfieldTestPageTest() override { hostTransLang::SetFailing(false); }
};

TEST_F(WrenfieldTestPageTest, TheCodeSetIsChosenByNameAndStoredByNumber)
{
    Write([&] { Stored()->SetCodeSetTranslationNumber(2); });
    Session(kPage, [&] {
        EXPECT_FALSE(Enabled(kCodeSet));
        EXPECT_EQ(Text(kCodeSet), "Latin-1");
        EXPECT_EQ(ComboItems(kCodeSet).front(), "NONE");
        Click(kEnableHdba);
        EXPECT_TRUE(Enabled(kCodeSet));
        Choose(kCodeSet, "Cyrillic");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetCodeSetTranslationNumber(), 4);
    EXPECT_EQ(Stored()->GetEnableHDBA(), 1);
}

TEST_F(WrenfieldTestPageTest, AFailingCodeSetLibraryOffersOnlyNoneAndKeepsTheStoredCodeSet)
{
    Write([&] {
        Stored()->SetEnableHDBA(1);
        Stored()->SetCodeSetTranslationNumber(3);
    });
    hostTransLang::SetFailing(true);
    Session(kPage, [&] {
        EXPECT_EQ(ComboItems(kCodeSet), Strings{"NONE"});
        Click(kUseDefaultCodeSet);
        Click(kUseDefaultCodeSet);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetCodeSetTranslationNumber(), 3);
}

TEST_F(TarskBSegSheetTest, TheOltpControlsFollowEnableOltpAndTheTransactionIdIsItsOwnOption)
{
    constexpr int kOltpPage = 3;
    constexpr int kEnableOltp = 1090;
    constexpr int kClientAndServer = 1092;
    constexpr int kUseDefaultId = 1566;
    constexpr int kTransId = 1568;
    constexpr int kIcpCopies = 1570;
    constexpr int kServiceWaitTime = 1574;
    constexpr int kRecoverInput = 1577;
    Session(kOltpPage, [&] {
        for (int id : {kUseDefaultId, kTransId, kIcpCopies, kServiceWaitTime, kRecoverInput})
            EXPECT_FALSE(Enabled(id)) << id;
        Click(kEnableOltp);
        Click(kClientAndServer);
        for (int id : {kUseDefaultId, kIcpCopies, kServiceWaitTime, kRecoverInput})
            EXPECT_TRUE(Enabled(id)) << id;
        EXPECT_FALSE(Enabled(kTransId));
        Click(kUseDefaultId);
        EXPECT_TRUE(Enabled(kTransId));
        Type(kTransId, "OT1");
        Click(kRecoverInput);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetOLTPQUBTransId(), "OT1");
    EXPECT_NE(Stored()->GetGenQUBTransId(), "OT1");
    EXPECT_EQ(Stored()->GetOLTPRecoverMessages(), 2);
    EXPECT_EQ(Stored()->GetEnableOLTP(), 1);
}

struct InternalFolnPageTest : TarskBSegSheetTest {
    static constexpr int kPage = 6;
    static constexpr int kGlimmerdeskTables = 32988;
    static constexpr int kGrid = 32989;
    static constexpr int kTableName = 32990;
    static constexpr int kQubNumber = 32991;
    static constexpr int kNoQub = 32992;
    static constexpr int kDuplexPack = 32995;
    static constexpr int kNoDuplex = 32997;
    static constexpr int kPageSize = 32998;

    std::string Cell(int item, int column)
    {
        char text[128] = "";
        LVITEM cell{};
        cell.iSubItem = column;
        cell.pszText = text;
        cell.cchTextMax = sizeof(text);
        ::SendMessage(PageItem(Dialog(), kGrid), LVM_GETITEMTEXT, item, reinterpret_cast<LPARAM>(&cell));
        return text;
    }
};

TEST_F(InternalFolnPageTest, TheSixthInternalTableIsTheOneAfterTheEventTable)
{
    Write([&] {
        Stored()->SetsysTablePageSize(6, 1000);
        Stored()->SetsysTablePageSize(5, 224);
    });
    Session(kPage, [&] {
        EXPECT_EQ(Cell(5, 0), "G_S_D");
        EXPECT_EQ(Cell(5, 4), "1792");
        SelectRow(kGrid, 5);
        EXPECT_EQ(Text(kTableName), "G_S_D");
        EXPECT_EQ(Text(kPageSize), "1792");
    });
}

TEST_F(InternalFolnPageTest, NoQubEmptiesTheDuplexPackOfTheTableAndApplyStoresIt)
{
    Write([&] {
        Stored()->SetsysTableQub2(1, 12);
        Stored()->SetSysTableDuplexPack(1, "PACK2");
    });
    Session(kPage, [&] {
        SelectRow(kGrid, 1);
        EXPECT_EQ(Text(kQubNumber), "12");
        EXPECT_EQ(Text(kDuplexPack), "PACK2");
        EXPECT_EQ(Cell(1, 15), "PACK2");
        Click(kNoQub);
        EXPECT_TRUE(Checked(kNoDuplex));
        EXPECT_FALSE(Enabled(kDuplexPack));
        EXPECT_EQ(Cell(1, 15), "");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetSysTableDuplexPack(1), "");
    EXPECT_TRUE(Stored()->IsDefaultsysTableQub2(1));
}

TEST_F(InternalFolnPageTest, WithoutTheGraphicalInterfaceTheGlimmerdeskTablesAreNeitherShownNorWritten)
{
    Write([&] { Stored()->SetPCEcap(0); });
    Session(kPage, [&] {
        EXPECT_FALSE(Enabled(kGlimmerdeskTables));
        Click(kNoQub);
        Click(kNoQub);
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsUpdatedsysTableQub2(0));
    EXPECT_FALSE(Stored()->IsUpdatedsysTableQub2(7));
}

TEST_F(TarskBSegSheetTest, TheEventDatabaseTableTakesTheDefaultDuplexPackWhenAllQubFilesAreDuplex)
{
    constexpr int kEventDatabasePage = 1;
    constexpr int kQubNumber = 32940;
    constexpr int kDuplexPack = 32944;
    constexpr int kDuplexDefault = 32945;
    constexpr int kNoDuplex = 32946;
    constexpr int kRevertLayout = 33085;
    Write([&] {
        Stored()->SetAllQUBduplex(1);
        Stored()->SetDefaultDuplexPack("DUPPACK");
        Stored()->SetsysTableQub2(kEventSlotOfTest, 30);
        Stored()->SetSysTableDuplexPack(kEventSlotOfTest, "");
    });
    BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
    Session(kEventDatabasePage, [&] {
        EXPECT_EQ(Text(kQubNumber), "30");
        EXPECT_FALSE(Checked(kNoDuplex));
        EXPECT_TRUE(Checked(kDuplexDefault));
        EXPECT_EQ(Text(kDuplexPack), "DUPPACK");
        Click(kRevertLayout);
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultSysTableDuplexPack(kEventSlotOfTest));
    EXPECT_EQ(Stored()->GetEVENTRevertStdLayout(), 1);
}

TEST_F(InternalFolnPageTest, AllQubFilesDuplexReachesTheTablesBeforeTheirPageWasOpened)
{
    constexpr int kAllQubDuplex = 1537;
    Write([&] {
        Stored()->SetDefaultDuplexPack("DUPPACK");
        Stored()->SetsysTableQub2(1, 12);
        Stored()->SetSysTableDuplexPack(1, "");
    });
    Session(0, [&] {
        Click(kAllQubDuplex);
        ShowTab(kPage);
        EXPECT_EQ(Cell(1, 15), "DUPPACK");
        EXPECT_EQ(Cell(0, 15), "");
    }, FALSE);
}

// A "Use default" box shows the default in force while it is ticked; clearing it keeps what it
// shows as the own value, which Apply stores.
TEST_F(TarskBSegSheetTest, ADefaultBoxShowsTheDefaultAndClearingItKeepsThatText)
{
    using Record = PxTarskBSegOptions;
    using Read = std::function<std::string(const Record&)>;
    const struct {
        const char* what;
        int page;
        int box;
        int value;
        std::function<void(Record&)> own;
        Read stored;
        Read defaultShown;
        std::function<BOOL(const Record&)> isDefault;
    } cases[] = {
        {"QUB transaction id", 2, 1559, 1561, [](Record& r) { r.SetGenQUBTransId("OWNID"); },
         [](const Record& r) { return std::string(r.GetGenQUBTransId()); },
         [](const Record& r) { return std::string(r.GetDefaultGenQUBTransId()); },
         [](const Record& r) { return r.IsDefaultGenQUBTransId(); }},
        {"environment", 2, 1560, 1562, [](Record& r) { r.SetToEnvironment("OWNENV"); },
         [](const Record& r) { return std::string(r.GetToEnvironment()); },
         [](const Record&) { return std::string("SALES"); },
         [](const Record& r) { return r.IsDefaultToEnvironment(); }},
        {"system name", 2, 1083, 1081, [](Record& r) { r.SetAsSys("OWNSYS"); },
         [](const Record& r) { return std::string(r.GetAsSys()); },
         [](const Record& r) { return std::string(r.GetDefaultAsSys()); },
         [](const Record& r) { return r.IsDefaultAsSys(); }},
        {"OLTP transaction id", 3, 1566, 1568,
         [](Record& r) {
             r.SetEnableOLTP(1);
             r.SetOLTPQUBTransId("OWNOLTP");
         },
         [](const Record& r) { return std::string(r.GetOLTPQUBTransId()); },
         [](const Record& r) { return std::string(r.GetDefaultOLTPQUBTransId()); },
         [](const Record& r) { return r.IsDefaultOLTPQUBTransId(); }},
        {"object pack", 4, 1089, 1087,
         [](Record& r) {
             r.SetDefPack("PACK1");
             r.SetObjPack("OWNPACK");
         },
         [](const Record& r) { return std::string(r.GetObjPack()); }, [](const Record&) { return std::string("PACK1"); },
         [](const Record& r) { return r.IsDefaultObjPack(); }},
        {"database pack", 4, 1593, 1625,
         [](Record& r) {
             r.SetDefPack("PACK1");
             r.SetDBPack("OWNPACK");
         },
         [](const Record& r) { return std::string(r.GetDBPack()); }, [](const Record&) { return std::string("PACK1"); },
         [](const Record& r) { return r.IsDefaultDBPack(); }},
        {"work pack", 4, 1594, 1626,
         [](Record& r) {
             r.SetObjPack("PACK2");
             r.SetWorkPack("OWNPACK");
         },
         [](const Record& r) { return std::string(r.GetWorkPack()); }, [](const Record&) { return std::string("PACK2"); },
         [](const Record& r) { return r.IsDefaultWorkPack(); }},
        {"port number", 8, 2027, 2029,
         [](Record& r) {
             r.SetEnableRemoteCall(1);
             r.SetHDBAPortNumber(77);
         },
         [](const Record& r) { return std::to_string(r.GetHDBAPortNumber()); },
         [](const Record& r) { return std::to_string(r.GetDefaultHDBAPortNumber()); },
         [](const Record& r) { return r.IsDefaultHDBAPortNumber(); }},
        {"security environment", 8, 2028, 2030,
         [](Record& r) {
             r.SetEnableRemoteCall(1);
             r.SetLrssSecurityEnvironment("OWNSEC");
         },
         [](const Record& r) { return std::string(r.GetLrssSecurityEnvironment()); },
         [](const Record& r) { return std::string(r.GetDefaultLrssSecurityEnvironment()); },
         [](const Record& r) { return r.IsDefaultLrssSecurityEnvironment(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write([&] { c.own(*Stored()); });
        const std::string shown = c.defaultShown(*Stored());
        Session(c.page, [&] {
            EXPECT_FALSE(Checked(c.box));
            TickAndClearDefaultBox(c.box, c.value, shown);
            ApplyNow();
        });
        EXPECT_EQ(c.stored(*Stored()), shown);
        EXPECT_FALSE(c.isDefault(*Stored()));
    }
    // The default pack's default is no pack at all, which the page then asks to be filled in.
    Write([&] { Stored()->SetDefPack("OWNPACK"); });
    Session(4, [&] {
        Click(1088);
        Click(1088);
        EXPECT_EQ(Text(1067), std::string(Stored()->GetDefaultDefPack()));
        EXPECT_TRUE(Enabled(1067));
    }, FALSE);
}

TEST_F(TarskBSegSheetTest, AnEnvironmentThatCannotBeReadIsShownNotAvailableDisabledAndKept)
{
    constexpr int kEnvironment = 1562;
    constexpr int kLibraryNumber = 1563;
    Write([&] { Stored()->SetToEnvironment("KEPT"); });
    PxFaultInjection::Run("PxTarskBSegOptions::GetToEnvironment", [] {
        throw PxExceptionDefOption(__FILE__, __LINE__, "The environment cannot be read.");
    });
    Session(2, [&] {
        EXPECT_EQ(Text(kEnvironment), "<not available>");
        EXPECT_FALSE(Enabled(kEnvironment));
        Type(kLibraryNumber, "3");
        ApplyNow();
    });
    PxFaultInjection::Reset();
    EXPECT_EQ(Stored()->GetToEnvironment(), "KEPT");
    EXPECT_EQ(Stored()->GetHVQUBLibNum(), 3);
}

TEST_F(InternalFolnPageTest, AnEmptyPackIsRefusedWithThePagesOwnMessage)
{
    constexpr int kPack = 32993;
    constexpr int kUseDefaultPack = 32994;
    Write([&] { Stored()->SetSysTablePack(0, "SALESTS"); });
    Session(kPage, [&] {
        EXPECT_FALSE(Checked(kUseDefaultPack));
        Type(kPack, " ");
        Answer("Enter a valid pack name.", IDOK);
        ApplyNow();
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), kPack);
    }, FALSE);
    EXPECT_EQ(Stored()->GetSysTablePack(0), "SALESTS");
}

// A pack the page could not read shows as not available and keeps its stored value when the
// page applies another change.
TEST_F(TarskBSegSheetTest, APackThatCouldNotBeReadIsNotOverwrittenWhenThePageApplies)
{
    constexpr int kPacksPage = 4;
    constexpr int kDefaultPack = 1067;
    constexpr int kObjectPack = 1087;
    Write([&] {
        Stored()->SetDefPack("PACK1");
        Stored()->SetObjPack("OWNPACK");
    });
    Session(0, [&] {
        PxFaultInjection::Throw("PxTarskBSegOptions::GetObjPack");
        ShowTab(kPacksPage);
        PxFaultInjection::Reset();
        EXPECT_EQ(Text(kObjectPack), "<not available>");
        EXPECT_FALSE(Enabled(kObjectPack));
        Type(kDefaultPack, "PACK2");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetDefPack(), "PACK2");
    EXPECT_EQ(Stored()->GetObjPack(), "OWNPACK");
}
