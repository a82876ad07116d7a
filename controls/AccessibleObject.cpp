#include "controls/AccessibleObject.h"

#include <oleacc.h>

#include <new>
#include <string>

#include "base/SystemLibrary.h"
#include "controls/ComApartment.h"
#include "controls/Containers.h"
#include "controls/ControlWindow.h"

namespace {
// What the program needs of oleacc.dll (and of oleaut32.dll, which it brings), found when a
// reader first asks: neither is an import, so start-up does not pay for them. They stay loaded
// for the rest of the process: objects a reader holds run their code until COM lets them go,
// which may be after any destructor here has run.
struct AccessibilityLibrary {
  LPFNCREATESTDACCESSIBLEOBJECT createStandardObject = nullptr;
  LPFNLRESULTFROMOBJECT resultFromObject = nullptr;
  BSTR(WINAPI* allocString)(const OLECHAR*) = nullptr;

  AccessibilityLibrary() {
    const HMODULE oleacc = loadSystemLibrary(L"oleacc.dll").release();
    const HMODULE oleaut32 = loadSystemLibrary(L"oleaut32.dll").release();
    createStandardObject = libraryFunction<LPFNCREATESTDACCESSIBLEOBJECT>(oleacc, "CreateStdAccessibleObject");
    resultFromObject = libraryFunction<LPFNLRESULTFROMOBJECT>(oleacc, "LresultFromObject");
    allocString = libraryFunction<decltype(allocString)>(oleaut32, "SysAllocString");
  }
  static const AccessibilityLibrary* loaded() {
    static const AccessibilityLibrary library;
    return library.createStandardObject && library.resultFromObject && library.allocString ? &library : nullptr;
  }
};

// The window's text without the spaces around it: those that make room in a frame's caption (for
// an option that lies over them) are no words.
std::wstring wordsOf(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  const size_t first = text.find_first_not_of(L' '), last = text.find_last_not_of(L' ');
  return first == std::wstring::npos ? std::wstring() : text.substr(first, last - first + 1);
}

bool aboutSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

// The standard object wrapped: what it says of every window (place, parent, children) it says
// here too; role, name, states and the default action come from the control.
class AccessibleObject final : public IAccessible {
 public:
  AccessibleObject(IAccessible* standard, std::shared_ptr<ControlWindow*> control,
                   const AccessibilityLibrary& library)
      : standard_(standard), control_(std::move(control)), library_(library) {}
  AccessibleObject(const AccessibleObject&) = delete;
  AccessibleObject& operator=(const AccessibleObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (!object) return E_POINTER;
    // Only what this object is itself: what else the standard one offers would give a reader a
    // second identity (it finds the children and the window through these three as well).
    if (riid != __uuidof(IUnknown) && riid != __uuidof(IDispatch) && riid != __uuidof(IAccessible)) {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    *object = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return standard_->GetTypeInfoCount(count); }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override {
    return standard_->GetTypeInfo(index, locale, info);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    return standard_->GetIDsOfNames(riid, names, count, locale, ids);
  }
  // Through the standard object's type description, but on this object: a late-bound caller
  // hears what an early-bound one does.
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override {
    ITypeInfo* info = nullptr;
    const HRESULT found = standard_->GetTypeInfo(0, locale, &info);
    if (FAILED(found) || !info) return FAILED(found) ? found : E_NOTIMPL;
    const HRESULT invoked = info->Invoke(static_cast<IAccessible*>(this), id, flags, parameters, result, exception,
                                         argumentError);
    info->Release();
    return invoked;
  }

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!aboutSelf(child)) return standard_->get_accName(child, name);
    const ControlWindow* control = live();
    if (!control) return CO_E_OBJNOTCONNECTED;
    if (!name) return E_POINTER;
    const std::wstring words = wordsOf(control->hwnd());
    *name = words.empty() ? nullptr : library_.allocString(words.c_str());
    if (!words.empty() && !*name) return E_OUTOFMEMORY;
    return *name ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!aboutSelf(child)) return standard_->get_accRole(child, role);
    const ControlWindow* control = live();
    if (!control) return CO_E_OBJNOTCONNECTED;
    if (!role) return E_POINTER;
    role->vt = VT_I4;
    role->lVal = control->describe().role;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!aboutSelf(child)) return standard_->get_accState(child, state);
    const ControlWindow* control = live();
    if (!control) return CO_E_OBJNOTCONNECTED;
    if (!state) return E_POINTER;
    const HRESULT standard = standard_->get_accState(child, state);
    if (FAILED(standard) || state->vt != VT_I4) return FAILED(standard) ? standard : E_UNEXPECTED;
    // Focusable is a tab stop, not every window that is enabled; unavailable is any container
    // disabled too (a disabled frame passes nothing on to what it holds).
    constexpr LONG kWindowsOwn = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_UNAVAILABLE;
    const HWND window = control->hwnd();
    LONG states = (state->lVal & ~kWindowsOwn) | control->describe().states;
    if (!enabledWithItsContainers(window)) {
      states |= STATE_SYSTEM_UNAVAILABLE;
    } else if (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP) {
      states |= STATE_SYSTEM_FOCUSABLE;
    }
    if (GetFocus() == window) states |= STATE_SYSTEM_FOCUSED;
    state->lVal = states;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!aboutSelf(child)) return standard_->get_accDefaultAction(child, action);
    const ControlWindow* control = live();
    if (!control) return CO_E_OBJNOTCONNECTED;
    const wchar_t* own = control->describe().defaultAction;
    if (!own) return standard_->get_accDefaultAction(child, action);
    if (!action) return E_POINTER;
    *action = library_.allocString(textOrWord(own, programLanguage()).c_str());
    return *action ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    if (!aboutSelf(child)) return standard_->accDoDefaultAction(child);
    const ControlWindow* control = live();
    if (!control) return CO_E_OBJNOTCONNECTED;
    if (!control->describe().defaultAction) return standard_->accDoDefaultAction(child);
    // A control that takes no input now (itself, a container or its window disabled) does nothing.
    if (!takesInputNow(control->hwnd())) return E_FAIL;
    return PostMessageW(control->hwnd(), kDefaultActionMessage, 0, 0) ? S_OK : CO_E_OBJNOTCONNECTED;
  }

  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return standard_->get_accParent(parent); }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return standard_->get_accChildCount(count); }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    return standard_->get_accChild(child, object);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return standard_->get_accValue(child, value);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    return standard_->get_accDescription(child, description);
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
    return standard_->get_accHelp(child, help);
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override {
    return standard_->get_accHelpTopic(file, child, topic);
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
    return standard_->get_accKeyboardShortcut(child, shortcut);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return standard_->get_accFocus(child); }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override {
    return standard_->get_accSelection(children);
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override { return standard_->accSelect(flags, child); }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    return standard_->accLocation(left, top, width, height, child);
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    return standard_->accNavigate(direction, start, end);
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    return standard_->accHitTest(x, y, child);
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override { return standard_->put_accName(child, name); }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    return standard_->put_accValue(child, value);
  }

 private:
  ~AccessibleObject() { standard_->Release(); }
  // The control while it and its window are there; nothing once either has gone.
  const ControlWindow* live() const {
    const ControlWindow* control = *control_;
    return control && control->hwnd() ? control : nullptr;
  }

  LONG references_ = 1;
  IAccessible* standard_;
  std::shared_ptr<ControlWindow*> control_;
  const AccessibilityLibrary& library_;
};
}  // namespace

LRESULT AccessibleServer::answer(ControlWindow& control, WPARAM wParam) {
  const AccessibilityLibrary* library = AccessibilityLibrary::loaded();
  if (!library) return 0;
  // The reader's calls then come through this thread's message loop, one at a time.
  enterSingleThreadedApartment();
  if (!control_) control_ = std::make_shared<ControlWindow*>(&control);
  IAccessible* standard = nullptr;
  if (FAILED(library->createStandardObject(control.hwnd(), OBJID_CLIENT, __uuidof(IAccessible),
                                           reinterpret_cast<void**>(&standard)))) {
    return 0;
  }
  auto* object = new (std::nothrow) AccessibleObject(standard, control_, *library);
  if (!object) {
    standard->Release();
    return 0;
  }
  // The reader's references are the object's from here: this one goes whatever the answer.
  const LRESULT result = library->resultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();
  return result > 0 ? result : 0;
}

AccessibleServer::~AccessibleServer() {
  if (control_) *control_ = nullptr;
}
