#include "hostsim/win32/ActionScript.h"

#include <sstream>
#include <vector>

#include "hostsim/Numbers.h"

namespace hostsim {

std::string Unescape(const std::string& t) {
  std::string out;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (t[i] != '\\' || i + 1 >= t.size()) {
      out += t[i];
      continue;
    }
    char c = t[++i];
    if (c == 'r') {
      out += '\r';
    } else if (c == 'n') {
      out += '\n';
    } else if (c == 'x' && i + 2 < t.size() && t.compare(i + 1, 2, "03") == 0) {
      out += '\x03';
      i += 2;
    } else {
      out += c;
    }
  }
  return out;
}

std::string LoadActions(const std::string& text, ScriptedUser& user) {
  std::istringstream in(text);
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t b = line.find_first_not_of(" \t");
    if (b == std::string::npos || line[b] == '#') continue;
    line = line.substr(b);
    std::size_t sp = line.find(' ');
    std::string verb = line.substr(0, sp);
    std::string rest = sp == std::string::npos ? "" : line.substr(sp + 1);
    std::vector<double> nums;
    std::istringstream words(rest);
    std::string w;
    bool numeric = true;
    while (words >> w) {
      auto v = ParseReal(w);
      if (!v) numeric = false;
      nums.push_back(v.value_or(0));
    }
    auto bad = [&]() { return "line " + std::to_string(number) + ": " + line; };
    if (verb == "pick" && numeric && nums.size() == 2) {
      user.PickPoint(nums[0], nums[1]);
    } else if ((verb == "window" || verb == "crossing") && numeric && nums.size() == 4) {
      if (verb == "window") {
        user.SelectWindow(nums[0], nums[1], nums[2], nums[3]);
      } else {
        user.SelectCrossing(nums[0], nums[1], nums[2], nums[3]);
      }
    } else if (verb == "enter" && rest.empty()) {
      user.PressEnter();
    } else if (verb == "escape" && rest.empty()) {
      user.PressEscape();
    } else if (verb == "type") {
      user.Type(Unescape(rest));
    } else if (verb == "after" && numeric && nums.size() == 1 && nums[0] >= 0) {
      user.After(static_cast<unsigned>(nums[0]));
    } else {
      return bad();
    }
  }
  return {};
}

}  // namespace hostsim
