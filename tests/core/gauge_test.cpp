// SPDX-License-Identifier: MIT
// The ProgressBar model and the gauge numbers and texts, at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/error.h"
#include "runtime/progress_bar.h"
#include "sysinfo_window/gauge_texts.h"

namespace bsi::test {
namespace {

class FillView final : public GaugeView {
 public:
  WindowHandle hWnd() override { return 7; }
  void ShowFill(double fraction) override { fills.push_back(fraction); }
  std::vector<double> fills;
};

std::int32_t ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RuntimeError& error) {
    return error.number();
  }
  return 0;
}

TEST(ProgressBar, RejectsWhatTheControlRejectsAndKeepsItsState) {
  FillView view;
  ProgressBar bar(view);
  EXPECT_EQ(bar.Min(), 0.0f);
  EXPECT_EQ(bar.Max(), 100.0f);
  EXPECT_EQ(bar.Value(), 0.0f);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  EXPECT_EQ(ErrorOf([&] { bar.SetValue(100.5f); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetValue(-1); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetValue(nan); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetMax(0); }), 380) << "a page file of zero keeps the design range";
  EXPECT_EQ(ErrorOf([&] { bar.SetMax(-4096); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetMax(nan); }), 380);
  EXPECT_EQ(ErrorOf([&] { bar.SetMin(100); }), 380);
  EXPECT_EQ(bar.Min(), 0.0f);
  EXPECT_EQ(bar.Max(), 100.0f);
  EXPECT_EQ(bar.Value(), 0.0f);
  EXPECT_TRUE(view.fills.empty()) << "nothing rejected is drawn";

  bar.SetMax(800);
  bar.SetValue(464);
  bar.SetValue(800);
  bar.SetValue(0);
  EXPECT_EQ(view.fills, (std::vector<double>{0, 0.58, 1, 0}));
  bar.SetValue(600);
  bar.SetMax(500);  // the value follows a range that shrinks below it
  EXPECT_EQ(bar.Value(), 500.0f);
  bar.SetMax(std::numeric_limits<float>::max());
  bar.SetMin(-std::numeric_limits<float>::max());
  EXPECT_GE(view.fills.back(), 0.0);
  EXPECT_LE(view.fills.back(), 1.0);
}

TEST(GaugeTexts, AmountsInBothLocales) {
  EXPECT_EQ(GaugeAmountText(312455168, Locale::German()), u"312.455.168");
  EXPECT_EQ(GaugeAmountText(312455168, Locale::English()), u"312,455,168");
  EXPECT_EQ(GaugeAmountText(-200, Locale::German()), u"-200");
  EXPECT_EQ(GaugeAmountText(0, Locale::German()), u"0");
  EXPECT_EQ(GaugeAmountText(0.4, Locale::German()), u"0");
  EXPECT_EQ(GaugeAmountText(-0.4, Locale::English()), u"0");
  EXPECT_EQ(GaugeAmountText(std::nullopt, Locale::German()), u"") << "a failed step shows as nothing";
  EXPECT_EQ(GaugeCaption(u"Swapfile used", u"0", u"from", u"0"), u"Swapfile used (0 from 0)");
}

TEST(GaugeTexts, WholePercentages) {
  EXPECT_EQ(WholePercent(464, 800), 58);
  EXPECT_EQ(WholePercent(995, 1000), 100);  // 99.5 rounds away from zero
  EXPECT_EQ(WholePercent(985, 1000), 99);   // 98.5 as well
  EXPECT_EQ(WholePercent(4, 1000), 0);
  EXPECT_EQ(WholePercent(-464, 800), 58);
  EXPECT_EQ(WholePercent(5, 0), 0);
  EXPECT_EQ(WholePercent(0, 0), 0);
  EXPECT_EQ(ErrorOf([] { WholePercent(1e308, 1e-300); }), 6);
  EXPECT_EQ(PercentCaption(0), u"0%");
  EXPECT_EQ(PercentCaption(58), u"58%");
  EXPECT_EQ(PercentCaption(1e20), u"100000000000000000000%");
}

}  // namespace
}  // namespace bsi::test
