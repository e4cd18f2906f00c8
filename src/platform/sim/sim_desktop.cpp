#include "platform/sim/sim_desktop.h"

#include <algorithm>

#include "text/utf8.h"

namespace quellix::sim {

WindowId SimDesktop::AddWindow(SimWindowSpec desc) {
  const WindowId id = next_id_;
  next_id_ += 4;
  windows_.push_back(Window{id, std::move(desc)});
  if (Watches() > 0) pending_events_.push_back(id);
  return id;
}

void SimDesktop::SetCaption(WindowId window, std::string caption) {
  if (Window* w = Find(window)) {
    w->desc.caption = std::move(caption);
    if (Watches() > 0) pending_events_.push_back(window);
  }
}

namespace {

class SimWindowWatch final : public platform::WindowWatch {
 public:
  explicit SimWindowWatch(std::shared_ptr<std::function<void(WindowId)>> seen) : seen_(std::move(seen)) {}

 private:
  std::shared_ptr<std::function<void(WindowId)>> seen_;
};

}  // namespace

std::unique_ptr<platform::WindowWatch> SimDesktop::WatchWindows(std::function<void(WindowId)> seen) {
  auto shared = std::make_shared<std::function<void(WindowId)>>(std::move(seen));
  watches_.push_back(shared);
  return std::make_unique<SimWindowWatch>(std::move(shared));
}

std::size_t SimDesktop::Watches() const {
  return static_cast<std::size_t>(
      std::count_if(watches_.begin(), watches_.end(), [](const auto& w) { return !w.expired(); }));
}

void SimDesktop::DeliverWindowEvents() {
  while (!pending_events_.empty()) {
    const WindowId window = pending_events_.front();
    pending_events_.pop_front();
    // A callback may end a watch or start one; each is asked for as it stands now.
    for (std::size_t i = 0; i < watches_.size(); ++i) {
      if (auto seen = watches_[i].lock()) (*seen)(window);
    }
  }
  std::erase_if(watches_, [](const auto& w) { return w.expired(); });
}

WindowId SimDesktop::AddWindow(std::string class_name, std::string caption) {
  return AddWindow(SimWindowSpec{std::move(class_name), std::move(caption)});
}

void SimDesktop::BringToTop(WindowId window) {
  auto it = std::find_if(windows_.begin(), windows_.end(), [&](const Window& w) { return w.id == window; });
  if (it != windows_.end()) std::rotate(windows_.begin(), it, it + 1);
}

void SimDesktop::VanishAfter(WindowId window, int queries) {
  if (Window* w = Find(window)) w->vanish_after = queries;
}

void SimDesktop::DeliverCloseRequests() {
  while (!pending_closes_.empty()) {
    const WindowId id = pending_closes_.front();
    pending_closes_.pop_front();
    Window* w = Find(id);
    if (w == nullptr || w->desc.ignores_close) continue;
    closed_counts_.emplace_back(id, w->close_requests);
    windows_.erase(windows_.begin() + (w - windows_.data()));
  }
}

void SimDesktop::SetProcessImage(std::uint32_t process_id, std::string path) {
  process_images_[process_id] = std::move(path);
}

int SimDesktop::ImageLookups(std::uint32_t process_id) const {
  const auto it = image_lookups_.find(process_id);
  return it == image_lookups_.end() ? 0 : it->second;
}

bool SimDesktop::Exists(WindowId window) const {
  return Find(window) != nullptr;
}

int SimDesktop::CloseRequests(WindowId window) const {
  if (const Window* w = Find(window)) return w->close_requests;
  for (const auto& [id, count] : closed_counts_)
    if (id == window) return count;
  return 0;
}

std::vector<WindowId> SimDesktop::ZOrder() const {
  std::vector<WindowId> ids;
  for (const Window& w : windows_) ids.push_back(w.id);
  return ids;
}

SimDesktop::Window* SimDesktop::Find(WindowId window) {
  // A walk asks about the window it is at and then the next one: look there first.
  for (std::size_t i : {hint_, hint_ + 1})
    if (i < windows_.size() && windows_[i].id == window) return &windows_[hint_ = i];
  for (std::size_t i = 0; i < windows_.size(); ++i)
    if (windows_[i].id == window) return &windows_[hint_ = i];
  return nullptr;
}

const SimDesktop::Window* SimDesktop::Find(WindowId window) const {
  return const_cast<SimDesktop*>(this)->Find(window);
}

SimDesktop::Window* SimDesktop::Touch(WindowId window) {
  Window* w = Find(window);
  if (w == nullptr || w->vanish_after < 0) return w;
  if (w->vanish_after == 0) {
    windows_.erase(windows_.begin() + (w - windows_.data()));
    return nullptr;
  }
  --w->vanish_after;
  return w;
}

std::string SimDesktop::VisibleCaption(const Window& w) const {
  // A window caption is a NUL-terminated string: anything after a NUL is not part of it.
  const std::string& c = w.desc.caption;
  return c.substr(0, c.find('\0'));
}

WindowId SimDesktop::FirstWindow(WindowId anchor) {
  // The anchor is one of the product's own windows, which the desktop need not model.
  if (anchor == 0 || windows_.empty()) return 0;
  return windows_.front().id;
}

WindowId SimDesktop::NextWindow(WindowId window) {
  if (on_next_) on_next_(window);
  const Window* w = Touch(window);
  if (w == nullptr) return 0;
  const auto at = static_cast<std::size_t>(w - windows_.data());
  if (at + 1 < windows_.size()) return windows_[at + 1].id;
  return circular_ ? windows_.front().id : 0;
}

std::string SimDesktop::ClassName(WindowId window, std::size_t capacity) {
  const Window* w = Touch(window);
  if (w == nullptr || capacity == 0) return {};
  return w->desc.class_name.substr(0, capacity - 1);
}

std::string SimDesktop::Text(WindowId window, std::size_t count) {
  const Window* w = Touch(window);
  if (w == nullptr || count == 0) return {};
  // The system keeps captions as UTF-16: the buffer takes count - 1 units, and the text
  // comes back as UTF-8, a byte that is no UTF-8 as U+FFFD. Half a surrogate pair at the
  // end is left out, as the product's read of a caption does.
  std::u16string units = text::Utf16FromUtf8(VisibleCaption(*w));
  if (units.size() > count - 1) {
    units.resize(count - 1);
    if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) units.pop_back();
  }
  return text::Utf8FromUtf16(units);
}

std::uint32_t SimDesktop::Style(WindowId window) {
  const Window* w = Touch(window);
  return w == nullptr ? 0 : w->desc.style;
}

void SimDesktop::PostClose(WindowId window) {
  Window* w = Touch(window);
  if (w == nullptr) return;
  if (higher_rights_.count(w->desc.process_id) != 0) return;  // dropped on the way
  ++w->close_requests;
  pending_closes_.push_back(window);
}

std::optional<std::vector<platform::ChildControl>> SimDesktop::ChildControls(WindowId window, unsigned) {
  Window* w = Touch(window);
  if (w == nullptr) return std::nullopt;
  ++w->child_queries;
  if (w->desc.hung) return std::nullopt;
  std::vector<platform::ChildControl> children;
  WindowId child_id = window * 1000;  // the children's own ids, apart from every top-level one
  for (const SimChild& c : w->desc.children)
    children.push_back({++child_id, c.id, c.class_name, c.text, c.visible});
  return children;
}

void SimDesktop::PostButtonClick(WindowId window, const platform::ChildControl& button) {
  Window* w = Touch(window);
  if (w == nullptr || higher_rights_.count(w->desc.process_id) != 0) return;
  w->button_clicks.push_back(button.id);
}

int SimDesktop::ChildQueries(WindowId window) const {
  const Window* w = Find(window);
  return w == nullptr ? 0 : w->child_queries;
}

std::vector<std::uint32_t> SimDesktop::ButtonClicks(WindowId window) const {
  const Window* w = Find(window);
  return w == nullptr ? std::vector<std::uint32_t>() : w->button_clicks;
}

std::uint32_t SimDesktop::ProcessId(WindowId window) {
  Window* w = Touch(window);
  if (w == nullptr) return 0;
  ++w->process_queries;
  return w->desc.process_id;
}

void SimDesktop::SetStyle(WindowId window, std::uint32_t style) {
  if (Window* w = Find(window)) w->desc.style = style;
}

int SimDesktop::ProcessQueries(WindowId window) const {
  const Window* w = Find(window);
  return w == nullptr ? 0 : w->process_queries;
}

std::string SimDesktop::ProcessImagePath(std::uint32_t process_id) {
  ++image_lookups_[process_id];
  const auto it = process_images_.find(process_id);
  return it == process_images_.end() ? std::string() : it->second;
}

}  // namespace quellix::sim
