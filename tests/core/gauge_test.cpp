// SPDX-License-Identifier: MIT
// The ProgressBar model and the gauge numbers and texts, at their edges.
#include <gtest/gtest.h>

#include <limits>

#include "core/fixtures.h"
#include "runtime/progress_bar.h"
#include "sysinfo_window/gauge_texts.h"

namespace bsi::test {
namespace {

TEST(ProgressBar, RejectsWhatTheControlRejectsAndKeepsItsState) {
  CallLog log;
  RecordingGauge view(log, "bar", 7);
  ProgressBar bar(view);
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
  EXPECT_TRUE(log.entries().empty()) << "nothing rejected is drawn";

  bar.SetMax(800);
  bar.SetValue(464);
  bar.SetValue(800);
  bar.SetValue(0);
  EXPECT_EQ(log.entries(),
            (std::vector<std::string>{"bar.Fill=0.000", "bar.Fill=0.580", "bar.Fill=1.000", "bar.Fill=0.000"}));
  bar.SetValue(600);
  bar.SetMax(500);  // the value follows a range that shrinks below it
  EXPECT_EQ(bar.Value(), 500.0f);
  bar.SetMax(std::numeric_limits<float>::max());
  bar.SetMin(-std::numeric_limits<float>::max());
  EXPECT_GE(view.fill, 0.0);
  EXPECT_LE(view.fill, 1.0);
}

TEST(GaugeTexts, AmountsPercentagesAndCaptions) {
  EXPECT_EQ(GaugeAmountText(312455168, Locale::German()), u"312.455.168");
  EXPECT_EQ(GaugeAmountText(312455168, Locale::English()), u"312,455,168");
  EXPECT_EQ(GaugeAmountText(-200, Locale::German()), u"-200");
  EXPECT_EQ(GaugeAmountText(0.4, Locale::German()), u"0");
  EXPECT_EQ(GaugeAmountText(-0.4, Locale::English()), u"0");
  EXPECT_EQ(GaugeAmountText(std::nullopt, Locale::German()), u"") << "a failed step shows as nothing";
  EXPECT_EQ(GaugeCaption(u"Swapfile used", u"0", u"from", u"0"), u"Swapfile used (0 from 0)");
  // clang-format off
  for (auto [used, total, percent] : {
      std::tuple{464.0, 800.0, 58}, {995, 1000, 100}, {985, 1000, 99}, {4, 1000, 0}, {-464, 800, 58}, {5, 0, 0},
      {0, 0, 0}
  }) {
    // clang-format on
    EXPECT_EQ(WholePercent(used, total), percent) << used << "/" << total;  // halves away from zero
  }
  EXPECT_EQ(ErrorOf([] { WholePercent(1e308, 1e-300); }), 6);
  EXPECT_EQ(PercentCaption(58), u"58%");
  EXPECT_EQ(PercentCaption(1e20), u"100000000000000000000%");
}

}  // namespace
}  // namespace bsi::test
