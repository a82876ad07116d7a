#include "app/Form.h"

#include <algorithm>

#include "base/LastError.h"
#include "base/NumberText.h"
#include "controls/Containers.h"
#include "controls/HandCursor.h"
#include "controls/HyperLink.h"
#include "controls/MultiRule.h"
#include "controls/PictureControl.h"

namespace {
constexpr int kFirstControlId = 1000;

bool isFocusable(ControlKind kind) {
  return kind == ControlKind::Panel || kind == ControlKind::OptionButton || kind == ControlKind::CommandButton ||
         kind == ControlKind::HyperLink;
}
}  // namespace

Form::Form(FormSpec spec) : spec_(std::move(spec)) {}

Form::~Form() {
  destroyWindow();
  ownControls_.clear();
}

void Form::create(HWND owner) {
  RECT frame = {0, 0, scale_.x(spec_.clientWidth), scale_.y(spec_.clientHeight)};
  AdjustWindowRectEx(&frame, spec_.style, FALSE, WS_EX_CONTROLPARENT);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT area;
  if (owner) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  const WindowClass windowClass{spec_.className.c_str(), 0, spec_.iconId, spec_.iconSize,
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
  createWindow(windowClass, owner, 0, spec_.style, WS_EX_CONTROLPARENT, RECT{left, top, left + width, top + height},
               spec_.caption.c_str());
}

RECT Form::pixelRect(const ControlSpec& spec) const {
  return RECT{scale_.x(spec.left), scale_.y(spec.top), scale_.x(spec.left + spec.width),
              scale_.y(spec.top + spec.height)};
}

HFONT Form::font(const FontSpec& spec, bool bold, bool underline) {
  const std::wstring key = std::wstring(spec.name) + L"|" + numberText(spec.points) + (bold ? L"|b" : L"") +
                           (underline ? L"|u" : L"");
  UniqueFont& slot = fonts_[key];
  if (!slot) {
    slot.reset(CreateFontW(scale_.fontHeight(spec.points), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, underline,
                           FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, spec.name));
  }
  return slot.get();
}

HWND Form::createControl(const ControlSpec& spec, HWND parent) {
  const RECT r = pixelRect(spec);
  const int id = spec.id ? spec.id : kFirstControlId + static_cast<int>(controls_.size());
  const HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  const wchar_t* windowClass = L"STATIC";
  switch (spec.kind) {
    case ControlKind::Frame:
      return adopt(FrameControl::create(parent, id, r, spec.text.c_str(), font(spec.font, spec.flags & kBold)));
    case ControlKind::Panel:
      return adopt(PanelControl::create(parent, id, r));
    case ControlKind::OptionButton:
      windowClass = L"BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::CommandButton:
      windowClass = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::Label:
      if (spec.flags & kTransparent) {
        HWND label = adopt(DecorControl::createLabel(
            parent, id, r, spec.text.c_str(), font(spec.font, spec.flags & kBold),
            spec.textColour == CLR_INVALID ? GetSysColor(COLOR_BTNTEXT) : spec.textColour,
            spec.flags & kCentred ? DT_CENTER | DT_WORDBREAK : spec.flags & kWordWrap ? DT_WORDBREAK : DT_SINGLELINE));
        if (spec.flags & kAutoSize) sizeToText(spec, label);
        if (spec.flags & kWordWrap) growToFitText(spec, label);
        return label;
      }
      style |= SS_NOTIFY | (spec.flags & kCentred ? SS_CENTER : spec.flags & kWordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
      break;
    case ControlKind::Image:
      return adopt(DecorControl::createPicture(parent, id, r, spec.pictureId, spec.name.c_str()));
    case ControlKind::HyperLink:
    case ControlKind::Rule:
      return createOwnControl(spec, parent, id, r);
  }
  HWND window = CreateWindowExW(0, windowClass, spec.text.c_str(), style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, menuId, instance, nullptr);
  if (!window) raiseLastError("CreateWindowExW");
  {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font(spec.font, spec.flags & kBold)), FALSE);
    if (spec.kind == ControlKind::Label && (spec.flags & kAutoSize)) sizeToText(spec, window);
    if (spec.kind == ControlKind::Label && (spec.flags & kWordWrap)) growToFitText(spec, window);
    if (spec.kind == ControlKind::OptionButton && (spec.flags & kSelected)) {
      SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
    }
  }
  return window;
}

HWND Form::createOwnControl(const ControlSpec& spec, HWND parent, int id, const RECT& pixels) {
  std::unique_ptr<ControlWindow> control;
  if (spec.kind == ControlKind::Rule) {
    control = MultiRule::create(parent, id, pixels, spec.properties);
  } else {
    HyperLink::Events events;
    events.Click = [this, id](int16_t Button, int16_t, float, float) { linkClicked(id, Button); };
    control = HyperLink::create(parent, id, pixels, spec.properties, events, linkServices_);
  }
  return adopt(std::move(control));
}

HWND Form::adopt(std::unique_ptr<ControlWindow> control) {
  HWND window = control->hwnd();
  ownControls_.push_back(std::move(control));
  return window;
}

RECT Form::measureText(const ControlSpec& spec, const std::wstring& text, RECT bounds, UINT flags) {
  WindowDC dc(hwnd());
  SelectedObject selected(dc.get(), font(spec.font, spec.flags & kBold));
  DrawTextW(dc.get(), text.c_str(), -1, &bounds, DT_CALCRECT | DT_NOPREFIX | flags);
  return bounds;
}

void Form::sizeToText(const ControlSpec& spec, HWND window) {
  const RECT bounds = measureText(spec, spec.text, RECT{}, DT_SINGLELINE);
  SetWindowPos(window, nullptr, 0, 0, bounds.right, bounds.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::growToFitText(const ControlSpec& spec, HWND window) {
  RECT area;
  GetClientRect(window, &area);
  const RECT bounds = measureText(spec, spec.text, area, DT_WORDBREAK);
  // Never shrinks: the layout's size stands wherever the text fits in it.
  if (bounds.bottom > area.bottom) {
    SetWindowPos(window, nullptr, 0, 0, area.right, bounds.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form::addToolTip(HWND window, const std::wstring& text) {
  if (toolTip_) {
    toolTip_->addWindow(window, text);
  } else {
    pendingTips_.emplace_back(window, text);
  }
}

void Form::makeToolTips(HWND underPointer) {
  const auto isTool = [&](const std::pair<HWND, std::wstring>& tip) { return tip.first == underPointer; };
  if (std::none_of(pendingTips_.begin(), pendingTips_.end(), isTool)) return;
  toolTip_ = std::make_unique<ToolTip>(hwnd());
  for (const auto& [window, text] : pendingTips_) toolTip_->addWindow(window, text);
  pendingTips_.clear();
}

void Form::createControls() {
  // Each new child goes beneath its siblings, so creating the table in order keeps its stacking.
  controls_.reserve(spec_.controls.size());
  for (const ControlSpec& spec : spec_.controls) {
    HWND parent = spec.container.empty() ? hwnd() : control(spec.container);
    // A container listed below its contents is made first.
    if (!parent) {
      auto container = std::find_if(spec_.controls.begin(), spec_.controls.end(),
                                    [&](const ControlSpec& c) { return c.name == spec.container; });
      if (container != spec_.controls.end()) {
        controls_.push_back(Control{&*container, createControl(*container, hwnd()), container->textColour});
        parent = controls_.back().window;
      }
    }
    if (control(spec.name)) continue;
    HWND window = createControl(spec, parent);
    controls_.push_back(Control{&spec, window, spec.textColour});
    if (window && !spec.toolTip.empty() && spec.kind != ControlKind::HyperLink) addToolTip(window, spec.toolTip);
  }
  std::vector<const Control*> focusable;
  for (const Control& c : controls_) {
    if (c.window && c.spec->tabIndex >= 0 && isFocusable(c.spec->kind)) focusable.push_back(&c);
  }
  std::sort(focusable.begin(), focusable.end(),
            [](const Control* a, const Control* b) { return a->spec->tabIndex < b->spec->tabIndex; });
  for (const Control* c : focusable) tabOrder_.push_back(c->window);
}

HWND Form::control(const std::wstring& name) const {
  for (const Control& c : controls_) {
    if (c.spec->name == name) return c.window;
  }
  return nullptr;
}

const ControlSpec* Form::specOf(HWND window) const {
  for (const Control& c : controls_) {
    if (c.window == window) return c.spec;
  }
  return nullptr;
}

void Form::setTextColour(const std::wstring& name, COLORREF colour) {
  for (Control& c : controls_) {
    if (c.spec->name == name) {
      c.textColour = colour;
      InvalidateRect(c.window, nullptr, TRUE);
    }
  }
}

void Form::setCaption(const std::wstring& name, const std::wstring& text) {
  HWND window = control(name);
  SetWindowTextW(window, text.c_str());
  if (const ControlSpec* spec = specOf(window); spec && (spec->flags & kAutoSize)) {
    ControlSpec sized = *spec;
    sized.text = text;
    sizeToText(sized, window);
  }
}

LRESULT Form::colourStatic(HDC dc, HWND window) {
  for (const Control& c : controls_) {
    if (c.window != window) continue;
    SetTextColor(dc, c.textColour == CLR_INVALID ? GetSysColor(COLOR_BTNTEXT) : c.textColour);
    if (c.spec->flags & kTransparent) {
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    if (c.spec->backColour != CLR_INVALID) {
      UniqueBrush& brush = backBrushes_[c.spec->backColour];
      if (!brush) brush.reset(CreateSolidBrush(c.spec->backColour));
      SetBkColor(dc, c.spec->backColour);
      return reinterpret_cast<LRESULT>(brush.get());
    }
    break;
  }
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void Form::paintBeneath(HWND child, HDC dc) {
  HWND parent = GetParent(child);
  RECT area;
  GetWindowRect(child, &area);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
  RECT client = {0, 0, area.right - area.left, area.bottom - area.top};
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  // The siblings listed below the child in the table, drawn from the bottom up.
  std::vector<HWND> beneath;
  bool below = false;
  for (const Control& c : controls_) {
    if (c.window == child) {
      below = true;
    } else if (below && c.window && GetParent(c.window) == parent && IsWindowVisible(c.window)) {
      beneath.push_back(c.window);
    }
  }
  for (auto it = beneath.rbegin(); it != beneath.rend(); ++it) {
    RECT sibling;
    GetWindowRect(*it, &sibling);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&sibling), 2);
    RECT overlap;
    if (!IntersectRect(&overlap, &sibling, &area)) continue;
    POINT origin;
    OffsetViewportOrgEx(dc, sibling.left - area.left, sibling.top - area.top, &origin);
    SendMessageW(*it, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
  }
}

bool Form::moveFocus(bool backwards) {
  if (tabOrder_.empty()) return false;
  HWND focus = GetFocus();
  int current = -1;
  for (size_t i = 0; i < tabOrder_.size(); ++i) {
    if (tabOrder_[i] == focus || IsChild(tabOrder_[i], focus)) current = static_cast<int>(i);
  }
  const int count = static_cast<int>(tabOrder_.size());
  for (int step = 1; step <= count; ++step) {
    const int next = ((current < 0 ? (backwards ? 0 : -1) : current) + (backwards ? -step : step) + 2 * count) % count;
    if (canTakeFocus(tabOrder_[next])) {
      SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      SetFocus(tabOrder_[next]);
      return true;
    }
  }
  return true;
}

bool Form::preTranslate(MSG& message) {
  if (!message.hwnd) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  Form* form = dynamic_cast<Form*>(ControlWindow::fromHandle(root));
  if (!form) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
    return form->moveFocus(GetKeyState(VK_SHIFT) < 0);
  }
  return IsDialogMessageW(root, &message) != FALSE;
}

void Form::runModal(HWND owner) {
  create(owner);
  modalOwner_ = owner;
  EnableWindow(owner, FALSE);
  ShowWindow(hwnd(), SW_SHOW);
  if (HWND focus = initialFocus()) SetFocus(focus);
  MSG message;
  while (!modalDone_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!preTranslate(message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  if (!modalDone_) PostQuitMessage(static_cast<int>(message.wParam));  // the main loop ends too
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
}

void Form::windowDestroyed() { modalDone_ = true; }

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      createControls();
      Form_Load();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case kPaintBeneathMessage:
      paintBeneath(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_SETCURSOR: {
      makeToolTips(reinterpret_cast<HWND>(wParam));
      const ControlSpec* spec = specOf(reinterpret_cast<HWND>(wParam));
      if (spec && (spec->flags & kHandPointer) && LOWORD(lParam) == HTCLIENT) {
        SetCursor(pointingHand());
        return TRUE;
      }
      break;
    }
    case WM_COMMAND: {
      const WORD code = HIWORD(wParam);
      HWND source = reinterpret_cast<HWND>(lParam);
      if (source && (code == BN_CLICKED || code == STN_CLICKED)) {
        // A disabled frame or panel passes no click on to what it holds.
        if (specOf(source) && canTakeFocus(source)) controlClicked(GetDlgCtrlID(source));
      }
      return 0;
    }
    case WM_CLOSE:
      // The owner takes input again before this window goes, so it is the one activated next.
      if (modalOwner_) EnableWindow(modalOwner_, TRUE);
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      Form_Unload();
      return 0;
  }
  return defaultHandling(message, wParam, lParam);
}
