#include "RuzuRaru2016/hostlink/HostDialogue.h"

#include "RuzuRaru2016/hostlink/HostChannel.h"
#include "RuzuRaru2016/hostlink/HostText.h"
#include "platform/Ports.h"

namespace {

constexpr const char* kIdlePrompt = "コマンド: ";

std::string UpperAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

// The text strictly between the last `open` and the last `close`, trimmed, when `close`
// comes after `open`; empty otherwise.
std::string BetweenLast(const std::string& text, char open, char close) {
  const std::size_t from = text.rfind(open);
  const std::size_t to = text.rfind(close);
  if (from == std::string::npos || to == std::string::npos || to <= from) return {};
  return TrimHostText(std::string_view(text).substr(from + 1, to - from - 1));
}

}  // namespace

std::string GetSysVar(const HostLink& link, const std::string& name) {
  const std::string upper = UpperAscii(name);
  // The host takes these two names typed on their own rather than through SETVAR.
  const bool typedAlone = upper == "ACADVER" || upper == "LAYERPMODE";
  if (!SendCommand(link, typedAlone ? name + "\r" : "'SETVAR " + name + "\r")) return {};
  platform::Loop().Sleep(100);
  std::string value = BetweenLast(ReadCurrentLine(link), '<', '>');
  // Leave the value prompt without changing the variable.
  SendCommand(link, "\x03");
  if (value.empty()) {
    // Read-only variables are echoed into the history as "NAME = value (remark)".
    value = BetweenLast(TextAfterLast(name, ReadPreviousLine(link)), '=', '(');
  }
  return value;
}

int WaitForPrompt(const HostLink& link, const std::string& marker, int intervalMs, int seconds) {
  auto& loop = platform::Loop();
  int result = kHostFailed;
  int promptCount = 0;
  int emptyCount = 0;  // never reset: two empty readings anywhere end the wait
  const long long quotient = static_cast<long long>(seconds) * 1000 / intervalMs;
  const long long polls = quotient < 0 ? 0 : quotient + 1;
  for (long long poll = 0; poll < polls; ++poll) {
    loop.ProcessMessages();
    loop.Sleep(static_cast<unsigned>(intervalMs));
    if (!HostIsReady(link)) break;
    const std::string line = ReadCurrentLine(link);
    if (line == kIdlePrompt) {
      // One idle reading can fall between two prompts of the same command; two in a row
      // mean the command has ended.
      if (++promptCount == 2) {
        result = kHostDone;
        break;
      }
    } else if (line.empty()) {
      if (++emptyCount == 2) break;
    } else {
      promptCount = 0;
    }
  }
  if (result == kHostDone &&
      TextAfterLast(marker, ReadPreviousLine(link)).find("キャンセル") != std::string::npos) {
    result = kHostCancelled;
  }
  return result;
}

std::string GetSysVar(const std::string& name) { return GetSysVar(ProcessHostLink(), name); }

int WaitForPrompt(const std::string& marker, int intervalMs, int seconds) {
  return WaitForPrompt(ProcessHostLink(), marker, intervalMs, seconds);
}
