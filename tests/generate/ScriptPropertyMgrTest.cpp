#include "../model/ModelTestSupport.h"

#include "generate/VqsScriptPropertyMgr.h"
#include "proxy/PxVQOptionSet.h"
#include "support/ScopedTimeZone.h"

#include <atomic>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

struct ScriptPropertyMgrTest : ModelTest {
    VqsScriptPropertyMgr manager;

    PxVQLink* Link() const { return app.GetLink(); }

    std::string Get(const char* path, PxVQLink* link)
    {
        CString value;
        manager.GetValue(link, path, value);
        return value.str();
    }
    std::string Get(const char* path) { return Get(path, Link()); }

    // The text a failing call throws; "no failure" when it does not throw.
    template <class Call>
    static std::string Failure(Call call)
    {
        try {
            call();
        } catch (const VqcScriptPropertyException& error) {
            return error.GetText().str();
        }
        return "no failure";
    }

    std::vector<std::string> List(const char* path)
    {
        CStringArray names;
        manager.ListProperties(Link(), path, names);
        std::vector<std::string> list;
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
            list.push_back(names[i].str());
        return list;
    }

    // A second NT generate set of SYS1 whose name begins with the first one's.
    void AddGenSet(const char* name)
    {
        Link()->BeginTransaction();
        System("SYS1")->GetCurConfig()->CreateOptionSet(name, 0);
        Link()->CommitTransaction();
    }
};

} // namespace

TEST_F(ScriptPropertyMgrTest, APropertyNeverSetReadsAsItsDeclaredDefault)
{
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.CompileAllOrUpdt"), "UPD");
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.DeployDateTime"), "");
    EXPECT_EQ(Get("SYS1.QSRGEN.Generate.NumReorgTasks"), "1");
    EXPECT_EQ(Get("SYS1.UNIXGEN.Recovery.KeepRecoveryOnError"), "FALSE");
    EXPECT_EQ(Get("SYS2.TARSKGEN.LoginDetails.ProjectID"), "");
}

TEST_F(ScriptPropertyMgrTest, AFaultyPathIsReportedWithTheOffendingPartQuoted)
{
    const struct {
        const char* path;
        std::string failure;
    } cases[] = {
        {"", "E1006: Invalid property path <string> \"\""},
        {"NOSYS.NTGEN.Generate.IgnoreLocks", "E1007: Invalid system name  \"NOSYS\""},
        {"SYS1.", "E1005: Invalid Generate Set name  \"\""},
        {"SYS1.NOSET.Generate.IgnoreLocks", "E1005: Invalid Generate Set name  \"NOSET\""},
        {"SYS1.NTGEN.", "E1019: Invalid/Unknown Host option  \"\""},
        {"SYS1.NTGEN.Generate.Nothing", "E1019: Invalid/Unknown Host option  \"Generate.Nothing\""},
        {"SYS1.QSRGEN.Generate.CompileType", "E1019: Invalid/Unknown Host option  \"Generate.CompileType\""},
        {"SYS1.TARSKGEN.Generate.CompileType", "E1019: Invalid/Unknown Host option  \"Generate.CompileType\""},
        {"SYS1.NTGEN.Generate", "E1003: Incomplete property path."},
        {"SYS1.NTGEN", "E1003: Incomplete property path."},
        {"SYS1", "E1003: Incomplete property path."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Failure([&] { Get(c.path); }), c.failure) << c.path;
        EXPECT_EQ(Failure([&] { manager.SetValue(Link(), c.path, "TRUE"); }), c.failure) << c.path;
    }
}

TEST_F(ScriptPropertyMgrTest, AValueIsCheckedByItsDeclarationsTypeBeforeItIsKept)
{
    const struct {
        const char* path;
        const char* value;
        std::string failure;
    } cases[] = {
        {"SYS1.NTGEN.Generate.CompileType", "DLL", "no failure"},
        {"SYS1.UNIXGEN.Generate.CompileType", "DLL",
         "E1010: Property value must be one of:OBJ,INT,GNT, : SYS1.UNIXGEN.Generate.CompileType"},
        {"SYS1.NTGEN.Generate.NumParallelCompiles", "1abc",
         "E1009: Property value contains non-numeric characters : SYS1.NTGEN.Generate.NumParallelCompiles"},
        {"SYS1.NTGEN.LoginDetails.FTPPassword", "",
         "E1000: Empty mandatory value : SYS1.NTGEN.LoginDetails.FTPPassword"},
        {"SYS1.NTGEN.Generate.DeployDateTime", "31122026120000",
         "E1004: Invalid Date value : SYS1.NTGEN.Generate.DeployDateTime"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Failure([&] { manager.SetValue(Link(), c.path, c.value); }), c.failure) << c.path;
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.CompileType"), "DLL");
    EXPECT_EQ(Get("SYS1.UNIXGEN.Generate.CompileType"), "OBJ");
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.NumParallelCompiles"), "1");
}

TEST_F(ScriptPropertyMgrTest, TypedGettersAndSettersConvertAsTheClientExpects)
{
    manager.SetValue(Link(), "SYS1.NTGEN.Generate.GenerateMatching", "true");
    BOOL flag = TRUE;
    manager.GetBool(Link(), "SYS1.NTGEN.Generate.GenerateMatching", flag);
    EXPECT_FALSE(flag);
    manager.SetBool(Link(), "SYS1.NTGEN.Generate.IgnoreLocks", TRUE);
    manager.GetBool(Link(), "SYS1.NTGEN.Generate.IgnoreLocks", flag);
    EXPECT_TRUE(flag);
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.IgnoreLocks"), "TRUE");

    manager.SetDouble(Link(), "SYS1.NTGEN.Generate.NumParallelCompiles", 2.0);
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.NumParallelCompiles"), "2.000000");
    int number = 0;
    manager.GetInt(Link(), "SYS1.NTGEN.Generate.NumParallelCompiles", number);
    EXPECT_EQ(number, 2);
    manager.SetInt(Link(), "SYS1.NTGEN.Generate.NumGenerateThreads", 4);
    double real = 0;
    manager.GetDouble(Link(), "SYS1.NTGEN.Generate.NumGenerateThreads", real);
    EXPECT_EQ(real, 4.0);
    EXPECT_THROW(manager.SetInt(Link(), "SYS1.NTGEN.Generate.NumGenerateThreads", -4), VqcScriptPropertyException)
        << "a number starts with a digit";

    EXPECT_STREQ(manager.GetPropertyName(62050), "Generate.IgnoreLocks");
    EXPECT_STREQ(manager.GetPropertyName(62044), "Generate.CompileType");
    EXPECT_EQ(manager.GetPropertyName(62035), nullptr);
    EXPECT_EQ(manager.GetPropertyName(61914), nullptr);
}

TEST_F(ScriptPropertyMgrTest, ADateSetIsReadBackAsTheSameMomentAndADateNotSetAsNothing)
{
    vqtest::ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const std::int64_t moment = 1782910800; // 2026-07-01 13:00:00 UTC
    manager.SetDateTime(Link(), "SYS1.NTGEN.Generate.DeployDateTime", moment);
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.DeployDateTime"), "20260701150000");
    std::int64_t read = 0;
    manager.GetDateTime(Link(), "SYS1.NTGEN.Generate.DeployDateTime", read);
    EXPECT_EQ(read, moment);

    read = 7;
    manager.GetDateTime(Link(), "SYS1.QSRGEN.Generate.DeployDateTime", read);
    EXPECT_EQ(read, 7) << "a date never set gives nothing";
    manager.SetValue(Link(), "SYS1.NTGEN.Generate.DeployDateTime", "");
    manager.GetDateTime(Link(), "SYS1.NTGEN.Generate.DeployDateTime", read);
    EXPECT_EQ(read, 7) << "an emptied date is not set";
}

TEST_F(ScriptPropertyMgrTest, ClearingForgetsTheValuesOfWholePathPartsOnly)
{
    AddGenSet("NTGEN2");
    manager.SetValue(Link(), "SYS1.NTGEN.Generate.IgnoreLocks", "TRUE");
    manager.SetValue(Link(), "SYS1.NTGEN2.Generate.IgnoreLocks", "TRUE");
    manager.SetValue(Link(), "SYS2.NTGEN.Generate.IgnoreLocks", "TRUE");

    manager.ClearValues(Link(), "SYS1.NTGEN");
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.IgnoreLocks"), "FALSE");
    EXPECT_EQ(Get("SYS1.NTGEN2.Generate.IgnoreLocks"), "TRUE");
    EXPECT_EQ(Get("SYS2.NTGEN.Generate.IgnoreLocks"), "TRUE");

    EXPECT_EQ(Failure([&] { manager.ClearValues(Link(), "SYS9"); }), "E1007: Invalid system name  \"SYS9\"");
    EXPECT_EQ(Get("SYS2.NTGEN.Generate.IgnoreLocks"), "TRUE");

    manager.ClearValues(Link(), "");
    EXPECT_EQ(Get("SYS1.NTGEN2.Generate.IgnoreLocks"), "FALSE");
    EXPECT_EQ(Get("SYS2.NTGEN.Generate.IgnoreLocks"), "FALSE");
}

TEST_F(ScriptPropertyMgrTest, ListingGivesSystemsThenGenerateSetsThenMatchingPropertyNames)
{
    EXPECT_EQ(List(""), (std::vector<std::string>{"SYS1", "SYS2"}));
    EXPECT_EQ(List("SYS1"), (std::vector<std::string>{"NTGEN", "QSRGEN", "TARSKGEN", "UNIXGEN"}));
    EXPECT_EQ(List("SYS1.QSRGEN.Login"),
              (std::vector<std::string>{"LoginDetails.AccessPassword", "LoginDetails.AccessCode",
                                        "LoginDetails.ChargeCode", "LoginDetails.UserPassword",
                                        "LoginDetails.UserCode", "LoginDetails.FTPPassword",
                                        "LoginDetails.FTPUsername", "LoginDetails.FTPChargeCode"}));
    std::vector<std::string> generate = List("SYS1.NTGEN.Generate");
    EXPECT_EQ(generate.size(), 15u);
    for (const std::string& name : generate)
        EXPECT_NE(name.find("Generate"), std::string::npos) << name;
    EXPECT_EQ(List("SYS1.UNIXGEN.Recovery"), std::vector<std::string>{"Recovery.KeepRecoveryOnError"});
    EXPECT_EQ(Failure([&] { List("SYS1.NOSET"); }), "E1005: Invalid Generate Set name  \"NOSET\"");
}

TEST_F(ScriptPropertyMgrTest, WithoutARepositoryLinkOnlySetValuesAndClearingEverythingWork)
{
    manager.SetValue(Link(), "SYS1.NTGEN.Generate.IgnoreLocks", "TRUE");
    const std::string noLink = "E1002: Failed to open the Link to the Repository";
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.IgnoreLocks", nullptr), "TRUE");
    EXPECT_EQ(Failure([&] { Get("SYS1.NTGEN.Generate.RetainExistingDB", nullptr); }), noLink);
    EXPECT_EQ(Failure([&] { manager.SetValue(nullptr, "SYS1.NTGEN.Generate.IgnoreLocks", "FALSE"); }), noLink);
    EXPECT_EQ(Failure([&] { manager.ClearValues(nullptr, "SYS1"); }), noLink);
    CStringArray names;
    EXPECT_EQ(Failure([&] { manager.ListProperties(nullptr, "", names); }), noLink);
    EXPECT_EQ(Failure([&] { manager.ClearValues(nullptr, ""); }), "no failure");
    EXPECT_EQ(Get("SYS1.NTGEN.Generate.IgnoreLocks"), "FALSE");
}

TEST_F(ScriptPropertyMgrTest, TheApplicationsManagerServesTheAutomationObject)
{
    VqsScriptPropertyMgr* shared = app.GetScriptPropertyMgr();
    ASSERT_NE(shared, nullptr);
    CString path = CString("SYS1.NTGEN.") + shared->GetPropertyName(62050);
    shared->SetBool(Link(), path, TRUE);
    BOOL ignoreLocks = FALSE;
    shared->GetBool(Link(), path, ignoreLocks);
    EXPECT_TRUE(ignoreLocks);
    shared->ClearValues(Link(), "");
}

// Paths and values as a careless script writes them, generated from good ones and mutated:
// every call stores or gives a value, or fails with a coded text; none crashes.
TEST_F(ScriptPropertyMgrTest, MutatedPathsAndValuesGiveAValueOrACodedFailure)
{
    std::mt19937 random(7122026);
    auto below = [&](std::size_t count) { return std::uniform_int_distribution<std::size_t>(0, count - 1)(random); };
    const std::vector<std::string> good = {"SYS1.NTGEN.Generate.CompileType",
                                           "SYS2.UNIXGEN.Generate.DeployDateTime",
                                           "SYS1.QSRGEN.LoginDetails.FTPPassword",
                                           "SYS1.TARSKGEN.Generate.NumParallelDBReorgs",
                                           "SYS1.NTGEN",
                                           "SYS2"};
    const std::vector<std::string> values = {"", "TRUE", "DLL", "2.000000", "-1", "1abc", "20260701150000", "\x81"};
    const std::string pieces = ".SYNTGE1Ac \x81\x40";
    int stored = 0;
    int refused = 0;
    for (int round = 0; round < 2500; ++round) {
        std::string path = good[below(good.size())];
        for (int m = static_cast<int>(below(4)); m > 0 && !path.empty(); --m) {
            const std::size_t at = below(path.size());
            switch (below(3)) {
            case 0: path.erase(at, 1); break;
            case 1: path.insert(at, 1, pieces[below(pieces.size())]); break;
            default: path[at] = pieces[below(pieces.size())]; break;
            }
        }
        const std::string value = values[below(values.size())];
        try {
            switch (below(4)) {
            case 0: manager.SetValue(Link(), path.c_str(), value.c_str()); break;
            case 1: Get(path.c_str()); break;
            case 2: List(path.c_str()); break;
            default: manager.ClearValues(Link(), path.c_str()); break;
            }
            ++stored;
        } catch (const VqcScriptPropertyException& error) {
            ++refused;
            ASSERT_EQ(error.GetText().str().compare(0, 3, "E10"), 0) << path << " -> " << error.GetText().str();
        }
    }
    EXPECT_GT(stored, 300);
    EXPECT_GT(refused, 300);
}

// The automation thread sets and clears values while generation threads read them: every
// read gives a value one of the writers stored (or the default), and nothing fails.
TEST_F(ScriptPropertyMgrTest, ValuesAreSetReadAndClearedFromManyThreadsAtOnce)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 150;
    const char* shared = "SYS1.NTGEN.Generate.NumParallelCompiles";
    std::atomic<int> failures{0};
    std::atomic<int> wrongValues{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            static const char* const sets[kThreads] = {"NTGEN", "QSRGEN", "TARSKGEN", "UNIXGEN"};
            const std::string own = std::string("SYS1.") + sets[t] + ".Generate.NumGenerateThreads";
            for (int round = 0; round < kRounds; ++round) {
                try {
                    manager.SetInt(Link(), own.c_str(), round);
                    manager.SetInt(Link(), shared, t);
                    int read = -1;
                    manager.GetInt(Link(), shared, read);
                    if (read < 0 || read >= kThreads)
                        ++wrongValues;
                    int mine = -1;
                    manager.GetInt(Link(), own.c_str(), mine);
                    if (mine != round)
                        ++wrongValues;
                    if (round % 50 == 0)
                        manager.ClearValues(Link(), "SYS2.QSRGEN");
                } catch (const VqcScriptPropertyException&) {
                    ++failures;
                }
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(wrongValues.load(), 0);
    int last = -1;
    manager.GetInt(Link(), shared, last);
    EXPECT_GE(last, 0);
    EXPECT_LT(last, kThreads);
}
