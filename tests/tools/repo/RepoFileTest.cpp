#include "support/PgTestServer.h"
#include "support/SampleRepository.h"
#include "support/TempDir.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQSystem.h"
#include "repo/RepoError.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

constexpr const char* kSmall = R"({"businessSegments": [{"name": "S", "elements": [{"class": "PxLSEReport", "name": "R"}]}]})";

// The tool, for a second process; empty when the tests run without it.
std::string Tool()
{
    const char* tool = std::getenv("VQSREPO");
    return tool ? tool : "";
}

std::set<std::string> Names(const vqtest::TempDir& directory)
{
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory.Path()))
        names.insert(entry.path().filename().string());
    return names;
}

std::string CreateRefusal(const std::string& path, const std::string& json = kSmall)
{
    try {
        vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(json));
    } catch (const vqrepo::RepoError& error) {
        return error.what();
    }
    return "created";
}

// A process that has exited: reaped, or a zombie until the caller reaps it.
pid_t EndedProcess(bool reap)
{
    pid_t child = fork();
    if (child == 0)
        _exit(0);
    siginfo_t info;
    waitid(P_PID, static_cast<id_t>(child), &info, reap ? WEXITED : WEXITED | WNOWAIT);
    return child;
}


std::string Dump(const std::string& path)
{
    std::ostringstream out;
    vqrepo::DumpRepositoryFile(path, out);
    return out.str();
}

std::string RefusalOf(const std::string& json)
{
    try {
        vqrepo::RepoDescription description = vqrepo::ReadDescription(json);
        vqtest::TempDir directory;
        vqrepo::CreateRepositoryFile(directory.File("refused.vqr"), description);
        if (!fs::is_empty(directory.Path()))
            return "files were left";
    } catch (const vqrepo::RepoError& error) {
        return error.what();
    }
    return "accepted";
}

TEST(RepoFileTest, TheDumpOfTheSampleIsTheSameFromRunToRun)
{
    vqtest::TempDir directory;
    std::string first = directory.File("first.vqr");
    std::string second = directory.File("second.vqr");
    vqrepo::CreateRepositoryFile(first, vqrepo::SampleDescription());
    vqrepo::CreateRepositoryFile(second, vqrepo::SampleDescription());
    std::string dump = Dump(first);
    EXPECT_EQ(dump, Dump(second));
    EXPECT_EQ(dump, Dump(first));
    EXPECT_NE(dump.find("#1 PxVQEnterprise"), std::string::npos);
    EXPECT_NE(dump.find("-> #"), std::string::npos);
    EXPECT_EQ(dump.find("created"), std::string::npos);
}

TEST(RepoFileTest, AnExistingFileIsRefusedAndKept)
{
    vqtest::TempDir directory;
    std::string path = directory.Write("taken.vqr", "not a repository");
    EXPECT_THROW(vqrepo::CreateRepositoryFile(path, vqrepo::SampleDescription()), vqrepo::RepoError);
    EXPECT_EQ(directory.Read("taken.vqr"), "not a repository");
    EXPECT_THROW(Dump(directory.File("missing.vqr")), vqrepo::RepoError);
    EXPECT_THROW(Dump(path), vqrepo::RepoError);
}

TEST(RepoFileTest, ADescriptionBuildsWhatItSays)
{
    vqtest::TempDir directory;
    std::string path = directory.File("small.vqr");
    vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(R"({
        "allowLongNames": 1,
        "businessSegments": [{
            "name": "SALES", "rocRequired": 1,
            "elements": [{"class": "PxLSEReport", "name": "MONTHLY", "defaultDevice": "FL"}]
        }],
        "hosts": [{"name": "NTHOST", "hostType": 0, "port": 21}],
        "systems": [{"name": "SYS1", "longName": "First system", "businessSegments": ["SALES"],
                     "optionSets": [{"name": "NTGEN", "longName": "Windows generation", "hostType": 0,
                                     "host": "NTHOST"}],
                     "reportGroups": [{"businessSegment": "SALES", "name": "MONTHEND", "longName": "Month end"}]}]
    })"));
    EXPECT_EQ(std::distance(fs::directory_iterator(directory.Path()), fs::directory_iterator()), 1);
    std::string dump = Dump(path);
    EXPECT_NE(dump.find("defaultDevice = \"FL\""), std::string::npos);
    EXPECT_NE(dump.find("PxNTReportOptions"), std::string::npos);
    EXPECT_NE(dump.find("hostName = \"NTHOST\""), std::string::npos);
    for (const char* longName : {"First system", "Windows generation", "Month end"})
        EXPECT_NE(dump.find("longName = \"" + std::string(longName) + "\""), std::string::npos) << longName;
}

TEST(RepoFileTest, BadDescriptionsAreRefusedNamingThePlaceAndLeaveNothing)
{
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [{"class": "PxLSEWidget", "name": "W"}]}]})"),
              "businessSegments[0].elements[0] \"W\": unknown class \"PxLSEWidget\".");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S"}, {"name": "S"}]})"),
              "businessSegments[1] \"S\": a second business segment of this name.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEComponent", "name": "C"}, {"class": "PxLSEReport", "name": "C"}]}]})"),
              "businessSegments[0].elements[1] \"C\": a second element of this name.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [{"class": "PxLSEComponent", "name": "C"}],
                  "relations": [{"source": "C", "target": "GONE"}]}]})"),
              "businessSegments[0].relations[0]: there is no element \"GONE\".");
    EXPECT_EQ(RefusalOf(R"({"systems": [{"name": "SYS", "businessSegments": ["NONE"]}]})"),
              "systems[0] \"SYS\": there is no business segment \"NONE\".");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S"}, {"name": "T"}],
                  "systems": [{"name": "SYS", "businessSegments": ["S", "T"]}]})"),
              "systems[0] \"SYS\": the configuration of SYS takes a second business segment \"T\"; a "
              "configuration holds one business segment.");
    // While long names are allowed the module makes no system, generate set or report group
    // without one, and its dialogs cannot edit one that lacks it.
    EXPECT_EQ(RefusalOf(R"({"allowLongNames": 1, "systems": [{"name": "SYS"}]})"),
              "systems[0] \"SYS\": the system has no \"longName\"; while long names are allowed, every system "
              "takes one.");
    EXPECT_EQ(RefusalOf(R"({"allowLongNames": 1, "systems": [{"name": "SYS", "longName": "System",
                  "optionSets": [{"name": "A", "longName": "A"}, {"name": "NTGEN", "hostType": 0}]}]})"),
              "systems[0].optionSets[1] \"NTGEN\": the option set has no \"longName\"; while long names are "
              "allowed, every option set takes one.");
    EXPECT_EQ(RefusalOf(R"({"allowLongNames": 1, "businessSegments": [{"name": "S"}],
                  "systems": [{"name": "SYS", "longName": "System", "businessSegments": ["S"],
                               "reportGroups": [{"businessSegment": "S", "name": "G"}]}]})"),
              "systems[0].reportGroups[0] \"G\": the report group has no \"longName\"; while long names are "
              "allowed, every report group takes one.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [{"class": "PxLSEReport", "name": "R"}]}],
                  "systems": [{"name": "SYS", "businessSegments": ["S"],
                               "bundles": [{"businessSegment": "S", "name": "B", "ispecs": ["R"]}]}]})"),
              "systems[0].bundles[0] \"B\": \"R\" is not an Ispec.");
    EXPECT_EQ(RefusalOf(R"({"packs": [{"name": "P", "associations": [{"host": "NOHOST"}]}]})"),
              "packs[0].associations[0]: there is no host \"NOHOST\".");
    EXPECT_EQ(RefusalOf(R"({"hosts": [{"name": "H", "colour": 3}]})"), "hosts[0] \"H\": unknown key \"colour\".");
    EXPECT_EQ(RefusalOf(R"({"hosts": [{"name": "H", "port": 70000}]})"),
              "hosts[0] \"H\": \"port\" must lie in 1 to 65535.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEReport", "name": "R", "usage": "B"}]}]})"),
              "businessSegments[0].elements[0] \"R\": a PxLSEReport has no property \"usage\".");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "languages": [{"name": "EN", "slot": 1},
                  {"name": "FR", "slot": 1}]}]})"),
              "businessSegments[0].languages[1] \"FR\": a second language in slot 1.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "languages": [{"name": "EN", "slot": 1},
                  {"name": "EN", "slot": 2}]}]})"),
              "businessSegments[0].languages[1] \"EN\": a second language of this name.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "languages": [{"name": "EN", "slot": 1}],
                  "primaryLanguage": "FR"}]})"),
              "businessSegments[0] \"S\": the primary language \"FR\" is not one of its languages.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEReport", "name": "R", "ordinates": [{"target": "R"}]}]}]})"),
              "businessSegments[0].elements[0] \"R\": only profiles have ordinates.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEProfile", "name": "P", "ordinates": [{"target": "NONE"}]}]}]})"),
              "businessSegments[0].elements[0] \"P\": there is no element \"NONE\".");
    EXPECT_EQ(RefusalOf(R"({"systems": [{"name": "SYS", "optionSets": [{"name": "G", "hostType": 1, "host": "H"}]}]})"),
              "systems[0].optionSets[0] \"G\": there is no host \"H\".");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "missingRevisions": ["TeachRevision"]}]})"),
              "businessSegments[0] \"S\": a PxLSEBusinessSegment has no revision \"TeachRevision\".");
    std::string syntax = RefusalOf("{\n  \"hosts\": [\n    {\"name\": \"H\",}\n  ]\n}");
    EXPECT_NE(syntax.find("line 3"), std::string::npos) << syntax;
}

// The dialogs that create and edit systems, generate sets and report groups take a long name
// without blanks at either end, refuse OK on a blank one and on one a sibling has (without
// regard to case or blanks) and take at most 30 bytes of the host's code page; report groups
// are siblings within a system's business segment.
TEST(RepoFileTest, LongNamesTheDialogsWouldRefuseAreRefusedNamingThePlace)
{
    const std::string thirtyOne(31, 'L');
    std::string sixteenDoubleByte;
    for (int i = 0; i < 16; ++i)
        sixteenDoubleByte += R"(\u0093\u00fa)";
    struct Case {
        std::string systems;
        std::string refusal;
    };
    const Case cases[] = {
        {R"([{"name": "SYS1", "longName": "Shop"}, {"name": "SYS2", "longName": "SHOP"}])",
         "systems[1] \"SYS2\": a second system of the long name \"Shop\"; the long names of the enterprise's "
         "systems differ, without regard to case or to blanks at either end."},
        {R"([{"name": "SYS1", "longName": "Shop"}, {"name": "SYS2", "longName": " Shop  "}])",
         "systems[1] \"SYS2\": a second system of the long name \"Shop\"; the long names of the enterprise's "
         "systems differ, without regard to case or to blanks at either end."},
        {R"([{"name": "SYS1", "longName": "Shop", "optionSets": [{"name": "A", "longName": "Windows"},
                                                                {"name": "B", "longName": "windows"}]}])",
         "systems[0].optionSets[1] \"B\": a second option set of the long name \"Windows\"; the long names of a "
         "system's option sets differ, without regard to case or to blanks at either end."},
        {R"([{"name": "SYS1", "longName": "Shop", "businessSegments": ["S"],
              "reportGroups": [{"businessSegment": "S", "name": "G1", "longName": "Month end"},
                               {"businessSegment": "S", "name": "G2", "longName": "Month end"}]}])",
         "systems[0].reportGroups[1] \"G2\": a second report group of the long name \"Month end\"; the long "
         "names of the report groups a system has of a business segment differ, without regard to case or to "
         "blanks at either end."},
        {R"([{"name": "SYS1", "longName": "   "}])",
         "systems[0] \"SYS1\": the \"longName\" is blank; the dialogs refuse a blank name."},
        {R"([{"name": "SYS1", "longName": "Shop", "optionSets": [{"name": "A", "longName": "\t"}]}])",
         "systems[0].optionSets[0] \"A\": the \"longName\" is blank; the dialogs refuse a blank name."},
        {R"([{"name": "SYS1", "longName": "Shop "}])",
         "systems[0] \"SYS1\": the \"longName\" has blanks at its start or end; the dialogs store it without "
         "them."},
        {R"([{"name": "SYS1", "longName": ")" + thirtyOne + R"("}])",
         "systems[0] \"SYS1\": the \"longName\" has 31 characters (a double-byte character counts as two); the "
         "dialogs take at most 30."},
        {R"([{"name": "SYS1", "longName": "Shop", "optionSets": [{"name": "A", "longName": ")" + thirtyOne +
             R"("}]}])",
         "systems[0].optionSets[0] \"A\": the \"longName\" has 31 characters (a double-byte character counts as "
         "two); the dialogs take at most 30."},
        {R"([{"name": "SYS1", "longName": ")" + sixteenDoubleByte + R"("}])",
         "systems[0] \"SYS1\": the \"longName\" has 32 characters (a double-byte character counts as two); the "
         "dialogs take at most 30."},
        {"[{\"name\": \"SYS1\", \"longName\": \"\xE5\x9C\xA8\xE5\xBA\xAB\"}]",
         "systems[0] \"SYS1\": \"longName\" holds a character above U+00FF; write the host code page's bytes as \\u0080 "
         "to \\u00ff."},
    };
    for (const Case& row : cases) {
        const std::string json =
            R"({"allowLongNames": 1, "businessSegments": [{"name": "S"}], "systems": )" + row.systems + "}";
        EXPECT_EQ(RefusalOf(json), row.refusal) << row.systems;
    }
    // Siblings only: another system's option set and report group may share a long name; 15
    // double-byte characters are 30 bytes.
    std::string fifteenDoubleByte;
    for (int i = 0; i < 15; ++i)
        fifteenDoubleByte += R"(\u0093\u00fa)";
    const vqrepo::RepoDescription taken =
        vqrepo::ReadDescription(R"({"allowLongNames": 1, "businessSegments": [{"name": "S"}], "systems": [
        {"name": "SYS1", "longName": "Shop", "businessSegments": ["S"],
         "optionSets": [{"name": "A", "longName": "Windows"}],
         "reportGroups": [{"businessSegment": "S", "name": "G1", "longName": "Month end"}]},
        {"name": "SYS2", "longName": ")" + fifteenDoubleByte + R"(", "businessSegments": ["S"],
         "optionSets": [{"name": "A", "longName": "Windows"}],
         "reportGroups": [{"businessSegment": "S", "name": "G1", "longName": "Month end"}]}]})");
    std::string stored;
    for (int i = 0; i < 15; ++i)
        stored += "\x93\xfa";
    EXPECT_EQ(taken.systems[1].longName, stored);
}

// New System and System Options take a system's name in upper case, a letter first and then
// letters and digits, at most 18 of them, unlike the other systems' names without regard to
// case; the generate set and report group dialogs their names by their own fields' rules;
// whether long names are allowed or not.
TEST(RepoFileTest, NamesTheDialogsWouldRefuseAreRefusedNamingThePlace)
{
    struct Case {
        std::string systems;
        std::string refusal;
    };
    const Case cases[] = {
        {R"([{"name": "shop sys", "longName": "Shop"}])",
         "systems[0] \"shop sys\": a system's name holds letters (A to Z) and digits only."},
        {R"([{"name": "shopsys", "longName": "Shop"}])",
         "systems[0] \"shopsys\": the name of a system is in upper case, as the dialogs make it."},
        {R"([{"name": "1SYS", "longName": "Shop"}])",
         "systems[0] \"1SYS\": a system's name starts with a letter (A to Z)."},
        {R"([{"name": " SYS1", "longName": "Shop"}])",
         "systems[0] \" SYS1\": the name has blanks at its start or end; the dialogs store it without them."},
        {R"([{"name": "SYSTEMNAMEOF19CHARS", "longName": "Shop"}])",
         "systems[0] \"SYSTEMNAMEOF19CHARS\": the name has 19 characters (a double-byte character counts as two); "
         "the dialogs take at most 18."},
        {R"([{"name": "SYS1", "longName": "Shop"}, {"name": "SYS1", "longName": "Depot"}])",
         "systems[1] \"SYS1\": a second system of the name \"SYS1\"; the names of the enterprise's systems "
         "differ, without regard to case."},
        {R"([{"name": "SYS1", "longName": "Shop", "optionSets": [{"name": "NT\u0093\u00faGEN", "longName": "A"}]}])",
         "systems[0].optionSets[0] \"NT\x93\xfaGEN\": an option set's name holds ASCII characters only."},
        {R"([{"name": "SYS1", "longName": "Shop", "optionSets": [{"name": "NTGENERATION", "longName": "A"}]}])",
         "systems[0].optionSets[0] \"NTGENERATION\": the name has 12 characters (a double-byte character counts "
         "as two); the dialogs take at most 10."},
        {R"([{"name": "SYS1", "longName": "Shop", "optionSets": [{"name": "NTGEN", "longName": "A"},
                                                                {"name": "NTGEN", "longName": "B"}]}])",
         "systems[0].optionSets[1] \"NTGEN\": a second option set of the name \"NTGEN\"; the names of a system's "
         "option sets differ, without regard to case."},
        {R"([{"name": "SYS1", "longName": "Shop", "businessSegments": ["S"],
              "reportGroups": [{"businessSegment": "S", "name": "MONTH:END", "longName": "Month end"}]}])",
         "systems[0].reportGroups[0] \"MONTH:END\": a report group's name holds no blank, \"!\", \";\", \":\" or "
         "character beyond ASCII."},
        {R"([{"name": "SYS1", "longName": "Shop", "businessSegments": ["S"],
              "reportGroups": [{"businessSegment": "S", "name": "monthend", "longName": "Month end"}]}])",
         "systems[0].reportGroups[0] \"monthend\": the name of a report group is in upper case, as the dialogs "
         "make it."},
    };
    for (const char* allowLongNames : {"1", "0"}) {
        for (const Case& row : cases) {
            const std::string json = std::string(R"({"allowLongNames": )") + allowLongNames +
                                     R"(, "businessSegments": [{"name": "S"}], "systems": )" + row.systems + "}";
            EXPECT_EQ(RefusalOf(json), row.refusal) << allowLongNames << " " << row.systems;
        }
    }
}

TEST(RepoFileTest, ValuesTheRepositoryCannotHoldAreRefusedNamingThePlace)
{
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEComponent", "name": "C", "usage": "BB"}]}]})"),
              "businessSegments[0].elements[0] \"C\": the \"usage\" of an Ispec is one of the letters Q, I, O or B.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEIspec", "name": "I", "usage": "X"}]}]})"),
              "businessSegments[0].elements[0] \"I\": the \"usage\" of an Ispec is one of the letters Q, I, O or B.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEIspec", "name": "I", "dataUsages": [{"target": "D"}, {"target": "D", "usage": "Z"}]},
                  {"class": "PxLSEDataItem", "name": "D"}]}]})"),
              "businessSegments[0].elements[0].dataUsages[1]: the \"usage\" of a data usage is one of the letters D, B or O.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEDataItem", "name": "D", "length": -4}]}]})"),
              "businessSegments[0].elements[0] \"D\": the \"length\" must not be negative.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEProfile", "name": "P"}, {"class": "PxLSEComponent", "name": "C"}],
                  "relations": [{"source": "P", "target": "C", "relation": "OX"}]}]})"),
              "businessSegments[0].relations[0]: the \"relation\" is made of the letters O and R.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEReport", "name": "R", "longName": "Monthly\u0000report"}]}]})"),
              "businessSegments[0].elements[0] \"R\": \"longName\" holds a NUL character.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEProfile", "name": "P", "conditions": ["A\u0000B"]}]}]})"),
              "businessSegments[0].elements[0] \"P\": \"conditions\" holds a NUL character.");
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "subsystems": [{"name": "Q", "number": 4294967297}]}]})"),
              "businessSegments[0].subsystems[0] \"Q\": \"number\" must lie in -2147483648 to 2147483647.");
    for (const char* tooLarge : {"18446744073709551615", "9223372036854775808", "18446744073709551616", "-1e19"})
        EXPECT_EQ(RefusalOf(std::string(R"({"timeStamp": )") + tooLarge + "}"),
                  "description: \"timeStamp\" must lie in -9223372036854775808 to 9223372036854775807.")
            << tooLarge;
    EXPECT_EQ(RefusalOf(R"({"businessSegments": [{"name": "S", "elements": [
                  {"class": "PxLSEDataItem", "name": "D", "length": 18446744073709551615}]}]})"),
              "businessSegments[0].elements[0] \"D\": \"length\" must lie in -9223372036854775808 to "
              "9223372036854775807.");
}

TEST(RepoFileTest, APlaceThatIsNotFreeIsRefusedNamingWhyAndKept)
{
    struct Case {
        const char* left;
        const char* path;
        const char* reason;
    };
    const Case cases[] = {
        {"taken.vqr", "taken.vqr", "the file exists already."},
        {"old.vqr-wal", "old.vqr", "files of an earlier repository of that name are left (@/old.vqr-wal); remove them first."},
        {"old.vqr-shm", "old.vqr", "files of an earlier repository of that name are left (@/old.vqr-shm); remove them first."},
        {"old.vqr-locks", "old.vqr", "files of an earlier repository of that name are left (@/old.vqr-locks); remove them first."},
        {"other.vqr", "missing/new.vqr", "the folder @/missing does not exist."},
    };
    for (const Case& row : cases) {
        vqtest::TempDir directory;
        directory.Write(row.left, "left by a killed writer");
        std::string reason = row.reason;
        if (std::size_t at = reason.find('@'); at != std::string::npos)
            reason.replace(at, 1, directory.Path());
        EXPECT_EQ(CreateRefusal(directory.File(row.path)), "Cannot create the repository " + directory.File(row.path) + ": " + reason);
        EXPECT_EQ(Names(directory), std::set<std::string>{row.left}) << row.path;
        EXPECT_EQ(directory.Read(row.left), "left by a killed writer");
    }
}

TEST(RepoFileTest, ARepositoryMadeAtThePathByAnotherProcessWhileBuildingIsKept)
{
    if (Tool().empty())
        GTEST_SKIP() << "VQSREPO names no tool";
    vqtest::TempDir directory;
    std::string path = directory.File("shared.vqr");
    PxFaultInjection::Run("PxLink::CommitTransaction", [&] {
        ASSERT_EQ(std::system(("'" + Tool() + "' sample '" + path + "'").c_str()), 0);
    });
    EXPECT_EQ(CreateRefusal(path), "Cannot create the repository " + path +
                                       ": another file of that name was made while it was built; that file is kept.");
    PxFaultInjection::Reset();
    EXPECT_EQ(Names(directory), std::set<std::string>{"shared.vqr"});
    std::string expected = directory.File("expected.vqr");
    vqrepo::CreateRepositoryFile(expected, vqrepo::SampleDescription());
    EXPECT_EQ(Dump(path), Dump(expected));
}

TEST(RepoFileTest, ACreateRemovesWhatKilledCreatesOfThePathLeftAndNothingElse)
{
    vqtest::TempDir directory;
    std::string reaped = std::to_string(EndedProcess(true));
    pid_t zombie = EndedProcess(false);
    std::string running = std::to_string(getppid());
    const std::set<std::string> kept = {"x.vqr.building-" + running, "x.vqr.building-" + running + "-wal",
                                        "x.vqr.building-" + reaped + ".old", "x.vqr.building-", "y.vqr.building-" + reaped};
    const std::set<std::string> removed = {"x.vqr.building-" + reaped, "x.vqr.building-" + reaped + "-wal",
                                           "x.vqr.building-" + reaped + "-locks-shm",
                                           "x.vqr.building-" + std::to_string(zombie)};
    for (const std::set<std::string>& names : {kept, removed})
        for (const std::string& name : names)
            directory.Write(name, "left");
    vqrepo::CreateRepositoryFile(directory.File("x.vqr"), vqrepo::ReadDescription(kSmall));
    waitpid(zombie, nullptr, 0);
    std::set<std::string> expected = kept;
    expected.insert("x.vqr");
    EXPECT_EQ(Names(directory), expected);
}

TEST(RepoFileTest, TheDumpLeavesNoLockFileAndTheRepositoryAsItWas)
{
    vqtest::TempDir directory;
    std::string path = directory.File("read.vqr");
    vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(kSmall));
    std::string before = directory.Read("read.vqr");
    EXPECT_NE(Dump(path).find("PxLSEReport"), std::string::npos);
    EXPECT_FALSE(fs::exists(path + "-locks"));
    EXPECT_EQ(directory.Read("read.vqr"), before);
    // It was the only user: nothing is left beside the file that would block making the
    // repository again once the file is removed.
    EXPECT_EQ(Names(directory), std::set<std::string>{"read.vqr"});
    fs::remove(path);
    EXPECT_EQ(CreateRefusal(path), "created");
}

TEST(RepoFileTest, AnInterruptedBuildLeavesNothingBehind)
{
    vqtest::TempDir directory;
    std::string path = directory.File("interrupted.vqr");
    pid_t child = fork();
    if (child == 0) {
        PxFaultInjection::Run("PxLink::CommitTransaction", [] { raise(SIGTERM); });
        vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(kSmall));
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the build was not interrupted";
    EXPECT_EQ(WTERMSIG(status), SIGTERM);
    EXPECT_EQ(Names(directory), std::set<std::string>{});
}

TEST(RepoFileTest, AFailingBuildLeavesNothingBehind)
{
    vqtest::TempDir directory;
    vqrepo::RepoDescription description = vqrepo::SampleDescription();
    description.hosts.front().ftpUserid.clear();
    description.packs.back().associations.front().acrName = "TOO-LONG-NAME";
    EXPECT_THROW(vqrepo::CreateRepositoryFile(directory.File("failed.vqr"), description), vqrepo::RepoError);
    EXPECT_TRUE(fs::is_empty(directory.Path()));
}

TEST(RepoFileTest, TheSampleOnAServerDumpsAsInAFileAndAFailedBuildLeavesTheDatabaseEmpty)
{
    vqtest::TempDir directory;
    vqrepo::CreateRepositoryFile(directory.File("sample.vqr"), vqrepo::SampleDescription());
    vqtest::PgTestServer& server = vqtest::PgTestServer::Instance();
    std::string uri = server.NewDatabase();
    vqrepo::CreateRepositoryFile(uri, vqrepo::SampleDescription());
    EXPECT_EQ(Dump(uri), Dump(directory.File("sample.vqr")));

    std::string failed = server.NewDatabase();
    vqrepo::RepoDescription description = vqrepo::SampleDescription();
    description.packs.back().associations.front().acrName = "TOO-LONG-NAME";
    EXPECT_THROW(vqrepo::CreateRepositoryFile(failed, description), vqrepo::RepoError);
    vqrepo::CreateRepositoryFile(failed, vqrepo::SampleDescription());
    EXPECT_EQ(Dump(failed), Dump(uri)) << "the failed build left nothing in the way";
    try {
        vqrepo::CreateRepositoryFile(uri, vqrepo::SampleDescription());
        FAIL() << "a repository was made over another";
    } catch (const vqrepo::RepoError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "Cannot create the repository " + uri + ": the database holds a repository already.");
    }
}

} // namespace

TEST(RepoFileTest, AConfigurationMayDifferFromTheDesign)
{
    vqtest::TempDir directory;
    std::string path = directory.File("differs.vqr");
    vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(R"({
        "businessSegments": [{"name": "SALES", "elements": [
            {"class": "PxLSEReport", "name": "MONTHLY"}, {"class": "PxLSEReport", "name": "DAILY"},
            {"class": "PxLSEGlobalLogic", "name": "PRICING"}]}],
        "systems": [{"name": "SYS1", "businessSegments": ["SALES"], "linkChanges": [
            {"businessSegment": "SALES", "element": "PRICING", "change": "missing"},
            {"businessSegment": "SALES", "element": "DAILY", "change": "unused"},
            {"businessSegment": "SALES", "element": "OLDREPORT", "change": "stray", "class": "PxLSEReport"}]}]
    })"));
    PxVQLink link;
    link.AttachSession(path.c_str(), "user", nullptr);
    const PxVQBSSoftLinkPtr sales = link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
    EXPECT_FALSE(sales->GetElementSoftLink("PRICING"));
    EXPECT_EQ(sales->GetElementSoftLink("DAILY")->GetUnusedMark(), 1);
    EXPECT_EQ(sales->GetElementSoftLink("MONTHLY")->GetUnusedMark(), 0);
    ASSERT_TRUE(sales->GetElementSoftLink("OLDREPORT"));
    EXPECT_EQ(sales->GetElementSoftLink("OLDREPORT")->GetElementType(), VQSoftLinkReport);

    const char* segment = R"({"businessSegments": [{"name": "S", "elements": [{"class": "PxLSEReport", "name": "R"}]}],
                              "systems": [{"name": "SYS", "businessSegments": ["S"], "linkChanges": [)";
    EXPECT_EQ(RefusalOf(std::string(segment) + R"({"businessSegment": "S", "element": "R", "change": "stray",
                  "class": "PxLSEReport"}]}]})"),
              "systems[0].linkChanges[0] \"R\": a stray link names no design element.");
    EXPECT_EQ(RefusalOf(std::string(segment) + R"({"businessSegment": "S", "element": "X", "change": "unused"}]}]})"),
              "systems[0].linkChanges[0] \"X\": there is no element \"X\".");
    EXPECT_EQ(RefusalOf(std::string(segment) + R"({"businessSegment": "S", "element": "R", "change": "renamed"}]}]})"),
              "systems[0].linkChanges[0] \"R\": the \"change\" is one of missing, outdated, unused and stray.");
}

TEST(RepoFileTest, TheDesignMayChangeAfterTheSystemsTookTheSegment)
{
    vqtest::TempDir directory;
    std::string path = directory.File("changed.vqr");
    vqrepo::CreateRepositoryFile(path, vqrepo::ReadDescription(R"({
        "businessSegments": [{"name": "CLINIC", "elements": [
            {"class": "PxLSEDataItem", "name": "PATNAME"},
            {"class": "PxLSEComponent", "name": "PATIENT", "usage": "B", "ordinateProfile": "PATBYNAME"},
            {"class": "PxLSEProfile", "name": "PATBYNAME", "ordinates": [{"target": "PATNAME", "sequence": 1}]},
            {"class": "PxLSEReport", "name": "BILLING"}],
          "relations": [{"source": "PATBYNAME", "target": "PATIENT", "relation": "O"}],
          "designChanges": [{"element": "PATIENT", "change": "removed"}, {"element": "PATBYNAME", "change": "removed"},
                            {"element": "BILLING", "change": "renamed", "name": "PATIENT"}]},
          {"name": "WARDS", "removed": 1, "elements": [{"class": "PxLSEReport", "name": "ROSTER"}]}],
        "systems": [{"name": "SYS1", "businessSegments": ["CLINIC"]}, {"name": "SYS2", "businessSegments": ["WARDS"]}]
    })"));
    PxVQLink link;
    link.AttachSession(path.c_str(), "user", nullptr);
    const PxLSEBusinessSegmentPtr design = link.GetLSEEnterprise()->GetBusinessSegment("CLINIC");
    EXPECT_FALSE(design->GetElement("BILLING"));
    EXPECT_FALSE(design->GetElement("PATBYNAME"));
    ASSERT_TRUE(design->GetElement("PATIENT"));
    EXPECT_TRUE(design->GetElement("PATIENT")->_IsKindOf("PxLSEReport"));
    const PxVQBSSoftLinkPtr clinic =
        link.GetLVQEnterprise()->GetSystem("SYS1")->GetCurConfig()->GetBSSoftLink("CLINIC");
    EXPECT_EQ(clinic->GetElementSoftLink("PATIENT")->GetElementType(), VQSoftLinkIspec) << "the links stay as taken";
    EXPECT_TRUE(clinic->GetElementSoftLink("PATBYNAME"));
    EXPECT_TRUE(clinic->GetElementSoftLink("BILLING"));
    EXPECT_FALSE(link.GetLSEEnterprise()->GetBusinessSegment("WARDS"));
    const PxVQBSSoftLinkPtr wards = link.GetLVQEnterprise()->GetSystem("SYS2")->GetCurConfig()->GetBSSoftLink("WARDS");
    ASSERT_TRUE(wards);
    EXPECT_TRUE(wards->GetElementSoftLink("ROSTER"));

    const char* segment = R"({"businessSegments": [{"name": "S", "elements": [
        {"class": "PxLSEDataItem", "name": "D"}, {"class": "PxLSEProfile", "name": "P",
         "ordinates": [{"target": "D"}]}, {"class": "PxLSEReport", "name": "R"}], "designChanges": [)";
    const struct {
        const char* changes;
        const char* refusal;
    } refusals[] = {
        {R"({"element": "R", "change": "moved"})",
         "businessSegments[0].designChanges[0] \"R\": the \"change\" is one of removed and renamed."},
        {R"({"element": "R", "change": "removed"}, {"element": "R", "change": "removed"})",
         "businessSegments[0].designChanges[1] \"R\": there is no element \"R\"."},
        {R"({"element": "R", "change": "renamed", "name": "P"})",
         "businessSegments[0].designChanges[0] \"P\": a second element of this name."},
        {R"({"element": "R", "change": "renamed"})",
         "businessSegments[0].designChanges[0] \"R\": a renamed element takes its new \"name\"."},
        {R"({"element": "D", "change": "removed"})",
         "businessSegments[0].designChanges[0] \"D\": \"P\" still refers to it."},
    };
    for (const auto& refusal : refusals)
        EXPECT_EQ(RefusalOf(std::string(segment) + refusal.changes + "]}]}"), refusal.refusal) << refusal.changes;
}
