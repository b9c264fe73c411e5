#include "support/PgTestServer.h"
#include "support/TeamRepository.h"
#include "support/TempDir.h"

#include "proxy/PxVQLink.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// The shell command that runs the tool in the directory, its stdout and stderr in files
// there.
std::string Command(const vqtest::TempDir& directory, const std::string& arguments, const char* output)
{
    return "cd '" + directory.Path() + "' && '" + std::getenv("VQSREPO") + "' " + arguments + " >" + output +
           " 2>err.txt";
}

int ExitCode(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

// Runs the tool; its exit code.
int Vqsrepo(const vqtest::TempDir& directory, const std::string& arguments, const char* output = "out.txt")
{
    return ExitCode(std::system(Command(directory, arguments, output).c_str()));
}

// Exit code of VqsrepoAsAnotherUser when that user may not run the tool where it is built.
constexpr int kToolOutOfReach = 125;

// Runs the tool as a user who may only read what is not theirs: "nobody" when the tests run
// as root.
int VqsrepoAsAnotherUser(const vqtest::TempDir& directory, const std::string& arguments, const char* output)
{
    std::string command = Command(directory, arguments, output);
    pid_t child = fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(126);
        if (access(std::getenv("VQSREPO"), X_OK) != 0)
            _exit(kToolOutOfReach);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return ExitCode(status);
}

class VqsrepoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::getenv("VQSREPO"))
            GTEST_SKIP() << "VQSREPO names no tool";
    }

    vqtest::TempDir m_directory;
};

TEST_F(VqsrepoTest, TheDumpOfTheSampleIsStableFromRunToRun)
{
    ASSERT_EQ(Vqsrepo(m_directory, "sample one.vqr"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "sample two.vqr"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "dump one.vqr", "one.txt"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "dump two.vqr", "two.txt"), 0) << m_directory.Read("err.txt");
    EXPECT_FALSE(m_directory.Read("one.txt").empty());
    EXPECT_EQ(m_directory.Read("one.txt"), m_directory.Read("two.txt"));
}

TEST_F(VqsrepoTest, BadInputAndUsageAreRefusedWithAMessageNamingTheFile)
{
    m_directory.Write("bad.json", R"({"businessSegments": [{"name": "S"}, {"name": "S"}]})");
    EXPECT_EQ(Vqsrepo(m_directory, "create bad.vqr --from bad.json"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"),
              "vqsrepo: bad.json: businessSegments[1] \"S\": a second business segment of this name.\n");
    EXPECT_FALSE(fs::exists(m_directory.File("bad.vqr")));
    m_directory.Write("usage.json", R"({"businessSegments": [{"name": "S", "elements": [
        {"class": "PxLSEIspec", "name": "I", "usage": "BB"}]}]})");
    EXPECT_EQ(Vqsrepo(m_directory, "create usage.vqr --from usage.json"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"), "vqsrepo: usage.json: businessSegments[0].elements[0] \"I\": the \"usage\" "
                                           "of an Ispec is one of the letters Q, I, O or B.\n");
    EXPECT_EQ(Vqsrepo(m_directory, "create x.vqr --from missing.json"), 1);
    EXPECT_EQ(Vqsrepo(m_directory, "frobnicate"), 2);
    EXPECT_NE(m_directory.Read("err.txt").find("usage: vqsrepo"), std::string::npos);
}

TEST_F(VqsrepoTest, TheExampleDescriptionOfTheReadmeBuilds)
{
    std::string example = std::string(std::getenv("VQ_SOURCE") ? std::getenv("VQ_SOURCE") : "..") +
                          "/tools/repo/examples/shop.json";
    ASSERT_EQ(Vqsrepo(m_directory, "create shop.vqr --from '" + example + "'"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "dump shop.vqr"), 0) << m_directory.Read("err.txt");
    std::string dump = m_directory.Read("out.txt");
    for (const char* line : {"name = \"SHOPSYS\"", "name = \"WEBALL\"", "generateAs = \"MONTHLY1\"",
                             "table = \"shop_fg\"", "packId2 = \"PK2\"", "relationString = \"R\""})
        EXPECT_NE(dump.find(line), std::string::npos) << line;
}

TEST_F(VqsrepoTest, TheSampleScaleMakesALargerSample)
{
    ASSERT_EQ(Vqsrepo(m_directory, "sample big.vqr --sample-scale=3,4,10"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "dump big.vqr"), 0) << m_directory.Read("err.txt");
    std::string dump = m_directory.Read("out.txt");
    for (const char* line : {"name = \"SYS12\"", "name = \"SEG004\"", "name = \"G000010\""})
        EXPECT_NE(dump.find(line), std::string::npos) << line;
    EXPECT_EQ(dump.find("name = \"SYS13\""), std::string::npos);
    EXPECT_EQ(Vqsrepo(m_directory, "sample bad.vqr --sample-scale=3,0,10"), 2);
    EXPECT_EQ(m_directory.Read("err.txt").find("vqsrepo: --sample-scale=3,0,10: give SYSTEMS,SEGMENTS,ELEMENTS, "), 0);
    EXPECT_FALSE(fs::exists(m_directory.File("bad.vqr")));
}

TEST_F(VqsrepoTest, ASampleBeyondTheLargestIsRefusedAndItsBoundsAreInTheHelp)
{
    const std::string bounds = "1 to 1000 systems, 1 to 1000 segments, 0 to 100000 generated elements a segment, "
                               "and SYSTEMS x SEGMENTS x (ELEMENTS + 16) at most 2000000";
    for (const char* scale : {"1,1,100000000", "2147483647,1,1", "20,1,100000"}) {
        EXPECT_EQ(Vqsrepo(m_directory, std::string("sample huge.vqr --sample-scale=") + scale), 2) << scale;
        EXPECT_EQ(m_directory.Read("err.txt"), std::string("vqsrepo: --sample-scale=") + scale +
                                                   ": give SYSTEMS,SEGMENTS,ELEMENTS, " + bounds +
                                                   " (e.g. 100,20,500).\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(m_directory.Path()), fs::directory_iterator()), 2)
            << "only out.txt and err.txt";
    }
    ASSERT_EQ(Vqsrepo(m_directory, "--help"), 0);
    EXPECT_NE(m_directory.Read("out.txt").find("--sample-scale: " + bounds), std::string::npos)
        << m_directory.Read("out.txt");
}

TEST_F(VqsrepoTest, OutputThatCannotBeWrittenIsAFailureWithAMessage)
{
    ASSERT_EQ(Vqsrepo(m_directory, "sample full.vqr"), 0) << m_directory.Read("err.txt");
    EXPECT_EQ(Vqsrepo(m_directory, "dump full.vqr", "/dev/full"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"), "vqsrepo: cannot write to standard output: No space left on device.\n");
    EXPECT_EQ(Vqsrepo(m_directory, "--help", "/dev/full"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"), "vqsrepo: cannot write to standard output: No space left on device.\n");
}

TEST_F(VqsrepoTest, AnotherUserDumpsARepositoryWhoseFilesTheyCanOnlyRead)
{
    ASSERT_EQ(Vqsrepo(m_directory, "sample shared.vqr"), 0) << m_directory.Read("err.txt");
    // A session of the owner leaves the lock file beside the repository.
    PxVQLink().AttachSession(m_directory.File("shared.vqr").c_str(), "owner/dev", nullptr);
    ASSERT_EQ(Vqsrepo(m_directory, "dump shared.vqr", "owner.txt"), 0) << m_directory.Read("err.txt");
    for (const fs::directory_entry& entry : fs::directory_iterator(m_directory.Path()))
        if (entry.path().filename().string().starts_with("shared.vqr"))
            fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::remove(m_directory.File("err.txt"));
    fs::permissions(m_directory.Path(), fs::perms::all);

    int status = VqsrepoAsAnotherUser(m_directory, "dump shared.vqr", "reader.txt");
    if (status == kToolOutOfReach)
        GTEST_SKIP() << "another user may not run the tool where it is built";
    ASSERT_EQ(status, 0) << m_directory.Read("err.txt");
    EXPECT_EQ(m_directory.Read("reader.txt"), m_directory.Read("owner.txt"));
}

TEST_F(VqsrepoTest, ARepositoryWithoutItsRootsIsReportedDamaged)
{
    for (const char* damage :
         {"DELETE FROM px_meta WHERE key = 'root.PxVQEnterprise'",
          "DELETE FROM px_object WHERE oid = (SELECT value FROM px_meta WHERE key = 'root.PxLSEEnterprise')"}) {
        vqtest::TempDir directory;
        ASSERT_EQ(Vqsrepo(directory, "sample damaged.vqr"), 0) << directory.Read("err.txt");
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(directory.File("damaged.vqr").c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, damage, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
        EXPECT_EQ(Vqsrepo(directory, "dump damaged.vqr"), 1) << damage;
        EXPECT_EQ(directory.Read("err.txt"),
                  "vqsrepo: damaged.vqr: Cannot read the repository: the file is damaged or is not a repository.\n");
    }
}

TEST_F(VqsrepoTest, ATeamsRepositoryIsMadeAndDumpedOnAServerAndAnotherDatabaseIsLeftAlone)
{
    vqtest::PgTestServer& server = vqtest::PgTestServer::Instance();
    std::string uri = server.NewDatabase();
    ASSERT_EQ(Vqsrepo(m_directory, "sample '" + uri + "'"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "dump '" + uri + "'", "server.txt"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "sample file.vqr"), 0) << m_directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(m_directory, "dump file.vqr", "file.txt"), 0) << m_directory.Read("err.txt");
    EXPECT_FALSE(m_directory.Read("server.txt").empty());
    EXPECT_EQ(m_directory.Read("server.txt"), m_directory.Read("file.txt"));

    std::string payroll = server.NewDatabase();
    std::size_t name = payroll.find(":///") + 4;
    server.Run(payroll.substr(name, payroll.find('?') - name), "CREATE TABLE employee(id integer)");
    EXPECT_EQ(Vqsrepo(m_directory, "sample '" + payroll + "'"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"),
              "vqsrepo: Cannot create the repository " + payroll + ": the database holds something else.\n");
    EXPECT_EQ(Vqsrepo(m_directory, "dump '" + payroll + "'"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"), "vqsrepo: Cannot open the repository " + payroll +
                                               ": the database holds something else than a repository.\n");
}

// A repository an earlier build made on a server, its key columns without their estimates,
// gets them from analyze; a repository file is refused.
TEST_F(VqsrepoTest, AnalyzeGivesAServerRepositoryOfAnEarlierBuildItsKeyEstimates)
{
    vqtest::PgTestServer& server = vqtest::PgTestServer::Instance();
    const std::string uri = server.NewDatabase();
    const std::size_t name = uri.find(":///") + 4;
    const std::string database = uri.substr(name, uri.find('?') - name);
    ASSERT_EQ(Vqsrepo(m_directory, "sample '" + uri + "'"), 0) << m_directory.Read("err.txt");
    // Fails unless the member table's key columns have that many estimates of their own.
    const auto requireEstimates = [&](int count) {
        server.Run(database, "DO $$ BEGIN IF (SELECT count(*) FROM pg_attribute WHERE attrelid ="
                             " 'vq_repository.px_member'::regclass AND attoptions::text LIKE '%n_distinct=%') <> " +
                                 std::to_string(count) + " THEN RAISE 'not % estimates', " + std::to_string(count) +
                                 "; END IF; END $$");
    };
    server.Run(database, "ALTER TABLE vq_repository.px_member ALTER COLUMN owner RESET (n_distinct),"
                         " ALTER COLUMN member RESET (n_distinct)");
    requireEstimates(0);
    ASSERT_EQ(Vqsrepo(m_directory, "analyze '" + uri + "'"), 0) << m_directory.Read("err.txt");
    EXPECT_NO_THROW(requireEstimates(2));
    ASSERT_EQ(Vqsrepo(m_directory, "sample file.vqr"), 0) << m_directory.Read("err.txt");
    EXPECT_EQ(Vqsrepo(m_directory, "analyze file.vqr"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"),
              "vqsrepo: file.vqr: only a repository on a server is analyzed; give its postgresql:// URI.\n");
}

// Only the owner of a team's repository's tables, or a role that may act as it, takes their
// statistics, and says so; a member's analyze is refused naming the owner, rather than left to
// the server, which skips every table it may not analyze with a mere warning.
TEST_F(VqsrepoTest, AnalyzeIsTheOwnersAndSaysWhatItTook)
{
    vqtest::PgTestServer& server = vqtest::PgTestServer::Instance();
    const vqtest::TeamRepository team(false);
    // A role that may act as the owner without the owner's rights of its own, which reads the
    // repository by rights given to it directly.
    const std::string ownersMember = team.Database() + "_noinherit";
    server.Run(team.Database(), "CREATE ROLE " + ownersMember + " LOGIN NOINHERIT; GRANT " + team.OwnerRole() +
                                    " TO " + ownersMember + "; SET ROLE " + team.OwnerRole() +
                                    "; GRANT USAGE ON SCHEMA vq_repository TO " + ownersMember +
                                    "; GRANT SELECT ON ALL TABLES IN SCHEMA vq_repository TO " + ownersMember);
    const std::string memberUri = team.MemberUri();
    const std::string ownersMemberUri = memberUri.substr(0, memberUri.rfind("user=")) + "user=" + ownersMember;
    // Fails unless the object table's statistics were taken that many times.
    const auto requireAnalyses = [&](int count) {
        server.Run(team.Database(), "DO $$ BEGIN IF (SELECT analyze_count FROM pg_stat_user_tables WHERE relid ="
                                    " 'vq_repository.px_object'::regclass) <> " + std::to_string(count) +
                                        " THEN RAISE 'not % analyses', " + std::to_string(count) + "; END IF; END $$");
    };
    const std::string taken = "The statistics of the tables px_object, px_attribute, px_member were taken again.\n";

    ASSERT_EQ(Vqsrepo(m_directory, "analyze '" + team.OwnerUri() + "'"), 0) << m_directory.Read("err.txt");
    const std::string upgradedAndTaken = m_directory.Read("out.txt");
    EXPECT_EQ(std::count(upgradedAndTaken.begin(), upgradedAndTaken.end(), '\n'), 6) << upgradedAndTaken;
    EXPECT_TRUE(upgradedAndTaken.ends_with("\n" + taken)) << upgradedAndTaken;
    EXPECT_NO_THROW(requireAnalyses(1));

    const struct {
        std::string uri;
        int exit;
        std::string out;
        std::string err;
    } runs[] = {
        {team.OwnerUri(), 0, taken, ""},
        {ownersMemberUri, 0, taken, ""},
        {memberUri, 1, "",
         "vqsrepo: Cannot take the statistics of the repository " + memberUri + ": only the owner of its tables, the"
         " role " + team.OwnerRole() + " (or one of its members, or a superuser), may take their statistics.\n"},
    };
    int analyses = 1;
    for (const auto& run : runs) {
        EXPECT_EQ(Vqsrepo(m_directory, "analyze '" + run.uri + "'"), run.exit) << run.uri;
        EXPECT_EQ(m_directory.Read("out.txt"), run.out) << run.uri;
        EXPECT_EQ(m_directory.Read("err.txt"), run.err) << run.uri;
        analyses += run.exit == 0;
        EXPECT_NO_THROW(requireAnalyses(analyses)) << run.uri;
    }
}

// A repository an earlier build made on a server is brought up to date by its owner's upgrade,
// which prints each change; run again it says there is nothing to change. A member's role may
// not, and a file is refused.
TEST_F(VqsrepoTest, UpgradeBringsAServerRepositoryOfAnEarlierBuildUpToDateAndPrintsEachChange)
{
    const vqtest::TeamRepository team(false);
    EXPECT_EQ(Vqsrepo(m_directory, "upgrade '" + team.MemberUri() + "'"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"), "vqsrepo: Cannot bring the repository " + team.MemberUri() +
                                               " up to date: its tables belong to another role, which alone may"
                                               " bring it up to date.\n");
    ASSERT_EQ(Vqsrepo(m_directory, "upgrade '" + team.OwnerUri() + "'"), 0) << m_directory.Read("err.txt");
    const std::string changes = m_directory.Read("out.txt");
    EXPECT_EQ(std::count(changes.begin(), changes.end(), '\n'), 5) << changes;
    EXPECT_NE(changes.find("\nGRANT SELECT, UPDATE, USAGE ON SEQUENCE px_hold_id TO " + team.MemberRole() + ".\n"),
              std::string::npos)
        << changes;
    ASSERT_EQ(Vqsrepo(m_directory, "upgrade '" + team.OwnerUri() + "'"), 0) << m_directory.Read("err.txt");
    EXPECT_EQ(m_directory.Read("out.txt"),
              "The repository " + team.OwnerUri() + " is up to date; nothing was changed.\n");
    ASSERT_EQ(Vqsrepo(m_directory, "sample file.vqr"), 0) << m_directory.Read("err.txt");
    EXPECT_EQ(Vqsrepo(m_directory, "upgrade file.vqr"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"),
              "vqsrepo: file.vqr: only a repository on a server is brought up to date; give its postgresql:// URI.\n");
}

// A server that was reached but has no database of the name says so, and how to make it.
TEST_F(VqsrepoTest, ADatabaseMissingOnAServerIsSaidNotToExist)
{
    const std::string missing = vqtest::PgTestServer::Instance().Uri("nosuchdb");
    EXPECT_EQ(Vqsrepo(m_directory, "dump '" + missing + "'"), 1);
    EXPECT_EQ(m_directory.Read("err.txt"), "vqsrepo: Cannot open the repository " + missing +
                                               ": the database \"nosuchdb\" does not exist on the server; make it "
                                               "first, empty, with createdb.\n");
}

} // namespace
