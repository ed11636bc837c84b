// SPDX-License-Identifier: MIT
// DisplayInfo without a widget library: the first connected DRM connector (sys/class/drm/card*-*, status
// "connected", the first line of "modes", its preferred mode) at 32 bits per pixel, else the first frame buffer
// (sys/class/graphics/fb0: virtual_size "1024,768", bits_per_pixel). A machine with neither, a server or a
// container, has no screen: 0 x 0 at 0 bits, an absent fact like the Windows library's empty texts, so that the
// list goes on. A front end with a window system answers this class itself.
#include <optional>

#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

struct Facts {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::int32_t bits = 0;
};

// "1920x1080" (a mode may carry a suffix: "1920x1080i") or "1024,768".
std::optional<Facts> Size(std::string_view text, char separator, std::int32_t bits) {
  const auto width = ParseUnsigned(text);
  const std::size_t at = text.find(separator);
  if (!width || at == std::string_view::npos) return std::nullopt;
  const auto height = ParseUnsigned(text.substr(at + 1));
  if (!height || *width == 0 || *height == 0 || *width > INT32_MAX || *height > INT32_MAX) return std::nullopt;
  return Facts{static_cast<std::int32_t>(*width), static_cast<std::int32_t>(*height), bits};
}

class LinuxDisplayInfo final : public DisplayInfo {
 public:
  explicit LinuxDisplayInfo(HostPtr host) : host_(std::move(host)) {}

  Currency BitsPerPixel() override { return Currency::FromWhole(Read().bits); }
  std::int32_t Width() override { return Read().width; }
  std::int32_t Height() override { return Read().height; }

 private:
  const Facts& Read() {
    if (!facts_) facts_ = Find();
    return *facts_;
  }

  Facts Find() const {
    const SystemTree& tree = host_->tree;
    for (const std::string& name : tree.List("sys/class/drm")) {
      if (name.rfind("card", 0) != 0 || name.find('-') == std::string::npos) continue;
      const std::string folder = "sys/class/drm/" + name + "/";
      if (tree.FirstLine(folder + "status") != "connected") continue;
      if (auto facts = Size(tree.FirstLine(folder + "modes").value_or(""), 'x', 32)) return *facts;
    }
    const auto bits = ParseWhole(tree.FirstLine("sys/class/graphics/fb0/bits_per_pixel").value_or(""));
    if (bits && *bits > 0 && *bits <= 64) {
      const auto size = tree.FirstLine("sys/class/graphics/fb0/virtual_size");
      if (auto facts = Size(size.value_or(""), ',', static_cast<std::int32_t>(*bits))) return *facts;
    }
    return {};
  }

  HostPtr host_;
  std::optional<Facts> facts_;
};

}  // namespace

std::unique_ptr<QueryObject> NewDisplayInfo(HostPtr host) {
  return std::make_unique<LinuxDisplayInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
