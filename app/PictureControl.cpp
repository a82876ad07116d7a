#include "app/PictureControl.h"

#include <cstring>

namespace {
const wchar_t kClassName[] = L"Orvandel.Picture";

struct PictureState {
  ComPtr<IPicture> picture;
};

PictureState* stateOf(HWND window) {
  return reinterpret_cast<PictureState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK pictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
      return 1;  // whatever lies beneath shows around a transparent picture
    case WM_PAINT: {
      PaintScope paint(window);
      PictureState* state = stateOf(window);
      if (state && state->picture) {
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        state->picture->get_Width(&width);
        state->picture->get_Height(&height);
        const SIZE size = pictureSize(state->picture.get());
        state->picture->Render(paint.dc(), 0, 0, size.cx, size.cy, 0, height, width, -height, nullptr);
      }
      return 0;
    }
    case WM_LBUTTONUP:
      SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                   reinterpret_cast<LPARAM>(window));
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass() {
  static const bool registered = [] {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = pictureProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = kClassName;
    return RegisterClassW(&windowClass) != 0;
  }();
  (void)registered;
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

HWND createPictureControl(HWND parent, int id, const RECT& pixels, int resourceId, const wchar_t* name,
                          DWORD extraStyle, DWORD extraExStyle) {
  registerClass();
  auto* state = new PictureState{loadPictureResource(resourceId)};
  HWND window = CreateWindowExW(extraExStyle, kClassName, name, WS_CHILD | WS_VISIBLE | extraStyle, pixels.left,
                                pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), state);
  if (!window) delete state;
  return window;
}
