#pragma once
// The edit dialog (Form3): one entry's text, edited in a small topmost window that does not
// block the main window.

#include <functional>
#include <string>

#include "blocklist/preview_line.h"
#include "platform/ui.h"

namespace quellix::blocklist {

inline constexpr std::string_view kEditDialogCaption = "Window title To Edit";

class EditDialog final : public platform::UiEvents {
 public:
  // `on_ok` gets the text exactly as typed; the dialog unloads after it.
  // `preview` tells, while the user types, what the entry would burn now.
  EditDialog(platform::Ui& ui, std::function<void(const std::string&)> on_ok, PreviewFn preview = {})
      : ui_(ui), on_ok_(std::move(on_ok)), preview_(std::move(preview)) {}
  ~EditDialog() override { Unload(); }
  EditDialog(const EditDialog&) = delete;
  EditDialog& operator=(const EditDialog&) = delete;

  // Loads the dialog if needed, puts `text` into its field and shows it in front.
  void Open(const std::string& text);
  void Unload();
  bool Loaded() const { return form_ != 0; }

  platform::UiId Form() const { return form_; }
  platform::UiId TextField() const { return text_; }
  platform::UiId OkButton() const { return ok_; }
  platform::UiId CancelButton() const { return cancel_; }
  const PreviewLine& Preview() const { return preview_line_; }

  void OnClick(platform::UiId control) override;
  void OnTextEdited(platform::UiId control) override;
  void OnCloseRequest(platform::UiId form) override;

 private:
  platform::Ui& ui_;
  std::function<void(const std::string&)> on_ok_;
  PreviewFn preview_;
  PreviewLine preview_line_;
  platform::UiId form_ = 0, text_ = 0, ok_ = 0, cancel_ = 0;
};

}  // namespace quellix::blocklist
