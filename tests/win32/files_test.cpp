// The product's files on Win32 where they meet the file system's names: folders named in
// any language, and files with a second name (a hard link, as a package manager keeps a
// user's file) that saves and clearing must keep.

#include <windows.h>
// after windows.h
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

// "Программы 程序": Cyrillic and Chinese, outside any Western ANSI code page.
constexpr char kForeignName[] =
    "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B \xE7\xA8\x8B\xE5\xBA\x8F";

class FilesTest : public ::testing::Test {
 protected:
  FilesTest() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = Narrow(temp) + "quellix-files-" + std::to_string(GetCurrentProcessId()) + "-" + kForeignName;
    CreateDirectoryW(Widen(folder).c_str(), nullptr);
  }
  ~FilesTest() override {
    for (const platform::FoundFile& file : files.FindFiles(folder, ""))
      DeleteFileW(Widen(folder + "\\" + file.name).c_str());
    RemoveDirectoryW(Widen(folder).c_str());
  }

  std::string Path(const std::string& name) const { return folder + "\\" + name; }
  // A save as the product makes it: the whole new file beside the target, then moved over it.
  bool Save(const std::string& path, const std::string& bytes) {
    const std::string copy = path + ".~1.tmp";
    return files.WriteNewFile(copy, bytes) == platform::NewFile::kWritten && files.ReplaceFile(copy, path);
  }
  void Link(const std::string& existing, const std::string& other) {
    ASSERT_TRUE(CreateHardLinkW(Widen(other).c_str(), Widen(existing).c_str(), nullptr));
  }
  static DWORD Links(const std::string& path) {
    const UniqueFile file(CreateFileW(Widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    return file && GetFileInformationByHandle(file.get(), &info) ? info.nNumberOfLinks : 0;
  }

  Win32Files files;
  std::string folder;
};

TEST_F(FilesTest, AFolderNamedInAnyLanguageIsWrittenReadAndListed) {
  const std::string list = Path("popcfg.apo");
  ASSERT_TRUE(Save(list, "offers\r\n"));
  EXPECT_EQ(files.ReadFile(list), "offers\r\n");
  ASSERT_TRUE(Save(list, "casino\r\n"));
  EXPECT_EQ(files.ReadFile(list), "casino\r\n");
  ASSERT_EQ(files.FindFiles(folder, "popcfg").size(), 1u);
  EXPECT_EQ(files.FindFiles(folder, "popcfg")[0].name, "popcfg.apo");
}

// A save keeps the file's other name: both names read the new contents and the file keeps
// two names; no copy is left beside it.
TEST_F(FilesTest, ASaveOverAFileWithASecondNameKeepsThatName) {
  const std::string list = Path("popcfg.apo");
  const std::string kept = Path("persisted.apo");
  ASSERT_EQ(files.WriteNewFile(kept, "offers\r\n"), platform::NewFile::kWritten);
  Link(kept, list);
  ASSERT_EQ(Links(list), 2u);

  ASSERT_TRUE(Save(list, "my own entry\r\ncasino\r\n"));
  EXPECT_EQ(files.ReadFile(list), "my own entry\r\ncasino\r\n");
  EXPECT_EQ(files.ReadFile(kept), "my own entry\r\ncasino\r\n");
  EXPECT_EQ(Links(list), 2u);
  // Shorter contents leave nothing of the old ones behind.
  ASSERT_TRUE(Save(list, "x\r\n"));
  EXPECT_EQ(files.ReadFile(kept), "x\r\n");
  EXPECT_EQ(files.FindFiles(folder, "popcfg.apo.").size(), 0u);  // no temporary file left
  EXPECT_EQ(files.FindFiles(folder, "").size(), 2u);
}

// Without a second name the save still replaces the file in one step.
TEST_F(FilesTest, ASaveOverAFileWithOneNameReplacesIt) {
  const std::string list = Path("popcfg.apo");
  ASSERT_EQ(files.WriteNewFile(list, "old\r\n"), platform::NewFile::kWritten);
  ASSERT_EQ(files.WriteNewFile(Path("copy.tmp"), "new\r\n"), platform::NewFile::kWritten);
  ASSERT_TRUE(files.ReplaceFile(Path("copy.tmp"), list));
  EXPECT_EQ(files.ReadFile(list), "new\r\n");
  EXPECT_FALSE(files.FileSize(Path("copy.tmp")));
  EXPECT_EQ(Links(list), 1u);
}

// Clearing a log with a second name empties it in place; a log with one name goes.
TEST_F(FilesTest, ClearingAFileWithASecondNameEmptiesItAndOneWithoutDeletesIt) {
  const std::string log = Path("popuplog.txt");
  const std::string kept = Path("persisted.txt");
  ASSERT_EQ(files.WriteNewFile(kept, std::string(300, 'r')), platform::NewFile::kWritten);
  Link(kept, log);
  ASSERT_TRUE(files.ClearFile(log));
  EXPECT_EQ(files.FileSize(log), 0u);
  EXPECT_EQ(files.FileSize(kept), 0u);
  EXPECT_EQ(Links(log), 2u);
  // Records appended afterwards reach both names.
  ASSERT_TRUE(files.WriteAt(log, 0, std::string(150, 'n')));
  EXPECT_EQ(files.FileSize(kept), 150u);

  const std::string alone = Path("alone.txt");
  ASSERT_EQ(files.WriteNewFile(alone, "r"), platform::NewFile::kWritten);
  ASSERT_TRUE(files.ClearFile(alone));
  EXPECT_FALSE(files.FileSize(alone));
  EXPECT_TRUE(files.ClearFile(alone));  // a missing file is cleared already
}

}  // namespace
}  // namespace quellix::win32
