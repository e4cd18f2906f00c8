// The burning engine on a simulated desktop: loads a block list file, opens the windows of
// a desktop description, runs burn cycles and prints what was burned and logged.
//
//   quellix_demo [block-list-file [desktop-file [ticks]]]
//
// A desktop file holds one window a line, topmost first: class|caption[|style-hex[|ignores-close]].

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "blocklist/block_list_file.h"
#include "blocklist/managed_list.h"
#include "engine/burn_cycle.h"
#include "engine/browser_frames.h"
#include "engine/window_inspection.h"
#include "platform/sim/sim_services.h"
#include "settings/settings_store.h"
#include "text/text.h"

namespace {

using namespace quellix;

constexpr char kAppFolder[] = "C:\\Quellix";

constexpr char kSampleList[] = "offers\r\ncasino\r\n\"Buy now, cheap\"\r\nwinner\r\n";
constexpr char kSampleDesktop[] =
    "Shell_TrayWnd|\n"
    "IEFrame|Cheap Offers - Microsoft Internet Explorer\n"
    "MozillaWindowClass|Online Casino Bonus - Mozilla\n"
    "IEFrame|My Bank - Microsoft Internet Explorer\n"
    "Notepad|offers.txt - Notepad\n"
    "IEFrame|You are a WINNER! - Microsoft Internet Explorer|c00000|1\n"
    "MozillaWindowClass|Buy now, cheap pills - Mozilla\n";

std::string ReadWholeFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << path << "\n";
    std::exit(2);
  }
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> Split(const std::string& s, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!s.empty() && s.back() == separator) parts.emplace_back();
  return parts;
}

void OpenWindows(sim::SimDesktop& desktop, const std::string& description) {
  for (std::string line : Split(description, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    const auto fields = Split(line, '|');
    sim::SimWindowSpec desc{fields[0], fields.size() > 1 ? fields[1] : ""};
    if (fields.size() > 2) desc.style = static_cast<std::uint32_t>(std::stoul(fields[2], nullptr, 16));
    desc.ignores_close = fields.size() > 3 && fields[3] == "1";
    desktop.AddWindow(desc);
  }
}

void PrintLog(const std::string& log) {
  std::cout << "log: " << log.size() << " bytes, " << log.size() / engine::BurnRecord::kSize << " records\n";
  for (std::size_t at = 0; at + engine::BurnRecord::kSize <= log.size(); at += engine::BurnRecord::kSize) {
    auto field = [&](std::size_t offset, std::size_t width) {
      std::string f = log.substr(at + offset, width);
      for (char& c : f)
        if (c == '\0') c = ' ';
      return text::TrimBlanks(f);
    };
    std::cout << "  [" << field(0, 30) << "] [" << field(30, 10) << "] [" << field(40, 10) << "] ["
              << field(50, 100) << "]\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  sim::SimPlatform sim;
  engine::ProcessState state;
  state.burning.TurnOn();

  sim.files.Put(blocklist::BlockListPath(kAppFolder), argc > 1 ? ReadWholeFile(argv[1]) : kSampleList);
  // The product's own window sits at the bottom; the described windows lie above it.
  OpenWindows(sim.desktop, argc > 2 ? ReadWholeFile(argv[2]) : kSampleDesktop);
  const platform::WindowId own_window = sim.desktop.AddWindow("ThunderRT6FormDC", "Quellix");
  const int ticks = argc > 3 ? std::max(1, std::atoi(argv[3])) : 2;

  for (const char* name : {"0", "1", "2", "7"}) settings::WriteOption(sim.registry, name, "1");
  settings::WriteOption(sim.registry, "wavext", "1");
  settings::WriteOption(sim.registry, "wavfile", "C:\\Quellix\\wav\\7.wav");
  state.sound = {"1", "0", "1", "C:\\Quellix\\wav\\7.wav"};

  blocklist::DisplayedBlockList displayed;
  const blocklist::ListRead read = blocklist::LoadOwnList(sim.Services(), kAppFolder, displayed);
  if (read.outcome == blocklist::ListRead::Outcome::kRead)
    blocklist::ComposeActiveList(state.block_entries, read.entries, {}, /*own_burn=*/true, sim.code_page);
  for (const auto& box : sim.messages.shown) std::cout << "message: " << box.text << "\n";
  std::cout << "block list: " << state.block_entries.Count() << " entries\n";
  std::cout << "open browser windows:";
  for (const std::string& t : engine::ListOpenBrowserWindows(sim.desktop, own_window)) std::cout << " [" << t << "]";
  std::cout << "\n";

  for (int tick = 1; tick <= ticks; ++tick) {
    const auto before = sim.desktop.ZOrder();
    std::vector<int> requests_before;
    for (auto id : before) requests_before.push_back(sim.desktop.CloseRequests(id));
    engine::BurnCycle(sim.Services(), state, std::string(kAppFolder), own_window);
    for (std::size_t i = 0; i < before.size(); ++i)
      if (sim.desktop.CloseRequests(before[i]) > requests_before[i])
        std::cout << "tick " << tick << ": burned [" << engine::ReadWindowClass(sim.desktop, before[i]) << "] ["
                  << engine::ReadWindowTitle(sim.desktop, before[i]) << "]\n";
    sim.desktop.DeliverCloseRequests();
  }
  const std::string count = settings::ReadOption(sim.registry, "cnt");
  std::cout << "sounds played: " << sim.sound.played.size() << "\n";
  PrintLog(sim.files.Get(engine::LogFilePath(kAppFolder)).value_or(""));
  std::cout << "burned: " << (count.empty() ? "0" : count) << "\n";
  return 0;
}
