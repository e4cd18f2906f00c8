// The common file dialogs on Win32, driven as a user would: a second thread finds the
// dialog the test thread shows, reads its set-up, types a name and presses a button, and
// answers the message boxes the dialog raises.

#include <windows.h>
// after windows.h, whose types they use
#include <dlgs.h>
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_services.h"

namespace quellix::win32 {
namespace {

using platform::FileDialogKind;
using platform::FileDialogRequest;

// What the user does in the dialog.
struct UserActions {
  UserActions(std::string name_, bool accept = true, std::string folder = {})
      : name(std::move(name_)), accept_box(accept), browse_to(std::move(folder)) {}
  std::string name;        // UTF-8, typed into the file name box, then OK; empty: Cancel
  bool accept_box = true;  // a Yes/No box gets Yes; otherwise No (or OK), and then Cancel
  std::string browse_to;   // a folder typed and opened first, when not empty
};

// What the user saw.
struct Seen {
  bool dialog = false;
  HWND owner = nullptr;
  std::vector<std::string> file_types;  // UTF-8
  std::vector<std::string> boxes;       // texts of the message boxes the dialog raised
};

std::vector<HWND> ShownDialogs(DWORD thread) {
  std::vector<HWND> found;
  EnumThreadWindows(
      thread,
      [](HWND hwnd, LPARAM list) {
        wchar_t name[16] = {};
        GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
        if (IsWindowVisible(hwnd) && std::wstring(name) == L"#32770")
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

void Press(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

std::string ControlText(HWND dialog, int id) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(dialog, id, text, static_cast<int>(std::size(text)));
  return Narrow(text);
}

// Runs on its own thread while `thread` shows the dialog. Every wait is bounded, and on the
// way out whatever is still open is cancelled, so the test thread never hangs.
void Drive(DWORD thread, const UserActions& user, Seen& seen) {
  const ULONGLONG deadline = GetTickCount64() + 30000;
  HWND dialog = nullptr;
  while (dialog == nullptr && GetTickCount64() < deadline) {
    const auto shown = ShownDialogs(thread);
    if (shown.empty())
      Sleep(20);
    else
      dialog = shown.front();
  }
  if (dialog == nullptr) return;
  seen.dialog = true;
  seen.owner = GetWindow(dialog, GW_OWNER);
  HWND types = GetDlgItem(dialog, cmb1);
  const LRESULT count = SendMessageW(types, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count && i < 16; ++i) {
    wchar_t text[256] = {};
    if (SendMessageW(types, CB_GETLBTEXTLEN, i, 0) < static_cast<LRESULT>(std::size(text)))
      SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    seen.file_types.push_back(Narrow(text));
  }
  const int name_box = GetDlgItem(dialog, cmb13) != nullptr ? cmb13 : edt1;
  if (!user.browse_to.empty()) {
    // A folder's name and OK: the dialog shows that folder.
    SetDlgItemTextW(dialog, name_box, Widen(user.browse_to).c_str());
    Press(dialog, IDOK);
    Sleep(500);
  }
  if (user.name.empty()) {
    Press(dialog, IDCANCEL);
  } else {
    SetDlgItemTextW(dialog, name_box, Widen(user.name).c_str());
    Press(dialog, IDOK);
  }
  HWND answered = nullptr;
  while (IsWindow(dialog) && GetTickCount64() < deadline) {
    for (HWND box : ShownDialogs(thread)) {
      if (box == dialog || box == answered) continue;
      answered = box;
      seen.boxes.push_back(ControlText(box, 0xFFFF));  // a message box's text control
      const bool yes_no = GetDlgItem(box, IDYES) != nullptr;
      Press(box, yes_no ? (user.accept_box ? IDYES : IDNO) : IDOK);
      if (!(yes_no && user.accept_box)) {
        while (IsWindow(box) && GetTickCount64() < deadline) Sleep(20);
        Press(dialog, IDCANCEL);
      }
    }
    Sleep(20);
  }
  for (HWND left : ShownDialogs(thread)) Press(left, IDCANCEL);
}

class FileDialogTest : public ::testing::Test {
 protected:
  FileDialogTest() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuellixDialogOwner";
    RegisterClassW(&wc);
    owner_.reset(CreateWindowExW(0, wc.lpszClassName, L"owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                 100, nullptr, nullptr, wc.hInstance, nullptr));
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "quellix-dialog-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  ~FileDialogTest() override {
    for (const std::string& file : made_) DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
  }

  std::string MakeFile(const std::string& name) {
    const std::string path = folder + "\\" + name;
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    made_.push_back(path);
    return path;
  }
  std::string Path(const std::string& name) const { return folder + "\\" + name; }

  FileDialogRequest Request(FileDialogKind kind, std::string filter) {
    FileDialogRequest request;
    request.kind = kind;
    request.owner = reinterpret_cast<std::uintptr_t>(owner_.get());
    request.filter = std::move(filter);
    return request;
  }

  std::optional<std::string> Show(const FileDialogRequest& request, const UserActions& user) {
    seen = Seen{};
    std::thread driver(Drive, GetCurrentThreadId(), std::cref(user), std::ref(seen));
    auto chosen = dialogs_.Show(request);
    driver.join();
    return chosen;
  }

  std::string folder;
  Seen seen;
  HWND Owner() const { return owner_.get(); }

 private:
  Win32FileDialogs dialogs_;
  UniqueWindow owner_;
  std::vector<std::string> made_;
};

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

TEST_F(FileDialogTest, OpenGivesThePickedFileAndLeavesTheCurrentDirectory) {
  const std::string list = MakeFile("list.pao");
  const std::string before = CurrentDirectory();
  ASSERT_NE(before, folder);
  EXPECT_EQ(Show(Request(FileDialogKind::kOpen, "*.pao|*.pao|"), {"list.pao", true, folder}), list);
  EXPECT_TRUE(seen.dialog);
  EXPECT_EQ(seen.owner, Owner());
  EXPECT_EQ(seen.file_types, std::vector<std::string>{"*.pao"});
  EXPECT_TRUE(seen.boxes.empty());
  EXPECT_EQ(CurrentDirectory(), before);
}

// Folders named outside the ANSI code page: the path comes back whole, in UTF-8.
TEST_F(FileDialogTest, APathInAnyLanguageComesBackWhole) {
  const std::string named = folder +
                            "\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B "
                            "\xE7\xA8\x8B\xE5\xBA\x8F";  // "Программы 程序"
  ASSERT_TRUE(CreateDirectoryW(Widen(named).c_str(), nullptr));
  const std::string sound = named + "\\\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA.wav";  // "звук.wav"
  {
    UniqueFile file(CreateFileW(Widen(sound).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file);
  }
  EXPECT_EQ(Show(Request(FileDialogKind::kOpen, "*.wav|*.wav|"), {sound}), sound);
  const std::string saved = named + "\\list.pao";
  EXPECT_EQ(Show(Request(FileDialogKind::kSave, "*.pao|*.pao|"), {saved}), saved);
  DeleteFileW(Widen(sound).c_str());
  RemoveDirectoryW(Widen(named).c_str());
}

TEST_F(FileDialogTest, CancelGivesNothing) {
  EXPECT_EQ(Show(Request(FileDialogKind::kOpen, "*.wav|*.wav|"), {""}), std::nullopt);
  EXPECT_EQ(seen.file_types, std::vector<std::string>{"*.wav"});
  EXPECT_EQ(Show(Request(FileDialogKind::kSave, "*.pao|*.pao|"), {""}), std::nullopt);
  EXPECT_TRUE(seen.dialog);
}

TEST_F(FileDialogTest, FiltersBecomePairsOfDescriptionAndPattern) {
  Show(Request(FileDialogKind::kOpen, "Block lists|*.pao|All files|*.*|"), {""});
  EXPECT_EQ(seen.file_types, (std::vector<std::string>{"Block lists", "All files"}));
  Show(Request(FileDialogKind::kOpen, "*.wav|*.wav"), {""});
  EXPECT_EQ(seen.file_types, std::vector<std::string>{"*.wav"});
  // A description without its pattern, or an empty text, would end the list early.
  Show(Request(FileDialogKind::kOpen, "|*.x|Lists|*.pao|Sounds"), {""});
  EXPECT_EQ(seen.file_types, std::vector<std::string>{"Lists"});
}

// "Списки (*.спс)": a description, a pattern and a default extension of another script reach
// the dialog whole. (Given a default extension, the dialog adds the chosen filter's extension
// when the filter names one, and the default extension itself when the filter is "*.*".)
TEST_F(FileDialogTest, AFilterAndADefaultExtensionOfAnyScriptAreShownAndAddedWhole) {
  const std::string lists = "\xD0\xA1\xD0\xBF\xD0\xB8\xD1\x81\xD0\xBA\xD0\xB8";
  const std::string extension = "\xD1\x81\xD0\xBF\xD1\x81";
  const std::string bare = Path("export");
  auto named = Request(FileDialogKind::kSave, lists + " (*." + extension + ")|*." + extension + "|");
  named.default_extension = "pao";
  EXPECT_EQ(Show(named, {bare}), bare + "." + extension);
  EXPECT_EQ(seen.file_types, std::vector<std::string>{lists + " (*." + extension + ")"});
  auto any = Request(FileDialogKind::kSave, lists + "|*.*|");
  any.default_extension = extension;
  EXPECT_EQ(Show(any, {bare}), bare + "." + extension);
  EXPECT_EQ(seen.file_types, std::vector<std::string>{lists});
}

TEST_F(FileDialogTest, WithoutADefaultExtensionATypedNameStaysAsTyped) {
  const std::string bare = Path("export");
  EXPECT_EQ(Show(Request(FileDialogKind::kSave, "*.pao|*.pao|"), {bare}), bare);
  auto with_default = Request(FileDialogKind::kSave, "*.pao|*.pao|");
  with_default.default_extension = "pao";
  EXPECT_EQ(Show(with_default, {bare}), bare + ".pao");
}

TEST_F(FileDialogTest, SaveOverAnExistingFileAsksWhenTold) {
  const std::string existing = MakeFile("old.pao");
  const auto request = Request(FileDialogKind::kSave, "*.pao|*.pao|");
  EXPECT_EQ(Show(request, {existing, true}), existing);
  EXPECT_EQ(seen.boxes.size(), 1u);
  EXPECT_EQ(Show(request, {existing, false}), std::nullopt);
  EXPECT_EQ(seen.boxes.size(), 1u);

  auto quiet = request;
  quiet.confirm_overwrite = false;
  EXPECT_EQ(Show(quiet, {existing}), existing);
  EXPECT_TRUE(seen.boxes.empty());
}

TEST_F(FileDialogTest, OpenOfAMissingFileIsRefusedWhenTold) {
  const std::string missing = Path("missing.pao");
  auto request = Request(FileDialogKind::kOpen, "*.pao|*.pao|");
  EXPECT_EQ(Show(request, {missing}), std::nullopt);
  EXPECT_EQ(seen.boxes.size(), 1u);

  request.file_must_exist = false;
  EXPECT_EQ(Show(request, {missing}), missing);
  EXPECT_TRUE(seen.boxes.empty());
}

TEST_F(FileDialogTest, ANameInAFolderThatDoesNotExistIsRefused) {
  auto request = Request(FileDialogKind::kSave, "*.pao|*.pao|");
  EXPECT_EQ(Show(request, {folder + "\\no such folder\\list.pao"}), std::nullopt);
  EXPECT_EQ(seen.boxes.size(), 1u);
}

TEST_F(FileDialogTest, APathLongerThanTheCapacityGivesNothingNotACutPath) {
  const std::string list = MakeFile("a-rather-long-file-name-for-a-block-list.pao");
  auto request = Request(FileDialogKind::kOpen, "*.pao|*.pao|");
  request.path_capacity = 16;
  EXPECT_EQ(Show(request, {list}), std::nullopt);
  request.path_capacity = list.size() + 1;
  EXPECT_EQ(Show(request, {list}), list);
}

}  // namespace
}  // namespace quellix::win32
