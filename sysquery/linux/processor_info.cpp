// SPDX-License-Identifier: MIT
// ProcessorInfo: the first processor's name from proc/cpuinfo, blanks collapsed as the Windows library does. x86
// names it "model name"; other architectures use other keys, tried in this order.
#include <array>

#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::array<std::string_view, 6> kNameKeys = {
    "model name",  // x86, and arm64 kernels that name the core
    "Processor",   // 32-bit ARM: "ARMv7 Processor rev 4 (v7l)"
    "cpu model",   // MIPS
    "Hardware",    // ARM boards: the SoC
    "cpu",         // PowerPC: "POWER9 (raw), altivec supported"
    "uarch",       // RISC-V
};

class LinuxProcessorInfo final : public ProcessorInfo {
 public:
  explicit LinuxProcessorInfo(HostPtr host) : host_(std::move(host)) {}

  Text Description() override {
    const std::string cpuinfo = host_->tree.Read("proc/cpuinfo");
    for (const std::string_view key : kNameKeys) {
      if (const auto value = FieldValue(cpuinfo, key, ':'); value && !value->empty()) {
        return FromUtf8(CollapseBlanks(*value));
      }
    }
    return {};
  }

 private:
  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewProcessorInfo(HostPtr host) {
  return std::make_unique<LinuxProcessorInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
