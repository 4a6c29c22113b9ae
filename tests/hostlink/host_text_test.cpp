// Values dug out of the host's command history and prompts, and comma lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hostlink/HostText.h"

namespace {

struct AfterCase {
  const char* marker;
  const char* text;
  const char* expected;
};

TEST(HostText, TextAfterLast) {
  const AfterCase cases[] = {
      {"SELECT", "コマンド: SELECT\n認識された数: 1\nコマンド: SELECT\n認識された数: 3\n",
       "認識された数: 3"},
      {"_iD", "コマンド: _iD\n点を指定: *キャンセル*\r\n", "点を指定: *キャンセル*"},
      {"_iD", "abc _iD", ""},  // marker at the very end
      {"_iD", "no marker here", ""},
      {"X", "X \t\x01 value \x7F\r\n", "value"},
      {"aa", "aaa", "a"},  // occurrences from the left do not overlap
      {"aa", "aaaa b", "b"},
      {"", "abc", ""},  // an empty marker is everywhere, last at the end
      {"X", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextAfterLast(c.marker, c.text), c.expected) << c.marker << " in " << c.text;
  }
}

struct UpToCase {
  const char* marker;
  const char* terminator;
  const char* text;
  const char* expected;
};

TEST(HostText, TextAfterLastUpTo) {
  const UpToCase cases[] = {
      {"認識された数: ", "オブジェクトを選択",
       "認識された数: 2\nオブジェクトを選択: 認識された数: 0\nオブジェクトを選択: ", "0"},
      {"総数 ", "オブジェクトを選択",
       "1 個を検出, 総数 1\nオブジェクトを選択: 1 個を検出, 総数 12\nオブジェクトを選択:", "12"},
      {"M", "T", "M abc", ""},           // no terminator after the last marker
      {"M", "T", "abc T", ""},           // no marker
      {"M", "T", "M x T M  y  T", "y"},  // the terminator after the last marker only
      {"M", "T", "M T", ""},
      {"M", " ", "M  x y", "x"},  // trimmed before the terminator is looked for
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextAfterLastUpTo(c.marker, c.terminator, c.text), c.expected) << c.text;
  }
}

TEST(HostText, TextAfterFirstUpTo) {
  const UpToCase cases[] = {
      {"(", ")", "f( 1 ) g(2)", "1"},  // the first marker, not the last
      {",", ",", "3,1.5,2.5,4", "1.5"},
      {"M", "T", "M abc", ""},
      {"M", "T", "abc T", ""},
      {"M", "T", "T M", ""},     // the terminator must follow the marker
      {"M", " ", "M  x y", ""},  // the rest is not trimmed before the search
      {"M", "T", "MT", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextAfterFirstUpTo(c.marker, c.terminator, c.text), c.expected) << c.text;
  }
}

TEST(HostText, SplitCommaList) {
  const struct {
    const char* text;
    std::vector<std::string> pieces;
  } cases[] = {
      {"1500,3000,3000,4500", {"1500", "3000", "3000", "4500"}},
      {"1,,2", {"1", "", "2"}},
      {"", {""}},
      {"a,", {"a", ""}},
      {",", {"", ""}},
      {" a , b", {" a ", " b"}},  // not trimmed
  };
  std::vector<std::string> list{"left", "over"};
  for (const auto& c : cases) {
    SplitCommaList(c.text, list);
    EXPECT_EQ(list, c.pieces) << c.text;
  }
}

TEST(HostText, TrimTakesBlanksAndControlsOnly) {
  EXPECT_EQ(TrimHostText(" \t\r\n\x1F\x7F 画層 A\x01 "), "画層 A");
  EXPECT_EQ(TrimHostText("\xE3\x80\x80x"), "\xE3\x80\x80x");  // the ideographic space stays
  EXPECT_EQ(TrimHostText("   "), "");
}

}  // namespace
