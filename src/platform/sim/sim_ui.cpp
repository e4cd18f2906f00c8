#include "platform/sim/sim_ui.h"

#include <algorithm>

namespace quellix::sim {

using platform::ControlKind;

SimUi::Element* SimUi::Lookup(UiId id) {
  auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : &it->second;
}

platform::UiEvents* SimUi::EventsOf(UiId id) {
  Element* e = Lookup(id);
  if (e == nullptr) return nullptr;
  Element* form = Lookup(e->form);
  return form == nullptr ? nullptr : form->events;
}

std::optional<UiId> SimUi::FindForm(const std::string& name) const {
  for (const auto& [id, e] : elements_)
    if (e.is_form && e.name == name) return id;
  return std::nullopt;
}

UiId SimUi::Find(UiId form, const std::string& name, int nth) const {
  for (const auto& [id, e] : elements_)
    if (!e.is_form && e.form == form && e.name == name && nth-- == 0) return id;
  return 0;
}

UiId SimUi::Find(const std::string& form, const std::string& name, int nth) const {
  auto f = FindForm(form);
  return f ? Find(*f, name, nth) : 0;
}

SimDrawnButton* SimUi::Drawn(UiId id) const {
  auto it = elements_.find(id);
  return it == elements_.end() ? nullptr : it->second.drawn.get();
}

void SimUi::Click(UiId control) {
  Element* e = Lookup(control);
  if (e == nullptr || !e->enabled) return;
  if (e->drawn) {
    // Held while the click runs: its handler may destroy the form with the button.
    const std::shared_ptr<SimDrawnButton> drawn = e->drawn;
    platform::DrawnControl& button = *drawn->control;
    button.OnMouseDown(platform::kMouseLeft, 0, 1, 1);
    button.OnMouseUp(platform::kMouseLeft, 0, 1, 1);
    button.OnClick();
    return;
  }
  if (e->kind == ControlKind::kCheckBox) e->value = e->value == 1 ? 0 : 1;
  if (e->kind == ControlKind::kOptionButton) {
    for (auto& [id, other] : elements_)
      if (other.kind == ControlKind::kOptionButton && other.form == e->form && other.container == e->container)
        other.value = 0;
    e->value = 1;
  }
  if (auto* events = EventsOf(control)) events->OnClick(control);
}

void SimUi::DoubleClick(UiId control) {
  if (auto* events = EventsOf(control)) events->OnDoubleClick(control);
}

void SimUi::Type(UiId control, const std::string& text) {
  if (Element* e = Lookup(control)) e->text = text;
  if (auto* events = EventsOf(control)) events->OnTextEdited(control);
}

void SimUi::ItemClick(UiId list, std::size_t row) {
  MoveHighlight(list, row);
  if (auto* events = EventsOf(list)) events->OnItemClick(list, row);
}

void SimUi::MoveHighlight(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e == nullptr || row < 1 || row > e->rows.size() || row == e->selected_row) return;
  e->selected_row = row;
  if (auto* events = EventsOf(list)) events->OnSelectionChanged(list, row);
}

void SimUi::CloseByUser(UiId form) {
  if (auto* events = EventsOf(form)) events->OnCloseRequest(form);
}

void SimUi::EndSession() {
  std::vector<UiId> forms;
  for (const auto& [id, e] : elements_)
    if (e.is_form) forms.push_back(id);
  // A handler may destroy forms: each is looked up again before it is told.
  for (UiId form : forms)
    if (auto* events = EventsOf(form)) events->OnSessionEnding(form);
}

void SimUi::MinimizeByUser(UiId form) { SetWindowState(form, platform::WindowState::kMinimized); }

bool SimUi::PressKey(UiId form, platform::DialogKey key) {
  auto* events = EventsOf(form);
  return events != nullptr && events->OnDialogKey(form, key);
}

void SimUi::PickWindow(UiId finder, std::uint64_t window) {
  if (auto* events = EventsOf(finder)) events->OnWindowPicked(finder, window);
}

void SimUi::TrayNotify(UiId tray_host, std::uint32_t code) {
  if (auto* events = EventsOf(tray_host)) events->OnTrayNotify(tray_host, code);
}

void SimUi::AdvanceTime(std::uint64_t ms) {
  const std::uint64_t end = now_ + ms;
  for (;;) {
    auto next = std::min_element(timers_.begin(), timers_.end(),
                                 [](const auto& a, const auto& b) { return a.second.due < b.second.due; });
    if (next == timers_.end() || next->second.due > end) break;
    now_ = next->second.due;
    next->second.due += next->second.interval;
    const UiId timer = next->first;
    if (auto* events = EventsOf(next->second.form)) events->OnTimer(timer);
  }
  now_ = end;
}

UiId SimUi::CreateForm(const platform::FormSpec& desc, platform::UiEvents& events) {
  const UiId id = next_id_++;
  Element e;
  e.id = id;
  e.form = id;
  e.is_form = true;
  e.name = desc.name;
  e.text = desc.caption;
  e.rect = {0, 0, desc.client_width, desc.client_height};
  e.hidden_host = desc.hidden_host;
  e.events = &events;
  elements_[id] = std::move(e);
  return id;
}

void SimUi::DestroyForm(UiId form) {
  std::erase_if(elements_, [&](const auto& kv) { return kv.second.form == form; });
  std::erase_if(timers_, [&](const auto& kv) { return kv.second.form == form; });
}

UiId SimUi::CreateControl(UiId form, const platform::ControlSpec& desc) {
  const UiId id = next_id_++;
  Element e;
  e.id = id;
  e.form = form;
  e.kind = desc.kind;
  e.name = desc.name;
  e.text = desc.caption;
  e.rect = desc.rect;
  e.visible = desc.visible;
  e.enabled = desc.enabled;
  e.container = desc.container;
  e.columns = desc.columns;
  const Element* f = Lookup(form);
  if (desc.kind == ControlKind::kButton && f != nullptr && drawn_controls_.Describes(f->name, desc.name)) {
    auto drawn = std::make_shared<SimDrawnButton>();
    SimDrawnButton* d = drawn.get();
    d->window.handle = id;
    d->window.name = desc.name;
    d->window.client = {desc.rect.width / SimDrawnButton::kTwipsPerPixel,
                        desc.rect.height / SimDrawnButton::kTwipsPerPixel};
    d->window.on_timer = [d] {
      if (d->control) d->control->OnTimer();
    };
    d->window.on_resize = [d] {
      if (d->control) d->control->OnResize();
    };
    d->control = drawn_controls_.Make(f->name, desc.name, d->window, d->canvas, desc.caption, desc.enabled,
                                      [this, id] {
                                        if (auto* events = EventsOf(id)) events->OnClick(id);
                                      });
    if (d->control != nullptr) {
      if (desc.visible) d->control->OnShow(true);
      e.drawn = std::move(drawn);
    }
  }
  elements_[id] = std::move(e);
  return id;
}

void SimUi::SetVisible(UiId id, bool visible) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  if (e->drawn && visible != e->visible) e->drawn->control->OnShow(visible);
  // As on Win32: a form shown for the first time is sized, which tells its state.
  const bool first_shown = visible && e->is_form && !e->hidden_host && !e->shown_once;
  e->visible = visible && !e->hidden_host;
  if (first_shown) {
    e->shown_once = true;
    if (e->events != nullptr) e->events->OnWindowStateChanged(id);
  }
  // As on Win32: a frame's controls come and go with it, every one of them when it is shown.
  if (e->kind != ControlKind::kFrame) return;
  for (auto& [child, c] : elements_) {
    if (c.container != id || c.is_form) continue;
    if (c.drawn && visible != c.visible) c.drawn->control->OnShow(visible);
    c.visible = visible;
  }
}
bool SimUi::Visible(UiId id) {
  Element* e = Lookup(id);
  return e != nullptr && e->visible;
}
void SimUi::SetEnabled(UiId id, bool enabled) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  e->enabled = enabled;
  if (e->drawn) e->drawn->control->SetEnabled(enabled);
}
void SimUi::SetText(UiId id, const std::string& text) {
  Element* e = Lookup(id);
  if (e == nullptr) return;
  e->text = text;
  if (e->drawn) e->drawn->control->SetCaption(text);
}
std::string SimUi::Text(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? std::string() : e->text;
}
void SimUi::SetValue(UiId id, int value) {
  if (Element* e = Lookup(id)) e->value = value;
}
int SimUi::Value(UiId id) {
  Element* e = Lookup(id);
  if (e != nullptr && e->drawn) return e->drawn->control->State().checked ? 1 : 0;
  return e == nullptr ? 0 : e->value;
}
void SimUi::Move(UiId id, int left_twips, int top_twips) {
  if (Element* e = Lookup(id)) {
    e->rect.left = left_twips;
    e->rect.top = top_twips;
  }
}
platform::TwipsRect SimUi::Bounds(UiId id) {
  Element* e = Lookup(id);
  return e == nullptr ? platform::TwipsRect{} : e->rect;
}

void SimUi::SetToolTip(UiId control, const std::string& text) {
  if (Element* e = Lookup(control)) e->tooltip = text;
}

void SimUi::SetWindowState(UiId form, platform::WindowState state) {
  Element* e = Lookup(form);
  if (e == nullptr) return;
  e->state = state;
  if (e->events != nullptr) e->events->OnWindowStateChanged(form);
}
platform::WindowState SimUi::GetWindowState(UiId form) {
  Element* e = Lookup(form);
  return e == nullptr ? platform::WindowState::kNormal : e->state;
}
void SimUi::CenterOnScreen(UiId form) {
  if (Element* e = Lookup(form)) e->centered = true;
}
void SimUi::SetTopmost(UiId form) {
  if (Element* e = Lookup(form)) e->topmost = true;
}

void SimUi::ListClear(UiId list) {
  if (Element* e = Lookup(list)) {
    e->rows.Clear();
    e->selected_row = 0;
  }
}
void SimUi::ListAdd(UiId list, const std::vector<std::string>& cells, const std::string& icon) {
  if (Element* e = Lookup(list)) e->rows.Add(cells, icon);
}
std::size_t SimUi::ListCount(UiId list) {
  Element* e = Lookup(list);
  return e == nullptr ? 0 : e->rows.size();
}
std::string SimUi::ListText(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e == nullptr || row < 1 || row > e->rows.size()) return {};
  return std::string(e->rows.Cell(row - 1, 0));
}

void SimUi::ListSetText(UiId list, std::size_t row, const std::string& text) {
  Element* e = Lookup(list);
  if (e == nullptr || row < 1 || row > e->rows.size()) return;
  e->rows.SetCell(row - 1, 0, text);
}
void SimUi::ListRemove(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e == nullptr || row < 1 || row > e->rows.size()) return;
  e->rows.Remove(row - 1);
  // The highlight stays on its position, which the next row moves into; past the end it goes.
  if (e->selected_row > e->rows.size()) e->selected_row = 0;
}

void SimUi::ListSelect(UiId list, std::size_t row) {
  Element* e = Lookup(list);
  if (e != nullptr && row >= 1 && row <= e->rows.size()) e->selected_row = row;
}
void SimUi::SetTextColor(UiId label, std::uint32_t rgb) {
  if (Element* e = Lookup(label)) e->text_color = rgb;
}

UiId SimUi::CreateTimer(UiId form, unsigned interval_ms) {
  const UiId id = next_id_++;
  timers_[id] = Timer{form, interval_ms, now_ + interval_ms};
  return id;
}
void SimUi::DestroyTimer(UiId timer) { timers_.erase(timer); }

int SimUi::TrackPopupMenu(UiId /*owner_form*/, const std::vector<platform::MenuItem>& items) {
  menus_shown.push_back(items);
  if (menu_picks.empty()) return 0;
  const std::vector<std::string> path = menu_picks.front();
  menu_picks.pop_front();
  const std::vector<platform::MenuItem>* level = &items;
  int chosen = 0;
  for (const std::string& caption : path) {
    auto it = std::find_if(level->begin(), level->end(), [&](const auto& i) { return i.caption == caption; });
    if (it == level->end() || !it->enabled) return 0;
    chosen = it->id;
    level = &it->submenu;
  }
  return chosen;
}

std::uint32_t SimUi::LoadIcon(const std::string& key) {
  auto [it, added] = icons_.try_emplace(key, static_cast<std::uint32_t>(0x5000 + icons_.size()));
  return it->second;
}

void SimUi::NotifyIcon(platform::NotifyAction action, const platform::NotifyIconRecord& record) {
  notify_calls.emplace_back(action, record);
}

void SimUi::DoEvents() {
  while (!queued_.empty()) {
    auto event = std::move(queued_.front());
    queued_.pop_front();
    event();
  }
}

}  // namespace quellix::sim
