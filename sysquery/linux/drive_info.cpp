// SPDX-License-Identifier: MIT
// DriveInfo: one text per mounted file system that holds files, in the Windows library's form with the mount
// point where Windows has the drive root:  /  Local disk  "root"  12.3 GB free of 100.0 GB
//   which    the mounts of proc/self/mountinfo, without kernel and memory file systems (kPseudoTypes), without
//            mounts below /proc, /sys and /dev, without bind mounts of single files (a container's /etc/hosts),
//            and one mount per file system (bind mounts and btrfs subvolumes share the device number): the one
//            with the shortest mount point. A container's overlay root counts. Sorted by mount point, so "/"
//            comes first.
//   kind     Network drive for network file systems (their space is not asked: a lost server would hang the
//            call), CD/DVD drive for iso9660/udf and /dev/sr*, RAM disk for zram, Removable drive when the disk's
//            sysfs "removable" is 1, Local disk otherwise
//   label    the file system's label from dev/disk/by-label, left out when it has none
//   space    statvfs: free to the user (f_bavail) of the total size; left out when it cannot be read
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <array>
#include <map>
#include <string>
#include <vector>

#include "runtime/error.h"
#include "sysquery/linux/host.h"
#include "sysquery/linux/text_forms.h"

namespace bsi::sysquery_linux {
namespace {

constexpr std::array<std::string_view, 27> kPseudoTypes = {
    "proc",       "sysfs",     "cgroup",   "cgroup2",         "tmpfs",       "devtmpfs",   "devpts",
    "mqueue",     "debugfs",   "tracefs",  "securityfs",      "pstore",      "bpf",        "configfs",
    "fusectl",    "hugetlbfs", "autofs",   "binfmt_misc",     "efivarfs",    "nsfs",       "ramfs",
    "rpc_pipefs", "selinuxfs", "squashfs", "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs",
};
constexpr std::array<std::string_view, 13> kNetworkTypes = {
    "nfs",  "nfs4",      "cifs", "smb3",       "smbfs", "ncpfs",       "afs",
    "ceph", "glusterfs", "9p",   "fuse.sshfs", "davfs", "fuse.rclone",
};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& set, std::string_view value) {
  return std::find(set.begin(), set.end(), value) != set.end();
}

bool IsNetwork(std::string_view type) {
  return OneOf(kNetworkTypes, type) || type.rfind("nfs", 0) == 0;
}

// Mountinfo writes space, tab, newline and backslash in paths as \040, \011, \012 and \134.
std::string UnescapeOctal(std::string_view text) {
  const auto octal = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '7'; };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3) && text[i + 1] <= '3') {
      out.push_back(static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0')));
      i += 3;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

// Udev writes unsafe bytes of labels as \xHH.
std::string UnescapeHex(std::string_view text) {
  const auto hex = [](char c) {
    return c >= '0' && c <= '9'   ? c - '0'
           : c >= 'a' && c <= 'f' ? c - 'a' + 10
           : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                  : -1;
  };
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && hex(text[i + 2]) >= 0 &&
        hex(text[i + 3]) >= 0) {
      out.push_back(static_cast<char>(hex(text[i + 2]) * 16 + hex(text[i + 3])));
      i += 3;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string_view BaseName(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

struct Mount {
  std::string device;  // "8:1"
  std::string point;
  std::string type;
  std::string source;
};

class DriveCollection final : public Collection {
 public:
  explicit DriveCollection(std::vector<Text> texts) : texts_(std::move(texts)) {}
  std::int32_t Count() override { return static_cast<std::int32_t>(texts_.size()); }
  Variant Item(std::int32_t index) override {
    if (index < 1 || index > Count()) Raise(err::kSubscriptOutOfRange);
    return Variant::String(texts_[static_cast<std::size_t>(index - 1)]);
  }

 private:
  std::vector<Text> texts_;
};

class LinuxDriveInfo final : public DriveInfo {
 public:
  explicit LinuxDriveInfo(HostPtr host) : host_(std::move(host)) {}

  std::shared_ptr<Object> Drives() override {
    std::vector<Text> texts;
    const auto labels = Labels();
    for (const Mount& mount : Mounts()) texts.push_back(DriveText(mount, labels));
    return std::make_shared<DriveCollection>(std::move(texts));
  }

 private:
  std::vector<Mount> Mounts() const {
    const std::string info = host_->tree.Read("proc/self/mountinfo");
    std::map<std::string, Mount> by_point;  // a later mount on the same point hides the earlier one
    for (const std::string_view line : Lines(info)) {
      // id parent major:minor root mount-point options [optional fields] - type source super-options
      const auto words = Words(line);
      const auto dash = std::find(words.begin(), words.end(), "-");
      if (words.size() < 6 || dash == words.end() || words.end() - dash < 3 || dash - words.begin() < 6) continue;
      Mount mount{std::string(words[2]), UnescapeOctal(words[4]), std::string(dash[1]), UnescapeOctal(dash[2])};
      by_point[mount.point] = std::move(mount);
    }
    std::vector<Mount> mounts;
    std::vector<std::string> devices;
    for (auto& [point, mount] : by_point) {
      if (point.empty() || point.front() != '/') continue;
      if (OneOf(kPseudoTypes, mount.type) || (mount.type == "overlay" && point != "/")) continue;
      if (point != "/" && (Below(point, "/proc") || Below(point, "/sys") || Below(point, "/dev"))) continue;
      // A network mount point is not looked at: a lost server would hang the call.
      struct stat info {};
      if (!IsNetwork(mount.type) && ::stat(host_->tree.Path(point).c_str(), &info) == 0 && !S_ISDIR(info.st_mode)) {
        continue;
      }
      if (std::find(devices.begin(), devices.end(), mount.device) != devices.end()) continue;
      devices.push_back(mount.device);
      mounts.push_back(std::move(mount));
    }
    return mounts;
  }

  static bool Below(std::string_view point, std::string_view folder) {
    return point == folder ||
           (point.rfind(folder, 0) == 0 && point.size() > folder.size() && point[folder.size()] == '/');
  }

  // Device name ("sda1", "dm-0") to label, from the links of dev/disk/by-label.
  std::map<std::string, std::string> Labels() const {
    std::map<std::string, std::string> labels;
    for (const std::string& name : host_->tree.List("dev/disk/by-label")) {
      if (const auto target = host_->tree.ReadLink("dev/disk/by-label/" + name)) {
        labels.emplace(std::string(BaseName(*target)), UnescapeHex(name));
      }
    }
    return labels;
  }

  // The kernel's name of the source device: /dev/mapper/vg-root links to ../dm-0.
  std::string DeviceName(const std::string& source) const {
    if (source.rfind("/dev/", 0) != 0) return {};
    const auto target = host_->tree.ReadLink(source);
    return std::string(BaseName(target ? *target : source));
  }

  Word Kind(const Mount& mount, const std::string& device) const {
    if (IsNetwork(mount.type)) return Word::kNetworkDrive;
    if (mount.type == "iso9660" || mount.type == "udf" || device.rfind("sr", 0) == 0) return Word::kCdDvdDrive;
    if (device.rfind("zram", 0) == 0) return Word::kRamDisk;
    if (!device.empty() && device != "." && device != "..") {
      // A partition has no "removable" of its own; its disk's is one folder up (sda1/.. is sda).
      for (const char* file : {"/removable", "/../removable"}) {
        if (host_->tree.FirstLine("sys/class/block/" + device + file) == "1") return Word::kRemovableDrive;
      }
    }
    return Word::kFixedDrive;
  }

  Text DriveText(const Mount& mount, const std::map<std::string, std::string>& labels) const {
    const UiLanguage language = host_->language;
    const std::string device = DeviceName(mount.source);
    const Word kind = Kind(mount, device);
    Text text = FromUtf8(mount.point) + u"  " + WordText(kind, language);
    if (const auto label = labels.find(device); !device.empty() && label != labels.end() && !label->second.empty()) {
      text += u"  \"" + FromUtf8(label->second) + u"\"";
    }
    struct statvfs space {};
    if (kind != Word::kNetworkDrive && ::statvfs(host_->tree.Path(mount.point).c_str(), &space) == 0 &&
        space.f_blocks > 0) {
      const auto bytes = [&](std::uint64_t blocks) {
        std::uint64_t product = 0;
        return __builtin_mul_overflow(blocks, std::uint64_t{space.f_frsize}, &product) ? UINT64_MAX : product;
      };
      const std::uint64_t total = bytes(space.f_blocks);
      const std::uint64_t free = std::min(bytes(space.f_bavail), total);
      text += u"  " + ByteAmountText(free, language) + u" " + WordText(Word::kFreeOf, language) + u" " +
              ByteAmountText(total, language);
    }
    return text;
  }

  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewDriveInfo(HostPtr host) {
  return std::make_unique<LinuxDriveInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
