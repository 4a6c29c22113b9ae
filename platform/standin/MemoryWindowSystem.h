// Stand-in window system held in memory. A simulated program creates its windows here, sets
// their texts and takes WM_COPYDATA through a handler; tests read what was sent.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/WindowSystem.h"

namespace platform {

class MemoryWindowSystem : public WindowSystem {
 public:
  using CopyDataHandler =
      std::function<void(std::uintptr_t dwData, const void* data, std::uint32_t cbData)>;

  struct SentCopyData {
    WindowHandle to = 0;
    std::uintptr_t dwData = 0;
    std::uint32_t cbData = 0;
    std::u16string text;  // the payload up to its first zero code unit
  };

  // Top-level windows enumerate in creation order unless created atFront.
  WindowHandle CreateTopLevel(const std::u16string& title, const std::u16string& className,
                              std::uint32_t processId, bool atFront = false);
  WindowHandle CreateChild(WindowHandle parent, const std::u16string& className,
                           const std::u16string& text = u"");
  void Destroy(WindowHandle w);                              // with its children
  void SetText(WindowHandle w, const std::u16string& text);  // title or control text
  void SetVisible(WindowHandle w, bool visible);
  void SetEnabled(WindowHandle w, bool enabled);
  void OnCopyData(WindowHandle w, CopyDataHandler handler);

  std::vector<SentCopyData> sent;       // every WM_COPYDATA, in order
  std::vector<WindowHandle> nullPosts;  // every WM_NULL posted
  WindowHandle foreground = 0;
  int GetTextCalls(WindowHandle w) const;  // WM_GETTEXT messages received

  // WindowSystem
  std::vector<WindowHandle> TopLevelWindows() override;
  std::u16string Title(WindowHandle w, int maxUnits) override;
  std::u16string ClassName(WindowHandle w, int maxUnits) override;
  std::uint32_t ProcessId(WindowHandle w) override;
  WindowHandle FirstChild(WindowHandle w) override;
  WindowHandle NextSibling(WindowHandle w) override;
  long TextLength(WindowHandle w) override;
  std::u16string Text(WindowHandle w, long capacityUnits) override;
  void SendCopyData(WindowHandle w, std::uintptr_t dwData, const void* data,
                    std::uint32_t cbData) override;
  void PostNull(WindowHandle w) override;
  bool IsWindow(WindowHandle w) override;
  bool IsVisible(WindowHandle w) override;
  bool IsEnabled(WindowHandle w) override;
  bool SetForeground(WindowHandle w) override;

 private:
  struct Window {
    std::u16string title;  // also the text of a control
    std::u16string className;
    std::uint32_t processId = 0;
    WindowHandle parent = 0;
    std::vector<WindowHandle> children;
    bool visible = true;
    bool enabled = true;
    int getTextCalls = 0;
    CopyDataHandler onCopyData;
  };
  Window* Find(WindowHandle w);
  const Window* Find(WindowHandle w) const;
  WindowHandle next_ = 0x100;
  std::map<WindowHandle, Window> windows_;
  std::vector<WindowHandle> topLevel_;
};

}  // namespace platform
