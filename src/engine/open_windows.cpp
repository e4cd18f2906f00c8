#include "engine/open_windows.h"

#include "engine/browser_frames.h"
#include "engine/rule_judge.h"
#include "engine/window_inspection.h"
#include "text/text.h"

namespace quellix::engine {

std::optional<OpenWindow> ReadOpenWindow(platform::Services services, platform::WindowId window,
                                         std::uint32_t own_process) {
  platform::Desktop& desktop = services.desktop;
  if (!IsVisible(desktop, window)) return std::nullopt;
  const std::uint32_t process = desktop.ProcessId(window);
  if (process == 0 || process == own_process) return std::nullopt;
  OpenWindow open{window, rules::LowerProgram(ProgramFileName(desktop.ProcessImagePath(process)), services.code_page),
                  ReadWindowClass(desktop, window), ReadWindowCaption(desktop, window, kWholeCaptionBufferSize)};
  if (open.program.empty() || rules::IsProtectedProgram(open.program)) return std::nullopt;
  if (open.caption.empty() && open.class_name.empty()) return std::nullopt;
  return open;
}

std::vector<OpenWindow> ListOpenWindows(platform::Services services, platform::WindowId anchor,
                                        std::uint32_t own_process) {
  std::vector<OpenWindow> open;
  for (ZOrderWalk walk(services.desktop, anchor); walk.Current() != 0; walk.Next())
    if (std::optional<OpenWindow> w = ReadOpenWindow(services, walk.Current(), own_process)) open.push_back(std::move(*w));
  return open;
}

std::size_t CountNamedWindows(platform::Services services, const rules::Rule& rule,
                              const std::vector<OpenWindow>& open) {
  const rules::PreparedRule prepared(rule, services.code_page);
  std::size_t named = 0;
  std::string caption;
  for (const OpenWindow& w : open) {
    services.code_page.LowerUtf8(w.caption, caption);
    if (!prepared.ProgramMatches(w.program) || !prepared.ClassMatches(w.class_name) || !prepared.TitleMatches(caption))
      continue;
    if (prepared.WantsText()) {
      const auto controls = services.desktop.ChildControls(w.window, kControlTextTimeoutMs);
      if (!controls || !prepared.TextMatches(ShownTextOf(*controls, services.code_page))) continue;
    }
    ++named;
  }
  return named;
}

}  // namespace quellix::engine
