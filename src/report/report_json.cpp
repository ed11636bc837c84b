// SPDX-License-Identifier: MIT
// The report as JSON, written by hand: the format is small and fixed, and the escaping is the part that matters.
#include <charconv>
#include <cmath>

#include "report/report.h"

namespace bsi {
namespace {

bool IsControl(char16_t unit) {
  return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

// The escape for a unit that needs one, or nullptr. Every such unit is a whole character below U+00A0, so
// cutting the text there never splits a surrogate pair.
const char* Escape(char16_t unit, char (&buffer)[8]) {
  switch (unit) {
    case u'"':
      return "\\\"";
    case u'\\':
      return "\\\\";
    case u'\b':
      return "\\b";
    case u'\f':
      return "\\f";
    case u'\n':
      return "\\n";
    case u'\r':
      return "\\r";
    case u'\t':
      return "\\t";
    default:
      break;
  }
  if (!IsControl(unit)) return nullptr;
  static constexpr char kHex[] = "0123456789abcdef";
  buffer[0] = '\\', buffer[1] = 'u', buffer[2] = '0', buffer[3] = '0';
  buffer[4] = kHex[(unit >> 4) & 0xF], buffer[5] = kHex[unit & 0xF], buffer[6] = '\0';
  return buffer;
}

bool IsBlank(TextView text) {
  return TrimSpaces(text).empty();
}

std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

}  // namespace

std::string JsonString(TextView text) {
  std::string out = "\"";
  std::size_t plain = 0;  // start of the run of units that need no escape
  for (std::size_t i = 0; i <= text.size(); ++i) {
    char buffer[8];
    const char* escape = i < text.size() ? Escape(text[i], buffer) : "";
    if (escape == nullptr) continue;
    out += ToUtf8(text.substr(plain, i - plain));
    out += escape;
    plain = i + 1;
  }
  return out + "\"";
}

std::string ReportJson(const SysInfoReport& report, UiLanguage language) {
  std::string out = "{\n  \"language\": ";
  out += language == UiLanguage::German ? "\"de\"" : "\"en\"";
  out += ",\n  \"rows\": [";
  const char* separator = "\n";
  for (const auto& row : report.rows) {
    const bool spacer = IsBlank(row.text) && IsBlank(row.value);
    out += separator;
    out += "    {\"label\": " + JsonString(spacer ? u"" : row.text) +
           ", \"value\": " + JsonString(spacer ? u"" : row.value) + "}";
    separator = ",\n";
  }
  out += report.rows.empty() ? "],\n  \"gauges\": [" : "\n  ],\n  \"gauges\": [";
  separator = "\n";
  for (const GaugeReading& gauge : report.gauges) {
    out += separator;
    out += "    {\"caption\": " + JsonString(gauge.caption) + ", \"percent_text\": " + JsonString(gauge.percent_text) +
           ", \"percent\": " + Number(GaugePercent(gauge)) + "}";
    separator = ",\n";
  }
  out += "\n  ],\n  \"errors\": [";
  separator = "\n";
  for (const ShownBox& box : report.error_boxes) {
    out += separator;
    out += "    {\"title\": " + JsonString(box.title) + ", \"prompt\": " + JsonString(box.prompt) + "}";
    separator = ",\n";
  }
  out += report.error_boxes.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return out;
}

}  // namespace bsi
