// SPDX-License-Identifier: MIT
#include "fake_tree.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sysquery/linux/linux_query_library.h"

namespace bsi::sysquery_linux::test {
namespace {

template <class T, class Call>
void Note(std::ostringstream& out, QueryLibrary& library, const char* name, Call call) {
  const std::unique_ptr<T> object = Create<T>(library);
  out << name << '=' << Outcome([&] { return call(*object); }) << '\n';
}

}  // namespace

std::string FakeTree::CallEveryMember() {
  const std::unique_ptr<QueryLibrary> library = Library();
  std::ostringstream out;
  Note<RegistryReader>(out, *library, "RegistryReader", [](RegistryReader& reader) {
    std::string values;
    for (const auto& [key, name] : {std::pair{u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"CSDVersion"},
                                    {u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"BuildLab"},
                                    {u"HARDWARE\\DESCRIPTION\\System", u"SystemBiosVersion"},
                                    {u"HARDWARE\\DESCRIPTION\\System", u"SystemBiosDate"},
                                    {u"HARDWARE\\DESCRIPTION\\System", u"VideoBiosVersion"}}) {
      reader.SetKeyPath(key);
      reader.SetValueName(name);
      values += Join(reader.Exists(), reader.Value()) + "|";
    }
    return values;
  });
  Note<OSVersionInfo>(out, *library, "OSVersionInfo", [](OSVersionInfo& os) {
    return Join(os.Name(), os.MajorVersion(), os.MinorVersion(), os.BuildNumber());
  });
  Note<ProcessorInfo>(out, *library, "ProcessorInfo", [](ProcessorInfo& cpu) { return Join(cpu.Description()); });
  // One line per pair: each pair's failure is its own.
  Note<MemoryInfo>(out, *library, "MemoryInfo.Physical",
                   [](MemoryInfo& memory) { return Join(memory.PhysicalTotal(), memory.PhysicalFree()); });
  Note<MemoryInfo>(out, *library, "MemoryInfo.PageFile",
                   [](MemoryInfo& memory) { return Join(memory.PageFileTotal(), memory.PageFileFree()); });
  Note<MemoryInfo>(out, *library, "MemoryInfo.Virtual",
                   [](MemoryInfo& memory) { return Join(memory.VirtualTotal(), memory.VirtualFree()); });
  Note<ComputerInfo>(out, *library, "ComputerInfo",
                     [](ComputerInfo& computer) { return Join(computer.ComputerName()); });
  Note<UserInfo>(out, *library, "UserInfo", [](UserInfo& user) { return Join(user.UserName()); });
  Note<AdminRightsInfo>(out, *library, "AdminRightsInfo", [](AdminRightsInfo& admin) { return Join(admin.IsAdmin()); });
  Note<NetworkInfo>(out, *library, "NetworkInfo", [](NetworkInfo& network) {
    return Join(network.LocalIP(), network.LocalSubnetMask(), network.NetworkIP(), network.NetworkSubnetMask(),
                network.MACAddress());
  });
  Note<DialUpInfo>(out, *library, "DialUpInfo", [](DialUpInfo& dial_up) { return Join(dial_up.Active()); });
  Note<DefaultBrowserInfo>(out, *library, "DefaultBrowserInfo", [](DefaultBrowserInfo& browser) {
    return Join(browser.Name(), browser.Detail(), browser.Executable());
  });
  Note<FolderInfo>(out, *library, "FolderInfo",
                   [](FolderInfo& folders) { return Join(folders.WindowsFolder(), folders.SystemFolder()); });
  Note<DisplayInfo>(out, *library, "DisplayInfo", [](DisplayInfo& display) {
    return Join(display.Width(), display.Height(), display.BitsPerPixel().scaled / 10000);
  });
  Note<DefaultPrinterInfo>(out, *library, "DefaultPrinterInfo", [](DefaultPrinterInfo& printer) {
    return Join(printer.Name(), printer.Detail1(), printer.Detail2());
  });
  Note<SoundInfo>(out, *library, "SoundInfo", [](SoundInfo& sound) { return Join(sound.Installed()); });
  Note<UptimeInfo>(out, *library, "UptimeInfo", [](UptimeInfo& uptime) { return Join(uptime.RunningTime()); });
  Note<TimeZoneInfo>(out, *library, "TimeZoneInfo", [](TimeZoneInfo& zone) {
    return Join(zone.Bias(), zone.StandardName(), zone.StandardBias(), zone.DaylightName(), zone.DaylightBias(),
                zone.DaylightActive(), zone.Name());
  });
  Note<DriveInfo>(out, *library, "DriveInfo", [](DriveInfo& drives) {
    auto collection = std::dynamic_pointer_cast<Collection>(drives.Drives());
    std::string texts;
    for (std::int32_t i = 1; i <= collection->Count(); ++i) texts += Join(collection->Item(i)) + "|";
    return texts;
  });
  const std::unique_ptr<Battery> battery = CreateBattery(root_);
  out << "Battery=" << Outcome([&] { return Join(battery->BatteryStatus(), battery->BatteryLifePercent()); }) << '\n';
  return out.str();
}

FakeTree::FakeTree() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/bsi-query-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  root_ = pattern + "/";
}

FakeTree::~FakeTree() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void FakeTree::MakeFolder(const std::string& path) {
  std::filesystem::create_directories(Path(path));
}

void FakeTree::Clear() {
  for (const auto& entry : std::filesystem::directory_iterator(root_)) std::filesystem::remove_all(entry.path());
}

std::string FakeTree::Fact(const std::string& name) {
  const std::string all = "\n" + CallEveryMember();
  const std::size_t line = all.find("\n" + name + "=");
  if (line == std::string::npos) return "<no such line>";
  const std::size_t start = line + name.size() + 2;
  return all.substr(start, all.find('\n', start) - start);
}

void FakeTree::Write(const std::vector<TreeFile>& files) {
  for (const auto& [path, content] : files) {
    const std::filesystem::path full = Path(path);
    std::filesystem::create_directories(full.parent_path());
    std::filesystem::remove(full);
    if (content.rfind("->", 0) == 0) {
      std::filesystem::create_symlink(content.substr(2), full);
    } else if (content.rfind("<", 0) == 0) {
      std::filesystem::copy_file(BSI_QUERY_DATA_DIR "/" + content.substr(1), full);
    } else {
      std::ofstream(full, std::ios::binary) << content;
    }
  }
}

std::unique_ptr<QueryLibrary> FakeTree::Library() {
  auto host = std::make_shared<Host>(Host{SystemTree(root_), nullptr, uid, language, nullptr});
  host->env = [values = env](const char* name) {
    const auto found = values.find(name);
    return found == values.end() ? std::string() : found->second;
  };
  host->addresses = [list = addresses] { return list; };
  return CreateQueryLibrary(std::move(host));
}

}  // namespace bsi::sysquery_linux::test
