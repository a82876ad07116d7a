#include "app/MessagePresenter.h"

#include "base/AnsiText.h"

const wchar_t kApplicationTitle[] = L"Orvandel";

namespace {
class SystemMessageBox final : public MessagePresenter {
 public:
  void show(HWND owner, const std::wstring& prompt, const std::wstring& caption, UINT style) override {
    MessageBoxA(owner, toAnsi(prompt).c_str(), toAnsi(caption).c_str(), style);
  }
};
}  // namespace

MessagePresenter& systemMessageBox() {
  static SystemMessageBox presenter;
  return presenter;
}
