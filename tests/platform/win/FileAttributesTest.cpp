#include "win/FileAttributes.h"
#include "win/LastError.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileAttributesTest, TellsAMissingFileFromAMissingDirectoryAndAMalformedName)
{
    vqtest::TempDir dir;
    const std::string file = dir.Write("a.txt", "x");

    EXPECT_EQ(GetFileAttributes(file.c_str()), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(GetFileAttributes(dir.Path().c_str()), FILE_ATTRIBUTE_DIRECTORY);

    EXPECT_EQ(GetFileAttributes(dir.File("b.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(GetFileAttributes(dir.File("missing/b.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);
    EXPECT_EQ(GetFileAttributes((file + "/b.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND) << "through a file";

    EXPECT_EQ(GetFileAttributes(dir.File(std::string(300, 'n') + ".txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_NAME);
}
