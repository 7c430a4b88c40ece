#include "win/controls/accessibility.h"

#include <commctrl.h>
#include <ole2.h>
#include <oleacc.h>

#include "core/text/menu_text.h"
#include "win/framework/window.h"
#include "win/platform/wide.h"

namespace accessibility {
namespace {

bool IsSelf(const VARIANT& child) {
  return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
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
// action of its own, everything else the standard object's.
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
    const int length = GetWindowTextLengthW(window_);
    *name = length > 0 ? SysAllocStringLen(nullptr, static_cast<UINT>(length)) : nullptr;
    if (*name == nullptr) return S_FALSE;
    GetWindowTextW(window_, *name, length + 1);
    return S_OK;
  }
  // The text is the name; none of these controls holds a value.
  STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override {
    if (!IsSelf(child)) return standard_->get_accValue(child, value);
    *value = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
    if (!IsSelf(child)) return standard_->get_accRole(child, role);
    role->vt = VT_I4;
    role->lVal = role_ == Role::kPushButton ? ROLE_SYSTEM_PUSHBUTTON
                 : role_ == Role::kPageTab  ? ROLE_SYSTEM_PAGETAB
                                            : ROLE_SYSTEM_STATICTEXT;
    return S_OK;
  }
  STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override {
    const HRESULT hr = standard_->get_accState(child, state);
    if (FAILED(hr) || !IsSelf(child) || state->vt != VT_I4) return hr;
    if (role_ == Role::kPageTab) {
      state->lVal |= STATE_SYSTEM_SELECTABLE;
      if (SendMessageW(window_, BM_GETCHECK, 0, 0) == BST_CHECKED) {
        state->lVal |= STATE_SYSTEM_SELECTED;
      }
    } else if (role_ == Role::kText) {
      state->lVal |= STATE_SYSTEM_READONLY;
    }
    return hr;
  }
  STDMETHODIMP accDoDefaultAction(VARIANT child) override {
    if (!IsSelf(child) || role_ == Role::kText) return standard_->accDoDefaultAction(child);
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

// A label as screen readers read it. It lives as long as its window.
class TextLabel final : public Window {
 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_GETOBJECT) {
      if (const LRESULT answer = AnswerGetObject(hwnd(), wParam, lParam, Role::kText)) return answer;
    }
    return DefaultProc(msg, wParam, lParam);
  }
  void OnFinalDestroy() override { delete this; }
};

}  // namespace

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

void ReadLabelsAsText(HWND dialog) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, WC_EDITW) == 0 && (GetWindowLongPtrW(child, GWL_STYLE) & ES_READONLY)) {
      auto* label = new TextLabel;
      if (!label->Attach(child)) delete label;
    }
  }
}

std::wstring SystemCommandName(HWND window, UINT command) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  wchar_t item[128] = {};
  if (menu == nullptr || GetMenuStringW(menu, command, item, 128, MF_BYCOMMAND) <= 0) return {};
  return ToWide(text::MenuItemName(U16(item)));
}

}  // namespace accessibility
