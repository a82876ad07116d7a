// Stands in for the program meeting a failure it did not foresee: linked with the program's own
// runtime parts, it lets an exception go uncaught ("throw") or fails a container check ("check").
#include <windows.h>

#include <cstring>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
  if (std::strstr(arguments, "throw")) throw 1;
  std::vector<int> none;
  return none[std::strlen(arguments)];  // out of range: _GLIBCXX_ASSERTIONS checks it
}
