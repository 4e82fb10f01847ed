#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include "tests/temp_path.h"

namespace {

std::string tempPath(const std::string& name) { return testsupport::tempPath("files_test_" + name); }

std::string bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream out;
    out << file.rdbuf();
    return out.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(FilesTest, LinesAreWrittenWithCrLfByteForByte) {
    std::string path = tempPath("write.txt");
    ASSERT_TRUE(platform::writeLines(path, {"one", "", "caf\xe9 \xff"}));
    EXPECT_EQ(bytesOf(path), "one\r\n\r\ncaf\xe9 \xff\r\n");

    platform::LineWriter writer;
    ASSERT_TRUE(writer.open(path));  // replaces the file
    EXPECT_TRUE(writer.isOpen());
    EXPECT_TRUE(writer.writeLine("a"));
    EXPECT_TRUE(writer.writeLine("b"));
    EXPECT_TRUE(writer.close());
    EXPECT_FALSE(writer.isOpen());
    EXPECT_EQ(bytesOf(path), "a\r\nb\r\n");
}

TEST(FilesTest, ReadingSplitsAtLfAndDropsCr) {
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"one\r\ntwo\nthree", {"one", "two", "three"}},
        {"last LF adds nothing\n", {"last LF adds nothing"}},
        {"", {}},
        {"\n", {""}},
        {"\n\n", {"", ""}},
        {"a\r\r\nb\rc\n", {"a", "bc"}},
        {std::string("nul\0\xe9", 5), {std::string("nul\0\xe9", 5)}},
    };
    std::string path = tempPath("read.txt");
    for (const Case& c : cases) {
        writeBytes(path, c.bytes);
        std::vector<std::string> lines{"left over"};
        EXPECT_TRUE(platform::readLines(path, lines));
        EXPECT_EQ(lines, c.lines) << c.bytes;
    }
    std::vector<std::string> lines;
    EXPECT_FALSE(platform::readLines(tempPath("missing.txt"), lines));
}

TEST(FilesTest, WritesThatCannotReachTheDiskAreReported) {
    platform::LineWriter writer;
    ASSERT_TRUE(writer.open("/dev/full"));
    writer.writeLine("no room");
    EXPECT_FALSE(writer.close());
    EXPECT_FALSE(platform::writeLines("/dev/full", {"no room"}));
    EXPECT_FALSE(platform::writeLines(tempPath("no/such/folder.txt"), {"x"}));
    EXPECT_FALSE(writer.open(tempPath("no/such/folder.txt")));
    EXPECT_FALSE(writer.writeLine("x"));
    EXPECT_FALSE(writer.close());
}

TEST(FilesTest, CreateRenameDeleteAndExists) {
    std::string a = tempPath("a.txt"), b = tempPath("b.txt");
    platform::deleteFile(a);
    EXPECT_FALSE(platform::fileExists(a));
    EXPECT_FALSE(platform::fileExists(::testing::TempDir()));  // a folder is not a file
    ASSERT_TRUE(platform::createEmptyFile(a));
    EXPECT_TRUE(platform::fileExists(a));
    EXPECT_EQ(bytesOf(a), "");
    writeBytes(b, "old");
    EXPECT_TRUE(platform::renameFile(a, b));  // replaces b
    EXPECT_FALSE(platform::fileExists(a));
    EXPECT_EQ(bytesOf(b), "");
    EXPECT_FALSE(platform::renameFile(a, b));
    EXPECT_TRUE(platform::deleteFile(b));
    EXPECT_FALSE(platform::deleteFile(b));
}

TEST(FilesTest, ChangingFolderMovesRelativePaths) {
    std::string before = platform::currentFolder();
    ASSERT_FALSE(before.empty());
    std::string folder = tempPath("folder");
    platform::deleteFile(folder + "/inside.txt");
    ::mkdir(folder.c_str(), 0755);
    ASSERT_TRUE(platform::changeFolder(folder));
    EXPECT_TRUE(platform::createEmptyFile("inside.txt"));
    std::string now = platform::currentFolder();
    EXPECT_TRUE(platform::changeFolder(before));
    EXPECT_TRUE(platform::fileExists(folder + "/inside.txt"));
    EXPECT_TRUE(platform::fileExists(now + "/inside.txt"));
    EXPECT_FALSE(platform::changeFolder(tempPath("no/such/folder")));
    EXPECT_EQ(platform::currentFolder(), before);
}

}  // namespace
