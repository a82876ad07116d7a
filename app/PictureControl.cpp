#include "app/PictureControl.h"

#include <cstring>
#include <string>

namespace {
const wchar_t kPictureClass[] = L"Orvandel.Picture";
const wchar_t kLabelClass[] = L"Orvandel.Label";

// What a decorative control draws; it lives as long as its window.
struct DecorState {
  ComPtr<IPicture> picture;
  HFONT font = nullptr;  // owned by the window's form
  COLORREF colour = 0;
  UINT drawFlags = 0;
  bool showsPicture = false;  // a picture's window text names it; it is not drawn
};

DecorState* stateOf(HWND window) {
  return reinterpret_cast<DecorState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void paintDecor(HWND window, HDC dc) {
  SendMessageW(GetParent(window), kPaintBeneathMessage, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window));
  DecorState* state = stateOf(window);
  if (!state) return;
  if (state->picture) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    state->picture->get_Width(&width);
    state->picture->get_Height(&height);
    const SIZE size = pictureSize(state->picture.get());
    state->picture->Render(dc, 0, 0, size.cx, size.cy, 0, height, width, -height, nullptr);
  }
  const int length = GetWindowTextLengthW(window);
  if (length > 0 && !state->showsPicture) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    RECT client;
    GetClientRect(window, &client);
    SelectedObject font(dc, state->font ? state->font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(window) ? state->colour : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), length, &client, state->drawFlags | DT_NOPREFIX);
  }
}

LRESULT CALLBACK decorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      break;
    }
    case WM_NCDESTROY:
      delete stateOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_ERASEBKGND:
      return 1;  // painted whole, beneath included
    case WM_PAINT: {
      PaintScope paint(window);
      paintDecor(window, paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      paintDecor(window, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_LBUTTONUP:
      SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                   reinterpret_cast<LPARAM>(window));
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void registerClasses() {
  static const bool registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = decorProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kPictureClass;
    const bool picture = RegisterClassW(&windowClass) != 0;
    windowClass.lpszClassName = kLabelClass;
    return picture && RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
}

// The state goes with the window (WM_NCDESTROY); a window that could not be made never took it.
HWND createDecor(const wchar_t* className, HWND parent, int id, const RECT& pixels, const wchar_t* text,
                 DecorState* state) {
  registerClasses();
  HWND window = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pixels.left, pixels.top,
                                pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), state);
  if (!window) delete state;
  return window;
}
}  // namespace

ComPtr<IPicture> loadPictureResource(int resourceId) {
  ComPtr<IPicture> picture;
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(resourceId), reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!resource) return picture;
  const DWORD size = SizeofResource(module, resource);
  const void* data = LockResource(LoadResource(module, resource));
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!data || !copy) {
    if (copy) GlobalFree(copy);
    return picture;
  }
  std::memcpy(GlobalLock(copy), data, size);
  GlobalUnlock(copy);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, stream.receive()))) {
    GlobalFree(copy);
    return picture;
  }
  CoInitialize(nullptr);  // once per thread; the picture objects need COM
  OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture,
                 reinterpret_cast<void**>(picture.receive()));
  return picture;
}

SIZE pictureSize(IPicture* picture) {
  SIZE size = {0, 0};
  if (!picture) return size;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  HDC screen = GetDC(nullptr);
  size.cx = MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540);
  size.cy = MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540);
  ReleaseDC(nullptr, screen);
  return size;
}

HWND createPictureControl(HWND parent, int id, const RECT& pixels, int resourceId, const wchar_t* name) {
  auto* state = new DecorState{};
  state->picture = loadPictureResource(resourceId);
  state->showsPicture = true;
  return createDecor(kPictureClass, parent, id, pixels, name, state);
}

HWND createTransparentLabel(HWND parent, int id, const RECT& pixels, const wchar_t* text, HFONT font,
                            COLORREF colour, UINT drawFlags) {
  auto* state = new DecorState{};
  state->font = font;
  state->colour = colour;
  state->drawFlags = drawFlags;
  return createDecor(kLabelClass, parent, id, pixels, text, state);
}
