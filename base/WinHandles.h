#pragma once
#include <windows.h>

#include <utility>

// One owner type for every kind of Windows handle: move-only, released by its closer on every
// path out of a scope.
template <typename Handle, auto Close, Handle Invalid = Handle{}>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle handle) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Invalid; }
  Handle release() { return std::exchange(handle_, Invalid); }
  void reset(Handle handle = Invalid) {
    if (handle_ != Invalid) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid;
};

inline void closeGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void closeMemoryDC(HDC dc) { DeleteDC(dc); }
inline void closeKernelHandle(HANDLE handle) { CloseHandle(handle); }
inline void closeModule(HMODULE module) { FreeLibrary(module); }
inline void closeCursor(HCURSOR cursor) { DestroyCursor(cursor); }
inline void closeWindow(HWND window) { DestroyWindow(window); }

using UniqueFont = UniqueHandle<HFONT, closeGdiObject>;
using UniqueBrush = UniqueHandle<HBRUSH, closeGdiObject>;
using UniquePen = UniqueHandle<HPEN, closeGdiObject>;
using UniqueBitmap = UniqueHandle<HBITMAP, closeGdiObject>;
using UniqueProcess = UniqueHandle<HANDLE, closeKernelHandle>;
using UniqueFile = UniqueHandle<HANDLE, closeKernelHandle>;  // a file, pipe or console handle
using UniqueModule = UniqueHandle<HMODULE, closeModule>;
using UniqueCursor = UniqueHandle<HCURSOR, closeCursor>;
using UniqueWindow = UniqueHandle<HWND, closeWindow>;

// A function of a library loaded at run time (one newer than Windows XP, or one start-up should
// not pay for), in its own type; nullptr when the library or the function is missing. FARPROC is
// only a placeholder type: the cast goes through the one type that converts to every other.
template <typename Function>
Function libraryFunction(HMODULE library, const char* name) {
  return library ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(library, name))) : nullptr;
}

// A GDI object of the colour last asked for: made on the first use and again only when the
// colour changes.
template <typename Unique, auto make>
class ColouredObject {
 public:
  auto get(COLORREF colour) {
    if (!object_ || colour != colour_) {
      object_.reset(make(colour));
      colour_ = colour;
    }
    return object_.get();
  }

 private:
  Unique object_;
  COLORREF colour_ = CLR_INVALID;
};

inline HPEN createSolidPen(COLORREF colour) { return CreatePen(PS_SOLID, 1, colour); }
using SolidBrush = ColouredObject<UniqueBrush, &CreateSolidBrush>;
using SolidPen = ColouredObject<UniquePen, &createSolidPen>;  // one pixel wide

// Selects a GDI object into a device context and puts the previous one back.
class SelectedObject {
 public:
  SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;
  ~SelectedObject() { SelectObject(dc_, previous_); }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  ~PaintScope() { EndPaint(window_, &paint_); }
  HDC dc() const { return dc_; }
  const RECT& area() const { return paint_.rcPaint; }

 private:
  HWND window_;
  PAINTSTRUCT paint_{};
  HDC dc_;
};

// GetDC/ReleaseDC for one use; a null window gives the screen's DC.
class WindowDC {
 public:
  explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with another, deleted with it (what it has selected must be put back first).
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  HDC get() const { return dc_.get(); }
  explicit operator bool() const { return static_cast<bool>(dc_); }

 private:
  UniqueHandle<HDC, closeMemoryDC> dc_;
};
