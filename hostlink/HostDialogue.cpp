#include "hostlink/HostDialogue.h"

#include <algorithm>

#include "hostlink/HostChannel.h"
#include "hostlink/HostText.h"
#include "hostlink/HostVocabulary.h"
#include "platform/Ports.h"

namespace {

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
  if (!SendCommand(link, vocab::QueryVariable(name))) return {};
  platform::Loop().Sleep(100);
  std::string value = BetweenLast(ReadCurrentLine(link), vocab::kValueOpen, vocab::kValueClose);
  // Leave the value prompt without changing the variable.
  SendCommand(link, vocab::kCancel);
  if (value.empty()) {
    // Read-only variables are echoed into the history as "NAME = value (remark)".
    value = BetweenLast(TextAfterLast(name, ReadPreviousLine(link)), vocab::kEchoValueStart,
                        vocab::kEchoRemarkStart);
  }
  return value;
}

HostResult WaitForPrompt(const HostLink& link, const std::string& marker, int intervalMs,
                         int seconds) {
  auto& loop = platform::Loop();
  HostResult result = HostResult::Failed;
  int promptCount = 0;
  int emptyCount = 0;  // never reset: two empty readings anywhere end the wait
  // An interval of 0 (or less) sleeps not at all and counts as 1 ms: one poll per pass, each
  // still paced by the reading's own pause.
  const int interval = intervalMs > 0 ? intervalMs : 0;
  const long long quotient = static_cast<long long>(seconds) * 1000 / std::max(interval, 1);
  const long long polls = quotient < 0 ? 0 : quotient + 1;
  for (long long poll = 0; poll < polls; ++poll) {
    loop.ProcessMessages();
    if (loop.CancelRequested()) {
      // The window is being closed: the command the user was to finish in the host ends there
      // as the user's Escape would end it, and the dialogue unwinds as after a cancel.
      SendCommand(link, vocab::kCancel);
      return HostResult::Cancelled;
    }
    loop.Sleep(static_cast<unsigned>(interval));
    if (!HostIsReady(link)) break;
    const std::string line = ReadCurrentLine(link);
    if (line == vocab::kIdlePrompt) {
      // One idle reading can fall between two prompts of the same command; two in a row
      // mean the command has ended.
      if (++promptCount == 2) {
        result = HostResult::Done;
        break;
      }
    } else if (line.empty()) {
      if (++emptyCount == 2) break;
    } else {
      promptCount = 0;
    }
  }
  if (result == HostResult::Done &&
      TextAfterLast(marker, ReadPreviousLine(link)).find(vocab::kCancelReport) !=
          std::string::npos) {
    result = HostResult::Cancelled;
  }
  return result;
}
