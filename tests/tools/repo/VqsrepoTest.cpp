#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>

namespace {

// Runs the tool with the arguments; its exit code, with stdout and stderr in files of the
// directory.
int Vqsrepo(const vqtest::TempDir& directory, const std::string& arguments, const char* output = "out.txt")
{
    const char* tool = std::getenv("VQSREPO");
    if (!tool)
        return -1;
    std::string command = "cd '" + directory.Path() + "' && '" + tool + "' " + arguments + " >" + output +
                          " 2>err.txt";
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(VqsrepoTest, TheDumpOfTheSampleIsStableFromRunToRun)
{
    if (!std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSREPO names no tool";
    vqtest::TempDir directory;
    ASSERT_EQ(Vqsrepo(directory, "sample one.vqr"), 0) << directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(directory, "sample two.vqr"), 0) << directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(directory, "dump one.vqr", "one.txt"), 0) << directory.Read("err.txt");
    ASSERT_EQ(Vqsrepo(directory, "dump two.vqr", "two.txt"), 0) << directory.Read("err.txt");
    EXPECT_FALSE(directory.Read("one.txt").empty());
    EXPECT_EQ(directory.Read("one.txt"), directory.Read("two.txt"));
}

TEST(VqsrepoTest, BadInputAndUsageAreRefusedWithAMessage)
{
    if (!std::getenv("VQSREPO"))
        GTEST_SKIP() << "VQSREPO names no tool";
    vqtest::TempDir directory;
    directory.Write("bad.json", R"({"businessSegments": [{"name": "S"}, {"name": "S"}]})");
    EXPECT_EQ(Vqsrepo(directory, "create bad.vqr --from bad.json"), 1);
    EXPECT_EQ(directory.Read("err.txt"), "vqsrepo: businessSegments[1] \"S\": a second business segment of this name.\n");
    EXPECT_EQ(directory.Read("bad.vqr"), "");
    EXPECT_EQ(Vqsrepo(directory, "create x.vqr --from missing.json"), 1);
    EXPECT_EQ(Vqsrepo(directory, "frobnicate"), 2);
    EXPECT_NE(directory.Read("err.txt").find("usage: vqsrepo"), std::string::npos);
}

} // namespace
