// Where the user's files live: beside the program for a per-user install or a portable copy,
// in %LOCALAPPDATA%\Kelvane\Quellix for a machine-wide install or a folder the user cannot
// write; and the program using each folder for its own files.
#include "product/data_folder.h"

#include <gtest/gtest.h>

#include "main_window_rig.h"
#include "platform/sim/sim_files.h"
#include "settings/settings_table.h"
#include "test_world.h"

namespace quellix::product {
namespace {

constexpr char kProgram[] = "C:\\Program Files\\Quellix";
constexpr char kLocal[] = "C:\\Users\\user\\AppData\\Local";
constexpr char kUserFolder[] = "C:\\Users\\user\\AppData\\Local\\Kelvane\\Quellix";
constexpr char kShipped[] = "offers\r\ncasino\r\n";

std::string In(const std::string& folder, const std::string& name) {
  return folder + "\\" + name;
}

class DataFolderTest : public ::testing::Test {
 protected:
  sim::SimFiles files;

  void SetUp() override {
    files.Put(In(kProgram, "quellix.exe"), "MZ");
    files.Put(In(kProgram, "popcfg.apo"), kShipped);
  }
  void Mark() {
    files.Put(In(kProgram, "machine-wide.txt"), "Quellix is installed here for every user.\r\n");
  }
  std::string Prepare() { return PrepareDataFolder(files, kProgram); }
  // The program folder holds what it held before, and no probe is left behind.
  void ExpectProgramFolderAsShipped() {
    EXPECT_EQ(files.Get(In(kProgram, "popcfg.apo")), kShipped);
    EXPECT_FALSE(files.Exists(In(kProgram, "~quellix-write-test.tmp")));
  }
};

TEST_F(DataFolderTest, AMarkedInstallKeepsTheUsersFilesInTheLocalFolderStartingFromTheShippedList) {
  Mark();
  EXPECT_EQ(Prepare(), kUserFolder);
  EXPECT_TRUE(files.FolderExists(In(kLocal, "Kelvane")));
  EXPECT_TRUE(files.FolderExists(kUserFolder));
  EXPECT_EQ(files.Get(In(kUserFolder, "popcfg.apo")), kShipped);
  ExpectProgramFolderAsShipped();

  // The user's own list is never replaced, whether it reads or not, nor is a folder made twice.
  files.Put(In(kUserFolder, "popcfg.apo"), "my own\r\n");
  EXPECT_EQ(Prepare(), kUserFolder);
  EXPECT_EQ(files.Get(In(kUserFolder, "popcfg.apo")), "my own\r\n");
  files.Lock(In(kUserFolder, "popcfg.apo"));
  EXPECT_EQ(Prepare(), kUserFolder);
  files.Unlock(In(kUserFolder, "popcfg.apo"));
  EXPECT_EQ(files.Get(In(kUserFolder, "popcfg.apo")), "my own\r\n");
}

TEST_F(DataFolderTest, AMarkedInstallInAFolderTheUserMayWriteStillUsesTheLocalFolder) {
  // Under Wine, or for an administrator, every folder takes files: the marker decides.
  Mark();
  EXPECT_EQ(Prepare(), kUserFolder);
  ExpectProgramFolderAsShipped();
}

TEST_F(DataFolderTest, AnUnmarkedFolderTheUserMayWriteKeepsEveryFileBesideTheProgram) {
  const std::size_t before = files.FileCount();
  EXPECT_EQ(Prepare(), kProgram);
  EXPECT_EQ(files.FileCount(), before);  // the probe went again
  EXPECT_FALSE(files.FolderExists(In(kLocal, "Kelvane")));
  ExpectProgramFolderAsShipped();

  // A probe left by a start that ended half-way does not make the folder look read-only.
  files.Put(In(kProgram, "~quellix-write-test.tmp"), "");
  EXPECT_EQ(Prepare(), kProgram);
  ExpectProgramFolderAsShipped();
}

TEST_F(DataFolderTest, AnUnmarkedFolderTheUserCannotWriteIsTreatedAsMarked) {
  // A copy placed by hand in a protected folder.
  files.ProtectFolder(kProgram);
  EXPECT_EQ(Prepare(), kUserFolder);
  EXPECT_EQ(files.Get(In(kUserFolder, "popcfg.apo")), kShipped);
  ExpectProgramFolderAsShipped();

  // A probe left there by someone else cannot be removed: still not the user's to write.
  files.Put(In(kProgram, "~quellix-write-test.tmp"), "");
  EXPECT_EQ(Prepare(), kUserFolder);
}

TEST_F(DataFolderTest, WithoutAUsableLocalFolderTheProgramFolderServesAndNothingIsMadeElsewhere) {
  Mark();
  files.SetLocalAppData("");  // the system names none
  EXPECT_EQ(Prepare(), kProgram);

  files.SetLocalAppData("C:\\Users\\gone\\AppData\\Local");  // named, but missing
  EXPECT_EQ(Prepare(), kProgram);
  EXPECT_FALSE(files.FolderExists("C:\\Users\\gone\\AppData\\Local\\Kelvane"));

  files.SetLocalAppData(kLocal);
  files.ProtectFolder(kLocal);  // the folder cannot be made
  EXPECT_EQ(Prepare(), kProgram);
  EXPECT_FALSE(files.FolderExists(In(kLocal, "Kelvane")));

  sim::SimFiles blocked;  // a file stands where the folder would be
  blocked.Put(In(kProgram, "machine-wide.txt"), "");
  blocked.Put(In(kLocal, "Kelvane"), "not a folder");
  EXPECT_EQ(PrepareDataFolder(blocked, kProgram), kProgram);
  EXPECT_EQ(blocked.Get(In(kLocal, "Kelvane")), "not a folder");
  ExpectProgramFolderAsShipped();
}

TEST_F(DataFolderTest, ALocalFolderNamedWithATrailingSeparatorGivesTheSameFolder) {
  Mark();
  files.SetLocalAppData(std::string(kLocal) + "\\");
  EXPECT_EQ(Prepare(), kUserFolder);
}

// A disk that fills up while `full`: every new file is cut short after five bytes.
class FullDisk final : public sim::SimFiles {
 public:
  bool full = true;
  platform::NewFile WriteNewFile(const std::string& path, std::string_view bytes) override {
    if (!full) return SimFiles::WriteNewFile(path, bytes);
    if (SimFiles::WriteNewFile(path, bytes.substr(0, 5)) == platform::NewFile::kExists)
      return platform::NewFile::kExists;
    return platform::NewFile::kFailed;
  }
};

TEST_F(DataFolderTest, ACopyCutShortIsNotLeftAsTheUsersListAndTheNextStartCopiesAgain) {
  FullDisk disk;
  disk.Put(In(kProgram, "machine-wide.txt"), "");
  disk.Put(In(kProgram, "popcfg.apo"), kShipped);
  EXPECT_EQ(PrepareDataFolder(disk, kProgram), kUserFolder);
  EXPECT_FALSE(disk.Exists(In(kUserFolder, "popcfg.apo")));
  EXPECT_EQ(disk.Get(In(kProgram, "popcfg.apo")), kShipped);

  disk.full = false;  // the next start, with room again
  EXPECT_EQ(PrepareDataFolder(disk, kProgram), kUserFolder);
  EXPECT_EQ(disk.Get(In(kUserFolder, "popcfg.apo")), kShipped);
}

TEST_F(DataFolderTest, WithNoShippedListTheUserStartsWithNone) {
  Mark();
  files.RemoveFile(In(kProgram, "popcfg.apo"));
  EXPECT_EQ(Prepare(), kUserFolder);
  EXPECT_FALSE(files.Exists(In(kUserFolder, "popcfg.apo")));
}

// --- The program with its user's files in a folder of their own ------------------------

class SeparateDataFolderTest : public quellix::testing::MainWindowRig {
 protected:
  void SetUp() override {
    world.data_folder = kUserFolder;
    world.sim.files.Put(In(kProgram, "popcfg.apo"), "shipped\r\n");
    world.sim.files.Put(In(kUserFolder, "popcfg.apo"), "offers\r\n");
    world.SetOption("0", "1");  // Internet Explorer
    world.SetOption("7", "1");  // logging
    world.SetOption("2", "1");  // sound
    world.SetOption("wavint", "1");
  }
  void Tick() {
    ui.AdvanceTime(3000);
    world.sim.desktop.DeliverCloseRequests();
  }
};

TEST_F(SeparateDataFolderTest, ListLogAndFiguresAreTheUsersWhileHelpSoundAndAutoStartAreTheProgramsOwn) {
  world.sim.files.SetNow(500);
  world.sim.files.Put(In(kUserFolder, "popcfg.apo.~1.tmp"), "left by a crash");
  world.sim.files.Put(In(kProgram, "popcfg.apo.~1.tmp"), "not the user's");
  world.sim.files.SetNow(1000);  // the program starts
  Start();
  EXPECT_EQ(world.state.block_entries.Entries(), std::vector<std::string>{"offers"});
  EXPECT_FALSE(world.sim.files.Exists(In(kUserFolder, "popcfg.apo.~1.tmp")));
  EXPECT_TRUE(world.sim.files.Exists(In(kProgram, "popcfg.apo.~1.tmp")));

  world.OpenOnTop("IEFrame", "Cheap offers - Microsoft Internet Explorer");
  world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
  Tick();
  EXPECT_EQ(world.Log().size(), 150u);
  EXPECT_FALSE(world.sim.files.Exists(In(kProgram, "popuplog.txt")));
  EXPECT_EQ(world.sim.sound.played, std::vector<std::string>{In(kProgram, "wav\\7.wav")});
  EXPECT_TRUE(world.sim.files.Exists(In(kUserFolder, "popcfg.hits")));
  EXPECT_FALSE(world.sim.files.Exists(In(kProgram, "popcfg.hits")));

  // A pop-up burned the moment it appears is logged in the same log.
  world.SetOption("instant", "1");
  Tick();
  world.OpenOnTop("IEFrame", "More offers - Microsoft Internet Explorer");
  world.sim.desktop.DeliverWindowEvents();
  EXPECT_EQ(world.Log().size(), 300u);
  EXPECT_FALSE(world.sim.files.Exists(In(kProgram, "popuplog.txt")));

  // An entry added through the command field is stored in the user's list only.
  ui.TrayNotify(Host(), 0x203);
  main->AppendEntry("casino");
  main->Run(tray::MainCommand::kSaveAndReload);
  EXPECT_EQ(world.sim.files.Get(In(kUserFolder, "popcfg.apo")), "offers\r\ncasino\r\n");
  EXPECT_EQ(world.sim.files.Get(In(kProgram, "popcfg.apo")), "shipped\r\n");

  shell.windows_folder = "C:\\Windows";
  ui.Click(C("drawnButton20"));
  EXPECT_EQ(shell.started,
            std::vector<std::string>{"\"C:\\Windows\\hh.exe\" \"" + In(kProgram, "Quellix.chm") + "\""});

  ui.Click(C("drawnButton2"));
  ui.Click(main->Options().Switch(4));
  const auto run = world.sim.registry.Get(settings::kRunRoot, settings::kRunKeyNt, settings::kAutoStartValue);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->bytes, "\"" + In(kProgram, "quellix.exe") + "\"");

  // The log viewer shows and clears the user's log.
  main->Log().View(2070, 910);
  EXPECT_EQ(ui.ListCount(main->Log().Rows()), 2u);
  world.sim.messages.answers.push_back(platform::MessageAnswer::kYes);
  main->Log().Clear();
  EXPECT_FALSE(world.sim.files.Exists(In(kUserFolder, "popuplog.txt")));
}

}  // namespace
}  // namespace quellix::product
