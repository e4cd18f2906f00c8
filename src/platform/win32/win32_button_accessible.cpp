#include "platform/win32/win32_button_accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/win32/wide_text.h"
#include "platform/win32/win32_drawn_button.h"

namespace quellix::win32 {
namespace {

constexpr wchar_t kPress[] = L"Press";

BSTR ToBstr(std::wstring_view wide) {
  return SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

void SetSelf(VARIANT* v) {
  VariantInit(v);
  v->vt = VT_I4;
  v->lVal = CHILDID_SELF;
}

// The object holds only the window handle and asks the window (and the drawn button bound to
// it) for everything, so it stays sound when a client keeps it beyond the window's life.
class ButtonAccessible final : public IAccessible {
 public:
  explicit ButtonAccessible(HWND button) : button_(button) {}

  // IUnknown.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: clients of this object call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (!IsWindow(button_)) return E_FAIL;
    // The window object of the same window, as for every window's client object.
    return CreateStdAccessibleObject(button_, OBJID_WINDOW, __uuidof(IDispatch),
                                     reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (child == nullptr) return E_POINTER;
    *child = nullptr;
    return E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    const std::shared_ptr<Win32DrawnButton> button = Win32DrawnButton::Of(button_);
    return Text(child, name, Widen(button != nullptr ? button->Control().ReadableCaption() : std::string()));
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return Nothing(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return Nothing(child, text);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    if (!IsSelf(child)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (state == nullptr) return E_POINTER;
    VariantInit(state);
    if (!IsSelf(child)) return E_INVALIDARG;
    if (!IsWindow(button_)) return E_FAIL;
    const LRESULT pushed = SendMessageW(button_, BM_GETSTATE, 0, 0);
    LONG bits = IsWindowEnabled(button_) ? STATE_SYSTEM_FOCUSABLE : STATE_SYSTEM_UNAVAILABLE;
    if (GetFocus() == button_) bits |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowVisible(button_)) bits |= STATE_SYSTEM_INVISIBLE;
    if (pushed & (BST_PUSHED | BST_CHECKED)) bits |= STATE_SYSTEM_PRESSED;
    if (pushed & BST_HOT) bits |= STATE_SYSTEM_HOTTRACKED;
    state->vt = VT_I4;
    state->lVal = bits;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override { return Nothing(child, help); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    if (file == nullptr || topic == nullptr) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    return IsSelf(child) ? S_FALSE : E_INVALIDARG;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    const std::shared_ptr<Win32DrawnButton> button = Win32DrawnButton::Of(button_);
    std::wstring key = Widen(button != nullptr ? button->AccessKeys() : std::string());
    if (key.empty()) return Nothing(child, shortcut);
    // The key of any script, in capitals as a keyboard shows them.
    CharUpperBuffW(key.data(), static_cast<DWORD>(key.size()));
    return Text(child, shortcut, L"Alt+" + key);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    VariantInit(focus);
    if (GetFocus() != button_) return S_FALSE;
    SetSelf(focus);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection == nullptr) return E_POINTER;
    VariantInit(selection);
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    if (!IsSelf(child)) return E_INVALIDARG;
    *action = SysAllocString(kPress);
    return *action != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
    if (!IsSelf(child) || flags != SELFLAG_TAKEFOCUS) return E_INVALIDARG;
    return SetFocus(button_) != nullptr || GetFocus() == button_ ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                        VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    *left = *top = *width = *height = 0;
    if (!IsSelf(child)) return E_INVALIDARG;
    RECT r;
    if (!GetWindowRect(button_, &r)) return E_FAIL;
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG, VARIANT, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    VariantInit(end);
    return S_FALSE;  // no children; siblings are the parent's to tell
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* at) override {
    if (at == nullptr) return E_POINTER;
    VariantInit(at);
    RECT r;
    if (!GetWindowRect(button_, &r) || !PtInRect(&r, POINT{x, y})) return S_FALSE;
    SetSelf(at);
    return S_OK;
  }
  // Posted, as a click from the window system comes: a client is not held up by what the
  // button's action opens.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child)) return E_INVALIDARG;
    if (!IsWindowEnabled(button_)) return E_FAIL;
    return PostMessageW(button_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  static HRESULT Text(const VARIANT& child, BSTR* out, std::wstring_view text) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!IsSelf(child)) return E_INVALIDARG;
    *out = ToBstr(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  static HRESULT Nothing(const VARIANT& child, BSTR* out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    return IsSelf(child) ? S_FALSE : E_INVALIDARG;
  }

  HWND button_;
  LONG refs_ = 1;
};

}  // namespace

LRESULT ServeButtonAccessible(HWND button, WPARAM flags, LPARAM object_id) {
  if (static_cast<LONG>(object_id) != OBJID_CLIENT) return 0;
  auto* object = new ButtonAccessible(button);
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), flags, object);
  object->Release();
  return result;
}

}  // namespace quellix::win32
