// SPDX-License-Identifier: MIT
// RegistryReader: Linux has no registry, so the reader answers the values the list builder asks for from their
// Linux counterparts, in the forms the Windows values have; every other value is absent.
//   SOFTWARE\Microsoft\Windows NT\CurrentVersion  CSDVersion         absent (no service packs)
//                                                 BuildLab           kernel release and version ("uname -rv")
//   HARDWARE\DESCRIPTION\System                   SystemBiosVersion  DMI bios_vendor NUL bios_version
//                                                 SystemBiosDate     DMI bios_date
//                                                 VideoBiosVersion   the first amdgpu card's vbios_version
#include <optional>
#include <string>

#include "runtime/error.h"
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::int32_t kFirstRoot = static_cast<std::int32_t>(0x80000000u);
constexpr std::int32_t kLastRoot = static_cast<std::int32_t>(0x80000005u);
constexpr std::int32_t kLastValueType = 11;  // REG_QWORD

// Key paths and value names compare without regard to ASCII case, as the registry's do.
bool SameName(const Text& a, std::u16string_view b) {
  return UpperCase(a) == UpperCase(b);
}

class LinuxRegistryReader final : public RegistryReader {
 public:
  explicit LinuxRegistryReader(HostPtr host) : host_(std::move(host)) {}

  bool Exists() override { return Read().has_value(); }
  Variant Value() override { return Variant::String(FromUtf8(Read().value_or(std::string()))); }
  void SetValueType(std::int32_t type) override {
    if (type < 0 || type > kLastValueType) Raise(err::kInvalidPropertyValue);
  }
  void SetRoot(std::int32_t root) override {
    if (root < kFirstRoot || root > kLastRoot) Raise(err::kInvalidPropertyValue);
    root_ = root;
  }
  void SetKeyPath(const Text& path) override { key_path_ = path; }
  void SetValueName(const Text& name) override { value_name_ = name; }

 private:
  std::optional<std::string> Read() const {
    if (root_ != kHkeyLocalMachine) return std::nullopt;
    if (SameName(key_path_, u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion")) {
      if (SameName(value_name_, u"BuildLab")) return BuildLab();
    } else if (SameName(key_path_, u"HARDWARE\\DESCRIPTION\\System")) {
      if (SameName(value_name_, u"SystemBiosVersion")) return BiosVersion();
      if (SameName(value_name_, u"SystemBiosDate")) return Dmi("bios_date");
      if (SameName(value_name_, u"VideoBiosVersion")) return VideoBios();
    }
    return std::nullopt;
  }

  std::optional<std::string> BuildLab() const {
    auto release = host_->tree.FirstLine("proc/sys/kernel/osrelease");
    auto version = host_->tree.FirstLine("proc/sys/kernel/version");
    if (release && version && !release->empty() && !version->empty()) return *release + " " + *version;
    if (release && !release->empty()) return release;
    if (version && !version->empty()) return version;
    return std::nullopt;
  }

  std::optional<std::string> Dmi(std::string_view name) const {
    auto value = host_->tree.FirstLine("sys/class/dmi/id/" + std::string(name));
    if (!value || value->empty()) return std::nullopt;
    return value;
  }

  // A multi-string: the parts joined by NUL, no NUL at the end.
  std::optional<std::string> BiosVersion() const {
    auto vendor = Dmi("bios_vendor");
    auto version = Dmi("bios_version");
    if (vendor && version) return *vendor + std::string(1, '\0') + *version;
    return vendor ? vendor : version;
  }

  std::optional<std::string> VideoBios() const {
    for (const std::string& card : host_->tree.List("sys/class/drm")) {
      if (card.rfind("card", 0) != 0 || card.find('-') != std::string::npos) continue;
      auto version = host_->tree.FirstLine("sys/class/drm/" + card + "/device/vbios_version");
      if (version && !version->empty()) return version;
    }
    return std::nullopt;
  }

  HostPtr host_;
  std::int32_t root_ = kHkeyLocalMachine;
  Text key_path_;
  Text value_name_;
};

}  // namespace

std::unique_ptr<QueryObject> NewRegistryReader(HostPtr host) {
  return std::make_unique<LinuxRegistryReader>(std::move(host));
}

}  // namespace bsi::sysquery_linux
