// SPDX-License-Identifier: MIT
// MemoryInfo: byte amounts as decimal digits, with the meanings of the Windows library.
//   physical   MemTotal and MemAvailable of proc/meminfo (MemFree on kernels before 3.14, which lack it)
//   page file  SwapTotal and SwapFree (0 and 0 without swap, which is common)
//   virtual    this process's user address space, and what of it VmSize (proc/self/status) leaves free
// Every free figure is at most its total.
#include <sys/resource.h>

#include <algorithm>
#include <string>

#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::string_view kMeminfo = "proc/meminfo";
constexpr std::string_view kStatus = "proc/self/status";

// The user address space of a process of this architecture, unless RLIMIT_AS caps it lower.
std::uint64_t AddressSpace() {
#if defined(__x86_64__)
  std::uint64_t space = std::uint64_t{1} << 47;  // 128 TiB
#elif defined(__aarch64__)
  std::uint64_t space = std::uint64_t{1} << 48;  // 256 TiB with 4 KiB pages and 48-bit addresses
#elif UINTPTR_MAX > 0xFFFFFFFFu
  std::uint64_t space = std::uint64_t{1} << 47;
#else
  std::uint64_t space = std::uint64_t{3} << 30;  // the 3 GiB user part of a 32-bit address space
#endif
  rlimit limit{};
  if (::getrlimit(RLIMIT_AS, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY) {
    space = std::min<std::uint64_t>(space, limit.rlim_cur);
  }
  return space;
}

class LinuxMemoryInfo final : public MemoryInfo {
 public:
  explicit LinuxMemoryInfo(HostPtr host) : host_(std::move(host)) {}

  Text PhysicalTotal() override { return Digits(Physical().total); }
  Text PhysicalFree() override { return Digits(Physical().free); }
  Text PageFileTotal() override { return Digits(Swap().total); }
  Text PageFileFree() override { return Digits(Swap().free); }
  Text VirtualTotal() override { return Digits(AddressSpace()); }
  Text VirtualFree() override {
    const std::uint64_t total = AddressSpace();
    const std::string status = host_->tree.Read(kStatus);
    const auto size = FieldValue(status, "VmSize", ':');
    // A kernel thread's status has no VmSize; nor would a tree without the line: no address space in use.
    const std::uint64_t used = size ? Kilobytes(*size, "VmSize", kStatus) : 0;
    return Digits(total - std::min(used, total));
  }

 private:
  struct Pair {
    std::uint64_t total;
    std::uint64_t free;
  };

  Pair Physical() const {
    const std::string meminfo = host_->tree.Read(kMeminfo);
    const std::uint64_t total = Required(meminfo, "MemTotal");
    const auto available = FieldValue(meminfo, "MemAvailable", ':');
    const std::uint64_t free =
        available ? Kilobytes(*available, "MemAvailable", kMeminfo) : Required(meminfo, "MemFree");
    return {total, std::min(free, total)};
  }

  Pair Swap() const {
    const std::string meminfo = host_->tree.Read(kMeminfo);
    const auto total = FieldValue(meminfo, "SwapTotal", ':');
    const auto free = FieldValue(meminfo, "SwapFree", ':');
    const std::uint64_t total_bytes = total ? Kilobytes(*total, "SwapTotal", kMeminfo) : 0;
    const std::uint64_t free_bytes = free ? Kilobytes(*free, "SwapFree", kMeminfo) : 0;
    return {total_bytes, std::min(free_bytes, total_bytes)};
  }

  std::uint64_t Required(const std::string& meminfo, std::string_view key) const {
    const auto value = FieldValue(meminfo, key, ':');
    if (!value) RaiseUnusable(key, host_->tree.Path(kMeminfo));
    return Kilobytes(*value, key, kMeminfo);
  }

  // "16318412 kB" in bytes.
  std::uint64_t Kilobytes(std::string_view value, std::string_view key, std::string_view path) const {
    return CheckedProduct(ToUnsigned(value, key, host_->tree.Path(path)), 1024);
  }

  static Text Digits(std::uint64_t value) { return FromAscii(std::to_string(value)); }

  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewMemoryInfo(HostPtr host) {
  return std::make_unique<LinuxMemoryInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
