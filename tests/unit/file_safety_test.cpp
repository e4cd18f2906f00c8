// Writing a file safely: the old file stays whole until the new one is complete, and a
// failure says the system's own reason for the step that failed.
#include "product/file_safety.h"

#include <gtest/gtest.h>

#include "platform/sim/sim_files.h"

namespace quellix::product {
namespace {

// Another writer creates the temporary name between the check that it is free and the
// creation, once.
class RacingFiles final : public sim::SimFiles {
 public:
  platform::NewFile WriteNewFile(const std::string& path, std::string_view bytes) override {
    if (!raced_) {
      raced_ = true;
      Put(path, "the other writer's");
    }
    return SimFiles::WriteNewFile(path, bytes);
  }

 private:
  bool raced_ = false;
};

TEST(FileSafety, ATemporaryNameTakenMeanwhileMakesItTryTheNextOne) {
  RacingFiles files;
  const std::string path = "C:\\q\\popcfg.apo";
  files.Put(path, "old\r\n");
  EXPECT_TRUE(ReplaceFileContents(files, path, "new\r\n"));
  EXPECT_EQ(files.Get(path), "new\r\n");
  EXPECT_EQ(files.Get(path + ".~1.tmp"), "the other writer's");
  EXPECT_FALSE(files.Exists(path + ".~2.tmp"));
}

// Cleaning up after a failed write is a call of its own, which may leave a reason of its own.
class ChattyFiles final : public sim::SimFiles {
 public:
  bool RemoveFile(const std::string& path) override {
    const bool removed = SimFiles::RemoveFile(path);
    said_ = "The removal's own words.";
    return removed;
  }
  std::string LastError() override { return said_.empty() ? SimFiles::LastError() : said_; }
  void Forget() { said_.clear(); }

 private:
  std::string said_;
};

TEST(FileSafety, AFailureGivesTheReasonOfTheStepThatFailedAndLeavesTheOldFileWhole) {
  ChattyFiles files;
  const std::string path = "C:\\q\\popcfg.apo";
  files.Put(path, "old\r\n");
  files.SetErrorText("Access is denied.");
  files.Lock(path);  // the replace fails; the temporary file is removed after it
  const WriteOutcome outcome = ReplaceFileContents(files, path, "new\r\n");
  EXPECT_FALSE(outcome);
  EXPECT_EQ(outcome.reason, "Access is denied.");
  files.Unlock(path);
  EXPECT_EQ(files.Get(path), "old\r\n");
  EXPECT_FALSE(files.Exists(path + ".~1.tmp"));
  files.Forget();
  const WriteOutcome done = ReplaceFileContents(files, path, "new\r\n");
  EXPECT_TRUE(done);
  EXPECT_EQ(done.reason, "");
  EXPECT_EQ(files.Get(path), "new\r\n");
}

TEST(FileSafety, OnlyTheProgramsOwnStaleTemporariesAreRemoved) {
  sim::SimFiles files;
  const std::string folder = "C:\\q";
  for (const char* name : {"popcfg.apo.~1.tmp", "POPCFG.APO.~100.TMP", "popcfg.apo.~101.tmp", "popcfg.apo.~01.tmp",
                           "popcfg.apo.tmp", "popcfg.apo.~x.tmp", "other.~1.tmp"})
    files.Put(folder + "\\" + name, "x");
  files.SetNow(files.Now() + 10);
  files.Put(folder + "\\popcfg.apo.~2.tmp", "being written now");
  RemoveStaleTemporaries(files, folder, "popcfg.apo", files.Now());
  EXPECT_FALSE(files.Exists(folder + "\\popcfg.apo.~1.tmp"));
  EXPECT_FALSE(files.Exists(folder + "\\POPCFG.APO.~100.TMP"));
  for (const char* kept : {"popcfg.apo.~101.tmp", "popcfg.apo.~01.tmp", "popcfg.apo.tmp", "popcfg.apo.~x.tmp",
                           "other.~1.tmp", "popcfg.apo.~2.tmp"})
    EXPECT_TRUE(files.Exists(folder + "\\" + kept)) << kept;
}

}  // namespace
}  // namespace quellix::product
