// SPDX-License-Identifier: MIT
// Operating system, processor, mainboard BIOS and video BIOS rows.
#include "info_list/list_run.h"

namespace bsi {
namespace {

constexpr char16_t kCurrentVersionKey[] = u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr char16_t kSystemKey[] = u"HARDWARE\\DESCRIPTION\\System";

// Selects one REG_SZ value under the reader's root and key.
void SelectValue(RegistryReader& reader, const Text& name) {
  reader.SetValueName(name);
  reader.SetValueType(RegistryReader::kRegSz);
}

Text ValueIfExists(ListRun& run, RegistryReader& reader) {
  return reader.Exists() ? run.TextOf(reader.Value()) : Text();
}

void AppendOperatingSystemRow(ListRun& run) {
  run.AddRow(run.String(str::kOsVersion));
  auto& reader = run.Get<RegistryReader>();
  reader.SetRoot(RegistryReader::kHkeyLocalMachine);
  reader.SetKeyPath(kCurrentVersionKey);
  SelectValue(reader, u"CSDVersion");
  const Text service_pack = ValueIfExists(run, reader);
  SelectValue(reader, u"BuildLab");
  const Text build_lab = ValueIfExists(run, reader);

  auto& os = run.Get<OSVersionInfo>();
  Text value = os.Name();
  const std::int32_t major = os.MajorVersion();
  const std::int32_t minor = os.MinorVersion();
  const std::int32_t build = os.BuildNumber();
  value += u"  " + service_pack + u"    [Version: " + Decimal(major) + u"." + Decimal(minor) + u" - Build: " +
           Decimal(build) + u"] " + build_lab;
  run.SetLastValue(value);
}

void AppendBiosRows(ListRun& run) {
  auto& reader = run.Get<RegistryReader>();
  reader.SetKeyPath(kSystemKey);
  SelectValue(reader, u"SystemBiosVersion");
  // A multi-string value arrives joined by NUL.
  const Text version = ReplaceAll(run.TextOf(reader.Value()), u'\0', u" - ");
  SelectValue(reader, u"SystemBiosDate");
  // Read first, then the word: one statement each, so no compiler may reorder the two calls.
  const Text date_value = run.TextOf(reader.Value());
  const Text date = run.String(str::kDate) + u" " + date_value;
  if (!version.empty()) {
    run.AddRow(run.String(str::kMainboardBios));
    run.SetLastValue(ReplaceAll(version, u'\r', u" - ") + u" [" + date + u"]");
  }

  reader.SetKeyPath(kSystemKey);
  SelectValue(reader, u"VideoBiosVersion");
  const Text video = run.TextOf(reader.Value());
  if (!video.empty()) {
    run.AddRow(run.String(str::kVideoBios));
    run.SetLastValue(video);
  }
}

}  // namespace

void AppendSystemRows(ListRun& run) {
  AppendOperatingSystemRow(run);
  run.AddRow(run.String(str::kCpu), [&] { return run.Get<ProcessorInfo>().Description(); });
  AppendBiosRows(run);
}

}  // namespace bsi
