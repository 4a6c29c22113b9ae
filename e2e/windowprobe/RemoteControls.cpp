#include "RemoteControls.h"

#include <commctrl.h>

#include <vector>

namespace {

// A block of memory in the process that owns a window, released with the object.
class RemoteBlock {
 public:
  RemoteBlock(HWND window, std::size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_)
      address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  }
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;

  bool ok() const { return address_ != nullptr; }
  char* address() const { return static_cast<char*>(address_); }
  bool Write(std::size_t offset, const void* data, std::size_t n) {
    SIZE_T done = 0;
    return offset + n <= size_ &&
           WriteProcessMemory(process_, address() + offset, data, n, &done) && done == n;
  }
  bool Read(std::size_t offset, void* data, std::size_t n) {
    SIZE_T done = 0;
    return offset + n <= size_ && ReadProcessMemory(process_, address() + offset, data, n, &done) &&
           done == n;
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  std::size_t size_;
};

}  // namespace

bool RemoteTabText(HWND tab, int index, std::wstring& text) {
  constexpr int kUnits = 256;
  RemoteBlock block(tab, sizeof(TCITEMW) + kUnits * sizeof(wchar_t));
  if (!block.ok()) return false;
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<wchar_t*>(block.address() + sizeof(TCITEMW));
  item.cchTextMax = kUnits;
  std::vector<wchar_t> buffer(kUnits, L'\0');
  if (!block.Write(0, &item, sizeof item) ||
      !block.Write(sizeof item, buffer.data(), buffer.size() * sizeof(wchar_t)))
    return false;
  if (!SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(block.address())))
    return false;
  // The control may point pszText at its own copy instead of filling the buffer.
  if (!block.Read(0, &item, sizeof item)) return false;
  if (item.pszText == reinterpret_cast<wchar_t*>(block.address() + sizeof(TCITEMW))) {
    if (!block.Read(sizeof item, buffer.data(), buffer.size() * sizeof(wchar_t))) return false;
  } else {
    return false;
  }
  buffer.back() = L'\0';
  text = buffer.data();
  return true;
}

bool RemoteTabRect(HWND tab, int index, RECT& rect) {
  RemoteBlock block(tab, sizeof(RECT));
  if (!block.ok()) return false;
  if (!SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                    reinterpret_cast<LPARAM>(block.address())))
    return false;
  return block.Read(0, &rect, sizeof rect);
}
