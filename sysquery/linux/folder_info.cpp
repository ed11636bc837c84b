// SPDX-License-Identifier: MIT
// FolderInfo: the counterparts of the Windows and system folders. "Windows folder" is the operating system's own
// folder, /usr (where the distribution installs its programs, libraries and data); "system folder" is the folder
// of the system libraries, the one the C library was loaded from (e.g. /usr/lib/x86_64-linux-gnu). Both describe
// the running system, not the tree the other classes read.
#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>

#include "sysquery/linux/host.h"

namespace bsi::sysquery_linux {
namespace {

std::string LibraryFolder() {
  Dl_info info{};
  if (::dladdr(reinterpret_cast<void*>(&::getpid), &info) != 0 && info.dli_fname != nullptr &&
      info.dli_fname[0] == '/') {
    std::string path(info.dli_fname);
    // /lib is a link to /usr/lib on merged-/usr systems: name the real folder.
    if (char* real = ::realpath(info.dli_fname, nullptr)) {
      path = real;
      std::free(real);
    }
    const std::size_t slash = path.rfind('/');
    return slash == 0 ? "/" : path.substr(0, slash);
  }
  return "/usr/lib";  // a statically linked program has no loaded C library to ask
}

class LinuxFolderInfo final : public FolderInfo {
 public:
  explicit LinuxFolderInfo(HostPtr host) : host_(std::move(host)) {}
  Text WindowsFolder() override { return u"/usr"; }
  Text SystemFolder() override { return FromUtf8(LibraryFolder()); }

 private:
  HostPtr host_;
};

}  // namespace

std::unique_ptr<QueryObject> NewFolderInfo(HostPtr host) {
  return std::make_unique<LinuxFolderInfo>(std::move(host));
}

}  // namespace bsi::sysquery_linux
