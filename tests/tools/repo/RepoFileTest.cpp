#include "support/SampleRepository.h"
#include "support/TempDir.h"

#include "repo/RepoError.h"
#include "repo/RepoFile.h"
#include "repo/RepoReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

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
        "systems": [{"name": "SYS1", "businessSegments": ["SALES"],
                     "optionSets": [{"name": "NTGEN", "hostType": 0, "host": "NTHOST"}]}]
    })"));
    std::string dump = Dump(path);
    EXPECT_NE(dump.find("defaultDevice = \"FL\""), std::string::npos);
    EXPECT_NE(dump.find("PxNTReportOptions"), std::string::npos);
    EXPECT_NE(dump.find("hostName = \"NTHOST\""), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(directory.Path()), fs::directory_iterator()), 2);
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
              "businessSegments[0] \"S\": two languages in slot 1.");
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

TEST(RepoFileTest, AFailingBuildLeavesNothingBehind)
{
    vqtest::TempDir directory;
    vqrepo::RepoDescription description = vqrepo::SampleDescription();
    description.hosts.front().ftpUserid.clear();
    description.packs.back().associations.front().acrName = "TOO-LONG-NAME";
    EXPECT_THROW(vqrepo::CreateRepositoryFile(directory.File("failed.vqr"), description), vqrepo::RepoError);
    EXPECT_TRUE(fs::is_empty(directory.Path()));
}

} // namespace
