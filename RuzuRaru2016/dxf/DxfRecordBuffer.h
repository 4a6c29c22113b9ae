// Records collected while a DXF file is read, then moved into an exactly sized table.
// The records sit in blocks of fixed room that never move, so a large file is read without a
// reallocation that copies a table; the blocks are large enough to come from the operating
// system on their own, so each one is given back as soon as its records have moved.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

template <class Record>
class DxfRecordBuffer {
 public:
  static constexpr std::size_t kBlockRecords =
      std::max<std::size_t>(1000, (256 * 1024) / sizeof(Record));

  Record& Append() {
    if (blocks_.empty() || blocks_.back().size() == kBlockRecords) {
      blocks_.emplace_back().reserve(kBlockRecords);
    }
    ++size_;
    return blocks_.back().emplace_back();
  }
  Record& Back() { return blocks_.back().back(); }
  void PopBack() {
    blocks_.back().pop_back();
    --size_;
    if (blocks_.back().empty()) blocks_.pop_back();
  }
  std::size_t Size() const { return size_; }

  // Moves every record into `table` (emptied first, room for exactly these records) and
  // releases the blocks one by one.
  void MoveTo(std::vector<Record>& table) {
    std::vector<Record>().swap(table);
    table.reserve(size_);
    for (std::vector<Record>& block : blocks_) {
      table.insert(table.end(), std::make_move_iterator(block.begin()),
                   std::make_move_iterator(block.end()));
      std::vector<Record>().swap(block);
    }
    blocks_.clear();
    size_ = 0;
  }

 private:
  std::vector<std::vector<Record>> blocks_;
  std::size_t size_ = 0;
};
