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

TEST_F(SettingsStoreTest, OtherTypesReadAsEmptyText) {
  Put("5", regtype::kBinary, "1");
  Put("6", regtype::kMultiString, std::string("1\0\0", 3));
  Put("7", regtype::kExpandString, "1");
  for (const char* name : {"5", "6", "7"}) {
    const SettingText read = Read(name);
    EXPECT_TRUE(read.found) << name;
    EXPECT_EQ(read.text, "") << name;
  }
}

TEST_F(SettingsStoreTest, ReadingAsksForReadAccessOnlySoReadOnlyAccountsSeeTheirOptions) {
  WriteOption(registry, "0", "1");
  registry.DenyAccess(RegistryRoot::kLocalMachine, "", platform::regaccess::kSetValue |
                                                         platform::regaccess::kCreateSubKey);
  EXPECT_EQ(ReadOption(registry, "0"), "1");
  EXPECT_EQ(registry.AccessRequests().back(), platform::regaccess::kRead);
  // Writing still asks for full access, and fails quietly here.
  EXPECT_FALSE(WriteOption(registry, "0", "0"));
  EXPECT_EQ(ReadOption(registry, "0"), "1");
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

TEST_F(SettingsStoreTest, DeniedKeyReadsEmpty) {
  WriteOption(registry, "0", "1");
  registry.DenyAccess(RegistryRoot::kLocalMachine, "software\\kelvane", platform::regaccess::kRead);
  EXPECT_FALSE(Read("0").found);
  EXPECT_EQ(registry.OpenHandles(), 0u);
}

}  // namespace
}  // namespace quellix::settings
