#include "app/Form.h"

#include <algorithm>

#include "base/LastError.h"
#include "controls/Containers.h"
#include "controls/HandCursor.h"
#include "controls/HyperLink.h"
#include "controls/MultiRule.h"
#include "controls/Picture.h"
#include "controls/PictureControl.h"

ControlSpec::ControlSpec(const ControlRow& row, LANGID language)
    : name(row.name), kind(row.kind), container(row.container), left(row.left), top(row.top), width(row.width),
      height(row.height), text(textOrWord(row.text, language)), tabIndex(row.tabIndex), flags(row.flags), id(row.id),
      textColour(row.textColour), backColour(row.backColour), font(row.font), pictureId(row.pictureId),
      toolTip(textOrWord(row.toolTip, language)) {
  for (const StoredProperty* p = row.properties; p != row.properties + row.propertyCount; ++p) {
    properties.WriteProperty(p->name, p->type == StoredProperty::Text      ? Variant::text(textOrWord(p->text, language))
                                      : p->type == StoredProperty::Boolean ? Variant::boolean(p->number != 0)
                                                                           : Variant::longValue(p->number));
  }
}
ControlSpec::ControlSpec(const ControlSpec&) = default;
ControlSpec::ControlSpec(ControlSpec&&) noexcept = default;
ControlSpec& ControlSpec::operator=(const ControlSpec&) = default;
ControlSpec& ControlSpec::operator=(ControlSpec&&) noexcept = default;
ControlSpec::~ControlSpec() = default;

namespace {
constexpr int kFirstControlId = 1000;

UINT labelDrawFlags(const ControlSpec& spec) {
  return spec.flags & kCentred ? DT_CENTER | DT_WORDBREAK : spec.flags & kWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
}

// What has no text and takes no input (a band, a logo) in the window's own area is drawn by the
// window itself. Every text stays a window's text: that is what screen readers read.
bool drawnByForm(const ControlSpec& spec) {
  return spec.container.empty() && spec.toolTip.empty() && spec.text.empty() &&
         !(spec.flags & (kClickable | kHandPointer)) &&
         (spec.kind == ControlKind::Image || spec.kind == ControlKind::Label);
}

// A picture that opens something is a tab stop when the table gives it a place in the order; a
// label that does the same beside it is not one of its own.
bool isTabStop(const ControlSpec& spec) {
  const ControlKind kind = spec.kind;
  return spec.tabIndex >= 0 && (kind == ControlKind::Panel || kind == ControlKind::OptionButton ||
                                kind == ControlKind::CommandButton || kind == ControlKind::HyperLink ||
                                (kind == ControlKind::Image && (spec.flags & kClickable)));
}

DecorUse decorUse(const ControlSpec& spec) {
  if (!(spec.flags & kClickable)) return DecorUse::Shows;
  return isTabStop(spec) ? DecorUse::OpensTabStop : DecorUse::Opens;
}
}  // namespace

Form::Form(FormSpec spec, ScreenScale scale) : spec_(std::move(spec)), scale_(scale), fonts_(scale) {}

Form::~Form() {
  destroyWindow();
  ownControls_.clear();
}

void Form::create(HWND owner) {
  placement_ = FormPlacement::of(spec_, scale_, fonts_);
  RECT frame = {0, 0, placement_.clientWidth, placement_.clientHeight};
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
  // Hidden until the keyboard is used, unless the owner already shows them.
  initialCuesHidden_ = true;
  if (ControlWindow* ownerForm = ControlWindow::fromHandle(owner)) initialCuesHidden_ = ownerForm->focusCuesHidden();
  createWindow(windowClass, owner, 0, spec_.style, WS_EX_CONTROLPARENT, RECT{left, top, left + width, top + height},
               spec_.caption.c_str());
}

void Form::setFocusCues(bool hidden) {
  const WPARAM state = MAKEWPARAM(hidden ? UIS_SET : UIS_CLEAR, UISF_HIDEFOCUS);
  SendMessageW(hwnd(), WM_UPDATEUISTATE, state, 0);
  for (const Control& c : controls_) {
    if (c.window) SendMessageW(c.window, WM_UPDATEUISTATE, state, 0);
  }
}

HWND Form::createControl(const ControlSpec& spec, HWND parent) {
  if (drawnByForm(spec)) return nullptr;
  const RECT r = placement_.controls[indexOf(spec)];
  const int id = spec.id ? spec.id : kFirstControlId + static_cast<int>(controls_.size());
  const HMENU menuId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
  const wchar_t* windowClass = L"STATIC";
  switch (spec.kind) {
    case ControlKind::Frame:
      return adopt(FrameControl::create(parent, id, r, spec.text.c_str(), fonts_.of(spec)));
    case ControlKind::Panel:
      return adopt(PanelControl::create(parent, id, r, spec.text.c_str()));
    case ControlKind::OptionButton:
      windowClass = L"BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::CommandButton:
      windowClass = L"BUTTON";
      style |= BS_PUSHBUTTON | WS_TABSTOP;
      break;
    case ControlKind::Label:
      // Transparent labels, and those that open something (they take a click as a press and a
      // release on them), are the program's own.
      if (spec.flags & (kTransparent | kClickable)) {
        return adopt(DecorControl::createLabel(parent, id, r, spec.text.c_str(), fonts_.of(spec), labelDrawFlags(spec),
                                               decorUse(spec)));
      }
      // An & is a character of the text, as the layout measures it, not a mnemonic.
      style |= SS_NOTIFY | SS_NOPREFIX | (spec.flags & kCentred ? SS_CENTER : spec.flags & kWordWrap ? SS_LEFT : SS_LEFTNOWORDWRAP);
      break;
    case ControlKind::Image:
      return adopt(DecorControl::createPicture(parent, id, r, spec.pictureId, spec.text.c_str(), spec.flags & kStretch,
                                               decorUse(spec)));
    case ControlKind::HyperLink:
    case ControlKind::Rule:
      return createOwnControl(spec, parent, id, r);
  }
  HWND window = CreateWindowExW(0, windowClass, spec.text.c_str(), style, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, parent, menuId, instance, nullptr);
  if (!window) raiseLastError("CreateWindowExW");
  {
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.of(spec)), FALSE);
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
    HyperLinkServices services = linkServices_;
    services.scale = scale_;  // its font sized as the labels' are
    control = HyperLink::create(parent, id, pixels, spec.properties, events, services);
  }
  return adopt(std::move(control));
}

HWND Form::adopt(std::unique_ptr<ControlWindow> control) {
  HWND window = control->hwnd();
  ownControls_.push_back(std::move(control));
  return window;
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
    if (c.window && isTabStop(*c.spec)) focusable.push_back(&c);
  }
  std::sort(focusable.begin(), focusable.end(),
            [](const Control* a, const Control* b) { return a->spec->tabIndex < b->spec->tabIndex; });
  std::vector<HWND> tabOrder, options;
  for (const Control* c : focusable) {
    tabOrder.push_back(c->window);
    if (c->spec->kind == ControlKind::OptionButton) options.push_back(c->window);
  }
  keyboard_.setOrder(std::move(tabOrder), std::move(options));
}

HWND Form::control(const std::wstring& name) const {
  for (const Control& c : controls_) {
    if (c.spec->name == name) return c.window;
  }
  return nullptr;
}

RECT Form::placement(const std::wstring& name) const {
  for (const ControlSpec& spec : spec_.controls) {
    if (spec.name == name) return placement_.controls[indexOf(spec)];
  }
  return RECT{};
}

const ControlSpec* Form::specOf(HWND window) const {
  if (!window) return nullptr;
  for (const Control& c : controls_) {
    if (c.window == window) return c.spec;
  }
  return nullptr;
}

void Form::setTextColour(const std::wstring& name, DesignColour colour) {
  for (Control& c : controls_) {
    if (c.spec->name != name) continue;
    c.textColour = colour;
    if (c.window) InvalidateRect(c.window, nullptr, TRUE);
  }
}

void Form::setCaption(const std::wstring& name, const std::wstring& text) {
  HWND window = control(name);
  SetWindowTextW(window, text.c_str());
  if (const ControlSpec* spec = specOf(window); spec && (spec->flags & kAutoSize)) {
    const RECT bounds = fonts_.measure(*spec, text, RECT{}, DT_SINGLELINE);
    SetWindowPos(window, nullptr, 0, 0, bounds.right, bounds.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

HBRUSH Form::backBrush(COLORREF colour) {
  UniqueBrush& brush = backBrushes_[colour];
  if (!brush) brush.reset(CreateSolidBrush(colour));
  return brush.get();
}

LRESULT Form::colourStatic(HDC dc, HWND window) {
  const ColourScheme& scheme = ColourScheme::current();
  for (const Control& c : controls_) {
    if (c.window != window) continue;
    const DesignColour& back = c.spec->backColour;
    const bool ownBack = back.rgb != CLR_INVALID;
    const COLORREF beneath = ownBack ? scheme.background(back) : scheme.colour(ColourRole::Face);
    SetTextColor(dc, scheme.text(c.textColour, beneath));
    if (c.spec->flags & kTransparent) {
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
    SetBkColor(dc, beneath);
    return reinterpret_cast<LRESULT>(ownBack ? backBrush(beneath) : scheme.brush(ColourRole::Face));
  }
  SetTextColor(dc, scheme.colour(ColourRole::FaceText));
  SetBkColor(dc, scheme.colour(ColourRole::Face));
  return reinterpret_cast<LRESULT>(scheme.brush(ColourRole::Face));
}

size_t Form::indexOf(const ControlSpec& spec) const { return static_cast<size_t>(&spec - spec_.controls.data()); }

void Form::drawControl(HDC dc, const ControlSpec& spec, POINT offset) {
  if (spec.flags & kWatermark && !ColourScheme::current().watermarksShown()) return;  // it would hide text
  RECT r = placement_.controls[indexOf(spec)];
  OffsetRect(&r, offset.x, offset.y);
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  if (spec.kind == ControlKind::Image) {
    if (const Picture* picture = Picture::ofResource(spec.pictureId)) picture->draw(dc, r, spec.flags & kStretch);
  } else if (spec.backColour.rgb != CLR_INVALID) {
    FillRect(dc, &r, backBrush(ColourScheme::current().background(spec.backColour)));
  }
  RestoreDC(dc, saved);
}

void Form::paintDrawn(HDC dc) {
  // From the bottom of the stack up; the child windows lie above them all.
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (!it->window) drawControl(dc, *it->spec, POINT{0, 0});
  }
}

void Form::paintBeneath(HWND child, HDC dc) {
  RECT area;
  GetWindowRect(child, &area);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
  RECT client = {0, 0, area.right - area.left, area.bottom - area.top};
  FillRect(dc, &client, ColourScheme::current().brush(ColourRole::Face));
  // Only the window's own drawn controls (bands, logos) lie beneath a window: drawn from the
  // bottom up, those it overlaps.
  for (auto it = controls_.rbegin(); it != controls_.rend() && it->window != child; ++it) {
    RECT overlap;
    if (!it->window && IntersectRect(&overlap, &placement_.controls[indexOf(*it->spec)], &area)) {
      drawControl(dc, *it->spec, POINT{-area.left, -area.top});
    }
  }
}

bool Form::preTranslate(MSG& message) {
  if (!message.hwnd) return false;
  ControlWindow* root = ControlWindow::fromHandle(GetAncestor(message.hwnd, GA_ROOT));
  return root && root->translateKeyboard(message);
}

bool Form::translateKeyboard(MSG& message) {
  // Focus cues appear once the keyboard is in use.
  if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) && focusCuesHidden()) setFocusCues(false);
  return keyboard_.translate(message);
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

void Form::schemeChanged() {
  ColourScheme::refresh();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      keyboard_ = FormKeyboard(hwnd());
      createControls();
      setFocusCues(initialCuesHidden_);
      Form_Load();
      return 0;
    case WM_ACTIVATE:
      // As dialogs do: the control that had the focus gets it back when the window is active again.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd(), focus)) lastFocus_ = focus;
      } else if (!HIWORD(wParam)) {
        HWND focus = lastFocus_ && IsWindow(lastFocus_) && canTakeFocus(lastFocus_) ? lastFocus_ : initialFocus();
        if (focus) {
          SetFocus(focus);
          return 0;
        }
      }
      break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      schemeChanged();
      break;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case kPaintBeneathMessage:
      paintBeneath(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_PAINT: {
      PaintScope paint(hwnd());
      paintDrawn(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      if (lParam & PRF_ERASEBKGND) SendMessageW(hwnd(), WM_ERASEBKGND, wParam, 0);
      paintDrawn(reinterpret_cast<HDC>(wParam));
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
