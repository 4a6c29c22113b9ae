#include <gtest/gtest.h>

#include "platform/Utf.h"

using platform::Utf16ToUtf8;
using platform::Utf8ToUtf16;

TEST(Utf, RoundTripsAsciiJapaneseAndSurrogatePairs) {
  for (const char* s : {"", "LINE", "コマンド: ", "ＭＳ Ｐゴシック", "\xF0\x9F\x98\x80 x"}) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
  }
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98\x80").size(), 2u);  // one pair of code units
  EXPECT_EQ(Utf8ToUtf16("テキスト ウィンドウ"), u"テキスト ウィンドウ");
}

TEST(Utf, IllFormedInputBecomesReplacementCharacter) {
  EXPECT_EQ(Utf8ToUtf16("a\xFF"
                        "b"),
            u"a\uFFFDb");
  EXPECT_EQ(Utf8ToUtf16("\xE3\x82"), u"\uFFFD");                         // cut sequence at the end
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD");                         // overlong
  EXPECT_EQ(Utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");  // lone surrogate
}
