// The Environment, Generate and Wrenfield Test pages of an NT and a Unix business segment,
// used through the segment's options dialog.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxVQProfileSoftLink.h"

using namespace optionstest;

namespace {

constexpr int kEnvironmentPage = 0;
constexpr int kGeneratePage = 2;
constexpr int kWrenfieldTestPage = 7;

constexpr int kLogActivities = 1077;
constexpr int kLogTransactions = 1078;
constexpr int kReverseMessages = 1079;
constexpr int kShowDelimiters = 1074;
constexpr int kLeftDelimiter = 1075;
constexpr int kRightDelimiter = 1076;
constexpr int k25LineTerminal = 2016;
constexpr int kMaxInIspecs = 32881;
constexpr int kMaxInReports = 32882;
constexpr int kIgnoreNationalItems = 33042;
constexpr int kCollatingSequence = 33043;
constexpr int kUseDefaultCollating = 33044;

constexpr int kSqlViews = 1085;
constexpr int kConfirmWithInstall = 1558;
constexpr int kGenerateInterface = 2017;
constexpr int kEnableInterface = 2018;
constexpr int kUseDefaultClusterIndex = 1766;
constexpr int kDatabaseId = 1380;
constexpr int kClusterIndex = 1765;
constexpr int kObj = 33022;
constexpr int kGnt = 33019;
constexpr int kUnixEnvironment = 33014;
constexpr int kUnixInt = 33018;

constexpr const char* kNotAvailable = "<not available>";

struct NTBSegPagesTest : OptionsDialogHarness {
    PxNTBSegOptionsPtr Stored() const { return StoredSegment<PxNTBSegOptionsPtr>("NTGEN"); }
    void Session(UINT page, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        OptionsDialogHarness::Session(Segment("SYS1", "SALES"), "NTGEN", page, actions, endWithOk);
    }
};

struct UnixBSegPagesTest : OptionsDialogHarness {
    PxUnixBSegOptionsPtr Stored() const { return StoredSegment<PxUnixBSegOptionsPtr>("UNIXGEN"); }
    void Session(UINT page, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        OptionsDialogHarness::Session(Segment("SYS1", "SALES"), "UNIXGEN", page, actions, endWithOk);
    }
    void SetCcsVersionSupport(int support)
    {
        Write([&] {
            app.GetLSEEnterprise()->GetBusinessSegment("SALES")->SetAttributeInt("ccsVersionSupport", support);
        });
    }
};

} // namespace

TEST_F(NTBSegPagesTest, TransactionsAreLoggedOnlyWithActivitiesAndTheirBoxClearsWithThem)
{
    Write([&] {
        Stored()->SetLogAct(0);
        Stored()->SetLogTrans(1);
    });
    Session(kEnvironmentPage, [&] {
        EXPECT_FALSE(Checked(kLogTransactions));
        EXPECT_FALSE(Enabled(kLogTransactions));
        Click(kLogActivities);
        EXPECT_TRUE(Enabled(kLogTransactions));
        Click(kLogTransactions);
        Click(kReverseMessages);
        ApplyNow();
        Click(kLogActivities);
        EXPECT_FALSE(Checked(kLogTransactions));
        EXPECT_FALSE(Enabled(kLogTransactions));
    }, FALSE);
    EXPECT_EQ(Stored()->GetLogAct(), 1);
    EXPECT_EQ(Stored()->GetLogTrans(), 1);
    EXPECT_EQ(Stored()->GetReverseMsgOrder(), 1);
}

TEST_F(UnixBSegPagesTest, TheEnvironmentStoresWhatIsShownAndDefaultsLeaveNoOwnValueBehind)
{
    SetCcsVersionSupport(1);
    Session(kEnvironmentPage, [&] {
        Click(kShowDelimiters);
        Click(kLogActivities);
        Click(k25LineTerminal);
        Type(kLeftDelimiter, "[");
        Type(kMaxInIspecs, "12");
        Type(kMaxInReports, "7");
        Click(kUseDefaultCollating);
        Type(kCollatingSequence, "  EBCDIC");
        ApplyNow();
    });
    PxUnixBSegOptionsPtr stored = Stored();
    EXPECT_EQ(stored->GetShowDelim(), 1);
    EXPECT_EQ(stored->GetLogAct(), 1);
    EXPECT_EQ(stored->Get25LineTerminal(), 1);
    EXPECT_EQ(stored->GetLDelim(), '[');
    EXPECT_EQ(stored->GetRDelim(), 0);
    EXPECT_EQ(stored->GetUnixEventMultiRecordMaxInIspecs(), 12);
    EXPECT_EQ(stored->GetUnixEventMultiRecordMaxInReports(), 7);
    EXPECT_EQ(stored->GetCollatingSequence(), "EBCDIC");
    Session(kEnvironmentPage, [&] {
        Defaults();
        ApplyNow();
    });
    stored = Stored();
    EXPECT_FALSE(stored->IsUpdatedShowDelim());
    EXPECT_FALSE(stored->IsUpdatedLDelim());
    EXPECT_FALSE(stored->IsUpdatedUnixEventMultiRecordMaxInIspecs());
    EXPECT_FALSE(stored->IsUpdatedUnixEventMultiRecordMaxInReports());
    EXPECT_FALSE(stored->IsUpdatedCollatingSequence());
}

TEST_F(UnixBSegPagesTest, ACollatingSequenceThatIsTheDefaultAfterItsLeadingBlanksIsStoredAsTheDefault)
{
    SetCcsVersionSupport(1);
    Write([&] { Stored()->SetCollatingSequence("OWN"); });
    const CString defaultSequence = Stored()->GetDefaultCollatingSequence();
    const struct {
        std::string typed;
        bool madeDefault;
    } cases[] = {{"  " + std::string(defaultSequence), true}, {"  ASCII2", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        Write([&] { Stored()->SetCollatingSequence("OWN"); });
        Session(kEnvironmentPage, [&] {
            Type(kCollatingSequence, c.typed.c_str());
            ApplyNow();
        });
        EXPECT_EQ(Stored()->IsDefaultCollatingSequence(), c.madeDefault ? TRUE : FALSE);
        if (!c.madeDefault) {
            EXPECT_EQ(Stored()->GetCollatingSequence(), "ASCII2");
        }
    }
}

TEST_F(UnixBSegPagesTest, TheCcsControlsFollowTheSegmentsSupportTheIgnoreBoxAndTheDefaultBox)
{
    SetCcsVersionSupport(0);
    Session(kEnvironmentPage, [&] {
        for (int id : {kIgnoreNationalItems, kUseDefaultCollating, kCollatingSequence})
            EXPECT_FALSE(Enabled(id)) << id;
    });
    SetCcsVersionSupport(1);
    Write([&] { Stored()->SetCollatingSequence("OWN"); });
    Session(kEnvironmentPage, [&] {
        EXPECT_TRUE(Enabled(kIgnoreNationalItems));
        EXPECT_FALSE(Checked(kUseDefaultCollating));
        EXPECT_TRUE(Enabled(kCollatingSequence));
        Click(kIgnoreNationalItems);
        EXPECT_FALSE(Enabled(kUseDefaultCollating));
        EXPECT_FALSE(Enabled(kCollatingSequence));
        Click(kIgnoreNationalItems);
        Click(kUseDefaultCollating);
        EXPECT_EQ(Text(kCollatingSequence), std::string(Stored()->GetDefaultCollatingSequence()));
        EXPECT_FALSE(Enabled(kCollatingSequence));
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultCollatingSequence());
}

TEST_F(NTBSegPagesTest, TheClusterIndexIsChosenAmongTheProfilesOverTheEventOrTakesItsDefault)
{
    Write([&] {
        PxVQProfileSoftLinkPtr(Element("SYS1", "SALES", "ORDBYDATE"))->SetOverEvent(1);
        Stored()->SetEVENTClusterIndex("OLDINDEX");
    });
    Session(kGeneratePage, [&] {
        EXPECT_EQ(ComboItems(kClusterIndex), Strings{"ORDBYDATE"});
        EXPECT_EQ(Text(kClusterIndex), "OLDINDEX");
        EXPECT_TRUE(Enabled(kClusterIndex));
        Click(kUseDefaultClusterIndex);
        EXPECT_FALSE(Enabled(kClusterIndex));
        EXPECT_EQ(Text(kClusterIndex), std::string(Stored()->GetDefaultEVENTClusterIndex()));
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultEVENTClusterIndex());
}

TEST_F(NTBSegPagesTest, AClusterIndexThatCannotBeReadIsShownAsNotAvailableAndNeverOverwritten)
{
    Write([&] { Stored()->SetEVENTClusterIndex("KEPT"); });
    PxFaultInjection::Run("PxNTBSegOptions::GetEVENTClusterIndex", [] {
        throw PxExceptionDefOption(__FILE__, __LINE__, "The cluster index cannot be read.");
    });
    Session(kGeneratePage, [&] {
        EXPECT_EQ(Text(kClusterIndex), kNotAvailable);
        Type(kDatabaseId, "DB1");
        ApplyNow();
    });
    PxFaultInjection::Reset();
    EXPECT_EQ(Stored()->GetEVENTClusterIndex(), "KEPT");
    EXPECT_EQ(Stored()->GetGenDataBase(), "DB1");
}

TEST_F(NTBSegPagesTest, TheCompileTypeShowsObjForAStoredTypeWithoutAButtonAndStoresTheChosenOne)
{
    Write([&] { Stored()->SetDefaultCompileType(static_cast<PxEnumCompileType>(7)); });
    Session(kGeneratePage, [&] {
        EXPECT_TRUE(Checked(kObj));
        Click(kGnt);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetDefaultCompileType(), PxCompileTypeGNT);
}

TEST_F(NTBSegPagesTest, ClearingTheInterfaceGreysItsInstallBoxWhichKeepsItsStateAndDefaultsClearEverything)
{
    Session(kGeneratePage, [&] {
        EXPECT_FALSE(Enabled(kEnableInterface));
        Click(kGenerateInterface);
        Click(kEnableInterface);
        Click(kGenerateInterface);
        EXPECT_FALSE(Enabled(kEnableInterface));
        EXPECT_TRUE(Checked(kEnableInterface));
        Click(kConfirmWithInstall);
        Click(kSqlViews);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetGenerateHDBAInterface(), 0);
    EXPECT_EQ(Stored()->GetEnableHDBAInterface(), 1);
    EXPECT_EQ(Stored()->GetConfirmGenWithInstall(), 1);
    Session(kGeneratePage, [&] {
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(Stored()->IsUpdatedConfirmGenWithInstall());
    EXPECT_FALSE(Stored()->IsUpdatedEnableHDBAInterface());
    EXPECT_FALSE(Stored()->IsUpdatedSQLViews());
}

TEST_F(UnixBSegPagesTest, TheGeneratePageStoresItsOwnOptionsAndTheInstallConfirmationCountsAsOwnValue)
{
    Session(kGeneratePage, [&] {
        Type(kUnixEnvironment, "PROD");
        Click(kUnixInt);
        Click(kConfirmWithInstall);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetGenEnvironment(), "PROD");
    EXPECT_EQ(Stored()->GetDefaultCompileType(), PxCompileTypeINT);
    Session(kGeneratePage, [&] {
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(Stored()->IsUpdatedConfirmGenWithInstall());
    EXPECT_FALSE(Stored()->IsUpdatedGenEnvironment());
    EXPECT_FALSE(Stored()->IsUpdatedDefaultCompileType());
}

// A stored compile type of the NT buttons (".GNT", ".DLL") shows neither Unix button and is
// stored back unchanged with another change of the page; any other type shows ".OBJ".
TEST_F(UnixBSegPagesTest, ACompileTypeWithoutAUnixButtonShowsNoneAndIsStoredBackUnchanged)
{
    constexpr int kUnixObj = 33017;
    const struct {
        int stored;
        bool objShown;
        int storedAfter;
    } cases[] = {{2, false, 2}, {3, false, 3}, {7, true, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        Write([&] { Stored()->SetDefaultCompileType(static_cast<PxEnumCompileType>(c.stored)); });
        Session(kGeneratePage, [&] {
            EXPECT_EQ(Checked(kUnixObj), c.objShown ? TRUE : FALSE);
            EXPECT_FALSE(Checked(kUnixInt));
            Type(kUnixEnvironment, "PROD");
            ApplyNow();
        });
        EXPECT_EQ(Stored()->GetGenEnvironment(), "PROD");
        EXPECT_EQ(Stored()->GetDefaultCompileType(), c.storedAfter);
    }
}

namespace {

struct WrenfieldTestPagesTest : OptionsDialogHarness {
    struct Ids {
        const char* optionSet;
        int hostDatabaseAccess;
        int remoteCall;
        int dataTranslation;
        int useDefaultPort;
        int port;
    };
    static constexpr Ids kNT{"NTGEN", 2046, 2042, 2043, 2044, 2045};
    static constexpr Ids kUnix{"UNIXGEN", 0, 2020, 2021, 2022, 2023};

    PxBSegOptionsPtr Stored(const Ids& ids) const { return StoredSegment<PxBSegOptionsPtr>(ids.optionSet); }
    void Session(const Ids& ids, const std::function<void()>& actions)
    {
        OptionsDialogHarness::Session(Segment("SYS1", "SALES"), ids.optionSet, kWrenfieldTestPage, actions);
    }
};

} // namespace

TEST_F(WrenfieldTestPagesTest, TheServerControlsApplyWhileRemoteCallsOrOnNTHostDatabaseAccessAreEnabled)
{
    for (const Ids& ids : {kNT, kUnix}) {
        SCOPED_TRACE(ids.optionSet);
        Session(ids, [&] {
            for (int id : {ids.port, ids.useDefaultPort, ids.dataTranslation})
                EXPECT_FALSE(Enabled(id)) << id;
            if (ids.hostDatabaseAccess) {
                Click(ids.hostDatabaseAccess);
                EXPECT_TRUE(Enabled(ids.useDefaultPort));
                EXPECT_FALSE(Enabled(ids.dataTranslation));
                Click(ids.hostDatabaseAccess);
            }
            Click(ids.remoteCall);
            EXPECT_TRUE(Enabled(ids.useDefaultPort));
            EXPECT_TRUE(Enabled(ids.dataTranslation));
            EXPECT_EQ(Enabled(ids.port), !Checked(ids.useDefaultPort));
        });
    }
}

TEST_F(WrenfieldTestPagesTest, ThePortShownByDefaultIsKeptAsOwnValueOnceTheBoxIsCleared)
{
    for (const Ids& ids : {kNT, kUnix}) {
        SCOPED_TRACE(ids.optionSet);
        Write([&] { Stored(ids)->SetHDBAPortNumber(4000); });
        Session(ids, [&] {
            Click(ids.remoteCall);
            EXPECT_FALSE(Checked(ids.useDefaultPort));
            Click(ids.useDefaultPort);
            const std::string shownDefault = Text(ids.port);
            EXPECT_EQ(shownDefault, std::to_string(Stored(ids)->GetDefaultHDBAPortNumber()));
            EXPECT_FALSE(Enabled(ids.port));
            Click(ids.useDefaultPort);
            EXPECT_EQ(Text(ids.port), shownDefault);
            ApplyNow();
        });
        EXPECT_FALSE(Stored(ids)->IsDefaultHDBAPortNumber());
        EXPECT_EQ(Stored(ids)->GetHDBAPortNumber(), Stored(ids)->GetDefaultHDBAPortNumber());
    }
}

TEST_F(WrenfieldTestPagesTest, ADefaultPortThatCannotBeDeterminedShowsNotAvailableAndIsNeverStored)
{
    Write([&] { Stored(kNT)->SetHDBAPortNumber(4000); });
    Session(kNT, [&] {
        Click(kNT.remoteCall);
        PxFaultInjection::Run("PxBSegOptions::GetDefaultHDBAPortNumber", [] {
            throw PxExceptionDefOption(__FILE__, __LINE__, "No default port.");
        });
        Click(kNT.useDefaultPort);
        EXPECT_EQ(Text(kNT.port), kNotAvailable);
        ApplyNow();
    });
    PxFaultInjection::Reset();
    EXPECT_TRUE(Stored(kNT)->IsDefaultHDBAPortNumber());
    EXPECT_EQ(Stored(kNT)->GetEnableRemoteCall(), 1);
}

// An own port the page could not read stays not available when its box is ticked and
// cleared again: it cannot be edited, and the stored port is left as it is.
TEST_F(WrenfieldTestPagesTest, AnOwnPortThatCouldNotBeReadIsNeverStoredAfterItsBoxIsTickedAndCleared)
{
    for (const Ids& ids : {kNT, kUnix}) {
        SCOPED_TRACE(ids.optionSet);
        Write([&] { Stored(ids)->SetHDBAPortNumber(4000); });
        PxFaultInjection::Throw("PxBSegOptions::GetHDBAPortNumber");
        Session(ids, [&] {
            PxFaultInjection::Reset();
            Click(ids.remoteCall);
            EXPECT_EQ(Text(ids.port), kNotAvailable);
            EXPECT_FALSE(Enabled(ids.port));
            Click(ids.useDefaultPort);
            Click(ids.useDefaultPort);
            EXPECT_EQ(Text(ids.port), kNotAvailable);
            EXPECT_FALSE(Enabled(ids.port));
            ApplyNow();
        });
        EXPECT_EQ(Stored(ids)->GetHDBAPortNumber(), 4000);
        EXPECT_EQ(Stored(ids)->GetEnableRemoteCall(), 1);
    }
}
