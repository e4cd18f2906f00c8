// The main window's pages on the simulated platform: the options page, block list editing
// with the edit dialog, the open-window picker, import and export, the log viewer and the
// browser information tool.
#include <gtest/gtest.h>

#include "main_window_rig.h"
#include "platform/sim/sim_ui.h"
#include "settings/settings_table.h"
#include "test_world.h"
#include "ui/main_window.h"

namespace quellix::ui {
namespace {

using platform::MessageAnswer;
using quellix::testing::World;
using Strings = std::vector<std::string>;

class PagesTest : public quellix::testing::MainWindowRig {
 protected:
  std::string log_path = world.app_folder + "\\popuplog.txt";

  void SetUp() override { world.sim.files.Put(list_path, "offers\r\ncasino\r\npoker\r\n"); }
  // Starts the program and opens the main window, as a double-click on the icon does.
  void Open() {
    Start();
    ui.TrayNotify(Host(), 0x203);
  }
  platform::UiId Switch(int i) { return main->Options().Switch(i); }
  platform::UiId Named(const std::string& form, const std::string& name, int nth = 0) {
    return ui.Find(form, name, nth);
  }
  Strings Shown(platform::UiId list) {
    Strings rows;
    for (std::size_t i = 1; i <= ui.ListCount(list); ++i) rows.push_back(ui.ListText(list, i));
    return rows;
  }
  std::string RunValue(std::string_view key) {
    auto v = world.sim.registry.Get(settings::kRunRoot, key, settings::kAutoStartValue);
    return v ? v->bytes : "<absent>";
  }
  std::string ListFile() { return world.sim.files.Get(list_path).value_or("<absent>"); }
  void Answer(MessageAnswer answer) { world.sim.messages.answers.push_back(answer); }
};

// --- Options page ---------------------------------------------------------------------

TEST_F(PagesTest, FirstRunOptionsPageShowsNothingCheckedBrowseAFileAndTheOwnSound) {
  Open();
  ui.Click(C("drawnButton2"));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(ui.Value(Switch(i)), 0) << i;
  EXPECT_EQ(ui.Value(Named("Form1", "Option1", 1)), 1);
  EXPECT_EQ(ui.Value(Named("Form1", "Option1", 0)), 0);
  EXPECT_EQ(ui.Text(main->Options().SoundPath()), world.app_folder + "\\wav\\7.wav");
  EXPECT_FALSE(ui.Get(main->Options().SoundPath()).enabled);  // no sound chosen: the path waits
  EXPECT_EQ(ui.Text(Named("Form1", "Label3", 3)), "");
  EXPECT_EQ(ui.Text(Named("Form1", "Label3", 0)), "Since");
  EXPECT_EQ(ui.Text(Named("Form1", "Label3", 2)), "Popups have been caught");
  EXPECT_EQ(ui.Text(Named("Form1", "Label3", 1)), world.sim.clock.date);  // stored at start
  EXPECT_TRUE(ui.Visible(C("Frame1")));
  EXPECT_EQ(ui.Bounds(C("Frame1")).left, 2070);
  EXPECT_EQ(ui.Bounds(C("Frame1")).top, 735);  // below the header
  EXPECT_FALSE(ui.Visible(C("Frame2")));
}

TEST_F(PagesTest, CheckBoxesStoreEveryChangeAndTheCounterLineIsShownAsStored) {
  world.SetOption("cnt", "0042");
  world.SetOption("stdt", " 1/2/2003 ");
  world.SetOption("7", "1");
  Open();
  ui.Click(C("drawnButton2"));
  EXPECT_EQ(ui.Value(Switch(7)), 1);
  EXPECT_EQ(world.Option("7"), "1");  // the change made while loading is stored too
  EXPECT_EQ(ui.Text(Named("Form1", "Label3", 3)), "0042");
  EXPECT_EQ(ui.Text(Named("Form1", "Label3", 1)), " 1/2/2003 ");
  for (int i : {0, 1, 3, 5, 6}) {
    ui.Click(Switch(i));
    EXPECT_EQ(world.Option(std::to_string(i)), "1") << i;
    ui.Click(Switch(i));
    EXPECT_EQ(world.Option(std::to_string(i)), "0") << i;
  }
}

TEST_F(PagesTest, StoredSwitchesThatAreNotNumbersLeaveTheBoxesAlone) {
  world.SetOption("0", "yes");
  world.SetOption("1", "");
  world.SetOption("3", " 1");
  Open();
  ui.Click(C("drawnButton2"));
  EXPECT_EQ(ui.Value(Switch(0)), 0);
  EXPECT_EQ(ui.Value(Switch(1)), 0);
  EXPECT_EQ(ui.Value(Switch(3)), 1);
  EXPECT_EQ(world.Option("0"), "yes");  // nothing changed, nothing stored
}

TEST_F(PagesTest, AutoStartWritesTheQuotedProgramPathUnderBothRunKeysAndEmptiesThemWhenCleared) {
  Open();
  ui.Click(C("drawnButton2"));
  ui.Click(Switch(4));
  const std::string quoted = "\"" + world.app_folder + "\\quellix.exe\"";
  EXPECT_EQ(RunValue(settings::kRunKeyNt), quoted);
  EXPECT_EQ(RunValue(settings::kRunKeyWindows), quoted);
  ui.Click(Switch(4));
  EXPECT_EQ(RunValue(settings::kRunKeyNt), "");  // emptied, not deleted
  EXPECT_EQ(RunValue(settings::kRunKeyWindows), "");
  EXPECT_EQ(world.Option("4"), "0");
}

TEST_F(PagesTest, AStoredAutoStartFoundAtLoadRewritesBothRunValuesForThisFolder) {
  world.SetOption("4", "1");
  Open();
  ui.Click(C("drawnButton2"));
  const std::string quoted = "\"" + world.app_folder + "\\quellix.exe\"";
  EXPECT_EQ(RunValue(settings::kRunKeyNt), quoted);
  EXPECT_EQ(RunValue(settings::kRunKeyWindows), quoted);
}

// A program folder and a sound file named outside the ANSI code page ("Программы\程序",
// "звук.wav"): the sound path and the auto-start command are kept as Unicode text, the box
// shows the whole path, and the burn plays it, not one the ANSI code page has cut to '?'.
TEST_F(PagesTest, PathsInAnyLanguageAreKeptAsUnicodeText) {
  world.app_folder =
      "C:"
      "\\\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B\\\xE7\xA8\x8B\xE5\xBA\x8F";
  list_path = world.app_folder + "\\popcfg.apo";
  world.sim.files.Put(list_path, "offers\r\n");
  const std::string sound = world.app_folder + "\\\xD0\xB7\xD0\xB2\xD1\x83\xD0\xBA.wav";
  world.SetOption("0", "1");  // "Support Internet Explorer"
  Open();
  ui.Click(C("drawnButton2"));
  const auto path = main->Options().SoundPath();
  EXPECT_EQ(ui.Text(path), world.app_folder + "\\wav\\7.wav");
  ui.Click(Switch(2));
  ui.Click(Switch(4));
  world.sim.file_dialogs.answers = {sound};
  ui.Click(Named("Form1", "drawnButton3"));
  ui.Click(C("drawnButton9"));  // Apply
  const auto stored = world.sim.registry.Get(settings::kProductRoot, settings::kProductKey, "wavfile");
  ASSERT_TRUE(stored);
  EXPECT_TRUE(stored->unicode);
  EXPECT_EQ(stored->bytes, sound);
  for (const auto key : {settings::kRunKeyNt, settings::kRunKeyWindows}) {
    const auto run = world.sim.registry.Get(settings::kRunRoot, key, settings::kAutoStartValue);
    ASSERT_TRUE(run);
    EXPECT_TRUE(run->unicode);
    EXPECT_EQ(run->bytes, "\"" + world.app_folder + "\\quellix.exe\"");
  }
  main->Run(tray::MainCommand::kSaveAndReload);  // reloads the page from the registry
  EXPECT_EQ(ui.Text(path), sound);

  ui.Click(C("drawnButton8"));  // "OK": to the tray, where a burn plays the chosen sound
  world.OpenOnTop("IEFrame", "Special offers - Microsoft Internet Explorer");
  ui.AdvanceTime(3000);
  EXPECT_EQ(world.sim.sound.played, Strings{sound});
}

TEST_F(PagesTest, SoundChoicesEnableThePathAndApplyStoresThem) {
  Open();
  ui.Click(C("drawnButton2"));
  const auto path = main->Options().SoundPath();
  ui.Click(Switch(2));
  EXPECT_TRUE(ui.Get(path).enabled);
  ui.Click(Named("Form1", "Option1", 0));  // "Internal Sound"
  EXPECT_FALSE(ui.Get(path).enabled);
  EXPECT_FALSE(ui.Get(Named("Form1", "drawnButton3")).enabled);
  ui.Click(Switch(2));
  ui.Click(Switch(2));  // checking the sound enables the path whichever source is chosen
  EXPECT_TRUE(ui.Get(path).enabled);
  ui.Type(path, "  D:\\sounds\\pop.wav  ");
  ui.Click(C("drawnButton9"));
  EXPECT_EQ(world.Option("wavfile"), "D:\\sounds\\pop.wav");
  EXPECT_EQ(world.Option("wavint"), "1");
  EXPECT_EQ(world.Option("wavext"), "<absent>");  // missing reads as not chosen already
  ui.Click(Named("Form1", "drawnButton10"));      // "Test Sound" plays what the box shows
  EXPECT_EQ(world.sim.sound.played, Strings{"  D:\\sounds\\pop.wav  "});
}

TEST_F(PagesTest, BrowseAsksForAWaveFileAndACancelChangesNothing) {
  Open();
  ui.Click(C("drawnButton2"));
  ui.Click(Switch(2));
  const auto path = main->Options().SoundPath();
  world.sim.file_dialogs.answers = {std::nullopt, std::string("C:\\Media\\ding.wav")};
  ui.Click(Named("Form1", "drawnButton3"));
  EXPECT_EQ(ui.Text(path), world.app_folder + "\\wav\\7.wav");
  ui.Click(Named("Form1", "drawnButton3"));
  EXPECT_EQ(ui.Text(path), "C:\\Media\\ding.wav");
  ASSERT_EQ(world.sim.file_dialogs.shown.size(), 2u);
  const auto& request = world.sim.file_dialogs.shown[0];
  EXPECT_EQ(request.kind, platform::FileDialogKind::kOpen);
  EXPECT_EQ(request.filter, "*.wav|*.wav|");
  EXPECT_GE(request.path_capacity, 20000u);
  EXPECT_EQ(request.owner, ui.NativeWindow(main->Form()));
  EXPECT_EQ(world.Option("wavfile"), "<absent>");  // nothing is stored before Apply
}

TEST_F(PagesTest, SaveAndReloadReloadsStoredSoundOptionsOverUnappliedEdits) {
  world.SetOption("2", "1");
  world.SetOption("wavext", "1");
  world.SetOption("wavfile", "C:\\kept.wav");
  Open();
  ui.Click(C("drawnButton2"));
  ui.Type(main->Options().SoundPath(), "C:\\typed-not-applied.wav");
  main->Run(tray::MainCommand::kSaveAndReload);
  EXPECT_EQ(ui.Text(main->Options().SoundPath()), "C:\\kept.wav");
  EXPECT_EQ(world.Option("wavfile"), "C:\\kept.wav");
  EXPECT_TRUE(ui.Visible(C("view1")));  // the command ends on the caption page
  EXPECT_FALSE(ui.Visible(C("Frame1")));
}

TEST_F(PagesTest, LoadAndSaveAndReloadWriteNothingThatIsStoredAlreadyAndAChangeStillWrites) {
  for (int i = 0; i < 8; ++i) world.SetOption(std::to_string(i), i % 2 == 0 ? "1" : "0");
  world.SetOption("4", "0");
  world.SetOption("chromium", "1");
  world.SetOption("wavfile", " C:\\machine.wav ");
  world.SetOption("wavint", "1");
  world.SetOption("refresh", "1");
  world.SetOption("cnt", "7");
  world.SetOption("stdt", "1/2/2003");
  Open();
  ui.Click(C("drawnButton2"));
  EXPECT_EQ(ui.Value(Switch(6)), 1);
  EXPECT_EQ(ui.Value(main->Options().ChromiumSwitch()), 1);
  EXPECT_EQ(ui.Value(Named("Form1", "Option1", 0)), 1);
  main->Run(tray::MainCommand::kSaveAndReload);
  main->Run(tray::MainCommand::kShowOptions);
  ui.Click(C("drawnButton4"));  // the picker sets "Auto Refresh" from "refresh"
  EXPECT_EQ(ui.Value(main->Picker().AutoRefresh()), 1);
  ui.Click(main->Picker().CancelButton());
  EXPECT_EQ(world.sim.registry.Writes(platform::RegistryRoot::kLocalMachine), Strings{});
  EXPECT_EQ(world.sim.registry.Writes(platform::RegistryRoot::kCurrentUser), Strings{});
  // What the user changes is still stored, each value once.
  ui.Click(Switch(6));
  ui.Click(Named("Form1", "Option1", 1));  // "Browse a File"
  ui.Type(main->Options().SoundPath(), "C:\\mine.wav");
  ui.Click(C("drawnButton9"));
  EXPECT_EQ(
      world.sim.registry.Writes(platform::RegistryRoot::kLocalMachine),
      (Strings{"software\\kelvane\\popup\\option\\6", "software\\kelvane\\popup\\option\\wavfile",
               "software\\kelvane\\popup\\option\\wavint", "software\\kelvane\\popup\\option\\wavext"}));
  EXPECT_EQ(world.Option("6"), "0");
  EXPECT_EQ(world.Option("wavfile"), "C:\\mine.wav");
  EXPECT_EQ(world.Option("wavint"), "0");
  EXPECT_EQ(world.Option("wavext"), "1");
}

// --- Block list editing -------------------------------------------------------------------

TEST_F(PagesTest, EditAndRemoveWaitForTheFirstClickAndRemoveAsksFirst) {
  Open();
  EXPECT_FALSE(ui.Get(C("drawnButton5")).enabled);
  EXPECT_FALSE(ui.Get(C("drawnButton6")).enabled);
  ui.ItemClick(C("view1"), 2);
  EXPECT_TRUE(ui.Get(C("drawnButton5")).enabled);
  EXPECT_TRUE(ui.Get(C("drawnButton6")).enabled);
  EXPECT_EQ(ui.Text(C("Text1")), "2");
  Answer(MessageAnswer::kNo);
  ui.Click(C("drawnButton6"));
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(world.sim.messages.shown[0].text, "Are you sure you want to remove this item");
  EXPECT_EQ(world.sim.messages.shown[0].buttons, platform::MessageButtons::kYesNo);
  EXPECT_EQ(world.sim.messages.shown[0].icon, platform::MessageIcon::kInformation);
  EXPECT_EQ(Shown(C("view1")), (Strings{"offers", "casino", "poker"}));
}

TEST_F(PagesTest, RemoveTwiceWithoutANewClickTakesTheNextEntryThenNothingAtTheEnd) {
  Open();
  ui.ItemClick(C("view1"), 2);
  Answer(MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));
  EXPECT_EQ(Shown(C("view1")), (Strings{"offers", "poker"}));
  Answer(MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));  // "poker" moved into position 2
  EXPECT_EQ(Shown(C("view1")), (Strings{"offers"}));
  Answer(MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));  // nothing stands at position 2 now
  EXPECT_EQ(Shown(C("view1")), (Strings{"offers"}));
  EXPECT_EQ(world.sim.messages.shown.size(), 3u);
  EXPECT_EQ(ListFile(), "offers\r\ncasino\r\npoker\r\n");  // Remove writes nothing
  EXPECT_EQ(ui.Text(C("Text1")), "2");
}

TEST_F(PagesTest, ApplyWritesTheFileButTheRemovedTitleStaysActiveUntilTheNextReload) {
  Open();
  ui.ItemClick(C("view1"), 1);
  Answer(MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));
  ui.Click(C("drawnButton9"));
  EXPECT_EQ(ListFile(), "casino\r\npoker\r\n");
  EXPECT_TRUE(world.state.block_entries.IsBlocked("cheap offers"));
  main->Run(tray::MainCommand::kSaveAndReload);
  EXPECT_FALSE(world.state.block_entries.IsBlocked("cheap offers"));
}

TEST_F(PagesTest, EditDialogIsCentredTopmostAndItsOkSavesAndReloads) {
  Open();
  ui.ItemClick(C("view1"), 2);
  ui.DoubleClick(C("view1"));
  auto& editor = main->BlockList().Editor();
  ASSERT_TRUE(editor.Loaded());
  EXPECT_EQ(ui.Get(editor.Form()).text, "Window title To Edit");
  EXPECT_TRUE(ui.Get(editor.Form()).centered);
  EXPECT_TRUE(ui.Get(editor.Form()).topmost);
  EXPECT_EQ(ui.Text(editor.TextField()), "casino");
  ui.Type(editor.TextField(), " Casino Royale ");
  ui.Click(editor.OkButton());
  EXPECT_FALSE(editor.Loaded());
  EXPECT_EQ(ListFile(), "offers\r\n\" Casino Royale \"\r\npoker\r\n");  // exactly as typed
  EXPECT_TRUE(world.state.block_entries.IsBlocked("the casino royale club"));
  EXPECT_EQ(ui.Get(C("view1")).rows[1].second, "a");  // reloaded rows carry the icon
}

TEST_F(PagesTest, EditOkWritesIntoTheEntryAtTheSelectionReadNowAndNeverIntoAMissingOne) {
  Open();
  ui.ItemClick(C("view1"), 3);
  ui.Click(C("drawnButton5"));
  auto& editor = main->BlockList().Editor();
  ui.Type(editor.TextField(), "edited");
  ui.ItemClick(C("view1"), 1);  // another click while the dialog is open
  ui.Click(editor.OkButton());
  EXPECT_EQ(ListFile(), "edited\r\ncasino\r\npoker\r\n");

  ui.ItemClick(C("view1"), 3);
  ui.Click(C("drawnButton5"));
  Answer(MessageAnswer::kYes);
  ui.Click(C("drawnButton6"));  // the edited entry goes while the dialog is open
  ui.Type(editor.TextField(), "lost");
  ui.Click(editor.OkButton());
  EXPECT_EQ(ListFile(), "edited\r\ncasino\r\n");  // saved and reloaded, nothing stored
  EXPECT_FALSE(editor.Loaded());

  ui.Click(C("drawnButton5"));  // position 3 holds nothing: the dialog does not open
  EXPECT_FALSE(editor.Loaded());
}

TEST_F(PagesTest, EditDialogCancelChangesNothing) {
  Open();
  ui.ItemClick(C("view1"), 1);
  ui.Click(C("drawnButton5"));
  auto& editor = main->BlockList().Editor();
  ui.Type(editor.TextField(), "not this");
  ui.Click(editor.CancelButton());
  EXPECT_FALSE(editor.Loaded());
  EXPECT_EQ(Shown(C("view1")), (Strings{"offers", "casino", "poker"}));
  EXPECT_EQ(ListFile(), "offers\r\ncasino\r\npoker\r\n");
}

// --- Import and export ------------------------------------------------------------------

TEST_F(PagesTest, ExportThenImportTwiceListsEveryEntryTwiceMoreAndWritesNoListFile) {
  Open();
  auto& dialogs = world.sim.file_dialogs;
  dialogs.answers = {std::string("D:\\mine.pao"), std::string("D:\\mine.pao"), std::string("D:\\mine.pao")};
  ui.Click(C("drawnButton11"));
  EXPECT_EQ(world.sim.files.Get("D:\\mine.pao"), "offers\r\ncasino\r\npoker\r\n");
  ui.Click(C("drawnButton12"));
  ui.Click(C("drawnButton12"));
  EXPECT_EQ(ui.ListCount(C("view1")), 9u);
  EXPECT_EQ(ui.Get(C("view1")).rows[8].second, "a");
  EXPECT_EQ(ListFile(), "offers\r\ncasino\r\npoker\r\n");
  ASSERT_EQ(dialogs.shown.size(), 3u);
  EXPECT_EQ(dialogs.shown[0].kind, platform::FileDialogKind::kSave);
  EXPECT_EQ(dialogs.shown[1].kind, platform::FileDialogKind::kOpen);
  for (const auto& request : dialogs.shown) {
    EXPECT_EQ(request.filter, "*.pao|*.pao|");
    EXPECT_EQ(request.default_extension, "");
    EXPECT_GE(request.path_capacity, 20000u);
  }
}

TEST_F(PagesTest, CancelledDialogsChangeNothingAndAnUnreadableImportSaysSo) {
  Open();
  world.sim.file_dialogs.answers = {std::nullopt, std::nullopt, std::string("D:\\missing.pao")};
  const std::size_t files = world.sim.files.FileCount();
  ui.Click(C("drawnButton11"));
  ui.Click(C("drawnButton12"));
  EXPECT_TRUE(world.sim.messages.shown.empty());
  ui.Click(C("drawnButton12"));
  EXPECT_EQ(world.sim.files.FileCount(), files);
  EXPECT_EQ(ui.ListCount(C("view1")), 3u);
  ASSERT_EQ(world.sim.messages.shown.size(), 1u);
  EXPECT_EQ(world.sim.messages.shown[0].text,
            "The list could not be imported.\r\nThe file was not found.\r\nNothing was imported.");
}

// --- Open-window picker -----------------------------------------------------------------

TEST_F(PagesTest, PickerListsOpenFramesAndItsOkAddsSavesAndActivatesTheTitle) {
  world.OpenOnTop("IEFrame", "Lottery winners - Microsoft Internet Explorer");
  world.OpenOnTop("MozillaWindowClass", "Cheap flights - Mozilla");
  world.OpenOnTop("Notepad", "notes - Notepad");
  world.OpenOnTop("IEFrame", "Cannot find server");
  Open();
  ui.Click(C("drawnButton4"));
  auto& picker = main->Picker();
  ASSERT_TRUE(picker.Loaded());
  EXPECT_EQ(ui.Get(picker.Form()).text, "Add New Popup window Title.");
  EXPECT_TRUE(ui.Get(picker.Form()).topmost);
  EXPECT_TRUE(ui.Get(picker.Form()).centered);
  EXPECT_EQ(Shown(picker.OpenList()), (Strings{"Cheap flights", "Lottery winners"}));
  ui.ItemClick(picker.OpenList(), 2);
  EXPECT_EQ(ui.Text(picker.TextField()), "Lottery winners");
  ui.Type(picker.TextField(), "Lottery");  // edited after picking: the edit counts
  ui.Click(picker.OkButton());
  EXPECT_FALSE(picker.Loaded());
  EXPECT_EQ(ListFile(), "offers\r\ncasino\r\npoker\r\nLottery\r\n");
  EXPECT_TRUE(world.state.block_entries.IsBlocked("lottery winners"));
}

TEST_F(PagesTest, PickerFromTheTrayMenuAddsATitleThatTheNextTickBurns) {
  Start();
  ui.menu_picks.push_back({"Add New Window Title"});
  ui.TrayNotify(C("TrayArea1"), 0x204);
  auto& picker = main->Picker();
  ASSERT_TRUE(picker.Loaded());
  EXPECT_TRUE(main->Menu().Loaded());  // tray mode goes on
  ui.Type(picker.TextField(), "Weekly deals");
  ui.Click(picker.OkButton());
  EXPECT_EQ(ListFile(), "offers\r\ncasino\r\npoker\r\nWeekly deals\r\n");
  world.SetOption("0", "1");
  const auto popup = world.OpenOnTop("IEFrame", "Weekly deals - Microsoft Internet Explorer");
  world.sim.desktop.BringToTop(world.sim.desktop.AddWindow("Shell_TrayWnd", ""));
  ui.AdvanceTime(3000);
  EXPECT_EQ(world.sim.desktop.CloseRequests(popup), 1u);
}

TEST_F(PagesTest, AutoRefreshIsStoredOnEveryChangeReadAtLoadAndRefreshesOnTheTimer) {
  Open();
  ui.Click(C("drawnButton4"));
  auto& picker = main->Picker();
  EXPECT_EQ(ui.Value(picker.AutoRefresh()), 0);
  EXPECT_EQ(ui.Get(picker.AutoRefresh()).text, "Auto Refresh");
  ui.AdvanceTime(3000);
  world.OpenOnTop("IEFrame", "Fresh offer - Microsoft Internet Explorer");
  ui.AdvanceTime(3000);
  EXPECT_EQ(ui.ListCount(picker.OpenList()), 0u);  // off: the list stays as it was
  ui.Click(picker.AutoRefresh());
  EXPECT_EQ(world.Option("refresh"), "1");
  ui.AdvanceTime(3000);
  EXPECT_EQ(Shown(picker.OpenList()), Strings{"Fresh offer"});
  ui.Click(picker.CancelButton());
  EXPECT_FALSE(picker.Loaded());
  ui.Click(C("drawnButton4"));
  EXPECT_EQ(ui.Value(main->Picker().AutoRefresh()), 1);
  EXPECT_EQ(ui.Text(main->Picker().TextField()), "");
}

// --- Log viewer -------------------------------------------------------------------------

std::string Record(const std::string& browser, const std::string& time, const std::string& date,
                   const std::string& title) {
  auto field = [](std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
  };
  return field(browser, 30) + field(time, 10) + field(date, 10) + field(title, 100);
}

TEST_F(PagesTest, LogViewerShowsOneRowPerWholeRecordAndAMissingLogIsCreatedEmpty) {
  Open();
  ui.Click(C("drawnButton2"));
  ui.Click(main->Options().ViewLogButton());
  EXPECT_EQ(world.sim.files.Get(log_path), "");
  EXPECT_TRUE(ui.Visible(C("Frame10")));
  EXPECT_EQ(ui.Bounds(C("Frame10")).left, 2070);
  EXPECT_EQ(ui.Get(C("view3")).columns, (Strings{"Date", "Time", "Explorere", "Window Title"}));
  EXPECT_EQ(ui.ListCount(C("view3")), 0u);

  const std::string three = Record("Internet Explorer", "8:30:37 AM", "12/8/2026", "Cheap Offers") +
                            std::string(150, '\0') +
                            Record("Netscape / Mozilla", "9:01:02 P", "1/1/2027", " x ");
  for (const std::string& log : {three, three + std::string(50, 'z')}) {  // 450 and 500 bytes
    world.sim.files.Put(log_path, log);
    ui.Click(main->Options().ViewLogButton());
    ASSERT_EQ(ui.ListCount(C("view3")), 3u);
    const auto& rows = ui.Get(C("view3")).rows;
    EXPECT_EQ(rows[0].first, (Strings{"12/8/2026", "8:30:37 AM", "Internet Explorer", "Cheap Offers"}));
    EXPECT_EQ(rows[1].first, (Strings{"", "", "", ""}));  // zero bytes show as empty text
    EXPECT_EQ(rows[2].first, (Strings{"1/1/2027", "9:01:02 P", "Netscape / Mozilla", "x"}));
    EXPECT_EQ(rows[2].second, "a");
  }
  ui.Click(ui.Find("Form1", "drawnButton23"));  // the panel's Cancel hides only the panel
  EXPECT_FALSE(ui.Visible(C("Frame10")));
  EXPECT_TRUE(ui.Visible(C("Frame1")));
}

TEST_F(PagesTest, ClearLogAsksAndOnlyYesDeletesWhileTheShownRowsStay) {
  world.sim.files.Put(log_path, Record("Internet Explorer", "1", "2", "t"));
  Open();
  ui.Click(C("drawnButton2"));
  ui.Click(main->Options().ViewLogButton());
  Answer(MessageAnswer::kNo);
  ui.Click(main->Options().ClearLogButton());
  EXPECT_TRUE(world.sim.files.Exists(log_path));
  EXPECT_EQ(world.sim.messages.shown.back().text, "Are you sure to clear log file");
  Answer(MessageAnswer::kYes);
  ui.Click(main->Options().ClearLogButton());
  EXPECT_FALSE(world.sim.files.Exists(log_path));
  EXPECT_EQ(ui.ListCount(C("view3")), 1u);
}

// --- Browser information ----------------------------------------------------------------

TEST_F(PagesTest, BrowserInformationFillsBothBoxesOrSaysTheBrowserIsNotLoaded) {
  Open();
  ui.Click(C("Command1"));
  EXPECT_EQ(ui.Text(C("Label4")), "Browser not loaded.");
  EXPECT_EQ(ui.Text(C("TxtIEUrl")), "");
  EXPECT_EQ(ui.Text(C("TxtIETitle")), "");
  ASSERT_EQ(world.sim.dde.requests.size(), 1u);
  EXPECT_EQ(world.sim.dde.requests[0].service, "iexplore");
  EXPECT_EQ(world.sim.dde.requests[0].topic, "WWW_GetWindowInfo");
  EXPECT_EQ(world.sim.dde.requests[0].item, "-1");

  world.sim.dde.Serve("iexplore", "WWW_GetWindowInfo", "-1",
                      {std::string("\"http://a.example/\",\"Deals, today\",\"x\""), 0});
  ui.SetText(C("Label4"), "Label4");
  ui.Click(C("Command1"));
  EXPECT_EQ(ui.Text(C("TxtIEUrl")), "http://a.example/");
  EXPECT_EQ(ui.Text(C("TxtIETitle")), "Deals, today");
  EXPECT_EQ(ui.Text(C("TxtDDE")), "\"http://a.example/\",\"Deals, today\",\"x\"");
  EXPECT_EQ(ui.Text(C("Label4")), "Label4");  // success leaves the status line
}

}  // namespace
}  // namespace quellix::ui
