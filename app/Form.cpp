#include "app/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

#include "app/PictureControl.h"
#include "controls/HyperLink.h"
#include "controls/MultiRule.h"
#include "registry/NumberText.h"
#include "resources/ResourceIds.h"

namespace {
const wchar_t kPanelClass[] = L"Orvandel.Panel";
const wchar_t kFrameClass[] = L"Orvandel.Frame";
constexpr int kFirstControlId = 1000;

bool isFocusable(ControlKind kind) {
  return kind == ControlKind::Panel || kind == ControlKind::OptionButton || kind == ControlKind::CommandButton ||
         kind == ControlKind::HyperLink;
}

// Enabled and visible, and so are all its containers: a disabled frame passes nothing on.
bool canTakeFocus(HWND window) {
  for (HWND w = window; w && (GetWindowLongW(w, GWL_STYLE) & WS_CHILD); w = GetParent(w)) {
    if (!IsWindowEnabled(w) || !IsWindowVisible(w)) return false;
  }
  return true;
}

// An etched frame with its caption set into the top edge, grey while the frame is disabled.
void paintFrame(HWND window) {
  PaintScope paint(window);
  HDC dc = paint.dc();
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  wchar_t caption[256] = {};
  const int length = GetWindowTextW(window, caption, 256);
  SelectedObject font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics;
  GetTextMetricsW(dc, &metrics);
  RECT edge = client;
  edge.top = metrics.tmHeight / 2;
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  if (length > 0) {
    RECT text = {8, 0, 8, metrics.tmHeight};
    DrawTextW(dc, caption, length, &text, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    text.right += 2;
    FillRect(dc, &text, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(window) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption, length, &text, DT_SINGLELINE | DT_NOPREFIX);
  }
}

void paintPanel(HWND window) {
  PaintScope paint(window);
  RECT client;
  GetClientRect(window, &client);
  FillRect(paint.dc(), &client, GetSysColorBrush(COLOR_BTNFACE));
  const LRESULT uiState = SendMessageW(window, WM_QUERYUISTATE, 0, 0);
  if (GetFocus() == window && !(uiState & UISF_HIDEFOCUS)) DrawFocusRect(paint.dc(), &client);
}
}  // namespace

Form::Form(FormSpec spec) : spec_(std::move(spec)) {
  buttonFace_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
  white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
}

Form::~Form() {
  if (hwnd_) DestroyWindow(hwnd_);
  ownControls_.clear();
}

Form* Form::fromWindow(HWND window) {
  return reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void Form::registerClasses() const {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (!GetClassInfoExW(instance, spec_.className.c_str(), &windowClass)) {
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = spec_.className.c_str();
    windowClass.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(spec_.iconId), IMAGE_ICON,
                                                      spec_.iconSize, spec_.iconSize, LR_DEFAULTCOLOR));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(spec_.iconId), IMAGE_ICON,
                                                        16, 16, LR_DEFAULTCOLOR));
    RegisterClassExW(&windowClass);
  }
  for (const wchar_t* container : {kPanelClass, kFrameClass}) {
    if (GetClassInfoExW(instance, container, &windowClass)) continue;
    windowClass = WNDCLASSEXW{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = container == kPanelClass ? panelProc : frameProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = container;
    RegisterClassExW(&windowClass);
  }
}

void Form::create(HWND owner) {
  registerClasses();
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
  CreateWindowExW(WS_EX_CONTROLPARENT, spec_.className.c_str(), spec_.caption.c_str(), spec_.style, left, top,
                  width, height, owner, nullptr, GetModuleHandleW(nullptr), this);
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
  DWORD exStyle = 0;
  const wchar_t* windowClass = L"STATIC";
  switch (spec.kind) {
    case ControlKind::Frame:
      windowClass = kFrameClass;
      style |= WS_CLIPCHILDREN;  // its own painting never covers what it holds
      exStyle |= WS_EX_CONTROLPARENT;
      break;
    case ControlKind::Panel:
      windowClass = kPanelClass;
      style |= WS_TABSTOP | WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
      break;
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
        HWND label = createTransparentLabel(
            parent, id, r, spec.text.c_str(), font(spec.font, spec.flags & kBold),
            spec.textColour == CLR_INVALID ? GetSysColor(COLOR_BTNTEXT) : spec.textColour,
            spec.flags & kCentred ? DT_CENTER | DT_WORDBREAK : spec.flags & kWordWrap ? DT_WORDBREAK : DT_SINGLELINE);
        if (label && (spec.flags & kAutoSize)) sizeToText(spec, label);
        if (label && (spec.flags & kWordWrap)) growToFitText(spec, label);
        return label;
      }
      style |= SS_NOTIFY | (spec.flags & kCentred ? SS_CENTER : spec.flags & kWordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
      break;
    case ControlKind::Image:
      return createPictureControl(parent, id, r, spec.pictureId, spec.name.c_str());
    case ControlKind::HyperLink:
    case ControlKind::Rule:
      return createOwnControl(spec, parent, id, r);
  }
  HWND window = CreateWindowExW(exStyle, windowClass, spec.text.c_str(), style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, menuId, instance, nullptr);
  if (window) {
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
    events.Click = [this, name = spec.name](int16_t Button, int16_t, float, float) { linkClicked(name, Button); };
    control = HyperLink::create(parent, id, pixels, spec.properties, events, linkServices_);
  }
  HWND window = control->hwnd();
  ownControls_.push_back(std::move(control));
  return window;
}

void Form::sizeToText(const ControlSpec& spec, HWND window) {
  HDC dc = GetDC(window);
  RECT bounds = {0, 0, 0, 0};
  {
    SelectedObject selected(dc, font(spec.font, spec.flags & kBold));
    DrawTextW(dc, spec.text.c_str(), -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  }
  ReleaseDC(window, dc);
  SetWindowPos(window, nullptr, 0, 0, bounds.right, bounds.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::growToFitText(const ControlSpec& spec, HWND window) {
  RECT area;
  GetClientRect(window, &area);
  RECT bounds = area;
  HDC dc = GetDC(window);
  {
    SelectedObject selected(dc, font(spec.font, spec.flags & kBold));
    DrawTextW(dc, spec.text.c_str(), -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  }
  ReleaseDC(window, dc);
  // Never shrinks: the layout's size stands wherever the text fits in it.
  if (bounds.bottom > area.bottom) {
    SetWindowPos(window, nullptr, 0, 0, area.right, bounds.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void Form::addToolTip(HWND window, const std::wstring& text) {
  if (!toolTip_) {
    INITCOMMONCONTROLSEX classes{};
    classes.dwSize = sizeof classes;
    classes.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&classes);
    toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  }
  TOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V1_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(window);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form::createControls() {
  // Each new child goes beneath its siblings, so creating the table in order keeps its stacking.
  controls_.reserve(spec_.controls.size());
  for (const ControlSpec& spec : spec_.controls) {
    HWND parent = spec.container.empty() ? hwnd_ : control(spec.container);
    // A container listed below its contents is made first.
    if (!parent) {
      auto container = std::find_if(spec_.controls.begin(), spec_.controls.end(),
                                    [&](const ControlSpec& c) { return c.name == spec.container; });
      if (container != spec_.controls.end()) {
        controls_.push_back(Control{&*container, createControl(*container, hwnd_), container->textColour});
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
      SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
      SetFocus(tabOrder_[next]);
      return true;
    }
  }
  return true;
}

bool Form::preTranslate(MSG& message) {
  if (!message.hwnd) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  Form* form = root ? fromWindow(root) : nullptr;
  if (!form || form->hwnd_ != root) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
    return form->moveFocus(GetKeyState(VK_SHIFT) < 0);
  }
  return IsDialogMessageW(root, &message) != FALSE;
}

void Form::runModal(HWND owner) {
  EnableWindow(owner, FALSE);
  create(owner);
  if (hwnd_) {
    ShowWindow(hwnd_, SW_SHOW);
    if (HWND focus = initialFocus()) SetFocus(focus);
    MSG message;
    while (!modalDone_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (!preTranslate(message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      if (message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
    }
  }
  EnableWindow(owner, TRUE);
  SetActiveWindow(owner);
}

LRESULT CALLBACK Form::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  Form* form = fromWindow(window);
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  try {
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      form->hwnd_ = nullptr;
      form->modalDone_ = true;
      return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->handleMessage(message, wParam, lParam);
  } catch (const std::exception&) {
    // Nothing may unwind through the system's code; the message counts as handled.
    return 0;
  }
}

LRESULT CALLBACK Form::frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static const wchar_t kFontProperty[] = L"Orvandel.Font";
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paintFrame(window);
      return 0;
    case WM_SETFONT:
      SetPropW(window, kFontProperty, reinterpret_cast<HANDLE>(wParam));
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(GetPropW(window, kFontProperty));
    case WM_ENABLE:
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_NCDESTROY:
      RemovePropW(window, kFontProperty);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Form::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case kPaintBeneathMessage:
      // The panel belongs to the form: its labels are coloured and reported there.
      return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      paintPanel(window);
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_LBUTTONDOWN:
    case WM_KEYUP:
      if (message == WM_KEYUP && wParam != VK_SPACE) break;
      if (message == WM_LBUTTONDOWN && canTakeFocus(window)) SetFocus(window);
      SendMessageW(GetAncestor(window, GA_ROOT), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), STN_CLICKED),
                   reinterpret_cast<LPARAM>(window));
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

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
      const ControlSpec* spec = specOf(reinterpret_cast<HWND>(wParam));
      if (spec && (spec->flags & kHandPointer) && LOWORD(lParam) == HTCLIENT) {
        if (!handCursor_) {
          handCursor_.reset(static_cast<HCURSOR>(LoadImageW(GetModuleHandleW(nullptr),
                                                            MAKEINTRESOURCEW(IDC_POINTING_HAND), IMAGE_CURSOR, 0,
                                                            0, LR_DEFAULTSIZE)));
        }
        SetCursor(handCursor_ ? handCursor_.get() : LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
        return TRUE;
      }
      break;
    }
    case WM_COMMAND: {
      const WORD code = HIWORD(wParam);
      HWND source = reinterpret_cast<HWND>(lParam);
      if (source && (code == BN_CLICKED || code == STN_CLICKED)) {
        // A disabled frame or panel passes no click on to what it holds.
        if (const ControlSpec* spec = specOf(source); spec && canTakeFocus(source)) controlClicked(spec->name);
      }
      return 0;
    }
    case WM_CLOSE:
      DestroyWindow(hwnd_);
      return 0;
    case WM_DESTROY:
      Form_Unload();
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}
