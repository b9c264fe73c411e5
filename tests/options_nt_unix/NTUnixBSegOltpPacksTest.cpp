// The OLTP and Pack Allocation pages of an NT and a Unix business segment, used through the
// segment's options dialog.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "options/VqsOptionsSheet.h"
#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"

using namespace optionstest;

namespace {

constexpr int kOltpPage = 3;
constexpr int kPacksPage = 4;

constexpr int kEnableOltp = 1090;
constexpr int kClientOnly = 1091;
constexpr int kClientAndServer = 1092;
constexpr int kLoadConfig = 1227;
constexpr int kDefaultService = 1229;
constexpr int kDirectory = 1230;
constexpr int kServerPack = 1431;
constexpr int kServerName = 1404;
constexpr int kMaxServers = 1410;
constexpr int kIpcKey = 1034;

constexpr int kDefaultPack = 1067;
constexpr int kUseDefaultDefault = 1088;
constexpr int kObjectPack = 1087;
constexpr int kEventSet = 1224;
constexpr int kUseDefaultEventSet = 1093;
constexpr int kReorgPack = 1094;
constexpr int kUseDefaultReorg = 1095;
constexpr int kLogPack = 1096;
constexpr int kUseDefaultLog = 1097;
constexpr int kExtractPack = 1242;

constexpr const char* kNotAvailable = "<not available>";
constexpr const char* kOltpNotSupported =
    "The OLTP (Online Transaction Processing) functionality is not supported on Windows.\n"
    "Please ensure that the 'Enable OLTP' box is not checked.";

struct BSegPagesTest : OptionsDialogHarness {
    const char* optionSet = "NTGEN";

    PxBSegOptionsPtr Stored() const { return StoredSegment<PxBSegOptionsPtr>(optionSet); }
    PxNTBSegOptionsPtr StoredNT() const { return StoredSegment<PxNTBSegOptionsPtr>("NTGEN"); }
    PxUnixBSegOptionsPtr StoredUnix() const { return StoredSegment<PxUnixBSegOptionsPtr>("UNIXGEN"); }
    void Session(UINT page, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        OptionsDialogHarness::Session(Segment("SYS1", "SALES"), optionSet, page, actions, endWithOk);
    }
    // The NT OLTP page tells that OLTP is not supported each time it opens.
    void ExpectNotice() { Answer(kOltpNotSupported, IDOK); }
    void ExpectNoticeWhileOpening()
    {
        WhileOpening([this] { ExpectNotice(); });
    }
};

std::vector<int> ServerControls() { return {kDefaultService, kDirectory, kServerName, kMaxServers, kIpcKey}; }

} // namespace

TEST_F(BSegPagesTest, TheServerControlsApplyToAClientAndServerWithOltpEnabled)
{
    for (const char* set : {"NTGEN", "UNIXGEN"}) {
        SCOPED_TRACE(set);
        optionSet = set;
        const bool nt = std::string(set) == "NTGEN";
        if (nt)
            ExpectNoticeWhileOpening();
        Session(kOltpPage, [&] {
            for (int id : ServerControls())
                EXPECT_FALSE(Enabled(id)) << id;
            EXPECT_FALSE(Enabled(kServerPack));
            Click(kEnableOltp);
            for (int id : ServerControls())
                EXPECT_FALSE(Enabled(id)) << id;
            Click(kClientAndServer);
            for (int id : ServerControls())
                EXPECT_TRUE(Enabled(id)) << id;
            EXPECT_TRUE(Enabled(kServerPack));
            Click(kLoadConfig);
            Click(kClientOnly);
            EXPECT_FALSE(Checked(kLoadConfig));
            EXPECT_FALSE(Enabled(kServerPack));
        }, FALSE);
    }
}

TEST_F(BSegPagesTest, AnAbsoluteServerDirectoryLeavesNoPackToChoose)
{
    const struct {
        const char* optionSet;
        const char* directory;
        bool packEnabled;
    } cases[] = {
        {"NTGEN", "C:\\oltp", false},     {"NTGEN", "\\\\server\\oltp", false}, {"NTGEN", "\\oltp", true},
        {"NTGEN", "oltp\\server", true},  {"NTGEN", "C", true},                 {"UNIXGEN", "/vq/oltp", false},
        {"UNIXGEN", "   /vq/oltp", false}, {"UNIXGEN", "vq/oltp", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.optionSet) + " \"" + c.directory + "\"");
        optionSet = c.optionSet;
        Write([&] {
            Stored()->SetEnableOLTP(1);
            Stored()->SetClientServer(1);
        });
        if (std::string(c.optionSet) == "NTGEN")
            ExpectNoticeWhileOpening();
        Session(kOltpPage, [&] {
            Type(kDirectory, c.directory);
            EXPECT_EQ(Enabled(kServerPack), c.packEnabled ? TRUE : FALSE);
        }, FALSE);
    }
}

TEST_F(BSegPagesTest, ServerTextsAreStoredWithoutTheirBlanksAndThePackAsChosen)
{
    optionSet = "UNIXGEN";
    Write([&] {
        Stored()->SetEnableOLTP(1);
        Stored()->SetClientServer(1);
    });
    Session(kOltpPage, [&] {
        EXPECT_EQ(ComboItems(kServerPack), (Strings{"PAYROLLPATH", "SALESPATH", "STOCKPATH", "TARSKPACK"}));
        Type(kDefaultService, " SVC1 ");
        Type(kDirectory, " srv ");
        Choose(kServerPack, "SALESPATH");
        Type(kServerName, " NAME1  ");
        Type(kMaxServers, "12");
        Type(kIpcKey, "4242");
        ApplyNow();
    });
    const PxUnixBSegOptionsPtr stored = StoredUnix();
    EXPECT_EQ(stored->GetDefService(), "SVC1");
    EXPECT_EQ(stored->GetOLTPDirectory(), "srv");
    EXPECT_EQ(stored->GetOLTPOnPack(), "SALESPATH");
    EXPECT_EQ(stored->GetOLTPName(), "NAME1");
    EXPECT_EQ(stored->GetMaxServers(), 12);
    EXPECT_EQ(stored->GetIPCKey(), 4242);
    Session(kOltpPage, [&] {
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(StoredUnix()->IsUpdatedOLTPName());
    EXPECT_FALSE(StoredUnix()->IsUpdatedIPCKey());
    EXPECT_FALSE(StoredUnix()->IsUpdatedEnableOLTP());
}

TEST_F(BSegPagesTest, OnNTTheNoticeComesWithTheTabAndWithStoringOltpEnabledWhichIsStillStored)
{
    ExpectNoticeWhileOpening();
    Session(kOltpPage, [&] {
        Click(kEnableOltp);
        ExpectNotice();
        ApplyNow();
    });
    EXPECT_EQ(StoredNT()->GetEnableOLTP(), 1);
}

TEST_F(BSegPagesTest, OpeningTheOltpTabOfAnEnabledServerNeitherLocksNorModifiesThePage)
{
    optionSet = "UNIXGEN";
    Write([&] {
        Stored()->SetEnableOLTP(1);
        Stored()->SetClientServer(1);
    });
    Session(kOltpPage, [&] {
        EXPECT_TRUE(Enabled(kServerName));
        EXPECT_FALSE(Enabled(kApplyNow));
        EXPECT_FALSE(Dialog().GetSheet()->AnyPageModified());
    });
}

TEST_F(BSegPagesTest, DatabasePacksAndPathPacksAreOfferedWhereTheyBelong)
{
    optionSet = "UNIXGEN";
    Session(kPacksPage, [&] {
        EXPECT_EQ(ComboItems(kDefaultPack), (Strings{"PAYROLLFG", "PAYROLLTS", "SALESFG", "SALESTS", "STOCKFG",
                                                    "STOCKTS", "TARSKPACK"}));
        EXPECT_EQ(ComboItems(kEventSet), ComboItems(kDefaultPack));
        const Strings paths{"PAYROLLPATH", "SALESPATH", "STOCKPATH", "TARSKPACK"};
        for (int id : {kObjectPack, kReorgPack, kExtractPack})
            EXPECT_EQ(ComboItems(id), paths) << id;
    });
}

TEST_F(BSegPagesTest, TheDefaultedEventSetFollowsTheDefaultPackAsTheUserTypes)
{
    for (const char* set : {"NTGEN", "UNIXGEN"}) {
        SCOPED_TRACE(set);
        optionSet = set;
        Session(kPacksPage, [&] {
            EXPECT_TRUE(Checked(kUseDefaultEventSet));
            Click(kUseDefaultDefault);
            Choose(kDefaultPack, "SALESTS");
            EXPECT_EQ(Text(kEventSet), "SALESTS");
            ApplyNow();
        });
        EXPECT_EQ(Stored()->GetDefPack(), "SALESTS");
        EXPECT_TRUE(Stored()->IsUpdatedDefPack());
    }
}

TEST_F(BSegPagesTest, ADefaultedLogPackShowsNotAvailableAndIsStoredAsDefault)
{
    optionSet = "UNIXGEN";
    Write([&] { StoredUnix()->SetLogPack("SALESPATH"); });
    Session(kPacksPage, [&] {
        EXPECT_TRUE(Enabled(kLogPack));
        Click(kUseDefaultLog);
        EXPECT_EQ(Text(kLogPack), kNotAvailable);
        EXPECT_FALSE(Enabled(kLogPack));
        Click(kUseDefaultReorg);
        EXPECT_TRUE(Enabled(kReorgPack));
        ApplyNow();
    });
    EXPECT_TRUE(StoredUnix()->IsDefaultLogPack());
    EXPECT_EQ(StoredUnix()->GetLogPack(), "");
    EXPECT_FALSE(StoredUnix()->IsDefaultReorgPack());
}

TEST_F(BSegPagesTest, ADefaultPackThatCannotBeDeterminedIsShownAsNotAvailableOnBothPlatforms)
{
    for (const char* set : {"NTGEN", "UNIXGEN"}) {
        SCOPED_TRACE(set);
        optionSet = set;
        Session(kPacksPage, [&] {
            Click(kUseDefaultDefault);
            PxFaultInjection::Run("PxBSegOptions::GetDefaultDefPack", [] {
                throw PxExceptionDefOption(__FILE__, __LINE__, "No default pack.");
            });
            Click(kUseDefaultDefault);
            EXPECT_EQ(Text(kDefaultPack), kNotAvailable);
            EXPECT_EQ(Text(kEventSet), kNotAvailable);
            ApplyNow();
        });
        PxFaultInjection::Reset();
        EXPECT_TRUE(Stored()->IsDefaultDefPack());
    }
}

TEST_F(BSegPagesTest, AUnixDefaultPackThatCannotBeReadWhenTheTabOpensIsShownAsNotAvailable)
{
    optionSet = "UNIXGEN";
    PxFaultInjection::Run("PxBSegOptions::GetDefPack",
                          [] { throw PxExceptionDefOption(__FILE__, __LINE__, "No default pack."); });
    Session(kPacksPage, [&] {
        EXPECT_EQ(Text(kDefaultPack), kNotAvailable);
        Click(kUseDefaultEventSet);
        Click(kUseDefaultEventSet);
        EXPECT_EQ(Text(kEventSet), kNotAvailable);
    }, FALSE);
    PxFaultInjection::Reset();
    EXPECT_FALSE(StoredUnix()->IsUpdatedDefPack());
}
