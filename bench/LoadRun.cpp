// The load run: ten thousand removes and restores of the handler key through the main window's
// Start (real registry, the boxes recorded instead of shown), then the About window opened and
// closed five hundred times. Every outcome is checked; what the process holds is printed after
// the first rounds and at the end, one line per figure:
//   <run> <figure> <after the first rounds> <at the end>
// for the runs "toggles" and "about" and the figures handles, gdi, windows, working_set_kib.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/ControlIds.h"
#include "app/wAbout.h"
#include "app/wMain.h"
#include "bench/ProcessResources.h"
#include "scripts/driver/HandlerKey.h"

namespace {
using resources::Counts;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "bench_load: %s\n", what.c_str());
  std::exit(1);
}

class LastBox final : public MessagePresenter {
 public:
  std::wstring prompt;
  void show(HWND, const std::wstring& text, const std::wstring&, UINT) override { prompt = text; }
  bool seenBySomeone() override { return true; }
};

bool handlerPresent() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, handler::kPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  char data[128] = {};
  DWORD type = 0, size = sizeof data;
  const LONG read = RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS || type != REG_SZ || std::string(data, size) != handler::kClassIdStored) {
    fail("the handler key holds something else");
  }
  return true;
}

void pumpPending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

void print(const char* run, const Counts& settled, const Counts& end) {
  std::printf("%s handles %lu %lu\n", run, settled.handles, end.handles);
  std::printf("%s gdi %lu %lu\n", run, settled.gdi, end.gdi);
  std::printf("%s windows %lu %lu\n", run, settled.windows, end.windows);
  std::printf("%s working_set_kib %lu %lu\n", run, static_cast<unsigned long>(settled.workingSet),
              static_cast<unsigned long>(end.workingSet));
}

// The counts follow what the process holds on this system: one more event, brush and window each.
void checkCounting(HWND host) {
  const Counts before = Counts::now();
  HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 1, 1, host, nullptr, nullptr, nullptr);
  const Counts during = Counts::now();
  CloseHandle(event);
  DeleteObject(brush);
  DestroyWindow(window);
  if (during.handles != before.handles + 1 || during.gdi != before.gdi + 1 || during.windows != before.windows + 1) {
    fail("handles, GDI objects or windows can't be counted here");
  }
}

HWND aboutOwner = nullptr;
// Closes the modal window once its loop has run (timer messages come after painting).
void CALLBACK closeAbout(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND about = GetLastActivePopup(aboutOwner);
  if (about != aboutOwner) PostMessageW(about, WM_CLOSE, 0, 0);
}
}  // namespace

int main() {
  const bool wasPresent = handlerPresent();
  LastBox boxes;
  wMain window(AppServices{systemRegistry(), boxes, false});
  window.show(SW_SHOWNOACTIVATE);
  pumpPending();
  checkCounting(window.hwnd());
  HWND start = GetDlgItem(window.hwnd(), kIdStart);
  if (!start) fail("no Start button");

  Counts settled{};
  for (int round = 0; round < 10000; ++round) {
    const bool removing = handlerPresent();
    SendMessageW(start, BM_CLICK, 0, 0);
    const std::wstring expected = removing ? L"AVI Previewing has been successfully removed."
                                           : L"AVI Previewing has been successfully restored.";
    if (boxes.prompt != expected || handlerPresent() == removing) fail("round " + std::to_string(round) + " went wrong");
    pumpPending();
    if (round == 99) settled = Counts::now();
  }
  print("toggles", settled, Counts::now());
  if (handlerPresent() != wasPresent) SendMessageW(start, BM_CLICK, 0, 0);  // as it was found

  aboutOwner = window.hwnd();
  for (int round = 0; round < 500; ++round) {
    {
      wAbout about;
      SetTimer(nullptr, 0, 1, closeAbout);
      about.showModal(aboutOwner);
      if (about.hwnd() || !IsWindowEnabled(aboutOwner)) fail("About round " + std::to_string(round) + " went wrong");
    }
    if (round == 9) settled = Counts::now();
  }
  print("about", settled, Counts::now());
  return 0;
}
