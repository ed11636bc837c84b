// SPDX-License-Identifier: MIT
// The run time's conversions and the two Format patterns, in German and English.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "runtime/convert.h"
#include "runtime/error.h"

namespace bsi::test {
namespace {

const Locale kGerman = Locale::German();
const Locale kEnglish = Locale::English();

// The error number a call raises, 0 when it raises none.
template <class Fn>
std::int32_t ErrorOf(Fn&& fn) {
  try {
    fn();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(ParseNumber, EnglishAndGermanSeparators) {
  EXPECT_EQ(ParseNumber(u"4294967296", kEnglish), 4294967296.0);
  EXPECT_EQ(ParseNumber(u"1.5", kEnglish), 1.5);
  EXPECT_EQ(ParseNumber(u"1,5", kGerman), 1.5);
  EXPECT_EQ(ParseNumber(u"1,234.5", kEnglish), 1234.5);
  EXPECT_EQ(ParseNumber(u"1.234,5", kGerman), 1234.5);
  EXPECT_EQ(ParseNumber(u"1.234.567", kGerman), 1234567.0);
  // The other locale's decimal point is a group separator here.
  EXPECT_EQ(ParseNumber(u"1.5", kGerman), 15.0);
  EXPECT_EQ(ParseNumber(u"1,5", kEnglish), 15.0);
  EXPECT_EQ(ParseNumber(u".5", kEnglish), 0.5);
  EXPECT_EQ(ParseNumber(u"5.", kEnglish), 5.0);
  EXPECT_EQ(ParseNumber(u",25", kGerman), 0.25);
}

TEST(ParseNumber, SignsExponentsAndSpaces) {
  EXPECT_EQ(ParseNumber(u"-12", kEnglish), -12.0);
  EXPECT_EQ(ParseNumber(u"+12", kEnglish), 12.0);
  EXPECT_EQ(ParseNumber(u"  42  ", kEnglish), 42.0);
  EXPECT_EQ(ParseNumber(u"\t42", kEnglish), 42.0);
  EXPECT_EQ(ParseNumber(u"1e3", kEnglish), 1000.0);
  EXPECT_EQ(ParseNumber(u"1E+3", kEnglish), 1000.0);
  EXPECT_EQ(ParseNumber(u"2,5e-1", kGerman), 0.25);
  EXPECT_EQ(ParseNumber(u"-1.5E2", kEnglish), -150.0);
  EXPECT_EQ(ParseNumber(u"0e99999999999", kEnglish), 0.0);
  EXPECT_EQ(ParseNumber(u"1.7976931348623157e308", kEnglish), std::numeric_limits<double>::max());
}

TEST(ParseNumber, NoNumberIsTypeMismatch) {
  for (const char16_t* text :
       {u"",   u" ",     u"abc",  u"-",     u"+",     u".",      u"1e",  u"1e+", u"e5",    u"1 2", u"- 1",
        u"1-", u"12abc", u"0x10", u"1.2.3", u"1.5.3", u"\u0661", u"inf", u"nan", u"1e5.5", u"--1"}) {
    EXPECT_EQ(ErrorOf([&] { ParseNumber(text, kEnglish); }), 13) << ToUtf8(text);
  }
  EXPECT_EQ(ErrorOf([] { ParseNumber(u"1,5,3", kGerman); }), 13);
  EXPECT_EQ(ErrorOf([] { ParseNumber(u",", kEnglish); }), 13);
  EXPECT_EQ(ParseNumber(u"1,5,3", kEnglish), 153.0);  // group separators are not checked for position
  EXPECT_EQ(ErrorOf([] { ParseNumber(u"1.5", Locale{u'.', u'.'}); }), 0);  // no grouping when they coincide
}

TEST(ParseNumber, OverflowAndUnderflow) {
  EXPECT_EQ(ErrorOf([] { ParseNumber(u"1e400", kEnglish); }), 6);
  EXPECT_EQ(ErrorOf([] { ParseNumber(u"-1e400", kEnglish); }), 6);
  EXPECT_EQ(ErrorOf([] { ParseNumber(u"1.7976931348623159e308", kEnglish); }), 6);
  EXPECT_EQ(ErrorOf([] { ParseNumber(u"1e99999999999999999999", kEnglish); }), 6);
  EXPECT_EQ(ErrorOf([] { ParseNumber(Text(400, u'9'), kEnglish); }), 6);
  EXPECT_EQ(ErrorOf([] { ParseNumber(u"0,0000001e310", kGerman); }), 0);
  EXPECT_EQ(ParseNumber(u"1e-400", kEnglish), 0.0);
  EXPECT_EQ(ParseNumber(u"0.000001e-320", kEnglish), 0.0);
  EXPECT_EQ(ParseNumber(u"1e-99999999999999999999", kEnglish), 0.0);
  EXPECT_EQ(ParseNumber(u"100000e-405", kEnglish), 0.0);
  EXPECT_TRUE(std::signbit(ParseNumber(u"-1e-400", kEnglish)));
  EXPECT_EQ(ParseNumber(u"1e-310", kEnglish), 1e-310);  // subnormal, still a number
}

TEST(ToDouble, EachKind) {
  EXPECT_EQ(ToDouble(Variant(), kGerman), 0.0);
  EXPECT_EQ(ToDouble(Variant::Boolean(true), kGerman), -1.0);
  EXPECT_EQ(ToDouble(Variant::Boolean(false), kGerman), 0.0);
  EXPECT_EQ(ToDouble(Variant::Integer(-7), kGerman), -7.0);
  EXPECT_EQ(ToDouble(Variant::Long(70000), kGerman), 70000.0);
  EXPECT_EQ(ToDouble(Variant::FromCurrency(Currency{245000}), kGerman), 24.5);
  EXPECT_EQ(ToDouble(Variant::Double(0.25), kGerman), 0.25);
  EXPECT_EQ(ToDouble(Variant::String(u"1.024,5"), kGerman), 1024.5);
  EXPECT_EQ(ErrorOf([] { ToDouble(Variant::Null(), kGerman); }), 94);
  EXPECT_EQ(ErrorOf([] { ToDouble(Variant::FromArray({}), kGerman); }), 13);
  EXPECT_EQ(ErrorOf([] { ToDouble(Variant::FromObject(std::make_shared<Object>()), kGerman); }), 13);
}

TEST(ToSingle, NarrowsOrOverflows) {
  EXPECT_EQ(ToSingle(4294967296.0), 4294967296.0f);
  EXPECT_EQ(ToSingle(-1.5), -1.5f);
  EXPECT_EQ(ToSingle(std::numeric_limits<float>::max()), std::numeric_limits<float>::max());
  EXPECT_EQ(ToSingle(1e-50), 0.0f);
  EXPECT_EQ(ErrorOf([] { ToSingle(1e39); }), 6);
  EXPECT_EQ(ErrorOf([] { ToSingle(-1e39); }), 6);
  EXPECT_EQ(ErrorOf([] { ToSingle(std::numeric_limits<double>::infinity()); }), 6);
  EXPECT_EQ(ErrorOf([] { ToSingle(std::numeric_limits<double>::quiet_NaN()); }), 6);
}

TEST(ToText, EachKind) {
  EXPECT_EQ(ToText(Variant(), kGerman), u"");
  EXPECT_EQ(ToText(Variant::Boolean(true), kGerman), u"True");
  EXPECT_EQ(ToText(Variant::Boolean(false), kEnglish), u"False");
  EXPECT_EQ(ToText(Variant::Integer(-32768), kGerman), u"-32768");
  EXPECT_EQ(ToText(Variant::Long(2147483647), kGerman), u"2147483647");
  EXPECT_EQ(ToText(Variant::FromCurrency(Currency::FromWhole(32)), kGerman), u"32");
  EXPECT_EQ(ToText(Variant::FromCurrency(Currency{245000}), kGerman), u"24,5");
  EXPECT_EQ(ToText(Variant::FromCurrency(Currency{245000}), kEnglish), u"24.5");
  EXPECT_EQ(ToText(Variant::FromCurrency(Currency{-1}), kEnglish), u"-0.0001");
  EXPECT_EQ(ToText(Variant::FromCurrency(Currency{std::numeric_limits<std::int64_t>::min()}), kEnglish),
            u"-922337203685477.5808");
  EXPECT_EQ(ToText(Variant::Double(0.1 + 0.2), kEnglish), u"0.3");
  EXPECT_EQ(ToText(Variant::Double(1.5), kGerman), u"1,5");
  EXPECT_EQ(ToText(Variant::Double(-0.0), kGerman), u"0");
  EXPECT_EQ(ToText(Variant::Double(1e20), kEnglish), u"1E+20");
  EXPECT_EQ(ToText(Variant::Double(1e-5), kEnglish), u"1E-05");
  EXPECT_EQ(ToText(Variant::Double(123456789012345.0), kEnglish), u"123456789012345");
  EXPECT_EQ(ToText(Variant::String(u"L\u00C4DT"), kGerman), u"L\u00C4DT");
  EXPECT_EQ(ErrorOf([] { ToText(Variant::Null(), kGerman); }), 94);
  EXPECT_EQ(ErrorOf([] { ToText(Variant::FromArray({Variant::Long(1)}), kGerman); }), 13);
  EXPECT_EQ(ErrorOf([] { ToText(Variant::FromObject(std::make_shared<Object>()), kGerman); }), 13);
}

TEST(ToCondition, EachKind) {
  EXPECT_FALSE(ToCondition(Variant(), kGerman));
  EXPECT_FALSE(ToCondition(Variant::Null(), kGerman));
  EXPECT_TRUE(ToCondition(Variant::Boolean(true), kGerman));
  EXPECT_TRUE(ToCondition(Variant::Integer(1), kGerman));
  EXPECT_TRUE(ToCondition(Variant::Long(-1), kGerman));
  EXPECT_FALSE(ToCondition(Variant::Double(0.0), kGerman));
  EXPECT_TRUE(ToCondition(Variant::Double(-0.001), kGerman));
  EXPECT_TRUE(ToCondition(Variant::String(u"tRuE"), kGerman));
  EXPECT_FALSE(ToCondition(Variant::String(u" False "), kGerman));
  EXPECT_FALSE(ToCondition(Variant::String(u"0,0"), kGerman));
  EXPECT_TRUE(ToCondition(Variant::String(u"0.1"), kEnglish));
  EXPECT_FALSE(ToCondition(Variant::String(u"0.1"), kGerman) && false);
  EXPECT_EQ(ErrorOf([] { ToCondition(Variant::String(u"abc"), kGerman); }), 13);
  EXPECT_EQ(ErrorOf([] { ToCondition(Variant::String(u"Wahrheit"), kGerman); }), 13);
  EXPECT_EQ(ErrorOf([] { ToCondition(Variant::FromArray({}), kGerman); }), 13);
  EXPECT_EQ(ErrorOf([] { ToCondition(Variant::String(u"1e400"), kGerman); }), 6);
}

TEST(FormatGrouped, RoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatGrouped(0.5, kEnglish), u"1");
  EXPECT_EQ(FormatGrouped(1.5, kEnglish), u"2");
  EXPECT_EQ(FormatGrouped(2.5, kEnglish), u"3");
  EXPECT_EQ(FormatGrouped(-0.5, kEnglish), u"-1");
  EXPECT_EQ(FormatGrouped(-2.5, kEnglish), u"-3");
  EXPECT_EQ(FormatGrouped(0.49999999999999994, kEnglish), u"");
  EXPECT_EQ(FormatGrouped(999.5, kGerman), u"1.000");
}

TEST(FormatGrouped, ZeroIsEmptyAndGroupsFollowTheLocale) {
  EXPECT_EQ(FormatGrouped(0, kGerman), u"");
  EXPECT_EQ(FormatGrouped(-0.0, kGerman), u"");
  EXPECT_EQ(FormatGrouped(0.4, kGerman), u"");
  EXPECT_EQ(FormatGrouped(-0.4, kGerman), u"");
  EXPECT_EQ(FormatGrouped(7, kGerman), u"7");
  EXPECT_EQ(FormatGrouped(999, kGerman), u"999");
  EXPECT_EQ(FormatGrouped(1000, kGerman), u"1.000");
  EXPECT_EQ(FormatGrouped(4294967296.0, kGerman), u"4.294.967.296");
  EXPECT_EQ(FormatGrouped(4294967296.0, kEnglish), u"4,294,967,296");
  EXPECT_EQ(FormatGrouped(-1234567.4, kEnglish), u"-1,234,567");
  EXPECT_EQ(FormatGrouped(-123456, kGerman), u"-123.456");
  EXPECT_EQ(FormatGrouped(9007199254740993.0, kEnglish), u"9,007,199,254,740,992");
  EXPECT_EQ(FormatGrouped(1e21, kEnglish), u"1,000,000,000,000,000,000,000");
  EXPECT_EQ(FormatGrouped(18446744073709551616.0, kEnglish), u"18,446,744,073,709,551,616");
  const Text huge = FormatGrouped(std::numeric_limits<double>::max(), kEnglish);
  EXPECT_EQ(huge.size(), 309u + 102u);
  EXPECT_EQ(huge.substr(0, 7), u"179,769");
}

TEST(FormatGrouped, NonFiniteOverflows) {
  EXPECT_EQ(ErrorOf([] { FormatGrouped(std::numeric_limits<double>::infinity(), kGerman); }), 6);
  EXPECT_EQ(ErrorOf([] { FormatGrouped(-std::numeric_limits<double>::infinity(), kGerman); }), 6);
  EXPECT_EQ(ErrorOf([] { FormatGrouped(std::numeric_limits<double>::quiet_NaN(), kGerman); }), 6);
  EXPECT_EQ(ErrorOf([] { FormatWhole(std::numeric_limits<double>::quiet_NaN()); }), 6);
}

TEST(FormatWhole, RoundsWithoutGrouping) {
  EXPECT_EQ(FormatWhole(0), u"");
  EXPECT_EQ(FormatWhole(0.49), u"");
  EXPECT_EQ(FormatWhole(0.5), u"1");
  EXPECT_EQ(FormatWhole(1.5), u"2");
  EXPECT_EQ(FormatWhole(2.5), u"3");
  EXPECT_EQ(FormatWhole(-0.5), u"-1");
  EXPECT_EQ(FormatWhole(37.49), u"37");
  EXPECT_EQ(FormatWhole(100), u"100");
  EXPECT_EQ(FormatWhole(1234567), u"1234567");
  EXPECT_EQ(FormatWhole(-98765.5), u"-98766");
}

TEST(CurrencyText, ShortestForm) {
  EXPECT_EQ(CurrencyText(Currency::FromWhole(32), kEnglish), u"32");
  EXPECT_EQ(CurrencyText(Currency{245000}, kEnglish), u"24.5");
  EXPECT_EQ(CurrencyText(Currency{245000}, kGerman), u"24,5");
  EXPECT_EQ(CurrencyText(Currency{10}, kEnglish), u"0.001");
  EXPECT_EQ(CurrencyText(Currency{12345}, kEnglish), u"1.2345");
  EXPECT_EQ(CurrencyText(Currency{0}, kEnglish), u"0");
  EXPECT_EQ(CurrencyText(Currency{-80000}, kEnglish), u"-8");
  EXPECT_EQ(CurrencyText(Currency{std::numeric_limits<std::int64_t>::max()}, kEnglish), u"922337203685477.5807");
}

}  // namespace
}  // namespace bsi::test
