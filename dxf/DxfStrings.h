// How both DXF readers (the reader and the entity-line scan) turn the bytes of a value into
// UTF-8: ASCII as it stands, anything else from the ANSI code page (from AC1021 on, UTF-8 as
// written, ill-formed bytes becoming U+FFFD).
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

// No byte above 0x7F; eight bytes at a time.
bool IsAscii(std::string_view s);

class StringDecoder {
 public:
  explicit StringDecoder(platform::CodePage& codePage) : codePage_(codePage) {}
  void SetUtf8(bool on) {
    if (on != utf8_) names_.clear();
    utf8_ = on;
  }

  void Assign(std::string_view raw, std::string& out) {
    if (IsAscii(raw)) {
      out.assign(raw);
    } else {
      out = Convert(raw);
    }
  }
  // Layer, line type and block names come back entity after entity: their conversions are
  // remembered.
  const std::string& Name(std::string_view raw);
  void AssignName(std::string_view raw, std::string& out) {
    if (IsAscii(raw)) {
      out.assign(raw);
    } else {
      out = Name(raw);
    }
  }
  std::string Decode(std::string_view raw) {
    std::string s;
    Assign(raw, s);
    return s;
  }

 private:
  static constexpr std::size_t kMaxNames = 4096;
  std::string Convert(std::string_view raw);

  platform::CodePage& codePage_;
  bool utf8_ = false;
  std::map<std::string, std::string, std::less<>> names_;
};
