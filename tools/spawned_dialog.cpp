#include "spawned_dialog.h"

#include <algorithm>
#include <cstdint>

namespace quellix::tools {
namespace {

// A dialog template is a run of WORDs; its items begin on DWORD boundaries.
class Template {
 public:
  void Word(WORD w) { words_.push_back(w); }
  void Dword(DWORD d) {
    Word(LOWORD(d));
    Word(HIWORD(d));
  }
  void Text(const std::wstring& text) {
    for (wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD class_atom, const std::wstring& text) {
    AlignToDword();
    Dword(style | WS_CHILD | WS_VISIBLE);
    Dword(0);  // extended style
    Word(static_cast<WORD>(x));
    Word(static_cast<WORD>(y));
    Word(static_cast<WORD>(cx));
    Word(static_cast<WORD>(cy));
    Word(id);
    Word(0xFFFF);
    Word(class_atom);
    Text(text);
    Word(0);  // no creation data
  }
  const DLGTEMPLATE* Data() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
  std::vector<WORD>& Words() { return words_; }

 private:
  std::vector<WORD> words_;
};

constexpr WORD kButtonAtom = 0x0080, kStaticAtom = 0x0082;

}  // namespace

HWND MakeDialog(HWND owner, const std::wstring& caption, const std::wstring& message,
                const std::vector<std::wstring>& buttons, DLGPROC proc, LPARAM param) {
  Template t;
  const short width = static_cast<short>(std::max<std::size_t>(200, 70 * buttons.size() + 10));
  t.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | WS_VISIBLE);
  t.Dword(0);  // extended style
  t.Word(static_cast<WORD>(1 + buttons.size()));
  t.Word(40);
  t.Word(40);
  t.Word(static_cast<WORD>(width));
  t.Word(80);
  t.Word(0);  // no menu
  t.Word(0);  // the dialog class
  t.Text(caption);
  t.Word(8);  // the font's size, and its name
  t.Text(L"MS Shell Dlg");
  t.Item(SS_LEFT, 10, 10, static_cast<short>(width - 20), 30, 0xFFFF, kStaticAtom, message);
  for (std::size_t i = 0; i < buttons.size(); ++i)
    t.Item(BS_PUSHBUTTON | WS_TABSTOP, static_cast<short>(10 + 70 * i), 55, 64, 16,
           static_cast<WORD>(kFirstButtonId + i), kButtonAtom, buttons[i]);
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), t.Data(), owner, proc, param);
}

}  // namespace quellix::tools
