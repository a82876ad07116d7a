#include "app/MessagePresenter.h"

const wchar_t kApplicationTitle[] = L"Orvandel";

namespace {
class SystemMessageBox final : public MessagePresenter {
 public:
  void show(HWND owner, const std::wstring& prompt, const std::wstring& caption, UINT style) override {
    // Unicode: a word in the user's language stays whole whatever the ANSI code page can write.
    MessageBoxW(owner, prompt.c_str(), caption.c_str(), style);
  }
};
}  // namespace

MessagePresenter& systemMessageBox() {
  static SystemMessageBox presenter;
  return presenter;
}
