#include "platform/standin/MemoryWindowSystem.h"

#include <algorithm>
#include <cstring>

namespace platform {

MemoryWindowSystem::Window* MemoryWindowSystem::Find(WindowHandle w) {
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

const MemoryWindowSystem::Window* MemoryWindowSystem::Find(WindowHandle w) const {
  auto it = windows_.find(w);
  return it == windows_.end() ? nullptr : &it->second;
}

WindowHandle MemoryWindowSystem::CreateTopLevel(const std::u16string& title,
                                                const std::u16string& className,
                                                std::uint32_t processId, bool atFront) {
  const WindowHandle h = next_;
  next_ += 4;
  Window w;
  w.title = title;
  w.className = className;
  w.processId = processId;
  windows_[h] = std::move(w);
  if (atFront) {
    topLevel_.insert(topLevel_.begin(), h);
  } else {
    topLevel_.push_back(h);
  }
  return h;
}

WindowHandle MemoryWindowSystem::CreateChild(WindowHandle parent, const std::u16string& className,
                                             const std::u16string& text) {
  Window* p = Find(parent);
  if (!p) return 0;
  const WindowHandle h = next_;
  next_ += 4;
  Window w;
  w.title = text;
  w.className = className;
  w.processId = p->processId;
  w.parent = parent;
  p->children.push_back(h);
  windows_[h] = std::move(w);
  return h;
}

void MemoryWindowSystem::Destroy(WindowHandle w) {
  Window* win = Find(w);
  if (!win) return;
  const std::vector<WindowHandle> children = win->children;
  for (WindowHandle c : children) Destroy(c);
  win = Find(w);
  if (win->parent) {
    if (Window* p = Find(win->parent)) {
      auto& c = p->children;
      c.erase(std::remove(c.begin(), c.end(), w), c.end());
    }
  }
  topLevel_.erase(std::remove(topLevel_.begin(), topLevel_.end(), w), topLevel_.end());
  windows_.erase(w);
  if (foreground == w) foreground = 0;
}

void MemoryWindowSystem::SetText(WindowHandle w, const std::u16string& text) {
  if (Window* win = Find(w)) win->title = text;
}

void MemoryWindowSystem::SetVisible(WindowHandle w, bool visible) {
  if (Window* win = Find(w)) win->visible = visible;
}

void MemoryWindowSystem::SetEnabled(WindowHandle w, bool enabled) {
  if (Window* win = Find(w)) win->enabled = enabled;
}

void MemoryWindowSystem::OnCopyData(WindowHandle w, CopyDataHandler handler) {
  if (Window* win = Find(w)) win->onCopyData = std::move(handler);
}

int MemoryWindowSystem::GetTextCalls(WindowHandle w) const {
  const Window* win = Find(w);
  return win ? win->getTextCalls : 0;
}

std::vector<WindowHandle> MemoryWindowSystem::TopLevelWindows() { return topLevel_; }

std::u16string MemoryWindowSystem::Title(WindowHandle w, int maxUnits) {
  const Window* win = Find(w);
  if (!win || maxUnits <= 0) return {};
  return win->title.substr(0, static_cast<std::size_t>(maxUnits));
}

std::u16string MemoryWindowSystem::ClassName(WindowHandle w, int maxUnits) {
  const Window* win = Find(w);
  if (!win || maxUnits <= 0) return {};
  return win->className.substr(0, static_cast<std::size_t>(maxUnits));
}

std::uint32_t MemoryWindowSystem::ProcessId(WindowHandle w) {
  const Window* win = Find(w);
  return win ? win->processId : 0;
}

WindowHandle MemoryWindowSystem::FirstChild(WindowHandle w) {
  const Window* win = Find(w);
  return (win && !win->children.empty()) ? win->children.front() : 0;
}

WindowHandle MemoryWindowSystem::NextSibling(WindowHandle w) {
  const Window* win = Find(w);
  if (!win) return 0;
  const std::vector<WindowHandle>* list = &topLevel_;
  if (win->parent) list = &Find(win->parent)->children;
  auto it = std::find(list->begin(), list->end(), w);
  if (it == list->end() || ++it == list->end()) return 0;
  return *it;
}

long MemoryWindowSystem::TextLength(WindowHandle w) {
  const Window* win = Find(w);
  return win ? static_cast<long>(win->title.size()) : 0;
}

std::u16string MemoryWindowSystem::Text(WindowHandle w, long capacityUnits) {
  Window* win = Find(w);
  if (!win) return {};
  ++win->getTextCalls;
  if (capacityUnits <= 0) return {};
  // Like WM_GETTEXT: at most capacity - 1 units and the terminating zero.
  return win->title.substr(0, static_cast<std::size_t>(capacityUnits - 1));
}

void MemoryWindowSystem::SendCopyData(WindowHandle w, std::uintptr_t dwData, const void* data,
                                      std::uint32_t cbData) {
  SentCopyData record;
  record.to = w;
  record.dwData = dwData;
  record.cbData = cbData;
  const std::size_t units = cbData / 2;
  std::u16string payload(units, u'\0');
  if (units > 0 && data) std::memcpy(payload.data(), data, units * 2);
  record.text = payload.substr(0, payload.find(u'\0'));
  sent.push_back(record);
  Window* win = Find(w);
  if (win && win->onCopyData) {
    CopyDataHandler handler = win->onCopyData;  // the handler may destroy the window
    handler(dwData, data, cbData);
  }
}

void MemoryWindowSystem::PostNull(WindowHandle w) { nullPosts.push_back(w); }

bool MemoryWindowSystem::IsWindow(WindowHandle w) { return Find(w) != nullptr; }

bool MemoryWindowSystem::IsVisible(WindowHandle w) {
  const Window* win = Find(w);
  return win && win->visible;
}

bool MemoryWindowSystem::IsEnabled(WindowHandle w) {
  const Window* win = Find(w);
  return win && win->enabled;
}

bool MemoryWindowSystem::SetForeground(WindowHandle w) {
  if (!Find(w)) return false;
  foreground = w;
  return true;
}

}  // namespace platform
