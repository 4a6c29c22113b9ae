#include "hostlink/HostChannel.h"

#include <string_view>
#include <vector>

#include "hostlink/HostVocabulary.h"
#include "platform/Ports.h"
#include "platform/Utf.h"

namespace {

using platform::WindowHandle;

// Titles and class names are read into buffers of 255 units, as the host's own tools do.
constexpr int kNameUnits = 254;

bool StartsWith(std::u16string_view s, std::u16string_view prefix) {
  return s.substr(0, prefix.size()) == prefix;
}

bool Contains(std::u16string_view s, std::u16string_view part) {
  return s.find(part) != std::u16string_view::npos;
}

bool IsTrueViewTitle(std::u16string_view title) {
  return StartsWith(title, vocab::kTitleTrueView) ||
         StartsWith(title, vocab::kTitleAutodeskTrueView);
}

bool HasHostTitle(std::u16string_view title) {
  return !title.empty() && !IsTrueViewTitle(title) &&
         (StartsWith(title, vocab::kTitleAutoCad) || StartsWith(title, vocab::kTitleAutodesk));
}

bool IsMainWindowClass(std::u16string_view cls) {
  return (StartsWith(cls, vocab::kClassAfx) && Contains(cls, vocab::kClassMainMark)) ||
         StartsWith(cls, vocab::kClassMdiFrame);
}

bool IsTextWindowClass(std::u16string_view cls) {
  return StartsWith(cls, vocab::kClassAfx) && Contains(cls, vocab::kClassTextMark);
}

std::string ReadControlAfterPause(const HostLink& link, WindowHandle THostChannel::*control) {
  FindTextWindow(link);
  platform::Loop().Sleep(100);
  return ReadWindowText(link.channel.*control);
}

}  // namespace

WindowHandle FindAcadWindow(const HostLink& link) {
  auto& ws = platform::Windows();
  THostChannel& ch = link.channel;
  for (WindowHandle w : ws.TopLevelWindows()) {
    if (HasHostTitle(ws.Title(w, kNameUnits)) && IsMainWindowClass(ws.ClassName(w, kNameUnits))) {
      ch.hAcad = w;
      ch.processId = ws.ProcessId(w);
      break;
    }
  }
  return ch.hAcad;
}

bool TrueViewIsOpen() {
  auto& ws = platform::Windows();
  for (WindowHandle w : ws.TopLevelWindows()) {
    if (IsTrueViewTitle(ws.Title(w, kNameUnits)) && IsMainWindowClass(ws.ClassName(w, kNameUnits)))
      return true;
  }
  return false;
}

WindowHandle FindTextWindow(const HostLink& link) {
  FindAcadWindow(link);
  auto& ws = platform::Windows();
  THostChannel& ch = link.channel;
  // Without a host there is no process to match; a window of process 0 is nobody's.
  if (ch.processId == 0) return ch.hText;
  for (WindowHandle w : ws.TopLevelWindows()) {
    const std::u16string title = ws.Title(w, kNameUnits);
    if (HasHostTitle(title) && IsTextWindowClass(ws.ClassName(w, kNameUnits)) &&
        Contains(title, vocab::kTextWindowTitle) && ws.ProcessId(w) == ch.processId) {
      ch.hText = w;
      WindowHandle line = w;
      for (int level = 0; level < 3 && line != 0; ++level) line = ws.FirstChild(line);
      ch.hCurrentLine = line;
      ch.hHistory = line != 0 ? ws.NextSibling(line) : 0;
      break;
    }
  }
  return ch.hText;
}

std::string ReadCurrentLine(const HostLink& link) {
  return ReadControlAfterPause(link, &THostChannel::hCurrentLine);
}

std::string ReadPreviousLine(const HostLink& link) {
  return ReadControlAfterPause(link, &THostChannel::hHistory);
}

bool SendCommand(const HostLink& link, const std::string& command) {
  const std::u16string text = platform::Utf8ToUtf16(command);
  if (text.size() > kMaxCommandUnits) return false;
  const WindowHandle host = FindAcadWindow(link);
  auto& ws = platform::Windows();
  if (host == 0 || !ws.IsWindow(host)) return false;
  std::vector<char16_t> buffer(text.begin(), text.end());
  buffer.push_back(u'\0');
  const auto bytes = static_cast<std::uint32_t>(buffer.size() * sizeof(char16_t));
  ws.SendCopyData(host, vocab::kCopyDataCommand, buffer.data(), bytes);
  // Wakes the host's message loop so that it takes the typed text at once.
  ws.PostNull(host);
  return true;
}

bool ActivateHost(const HostLink& link) {
  const WindowHandle host = FindAcadWindow(link);
  auto& ws = platform::Windows();
  if (host == 0 || !ws.IsWindow(host)) return false;
  ws.SetForeground(host);
  return true;
}

bool HostIsReady(const HostLink& link) {
  link.channel.hAcad = 0;
  const WindowHandle host = FindAcadWindow(link);
  auto& ws = platform::Windows();
  return host != 0 && ws.IsVisible(host) && ws.IsEnabled(host);
}

std::string ReadWindowText(WindowHandle window) {
  auto& ws = platform::Windows();
  const long length = ws.TextLength(window);
  if (length <= 0) return {};
  return platform::Utf16ToUtf8(ws.Text(window, length + 1));
}
