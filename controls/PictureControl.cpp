#include "controls/PictureControl.h"

#include <string>

#include "base/WinHandles.h"
#include "controls/ColourScheme.h"

namespace {
const WindowClass kPictureClass{L"Orvandel.Picture", CS_DBLCLKS};
const WindowClass kLabelClass{L"Orvandel.Label", CS_DBLCLKS};
}  // namespace

void drawLabelText(HDC dc, RECT box, const wchar_t* text, HFONT font, COLORREF colour, UINT drawFlags) {
  SelectedObject selected(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text, -1, &box, drawFlags | DT_NOPREFIX);
}

std::unique_ptr<DecorControl> DecorControl::createPicture(HWND parent, int id, const RECT& pixels, int resourceId,
                                                          const wchar_t* name, bool stretch, DecorUse use) {
  std::unique_ptr<DecorControl> decor(new DecorControl(use));
  decor->stretch_ = stretch;
  decor->picture_ = Picture::ofResource(resourceId);
  decor->showsPicture_ = true;
  decor->createWindow(kPictureClass, parent, id, decor->style(), 0, pixels, name);
  return decor;
}

std::unique_ptr<DecorControl> DecorControl::createLabel(HWND parent, int id, const RECT& pixels, const wchar_t* text,
                                                        HFONT font, UINT drawFlags, DecorUse use) {
  std::unique_ptr<DecorControl> decor(new DecorControl(use));
  decor->font_ = font;
  decor->drawFlags_ = drawFlags;
  decor->createWindow(kLabelClass, parent, id, decor->style(), 0, pixels, text);
  return decor;
}

DWORD DecorControl::style() const {
  return WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | (use_ == DecorUse::OpensTabStop ? WS_TABSTOP : 0);
}

AccessibleDescription DecorControl::describe() const {
  if (use_ != DecorUse::Shows) return {ROLE_SYSTEM_LINK, STATE_SYSTEM_LINKED, kLinkAction};
  return {showsPicture_ ? ROLE_SYSTEM_GRAPHIC : ROLE_SYSTEM_STATICTEXT, STATE_SYSTEM_READONLY};
}

void DecorControl::paint(HDC dc) {
  SendMessageW(GetParent(hwnd()), kPaintBeneathMessage, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(hwnd()));
  RECT client;
  GetClientRect(hwnd(), &client);
  if (picture_) picture_->draw(dc, client, stretch_);
  const int length = GetWindowTextLengthW(hwnd());
  if (length > 0 && !showsPicture_) {
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd(), text.data(), length + 1);
    SendMessageW(GetParent(hwnd()), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hwnd()));
    const COLORREF colour =
        IsWindowEnabled(hwnd()) ? GetTextColor(dc) : ColourScheme::current().colour(ColourRole::GrayText);
    drawLabelText(dc, client, text.c_str(), font_, colour, drawFlags_);
  }
  if (GetFocus() == hwnd() && !focusCuesHidden()) DrawFocusRect(dc, &client);
}

LRESULT DecorControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (click_.handle(hwnd(), message, lParam)) return 0;
  if (changesFocusCue(message)) InvalidateRect(hwnd(), nullptr, FALSE);
  switch (message) {
    case WM_GETDLGCODE:
      if (use_ == DecorUse::OpensTabStop) return dialogCodeWantingEnter(lParam);
      break;
    case WM_KEYDOWN:
      // As a link's: Space and Enter click it, a held key not again.
      if (wParam != VK_SPACE && wParam != VK_RETURN) break;
      if (!(lParam & (1L << 30))) notifyClicked(hwnd());
      return 0;
    case kDefaultActionMessage:
      if (use_ != DecorUse::Shows) notifyClicked(hwnd());
      return 0;
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
