// The behaviour the product relies on from its platform, checked against the simulated
// platform natively and against the real Win32 platform under Wine.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "contract/platform_under_test.h"
#include "engine/young_frames.h"
#include "engine/window_inspection.h"
#include "settings/settings_store.h"
#include "text/text.h"
#include "text/utf8.h"

namespace quellix::contract {
namespace {

using platform::RegistryRoot;
using platform::WindowId;

constexpr std::uint32_t kPopup = 0x80000000;         // WS_POPUP
constexpr std::uint32_t kOverlapped = 0x00CF0000;    // WS_OVERLAPPEDWINDOW
constexpr std::uint32_t kPopupCaption = 0x80C00000;  // WS_POPUP | WS_CAPTION

class PlatformContract : public ::testing::Test {
 protected:
  std::unique_ptr<PlatformUnderTest> p = MakePlatformUnderTest();
  platform::Services s = p->Services();

  std::vector<WindowId> Walk() {
    std::vector<WindowId> order;
    for (WindowId w = s.desktop.FirstWindow(p->Anchor()); w != 0 && order.size() < 100000;
         w = s.desktop.NextWindow(w))
      order.push_back(w);
    return order;
  }
  static std::ptrdiff_t IndexOf(const std::vector<WindowId>& order, WindowId w) {
    return std::find(order.begin(), order.end(), w) - order.begin();
  }
};

TEST_F(PlatformContract, WalkSeesOtherProgramsWindowsNewestAbove) {
  const WindowId older = p->Open({"IEFrame", "Older - Microsoft Internet Explorer", kOverlapped});
  const WindowId newer = p->Open({"MozillaWindowClass", "Newer - Mozilla", kOverlapped});
  const auto order = Walk();
  ASSERT_LT(IndexOf(order, newer), static_cast<std::ptrdiff_t>(order.size()));
  ASSERT_LT(IndexOf(order, older), static_cast<std::ptrdiff_t>(order.size()));
  EXPECT_LT(IndexOf(order, newer), IndexOf(order, older));
  EXPECT_EQ(s.desktop.NextWindow(order.back()), 0u);
}

TEST_F(PlatformContract, ClassAndCaptionAreReadExactly) {
  const std::string caption = "Caf\xC3\xA9 Offers - Microsoft Internet Explorer";
  const WindowId w = p->Open({"IEFrame", caption, kOverlapped});
  EXPECT_EQ(engine::ReadWindowClass(s.desktop, w), "IEFrame");
  EXPECT_EQ(s.desktop.Text(w, caption.size() + 1), caption);
  EXPECT_EQ(s.desktop.Text(w, 5), "Caf\xC3\xA9");  // four characters and the NUL
  EXPECT_EQ(engine::ReadWindowTitle(s.desktop, w), "Caf\xC3\xA9 Offers");
  const WindowId moz = p->Open({"MozillaWindowClass", "x", kOverlapped});
  EXPECT_TRUE(engine::IsMozillaClass(engine::ReadWindowClass(s.desktop, moz)));
}

TEST_F(PlatformContract, ADialogsControlsAreReadWholeAndAPostedClickPressesOneButton) {
  const std::string message = "Your trial ends in 3 days \xE2\x80\x94 \xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9";
  const WindowId dialog = p->OpenDialog("Trial", message, {"Buy &now", "Remind me &later"});
  p->Settle();
  const auto controls = s.desktop.ChildControls(dialog, 2000);
  ASSERT_TRUE(controls);
  const auto find = [&](const std::string& text) -> const platform::ChildControl* {
    for (const platform::ChildControl& c : *controls)
      if (c.text == text) return &c;
    return nullptr;
  };
  const platform::ChildControl* shown = find(message);
  ASSERT_NE(shown, nullptr);  // whole, in UTF-8
  EXPECT_EQ(text::LowerCase(shown->class_name), "static");
  const platform::ChildControl* later = find("Remind me &later");
  ASSERT_NE(later, nullptr);
  EXPECT_EQ(text::LowerCase(later->class_name), "button");
  EXPECT_TRUE(later->visible);
  ASSERT_NE(find("Buy &now"), nullptr);
  EXPECT_EQ(p->PressedButton(dialog), "");
  s.desktop.PostButtonClick(dialog, *later);
  p->Settle();
  EXPECT_EQ(p->PressedButton(dialog), "Remind me &later");  // that one, and no other
}

TEST_F(PlatformContract, CaptionsInAnyScriptAreReadWholeAndCutByUtf16Units) {
  // "Выиграй iPhone", "免费抽奖" and "Gift ideas 🎄": none of them has a form in the Western page.
  for (const std::string caption :
       {"\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9 iPhone",
        "\xE5\x85\x8D\xE8\xB4\xB9\xE6\x8A\xBD\xE5\xA5\x96", "Gift ideas \xF0\x9F\x8E\x84"}) {
    const WindowId w = p->Open({"IEFrame", caption, kOverlapped});
    EXPECT_EQ(s.desktop.Text(w, 100), caption);
    EXPECT_EQ(engine::ReadWindowTitle(s.desktop, w), caption);
  }
  // 98 letters and an emoji take 100 UTF-16 units: the emoji goes whole, never half of it.
  const WindowId pair = p->Open({"IEFrame", std::string(98, 'x') + "\xF0\x9F\x8E\x81", kOverlapped});
  EXPECT_EQ(s.desktop.Text(pair, 100), std::string(98, 'x'));
  EXPECT_EQ(s.desktop.Text(pair, 101), std::string(98, 'x') + "\xF0\x9F\x8E\x81");
  // 120 Cyrillic letters, two bytes each: the title keeps 99 of them.
  std::string long_cyrillic, cut;
  for (int i = 0; i < 120; ++i) long_cyrillic += "\xD0\x96";  // "Ж"
  for (int i = 0; i < 99; ++i) cut += "\xD0\x96";
  const WindowId cyrillic = p->Open({"IEFrame", long_cyrillic, kOverlapped});
  EXPECT_EQ(engine::ReadWindowTitle(s.desktop, cyrillic), cut);
}

TEST_F(PlatformContract, CodePageLowerCasesCharactersOfEveryScript) {
  std::string utf8 = "left over";
  // "Café OFFERS ŠŒŸ ×€ ПРИЗ ΔΩ ＡＢ", and an emoji that has no case.
  s.code_page.LowerUtf8(
      "Caf\xC3\x89 OFFERS \xC5\xA0\xC5\x92\xC5\xB8 \xC3\x97\xE2\x82\xAC "
      "\xD0\x9F\xD0\xA0\xD0\x98\xD0\x97 \xCE\x94\xCE\xA9 \xEF\xBC\xA1\xEF\xBC\xA2 \xF0\x9F\x8E\x81",
      utf8);
  EXPECT_EQ(utf8,
            "caf\xC3\xA9 offers \xC5\xA1\xC5\x93\xC3\xBF \xC3\x97\xE2\x82\xAC "
            "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB7 \xCE\xB4\xCF\x89 \xEF\xBD\x81\xEF\xBD\x82 \xF0\x9F\x8E\x81");
  s.code_page.LowerUtf8(std::string("A\0B", 3), utf8);
  EXPECT_EQ(utf8, std::string("a\0b", 3));
  s.code_page.LowerUtf8(std::string(300, 'Q'), utf8);
  EXPECT_EQ(utf8, std::string(300, 'q'));
  s.code_page.LowerUtf8("", utf8);
  EXPECT_EQ(utf8, "");
}

TEST_F(PlatformContract, CodePageWritesTextInTheWesternPageOnlyWhenEveryCharacterHasAFormThere) {
  // The machines this suite runs on use the Western code page (1252).
  EXPECT_EQ(s.code_page.AnsiFromUtf8("Caf\xC3\xA9, \xE2\x82\xAC \xC5\xA0 \"x\"\r\n"),
            "Caf\xE9, \x80 \x8A \"x\"\r\n");
  EXPECT_EQ(s.code_page.AnsiFromUtf8(""), "");
  EXPECT_EQ(s.code_page.AnsiFromUtf8("?"), "?");  // a question mark of its own is exact
  // A character the page lacks makes no ANSI form at all, never "?" or a look-alike: a
  // full-width quote or comma must not become one the list reader acts on.
  for (const char* lacking : {"\xE4\xB8\xAD", "a\xEF\xBC\x82", "\xEF\xBC\x8C", "\xC4\x80", "\xD0\x96",
                              "\xF0\x9F\x8E\x81"})
    EXPECT_FALSE(s.code_page.AnsiFromUtf8(lacking).has_value()) << lacking;
  for (const char* invalid : {"\xC3(", "\xFF", "\xC0\xAF", "ok\xE2\x82", "\xED\xA0\x80"})
    EXPECT_FALSE(s.code_page.AnsiFromUtf8(invalid).has_value()) << invalid;
}

TEST_F(PlatformContract, CodePageReadsWesternTextIntoUtf8) {
  EXPECT_EQ(s.code_page.Utf8FromAnsi("Caf\xE9, \x80 \x8A \xFF\r\n"),
            "Caf\xC3\xA9, \xE2\x82\xAC \xC5\xA0 \xC3\xBF\r\n");
  EXPECT_EQ(s.code_page.Utf8FromAnsi(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(s.code_page.Utf8FromAnsi(""), "");
  for (int b = 1; b < 256; ++b) {
    const std::string ansi(1, static_cast<char>(b));
    const std::string utf8 = s.code_page.Utf8FromAnsi(ansi);
    EXPECT_TRUE(text::IsUtf8(utf8)) << b;
    // What the page reads, it writes back as it was.
    if (utf8 != "\xEF\xBF\xBD") {
      EXPECT_EQ(s.code_page.AnsiFromUtf8(utf8), ansi) << b;
    }
  }
}

TEST_F(PlatformContract, LongCaptionsAreCutTo99Characters) {
  const WindowId w = p->Open({"IEFrame", std::string(150, 'x') + " - IE", kOverlapped});
  EXPECT_EQ(engine::ReadWindowTitle(s.desktop, w), std::string(99, 'x'));
  const WindowId empty = p->Open({"IEFrame", "", kOverlapped});
  EXPECT_EQ(engine::ReadWindowTitle(s.desktop, empty), "");
}

TEST_F(PlatformContract, StyleBitsAreReported) {
  const WindowId full = p->Open({"IEFrame", "full", kOverlapped});
  EXPECT_TRUE(engine::HasMaxButton(s.desktop, full));
  EXPECT_TRUE(engine::HasMinButton(s.desktop, full));
  EXPECT_TRUE(engine::HasTitleBar(s.desktop, full));
  const WindowId bare = p->Open({"IEFrame", "bare", kPopup});
  EXPECT_FALSE(engine::HasMaxButton(s.desktop, bare));
  EXPECT_FALSE(engine::HasMinButton(s.desktop, bare));
  EXPECT_FALSE(engine::HasTitleBar(s.desktop, bare));
  const WindowId captioned = p->Open({"IEFrame", "captioned", kPopupCaption});
  EXPECT_TRUE(engine::HasTitleBar(s.desktop, captioned));
  EXPECT_FALSE(engine::HasMaxButton(s.desktop, captioned));
}

TEST_F(PlatformContract, WindowsTellWhetherTheyAreShownAndWhichProgramOwnsThem) {
  const WindowId w = p->Open({"Chrome_WidgetWin_1", "Page - Browser", kOverlapped});
  EXPECT_TRUE(engine::IsVisible(s.desktop, w));  // the helper shows what it opens
  const std::uint32_t process = s.desktop.ProcessId(w);
  ASSERT_NE(process, 0u);
  const std::string path = s.desktop.ProcessImagePath(process);
  const auto folder_end = path.find_last_of('\\');
  ASSERT_NE(folder_end, std::string::npos) << path;  // a full path
  EXPECT_EQ(text::LowerCase(path.substr(folder_end + 1)), "quellix_spawner.exe");
  EXPECT_FALSE(engine::IsChromiumProgram(path));
  EXPECT_EQ(s.desktop.ProcessId(0), 0u);
  EXPECT_EQ(s.desktop.ProcessImagePath(0), "");
}

TEST_F(PlatformContract, CloseRequestsArriveAndWindowsMayRefuseThem) {
  const WindowId obedient = p->Open({"IEFrame", "obedient", kOverlapped});
  const WindowId stubborn = p->Open({"IEFrame", "stubborn", kOverlapped, /*ignores_close=*/true});
  engine::CloseWindow(s.desktop, obedient);
  engine::CloseWindow(s.desktop, stubborn);
  p->Settle();
  EXPECT_EQ(p->CloseRequestsReceived(obedient), 1);
  EXPECT_EQ(p->CloseRequestsReceived(stubborn), 1);
  // A window that is gone reads as nothing; the one that refused is still there.
  EXPECT_EQ(engine::ReadWindowClass(s.desktop, obedient), "");
  EXPECT_EQ(engine::ReadWindowTitle(s.desktop, obedient), "");
  EXPECT_EQ(s.desktop.Style(obedient), 0u);
  EXPECT_EQ(s.desktop.NextWindow(obedient), 0u);
  EXPECT_EQ(engine::ReadWindowTitle(s.desktop, stubborn), "stubborn");
  EXPECT_EQ(s.desktop.FirstWindow(0), 0u);
}

// Windows only tell of renamed windows as well; Wine 8 tells another process's watch of
// windows made, not of renames, so renames are checked on the simulated desktop alone.
TEST_F(PlatformContract, AWindowWatchTellsOfWindowsOfOtherProgramsAsTheyAreMade) {
  std::vector<WindowId> seen;
  auto watch = s.desktop.WatchWindows([&seen](WindowId window) { seen.push_back(window); });
  ASSERT_TRUE(watch);
  const auto told_of = [&](WindowId window) {
    for (int i = 0; i < 100; ++i) {
      if (std::count(seen.begin(), seen.end(), window) > 0) return true;
      p->DeliverWindowEvents(20);
    }
    return false;
  };
  const WindowId popup = p->Open({"IEFrame", "Cheap Offers - Microsoft Internet Explorer", kOverlapped});
  EXPECT_TRUE(told_of(popup));
  EXPECT_EQ(engine::ReadWindowTitle(s.desktop, popup), "Cheap Offers");  // the caption is set by then

  // Once the watch is gone, nothing more is told.
  watch.reset();
  seen.clear();
  const WindowId later = p->Open({"IEFrame", "Later - Microsoft Internet Explorer", kOverlapped});
  p->DeliverWindowEvents(300);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), later), 0);
}

class RegistryContract : public PlatformContract {
 protected:
  // A key of its own for each test, below the current user's hive.
  std::string key = "Software\\QuellixContract\\" +
                    std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
  settings::SettingText Read(std::string_view name, std::string_view path = {}) {
    return settings::ReadSetting(s.registry, RegistryRoot::kCurrentUser, path.empty() ? key : path, name);
  }
  void PutRaw(std::string_view name, std::uint32_t type, std::string_view bytes) {
    const auto k =
        s.registry.CreateKey(RegistryRoot::kCurrentUser, key, "", true, platform::regaccess::kFullAccess);
    ASSERT_NE(k, 0u);
    ASSERT_TRUE(s.registry.SetValue(k, name, type, bytes));
    s.registry.CloseKey(k);
  }
};

TEST_F(RegistryContract, TextRoundTripsWithoutNul) {
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key, "v", "1"));
  const auto k = s.registry.OpenKey(RegistryRoot::kCurrentUser, key, platform::regaccess::kRead);
  ASSERT_NE(k, 0u);
  const auto data = s.registry.QueryValue(k, "v", 1024);
  const auto tight = s.registry.QueryValue(k, "v", 1);
  s.registry.CloseKey(k);
  EXPECT_TRUE(data.ok);
  EXPECT_EQ(data.type, platform::regtype::kString);
  // The query adds a terminator that was not stored, and needs room for it.
  EXPECT_EQ(data.bytes, std::string("1\0", 2));
  EXPECT_FALSE(tight.ok);
  EXPECT_EQ(Read("v").text, "1");
}

TEST_F(RegistryContract, TrailingBackslashNamesTheSameKey) {
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key + "\\", "v", "slash"));
  EXPECT_EQ(Read("v").text, "slash");
  EXPECT_EQ(Read("v", key + "\\").text, "slash");
}

TEST_F(RegistryContract, EmptyTextIsAPresentValue) {
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key, "empty", ""));
  const auto read = Read("empty");
  EXPECT_TRUE(read.found);
  EXPECT_EQ(read.text, "");
  EXPECT_FALSE(Read("absent").found);
  EXPECT_FALSE(Read("v", key + "\\no\\such\\key").found);
}

TEST_F(RegistryContract, ValuesOfOtherProgramsWithNulAndOtherTypes) {
  PutRaw("nul", platform::regtype::kString, std::string("1\0", 2));
  EXPECT_EQ(Read("nul").text, "1");
  PutRaw("dword", platform::regtype::kDword, std::string("\x01\x00\x00\x00", 4));
  EXPECT_EQ(Read("dword").text, "&h001");
  // Other types hold nothing the product wrote: they read as missing.
  PutRaw("binary", platform::regtype::kBinary, "1");
  EXPECT_FALSE(Read("binary").found);
  EXPECT_EQ(Read("binary").text, "");
  PutRaw("expand", platform::regtype::kExpandString, std::string("1\0", 2));
  EXPECT_FALSE(Read("expand").found);
  PutRaw("qword", platform::regtype::kQword, std::string("\x01\0\0\0\0\0\0\0", 8));
  EXPECT_FALSE(Read("qword").found);
}

TEST_F(RegistryContract, ValuesOver1024BytesAreNotRead) {
  ASSERT_TRUE(
      settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key, "fits", std::string(1024, 'f')));
  ASSERT_TRUE(
      settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key, "long", std::string(1025, 'l')));
  EXPECT_EQ(Read("fits").text, std::string(1024, 'f'));
  EXPECT_FALSE(Read("long").found);
  EXPECT_EQ(Read("long").text, "");
}

TEST_F(RegistryContract, KeysOpenedForReadingCannotBeWritten) {
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key, "v", "1"));
  const auto k = s.registry.OpenKey(RegistryRoot::kCurrentUser, key, platform::regaccess::kRead);
  ASSERT_NE(k, 0u);
  EXPECT_FALSE(s.registry.SetValue(k, "v", platform::regtype::kString, "2"));
  s.registry.CloseKey(k);
  EXPECT_EQ(Read("v").text, "1");
}

// The per-user layer of a machine-wide key, on the real registry.
TEST_F(RegistryContract, ThePerUserValueWinsOverTheMachineValue) {
  const auto raw = [&](RegistryRoot root, std::string_view name) {
    const auto k = s.registry.OpenKey(root, key, platform::regaccess::kRead);
    const auto data = k != 0 ? s.registry.QueryValue(k, name, 1025) : platform::RegistryData{};
    if (k != 0) s.registry.CloseKey(k);
    return data.ok ? settings::SettingDataText(data.type, data.bytes) : std::string("<absent>");
  };
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kLocalMachine, key, "both", "machine"));
  ASSERT_TRUE(
      settings::WriteSetting(s.registry, RegistryRoot::kLocalMachine, key, "machine only", "machine"));
  ASSERT_EQ(raw(RegistryRoot::kLocalMachine, "both"), "machine");
  ASSERT_EQ(raw(RegistryRoot::kCurrentUser, "both"), "<absent>");
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key, "both", "user"));

  EXPECT_EQ(settings::ReadSetting(s.registry, RegistryRoot::kLocalMachine, key, "both").text, "user");
  EXPECT_EQ(settings::ReadSetting(s.registry, RegistryRoot::kLocalMachine, key, "machine only").text,
            "machine");
  {
    const settings::KeyReader reader(s.registry, RegistryRoot::kLocalMachine, key + "\\");
    EXPECT_EQ(reader.Read("both").text, "user");
    EXPECT_EQ(reader.Read("machine only").text, "machine");
    EXPECT_FALSE(reader.Read("neither").found);
  }
  // The next write goes where the value is read from; the machine value stays as it was.
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kLocalMachine, key, "both", "again"));
  EXPECT_EQ(raw(RegistryRoot::kCurrentUser, "both"), "again");
  EXPECT_EQ(raw(RegistryRoot::kLocalMachine, "both"), "machine");
  // An update with what is read already writes nothing: no per-user copy appears.
  ASSERT_TRUE(
      settings::UpdateSetting(s.registry, RegistryRoot::kLocalMachine, key, "machine only", "machine"));
  EXPECT_EQ(raw(RegistryRoot::kCurrentUser, "machine only"), "<absent>");
  // A per-user value of another type lets the machine value show.
  const auto user_key =
      s.registry.CreateKey(RegistryRoot::kCurrentUser, key, "", true, platform::regaccess::kFullAccess);
  ASSERT_NE(user_key, 0u);
  ASSERT_TRUE(s.registry.SetValue(user_key, "machine only", platform::regtype::kBinary, "0"));
  s.registry.CloseKey(user_key);
  EXPECT_EQ(settings::ReadSetting(s.registry, RegistryRoot::kLocalMachine, key, "machine only").text,
            "machine");
}

// The watch is told on another thread on Win32, so a change may take a moment to show.
bool ChangeSeen(platform::RegistryWatch& watch) {
  for (int i = 0; i < 200; ++i) {
    if (watch.TakeChange()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

TEST_F(RegistryContract, AWatchSeesValuesSetAndKeysMadeAndNothingElse) {
  const std::string watched = key + "\\watched";
  const auto watch =
      s.registry.WatchKeys({{RegistryRoot::kCurrentUser, watched}, {RegistryRoot::kLocalMachine, key}});
  ASSERT_TRUE(watch);
  EXPECT_TRUE(watch->TakeChange());  // the first call, so a cache fills itself
  EXPECT_FALSE(watch->TakeChange());

  // The watched key does not exist yet: making it and setting a value in it are changes.
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, watched, "0", "1"));
  EXPECT_TRUE(ChangeSeen(*watch));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  watch->TakeChange();
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, watched, "0", "0"));
  EXPECT_TRUE(ChangeSeen(*watch));
  EXPECT_FALSE(watch->TakeChange());

  // A value beside the watched key is not.
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kCurrentUser, key, "beside", "1"));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(watch->TakeChange());

  // The second key, machine-wide, is watched as well.
  ASSERT_TRUE(settings::WriteSetting(s.registry, RegistryRoot::kLocalMachine, key, "1", "1"));
  EXPECT_TRUE(ChangeSeen(*watch));
}

class FileContract : public PlatformContract {
 protected:
  std::string path = p->Folder() + "\\file.bin";
};

TEST_F(FileContract, WriteAtCreatesAndExtends) {
  EXPECT_FALSE(s.files.FileSize(path));
  EXPECT_FALSE(s.files.ReadFile(path));
  ASSERT_TRUE(s.files.WriteAt(path, 0, "abc"));
  ASSERT_TRUE(s.files.WriteAt(path, 5, std::string("x\0y", 3)));
  EXPECT_EQ(s.files.FileSize(path), 8u);
  const std::string expected("abc\0\0x\0y", 8);
  EXPECT_EQ(s.files.ReadFile(path), expected);
  ASSERT_TRUE(s.files.WriteAt(path, 1, "B"));
  EXPECT_EQ(s.files.ReadFile(path), std::string("aBc\0\0x\0y", 8));
}

TEST_F(FileContract, WriteNewFileNeverTouchesAnExistingFileAndReplaceMovesOver) {
  using platform::NewFile;
  ASSERT_EQ(s.files.WriteNewFile(path, "old contents"), NewFile::kWritten);
  EXPECT_EQ(s.files.WriteNewFile(path, "short"), NewFile::kExists);
  EXPECT_EQ(s.files.ReadFile(path), "old contents");
  const std::string other = p->Folder() + "\\other.tmp";
  ASSERT_EQ(s.files.WriteNewFile(other, "new\r\n"), NewFile::kWritten);
  ASSERT_TRUE(s.files.ReplaceFile(other, path));
  EXPECT_EQ(s.files.ReadFile(path), "new\r\n");
  EXPECT_FALSE(s.files.FileSize(other));
  EXPECT_FALSE(s.files.ReplaceFile(other, path));
  EXPECT_FALSE(s.files.LastError().empty());
  ASSERT_TRUE(s.files.RemoveFile(path));
  ASSERT_EQ(s.files.WriteNewFile(path, ""), NewFile::kWritten);
  EXPECT_EQ(s.files.FileSize(path), 0u);
}

TEST_F(FileContract, AStampTellsSizeAndTimeAndChangesWithTheFile) {
  EXPECT_FALSE(s.files.Stamp(path));
  EXPECT_FALSE(s.files.LastError().empty());
  EXPECT_FALSE(s.files.Stamp(p->Folder()));  // a folder is no file
  const std::uint64_t before = s.files.Now();
  ASSERT_EQ(s.files.WriteNewFile(path, "abc"), platform::NewFile::kWritten);
  const std::optional<platform::FileStamp> first = s.files.Stamp(path);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->size, 3u);
  // File times may be rounded to a coarser unit than the clock's.
  EXPECT_GE(first->modified + 20'000'000, before);
  EXPECT_LE(first->modified, s.files.Now() + 20'000'000);
  EXPECT_EQ(s.files.Stamp(path), first);  // nothing changed, nothing differs
  ASSERT_TRUE(s.files.WriteAt(path, 3, "defg"));
  const std::optional<platform::FileStamp> second = s.files.Stamp(path);
  ASSERT_TRUE(second);
  EXPECT_EQ(second->size, 7u);
  EXPECT_GE(second->modified, first->modified);
}

TEST_F(FileContract, RemoveToleratesMissingFiles) {
  ASSERT_EQ(s.files.WriteNewFile(path, "x"), platform::NewFile::kWritten);
  EXPECT_TRUE(s.files.RemoveFile(path));
  EXPECT_FALSE(s.files.FileSize(path));
  EXPECT_TRUE(s.files.RemoveFile(path));
}

TEST_F(FileContract, ReadAtGivesAPieceAndNothingPastTheEnd) {
  EXPECT_FALSE(s.files.ReadAt(path, 0, 4));
  ASSERT_TRUE(s.files.WriteAt(path, 0, "0123456789"));
  EXPECT_EQ(s.files.ReadAt(path, 2, 3), "234");
  EXPECT_EQ(s.files.ReadAt(path, 8, 100), "89");
  EXPECT_EQ(s.files.ReadAt(path, 10, 4), "");
  EXPECT_EQ(s.files.ReadAt(path, 1000, 4), "");
}

TEST_F(FileContract, FoldersAreMadeOneLevelAtATimeAndTheLocalDataFolderIsNamed) {
  const std::string made = p->Folder() + "\\made";
  ASSERT_TRUE(s.files.CreateFolder(made));
  EXPECT_TRUE(s.files.CreateFolder(made));  // there already
  ASSERT_TRUE(s.files.WriteAt(made + "\\inside.txt", 0, "x"));
  EXPECT_EQ(s.files.FindFiles(made, "inside").size(), 1u);
  EXPECT_FALSE(s.files.CreateFolder(p->Folder() + "\\missing\\deeper"));  // no parent
  EXPECT_FALSE(s.files.LastError().empty());
  ASSERT_TRUE(s.files.WriteAt(path, 0, "x"));
  EXPECT_FALSE(s.files.CreateFolder(path));  // a file has that name
  EXPECT_EQ(s.files.ReadFile(path), "x");
  const std::string local = s.files.LocalAppDataFolder();
  ASSERT_FALSE(local.empty());
  EXPECT_NE(local.back(), '\\');
  EXPECT_TRUE(s.files.CreateFolder(local));  // it exists
}

TEST_F(FileContract, FindFilesListsTheFolderByPrefixWithTimesFromTheSameClock) {
  const std::string folder = p->Folder();
  const std::uint64_t before = s.files.Now();
  ASSERT_TRUE(s.files.WriteAt(folder + "\\list.apo.~1.tmp", 0, "a"));
  ASSERT_TRUE(s.files.WriteAt(folder + "\\list.apo.~2.tmp", 0, "b"));
  ASSERT_TRUE(s.files.WriteAt(folder + "\\other.apo", 0, "c"));
  std::vector<std::string> names;
  for (const platform::FoundFile& found : s.files.FindFiles(folder, "LIST.apo.~")) {
    names.push_back(text::LowerCase(found.name));
    // File times may be rounded to a coarser unit than the clock's.
    EXPECT_GE(found.modified + 20'000'000, before) << found.name;
    EXPECT_LE(found.modified, s.files.Now() + 20'000'000) << found.name;
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"list.apo.~1.tmp", "list.apo.~2.tmp"}));
  EXPECT_TRUE(s.files.FindFiles(folder + "\\missing", "").empty());
}

TEST_F(PlatformContract, ClockAndSound) {
  EXPECT_FALSE(s.clock.DateText().empty());
  EXPECT_FALSE(s.clock.TimeText().empty());
  EXPECT_LE(s.clock.DateText().size(), 32u);
  EXPECT_TRUE(text::IsUtf8(s.clock.DateText()));
  EXPECT_TRUE(text::IsUtf8(s.clock.TimeText()));
  const std::string date = s.clock.IsoDateText();
  ASSERT_EQ(date.size(), 10u) << date;
  EXPECT_TRUE(date[4] == '-' && date[7] == '-') << date;
  EXPECT_EQ(date.find_first_not_of("0123456789-"), std::string::npos) << date;
  EXPECT_GE(std::stoi(date.substr(0, 4)), 2000) << date;
  EXPECT_TRUE(std::stoi(date.substr(5, 2)) >= 1 && std::stoi(date.substr(5, 2)) <= 12) << date;
  EXPECT_TRUE(std::stoi(date.substr(8, 2)) >= 1 && std::stoi(date.substr(8, 2)) <= 31) << date;
  const std::string time = s.clock.ClockTime();
  ASSERT_EQ(time.size(), 8u) << time;
  EXPECT_TRUE(time[2] == ':' && time[5] == ':') << time;
  EXPECT_LT(std::stoi(time.substr(0, 2)), 24) << time;
  const std::uint64_t before = s.clock.MonotonicMs();
  EXPECT_GE(s.clock.MonotonicMs(), before);
  // Returns at once, for a missing file too.
  s.sound.PlayWaveAsync(p->Folder() + "\\missing.wav");
}

}  // namespace
}  // namespace quellix::contract
