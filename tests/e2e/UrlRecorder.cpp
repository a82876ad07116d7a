// Stands in for a browser: registered as the test prefix's http/https open command, it appends the
// command line the shell gave it to url_recorder.log beside itself. "--sleep N" (milliseconds)
// before the address keeps it running that long, for tests that wait for the started process.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--sleep") == 0) Sleep(static_cast<DWORD>(std::atol(argv[i + 1])));
  }
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string log(path, length);
  log = log.substr(0, log.find_last_of('\\') + 1) + "url_recorder.log";

  // Several launches may finish together: retry while another holds the file.
  for (int attempt = 0; attempt < 100; ++attempt) {
    HANDLE file = CreateFileA(log.c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      const std::string line = std::string(GetCommandLineA()) + "\n";
      DWORD written = 0;
      WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
      CloseHandle(file);
      return 0;
    }
    Sleep(20);
  }
  return 1;
}
