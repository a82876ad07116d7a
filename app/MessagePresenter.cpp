#include "app/MessagePresenter.h"

const wchar_t kApplicationTitle[] = L"Orvandel";

namespace {
class SystemMessageBox final : public MessagePresenter {
 public:
  void show(HWND owner, const std::wstring& prompt, const std::wstring& caption, UINT style) override {
    // Unicode: a word in the user's language stays whole whatever the ANSI code page can write.
    MessageBoxW(owner, prompt.c_str(), caption.c_str(), style);
  }
  // Boxes are seen only on the window station a person looks at (WinSta0).
  bool seenBySomeone() override {
    USEROBJECTFLAGS flags = {};
    DWORD needed = 0;
    return !GetUserObjectInformationW(GetProcessWindowStation(), UOI_FLAGS, &flags, sizeof flags, &needed) ||
           (flags.dwFlags & WSF_VISIBLE) != 0;
  }
};
}  // namespace

MessagePresenter& systemMessageBox() {
  static SystemMessageBox presenter;
  return presenter;
}
