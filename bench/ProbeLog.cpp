#include "bench/ProbeLog.h"

#include <fstream>
#include <sstream>

namespace probe {

std::string fileFor(const std::string& program) { return program + ".probe"; }

double millisecondsSince(LARGE_INTEGER since) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - since.QuadPart) / static_cast<double>(frequency.QuadPart);
}

Log read(const std::string& program, LARGE_INTEGER since) {
  Log log;
  std::ifstream in(fileFor(program));
  std::string line;
  double frequency = 0;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string first;
    fields >> first;
    if (first == "frequency") {
      fields >> frequency;
    } else if (first == "module") {
      std::string rest;
      std::getline(fields, rest);
      log.modules.push_back(rest.empty() ? rest : rest.substr(1));
    } else if (frequency > 0) {
      Event event;
      const double ticks = std::stod(first);
      event.ms = 1000.0 * (ticks - static_cast<double>(since.QuadPart)) / frequency;
      fields >> event.kind >> event.window >> event.name;
      log.events.push_back(event);
    }
  }
  log.read = frequency > 0;
  return log;
}

}  // namespace probe
