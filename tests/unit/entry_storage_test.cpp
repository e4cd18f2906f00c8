// The compact stores of entry texts and list rows: every text comes back exactly, whatever
// its bytes, and a list edited step by step reads as a plain list of strings edited alike.

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "blocklist/block_list_file.h"
#include "blocklist/displayed_block_list.h"
#include "engine/burn_history.h"
#include "engine/entry_texts.h"
#include "platform/list_rows.h"
#include "platform/sim/sim_services.h"
#include "test_world.h"

namespace quellix {
namespace {

using Strings = std::vector<std::string>;

// Texts that are awkward to store: empty, every byte value, NULs, long ones.
Strings AwkwardTexts() {
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte += static_cast<char>(b);
  return {"",
          "offers",
          std::string(1, '\0'),
          every_byte,
          std::string(300, '\xFF'),
          "a\r\nb,\"c\"",
          "",
          std::string(70000, 'x') + "end"};
}

// A random text of 0 to 300 bytes of any value, so lengths cross the one-byte mark.
std::string RandomText(std::mt19937& rng) {
  std::uniform_int_distribution<int> length(0, 300), byte(0, 255);
  std::string text(static_cast<std::size_t>(length(rng)), '\0');
  for (char& c : text) c = static_cast<char>(byte(rng));
  return text;
}

TEST(EntryTexts, KeepEveryTextExactlyInOrder) {
  const Strings texts = AwkwardTexts();
  const engine::EntryTexts stored(texts);
  ASSERT_EQ(stored.Count(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(stored.At(i), texts[i]) << i;
  EXPECT_EQ(stored.Strings(), texts);
  Strings iterated;
  for (std::string_view t : stored) iterated.emplace_back(t);
  EXPECT_EQ(iterated, texts);
  EXPECT_TRUE(engine::EntryTexts().Empty());
}

TEST(EntryTexts, ReadFromAListFileAsTheFieldsAre) {
  for (std::string_view file :
       {std::string_view("alpha\r\nbeta\r\n"), std::string_view("Buy now, cheap\r\n\r\n,,x"),
        std::string_view("  \"quoted, \"\"one\"\"\" dropped,\"open\r\nquote"),
        std::string_view("a\rb\nc\r\n\n"), std::string_view(""), std::string_view("\xEF\xBB\xBF\x80\xFF")}) {
    EXPECT_EQ(blocklist::ReadEntryTexts(file).Strings(), blocklist::ReadFields(file)) << file;
  }
}

// The same edits on the displayed list and on a plain list of (text, icon) pairs.
TEST(DisplayedBlockList, EditedAtRandomReadsAsAPlainListEditedAlike) {
  std::mt19937 rng(7);
  const std::vector<std::string> icons = {"", "a", "b"};
  auto loaded = std::make_shared<engine::EntryTexts>();
  std::vector<std::pair<std::string, std::string>> model;
  for (int i = 0; i < 200; ++i) {
    loaded->Append(RandomText(rng));
    model.emplace_back(std::string(loaded->At(static_cast<std::size_t>(i))), "a");
  }
  blocklist::DisplayedBlockList list;
  list.Assign(loaded, "a");
  for (int step = 0; step < 3000; ++step) {
    const auto pick = [&] { return std::uniform_int_distribution<std::size_t>(1, model.size())(rng); };
    const std::string icon = icons[std::uniform_int_distribution<std::size_t>(0, 2)(rng)];
    switch (std::uniform_int_distribution<int>(0, 9)(rng)) {
      case 0:
      case 1:
      case 2: {
        const std::string text = RandomText(rng);
        list.Add(text, icon);
        model.emplace_back(text, icon);
        break;
      }
      case 3:
      case 4:
      case 5:
        if (!model.empty()) {
          const std::size_t at = pick();
          const std::string text = RandomText(rng);
          list.SetText(at, text);
          model[at - 1].first = text;  // the icon stays
        }
        break;
      case 6:
      case 7: {
        const std::size_t at = std::uniform_int_distribution<std::size_t>(0, model.size() + 1)(rng);
        list.Remove(at);  // 0 and one past the end change nothing
        if (at >= 1 && at <= model.size()) model.erase(model.begin() + static_cast<std::ptrdiff_t>(at - 1));
        break;
      }
      case 8: {
        const std::size_t keep = model.size() - std::min<std::size_t>(model.size(), 3);
        list.KeepFirst(keep);
        model.resize(keep);
        break;
      }
      default: {
        engine::EntryTexts more;
        for (int i = 0; i < 3; ++i) {
          more.Append(RandomText(rng));
          model.emplace_back(std::string(more.At(static_cast<std::size_t>(i))), icon);
        }
        list.Append(more, icon);
      }
    }
    ASSERT_EQ(list.Count(), model.size()) << step;
  }
  for (std::size_t i = 1; i <= model.size(); ++i) {
    EXPECT_EQ(list.Text(i), model[i - 1].first) << i;
    EXPECT_EQ(list.Icon(i), model[i - 1].second) << i;
    EXPECT_EQ(list.At(i).text, model[i - 1].first) << i;
  }
  Strings texts;
  for (const auto& [text, icon] : model) texts.push_back(text);
  EXPECT_EQ(list.Texts(), texts);
  const std::vector<std::string_view> views = list.TextViews();
  EXPECT_EQ(Strings(views.begin(), views.end()), texts);
  list.Clear();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_FALSE(list.Has(1));
}

TEST(DisplayedBlockList, WritesTheFileTextOfItsEntriesAsTheListOfStringsWould) {
  blocklist::DisplayedBlockList list;
  const Strings entries = {
      "\xEF\xBB\xBFstarts like a mark", " blank first", "comma, inside", "quote \" inside", "", "plain",
      "\xEF\xBB\xBFnot first"};
  for (const std::string& e : entries) list.Add(e);
  EXPECT_EQ(blocklist::DisplayedListText(list), blocklist::BlockListText(entries));
  EXPECT_EQ(blocklist::ReadFields(blocklist::DisplayedListText(list)), entries);
}

// Loading keeps one copy of the entries: the displayed list and the active list read the
// same bytes.
TEST(DisplayedBlockList, ShowsTheLoadedEntriesFromTheActiveListsCopy) {
  testing::World w;
  w.sim.files.Put(w.app_folder + "\\popcfg.apo", "offers\r\ncasino\r\n");
  blocklist::DisplayedBlockList shown;
  ASSERT_EQ(quellix::testing::LoadListAsAtStart(w.services(), w.app_folder, w.state.block_entries, shown),
            blocklist::ListRead::Outcome::kRead);
  ASSERT_EQ(shown.Count(), 2u);
  EXPECT_EQ(shown.Text(2), "casino");
  EXPECT_EQ(shown.Icon(2), blocklist::kEntryIcon);
  EXPECT_EQ(shown.Text(1).data(), w.state.block_entries.Entry(1).data());
  EXPECT_EQ(shown.Text(2).data(), w.state.block_entries.Entry(2).data());
  // An edit changes the shown entry only.
  shown.SetText(1, "lottery");
  EXPECT_EQ(shown.Text(1), "lottery");
  EXPECT_EQ(w.state.block_entries.Entry(1), "offers");
}

TEST(ListRows, KeepEveryCellExactlyInOrder) {
  platform::ListRows rows;
  const Strings cells = AwkwardTexts();
  rows.Add(cells, "a");
  rows.Add({}, "");
  rows.Add({"one"}, "b");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (platform::ListRows::Row{cells, "a"}));
  EXPECT_EQ(rows.at(1), (platform::ListRows::Row{{}, ""}));
  EXPECT_EQ(rows.back(), (platform::ListRows::Row{{"one"}, "b"}));
  EXPECT_EQ(rows.Cell(0, 3), cells[3]);
  EXPECT_EQ(rows.Cell(2, 1), "");  // a column the row does not have
  EXPECT_EQ(rows.CellCount(0), cells.size());
  EXPECT_EQ(rows.Icon(2), "b");
  EXPECT_THROW(rows.at(3), std::out_of_range);
  std::vector<platform::ListRows::Row> iterated;
  for (const auto& row : rows) iterated.push_back(row);
  EXPECT_EQ(iterated, (std::vector<platform::ListRows::Row>{rows.front(), rows[1], rows.back()}));
  rows.Clear();
  EXPECT_TRUE(rows.empty());
}

TEST(ListRows, EditedAtRandomReadAsAPlainListEditedAlike) {
  std::mt19937 rng(11);
  const std::vector<std::string> icons = {"", "a", "row icon"};
  platform::ListRows rows;
  std::vector<platform::ListRows::Row> model;
  for (int step = 0; step < 4000; ++step) {
    const int action = std::uniform_int_distribution<int>(0, 9)(rng);
    if (action < 4 || model.empty()) {
      Strings cells(std::uniform_int_distribution<std::size_t>(0, 4)(rng));
      for (std::string& c : cells) c = RandomText(rng);
      const std::string& icon = icons[std::uniform_int_distribution<std::size_t>(0, 2)(rng)];
      rows.Add(cells, icon);
      model.emplace_back(cells, icon);
    } else if (action < 8) {
      const std::size_t i = std::uniform_int_distribution<std::size_t>(0, model.size() - 1)(rng);
      const std::size_t column = std::uniform_int_distribution<std::size_t>(0, 5)(rng);
      const std::string text = RandomText(rng);
      rows.SetCell(i, column, text);
      auto& cells = model[i].first;
      if (cells.size() <= column) cells.resize(column + 1);
      cells[column] = text;
    } else if (action < 9) {
      const std::size_t i = std::uniform_int_distribution<std::size_t>(0, model.size() - 1)(rng);
      rows.Remove(i);
      model.erase(model.begin() + static_cast<std::ptrdiff_t>(i));
    } else if (step % 500 == 9) {
      rows.Clear();
      model.clear();
    }
    ASSERT_EQ(rows.size(), model.size()) << step;
  }
  ASSERT_FALSE(model.empty());
  for (std::size_t i = 0; i < model.size(); ++i) {
    EXPECT_EQ(rows[i], model[i]) << i;
    EXPECT_EQ(rows.Icon(i), model[i].second) << i;
  }
}

// Figures follow the entries of a list read in place, an entry listed twice included.
TEST(HitStatsKeepOnly, KeepsTheFiguresOfTheEntriesOfAListReadInPlace) {
  engine::HitStats stats;
  for (const char* entry : {"kept", "dropped", "twice", "also dropped"}) stats.Credit(entry, "t");
  stats.Credit("twice", "later");
  blocklist::DisplayedBlockList list;
  for (const char* entry : {"twice", "kept", "new", "twice"}) list.Add(entry);
  EXPECT_TRUE(stats.KeepOnly(list.TextViews()));
  EXPECT_EQ(stats.Size(), 2u);
  EXPECT_EQ(stats.Of("twice").burned, 2u);
  EXPECT_EQ(stats.Of("twice").last, "later");
  EXPECT_EQ(stats.Of("kept").burned, 1u);
  EXPECT_EQ(stats.Of("dropped").burned, 0u);
  EXPECT_FALSE(stats.KeepOnly(list.TextViews()));
}

}  // namespace
}  // namespace quellix
