#include "controls/ControlWindow.h"

#include <string>
#include <system_error>

namespace {
[[noreturn]] void raiseLastError(const char* what) {
  throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

// Controls live on the user-interface thread; the class table itself says what is registered.
void registerOnce(const wchar_t* className, UINT classStyle, WNDPROC procedure) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), className, &windowClass)) return;
  windowClass = WNDCLASSEXW{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    raiseLastError("RegisterClassExW");
  }
}

void report(const char* what) {
  OutputDebugStringA("Orvandel control: exception in a window procedure: ");
  OutputDebugStringA(what);
  OutputDebugStringA("\n");
}
}  // namespace

ControlWindow::~ControlWindow() { destroyWindow(); }

void ControlWindow::createWindow(const wchar_t* className, UINT classStyle, HWND parent, int id, DWORD style,
                                 const RECT& pixels, const wchar_t* text) {
  registerOnce(className, classStyle, &ControlWindow::route);
  HWND window = CreateWindowExW(0, className, text, style, pixels.left, pixels.top, pixels.right - pixels.left,
                                pixels.bottom - pixels.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
  if (!window) raiseLastError("CreateWindowExW");
}

void ControlWindow::destroyWindow() {
  if (hwnd_) DestroyWindow(hwnd_);
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
    return DefWindowProcW(window, message, wParam, lParam);
  }
  // The handler may end with the object gone (a Click handler that closes the window and
  // releases its controls): nothing here touches `self` after it returns.
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (const std::exception& error) {
    report(error.what());
  } catch (...) {
    report("unknown exception");
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
