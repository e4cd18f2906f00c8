// The product's files on Win32 where they meet the file system's names: folders named in
// any language.

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

}  // namespace
}  // namespace quellix::win32
