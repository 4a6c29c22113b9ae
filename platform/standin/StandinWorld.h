// Every stand-in port in one place; a test makes one and installs it:
//   platform::StandinWorld world;
//   platform::ScopedPorts ports(world.ports());
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/Ports.h"
#include "platform/standin/Cp932CodePage.h"
#include "platform/standin/IniProfile.h"
#include "platform/standin/MemoryFileSystem.h"
#include "platform/standin/MemoryWindowSystem.h"
#include "platform/standin/VirtualClock.h"

namespace platform {

class RecordingMessageBox : public OwnedMessageBox {
 public:
  void Show(const std::string& text, const std::string& title) override {
    shown.emplace_back(text, title);
  }
  // Recorded as shown too; answered from `answers` in turn, No when they have run out.
  bool Ask(const std::string& text, const std::string& title) override {
    shown.emplace_back(text, title);
    ++asked;
    if (answers.empty()) return false;
    const bool yes = answers.front();
    answers.erase(answers.begin());
    return yes;
  }
  std::vector<std::pair<std::string, std::string>> shown;  // text, title
  std::vector<bool> answers;
  int asked = 0;
};

struct StandinWorld {
  VirtualClock clock;
  MemoryWindowSystem windows;
  MemoryFileSystem files;
  Cp932CodePage codePage;
  IniProfile profile{files, codePage};
  RecordingMessageBox messages;

  Ports ports() { return Ports{&windows, &clock, &files, &codePage, &profile, &messages}; }
};

}  // namespace platform
