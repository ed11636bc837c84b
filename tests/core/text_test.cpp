// SPDX-License-Identifier: MIT
// UTF-16 text at the edges, plain decimal, and the small text helpers; the in-memory list view.
#include <gtest/gtest.h>

#include <limits>

#include "runtime/error.h"
#include "runtime/memory_list_view.h"
#include "runtime/text.h"

namespace bsi::test {
namespace {

TEST(Utf, RoundTripsUmlautsAndSurrogatePairs) {
  const std::string utf8 =
      "L\xC3\x84"
      "DT ... Bildschirmaufl\xC3\xB6sung \xE2\x82\xAC \xF0\x9F\x98\x80 \xF4\x8F\xBF\xBF";
  const Text text = FromUtf8(utf8);
  EXPECT_EQ(text, u"L\u00C4DT ... Bildschirmaufl\u00F6sung \u20AC \U0001F600 \U0010FFFF");
  EXPECT_EQ(text[1], u'\u00C4');
  const auto smiley = text.find(u'\xD83D');
  ASSERT_NE(smiley, Text::npos);
  EXPECT_EQ(text[smiley + 1], u'\xDE00');
  EXPECT_EQ(ToUtf8(text), utf8);
  EXPECT_EQ(ToUtf8(FromUtf8("")), "");
  EXPECT_EQ(FromUtf8(std::string("a\0b", 3)), (Text{u'a', u'\0', u'b'}));
}

TEST(Utf, MalformedUtf8BecomesReplacementCharacters) {
  const Text r(1, u'\uFFFD');
  EXPECT_EQ(FromUtf8("\x80"), r);  // lone continuation byte
  EXPECT_EQ(FromUtf8("a\xFF"
                     "b"),
            u"a" + r + u"b");                  // never a lead byte
  EXPECT_EQ(FromUtf8("\xC0\xAF"), r);          // overlong "/"
  EXPECT_EQ(FromUtf8("\xE0\x80\xAF"), r);      // overlong, three bytes
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), r);      // an encoded surrogate
  EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), r);  // above U+10FFFF
  EXPECT_EQ(FromUtf8("\xC3"), r);              // truncated at the end
  const Text truncated = FromUtf8(
      "\xE2\x82"
      "x");  // truncated before an ASCII letter: the letter survives
  EXPECT_EQ(truncated.back(), u'x');
  EXPECT_NE(truncated.find(u'\uFFFD'), Text::npos);
}

TEST(Utf, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(ToUtf8(Text(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(Text(1, u'\xDC00')), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(Text{u'\xD800', u'a'}),
            "\xEF\xBF\xBD"
            "a");
  EXPECT_EQ(ToUtf8(Text{u'\xDC00', u'\xD800'}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Text, DecimalIsPlain) {
  EXPECT_EQ(Decimal(0), u"0");
  EXPECT_EQ(Decimal(-1), u"-1");
  EXPECT_EQ(Decimal(1234567), u"1234567");
  EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
  EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
  EXPECT_EQ(FromAscii("Name"), u"Name");
}

TEST(Text, UpperCaseTrimAndReplace) {
  EXPECT_EQ(UpperCase(u"Physischer"), u"PHYSISCHER");
  EXPECT_EQ(UpperCase(u"l\u00E4dt \u00F7 \u00DF \u00FF"), u"L\u00C4DT \u00F7 \u00DF \u00FF");
  EXPECT_EQ(TrimSpaces(u"  a b  "), u"a b");
  EXPECT_EQ(TrimSpaces(u"   "), u"");
  EXPECT_EQ(TrimSpaces(u"\ta\t"), u"\ta\t");  // spaces only
  EXPECT_EQ(ReplaceAll(Text{u'\0', u'a', u'\0'}, u'\0', u" - "), u" - a - ");
  EXPECT_EQ(ReplaceAll(u"", u'\r', u" - "), u"");
  EXPECT_EQ(ReplaceAll(u"a\r\r", u'\r', u""), u"a");
}

TEST(MemoryListView, RaisesIndexOutOfBoundsForRowsThatDoNotExist) {
  MemoryListView list;
  list.AddItem(u"a");
  list.SetSubItem(1, u"v");
  EXPECT_EQ(list.ItemText(1), u"a");
  EXPECT_EQ(list.SubItem(1), u"v");
  EXPECT_EQ(list.SelectedIndex(), 1);
  for (std::int32_t index : {0, 2, -1}) {
    try {
      list.ItemText(index);
      ADD_FAILURE() << index;
    } catch (const RuntimeError& error) {
      EXPECT_EQ(error.number(), 35600);
    }
  }
  EXPECT_THROW(list.RemoveItem(2), RuntimeError);
  EXPECT_THROW(list.Select(3), RuntimeError);
  list.RemoveItem(1);
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.SelectedIndex(), 0);
}

}  // namespace
}  // namespace bsi::test
