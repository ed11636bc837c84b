// SPDX-License-Identifier: MIT
// UTF-16 text at the edges, plain decimal, the small text helpers, and the in-memory list view.
#include <gtest/gtest.h>

#include <limits>

#include "core/fixtures.h"
#include "runtime/text.h"

namespace bsi::test {
namespace {

TEST(Utf, RoundTripsUmlautsAndSurrogatePairs) {
  const std::string utf8 =
      "L\xC3\x84"
      "DT Bildschirmaufl\xC3\xB6sung \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF";
  const Text text = FromUtf8(utf8);
  EXPECT_EQ(text, u"L\u00C4DT Bildschirmaufl\u00F6sung \u20AC \U0001F600 \U0010FFFF");
  EXPECT_EQ(ToUtf8(text), utf8);
  EXPECT_EQ(FromUtf8(std::string("a\0b", 3)), Text(u"a\0b", 3));
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
  const Text r(1, u'\uFFFD');
  // A lone continuation byte, a byte that never leads, overlong forms, an encoded surrogate, above U+10FFFF,
  // truncated at the end.
  for (const char* bad : {"\x80", "\xFF", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3"}) {
    EXPECT_EQ(FromUtf8(std::string("a") + bad + "b").substr(0, 2), u"a" + r) << bad;
  }
  EXPECT_EQ(FromUtf8("\xE2\x82"
                     "x")
                .back(),
            u'x')
      << "a letter after a truncated sequence survives";
  EXPECT_EQ(ToUtf8(Text{u'\xD800', u'a'}),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(ToUtf8(Text{u'\xDC00', u'\xD800'}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Text, DecimalUpperCaseTrimAndReplace) {
  EXPECT_EQ(Decimal(-1), u"-1");
  EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
  EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
  EXPECT_EQ(UpperCase(u"l\u00E4dt \u00F7 \u00DF \u00FF"), u"L\u00C4DT \u00F7 \u00DF \u00FF");
  EXPECT_EQ(TrimSpaces(u"  a b  "), u"a b");
  EXPECT_EQ(TrimSpaces(u"   "), u"");
  EXPECT_EQ(TrimSpaces(u"\ta\t"), u"\ta\t");  // spaces only
  EXPECT_EQ(ReplaceAll(Text(u"\0a\0", 3), u'\0', u" - "), u" - a - ");
  EXPECT_EQ(ReplaceAll(u"a\r\r", u'\r', u""), u"a");
}

TEST(MemoryListView, RaisesIndexOutOfBoundsForRowsThatDoNotExist) {
  MemoryListView list;
  list.AddItem(u"a");
  list.SetSubItem(1, u"v");
  EXPECT_EQ(list.SubItem(1), u"v");
  EXPECT_EQ(list.SelectedIndex(), 1);
  for (std::int32_t index : {0, 2, -1}) EXPECT_EQ(ErrorOf([&] { list.ItemText(index); }), 35600) << index;
  EXPECT_EQ(ErrorOf([&] { list.RemoveItem(2); }), 35600);
  EXPECT_EQ(ErrorOf([&] { list.Select(3); }), 35600);
  list.RemoveItem(1);
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.SelectedIndex(), 0);
}

}  // namespace
}  // namespace bsi::test
