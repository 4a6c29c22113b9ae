// A light scan of a DXF export that keeps each entity of the ENTITIES section as one line of
// text: "code,value" pairs in file order, each followed by a TAB ("0,TEXT\t8,H_TEXT\t...\t").
// The code is trimmed, the value kept as read. Used to find the number marks without the full
// reader.
#pragma once

#include <cstddef>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/AcadTypes.h"
#include "platform/CodePage.h"

// How a scan ended. Only kComplete means the list holds every entity of the file: a file cut
// short (by its writer still at work, or broken) gives fewer, and a caller that draws
// conclusions from what is missing (the highest number) must not act on it.
enum class ScanEnd {
  kComplete,   // the ENTITIES section's ENDSEC was read, or the file ended with EOF and has none
  kCutShort,   // the file ended inside the ENTITIES section, or before EOF without one
  kNoFile,     // the file did not appear
  kBusy,       // the file is still held open by its writer: not read
  kUnreadable  // it exists but could not be read
};

struct DxfScanResult {
  int count = 0;  // strings in the list afterwards
  ScanEnd end = ScanEnd::kNoFile;
  bool complete() const { return end == ScanEnd::kComplete; }
};

// The entity lines of a scan, one after the other in one text, each ending with its TAB: a
// whole drawing takes one allocation instead of one per entity, and the pairs are copied in
// without the checks of a string append (the scan's time goes there).
class EntityLineList {
 public:
  class Iterator {
   public:
    using value_type = std::string_view;
    using reference = std::string_view;
    using pointer = void;
    using difference_type = std::ptrdiff_t;
    using iterator_category = std::forward_iterator_tag;
    Iterator() = default;
    Iterator(const EntityLineList* list, std::size_t index) : list_(list), index_(index) {}
    std::string_view operator*() const { return (*list_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator before = *this;
      ++index_;
      return before;
    }
    bool operator==(const Iterator& other) const { return index_ == other.index_; }

   private:
    const EntityLineList* list_ = nullptr;
    std::size_t index_ = 0;
  };

  EntityLineList() = default;
  EntityLineList(EntityLineList&&) = default;
  EntityLineList& operator=(EntityLineList&&) = default;

  std::size_t size() const { return ends_.size(); }
  bool empty() const { return ends_.empty(); }
  std::string_view operator[](std::size_t i) const {
    const std::size_t start = i == 0 ? 0 : ends_[i - 1];
    return std::string_view(text_.get() + start, ends_[i] - start);
  }
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, ends_.size()}; }

  // Appends a whole line as given.
  void push_back(std::string_view line) {
    DropOpenLine();
    Append(Room(line.size()), line);
    size_ += line.size();
    ends_.push_back(size_);
  }

  // Building a line in place, pair by pair (the scan): a TAB between pairs, "code,value" each.
  // CloseLine ends it with its TAB; DropOpenLine forgets an unfinished one.
  void Reserve(std::size_t bytes) {
    if (bytes > capacity_) Grow(bytes);
  }
  bool HasOpenLine() const { return size_ > Closed(); }
  void AddPair(std::string_view code, std::string_view value) {
    char* out = Room(code.size() + value.size() + 2);
    if (HasOpenLine()) *out++ = '\t';
    out = Append(out, code);
    *out++ = ',';
    out = Append(out, value);
    size_ = static_cast<std::size_t>(out - text_.get());
  }
  void CloseLine() {
    *Room(1) = '\t';
    ends_.push_back(++size_);
  }
  void DropOpenLine() { size_ = Closed(); }

 private:
  std::size_t Closed() const { return ends_.empty() ? 0 : ends_.back(); }
  static char* Append(char* out, std::string_view s) {
    if (!s.empty()) std::memcpy(out, s.data(), s.size());
    return out + s.size();
  }
  // Where n more bytes go.
  char* Room(std::size_t n) {
    if (size_ + n > capacity_) Grow(2 * (size_ + n));
    return text_.get() + size_;
  }
  void Grow(std::size_t capacity) {
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ != 0) std::memcpy(grown.get(), text_.get(), size_);
    text_ = std::move(grown);
    capacity_ = capacity;
  }

  std::unique_ptr<char[]> text_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
  std::vector<std::size_t> ends_;
};

// Lines longer than this many bytes are cut; the rest of the line is skipped.
inline constexpr std::size_t kScanLineBytes = 255;

// Appends the entity lines of the ENTITIES section of a DXF text (the ANSI code page; values
// that are not ASCII are converted to UTF-8). Lines end with LF or CR LF. A new entity starts
// only at a code line of exactly "  0"; the value "ENDSEC" there ends the scan, after the last
// entity has been appended.
DxfScanResult ScanDxfText(std::string_view bytes, EntityLineList& list,
                          platform::CodePage& codePage);

// The same on a file: waits for it to appear and does not read it while its writer still
// holds it (as the reader does). count is 0 when it is not read.
DxfScanResult ScanDxfEntities(const std::string& path, EntityLineList& list);
// The same without the wait, on a file that is there.
DxfScanResult ScanDxfFile(const std::string& path, EntityLineList& list);

// Value of the first group with this code in an entity line, without surrounding blanks;
// empty when there is none. Whole codes only: 1 does not match 10 or 1001. The entity's own
// first pair (its 0 group) is never found.
std::string GetGroupValue(std::string_view line, int code);

// x from code, y from code + 10, z from code + 20 (0 when absent). A missing x or y leaves
// that coordinate as it was. True when x and y were both present. Throws EConvertError for a
// value that is no number.
bool GetGroupPoint(std::string_view line, int code, TAcadPoint& point);
