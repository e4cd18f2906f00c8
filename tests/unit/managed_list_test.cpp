// The managed block list on its own: when it reads the organisation's file, what it costs
// when nothing changed, and the last good copy it keeps beside the user's list.
#include "blocklist/managed_list.h"

#include <gtest/gtest.h>

#include "blocklist/block_list_file.h"
#include "test_world.h"

namespace quellix::blocklist {
namespace {

using Strings = std::vector<std::string>;

constexpr std::uint64_t kMinute = 60 * 1000;
constexpr char kManagedPath[] = "\\\\server\\policies\\corp.apo";

class ManagedListTest : public ::testing::Test {
 protected:
  testing::World world;
  sim::SimFiles& files = world.sim.files;
  std::string copy_path = ManagedCopyPath(world.app_folder);
  ManagedList managed{world.services(), world.app_folder};
  settings::Policies policies;

  void SetUp() override {
    policies.block_list_path = kManagedPath;
    policies.block_list_refresh_minutes = 15;
  }
  // The organisation changes its file; the time stamps it anew.
  void Publish(std::string bytes) {
    files.SetNow(files.Now() + 1000);
    files.Put(kManagedPath, std::move(bytes));
  }
  void Pass(std::uint64_t ms) { world.sim.clock.monotonic_ms += ms; }
};

TEST_F(ManagedListTest, EntriesInAnyScriptAreKeptWholeInTheCopy) {
  // "Выиграй" and "免费" as UTF-8, and "café" of the Western page.
  Publish("\xEF\xBB\xBF\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9\r\n\xE5\x85\x8D\xE8\xB4\xB9\r\ncaf\xC3\xA9\r\n");
  EXPECT_TRUE(managed.Update(policies));
  const Strings entries = {"\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9", "\xE5\x85\x8D\xE8\xB4\xB9",
                           "caf\xC3\xA9"};
  EXPECT_EQ(managed.Entries(), entries);
  EXPECT_EQ(files.Get(copy_path), "\xEF\xBB\xBF\xD0\x92\xD1\x8B\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\xD0\xB9\r\n\xE5\x85\x8D\xE8\xB4\xB9\r\ncaf\xC3\xA9\r\n");
  // A list of the Western page is kept in it, as before.
  Publish("caf\xE9\r\n");
  Pass(15 * kMinute);
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), Strings{"caf\xC3\xA9"});
  EXPECT_EQ(files.Get(copy_path), "caf\xE9\r\n");
}

TEST_F(ManagedListTest, ReadsAtStartThenAtMostOncePerIntervalAndOnlyWhatChanged) {
  Publish("corp offers\r\nbad site\r\n");
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), (Strings{"corp offers", "bad site"}));
  EXPECT_EQ(managed.Status().entries, 2u);
  EXPECT_EQ(managed.Status().last_read, "12/7/2026 11:15:02 PM");
  EXPECT_EQ(managed.Status().path, kManagedPath);
  EXPECT_EQ(files.Get(copy_path), "corp offers\r\nbad site\r\n");

  // Before the interval nothing is asked of the file at all.
  const std::size_t stamps = files.StampRequests(), reads = files.Reads();
  Publish("changed\r\n");
  Pass(15 * kMinute - 1);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_EQ(files.StampRequests(), stamps);
  EXPECT_EQ(files.Reads(), reads);
  EXPECT_EQ(managed.Entries(), (Strings{"corp offers", "bad site"}));

  // At the interval the changed file is read.
  Pass(1);
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), Strings{"changed"});
  EXPECT_EQ(files.Get(copy_path), "changed\r\n");

  // Unchanged, a check costs one request for the file's stamp and no read.
  const std::size_t stamps_before = files.StampRequests(), reads_before = files.Reads();
  world.sim.clock.date = "12/8/2026";
  Pass(15 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_EQ(files.StampRequests(), stamps_before + 1);
  EXPECT_EQ(files.Reads(), reads_before);
  EXPECT_EQ(managed.Status().last_read, "12/7/2026 11:15:02 PM");

  // The same size with another time is a change; so is another size with the same time.
  Publish("CHANGED\r\n");
  Pass(15 * kMinute);
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), Strings{"CHANGED"});
  EXPECT_EQ(managed.Status().last_read, "12/8/2026 11:15:02 PM");
  files.Put(kManagedPath, "CHANGED\r\nmore\r\n");
  Pass(15 * kMinute);
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), (Strings{"CHANGED", "more"}));

  // Another interval from the policy counts from the last look.
  policies.block_list_refresh_minutes = 60;
  Publish("hourly\r\n");
  Pass(30 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  Pass(30 * kMinute);
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), Strings{"hourly"});
}

TEST_F(ManagedListTest, AFileThatCannotBeReadIsEmptiedOrTooLargeNeverReplacesTheLastGoodCopy) {
  Publish("corp offers\r\n");
  ASSERT_TRUE(managed.Update(policies));
  const Strings good{"corp offers"};

  // Locked (or on a share that refuses it): the entries and the kept copy stay.
  Publish("other\r\n");
  files.Lock(kManagedPath);
  Pass(15 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), good);
  EXPECT_EQ(managed.Status().last_error, "Access is denied.");
  files.Unlock(kManagedPath);

  // Emptied by accident.
  Publish("");
  Pass(15 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), good);
  EXPECT_EQ(managed.Status().last_error, "It is empty.");

  // Over 64 MB: refused from its size, without reading it.
  Publish(std::string((64u << 20) + 1, 'x'));
  const std::size_t reads = files.Reads();
  Pass(15 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_EQ(files.Reads(), reads);
  EXPECT_EQ(managed.Entries(), good);
  EXPECT_EQ(managed.Status().last_error, "It is larger than 64 MB.");

  // Holding NUL characters: no list.
  Publish(std::string("a\0b\r\n", 5));
  Pass(15 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), good);
  EXPECT_NE(managed.Status().last_error.find("NUL"), std::string::npos);

  // Gone, as on a laptop away from the share.
  files.RemoveFile(kManagedPath);
  Pass(15 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), good);
  EXPECT_EQ(managed.Status().last_error,
            "It could not be reached: The system cannot find the file specified.");
  EXPECT_EQ(files.Get(copy_path), "corp offers\r\n");
  EXPECT_EQ(files.FindFiles(world.app_folder, "popcfg.managed.~").size(), 0u);

  // Back again, it is read and the error goes.
  Publish("corp offers\r\nnew\r\n");
  Pass(15 * kMinute);
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), (Strings{"corp offers", "new"}));
  EXPECT_EQ(managed.Status().last_error, "");
  EXPECT_EQ(files.Get(copy_path), "corp offers\r\nnew\r\n");
}

TEST_F(ManagedListTest, AnEmptyFileIsTakenWhenTheListHadNoEntries) {
  Publish("");
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_TRUE(managed.Entries().empty());
  EXPECT_EQ(managed.Status().last_error, "");
  EXPECT_EQ(managed.Status().last_read, "12/7/2026 11:15:02 PM");
}

TEST_F(ManagedListTest, TheKeptCopyBurnsFromStartWhenTheFileCannotBeRead) {
  files.Put(copy_path, "kept one\r\n\"kept, two\"\r\n");
  EXPECT_TRUE(managed.Update(policies));  // no file at the path
  EXPECT_EQ(managed.Entries(), (Strings{"kept one", "kept, two"}));
  EXPECT_TRUE(managed.Status().from_kept_copy);
  EXPECT_EQ(managed.Status().last_read, "");
  EXPECT_FALSE(managed.Status().last_error.empty());

  // The file is read at the next interval; the kept copy is written only when it differs.
  Publish("kept one\r\n\"kept, two\"\r\n");
  Pass(15 * kMinute);
  EXPECT_FALSE(managed.Update(policies));
  EXPECT_FALSE(managed.Status().from_kept_copy);
  EXPECT_EQ(managed.Status().last_error, "");
  const std::vector<platform::FoundFile> copies = files.FindFiles(world.app_folder, kManagedCopyFileName);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].modified, 0u);  // as put there, before the file was published
}

TEST_F(ManagedListTest, AnUnreadableFileAtStartLeavesTheKeptCopyBurning) {
  files.Put(copy_path, "kept\r\n");
  Publish("");  // emptied: the kept copy had entries
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), Strings{"kept"});
  EXPECT_EQ(files.Get(copy_path), "kept\r\n");
}

TEST_F(ManagedListTest, ALockedKeptCopyIsNotWrittenButTheNewEntriesBurn) {
  files.Put(copy_path, "old\r\n");
  files.Lock(copy_path);
  Publish("new\r\n");
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), Strings{"new"});
  files.Unlock(copy_path);
  EXPECT_EQ(files.Get(copy_path), "old\r\n");
}

TEST_F(ManagedListTest, WithoutAPolicyPathTheListIsEmptyAndTheKeptCopyStays) {
  files.Put(copy_path, "kept\r\n");
  settings::Policies none;
  EXPECT_FALSE(managed.Update(none));
  EXPECT_TRUE(managed.Entries().empty());
  EXPECT_EQ(managed.Status().path, "");
  Pass(60 * kMinute);
  EXPECT_FALSE(managed.Update(none));
  EXPECT_EQ(files.StampRequests(), 0u);

  // The policy arrives: read at once, not after an interval.
  Publish("corp\r\n");
  EXPECT_TRUE(managed.Update(policies));
  EXPECT_EQ(managed.Entries(), Strings{"corp"});

  // It goes: no entries, and the kept copy is the user's data, not deleted.
  EXPECT_TRUE(managed.Update(none));
  EXPECT_TRUE(managed.Entries().empty());
  EXPECT_EQ(managed.Status().entries, 0u);
  EXPECT_EQ(files.Get(copy_path), "corp\r\n");
}

TEST_F(ManagedListTest, AnotherPolicyPathIsReadAtOnceAndTheOldEntriesBurnUntilItIs) {
  Publish("first\r\n");
  ASSERT_TRUE(managed.Update(policies));
  settings::Policies moved = policies;
  moved.block_list_path = "D:\\lists\\second.apo";
  EXPECT_FALSE(managed.Update(moved));  // not there yet
  EXPECT_EQ(managed.Entries(), Strings{"first"});
  EXPECT_EQ(managed.Status().path, "D:\\lists\\second.apo");
  files.Put("D:\\lists\\second.apo", "second\r\n");
  Pass(15 * kMinute);
  EXPECT_TRUE(managed.Update(moved));
  EXPECT_EQ(managed.Entries(), Strings{"second"});
}

engine::SharedEntryTexts Own(const std::vector<std::string>& entries) {
  return std::make_shared<const engine::EntryTexts>(entries);
}

TEST_F(ManagedListTest, TheActiveListIsTheUsersThenTheManagedUnlessTheUsersMayNotBurn) {
  engine::BlockEntries active;
  ASSERT_TRUE(ComposeActiveList(active, Own({"mine", "yours"}), {"theirs"}, true, world.sim.code_page));
  EXPECT_EQ(active.Entries(), (Strings{"mine", "yours", "theirs"}));
  EXPECT_EQ(active.FirstMatch("Yours Truly"), 2u);
  EXPECT_EQ(active.FirstMatch("All of Theirs"), 3u);
  ASSERT_TRUE(ComposeActiveList(active, Own({"mine", "yours"}), {"theirs"}, false, world.sim.code_page));
  EXPECT_EQ(active.Entries(), Strings{"theirs"});
  EXPECT_FALSE(active.IsBlocked("mine"));
  EXPECT_TRUE(active.IsBlocked("all of theirs"));
}

}  // namespace
}  // namespace quellix::blocklist
