#include "dxf/DxfTokenizer.h"

#include <cstring>

#include "dxf/DxfNumber.h"
#include "dxf/TextLines.h"

DxfTokenizer::DxfTokenizer(std::string_view text)
    : pos_(text.data()), end_(text.data() + text.size()) {
  SkipByteOrderMark();
}

DxfTokenizer::DxfTokenizer(platform::FileSystem::Reader& file, std::size_t room)
    : file_(&file), buffer_(new char[room]), room_(room), atEnd_(false) {
  pos_ = end_ = buffer_.get();
  while (!atEnd_ && end_ - pos_ < 3) Refill();
  SkipByteOrderMark();
}

void DxfTokenizer::SkipByteOrderMark() {
  if (std::string_view(pos_, static_cast<std::size_t>(end_ - pos_)).substr(0, 3) == "\xEF\xBB\xBF")
    pos_ += 3;
}

// Keeps the unread rest at the start of the buffer and reads as much as fits after it; a rest
// that fills the whole buffer (a pair longer than it) first doubles the buffer.
void DxfTokenizer::Refill() {
  const std::size_t kept = static_cast<std::size_t>(end_ - pos_);
  if (kept == room_) {
    std::unique_ptr<char[]> larger(new char[room_ * 2]);
    std::memcpy(larger.get(), pos_, kept);
    buffer_ = std::move(larger);
    room_ *= 2;
  } else if (pos_ != buffer_.get()) {
    std::memmove(buffer_.get(), pos_, kept);
  }
  pos_ = buffer_.get();
  end_ = pos_ + kept;
  const std::optional<std::size_t> got = file_->Read(buffer_.get() + kept, room_ - kept);
  if (!got) {
    atEnd_ = readError_ = true;
  } else if (*got == 0) {
    atEnd_ = true;
  } else {
    end_ += *got;
  }
}

// The line at cursor, and cursor moved past its end. A last line without a line end counts
// only once nothing more can come.
bool DxfTokenizer::TakeLine(const char*& cursor, std::string_view& line) const {
  if (cursor == end_) return false;
  const char* lf = FindLineEnd(cursor, end_);
  if (!lf && (!atEnd_ || readError_)) return false;
  const CutLine cut = CutLineAt(cursor, lf, end_);
  line = cut.line;
  cursor = cut.next;
  return true;
}

namespace {

// Group codes are written as up to four digits after blanks ("  0", " 10", "1071"); anything
// else takes the general integer rule.
bool ParseCode(std::string_view line, int& code) {
  const char* p = line.data();
  const char* end = p + line.size();
  while (p != end && *p == ' ') ++p;
  if (p != end && end - p <= 4) {
    int v = 0;
    for (; p != end; ++p) {
      const unsigned d = static_cast<unsigned>(*p - '0');
      if (d > 9) return ParseDxfInt(line, code);
      v = v * 10 + static_cast<int>(d);
    }
    code = v;
    return true;
  }
  return ParseDxfInt(line, code);
}

}  // namespace

DxfTokenizer::Step DxfTokenizer::Next(DxfPair& pair) {
  for (;;) {
    const char* cursor = pos_;
    const bool haveCode = TakeLine(cursor, pair.codeLine);
    const bool haveValue = haveCode && TakeLine(cursor, pair.value);
    if (!haveValue && !atEnd_) {
      Refill();
      continue;
    }
    pair.line = lines_ + 1;
    if (!haveCode) pair.codeLine = {};
    if (!haveValue) pair.value = {};
    if (readError_ && !haveValue) return Step::ReadError;
    if (!haveCode) return Step::End;
    pos_ = cursor;
    lines_ += haveValue ? 2 : 1;
    if (!haveValue) return Step::MissingValue;
    return ParseCode(pair.codeLine, pair.code) ? Step::Pair : Step::BadCode;
  }
}
