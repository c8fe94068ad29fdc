#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Handles.h"
#include "store/win32/Win32FileSystem.h"

namespace {

using Bytes = std::vector<char>;

class Win32FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
    static int serial = 0;
    folder = std::string(temp) + "qlyfs-" + std::to_string(GetCurrentProcessId()) + "-" +
             std::to_string(++serial);
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    path = folder + "\\Quillery.dat";
  }

  void TearDown() override { RemoveTree(folder); }

  static void RemoveTree(const std::string& dir) {
    for (const std::string& name : List(dir)) {
      std::string full = dir + "\\" + name;
      DWORD attributes = GetFileAttributesA(full.c_str());
      if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    }
    RemoveDirectoryA(dir.c_str());
  }

  static std::vector<std::string> List(const std::string& dir) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      std::string name = data.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }

  static void WriteBytes(const std::string& file, const std::string& text) {
    CHandle h(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(h.Valid());
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(h.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr));
  }

  static std::string ReadBytes(const std::string& file) {
    CHandle h(CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!h.Valid()) return "<missing>";
    std::string text(1 << 16, '\0');
    DWORD got = 0;
    ReadFile(h.Get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
    text.resize(got);
    return text;
  }

  static CHandle HoldOpen(const std::string& file) {
    return CHandle(CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  }

  Result Replace(const std::string& target) {
    static const char header[] = "QL";
    static const char pool[] = "a\0bc";
    const FileChunk chunks[] = {{header, 2}, {header, 0}, {pool, 5}};
    return fs.ReplaceContents(target, chunks, 3);
  }

  CWin32FileSystem fs;
  std::string folder, path;
};

const std::string NEW_IMAGE("QLa\0bc\0", 7);

TEST_F(Win32FileSystemTest, OpenForReadingReportsSystemCodes) {
  std::unique_ptr<IFileReader> reader;
  EXPECT_EQ(fs.OpenForReading(path, &reader), SYSERR_FILE_NOT_FOUND);
  EXPECT_EQ(fs.OpenForReading(folder + "\\none\\Quillery.dat", &reader), SYSERR_PATH_NOT_FOUND);
  EXPECT_EQ(fs.OpenForReading(folder, &reader), SYSERR_ACCESS_DENIED) << "a folder";

  WriteBytes(path, "hello");
  {
    CHandle other = HoldOpen(path);
    ASSERT_TRUE(other.Valid());
    EXPECT_EQ(fs.OpenForReading(path, &reader), SYSERR_SHARING_VIOLATION);
  }
  ASSERT_EQ(fs.OpenForReading(path, &reader), RESULT_OK);
  char buffer[16];
  uint32_t got = 0;
  ASSERT_EQ(reader->Read(buffer, sizeof buffer, &got), RESULT_OK);
  EXPECT_EQ(std::string(buffer, got), "hello");
  ASSERT_EQ(reader->Read(buffer, sizeof buffer, &got), RESULT_OK);
  EXPECT_EQ(got, 0u);
  reader.reset();
  EXPECT_EQ(HoldOpen(path).Valid(), true) << "the reader closes its file";
}

TEST_F(Win32FileSystemTest, ReplaceCreatesOrReplacesTheWholeFile) {
  ASSERT_EQ(Replace(path), RESULT_OK);
  EXPECT_EQ(ReadBytes(path), NEW_IMAGE);

  WriteBytes(path, std::string(5000, 'x'));
  ASSERT_EQ(Replace(path), RESULT_OK);
  EXPECT_EQ(ReadBytes(path), NEW_IMAGE);
  EXPECT_EQ(List(folder), std::vector<std::string>{"Quillery.dat"});
}

TEST_F(Win32FileSystemTest, ReplaceOfARelativePathWritesInTheCurrentFolder) {
  char before[MAX_PATH];
  GetCurrentDirectoryA(sizeof before, before);
  ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
  Result r = Replace("Quillery.dat");
  SetCurrentDirectoryA(before);
  ASSERT_EQ(r, RESULT_OK);
  EXPECT_EQ(ReadBytes(path), NEW_IMAGE);
  EXPECT_EQ(List(folder), std::vector<std::string>{"Quillery.dat"});
}

TEST_F(Win32FileSystemTest, FailedReplaceLeavesTheOldFileAndNoTemporary) {
  const std::string old = "old contents";
  WriteBytes(path, old);
  {
    CHandle other = HoldOpen(path);
    ASSERT_TRUE(other.Valid());
    EXPECT_EQ(Replace(path), SYSERR_SHARING_VIOLATION);
  }
  EXPECT_EQ(ReadBytes(path), old);

  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Replace(path), SYSERR_ACCESS_DENIED);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(List(folder), std::vector<std::string>{"Quillery.dat"});

  const std::string sub = folder + "\\sub";
  ASSERT_TRUE(CreateDirectoryA(sub.c_str(), nullptr));
  EXPECT_EQ(Replace(sub), SYSERR_ACCESS_DENIED) << "a folder in the way";
  EXPECT_EQ(Replace(folder + "\\none\\Quillery.dat"), SYSERR_PATH_NOT_FOUND);
  EXPECT_EQ(List(sub), std::vector<std::string>{});
  EXPECT_EQ(List(folder).size(), 2u);
}

TEST_F(Win32FileSystemTest, CopyAndDelete) {
  const std::string backup = folder + "\\Quillery.bak";
  EXPECT_EQ(fs.CopyOver(path, backup), SYSERR_FILE_NOT_FOUND);
  WriteBytes(path, "one");
  WriteBytes(backup, "older and longer");
  ASSERT_EQ(fs.CopyOver(path, backup), RESULT_OK);
  EXPECT_EQ(ReadBytes(backup), "one");
  ASSERT_EQ(fs.Remove(backup), RESULT_OK);
  EXPECT_EQ(fs.Remove(backup), SYSERR_FILE_NOT_FOUND);
}

TEST_F(Win32FileSystemTest, EnsureFolderCreatesAndKeepsTheCurrentDirectory) {
  char before[MAX_PATH], after[MAX_PATH];
  GetCurrentDirectoryA(sizeof before, before);
  const std::string sub = folder + "\\Users";
  fs.EnsureFolder(sub + "\\");
  EXPECT_NE(GetFileAttributesA(sub.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_NE(GetFileAttributesA(sub.c_str()), INVALID_FILE_ATTRIBUTES);
  fs.EnsureFolder(sub);  // already there
  GetCurrentDirectoryA(sizeof after, after);
  EXPECT_STREQ(before, after);
  ASSERT_EQ(Replace(sub + "\\Quillery.dat"), RESULT_OK);
}

}  // namespace
