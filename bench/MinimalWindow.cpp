// The least a window program does: one empty window the size of Orvandel's main window, shown,
// painted, closed. scripts/bench compares Orvandel's start and memory with it. Built with
// ORVANDEL_BENCH_LIBRARIES (and Orvandel's manifest) it first loads what Orvandel's main window
// must load before anything else: the shell library, kept, and the common controls; the bench
// shows it to tell the libraries' share from the program's own.
#include <windows.h>
#ifdef ORVANDEL_BENCH_LIBRARIES
#include <commctrl.h>
#endif

namespace {
LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
#ifdef ORVANDEL_BENCH_LIBRARIES
  const HMODULE shell = LoadLibraryA("shell32.dll");
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_USEREX_CLASSES};
  InitCommonControlsEx(&controls);
#endif
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"Orvandel.Bench.MinimalWindow";
  if (!RegisterClassExW(&windowClass)) return 1;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, 404, 337};  // the main window's client area: 6060 x 5055 twips at 96 dpi
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Minimal", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
#ifdef ORVANDEL_BENCH_LIBRARIES
  FreeLibrary(shell);
#endif
  return 0;
}
