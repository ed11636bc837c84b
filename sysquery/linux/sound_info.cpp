// SPDX-License-Identifier: MIT
// SoundInfo: installed when ALSA knows a card: a numbered line in proc/asound/cards (" 0 [PCH ]: HDA-Intel ..."),
// or a card* entry in sys/class/sound. Neither (no sound driver, a container) is false, not an error.
#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

class LinuxSoundInfo final : public SoundInfo {
 public:
  explicit LinuxSoundInfo(HostPtr host) : host_(std::move(host)) {}

  Variant Installed() override { return Variant::Boolean(HasCard()); }

 private:
  bool HasCard() const {
    if (const auto cards = host_->tree.ReadIfPresent("proc/asound/cards")) {
      for (const std::string_view line : Lines(*cards)) {
        const auto words = Words(line);
        if (words.size() >= 2 && ParseWhole(words[0]) && words[1].front() == '[') return true;
      }
    }
    for (const std::string& name : host_->tree.List("sys/class/sound")) {
      if (name.size() > 4 && name.rfind("card", 0) == 0 && ParseWhole(std::string_view(name).substr(4))) return true;
    }
    return false;
  }

  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewSoundInfo(HostPtr host) {
  return std::make_unique<LinuxSoundInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
