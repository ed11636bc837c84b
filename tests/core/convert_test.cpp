// SPDX-License-Identifier: MIT
// The run time's conversions and the two Format patterns, in German and English: each case is a text or value,
// a locale, and the result (numbers in their shortest form) or the error it raises. UTF-16 text at the edges,
// plain decimal and the small text helpers.
#include "runtime/convert.h"
#include "core/fixtures.h"
#include "runtime/text.h"

namespace bsi::test {
namespace {

const Locale kDe = Locale::German();
const Locale kEn = Locale::English();
constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(ParseNumber, TextLocaleAndValueOrError) {
  struct Case {
    Text text;
    Locale locale;
    const char* outcome;
  };
  // The other locale's decimal point is a group separator, group separators are not checked for position, a
  // subnormal is still a number, and there is no grouping when the two separators coincide.
  // clang-format off
  const Case cases[] = {
      {u"4294967296", kEn, "4294967296"}, {u"1.5", kEn, "1.5"}, {u"1,5", kDe, "1.5"}, {u"1,234.5", kEn, "1234.5"},
      {u"1.234,5", kDe, "1234.5"}, {u"1.234.567", kDe, "1234567"}, {u"1.5", kDe, "15"}, {u"1,5", kEn, "15"},
      {u".5", kEn, "0.5"}, {u"5.", kEn, "5"}, {u",25", kDe, "0.25"}, {u"-12", kEn, "-12"}, {u"+12", kEn, "12"},
      {u"  42  ", kEn, "42"}, {u"\t42", kEn, "42"}, {u"1e3", kEn, "1000"}, {u"1E+3", kEn, "1000"},
      {u"2,5e-1", kDe, "0.25"}, {u"-1.5E2", kEn, "-150"}, {u"0e99999999999", kEn, "0"},
      {u"1.7976931348623157e308", kEn, "1.7976931348623157e+308"}, {u"1,5,3", kEn, "153"}, {u"1,5,3", kDe, "error 13"},
      {u",", kEn, "error 13"}, {u"0,0000001e310", kDe, "1e+303"}, {u"1e-400", kEn, "0"}, {u"-1e-400", kEn, "-0"},
      {u"0.000001e-320", kEn, "0"}, {u"1e-99999999999999999999", kEn, "0"}, {u"100000e-405", kEn, "0"},
      {u"1e-310", kEn, "1e-310"}, {u"1e400", kEn, "error 6"}, {u"-1e400", kEn, "error 6"},
      {u"1.7976931348623159e308", kEn, "error 6"}, {u"1e99999999999999999999", kEn, "error 6"},
      {Text(400, u'9'), kEn, "error 6"}, {u"1.5", Locale{u'.', u'.'}, "1.5"}
  };
  // clang-format on
  for (const Case& c : cases)
    EXPECT_EQ(Outcome([&] { return ParseNumber(c.text, c.locale); }), c.outcome) << ToUtf8(c.text);
  for (const char16_t* text :
       {u"",   u" ",     u"abc",  u"-",     u"+",     u".",      u"1e",  u"1e+", u"e5",    u"1 2", u"- 1",
        u"1-", u"12abc", u"0x10", u"1.2.3", u"1.5.3", u"\u0661", u"inf", u"nan", u"1e5.5", u"--1"}) {
    EXPECT_EQ(Outcome([&] { return ParseNumber(text, kEn); }), "error 13") << ToUtf8(text);
  }
}

TEST(Variants, ToTextToDoubleAndToConditionOfEachKind) {
  struct Case {
    Variant value;
    Locale locale;
    const char* text;
    const char* number;
    const char* condition;
  };
  // clang-format off
  // "." groups in German: 01
  const Case cases[] = {
      {Variant(), kDe, "", "0", "false"}, {Variant::Null(), kDe, "error 94", "error 94", "false"},
      {Variant::Boolean(true), kDe, "True", "-1", "true"}, {Variant::Boolean(false), kEn, "False", "0", "false"},
      {Variant::Integer(-32768), kDe, "-32768", "-32768", "true"},
      {Variant::Long(2147483647), kDe, "2147483647", "2147483647", "true"},
      {Variant::FromCurrency(Currency::FromWhole(32)), kDe, "32", "32", "true"},
      {Variant::FromCurrency(Currency{245000}), kDe, "24,5", "24.5", "true"},
      {Variant::FromCurrency(Currency{245000}), kEn, "24.5", "24.5", "true"},
      {Variant::FromCurrency(Currency{-1}), kEn, "-0.0001", "-1e-04", "true"},
      {Variant::FromCurrency(Currency{std::numeric_limits<std::int64_t>::min()}), kEn, "-922337203685477.5808", "-922337203685477.6", "true"},
      {Variant::Double(0.1 + 0.2), kEn, "0.3", "0.30000000000000004", "true"},
      {Variant::Double(1.5), kDe, "1,5", "1.5", "true"}, {Variant::Double(-0.0), kDe, "0", "-0", "false"},
      {Variant::Double(1e20), kEn, "1E+20", "1e+20", "true"}, {Variant::Double(1e-5), kEn, "1E-05", "1e-05", "true"},
      {Variant::Double(123456789012345.0), kEn, "123456789012345", "123456789012345", "true"},
      {Variant::String(u"1.024,5"), kDe, "1.024,5", "1024.5", "true"},
      {Variant::String(u"tRuE"), kDe, "tRuE", "error 13", "true"},
      {Variant::String(u" False "), kDe, " False ", "error 13", "false"},
      {Variant::String(u"0,0"), kDe, "0,0", "0", "false"}, {Variant::String(u"0.1"), kEn, "0.1", "0.1", "true"},
      {Variant::String(u"0.1"), kDe, "0.1", "1", "true"},
      {Variant::String(u"Wahrheit"), kDe, "Wahrheit", "error 13", "error 13"},
      {Variant::String(u"1e400"), kDe, "1e400", "error 6", "error 6"},
      {Variant::FromArray({Variant::Long(1)}), kDe, "error 13", "error 13", "error 13"},
      {Variant::FromObject(std::make_shared<Object>()), kDe, "error 13", "error 13", "error 13"}
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(Outcome([&] { return ToText(c.value, c.locale); }), c.text);
    EXPECT_EQ(Outcome([&] { return ToDouble(c.value, c.locale); }), c.number) << c.text;
    EXPECT_EQ(Outcome([&] { return ToCondition(c.value, c.locale); }), c.condition) << c.text;
  }
}

// Format(value, "###,###,###,###,###,###") and Format(value, "##"): halves away from zero, zero as nothing.
TEST(Format, GroupedAndWholeNumbers) {
  struct Case {
    double value;
    Locale locale;
    const char* grouped;
    const char* whole;
  };
  // clang-format off
  const Case cases[] = {
      {0.5, kEn, "1", "1"}, {2.5, kEn, "3", "3"}, {-0.5, kEn, "-1", "-1"}, {-2.5, kEn, "-3", "-3"},
      {0.49999999999999994, kEn, "", ""}, {999.5, kDe, "1.000", "1000"}, {0, kDe, "", ""}, {-0.0, kDe, "", ""},
      {-0.4, kDe, "", ""}, {37.49, kDe, "37", "37"}, {999, kDe, "999", "999"}, {1000, kDe, "1.000", "1000"},
      {4294967296.0, kDe, "4.294.967.296", "4294967296"}, {4294967296.0, kEn, "4,294,967,296", "4294967296"},
      {-1234567.4, kEn, "-1,234,567", "-1234567"}, {-98765.5, kDe, "-98.766", "-98766"},
      {9007199254740993.0, kEn, "9,007,199,254,740,992", "9007199254740992"},
      {18446744073709551616.0, kEn, "18,446,744,073,709,551,616", "18446744073709551616"},
      {kInf, kDe, "error 6", "error 6"}, {-kInf, kDe, "error 6", "error 6"}, {kNaN, kEn, "error 6", "error 6"}
  };
  // clang-format on
  for (const Case& c : cases) {
    EXPECT_EQ(Outcome([&] { return FormatGrouped(c.value, c.locale); }), c.grouped) << c.value;
    EXPECT_EQ(Outcome([&] { return FormatWhole(c.value); }), c.whole) << c.value;
  }
  const Text huge = FormatGrouped(kMax, kEn);
  EXPECT_EQ(huge.size(), 309u + 102u);
  EXPECT_EQ(huge.substr(0, 7), u"179,769");
}

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

TEST(Text, DecimalUpperCaseAndTrim) {
  EXPECT_EQ(Decimal(-1), u"-1");
  EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::min()), u"-9223372036854775808");
  EXPECT_EQ(Decimal(std::numeric_limits<std::int64_t>::max()), u"9223372036854775807");
  EXPECT_EQ(UpperCase(u"l\u00E4dt \u00F7 \u00DF \u00FF"), u"L\u00C4DT \u00F7 \u00DF \u00FF");
  EXPECT_EQ(TrimSpaces(u"  a b  "), u"a b");
  EXPECT_EQ(TrimSpaces(u"   "), u"");
  EXPECT_EQ(TrimSpaces(u"\ta\t"), u"\ta\t");  // spaces only
}

}  // namespace
}  // namespace bsi::test
