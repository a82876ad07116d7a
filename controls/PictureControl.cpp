#include "controls/PictureControl.h"

#include <cstring>
#include <string>

#include "controls/ScreenScale.h"

namespace {
const WindowClass kPictureClass{L"Orvandel.Picture", CS_DBLCLKS};
const WindowClass kLabelClass{L"Orvandel.Label", CS_DBLCLKS};
constexpr DWORD kDecorStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
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
  const ScreenScale scale = ScreenScale::ofScreen();
  size.cx = MulDiv(width, scale.dpiX, 2540);
  size.cy = MulDiv(height, scale.dpiY, 2540);
  return size;
}

std::unique_ptr<DecorControl> DecorControl::createPicture(HWND parent, int id, const RECT& pixels, int resourceId,
                                                          const wchar_t* name, bool stretch) {
  std::unique_ptr<DecorControl> decor(new DecorControl);
  decor->stretch_ = stretch;
  decor->picture_ = loadPictureResource(resourceId);
  decor->showsPicture_ = true;
  decor->createWindow(kPictureClass, parent, id, kDecorStyle, 0, pixels, name);
  return decor;
}

std::unique_ptr<DecorControl> DecorControl::createLabel(HWND parent, int id, const RECT& pixels, const wchar_t* text,
                                                        HFONT font, COLORREF colour, UINT drawFlags) {
  std::unique_ptr<DecorControl> decor(new DecorControl);
  decor->font_ = font;
  decor->colour_ = colour;
  decor->drawFlags_ = drawFlags;
  decor->createWindow(kLabelClass, parent, id, kDecorStyle, 0, pixels, text);
  return decor;
}

void DecorControl::paint(HDC dc) {
  SendMessageW(GetParent(hwnd()), kPaintBeneathMessage, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(hwnd()));
  if (picture_) {
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture_->get_Width(&width);
    picture_->get_Height(&height);
    SIZE size = pictureSize(picture_.get());
    if (stretch_) {
      RECT client;
      GetClientRect(hwnd(), &client);
      size = {client.right, client.bottom};
    }
    picture_->Render(dc, 0, 0, size.cx, size.cy, 0, height, width, -height, nullptr);
  }
  const int length = GetWindowTextLengthW(hwnd());
  if (length > 0 && !showsPicture_) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd(), text.data(), length + 1);
    RECT client;
    GetClientRect(hwnd(), &client);
    SelectedObject font(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsWindowEnabled(hwnd()) ? colour_ : GetSysColor(COLOR_GRAYTEXT));
    DrawTextW(dc, text.c_str(), length, &client, drawFlags_ | DT_NOPREFIX);
  }
}

LRESULT DecorControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (click_.handle(hwnd(), message, lParam)) return 0;
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole, beneath included
    case WM_PAINT: {
      PaintScope paintScope(hwnd());
      paint(paintScope.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = defaultHandling(message, wParam, lParam);
      InvalidateRect(hwnd(), nullptr, FALSE);
      return result;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
  }
  return defaultHandling(message, wParam, lParam);
}
