#include "controls/HyperLinkServices.h"

#include <vector>

namespace {
class SystemPointer final : public PointerSource {
 public:
  bool cursorPos(POINT& position) override { return GetCursorPos(&position) != FALSE; }
  bool windowRect(HWND window, RECT& rect) override { return GetWindowRect(window, &rect) != FALSE; }
};
}  // namespace

PointerSource& systemPointer() {
  static SystemPointer pointer;
  return pointer;
}

std::wstring executableFolder() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      std::wstring path(buffer.data(), length);
      const size_t slash = path.find_last_of(L'\\');
      if (slash == std::wstring::npos) return {};
      // A drive root keeps its backslash ("C:\"); any other folder loses it.
      const bool driveRoot = slash == 2 && path[1] == L':';
      return path.substr(0, driveRoot ? slash + 1 : slash);
    }
    buffer.resize(buffer.size() * 2);  // a path longer than MAX_PATH
  }
}
