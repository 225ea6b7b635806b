// The bookmark file on a real disk: all-or-nothing replacement and reading.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "bookmarks/line_reader.h"
#include "bookmarks/win/win32_bookmark_files.h"

namespace tessaly {
namespace {

class Win32BookmarkFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    dir = std::string(temp) + "tessaly-bookmarks-" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    path = dir + "cvbmarks.htm";
  }
  void TearDown() override {
    DeleteFileA(path.c_str());
    DeleteFileA((path + ".new").c_str());
    RemoveDirectoryA(dir.c_str());
  }
  std::string Contents() const {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  bool Store(const std::string& text) {
    return files.Replace(path, [&](ByteSink& sink) { sink.Write(text.data(), text.size()); });
  }
  bool NewFileLeft() const { return GetFileAttributesA((path + ".new").c_str()) != INVALID_FILE_ATTRIBUTES; }

  win::Win32BookmarkFiles files;
  std::string dir, path;
};

TEST_F(Win32BookmarkFilesTest, ReplacesAndReads) {
  EXPECT_FALSE(files.Exists(path));
  EXPECT_EQ(files.OpenRead(path), nullptr);
  EXPECT_FALSE(files.Exists(dir));  // a directory is no file
  ASSERT_TRUE(Store("first\r\n"));
  ASSERT_TRUE(Store("second line\r\nthird"));
  EXPECT_TRUE(files.Exists(path));
  EXPECT_EQ(Contents(), "second line\r\nthird");
  EXPECT_FALSE(NewFileLeft());
  std::unique_ptr<ByteSource> source = files.OpenRead(path);
  ASSERT_NE(source, nullptr);
  LineReader lines(*source);
  std::string line;
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, "second line");
  ASSERT_TRUE(lines.Next(line));
  EXPECT_EQ(line, "third");
  EXPECT_FALSE(lines.Next(line));
}

TEST_F(Win32BookmarkFilesTest, AStoreThatFailsPartWayLeavesTheOldFile) {
  ASSERT_TRUE(Store("old bookmarks"));
  const std::string block(100000, 'x');
  // The disk refuses the rest: no new file, the old one as it was.
  EXPECT_FALSE(files.Replace(path, [&](ByteSink& sink) {
    sink.Write(block.data(), block.size());
    throw WriteFailed("disk full");
  }));
  EXPECT_EQ(Contents(), "old bookmarks");
  EXPECT_FALSE(NewFileLeft());
  // Any other failure of the writer passes on, with the same outcome.
  EXPECT_THROW(files.Replace(path,
                             [&](ByteSink& sink) {
                               sink.Write(block.data(), block.size());
                               throw std::bad_alloc();
                             }),
               std::bad_alloc);
  EXPECT_EQ(Contents(), "old bookmarks");
  EXPECT_FALSE(NewFileLeft());
}

TEST_F(Win32BookmarkFilesTest, AFileThatCannotBeReplacedStaysAsItWas) {
  ASSERT_TRUE(Store("old bookmarks"));
  // Another program holds it open without sharing it.
  HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Store("new bookmarks"));
  CloseHandle(held);
  EXPECT_EQ(Contents(), "old bookmarks");
  EXPECT_FALSE(NewFileLeft());
}

}  // namespace
}  // namespace tessaly
