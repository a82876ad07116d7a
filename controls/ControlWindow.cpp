#include "controls/ControlWindow.h"

#include <exception>

#include "base/LastError.h"
#include "controls/Containers.h"

namespace {
// Windows live on the user-interface thread; the class table itself says what is registered.
void registerOnce(const WindowClass& spec, WNDPROC procedure) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, spec.name, &windowClass)) return;
  windowClass = WNDCLASSEXW{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = spec.style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = spec.background;
  windowClass.lpszClassName = spec.name;
  if (spec.iconId) {
    // Shared icons belong to the system's cache: nothing to destroy.
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(spec.iconId), IMAGE_ICON,
                                                      spec.iconSize, spec.iconSize, LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(spec.iconId), IMAGE_ICON, 16, 16, LR_SHARED));
  }
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    raiseLastError("RegisterClassExW");
  }
}

bool hasNonClientArea(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  return !(style & WS_CHILD) || (style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_HSCROLL | WS_VSCROLL)) ||
         (exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}

void report(const char* what) {
  OutputDebugStringA("Orvandel: exception in a window procedure: ");
  OutputDebugStringA(what);
  OutputDebugStringA("\n");
}
}  // namespace

ControlWindow::~ControlWindow() { destroyWindow(); }

void ControlWindow::createWindow(const WindowClass& windowClass, HWND parent, int id, DWORD style, DWORD exStyle,
                                 const RECT& pixels, const wchar_t* text) {
  registerOnce(windowClass, &ControlWindow::route);
  const HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)) : nullptr;
  HWND window = CreateWindowExW(exStyle, windowClass.name, text, style, pixels.left, pixels.top,
                                pixels.right - pixels.left, pixels.bottom - pixels.top, parent, menu,
                                GetModuleHandleW(nullptr), this);
  if (!window) raiseLastError("CreateWindowExW");
}

void ControlWindow::destroyWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
}

ControlWindow* ControlWindow::fromHandle(HWND window) {
  // Only the program's own classes keep their object in the user data; their class procedure is
  // this one whatever subclasses an instance (a tool tip does).
  if (!window) return nullptr;
  const auto procedure = static_cast<ULONG_PTR>(GetClassLongPtrW(window, GCLP_WNDPROC));
  if (procedure != reinterpret_cast<ULONG_PTR>(&route)) return nullptr;
  return reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void ControlWindow::noteUiState(WORD action, WORD flags) {
  if (action == UIS_INITIALIZE) {
    focusCuesHidden_ = (SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
  } else if (flags & UISF_HIDEFOCUS) {
    focusCuesHidden_ = action == UIS_SET;
  }
}

LRESULT ControlWindow::defaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCPAINT && !hasNonClientArea(hwnd_)) return 0;
  // The object identifier is a DWORD, whichever way a 64-bit sender widened it.
  if (message == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT) && describe().role) {
    if (const LRESULT object = accessible_.answer(*this, wParam)) return object;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT ControlWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return defaultHandling(message, wParam, lParam);
}

LRESULT CALLBACK ControlWindow::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<ControlWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd_ = window;
  } else {
    self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->windowDestroyed();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (message == WM_UPDATEUISTATE) self->noteUiState(LOWORD(wParam), HIWORD(wParam));
  // A reader's default action arrives posted: a modal window opened meanwhile (by the reader's
  // previous action, say) has disabled this control's window, and a click could not reach it now.
  if (message == kDefaultActionMessage && !takesInputNow(window)) return 0;
  // The handler may end with the object gone (a Click handler that closes the window and
  // releases its controls): nothing here touches `self` after it returns.
  // Reported inside the handler: the text belongs to the exception, gone once the handler ends.
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    report(error.what());
  } catch (...) {
    report("unknown exception");
  }
  // A window that could not be made whole is not made at all.
  if (message == WM_NCCREATE) return FALSE;
  if (message == WM_CREATE) return -1;
  return DefWindowProcW(window, message, wParam, lParam);
}
