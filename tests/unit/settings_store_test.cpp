#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_registry.h"
#include "text/text.h"

namespace quellix::settings {
namespace {

using platform::RegistryRoot;
namespace regtype = platform::regtype;

class SettingsStoreTest : public ::testing::Test {
 protected:
  sim::SimRegistry registry;
  SettingText Read(std::string_view name) { return ReadSetting(registry, kProductRoot, kProductKey, name); }
  void Put(std::string_view name, std::uint32_t type, std::string bytes) {
    registry.Put(kProductRoot, kProductKey, name, type, std::move(bytes));
  }
};

TEST_F(SettingsStoreTest, WrittenTextReadsBackWithoutAddedOrLostBytes) {
  EXPECT_TRUE(WriteSetting(registry, kProductRoot, kProductKeySlash, "7", "1"));
  auto stored = registry.Get(kProductRoot, kProductKey, "7");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->type, regtype::kString);
  EXPECT_EQ(stored->bytes, "1");  // no terminating NUL written
  const SettingText read = Read("7");
  EXPECT_TRUE(read.found);
  EXPECT_EQ(read.text, "1");
}

TEST_F(SettingsStoreTest, BothSpellingsOfTheProductKeyAreOneKey) {
  WriteSetting(registry, kProductRoot, kProductKey, "cnt", "41");
  EXPECT_EQ(ReadSetting(registry, kProductRoot, kProductKeySlash, "cnt").text, "41");
  EXPECT_EQ(ReadOption(registry, "CNT"), "41");
}

TEST_F(SettingsStoreTest, EmptyTextIsStoredAsZeroBytes) {
  EXPECT_TRUE(WriteOption(registry, "wavfile", ""));
  auto stored = registry.Get(kProductRoot, kProductKey, "wavfile");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->bytes, "");
  const SettingText read = Read("wavfile");
  EXPECT_TRUE(read.found);
  EXPECT_EQ(read.text, "");
}

TEST_F(SettingsStoreTest, WritingCreatesTheWholeKeyPathWithClassTextOne) {
  EXPECT_TRUE(WriteSetting(registry, RegistryRoot::kCurrentUser, "a\\b\\c", "v", "x"));
  for (const char* path : {"a", "a\\b", "a\\b\\c"}) {
    const auto* key = registry.GetKey(RegistryRoot::kCurrentUser, path);
    ASSERT_NE(key, nullptr) << path;
    EXPECT_EQ(key->class_text, "1");
    EXPECT_TRUE(key->non_volatile);
  }
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsStoreTest, OneTrailingNulIsDropped) {
  Put("0", regtype::kString, std::string("1\0", 2));
  EXPECT_EQ(Read("0").text, "1");
  Put("1", regtype::kString, std::string("1\0\0", 3));
  EXPECT_EQ(Read("1").text, std::string("1\0", 2));
}

TEST_F(SettingsStoreTest, ValuesUpTo1024BytesAreReadWhole) {
  Put("wavfile", regtype::kString, std::string(1024, 'x'));
  EXPECT_EQ(Read("wavfile").text, std::string(1024, 'x'));
  Put("wavfile", regtype::kString, std::string(1024, 'x') + '\0');
  EXPECT_EQ(Read("wavfile").text, std::string(1024, 'x'));
  Put("wavfile", regtype::kString, std::string(1025, 'x'));
  const SettingText read = Read("wavfile");
  EXPECT_FALSE(read.found);
  EXPECT_EQ(read.text, "");
}

TEST_F(SettingsStoreTest, MissingKeyOrValueReadsEmpty) {
  EXPECT_FALSE(Read("cnt").found);
  WriteOption(registry, "0", "1");
  const SettingText read = Read("cnt");
  EXPECT_FALSE(read.found);
  EXPECT_EQ(read.text, "");
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsStoreTest, DwordIsRenderedInHexFromTheLastByte) {
  Put("3", regtype::kDword, std::string("\x01\x00\x00\x00", 4));
  // The trailing zero byte is dropped like a NUL before the rendering.
  EXPECT_EQ(Read("3").text, "&h001");
  EXPECT_TRUE(text::IsOn(Read("3").text));
  Put("4", regtype::kDword, std::string("\x1A\x2B\x03\x04", 4));
  EXPECT_EQ(Read("4").text, "&h432B1A");
}

TEST_F(SettingsStoreTest, OtherTypesReadAsMissing) {
  Put("5", regtype::kBinary, "1");
  Put("6", regtype::kMultiString, std::string("1\0\0", 3));
  Put("7", regtype::kExpandString, "1");
  Put("cnt", regtype::kQword, std::string("\x01\0\0\0\0\0\0\0", 8));
  for (const char* name : {"5", "6", "7", "cnt"}) {
    const SettingText read = Read(name);
    EXPECT_FALSE(read.found) << name;
    EXPECT_EQ(read.text, "") << name;
  }
  // A write replaces such a value with text.
  EXPECT_TRUE(WriteOption(registry, "7", "1"));
  EXPECT_EQ(registry.Get(kProductRoot, kProductKey, "7")->type, regtype::kString);
  EXPECT_EQ(Read("7").text, "1");
}

TEST_F(SettingsStoreTest, ReadingAsksForReadAccessOnlySoReadOnlyAccountsSeeTheirOptions) {
  WriteOption(registry, "0", "1");
  registry.DenyAccess(RegistryRoot::kLocalMachine, "",
                      platform::regaccess::kSetValue | platform::regaccess::kCreateSubKey);
  EXPECT_EQ(ReadOption(registry, "0"), "1");
  EXPECT_EQ(registry.AccessRequests().back(), platform::regaccess::kRead);
  // Writing still asks for full access; the machine key refuses, so the per-user key takes
  // the value, and it is read back from there.
  EXPECT_TRUE(WriteOption(registry, "0", "0"));
  EXPECT_EQ(ReadOption(registry, "0"), "0");
  EXPECT_EQ(registry.Get(kProductRoot, kProductKey, "0")->bytes, "1");
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsStoreTest, DeniedKeyReadsEmpty) {
  WriteOption(registry, "0", "1");
  registry.DenyAccess(RegistryRoot::kLocalMachine, "software\\kelvane", platform::regaccess::kRead);
  EXPECT_FALSE(Read("0").found);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

// --- The per-user layer ---------------------------------------------------------------

constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;
constexpr std::uint32_t kWriteBits = platform::regaccess::kSetValue | platform::regaccess::kCreateSubKey;

class PerUserLayerTest : public SettingsStoreTest {
 protected:
  void PutUser(std::string_view name, std::string text) {
    registry.PutString(kUser, kProductKey, name, std::move(text));
  }
  std::string Stored(RegistryRoot root, std::string_view name) const {
    auto v = registry.Get(root, kProductKey, name);
    return v ? v->bytes : std::string("<absent>");
  }
  void RefuseMachineWrites() { registry.DenyAccess(RegistryRoot::kLocalMachine, "", kWriteBits); }
};

TEST_F(PerUserLayerTest, TheUsersValueWinsAndTheMachineValueFillsTheGaps) {
  // Stored machine-wide by an administrator.
  WriteOption(registry, "0", "0");
  WriteOption(registry, "1", "1");
  WriteOption(registry, "wavfile", "C:\\machine.wav");
  PutUser("0", "1");
  PutUser("wavfile", "");  // an empty value of the user's own still wins
  EXPECT_EQ(ReadOption(registry, "0"), "1");
  EXPECT_EQ(ReadOption(registry, "1"), "1");
  EXPECT_TRUE(ReadSetting(registry, kProductRoot, kProductKey, "wavfile").found);
  EXPECT_EQ(ReadOption(registry, "wavfile"), "");
  const KeyReader reader(registry, kProductRoot, kProductKeySlash);
  EXPECT_EQ(reader.Read("0").text, "1");
  EXPECT_EQ(reader.Read("1").text, "1");
  EXPECT_FALSE(reader.Read("cnt").found);
}

TEST_F(PerUserLayerTest, AWritableMachineKeyTakesNewValuesAndLeavesTheUsersKeyAlone) {
  EXPECT_TRUE(WriteOption(registry, "cnt", "5"));
  EXPECT_EQ(Stored(kProductRoot, "cnt"), "5");
  EXPECT_EQ(registry.GetKey(kUser, kProductKey), nullptr);
  // A value the user has already stays theirs, even where the machine key would take it.
  PutUser("7", "0");
  EXPECT_TRUE(WriteOption(registry, "7", "1"));
  EXPECT_EQ(Stored(kUser, "7"), "1");
  EXPECT_EQ(Stored(kProductRoot, "7"), "<absent>");
}

TEST_F(PerUserLayerTest, ARefusingMachineKeySendsEveryWriteToTheUserAndTheMachineValueStays) {
  WriteOption(registry, "stdt", "1/1/2020");
  RefuseMachineWrites();
  EXPECT_TRUE(WriteOption(registry, "stdt", "2/2/2022"));
  EXPECT_TRUE(WriteOption(registry, "refresh", "1"));
  EXPECT_EQ(Stored(kUser, "stdt"), "2/2/2022");
  EXPECT_EQ(Stored(kProductRoot, "stdt"), "1/1/2020");
  EXPECT_EQ(ReadOption(registry, "stdt"), "2/2/2022");
  EXPECT_EQ(ReadOption(registry, "refresh"), "1");
  const auto* user_key = registry.GetKey(kUser, kProductKey);
  ASSERT_NE(user_key, nullptr);
  EXPECT_EQ(user_key->class_text, "1");
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(PerUserLayerTest, AWriteThatNeitherKeyTakesFailsAndChangesNothing) {
  WriteOption(registry, "cnt", "5");
  RefuseMachineWrites();
  registry.DenyAccess(kUser, "", kWriteBits);
  EXPECT_FALSE(WriteOption(registry, "cnt", "6"));
  EXPECT_EQ(ReadOption(registry, "cnt"), "5");
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(PerUserLayerTest, AValueIsAlwaysReadBackFromWhereItWasLastWritten) {
  struct Case {
    const char* what;
    bool machine_refuses;
    const char* machine;  // nullptr: no such value
    const char* user;
    bool user_key_unreadable = false;
  };
  const std::string too_long(1025, 'x');
  const std::vector<Case> cases = {
      {"nothing stored", false, nullptr, nullptr},
      {"machine value only", false, "1", nullptr},
      {"user value only", false, nullptr, "1"},
      {"both", false, "1", "1"},
      {"refused, nothing stored", true, nullptr, nullptr},
      {"refused, machine value only", true, "1", nullptr},
      {"refused, both", true, "1", "1"},
      {"user value too long to read", false, "1", too_long.c_str()},
      {"refused, user value too long to read", true, "1", too_long.c_str()},
      {"user key unreadable", false, "1", "1", true},
  };
  for (const Case& c : cases) {
    sim::SimRegistry fresh;
    if (c.machine) fresh.PutString(kProductRoot, kProductKey, "v", c.machine);
    if (c.user) fresh.PutString(kUser, kProductKey, "v", c.user);
    if (c.machine_refuses) fresh.DenyAccess(RegistryRoot::kLocalMachine, "", kWriteBits);
    if (c.user_key_unreadable) fresh.DenyAccess(kUser, kProductKey, platform::regaccess::kQueryValue);
    for (const char* text : {"0", "", "12/8/2026"}) {
      EXPECT_TRUE(WriteOption(fresh, "v", text)) << c.what;
      EXPECT_EQ(ReadOption(fresh, "v"), text) << c.what;
      EXPECT_EQ(KeyReader(fresh, kProductRoot, kProductKey).Read("v").text, text) << c.what;
    }
    EXPECT_EQ(fresh.OpenHandles(), 0u) << c.what;
  }
}

TEST_F(PerUserLayerTest, AUserValueOfAnotherTypeLetsTheMachineValueShow) {
  struct Case {
    const char* what;
    std::uint32_t type;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"binary", regtype::kBinary, "0"},
      {"expandable text", regtype::kExpandString, std::string("0\0", 2)},
      {"multi-string", regtype::kMultiString, std::string("0\0\0", 3)},
      {"64-bit number", regtype::kQword, std::string(8, '\0')},
      {"no type", regtype::kNone, "0"},
      {"unknown type", 0x1234, "0"},
  };
  for (const Case& c : cases) {
    for (const bool machine_refuses : {false, true}) {
      sim::SimRegistry fresh;
      fresh.PutString(kProductRoot, kProductKey, "0", "1");
      fresh.Put(kUser, kProductKey, "0", c.type, c.bytes);
      if (machine_refuses) fresh.DenyAccess(RegistryRoot::kLocalMachine, "", kWriteBits);
      const SettingText read = ReadSetting(fresh, kProductRoot, kProductKeySlash, "0");
      EXPECT_TRUE(read.found) << c.what;
      EXPECT_EQ(read.text, "1") << c.what;
      EXPECT_EQ(KeyReader(fresh, kProductRoot, kProductKey).Read("0").text, "1") << c.what;
      // Writing what shows stores nothing; a new value goes where the rules send it and
      // reads back.
      EXPECT_TRUE(UpdateOption(fresh, "0", "1")) << c.what;
      EXPECT_TRUE(fresh.Writes(kUser).empty()) << c.what;
      EXPECT_TRUE(WriteOption(fresh, "0", "0")) << c.what;
      EXPECT_EQ(ReadOption(fresh, "0"), "0") << c.what;
      EXPECT_EQ(fresh.Get(machine_refuses ? kUser : kProductRoot, kProductKey, "0")->type, regtype::kString)
          << c.what;
      EXPECT_EQ(fresh.OpenHandles(), 0u) << c.what;
    }
  }
}

TEST_F(PerUserLayerTest, AnUpdateWritesOnlyWhenWhatReadingGivesChanges) {
  // Stored machine-wide by an administrator.
  WriteOption(registry, "0", "1");
  registry.Put(kProductRoot, kProductKey, "1", regtype::kString, std::string("1\0", 2));
  WriteOption(registry, "wavfile", "");
  const std::size_t machine_writes = registry.Writes(kProductRoot).size();
  for (const bool machine_refuses : {false, true}) {
    if (machine_refuses) RefuseMachineWrites();
    EXPECT_TRUE(UpdateOption(registry, "0", "1"));
    EXPECT_TRUE(UpdateOption(registry, "1", "1"));
    EXPECT_TRUE(UpdateOption(registry, "wavfile", ""));
    EXPECT_EQ(registry.GetKey(kUser, kProductKey), nullptr);
    EXPECT_TRUE(registry.Writes(kUser).empty());
    EXPECT_EQ(registry.Writes(kProductRoot).size(), machine_writes);
  }
  // A change is written, and so is the empty text where there was no value.
  EXPECT_TRUE(UpdateOption(registry, "0", "0"));
  EXPECT_TRUE(UpdateOption(registry, "7", ""));
  EXPECT_EQ(registry.Writes(kUser), (std::vector<std::string>{"software\\kelvane\\popup\\option\\0",
                                                              "software\\kelvane\\popup\\option\\7"}));
  // The user's own value, once there, is not written again with what it holds.
  EXPECT_TRUE(UpdateOption(registry, "0", "0"));
  EXPECT_EQ(registry.Writes(kUser).size(), 2u);
  // Keys without a second layer follow the same rule.
  EXPECT_TRUE(UpdateSetting(registry, kRunRoot, kRunKeyNt, kAutoStartValue, "\"C:\\q\\quellix.exe\""));
  EXPECT_TRUE(UpdateSetting(registry, kRunRoot, kRunKeyNt, kAutoStartValue, "\"C:\\q\\quellix.exe\""));
  EXPECT_EQ(registry.Writes(kUser).size(), 3u);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(PerUserLayerTest, TheReaderOpensOneKeyPerLayerOnceForAllItsReads) {
  WriteOption(registry, "0", "1");
  PutUser("1", "1");
  const std::size_t opens_before = registry.AccessRequests().size();
  {
    const KeyReader reader(registry, kProductRoot, kProductKeySlash);
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(reader.Read("0").text, "1");
      EXPECT_EQ(reader.Read("1").text, "1");
    }
    EXPECT_EQ(registry.OpenHandles(), 2u);
  }
  EXPECT_EQ(registry.AccessRequests().size() - opens_before, 2u);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

// A path in any language ("C:\Звуки\звук.wav") is kept as Unicode text, in the layer the
// rules choose; read as ANSI text it would come back with '?' where the code page has no
// character, so path values are read as paths.
TEST_F(PerUserLayerTest, APathIsKeptWholeAsUnicodeTextInEitherLayer) {
  const std::string sound =
      "C:\\\xD0\x97\xD0\xB2\xD1\x83\xD0\xBA\xD0\xB8\\\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA.wav";
  EXPECT_TRUE(WritePathOption(registry, "wavfile", sound));
  const auto machine = registry.Get(RegistryRoot::kLocalMachine, kProductKey, "wavfile");
  ASSERT_TRUE(machine);
  EXPECT_TRUE(machine->unicode);
  EXPECT_EQ(ReadPathOption(registry, "wavfile"), sound);
  EXPECT_EQ(ReadOption(registry, "wavfile"), "C:\\?????\\????.wav");

  RefuseMachineWrites();
  const std::string other = sound + "2";
  EXPECT_TRUE(WritePathOption(registry, "wavfile", other));
  const auto mine = registry.Get(RegistryRoot::kCurrentUser, kProductKey, "wavfile");
  ASSERT_TRUE(mine);
  EXPECT_TRUE(mine->unicode);
  EXPECT_EQ(ReadPathOption(registry, "wavfile"), other);
  EXPECT_EQ(KeyReader(registry, kProductRoot, kProductKeySlash).ReadPath("wavfile").text, other);
}

TEST_F(PerUserLayerTest, KeysOfTheCurrentUserHaveNoSecondLayer) {
  // The Run keys live below HKEY_CURRENT_USER; a machine key of the same path is not theirs.
  registry.PutString(RegistryRoot::kLocalMachine, kRunKeyNt, kAutoStartValue, "\"C:\\elsewhere.exe\"");
  EXPECT_FALSE(ReadSetting(registry, kRunRoot, kRunKeyNt, kAutoStartValue).found);
  EXPECT_TRUE(WriteSetting(registry, kRunRoot, kRunKeyNt, kAutoStartValue, "\"C:\\q\\quellix.exe\""));
  EXPECT_EQ(registry.Get(RegistryRoot::kLocalMachine, kRunKeyNt, kAutoStartValue)->bytes,
            "\"C:\\elsewhere.exe\"");
  EXPECT_EQ(ReadSetting(registry, kRunRoot, kRunKeyNt, kAutoStartValue).text, "\"C:\\q\\quellix.exe\"");
  // A refused write below the current user has nowhere else to go.
  registry.DenyAccess(kUser, "", kWriteBits);
  EXPECT_FALSE(WriteSetting(registry, kRunRoot, kRunKeyNt, kAutoStartValue, ""));
}

}  // namespace
}  // namespace quellix::settings
