// UTF-8 <-> UTF-16 at the edges. Ill-formed input becomes U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace platform {

std::u16string Utf8ToUtf16(std::string_view s);
std::string Utf16ToUtf8(std::u16string_view s);

}  // namespace platform
