#include "win/controls/accessibility.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>

#include <optional>

#include "core/text/menu_text.h"
#include "win/framework/window.h"
#include "win/platform/wide.h"

namespace accessibility {
namespace {

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// `text` for a reader; null for none.
BSTR ToBstr(const std::wstring& text) {
  return text.empty() ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// What `window`'s parent answers to the text request; empty when it has
// nothing to say.
std::wstring AskParent(HWND window, bool value) {
  const HWND parent = GetParent(window);
  TextRequest request{value, {}};
  if (parent == nullptr ||
      !SendMessageW(parent, TextRequestMessage(), reinterpret_cast<WPARAM>(window),
                    reinterpret_cast<LPARAM>(&request))) {
    return {};
  }
  return request.text;
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

LONG RoleId(Role role) {
  switch (role) {
    case Role::kPushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case Role::kPageTab:
      return ROLE_SYSTEM_PAGETAB;
    case Role::kText:
      return ROLE_SYSTEM_STATICTEXT;
    case Role::kRadioButton:
      return ROLE_SYSTEM_RADIOBUTTON;
    case Role::kCheckBox:
      return ROLE_SYSTEM_CHECKBUTTON;
    case Role::kSlider:
      return ROLE_SYSTEM_SLIDER;
    case Role::kPage:
      return ROLE_SYSTEM_PROPERTYPAGE;
    case Role::kNamed:
      break;
  }
  return ROLE_SYSTEM_CLIENT;
}

// Roles whose default action is a click.
bool IsClickable(Role role) {
  return role == Role::kPushButton || role == Role::kPageTab || role == Role::kRadioButton ||
         role == Role::kCheckBox;
}

bool IsTicked(HWND window) {
  return SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// COM carries the object to the reader. It starts with the first request
// rather than with the program (it costs tens of milliseconds under Wine)
// and stays for the thread's life: ending it would cut off a reader that
// still holds an object.
bool ComReady() {
  thread_local const bool ready = [] {
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    return SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
  }();
  return ready;
}

// The client object of one control: role, name, value, state and default
// action of its own (as its role has them), everything else the standard
// object's.
class ControlObject final : public IAccessible, public IOleWindow {
 public:
  ControlObject(HWND window, Role role, IAccessible* standard)
      : window_(window), role_(role), standard_(standard) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
    } else if (iid == __uuidof(IOleWindow)) {
      *out = static_cast<IOleWindow*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

  // Readers call the methods themselves, never through IDispatch.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    return E_NOTIMPL;
  }

  STDMETHODIMP get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child)) return standard_->get_accName(child, name);
    std::wstring text = AskParent(window_, false);
    if (text.empty()) text = WindowText(window_);
    *name = ToBstr(text);
    return *name != nullptr ? S_OK : S_FALSE;
  }
  // A slider's value is its position as the page shows it; a text's or a
  // button's text is its name, so they hold no value.
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    if (!IsSelf(child) || role_ == Role::kNamed) return standard_->get_accValue(child, value);
    *value = role_ == Role::kSlider ? ToBstr(AskParent(window_, true)) : nullptr;
    if (*value != nullptr) return S_OK;
    return role_ == Role::kSlider ? standard_->get_accValue(child, value) : DISP_E_MEMBERNOTFOUND;
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child) || role_ == Role::kNamed) return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = RoleId(role_);
    return S_OK;
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT hr = standard_->get_accState(child, state);
    if (FAILED(hr) || !IsSelf(child) || state->vt != VT_I4) return hr;
    switch (role_) {
      case Role::kPageTab:
        state->lVal |= STATE_SYSTEM_SELECTABLE;
        if (IsTicked(window_)) state->lVal |= STATE_SYSTEM_SELECTED;
        break;
      case Role::kRadioButton:
      case Role::kCheckBox:
        if (IsTicked(window_)) state->lVal |= STATE_SYSTEM_CHECKED;
        break;
      case Role::kText:
        // The labels are edit controls, which the standard object finds
        // focusable; no key ever takes the focus to them.
        state->lVal = (state->lVal | STATE_SYSTEM_READONLY) & ~STATE_SYSTEM_FOCUSABLE;
        break;
      default:
        break;
    }
    return hr;
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || !IsClickable(role_)) return standard_->accDoDefaultAction(child);
    if (!IsWindowEnabled(window_)) return E_FAIL;
    SendMessageW(window_, BM_CLICK, 0, 0);
    return S_OK;
  }

  STDMETHODIMP get_accParent(IDispatch** parent) override {
    return standard_->get_accParent(parent);
  }
  STDMETHODIMP get_accChildCount(LONG* count) override {
    return standard_->get_accChildCount(count);
  }
  STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override {
    return standard_->get_accDescription(child, text);
  }
  STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override {
    return standard_->get_accHelp(child, text);
  }
  STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    return standard_->get_accKeyboardShortcut(child, text);
  }
  STDMETHODIMP get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  STDMETHODIMP get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* text) override {
    return standard_->get_accDefaultAction(child, text);
  }
  STDMETHODIMP accSelect(LONG flags, VARIANT child) override {
    return standard_->accSelect(flags, child);
  }
  STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                           VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  STDMETHODIMP GetWindow(HWND* window) override {
    *window = window_;
    return S_OK;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

 private:
  ~ControlObject() { standard_->Release(); }

  LONG references_ = 1;
  HWND window_;
  Role role_;
  IAccessible* standard_;  // owned
};

// How a reader hears `control`, a standard control of a dialog; none for
// a kind of button the pages do not use.
std::optional<Role> RoleOf(HWND control) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  const LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
  if (lstrcmpiW(cls, WC_EDITW) == 0) {
    return (style & ES_READONLY) != 0 ? std::optional(Role::kText) : std::nullopt;
  }
  if (lstrcmpiW(cls, WC_BUTTONW) != 0) return Role::kNamed;
  switch (style & BS_TYPEMASK) {
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return Role::kRadioButton;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
      return Role::kCheckBox;
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return Role::kPushButton;
    default:
      return std::nullopt;
  }
}

}  // namespace

UINT TextRequestMessage() {
  static const UINT message = RegisterWindowMessageW(L"DashCamSetting.AccessibleText");
  return message;
}

LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, Role role) {
  // The object id travels as a DWORD.
  if (static_cast<LONG>(static_cast<DWORD>(lParam)) != OBJID_CLIENT || !ComReady()) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, __uuidof(IAccessible),
                                       reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* object = new ControlObject(window, role, standard);
  const LRESULT result =
      LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
  object->Release();
  // A failure code would keep the reader from the standard object too.
  return FAILED(result) ? 0 : result;
}

LRESULT DescribedControl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETOBJECT) {
    if (const LRESULT answer = AnswerGetObject(hwnd(), wParam, lParam, role_)) return answer;
  }
  return DefaultProc(msg, wParam, lParam);
}

void DescribeControls(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::optional<Role> role = RoleOf(child);
    if (!role) continue;
    // A control with a window procedure of the program's answers for itself.
    auto* described = new DescribedControl(*role);
    if (!described->Attach(child)) delete described;
  }
}

std::wstring SystemCommandName(HWND window, UINT command) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  wchar_t item[128] = {};
  if (menu == nullptr || GetMenuStringW(menu, command, item, 128, MF_BYCOMMAND) <= 0) return {};
  return ToWide(text::MenuItemName(U16(item)));
}

}  // namespace accessibility
