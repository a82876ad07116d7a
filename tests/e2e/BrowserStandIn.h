#pragma once
// Points the prefix's http and https open commands at url_recorder.exe (with these options before
// the address) for the life of this object, and reads the command lines the shell handed it.
#include <fstream>
#include <string>
#include <vector>

#include "scripts/driver/Driver.h"

class BrowserStandIn {
 public:
  explicit BrowserStandIn(const std::string& options = "") {
    forget();
    for (const char* path : kOpenCommands) {
      previous_.push_back(driver::classesDefault(path));
      driver::setClassesDefault(path, "\"" + driver::ownFolder() + "url_recorder.exe\" " + options + "\"%1\"");
    }
  }
  ~BrowserStandIn() {
    for (size_t i = 0; i < previous_.size(); ++i) driver::setClassesDefault(kOpenCommands[i], previous_[i]);
    forget();
  }
  BrowserStandIn(const BrowserStandIn&) = delete;
  BrowserStandIn& operator=(const BrowserStandIn&) = delete;

  void forget() const { DeleteFileA(log().c_str()); }
  std::vector<std::string> commandLines() const {
    std::ifstream file(log());
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line.substr(0, line.find_last_not_of("\r ") + 1));
    return lines;
  }
  // The addresses received so far, in order.
  std::vector<std::string> addresses() const {
    std::vector<std::string> found;
    for (const std::string& line : commandLines()) {
      const size_t open = line.rfind(" \"") + 2;  // the last argument, in its quotes
      found.push_back(line.substr(open, line.size() - open - 1));
    }
    return found;
  }

 private:
  static constexpr const char* kOpenCommands[] = {"http\\shell\\open\\command", "https\\shell\\open\\command"};
  static std::string log() { return driver::ownFolder() + "url_recorder.log"; }
  std::vector<std::string> previous_;
};
